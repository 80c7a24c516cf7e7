#include "app/OutputReferences.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "app/TForm1.h"
#include "chart/TDiagram.h"
#include "controls/TDiagramFrame.h"

TOutputReferences::TOutputReferences(TForm1& form)
    : QObject(&form), References(*form.DiagramFrame2->Diagram) {
    setObjectName(QStringLiteral("OutputReferences"));
    NRememberOutput = new QAction(QStringLiteral("Запомнить выход"), &form);
    NRememberOutput->setObjectName(QStringLiteral("NRememberOutput"));
    NClearReferences = new QAction(QStringLiteral("Очистить опорные"), &form);
    NClearReferences->setObjectName(QStringLiteral("NClearReferences"));
    connect(NRememberOutput, &QAction::triggered, this, &TOutputReferences::RememberOutput);
    connect(NClearReferences, &QAction::triggered, this, &TOutputReferences::ClearReferences);

    if (QMenu* bench = form.menuBar()->findChild<QMenu*>(QStringLiteral("N2"))) {
        bench->addSeparator()->setObjectName(QStringLiteral("NReferences"));
        bench->addAction(NRememberOutput);
        bench->addAction(NClearReferences);
    }
    for (TDiagramFrame* frame : {form.DiagramFrame1, form.DiagramFrame2}) {
        frame->PopupMenu->addSeparator();
        frame->PopupMenu->addAction(NRememberOutput);
        frame->PopupMenu->addAction(NClearReferences);
    }
    UpdateItems();
}

void TOutputReferences::RunShown(const CBenchSetup& setup) {
    Shown = setup;
    References.SetBaseName(DescribeSetup(setup));
    UpdateItems();
}

void TOutputReferences::RememberOutput() {
    // Named by the run it comes from, whatever the choices say by now.
    if (Shown) {
        References.Remember(DescribeSetup(*Shown));
    }
    UpdateItems();
}

void TOutputReferences::ClearReferences() {
    References.Clear();
    UpdateItems();
}

void TOutputReferences::UpdateItems() {
    NRememberOutput->setEnabled(Shown.has_value());
    NClearReferences->setEnabled(References.Count() > 0);
}
