#pragma once
// A single-line number field holding one finite double Val within [Min, Max].
// Typing is filtered so that only a plain decimal number (or, in exponent-input
// mode, a number with an exponent) can be entered; whatever text reaches the
// field otherwise (paste, drag and drop, setText) is validated when the host
// calls GetModify. Corrections are announced through ShowMessage.
// Every text the field shows reads back, in every locale, to a value within
// [Min, Max]. A shown value longer than maxLength is shown whole; the typing
// limit comes back as soon as the text is shorter again, and typing never
// makes a text longer than max(maxLength, its present length).

#include <QLineEdit>
#include <optional>

// Property values as a window description stores them; an absent value keeps
// the field's current one.
struct TEditFloatDescription {
    std::optional<bool> CorrType;
    std::optional<bool> CorrMsg;
    std::optional<double> Max;
    std::optional<double> Min;
    std::optional<double> Val;
    std::optional<bool> ExpInp;
    std::optional<bool> GFormat;
};

class TEditFloat : public QLineEdit {
    Q_OBJECT
    // Declaration order is the order in which descriptions apply them: Max
    // before Min, both before Val.
    Q_PROPERTY(bool CorrType READ GetCorrType WRITE SetCorrType)
    Q_PROPERTY(bool CorrMsg READ GetCorrMsg WRITE SetCorrMsg)
    Q_PROPERTY(double Max READ GetMax WRITE SetMax)
    Q_PROPERTY(double Min READ GetMin WRITE SetMin)
    Q_PROPERTY(double Val READ GetVal WRITE SetVal)
    Q_PROPERTY(bool ExpInp READ GetExpInp WRITE SetExpInp)
    Q_PROPERTY(bool GFormat READ GetGFormat WRITE SetGFormat)

  public:
    // A new field holds 0 in [0, 1] and shows "0".
    explicit TEditFloat(QWidget* parent = nullptr);

    // true: a bad entry moves to the violated bound (unreadable text to the
    // midpoint); false: the value held before the entry is restored.
    bool GetCorrType() const { return CorrType; }
    void SetCorrType(bool x) { CorrType = x; }
    // Whether every correction is announced.
    bool GetCorrMsg() const { return CorrMsg; }
    void SetCorrMsg(bool x) { CorrMsg = x; }
    // Upper bound. Refused with a message when below Min; NaN and infinities
    // are ignored. Lowering it below Val moves Val to it silently.
    double GetMax() const { return Max; }
    void SetMax(double x);
    // Lower bound. Refused with a message when above Max; NaN and infinities
    // are ignored. Raising it above Val moves Val to it silently.
    double GetMin() const { return Min; }
    void SetMin(double x);
    // The value; after SetVal it equals the value of the shown text, which may
    // differ from x by the display's rounding but stays within [Min, Max].
    double GetVal() const { return Val; }
    void SetVal(double x);
    // Exponent-input mode of the keystroke filter.
    bool GetExpInp() const { return ExpInp; }
    void SetExpInp(bool x) { ExpInp = x; }
    // true: "%g" display (six significant digits), false: fifteen; both in
    // ASCII digits with the locale's separator, and with up to seventeen
    // where fewer would read back outside [Min, Max].
    bool GetGFormat() const { return GFormat; }
    void SetGFormat(bool x) { GFormat = x; }

    // Applies the present properties of d in declaration order.
    void LoadDescription(const TEditFloatDescription& d);

    // Assigns x with range correction (and its message), records whether Val
    // changed, and shows the result. NaN leaves Val as it is.
    void SetVal0(double x);
    // Reads, converts and corrects the text, stores it in Val, shows the
    // corrected value and returns whether Val changed. Any text is handled.
    bool GetModify();
    void ValToText();
    // Converts the text to Val; false (Val unchanged) for an empty, malformed
    // or non-finite text.
    bool TextToVal();
    // Turns the first '.' or ',' of the text into the locale's separator.
    void CorrectText();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // Whether the typed character ch may enter the field.
    bool Accepts(QChar ch) const;
    // Sets the text even when it is longer than the typing limit.
    void ShowText(const QString& shown);
    // Keeps the line edit's limit at the host's typing limit, raised only as
    // far as the text now in the field needs (length characters).
    void FitLimit(int length);
    // Shows Val again when the untouched display no longer reads back within
    // the bounds.
    void KeepShownInside();

    bool FModified = false;
    bool CorrType = true;
    bool CorrMsg = false;
    double Max = 1.0;
    double Min = 0.0;
    double Val = 0.0;
    bool ExpInp = false;
    bool GFormat = true;

    QString Shown;       // the text ValToText showed last
    int TypingLimit = 0; // the host's maxLength
    int FittedLimit = 0; // the maxLength that FitLimit set last
};

namespace Editfloat {
// Palette registration for a form designer; nothing to do at run time.
void Register();
} // namespace Editfloat
