#include "controls/TArrowPair.h"

#include <QEvent>
#include <QMouseEvent>
#include <QToolButton>

TArrowPair::TArrowPair(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), Orientation(orientation) {
    const bool vertical = orientation == Qt::Vertical;
    Next = new QToolButton(this);
    Prev = new QToolButton(this);
    Next->setObjectName(QStringLiteral("Next"));
    Prev->setObjectName(QStringLiteral("Prev"));
    Next->setArrowType(vertical ? Qt::UpArrow : Qt::RightArrow);
    Prev->setArrowType(vertical ? Qt::DownArrow : Qt::LeftArrow);
    for (QToolButton* b : {Next, Prev}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        // Arrows this small have no room for the style's icon margins.
        b->setIconSize(QSize(6, 6));
        b->installEventFilter(this);
    }
    // A held arrow steps at the press (see eventFilter) and then at every
    // automatic repeat; the click that ends the hold is no further step.
    // A click made by the program, with no mouse held, is one step.
    connect(Next, &QToolButton::clicked, this, [this] { ButtonClicked(btNext); });
    connect(Prev, &QToolButton::clicked, this, [this] { ButtonClicked(btPrev); });
    resize(vertical ? QSize(16, 30) : QSize(30, 16));
    LayOut();
}

void TArrowPair::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

// The next arrow is the upper (vertical) or the right (horizontal) half.
void TArrowPair::LayOut() {
    const int w = width();
    const int h = height();
    if (Orientation == Qt::Vertical) {
        const int half = h / 2;
        Next->setGeometry(0, 0, w, half);
        Prev->setGeometry(0, half, w, h - half);
    } else {
        const int half = w / 2;
        Prev->setGeometry(0, 0, half, h);
        Next->setGeometry(half, 0, w - half, h);
    }
}

void TArrowPair::ButtonClicked(TUDBtnType type) {
    if (!Releasing) {
        emit Click(type);
    }
}

// Press and release are reported around the button's own handling, so that a
// host sees MouseDown before the first step and MouseUp after the last one.
bool TArrowPair::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Next && watched != Prev) {
        return QWidget::eventFilter(watched, event);
    }
    auto* button = static_cast<QToolButton*>(watched);
    const bool left = (event->type() == QEvent::MouseButtonPress ||
                       event->type() == QEvent::MouseButtonDblClick ||
                       event->type() == QEvent::MouseButtonRelease) &&
                      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
                      button->isEnabled();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (left) {
            emit MouseDown();
            // The button goes down (and starts repeating) first; the first
            // step follows at once, before the mouse comes up.
            event->accept();
            static_cast<QObject*>(button)->event(event);
            if (button->isDown()) {
                emit Click(button == Next ? btNext : btPrev);
            }
            return true;
        }
        return false;
    case QEvent::MouseButtonRelease:
        if (left) {
            // The button finishes its click first (no step: the press made
            // it), so that MouseUp comes after the last step.
            event->accept();
            Releasing = true;
            static_cast<QObject*>(button)->event(event);
            Releasing = false;
            emit MouseUp();
            return true;
        }
        return false;
    default:
        return false;
    }
}
