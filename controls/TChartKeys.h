#pragma once
// The keyboard on a chart of the chart windows. The chart takes the focus by
// Tab or a click, shows a focus frame while it has it, and then:
//   Left, Right        the crosshair to the previous or next sample of the
//                      current series, ten samples with Shift; one pixel (ten)
//                      where that series has no samples in view
//   Up, Down           the previous or next series with samples in view (in
//                      the chart's list) becomes the current one, the
//                      crosshair on its curve at the same argument
//   Enter, Return, Space  the crosshair on or off
//   Home               back to the initial limits, the crosshair (if on)
//                      where it stood
//   Menu, Shift+F10    the chart's pop-up menu
//   Ctrl+C             the picture to the clipboard
// A crosshair that a key puts on a sample stands on the curve (at the net's
// edge when the value lies beyond it), and its reading is the sample's own
// argument and value rather than those of its pixel, which the truncation to
// pixels would blur. The arrows act on a crosshair that is switched on; the
// first one draws it where it last stood, or at the middle of the net. When
// the focus goes to another widget, a crosshair drawn by a key goes too.
//
// The chart also gets its accessible name (its title, kept up to date) and a
// description of these keys.

#include <QObject>
#include <QString>

class QKeyEvent;
class TChartPopup;
class TDiagram;
class TKeeper;

class TChartKeys : public QObject {
    Q_OBJECT

  public:
    // Lets chart take the focus and handles its keys, as the chart's child;
    // popup (may be null) is what the menu keys open. The host deletes it
    // before the chart goes: a chart destroyed with the focus still sends
    // itself a focus-out, when its own members are gone.
    TChartKeys(TDiagram* chart, TChartPopup* popup);

    // Moves a shown crosshair by steps samples (pixels), to the right when
    // positive, within the samples (pixels) in view; draws it at its starting
    // place instead when none is drawn. Nothing while the crosshair is off.
    void Step(int steps);
    // Makes the series delta places on (back, when negative) among those with
    // samples in view the current one, and moves a shown crosshair onto it.
    void StepSeries(int delta);
    // Draws the crosshair at the argument where a key left it last, when that
    // is in view, else at the middle of the net; nothing while it is off.
    void Place();

    // The series the arrows step along: the current one, or the first with
    // samples in view; null when none has.
    TKeeper* CurrentSeries();
    // The sample a key put the crosshair on, while it stands there; -1 when
    // it stands elsewhere (moved by the mouse, stepped by pixels, or gone).
    long long GetSample() const;

    // The accessible description of every chart with these keys.
    static QString KeysDescription();

  signals:
    // Enter, Return or Space: the host switches the crosshair, keeping its
    // buttons in step; the crosshair, if on then, is placed at once.
    void ToggleRequested();
    // Home: the host returns the chart to its initial limits.
    void ReturnRequested();
    // Ctrl+C: the host copies the chart's picture.
    void CopyRequested();
    // A key moved the crosshair to chart pixel (x, y) (after the chart's
    // OnMouseMove for it); reading is the readout text "(x; y)".
    void FeelerMoved(int x, int y, const QString& reading);
    // The chart got (in) or lost the focus, after a crosshair drawn by a key
    // went with it.
    void FocusChanged(bool in, Qt::FocusReason reason);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum class TAction { None, Left, Right, Up, Down, Toggle, Home, Menu, Copy };
    static TAction ActionOf(const QKeyEvent* e);
    void Act(TAction action, const QKeyEvent* e);
    void ReturnToInitialLimits();
    // Whether the crosshair stands where a key drew it.
    bool KeyDrawn() const;
    // The focus went elsewhere: a crosshair drawn by a key goes.
    void LeaveChart();
    // The series with samples in view, in list order.
    TKeeper* SeriesInView(int delta, long long& lo, long long& hi);
    // The argument of the crosshair as drawn.
    double FeelerArgument() const;
    void MoveToArgument(double t);
    void MoveToSample(TKeeper& k, long long n);
    void MoveToPixel(int x, int y);
    void UpdateName();

    TDiagram* Chart;
    TChartPopup* Popup;
    // Compared with the chart's series only, never followed: it may be gone.
    const TKeeper* Current = nullptr;
    long long Sample = -1;
    int KeyX = 0, KeyY = 0; // where a key drew the crosshair
    double Anchor;          // the argument a key left it at; NaN for none
    Qt::KeyboardModifiers Modifiers = Qt::NoModifier;
};
