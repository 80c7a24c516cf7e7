#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTimer>

#include "ChartTestUtil.h"
#include "base/MessageHook.h"
#include "files/SaveAs.h"

namespace {

const QColor kBack(200, 220, 240);

std::unique_ptr<TDiagram> ColouredChart() {
    auto d = MakeChart(320, 240);
    d->SetColorBackDiagram(kBack);
    d->SetColorBackNet(Qt::yellow);
    d->SetColorNetLine(Qt::blue);
    d->GetKeeper(0)->SetColor(Qt::red);
    return d;
}

std::string Correction(const QString& name, const QString& ext) {
    return (name + QStringLiteral(":\nФормат файлов ") + ext +
            QStringLiteral(" не поддерживается.Произведена коррекция."))
        .toStdString();
}

} // namespace

TEST(Export, SavedFileIsABitmapOfTheChartBlackOnWhite) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto d = ColouredChart();
    MessageRecorder rec;
    const QString name = dir.filePath(QStringLiteral("chart.BMP"));
    EXPECT_TRUE(d->SaveBmpFile(name));
    EXPECT_TRUE(rec.Messages().empty());
    QImageReader reader(name);
    EXPECT_EQ(reader.format(), "bmp");
    const QImage saved = reader.read();
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), QSize(320, 240));
    ExpectBlackOnWhite(saved, 500);
    // Back in its colours, and what was saved is the chart's print picture.
    EXPECT_FALSE(d->GetPrintMode());
    EXPECT_EQ(Px(*d, 0, 0), Rgb(kBack));
    d->SetPrintMode();
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), d->GetPicture());
    d->ResetPrintMode();
}

TEST(Export, WrongOrMissingExtensionIsCorrected) {
    QTemporaryDir dir;
    auto d = ColouredChart();
    MessageRecorder rec;
    const QString png = dir.filePath(QStringLiteral("chart.PNG"));
    EXPECT_TRUE(d->SaveBmpFile(png));
    EXPECT_EQ(rec.Take(), std::vector<std::string>{Correction(png, QStringLiteral(".png"))});
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("chart.bmp"))));
    EXPECT_FALSE(QFile::exists(png));

    const QString bare = dir.filePath(QStringLiteral("plain"));
    EXPECT_TRUE(d->SaveBmpFile(bare));
    EXPECT_EQ(rec.Take(), std::vector<std::string>{Correction(bare, QString())});
    EXPECT_TRUE(QFile::exists(bare + QStringLiteral(".bmp")));

    // A dot in a folder name is no extension.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("v1.2")));
    const QString inDotted = dir.filePath(QStringLiteral("v1.2/Диаграмма"));
    EXPECT_TRUE(d->SaveBmpFile(inDotted));
    EXPECT_EQ(rec.Take(), std::vector<std::string>{Correction(inDotted, QString())});
    EXPECT_TRUE(QFile::exists(inDotted + QStringLiteral(".bmp")));
}

TEST(Export, FailedWriteIsReportedWithTheFileName) {
    auto d = ColouredChart();
    MessageRecorder rec;
    const QString name = QStringLiteral("/nonexistent-folder/chart.bmp");
    EXPECT_FALSE(d->SaveBmpFile(name));
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Messages()[0].rfind("Не удаётся записать файл " + name.toStdString(), 0), 0u);
    EXPECT_FALSE(d->GetPrintMode());
    EXPECT_EQ(Px(*d, 0, 0), Rgb(kBack));
}

// A chart of no size has no picture to save: the user hears so, by name,
// and no file appears.
TEST(Export, EmptyChartIsNotSavedSilently) {
    QTemporaryDir dir;
    auto d = ColouredChart();
    d->resize(0, 0);
    d->ShowDiagram();
    MessageRecorder rec;
    const QString name = dir.filePath(QStringLiteral("empty.bmp"));
    EXPECT_FALSE(d->SaveBmpFile(name));
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Messages()[0].rfind("Не удаётся записать файл " + name.toStdString(), 0), 0u);
    EXPECT_FALSE(QFile::exists(name));
    EXPECT_FALSE(d->GetPrintMode());
}

TEST(Export, ClipboardHoldsThePrintPicture) {
    auto d = ColouredChart();
    d->CopyToClipboard();
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(copied.size(), QSize(320, 240));
    ExpectBlackOnWhite(copied, 500);
    EXPECT_EQ(Px(*d, 0, 0), Rgb(kBack));
    d->SetPrintMode();
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32), d->GetPicture());
}

TEST(Export, SaveDialogHook) {
    QTemporaryDir dir;
    auto d = ColouredChart();
    MessageRecorder rec;
    QString offered;
    TSaveDialogResult answer = TSaveDialogResult::Cancelled;
    const QString target = dir.filePath(QStringLiteral("picked.bmp"));
    SaveDialogHook previous =
        SetSaveDialogHook([&](QWidget* parent, const TSaveRequest& request, QString& fileName) {
            EXPECT_EQ(parent, d.get());
            EXPECT_EQ(request.Kind, TDocumentKind::ChartPicture);
            offered = request.InitialName;
            fileName = target;
            return answer;
        });
    d->SaveBmpFile();
    EXPECT_EQ(offered, QStringLiteral("Диаграмма.bmp"));
    EXPECT_FALSE(QFile::exists(target));
    answer = TSaveDialogResult::Accepted;
    d->SaveBmpFile();
    EXPECT_TRUE(QFile::exists(target));
    EXPECT_TRUE(rec.Messages().empty());
    answer = TSaveDialogResult::Unavailable;
    d->SaveBmpFile();
    EXPECT_EQ(rec.Take(),
              std::vector<std::string>{"Не удаётся сохранить файл. Не достаточно памяти."});
    SetSaveDialogHook(previous);
}

TEST(Export, DefaultDialogAsksForABitmap) {
    auto d = ColouredChart();
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen = true;
        EXPECT_EQ(dialog->nameFilters(), QStringList{QStringLiteral("Bitmaps (*.bmp)")});
        EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("bmp"));
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        ASSERT_FALSE(dialog->selectedFiles().isEmpty());
        EXPECT_TRUE(
            dialog->selectedFiles().constFirst().endsWith(QStringLiteral("/Диаграмма.bmp")));
        dialog->reject();
    });
    MessageRecorder rec;
    d->SaveBmpFile();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(rec.Messages().empty());
}
