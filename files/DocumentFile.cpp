#include "files/DocumentFile.h"

#include <QFileInfo>
#include <QIODevice>
#include <QSaveFile>

#include "base/MessageHook.h"

namespace {

// Why a file could not be made in its folder, in words the user can act on;
// error, the system's own words, when it is neither a missing folder nor one
// that refuses writing.
QString OpenFailure(const QString& fileName, const QString& error) {
    const QFileInfo folder(QFileInfo(fileName).absolutePath());
    if (!folder.exists()) {
        return QStringLiteral("Папка ") + folder.filePath() + QStringLiteral(" не существует.");
    }
    if (folder.isDir() && !folder.isWritable()) {
        return QStringLiteral("В папку ") + folder.filePath() + QStringLiteral(" нельзя записать.");
    }
    return error;
}

} // namespace

bool WriteDocument(const QString& fileName,
                   const std::function<bool(QIODevice& file, QString& error)>& write) {
    QSaveFile file(fileName);
    QString error;
    bool ok = file.open(QIODevice::WriteOnly);
    if (!ok) {
        // The temporary file is made in the target's folder, so this is
        // where a missing or locked folder shows.
        error = OpenFailure(fileName, file.errorString());
    } else if (!write(file, error)) {
        ok = false;
        file.cancelWriting();
    } else if (!file.commit()) {
        // A write that failed on the way (a full disk) surfaces here.
        ok = false;
        error = file.errorString();
    }
    if (!ok) {
        ShowError(
            (QStringLiteral("Не удаётся записать файл ") + fileName + QStringLiteral(".\n") + error)
                .toStdString());
    }
    return ok;
}

bool WriteTextFile(const std::string& text, const QString& fileName) {
    return WriteDocument(fileName, [&text](QIODevice& file, QString& error) {
        const qint64 size = static_cast<qint64>(text.size());
        if (file.write(text.data(), size) != size) {
            error = file.errorString();
            return false;
        }
        return true;
    });
}
