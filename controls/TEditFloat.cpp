#include "controls/TEditFloat.h"

#include "base/MessageHook.h"
#include "base/RangeCorrection.h"

#include <QKeyEvent>
#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

namespace {
const char* const BadTextCorrected =
    "Строка ввода имеет некорректный формат или пуста. \n Произведена коррекция.";
const char* const BadTextRestored =
    "Строка ввода имеет некорректный формат или пуста. \n Значение параметра восстановлено.";
const char* const MaxRefused = "TEditInt: Максимальное значение должно быть больше минимального.";
const char* const MinRefused = "TEditInt: Минимальное значение должно быть меньше максимального.";

QString DecimalSeparator() {
    return QLocale().decimalPoint();
}

bool IsDecimalMark(QChar ch) {
    return ch == QLatin1Char('.') || ch == QLatin1Char(',');
}

// The digits of x as "%g" writes them in the C locale with `precision`
// significant digits: ASCII digits, '-', '.', 'e'. to_chars rounds exactly
// like "%g" but ignores the C library's locale.
std::string DigitText(double x, int precision) {
    char buffer[100];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::general, precision);
    return std::string(buffer, result.ptr);
}

// Qt's own locale texts are not used for display: in many locales they carry
// native digits, bidirectional marks before the minus or exponents such as
// "×10^", which no reader takes back reliably. The field writes plain digits
// with the locale's separator, and ReadNumber reads exactly that in every
// locale.
QString LocalText(const std::string& digits) {
    return QString::fromLatin1(digits.data(), static_cast<qsizetype>(digits.size()))
        .replace(QLatin1Char('.'), DecimalSeparator());
}

// The value of a text with the locale's separator, an optional sign and an
// optional exponent introduced by E or e; nothing for a malformed, empty,
// overflowing or non-finite text.
std::optional<double> ReadNumber(const QString& source) {
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    double x = locale.toDouble(source, &ok);
    if (!ok) {
        // Some locales write their exponent and minus other than with E, e
        // and '-'; the field reads those in every locale.
        QString plain = source;
        const QString separator = locale.decimalPoint();
        const qsizetype at = plain.indexOf(separator);
        if (at >= 0) {
            plain.replace(at, separator.size(), QLatin1Char('.'));
        }
        QLocale c = QLocale::c();
        c.setNumberOptions(QLocale::RejectGroupSeparator);
        x = c.toDouble(plain, &ok);
    }
    if (!ok || !std::isfinite(x)) {
        return std::nullopt;
    }
    return x;
}
} // namespace

TEditFloat::TEditFloat(QWidget* parent) : QLineEdit(parent) {
    TypingLimit = FittedLimit = maxLength();
    connect(this, &QLineEdit::textChanged, this,
            [this](const QString& now) { FitLimit(static_cast<int>(now.size())); });
    ValToText();
}

void TEditFloat::SetMax(double x) {
    if (!std::isfinite(x)) {
        return;
    }
    if (x < Min) {
        ShowMessage(MaxRefused);
        return;
    }
    Max = x;
    if (Val > Max) {
        SetVal0(Max);
    } else {
        KeepShownInside();
    }
}

void TEditFloat::SetMin(double x) {
    if (!std::isfinite(x)) {
        return;
    }
    if (x > Max) {
        ShowMessage(MinRefused);
        return;
    }
    Min = x;
    if (Val < Min) {
        SetVal0(Min);
    } else {
        KeepShownInside();
    }
}

void TEditFloat::SetVal(double x) {
    SetVal0(x);
    TextToVal();
}

void TEditFloat::LoadDescription(const TEditFloatDescription& d) {
    if (d.CorrType) {
        SetCorrType(*d.CorrType);
    }
    if (d.CorrMsg) {
        SetCorrMsg(*d.CorrMsg);
    }
    if (d.Max) {
        SetMax(*d.Max);
    }
    if (d.Min) {
        SetMin(*d.Min);
    }
    if (d.Val) {
        SetVal(*d.Val);
    }
    if (d.ExpInp) {
        SetExpInp(*d.ExpInp);
    }
    if (d.GFormat) {
        SetGFormat(*d.GFormat);
    }
}

void TEditFloat::SetVal0(double x) {
    // A NaN has no place in the interval and no nearest bound; keeping the
    // value is the only answer that leaves Val meaningful.
    if (std::isnan(x)) {
        x = Val;
    }
    const CRangeCorrection corrected = CorrectToRange(x, Min, Max, CorrType, Val);
    if (corrected.Message != nullptr && CorrMsg) {
        ShowMessage(corrected.Message);
    }
    FModified = corrected.Value != Val;
    Val = corrected.Value;
    ValToText();
}

bool TEditFloat::GetModify() {
    const double old = Val;
    if (!TextToVal()) {
        if (CorrType) {
            if (CorrMsg) {
                ShowMessage(BadTextCorrected);
            }
            double middle = (Min + Max) * 0.5;
            if (!std::isfinite(middle)) { // the sum of two huge bounds overflows
                middle = Min * 0.5 + Max * 0.5;
            }
            Val = middle;
        } else {
            if (CorrMsg) {
                ShowMessage(BadTextRestored);
            }
            Val = old;
        }
    }
    const double entered = Val;
    Val = old;
    SetVal0(entered);
    return FModified;
}

void TEditFloat::ValToText() {
    // Six significant digits ("%g") or fifteen. The shown text must read back
    // to a value within [Min, Max]: rounded to that many digits, a value next
    // to a bound of more digits can fall outside it (0.1234564 gives
    // 0.123456), and one next to DBL_MAX overflows. Such a value is shown
    // with the fewest more digits that stay inside; seventeen are exact.
    QString shown;
    for (int precision = GFormat ? 6 : 15; precision <= 17; ++precision) {
        shown = LocalText(DigitText(Val, precision));
        const std::optional<double> x = ReadNumber(shown);
        if (x && *x >= Min && *x <= Max) {
            break;
        }
    }
    ShowText(shown);
    Shown = shown;
}

bool TEditFloat::TextToVal() {
    CorrectText();
    // "nan", "inf" and overflowing texts are no usable value.
    const std::optional<double> x = ReadNumber(text());
    if (!x) {
        return false;
    }
    Val = *x;
    return true;
}

void TEditFloat::CorrectText() {
    // The whole text is scanned whatever its length: QString carries its own
    // size, so a pasted megabyte is just a long scan.
    QString copy = text();
    for (qsizetype i = 0; i < copy.size(); ++i) {
        if (IsDecimalMark(copy.at(i))) {
            copy.replace(i, 1, DecimalSeparator());
            break;
        }
    }
    ShowText(copy);
}

void TEditFloat::KeepShownInside() {
    // A new bound can put the rounded display of an unchanged Val outside the
    // interval; left so, the next GetModify of a field nobody touched would
    // announce a correction. Typed text is the user's and stays.
    if (text() != Shown) {
        return;
    }
    const std::optional<double> x = ReadNumber(Shown);
    if (!x || *x < Min || *x > Max) {
        ValToText();
    }
}

void TEditFloat::ShowText(const QString& shown) {
    // A line edit cuts its text at the typing limit; a value must still be
    // shown whole, so the limit grows to fit it, and FitLimit lowers it again
    // as soon as the text gets shorter.
    if (shown.size() > maxLength()) {
        FitLimit(static_cast<int>(shown.size()));
    }
    if (shown != text()) {
        setText(shown); // FitLimit follows through textChanged
    } else {
        FitLimit(static_cast<int>(text().size()));
    }
}

void TEditFloat::FitLimit(int length) {
    // Any limit that differs from the one set here last was set by the host.
    if (maxLength() != FittedLimit) {
        TypingLimit = maxLength();
    }
    const int limit = std::max(TypingLimit, length);
    if (limit != maxLength()) {
        // setMaxLength sets the text anew, which moves the caret to the end and
        // drops the selection; a user in the middle of an edit keeps both.
        const int cursor = cursorPosition();
        const int start = selectionStart();
        const int selected = static_cast<int>(selectedText().size());
        setMaxLength(limit);
        if (start < 0) {
            setCursorPosition(cursor);
        } else if (cursor == start) {
            setSelection(start + selected, -selected);
        } else {
            setSelection(start, selected);
        }
    }
    FittedLimit = limit;
}

bool TEditFloat::Accepts(QChar ch) const {
    const QString t = text();
    const QString separator = DecimalSeparator();
    const bool isSeparator = IsDecimalMark(ch) || QString(ch) == separator;
    if (ExpInp) {
        return ch == QLatin1Char('-') || ch == QLatin1Char('+') || ch == QLatin1Char('e') ||
               ch == QLatin1Char('E') || isSeparator || ch == QLatin1Char('\b') ||
               (ch >= QLatin1Char('0') && ch <= QLatin1Char('9'));
    }
    const int caret = hasSelectedText() ? selectionStart() : cursorPosition();
    const bool hasMinus = t.contains(QLatin1Char('-'));
    if (ch == QLatin1Char('-') && Min < 0) {
        if (caret != 0) {
            return false;
        }
        return hasSelectedText() || !hasMinus;
    }
    if (isSeparator) {
        // A mark in front of the sign would make the text unreadable.
        const int end = hasSelectedText() ? selectionEnd() : caret;
        if (caret == 0 && t.mid(end).startsWith(QLatin1Char('-'))) {
            return false;
        }
        return !t.contains(QLatin1Char('.')) && !t.contains(QLatin1Char(',')) &&
               !t.contains(separator);
    }
    if (hasMinus && caret == 0) {
        return false;
    }
    return ch == QLatin1Char('\b') || (ch >= QLatin1Char('0') && ch <= QLatin1Char('9'));
}

void TEditFloat::keyPressEvent(QKeyEvent* event) {
    // Only keys that type a character are filtered. Moving the caret,
    // Delete, Escape (which belongs to the dialog) and the clipboard and undo
    // shortcuts keep their usual meaning; what they bring in is judged by
    // GetModify like any other text.
    const int key = event->key();
    QChar typed;
    if (key == Qt::Key_Backspace) {
        typed = QLatin1Char('\b');
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        typed = QLatin1Char('\r');
    } else if (key == Qt::Key_Delete || key == Qt::Key_Escape || event->text().isEmpty() ||
               event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut) ||
               event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Undo) ||
               event->matches(QKeySequence::Redo) || event->matches(QKeySequence::SelectAll)) {
        QLineEdit::keyPressEvent(event);
        return;
    } else if (event->text().size() == 1) {
        typed = event->text().at(0);
    } else {
        typed = QChar(0); // several characters at once: never one number character
    }
    if (!Accepts(typed)) {
        // Discarded: consumed here, so Enter neither submits nor reaches a
        // dialog's default button.
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

namespace Editfloat {
void Register() {}
} // namespace Editfloat
