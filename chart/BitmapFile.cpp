#include "chart/BitmapFile.h"

#include <QImageWriter>
#include <QSaveFile>

#include "base/MessageHook.h"

QString CorrectBitmapFileName(const QString& fileName) {
    // The extension starts at the last point of the final name component; a
    // point in a folder name is none.
    const int slash = fileName.lastIndexOf(QLatin1Char('/'));
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    const bool hasExt = dot > slash;
    const QString ext = hasExt ? fileName.mid(dot).toLower() : QString();
    if (ext == QLatin1String(".bmp")) {
        return fileName;
    }
    ShowMessage((fileName + QStringLiteral(":\nФормат файлов ") + ext +
                 QStringLiteral(" не поддерживается.Произведена коррекция."))
                    .toStdString());
    return (hasExt ? fileName.left(dot) : fileName) + QStringLiteral(".bmp");
}

bool WriteBitmapFile(const QImage& image, const QString& fileName) {
    if (image.isNull()) {
        return false;
    }
    QSaveFile file(fileName);
    QString error;
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok) {
        QImageWriter writer(&file, "bmp");
        ok = writer.write(image);
        if (ok) {
            ok = file.commit();
            if (!ok) {
                error = file.errorString();
            }
        } else {
            error = writer.errorString();
            file.cancelWriting();
        }
    } else {
        error = file.errorString();
    }
    if (!ok) {
        ShowMessage(
            (QStringLiteral("Не удаётся записать файл ") + fileName + QStringLiteral(".\n") + error)
                .toStdString());
    }
    return ok;
}
