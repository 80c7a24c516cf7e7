#include "controls/TChartKeys.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "chart/TDiagram.h"
#include "controls/TChartPopup.h"
#include "controls/TChartTools.h"

namespace {

// The pixel rule of the index estimates below puts them right within a few
// samples; more would mean a scale gone wrong, and the search stops.
constexpr int kMaxCorrection = 64;

bool HasStoredSamples(const TKeeper& k) {
    return k.IsVisible() && k.GetDataKind() >= dkFloatArray && k.GetCount() > 0;
}

double Argument(const TKeeper& k, long long n) {
    return k.GetCount() > 1 ? k.GetXmin() + static_cast<double>(n) * k.GetStep() : k.GetXmin();
}

// The pixel columns strictly inside the net, where the crosshair may stand.
bool InsideColumns(const TDiagram& c, int& first, int& last) {
    first = c.Get_xb_net() + 1;
    last = c.Get_xe_net() - 1;
    return first <= last && c.Get_yb_net() + 1 <= c.Get_ye_net() - 1;
}

// Samples lo .. hi of k are those whose pixel columns lie inside the net.
bool SamplesInView(const TDiagram& c, const TKeeper& k, long long& lo, long long& hi) {
    int first = 0, last = 0;
    if (!HasStoredSamples(k) || !InsideColumns(c, first, last)) {
        return false;
    }
    const auto column = [&](long long n) { return c.MathToPhisX(Argument(k, n)); };
    const long long end = k.GetCount() - 1;
    const double step = k.GetStep();
    if (end == 0 || !(step > 0) || !std::isfinite(step)) {
        lo = hi = 0;
        return first <= column(0) && column(0) <= last;
    }
    // Estimates from the arguments at the inside's edges, then put right by
    // the very pixel test, which the truncation to pixels decides.
    const auto index = [&](double t, bool up) {
        const double m = (t - k.GetXmin()) / step;
        const double r = up ? std::ceil(m) : std::floor(m);
        return static_cast<long long>(
            std::clamp(std::isfinite(r) ? r : 0.0, 0.0, static_cast<double>(end)));
    };
    lo = index(c.PhisToMathX(first), true);
    hi = index(c.PhisToMathX(last + 1), false);
    for (int i = 0; i < kMaxCorrection && lo <= end && column(lo) < first; ++i) {
        ++lo;
    }
    for (int i = 0; i < kMaxCorrection && lo > 0 && column(lo - 1) >= first; ++i) {
        --lo;
    }
    for (int i = 0; i < kMaxCorrection && hi >= 0 && column(hi) > last; ++i) {
        --hi;
    }
    for (int i = 0; i < kMaxCorrection && hi < end && column(hi + 1) <= last; ++i) {
        ++hi;
    }
    return lo <= hi && lo <= end && hi >= 0;
}

// The sample of lo .. hi nearest to argument t.
long long NearestSample(const TKeeper& k, double t, long long lo, long long hi) {
    const double m = (t - k.GetXmin()) / (k.GetCount() > 1 ? k.GetStep() : 1.0);
    if (!std::isfinite(m)) {
        return lo;
    }
    return std::llround(std::clamp(m, static_cast<double>(lo), static_cast<double>(hi)));
}

// Sample n of k as its reading scales it.
double Value(TKeeper& k, long long n) {
    const double v = k.GetSample(static_cast<int>(n));
    return k.GetScale() != 1.0 ? v * k.GetScale() : v;
}

} // namespace

TChartKeys::TChartKeys(TDiagram* chart, TChartPopup* popup)
    : QObject(chart), Chart(chart), Popup(popup), Anchor(std::numeric_limits<double>::quiet_NaN()) {
    chart->setFocusPolicy(Qt::StrongFocus);
    chart->setAccessibleDescription(KeysDescription());
    chart->installEventFilter(this);
    UpdateName();
    connect(chart, &TDiagram::Drawn, this, &TChartKeys::UpdateName);
}

QString TChartKeys::KeysDescription() {
    return QStringLiteral("Enter — перекрестие; стрелки влево и вправо — перекрестие по отсчётам, "
                          "с Shift — по десять; вверх и вниз — другой график; "
                          "Home — исходные пределы; Shift+F10 — меню");
}

void TChartKeys::UpdateName() {
    if (Chart->accessibleName() != Chart->GetNameDiagram()) {
        Chart->setAccessibleName(Chart->GetNameDiagram());
    }
}

TChartKeys::TAction TChartKeys::ActionOf(const QKeyEvent* e) {
    if (e->matches(QKeySequence::Copy)) {
        return TAction::Copy;
    }
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    const bool plain = mods == Qt::NoModifier;
    const bool stepping = plain || mods == Qt::ShiftModifier;
    switch (e->key()) {
    case Qt::Key_Left:
        return stepping ? TAction::Left : TAction::None;
    case Qt::Key_Right:
        return stepping ? TAction::Right : TAction::None;
    case Qt::Key_Up:
        return plain ? TAction::Up : TAction::None;
    case Qt::Key_Down:
        return plain ? TAction::Down : TAction::None;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        return plain ? TAction::Toggle : TAction::None;
    case Qt::Key_Home:
        return plain ? TAction::Home : TAction::None;
    case Qt::Key_Menu:
        return TAction::Menu;
    case Qt::Key_F10:
        return mods == Qt::ShiftModifier ? TAction::Menu : TAction::None;
    default:
        return TAction::None;
    }
}

bool TChartKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Chart) {
        return false;
    }
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // The chart's keys are the chart's while it has the focus, whatever
        // shortcuts the window around it has.
        if (ActionOf(static_cast<QKeyEvent*>(event)) != TAction::None) {
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyPress: {
        auto* e = static_cast<QKeyEvent*>(event);
        const TAction action = ActionOf(e);
        if (action != TAction::None) {
            Act(action, e);
            e->accept();
            return true;
        }
        break;
    }
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const bool in = event->type() == QEvent::FocusIn;
        if (!in && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            LeaveChart();
        }
        emit FocusChanged(in, reason);
        break;
    }
    default:
        break;
    }
    return false;
}

void TChartKeys::Act(TAction action, const QKeyEvent* e) {
    Modifiers = e->modifiers();
    const int steps = e->modifiers() & Qt::ShiftModifier ? 10 : 1;
    switch (action) {
    case TAction::Left:
        Step(-steps);
        break;
    case TAction::Right:
        Step(steps);
        break;
    case TAction::Up:
        StepSeries(-1);
        break;
    case TAction::Down:
        StepSeries(1);
        break;
    case TAction::Toggle:
        emit ToggleRequested();
        Place();
        break;
    case TAction::Home:
        ReturnToInitialLimits();
        break;
    case TAction::Menu:
        if (Popup != nullptr) {
            Popup->PopupFromKeyboard();
        }
        break;
    case TAction::Copy:
        emit CopyRequested();
        break;
    case TAction::None:
        break;
    }
    Modifiers = Qt::NoModifier;
}

// The new drawing takes the crosshair away; a crosshair that is on comes
// back at once, where it stood when that is still in view.
void TChartKeys::ReturnToInitialLimits() {
    if (Chart->GetShowFeeler() && Chart->GetFeelerDrawn()) {
        Anchor = FeelerArgument();
    }
    emit ReturnRequested();
    if (!Chart->GetFeelerDrawn()) {
        Place();
    }
}

TKeeper* TChartKeys::SeriesInView(int delta, long long& lo, long long& hi) {
    std::vector<TKeeper*> series;
    int current = -1;
    for (TKeeper* k = Chart->GetKeeper(0); k != nullptr && series.size() < 256; k = k->GetNext()) {
        long long a = 0, b = 0;
        if (SamplesInView(*Chart, *k, a, b)) {
            if (k == Current) {
                current = static_cast<int>(series.size());
            }
            series.push_back(k);
        }
    }
    if (series.empty()) {
        return nullptr;
    }
    const int last = static_cast<int>(series.size()) - 1;
    const int i = current < 0 ? 0 : std::clamp(current + delta, 0, last);
    if (series[i] != Current) {
        Current = series[i];
        Sample = -1;
    }
    SamplesInView(*Chart, *series[i], lo, hi);
    return series[i];
}

TKeeper* TChartKeys::CurrentSeries() {
    long long lo = 0, hi = 0;
    return SeriesInView(0, lo, hi);
}

bool TChartKeys::KeyDrawn() const {
    return Chart->GetFeelerDrawn() && Chart->GetFeelerX() == KeyX && Chart->GetFeelerY() == KeyY;
}

long long TChartKeys::GetSample() const {
    return KeyDrawn() ? Sample : -1;
}

// As the mouse takes the crosshair away when it leaves the net, the keyboard
// does when it leaves the chart; the next key draws it again where it stood.
void TChartKeys::LeaveChart() {
    if (KeyDrawn()) {
        Anchor = FeelerArgument();
        Chart->SetShowFeeler(false);
        Chart->SetShowFeeler(true);
    }
}

double TChartKeys::FeelerArgument() const {
    // A key's sample is read at its own argument, not at its pixel's.
    return GetSample() >= 0 ? Anchor : Chart->PhisToMathX(Chart->GetFeelerX());
}

void TChartKeys::Place() {
    if (!Chart->GetShowFeeler()) {
        return;
    }
    const bool anchored =
        std::isfinite(Anchor) && Chart->GetXmin() <= Anchor && Anchor <= Chart->GetXmax();
    MoveToArgument(anchored ? Anchor : (Chart->GetXmin() + Chart->GetXmax()) / 2);
}

void TChartKeys::Step(int steps) {
    if (!Chart->GetShowFeeler()) {
        return;
    }
    if (!Chart->GetFeelerDrawn()) {
        Place();
        return;
    }
    long long lo = 0, hi = 0;
    if (TKeeper* k = SeriesInView(0, lo, hi)) {
        long long n = GetSample();
        if (n < lo || n > hi) {
            n = NearestSample(*k, Chart->PhisToMathX(Chart->GetFeelerX()), lo, hi);
        }
        MoveToSample(*k, std::clamp(n + steps, lo, hi));
        return;
    }
    MoveToPixel(Chart->GetFeelerX() + steps, Chart->GetFeelerY());
}

void TChartKeys::StepSeries(int delta) {
    const bool drawn = Chart->GetShowFeeler() && Chart->GetFeelerDrawn();
    const double t = drawn ? FeelerArgument() : Anchor;
    long long lo = 0, hi = 0;
    if (SeriesInView(delta, lo, hi) == nullptr) {
        return;
    }
    if (drawn) {
        MoveToArgument(t);
    }
}

void TChartKeys::MoveToArgument(double t) {
    long long lo = 0, hi = 0;
    if (TKeeper* k = SeriesInView(0, lo, hi)) {
        MoveToSample(*k, NearestSample(*k, t, lo, hi));
        return;
    }
    const int y = Chart->GetFeelerDrawn() ? Chart->GetFeelerY()
                                          : (Chart->Get_yb_net() + Chart->Get_ye_net()) / 2;
    MoveToPixel(Chart->MathToPhisX(t), y);
}

void TChartKeys::MoveToSample(TKeeper& k, long long n) {
    int first = 0, last = 0;
    if (!InsideColumns(*Chart, first, last)) {
        return;
    }
    const double t = Argument(k, n);
    const double v = Value(k, n);
    const int top = Chart->Get_yb_net() + 1;
    const int bottom = Chart->Get_ye_net() - 1;
    const int x = std::clamp(Chart->MathToPhisX(t), first, last);
    const int y =
        std::isfinite(v) ? std::clamp(Chart->MathToPhisY(v), top, bottom) : (top + bottom) / 2;
    // Set before the move, so that whatever its OnMouseMove calls sees the
    // crosshair as standing on this sample.
    KeyX = x;
    KeyY = y;
    Sample = n;
    Current = &k;
    Anchor = t;
    Chart->MoveFeeler(x, y, Modifiers);
    emit FeelerMoved(x, y, ValueText(*Chart, t, v));
}

void TChartKeys::MoveToPixel(int x, int y) {
    int first = 0, last = 0;
    if (!InsideColumns(*Chart, first, last)) {
        return;
    }
    x = std::clamp(x, first, last);
    y = std::clamp(y, Chart->Get_yb_net() + 1, Chart->Get_ye_net() - 1);
    KeyX = x;
    KeyY = y;
    Sample = -1;
    Anchor = Chart->PhisToMathX(x);
    Chart->MoveFeeler(x, y, Modifiers);
    emit FeelerMoved(x, y, PointText(*Chart, x, y));
}
