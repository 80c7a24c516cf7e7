#pragma once
// The program's one icon set, drawn in code so that it is sharp at every size
// and screen scale: each icon is painted for the pixel size and device pixel
// ratio at which it is shown. Dark strokes of one weight, a blue accent, red
// only for closing and stopping, green for starting.

#include <QIcon>
#include <QRectF>

class QPainter;

enum class TLabIcon {
    Measure,      // crosshair: coordinate readout
    Limits,       // axis corner with arrows: limit arrows
    ReturnLimits, // turning arrow around a frame: back to the initial limits
    Enlarge,      // magnifier: enlarged chart window
    Save,         // diskette: save as a picture
    Copy,         // two sheets: copy to the clipboard
    Close,        // red cross
    NetOnly,      // bare grid: do not draw the series while limits change
    Exit,         // door with an arrow
    SignalSource, // box with a rectangular pulse
    NoiseSource,  // box with a noisy trace
    Filter,       // box with a low-pass response
    Description,  // sheet with text
    Start,        // green play triangle
    Registrar,    // meter dial
    Application   // oscilloscope screen with a pulse
};

// The icon of kind, painted on demand at the requested size.
QIcon LabIcon(TLabIcon kind);

// Paints the icon of kind into r (any size; the drawing is scaled from a
// 16 x 16 design grid and antialiased). The painter's state is restored.
void PaintLabIcon(QPainter& p, const QRectF& r, TLabIcon kind);
