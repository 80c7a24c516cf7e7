// The main window: the three views of each choice agreeing, Start and
// Measurement, the parameter fields, the charts' tools, and ending cleanly.

#include <QActionGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <stdexcept>

#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "app/SchemePicture.h"
#include "app/BusyCursor.h"
#include "app/TLabApplication.h"
#include "bench/BenchSamples.h"
#include "chart/TDiagram.h"
#include "controls/TDiagramFrame.h"
#include "controls/TDiagramIncrease.h"
#include "controls/TEditFloat.h"
#include "controls/TImage.h"

namespace {

class MainWindow : public testing::Test, public FormFixture {
  protected:
    TForm1& f() { return *form; }

    // A choice made in a combo box as the user makes it.
    void Choose(QComboBox* box, int item) {
        box->setCurrentIndex(item);
        emit box->activated(item);
    }

    // The scheme picture the configuration asks for.
    TImage* ExpectedImage(int signal, int noise) {
        if (signal == siOff) {
            return noise == niOn ? f().Image3 : f().Image4;
        }
        return noise == niOn ? f().Image2 : f().Image1;
    }

    // Every view of the signal, noise and filter choice says the same.
    void ExpectAgreement() {
        const int s = f().ComboBox1->currentIndex();
        const int n = f().ComboBox3->currentIndex();
        const int k = f().ComboBox2->currentIndex();
        SCOPED_TRACE(testing::Message() << "signal " << s << " noise " << n << " filter " << k);
        QAction* signalItems[][3] = {{f().N10, f().N11, f().N12}, {f().N29, f().N30, f().N31}};
        QAction* noiseItems[][2] = {{f().N15, f().N16}, {f().N34, f().N35}};
        QAction* filterItems[][5] = {{f().N19, f().N20, f().N21, f().N22, f().N23},
                                     {f().N38, f().N39, f().N40, f().N110, f().N41}};
        for (int menu = 0; menu < 2; ++menu) {
            for (int i = 0; i < 3; ++i) {
                EXPECT_EQ(signalItems[menu][i]->isChecked(), i == s) << menu << " " << i;
            }
            for (int i = 0; i < 2; ++i) {
                EXPECT_EQ(noiseItems[menu][i]->isChecked(), i == n) << menu << " " << i;
            }
            for (int i = 0; i < 5; ++i) {
                EXPECT_EQ(filterItems[menu][i]->isChecked(), i == k) << menu << " " << i;
            }
        }
        EXPECT_EQ(f().ShownImage(), ExpectedImage(s, n));
        int shown = 0;
        for (TImage* image : {f().Image1, f().Image2, f().Image3, f().Image4}) {
            shown += image->isHidden() ? 0 : 1;
        }
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(f().BitBtn3->isEnabled(), s == siOff && n == niOn);
        EXPECT_EQ(SignalGenerator.Kind, s == siDelta ? skDelta : s == siRectangle ? skRectangle
                                                                                  : skOff);
        EXPECT_EQ(!f().EditFloat2->isHidden(), k == fiMafNotIdeal);
        EXPECT_EQ(!f().Label1->isHidden(), k == fiMafNotIdeal);
        EXPECT_EQ(!f().EditFloat3->isHidden(), k == fiLowBand1);
        EXPECT_EQ(!f().Label2->isHidden(), k == fiLowBand1);
        EXPECT_EQ(!f().EditFloat4->isHidden(), k == fiChebishev);
        EXPECT_EQ(!f().Label3->isHidden(), k == fiChebishev);
        EXPECT_EQ(form2->ShownImage(), form2->Images()[k]);
        // Before the first filter change the window keeps its own caption.
        if (form2->windowTitle() != "Согласованный фильтр для прямоугольного импульса" || k != 0) {
            EXPECT_EQ(form2->windowTitle(), f().ComboBox2->itemText(k));
        }
    }

    TDiagram* Input() { return f().DiagramFrame1->Diagram; }
    TDiagram* Output() { return f().DiagramFrame2->Diagram; }
};

TEST_F(MainWindow, StartsWithDeltaImpulseNoNoiseFirstFilterAndEmptyCharts) {
    EXPECT_EQ(f().ComboBox1->currentIndex(), 0);
    EXPECT_EQ(f().ComboBox2->currentIndex(), 0);
    EXPECT_EQ(f().ComboBox3->currentIndex(), 0);
    EXPECT_EQ(f().ShownImage(), f().Image1);
    EXPECT_FALSE(f().BitBtn3->isEnabled());
    EXPECT_EQ(f().StaticText1->text(), "0");
    EXPECT_EQ(f().EditFloat1->text(), "1");
    EXPECT_EQ(f().EditFloat1->GetVal(), 1.0);
    EXPECT_EQ(f().EditFloat1->maxLength(), 7);
    for (QWidget* w : std::initializer_list<QWidget*>{f().Label1, f().Label2, f().Label3,
                                                      f().EditFloat2, f().EditFloat3,
                                                      f().EditFloat4}) {
        EXPECT_TRUE(w->isHidden()) << w->objectName().toStdString();
    }
    EXPECT_EQ(f().PageControl1->currentIndex(), 0);
    EXPECT_EQ(Input()->GetKeeper(0)->GetCount(), 0);
    for (QAction* a : {f().N10, f().N15, f().N19, f().N29, f().N34, f().N38}) {
        EXPECT_TRUE(a->isChecked()) << a->objectName().toStdString();
    }
    // The description window before any filter change.
    EXPECT_EQ(form2->windowTitle(), "Согласованный фильтр для прямоугольного импульса");
    EXPECT_EQ(form2->ShownImage(), form2->Image1);
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(MainWindow, ComponentsSitAtTheirPlaces) {
    EXPECT_EQ(f().PageControl1->size(), QSize(784, 542));
    EXPECT_EQ(f().Panel1->geometry(), QRect(0, 0, 777, 313));
    for (TImage* image : {f().Image1, f().Image2, f().Image3, f().Image4}) {
        EXPECT_EQ(image->geometry(), QRect(16, 8, 740, 300));
        EXPECT_EQ(image->GetPicture().size(), QSize(740, 300));
    }
    EXPECT_EQ(f().BitBtn1->geometry(), QRect(16, 448, 161, 41));
    EXPECT_EQ(f().BitBtn2->geometry(), QRect(264, 57, 105, 25));
    EXPECT_EQ(f().BitBtn3->geometry(), QRect(264, 24, 105, 25));
    EXPECT_EQ(f().StaticText1->geometry(), QRect(8, 24, 201, 21));
    EXPECT_EQ(f().GroupBox4->geometry(), QRect(376, 432, 393, 73));
    EXPECT_EQ(f().EditFloat1->geometry(), QRect(16, 28, 153, 21));
    EXPECT_EQ(f().EditFloat2->geometry(), QRect(10, 70, 200, 21));
    EXPECT_EQ(f().DiagramFrame1->geometry(), QRect(8, 0, 760, 250));
    EXPECT_EQ(f().DiagramFrame2->geometry(), QRect(8, 260, 760, 250));
    EXPECT_EQ(f().ComboBox2->pos(), QPoint(8, 20));
    EXPECT_EQ(f().ComboBox2->width(), 377);
    // Fixed size, minimise but no maximise button.
    f().FitToScreen(QSize(1280, 1024), QRect(0, 0, 1280, 1024));
    EXPECT_EQ(f().minimumSize(), f().maximumSize());
    EXPECT_FALSE(f().windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(f().windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST_F(MainWindow, EveryHandlerLeavesCombosMenusPictureAndButtonInStep) {
    // Each step is one user action; after each, all views must agree.
    const std::vector<std::function<void()>> steps = {
        [&] { Choose(f().ComboBox1, siOff); },
        [&] { Choose(f().ComboBox3, niOn); },
        [&] { f().N35->trigger(); },
        [&] { f().N15->trigger(); },
        [&] { f().N29->trigger(); },
        [&] { f().N16->trigger(); },
        [&] { f().N11->trigger(); },
        [&] { f().N31->trigger(); },
        [&] { f().N34->trigger(); },
        [&] { f().N10->trigger(); },
        [&] { f().N12->trigger(); },
        [&] { f().N30->trigger(); },
        [&] { Choose(f().ComboBox1, siDelta); },
        [&] { Choose(f().ComboBox2, fiLowBand1); },
        [&] { f().N20->trigger(); },
        [&] { f().N41->trigger(); },
        [&] { f().N110->trigger(); },
        [&] { f().N21->trigger(); },
        [&] { f().N39->trigger(); },
        [&] { f().N22->trigger(); },
        [&] { f().N40->trigger(); },
        [&] { f().N23->trigger(); },
        [&] { f().N38->trigger(); },
        [&] { f().N19->trigger(); },
        [&] { Choose(f().ComboBox2, fiChebishev); },
        [&] { Choose(f().ComboBox3, niOff); },
    };
    for (size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "step " << i);
        steps[i]();
        ExpectAgreement();
    }
    // Every combination, and what it leaves to measure.
    for (int s = 0; s < 3; ++s) {
        for (int n = 0; n < 2; ++n) {
            Choose(f().ComboBox1, s);
            Choose(f().ComboBox3, n);
            ExpectAgreement();
            EXPECT_EQ(f().ShownImage()->GetPicture(),
                      TImage::RenderPicture(QSize(SchemeWidth, SchemeHeight), 1.0,
                                            [&](QPainter& p) {
                                                PaintScheme(p, SchemeSwitchesOfImage(
                                                                   s == siOff ? 4 - n : 1 + n));
                                            }));
        }
    }
}

TEST_F(MainWindow, PopupNoiseItemChecksMainMenuSetsComboAndPicture) {
    f().N35->trigger();
    EXPECT_TRUE(f().N16->isChecked());
    EXPECT_FALSE(f().N15->isChecked());
    EXPECT_EQ(f().ComboBox3->currentText(), "Подключен");
    EXPECT_EQ(f().ShownImage(), f().Image2);
    // Signal off with the noise on is the only measurable configuration.
    f().N12->trigger();
    EXPECT_EQ(f().ShownImage(), f().Image3);
    EXPECT_TRUE(f().BitBtn3->isEnabled());
    f().N34->trigger();
    EXPECT_EQ(f().ShownImage(), f().Image4);
    EXPECT_FALSE(f().BitBtn3->isEnabled());
}

TEST_F(MainWindow, MenuChoiceRecomputesOnlyOnTheChartsPage) {
    InputSamples[PreRollLength] = 12345.0;
    f().N11->trigger();
    EXPECT_EQ(InputSamples[PreRollLength], 12345.0);
    EXPECT_EQ(Input()->GetKeeper(0)->GetCount(), 0);
    EXPECT_EQ(f().PageControl1->currentIndex(), 0);

    f().PageControl1->setCurrentIndex(1);
    f().N23->trigger();
    // The rectangular impulse through the flat low-pass, shown at once.
    EXPECT_EQ(InputSamples[PreRollLength], 1.0);
    EXPECT_EQ(InputSamples[PreRollLength + PulseLength], 0.0);
    EXPECT_EQ(Input()->GetKeeper(0)->GetCount(), RunSamples);
    InputSamples[PreRollLength] = 12345.0;
    Choose(f().ComboBox1, siOff); // the combo box itself never starts a run
    EXPECT_EQ(InputSamples[PreRollLength], 12345.0);
    f().N16->trigger();
    EXPECT_NE(InputSamples[PreRollLength], 12345.0);
}

TEST_F(MainWindow, StartShowsTheRunOnBothChartsAndTurnsToThem) {
    f().StaticText1->setText("12,34");
    const int cursors = OverrideCursorDepth();
    f().BitBtn1Click();
    EXPECT_EQ(OverrideCursorDepth(), cursors);
    EXPECT_EQ(f().StaticText1->text(), "0");
    EXPECT_EQ(f().PageControl1->currentIndex(), 1);
    for (TDiagram* d : {Input(), Output()}) {
        EXPECT_EQ(d->GetKeeper(0)->GetCount(), RunSamples);
        EXPECT_TRUE(d->GetKeeper(0)->IsVisible());
        EXPECT_DOUBLE_EQ(d->GetXmin(), -250.0);
        EXPECT_DOUBLE_EQ(d->GetXmax(), 500.0);
        EXPECT_DOUBLE_EQ(d->GetLimitXmin(), -2250.0);
        EXPECT_DOUBLE_EQ(d->GetLimitXmax(), 4499.1);
    }
    EXPECT_DOUBLE_EQ(f().DiagramFrame1->GetInitXmin(), -250.0);
    EXPECT_DOUBLE_EQ(f().DiagramFrame2->GetInitYmax(), Output()->GetYmax());
    // A zoom is discarded by the next run.
    Input()->SetRangeX(0.0, 10.0);
    f().BitBtn1Click();
    EXPECT_DOUBLE_EQ(Input()->GetXmin(), -250.0);
}

TEST_F(MainWindow, OutputUpperBoundIsAtLeast100ExceptForTheDeltaImpulse) {
    struct Case {
        int signal, noise;
        bool fromData;
    };
    for (const Case c : {Case{siOff, niOff, false}, Case{siOff, niOn, false},
                         Case{siRectangle, niOff, false}, Case{siDelta, niOff, true}}) {
        SCOPED_TRACE(testing::Message() << c.signal << " " << c.noise);
        Choose(f().ComboBox1, c.signal);
        Choose(f().ComboBox3, c.noise);
        f().BitBtn1Click();
        if (c.fromData) {
            // The matched filter's answer to the unit delta is 1 mV high.
            EXPECT_LT(Output()->GetYmax(), 100.0);
            EXPECT_GE(Output()->GetYmax(), 1.0);
        } else {
            EXPECT_GE(Output()->GetYmax(), 100.0);
        }
    }
    // Nothing connected: exactly the floor.
    Choose(f().ComboBox1, siOff);
    Choose(f().ComboBox3, niOff);
    f().BitBtn1Click();
    EXPECT_DOUBLE_EQ(Output()->GetYmax(), 100.0);
}

TEST_F(MainWindow, CutOffFieldShowsTheFiltersOwn50HzBeforeAnyRun) {
    Choose(f().ComboBox2, fiChebishev);
    EXPECT_EQ(f().EditFloat4->text(), "50");
    // ...and runs then use it.
    f().BitBtn1Click();
    EXPECT_DOUBLE_EQ(f().Bench.ChebishevFilter.GetCyclicBandEdge(), 0.05);
}

TEST_F(MainWindow, CutOffFieldShows1AfterARunMadeBeforeTheChoice) {
    f().BitBtn1Click();
    Choose(f().ComboBox2, fiChebishev);
    EXPECT_EQ(f().EditFloat4->text(), "1");
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(MainWindow, LeavingAParameterFieldAppliesItsCheckedValue) {
    Choose(f().ComboBox2, fiLowBand1);
    f().EditFloat3->setText("250");
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(f().EditFloat3, &leave);
    QCoreApplication::processEvents();
    EXPECT_DOUBLE_EQ(f().Bench.LowBandFilter1.GetTimeConstant(), 250.0);

    // Above the maximum: corrected with a message, then applied.
    f().EditFloat3->setText("20000");
    QApplication::sendEvent(f().EditFloat3, &leave);
    QCoreApplication::processEvents();
    EXPECT_DOUBLE_EQ(f().Bench.LowBandFilter1.GetTimeConstant(), 10000.0);
    EXPECT_EQ(messages.Take().size(), 1u);

    // A menu taking the focus is no leaving.
    f().EditFloat3->setText("300");
    QFocusEvent toMenu(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(f().EditFloat3, &toMenu);
    QCoreApplication::processEvents();
    EXPECT_DOUBLE_EQ(f().Bench.LowBandFilter1.GetTimeConstant(), 10000.0);
}

TEST_F(MainWindow, ACorrectionIsShownOnceWhenLeavingTheFieldStartsARun) {
    // Like a message box, the handler runs the event loop while it shows.
    std::vector<std::string> shown;
    const MessageHandler previous = SetMessageHandler([&](const std::string& text) {
        shown.push_back(text);
        QCoreApplication::processEvents();
    });
    f().EditFloat3->setText("abc");
    QFocusEvent leave(QEvent::FocusOut, Qt::MouseFocusReason);
    QApplication::sendEvent(f().EditFloat3, &leave); // the click on "Пуск" took the focus
    f().BitBtn1Click();
    QCoreApplication::processEvents();
    SetMessageHandler(previous);
    EXPECT_EQ(shown.size(), 1u);
    // Corrected to the middle of 10..10000 and applied.
    EXPECT_DOUBLE_EQ(f().Bench.LowBandFilter1.GetTimeConstant(), 5005.0);
}

TEST_F(MainWindow, MeasurementShowsTwoDecimalsWithACommaAndStartResetsIt) {
    f().N12->trigger();
    f().N16->trigger();
    ASSERT_TRUE(f().BitBtn3->isEnabled());
    const int cursors = OverrideCursorDepth();
    f().BitBtn3Click();
    EXPECT_EQ(OverrideCursorDepth(), cursors);
    const QString reading = f().StaticText1->text();
    EXPECT_TRUE(QRegularExpression("^[0-9]+,[0-9]{2}$").match(reading).hasMatch())
        << reading.toStdString();
    // Unit noise through a sum of 100 samples: about 100 mV*mV.
    EXPECT_NEAR(QString(reading).replace(',', '.').toDouble(), 100.0, 15.0);
    f().BitBtn1Click();
    EXPECT_EQ(f().StaticText1->text(), "0");

    // Gain 0: every batch is silent.
    f().PageControl1->setCurrentIndex(0);
    f().EditFloat1->setText("0");
    f().BitBtn3Click();
    EXPECT_EQ(f().StaticText1->text(), "0,00");
}

TEST_F(MainWindow, TheReadingCanBeSelectedWithTheMouse) {
    EXPECT_TRUE(f().StaticText1->textInteractionFlags() & Qt::TextSelectableByMouse);
}

TEST(BusyCursor, IsRestoredWhenTheStepFails) {
    const int before = OverrideCursorDepth();
    EXPECT_THROW(
        {
            TBusyCursor busy;
            EXPECT_EQ(OverrideCursorDepth(), before + 1);
            throw std::runtime_error("step failed");
        },
        std::runtime_error);
    EXPECT_EQ(OverrideCursorDepth(), before);
}

TEST(Application, AnEscapingExceptionIsReportedWithItsText) {
    std::vector<std::string> reports;
    auto previous = TLabApplication::SetFailureReport(
        [&](const std::string& text) { reports.push_back(text); });
    EXPECT_TRUE(TLabApplication::Guarded([] {}));
    EXPECT_FALSE(TLabApplication::Failed());
    EXPECT_FALSE(TLabApplication::Guarded([] { throw std::runtime_error("broken pipe"); }));
    EXPECT_TRUE(TLabApplication::Failed());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "broken pipe");
    TLabApplication::SetFailureReport(previous);
    // The failure told every event loop to end, the next ones too; a loop
    // of the application's own starts afresh, so that the dialogs of later
    // tests run theirs.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

TEST_F(MainWindow, DescriptionWindowFollowsTheFilterChoice) {
    Choose(f().ComboBox2, fiLowBand1);
    EXPECT_EQ(form2->windowTitle(), "ФНЧ 1-го порядка");
    EXPECT_EQ(form2->ShownImage(), form2->Image4);
    f().N20->trigger();
    EXPECT_EQ(form2->windowTitle(),
              "СФ для прямоугольного импульса с неидеальным интегратором");
    EXPECT_EQ(form2->ShownImage(), form2->Image2);

    // "Описание" shows it modally until it is closed.
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = form2->isVisible() && form2->isModal();
        form2->N5Click();
    });
    f().BitBtn2->click();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(form2->isVisible());
}

TEST_F(MainWindow, MaximisedOnlyOnSmallScreens) {
    EXPECT_TRUE(TForm1::StartsMaximised(QSize(800, 1024)));
    EXPECT_TRUE(TForm1::StartsMaximised(QSize(1280, 600)));
    EXPECT_FALSE(TForm1::StartsMaximised(QSize(801, 601)));

    const QSize designed(784, 542 + f().menuBar()->sizeHint().height());
    f().FitToScreen(QSize(1024, 768), QRect(0, 0, 1024, 768));
    EXPECT_FALSE(f().windowState() & Qt::WindowMaximized);
    EXPECT_EQ(f().size(), designed);
    // 267 + 784 does not fit into 1024: centred instead of sticking out.
    EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(f().geometry()));
    f().FitToScreen(QSize(1280, 1024), QRect(0, 0, 1280, 1024));
    EXPECT_EQ(f().pos(), QPoint(267, 111));
    // Too small even for centring: kept on screen from its top left corner.
    f().FitToScreen(QSize(1024, 768), QRect(0, 0, 700, 500));
    EXPECT_EQ(f().pos(), QPoint(0, 0));
    f().FitToScreen(QSize(800, 600), QRect(0, 20, 800, 580));
    EXPECT_TRUE(f().windowState() & Qt::WindowMaximized);
    EXPECT_EQ(f().geometry(), QRect(0, 20, 800, 580));
}

TEST_F(MainWindow, MovingOverOneChartShowsItsToolsAndPutsTheOthersAway) {
    f().show();
    f().PageControl1->setCurrentIndex(1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    auto moveOver = [](QWidget* w, QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(w, &move);
    };
    moveOver(Input(), QPoint(300, 100));
    EXPECT_TRUE(f().DiagramFrame1->Panel->isVisible());
    moveOver(Output(), QPoint(300, 100));
    EXPECT_FALSE(f().DiagramFrame1->Panel->isVisible());
    EXPECT_TRUE(f().DiagramFrame2->Panel->isVisible());
    // A move over the page reaches it also from inside a chart, on its way
    // up; only one outside both charts puts the tools away.
    moveOver(f().TabSheet2, f().DiagramFrame2->geometry().center());
    EXPECT_TRUE(f().DiagramFrame2->Panel->isVisible());
    moveOver(f().TabSheet2, QPoint(300, 255)); // between the charts
    EXPECT_FALSE(f().DiagramFrame2->Panel->isVisible());
    moveOver(Output(), QPoint(300, 100));
    f().TabSheet2MouseMove();
    EXPECT_FALSE(f().DiagramFrame2->Panel->isVisible());
    f().hide();
}

TEST_F(MainWindow, ClosingTheMainWindowEndsAnOpenDescriptionOrEnlargedWindow) {
    TDiagramIncrease increase;
    f().SetDiagramIncrease(&increase);
    f().show();
    f().BitBtn1Click();
    // The run's row is let go when the window asks.
    ChoiceRecorder dontSave(1);
    QTimer::singleShot(0, [&] { f().close(); });
    f().BitBtn2Click();
    EXPECT_FALSE(form2->isVisible());

    f().show();
    bool opened = false;
    QTimer::singleShot(0, [&] {
        opened = increase.isVisible();
        f().close();
    });
    f().DiagramFrame1->SpeedButtonIncreaseClick();
    EXPECT_TRUE(opened);
    EXPECT_FALSE(increase.isVisible());
    // The chart got its series back, unlinked from the enlarged window.
    EXPECT_EQ(increase.Diagram1->GetKeeper(0)->GetNext(), nullptr);
    form.reset();
}

} // namespace
