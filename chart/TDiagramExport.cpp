// Export of the chart's picture: always black on white and at the widget's
// own size, whatever the screen's pixel ratio.
#include <QClipboard>
#include <QGuiApplication>
#include <utility>

#include "chart/TDiagram.h"
#include "files/BitmapFile.h"

QImage TDiagram::ExportPicture() {
    ExportRatio = 1.0;
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
    const QImage picture = ExportPicture();
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->setImage(picture);
    }
}

void TDiagram::SaveBmpFile() {
    SaveAs(this, BitmapSaveRequest(TDocumentKind::ChartPicture, QStringLiteral("Диаграмма.bmp")),
           [this](const QString& fileName) { return WriteBitmapFile(ExportPicture(), fileName); });
}

bool TDiagram::SaveBmpFile(const QString& name) {
    const QString fileName = ChosenBitmapFileName(name);
    return !fileName.isEmpty() && WriteBitmapFile(ExportPicture(), fileName);
}
