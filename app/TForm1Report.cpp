// The main window's report: what it holds is gathered from the window here,
// and written by the report's own unit.
#include <QComboBox>
#include <QDateTime>

#include "app/TForm1.h"
#include "app/TJournalPage.h"
#include "app/TReport.h"
#include "controls/TDiagramFrame.h"
#include "controls/TEditFloat.h"

CBenchSetup TForm1::CurrentSetup() const {
    CBenchSetup setup;
    setup.SignalItem = ComboBox1->currentIndex();
    setup.NoiseItem = ComboBox3->currentIndex();
    setup.FilterItem = ComboBox2->currentIndex();
    const TEditFloat* const fields[BenchParameterCount] = {EditFloat1, EditFloat2, EditFloat3,
                                                           EditFloat4};
    for (int p = 0; p < BenchParameterCount; ++p) {
        setup.Values[p] = fields[p]->GetVal();
    }
    return setup;
}

void TForm1::N45Click() {
    TReportContent content;
    content.Made = QDateTime::currentDateTime();
    const CBenchSetup setup = CurrentSetup();
    content.Scheme = SchemeSwitchesFor(setup.SignalItem, setup.NoiseItem);
    content.Configuration = DescribeSetup(setup);
    content.LastRun = TabSheet3->LastRun();
    if (content.LastRun) {
        content.Input = DiagramFrame1->Diagram;
        content.Output = DiagramFrame2->Diagram;
    }
    content.Rows = TabSheet3->Rows();
    SaveReport(this, content);
}
