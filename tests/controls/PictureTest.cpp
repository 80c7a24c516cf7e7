#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "WindowTestUtil.h"
#include "base/MessageHook.h"
#include "controls/LabIcons.h"
#include "controls/SaveImageToBmp.h"
#include "controls/TImage.h"
#include "files/SaveAs.h"

namespace {

// A 40 x 30 picture: white with a blue bar from (10, 5) to (20, 25).
void PaintBar(QPainter& p) {
    p.fillRect(QRect(10, 5, 10, 20), QColor(0, 0, 255));
}

class SavePicture : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        image.SetPicture(QSize(40, 30), PaintBar);
        previous = SetSaveDialogHook([this](QWidget*, const TSaveRequest& request, QString& name) {
            ++asked;
            EXPECT_EQ(request.Kind, TDocumentKind::Picture);
            initialName = request.InitialName;
            name = answer;
            return result;
        });
    }
    void TearDown() override { SetSaveDialogHook(previous); }
    QString Path(const QString& name) const { return dir.filePath(name); }
    std::vector<QString> Files() const {
        const QStringList l = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        return std::vector<QString>(l.begin(), l.end());
    }

    QTemporaryDir dir;
    TImage image;
    SaveDialogHook previous;
    MessageRecorder messages;
    QString answer;
    TSaveDialogResult result = TSaveDialogResult::Accepted;
    QString initialName;
    int asked = 0;
};

TEST_F(SavePicture, BmpNameWrittenAsTypedWithoutMessage) {
    answer = Path("scheme.BMP");
    SaveImageToBmp(&image);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(initialName, QStringLiteral("Рисунок.bmp"));
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_EQ(Files(), std::vector<QString>{"scheme.BMP"});
    QImageReader reader(Path("scheme.BMP"));
    EXPECT_EQ(reader.format(), QByteArray("bmp"));
    const QImage back = reader.read();
    ASSERT_EQ(back.size(), QSize(40, 30));
    EXPECT_EQ(back.pixel(15, 15) & 0xffffffu, 0x0000ffu);
    EXPECT_EQ(back.pixel(2, 2) & 0xffffffu, 0xffffffu);
}

TEST_F(SavePicture, OtherExtensionCorrectedAfterTheMessage) {
    answer = Path("scheme.jpg");
    SaveImageToBmp(&image);
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0],
              (Path("scheme.jpg") +
               QStringLiteral(":\nФормат файлов .jpg не поддерживается.Произведена коррекция."))
                  .toStdString());
    EXPECT_EQ(Files(), std::vector<QString>{"scheme.bmp"});
    EXPECT_EQ(QImageReader(Path("scheme.bmp")).format(), QByteArray("bmp"));
}

TEST_F(SavePicture, NameWithoutExtensionGetsBmp) {
    QDir(dir.path()).mkdir("v1.2");
    answer = Path("v1.2/scheme");
    SaveImageToBmp(&image);
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(
        messages.Messages()[0],
        (answer + QStringLiteral(":\nФормат файлов  не поддерживается.Произведена коррекция."))
            .toStdString());
    EXPECT_TRUE(QFileInfo::exists(Path("v1.2/scheme.bmp")));
}

TEST_F(SavePicture, UnwritableFolderReportedNamingTheFileAndNothingLeft) {
    answer = Path("missing/scheme.bmp");
    EXPECT_FALSE(SaveImageToBmp(&image, image.GetPicture()));
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_NE(messages.Messages()[0].find(answer.toStdString()), std::string::npos);

    // A folder that exists but refuses writing (not testable as root).
    QDir(dir.path()).mkdir("locked");
    QFile::setPermissions(Path("locked"), QFile::ReadOwner | QFile::ExeOwner);
    if (QFileInfo(Path("locked")).isWritable()) {
        QFile::setPermissions(Path("locked"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return;
    }
    messages.Clear();
    answer = Path("locked/scheme.bmp");
    EXPECT_FALSE(SaveImageToBmp(&image, image.GetPicture()));
    EXPECT_EQ(messages.Messages().size(), 1u);
    EXPECT_TRUE(QDir(Path("locked")).entryList(QDir::Files | QDir::Hidden).isEmpty());
    QFile::setPermissions(Path("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(SavePicture, CancelRefusalAndEmptyPicturesWriteNothing) {
    result = TSaveDialogResult::Cancelled;
    answer = Path("scheme.bmp");
    SaveImageToBmp(&image);
    EXPECT_TRUE(Files().empty());
    EXPECT_TRUE(messages.Messages().empty());

    result = TSaveDialogResult::Unavailable;
    SaveImageToBmp(&image);
    EXPECT_TRUE(Files().empty());
    EXPECT_EQ(messages.Messages(),
              std::vector<std::string>{"Не удаётся сохранить файл. Не достаточно памяти."});

    // Nothing to save: nothing is asked.
    asked = 0;
    result = TSaveDialogResult::Accepted;
    TImage empty;
    SaveImageToBmp(&empty);
    SaveImageToBmp(nullptr);
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(Files().empty());
}

TEST(Image, RendersOneToOneForCopiesAndAtTheScreenScaleForDisplay) {
    TImage image;
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_TRUE(image.GetPicture().isNull());
    image.SetPicture(QSize(40, 30), PaintBar);
    EXPECT_EQ(image.sizeHint(), QSize(40, 30));
    const QImage one = image.GetPicture();
    EXPECT_EQ(one.size(), QSize(40, 30));
    EXPECT_EQ(one.pixel(15, 15) & 0xffffffu, 0x0000ffu);
    EXPECT_EQ(one.pixel(25, 15) & 0xffffffu, 0xffffffu);
    const QImage two = TImage::RenderPicture(QSize(40, 30), 2.0, PaintBar);
    EXPECT_EQ(two.size(), QSize(80, 60));
    EXPECT_EQ(two.pixel(39, 20) & 0xffffffu, 0x0000ffu);
    EXPECT_EQ(two.pixel(41, 20) & 0xffffffu, 0xffffffu);
    EXPECT_TRUE(TImage::RenderPicture(QSize(0, 30), 1.0, PaintBar).isNull());
}

TEST(Image, LeftClickSignalsAndRightClickOpensTheMenu) {
    TImage image;
    image.SetPicture(QSize(40, 30), PaintBar);
    image.resize(40, 30);
    image.show();
    QSignalSpy clicks(&image, &TImage::OnClick);
    ClickMouse(&image, QPoint(5, 5));
    EXPECT_EQ(clicks.count(), 1);
    ClickMouse(&image, QPoint(5, 5), Qt::RightButton);
    EXPECT_EQ(clicks.count(), 1);
    QMenu menu;
    menu.addAction(QStringLiteral("Копировать"));
    image.SetPopupMenu(&menu);
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(5, 5), image.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&image, &e);
    EXPECT_TRUE(menu.isVisible());
    menu.close();
}

// Every icon draws something of its own, at 16 pixels and at twice the
// scale with twice the pixels; the disabled form is grey.
TEST(Icons, DistinctSharpAtEveryScaleAndGreyWhenDisabled) {
    const std::vector<TLabIcon> all = {
        TLabIcon::Measure,         TLabIcon::Limits,         TLabIcon::ReturnLimits,
        TLabIcon::Enlarge,         TLabIcon::Save,           TLabIcon::Copy,
        TLabIcon::Close,           TLabIcon::NetOnly,        TLabIcon::Exit,
        TLabIcon::SignalSource, TLabIcon::NoiseSource, TLabIcon::Filter,
        TLabIcon::Description,     TLabIcon::Start,          TLabIcon::Registrar,
        TLabIcon::Application};
    std::set<QByteArray> seen;
    for (TLabIcon kind : all) {
        const QIcon icon = LabIcon(kind);
        const QImage small = icon.pixmap(QSize(16, 16), 1.0).toImage();
        ASSERT_EQ(small.size(), QSize(16, 16));
        int opaque = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                opaque += qAlpha(small.pixel(x, y)) > 128 ? 1 : 0;
            }
        }
        EXPECT_GT(opaque, 12) << static_cast<int>(kind);
        EXPECT_TRUE(seen.insert(QByteArray(reinterpret_cast<const char*>(small.constBits()),
                                           small.sizeInBytes()))
                        .second)
            << static_cast<int>(kind);
        const QPixmap big = icon.pixmap(QSize(16, 16), 2.0);
        EXPECT_EQ(big.size(), QSize(32, 32));
        EXPECT_DOUBLE_EQ(big.devicePixelRatio(), 2.0);
        const QImage grey = icon.pixmap(QSize(16, 16), 1.0, QIcon::Disabled).toImage();
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const QRgb c = grey.pixel(x, y);
                ASSERT_TRUE(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c));
            }
        }
    }
    // The application icon renders to any size, for files of the install.
    QImage file(48, 48, QImage::Format_ARGB32_Premultiplied);
    file.fill(Qt::transparent);
    QPainter p(&file);
    PaintLabIcon(p, QRectF(0, 0, 48, 48), TLabIcon::Application);
    p.end();
    EXPECT_GT(qAlpha(file.pixel(24, 24)), 200);
    EXPECT_EQ(qAlpha(file.pixel(0, 0)), 0);
}

} // namespace
