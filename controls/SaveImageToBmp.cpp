#include "controls/SaveImageToBmp.h"

#include <QImage>

#include "controls/TImage.h"
#include "files/BitmapFile.h"

bool SaveImageToBmp(QWidget* parent, const QImage& picture) {
    if (picture.isNull()) {
        return false;
    }
    return SaveAs(
        parent, BitmapSaveRequest(TDocumentKind::Picture, QStringLiteral("Рисунок.bmp")),
        [&picture](const QString& fileName) { return WriteBitmapFile(picture, fileName); });
}

void SaveImageToBmp(TImage* image) {
    if (image == nullptr || image->IsEmpty()) {
        return;
    }
    SaveImageToBmp(image, image->GetPicture());
}
