#include "chart/SaveDialog.h"

#include <QFileDialog>
#include <new>
#include <utility>

namespace {

SaveDialogHook& Hook() {
    static SaveDialogHook hook;
    return hook;
}

TSaveDialogResult RunFileDialog(QWidget* parent, const QString& initialName,
                                const QString& nameFilter, const QString& defaultSuffix,
                                QString& fileName) {
    QFileDialog* dialog = new (std::nothrow) QFileDialog(parent);
    if (dialog == nullptr) {
        return TSaveDialogResult::Unavailable;
    }
    // Qt's own dialog speaks the program's language; a desktop's dialog
    // would speak the desktop's.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilter(nameFilter);
    dialog->setDefaultSuffix(defaultSuffix);
    dialog->selectFile(initialName);
    TSaveDialogResult result = TSaveDialogResult::Cancelled;
    if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty()) {
        fileName = dialog->selectedFiles().constFirst();
        result = TSaveDialogResult::Accepted;
    }
    delete dialog;
    return result;
}

} // namespace

TSaveDialogResult AskBitmapFileName(QWidget* parent, const QString& initialName,
                                    QString& fileName) {
    return AskSaveFileName(parent, initialName, QStringLiteral("Bitmaps (*.bmp)"),
                           QStringLiteral("bmp"), fileName);
}

TSaveDialogResult AskSaveFileName(QWidget* parent, const QString& initialName,
                                  const QString& nameFilter, const QString& defaultSuffix,
                                  QString& fileName) {
    if (Hook()) {
        return Hook()(parent, initialName, fileName);
    }
    return RunFileDialog(parent, initialName, nameFilter, defaultSuffix, fileName);
}

SaveDialogHook SetSaveDialogHook(SaveDialogHook hook) {
    return std::exchange(Hook(), std::move(hook));
}
