#pragma once
// Shared set-up of the window tests: a main window with its description
// window, the splash put away at once, and the bench's globals as at start.

#include <QApplication>
#include <QStringList>
#include <memory>
#include <ostream>

#include "app/TForm1.h"
#include "app/TForm2.h"
#include "base/MessageHook.h"
#include "chart/SaveDialog.h"

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

// Closes every splash window still up (each puts its cursor back) and lets
// the closed ones go.
void CloseSplashes();

// Depth of the application's override-cursor stack, measured by popping it
// and pushing the same shapes back.
int OverrideCursorDepth();

class FormFixture {
  public:
    FormFixture();
    ~FormFixture();
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TForm2> form2;
    MessageRecorder messages;
};

// Answers every save dialog with name while it lives, and keeps the proposed
// names.
class SaveAnswer {
  public:
    explicit SaveAnswer(QString name) {
        previous =
            SetSaveDialogHook([this, name](QWidget*, const QString& initial, QString& chosen) {
                asked << initial;
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
