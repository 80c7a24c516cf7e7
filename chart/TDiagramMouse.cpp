// The chart's crosshair and its mouse handling.
#include <QMouseEvent>
#include <algorithm>

#include "chart/Crosshair.h"
#include "chart/TDiagram.h"

// ---------------------------------------------------------------- crosshair

void TDiagram::DrawFeeler(int x, int y) {
    const int width = std::max(1, std::min(64, PenWidthFeeler));
    DrawCrosshair(Picture, Net(), x, y, QPen(ColorFeeler, width, PenStyleFeeler, Qt::SquareCap));
    update();
}

void TDiagram::SetShowFeeler(bool on) {
    if (on == ShowFeeler) {
        return;
    }
    ShowFeeler = on;
    if (!on && FeelerDrawn) {
        DrawFeeler(FeelerX, FeelerY);
        FeelerDrawn = false;
    }
}

// A crosshair on screen is taken off with the pen that drew it, so that
// changing the pen never leaves a trace behind.
void TDiagram::SetFeelerPen(Qt::PenStyle style, int width, const QColor& color) {
    if (FeelerDrawn) {
        DrawFeeler(FeelerX, FeelerY);
    }
    PenStyleFeeler = style;
    PenWidthFeeler = width;
    ColorFeeler = color;
    if (FeelerDrawn) {
        DrawFeeler(FeelerX, FeelerY);
    }
}

void TDiagram::SetPenStyleFeeler(Qt::PenStyle style) {
    SetFeelerPen(style, PenWidthFeeler, ColorFeeler);
}

void TDiagram::SetPenWidthFeeler(int width) {
    SetFeelerPen(PenStyleFeeler, width, ColorFeeler);
}

void TDiagram::SetColorFeeler(const QColor& color) {
    SetFeelerPen(PenStyleFeeler, PenWidthFeeler, color);
}

void TDiagram::MouseMove(Qt::KeyboardModifiers shift, int x, int y) {
    if (!CursorSaved) {
        SavedCursor = cursor().shape();
        CursorSaved = true;
    }
    const bool inside =
        Get_xb_net() < x && x < Get_xe_net() && Get_yb_net() < y && y < Get_ye_net();
    const Qt::CursorShape shape = cursor().shape();
    if (inside) {
        if (ShowFeeler && shape != Qt::CrossCursor) {
            setCursor(Qt::CrossCursor);
        } else if (!ShowFeeler && shape != NetCursor) {
            setCursor(NetCursor);
        }
    } else if (shape != SavedCursor) {
        setCursor(SavedCursor);
    }
    if (ShowFeeler) {
        if (inside) {
            if (FeelerDrawn) {
                DrawFeeler(FeelerX, FeelerY);
            }
            DrawFeeler(x, y);
            FeelerX = x;
            FeelerY = y;
            FeelerDrawn = true;
        } else if (FeelerDrawn) {
            DrawFeeler(FeelerX, FeelerY);
            FeelerDrawn = false;
        }
    }
    emit OnMouseMove(this, shift, x, y);
}

void TDiagram::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    MouseMove(event->modifiers(), pos.x(), pos.y());
    QWidget::mouseMoveEvent(event);
}
