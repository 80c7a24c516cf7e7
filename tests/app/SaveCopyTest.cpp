// Copying and saving the shown scheme and filter drawing.

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "app/FilterDrawings.h"
#include "app/SchemePicture.h"
#include "controls/TImage.h"
#include "files/SaveAs.h"

namespace {

// Answers the save dialog with a fixed name while it lives.
class DialogAnswer {
  public:
    explicit DialogAnswer(QString name) {
        previous =
            SetSaveDialogHook([name](QWidget*, const TSaveRequest& request, QString& chosen) {
                EXPECT_EQ(request.Kind, TDocumentKind::Picture);
                EXPECT_EQ(request.InitialName, "Рисунок.bmp");
                chosen = name;
                return TSaveDialogResult::Accepted;
            });
    }
    ~DialogAnswer() { SetSaveDialogHook(previous); }

  private:
    SaveDialogHook previous;
};

QImage Rgb(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

class SaveCopy : public testing::Test, public FormFixture {
  protected:
    void Choose(QComboBox* box, int item) {
        box->setCurrentIndex(item);
        emit box->activated(item);
    }
    QTemporaryDir dir;
};

TEST_F(SaveCopy, SchemeCopyPutsTheShownPictureOnTheClipboard) {
    Choose(form->ComboBox1, siOff);
    Choose(form->ComboBox3, niOn);
    form->N3Click();
    const QImage copied = QGuiApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), QSize(SchemeWidth, SchemeHeight));
    EXPECT_EQ(Rgb(copied), Rgb(form->Image3->GetPicture()));
    EXPECT_NE(Rgb(copied), Rgb(form->Image1->GetPicture()));
}

TEST_F(SaveCopy, SchemeSaveWritesTheShownPictureAsABitmap) {
    Choose(form->ComboBox3, niOn);
    const QString name = dir.filePath("scheme.bmp");
    {
        DialogAnswer answer(name);
        form->N4Click();
    }
    QImage saved(name, "BMP");
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), QSize(SchemeWidth, SchemeHeight));
    EXPECT_EQ(Rgb(saved), Rgb(form->Image2->GetPicture()));
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(SaveCopy, SavingIntoAFolderThatCannotBeWrittenIsReported) {
    // A "folder" that is a plain file cannot hold anything, even for root.
    QFile blocker(dir.filePath("not-a-folder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString name = dir.filePath("not-a-folder/scheme.bmp");
    {
        DialogAnswer answer(name);
        form->N4Click();
    }
    EXPECT_FALSE(QFile::exists(name));
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_NE(messages.Messages()[0].find("scheme.bmp"), std::string::npos)
        << messages.Messages()[0];
}

TEST_F(SaveCopy, DescriptionSaveAndCopyActOnTheChosenFiltersDrawing) {
    Choose(form->ComboBox2, fiLowBand1);
    form2->N3Click();
    const QImage copied = QGuiApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), QSize(FilterPictureWidth, FilterPictureHeight));
    EXPECT_EQ(Rgb(copied), Rgb(form2->Image4->GetPicture()));
    EXPECT_NE(Rgb(copied), Rgb(form2->Image1->GetPicture()));

    Choose(form->ComboBox2, fiChebishev);
    const QString name = dir.filePath("filter.jpg");
    {
        DialogAnswer answer(name);
        form2->N2Click();
    }
    // The extension is put right with a message, then the drawing is written.
    EXPECT_EQ(messages.Take().size(), 1u);
    QImage saved(dir.filePath("filter.bmp"), "BMP");
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), QSize(FilterPictureWidth, FilterPictureHeight));
    EXPECT_EQ(Rgb(saved), Rgb(form2->Image5->GetPicture()));
}

} // namespace
