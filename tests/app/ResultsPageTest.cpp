// The lab's result on the journal page: the results table fills as soon as a
// noise-free run and a measurement of one filter exist, the conclusions are
// the student's, and the same noise can be asked for every filter.

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <cmath>

#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "app/TJournalPage.h"
#include "app/TTextTableView.h"
#include "bench/CResults.h"
#include "controls/TEditFloat.h"

namespace {

class ResultsPage : public testing::Test, public FormFixture {
  protected:
    void SetUp() override {
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void Choose(QComboBox* box, int item) {
        box->setCurrentIndex(item);
        emit box->activated(item);
    }
    QString Result(int row, int column) {
        return form->JournalPage->ResultsView->model()->index(row, column).data().toString();
    }
};

TEST_F(ResultsPage, ARunAndAMeasurementOfOneFilterGiveItsEfficiency) {
    Choose(form->ComboBox1, siRectangle);
    QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
    form->PageControl1->setCurrentWidget(form->JournalPage);
    TTextTableView* results = form->JournalPage->ResultsView;
    ASSERT_EQ(results->model()->rowCount(), 1);
    EXPECT_EQ(Result(0, rcFilter), "СФ для прямоугольного импульса");
    EXPECT_EQ(Result(0, rcPeak), "100,00");
    EXPECT_EQ(Result(0, rcEfficiency), "—");

    form->PageControl1->setCurrentIndex(0);
    Choose(form->ComboBox1, siOff);
    Choose(form->ComboBox3, niOn);
    QTest::mouseClick(form->BitBtn3, Qt::LeftButton);
    form->PageControl1->setCurrentWidget(form->JournalPage);
    ASSERT_EQ(results->model()->rowCount(), 1);
    // The moving sum of 100 at K = 1: P is near 100, eta near 100/101 = 0,990.
    const double eta = Result(0, rcEfficiency).replace(',', '.').toDouble();
    EXPECT_NEAR(eta, 100.0 / 101.0, 0.1) << Result(0, rcEfficiency).toStdString();
    EXPECT_EQ(Result(0, rcGain), "1");
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {},
                      results->visualRect(results->model()->index(0, 0)).center());
    QTest::keyClick(results, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              ResultsTsv(JournalResults(form->Session.Rows())));
}

TEST_F(ResultsPage, ConclusionsAreTheSessionsAndUnsavedUntilSaved) {
    form->PageControl1->setCurrentWidget(form->JournalPage);
    QPlainTextEdit* edit = form->JournalPage->ConclusionsEdit;
    edit->setFocus();
    QTest::keyClicks(edit, "Optimum near 80 ms");
    EXPECT_EQ(form->Session.Conclusions(), "Optimum near 80 ms");
    EXPECT_TRUE(form->Session.HasUnsavedWork());
    // Conclusions coming from elsewhere (a restored session) show.
    form->Session.SetConclusions("restored");
    EXPECT_EQ(edit->toPlainText(), "restored");
}

// The longest filter's name gives up what the page lacks: every column of the
// results in view, the whole name as the cell's tip.
TEST_F(ResultsPage, EveryColumnInViewWithTheLongestFiltersName) {
    // A large face, so that the texts could not all be whole on any screen.
    TTextTableView* results = form->JournalPage->ResultsView;
    QFont large = results->font();
    large.setPixelSize(15);
    results->setFont(large);
    Choose(form->ComboBox1, siRectangle);
    for (const int filter : {fiMafNotIdeal, fiMeandr, fiLowBand1}) {
        form->PageControl1->setCurrentIndex(0);
        Choose(form->ComboBox2, filter);
        QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
    }
    form->PageControl1->setCurrentWidget(form->JournalPage);
    QCoreApplication::processEvents();
    ASSERT_EQ(results->model()->rowCount(), 3);
    EXPECT_EQ(results->horizontalScrollBar()->maximum(), 0);
    const QModelIndex longest = results->model()->index(0, rcFilter);
    EXPECT_EQ(longest.data().toString(),
              "СФ для прямоугольного импульса с неидеальным интегратором");
    EXPECT_EQ(longest.data(Qt::ToolTipRole), longest.data());
    EXPECT_LT(results->columnWidth(rcFilter),
              results->fontMetrics().horizontalAdvance(longest.data().toString()));
}

// With «Повторять реализацию шума» two filters see the same noisy input;
// without it, each run has noise of its own.
TEST_F(ResultsPage, TheSameNoiseForEveryFilterWhenAskedFor) {
    Choose(form->ComboBox1, siRectangle);
    Choose(form->ComboBox3, niOn);
    const auto input = [this](int filter) {
        form->PageControl1->setCurrentIndex(0);
        Choose(form->ComboBox2, filter);
        QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
        return std::vector<double>(form->Session.LastRun()->Input,
                                   form->Session.LastRun()->Input + RunSamples);
    };
    EXPECT_FALSE(form->NRepeatNoise->isChecked());
    EXPECT_NE(input(fiMaf), input(fiLowBand1));
    form->NRepeatNoise->trigger();
    EXPECT_TRUE(form->Session.RepeatsNoise());
    const std::vector<double> first = input(fiMaf);
    EXPECT_EQ(first, input(fiLowBand1));
    EXPECT_EQ(first, input(fiChebishev));
    form->NRepeatNoise->trigger();
    EXPECT_NE(first, input(fiMaf));
}

} // namespace
