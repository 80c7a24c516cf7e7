#include "controls/SaveImageToBmp.h"

#include <QImage>

#include "chart/BitmapFile.h"
#include "chart/SaveDialog.h"
#include "controls/TImage.h"

bool SaveImageToBmp(QWidget* parent, const QImage& picture) {
    if (picture.isNull()) {
        return false;
    }
    QString fileName;
    fileName = ChosenFileName(
        AskBitmapFileName(parent, QStringLiteral("Рисунок.bmp"), fileName), fileName);
    if (fileName.isEmpty()) {
        return false;
    }
    const QString name = ChosenBitmapFileName(fileName);
    return !name.isEmpty() && WriteBitmapFile(picture, name);
}

void SaveImageToBmp(TImage* image) {
    if (image == nullptr || image->IsEmpty()) {
        return;
    }
    SaveImageToBmp(image, image->GetPicture());
}
