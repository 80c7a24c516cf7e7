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

TEST(Diagram, DefaultsAndTexts) {
    TDiagram d;
    EXPECT_EQ(d.GetNameDiagram(), QStringLiteral("График"));
    EXPECT_EQ(d.GetNameX(), QStringLiteral("x"));
    EXPECT_EQ(d.GetNameY(), QStringLiteral("y"));
    EXPECT_EQ(d.GetKeeper(0)->GetName(), "Diagram");
    EXPECT_EQ(d.GetColorBackDiagram(), QApplication::palette().color(QPalette::Button));
    EXPECT_EQ(d.GetColorBackNet(), QColor(Qt::white));
    EXPECT_EQ(d.GetColorNetLine(), QColor(Qt::black));
    EXPECT_EQ(d.GetPenStyleNetLine(), Qt::DotLine);
    EXPECT_TRUE(d.GetShowFeeler());
    EXPECT_EQ(d.GetPenStyleFeeler(), Qt::SolidLine);
    EXPECT_EQ(d.GetPenWidthFeeler(), 1);
    EXPECT_EQ(d.GetColorFeeler(), QColor(Qt::black));
    EXPECT_EQ(d.GetNetCursor(), Qt::CrossCursor);
    EXPECT_EQ(d.GetLimitXmin(), -100000.0);
    EXPECT_EQ(d.GetLimitYmax(), 100000.0);
    EXPECT_EQ(d.GetXmin(), -1.0);
    EXPECT_EQ(d.GetYmax(), 1.0);
    EXPECT_TRUE(d.hasMouseTracking());
    // Constructed charts are already drawn at their size.
    EXPECT_EQ(d.GetPicture().size(), d.size());
    TDiagram::Register();
}
