#include "files/SaveAs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <new>
#include <utility>

#include "base/MessageHook.h"
#include "files/BitmapFile.h"

namespace {

SaveDialogHook& Hook() {
    static SaveDialogHook hook;
    return hook;
}

TSaveDialogResult RunFileDialog(QWidget* parent, const TSaveRequest& request, QString& fileName) {
    QFileDialog* dialog = new (std::nothrow) QFileDialog(parent);
    if (dialog == nullptr) {
        return TSaveDialogResult::Unavailable;
    }
    // Qt's own dialog speaks the program's language; a desktop's dialog
    // would speak the desktop's.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, request.Replace != TReplaceCheck::Dialog);
    dialog->setNameFilter(request.NameFilter);
    dialog->setDefaultSuffix(request.DefaultSuffix);
    dialog->selectFile(request.InitialName);
    TSaveDialogResult result = TSaveDialogResult::Cancelled;
    if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty()) {
        fileName = dialog->selectedFiles().constFirst();
        result = TSaveDialogResult::Accepted;
    }
    delete dialog;
    return result;
}

TSaveDialogResult AskFileName(QWidget* parent, const TSaveRequest& request, QString& fileName) {
    if (Hook()) {
        return Hook()(parent, request, fileName);
    }
    return RunFileDialog(parent, request, fileName);
}

// The name to write for the name chosen, empty when the user declined to
// replace the file it names.
QString NameToWrite(const TSaveRequest& request, const QString& chosen) {
    const QString name =
        request.Extension == TExtensionRule::CorrectToBmp ? CorrectBitmapFileName(chosen) : chosen;
    // The dialog asked only about the name as chosen, and only if it checks.
    const bool asked = request.Replace == TReplaceCheck::Dialog && name == chosen;
    return asked || AskReplace(name) ? name : QString();
}

} // namespace

bool SaveAs(QWidget* parent, const TSaveRequest& request, const DocumentWriter& write) {
    QString chosen;
    switch (AskFileName(parent, request, chosen)) {
    case TSaveDialogResult::Accepted:
        break;
    case TSaveDialogResult::Unavailable:
        ShowError("Не удаётся сохранить файл. Не достаточно памяти.");
        return false;
    case TSaveDialogResult::Cancelled:
        return false;
    }
    const QString fileName = chosen.isEmpty() ? QString() : NameToWrite(request, chosen);
    return !fileName.isEmpty() && write(fileName);
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

SaveDialogHook SetSaveDialogHook(SaveDialogHook hook) {
    return std::exchange(Hook(), std::move(hook));
}
