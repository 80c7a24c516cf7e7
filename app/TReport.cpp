#include "app/TReport.h"

#include <QFontMetricsF>
#include <QIODevice>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

#include "app/SchemePicture.h"
#include "files/DocumentFile.h"
#include "files/SaveAs.h"

const char* const ReportNoRunText = "Пуска ещё не было: временных диаграмм нет.";
const char* const ReportNoRowsText = "Журнал пуст: ни пуска, ни измерения ещё не было.";

namespace {

const char* const WorkNumber = "Лабораторная работа № 1";
const char* const WorkTitle = "Исследование согласованных и квазиоптимальных фильтров";

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QString JournalTitle() {
    return Text("3. Журнал измерений");
}

// Room between a cell's text and its lines, millimetres.
constexpr double CellPadding = 0.8;

// One report being painted: the printable frame of a page in device units,
// how far down the page the writing has come, and the journal's layout,
// worked out before the first page so that every page knows their count.
class TReportPainter {
  public:
    explicit TReportPainter(QPdfWriter& writer) : Writer(writer), Unit(writer.resolution() / 25.4) {
        const QRect page = writer.pageLayout().paintRectPixels(writer.resolution());
        Width = page.width();
        Height = page.height();
    }

    bool Paint(const TReportContent& content);

  private:
    qreal Mm(double mm) const { return mm * Unit; }
    QFont Font(double points, bool bold = false) const {
        QFont f;
        f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                       QStringLiteral("DejaVu Sans")});
        f.setPointSizeF(points);
        f.setBold(bold);
        return f;
    }
    // Writes text across the page, wrapped, flags as for QPainter::drawText;
    // moves down past it and a gap.
    void Paragraph(const QString& text, const QFont& font, int flags, double gapMm);
    // The journal table's faces: the headings a little smaller, so that
    // their words take no more room than the numbers beneath them.
    QFont HeadingFont() const { return Font(7, true); }
    QFont BodyFont() const { return Font(8); }
    qreal TextHeight(const QString& text, const QFont& font, int flags) const;
    void Heading(const QString& text) { Paragraph(text, Font(12, true), Qt::AlignLeft, 2); }
    qreal HeadingHeight(const QString& text) const {
        return TextHeight(text, Font(12, true), Qt::AlignLeft) + Mm(2);
    }
    void Scheme(const TReportContent& content);
    void Charts(const TReportContent& content);
    void Chart(const TReportContent& content, bool output, qreal maxHeight);
    void Journal(const TReportContent& content);
    // Widths of the journal's columns, heights of its heading and rows, and
    // the rows that begin a page.
    void LayOutJournal(const std::vector<CJournalRow>& rows);
    void SizeColumns(const std::vector<QStringList>& rows);
    qreal RowHeight(const QStringList& cells, const QFont& font) const;
    void TableRow(const QStringList& cells, const QFont& font, qreal height, bool heading,
                  const std::vector<bool>& right);
    void Footer();
    void NewPage();

    QPdfWriter& Writer;
    QPainter P;
    qreal Unit; // device units per millimetre
    qreal Width = 0, Height = 0;
    qreal Y = 0;
    int Page = 1;
    int Pages = 1;
    qreal HeadingRowHeight = 0;
    std::vector<qreal> Columns; // widths, device units
    std::vector<qreal> RowHeights;
    std::vector<std::size_t> PageStarts; // indices of the rows that begin a journal page
};

qreal TReportPainter::TextHeight(const QString& text, const QFont& font, int flags) const {
    return QFontMetricsF(font, &Writer)
        .boundingRect(QRectF(0, 0, Width, Height), flags | Qt::TextWordWrap, text)
        .height();
}

void TReportPainter::Paragraph(const QString& text, const QFont& font, int flags, double gapMm) {
    P.setFont(font);
    const qreal height = TextHeight(text, font, flags);
    P.drawText(QRectF(0, Y, Width, height), flags | Qt::TextWordWrap, text);
    Y += height + Mm(gapMm);
}

void TReportPainter::NewPage() {
    Footer();
    Writer.newPage();
    ++Page;
    Y = 0;
}

void TReportPainter::Footer() {
    P.setFont(Font(9));
    P.setPen(Qt::black);
    const QString text = QStringLiteral("Страница %1 из %2").arg(Page).arg(Pages);
    // Below the printable frame's foot, in the page's margin.
    P.drawText(QRectF(0, Height + Mm(3), Width, Mm(6)), Qt::AlignHCenter | Qt::AlignTop, text);
}

void TReportPainter::Scheme(const TReportContent& content) {
    Heading(Text("1. Схема лабораторной установки"));
    // The scheme of the run the charts show, so that the two agree; before
    // any run, the bench as it is set up.
    const bool ofRun = content.LastRunRow.has_value();
    const CBenchSetup& setup = ofRun ? content.LastRunRow->Setup : content.Setup;
    const qreal w = Width;
    const qreal h = w * SchemeHeight / SchemeWidth;
    P.save();
    P.translate(0, Y);
    P.scale(w / SchemeWidth, h / SchemeHeight);
    P.setClipRect(QRectF(0, 0, SchemeWidth, SchemeHeight));
    PaintScheme(P, SchemeSwitchesFor(setup.SignalItem, setup.NoiseItem));
    P.restore();
    Y += h + Mm(2);
    const QString which =
        ofRun ? QStringLiteral("Установка при последнем пуске (%1): ").arg(Text(content.LastRunRow->Time))
              : Text("Установка, как она собрана сейчас (пусков ещё не было): ");
    Paragraph(which + Text(DescribeSetup(setup)), Font(10), Qt::AlignLeft, 5);
}

void TReportPainter::Chart(const TReportContent& content, bool output, qreal maxHeight) {
    qreal w = Width;
    qreal h = w * RunChartHeight / RunChartWidth;
    if (h > maxHeight) {
        h = maxHeight;
        w = h * RunChartWidth / RunChartHeight;
    }
    // As many device pixels as the printer's dots over the chart's width.
    const qreal dots = w / Writer.resolution() * ReportImageDpi;
    const QImage picture =
        RenderRunChart(*content.LastRun, output, content.Kept,
                       output ? content.OutputView : content.InputView, dots / RunChartWidth);
    if (!picture.isNull()) {
        P.drawImage(QRectF((Width - w) / 2, Y, w, h), picture);
    }
    Y += h + Mm(2);
}

void TReportPainter::Charts(const TReportContent& content) {
    Heading(Text("2. Временные диаграммы последнего пуска"));
    if (!content.LastRun || !content.LastRunRow) {
        Paragraph(Text(ReportNoRunText), Font(10), Qt::AlignLeft, 5);
        return;
    }
    const CJournalRow& run = *content.LastRunRow;
    QString line = QStringLiteral("Пуск в %1: %2. Пик выхода %3 мВ при t = %4 мс.")
                       .arg(Text(run.Time), Text(DescribeSetup(run.Setup)),
                            Text(JournalCell(run, jcPeak)), Text(JournalCell(run, jcPeakTime)));
    // A student who zoomed away from the peak must not look for it in vain.
    const TChartView& view = content.OutputView;
    if (run.Peak.Time < view.Xmin || run.Peak.Time > view.Xmax) {
        line += QStringLiteral(" Пик лежит вне интервала времени, показанного на диаграмме "
                               "выхода (%1 … %2 мс).")
                    .arg(Text(BenchNumberText(view.Xmin)), Text(BenchNumberText(view.Xmax)));
    }
    Paragraph(line, Font(10), Qt::AlignLeft, 2);
    const qreal each = (Height - Y - Mm(4)) / 2;
    Chart(content, false, each);
    Chart(content, true, each);
}

qreal TReportPainter::RowHeight(const QStringList& cells, const QFont& font) const {
    const QFontMetricsF m(font, &Writer);
    qreal height = m.height();
    for (int c = 0; c < JournalColumnCount; ++c) {
        const QRectF cell(0, 0, Columns[c] - Mm(2 * CellPadding), 1e9);
        height = std::max(height, m.boundingRect(cell, Qt::TextWordWrap, cells[c]).height());
    }
    return height + Mm(1.6);
}

QStringList Cells(const CJournalRow* row) {
    QStringList cells;
    for (int c = 0; c < JournalColumnCount; ++c) {
        cells << (row ? Text(JournalCell(*row, c)) : Text(JournalColumnName(c)));
    }
    return cells;
}

void TReportPainter::SizeColumns(const std::vector<QStringList>& rows) {
    // Each column as wide as its longest text on one line (the heading may
    // wrap between words), but never narrower than its longest word.
    const QFontMetricsF heading(HeadingFont(), &Writer);
    const QFontMetricsF body(BodyFont(), &Writer);
    const QStringList headings = Cells(nullptr);
    std::vector<qreal> natural(JournalColumnCount), least(JournalColumnCount);
    for (int c = 0; c < JournalColumnCount; ++c) {
        for (const QString& word : headings[c].split(' ')) {
            least[c] = std::max(least[c], heading.horizontalAdvance(word));
        }
        natural[c] = least[c];
        for (const QStringList& cells : rows) {
            natural[c] = std::max(natural[c], body.horizontalAdvance(cells[c]));
            for (const QString& word : cells[c].split(' ')) {
                least[c] = std::max(least[c], body.horizontalAdvance(word));
            }
        }
        // A hair of room more, so that the rounding of the measures can never
        // break a text measured to fit in one line.
        natural[c] += Mm(2 * CellPadding + 0.3);
        least[c] += Mm(2 * CellPadding + 0.3);
    }
    qreal total = 0, spare = 0;
    for (int c = 0; c < JournalColumnCount; ++c) {
        total += natural[c];
        spare += natural[c] - least[c];
    }
    Columns.assign(natural.begin(), natural.end());
    if (total <= Width) {
        // The table spans the page; every column gets its share of the rest.
        for (qreal& w : Columns) {
            w *= Width / total;
        }
    } else if (total - spare <= Width) {
        // The widest columns (the filters' names first) give up room down to
        // a common width, so that their texts wrap while short ones stay on
        // one line: the largest cap at which the table fits the page.
        const auto widthAt = [&](qreal cap) {
            qreal sum = 0;
            for (int c = 0; c < JournalColumnCount; ++c) {
                sum += std::min(natural[c], std::max(least[c], cap));
            }
            return sum;
        };
        qreal lo = 0, hi = Width;
        for (int step = 0; step < 50; ++step) {
            const qreal mid = (lo + hi) / 2;
            (widthAt(mid) <= Width ? lo : hi) = mid;
        }
        for (int c = 0; c < JournalColumnCount; ++c) {
            Columns[c] = std::min(natural[c], std::max(least[c], lo));
        }
        // What the cap leaves over is shared as when everything fits.
        const qreal used = widthAt(lo);
        for (qreal& w : Columns) {
            w *= Width / used;
        }
    } else {
        for (int c = 0; c < JournalColumnCount; ++c) {
            Columns[c] = least[c] * Width / (total - spare);
        }
    }
}

void TReportPainter::LayOutJournal(const std::vector<CJournalRow>& rows) {
    std::vector<QStringList> cells;
    for (const CJournalRow& row : rows) {
        cells.push_back(Cells(&row));
    }
    SizeColumns(cells);
    HeadingRowHeight = RowHeight(Cells(nullptr), HeadingFont());
    RowHeights.clear();
    for (const QStringList& row : cells) {
        RowHeights.push_back(RowHeight(row, BodyFont()));
    }
    // The journal starts on a page of its own, below its title.
    const qreal top = HeadingHeight(JournalTitle());
    PageStarts.assign(1, 0);
    qreal y = top + HeadingRowHeight;
    for (std::size_t r = 0; r < RowHeights.size(); ++r) {
        if (y + RowHeights[r] > Height && y > HeadingRowHeight) {
            PageStarts.push_back(r);
            y = HeadingRowHeight;
        }
        y += RowHeights[r];
    }
}

void TReportPainter::TableRow(const QStringList& cells, const QFont& font, qreal height,
                              bool heading, const std::vector<bool>& right) {
    P.setFont(font);
    qreal x = 0;
    for (int c = 0; c < JournalColumnCount; ++c) {
        const QRectF cell(x, Y, Columns[c], height);
        if (heading) {
            P.fillRect(cell, QColor(230, 230, 230));
        }
        P.setPen(QPen(Qt::black, Mm(0.2)));
        P.drawRect(cell);
        const int align = heading ? Qt::AlignHCenter : right[c] ? Qt::AlignRight : Qt::AlignLeft;
        P.drawText(cell.adjusted(Mm(CellPadding), Mm(0.8), -Mm(CellPadding), -Mm(0.8)),
                   align | Qt::AlignVCenter | Qt::TextWordWrap, cells[c]);
        x += Columns[c];
    }
    Y += height;
}

void TReportPainter::Journal(const TReportContent& content) {
    Heading(JournalTitle());
    if (content.Rows.empty()) {
        Paragraph(Text(ReportNoRowsText), Font(10), Qt::AlignLeft, 0);
        return;
    }
    std::vector<bool> right;
    for (int c = 0; c < JournalColumnCount; ++c) {
        right.push_back(JournalColumnIsNumber(c));
    }
    for (std::size_t r = 0; r < content.Rows.size(); ++r) {
        if (r > 0 && std::find(PageStarts.begin(), PageStarts.end(), r) != PageStarts.end()) {
            NewPage();
        }
        if (r == 0 || Y == 0) {
            TableRow(Cells(nullptr), HeadingFont(), HeadingRowHeight, true, right);
        }
        TableRow(Cells(&content.Rows[r]), BodyFont(), RowHeights[r], false, right);
    }
}

bool TReportPainter::Paint(const TReportContent& content) {
    LayOutJournal(content.Rows);
    Pages = 1 + static_cast<int>(PageStarts.size());
    if (!P.begin(&Writer)) {
        return false;
    }
    P.setRenderHint(QPainter::Antialiasing);
    // Charts drawn for print keep every pixel, so thin lines and small digits
    // stay crisp instead of blurring as a photograph would.
    P.setRenderHint(QPainter::LosslessImageRendering);
    P.setPen(Qt::black);

    Paragraph(Text(WorkNumber), Font(11), Qt::AlignHCenter, 1);
    Paragraph(Text(WorkTitle), Font(14, true), Qt::AlignHCenter, 1);
    Paragraph(QStringLiteral("Отчёт составлен %1")
                  .arg(content.Made.toString(QStringLiteral("dd.MM.yyyy, HH:mm"))),
              Font(10), Qt::AlignHCenter, 6);
    Scheme(content);
    Charts(content);
    NewPage();
    Journal(content);
    Footer();
    return P.end();
}

} // namespace

TReportContent ReportContentOf(const CLabSession& session, const CBenchSetup& setup,
                               const TChartView& inputView, const TChartView& outputView) {
    TReportContent content;
    content.Made = QDateTime::currentDateTime();
    content.Setup = setup;
    content.LastRun = session.LastRun();
    content.LastRunRow = session.LastRunRow();
    content.Kept = session.KeptOutputs();
    content.InputView = inputView;
    content.OutputView = outputView;
    content.Rows = session.Rows();
    return content;
}

bool WriteReport(const QString& fileName, const TReportContent& content) {
    return WriteDocument(fileName, [&content](QIODevice& file, QString& error) {
        QPdfWriter writer(&file);
        writer.setTitle(Text(WorkTitle));
        writer.setCreator(QStringLiteral("matched-filter-lab"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(18, 15, 18, 15), QPageLayout::Millimeter));
        TReportPainter painter(writer);
        if (!painter.Paint(content)) {
            error = file.errorString();
            if (error.isEmpty()) {
                error = QStringLiteral("Не удаётся составить документ PDF.");
            }
            return false;
        }
        return true;
    });
}

bool SaveReport(QWidget* parent, const TReportContent& content) {
    return SaveAs(parent,
                  {TDocumentKind::Report, QStringLiteral("Отчёт.pdf"),
                   QStringLiteral("Документы PDF (*.pdf)"), QStringLiteral("pdf")},
                  [&content](const QString& fileName) { return WriteReport(fileName, content); });
}
