#include "app/ReportTable.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace {

// Room between a cell's text and its lines, millimetres.
constexpr double CellPadding = 0.8;

QStringList Line(const std::vector<std::string>& cells, int columns) {
    QStringList line;
    for (int c = 0; c < columns; ++c) {
        line << (c < static_cast<int>(cells.size())
                     ? QString::fromStdString(cells[static_cast<std::size_t>(c)])
                     : QString());
    }
    return line;
}

} // namespace

TReportTable::TReportTable(const TTextTable& table, const std::vector<bool>& right,
                           const QFont& heading, const QFont& body, QPaintDevice* device,
                           qreal width, qreal unit)
    : Right(right), HeadingFont(heading), BodyFont(body), Device(device), Unit(unit) {
    const int columns = table.empty() ? 0 : static_cast<int>(table[0].size());
    if (columns > 0) {
        Headings = Line(table[0], columns);
    }
    for (std::size_t r = 1; r < table.size(); ++r) {
        Rows.push_back(Line(table[r], columns));
    }
    Right.resize(static_cast<std::size_t>(columns), false);
    SizeColumns(width);
    HeadingRowHeight = MeasureRow(Headings, HeadingFont);
    for (const QStringList& row : Rows) {
        RowHeights.push_back(MeasureRow(row, BodyFont));
    }
}

void TReportTable::SizeColumns(qreal width) {
    // Each column as wide as its longest text on one line (the heading may
    // wrap between words), but never narrower than its longest word.
    const int columns = static_cast<int>(Headings.size());
    const QFontMetricsF heading(HeadingFont, Device);
    const QFontMetricsF body(BodyFont, Device);
    std::vector<qreal> natural(static_cast<std::size_t>(columns)),
        least(static_cast<std::size_t>(columns));
    for (int c = 0; c < columns; ++c) {
        const auto i = static_cast<std::size_t>(c);
        for (const QString& word : Headings[c].split(' ')) {
            least[i] = std::max(least[i], heading.horizontalAdvance(word));
        }
        natural[i] = least[i];
        for (const QStringList& cells : Rows) {
            natural[i] = std::max(natural[i], body.horizontalAdvance(cells[c]));
            for (const QString& word : cells[c].split(' ')) {
                least[i] = std::max(least[i], body.horizontalAdvance(word));
            }
        }
        // A hair of room more, so that the rounding of the measures can never
        // break a text measured to fit in one line.
        natural[i] += Unit * (2 * CellPadding + 0.3);
        least[i] += Unit * (2 * CellPadding + 0.3);
    }
    qreal total = 0, spare = 0;
    for (std::size_t c = 0; c < natural.size(); ++c) {
        total += natural[c];
        spare += natural[c] - least[c];
    }
    Columns = natural;
    if (total <= 0) {
        return;
    }
    if (total <= width) {
        // The table spans the page; every column gets its share of the rest.
        for (qreal& w : Columns) {
            w *= width / total;
        }
    } else if (total - spare <= width) {
        // The widest columns give up room down to a common width, so that
        // their texts wrap while short ones stay on one line: the largest cap
        // at which the table fits the page.
        const auto widthAt = [&](qreal cap) {
            qreal sum = 0;
            for (std::size_t c = 0; c < natural.size(); ++c) {
                sum += std::min(natural[c], std::max(least[c], cap));
            }
            return sum;
        };
        qreal lo = 0, hi = width;
        for (int step = 0; step < 50; ++step) {
            const qreal mid = (lo + hi) / 2;
            (widthAt(mid) <= width ? lo : hi) = mid;
        }
        for (std::size_t c = 0; c < natural.size(); ++c) {
            Columns[c] = std::min(natural[c], std::max(least[c], lo));
        }
        // What the cap leaves over is shared as when everything fits.
        const qreal used = widthAt(lo);
        for (qreal& w : Columns) {
            w *= width / used;
        }
    } else {
        for (std::size_t c = 0; c < natural.size(); ++c) {
            Columns[c] = least[c] * width / (total - spare);
        }
    }
}

qreal TReportTable::MeasureRow(const QStringList& cells, const QFont& font) const {
    const QFontMetricsF m(font, Device);
    qreal height = m.height();
    for (int c = 0; c < cells.size(); ++c) {
        const QRectF cell(0, 0, Columns[static_cast<std::size_t>(c)] - Unit * 2 * CellPadding, 1e9);
        height = std::max(height, m.boundingRect(cell, Qt::TextWordWrap, cells[c]).height());
    }
    return height + Unit * 1.6;
}

qreal TReportTable::Draw(QPainter& p, const QStringList& cells, const QFont& font, qreal y,
                         qreal height, bool heading) const {
    p.setFont(font);
    qreal x = 0;
    for (int c = 0; c < cells.size(); ++c) {
        const qreal w = Columns[static_cast<std::size_t>(c)];
        const QRectF cell(x, y, w, height);
        if (heading) {
            p.fillRect(cell, QColor(230, 230, 230));
        }
        p.setPen(QPen(Qt::black, Unit * 0.2));
        p.drawRect(cell);
        const int align = heading                            ? Qt::AlignHCenter
                          : Right[static_cast<std::size_t>(c)] ? Qt::AlignRight
                                                               : Qt::AlignLeft;
        p.drawText(cell.adjusted(Unit * CellPadding, Unit * 0.8, -Unit * CellPadding, -Unit * 0.8),
                   align | Qt::AlignVCenter | Qt::TextWordWrap, cells[c]);
        x += w;
    }
    return height;
}

qreal TReportTable::DrawHeading(QPainter& p, qreal y) const {
    return Draw(p, Headings, HeadingFont, y, HeadingRowHeight, true);
}

qreal TReportTable::DrawRow(QPainter& p, int row, qreal y) const {
    return Draw(p, Rows[static_cast<std::size_t>(row)], BodyFont, y, RowHeight(row), false);
}
