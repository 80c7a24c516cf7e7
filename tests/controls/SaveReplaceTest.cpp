// A name corrected to ".bmp" may name a file that exists already; the save
// dialog asked only about the name as typed, so the user is asked again
// before that file is replaced. Both the picture and the chart saving.

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <functional>

#include <gtest/gtest.h>

#include "base/MessageHook.h"
#include "chart/TDiagram.h"
#include "controls/SaveImageToBmp.h"
#include "controls/TImage.h"
#include "files/SaveAs.h"

namespace {

QByteArray Contents(const QString& name) {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(SaveReplace, ACorrectedNameReplacesAnExistingFileOnlyWhenTheUserAgrees) {
    TImage image;
    image.SetPicture(QSize(20, 10), [](QPainter& p) { p.fillRect(0, 0, 5, 5, Qt::blue); });
    TDiagram chart;
    chart.resize(200, 150);
    chart.ShowDiagram();
    const std::vector<std::pair<const char*, std::function<void()>>> savers = {
        {"picture", [&] { SaveImageToBmp(&image); }}, {"chart", [&] { chart.SaveBmpFile(); }}};
    for (const auto& [what, save] : savers) {
        SCOPED_TRACE(what);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString typed = dir.filePath("photo.jpg");
        const QString corrected = dir.filePath("photo.bmp");
        const SaveDialogHook previous =
            SetSaveDialogHook([&](QWidget*, const TSaveRequest&, QString& name) {
                name = typed;
                return TSaveDialogResult::Accepted;
            });
        MessageRecorder messages;
        QuestionRecorder questions(false);

        // No file of the corrected name: nothing to ask.
        save();
        EXPECT_EQ(messages.Take().size(), 1u); // the correction
        EXPECT_TRUE(questions.Questions().empty());
        ASSERT_EQ(QImageReader(corrected).format(), "bmp");

        // "No": the correction is told, then the file is left alone.
        QFile keep(corrected);
        ASSERT_TRUE(keep.open(QIODevice::WriteOnly | QIODevice::Truncate));
        keep.write("keep me");
        keep.close();
        save();
        EXPECT_EQ(messages.Take().size(), 1u);
        const std::vector<std::string> asked = questions.Take();
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_NE(asked[0].find(corrected.toStdString()), std::string::npos) << asked[0];
        EXPECT_EQ(Contents(corrected), "keep me");
        EXPECT_FALSE(QFile::exists(typed));

        // "Yes": replaced.
        questions.SetAnswer(true);
        save();
        EXPECT_EQ(questions.Take().size(), 1u);
        EXPECT_EQ(QImageReader(corrected).format(), "bmp");
        EXPECT_EQ(messages.Take().size(), 1u);

        // A name that needs no correction was asked about by the dialog.
        SetSaveDialogHook([&](QWidget*, const TSaveRequest&, QString& name) {
            name = corrected;
            return TSaveDialogResult::Accepted;
        });
        save();
        EXPECT_TRUE(questions.Questions().empty());
        EXPECT_TRUE(messages.Messages().empty());
        SetSaveDialogHook(previous);
    }
}

} // namespace
