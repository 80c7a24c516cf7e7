#pragma once
// The application object of the bench. An exception that escapes any event
// handler is shown to the user with its text and ends the program with a
// non-zero status; nothing is swallowed silently.

#include <QApplication>
#include <QString>
#include <functional>
#include <string>

class TLabApplication : public QApplication {
    Q_OBJECT

  public:
    TLabApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Whether an exception has ended (or is ending) the program.
    static bool Failed() { return FailedFlag; }

    // Runs step; an exception leaving it is reported (see SetFailureReport)
    // and makes the result false.
    static bool Guarded(const std::function<void()>& step);

    // How a failure is told: a modal message box with the exception's text,
    // unless replaced (tests record it instead). Returns the previous one.
    using FailureReport = std::function<void(const std::string& text)>;
    static FailureReport SetFailureReport(FailureReport report);

  private:
    static bool FailedFlag;
};

// The program's name as the user reads it (its desktop entry's name): the
// title of its message boxes. It is not Qt's application display name, which
// the X11 platform would append to every window's caption.
QString ProgramTitle();

// Names the application, gives it its icon and Qt's own texts in Russian;
// called once, right after the application object is made.
void PrepareApplication();

// Shows texts of the numeric layers in a modal message box with OK: notices
// (ShowMessage) with the information icon, errors (ShowError) with the
// warning icon; their questions (AskQuestion) in one with Yes and No, and
// their choices (AskChoice) in one with the choice's buttons in their order.
void InstallMessageBoxHandler();
