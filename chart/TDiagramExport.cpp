// Export of the chart's picture: always black on white and at the widget's
// own size, whatever the screen's pixel ratio.
#include <QClipboard>
#include <QGuiApplication>

#include "base/MessageHook.h"
#include "chart/BitmapFile.h"
#include "chart/SaveDialog.h"
#include "chart/TDiagram.h"

namespace {
const char* const kNoDialog = "Не удаётся сохранить файл. Не достаточно памяти.";
} // namespace

QImage TDiagram::ExportPicture() {
    Exporting = true;
    SetPrintMode();
    const QImage picture = Picture;
    Exporting = false;
    ResetPrintMode();
    return picture;
}

void TDiagram::CopyToClipboard() {
    const QImage picture = ExportPicture();
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->setImage(picture);
    }
}

void TDiagram::SaveBmpFile() {
    QString fileName;
    switch (AskBitmapFileName(this, QStringLiteral("Диаграмма.bmp"), fileName)) {
    case TSaveDialogResult::Accepted:
        SaveBmpFile(fileName);
        break;
    case TSaveDialogResult::Unavailable:
        ShowMessage(kNoDialog);
        break;
    case TSaveDialogResult::Cancelled:
        break;
    }
}

bool TDiagram::SaveBmpFile(const QString& name) {
    const QString fileName = ChosenBitmapFileName(name);
    return !fileName.isEmpty() && WriteBitmapFile(ExportPicture(), fileName);
}
