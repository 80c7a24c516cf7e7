#include "chart/TextOut.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRect>

void TextOut(QPainter& p, const QFontMetrics& fm, int x, int top, const QString& text) {
    // On a denser picture the font's own line height is finer than the
    // widget's whole pixels; the text and its background are kept to the rows
    // they cover at ratio 1, so that they do not eat into a line beneath.
    const bool dense = p.device() != nullptr && p.device()->devicePixelRatio() != 1.0;
    if (dense) {
        p.save();
        p.setClipRect(
            QRect(x - fm.height(), top, fm.horizontalAdvance(text) + 2 * fm.height(), fm.height()),
            p.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    }
    p.setBackgroundMode(Qt::OpaqueMode);
    p.drawText(x, top + fm.ascent(), text);
    p.setBackgroundMode(Qt::TransparentMode);
    if (dense) {
        p.restore();
    }
}
