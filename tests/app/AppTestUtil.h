#pragma once
// Shared set-up of the window tests: a main window with its description
// window, the splash put away at once, and the bench's globals as at start.

#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>
#include <ostream>

#include "app/TForm1.h"
#include "app/TForm2.h"
#include "app/TStudentForm.h"
#include "base/MessageHook.h"
#include "files/SaveAs.h"

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

// Closes every splash window still up (each puts its cursor back) and lets
// the closed ones go.
void CloseSplashes();

// Depth of the application's override-cursor stack, measured by popping it
// and pushing the same shapes back.
int OverrideCursorDepth();

class QMessageBox;

// The program's own message boxes for questions, messages and choices while
// it lives; the handlers found are put back when it goes.
class RealMessageBoxes {
  public:
    RealMessageBoxes();
    ~RealMessageBoxes();
    RealMessageBoxes(const RealMessageBoxes&) = delete;
    RealMessageBoxes& operator=(const RealMessageBoxes&) = delete;

  private:
    MessageHandler message;
    QuestionHandler question;
    ChoiceHandler choice;
};

// Acts on the next message box that comes up modally, once. It polls, since
// the box comes up inside a call that returns only when the box has gone.
class NextMessageBox {
  public:
    explicit NextMessageBox(std::function<void(QMessageBox& box)> act);
    bool Seen() const { return seen; }

  private:
    QTimer poll;
    bool seen = false;
};

// Answers the report's form of the student's name, group and teacher with
// student while it lives (as typed before, when not given), and keeps how
// often it was asked.
class StudentAnswer {
  public:
    StudentAnswer();
    explicit StudentAnswer(CStudentInfo student, bool accept = true);
    ~StudentAnswer();
    StudentAnswer(const StudentAnswer&) = delete;
    StudentAnswer& operator=(const StudentAnswer&) = delete;
    int asked = 0;

  private:
    StudentFormHook previous;
};

class FormFixture {
  public:
    FormFixture();
    ~FormFixture();
    // The report's form goes on as filled in before.
    StudentAnswer student;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TForm2> form2;
    MessageRecorder messages;
};

// Answers the save dialog of the document kind with name while it lives, and
// cancels any other; keeps the names that every dialog proposed.
class SaveAnswer {
  public:
    SaveAnswer(TDocumentKind kind, QString name) {
        previous = SetSaveDialogHook(
            [this, kind, name](QWidget*, const TSaveRequest& request, QString& chosen) {
                asked << request.InitialName;
                if (request.Kind != kind) {
                    return TSaveDialogResult::Cancelled;
                }
                chosen = name;
                return TSaveDialogResult::Accepted;
            });
    }
    ~SaveAnswer() { SetSaveDialogHook(previous); }
    SaveAnswer(const SaveAnswer&) = delete;
    SaveAnswer& operator=(const SaveAnswer&) = delete;
    QStringList asked;

  private:
    SaveDialogHook previous;
};
