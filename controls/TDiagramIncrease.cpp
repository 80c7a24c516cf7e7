#include "controls/TDiagramIncrease.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "chart/TDiagram.h"
#include "controls/LabIcons.h"

namespace {

QToolButton* MakeToolButton(QToolBar* bar, const char* name, TLabIcon icon, const QString& hint,
                            bool toggle) {
    auto* b = new QToolButton(bar);
    b->setObjectName(QString::fromLatin1(name));
    b->setFixedSize(23, 22);
    b->setAutoRaise(true);
    b->setIcon(LabIcon(icon));
    b->setIconSize(QSize(16, 16));
    b->setToolTip(hint);
    b->setCheckable(toggle);
    b->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(b);
    return b;
}

// A blank gap (separator) or a gap with a vertical line in it (divider).
QWidget* MakeGap(QToolBar* bar, const char* name, int width, bool line) {
    QWidget* gap = nullptr;
    if (line) {
        auto* f = new QFrame(bar);
        f->setFrameStyle(QFrame::VLine | QFrame::Sunken);
        gap = f;
    } else {
        gap = new QWidget(bar);
    }
    gap->setObjectName(QString::fromLatin1(name));
    gap->setFixedSize(width, 22);
    bar->addWidget(gap);
    return gap;
}

QFrame* MakeEdge(QWidget* parent) {
    auto* edge = new QFrame(parent);
    edge->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    edge->setFixedHeight(2);
    return edge;
}

TArrowPair* MakeArrows(QWidget* parent, const char* name, Qt::Orientation orientation) {
    auto* a = new TArrowPair(orientation, parent);
    a->setObjectName(QString::fromLatin1(name));
    a->setFixedSize(orientation == Qt::Vertical ? QSize(16, 41) : QSize(41, 16));
    a->hide();
    return a;
}

} // namespace

TDiagramIncrease::TDiagramIncrease(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("DiagramIncrease"));
    setWindowTitle(QStringLiteral("Диаграмма"));
    setModal(true);
    resize(812, 591);
    QFont windowFont(QStringLiteral("MS Sans Serif"));
    windowFont.setPixelSize(11);
    setFont(windowFont);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    layout->setMenuBar(MainMenu1);
    NFile = MainMenu1->addMenu(QStringLiteral("Файл"));
    NFile->setObjectName(QStringLiteral("NFile"));
    NClose = NFile->addAction(LabIcon(TLabIcon::Close), QStringLiteral("Закрыть"));
    NClose->setObjectName(QStringLiteral("NClose"));
    NDiagram = MainMenu1->addMenu(QStringLiteral("Диаграмма"));
    NDiagram->setObjectName(QStringLiteral("NDiagram"));
    NMeasure = NDiagram->addAction(LabIcon(TLabIcon::Measure), QStringLiteral("Измерения"));
    NMeasure->setObjectName(QStringLiteral("NMeasure"));
    NMeasure->setCheckable(true);
    NMeasure->setChecked(true);
    NLimit = NDiagram->addAction(LabIcon(TLabIcon::Limits), QStringLiteral("Пределы"));
    NLimit->setObjectName(QStringLiteral("NLimit"));
    NLimit->setCheckable(true);
    NRetLimit =
        NDiagram->addAction(LabIcon(TLabIcon::ReturnLimits), QStringLiteral("Исходные пределы"));
    NRetLimit->setObjectName(QStringLiteral("NRetLimit"));
    N4 = NDiagram->addSeparator();
    N4->setObjectName(QStringLiteral("N4"));
    NBmp = NDiagram->addAction(LabIcon(TLabIcon::Save), QStringLiteral("Сохранить как рисунок"));
    NBmp->setObjectName(QStringLiteral("NBmp"));
    NCopy =
        NDiagram->addAction(LabIcon(TLabIcon::Copy), QStringLiteral("Копировать в буфер обмена"));
    NCopy->setObjectName(QStringLiteral("NCopy"));

    layout->addWidget(MakeEdge(this));
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setFixedHeight(29);
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setContentsMargins(0, 0, 0, 0);
    ToolBar1->layout()->setSpacing(0);
    ToolButton1 = MakeGap(ToolBar1, "ToolButton1", 8, false);
    SpeedButtonMeasure = MakeToolButton(ToolBar1, "SpeedButtonMeasure", TLabIcon::Measure,
                                        QStringLiteral("Измерения"), true);
    SpeedButtonMeasure->setChecked(true);
    SpeedButtonLimit = MakeToolButton(ToolBar1, "SpeedButtonLimit", TLabIcon::Limits,
                                      QStringLiteral("Пределы"), true);
    SpeedButtonRetLim = MakeToolButton(ToolBar1, "SpeedButtonRetLim", TLabIcon::ReturnLimits,
                                       QStringLiteral("Исходные пределы"), false);
    SpeedButton1 =
        MakeToolButton(ToolBar1, "SpeedButton1", TLabIcon::NetOnly,
                       QStringLiteral("Не показывать график при изменении пределов"), true);
    ToolButton4 = MakeGap(ToolBar1, "ToolButton4", 12, true);
    SpeedButtonBmp = MakeToolButton(ToolBar1, "SpeedButtonBmp", TLabIcon::Save,
                                    QStringLiteral("Сохранить как рисунок"), false);
    SpeedButtonCopy = MakeToolButton(ToolBar1, "SpeedButtonCopy", TLabIcon::Copy,
                                     QStringLiteral("Копировать"), false);
    ToolButton5 = MakeGap(ToolBar1, "ToolButton5", 12, true);
    SpeedButtonClose = MakeToolButton(ToolBar1, "SpeedButtonClose", TLabIcon::Close,
                                      QStringLiteral("Закрыть"), false);
    ToolButton6 = MakeGap(ToolBar1, "ToolButton6", 12, true);
    Panel2 = new QLabel(ToolBar1);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedSize(191, 22);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setAlignment(Qt::AlignCenter);
    ToolBar1->addWidget(Panel2);
    layout->addWidget(ToolBar1);
    layout->addWidget(MakeEdge(this));

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(ScrollBox1, 1);
    Content = new QWidget;
    Content->setObjectName(QStringLiteral("ScrollBox1Content"));
    Content->resize(788, 501);

    Diagram1 = new TDiagram(Content);
    Diagram1->setObjectName(QStringLiteral("Diagram1"));
    Diagram1->setGeometry(0, 0, 788, 501);
    QFont names(QStringLiteral("Times New Roman"));
    names.setPixelSize(16);
    names.setBold(true);
    names.setItalic(true);
    QFont labels(QStringLiteral("Times New Roman"));
    labels.setPixelSize(16);
    const QColor text = palette().color(QPalette::WindowText);
    Diagram1->SetFontNameX(names, text);
    Diagram1->SetFontNameY(names, text);
    Diagram1->SetFontName(names, text);
    Diagram1->SetFontNet(labels, text);
    Diagram1->SetPenStyleFeeler(Qt::SolidLine);
    Diagram1->SetColorFeeler(Qt::black);
    Diagram1->SetNetCursor(Qt::CrossCursor);
    Diagram1->SetRangeX(-1, 100);
    Diagram1->SetRangeY(-1, 1);
    Diagram1->installEventFilter(this);
    connect(Diagram1, &TDiagram::OnMouseMove, this, &TDiagramIncrease::Diagram1MouseMove);

    UpDown1 = MakeArrows(Content, "UpDown1", Qt::Vertical);
    UpDown2 = MakeArrows(Content, "UpDown2", Qt::Vertical);
    UpDown3 = MakeArrows(Content, "UpDown3", Qt::Horizontal);
    UpDown4 = MakeArrows(Content, "UpDown4", Qt::Horizontal);
    ScrollBox1->setWidget(Content);
    ScrollBox1->viewport()->installEventFilter(this);

    connect(UpDown1, &TArrowPair::Click, this, &TDiagramIncrease::UpDown1Click);
    connect(UpDown2, &TArrowPair::Click, this, &TDiagramIncrease::UpDown2Click);
    connect(UpDown3, &TArrowPair::Click, this, &TDiagramIncrease::UpDown3Click);
    connect(UpDown4, &TArrowPair::Click, this, &TDiagramIncrease::UpDown4Click);
    for (TArrowPair* a : {UpDown1, UpDown2, UpDown3, UpDown4}) {
        connect(a, &TArrowPair::MouseDown, this, &TDiagramIncrease::UpDown1MouseDown);
        connect(a, &TArrowPair::MouseUp, this, &TDiagramIncrease::UpDown1MouseUp);
    }
    connect(SpeedButtonMeasure, &QToolButton::clicked, this,
            &TDiagramIncrease::SpeedButtonMeasureClick);
    connect(NMeasure, &QAction::triggered, this, &TDiagramIncrease::SpeedButtonMeasureClick);
    connect(SpeedButtonLimit, &QToolButton::clicked, this,
            &TDiagramIncrease::SpeedButtonLimitClick);
    connect(NLimit, &QAction::triggered, this, &TDiagramIncrease::SpeedButtonLimitClick);
    connect(SpeedButtonRetLim, &QToolButton::clicked, this,
            &TDiagramIncrease::SpeedButtonRetLimClick);
    connect(NRetLimit, &QAction::triggered, this, &TDiagramIncrease::SpeedButtonRetLimClick);
    connect(SpeedButtonBmp, &QToolButton::clicked, this, &TDiagramIncrease::SpeedButtonBmpClick);
    connect(NBmp, &QAction::triggered, this, &TDiagramIncrease::SpeedButtonBmpClick);
    connect(SpeedButtonCopy, &QToolButton::clicked, this, &TDiagramIncrease::SpeedButtonCopyClick);
    connect(NCopy, &QAction::triggered, this, &TDiagramIncrease::SpeedButtonCopyClick);
    connect(SpeedButtonClose, &QToolButton::clicked, this,
            &TDiagramIncrease::SpeedButtonCloseClick);
    connect(NClose, &QAction::triggered, this, &TDiagramIncrease::SpeedButtonCloseClick);
    FormCreate();
}

TDiagramIncrease::~TDiagramIncrease() {
    FormDestroy();
}

void TDiagramIncrease::FormCreate() {}

void TDiagramIncrease::FormDestroy() {
    // Diagram1 releases its whole series list when it goes; the borrowed
    // series must not be part of it by then.
    Unlink();
}

void TDiagramIncrease::Unlink() {
    Diagram1->GetKeeper(0)->SetNext(nullptr);
}

void TDiagramIncrease::SourceDestroyed() {
    // The source's series are gone with it; drop the link without touching them.
    Unlink();
    FSource = nullptr;
}

void TDiagramIncrease::Execute(TDiagram* source) {
    if (source == nullptr || source == Diagram1) {
        return;
    }
    AssignDiagram(source);
    QScreen* screen = parentWidget() != nullptr ? parentWidget()->screen() : nullptr;
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen != nullptr && !isVisible()) {
        setGeometry(screen->availableGeometry());
    }
    setWindowState(windowState() | Qt::WindowMaximized);
    // Whatever runs inside the modal loop may delete this window (its
    // destructor cuts the link then).
    const QPointer<TDiagramIncrease> self(this);
    exec();
    if (self == nullptr) {
        return;
    }
    // The modal loop also ends without closing the window when the
    // application quits; the source must get its range and series back then
    // too.
    if (Diagram1->GetKeeper(0)->GetNext() != nullptr) {
        FormClose();
    }
    if (isVisible()) {
        hide();
    }
}

void TDiagramIncrease::AssignDiagram(TDiagram* source) {
    // The window's own chart cannot be its source: its list would loop.
    if (source == nullptr || source == Diagram1) {
        return;
    }
    Diagram1->GetKeeper(0)->Hide();
    Diagram1->EnableLine(false);
    if (FSource != nullptr) {
        disconnect(FSource, &QObject::destroyed, this, nullptr);
    }
    FSource = source;
    connect(source, &QObject::destroyed, this, &TDiagramIncrease::SourceDestroyed);

    // Every setter redraws the whole chart, so a setting that is already in
    // place (the usual case when a chart is opened again) is not set again.
    TDiagram* d = Diagram1;
    if (d->GetColorBackDiagram() != source->GetColorBackDiagram()) {
        d->SetColorBackDiagram(source->GetColorBackDiagram());
    }
    if (d->GetColorBackNet() != source->GetColorBackNet()) {
        d->SetColorBackNet(source->GetColorBackNet());
    }
    if (d->GetColorNetLine() != source->GetColorNetLine()) {
        d->SetColorNetLine(source->GetColorNetLine());
    }
    if (d->GetPenStyleNetLine() != source->GetPenStyleNetLine()) {
        d->SetPenStyleNetLine(source->GetPenStyleNetLine());
    }
    if (d->GetNameY() != source->GetNameY()) {
        d->SetNameY(source->GetNameY());
    }
    if (d->GetNameX() != source->GetNameX()) {
        d->SetNameX(source->GetNameX());
    }
    if (d->GetNameDiagram() != source->GetNameDiagram()) {
        d->SetNameDiagram(source->GetNameDiagram());
    }
    // Each pair at once: set one bound at a time, limits left over from the
    // previous source could reorder them.
    if (d->GetLimitXmin() != source->GetLimitXmin() ||
        d->GetLimitXmax() != source->GetLimitXmax()) {
        d->SetLimitX(source->GetLimitXmin(), source->GetLimitXmax());
    }
    if (d->GetLimitYmin() != source->GetLimitYmin() ||
        d->GetLimitYmax() != source->GetLimitYmax()) {
        d->SetLimitY(source->GetLimitYmin(), source->GetLimitYmax());
    }
    if (d->GetXmin() != source->GetXmin() || d->GetXmax() != source->GetXmax()) {
        d->SetRangeX(source->GetXmin(), source->GetXmax());
    }
    if (d->GetYmin() != source->GetYmin() || d->GetYmax() != source->GetYmax()) {
        d->SetRangeY(source->GetYmin(), source->GetYmax());
    }
    if (d->GetBitmapX() != source->GetBitmapX()) {
        d->SetBitmapX(&source->GetBitmapX());
    }
    if (d->GetBitmapY() != source->GetBitmapY()) {
        d->SetBitmapY(&source->GetBitmapY());
    }
    Diagram1->GetKeeper(0)->SetNext(source->GetKeeper(0));
    Diagram1->EnableLine(true);
    Diagram1->ShowDiagram();
    setWindowTitle(Diagram1->GetNameDiagram());
    FInitXmin = Diagram1->GetXmin();
    FInitXmax = Diagram1->GetXmax();
    FInitYmin = Diagram1->GetYmin();
    FInitYmax = Diagram1->GetYmax();
}

void TDiagramIncrease::ReturnLimits() {
    if (FSource == nullptr) {
        Unlink();
        return;
    }
    FSource->EnableLine(false);
    FSource->SetRangeX(Diagram1->GetXmin(), Diagram1->GetXmax());
    FSource->SetRangeY(Diagram1->GetYmin(), Diagram1->GetYmax());
    Unlink();
    FSource->EnableLine(true);
    FSource->ShowDiagram();
}

void TDiagramIncrease::FormClose() {
    ReturnLimits();
}

void TDiagramIncrease::done(int result) {
    if (!FClosing) {
        FClosing = true;
        FormClose();
        FClosing = false;
    }
    QDialog::done(result);
}

void TDiagramIncrease::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TDiagramIncrease::FormShow() {
    if (!(windowState() & Qt::WindowMaximized)) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    if (!FFirstShow) {
        return;
    }
    if (this->layout() != nullptr) {
        this->layout()->activate();
    }
    LayOutChartAndArrows();
    FFirstShow = false;
    FFollowViewport = true;
}

void TDiagramIncrease::hideEvent(QHideEvent* event) {
    FFollowViewport = false;
    QDialog::hideEvent(event);
}

// The chart first takes the whole scroll box, then gives room to the arrows:
// 5 pixels above, the x arrows and 10 pixels below, the y arrows and 20
// pixels across. The arrows sit at the ends of the net.
void TDiagramIncrease::LayOutChartAndArrows() {
    const QSize area = ScrollBox1->viewport()->size();
    Content->resize(area);
    const int T = 5;
    const int H = area.height() - UpDown3->height() - 10;
    const int W = area.width() - UpDown1->width() - 20;
    const int L = UpDown1->width() + 5;
    Diagram1->setGeometry(L, T, W, H);
    Diagram1->ShowDiagram();
    const int xb = Diagram1->Get_xb_net();
    const int xe = Diagram1->Get_xe_net();
    const int yb = Diagram1->Get_yb_net();
    const int ye = Diagram1->Get_ye_net();
    UpDown1->move(5, T + yb);
    UpDown2->move(5, T + ye - UpDown2->height());
    UpDown3->move(L + xb, T + H);
    UpDown4->move(L + xe - UpDown4->width(), UpDown3->y());
}

bool TDiagramIncrease::InNet(int x, int y) const {
    return Diagram1->Get_xb_net() + 2 <= x && x <= Diagram1->Get_xe_net() - 2 &&
           Diagram1->Get_yb_net() + 2 <= y && y <= Diagram1->Get_ye_net() - 2;
}

QString TDiagramIncrease::CoordinateText(double v, int precision) {
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

void TDiagramIncrease::ShowCoordinates(int x, int y) {
    QString text;
    if (InNet(x, y)) {
        text =
            QLatin1Char('(') + CoordinateText(Diagram1->PhisToMathX(x), Diagram1->GetPrecisionX()) +
            QStringLiteral("; ") +
            CoordinateText(Diagram1->PhisToMathY(y), Diagram1->GetPrecisionY()) + QLatin1Char(')');
    }
    if (Panel2->text() != text) {
        Panel2->setText(text);
    }
}

void TDiagramIncrease::Diagram1MouseMove(TDiagram*, Qt::KeyboardModifiers, int x, int y) {
    ShowCoordinates(x, y);
}

void TDiagramIncrease::SpeedButtonMeasureClick() {
    const bool on = !Diagram1->GetShowFeeler();
    Diagram1->SetShowFeeler(on);
    SpeedButtonMeasure->setChecked(on);
    NMeasure->setChecked(on);
}

void TDiagramIncrease::SpeedButtonLimitClick() {
    const bool visible = UpDown1->isHidden();
    for (TArrowPair* a : {UpDown1, UpDown2, UpDown3, UpDown4}) {
        a->setVisible(visible);
    }
    SpeedButtonLimit->setChecked(visible);
    NLimit->setChecked(visible);
}

void TDiagramIncrease::SpeedButtonRetLimClick() {
    Diagram1->SetRangeX(FInitXmin, FInitXmax);
    Diagram1->SetRangeY(FInitYmin, FInitYmax);
}

void TDiagramIncrease::UpDown1Click(TArrowPair::TUDBtnType button) {
    if (button == TArrowPair::btNext) {
        Diagram1->IncreaseYmax();
    } else {
        Diagram1->ReduceYmax();
    }
}

void TDiagramIncrease::UpDown2Click(TArrowPair::TUDBtnType button) {
    if (button == TArrowPair::btNext) {
        Diagram1->IncreaseYmin();
    } else {
        Diagram1->ReduceYmin();
    }
}

void TDiagramIncrease::UpDown3Click(TArrowPair::TUDBtnType button) {
    if (button == TArrowPair::btNext) {
        Diagram1->IncreaseXmin();
    } else {
        Diagram1->ReduceXmin();
    }
}

void TDiagramIncrease::UpDown4Click(TArrowPair::TUDBtnType button) {
    if (button == TArrowPair::btNext) {
        Diagram1->IncreaseXmax();
    } else {
        Diagram1->ReduceXmax();
    }
}

void TDiagramIncrease::UpDown1MouseDown() {
    if (SpeedButton1->isChecked()) {
        Diagram1->EnableLine(false);
        FLineHeldOff = true;
    }
}

// The series come back on release even if "Не показывать график..." was
// switched off while the arrow was held.
void TDiagramIncrease::UpDown1MouseUp() {
    if (SpeedButton1->isChecked() || FLineHeldOff) {
        FLineHeldOff = false;
        Diagram1->EnableLine(true);
        Diagram1->ShowDiagram();
    }
}

void TDiagramIncrease::SpeedButtonCopyClick() {
    Diagram1->CopyToClipboard();
}

void TDiagramIncrease::SpeedButtonBmpClick() {
    Diagram1->SaveBmpFile();
}

void TDiagramIncrease::SpeedButtonCloseClick() {
    close();
}

bool TDiagramIncrease::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ScrollBox1->viewport() && event->type() == QEvent::Resize && FFollowViewport) {
        LayOutChartAndArrows();
    }
    if (watched == Diagram1) {
        if (event->type() == QEvent::MouseButtonPress) {
            FLeftDown = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            auto* e = static_cast<QMouseEvent*>(event);
            if (e->button() == Qt::LeftButton && FLeftDown) {
                FLeftDown = false;
                if (Diagram1->rect().contains(e->position().toPoint())) {
                    SpeedButtonMeasureClick();
                }
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
