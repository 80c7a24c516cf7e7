#pragma once
// The session's work written aside after every change, so that a crash or a
// killed session loses at most the last WriteDelay of it, and offered back
// at the next start.
//
// The files live in one folder (the user's data folder) in slots:
// journal-recovery-<n>.json beside its lock journal-recovery-<n>.lock,
// n = 1 .. Slots. A running copy of the program holds the lock of its own
// slot for as long as it runs, so two copies never write one file and none
// offers a live copy's file; a lock whose process is gone is taken over.
// A copy takes the first slot it can lock that holds no file: the files in
// the other slots it can lock were left by sessions that ended without a
// clean exit, and only those are offered back. A copy that finds no slot
// (all held by live copies) writes no file.

#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

#include "bench/CLabSession.h"

class QLockFile;

class TRecoveryFile : public QObject, private CLabSessionObserver {
    Q_OBJECT

  public:
    // The write follows the first change by this delay, taking every change
    // made meanwhile with it: a burst (a menu choice re-running the charts,
    // rows removed, a restore) is written once, and «Пуск» never waits for
    // a write. Half a second is less than a student needs for the next
    // action, so a crash loses at most the last one.
    static constexpr int WriteDelay = 500; // ms
    static constexpr int Slots = 8;

    // The user's data folder, where the program keeps its recovery files.
    static QString DefaultFolder();

    // Takes a slot in folder (made if missing) and writes session's work
    // there after each change; session must outlive this object.
    TRecoveryFile(CLabSession& session, const QString& folder, QObject* parent = nullptr);
    // Not a clean exit: a pending write is made and the file stays, for the
    // next start to offer.
    ~TRecoveryFile() override;

    // The file this session writes; empty when it has none.
    QString FileName() const;
    // The file of slot n (1 .. Slots) in folder.
    static QString SlotFileName(const QString& folder, int n);

    // Writes what is pending now rather than after the delay; with nothing
    // in the session the file is removed instead. Returns whether the file
    // holds the session's work. The first failure is told (naming the
    // file); the following ones are not, until a write succeeds again.
    bool WriteNow();

    // Offers back what earlier sessions left, one question for each file
    // («Восстановить журнал прошлого сеанса?», Yes on Return): Yes adds its
    // rows to the session, unsaved, No sets the file aside (renamed with a
    // time stamp, never deleted). A damaged or foreign file is told in one
    // message and set aside. Acts once; returns the number of rows restored.
    int OfferRestore();

    // The clean exit: nothing more is written, this session's file is
    // removed and its lock let go. Files of earlier sessions that were not
    // offered yet stay for the next start.
    void Finish();

  private:
    void Changed() override;
    // Takes the first free slot; false when none could be taken.
    bool TakeSlot();
    static QString SlotLockName(const QString& folder, int n);
    // Offers the file of another slot, whose lock the caller holds.
    int OfferFile(const QString& fileName);
    // Renames fileName with a time stamp beside it; the new name, or an
    // empty one when it could not be renamed.
    static QString SetAside(const QString& fileName);

    CLabSession& Session;
    QString Folder;
    QTimer WriteTimer;
    int Own = 0; // slot number, 0 for none
    std::unique_ptr<QLockFile> OwnLock;
    bool FolderUnusable = false; // no lock could be made there at all
    bool Offered = false;
    bool Finished = false;
    bool FailureTold = false;
};
