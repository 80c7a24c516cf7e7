// Measurements kept between repaints must follow every change of font or text.

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>

#include "ChartTestUtil.h"
#include "chart/TTextMeasure.h"

TEST(TextMeasure, FollowsTheFontItIsGiven) {
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(9);
    QFont big = small;
    big.setPixelSize(31);
    TTextMeasure m;
    const QString text = QStringLiteral("-1234.5");
    for (const QFont& f : {small, big, small}) {
        for (bool unhinted : {false, true}) {
            m.Use(f, unhinted);
            const QFont expected = unhinted ? Unhinted(f) : f;
            EXPECT_EQ(m.Font(), expected);
            EXPECT_EQ(m.Width(text), QFontMetrics(expected).horizontalAdvance(text));
            EXPECT_EQ(m.Width(text), QFontMetrics(expected).horizontalAdvance(text));
            EXPECT_EQ(m.DigitWidth(), QFontMetrics(expected).horizontalAdvance(QLatin1Char('0')));
            EXPECT_EQ(m.PixelSize(), QFontInfo(expected).pixelSize());
        }
    }
    // A copy changed in place is another font, though it began as the same.
    QFont changed = small;
    m.Use(small, false);
    const int before = m.Width(text);
    changed.setPixelSize(40);
    m.Use(changed, false);
    EXPECT_GT(m.Width(text), before);
    // Many distinct texts: the table starts again and stays right.
    for (int i = 0; i < 10000; i += 7) {
        const QString s = QString::number(i * 0.25);
        ASSERT_EQ(m.Width(s), QFontMetrics(changed).horizontalAdvance(s)) << i;
    }
}

// A chart whose fonts and names were changed after drawing looks like one
// made with them from the start.
TEST(TextMeasure, ChartRedrawnWithNewFontsAndNamesMatchesAFreshOne) {
    QFont serif(QStringLiteral("DejaVu Serif"));
    serif.setPixelSize(19);
    QFont tiny(QStringLiteral("DejaVu Sans"));
    tiny.setPixelSize(7);
    auto apply = [&](TDiagram& d) {
        d.SetFontNet(tiny);
        d.SetFontName(serif);
        d.SetFontNameX(serif);
        d.SetFontNameY(tiny);
        d.SetNameDiagram(QStringLiteral("Сигнал на входе фильтра"));
        d.SetNameX(QStringLiteral("t, мс"));
        d.SetRangeX(-250, 500);
    };
    auto changed = MakeChart(640, 300);
    changed->SetRangeX(-0.5, 0.75);
    changed->SetNameX(QStringLiteral("частота, кГц"));
    const int ybSmall = changed->Get_yb_net();
    const int xeSmall = changed->Get_xe_net();
    apply(*changed);
    // The taller title font pushes the net down, the shorter x name lets it
    // widen.
    EXPECT_GT(changed->Get_yb_net(), ybSmall);
    EXPECT_GT(changed->Get_xe_net(), xeSmall);
    auto fresh = std::make_unique<TDiagram>();
    fresh->resize(640, 300);
    apply(*fresh);
    EXPECT_TRUE(changed->GetPicture() == fresh->GetPicture());
    EXPECT_EQ(changed->Get_xb_net(), fresh->Get_xb_net());
    EXPECT_EQ(changed->Get_ye_net(), fresh->Get_ye_net());
}
