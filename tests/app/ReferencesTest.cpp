// Filters compared on the output chart: the window's items that keep and
// clear references, their names, and their life through runs and choices.

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>

#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "app/OutputReferences.h"
#include "bench/BenchSamples.h"
#include "chart/ChartCsv.h"
#include "chart/TDiagram.h"
#include "controls/TDiagramFrame.h"
#include "controls/TEditFloat.h"

namespace {

class References : public testing::Test, public FormFixture {
  protected:
    TForm1& f() { return *form; }
    TOutputReferences& refs() { return *form->OutputReferences; }
    void Choose(QComboBox* box, int item) {
        box->setCurrentIndex(item);
        emit box->activated(item);
    }
    QStringList Names(QMenu* menu) {
        QStringList names;
        for (QAction* a : menu->actions()) {
            names << a->objectName();
        }
        return names;
    }
};

TEST_F(References, ItemsAfterTheBenchMenusOwnAndInBothChartMenus) {
    QMenu* bench = f().menuBar()->findChild<QMenu*>("N2");
    ASSERT_NE(bench, nullptr);
    EXPECT_EQ(Names(bench), QStringList({"N9", "N13", "N14", "NRepeatNoise", "N17", "N18", "N24",
                                         "N25", "N26", "NMeasure", "NReferences",
                                         "NRememberOutput", "NClearReferences"}));
    EXPECT_TRUE(bench->actions().at(10)->isSeparator());
    EXPECT_EQ(refs().NRememberOutput->text(), "Запомнить выход");
    EXPECT_EQ(refs().NClearReferences->text(), "Очистить опорные");
    for (TDiagramFrame* frame : {f().DiagramFrame1, f().DiagramFrame2}) {
        EXPECT_TRUE(frame->PopupMenu->actions().contains(refs().NRememberOutput));
        EXPECT_TRUE(frame->PopupMenu->actions().contains(refs().NClearReferences));
    }
    // Nothing to keep before a run, nothing to clear before a reference.
    EXPECT_FALSE(refs().NRememberOutput->isEnabled());
    EXPECT_FALSE(refs().NClearReferences->isEnabled());
    refs().NRememberOutput->trigger();
    EXPECT_EQ(f().DiagramFrame2->Diagram->GetKeeperListLength(), 1);
}

TEST_F(References, KeptThroughRunsAndChoicesNamedByTheirOwnRun) {
    Choose(f().ComboBox1, siRectangle);
    Choose(f().ComboBox2, fiLowBand1);
    f().BitBtn1Click();
    ASSERT_EQ(f().PageControl1->currentIndex(), 1);
    const double lowPassPeak = OutputSamples[2600];
    refs().NRememberOutput->trigger();
    ASSERT_EQ(refs().Curves().Count(), 1);
    EXPECT_TRUE(refs().NClearReferences->isEnabled());

    // A filter chosen on the charts' page runs at once; the reference keeps
    // the first-order low-pass's output though the arrays now hold another.
    f().N19Click();
    ASSERT_NE(OutputSamples[2600], lowPassPeak);
    TKeeper* r = refs().Curves().Get(0);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->GetSample(2600), lowPassPeak);
    EXPECT_EQ(r->GetName(), "ФНЧ 1-го порядка, τ = 100 мс, K = 1, прямоугольный импульс");
    TDiagram* d = f().DiagramFrame2->Diagram;
    EXPECT_EQ(d->GetKeeper(0)->GetName(), "СФ для прямоугольного импульса, K = 1, прямоугольный импульс");
    EXPECT_FALSE(d->GetLegendRect().isEmpty());

    // A choice changed on the bench page, without a run, does not rename
    // what is on show.
    f().PageControl1->setCurrentIndex(0);
    Choose(f().ComboBox2, fiChebishev);
    f().EditFloat4->SetVal(50);
    refs().NRememberOutput->trigger();
    ASSERT_EQ(refs().Curves().Count(), 2);
    EXPECT_EQ(refs().Curves().Get(1)->GetName(),
              "СФ для прямоугольного импульса, K = 1, прямоугольный импульс");
    f().BitBtn1Click();
    EXPECT_EQ(d->GetKeeper(0)->GetName(),
              "ФНЧ с П - образной АЧХ, fc = 50 Гц, K = 1, прямоугольный импульс");
    EXPECT_EQ(refs().Curves().Count(), 2);

    // The data of the output chart carry the references as columns.
    // The data of the output chart name each run by its legend text.
    const std::string csv = ChartCsv(*d);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
              "\xEF\xBB\xBFt, мс;"
              "ФНЧ с П - образной АЧХ, fc = 50 Гц, K = 1, прямоугольный импульс, мВ;"
              "ФНЧ 1-го порядка, τ = 100 мс, K = 1, прямоугольный импульс, мВ;"
              "СФ для прямоугольного импульса, K = 1, прямоугольный импульс, мВ");
    const std::string input = ChartCsv(*f().DiagramFrame1->Diagram);
    EXPECT_EQ(input.substr(0, input.find("\r\n")), "\xEF\xBB\xBFt, мс;sвх(t), B");

    refs().NClearReferences->trigger();
    EXPECT_EQ(refs().Curves().Count(), 0);
    EXPECT_EQ(d->GetKeeperListLength(), 1);
    EXPECT_TRUE(d->GetLegendRect().isEmpty());
    EXPECT_FALSE(refs().NClearReferences->isEnabled());
    EXPECT_TRUE(messages.Messages().empty());
}

} // namespace
