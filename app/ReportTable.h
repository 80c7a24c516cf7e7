#pragma once
// A table of the report, laid out once for its whole length: each column as
// wide as its longest text on one line within the page's width (the widest
// giving up room first, their texts wrapping), each row as tall as its
// tallest cell. Drawn a row at a time, so that the report can continue it on
// the next page with its heading repeated; every page then shows the same
// columns.

#include <QFont>
#include <QStringList>
#include <vector>

#include "base/TextTable.h"

class QPainter;
class QPaintDevice;

class TReportTable {
  public:
    // table's first line is the heading; right[c] aligns column c to the
    // right (numbers). Measures with device's fonts; width and unit (device
    // units per millimetre) in the device's units.
    TReportTable(const TTextTable& table, const std::vector<bool>& right, const QFont& heading,
                 const QFont& body, QPaintDevice* device, qreal width, qreal unit);

    int RowCount() const { return static_cast<int>(Rows.size()); }
    qreal HeadingHeight() const { return HeadingRowHeight; }
    qreal RowHeight(int row) const { return RowHeights[static_cast<std::size_t>(row)]; }
    const std::vector<qreal>& ColumnWidths() const { return Columns; }

    // Draws the heading, or a row, with its top at y; returns its height.
    qreal DrawHeading(QPainter& p, qreal y) const;
    qreal DrawRow(QPainter& p, int row, qreal y) const;

  private:
    void SizeColumns(qreal width);
    qreal MeasureRow(const QStringList& cells, const QFont& font) const;
    qreal Draw(QPainter& p, const QStringList& cells, const QFont& font, qreal y, qreal height,
               bool heading) const;

    QStringList Headings;
    std::vector<QStringList> Rows;
    std::vector<bool> Right;
    QFont HeadingFont, BodyFont;
    QPaintDevice* Device;
    qreal Unit;
    std::vector<qreal> Columns;
    qreal HeadingRowHeight = 0;
    std::vector<qreal> RowHeights;
};
