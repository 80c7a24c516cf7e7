#include "controls/SaveImageToBmp.h"

#include <QImage>

#include "base/MessageHook.h"
#include "chart/BitmapFile.h"
#include "chart/SaveDialog.h"
#include "controls/TImage.h"

bool SaveImageToBmp(QWidget* parent, const QImage& picture) {
    if (picture.isNull()) {
        return false;
    }
    QString fileName;
    switch (AskBitmapFileName(parent, QStringLiteral("Рисунок.bmp"), fileName)) {
    case TSaveDialogResult::Accepted:
        break;
    case TSaveDialogResult::Unavailable:
        ShowMessage("Не удаётся сохранить файл. Не достаточно памяти.");
        return false;
    case TSaveDialogResult::Cancelled:
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
