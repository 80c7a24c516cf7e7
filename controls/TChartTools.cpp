#include "controls/TChartTools.h"

#include <QEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QString>
#include <QToolButton>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/TDiagram.h"

void TChartTools::MakeArrows(QWidget* parent, int length) {
    const struct {
        TArrowPair*& member;
        const char* name;
        Qt::Orientation orientation;
        void (TChartTools::*click)(TArrowPair::TUDBtnType);
        const char* bound;
    } pairs[] = {
        {UpDown1, "UpDown1", Qt::Vertical, &TChartTools::UpDown1Click, "Верхний предел по оси Y"},
        {UpDown2, "UpDown2", Qt::Vertical, &TChartTools::UpDown2Click, "Нижний предел по оси Y"},
        {UpDown3, "UpDown3", Qt::Horizontal, &TChartTools::UpDown3Click, "Нижний предел по оси X"},
        {UpDown4, "UpDown4", Qt::Horizontal, &TChartTools::UpDown4Click,
         "Верхний предел по оси X"}};
    for (const auto& p : pairs) {
        auto* a = new TArrowPair(p.orientation, parent);
        a->setObjectName(QString::fromLatin1(p.name));
        const QString bound = QString::fromUtf8(p.bound);
        const bool vertical = p.orientation == Qt::Vertical;
        a->setAccessibleName(bound);
        const char* next = vertical ? " вверх" : " вправо";
        const char* prev = vertical ? " вниз" : " влево";
        a->GetButton(TArrowPair::btNext)->setAccessibleName(bound + QString::fromUtf8(next));
        a->GetButton(TArrowPair::btPrev)->setAccessibleName(bound + QString::fromUtf8(prev));
        a->setFixedSize(p.orientation == Qt::Vertical ? QSize(16, length) : QSize(length, 16));
        a->hide();
        const auto click = p.click;
        QObject::connect(a, &TArrowPair::Click, a,
                         [this, click](TArrowPair::TUDBtnType button) { (this->*click)(button); });
        p.member = a;
    }
}

void TChartTools::Step(TArrowPair::TUDBtnType button, void (TDiagram::*increase)(),
                       void (TDiagram::*reduce)()) {
    if (Chart == nullptr) {
        return;
    }
    (Chart->*(button == TArrowPair::btNext ? increase : reduce))();
    LimitsStepped();
}

void TChartTools::UpDown1Click(TArrowPair::TUDBtnType button) {
    Step(button, &TDiagram::IncreaseYmax, &TDiagram::ReduceYmax);
}

void TChartTools::UpDown2Click(TArrowPair::TUDBtnType button) {
    Step(button, &TDiagram::IncreaseYmin, &TDiagram::ReduceYmin);
}

void TChartTools::UpDown3Click(TArrowPair::TUDBtnType button) {
    Step(button, &TDiagram::IncreaseXmin, &TDiagram::ReduceXmin);
}

void TChartTools::UpDown4Click(TArrowPair::TUDBtnType button) {
    Step(button, &TDiagram::IncreaseXmax, &TDiagram::ReduceXmax);
}

void TChartTools::SaveInitialRange() {
    FInitXmin = Chart->GetXmin();
    FInitXmax = Chart->GetXmax();
    FInitYmin = Chart->GetYmin();
    FInitYmax = Chart->GetYmax();
}

void TChartTools::ReturnToInitialRange() {
    // Each axis with both bounds at once: one bound at a time could be
    // refused against the other while the range lies wholly elsewhere.
    TDiagramBatch batch(*Chart);
    Chart->SetRangeX(FInitXmin, FInitXmax);
    Chart->SetRangeY(FInitYmin, FInitYmax);
}

bool TChartTools::ToggleFeeler() {
    const bool on = !Chart->GetShowFeeler();
    Chart->SetShowFeeler(on);
    return on;
}

bool TChartTools::ToggleArrows() {
    const bool visible = UpDown1->isHidden();
    SetArrowsVisible(visible);
    return visible;
}

void TChartTools::SetArrowsVisible(bool visible) {
    for (TArrowPair* a : {UpDown1, UpDown2, UpDown3, UpDown4}) {
        a->setVisible(visible);
    }
}

QString CoordinateText(double v, int precision) {
    const int decimals = std::abs(precision) + 2;
    const QChar point = QLocale().decimalPoint().at(0);
    if (!std::isfinite(v)) {
        return QString::number(v);
    }
    QString text;
    const double magnitude = std::fabs(v);
    // Decimals left for five significant digits; negative ones round to tens,
    // hundreds and so on.
    const int lead = magnitude > 0 ? static_cast<int>(std::floor(std::log10(magnitude))) : 0;
    const int kept = std::min(decimals, 4 - lead);
    double rounded = v;
    if (kept >= 0) {
        const double scale = std::pow(10.0, kept);
        rounded = std::round(v * scale) / scale;
    }
    if (kept < 0 || std::fabs(rounded) >= 100000.0) {
        text = QString::number(v, 'e', 4);
    } else {
        if (rounded == 0) {
            rounded = 0; // no "-0,000"
        }
        text = QString::number(rounded, 'f', decimals);
    }
    return text.replace(QLatin1Char('.'), point);
}

QString ValueText(const TDiagram& chart, double x, double y) {
    // A logarithmic axis shows its value, with five significant digits.
    const int precisionX = chart.GetLogarithmicX() ? 3 : chart.GetPrecisionX();
    return QLatin1Char('(') + CoordinateText(chart.ShownX(x), precisionX) + QStringLiteral("; ") +
           CoordinateText(y, chart.GetPrecisionY()) + QLatin1Char(')');
}

QString PointText(const TDiagram& chart, int x, int y) {
    return ValueText(chart, chart.PhisToMathX(x), chart.PhisToMathY(y));
}

QToolButton* MakeToolButton(QWidget* parent, const char* name, TLabIcon icon, const QString& hint,
                            bool toggle) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFixedSize(23, 22);
    b->setIcon(LabIcon(icon));
    b->setIconSize(QSize(16, 16));
    b->setToolTip(hint);
    b->setAccessibleName(hint);
    b->setCheckable(toggle);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

TClickDetector::TClickDetector(QWidget* widget) : QObject(widget), Widget(widget) {
    widget->installEventFilter(this);
}

bool TClickDetector::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Widget) {
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton && event->type() == QEvent::MouseButtonPress) {
            LeftDown = true;
        }
        emit Pressed(e->button(), e->modifiers(), e->position().toPoint());
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton && LeftDown) {
            LeftDown = false;
            if (Widget->rect().contains(e->position().toPoint())) {
                emit Clicked();
            }
        }
        break;
    }
    default:
        break;
    }
    return false;
}
