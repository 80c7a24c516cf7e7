#include "controls/TDiagramFrame.h"

#include <QAction>
#include <QEvent>
#include <QFont>
#include <QKeyEvent>
#include <QMenu>
#include <QPalette>
#include <QToolButton>

#include "chart/ChartCsv.h"
#include "chart/TDiagram.h"
#include "controls/TChartKeys.h"
#include "controls/TChartPopup.h"
#include "controls/TCoordinateReadout.h"
#include "controls/TDiagramIncrease.h"

TDiagramFrame::TDiagramFrame(QWidget* parent) : QFrame(parent) {
    resize(490, 344);

    Diagram = new TDiagram(this);
    Diagram->setObjectName(QStringLiteral("Diagram"));
    Diagram->setGeometry(rect());
    // The chart as the frame stores it: small sans-serif fonts and no
    // crosshair until "Измерения" is pressed.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    const QColor text = palette().color(QPalette::WindowText);
    Diagram->SetFontNameX(font, text);
    Diagram->SetFontNameY(font, text);
    Diagram->SetFontName(font, text);
    Diagram->SetFontNet(font, text);
    Diagram->SetShowFeeler(false);
    Diagram->SetPenStyleFeeler(Qt::SolidLine);
    Diagram->SetColorFeeler(Qt::black);
    Diagram->SetNetCursor(Qt::CrossCursor);
    SetToolChart(Diagram);
    connect(Diagram, &TDiagram::OnMouseMove, this, &TDiagramFrame::DiagramMouseMove);
    auto* clicks = new TClickDetector(Diagram);
    connect(clicks, &TClickDetector::Pressed, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos) {
                DiagramMouseDown(Diagram, button, modifiers, pos.x(), pos.y());
            });
    connect(clicks, &TClickDetector::Clicked, this, &TDiagramFrame::DiagramClick);

    Panel = new QFrame(this);
    Panel->setObjectName(QStringLiteral("Panel"));
    static_cast<QFrame*>(Panel)->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel->setAutoFillBackground(true);
    Panel->resize(161, 29);
    Panel->hide();
    // The six buttons side by side, 24 pixels apart.
    using Handler = void (TDiagramFrame::*)();
    const struct {
        QToolButton*& member;
        const char* name;
        TLabIcon icon;
        const char* hint;
        bool toggle;
        Handler click;
    } buttons[] = {{SpeedButtonMeasure, "SpeedButtonMeasure", TLabIcon::Measure, "Измерения", true,
                    &TDiagramFrame::DiagramClick},
                   {SpeedButtonLim, "SpeedButtonLim", TLabIcon::Limits, "Пределы", true,
                    &TDiagramFrame::SpeedButtonLimClick},
                   {SpeedButtonRetLim, "SpeedButtonRetLim", TLabIcon::ReturnLimits,
                    "Исходные пределы", false, &TDiagramFrame::SpeedButtonRetLimClick},
                   {SpeedButtonIncrease, "SpeedButtonIncrease", TLabIcon::Enlarge, "Увеличение",
                    false, &TDiagramFrame::SpeedButtonIncreaseClick},
                   {SpeedButtonSave, "SpeedButtonSave", TLabIcon::Save, "Сохранить рисунок", false,
                    &TDiagramFrame::SpeedButtonSaveClick},
                   {SpeedButtonCopy, "SpeedButtonCopy", TLabIcon::Copy, "Копировать в буфер обмена",
                    false, &TDiagramFrame::SpeedButtonCopyClick}};
    int left = 8;
    for (const auto& b : buttons) {
        b.member = MakeToolButton(Panel, b.name, b.icon, QString::fromUtf8(b.hint), b.toggle);
        b.member->move(left, 4);
        connect(b.member, &QToolButton::clicked, this, b.click);
        left += 24;
    }

    // The legend leaves the panel's corner of the net to it (ArrangeTools).
    Diagram->SetLegendKeepOut(QSize(Panel->width() + 10, Panel->height() + 10));
    MakeArrows(this, 30);

    Readout = new TCoordinateReadout(this);
    // A drawing takes the crosshair away, and its readout goes with it. It
    // may move the net too (a chart aligned with another, a legend above the
    // net), and the tools follow.
    connect(Diagram, &TDiagram::Drawn, this, [this] {
        if (!Diagram->GetFeelerDrawn()) {
            Readout->hide();
        }
        ArrangeTools();
    });
    MakePopupMenu();
    MakeKeys();
    Diagram->installEventFilter(this);

    Diagram->ShowDiagram();
    SaveInitialLimits();
    FToolsLocked = false;
}

void TDiagramFrame::MakePopupMenu() {
    Popup = new TChartPopup(Diagram, this);
    PopupMenu = Popup->Menu();
    const struct {
        QAction*& member;
        const char* name;
        TLabIcon icon;
        const char* caption;
        void (TDiagramFrame::*handler)();
    } items[] = {
        {NCopy, "NCopy", TLabIcon::Copy, "Копировать в буфер обмена",
         &TDiagramFrame::SpeedButtonCopyClick},
        {NBmp, "NBmp", TLabIcon::Save, "Сохранить рисунок", &TDiagramFrame::SpeedButtonSaveClick},
        {NSaveData, "NSaveData", TLabIcon::Save, "Сохранить данные…",
         &TDiagramFrame::SaveDataClick},
        {NIncrease, "NIncrease", TLabIcon::Enlarge, "Увеличение",
         &TDiagramFrame::SpeedButtonIncreaseClick}};
    for (const auto& i : items) {
        i.member = Popup->AddItem(i.name, i.icon, i.caption);
        connect(i.member, &QAction::triggered, this, i.handler);
    }
    // The enlarged window is here for the keyboard, which cannot reach the
    // tool panel's button.
    PopupMenu->insertSeparator(NIncrease)->setObjectName(QStringLiteral("NViews"));
    Popup->SetDataItem(NSaveData);
    connect(PopupMenu, &QMenu::aboutToShow, this,
            [this] { NIncrease->setEnabled(Increase != nullptr); });
}

// The keys of the chart do what its tools do, the crosshair's moves with
// their exact reading.
void TDiagramFrame::MakeKeys() {
    Keys = new TChartKeys(Diagram, Popup);
    connect(Keys, &TChartKeys::ToggleRequested, this, [this] {
        DiagramClick();
        ShowTools();
    });
    connect(Keys, &TChartKeys::ReturnRequested, this, [this] {
        SpeedButtonRetLimClick();
        ShowTools();
    });
    connect(Keys, &TChartKeys::CopyRequested, this, &TDiagramFrame::SpeedButtonCopyClick);
    connect(Keys, &TChartKeys::FeelerMoved, this, [this](int x, int y, const QString& reading) {
        ShowTools();
        UpdateReadout(x, y, reading);
    });
    connect(Keys, &TChartKeys::FocusChanged, this, &TDiagramFrame::DiagramFocusChanged);
}

void TDiagramFrame::DiagramFocusChanged(bool in, Qt::FocusReason reason) {
    // The user's Tab shows the tools, whatever the lock. Focus that the mouse,
    // a closing menu, the window's return or the program brings (the charts'
    // page shown after a Start) leaves them to the mouse's rule until a key
    // is used on the chart.
    const bool keyboard = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                          reason == Qt::ShortcutFocusReason;
    if (in && keyboard) {
        FToolsLocked = false;
        ShowTools();
    } else if (!in && (keyboard || reason == Qt::MouseFocusReason) && !PointerOver) {
        HideTools();
    }
    if (!Diagram->GetFeelerDrawn()) {
        Readout->hide();
    }
}

void TDiagramFrame::SetDiagramIncrease(TDiagramIncrease* window) {
    Increase = window;
}

TDiagramIncrease* TDiagramFrame::GetDiagramIncrease() const {
    return Increase;
}

void TDiagramFrame::SaveInitialLimits() {
    SaveInitialRange();
    ArrangeTools();
}

void TDiagramFrame::HideTools() {
    Panel->hide();
    Readout->hide();
    SetArrowsVisible(false);
    FToolsLocked = false;
}

void TDiagramFrame::ShowTools() {
    if (FToolsLocked || !Panel->isHidden()) {
        return;
    }
    Panel->show();
    if (SpeedButtonLim->isChecked()) {
        SetArrowsVisible(true);
    }
}

// The chart fills the frame from its origin, so chart pixels are frame pixels.
void TDiagramFrame::ArrangeTools() {
    const int xb = Diagram->Get_xb_net();
    const int xe = Diagram->Get_xe_net();
    const int yb = Diagram->Get_yb_net();
    const int ye = Diagram->Get_ye_net();
    Panel->move(xe - Panel->width() - 10, yb + 10);
    UpDown1->move(xb - UpDown1->width(), yb);
    UpDown2->move(xb - UpDown2->width(), ye - UpDown2->height());
    UpDown3->move(xb, ye);
    UpDown4->move(xe - UpDown4->width(), ye);
}

void TDiagramFrame::FrameResize() {
    Diagram->ShowDiagram();
    ArrangeTools();
}

void TDiagramFrame::DiagramMouseMove(TDiagram*, Qt::KeyboardModifiers, int x, int y) {
    ShowTools();
    UpdateReadout(x, y);
}

void TDiagramFrame::UpdateReadout(int x, int y, const QString& reading) {
    std::vector<QRect> avoid;
    const QRect legend = Diagram->GetLegendRect();
    if (!legend.isEmpty()) {
        avoid.push_back(legend);
    }
    if (!Panel->isHidden()) {
        avoid.push_back(Panel->geometry().translated(-Diagram->pos()));
    }
    Readout->Follow(*Diagram, x, y, avoid, reading);
}

void TDiagramFrame::DiagramMouseDown(TDiagram*, Qt::MouseButton button, Qt::KeyboardModifiers, int,
                                     int) {
    if (button != Qt::RightButton) {
        return;
    }
    if (FToolsLocked) {
        FToolsLocked = false;
        ShowTools();
    } else {
        HideTools();
        FToolsLocked = true;
    }
}

void TDiagramFrame::DiagramClick() {
    const bool on = ToggleFeeler();
    SpeedButtonMeasure->setChecked(on);
    if (!on) {
        Readout->hide();
    }
}

void TDiagramFrame::SpeedButtonLimClick() {
    ToggleArrows();
}

void TDiagramFrame::SpeedButtonRetLimClick() {
    ReturnToInitialRange();
    ArrangeTools();
}

void TDiagramFrame::SpeedButtonIncreaseClick() {
    if (Increase == nullptr) {
        return;
    }
    const QPointer<TDiagramFrame> self(this);
    Increase->Execute(Diagram);
    // The window handed its range back, which may have moved the net.
    if (self != nullptr) {
        ArrangeTools();
    }
}

void TDiagramFrame::SpeedButtonSaveClick() {
    Diagram->SaveBmpFile();
}

void TDiagramFrame::SpeedButtonCopyClick() {
    Diagram->CopyToClipboard();
}

void TDiagramFrame::SaveDataClick() {
    SaveChartCsv(*Diagram, this);
}

void TDiagramFrame::showEvent(QShowEvent* event) {
    QFrame::showEvent(event);
    // Key presses that nothing in the window took reach the window last; a
    // Ctrl+C among them belongs to the chart under the pointer.
    if (window() != KeyWindow) {
        if (KeyWindow != nullptr) {
            KeyWindow->removeEventFilter(this);
        }
        KeyWindow = window();
        KeyWindow->installEventFilter(this);
    }
}

bool TDiagramFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Diagram) {
        switch (event->type()) {
        case QEvent::Enter:
        case QEvent::MouseMove:
            PointerOver = true;
            break;
        case QEvent::Leave:
        case QEvent::Hide:
            PointerOver = false;
            Readout->hide();
            break;
        default:
            break;
        }
    } else if (watched == KeyWindow && event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy) && PointerOver &&
               Diagram->isVisible()) {
        SpeedButtonCopyClick();
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

void TDiagramFrame::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    Diagram->setGeometry(rect());
    FrameResize();
}

TDiagramFrame::~TDiagramFrame() {
    // The widget's own destructor still takes the focus from the chart, when
    // neither this frame's handlers nor the keys' filter may hear of it.
    delete Keys;
    Keys = nullptr;
}
