#include "controls/TDiagramIncrease.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "chart/ChartCsv.h"
#include "chart/TDiagram.h"
#include "controls/LabIcons.h"
#include "controls/TChartKeys.h"
#include "controls/TChartPopup.h"

namespace {

QToolButton* AddToolButton(QToolBar* bar, const char* name, TLabIcon icon, const QString& hint,
                           bool toggle) {
    QToolButton* b = MakeToolButton(bar, name, icon, hint, toggle);
    b->setAutoRaise(true);
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
    MakeMenu();
    layout->setMenuBar(MainMenu1);
    layout->addWidget(MakeEdge(this));
    MakeToolBar();
    layout->addWidget(ToolBar1);
    layout->addWidget(MakeEdge(this));
    MakeChartArea();
    layout->addWidget(ScrollBox1, 1);
    MakePopupMenuAndKeys();

    // The toolbar's buttons and the menu's items share their handlers.
    using Handler = void (TDiagramIncrease::*)();
    const struct {
        QToolButton* button;
        QAction* item;
        Handler handler;
    } commands[] = {{SpeedButtonMeasure, NMeasure, &TDiagramIncrease::SpeedButtonMeasureClick},
                    {SpeedButtonLimit, NLimit, &TDiagramIncrease::SpeedButtonLimitClick},
                    {SpeedButtonRetLim, NRetLimit, &TDiagramIncrease::SpeedButtonRetLimClick},
                    {SpeedButtonBmp, NBmp, &TDiagramIncrease::SpeedButtonBmpClick},
                    {SpeedButtonCopy, NCopy, &TDiagramIncrease::SpeedButtonCopyClick},
                    {SpeedButtonClose, NClose, &TDiagramIncrease::SpeedButtonCloseClick}};
    for (const auto& c : commands) {
        connect(c.button, &QToolButton::clicked, this, c.handler);
        connect(c.item, &QAction::triggered, this, c.handler);
    }
}

void TDiagramIncrease::MakeMenu() {
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    NFile = MainMenu1->addMenu(QStringLiteral("Файл"));
    NFile->setObjectName(QStringLiteral("NFile"));
    NDiagram = MainMenu1->addMenu(QStringLiteral("Диаграмма"));
    NDiagram->setObjectName(QStringLiteral("NDiagram"));
    auto item = [](QMenu* menu, const char* name, TLabIcon icon, const char* caption) {
        QAction* a = menu->addAction(LabIcon(icon), QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    NClose = item(NFile, "NClose", TLabIcon::Close, "Закрыть");
    NMeasure = item(NDiagram, "NMeasure", TLabIcon::Measure, "Измерения");
    NMeasure->setCheckable(true);
    NMeasure->setChecked(true);
    NLimit = item(NDiagram, "NLimit", TLabIcon::Limits, "Пределы");
    NLimit->setCheckable(true);
    NRetLimit = item(NDiagram, "NRetLimit", TLabIcon::ReturnLimits, "Исходные пределы");
    N4 = NDiagram->addSeparator();
    N4->setObjectName(QStringLiteral("N4"));
    NBmp = item(NDiagram, "NBmp", TLabIcon::Save, "Сохранить как рисунок");
    NCopy = item(NDiagram, "NCopy", TLabIcon::Copy, "Копировать в буфер обмена");
}

void TDiagramIncrease::MakeToolBar() {
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setFixedHeight(29);
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setContentsMargins(0, 0, 0, 0);
    ToolBar1->layout()->setSpacing(0);
    ToolButton1 = MakeGap(ToolBar1, "ToolButton1", 8, false);
    SpeedButtonMeasure = AddToolButton(ToolBar1, "SpeedButtonMeasure", TLabIcon::Measure,
                                       QStringLiteral("Измерения"), true);
    SpeedButtonMeasure->setChecked(true);
    SpeedButtonLimit = AddToolButton(ToolBar1, "SpeedButtonLimit", TLabIcon::Limits,
                                     QStringLiteral("Пределы"), true);
    SpeedButtonRetLim = AddToolButton(ToolBar1, "SpeedButtonRetLim", TLabIcon::ReturnLimits,
                                      QStringLiteral("Исходные пределы"), false);
    SpeedButton1 =
        AddToolButton(ToolBar1, "SpeedButton1", TLabIcon::NetOnly,
                      QStringLiteral("Не показывать график при изменении пределов"), true);
    ToolButton4 = MakeGap(ToolBar1, "ToolButton4", 12, true);
    SpeedButtonBmp = AddToolButton(ToolBar1, "SpeedButtonBmp", TLabIcon::Save,
                                   QStringLiteral("Сохранить как рисунок"), false);
    SpeedButtonCopy = AddToolButton(ToolBar1, "SpeedButtonCopy", TLabIcon::Copy,
                                    QStringLiteral("Копировать"), false);
    ToolButton5 = MakeGap(ToolBar1, "ToolButton5", 12, true);
    SpeedButtonClose = AddToolButton(ToolBar1, "SpeedButtonClose", TLabIcon::Close,
                                     QStringLiteral("Закрыть"), false);
    ToolButton6 = MakeGap(ToolBar1, "ToolButton6", 12, true);
    Panel2 = new QLabel(ToolBar1);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedSize(191, 22);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setAlignment(Qt::AlignCenter);
    ToolBar1->addWidget(Panel2);
}

void TDiagramIncrease::MakeChartArea() {
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
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
    {
        TDiagramBatch batch(*Diagram1);
        Diagram1->SetFontNameX(names, text);
        Diagram1->SetFontNameY(names, text);
        Diagram1->SetFontName(names, text);
        Diagram1->SetFontNet(labels, text);
        Diagram1->SetPenStyleFeeler(Qt::SolidLine);
        Diagram1->SetColorFeeler(Qt::black);
        Diagram1->SetNetCursor(Qt::CrossCursor);
        Diagram1->SetRangeX(-1, 100);
        Diagram1->SetRangeY(-1, 1);
    }
    SetToolChart(Diagram1);
    connect(Diagram1, &TDiagram::OnMouseMove, this, &TDiagramIncrease::Diagram1MouseMove);
    connect(new TClickDetector(Diagram1), &TClickDetector::Clicked, this,
            &TDiagramIncrease::SpeedButtonMeasureClick);

    MakeArrows(Content, 41);
    for (TArrowPair* a : {UpDown1, UpDown2, UpDown3, UpDown4}) {
        connect(a, &TArrowPair::MouseDown, this, &TDiagramIncrease::UpDown1MouseDown);
        connect(a, &TArrowPair::MouseUp, this, &TDiagramIncrease::UpDown1MouseUp);
    }
    ScrollBox1->setWidget(Content);
    ScrollBox1->viewport()->installEventFilter(this);
}

void TDiagramIncrease::MakePopupMenuAndKeys() {
    Popup = new TChartPopup(Diagram1, this);
    PopupMenu = Popup->Menu();
    PopupMenu->addAction(NCopy);
    PopupMenu->addAction(NBmp);
    NSaveData = Popup->AddItem("NSaveData", TLabIcon::Save, "Сохранить данные…");
    connect(NSaveData, &QAction::triggered, this, &TDiagramIncrease::SaveDataClick);
    Popup->SetDataItem(NSaveData);

    Keys = new TChartKeys(Diagram1, Popup);
    connect(Keys, &TChartKeys::ToggleRequested, this, &TDiagramIncrease::SpeedButtonMeasureClick);
    connect(Keys, &TChartKeys::ReturnRequested, this, &TDiagramIncrease::SpeedButtonRetLimClick);
    connect(Keys, &TChartKeys::CopyRequested, this, &TDiagramIncrease::SpeedButtonCopyClick);
    connect(Keys, &TChartKeys::FeelerMoved, this, [this](int, int, const QString& reading) {
        if (Panel2->text() != reading) {
            Panel2->setText(reading);
        }
    });
    // The keyboard goes to the chart, not to the box around it.
    ScrollBox1->setFocusPolicy(Qt::NoFocus);
    Panel2->setAccessibleName(QStringLiteral("Координаты"));
}

TDiagramIncrease::~TDiagramIncrease() {
    // The dialog's own destructor still takes the focus from the chart.
    delete Keys;
    Keys = nullptr;
    FormDestroy();
}

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
    if (FSource != nullptr) {
        disconnect(FSource, nullptr, this, nullptr);
    }
    FSource = source;
    connect(source, &QObject::destroyed, this, &TDiagramIncrease::SourceDestroyed);

    TDiagram* d = Diagram1;
    {
        // Everything is taken over with one drawing, at the end.
        TDiagramBatch batch(*d);
        d->GetKeeper(0)->Hide();
        d->SetColorBackDiagram(source->GetColorBackDiagram());
        d->SetColorBackNet(source->GetColorBackNet());
        d->SetColorNetLine(source->GetColorNetLine());
        d->SetPenStyleNetLine(source->GetPenStyleNetLine());
        d->SetNameY(source->GetNameY());
        d->SetNameX(source->GetNameX());
        d->SetNameDiagram(source->GetNameDiagram());
        d->SetLogarithmicX(source->GetLogarithmicX());
        d->SetNotes(source->GetNotes());
        // Each pair at once: set one bound at a time, limits left over from
        // the previous source could reorder them.
        d->SetLimitX(source->GetLimitXmin(), source->GetLimitXmax());
        d->SetLimitY(source->GetLimitYmin(), source->GetLimitYmax());
        d->SetRangeX(source->GetXmin(), source->GetXmax());
        d->SetRangeY(source->GetYmin(), source->GetYmax());
        d->SetBitmapX(&source->GetBitmapX());
        d->SetBitmapY(&source->GetBitmapY());
        d->GetKeeper(0)->SetNext(source->GetKeeper(0));
        d->EnableLine(true);
        d->ShowDiagram();
    }
    setWindowTitle(d->GetNameDiagram());
    SaveInitialRange();
    // The host's menu items change the source's list (references kept or
    // cleared) and redraw the source; the borrowed series show here too.
    connect(source, &TDiagram::Drawn, this, [this] {
        if (Diagram1->GetKeeper(0)->GetNext() != nullptr) {
            Diagram1->ShowDiagram();
        }
    });
}

void TDiagramIncrease::ReturnLimits() {
    if (FSource == nullptr) {
        Unlink();
        return;
    }
    TDiagramBatch batch(*FSource);
    FSource->SetRangeX(Diagram1->GetXmin(), Diagram1->GetXmax());
    FSource->SetRangeY(Diagram1->GetYmin(), Diagram1->GetYmax());
    disconnect(FSource, &TDiagram::Drawn, this, nullptr);
    Unlink();
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
    Diagram1->setFocus(Qt::ActiveWindowFocusReason);
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

void TDiagramIncrease::ShowCoordinates(int x, int y) {
    QString text;
    if (InNet(x, y)) {
        text = PointText(*Diagram1, x, y);
    }
    if (Panel2->text() != text) {
        Panel2->setText(text);
    }
}

void TDiagramIncrease::Diagram1MouseMove(TDiagram*, Qt::KeyboardModifiers, int x, int y) {
    ShowCoordinates(x, y);
}

void TDiagramIncrease::SpeedButtonMeasureClick() {
    const bool on = ToggleFeeler();
    SpeedButtonMeasure->setChecked(on);
    NMeasure->setChecked(on);
}

void TDiagramIncrease::SpeedButtonLimitClick() {
    const bool visible = ToggleArrows();
    SpeedButtonLimit->setChecked(visible);
    NLimit->setChecked(visible);
}

void TDiagramIncrease::SpeedButtonRetLimClick() {
    ReturnToInitialRange();
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

void TDiagramIncrease::SaveDataClick() {
    SaveChartCsv(*Diagram1, this);
}

bool TDiagramIncrease::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ScrollBox1->viewport() && event->type() == QEvent::Resize && FFollowViewport) {
        LayOutChartAndArrows();
    }
    return QDialog::eventFilter(watched, event);
}
