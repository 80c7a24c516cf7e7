#include <gtest/gtest.h>

#include <QApplication>
#include <vector>

#include "ChartTestUtil.h"
#include "base/MessageHook.h"

namespace {

const std::string kNoMemoryNumber = "Diagram: Отказано в выделении памяти при создании графика.";
const std::string kNoMemoryPointer = "Diagram: Hе удалось создать график.";
const std::string kDeleteBase = "Diagram: Попытка удалить базовый график отменена.";

std::vector<int> Numbers(TDiagram& d) {
    std::vector<int> n;
    for (TKeeper* k = d.GetKeeper(0); k != nullptr; k = k->GetNext()) {
        n.push_back(k->GetNumber());
    }
    return n;
}

TKeeper* NoMemory() {
    return nullptr;
}

} // namespace

TEST(KeeperList, CreateFindDeleteAndRenumber) {
    auto d = MakeChart(200, 150);
    MessageRecorder rec;
    d->NewKeeperList(3);
    EXPECT_EQ(d->GetKeeperListLength(), 3);
    EXPECT_EQ(Numbers(*d), (std::vector<int>{0, 1, 2}));
    d->NewKeeperList(1);
    EXPECT_EQ(d->GetKeeperListLength(), 1);
    d->NewKeeperList(0);
    EXPECT_EQ(d->GetKeeperListLength(), 1);

    EXPECT_EQ(d->NewKeeper(), 1);
    TKeeper* two = d->PNewKeeper();
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(two->GetNumber(), 2);
    TKeeper* three = d->PNewKeeper();
    EXPECT_EQ(d->GetKeeper(3), three);
    d->DeleteKeeper(1);
    EXPECT_EQ(Numbers(*d), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(d->GetKeeper(1), two);
    EXPECT_EQ(d->GetKeeper(2), three);
    d->DeleteKeeper(9);
    EXPECT_EQ(d->GetKeeperListLength(), 3);
    TKeeper stranger;
    d->PDeleteKeeper(&stranger);
    EXPECT_EQ(d->GetKeeperListLength(), 3);
    EXPECT_TRUE(rec.Messages().empty());

    d->DeleteKeeper(0);
    d->PDeleteKeeper(d->GetKeeper(0));
    EXPECT_EQ(rec.Take(), (std::vector<std::string>{kDeleteBase, kDeleteBase}));
    EXPECT_EQ(d->GetKeeperListLength(), 3);
    d->DeleteKeeperList();
    EXPECT_EQ(d->GetKeeperListLength(), 1);
    EXPECT_EQ(d->GetKeeper(1), nullptr);
}

TEST(KeeperList, AllocationFailureLeavesTheListAlone) {
    auto d = MakeChart(200, 150);
    d->NewKeeperList(2);
    MessageRecorder rec;
    TDiagram::KeeperAllocator previous = TDiagram::SetKeeperAllocator(&NoMemory);
    EXPECT_EQ(d->NewKeeper(), 0);
    EXPECT_EQ(d->PNewKeeper(), nullptr);
    d->NewKeeperList(4);
    TDiagram::SetKeeperAllocator(previous);
    EXPECT_EQ(rec.Take(),
              (std::vector<std::string>{kNoMemoryNumber, kNoMemoryPointer, kNoMemoryNumber}));
    EXPECT_EQ(d->GetKeeperListLength(), 1);
    EXPECT_EQ(d->NewKeeper(), 1);
}

TEST(KeeperList, LengthStopsAtWhatEightBitsCanNumber) {
    auto d = MakeChart(200, 150);
    d->NewKeeperList(255);
    EXPECT_EQ(d->GetKeeperListLength(), 255);
    EXPECT_EQ(d->GetKeeper(254)->GetNumber(), 254);
    MessageRecorder rec;
    EXPECT_EQ(d->PNewKeeper(), nullptr);
    EXPECT_EQ(d->NewKeeper(), 0);
    EXPECT_EQ(d->GetKeeperListLength(), 255);
    d->ShowDiagram(); // every listed series drawn, no hang
}

TEST(KeeperList, BorrowedSeriesAreDrawnBehindAHiddenBase) {
    auto source = MakeChart(300, 200);
    double s[3] = {0.5, 0.5, 0.5};
    source->GetKeeper(0)->SetData(s, 3, -1, 1);
    source->GetKeeper(0)->SetColor(Qt::red);
    auto big = MakeChart(300, 200);
    big->GetKeeper(0)->Hide();
    big->GetKeeper(0)->SetNext(source->GetKeeper(0));
    big->ShowDiagram();
    const int row = big->MathToPhisY(0.5);
    EXPECT_GT(CountColor(big->GetPicture(), Rgb(Qt::red), 0, row - 1, 300, row + 1), 100);
    big->GetKeeper(0)->SetNext(nullptr);
    big->ShowDiagram();
    EXPECT_EQ(CountColor(big->GetPicture(), Rgb(Qt::red), 0, 0, 300, 200), 0);
}

// A chart straight from its constructor, only given a size: the defaults show
// in its picture. Button-face background, white net in a black frame, dotted
// grid with solid zero lines, the title and axis names, and the base series
// (constant 0, black, two pixels wide) along the zero row.
TEST(Diagram, DefaultsShowInThePicture) {
    TDiagram d;
    EXPECT_EQ(d.GetPicture().size(), d.size()); // drawn by the constructor
    d.resize(360, 240);
    d.ShowDiagram();
    const QImage& img = d.GetPicture();
    const QRgb face = Rgb(QApplication::palette().color(QPalette::Button));
    const QRgb white = 0xffffffu, black = 0;
    const int xb = d.Get_xb_net(), yb = d.Get_yb_net(), xe = d.Get_xe_net(), ye = d.Get_ye_net();
    EXPECT_EQ(Px(d, 0, ye + 2), face);
    EXPECT_EQ(CountColor(img, black, xb, yb, xe, yb + 1), xe - xb);
    EXPECT_EQ(CountColor(img, black, xb, yb, xb + 1, ye), ye - yb);
    // Range [-1, 1] on both axes: x = 0 is a solid line, y = 0 carries the
    // series, the other grid lines are dotted on white.
    const int x0 = d.MathToPhisX(0), y0 = d.MathToPhisY(0);
    EXPECT_EQ(CountColor(img, black, x0, yb, x0 + 1, ye), ye - yb);
    EXPECT_EQ(CountColor(img, black, xb, y0, xe, y0 + 1), xe - xb);
    EXPECT_EQ(CountColor(img, black, xb + 1, y0 - 1, xe - 1, y0), xe - xb - 2);
    const int between = d.MathToPhisX(d.GetGridStepX() / 2);
    EXPECT_EQ(Px(d, between, y0 - 2), white);
    EXPECT_EQ(Px(d, between, y0 + 1), white);
    const int xg = d.MathToPhisX(d.GetGridStepX());
    const int dots = CountColor(img, black, xg, yb + 1, xg + 1, ye - 1);
    EXPECT_GT(dots, (ye - yb) / 5);
    EXPECT_EQ(dots + CountColor(img, white, xg, yb + 1, xg + 1, ye - 1), ye - yb - 2);
    // Texts: "График" above the net, "x" right of it, "y" at its top left, and
    // the tick labels (at least "-1.0", "0.0" and "1.0" wide) below.
    const std::initializer_list<QRgb> plain = {face, white};
    const int mid = d.Get_x0_out() + d.Get_w_out() / 2;
    EXPECT_GT(CountOther(img, plain, mid - 30, 0, mid + 30, yb), 20);
    EXPECT_GT(CountOther(img, plain, xe + 1, ye - 10, 360, ye + 10), 5);
    EXPECT_GT(CountOther(img, plain, xb, 0, xb + 12, yb), 5);
    EXPECT_GT(CountOther(img, plain, 0, ye + 5, 360, 240), 60);
    // The default limits of +-100000 hold a wider request.
    d.SetRangeX(-1e6, 1e6);
    EXPECT_EQ(d.GetXmin(), -100000.0);
    EXPECT_EQ(d.GetXmax(), 100000.0);
}
