#pragma once
// A pair of small arrow buttons that step something up or down: up/down when
// vertical, left/right when horizontal. Holding an arrow repeats it. The pair
// keeps no position of its own; it only reports which arrow was pressed.

#include <QWidget>

class QToolButton;

class TArrowPair : public QWidget {
    Q_OBJECT

  public:
    // Next is up (vertical) or right (horizontal); previous is down or left.
    enum TUDBtnType { btNext, btPrev };

    // The host gives the pair its size (for instance 16 x 30 or 30 x 16);
    // the two arrows share it equally.
    TArrowPair(Qt::Orientation orientation, QWidget* parent = nullptr);

    Qt::Orientation GetOrientation() const { return Orientation; }
    // The arrow buttons themselves (object names "Next" and "Prev").
    QToolButton* GetButton(TUDBtnType button) const { return button == btNext ? Next : Prev; }

  signals:
    // Once when an arrow is pressed and once per automatic repeat while it
    // is held; nothing more when it is let go.
    void Click(TArrowPair::TUDBtnType button);
    // A mouse button went down on either arrow, before the first Click.
    void MouseDown();
    // The mouse button came up again, after the last Click.
    void MouseUp();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void LayOut();
    void ButtonClicked(TUDBtnType type);

    Qt::Orientation Orientation;
    QToolButton* Next = nullptr;
    QToolButton* Prev = nullptr;
    // An arrow's release is being handled: its click is no step.
    bool Releasing = false;
};
