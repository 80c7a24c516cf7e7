#include "app/TRecoveryFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QLockFile>
#include <QStandardPaths>
#include <optional>

#include "app/RecoveryDocument.h"
#include "base/MessageHook.h"
#include "files/DocumentFile.h"

namespace {

std::optional<CRecoveredWork> ReadRecoveryFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxRecoveryFileSize) {
        return std::nullopt;
    }
    // Read no more than the cap, also from a file that grows meanwhile.
    return ReadRecoveryDocument(file.read(MaxRecoveryFileSize + 1));
}

std::unique_ptr<QLockFile> SlotLock(const QString& lockName) {
    auto lock = std::make_unique<QLockFile>(lockName);
    // Only a lock whose process is gone is stale: a copy that has run for
    // hours still holds its own.
    lock->setStaleLockTime(0);
    return lock;
}

QString Native(const QString& fileName) {
    return QDir::toNativeSeparators(fileName);
}

} // namespace

QString TRecoveryFile::DefaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

TRecoveryFile::TRecoveryFile(CLabSession& session, const QString& folder, QObject* parent)
    : QObject(parent), Session(session), Folder(folder) {
    WriteTimer.setSingleShot(true);
    WriteTimer.setInterval(WriteDelay);
    connect(&WriteTimer, &QTimer::timeout, this, &TRecoveryFile::WriteNow);
    TakeSlot();
    Session.AddObserver(this);
    // Work done before this object came is written too.
    if (Session.HoldsWork()) {
        Changed();
    }
}

TRecoveryFile::~TRecoveryFile() {
    Session.RemoveObserver(this);
    if (WriteTimer.isActive()) {
        // The program is going anyway: no message about this last write.
        FailureTold = true;
        WriteNow();
    }
}

QString TRecoveryFile::SlotFileName(const QString& folder, int n) {
    return QDir(folder).filePath(QStringLiteral("journal-recovery-%1.json").arg(n));
}

QString TRecoveryFile::SlotLockName(const QString& folder, int n) {
    return QDir(folder).filePath(QStringLiteral("journal-recovery-%1.lock").arg(n));
}

QString TRecoveryFile::FileName() const {
    return Own > 0 ? SlotFileName(Folder, Own) : QString();
}

bool TRecoveryFile::TakeSlot() {
    if (Folder.isEmpty() || !QDir().mkpath(Folder)) {
        FolderUnusable = true;
        return false;
    }
    bool anyLockMade = false;
    for (int n = 1; n <= Slots; ++n) {
        std::unique_ptr<QLockFile> lock = SlotLock(SlotLockName(Folder, n));
        if (!lock->tryLock(0)) {
            anyLockMade = anyLockMade || lock->error() == QLockFile::LockFailedError;
            continue;
        }
        anyLockMade = true;
        // A file here was left by a session that did not end cleanly: it is
        // offered, never written over.
        if (!QFileInfo::exists(SlotFileName(Folder, n))) {
            Own = n;
            OwnLock = std::move(lock);
            break;
        }
    }
    FolderUnusable = !anyLockMade;
    return Own > 0;
}

void TRecoveryFile::Changed() {
    if (Own > 0 && !Finished && !WriteTimer.isActive()) {
        WriteTimer.start();
    }
}

bool TRecoveryFile::WriteNow() {
    WriteTimer.stop();
    if (Own == 0 || Finished) {
        return false;
    }
    if (!Session.HoldsWork()) {
        // Nothing a restore could give back.
        return !QFileInfo::exists(FileName()) || QFile::remove(FileName());
    }
    const QByteArray content = RecoveryDocument(Session);
    std::vector<std::string> failure;
    bool written = false;
    {
        // A failing write is told once, not after every change.
        MessageRecorder quiet;
        written = WriteDocument(FileName(), [&content](QIODevice& file, QString& error) {
            if (file.write(content) != content.size()) {
                error = file.errorString();
                return false;
            }
            return true;
        });
        failure = quiet.Take();
    }
    if (!written && !FailureTold) {
        for (const std::string& text : failure) {
            ShowError(text);
        }
    }
    FailureTold = !written;
    return written;
}

QString TRecoveryFile::SetAside(const QString& fileName) {
    const QFileInfo info(fileName);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int copy = 1; copy < 100; ++copy) {
        const QString suffix = copy == 1 ? QString() : QStringLiteral("-%1").arg(copy);
        const QString aside = info.dir().filePath(info.completeBaseName() + QLatin1Char('-') +
                                                  stamp + suffix + QStringLiteral(".json"));
        if (!QFileInfo::exists(aside)) {
            return QFile::rename(fileName, aside) ? aside : QString();
        }
    }
    return QString();
}

int TRecoveryFile::OfferFile(const QString& fileName) {
    const std::optional<CRecoveredWork> work = ReadRecoveryFile(fileName);
    if (!work) {
        const QString aside = SetAside(fileName);
        QString text = QStringLiteral("Файл восстановления журнала повреждён или записан не этой "
                                      "программой, и журнал из него не восстановлен:\n") +
                       Native(fileName) + QLatin1Char('\n');
        text += aside.isEmpty()
                    ? QStringLiteral("Переименовать файл не удалось; он оставлен как есть.")
                    : QStringLiteral("Файл не удалён: он переименован в ") + Native(aside) +
                          QLatin1Char('.');
        ShowError(text.toStdString());
        return 0;
    }
    if (work->Empty()) {
        QFile::remove(fileName); // holds nothing to give back
        return 0;
    }
    if (AskChoice("Восстановить журнал прошлого сеанса?", {"Да", "Нет"}, 0, 1) != 0) {
        SetAside(fileName);
        return 0;
    }
    Session.AddRows(work->Rows);
    // What this session has not been given yet.
    if (Session.Student().Empty()) {
        Session.SetStudent(work->Student);
    }
    if (Session.Conclusions().empty()) {
        Session.SetConclusions(work->Conclusions);
    }
    Session.MarkUnsaved();
    // The old file goes only once its rows are in this session's own file.
    if (WriteNow()) {
        QFile::remove(fileName);
    } else {
        SetAside(fileName);
    }
    return static_cast<int>(work->Rows.size());
}

int TRecoveryFile::OfferRestore() {
    if (Offered || Finished) {
        return 0;
    }
    Offered = true;
    if (FolderUnusable) {
        ShowError((QStringLiteral("Журнал этого сеанса не будет сохраняться для восстановления "
                                    "после сбоя: нет доступа к папке ") +
                     Native(Folder) + QLatin1Char('.'))
                        .toStdString());
        return 0;
    }
    int restored = 0;
    for (int n = 1; n <= Slots; ++n) {
        const QString fileName = SlotFileName(Folder, n);
        if (n == Own || !QFileInfo::exists(fileName)) {
            continue;
        }
        std::unique_ptr<QLockFile> lock = SlotLock(SlotLockName(Folder, n));
        // A live copy's file is not offered; and another copy starting now
        // may have handled this one first.
        if (lock->tryLock(0) && QFileInfo::exists(fileName)) {
            restored += OfferFile(fileName);
        }
    }
    // Every slot may have held a file at the start; some are free now.
    if (Own == 0 && TakeSlot() && Session.HoldsWork()) {
        Changed();
    }
    return restored;
}

void TRecoveryFile::Finish() {
    WriteTimer.stop();
    Finished = true;
    if (Own > 0) {
        QFile::remove(FileName());
        OwnLock.reset();
        Own = 0;
    }
}
