#include "controls/TChartPopup.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QWindow>

#include "chart/ChartCsv.h"
#include "chart/TDiagram.h"

TChartPopup::TChartPopup(TDiagram* chart, QWidget* parent)
    : QObject(parent), Chart(chart), PopupMenu(new QMenu(parent)) {
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    // Qt's own replay of a press outside the menu is off, so that none comes
    // twice (see ReplayPress).
    PopupMenu->setAttribute(Qt::WA_NoMouseReplay);
    PopupMenu->installEventFilter(this);
    connect(PopupMenu, &QMenu::aboutToShow, this, [this] {
        if (DataItem != nullptr) {
            DataItem->setEnabled(HasChartData(*Chart));
        }
    });
    // The chart's context menu is this one; its parents never see the event.
    chart->setContextMenuPolicy(Qt::PreventContextMenu);
    chart->installEventFilter(this);
}

QAction* TChartPopup::AddItem(const char* name, TLabIcon icon, const char* caption) {
    QAction* a = PopupMenu->addAction(LabIcon(icon), QString::fromUtf8(caption));
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

void TChartPopup::PopupAt(QPoint at) {
    PopupMenu->popup(Chart->mapToGlobal(at) + QPoint(2, 2));
}

void TChartPopup::PopupFromKeyboard() {
    if (PopupMenu->isVisible()) {
        return;
    }
    const QPoint at = Chart->GetFeelerDrawn() ? QPoint(Chart->GetFeelerX(), Chart->GetFeelerY())
                                              : Chart->rect().center();
    PopupAt(at);
    // As a menu opened from the keyboard does elsewhere: Enter takes the
    // first item, the arrows go on from it.
    for (QAction* a : PopupMenu->actions()) {
        if (a->isEnabled() && a->isVisible() && !a->isSeparator()) {
            PopupMenu->setActiveAction(a);
            break;
        }
    }
}

void TChartPopup::ReplayPress(const QMouseEvent* press) {
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

bool TChartPopup::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PopupMenu && event->type() == QEvent::MouseButtonPress) {
        auto* e = static_cast<QMouseEvent*>(event);
        if (!PopupMenu->rect().contains(e->position().toPoint())) {
            ReplayPress(e);
            return true;
        }
    } else if (watched == Chart && event->type() == QEvent::ContextMenu) {
        // The platform's context-menu key comes as an event of the keyboard,
        // placed at the widget's middle; the crosshair is the better place.
        auto* e = static_cast<QContextMenuEvent*>(event);
        if (e->reason() == QContextMenuEvent::Keyboard) {
            PopupFromKeyboard();
        } else {
            PopupAt(e->pos());
        }
        e->accept();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
