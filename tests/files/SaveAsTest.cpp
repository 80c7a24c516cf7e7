// The one save flow: the dialog asked as the request says, its answer put
// right by the request's rules, and the writer called only with a name the
// user agreed to.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/MessageHook.h"
#include "files/BitmapFile.h"
#include "files/SaveAs.h"

namespace {

const TSaveRequest Report{TDocumentKind::Report, QStringLiteral("Отчёт.pdf"),
                          QStringLiteral("Документы PDF (*.pdf)"), QStringLiteral("pdf")};
const TSaveRequest Data{TDocumentKind::ChartData,      QStringLiteral("Диаграмма.csv"),
                        QStringLiteral("CSV (*.csv)"), QStringLiteral("csv"),
                        TExtensionRule::AsChosen,      TReplaceCheck::Question};

class Flow : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        previous = SetSaveDialogHook(
            [this](QWidget* parent, const TSaveRequest& request, QString& fileName) {
                EXPECT_EQ(parent, &owner);
                kinds.push_back(request.Kind);
                initialNames << request.InitialName;
                fileName = answer;
                return result;
            });
    }
    void TearDown() override { SetSaveDialogHook(previous); }
    bool Save(const TSaveRequest& request) {
        return SaveAs(&owner, request, [this](const QString& fileName) {
            written << fileName;
            QFile f(fileName);
            return f.open(QIODevice::WriteOnly) && f.write("new") == 3;
        });
    }
    QString Path(const QString& name) const { return dir.filePath(name); }
    void Existing(const QString& name) {
        QFile f(Path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }

    QTemporaryDir dir;
    QWidget owner;
    SaveDialogHook previous;
    MessageRecorder messages;
    QString answer;
    TSaveDialogResult result = TSaveDialogResult::Accepted;
    std::vector<TDocumentKind> kinds;
    QStringList initialNames;
    QStringList written;
};

TEST_F(Flow, TheHookIsToldWhichDocumentAsksAndTheWritersResultReturned) {
    answer = Path("r.pdf");
    EXPECT_TRUE(Save(Report));
    EXPECT_EQ(kinds, std::vector<TDocumentKind>{TDocumentKind::Report});
    EXPECT_EQ(initialNames, QStringList{"Отчёт.pdf"});
    EXPECT_EQ(written, QStringList{Path("r.pdf")});
    EXPECT_FALSE(SaveAs(&owner, Report, [](const QString&) { return false; }));
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(Flow, CancelledOrImpossibleDialogsWriteNothing) {
    result = TSaveDialogResult::Cancelled;
    answer = Path("r.pdf");
    EXPECT_FALSE(Save(Report));
    EXPECT_TRUE(messages.Messages().empty());
    result = TSaveDialogResult::Unavailable;
    EXPECT_FALSE(Save(Data));
    EXPECT_EQ(messages.Messages(),
              std::vector<std::string>{"Не удаётся сохранить файл. Не достаточно памяти."});
    EXPECT_EQ(messages.Kinds(), std::vector<TMessageKind>{TMessageKind::Error});
    // An accepted dialog without a name has nothing to write to.
    result = TSaveDialogResult::Accepted;
    answer.clear();
    EXPECT_FALSE(Save(Report));
    EXPECT_TRUE(written.isEmpty());
    EXPECT_EQ(kinds.size(), 3u);
}

TEST_F(Flow, AQuestionBeforeReplacingWhereTheDialogDoesNotAsk) {
    Existing("d.csv");
    Existing("r.pdf");
    QuestionRecorder questions(false);
    answer = Path("d.csv");
    EXPECT_FALSE(Save(Data));
    ASSERT_EQ(questions.Questions().size(), 1u);
    EXPECT_NE(questions.Questions()[0].find(QDir::toNativeSeparators(answer).toStdString()),
              std::string::npos);
    questions.SetAnswer(true);
    EXPECT_TRUE(Save(Data));
    EXPECT_EQ(written, QStringList{answer});
    // A new name, or one the dialog asked about itself, asks nothing.
    questions.Take();
    answer = Path("new.csv");
    EXPECT_TRUE(Save(Data));
    answer = Path("r.pdf");
    EXPECT_TRUE(Save(Report));
    EXPECT_TRUE(questions.Questions().empty());
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(Flow, BitmapNamesCorrectedWithTheirMessageAndACorrectedNameThatExistsAsked) {
    const TSaveRequest picture = BitmapSaveRequest(TDocumentKind::Picture, "Рисунок.bmp");
    QuestionRecorder questions(false);
    answer = Path("scheme.JPG");
    EXPECT_TRUE(Save(picture));
    EXPECT_EQ(written, QStringList{Path("scheme.bmp")});
    EXPECT_EQ(messages.Take(),
              std::vector<std::string>{(answer + ":\nФормат файлов .jpg не поддерживается."
                                                 "Произведена коррекция.")
                                           .toStdString()});
    EXPECT_TRUE(questions.Questions().empty());
    // Now scheme.bmp exists, and the dialog asked about scheme.JPG only.
    EXPECT_FALSE(Save(picture));
    EXPECT_EQ(messages.Kinds(), std::vector<TMessageKind>{TMessageKind::Information});
    EXPECT_EQ(questions.Take().size(), 1u);
    // A name that needs no correction was asked about by the dialog.
    answer = Path("scheme.bmp");
    messages.Clear();
    EXPECT_TRUE(Save(picture));
    EXPECT_TRUE(questions.Questions().empty());
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_EQ(written, (QStringList{Path("scheme.bmp"), Path("scheme.bmp")}));
    EXPECT_EQ(initialNames.constFirst(), "Рисунок.bmp");
}

// Without a hook, Qt's own dialog (in the program's language) as the request
// says: its filter, suffix, proposed name, and its own overwrite question
// only where no question follows.
TEST(SaveDialog, QtsOwnDialogAsTheRequestSays) {
    const SaveDialogHook previous = SetSaveDialogHook({});
    const TSaveRequest chart = BitmapSaveRequest(TDocumentKind::ChartPicture, "Диаграмма.bmp");
    for (const TSaveRequest* request : {&chart, &Data}) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            seen = true;
            EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
            EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
            EXPECT_EQ(dialog->nameFilters(), QStringList{request->NameFilter});
            EXPECT_EQ(dialog->defaultSuffix(), request->DefaultSuffix);
            EXPECT_EQ(dialog->testOption(QFileDialog::DontConfirmOverwrite),
                      request->Replace == TReplaceCheck::Question);
            ASSERT_FALSE(dialog->selectedFiles().isEmpty());
            EXPECT_TRUE(dialog->selectedFiles().constFirst().endsWith("/" + request->InitialName));
            dialog->reject();
        });
        MessageRecorder messages;
        bool wrote = false;
        EXPECT_FALSE(SaveAs(nullptr, *request, [&](const QString&) { return wrote = true; }));
        EXPECT_TRUE(seen);
        EXPECT_FALSE(wrote);
        EXPECT_TRUE(messages.Messages().empty());
    }
    SetSaveDialogHook(previous);
}

} // namespace
