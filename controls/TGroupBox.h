#pragma once
// A group box drawn as the bench's window layouts expect: the frame's top
// line runs through the middle of the title, which interrupts it, so the
// frame encloses the whole box below half a text line and the controls placed
// in it sit inside the frame. (Some styles put the title above the frame
// instead, which squeezes the frame's contents against its top edge.) The
// title is drawn in the box's own font. Not meant to be checkable.

#include <QGroupBox>

class TGroupBox : public QGroupBox {
    Q_OBJECT

  public:
    explicit TGroupBox(QWidget* parent = nullptr);

    // Top of the frame in the box's pixels: half the title's line height.
    int FrameTop() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
};
