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
    // Every click and every automatic repeat arrives here once.
    connect(Next, &QToolButton::clicked, this, [this] { emit Click(btNext); });
    connect(Prev, &QToolButton::clicked, this, [this] { emit Click(btPrev); });
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

// Press and release are reported around the button's own handling, so that a
// host sees MouseDown before the first step and MouseUp after the last one.
bool TArrowPair::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Next && watched != Prev) {
        return QWidget::eventFilter(watched, event);
    }
    auto* button = static_cast<QToolButton*>(watched);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && button->isEnabled()) {
            emit MouseDown();
        }
        return false;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && button->isEnabled()) {
            // Let the button finish its click first; it may be deleted by
            // what the click does, so only the pair is touched afterwards.
            event->accept();
            static_cast<QObject*>(button)->event(event);
            emit MouseUp();
            return true;
        }
        return false;
    default:
        return false;
    }
}
