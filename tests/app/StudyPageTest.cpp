// The study page: its controls, a study run by a click filling the table and
// the chart, a study stopped half-way by the progress dialog's «Отмена»
// leaving the charts' arrays and the journal alone, the table saved as CSV,
// and the study's chart and table in the report.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <cmath>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "app/OutputReferences.h"
#include "app/StudyChart.h"
#include "app/TJournalPage.h"
#include "app/TStudyPage.h"
#include "app/TTextTableView.h"
#include "base/TextTable.h"
#include "bench/BenchSamples.h"
#include "bench/CJournal.h"
#include "bench/CResults.h"
#include "chart/TDiagram.h"
#include "controls/TDiagramFrame.h"
#include "controls/TDiagramIncrease.h"
#include "controls/TEditFloat.h"

namespace {

class Study : public testing::Test, public FormFixture {
  protected:
    TStudyPage& Page() { return *form->StudyPage; }
    TDiagram& Chart() { return *Page().StudyChart->Diagram; }
    TKeeper& Series(int s) { return *Chart().GetKeeper(static_cast<unsigned char>(s)); }

    void ShowPage() {
        form->show();
        form->PageControl1->setCurrentWidget(form->StudyPage);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    // Types text over the field's own, as the student would.
    void Type(TEditFloat* field, const QString& text) {
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    void Bounds(const QString& from, const QString& to) {
        Type(Page().StudyFrom, from);
        Type(Page().StudyTo, to);
    }
    void ClickRun() { QTest::mouseClick(Page().StudyRun, Qt::LeftButton); }
    // The value shown at the optimum's note.
    double NoteValue() {
        const std::vector<TChartNote>& notes = Chart().GetNotes();
        return notes.size() == 1 ? Chart().ShownX(notes[0].X) : NAN;
    }
};

TEST_F(Study, IsThePageAfterTheJournalWithItsControls) {
    QTabWidget* tabs = form->PageControl1;
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->indexOf(form->StudyPage), tabs->indexOf(form->JournalPage) + 1);
    EXPECT_EQ(tabs->tabText(tabs->indexOf(form->StudyPage)), "Исследование");
    EXPECT_EQ(form->StudyPage->objectName(), "StudyPage");

    // Only the filters with a parameter, named as the bench names them.
    QComboBox* filter = Page().StudyFilter;
    ASSERT_EQ(filter->count(), 3);
    EXPECT_EQ(filter->itemText(0), "СФ для прямоугольного импульса с неидеальным интегратором");
    EXPECT_EQ(filter->itemText(1), "ФНЧ 1-го порядка");
    EXPECT_EQ(filter->itemText(2), "ФНЧ с П - образной АЧХ");
    EXPECT_EQ(filter->currentText(), "ФНЧ 1-го порядка");
    EXPECT_EQ(Page().StudySignal->currentText(), "Прямоугольный импульс");
    EXPECT_EQ(Page().StudySignal->count(), 2);
    EXPECT_EQ(Page().StudyFrom->text(), "10");
    EXPECT_EQ(Page().StudyTo->text(), "1000");
    EXPECT_EQ(Page().StudyFromUnit->text(), "мс");
    EXPECT_EQ(Page().StudyPoints->value(), 20);
    EXPECT_EQ(Page().StudyPoints->minimum(), 2);
    EXPECT_EQ(Page().StudyPoints->maximum(), 200);
    EXPECT_EQ(Page().StudyGain->text(), "1");
    EXPECT_EQ(Page().StudyRun->text(), "Выполнить");
    EXPECT_EQ(Page().StudyCopyButton->text(), "Копировать");
    EXPECT_EQ(Page().StudySaveButton->text(), "Сохранить…");

    // The cut-off has its own unit and range; each filter keeps its bounds.
    filter->setCurrentIndex(2);
    EXPECT_EQ(Page().StudyFromUnit->text(), "Гц");
    EXPECT_EQ(Page().StudyToUnit->text(), "Гц");
    EXPECT_EQ(Page().StudyFrom->text(), "1");
    EXPECT_EQ(Page().StudyTo->text(), "300");
    EXPECT_EQ(Chart().GetNameX(), "fc, Гц");
    Page().StudyTo->SetVal(30);
    filter->setCurrentIndex(1);
    EXPECT_EQ(Page().StudyTo->text(), "1000");
    EXPECT_EQ(Chart().GetNameX(), "τ, мс");
    filter->setCurrentIndex(2);
    EXPECT_EQ(Page().StudyTo->text(), "30");

    // Before any study: a hint over an empty chart, nothing to copy or save.
    EXPECT_FALSE(Page().StudyHint->isHidden());
    EXPECT_FALSE(Page().StudyCopyButton->isEnabled());
    EXPECT_FALSE(Page().StudySaveButton->isEnabled());
    for (int s = 0; s < StudySeriesCount; ++s) {
        EXPECT_FALSE(Series(s).IsVisible()) << s;
    }
    EXPECT_EQ(Chart().GetNameDiagram(), "Эффективность фильтра");
    EXPECT_EQ(Chart().GetNameY(), "η");
}

TEST_F(Study, EveryFieldHasANameAndAnAltLetter) {
    ShowPage();
    const std::vector<std::pair<QWidget*, QString>> fields = {
        {Page().StudyFilter, "Фильтр"},
        {Page().StudySignal, "Сигнал"},
        {Page().StudyFrom, "От"},
        {Page().StudyTo, "До"},
        {Page().StudyPoints, "Число значений"},
        {Page().StudyGain, "Коэффициент усиления"}};
    for (const auto& [field, name] : fields) {
        // A list says its chosen item; its label names it.
        if (!qobject_cast<QComboBox*>(field)) {
            EXPECT_EQ(field->accessibleName(), name);
        }
        const QLabel* label = nullptr;
        for (const QLabel* l : Page().findChildren<QLabel*>()) {
            if (l->buddy() == field) {
                label = l;
            }
        }
        ASSERT_NE(label, nullptr) << name.toStdString();
        const int mark = label->text().indexOf('&');
        ASSERT_GE(mark, 0) << name.toStdString();
        // Alt and the marked letter take the focus to the field.
        const QChar letter = label->text().at(mark + 1);
        Page().StudyRun->setFocus();
        // As the keyboard sends it: the capital's key code, the small letter's text.
        QTest::sendKeyEvent(QTest::Click, form.get(),
                            static_cast<Qt::Key>(letter.toUpper().unicode()),
                            QString(letter.toLower()), Qt::AltModifier);
        EXPECT_TRUE(field->hasFocus()) << name.toStdString();
    }
}

TEST_F(Study, ARunByClickFillsTheTableAndTheChart) {
    ShowPage();
    const int cursors = OverrideCursorDepth();
    ClickRun();
    EXPECT_EQ(OverrideCursorDepth(), cursors);
    ASSERT_TRUE(form->Session.Study().has_value());
    const CStudyRecord& record = *form->Session.Study();
    EXPECT_TRUE(record.Complete());
    ASSERT_EQ(record.Points.size(), 20u);
    EXPECT_EQ(record.Request.FilterItem, fiLowBand1);
    EXPECT_EQ(record.Request.SignalItem, siRectangle);
    // The table: the headings and one row per value.
    ASSERT_EQ(Page().StudyTable->Table().size(), 21u);
    EXPECT_EQ(Page().StudyTable->Table(), StudyTable(record));
    EXPECT_EQ(Page().StudyTable->model()->rowCount(), 20);
    EXPECT_TRUE(Page().StudyHint->isHidden());
    EXPECT_TRUE(Page().StudyCopyButton->isEnabled());
    EXPECT_TRUE(Page().StudySaveButton->isEnabled());
    // Nothing of the study reaches the journal.
    EXPECT_TRUE(form->Session.Rows().empty());

    // Two decades: a logarithmic axis, the chart's x being log10 of tau.
    EXPECT_TRUE(Chart().GetLogarithmicX());
    EXPECT_DOUBLE_EQ(Chart().GetXmin(), 1.0);
    EXPECT_DOUBLE_EQ(Chart().GetXmax(), 3.0);
    ASSERT_EQ(Chart().GetKeeperListLength(), StudySeriesCount);
    TKeeper& measured = Series(ssMeasured);
    EXPECT_TRUE(measured.IsVisible());
    EXPECT_EQ(measured.GetCount(), 20);
    EXPECT_EQ(measured.GetGraphKind(), gkDiscret);
    EXPECT_TRUE(measured.GetMarksOnly());
    EXPECT_DOUBLE_EQ(measured.GetXmin(), 1.0);
    EXPECT_DOUBLE_EQ(measured.GetXmax(), 3.0);
    EXPECT_DOUBLE_EQ(measured.GetSample(7), *record.Points[7].Figures.Efficiency);
    TKeeper& theory = Series(ssTheory);
    // The curve and a few steps beyond either bound, so that it reaches the net's edges.
    EXPECT_EQ(theory.GetCount(), StudyCurvePoints + 2 * StudyCurvePad);
    EXPECT_EQ(theory.GetGraphKind(), gkAnalog);
    EXPECT_NEAR(theory.GetSample(StudyCurvePad), *record.Points[0].Theory.Figures.Efficiency,
                1e-12);
    EXPECT_NEAR(theory.GetXmin(), 1.0 - StudyCurvePad * 2.0 / (StudyCurvePoints - 1), 1e-12);
    TKeeper& matched = Series(ssMatched);
    EXPECT_TRUE(matched.IsVisible());
    EXPECT_NEAR(matched.GetConstant(), 100.0 / 101.0, 1e-9);
    EXPECT_FALSE(matched.GetDashPattern().empty());
    for (int s = 0; s < StudySeriesCount; ++s) {
        EXPECT_TRUE(Series(s).GetInLegend()) << s;
    }
    EXPECT_EQ(Series(ssMeasured).GetName(), "измерено");
    EXPECT_EQ(Series(ssTheory).GetName(), "теория");
    EXPECT_EQ(Series(ssMatched).GetName(), "согласованный фильтр");

    // The first-order low-pass's optimum for the rectangle, from theory.
    const double optimum = NoteValue();
    EXPECT_GE(optimum, 75.0);
    EXPECT_LE(optimum, 85.0);
    const QString note = Chart().GetNotes()[0].Text;
    EXPECT_TRUE(note.startsWith("τ = ")) << note.toStdString();
    EXPECT_TRUE(note.contains("\nη = 0,81")) << note.toStdString();
    EXPECT_TRUE(note.endsWith(" дБ)")) << note.toStdString();

    // Within a decade the axis is linear.
    Bounds("50", "300");
    ClickRun();
    EXPECT_FALSE(Chart().GetLogarithmicX());
    EXPECT_DOUBLE_EQ(Chart().GetXmin(), 50.0);
    EXPECT_DOUBLE_EQ(Chart().GetXmax(), 300.0);
    EXPECT_DOUBLE_EQ(Series(ssMeasured).GetXmin(), 50.0);
    EXPECT_DOUBLE_EQ(Series(ssMeasured).GetStep(), 250.0 / 19);
    EXPECT_GE(NoteValue(), 75.0);
    EXPECT_LE(NoteValue(), 85.0);
}

TEST_F(Study, FieldsShowWhatTheStudyUsed) {
    ShowPage();
    // Bounds in the wrong order are swapped; the seed comes with repeated noise.
    Bounds("300", "50");
    form->Session.SetRepeatsNoise(true);
    const CStudyRequest request = Page().Request();
    EXPECT_EQ(request.From, 50.0);
    EXPECT_EQ(request.To, 300.0);
    ASSERT_TRUE(request.NoiseSeed.has_value());
    EXPECT_EQ(*request.NoiseSeed, form->Session.NoiseSeed());
    Page().StudyPoints->setValue(3);
    ClickRun();
    EXPECT_EQ(Page().StudyFrom->text(), "50");
    EXPECT_EQ(Page().StudyTo->text(), "300");
    ASSERT_TRUE(form->Session.Study().has_value());
    EXPECT_EQ(form->Session.Study()->Request.NoiseSeed, form->Session.NoiseSeed());
    // The same noise for every value: a second study measures the same.
    const CStudyRecord first = *form->Session.Study();
    ClickRun();
    for (std::size_t i = 0; i < first.Points.size(); ++i) {
        EXPECT_EQ(form->Session.Study()->Points[i].Measured.RegistrarValue,
                  first.Points[i].Measured.RegistrarValue);
    }
    form->Session.SetRepeatsNoise(false);
    EXPECT_FALSE(Page().Request().NoiseSeed.has_value());
}

// What the fields cannot hold is corrected as the bench's fields correct it;
// a study that can measure nothing, or has one value, still shows what it has.
TEST_F(Study, CorrectedBoundsNoNoiseAndASingleValue) {
    ShowPage();
    Bounds("5", "80");
    Page().StudyPoints->setValue(3);
    ClickRun();
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_NE(messages.Messages()[0].find("Произведена коррекция."), std::string::npos);
    EXPECT_EQ(Page().StudyFrom->text(), "10");
    EXPECT_EQ(form->Session.Study()->Request.From, 10.0);

    // Without noise nothing is measured: no rings, the theory and its optimum stay.
    Type(Page().StudyGain, "0");
    ClickRun();
    ASSERT_EQ(form->Session.Study()->Points.size(), 3u);
    EXPECT_FALSE(form->Session.Study()->Points[0].Figures.Efficiency.has_value());
    EXPECT_FALSE(Series(ssMeasured).IsVisible());
    EXPECT_TRUE(Series(ssTheory).IsVisible());
    EXPECT_EQ(Chart().GetNotes().size(), 1u);
    EXPECT_EQ(Page().StudyTable->Table()[1][4], "—");

    // Bounds that meet: one value, in the middle of the chart.
    Type(Page().StudyGain, "1");
    Bounds("80", "80");
    ClickRun();
    ASSERT_EQ(form->Session.Study()->Points.size(), 1u);
    EXPECT_EQ(Page().StudyTable->model()->rowCount(), 1);
    EXPECT_FALSE(Chart().GetLogarithmicX());
    EXPECT_LT(Chart().GetXmin(), 80.0);
    EXPECT_GT(Chart().GetXmax(), 80.0);
    EXPECT_EQ(Series(ssMeasured).GetCount(), 1);
    EXPECT_DOUBLE_EQ(Series(ssMeasured).GetXmin(), 80.0);
    EXPECT_DOUBLE_EQ(NoteValue(), 80.0);
    EXPECT_EQ(messages.Messages().size(), 1u);
}

// «Отмена» of the progress dialog, clicked once half the values are done.
TEST_F(Study, AStudyStoppedHalfWayLeavesTheChartsAndTheJournal) {
    ShowPage();
    form->PageControl1->setCurrentIndex(0);
    form->ComboBox1->setCurrentIndex(siRectangle);
    form->ComboBox1Change();
    form->BitBtn1Click();
    form->PageControl1->setCurrentWidget(form->StudyPage);
    const std::vector<CJournalRow> rows = form->Session.Rows();
    ASSERT_EQ(rows.size(), 1u);
    std::vector<char> input(sizeof InputSamples), output(sizeof OutputSamples);
    std::memcpy(input.data(), InputSamples, sizeof InputSamples);
    std::memcpy(output.data(), OutputSamples, sizeof OutputSamples);

    constexpr int points = 40;
    Page().StudyPoints->setValue(points);
    QTimer poll;
    bool clicked = false;
    int shownAt = -1;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QProgressDialog* progress = Page().Progress();
        if (!clicked && progress && progress->isVisible() && progress->value() >= points / 2) {
            shownAt = progress->value();
            // Busy, with the arrow that says the button still answers.
            ASSERT_NE(QApplication::overrideCursor(), nullptr);
            EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
            QPushButton* cancel = progress->findChild<QPushButton*>();
            ASSERT_NE(cancel, nullptr);
            EXPECT_EQ(cancel->text(), "Отмена");
            QTest::mouseClick(cancel, Qt::LeftButton);
            clicked = true;
        }
    });
    poll.start(1);
    ClickRun();
    poll.stop();
    ASSERT_TRUE(clicked);
    EXPECT_EQ(Page().Progress(), nullptr);

    // The study stopped where it was told, and is kept as far as it came.
    ASSERT_TRUE(form->Session.Study().has_value());
    const CStudyRecord& record = *form->Session.Study();
    EXPECT_FALSE(record.Complete());
    EXPECT_EQ(record.Values.size(), static_cast<std::size_t>(points));
    EXPECT_EQ(static_cast<int>(record.Points.size()), shownAt);
    EXPECT_EQ(Page().StudyTable->model()->rowCount(), shownAt);
    EXPECT_EQ(Series(ssMeasured).GetCount(), shownAt);
    EXPECT_EQ(Series(ssTheory).GetCount(), StudyCurvePoints + 2 * StudyCurvePad);

    // The charts' arrays and the journal are as they were, byte for byte.
    EXPECT_EQ(std::memcmp(input.data(), InputSamples, sizeof InputSamples), 0);
    EXPECT_EQ(std::memcmp(output.data(), OutputSamples, sizeof OutputSamples), 0);
    EXPECT_EQ(JournalTsv(form->Session.Rows()), JournalTsv(rows));
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(Study, TheTableCopiesAndSavesAsTheJournalsCsv) {
    ShowPage();
    Page().StudyPoints->setValue(4);
    ClickRun();
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(Page().StudyCopyButton, Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              TableTsv(StudyTable(*form->Session.Study())));
    QTemporaryDir dir;
    const QString file = dir.filePath("study.csv");
    {
        SaveAnswer answer(TDocumentKind::Study, file);
        QTest::mouseClick(Page().StudySaveButton, Qt::LeftButton);
        EXPECT_EQ(answer.asked, QStringList{"Исследование.csv"});
    }
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    EXPECT_EQ(bytes.toStdString(), TableCsv(StudyTable(*form->Session.Study())));
    // The dialect of Russian spreadsheets: a byte order mark, ';' and "\r\n".
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"
                                 "τ, мс;U, мВ;"));
    EXPECT_EQ(bytes.count("\r\n"), 5);
    // Another document's dialog does not write the study.
    const QString other = dir.filePath("other.csv");
    SaveAnswer journal(TDocumentKind::Journal, other);
    EXPECT_FALSE(Page().SaveCsv());
    EXPECT_FALSE(QFile::exists(other));
}

TEST_F(Study, FollowsTheSessionsStudy) {
    CStudyRequest request;
    request.FilterItem = fiChebishev;
    request.SignalItem = siDelta;
    request.From = 2;
    request.To = 200;
    request.Points = 3;
    CBenchStudy study(request);
    study.Step();
    form->Session.SetStudy(RecordOf(study));
    EXPECT_EQ(Page().StudyFilter->currentText(), "ФНЧ с П - образной АЧХ");
    EXPECT_EQ(Page().StudySignal->currentText(), "Дельта-импульс");
    EXPECT_EQ(Page().StudyFrom->text(), "2");
    EXPECT_EQ(Page().StudyTo->text(), "200");
    EXPECT_EQ(Page().StudyPoints->value(), 3);
    EXPECT_EQ(Page().StudyTable->model()->rowCount(), 1);
    EXPECT_TRUE(Chart().GetLogarithmicX());
    EXPECT_EQ(Chart().GetNameX(), "fc, Гц");
    // The delta's matched filter is the ideal one.
    EXPECT_DOUBLE_EQ(Series(ssMatched).GetConstant(), 1.0);
    EXPECT_EQ(Chart().GetNotes().size(), 1u);
}

// As many values as a study may have, a ring at each and none beside them.
TEST_F(Study, TwoHundredValuesShowEveryRing) {
    CStudyRequest request;
    request.Points = StudyMaxPoints;
    CStudyRecord record{NormalizedStudy(request), StudyValues(request), {}};
    for (double v : record.Values) {
        CStudyPoint p;
        p.Value = v;
        p.Figures.Efficiency = 0.5;
        record.Points.push_back(p);
    }
    form->Session.SetStudy(record);
    const QImage& picture = Chart().GetPicture();
    const QRgb blue = Series(ssMeasured).GetColor().rgb();
    const auto ringAt = [&](int x, int y) {
        int n = 0;
        for (int dy = -3; dy <= 3; ++dy) {
            for (int dx = -3; dx <= 3; ++dx) {
                n += picture.valid(x + dx, y + dy) && picture.pixel(x + dx, y + dy) == blue;
            }
        }
        return n > 0;
    };
    const int y = Chart().MathToPhisY(0.5);
    for (std::size_t i = 0; i < record.Values.size(); i += 33) {
        EXPECT_TRUE(ringAt(Chart().MathToPhisX(StudyChartX(record.Request, record.Values[i])), y))
            << i;
    }
    const int zero = Chart().MathToPhisY(0);
    EXPECT_FALSE(ringAt(Chart().Get_xb_net() + 2, zero));
    EXPECT_FALSE(ringAt(Chart().Get_xe_net() - 2, zero));
}

// A right press in the middle of the enlarged window's chart, and its release.
void RightPress(TDiagramIncrease& increase) {
    QWindow* w = increase.windowHandle();
    ASSERT_NE(w, nullptr);
    const QPoint at = increase.Diagram1->mapTo(&increase, increase.Diagram1->rect().center());
    QTest::mousePress(w, Qt::RightButton, Qt::NoModifier, at);
    QTest::mouseRelease(w, Qt::RightButton, Qt::NoModifier, at);
}

// The enlarged window shows the study as the page does: the logarithmic axis
// and the optimum's note.
TEST_F(Study, TheEnlargedWindowShowsTheStudy) {
    TDiagramIncrease increase;
    form->SetDiagramIncrease(&increase);
    ShowPage();
    Page().StudyPoints->setValue(3);
    ClickRun();
    bool logarithmic = false;
    std::size_t notes = 0;
    // Keeping a reference of the output makes no sense over the study: its
    // items are left out of the window's pop-up menu, and come back for the
    // output chart and in the other menus.
    QAction* remember = form->OutputReferences->NRememberOutput;
    bool offeredHere = true, offeredElsewhere = false;
    QTimer::singleShot(0, [&] {
        logarithmic = increase.Diagram1->GetLogarithmicX();
        notes = increase.Diagram1->GetNotes().size();
        // The menu as a right press over the chart opens it, through the
        // window system (the context-menu event follows the press).
        RightPress(increase);
        offeredHere = !increase.PopupMenu->isVisible() || remember->isVisible();
        increase.PopupMenu->close();
        offeredElsewhere = remember->isVisible();
        increase.close();
    });
    QTest::mouseClick(Page().StudyChart->SpeedButtonIncrease, Qt::LeftButton);
    EXPECT_TRUE(logarithmic);
    EXPECT_EQ(notes, 1u);
    EXPECT_FALSE(offeredHere);
    EXPECT_TRUE(offeredElsewhere);
    increase.AssignDiagram(form->DiagramFrame2->Diagram);
    increase.show();
    RightPress(increase);
    EXPECT_TRUE(increase.PopupMenu->isVisible());
    EXPECT_TRUE(remember->isVisible());
    increase.PopupMenu->close();
    increase.ReturnLimits();
    EXPECT_EQ(increase.Diagram1->GetKeeper(0)->GetNext(), nullptr);
    form.reset();
}

TEST(StudyChartTexts, TheOptimumsNote) {
    EXPECT_EQ(StudyOptimumText(fiLowBand1, {79.43, 0.8145, 0.8907, true}),
              "τ = 79,4 мс\nη = 0,815 (−0,89 дБ)");
    EXPECT_EQ(StudyOptimumText(fiMafNotIdeal, {100000, 0.98964, 0.0452, true}),
              "τ = 100000 мс\nη = 0,990 (−0,05 дБ)");
    EXPECT_EQ(StudyOptimumText(fiChebishev, {7.874, 0.6945, 1.583, true}),
              "fc = 7,87 Гц\nη = 0,695 (−1,58 дБ)");
    // Measured above the matched filter, by the noise: a gain, no minus.
    EXPECT_EQ(StudyOptimumText(fiLowBand1, {80, 1.02, -0.086, false}),
              "τ = 80 мс\nη = 1,020 (0,09 дБ)");
    EXPECT_EQ(StudyOptimumText(fiLowBand1, {80, 0.0, std::nullopt, false}), "τ = 80 мс\nη = 0,000");
    EXPECT_EQ(StudyAxisName(fiChebishev), "fc, Гц");
}

// The report draws the study's chart afresh above its table.
TEST_F(Study, TheReportHoldsTheStudysChartAndTable) {
    ShowPage();
    Bounds("60", "100");
    Page().StudyPoints->setValue(3);
    ClickRun();
    QTemporaryDir dir;
    const QString file = dir.filePath("report.pdf");
    {
        SaveAnswer answer(TDocumentKind::Report, file);
        form->NSaveReport->trigger();
    }
    ASSERT_TRUE(QFile::exists(file));
    // REPORT_TEST_PDF_DIR keeps a copy to be looked at, as the report's own tests do.
    if (const QString keep = qEnvironmentVariable("REPORT_TEST_PDF_DIR"); !keep.isEmpty()) {
        QFile::remove(keep + "/study-report.pdf");
        QFile::copy(file, keep + "/study-report.pdf");
    }
    QProcess text;
    text.start("pdftotext", {file, "-"});
    ASSERT_TRUE(text.waitForFinished(60000));
    const QString all = QString::fromUtf8(text.readAllStandardOutput()).simplified();
    EXPECT_TRUE(all.contains("Исследование зависимости от параметра"));
    EXPECT_TRUE(all.contains("3 значений τ от 60 до 100 мс"));
    for (const CStudyPoint& p : form->Session.Study()->Points) {
        EXPECT_TRUE(
            all.contains(QString::fromStdString(EfficiencyText(p.Theory.Figures.Efficiency))));
    }
    // No run yet: the study's chart is the report's only picture, as wide as
    // the page's frame (174 mm) at the print resolution.
    QProcess images;
    images.start("pdfimages", {"-list", file});
    ASSERT_TRUE(images.waitForFinished(60000));
    const QStringList lines =
        QString::fromUtf8(images.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_EQ(lines.size(), 1) << lines.join('\n').toStdString();
    const int width = lines[0].simplified().split(' ').value(3).toInt();
    EXPECT_NEAR(width, 174 / 25.4 * 300, 30);
}

} // namespace
