#include "chart/TTextMeasure.h"

#include <QFontInfo>
#include <QLatin1Char>

namespace {

// Distinct texts remembered at most: tick labels of a chart being scrolled
// keep coming, and a full table is simply started again.
constexpr qsizetype kMaxWidths = 4096;

} // namespace

QFont Unhinted(QFont font) {
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    return font;
}

void TTextMeasure::Use(const QFont& font, bool unhinted) {
    if (Valid && font.isCopyOf(Source) && unhinted == SourceUnhinted) {
        return;
    }
    Source = font;
    SourceUnhinted = unhinted;
    Valid = true;
    Measured = unhinted ? Unhinted(font) : font;
    Fm.emplace(Measured);
    Pixel = -1;
    Digit = -1;
    Widths.clear();
}

int TTextMeasure::PixelSize() {
    if (Pixel < 0) {
        Pixel = QFontInfo(Measured).pixelSize();
    }
    return Pixel;
}

int TTextMeasure::Width(const QString& text) {
    const auto found = Widths.constFind(text);
    if (found != Widths.constEnd()) {
        return *found;
    }
    if (Widths.size() >= kMaxWidths) {
        Widths.clear();
    }
    const int width = Fm->horizontalAdvance(text);
    Widths.insert(text, width);
    return width;
}

int TTextMeasure::DigitWidth() {
    if (Digit < 0) {
        Digit = Fm->horizontalAdvance(QLatin1Char('0'));
    }
    return Digit;
}
