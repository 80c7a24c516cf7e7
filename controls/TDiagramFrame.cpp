#include "controls/TDiagramFrame.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPalette>
#include <QToolButton>
#include <QWindow>

#include "chart/TDiagram.h"
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
    Diagram->installEventFilter(this);

    Diagram->ShowDiagram();
    SaveInitialLimits();
    FToolsLocked = false;
}

void TDiagramFrame::MakePopupMenu() {
    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    auto item = [this](const char* name, TLabIcon icon, const char* caption, void (TDiagramFrame::*handler)()) {
        QAction* a = PopupMenu->addAction(LabIcon(icon), QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    NCopy = item("NCopy", TLabIcon::Copy, "Копировать в буфер обмена",
                 &TDiagramFrame::SpeedButtonCopyClick);
    NBmp = item("NBmp", TLabIcon::Save, "Сохранить рисунок", &TDiagramFrame::SpeedButtonSaveClick);
    NSaveData = item("NSaveData", TLabIcon::Save, "Сохранить данные…", &TDiagramFrame::SaveDataClick);
    // A press outside the open menu closes it and then goes where it was
    // made, on every platform alike (some drop it): a second right press on
    // the chart still toggles the tool lock, a left one still toggles the
    // crosshair. Qt's own replay is off, so that none comes twice.
    PopupMenu->setAttribute(Qt::WA_NoMouseReplay);
    PopupMenu->installEventFilter(this);
    // The right press that opens the menu has already toggled the tool lock
    // (DiagramMouseDown); the context-menu event comes after it.
    Diagram->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Diagram, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        NSaveData->setEnabled(HasChartData(*Diagram));
        // Just beside the pointer, not under it: another press where the
        // pointer is falls outside the menu and reaches the chart.
        PopupMenu->popup(Diagram->mapToGlobal(at) + QPoint(2, 2));
    });
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

void TDiagramFrame::UpdateReadout(int x, int y) {
    std::vector<QRect> avoid;
    const QRect legend = Diagram->GetLegendRect();
    if (!legend.isEmpty()) {
        avoid.push_back(legend);
    }
    if (!Panel->isHidden()) {
        avoid.push_back(Panel->geometry().translated(-Diagram->pos()));
    }
    Readout->Follow(*Diagram, x, y, avoid);
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
    SaveChartCsv(*Diagram, DataColumns, this);
}

void TDiagramFrame::ReplayPress(const QMouseEvent* press) {
    const QPointF global = press->globalPosition();
    PopupMenu->hide();
    QWidget* under = QApplication::widgetAt(global.toPoint());
    QWindow* window = under != nullptr ? under->window()->windowHandle() : nullptr;
    // A window that a modal one blocks gets nothing, as from the platform.
    const QWidget* modal = QApplication::activeModalWidget();
    if (window == nullptr || (modal != nullptr && under->window() != modal)) {
        return;
    }
    // Posted to the window, as the platform delivers a press: the widget
    // under the pointer gets it, and a right press its context-menu event.
    const QPointF local = window->mapFromGlobal(global);
    auto* again = new QMouseEvent(QEvent::MouseButtonPress, local, local, global, press->button(),
                                  press->buttons(), press->modifiers());
    QCoreApplication::postEvent(window, again);
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
    if (watched == PopupMenu && event->type() == QEvent::MouseButtonPress) {
        auto* e = static_cast<QMouseEvent*>(event);
        if (!PopupMenu->rect().contains(e->position().toPoint())) {
            ReplayPress(e);
            return true;
        }
    } else if (watched == Diagram) {
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

TDiagramFrame::~TDiagramFrame() = default;
