#include "controls/TDiagramIncrease.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <functional>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "WindowTestUtil.h"
#include "base/MessageHook.h"
#include "files/SaveAs.h"
#include "chart/TDiagram.h"
#include "controls/TDiagramFrame.h"

namespace {

const QRgb kSeriesColour = qRgb(0xd0, 0x10, 0x10);

// A bench-like source chart: a red series and two more behind it.
std::unique_ptr<TDiagram> MakeSource(std::vector<double>& samples, QSize size) {
    samples.resize(7500);
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = ((i * 7919) % 200) / 100.0 - 1.0;
    }
    auto d = std::make_unique<TDiagram>();
    d->resize(size);
    TKeeper* k = d->GetKeeper(0);
    k->SetData(samples.data(), 7500, -2500.0, 4999.0);
    k->SetColor(QColor(kSeriesColour));
    d->NewKeeperList(3);
    d->GetKeeper(1)->SetConstantData(0.5, 10, -2500.0, 4999.0);
    d->GetKeeper(2)->CopyData(samples.data(), 100, 0.0, 99.0);
    d->SetNameDiagram(QStringLiteral("Сигнал на входе фильтра"));
    d->SetNameY(QStringLiteral("sвх(t), B"));
    d->SetNameX(QStringLiteral("t, мс"));
    d->SetRangeX(-250.0, 500.0);
    d->SetLimitX(-2250.0, 4499.1);
    d->AutoRangeY();
    return d;
}

int SeriesPixels(const TDiagram& d) {
    const QImage& img = d.GetPicture();
    int n = 0;
    for (int y = d.Get_yb_net() + 1; y < d.Get_ye_net(); ++y) {
        for (int x = d.Get_xb_net() + 1; x < d.Get_xe_net(); ++x) {
            n += (img.pixel(x, y) & 0xffffffu) == (kSeriesColour & 0xffffffu) ? 1 : 0;
        }
    }
    return n;
}

class Increase : public testing::Test {
  protected:
    void SetUp() override {
        window = std::make_unique<TDiagramIncrease>();
        source = MakeSource(samples, QSize(760, 250));
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    // Runs Execute(chart) with action done inside the modal loop; a guard
    // closes the window should the action leave it open.
    void RunOpen(TDiagram* chart, const std::function<void()>& action) {
        QTimer::singleShot(0, window.get(), action);
        QPointer<TDiagramIncrease> w = window.get();
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [w] {
            ADD_FAILURE() << "the window stayed open";
            if (w) {
                w->close();
            }
        });
        guard.start(10000);
        window->Execute(chart);
    }
    bool Linked() const { return window->Diagram1->GetKeeper(0)->GetNext() != nullptr; }
    int ArrowsShown() const {
        int n = 0;
        for (TArrowPair* a : {window->UpDown1, window->UpDown2, window->UpDown3, window->UpDown4}) {
            n += a->isHidden() ? 0 : 1;
        }
        return n;
    }

    std::vector<double> samples;
    std::unique_ptr<TDiagramIncrease> window;
    std::unique_ptr<TDiagram> source;
};

TEST_F(Increase, ComponentsInTheirOrder) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Диаграмма"));
    EXPECT_TRUE(window->isModal());
    std::vector<QString> names;
    for (QAction* a : window->ToolBar1->actions()) {
        names.push_back(window->ToolBar1->widgetForAction(a)->objectName());
    }
    const std::vector<QString> order = {
        "ToolButton1",  "SpeedButtonMeasure", "SpeedButtonLimit", "SpeedButtonRetLim",
        "SpeedButton1", "ToolButton4",        "SpeedButtonBmp",   "SpeedButtonCopy",
        "ToolButton5",  "SpeedButtonClose",   "ToolButton6",      "Panel2"};
    EXPECT_EQ(names, order);
    EXPECT_EQ(window->ToolButton1->width(), 8);
    EXPECT_EQ(window->ToolButton4->width(), 12);
    EXPECT_EQ(window->Panel2->size(), QSize(191, 22));
    EXPECT_EQ(window->Panel2->text(), QString());
    EXPECT_EQ(window->SpeedButton1->toolTip(),
              QStringLiteral("Не показывать график при изменении пределов"));
    EXPECT_EQ(window->SpeedButtonBmp->toolTip(), QStringLiteral("Сохранить как рисунок"));
    EXPECT_EQ(window->SpeedButtonCopy->toolTip(), QStringLiteral("Копировать"));
    EXPECT_TRUE(window->SpeedButtonMeasure->isChecked());
    EXPECT_FALSE(window->SpeedButtonLimit->isChecked());
    EXPECT_FALSE(window->SpeedButton1->isChecked());

    EXPECT_EQ(window->NFile->title(), QStringLiteral("Файл"));
    EXPECT_EQ(window->NDiagram->title(), QStringLiteral("Диаграмма"));
    const QList<QAction*> listed = window->NDiagram->actions();
    const std::vector<QAction*> items(listed.begin(), listed.end());
    const std::vector<QAction*> expected = {window->NMeasure, window->NLimit, window->NRetLimit,
                                            window->N4,       window->NBmp,   window->NCopy};
    EXPECT_EQ(items, expected);
    EXPECT_TRUE(window->N4->isSeparator());
    EXPECT_EQ(window->NCopy->text(), QStringLiteral("Копировать в буфер обмена"));
    EXPECT_TRUE(window->NMeasure->isChecked());
    EXPECT_FALSE(window->NLimit->isChecked());
    for (QAction* a : {window->NClose, window->NMeasure, window->NLimit, window->NRetLimit,
                       window->NBmp, window->NCopy}) {
        EXPECT_FALSE(a->icon().isNull()) << a->text().toStdString();
    }
    EXPECT_EQ(window->UpDown1->size(), QSize(16, 41));
    EXPECT_EQ(window->UpDown3->size(), QSize(41, 16));
    EXPECT_EQ(ArrowsShown(), 0);
    const QFont& title = window->Diagram1->GetFontName();
    EXPECT_EQ(title.family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(title.pixelSize(), 16);
    EXPECT_TRUE(title.bold() && title.italic());
    EXPECT_FALSE(window->Diagram1->GetFontNet().bold());
    EXPECT_TRUE(window->Diagram1->GetShowFeeler());
}

TEST_F(Increase, AssignCopiesLookLimitsRangeAndSeriesButNotFontsPrecisionOrFeeler) {
    source->SetColorBackDiagram(QColor(10, 20, 30));
    source->SetColorBackNet(QColor(240, 240, 200));
    source->SetColorNetLine(QColor(0, 0, 120));
    source->SetPenStyleNetLine(Qt::DashLine);
    source->SetLimitY(-40.0, 40.0);
    QImage mark(12, 8, QImage::Format_RGB32);
    mark.fill(Qt::green);
    source->SetBitmapX(&mark);
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(9);
    source->SetFontName(small);
    source->SetPrecisionX(6);
    source->SetShowFeeler(false);

    window->AssignDiagram(source.get());
    TDiagram* d = window->Diagram1;
    EXPECT_EQ(d->GetColorBackDiagram(), QColor(10, 20, 30));
    EXPECT_EQ(d->GetColorBackNet(), QColor(240, 240, 200));
    EXPECT_EQ(d->GetColorNetLine(), QColor(0, 0, 120));
    EXPECT_EQ(d->GetPenStyleNetLine(), Qt::DashLine);
    EXPECT_EQ(d->GetNameDiagram(), source->GetNameDiagram());
    EXPECT_EQ(d->GetNameX(), source->GetNameX());
    EXPECT_EQ(d->GetNameY(), source->GetNameY());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Сигнал на входе фильтра"));
    EXPECT_DOUBLE_EQ(d->GetLimitXmin(), -2250.0);
    EXPECT_DOUBLE_EQ(d->GetLimitXmax(), 4499.1);
    EXPECT_DOUBLE_EQ(d->GetLimitYmin(), -40.0);
    EXPECT_DOUBLE_EQ(d->GetLimitYmax(), 40.0);
    EXPECT_DOUBLE_EQ(d->GetXmin(), -250.0);
    EXPECT_DOUBLE_EQ(d->GetXmax(), 500.0);
    EXPECT_DOUBLE_EQ(d->GetYmin(), source->GetYmin());
    EXPECT_DOUBLE_EQ(d->GetYmax(), source->GetYmax());
    EXPECT_EQ(d->GetBitmapX(), mark);
    EXPECT_TRUE(d->GetBitmapY().isNull());
    EXPECT_DOUBLE_EQ(window->GetInitXmin(), -250.0);
    EXPECT_DOUBLE_EQ(window->GetInitYmax(), d->GetYmax());
    // The source's own series are drawn, behind the hidden base.
    EXPECT_FALSE(d->GetKeeper(0)->IsVisible());
    EXPECT_EQ(d->GetKeeper(0)->GetNext(), source->GetKeeper(0));
    EXPECT_EQ(d->GetKeeperListLength(), 4);
    EXPECT_GT(SeriesPixels(*d), 0);
    // Not copied.
    EXPECT_EQ(d->GetFontName().pixelSize(), 16);
    EXPECT_EQ(d->GetFontName().family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(d->GetPrecisionX(), 0);
    EXPECT_TRUE(d->GetShowFeeler());
    window->ReturnLimits();
    EXPECT_FALSE(Linked());
}

// Limits left over from an earlier chart do not bend the next chart's limits.
TEST_F(Increase, LimitsOfAnEarlierSourceDoNotLeakIntoTheNext) {
    std::vector<double> other;
    auto second = MakeSource(other, QSize(400, 300));
    second->SetLimitX(5000.0, 6000.0);
    second->SetLimitX(5000.0, 6000.0);
    window->AssignDiagram(source.get());
    window->ReturnLimits();
    window->AssignDiagram(second.get());
    EXPECT_DOUBLE_EQ(window->Diagram1->GetLimitXmin(), 5000.0);
    EXPECT_DOUBLE_EQ(window->Diagram1->GetLimitXmax(), 6000.0);
    window->ReturnLimits();
}

TEST_F(Increase, ZoomAndCloseHandTheRangeBackWhileTheFrameKeepsItsInitialLimits) {
    TDiagramFrame frame;
    frame.resize(760, 250);
    frame.show();
    TDiagram* chart = frame.Diagram;
    chart->GetKeeper(0)->SetData(samples.data(), 7500, -2500.0, 4999.0);
    chart->SetRangeX(-250.0, 500.0);
    chart->SetLimitX(-2250.0, 4499.1);
    chart->AutoRangeY();
    frame.SaveInitialLimits();
    const double initYmax = frame.GetInitYmax();
    frame.SetDiagramIncrease(window.get());

    double xmax = 0, ymax = 0;
    QTimer::singleShot(0, window.get(), [&] {
        for (int i = 0; i < 5; ++i) {
            window->UpDown4Click(TArrowPair::btPrev);
            window->UpDown1Click(TArrowPair::btPrev);
        }
        xmax = window->Diagram1->GetXmax();
        ymax = window->Diagram1->GetYmax();
        window->SpeedButtonClose->click();
    });
    frame.SpeedButtonIncrease->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(Linked());
    EXPECT_DOUBLE_EQ(xmax, 450.0);
    EXPECT_DOUBLE_EQ(chart->GetXmax(), xmax);
    EXPECT_DOUBLE_EQ(chart->GetYmax(), ymax);
    EXPECT_LT(ymax, initYmax);
    EXPECT_DOUBLE_EQ(frame.GetInitXmax(), 500.0);
    EXPECT_DOUBLE_EQ(frame.GetInitYmax(), initYmax);
    // The tools follow the net that the returned range gave the chart.
    EXPECT_EQ(frame.UpDown4->pos(), QPoint(chart->Get_xe_net() - 30, chart->Get_ye_net()));
    EXPECT_EQ(frame.Panel->pos(),
              QPoint(chart->Get_xe_net() - 161 - 10, chart->Get_yb_net() + 10));
    frame.SpeedButtonRetLim->click();
    EXPECT_DOUBLE_EQ(chart->GetXmax(), 500.0);
    EXPECT_DOUBLE_EQ(chart->GetYmax(), initYmax);
}

TEST_F(Increase, ReturnToInitialLimitsAfterMovingAwayEntirely) {
    window->AssignDiagram(source.get());
    TDiagram* d = window->Diagram1;
    for (int i = 0; i < 120; ++i) {
        window->UpDown4Click(TArrowPair::btNext);
        window->UpDown3Click(TArrowPair::btNext);
    }
    ASSERT_GT(d->GetXmin(), 500.0);
    window->NRetLimit->trigger();
    EXPECT_DOUBLE_EQ(d->GetXmin(), -250.0);
    EXPECT_DOUBLE_EQ(d->GetXmax(), 500.0);
    window->ReturnLimits();
}

TEST_F(Increase, CoordinateTextRules) {
    // precision + 2 decimals, at most 5 significant digits, zero padded.
    EXPECT_EQ(TDiagramIncrease::CoordinateText(12.3456789, 0), "12.35");
    EXPECT_EQ(TDiagramIncrease::CoordinateText(12.3456789, 3), "12.34600");
    EXPECT_EQ(TDiagramIncrease::CoordinateText(-0.5, 1), "-0.500");
    EXPECT_EQ(TDiagramIncrease::CoordinateText(0.000123456, 5), "0.0001235");
    EXPECT_EQ(TDiagramIncrease::CoordinateText(4321.987, 0), "4322.00");
    EXPECT_EQ(TDiagramIncrease::CoordinateText(-0.0000001, 0), "0.00");
    EXPECT_EQ(TDiagramIncrease::CoordinateText(0.0, 7), "0.000000000");
    // Six integer digits, also by rounding up: exponent form.
    EXPECT_EQ(TDiagramIncrease::CoordinateText(123456.0, 0), "1.2346e+05");
    EXPECT_EQ(TDiagramIncrease::CoordinateText(99999.7, 0), "1.0000e+05");
    EXPECT_EQ(TDiagramIncrease::CoordinateText(99999.4, 0), "99999.00");
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    EXPECT_EQ(TDiagramIncrease::CoordinateText(12.3456789, 0), "12,35");
    EXPECT_EQ(TDiagramIncrease::CoordinateText(-123456.0, 0), "-1,2346e+05");
}

TEST_F(Increase, ReadoutInsideAndOutsideTheMargin) {
    source->SetRangeY(-1.0, 1.0);
    window->AssignDiagram(source.get());
    TDiagram* d = window->Diagram1;
    const int xb = d->Get_xb_net(), xe = d->Get_xe_net();
    const int yb = d->Get_yb_net(), ye = d->Get_ye_net();
    const int ym = (yb + ye) / 2, xm = (xb + xe) / 2;
    for (QPoint p : {QPoint(xb + 1, ym), QPoint(xe - 1, ym), QPoint(xm, yb + 1), QPoint(xm, ye - 1),
                     QPoint(xb - 30, ym), QPoint(xm, ye + 20)}) {
        EXPECT_FALSE(window->InNet(p.x(), p.y())) << p.x() << "," << p.y();
    }
    for (QPoint p :
         {QPoint(xb + 2, ym), QPoint(xe - 2, ym), QPoint(xm, yb + 2), QPoint(xm, ye - 2)}) {
        EXPECT_TRUE(window->InNet(p.x(), p.y())) << p.x() << "," << p.y();
    }
    // The real mouse path: a move over the chart reaches the readout.
    MoveMouse(d, QPoint(xb + 2, yb + 2));
    const QString corner = window->Panel2->text();
    // x: width 750 -> precision 0, two decimals; y: width 2 -> precision 1, three.
    ASSERT_EQ(d->GetPrecisionX(), 0);
    ASSERT_EQ(d->GetPrecisionY(), 1);
    QRegularExpression shape(QStringLiteral("^\\(-?\\d+\\.\\d{2}; -?\\d+\\.\\d{3}\\)$"));
    EXPECT_TRUE(shape.match(corner).hasMatch()) << corner.toStdString();
    EXPECT_EQ(corner, "(" + TDiagramIncrease::CoordinateText(d->PhisToMathX(xb + 2), 0) + "; " +
                          TDiagramIncrease::CoordinateText(d->PhisToMathY(yb + 2), 1) + ")");
    MoveMouse(d, QPoint(xb + 1, yb + 2));
    EXPECT_EQ(window->Panel2->text(), QString());
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    MoveMouse(d, QPoint(xm, ym));
    QRegularExpression comma(QStringLiteral("^\\(-?\\d+,\\d{2}; -?\\d+,\\d{3}\\)$"));
    EXPECT_TRUE(comma.match(window->Panel2->text()).hasMatch())
        << window->Panel2->text().toStdString();
    window->ReturnLimits();
}

TEST_F(Increase, NetOnlyWhileAnArrowIsHeldSeriesBackOnRelease) {
    window->AssignDiagram(source.get());
    TDiagram* d = window->Diagram1;
    window->SpeedButtonLimitClick();
    QToolButton* next = window->UpDown4->GetButton(TArrowPair::btNext);
    next->setAutoRepeatDelay(100000);
    const QPoint at = next->rect().center();

    // Button up: the series stay while the arrow is held.
    QTest::mousePress(next, Qt::LeftButton, Qt::NoModifier, at);
    window->UpDown4Click(TArrowPair::btNext);
    EXPECT_GT(SeriesPixels(*d), 0);
    QTest::mouseRelease(next, Qt::LeftButton, Qt::NoModifier, at);

    window->SpeedButton1->click();
    ASSERT_TRUE(window->SpeedButton1->isChecked());
    const double before = d->GetXmax();
    QTest::mousePress(next, Qt::LeftButton, Qt::NoModifier, at);
    for (int i = 0; i < 3; ++i) { // as the automatic repeat would
        window->UpDown4Click(TArrowPair::btNext);
        EXPECT_EQ(SeriesPixels(*d), 0);
    }
    QTest::mouseRelease(next, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_GT(SeriesPixels(*d), 0);
    EXPECT_DOUBLE_EQ(d->GetXmax(), before + 4 * 10.0); // three repeats and the click
    window->ReturnLimits();
}

TEST_F(Increase, ToolbarAndMenuTogglesStayInStep) {
    window->AssignDiagram(source.get());
    TDiagram* d = window->Diagram1;
    const auto inStep = [&](bool feeler, int arrows) {
        EXPECT_EQ(d->GetShowFeeler(), feeler);
        EXPECT_EQ(window->SpeedButtonMeasure->isChecked(), feeler);
        EXPECT_EQ(window->NMeasure->isChecked(), feeler);
        EXPECT_EQ(ArrowsShown(), arrows);
        EXPECT_EQ(window->SpeedButtonLimit->isChecked(), arrows == 4);
        EXPECT_EQ(window->NLimit->isChecked(), arrows == 4);
    };
    window->NMeasure->trigger();
    inStep(false, 0);
    window->SpeedButtonMeasure->click();
    inStep(true, 0);
    ClickMouse(d, QPoint((d->Get_xb_net() + d->Get_xe_net()) / 2, d->Get_yb_net() + 20));
    inStep(false, 0);
    window->NMeasure->trigger();
    inStep(true, 0);
    window->NLimit->trigger();
    inStep(true, 4);
    window->SpeedButtonLimit->click();
    inStep(true, 0);
    window->SpeedButtonLimit->click();
    inStep(true, 4);
    window->NLimit->trigger();
    inStep(true, 0);
    window->ReturnLimits();
}

TEST_F(Increase, FirstShowLayoutAndArrowPositionsKeptOnTheNextOpening) {
    QSize area;
    RunOpen(source.get(), [&] {
        area = window->ScrollBox1->viewport()->size();
        window->SpeedButtonLimitClick();
        window->NMeasure->trigger();
        window->SpeedButton1->click();
        window->close();
    });
    EXPECT_FALSE(window->GetFirstShow());
    TDiagram* d = window->Diagram1;
    const QRect chart(16 + 5, 5, area.width() - 16 - 20, area.height() - 16 - 10);
    EXPECT_EQ(d->geometry(), chart);
    EXPECT_EQ(window->UpDown1->pos(), QPoint(5, 5 + d->Get_yb_net()));
    EXPECT_EQ(window->UpDown2->pos(), QPoint(5, 5 + d->Get_ye_net() - 41));
    EXPECT_EQ(window->UpDown3->pos(), QPoint(chart.left() + d->Get_xb_net(), chart.bottom() + 1));
    EXPECT_EQ(window->UpDown4->pos(),
              QPoint(chart.left() + d->Get_xe_net() - 41, chart.bottom() + 1));
    const std::vector<QPoint> first = {window->UpDown1->pos(), window->UpDown2->pos(),
                                       window->UpDown3->pos(), window->UpDown4->pos()};

    // A chart with far wider labels moves the net, but not the arrows; the
    // states set at the first opening are still there.
    std::vector<double> other;
    auto second = MakeSource(other, QSize(300, 200));
    second->SetLimitY(-90000.0, 90000.0);
    second->SetRangeY(-87654.3, 76543.2);
    bool statesKept = false;
    int netLeft = 0;
    RunOpen(second.get(), [&] {
        statesKept = ArrowsShown() == 4 && window->NLimit->isChecked() && !d->GetShowFeeler() &&
                     !window->NMeasure->isChecked() && window->SpeedButton1->isChecked();
        netLeft = d->Get_xb_net();
        window->close();
    });
    EXPECT_TRUE(statesKept);
    const std::vector<QPoint> again = {window->UpDown1->pos(), window->UpDown2->pos(),
                                       window->UpDown3->pos(), window->UpDown4->pos()};
    EXPECT_EQ(again, first);
    EXPECT_NE(netLeft, first[2].x() - chart.left());
    EXPECT_EQ(d->geometry(), chart);
}

TEST_F(Increase, ExecuteWithoutAChartOrWithItsOwnShowsNothing) {
    window->Execute(window->Diagram1);
    EXPECT_EQ(window->Diagram1->GetKeeper(0)->GetNext(), nullptr);
    window->Execute(nullptr);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->GetSource(), nullptr);
    EXPECT_TRUE(window->GetFirstShow());
}

TEST_F(Increase, SaveAndCopyGoThroughTheChart) {
    window->AssignDiagram(source.get());
    QString asked;
    SaveDialogHook previous =
        SetSaveDialogHook([&](QWidget*, const TSaveRequest& request, QString&) {
            EXPECT_EQ(request.Kind, TDocumentKind::ChartPicture);
            asked = request.InitialName;
            return TSaveDialogResult::Cancelled;
        });
    window->NBmp->trigger();
    EXPECT_EQ(asked, QStringLiteral("Диаграмма.bmp"));
    asked.clear();
    window->SpeedButtonBmp->click();
    EXPECT_EQ(asked, QStringLiteral("Диаграмма.bmp"));
    SetSaveDialogHook(previous);
    window->ReturnLimits();
}

// ---- Every way out unlinks the borrowed series and returns the range.

enum class Exit { Button, Menu, TitleBar, Escape, ApplicationQuits };

class IncreaseExit : public Increase, public testing::WithParamInterface<std::tuple<Exit, bool>> {};

TEST_P(IncreaseExit, UnlinksAndReturnsTheRange) {
    const Exit exit = std::get<0>(GetParam());
    const bool windowGoesFirst = std::get<1>(GetParam());
    double zoomed = 0;
    RunOpen(source.get(), [&] {
        ASSERT_TRUE(Linked());
        window->UpDown3Click(TArrowPair::btNext);
        zoomed = window->Diagram1->GetXmin();
        switch (exit) {
        case Exit::Button:
            window->SpeedButtonClose->click();
            break;
        case Exit::Menu:
            window->NClose->trigger();
            break;
        case Exit::TitleBar:
            window->close();
            break;
        case Exit::Escape:
            QTest::keyClick(window.get(), Qt::Key_Escape);
            break;
        case Exit::ApplicationQuits:
            QCoreApplication::exit(0);
            break;
        }
    });
    if (exit == Exit::ApplicationQuits) {
        // Leave the application able to run modal loops for the next tests.
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
    }
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(Linked());
    EXPECT_DOUBLE_EQ(zoomed, -240.0);
    EXPECT_DOUBLE_EQ(source->GetXmin(), zoomed);
    EXPECT_EQ(source->GetKeeperListLength(), 3);
    // Whichever goes first, each series is released once, by its own chart.
    if (windowGoesFirst) {
        window.reset();
        source->ShowDiagram();
        source.reset();
    } else {
        source.reset();
        window->Diagram1->ShowDiagram();
        window.reset();
    }
}

INSTANTIATE_TEST_SUITE_P(Ways, IncreaseExit,
                         testing::Combine(testing::Values(Exit::Button, Exit::Menu, Exit::TitleBar,
                                                          Exit::Escape, Exit::ApplicationQuits),
                                          testing::Bool()));

TEST_F(Increase, WindowDestroyedWhileOpen) {
    TDiagramIncrease* raw = window.release();
    QTimer::singleShot(0, [raw] { delete raw; });
    raw->Execute(source.get());
    source->ShowDiagram();
    EXPECT_EQ(source->GetKeeperListLength(), 3);
    source.reset();
}

TEST_F(Increase, SourceDestroyedWhileOpenOrAfterClosing) {
    RunOpen(source.get(), [&] {
        source.reset();
        EXPECT_FALSE(Linked());
        window->Diagram1->ShowDiagram();
        window->close();
    });
    EXPECT_EQ(window->GetSource(), nullptr);
    std::vector<double> other;
    auto second = MakeSource(other, QSize(500, 300));
    RunOpen(second.get(), [&] { window->close(); });
    second.reset();
    EXPECT_EQ(window->GetSource(), nullptr);
    window->ReturnLimits();
    window->Diagram1->ShowDiagram();
}

TEST_F(Increase, OpensAgainAfterAnApplicationQuit) {
    // After an application quit during a modal loop, the next opening runs
    // its own loop as usual.
    bool ran = false;
    RunOpen(source.get(), [&] {
        ran = true;
        window->close();
    });
    EXPECT_TRUE(ran);
}

} // namespace
