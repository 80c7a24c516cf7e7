// How the main window ends, and what keeps the student's work meanwhile: the
// question on closing with unsaved work, and the recovery file that survives
// a crash and is offered back at the next start.
#include <QCloseEvent>
#include <QTabWidget>
#include <QTimer>

#include "app/TForm1.h"
#include "app/TForm2.h"
#include "app/THelloForm.h"
#include "app/TJournalPage.h"
#include "app/TRecoveryFile.h"
#include "base/MessageHook.h"
#include "controls/TDiagramIncrease.h"

void TForm1::EnableRecovery(const QString& folder) {
    RecoveryFile = std::make_unique<TRecoveryFile>(Session, folder);
    // The question waits for the splash, which would stand in front of it;
    // queued, so that it is not asked while the splash is being destroyed.
    if (HelloForm) {
        connect(HelloForm, &QObject::destroyed, this, &TForm1::OfferRecovery, Qt::QueuedConnection);
    } else {
        QTimer::singleShot(0, this, &TForm1::OfferRecovery);
    }
}

void TForm1::OfferRecovery() {
    if (RecoveryFile && RecoveryFile->OfferRestore() > 0) {
        PageControl1->setCurrentWidget(JournalPage);
    }
}

void TForm1::N5Click() {
    // The same way out as the window's close button, through one question.
    close();
}

bool TForm1::MayClose() {
    if (!Session.HasUnsavedWork()) {
        return true;
    }
    enum { Save, DontSave, Cancel };
    switch (AskChoice("Сохранить журнал перед выходом?", {"Сохранить", "Не сохранять", "Отмена"},
                      Save, Cancel)) {
    case Save:
        // A cancelled or failed save keeps the window, and the journal, open.
        return JournalPage->SaveCsv();
    case DontSave:
        return true;
    default:
        return false;
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    // A second close while the question or the save dialog is up (the
    // session ending, say) waits for the first one's answer.
    if (AskingToClose) {
        event->ignore();
        return;
    }
    AskingToClose = true;
    const bool mayClose = MayClose();
    AskingToClose = false;
    if (!mayClose) {
        event->ignore();
        return;
    }
    // The program ends with the main window: a modal window still open
    // (description or enlarged chart) is closed first, while the charts it
    // may refer to are still there, so that its loop ends and it lets go.
    if (DiagramIncrease && DiagramIncrease->isVisible()) {
        DiagramIncrease->close();
    }
    if (Form2 && Form2->isVisible()) {
        Form2->close();
    }
    if (HelloForm) {
        HelloForm->close();
    }
    // A clean exit: the work is saved or was let go on purpose.
    if (RecoveryFile) {
        RecoveryFile->Finish();
    }
    QMainWindow::closeEvent(event);
}
