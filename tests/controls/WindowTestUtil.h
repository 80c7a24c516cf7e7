#pragma once
// Mouse events delivered straight to a widget, as the platform would; the
// offscreen platform moves no real pointer, so QTest::mouseMove falls short.

#include <QApplication>
#include <QMouseEvent>
#include <QPointF>
#include <QWidget>
#include <cmath>

inline void SendMouse(QWidget* w, QEvent::Type type, QPoint pos,
                      Qt::MouseButton button = Qt::NoButton,
                      Qt::MouseButtons buttons = Qt::NoButton) {
    const QPointF local(pos);
    QMouseEvent e(type, local, w->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

inline void MoveMouse(QWidget* w, QPoint pos) {
    SendMouse(w, QEvent::MouseMove, pos);
}

inline void PressMouse(QWidget* w, QPoint pos, Qt::MouseButton button) {
    SendMouse(w, QEvent::MouseButtonPress, pos, button, button);
}

inline void ReleaseMouse(QWidget* w, QPoint pos, Qt::MouseButton button) {
    SendMouse(w, QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
}

inline void ClickMouse(QWidget* w, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
    PressMouse(w, pos, button);
    ReleaseMouse(w, pos, button);
}

// A range a chart can draw: finite, ordered, at least the chart's minimum
// width apart (up to rounding), within the limits.
inline bool RangeValid(double lo, double hi, double limitLo, double limitHi) {
    return std::isfinite(lo) && std::isfinite(hi) && hi - lo >= 0.9e-6 && lo >= limitLo &&
           hi <= limitHi;
}
