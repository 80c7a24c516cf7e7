#include "app/OutputReferences.h"

#include <QAction>
#include <QMenu>

#include "bench/CLabSession.h"
#include "chart/TDiagram.h"

static_assert(CLabSession::MaxKeptOutputs == TReferenceCurves::MaxReferences,
              "the chart shows every output the session keeps");

namespace {

void Show(TReferenceCurves& references, const CKeptOutput& kept) {
    references.Keep(DescribeSetup(kept.Setup), kept.Output.data(),
                    static_cast<int>(kept.Output.size()), kept.ArgMin, kept.ArgMax, kept.Slot);
}

} // namespace

void ShowKeptOutputs(TReferenceCurves& references, const CBenchRun& run,
                     const std::vector<CKeptOutput>& kept) {
    references.SetBaseName(DescribeSetup(run.Setup));
    for (const CKeptOutput& k : kept) {
        Show(references, k);
    }
}

TOutputReferences::TOutputReferences(QObject* owner, TDiagram& chart, CLabSession& session)
    : QObject(owner), Session(session), References(chart) {
    setObjectName(QStringLiteral("OutputReferences"));
    NRememberOutput = new QAction(QStringLiteral("Запомнить выход"), this);
    NRememberOutput->setObjectName(QStringLiteral("NRememberOutput"));
    NClearReferences = new QAction(QStringLiteral("Очистить опорные"), this);
    NClearReferences->setObjectName(QStringLiteral("NClearReferences"));
    connect(NRememberOutput, &QAction::triggered, this, &TOutputReferences::RememberOutput);
    connect(NClearReferences, &QAction::triggered, this, &TOutputReferences::ClearReferences);
    UpdateItems();
}

void TOutputReferences::AddItemsTo(QMenu* menu, std::function<bool()> applies) {
    QAction* separator = menu->addSeparator();
    separator->setObjectName(QStringLiteral("NReferences"));
    menu->addAction(NRememberOutput);
    menu->addAction(NClearReferences);
    if (!applies) {
        return;
    }
    // The items are shared with the other menus, so they are shown again
    // when this one closes.
    auto show = [this, separator](bool on) {
        for (QAction* a : {separator, NRememberOutput, NClearReferences}) {
            a->setVisible(on);
        }
    };
    connect(menu, &QMenu::aboutToShow, this, [show, applies] { show(applies()); });
    connect(menu, &QMenu::aboutToHide, this, [show] { show(true); });
}

void TOutputReferences::RunShown() {
    if (Session.LastRun()) {
        References.SetBaseName(DescribeSetup(Session.LastRun()->Setup));
    }
    UpdateItems();
}

void TOutputReferences::RememberOutput() {
    // Named by the run it comes from, whatever the choices say by now.
    if (Session.KeepLastOutput()) {
        Show(References, Session.KeptOutputs().back());
    }
    UpdateItems();
}

void TOutputReferences::ClearReferences() {
    Session.ClearKeptOutputs();
    References.Clear();
    UpdateItems();
}

void TOutputReferences::UpdateItems() {
    NRememberOutput->setEnabled(Session.LastRun().has_value());
    NClearReferences->setEnabled(!Session.KeptOutputs().empty());
}
