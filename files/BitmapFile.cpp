#include "files/BitmapFile.h"

#include <QImageWriter>

#include "base/MessageHook.h"
#include "files/DocumentFile.h"

TSaveRequest BitmapSaveRequest(TDocumentKind kind, const QString& initialName) {
    return {kind,
            initialName,
            QStringLiteral("Bitmaps (*.bmp)"),
            QStringLiteral("bmp"),
            TExtensionRule::CorrectToBmp,
            TReplaceCheck::Dialog};
}

QString CorrectBitmapFileName(const QString& fileName) {
    // The extension starts at the last point of the final name component; a
    // point in a folder name is none.
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
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

QString ChosenBitmapFileName(const QString& fileName) {
    const QString corrected = CorrectBitmapFileName(fileName);
    // The dialog asked about the name as chosen, in the words of this question.
    if (corrected != fileName && !AskReplace(corrected)) {
        return QString();
    }
    return corrected;
}

bool WriteBitmapFile(const QImage& image, const QString& fileName) {
    return WriteDocument(fileName, [&image](QIODevice& file, QString& error) {
        if (image.isNull()) {
            // A picture of no size (a chart squeezed to nothing) makes no
            // file, and the user asked for one.
            error = QStringLiteral("Рисунок пуст: у него нет ни одной точки.");
            return false;
        }
        QImageWriter writer(&file, "bmp");
        if (!writer.write(image)) {
            error = writer.errorString();
            return false;
        }
        return true;
    });
}
