#include "ChartTestUtil.h"

#include <QFont>
#include <QtGlobal>
#include <algorithm>
#include <gtest/gtest.h>

std::unique_ptr<TDiagram> MakeChart(int w, int h) {
    auto d = std::make_unique<TDiagram>();
    d->resize(w, h);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(11);
    d->SetFontNet(f);
    d->SetFontNameX(f);
    d->SetFontNameY(f);
    d->SetFontName(f);
    d->ShowDiagram();
    return d;
}

int CountColor(const QImage& img, QRgb c, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = std::max(0, y0); y < std::min(img.height(), y1); ++y) {
        for (int x = std::max(0, x0); x < std::min(img.width(), x1); ++x) {
            n += (img.pixel(x, y) & 0xffffffu) == c ? 1 : 0;
        }
    }
    return n;
}

int CountOther(const QImage& img, std::initializer_list<QRgb> known, int x0, int y0, int x1,
               int y1) {
    int n = 0;
    for (int y = std::max(0, y0); y < std::min(img.height(), y1); ++y) {
        for (int x = std::max(0, x0); x < std::min(img.width(), x1); ++x) {
            const QRgb c = img.pixel(x, y) & 0xffffffu;
            n += std::find(known.begin(), known.end(), c) == known.end() ? 1 : 0;
        }
    }
    return n;
}

void ExpectBlackOnWhite(const QImage& img, int minBlack) {
    int black = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            ASSERT_TRUE(c.red() == c.green() && c.green() == c.blue()) << x << "," << y;
            black += c.red() == 0 ? 1 : 0;
        }
    }
    EXPECT_GE(black, minBlack);
    EXPECT_EQ(img.pixel(0, 0) & 0xffffffu, 0xffffffu);
}

void MaybeSave(const TDiagram& d, const QString& name) {
    const QByteArray dir = qgetenv("CHART_TEST_PNG_DIR");
    if (!dir.isEmpty()) {
        d.GetPicture().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + name + ".png");
    }
}
