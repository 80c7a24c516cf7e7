#pragma once
// The splash window: a title card on top of everything while the program
// starts. It goes by itself after Timer1's interval (5 s) or at a click, shows
// the application-starting cursor meanwhile, and frees itself when closed.

#include <QWidget>

class QTimer;
class TImage;

class THelloForm : public QWidget {
    Q_OBJECT

  public:
    explicit THelloForm(QWidget* parent = nullptr);
    ~THelloForm() override;

    TImage* Image1;  // the 400 x 300 title card, filling the window
    QTimer* Timer1;  // single shot, 5000 ms, running from construction

    // The application-starting cursor over the whole program.
    void FormCreate();
    // A click on the window or its picture closes it.
    void FormClick();
    // The interval is over: stop the timer and close.
    void Timer1Timer();

  protected:
    // Puts the cursor back; the window then frees itself.
    void closeEvent(QCloseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void FormClose();
    // Whether this window's cursor is still on the application's cursor stack.
    bool CursorShown = false;
};
