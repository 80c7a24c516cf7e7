#include "chart/SaveDialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <new>
#include <utility>

#include "base/MessageHook.h"

namespace {

SaveDialogHook& Hook() {
    static SaveDialogHook hook;
    return hook;
}

TSaveDialogResult RunFileDialog(QWidget* parent, const QString& initialName,
                                const QString& nameFilter, const QString& defaultSuffix,
                                bool confirmOverwrite, QString& fileName) {
    QFileDialog* dialog = new (std::nothrow) QFileDialog(parent);
    if (dialog == nullptr) {
        return TSaveDialogResult::Unavailable;
    }
    // Qt's own dialog speaks the program's language; a desktop's dialog
    // would speak the desktop's.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, !confirmOverwrite);
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
    return RunFileDialog(parent, initialName, nameFilter, defaultSuffix, true, fileName);
}

TSaveDialogResult AskCsvFileName(QWidget* parent, const QString& initialName, QString& fileName) {
    if (Hook()) {
        return Hook()(parent, initialName, fileName);
    }
    return RunFileDialog(parent, initialName, QStringLiteral("CSV (*.csv)"), QStringLiteral("csv"),
                         false, fileName);
}

bool AskReplace(const QString& fileName) {
    if (!QFileInfo::exists(fileName)) {
        return true;
    }
    const QString question =
        QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?")
            .arg(QDir::toNativeSeparators(fileName));
    return AskQuestion(question.toStdString());
}

QString ChosenFileName(TSaveDialogResult result, const QString& fileName) {
    switch (result) {
    case TSaveDialogResult::Accepted:
        return fileName;
    case TSaveDialogResult::Unavailable:
        ShowMessage("Не удаётся сохранить файл. Не достаточно памяти.");
        break;
    case TSaveDialogResult::Cancelled:
        break;
    }
    return QString();
}

SaveDialogHook SetSaveDialogHook(SaveDialogHook hook) {
    return std::exchange(Hook(), std::move(hook));
}
