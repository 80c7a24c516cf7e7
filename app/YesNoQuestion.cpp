#include "app/YesNoQuestion.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <utility>

namespace {
YesNoHook& Hook() {
    static YesNoHook hook;
    return hook;
}
} // namespace

bool AskYesNo(QWidget* parent, const QString& text) {
    if (Hook()) {
        return Hook()(parent, text);
    }
    return QMessageBox::question(parent, QCoreApplication::applicationName(), text,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

YesNoHook SetYesNoHook(YesNoHook hook) {
    return std::exchange(Hook(), std::move(hook));
}
