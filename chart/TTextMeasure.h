#pragma once
// Text measured in one font, each measurement made once while the font stays
// the same. A chart is redrawn far more often than its fonts change, and every
// measurement (a font lookup, a text shaped) costs as much as drawing it.
//
// The font is recognised by identity: a QFont copy shares its data with the
// original until either is changed, so a font that was not set anew is known
// without comparing it, and one changed in any way is measured afresh.

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QString>
#include <optional>

// font with grey antialiasing only: coloured fringes would break the
// black-on-white export. The chart draws its texts in this form.
QFont Unhinted(QFont font);

class TTextMeasure {
  public:
    // Measures in font from now on (call it before anything else), or in its
    // unhinted form (Unhinted above) when unhinted. Results for another font
    // are dropped.
    void Use(const QFont& font, bool unhinted);
    // The font measured in, to draw with: the same object on every call, so
    // that the painter finds its glyphs without a new lookup.
    const QFont& Font() const { return Measured; }
    const QFontMetrics& Metrics() const { return *Fm; }
    // QFontInfo's pixel size of the font.
    int PixelSize();
    // Advance width of text, and of the digit "0" alone.
    int Width(const QString& text);
    int DigitWidth();

  private:
    QFont Source;
    bool SourceUnhinted = false;
    bool Valid = false;
    QFont Measured;
    std::optional<QFontMetrics> Fm;
    int Pixel = -1;
    int Digit = -1;
    QHash<QString, int> Widths;
};
