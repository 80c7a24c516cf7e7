// Export of the chart's picture: always black on white. A copy is drawn at
// the screen's pixel ratio, as sharp as the chart on screen; a saved bitmap
// keeps the widget's size, which is the size a BMP file is shown at (it
// carries no pixel ratio) and the size a student's report expects.
#include <QClipboard>
#include <QGuiApplication>
#include <utility>

#include "chart/TDiagram.h"
#include "files/BitmapFile.h"

QImage TDiagram::ExportPicture(qreal ratio) {
    ExportRatio = ratio > 0 ? ratio : 1.0;
    SetPrintMode();
    const QImage picture = Picture;
    ExportRatio = 0;
    ResetPrintMode();
    return picture;
}

QImage TDiagram::RenderPicture(qreal ratio, TLegendPlace legend) {
    // The screen's picture, crosshair and layout, is put aside and back, so
    // that the print leaves no trace on screen, whatever it does with the
    // legend.
    QImage screen = std::move(Picture);
    const bool feelerDrawn = FeelerDrawn;
    const int net[4] = {xb_net, yb_net, w_net, h_net};
    const TScale scale = Scale;
    const QRect legendRect = LegendRect;
    const TNetMargins margins = DrawnMargins;
    const double steps[2] = {GridStepX, GridStepY};
    Picture = QImage();
    ExportRatio = ratio > 0 ? ratio : 1.0;
    Render(legend);
    ExportRatio = 0;
    QImage rendered = std::move(Picture);
    Picture = std::move(screen);
    FeelerDrawn = feelerDrawn;
    xb_net = net[0];
    yb_net = net[1];
    w_net = net[2];
    h_net = net[3];
    Scale = scale;
    LegendRect = legendRect;
    DrawnMargins = margins;
    GridStepX = steps[0];
    GridStepY = steps[1];
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
    SaveAs(this, BitmapSaveRequest(TDocumentKind::ChartPicture, QStringLiteral("Диаграмма.bmp")),
           [this](const QString& fileName) { return WriteBitmapFile(ExportPicture(), fileName); });
}

bool TDiagram::SaveBmpFile(const QString& name) {
    const QString fileName = ChosenBitmapFileName(name);
    return !fileName.isEmpty() && WriteBitmapFile(ExportPicture(), fileName);
}
