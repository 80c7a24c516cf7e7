#include "chart/DocumentFile.h"

#include <QIODevice>
#include <QSaveFile>

#include "base/MessageHook.h"

bool WriteDocument(const QString& fileName,
                   const std::function<bool(QIODevice& file, QString& error)>& write) {
    QSaveFile file(fileName);
    QString error;
    bool ok = file.open(QIODevice::WriteOnly);
    if (!ok) {
        error = file.errorString();
    } else if (!write(file, error)) {
        ok = false;
        file.cancelWriting();
    } else if (!file.commit()) {
        // A write that failed on the way (a full disk) surfaces here.
        ok = false;
        error = file.errorString();
    }
    if (!ok) {
        ShowMessage(
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
