// Files written whole or not at all, and failures told as errors that say
// what the user can do about them.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/MessageHook.h"
#include "files/BitmapFile.h"
#include "files/DocumentFile.h"

namespace {

std::string ReadFile(const QString& name) {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string("<none>");
}

std::string Failure(const QString& file, const QString& reason) {
    return (QStringLiteral("Не удаётся записать файл ") + file + QStringLiteral(".\n") + reason)
        .toStdString();
}

class Document : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString Path(const QString& name) const { return dir.filePath(name); }
    QStringList Entries(const QString& folder) const {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    // Makes folder read-only; false where that does not stop writing (root).
    bool Lock(const QString& folder) {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        if (QFileInfo(folder).isWritable()) {
            Unlock(folder);
            return false;
        }
        return true;
    }
    void Unlock(const QString& folder) {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QTemporaryDir dir;
    MessageRecorder messages;
};

TEST_F(Document, WrittenWholeAndReplacingTheOldContent) {
    const QString name = Path("data.csv");
    EXPECT_TRUE(WriteTextFile("old\n", name));
    EXPECT_TRUE(WriteTextFile(std::string("a;b\r\n\0z", 8), name));
    EXPECT_EQ(ReadFile(name), std::string("a;b\r\n\0z", 8));
    EXPECT_EQ(Entries(dir.path()), QStringList{"data.csv"});
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(Document, AMissingFolderIsNamedAndNothingIsLeft) {
    const QString name = Path("missing/folder/data.csv");
    EXPECT_FALSE(WriteTextFile("t_ms\n", name));
    EXPECT_EQ(messages.Messages(),
              std::vector<std::string>{Failure(
                  name, QStringLiteral("Папка ") + Path("missing/folder") + " не существует.")});
    EXPECT_EQ(messages.Kinds(), std::vector<TMessageKind>{TMessageKind::Error});
    EXPECT_FALSE(QFileInfo::exists(name));
    EXPECT_TRUE(Entries(dir.path()).isEmpty());
}

TEST_F(Document, AFolderThatRefusesWritingIsNamedAndAnOldFileKept) {
    const QString folder = Path("locked");
    ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
    const QString kept = Path("locked/kept.csv");
    ASSERT_TRUE(WriteTextFile("old\n", kept));
    if (!Lock(folder)) {
        GTEST_SKIP() << "a read-only folder is writable here (root)";
    }
    const QString locked = QStringLiteral("В папку ") + folder + " нельзя записать.";
    EXPECT_FALSE(WriteTextFile("new\n", Path("locked/new.csv")));
    EXPECT_FALSE(WriteTextFile("new\n", kept));
    const QStringList left = Entries(folder);
    Unlock(folder);
    EXPECT_EQ(
        messages.Messages(),
        (std::vector<std::string>{Failure(Path("locked/new.csv"), locked), Failure(kept, locked)}));
    EXPECT_EQ(messages.Kinds(),
              (std::vector<TMessageKind>{TMessageKind::Error, TMessageKind::Error}));
    EXPECT_EQ(ReadFile(kept), "old\n");
    EXPECT_EQ(left, QStringList{"kept.csv"});
}

TEST_F(Document, OtherFailuresKeepTheSystemsWords) {
    // A "folder" that is a plain file is neither missing nor locked, even for root.
    ASSERT_TRUE(WriteTextFile("", Path("not-a-folder")));
    const QString name = Path("not-a-folder/data.csv");
    EXPECT_FALSE(WriteTextFile("x", name));
    ASSERT_EQ(messages.Messages().size(), 1u);
    const std::string& text = messages.Messages()[0];
    EXPECT_EQ(text.rfind(Failure(name, QString()), 0), 0u) << text;
    EXPECT_GT(text.size(), Failure(name, QString()).size()) << text;
    EXPECT_EQ(text.find("Папка"), std::string::npos) << text;
    EXPECT_EQ(text.find("нельзя"), std::string::npos) << text;

    // A writer that cannot make the content leaves no file, and its reason is told.
    messages.Clear();
    EXPECT_FALSE(WriteDocument(Path("report.pdf"), [](QIODevice& file, QString& error) {
        file.write("%PDF-half");
        error = QStringLiteral("Не удаётся составить документ PDF.");
        return false;
    }));
    EXPECT_EQ(messages.Messages(),
              std::vector<std::string>{Failure(
                  Path("report.pdf"), QStringLiteral("Не удаётся составить документ PDF."))});
    EXPECT_EQ(messages.Kinds(), std::vector<TMessageKind>{TMessageKind::Error});
    EXPECT_EQ(Entries(dir.path()), QStringList{"not-a-folder"});
}

TEST_F(Document, BitmapsOfAPictureOnlyAndAnEmptyOneTold) {
    QImage picture(8, 4, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    EXPECT_TRUE(WriteBitmapFile(picture, Path("a.bmp")));
    EXPECT_EQ(QImage(Path("a.bmp"), "BMP").pixel(3, 2), QColor(Qt::blue).rgb());
    EXPECT_FALSE(WriteBitmapFile(QImage(), Path("b.bmp")));
    EXPECT_EQ(messages.Messages(),
              std::vector<std::string>{Failure(
                  Path("b.bmp"), QStringLiteral("Рисунок пуст: у него нет ни одной точки."))});
    EXPECT_EQ(messages.Kinds(), std::vector<TMessageKind>{TMessageKind::Error});
    EXPECT_EQ(Entries(dir.path()), QStringList{"a.bmp"});
}

} // namespace
