#include "controls/TGroupBox.h"

#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

namespace {
// Where the title starts, from the box's left edge.
constexpr int kTitleLeft = 8;
} // namespace

TGroupBox::TGroupBox(QWidget* parent) : QGroupBox(parent) {}

int TGroupBox::FrameTop() const {
    return fontMetrics().height() / 2;
}

void TGroupBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QString text = title();
    const QFontMetrics metrics = fontMetrics();
    const QRect titleRect(kTitleLeft, 0, text.isEmpty() ? 0 : metrics.horizontalAdvance(text),
                          metrics.height());
    // The title interrupts the line; whatever is behind the box shows
    // through there.
    painter.save();
    painter.setClipRegion(QRegion(rect()).subtracted(titleRect));
    // An etched line, dark with a light one beside it, drawn here rather
    // than by the style: styles may place their group frame below the title.
    qDrawShadeRect(&painter, rect().adjusted(0, FrameTop(), 0, 0), palette(), true, 1, 0);
    painter.restore();
    if (!text.isEmpty()) {
        style()->drawItemText(&painter, titleRect, Qt::AlignLeft | Qt::AlignVCenter, palette(),
                              isEnabled(), text, QPalette::WindowText);
    }
}
