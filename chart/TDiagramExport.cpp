// Export of the chart's picture: always black on white. A copy is drawn at
// the screen's pixel ratio, as sharp as the chart on screen; a saved bitmap
// keeps the widget's size, which is the size a BMP file is shown at (it
// carries no pixel ratio) and the size a student's report expects.
#include <QClipboard>
#include <QGuiApplication>
#include <utility>

#include "chart/BitmapFile.h"
#include "chart/SaveDialog.h"
#include "chart/TDiagram.h"

QImage TDiagram::ExportPicture(qreal ratio) {
    ExportRatio = ratio > 0 ? ratio : 1.0;
    SetPrintMode();
    const QImage picture = Picture;
    ExportRatio = 0;
    ResetPrintMode();
    return picture;
}

QImage TDiagram::RenderPicture(qreal ratio) {
    // The screen's picture, crosshair and all, is put aside and back, so that
    // the print leaves no trace on screen.
    QImage screen = std::move(Picture);
    const bool feelerDrawn = FeelerDrawn;
    Picture = QImage();
    ExportRatio = ratio > 0 ? ratio : 1.0;
    Render();
    ExportRatio = 0;
    QImage rendered = std::move(Picture);
    Picture = std::move(screen);
    FeelerDrawn = feelerDrawn;
    return rendered;
}

void TDiagram::CopyToClipboard() {
    // The picture keeps its pixel ratio, so that Qt pastes it at the chart's size.
    const QImage picture = ExportPicture(PictureRatio());
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->setImage(picture);
    }
}

void TDiagram::SaveBmpFile() {
    QString fileName;
    fileName = ChosenFileName(
        AskBitmapFileName(this, QStringLiteral("Диаграмма.bmp"), fileName), fileName);
    if (!fileName.isEmpty()) {
        SaveBmpFile(fileName);
    }
}

bool TDiagram::SaveBmpFile(const QString& name) {
    const QString fileName = ChosenBitmapFileName(name);
    return !fileName.isEmpty() && WriteBitmapFile(ExportPicture(), fileName);
}
