// Closing the main window with unsaved work asks first: Escape (or
// «Отмена») keeps it, «Не сохранять» lets it go, «Сохранить» closes only once
// the journal is saved. A clean exit removes the recovery file; a window
// that stays keeps it.

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "app/TJournalPage.h"
#include "app/TRecoveryFile.h"
#include "bench/CJournal.h"

namespace {

class Closing : public testing::Test, public FormFixture {
  protected:
    void SetUp() override {
        form->EnableRecovery(dir.path());
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    // «Пуск», and the recovery file that follows it.
    void Run() {
        form->BitBtn1Click();
        ASSERT_TRUE(QTest::qWaitFor([this] { return QFileInfo::exists(RecoveryName()); }, 5000));
    }
    QString RecoveryName() const { return TRecoveryFile::SlotFileName(dir.path(), 1); }
    // «Файл» › «Выход».
    void Quit() { form->findChild<QAction*>("N5")->trigger(); }
    std::string Saved(const QString& name) {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }

    enum { Save, DontSave, Cancel };
    QTemporaryDir dir;
};

TEST_F(Closing, NothingUnsavedClosesWithoutAQuestion) {
    ChoiceRecorder choices(Cancel);
    // Saved as CSV since the last change: nothing to ask.
    Run();
    {
        SaveAnswer answer(TDocumentKind::Journal, dir.filePath("journal.csv"));
        ASSERT_TRUE(form->JournalPage->SaveCsv());
    }
    Quit();
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(QFileInfo::exists(RecoveryName()));

    // Nothing done at all.
    FormFixture fresh;
    fresh.form->show();
    fresh.form->close();
    EXPECT_FALSE(fresh.form->isVisible());
    EXPECT_TRUE(choices.Asked().empty());
}

TEST_F(Closing, TheQuestionKeepsTheWindowUntilTheJournalIsSavedOrLetGo) {
    Run();
    ChoiceRecorder choices(Cancel);
    Quit();
    EXPECT_TRUE(form->isVisible());
    ASSERT_EQ(choices.Asked().size(), 1u);
    const AskedChoice asked = choices.Take()[0];
    EXPECT_EQ(asked.Text, "Сохранить журнал перед выходом?");
    EXPECT_EQ(asked.Buttons, (std::vector<std::string>{"Сохранить", "Не сохранять", "Отмена"}));
    EXPECT_EQ(asked.DefaultButton, Save);
    EXPECT_EQ(asked.EscapeButton, Cancel);
    EXPECT_EQ(form->Session.Rows().size(), 1u);
    EXPECT_TRUE(form->Session.HasUnsavedWork());

    // «Сохранить», then the save dialog cancelled, or a file that cannot be
    // written: the window stays, with its journal and its recovery file.
    choices.SetAnswer(Save);
    const SaveDialogHook previous = SetSaveDialogHook(
        [](QWidget*, const TSaveRequest&, QString&) { return TSaveDialogResult::Cancelled; });
    form->close();
    SetSaveDialogHook(previous);
    EXPECT_TRUE(form->isVisible());
    QFile blocker(dir.filePath("not-a-folder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    {
        SaveAnswer answer(TDocumentKind::Journal, dir.filePath("not-a-folder/journal.csv"));
        Quit();
        EXPECT_EQ(answer.asked, QStringList{"Журнал.csv"});
    }
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(messages.Take().size(), 1u);
    EXPECT_EQ(choices.Take().size(), 2u);
    EXPECT_TRUE(form->Session.HasUnsavedWork());
    EXPECT_TRUE(QFileInfo::exists(RecoveryName()));

    choices.SetAnswer(DontSave);
    Quit();
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(QFileInfo::exists(RecoveryName()));
}

TEST_F(Closing, SaveWritesTheJournalAndCloses) {
    Run();
    form->BitBtn1Click(); // the same run again: its row only takes the new time
    form->ComboBox3->setCurrentIndex(niOn);
    form->BitBtn1Click();
    ChoiceRecorder choices(Save);
    const QString name = dir.filePath("journal.csv");
    {
        SaveAnswer answer(TDocumentKind::Journal, name);
        Quit();
    }
    EXPECT_FALSE(form->isVisible());
    ASSERT_EQ(form->Session.Rows().size(), 2u);
    EXPECT_EQ(Saved(name), JournalCsv(form->Session.Rows()));
    EXPECT_FALSE(QFileInfo::exists(RecoveryName()));
    EXPECT_TRUE(messages.Messages().empty());
}

// The program's own question box, answered by keys and clicks as the
// student answers it.
TEST_F(Closing, TheRealQuestionAnswersEscapeClosingReturnAndClicks) {
    Run();
    RealMessageBoxes boxes;
    QStringList captions;
    NextMessageBox escape([&](QMessageBox& box) {
        for (QAbstractButton* b : box.buttons()) {
            captions << b->text();
        }
        EXPECT_EQ(box.defaultButton()->text(), "Сохранить");
        EXPECT_EQ(box.text(), "Сохранить журнал перед выходом?");
        QTest::keyClick(&box, Qt::Key_Escape);
    });
    Quit();
    EXPECT_TRUE(escape.Seen());
    EXPECT_EQ(captions, (QStringList{"Сохранить", "Не сохранять", "Отмена"}));
    EXPECT_TRUE(form->isVisible());

    NextMessageBox closed([](QMessageBox& box) { box.close(); });
    form->close();
    EXPECT_TRUE(closed.Seen());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->Session.Rows().size(), 1u);

    const QString name = dir.filePath("journal.csv");
    NextMessageBox enter([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); });
    {
        SaveAnswer answer(TDocumentKind::Journal, name);
        Quit();
        EXPECT_EQ(answer.asked.size(), 1);
    }
    EXPECT_TRUE(enter.Seen());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(Saved(name), JournalCsv(form->Session.Rows()));

    // New work after the save; «Не сохранять» clicked with the mouse.
    form->show();
    form->ComboBox3->setCurrentIndex(niOn);
    form->BitBtn1Click();
    NextMessageBox click([](QMessageBox& box) {
        for (QAbstractButton* b : box.buttons()) {
            if (b->text() == "Не сохранять") {
                QTest::mouseClick(b, Qt::LeftButton);
            }
        }
    });
    Quit();
    EXPECT_TRUE(click.Seen());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->Session.Rows().size(), 2u);
}

} // namespace
