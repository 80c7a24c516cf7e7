#include "controls/TDiagramFrame.h"

#include <QEvent>
#include <QFont>
#include <QMouseEvent>
#include <QPalette>
#include <QToolButton>

#include "chart/TDiagram.h"
#include "controls/LabIcons.h"
#include "controls/TDiagramIncrease.h"

namespace {

QToolButton* MakeToolButton(QWidget* panel, const char* name, int left, TLabIcon icon,
                            const QString& hint, bool toggle) {
    auto* b = new QToolButton(panel);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(left, 4, 23, 22);
    b->setIcon(LabIcon(icon));
    b->setIconSize(QSize(16, 16));
    b->setToolTip(hint);
    b->setCheckable(toggle);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

TArrowPair* MakeArrows(QWidget* parent, const char* name, Qt::Orientation orientation) {
    auto* a = new TArrowPair(orientation, parent);
    a->setObjectName(QString::fromLatin1(name));
    a->setFixedSize(orientation == Qt::Vertical ? QSize(16, 30) : QSize(30, 16));
    a->hide();
    return a;
}

} // namespace

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
    Diagram->installEventFilter(this);
    connect(Diagram, &TDiagram::OnMouseMove, this, &TDiagramFrame::DiagramMouseMove);

    Panel = new QFrame(this);
    Panel->setObjectName(QStringLiteral("Panel"));
    static_cast<QFrame*>(Panel)->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel->setAutoFillBackground(true);
    Panel->resize(161, 29);
    Panel->hide();
    SpeedButtonMeasure = MakeToolButton(Panel, "SpeedButtonMeasure", 8, TLabIcon::Measure,
                                        QStringLiteral("Измерения"), true);
    SpeedButtonLim = MakeToolButton(Panel, "SpeedButtonLim", 32, TLabIcon::Limits,
                                    QStringLiteral("Пределы"), true);
    SpeedButtonRetLim = MakeToolButton(Panel, "SpeedButtonRetLim", 56, TLabIcon::ReturnLimits,
                                       QStringLiteral("Исходные пределы"), false);
    SpeedButtonIncrease = MakeToolButton(Panel, "SpeedButtonIncrease", 80, TLabIcon::Enlarge,
                                         QStringLiteral("Увеличение"), false);
    SpeedButtonSave = MakeToolButton(Panel, "SpeedButtonSave", 104, TLabIcon::Save,
                                     QStringLiteral("Сохранить рисунок"), false);
    SpeedButtonCopy = MakeToolButton(Panel, "SpeedButtonCopy", 128, TLabIcon::Copy,
                                     QStringLiteral("Копировать в буфер обмена"), false);
    connect(SpeedButtonMeasure, &QToolButton::clicked, this, &TDiagramFrame::DiagramClick);
    connect(SpeedButtonLim, &QToolButton::clicked, this, &TDiagramFrame::SpeedButtonLimClick);
    connect(SpeedButtonRetLim, &QToolButton::clicked, this, &TDiagramFrame::SpeedButtonRetLimClick);
    connect(SpeedButtonIncrease, &QToolButton::clicked, this,
            &TDiagramFrame::SpeedButtonIncreaseClick);
    connect(SpeedButtonSave, &QToolButton::clicked, this, &TDiagramFrame::SpeedButtonSaveClick);
    connect(SpeedButtonCopy, &QToolButton::clicked, this, &TDiagramFrame::SpeedButtonCopyClick);

    UpDown1 = MakeArrows(this, "UpDown1", Qt::Vertical);
    UpDown2 = MakeArrows(this, "UpDown2", Qt::Vertical);
    UpDown3 = MakeArrows(this, "UpDown3", Qt::Horizontal);
    UpDown4 = MakeArrows(this, "UpDown4", Qt::Horizontal);
    connect(UpDown1, &TArrowPair::Click, this, &TDiagramFrame::UpDown1Click);
    connect(UpDown2, &TArrowPair::Click, this, &TDiagramFrame::UpDown2Click);
    connect(UpDown3, &TArrowPair::Click, this, &TDiagramFrame::UpDown3Click);
    connect(UpDown4, &TArrowPair::Click, this, &TDiagramFrame::UpDown4Click);

    Diagram->ShowDiagram();
    SaveInitialLimits();
    FToolsLocked = false;
}

void TDiagramFrame::SetDiagramIncrease(TDiagramIncrease* window) {
    Increase = window;
}

TDiagramIncrease* TDiagramFrame::GetDiagramIncrease() const {
    return Increase;
}

void TDiagramFrame::SaveInitialLimits() {
    FInitXmin = Diagram->GetXmin();
    FInitXmax = Diagram->GetXmax();
    FInitYmin = Diagram->GetYmin();
    FInitYmax = Diagram->GetYmax();
    ArrangeTools();
}

void TDiagramFrame::HideTools() {
    Panel->hide();
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

void TDiagramFrame::DiagramMouseMove(TDiagram*, Qt::KeyboardModifiers, int, int) {
    ShowTools();
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
    const bool on = !Diagram->GetShowFeeler();
    Diagram->SetShowFeeler(on);
    SpeedButtonMeasure->setChecked(on);
}

void TDiagramFrame::SpeedButtonLimClick() {
    SetArrowsVisible(UpDown1->isHidden());
}

void TDiagramFrame::SpeedButtonRetLimClick() {
    Diagram->SetRangeX(FInitXmin, FInitXmax);
    Diagram->SetRangeY(FInitYmin, FInitYmax);
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

void TDiagramFrame::UpDown1Click(TArrowPair::TUDBtnType button) {
    if (button == TArrowPair::btNext) {
        Diagram->IncreaseYmax();
    } else {
        Diagram->ReduceYmax();
    }
    ArrangeTools();
}

void TDiagramFrame::UpDown2Click(TArrowPair::TUDBtnType button) {
    if (button == TArrowPair::btNext) {
        Diagram->IncreaseYmin();
    } else {
        Diagram->ReduceYmin();
    }
    ArrangeTools();
}

void TDiagramFrame::UpDown3Click(TArrowPair::TUDBtnType button) {
    if (button == TArrowPair::btNext) {
        Diagram->IncreaseXmin();
    } else {
        Diagram->ReduceXmin();
    }
    ArrangeTools();
}

void TDiagramFrame::UpDown4Click(TArrowPair::TUDBtnType button) {
    if (button == TArrowPair::btNext) {
        Diagram->IncreaseXmax();
    } else {
        Diagram->ReduceXmax();
    }
    ArrangeTools();
}

void TDiagramFrame::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    Diagram->setGeometry(rect());
    FrameResize();
}

// The chart has no click or press signals of its own; they are taken from its
// mouse events. A click is a left press and release on the chart.
bool TDiagramFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Diagram) {
        if (event->type() == QEvent::MouseButtonPress ||
            event->type() == QEvent::MouseButtonDblClick) {
            auto* e = static_cast<QMouseEvent*>(event);
            const QPoint pos = e->position().toPoint();
            // The second press of a double click starts no click of its own.
            if (e->button() == Qt::LeftButton && event->type() == QEvent::MouseButtonPress) {
                FLeftDown = true;
            }
            DiagramMouseDown(Diagram, e->button(), e->modifiers(), pos.x(), pos.y());
        } else if (event->type() == QEvent::MouseButtonRelease) {
            auto* e = static_cast<QMouseEvent*>(event);
            if (e->button() == Qt::LeftButton && FLeftDown) {
                FLeftDown = false;
                if (Diagram->rect().contains(e->position().toPoint())) {
                    DiagramClick();
                }
            }
        }
    }
    return QFrame::eventFilter(watched, event);
}

void TDiagramFrame::SetArrowsVisible(bool visible) {
    for (TArrowPair* a : {UpDown1, UpDown2, UpDown3, UpDown4}) {
        a->setVisible(visible);
    }
}

TDiagramFrame::~TDiagramFrame() = default;
