#pragma once
// Notes on a chart: a point marked by a dot, with a few lines of text beside
// it in a framed box (the best value of a study, with its figures). A note
// stays inside the net: its box goes above and to the right of its point
// where there is room, else to whichever side has it.

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

#include "chart/TScale.h"

class QFontMetrics;
class QPainter;

// A note at (X, Y), in the chart's units; lines of Text split at '\n'.
struct TChartNote {
    double X = 0;
    double Y = 0;
    QString Text;
    friend bool operator==(const TChartNote& a, const TChartNote& b) {
        return a.X == b.X && a.Y == b.Y && a.Text == b.Text;
    }
};

// A note laid out on a net: its point in pixels and its box.
struct TPlacedNote {
    QPoint Dot;
    QRect Box;
    QStringList Lines;
};

// The notes whose point lies within the net, laid out with the text
// measurements of fm; pixels from scale.
std::vector<TPlacedNote> PlaceNotes(const std::vector<TChartNote>& notes, const TScale& scale,
                                    const TNetRect& net, const QFontMetrics& fm);

// Draws placed notes in the painter's font (that of fm): each dot and box in
// colour text on back.
void DrawNotes(QPainter& p, const std::vector<TPlacedNote>& notes, const QFontMetrics& fm,
               const QColor& text, const QColor& back);
