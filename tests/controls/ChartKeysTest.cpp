// The charts by keyboard: focus by Tab with its frame (never in a picture),
// the crosshair stepped by samples or pixels with its exact reading, the
// initial limits, the pop-up menus of the frame and of the enlarged window,
// and the names that assistive tools read.

#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "WindowTestUtil.h"
#include "base/MessageHook.h"
#include "chart/ChartCsv.h"
#include "files/SaveAs.h"
#include "chart/TDiagram.h"
#include "controls/TChartKeys.h"
#include "controls/TCoordinateReadout.h"
#include "controls/TDiagramFrame.h"
#include "controls/TDiagramIncrease.h"

namespace {

constexpr int kCount = 7500;

QString NameOf(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    return a != nullptr ? a->text(QAccessible::Name) : QString();
}

QImage Rgb(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

// A window like the charts page: a text field, a frame of 760 x 250 with the
// bench's run of 1 ms samples (-2500 .. 4999 ms, shown from -250 to 500), and
// a button, in this order of focus.
class Keys : public testing::Test {
  protected:
    void SetUp() override {
        for (int i = 0; i < kCount; ++i) {
            samples[i] = std::sin(i * 0.01) * 40.0 + 50.0;
        }
        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        field = new QLineEdit;
        frame = new TDiagramFrame;
        frame->setFixedSize(760, 250);
        button = new QPushButton(QStringLiteral("Пуск"));
        layout->addWidget(field);
        layout->addWidget(frame);
        layout->addWidget(button);
        d = frame->Diagram;
        {
            TDiagramBatch batch(*d);
            d->GetKeeper(0)->SetData(samples, kCount, -2500.0, 4999.0);
            d->SetRangeX(-250.0, 500.0);
            d->SetLimitX(-2250.0, 4499.1);
            d->AutoRangeY();
        }
        frame->SaveInitialLimits();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(d, key, modifiers);
    }
    // The reading of sample n: its argument in ms and its value.
    QString Reading(int n) const { return ValueText(*d, n - 2500.0, samples[n]); }

    double samples[kCount];
    std::unique_ptr<QWidget> window;
    QLineEdit* field = nullptr;
    TDiagramFrame* frame = nullptr;
    QPushButton* button = nullptr;
    TDiagram* d = nullptr;
    MessageRecorder messages;
};

TEST_F(Keys, TabReachesTheChartWhichShowsItsToolsAndAFocusFrameOnScreenOnly) {
    field->setFocus();
    const QImage picture = d->GetPicture();
    const QImage rendered = d->RenderPicture(1.0);
    d->CopyToClipboard();
    const QImage copied = Rgb(QGuiApplication::clipboard()->image());
    const QColor highlight = d->palette().color(QPalette::Highlight);
    const QImage plain = d->grab().toImage();
    EXPECT_NE(plain.pixelColor(0, 0), highlight);

    QTest::keyClick(field, Qt::Key_Tab);
    ASSERT_TRUE(d->hasFocus());
    EXPECT_FALSE(frame->Panel->isHidden());
    // On screen the chart's edges carry the frame, two pixels wide ...
    const QImage shown = d->grab().toImage();
    for (const QPoint p : {QPoint(0, 0), QPoint(1, 1), QPoint(d->width() / 2, 1),
                           QPoint(d->width() - 1, d->height() / 2), QPoint(3, d->height() - 2)}) {
        EXPECT_EQ(shown.pixelColor(p), highlight) << p.x() << "," << p.y();
    }
    EXPECT_EQ(shown.pixelColor(2, d->height() / 2), plain.pixelColor(2, d->height() / 2));
    // ... and no picture of it does: not the chart's own, not one drawn
    // afresh, not the copy by the tool or by Ctrl+C.
    EXPECT_EQ(d->GetPicture(), picture);
    EXPECT_EQ(d->RenderPicture(1.0), rendered);
    QGuiApplication::clipboard()->clear();
    Press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Rgb(QGuiApplication::clipboard()->image()), copied);

    // Tab on: the tools go with the focus, and so does the frame.
    Press(Qt::Key_Tab);
    EXPECT_TRUE(button->hasFocus());
    EXPECT_TRUE(frame->Panel->isHidden());
    EXPECT_EQ(d->grab().toImage(), plain);
    // Back with Shift+Tab, though a right press had locked the tools.
    frame->DiagramMouseDown(d, Qt::RightButton, Qt::NoModifier, 0, 0);
    ASSERT_TRUE(frame->GetToolsLocked());
    QTest::keyClick(button, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_TRUE(d->hasFocus());
    EXPECT_FALSE(frame->GetToolsLocked());
    EXPECT_FALSE(frame->Panel->isHidden());
}

TEST_F(Keys, FocusByAClickKeepsTheLockOfTheRightPress) {
    const QPoint p((d->Get_xb_net() + d->Get_xe_net()) / 2,
                   (d->Get_yb_net() + d->Get_ye_net()) / 2);
    QTest::mousePress(window->windowHandle(), Qt::RightButton, Qt::NoModifier,
                      d->mapTo(window.get(), p));
    EXPECT_TRUE(d->hasFocus());
    EXPECT_TRUE(frame->GetToolsLocked());
    EXPECT_TRUE(frame->Panel->isHidden());
    frame->PopupMenu->hide();
    MoveMouse(d, p);
    EXPECT_TRUE(frame->Panel->isHidden());
}

TEST_F(Keys, EnterTogglesTheCrosshairAndArrowsStepItBySamplesWithTheirReading) {
    d->setFocus(Qt::TabFocusReason);
    // Off, the arrows do nothing.
    Press(Qt::Key_Right);
    EXPECT_FALSE(d->GetFeelerDrawn());

    // On, at the sample in the middle of the range (125 ms), on the curve.
    Press(Qt::Key_Return);
    ASSERT_TRUE(d->GetShowFeeler());
    EXPECT_TRUE(frame->SpeedButtonMeasure->isChecked());
    ASSERT_TRUE(d->GetFeelerDrawn());
    EXPECT_EQ(frame->Keys->GetSample(), 2625);
    EXPECT_EQ(frame->Readout->text(), Reading(2625));
    EXPECT_FALSE(frame->Readout->isHidden());
    EXPECT_EQ(d->GetFeelerX(), d->MathToPhisX(125.0));
    EXPECT_EQ(d->GetFeelerY(), d->MathToPhisY(samples[2625]));

    // One millisecond, ten with Shift; back again.
    Press(Qt::Key_Right);
    EXPECT_EQ(frame->Readout->text(), Reading(2626));
    Press(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(frame->Readout->text(), Reading(2636));
    Press(Qt::Key_Left);
    EXPECT_EQ(frame->Readout->text(), Reading(2635));
    EXPECT_EQ(d->GetFeelerY(), d->MathToPhisY(samples[2635]));

    // Where ten samples share a pixel column, each step is still one sample.
    d->SetRangeX(-2250.0, 4499.0);
    Press(Qt::Key_Right);
    const long long n = frame->Keys->GetSample();
    for (int i = 1; i <= 12; ++i) {
        Press(Qt::Key_Right);
        EXPECT_EQ(frame->Keys->GetSample(), n + i);
    }
    EXPECT_EQ(frame->Readout->text(), Reading(static_cast<int>(n) + 12));

    // The steps stop at the first sample inside the net.
    d->SetRangeX(-250.0, 500.0);
    for (int i = 0; i < 60; ++i) {
        Press(Qt::Key_Left, Qt::ShiftModifier);
    }
    const long long first = frame->Keys->GetSample();
    EXPECT_GT(d->GetFeelerX(), d->Get_xb_net());
    EXPECT_LE(d->MathToPhisX(first - 1 - 2500.0), d->Get_xb_net());
    EXPECT_LT(first, 2260);

    // Space switches it off, as Enter does.
    Press(Qt::Key_Space);
    EXPECT_FALSE(d->GetShowFeeler());
    EXPECT_FALSE(d->GetFeelerDrawn());
    EXPECT_FALSE(frame->SpeedButtonMeasure->isChecked());
    EXPECT_TRUE(frame->Readout->isHidden());
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(Keys, UpAndDownTakeTheOtherSeriesAtTheSameArgument) {
    std::vector<double> other(kCount, 10.0);
    for (int i = 0; i < kCount; ++i) {
        other[i] = 10.0 + i % 7;
    }
    TKeeper* second = d->PNewKeeper();
    second->CopyData(other.data(), kCount, -2500.0, 4999.0);
    d->setFocus(Qt::TabFocusReason);
    Press(Qt::Key_Enter);
    Press(Qt::Key_Right);
    EXPECT_EQ(frame->Keys->CurrentSeries(), d->GetKeeper(0));
    Press(Qt::Key_Down);
    EXPECT_EQ(frame->Keys->CurrentSeries(), second);
    EXPECT_EQ(frame->Readout->text(), ValueText(*d, 126.0, other[2626]));
    Press(Qt::Key_Down); // no third
    Press(Qt::Key_Right);
    EXPECT_EQ(frame->Readout->text(), ValueText(*d, 127.0, other[2627]));
    Press(Qt::Key_Up);
    EXPECT_EQ(frame->Readout->text(), Reading(2627));
    // Leaving by Tab takes the crosshair away; back, the first arrow draws
    // it where it stood.
    Press(Qt::Key_Tab);
    EXPECT_FALSE(d->GetFeelerDrawn());
    EXPECT_TRUE(frame->Readout->isHidden());
    QTest::keyClick(button, Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_TRUE(d->hasFocus());
    Press(Qt::Key_Left);
    EXPECT_EQ(frame->Readout->text(), Reading(2627));
    // A hidden series is passed over.
    d->GetKeeper(0)->Hide();
    EXPECT_EQ(frame->Keys->CurrentSeries(), second);
}

TEST_F(Keys, WithoutSamplesInViewTheCrosshairStepsByPixels) {
    d->GetKeeper(0)->Clear(); // no stored samples at all
    d->setFocus(Qt::TabFocusReason);
    Press(Qt::Key_Return);
    ASSERT_TRUE(d->GetFeelerDrawn());
    EXPECT_EQ(frame->Keys->GetSample(), -1);
    const int x = d->GetFeelerX();
    const int y = d->GetFeelerY();
    EXPECT_EQ(y, (d->Get_yb_net() + d->Get_ye_net()) / 2);
    Press(Qt::Key_Right);
    EXPECT_EQ(d->GetFeelerX(), x + 1);
    Press(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(d->GetFeelerX(), x - 9);
    EXPECT_EQ(d->GetFeelerY(), y);
    EXPECT_EQ(frame->Readout->text(), PointText(*d, x - 9, y));
    for (int i = 0; i < 200; ++i) {
        Press(Qt::Key_Right, Qt::ShiftModifier);
    }
    EXPECT_EQ(d->GetFeelerX(), d->Get_xe_net() - 1);
}

TEST_F(Keys, HomeReturnsTheInitialLimitsWithTheCrosshairWhereItWas) {
    d->setFocus(Qt::TabFocusReason);
    Press(Qt::Key_Return);
    Press(Qt::Key_Right);
    frame->SpeedButtonLim->click();
    QToolButton* narrower = frame->UpDown4->GetButton(TArrowPair::btPrev);
    QTest::mouseClick(narrower, Qt::LeftButton);
    QTest::mouseClick(narrower, Qt::LeftButton);
    ASSERT_EQ(d->GetXmax(), 480.0);
    Press(Qt::Key_Home);
    EXPECT_EQ(d->GetXmin(), -250.0);
    EXPECT_EQ(d->GetXmax(), 500.0);
    EXPECT_EQ(d->GetYmin(), frame->GetInitYmin());
    EXPECT_EQ(d->GetYmax(), frame->GetInitYmax());
    ASSERT_TRUE(d->GetFeelerDrawn());
    EXPECT_EQ(frame->Keys->GetSample(), 2626);
    EXPECT_EQ(frame->Readout->text(), Reading(2626));
}

TEST_F(Keys, ShiftF10AndTheMenuKeyOpenThePopupMenuAtTheCrosshairOrTheCentre) {
    TDiagramIncrease increase;
    frame->SetDiagramIncrease(&increase);
    d->setFocus(Qt::TabFocusReason);
    QMenu* menu = frame->PopupMenu;
    Press(Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->pos(), d->mapToGlobal(d->rect().center()) + QPoint(2, 2));
    EXPECT_EQ(menu->activeAction(), frame->NCopy);
    EXPECT_TRUE(frame->NIncrease->isEnabled());
    QTest::keyClick(menu, Qt::Key_Escape);
    EXPECT_FALSE(menu->isVisible());
    // The context-menu event of the platform's menu key goes the same way,
    // wherever it says it was made.
    QContextMenuEvent fromKey(QContextMenuEvent::Keyboard, QPoint(1, 1),
                              d->mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(d, &fromKey);
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->pos(), d->mapToGlobal(d->rect().center()) + QPoint(2, 2));
    menu->hide();

    Press(Qt::Key_Return);
    Press(Qt::Key_Right);
    Press(Qt::Key_Menu);
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->pos(), d->mapToGlobal(QPoint(d->GetFeelerX(), d->GetFeelerY())) + QPoint(2, 2));
    // The keys choose and take an item: the enlarged window opens for the chart.
    bool opened = false;
    QTimer::singleShot(0, &increase, [&] {
        opened = increase.isVisible() && increase.GetSource() == d;
        increase.close();
    });
    menu->setActiveAction(frame->NIncrease);
    QTest::keyClick(menu, Qt::Key_Return);
    EXPECT_TRUE(opened);
    EXPECT_FALSE(menu->isVisible());
    frame->SetDiagramIncrease(nullptr);
}

TEST_F(Keys, ToolsArrowsAndChartsHaveNamesForAssistiveTools) {
    EXPECT_EQ(NameOf(frame->SpeedButtonMeasure), "Измерения");
    EXPECT_EQ(NameOf(frame->SpeedButtonLim), "Пределы");
    EXPECT_EQ(NameOf(frame->SpeedButtonRetLim), "Исходные пределы");
    EXPECT_EQ(NameOf(frame->SpeedButtonIncrease), "Увеличение");
    EXPECT_EQ(NameOf(frame->SpeedButtonSave), "Сохранить рисунок");
    EXPECT_EQ(NameOf(frame->SpeedButtonCopy), "Копировать в буфер обмена");
    EXPECT_EQ(NameOf(frame->UpDown1->GetButton(TArrowPair::btNext)),
              "Верхний предел по оси Y вверх");
    EXPECT_EQ(NameOf(frame->UpDown2->GetButton(TArrowPair::btPrev)), "Нижний предел по оси Y вниз");
    EXPECT_EQ(NameOf(frame->UpDown3->GetButton(TArrowPair::btPrev)),
              "Нижний предел по оси X влево");
    EXPECT_EQ(NameOf(frame->UpDown4->GetButton(TArrowPair::btNext)),
              "Верхний предел по оси X вправо");
    EXPECT_EQ(NameOf(frame->UpDown4), "Верхний предел по оси X");

    // The chart is named by its title, and follows it.
    d->SetNameDiagram(QStringLiteral("Сигнал на входе фильтра"));
    EXPECT_EQ(NameOf(d), "Сигнал на входе фильтра");
    QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(d);
    ASSERT_NE(chart, nullptr);
    EXPECT_TRUE(chart->text(QAccessible::Description).contains("Shift+F10"));

    TDiagramIncrease increase;
    EXPECT_EQ(NameOf(increase.SpeedButton1), "Не показывать график при изменении пределов");
    EXPECT_EQ(NameOf(increase.SpeedButtonBmp), "Сохранить как рисунок");
    EXPECT_EQ(NameOf(increase.SpeedButtonClose), "Закрыть");
    EXPECT_EQ(NameOf(increase.UpDown1->GetButton(TArrowPair::btPrev)),
              "Верхний предел по оси Y вниз");
    increase.AssignDiagram(d);
    EXPECT_EQ(NameOf(increase.Diagram1), "Сигнал на входе фильтра");
    increase.ReturnLimits();
}

// The chart's focus goes while the window is destroyed, after the frame's
// own part (which the sanitizer build would catch being used).
TEST(ChartKeysLifetime, WindowsDestroyedWhileTheirChartHasTheFocus) {
    auto frame = std::make_unique<TDiagramFrame>();
    frame->show();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    frame->Diagram->setFocus(Qt::TabFocusReason);
    QTest::keyClick(frame->Diagram, Qt::Key_Return);
    ASSERT_TRUE(frame->Diagram->hasFocus());
    frame.reset();

    auto increase = std::make_unique<TDiagramIncrease>();
    increase->show();
    increase->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(increase.get()));
    QTest::keyClick(increase->Diagram1, Qt::Key_Right);
    ASSERT_TRUE(increase->Diagram1->hasFocus());
    increase.reset();
}

// ---- The enlarged window

class IncreaseKeys : public Keys {
  protected:
    // Opens the enlarged window from the frame and runs action inside it; a
    // guard closes the window should the action leave it open.
    void RunOpen(const std::function<void(TDiagramIncrease&)>& action) {
        QTimer::singleShot(0, &increase, [&] {
            ASSERT_TRUE(QTest::qWaitForWindowActive(&increase));
            action(increase);
        });
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [&] {
            ADD_FAILURE() << "the window stayed open";
            increase.close();
        });
        guard.start(10000);
        frame->SetDiagramIncrease(&increase);
        frame->SpeedButtonIncreaseClick();
    }

    TDiagramIncrease increase;
};

TEST_F(IncreaseKeys, TheChartHasTheFocusAndTheKeys) {
    RunOpen([&](TDiagramIncrease& w) {
        TDiagram* big = w.Diagram1;
        EXPECT_TRUE(big->hasFocus());
        // Its crosshair is on from the start: the first arrow draws it.
        QTest::keyClick(big, Qt::Key_Right);
        ASSERT_TRUE(big->GetFeelerDrawn());
        EXPECT_EQ(w.Keys->GetSample(), 2625);
        QTest::keyClick(big, Qt::Key_Right, Qt::ShiftModifier);
        EXPECT_EQ(w.Panel2->text(), ValueText(*big, 135.0, samples[2635]));
        QTest::keyClick(big, Qt::Key_Enter);
        EXPECT_FALSE(big->GetShowFeeler());
        EXPECT_FALSE(w.SpeedButtonMeasure->isChecked());
        EXPECT_FALSE(w.NMeasure->isChecked());
        QTest::keyClick(big, Qt::Key_Enter);
        EXPECT_TRUE(w.NMeasure->isChecked());
        w.UpDown3Click(TArrowPair::btNext);
        ASSERT_GT(big->GetXmin(), -250.0);
        QTest::keyClick(big, Qt::Key_Home);
        EXPECT_EQ(big->GetXmin(), -250.0);
        QTest::keyClick(big, Qt::Key_F10, Qt::ShiftModifier);
        EXPECT_TRUE(w.PopupMenu->isVisible());
        EXPECT_EQ(w.PopupMenu->activeAction(), w.NCopy);
        w.PopupMenu->hide();
        w.close();
    });
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(IncreaseKeys, RightPressOpensThePopupMenuWhichSavesTheVisibleRange) {
    QTemporaryDir dir;
    const QString name = dir.filePath("big.csv");
    RunOpen([&](TDiagramIncrease& w) {
        // The host's own item goes behind the window's.
        QAction* hosts = w.PopupMenu->addAction(QStringLiteral("Запомнить выход"));
        TDiagram* big = w.Diagram1;
        big->SetRangeX(0.0, 20.0);
        QWindow* win = w.windowHandle();
        const QPoint p = big->mapTo(&w, QPoint((big->Get_xb_net() + big->Get_xe_net()) / 2,
                                               (big->Get_yb_net() + big->Get_ye_net()) / 2));
        QTest::mousePress(win, Qt::RightButton, Qt::NoModifier, p);
        ASSERT_TRUE(w.PopupMenu->isVisible());
        const QList<QAction*> items = w.PopupMenu->actions();
        EXPECT_EQ(items, QList<QAction*>({w.NCopy, w.NBmp, w.NSaveData, hosts}));
        EXPECT_EQ(w.NSaveData->text(), "Сохранить данные…");
        EXPECT_TRUE(w.NSaveData->isEnabled());
        QTest::mouseRelease(win, Qt::RightButton, Qt::NoModifier, p);

        // The data: the enlarged chart's range, in the frame's columns.
        SaveDialogHook previous =
            SetSaveDialogHook([&](QWidget*, const TSaveRequest& request, QString& n) {
                EXPECT_EQ(request.InitialName, "Диаграмма.csv");
                n = name;
                return TSaveDialogResult::Accepted;
            });
        QTest::mousePress(win, Qt::RightButton, Qt::NoModifier, p);
        QTest::mouseClick(w.PopupMenu, Qt::LeftButton, Qt::NoModifier,
                          w.PopupMenu->actionGeometry(w.NSaveData).center());
        SetSaveDialogHook(previous);
        w.close();
    });
    QFile saved(name);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const std::string csv = saved.readAll().toStdString();
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 22); // header, 0 .. 20 ms
    EXPECT_EQ(d->GetXmax(), 20.0); // and the frame's chart got the range back
    // What the frame's chart writes over that range, to the byte.
    EXPECT_EQ(csv, ChartCsv(*d));
}

TEST_F(IncreaseKeys, SeriesAddedToTheSourceShowAtOnce) {
    std::vector<double> kept(samples, samples + kCount);
    RunOpen([&](TDiagramIncrease& w) {
        QSignalSpy drawn(w.Diagram1, &TDiagram::Drawn);
        // As the host's «Запомнить выход» does: a series more on the source,
        // which the source draws.
        d->PNewKeeper()->CopyData(kept.data(), kCount, -2500.0, 4999.0);
        d->ShowDiagram();
        EXPECT_EQ(drawn.count(), 1);
        QTest::keyClick(w.Diagram1, Qt::Key_Right);
        QTest::keyClick(w.Diagram1, Qt::Key_Down);
        EXPECT_EQ(w.Keys->CurrentSeries(), d->GetKeeper(1));
        w.close();
    });
    // Closed, the window no longer follows the source.
    QSignalSpy drawn(increase.Diagram1, &TDiagram::Drawn);
    d->ShowDiagram();
    EXPECT_EQ(drawn.count(), 0);
}

} // namespace
