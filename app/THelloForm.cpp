#include "app/THelloForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "app/SplashPicture.h"
#include "controls/TImage.h"

THelloForm::THelloForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("HelloForm");
    setAttribute(Qt::WA_DeleteOnClose);
    // The splash must never keep the program alive, nor end it by closing.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(SplashWidth, SplashHeight);
    setBackgroundRole(QPalette::Window);

    Image1 = new TImage(this);
    Image1->setObjectName("Image1");
    Image1->setGeometry(0, 0, SplashWidth, SplashHeight);
    Image1->SetPicture(QSize(SplashWidth, SplashHeight), [](QPainter& p) { PaintSplash(p); });
    connect(Image1, &TImage::OnClick, this, &THelloForm::FormClick);

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->geometry().center() - rect().center());
    }

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setSingleShot(true);
    Timer1->setInterval(5000);
    connect(Timer1, &QTimer::timeout, this, &THelloForm::Timer1Timer);
    Timer1->start();

    FormCreate();
}

THelloForm::~THelloForm() {
    // Destroyed without being closed (the program ended first): the cursor
    // stack must still be left as it was found.
    if (CursorShown) {
        QApplication::restoreOverrideCursor();
    }
}

void THelloForm::FormCreate() {
    QApplication::setOverrideCursor(Qt::BusyCursor);
    CursorShown = true;
}

void THelloForm::FormClick() {
    close();
}

void THelloForm::Timer1Timer() {
    Timer1->stop();
    close();
}

void THelloForm::FormClose() {
    Timer1->stop();
    if (CursorShown) {
        QApplication::restoreOverrideCursor();
        CursorShown = false;
    }
}

void THelloForm::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void THelloForm::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    FormClick();
}
