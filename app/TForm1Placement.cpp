// Where the main window goes on the screen: its designed size and place, or
// the whole screen where the designed size does not fit.
#include <QGuiApplication>
#include <QScreen>

#include "app/TForm1.h"

bool TForm1::StartsMaximised(const QSize& screen) {
    return screen.width() <= 800 || screen.height() <= 600;
}

void TForm1::FormCreate() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        FitToScreen(screen->size(), screen->availableGeometry());
    }
}

void TForm1::FitToScreen(const QSize& screen, const QRect& available) {
    if (StartsMaximised(screen)) {
        // The designed size does not fit: take the whole screen instead (also
        // where no window manager maximises the window for us).
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        setGeometry(available);
        setWindowState(windowState() | Qt::WindowMaximized);
        return;
    }
    setWindowState(windowState() & ~Qt::WindowMaximized);
    setFixedSize(DesignedSize);
    // The designed place, unless the window would stick out of the screen
    // there; never above or left of the screen, where the menu would be lost.
    const QRect designed(QPoint(267, 111), DesignedSize);
    const QPoint centred = available.center() - QRect(QPoint(), DesignedSize).center();
    move(available.contains(designed) ? designed.topLeft()
                                      : QPoint(std::max(centred.x(), available.left()),
                                               std::max(centred.y(), available.top())));
}

