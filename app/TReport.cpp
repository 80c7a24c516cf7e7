#include "app/TReport.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QIODevice>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <set>

#include "app/FilterDrawings.h"
#include "app/ReportTable.h"
#include "app/SchemePicture.h"
#include "app/StudyChart.h"
#include "bench/CResults.h"
#include "files/DocumentFile.h"
#include "files/SaveAs.h"

const char* const ReportNoRunText = "Пуска ещё не было: временных диаграмм нет.";
const char* const ReportNoRowsText = "Журнал пуст: ни пуска, ни измерения ещё не было.";
const char* const ReportNoResultsText =
    "Результатов ещё нет: для них нужны пуск без шума и измерение одного и того же фильтра с "
    "тем же параметром.";
const char* const ReportNoConclusionsText = "Выводы не написаны.";
const char* const ReportAimText =
    "Цель работы: изучить, как согласованный фильтр выделяет импульсный сигнал из шума и "
    "насколько ему уступают квазиоптимальные фильтры; измерить отношение сигнал/шум на выходе "
    "каждого фильтра, сравнить его с отношением на выходе идеального согласованного фильтра и "
    "найти параметры квазиоптимальных фильтров, при которых потери наименьшие.";

namespace {

const char* const WorkNumber = "Лабораторная работа № 1";
const char* const WorkTitle = "Исследование согласованных и квазиоптимальных фильтров";

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// One report being painted: the printable frame of a page in device units
// and how far down the page the writing has come. A report is painted twice,
// first only to count its pages (Counting: no pictures drawn), then for real
// with the count known, so that every page says "Страница n из m".
class TReportPainter {
  public:
    TReportPainter(QPdfWriter& writer, int pages)
        : Writer(writer), Unit(writer.resolution() / 25.4), Pages(pages), Counting(pages == 0) {
        const QRect page = writer.pageLayout().paintRectPixels(writer.resolution());
        Width = page.width();
        Height = page.height();
    }

    bool Paint(const TReportContent& content);
    int PageCount() const { return Page; }

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
    // moves down past it and a gap. A paragraph that does not fit the rest
    // of the page begins the next.
    void Paragraph(const QString& text, const QFont& font, int flags, double gapMm);
    void Body(const QString& text, double gapMm = 3) { Paragraph(text, Font(10), Qt::AlignLeft, gapMm); }
    qreal TextHeight(const QString& text, const QFont& font, int flags) const;
    // A section's heading; with room for at least least below it on its page.
    void Heading(const QString& text, qreal least = 0);
    // Begins a new page unless height fits below the writing.
    void Room(qreal height);
    void TitleBlock(const TReportContent& content);
    void Scheme(const TReportContent& content);
    void Charts(const TReportContent& content);
    // The run's input or output chart drawn afresh for print.
    QImage ChartPicture(const TReportContent& content, bool output) const;
    void Filters(const TReportContent& content);
    void Results(const TReportContent& content);
    void Study(const TReportContent& content);
    void Journal(const TReportContent& content);
    void Conclusions(const TReportContent& content);
    // A table of the report, continued over pages with its heading.
    void Table(const TTextTable& table, const std::vector<bool>& right);
    QString Numbered(const char* title) { return QStringLiteral("%1. %2").arg(++Section).arg(Text(title)); }
    void Footer();
    void NewPage();

    QPdfWriter& Writer;
    QPainter P;
    qreal Unit; // device units per millimetre
    qreal Width = 0, Height = 0;
    qreal Y = 0;
    int Page = 1;
    int Pages;
    bool Counting;
    int Section = 0;
};

qreal TReportPainter::TextHeight(const QString& text, const QFont& font, int flags) const {
    return QFontMetricsF(font, &Writer)
        .boundingRect(QRectF(0, 0, Width, Height), flags | Qt::TextWordWrap, text)
        .height();
}

void TReportPainter::Room(qreal height) {
    if (Y > 0 && Y + height > Height) {
        NewPage();
    }
}

void TReportPainter::Paragraph(const QString& text, const QFont& font, int flags, double gapMm) {
    const qreal height = TextHeight(text, font, flags);
    Room(height);
    P.setFont(font);
    P.drawText(QRectF(0, Y, Width, height), flags | Qt::TextWordWrap, text);
    Y += height + Mm(gapMm);
}

void TReportPainter::Heading(const QString& text, qreal least) {
    Room(TextHeight(text, Font(12, true), Qt::AlignLeft) + Mm(2) + least);
    Paragraph(text, Font(12, true), Qt::AlignLeft, 2);
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
    const QString text = QStringLiteral("Страница %1 из %2").arg(Page).arg(std::max(Pages, Page));
    // Below the printable frame's foot, in the page's margin.
    P.drawText(QRectF(0, Height + Mm(3), Width, Mm(6)), Qt::AlignHCenter | Qt::AlignTop, text);
}

void TReportPainter::TitleBlock(const TReportContent& content) {
    Paragraph(Text(WorkNumber), Font(11), Qt::AlignHCenter, 1);
    Paragraph(Text(WorkTitle), Font(14, true), Qt::AlignHCenter, 1);
    Paragraph(QStringLiteral("Отчёт составлен %1")
                  .arg(content.Made.toString(QStringLiteral("dd.MM.yyyy, HH:mm"))),
              Font(10), Qt::AlignHCenter, 3);
    const CStudentInfo& who = content.Student;
    if (!who.Name.empty() || !who.Group.empty()) {
        QString line = QStringLiteral("Выполнил(а): ") + Text(who.Name.empty() ? "—" : who.Name);
        if (!who.Group.empty()) {
            line += QStringLiteral(", группа ") + Text(who.Group);
        }
        Paragraph(line, Font(10), Qt::AlignHCenter, 1);
    }
    if (!who.Teacher.empty()) {
        Paragraph(QStringLiteral("Преподаватель: ") + Text(who.Teacher), Font(10), Qt::AlignHCenter,
                  1);
    }
    Y += Mm(3);
    Body(Text(ReportAimText), 5);
}

void TReportPainter::Scheme(const TReportContent& content) {
    Heading(Numbered("Схема лабораторной установки"));
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
    Body(which + Text(DescribeSetup(setup)), 5);
}

QImage TReportPainter::ChartPicture(const TReportContent& content, bool output) const {
    // As many device pixels as the printer's dots over the page's width; the
    // legend goes under the chart, where it covers nothing.
    const qreal dots = Width / Writer.resolution() * ReportImageDpi;
    return RenderRunChart(*content.LastRun, output, content.Kept,
                          output ? content.OutputView : content.InputView, dots / RunChartWidth,
                          TLegendPlace::BelowChart);
}

void TReportPainter::Charts(const TReportContent& content) {
    Heading(Numbered("Временные диаграммы последнего пуска"));
    if (!content.LastRun || !content.LastRunRow) {
        Body(Text(ReportNoRunText), 5);
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
    Body(line, 2);
    // Both charts at one scale, one above the other from the same left edge:
    // they keep the screen's shared margins, so one time stands at one x on
    // both, as on screen. The output's legend under it makes it the taller.
    // Counting the pages needs only the output's height, which its legend sets.
    const QImage input = Counting ? QImage() : ChartPicture(content, false);
    const QImage output = ChartPicture(content, true);
    const auto aspect = [](const QImage& picture) {
        const QSizeF size = picture.isNull() ? QSizeF(RunChartWidth, RunChartHeight)
                                             : picture.deviceIndependentSize();
        return size.height() / size.width();
    };
    const qreal room = Height - Y - Mm(4) - Mm(2);
    const qreal w = std::min(Width, room / (aspect(input) + aspect(output)));
    const qreal x = (Width - w) / 2;
    for (const QImage* picture : {&input, &output}) {
        const qreal h = w * aspect(*picture);
        if (!picture->isNull() && !Counting) {
            P.drawImage(QRectF(x, Y, w, h), *picture);
        }
        Y += h + Mm(2);
    }
}

void TReportPainter::Filters(const TReportContent& content) {
    const std::vector<int> used = FiltersUsed(content);
    if (used.empty()) {
        return;
    }
    // Two drawings a row, each with the filter's name beneath.
    const qreal gap = Mm(6);
    const qreal w = (Width - gap) / 2;
    const qreal h = w * FilterPictureHeight / FilterPictureWidth;
    const QFont caption = Font(9);
    const qreal captionHeight = TextHeight(QStringLiteral("Ф"), caption, Qt::AlignLeft) * 2;
    Heading(Numbered("Исследованные фильтры"), h + captionHeight);
    for (std::size_t i = 0; i < used.size(); i += 2) {
        Room(h + captionHeight);
        for (std::size_t j = i; j < std::min(i + 2, used.size()); ++j) {
            const qreal x = (j - i) * (w + gap);
            P.save();
            P.translate(x, Y);
            P.scale(w / FilterPictureWidth, h / FilterPictureHeight);
            P.setClipRect(QRectF(0, 0, FilterPictureWidth, FilterPictureHeight));
            PaintFilterPicture(P, used[j]);
            P.restore();
            P.setPen(QPen(Qt::black, Mm(0.2)));
            P.drawRect(QRectF(x, Y, w, h));
            P.setFont(caption);
            P.drawText(QRectF(x, Y + h + Mm(1), w, captionHeight),
                       Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                       Text(FilterItemName(used[j])));
        }
        Y += h + captionHeight + Mm(3);
    }
}

void TReportPainter::Results(const TReportContent& content) {
    Heading(Numbered("Результаты"));
    const std::vector<CResultRow> results = JournalResults(content.Rows);
    if (results.empty()) {
        Body(Text(ReportNoResultsText), 5);
        return;
    }
    Body(Text("U — пик выхода фильтра без шума, P — мощность шума на его выходе по "
              "регистратору (при усилении K), q = U²/P — отношение сигнал/шум, η = q/q₀ — "
              "эффективность относительно идеального согласованного фильтра (q₀ = E/σ², E — "
              "энергия сигнала, σ² — дисперсия шума), потери = −10·lg η."),
         2);
    Table(ResultsTable(results), ResultNumberColumns());
    Y += Mm(5);
}

void TReportPainter::Study(const TReportContent& content) {
    if (!content.Study || content.Study->Points.empty()) {
        return;
    }
    const CStudyRecord& study = *content.Study;
    // The chart drawn afresh from the record as the study page draws it, at
    // the printer's dots over the page's width, its legend under it.
    const QImage chart =
        RenderStudyChart(study, {StudyChartWidth, StudyChartHeight},
                         Width / Writer.resolution() * ReportImageDpi / StudyChartWidth);
    const QSizeF size = chart.deviceIndependentSize();
    const qreal h = Width * size.height() / size.width();
    Heading(Numbered("Исследование зависимости от параметра"), h);
    const int p = ParameterOfFilter(study.Request.FilterItem);
    QString line = Text(FilterItemName(study.Request.FilterItem)) + QStringLiteral(", ") +
                   Text(SignalItemName(study.Request.SignalItem)).toLower() +
                   QStringLiteral(", K = ") + Text(BenchNumberText(study.Request.Gain));
    if (p != NoBenchParameter) {
        line += QStringLiteral(": %1 значений %2 от %3 до %4 %5")
                    .arg(study.Values.size())
                    .arg(Text(BenchParameters[p].Symbol), Text(BenchNumberText(study.Request.From)),
                         Text(BenchNumberText(study.Request.To)), Text(BenchParameters[p].Unit));
    }
    if (!study.Complete()) {
        line += QStringLiteral(" (остановлено после %1)").arg(study.Points.size());
    }
    Body(line + QLatin1Char('.'), 2);
    Room(h);
    if (!Counting) {
        P.drawImage(QRectF(0, Y, Width, h), chart);
    }
    Y += h + Mm(2);
    std::vector<bool> right;
    const TTextTable table = StudyTable(study, &right);
    Table(table, right);
    Y += Mm(5);
}

void TReportPainter::Journal(const TReportContent& content) {
    Heading(Numbered("Журнал измерений"));
    if (content.Rows.empty()) {
        Body(Text(ReportNoRowsText), 5);
        return;
    }
    Table(JournalTable(content.Rows), JournalNumberColumns());
    Y += Mm(5);
}

void TReportPainter::Conclusions(const TReportContent& content) {
    Heading(Numbered("Выводы"));
    Body(content.Conclusions.empty() ? Text(ReportNoConclusionsText) : Text(content.Conclusions));
}

void TReportPainter::Table(const TTextTable& table, const std::vector<bool>& right) {
    const TReportTable layout(table, right, Font(7, true), Font(8), &Writer, Width, Unit);
    // The heading never stands alone at a page's foot.
    Room(layout.HeadingHeight() + (layout.RowCount() > 0 ? layout.RowHeight(0) : 0));
    Y += layout.DrawHeading(P, Y);
    for (int r = 0; r < layout.RowCount(); ++r) {
        if (Y + layout.RowHeight(r) > Height) {
            NewPage();
            Y += layout.DrawHeading(P, Y);
        }
        Y += layout.DrawRow(P, r, Y);
    }
}

bool TReportPainter::Paint(const TReportContent& content) {
    if (!P.begin(&Writer)) {
        return false;
    }
    P.setRenderHint(QPainter::Antialiasing);
    // Charts drawn for print keep every pixel, so thin lines and small digits
    // stay crisp instead of blurring as a photograph would.
    P.setRenderHint(QPainter::LosslessImageRendering);
    P.setPen(Qt::black);

    TitleBlock(content);
    Scheme(content);
    Charts(content);
    NewPage();
    Filters(content);
    Results(content);
    Study(content);
    Journal(content);
    Conclusions(content);
    Footer();
    return P.end();
}

void SetUpPage(QPdfWriter& writer) {
    writer.setTitle(Text(WorkTitle));
    writer.setCreator(QStringLiteral("matched-filter-lab"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(18, 15, 18, 15), QPageLayout::Millimeter));
}

} // namespace

std::vector<int> FiltersUsed(const TReportContent& content) {
    std::set<int> used;
    for (const CJournalRow& row : content.Rows) {
        used.insert(row.Setup.FilterItem);
    }
    if (content.LastRunRow) {
        used.insert(content.LastRunRow->Setup.FilterItem);
    }
    for (const CKeptOutput& kept : content.Kept) {
        used.insert(kept.Setup.FilterItem);
    }
    if (content.Study) {
        used.insert(content.Study->Request.FilterItem);
    }
    std::vector<int> items;
    for (int item : used) {
        if (item >= 0 && item < FilterItemCount) {
            items.push_back(item);
        }
    }
    return items;
}

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
    content.Student = session.Student();
    content.Conclusions = session.Conclusions();
    content.Study = session.Study();
    return content;
}

bool WriteReport(const QString& fileName, const TReportContent& content) {
    // The pages are counted first, on a report painted into memory without
    // its pictures, so that every page can say how many there are.
    int pages = 1;
    {
        QBuffer scratch;
        scratch.open(QIODevice::WriteOnly);
        QPdfWriter writer(&scratch);
        SetUpPage(writer);
        TReportPainter counter(writer, 0);
        if (counter.Paint(content)) {
            pages = counter.PageCount();
        }
    }
    return WriteDocument(fileName, [&content, pages](QIODevice& file, QString& error) {
        QPdfWriter writer(&file);
        SetUpPage(writer);
        TReportPainter painter(writer, pages);
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
