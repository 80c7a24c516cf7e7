// Several settings made in one batch draw the chart once, at the end; outside
// a batch every setting draws at once. The base series counts the drawings.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImageReader>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <functional>

#include "ChartTestUtil.h"
#include "DrawingCounter.h"

namespace {

std::unique_ptr<TDiagram> CountingChart() {
    auto d = MakeChart(400, 300);
    DrawingCounter::Attach(*d->GetKeeper(0));
    d->GetKeeper(0)->SetColor(Qt::red);
    d->ShowDiagram();
    return d;
}

using DrawingCounter::During;

void Move(TDiagram& d, int x, int y) {
    QMouseEvent ev(QEvent::MouseMove, QPointF(x, y), QPointF(x, y), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
    QApplication::sendEvent(&d, &ev);
}

} // namespace

TEST(Batch, SettingsOutsideABatchDrawAtOnceInsideOnceAtTheEnd) {
    auto d = CountingChart();
    QImage mark(8, 8, QImage::Format_RGB32);
    mark.fill(Qt::green);
    const std::pair<const char*, std::function<void()>> settings[] = {
        {"names", [&] { d->SetNameX(QStringLiteral("t, мс")); }},
        {"colours", [&] { d->SetColorBackNet(QColor(250, 250, 230)); }},
        {"net style", [&] { d->SetPenStyleNetLine(Qt::DashLine); }},
        {"font", [&] { d->SetFontNet(QFont(QStringLiteral("DejaVu Serif"))); }},
        {"bitmap", [&] { d->SetBitmapY(&mark); }},
        {"range", [&] { d->SetRangeX(-250.0, 500.0); }},
        {"limits", [&] { d->SetLimitX(-100.0, 400.0); }},
        {"precision", [&] { d->SetPrecisionY(3); }},
        {"auto range", [&] { d->AutoRangeY(); }},
        {"step", [&] { d->IncreaseXmax(); }},
        {"print mode", [&] { d->SetPrintMode(); }},
        {"colour mode", [&] { d->ResetPrintMode(); }},
        {"redraw", [&] { d->ShowDiagram(); }}};
    for (const auto& [what, set] : settings) {
        EXPECT_EQ(During(set), 1) << what;
    }
    // All of them again, in one batch.
    EXPECT_EQ(During([&] {
                  TDiagramBatch batch(*d);
                  EXPECT_TRUE(d->InUpdate());
                  for (const auto& setting : settings) {
                      setting.second();
                  }
                  EXPECT_EQ(DrawingCounter::Drawings, 0);
              }),
              1);
    EXPECT_FALSE(d->InUpdate());
    // Nested batches draw when the outermost ends.
    EXPECT_EQ(During([&] {
                  TDiagramBatch outer(*d);
                  {
                      TDiagramBatch inner(*d);
                      d->SetRangeX(0.0, 100.0);
                  }
                  EXPECT_EQ(DrawingCounter::Drawings, 0);
                  d->SetRangeY(-1.0, 1.0);
              }),
              1);
    // Refused settings ask for nothing, and a batch of them draws nothing;
    // an unmatched end is ignored.
    EXPECT_EQ(During([&] {
                  TDiagramBatch batch(*d);
                  d->SetRangeX(5.0, 5.0);
                  d->SetLimitY(1.0, 1.0);
                  d->EndUpdate();
                  d->EndUpdate();
              }),
              0);
    EXPECT_EQ(During([&] { d->SetRangeX(1.0, 2.0); }), 1);
}

// After the batch the picture, the net and the mapping are those of the new
// settings, as if each setter had drawn.
TEST(Batch, EndsWithThePictureAndNetOfTheNewSettings) {
    auto batched = CountingChart();
    auto single = CountingChart();
    const auto apply = [](TDiagram& d) {
        d.SetNameY(QStringLiteral("sвых(t), мВ"));
        d.SetLimitY(-90000.0, 90000.0);
        d.SetRangeY(-87654.3, 76543.2); // wide labels move the net's left edge
        d.SetRangeX(-250.0, 500.0);
    };
    const int xbBefore = batched->Get_xb_net();
    {
        TDiagramBatch batch(*batched);
        apply(*batched);
        EXPECT_EQ(batched->Get_xb_net(), xbBefore); // still the last drawing's
    }
    apply(*single);
    EXPECT_GT(batched->Get_xb_net(), xbBefore);
    EXPECT_EQ(batched->Get_xb_net(), single->Get_xb_net());
    EXPECT_EQ(batched->Get_ye_net(), single->Get_ye_net());
    EXPECT_EQ(batched->MathToPhisX(0.0), single->MathToPhisX(0.0));
    EXPECT_EQ(batched->GetPrecisionY(), single->GetPrecisionY());
    EXPECT_TRUE(batched->GetPicture() == single->GetPicture());
}

// A crosshair lives in the picture: a batch that draws takes it away with
// the old picture, one that does not leaves it to be erased as usual.
TEST(Batch, CrosshairGoesWithTheOldPictureOnly) {
    auto d = CountingChart();
    const QImage clean = d->GetPicture().copy();
    const int x = (d->Get_xb_net() + d->Get_xe_net()) / 2;
    const int y = (d->Get_yb_net() + d->Get_ye_net()) / 2;
    Move(*d, x, y);
    ASSERT_TRUE(d->GetFeelerDrawn());
    {
        TDiagramBatch batch(*d);
        d->SetRangeX(1.0, 1.0); // refused: nothing to draw
    }
    EXPECT_TRUE(d->GetFeelerDrawn());
    Move(*d, 0, 0);
    EXPECT_TRUE(d->GetPicture() == clean);

    Move(*d, x, y);
    {
        TDiagramBatch batch(*d);
        d->SetColorBackNet(Qt::white);
        EXPECT_TRUE(d->GetFeelerDrawn()); // the old picture, crosshair and all
    }
    EXPECT_FALSE(d->GetFeelerDrawn());
    EXPECT_TRUE(d->GetPicture() == clean);
    Move(*d, x, y);
    Move(*d, 0, 0);
    EXPECT_TRUE(d->GetPicture() == clean);
}

// An export takes the picture right after asking for the print drawing, so
// it is drawn then, batch or not; the chart is back in colour at the end.
TEST(Batch, ExportInsideABatchIsBlackOnWhite) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto d = CountingChart();
    d->SetColorBackDiagram(QColor(200, 220, 240));
    d->SetColorBackNet(Qt::yellow);
    const QImage coloured = d->GetPicture().copy();
    const QString name = dir.filePath(QStringLiteral("chart.bmp"));
    {
        TDiagramBatch batch(*d);
        ASSERT_TRUE(d->SaveBmpFile(name));
    }
    ExpectBlackOnWhite(QImageReader(name).read(), 100);
    EXPECT_FALSE(d->GetPrintMode());
    EXPECT_TRUE(d->GetPicture() == coloured);
}
