// The journal page: rows made by Start and Measurement as the window shows
// them, copying rows by keys and by the pop-up menu, saving as CSV, and
// clearing only after a yes.

#include <algorithm>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "app/TJournalModel.h"
#include "app/TJournalPage.h"
#include "base/FloatToText.h"
#include "bench/BenchSamples.h"
#include "files/SaveAs.h"
#include "controls/TEditFloat.h"

namespace {

class Journal : public testing::Test, public FormFixture {
  protected:
    TJournalPage& Page() { return *form->JournalPage; }
    QTableView* View() { return Page().JournalView; }
    const std::vector<CJournalRow>& Rows() { return Page().Rows(); }
    QString Cell(int row, int column) {
        return View()->model()->index(row, column).data().toString();
    }

    void Choose(QComboBox* box, int item) {
        box->setCurrentIndex(item);
        emit box->activated(item);
    }

    // A click on row r of the table, with modifiers.
    void ClickRow(int r, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const QRect cell = View()->visualRect(View()->model()->index(r, 0));
        QTest::mouseClick(View()->viewport(), Qt::LeftButton, modifiers, cell.center());
    }

    // A few rows made by hand, distinct in their time.
    void AddRows(int count) {
        for (int i = 0; i < count; ++i) {
            CJournalRow row;
            row.Time = QStringLiteral("10:00:%1").arg(i, 2, 10, QChar('0')).toStdString();
            row.Reading = std::to_string(i) + ",00";
            form->Session.AddRow(row);
        }
    }

    void ShowWindow() {
        form->show();
        form->PageControl1->setCurrentWidget(form->JournalPage);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
};

TEST_F(Journal, IsTheThirdPageAndStartsEmpty) {
    EXPECT_EQ(form->PageControl1->count(), 4);
    EXPECT_EQ(form->PageControl1->indexOf(form->JournalPage), 2);
    EXPECT_EQ(form->PageControl1->tabText(2), "Журнал");
    EXPECT_EQ(View()->model()->rowCount(), 0);
    EXPECT_EQ(View()->model()->columnCount(), JournalColumnCount);
    // Units go on a line of their own under the headings.
    EXPECT_EQ(View()->model()->headerData(jcFilter, Qt::Horizontal).toString(), "Фильтр");
    EXPECT_EQ(View()->model()->headerData(jcReading, Qt::Horizontal).toString(),
              "Регистратор,\nмВ*мВ");
    EXPECT_EQ(View()->model()->headerData(jcPeakTime, Qt::Horizontal).toString(),
              "Время пика,\nмс");
    EXPECT_EQ(Page().JournalCopyButton->text(), "Копировать");
    EXPECT_EQ(Page().JournalSaveButton->text(), "Сохранить…");
    EXPECT_EQ(Page().JournalClearButton->text(), "Очистить журнал");
    // Nothing to copy, save or clear yet.
    EXPECT_FALSE(Page().JournalCopyButton->isEnabled());
    EXPECT_FALSE(Page().JournalSaveButton->isEnabled());
    EXPECT_FALSE(Page().JournalClearButton->isEnabled());
}

TEST_F(Journal, RowsFollowStartsAndMeasurementsAsTheWindowShowsThem) {
    // Start with the rectangle through the first-order low-pass, by the button.
    Choose(form->ComboBox1, siRectangle);
    Choose(form->ComboBox2, fiLowBand1);
    form->EditFloat3->SetVal(250);
    QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
    ASSERT_EQ(Rows().size(), 1u);
    // The peak is what the run's samples show: no sample of the main part is
    // larger, and the one at the peak's time is the peak.
    const int t = Cell(0, jcPeakTime).toInt();
    const double peak = OutputSamples[PreRollLength + t];
    for (int k = PreRollLength; k < RunSamples; ++k) {
        ASSERT_LE(std::fabs(OutputSamples[k]), std::fabs(peak)) << k;
    }
    EXPECT_EQ(Cell(0, jcPeak).toStdString(), FloatToText(2, peak));
    EXPECT_EQ(Cell(0, jcSignal), "Прямоугольный импульс");
    EXPECT_EQ(Cell(0, jcNoise), "Отключен");
    EXPECT_EQ(Cell(0, jcFilter), "ФНЧ 1-го порядка");
    EXPECT_EQ(Cell(0, jcParameter), "τ = 250 мс");
    EXPECT_EQ(Cell(0, jcGain), "1");
    EXPECT_EQ(Cell(0, jcReading), "");
    EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(Cell(0, jcTime)).hasMatch());

    // A measurement of noise alone at gain 2, by the button.
    form->PageControl1->setCurrentIndex(0);
    Choose(form->ComboBox1, siOff);
    Choose(form->ComboBox3, niOn);
    form->EditFloat1->setText("2");
    QTest::mouseClick(form->BitBtn3, Qt::LeftButton);
    ASSERT_EQ(Rows().size(), 2u);
    EXPECT_EQ(Cell(1, jcReading), form->StaticText1->text());
    EXPECT_NE(Cell(1, jcReading), "0");
    EXPECT_EQ(Cell(1, jcGain), "2");
    EXPECT_EQ(Cell(1, jcSignal), "Отключен");
    EXPECT_EQ(Cell(1, jcNoise), "Подключен");
    EXPECT_EQ(Cell(1, jcPeak), "");
    EXPECT_EQ(Cell(1, jcPeakTime), "");

    // A filter chosen from the menu on the charts' page starts a run itself.
    form->PageControl1->setCurrentIndex(1);
    form->N21->trigger();
    ASSERT_EQ(Rows().size(), 3u);
    EXPECT_EQ(Cell(2, jcFilter), "СФ для импульса \"меандр\"");
    EXPECT_EQ(Cell(2, jcParameter), "—");
    EXPECT_EQ(Cell(2, jcGain), "2");
    // The same filter chosen on the bench page computes nothing.
    form->PageControl1->setCurrentIndex(0);
    form->N19->trigger();
    EXPECT_EQ(Rows().size(), 3u);

    // Numbers to the right, texts to the left.
    for (int c = 0; c < JournalColumnCount; ++c) {
        const int align = View()->model()->index(2, c).data(Qt::TextAlignmentRole).toInt();
        EXPECT_EQ((align & Qt::AlignRight) != 0, JournalColumnIsNumber(c)) << c;
    }
    // The last run is what the report's charts are described by.
    ASSERT_TRUE(form->Session.LastRunRow().has_value());
    EXPECT_EQ(form->Session.LastRunRow()->Setup.FilterItem, fiMeandr);
}

// Rows that come while the page is on show, and rows that came while it was
// hidden (a Start shows the charts' page), are in view, newest last, in
// columns as wide as their widest text -- but for the filter's names, which
// give up what the page lacks so that every column is in view.
TEST_F(Journal, TheNewestRowIsLastAndInView) {
    auto expectFittedAndNewestInView = [this](int newest) {
        QCoreApplication::processEvents();
        QScrollBar* bar = View()->verticalScrollBar();
        EXPECT_GT(bar->maximum(), 0);
        EXPECT_EQ(bar->value(), bar->maximum());
        EXPECT_EQ(Cell(newest, jcTime),
                  QStringLiteral("10:00:%1").arg(newest % 60, 2, 10, QChar('0')));
        const QAbstractItemModel* model = View()->model();
        for (int c = 0; c < model->columnCount(); ++c) {
            int widest = 0;
            for (int r = 0; r < model->rowCount(); ++r) {
                widest = std::max(widest, View()->fontMetrics().horizontalAdvance(
                                              model->index(r, c).data().toString()));
            }
            if (c != jcFilter) {
                EXPECT_GT(View()->columnWidth(c), widest) << c;
            } else if (View()->columnWidth(c) <= widest) {
                EXPECT_EQ(View()->horizontalScrollBar()->maximum(), 0);
                EXPECT_EQ(model->index(newest, c).data(Qt::ToolTipRole),
                          model->index(newest, c).data());
            }
        }
        EXPECT_EQ(View()->horizontalScrollBar()->maximum(), 0);
    };
    ShowWindow();
    AddRows(60);
    expectFittedAndNewestInView(59);

    form->PageControl1->setCurrentIndex(1);
    CJournalRow wide;
    wide.Time = "10:00:00";
    wide.Setup.FilterItem = fiMafNotIdeal; // the longest filter name
    form->Session.AddRow(wide);
    form->PageControl1->setCurrentWidget(form->JournalPage);
    expectFittedAndNewestInView(60);
}

TEST_F(Journal, CtrlCCopiesTheSelectedRowsWithTheirHeading) {
    ShowWindow();
    AddRows(4);
    QGuiApplication::clipboard()->setText("before");
    View()->setFocus();
    // Nothing selected: nothing copied.
    QTest::keyClick(View(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");

    ClickRow(3);
    ClickRow(1, Qt::ControlModifier);
    EXPECT_TRUE(Page().JournalCopyButton->isEnabled());
    QTest::keyClick(View(), Qt::Key_C, Qt::ControlModifier);
    // Whole rows in table order, whichever was chosen first.
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              JournalTsv({Rows()[1], Rows()[3]}));
}

TEST_F(Journal, ThePopUpMenuCopiesToo) {
    ShowWindow();
    AddRows(3);
    ClickRow(2);
    QGuiApplication::clipboard()->setText("before");
    const QPoint at = View()->visualRect(View()->model()->index(2, 1)).center();
    QContextMenuEvent menuKey(QContextMenuEvent::Mouse, at, View()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(View()->viewport(), &menuKey);
    QMenu* menu = Page().JournalMenu;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    EXPECT_EQ(Page().JournalCopy->shortcut(), QKeySequence::Copy);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(Page().JournalCopy).center());
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), JournalTsv({Rows()[2]}));
}

TEST_F(Journal, ClearingAsksFirstAndNoKeepsTheRows) {
    AddRows(3);
    {
        QuestionRecorder no(false);
        QTest::mouseClick(Page().JournalClearButton, Qt::LeftButton);
        ASSERT_EQ(no.Questions().size(), 1u);
        EXPECT_EQ(no.Questions()[0], "Очистить журнал? Все его строки будут удалены.");
    }
    EXPECT_EQ(Rows().size(), 3u);
    {
        QuestionRecorder yes(true);
        Page().JournalClear->trigger();
        EXPECT_EQ(yes.Questions().size(), 1u);
    }
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(View()->model()->rowCount(), 0);
    EXPECT_FALSE(Page().JournalClearButton->isEnabled());
    EXPECT_FALSE(Page().JournalSaveButton->isEnabled());
    {
        // An empty journal asks nothing.
        QuestionRecorder yes(true);
        Page().ClearJournal();
        EXPECT_TRUE(yes.Questions().empty());
    }
}

TEST_F(Journal, SavesTheWholeJournalAsCsvAndReportsAFailedWrite) {
    QTemporaryDir dir;
    AddRows(2);
    CJournalRow meander;
    meander.Setup.FilterItem = fiMeandr;
    meander.Reading = "7,25";
    form->Session.AddRow(meander);
    const QString name = dir.filePath("journal.csv");
    {
        SaveAnswer answer(TDocumentKind::Journal, name);
        QTest::mouseClick(Page().JournalSaveButton, Qt::LeftButton);
        EXPECT_EQ(answer.asked, QStringList{"Журнал.csv"});
    }
    QFile saved(name);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().toStdString(), JournalCsv(Rows()));
    EXPECT_TRUE(messages.Messages().empty());

    // A "folder" that is a plain file cannot hold anything, even for root.
    QFile blocker(dir.filePath("not-a-folder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString bad = dir.filePath("not-a-folder/journal.csv");
    EXPECT_FALSE(Page().SaveCsv(bad));
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(
        messages.Messages()[0].rfind(("Не удаётся записать файл " + bad + ".\n").toStdString(), 0),
        0u)
        << messages.Messages()[0];
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot),
              (QStringList{"journal.csv", "not-a-folder"}));
}

// Delete removes the chosen rows, so does the pop-up menu's item; a note is
// typed into its column and goes into copies and the CSV.
TEST_F(Journal, RowsAreRemovedByDeleteAndCommentedInTheNoteColumn) {
    ShowWindow();
    AddRows(5);
    EXPECT_FALSE(Page().JournalRemove->isEnabled());
    ClickRow(1);
    ClickRow(3, Qt::ControlModifier);
    EXPECT_TRUE(Page().JournalRemove->isEnabled());
    QTest::keyClick(View(), Qt::Key_Delete);
    ASSERT_EQ(Rows().size(), 3u);
    EXPECT_EQ(Rows()[0].Time, "10:00:00");
    EXPECT_EQ(Rows()[1].Time, "10:00:02");
    EXPECT_EQ(Rows()[2].Time, "10:00:04");
    EXPECT_EQ(View()->model()->rowCount(), 3);
    EXPECT_EQ(Page().JournalRemove->text(), "Удалить строки");
    EXPECT_TRUE(Page().JournalMenu->actions().contains(Page().JournalRemove));

    // The note: the last column, the only one a student may edit.
    EXPECT_EQ(View()->model()->headerData(jcNote, Qt::Horizontal).toString(), "Примечание");
    EXPECT_FALSE(View()->model()->flags(View()->model()->index(0, jcFilter)) & Qt::ItemIsEditable);
    const QModelIndex note = View()->model()->index(1, jcNote);
    View()->scrollTo(note);
    const QPoint at = View()->visualRect(note).center();
    QTest::mouseClick(View()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(View()->viewport(), Qt::LeftButton, {}, at);
    auto* editor = View()->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    // Key by key, as a Russian keyboard sends them.
    for (const QChar ch : QStringLiteral("τ мало")) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(editor, &press);
        QApplication::sendEvent(editor, &release);
    }
    QTest::keyClick(editor, Qt::Key_Return);
    // The table takes the text once the key's event is over.
    QCoreApplication::processEvents();
    EXPECT_EQ(Rows()[1].Note, "τ мало");
    EXPECT_EQ(Cell(1, jcNote), "τ мало");
    // Typing on a chosen row's other cells edits nothing.
    QTest::mouseClick(View()->viewport(), Qt::LeftButton, {},
                      View()->visualRect(View()->model()->index(0, jcTime)).center());
    QTest::keyClicks(View(), "x");
    EXPECT_EQ(Rows()[0].Time, "10:00:00");

    ClickRow(1);
    QTest::keyClick(View(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains("\tτ мало\n"));
    // The pop-up menu removes too.
    Page().JournalRemove->trigger();
    ASSERT_EQ(Rows().size(), 2u);
    EXPECT_EQ(Rows()[1].Time, "10:00:04");
}

// What has been saved is not asked about again; what came since is.
TEST_F(Journal, ASavedJournalHasNoUnsavedWorkUntilItChanges) {
    QTemporaryDir dir;
    AddRows(2);
    EXPECT_TRUE(form->Session.HasUnsavedWork());
    {
        // Only the report's dialog would be answered: the journal's is cancelled.
        SaveAnswer cancel(TDocumentKind::Report, QString{});
        QTest::mouseClick(Page().JournalSaveButton, Qt::LeftButton);
    }
    EXPECT_TRUE(form->Session.HasUnsavedWork());
    EXPECT_TRUE(Page().SaveCsv(dir.filePath("j.csv")));
    EXPECT_FALSE(form->Session.HasUnsavedWork());
    form->Session.SetNote(0, "примечание");
    EXPECT_TRUE(form->Session.HasUnsavedWork());
    // A failed save leaves the work unsaved.
    QFile blocker(dir.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(Page().SaveCsv(dir.filePath("file/j.csv")));
    EXPECT_TRUE(form->Session.HasUnsavedWork());
}

// A filter chosen from the menu on the charts' page re-runs; a «Пуск» right
// after shows the same and adds no second row. With noise it does.
TEST_F(Journal, AStartRepeatingTheMenusRunAddsNoRow) {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
    ASSERT_EQ(Rows().size(), 1u);
    ASSERT_EQ(form->PageControl1->currentIndex(), 1);
    form->N22->trigger();
    ASSERT_EQ(Rows().size(), 2u);
    form->PageControl1->setCurrentIndex(0);
    QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(Rows().size(), 2u);
    EXPECT_EQ(Rows()[1].Setup.FilterItem, fiLowBand1);

    form->N16->trigger(); // noise on: a run of its own each time
    ASSERT_EQ(Rows().size(), 3u);
    form->PageControl1->setCurrentIndex(0);
    QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(Rows().size(), 4u);
}

} // namespace
