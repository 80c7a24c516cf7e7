// The report: a PDF made through the menu (or Ctrl+R) whose text, pages and
// pictures are read back with poppler's tools, the report before anything was
// done, a journal over several pages, and a failed write.

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QLineEdit>

#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "app/OutputReferences.h"
#include "app/RunCharts.h"
#include "app/TJournalPage.h"
#include "app/TReport.h"
#include "app/TStudentForm.h"
#include "bench/CResults.h"
#include "chart/TDiagram.h"
#include "chart/TReferenceCurves.h"
#include "controls/TDiagramFrame.h"
#include "files/SaveAs.h"

namespace {

// stdout of a poppler tool run on a file; fails the test when it cannot run.
QString Tool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of the file, or of one page, every run of white space made one
// space: the layout's line breaks are not what is checked.
QString PdfText(const QString& file, int page = 0) {
    QStringList arguments;
    if (page > 0) {
        arguments << "-f" << QString::number(page) << "-l" << QString::number(page);
    }
    return Tool("pdftotext", arguments << file << "-").simplified();
}

int PdfPages(const QString& file) {
    const QRegularExpressionMatch m =
        QRegularExpression("^Pages:\\s+(\\d+)$", QRegularExpression::MultilineOption)
            .match(Tool("pdfinfo", {file}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Lines of "pdfimages -list" after its two heading lines: one per picture.
QStringList PdfImages(const QString& file) {
    QStringList lines = Tool("pdfimages", {"-list", file}).split('\n', Qt::SkipEmptyParts);
    return lines.mid(2);
}

// Keeps a copy of a report under $REPORT_TEST_PDF_DIR, when that is set, to be looked at.
void MaybeKeep(const QString& file) {
    const QString keep = qEnvironmentVariable("REPORT_TEST_PDF_DIR");
    if (!keep.isEmpty()) {
        const QString copy = QDir(keep).filePath(QFileInfo(file).fileName());
        QFile::remove(copy);
        QFile::copy(file, copy);
    }
}

class Report : public testing::Test, public FormFixture {
  protected:
    void Choose(QComboBox* box, int item) {
        box->setCurrentIndex(item);
        emit box->activated(item);
    }
    QString SaveThroughMenu(const QString& name) {
        const QString file = dir.filePath(name);
        SaveAnswer answer(TDocumentKind::Report, file);
        form->NSaveReport->trigger();
        EXPECT_EQ(answer.asked, QStringList{"Отчёт.pdf"});
        MaybeKeep(file);
        return file;
    }
    QTemporaryDir dir;
};

TEST_F(Report, HoldsTitleSchemeChartsAndJournal) {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    Choose(form->ComboBox1, siRectangle);
    form->BitBtn1Click();
    form->PageControl1->setCurrentIndex(0);
    Choose(form->ComboBox1, siOff);
    Choose(form->ComboBox3, niOn);
    Choose(form->ComboBox2, fiLowBand1);
    form->BitBtn3Click();
    const QString firstReading = form->StaticText1->text();
    Choose(form->ComboBox2, fiChebishev);
    form->BitBtn3Click();
    const QString secondReading = form->StaticText1->text();
    form->BitBtn1Click(); // noise alone through the flat-passband low-pass
    // The student's own range on the output chart is printed as it is.
    TDiagram* output = form->DiagramFrame2->Diagram;
    output->SetRangeX(0, 300);
    const QImage screen = output->GetPicture();

    const QString file = SaveThroughMenu("report.pdf");
    EXPECT_TRUE(messages.Messages().empty());
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_EQ(output->GetPicture(), screen);

    const QString text = PdfText(file);
    for (const QString& expected :
         {QString("Лабораторная работа № 1"),
          QString("Исследование согласованных и квазиоптимальных фильтров"),
          QString("Отчёт составлен"), QString("Схема лабораторной установки"),
          QString("Генератор шума"), QString("Временные диаграммы последнего пуска"),
          QString("Журнал измерений"), QString("Регистратор"), firstReading, secondReading,
          QString("ФНЧ 1-го порядка"), QString("ФНЧ с П - образной"), QString("Прямоугольный"),
          QString("Страница 1 из 2"), QString("Страница 2 из 2")}) {
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
    }
    EXPECT_FALSE(text.contains(QString::fromUtf8(ReportNoRunText)));
    EXPECT_EQ(PdfPages(file), 2);
    // The two charts are pictures, drawn for print: far more pixels than on
    // screen. The scheme is drawn as lines and text, not as a picture.
    const QStringList images = PdfImages(file);
    ASSERT_EQ(images.size(), 2) << images.join('\n').toStdString();
    for (const QString& line : images) {
        const QStringList f = line.split(' ', Qt::SkipEmptyParts);
        ASSERT_GE(f.size(), 5);
        EXPECT_GE(f[3].toInt(), 2 * output->width()) << line.toStdString();
        EXPECT_GE(f[4].toInt(), 2 * output->height()) << line.toStdString();
    }
}

TEST_F(Report, BeforeAnythingWasDoneSaysSoAndIsStillWritten) {
    const QString file = SaveThroughMenu("empty.pdf");
    EXPECT_TRUE(messages.Messages().empty());
    const QString text = PdfText(file);
    EXPECT_TRUE(text.contains("Исследование согласованных и квазиоптимальных фильтров"));
    EXPECT_TRUE(text.contains(QString::fromUtf8(ReportNoRunText)));
    EXPECT_TRUE(text.contains(QString::fromUtf8(ReportNoRowsText)));
    // The scheme of the bench as set up now: delta impulse, no noise.
    EXPECT_TRUE(text.contains("Установка, как она собрана сейчас (пусков ещё не было): СФ для "
                              "прямоугольного импульса, K = 1, дельта-импульс"))
        << text.toStdString();
    EXPECT_EQ(PdfPages(file), 2);
    EXPECT_TRUE(PdfImages(file).isEmpty());
}

// The scheme and the charts tell of one run, whatever was chosen after it;
// a peak outside the time range on show is said to be so.
TEST_F(Report, DescribesTheRunItShowsBySetupItWasRunWith) {
    SeedRandom(5);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    Choose(form->ComboBox1, siRectangle);
    Choose(form->ComboBox3, niOn);
    form->BitBtn1Click();
    const std::string time = form->Session.LastRunRow()->Time;
    const int peak = form->Session.LastRunRow()->Peak.Time;
    form->PageControl1->setCurrentIndex(0);
    Choose(form->ComboBox2, fiChebishev);
    Choose(form->ComboBox3, niOff);
    // The student moved the output chart away from the peak.
    form->DiagramFrame2->Diagram->SetRangeX(peak + 50, peak + 400);
    const QString text = PdfText(SaveThroughMenu("then.pdf"));
    const QString run = QString::fromStdString(
        "СФ для прямоугольного импульса, K = 1, прямоугольный импульс + шум");
    EXPECT_TRUE(text.contains(QString::fromStdString("Установка при последнем пуске (" + time +
                                                     "): ") +
                              run))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromStdString("Пуск в " + time + ": ") + run));
    EXPECT_FALSE(text.contains("ФНЧ с П - образной АЧХ, fc")) << text.toStdString();
    EXPECT_TRUE(text.contains(
        QStringLiteral("Пик лежит вне интервала времени, показанного на диаграмме выхода (%1 … %2 мс).")
            .arg(peak + 50)
            .arg(peak + 400)))
        << text.toStdString();

    // With the peak in view nothing is said of it.
    form->DiagramFrame2->Diagram->SetRangeX(-250, 500);
    EXPECT_FALSE(PdfText(SaveThroughMenu("peak.pdf")).contains("Пик лежит вне"));
}

TEST_F(Report, ALongJournalContinuesOverPagesWithItsHeading) {
    for (int i = 0; i < 90; ++i) {
        CJournalRow row;
        row.Time = QStringLiteral("11:%1:00").arg(i % 60, 2, 10, QChar('0')).toStdString();
        row.Setup.FilterItem = i % FilterItemCount;
        row.Reading = std::to_string(1000 + i) + ",00";
        // Long notes only in the rows that come on the last pages.
        if (i >= 60) {
            row.Note = "длинное примечание к строке журнала, которое займёт место";
        }
        form->Session.AddRow(row);
    }
    const QString file = SaveThroughMenu("long.pdf");
    const int pages = PdfPages(file);
    ASSERT_GE(pages, 3); // the journal takes two pages at least
    for (int page = 2; page <= pages; ++page) {
        const QString text = PdfText(file, page);
        EXPECT_TRUE(text.contains("Фильтр")) << page;
        EXPECT_TRUE(text.contains("Регистратор")) << page;
        EXPECT_TRUE(text.contains(QStringLiteral("Страница %1 из %2").arg(page).arg(pages)))
            << page;
    }
    // One table: its columns stand where they stood on the first of its pages.
    const auto headingAt = [&](int page, const QString& word) {
        const QString layout = Tool("pdftotext", {"-bbox", "-f", QString::number(page), "-l",
                                                  QString::number(page), file, "-"});
        const QRegularExpressionMatch m =
            QRegularExpression("<word xMin=\"([0-9.]+)\"[^>]*>" + word + "</word>").match(layout);
        return m.hasMatch() ? m.captured(1).toDouble() : -1.0;
    };
    for (const QString& word : {QString("Сигнал"), QString("Параметр"), QString("Примечание")}) {
        const double first = headingAt(2, word);
        EXPECT_GT(first, 0) << word.toStdString();
        for (int page = 3; page <= pages; ++page) {
            EXPECT_NEAR(headingAt(page, word), first, 0.01) << word.toStdString() << page;
        }
    }
    // Every row is there, once.
    const QString all = PdfText(file);
    for (int i = 0; i < 90; ++i) {
        EXPECT_EQ(all.count(QStringLiteral("%1,00").arg(1000 + i)), 1) << i;
    }
}

// A reference kept on the output chart is printed with it, in its own colour.
TEST_F(Report, PrintsTheOutputChartWithItsReferences) {
    Choose(form->ComboBox1, siRectangle);
    form->BitBtn1Click();
    form->OutputReferences->NRememberOutput->trigger();
    Choose(form->ComboBox2, fiLowBand1);
    form->BitBtn1Click();
    const QString file = SaveThroughMenu("references.pdf");
    ASSERT_TRUE(QFile::exists(file));

    Tool("pdfimages", {"-png", file, dir.filePath("chart")});
    const QImage output(dir.filePath("chart-001.png"));
    ASSERT_FALSE(output.isNull());
    const QRgb reference = ReferenceStyle(0).color.rgb();
    int referencePixels = 0;
    for (int y = 0; y < output.height(); ++y) {
        for (int x = 0; x < output.width(); ++x) {
            referencePixels += (output.pixel(x, y) & 0xFFFFFF) == (reference & 0xFFFFFF);
        }
    }
    // A curve across the chart at print resolution, not a stray pixel or two.
    EXPECT_GT(referencePixels, output.width() / 4);

    // Both charts at one scale, their legend under the output chart: no
    // reference colour in the output's net above the legend's band, and
    // the input chart's picture as wide as the output's, so that their
    // shared margins put one time at one x on the page.
    const QImage input(dir.filePath("chart-000.png"));
    ASSERT_FALSE(input.isNull());
    EXPECT_EQ(input.width(), output.width());
    EXPECT_GT(output.height(), input.height());
    const QStringList placed = PdfImages(file);
    ASSERT_EQ(placed.size(), 2);
}

// The report draws its charts afresh from the session's run and kept outputs:
// pixel for pixel the charts on screen, whatever becomes of those later.
TEST_F(Report, ChartsAreDrawnFromTheRunNotFromTheScreen) {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    Choose(form->ComboBox1, siRectangle);
    Choose(form->ComboBox3, niOn);
    form->BitBtn1Click();
    form->OutputReferences->NRememberOutput->trigger();
    Choose(form->ComboBox2, fiLowBand1);
    form->BitBtn1Click();
    form->DiagramFrame1->Diagram->SetRangeX(-100, 200);
    form->DiagramFrame2->Diagram->SetRangeY(-20, 150);
    ASSERT_TRUE(form->Session.LastRun().has_value());
    for (bool output : {false, true}) {
        TDiagram* screen = (output ? form->DiagramFrame2 : form->DiagramFrame1)->Diagram;
        const QImage drawn = RenderRunChart(*form->Session.LastRun(), output,
                                            form->Session.KeptOutputs(), ViewOf(*screen), 2.0);
        EXPECT_TRUE(drawn == screen->RenderPicture(2.0)) << output;
    }

    // The screen's chart loses its curves; the report still has them.
    const std::vector<double> silent(RunSamples, 0.0);
    TDiagram* output = form->DiagramFrame2->Diagram;
    form->OutputReferences->Curves().Clear();
    output->GetKeeper(0)->SetData(silent.data(), RunSamples, -2500, 4999);
    const QImage drawn = RenderRunChart(*form->Session.LastRun(), true,
                                        form->Session.KeptOutputs(), ViewOf(*output), 1.0);
    const QRgb reference = ReferenceStyle(0).color.rgb() & 0xFFFFFF;
    int referencePixels = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            referencePixels += (drawn.pixel(x, y) & 0xFFFFFF) == reference;
        }
    }
    EXPECT_GT(referencePixels, drawn.width() / 4);
    output->GetKeeper(0)->SetData(OutputSamples, RunSamples, -2500, 4999);
}

TEST_F(Report, CtrlRAsksForTheFile) {
    EXPECT_EQ(form->NSaveReport->text(), "Сохранить отчёт…");
    EXPECT_EQ(form->NSaveReport->shortcut(), QKeySequence("Ctrl+R"));
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const QString file = dir.filePath("keys.pdf");
    SaveAnswer answer(TDocumentKind::Report, file);
    QTest::keyClick(form.get(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(answer.asked, QStringList{"Отчёт.pdf"});
    EXPECT_TRUE(QFile::exists(file));
}

TEST_F(Report, AFailedWriteIsReportedAndLeavesNoFile) {
    QFile blocker(dir.filePath("not-a-folder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString bad = dir.filePath("not-a-folder/report.pdf");
    {
        SaveAnswer answer(TDocumentKind::Report, bad);
        form->NSaveReport->trigger();
    }
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(
        messages.Messages()[0].rfind(("Не удаётся записать файл " + bad + ".\n").toStdString(), 0),
        0u)
        << messages.Messages()[0];
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"not-a-folder"});
}

// A report a student hands in: who and for whom, the aim, the results the
// journal gives, a study, the filters' drawings and the conclusions.
TEST_F(Report, NamesTheStudentAndHoldsResultsStudyAndConclusions) {
    StudentAnswer who({"Иванов Иван", "Р-101", "Петров П. П."});
    Choose(form->ComboBox1, siRectangle);
    form->BitBtn1Click();
    form->PageControl1->setCurrentIndex(0);
    Choose(form->ComboBox1, siOff);
    Choose(form->ComboBox3, niOn);
    form->BitBtn3Click();
    form->Session.SetConclusions("Согласованный фильтр лучше всех.");
    CStudyRequest request;
    request.FilterItem = fiLowBand1;
    request.From = 60;
    request.To = 100;
    request.Points = 3;
    CBenchStudy study(request);
    study.Run();
    form->Session.SetStudy(RecordOf(study));

    const QString file = SaveThroughMenu("handed-in.pdf");
    EXPECT_EQ(who.asked, 1);
    EXPECT_EQ(form->Session.Student().Group, "Р-101");
    const QString text = PdfText(file);
    const std::vector<CResultRow> results = JournalResults(form->Session.Rows());
    ASSERT_EQ(results.size(), 1u);
    for (const QString& expected :
         {QString("Выполнил(а): Иванов Иван, группа Р-101"), QString("Преподаватель: Петров П. П."),
          QString("Цель работы:"), QString("Исследованные фильтры"), QString("Результаты"),
          QString("Исследование зависимости от параметра"),
          QString("ФНЧ 1-го порядка, прямоугольный импульс, K = 1: 3 значений τ от 60 до 100 мс"),
          QString("η теоретическая"), QString("Выводы"), QString("Согласованный фильтр лучше всех."),
          QString::fromStdString(ResultCell(results[0], rcEfficiency)),
          QString::fromStdString(EfficiencyText(study.Points()[1].Theory.Figures.Efficiency))}) {
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
    }
    EXPECT_FALSE(text.contains(QString::fromUtf8(ReportNoConclusionsText)));
    // The saved report holds the name and the conclusions: nothing unsaved.
    EXPECT_FALSE(form->Session.HasUnsavedWork());
}

TEST_F(Report, ACancelledStudentFormWritesNothing) {
    StudentAnswer no(CStudentInfo{}, false);
    const QString file = dir.filePath("none.pdf");
    SaveAnswer answer(TDocumentKind::Report, file);
    form->NSaveReport->trigger();
    EXPECT_EQ(no.asked, 1);
    EXPECT_TRUE(answer.asked.isEmpty());
    EXPECT_FALSE(QFile::exists(file));
}

// The real form, by keys: what was typed goes on into the report.
TEST_F(Report, TheStudentFormTakesWhatIsTyped) {
    const StudentFormHook none = SetStudentFormHook({});
    form->Session.SetStudent({"Сидоров", "", ""});
    const QString file = dir.filePath("typed.pdf");
    SaveAnswer answer(TDocumentKind::Report, file);
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* shown = qobject_cast<TStudentForm*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        seen = true;
        EXPECT_EQ(shown->windowTitle(), "Отчёт о лабораторной работе");
        EXPECT_EQ(shown->StudentName->text(), "Сидоров");
        QTest::keyClick(shown->StudentName, Qt::Key_End);
        QTest::keyClicks(shown->StudentName, " P.");
        shown->StudentGroup->setFocus();
        QTest::keyClicks(shown->StudentGroup, "RT-21");
        QTest::keyClick(shown, Qt::Key_Return);
    });
    form->NSaveReport->trigger();
    SetStudentFormHook(none);
    EXPECT_TRUE(seen);
    EXPECT_EQ(form->Session.Student().Name, "Сидоров P.");
    EXPECT_EQ(form->Session.Student().Group, "RT-21");
    EXPECT_TRUE(PdfText(file).contains("Выполнил(а): Сидоров P., группа RT-21"));
}

} // namespace
