// What a chart frame offers beyond its tool panel: the crosshair's readout,
// the pop-up menu, Ctrl+C over the chart, its data as CSV; and references
// shown in the enlarged window.

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "WindowTestUtil.h"
#include "base/MessageHook.h"
#include "chart/TDiagram.h"
#include "chart/TReferenceCurves.h"
#include "controls/TCoordinateReadout.h"
#include "controls/TDiagramFrame.h"
#include "controls/TDiagramIncrease.h"
#include "controls/TEditFloat.h"
#include "files/SaveAs.h"

namespace {

// A window like the charts page: a frame of 760 x 250 with the bench's run
// shape, and beside it a number field and a button to hold the focus.
class Extras : public testing::Test {
  protected:
    void SetUp() override {
        for (int i = 0; i < 7500; ++i) {
            const double t = i - 2500.0;
            samples[i] = t < 0 || t > 200 ? 0.0 : 100 * (1 - std::fabs(t - 100) / 100);
        }
        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        frame = new TDiagramFrame;
        frame->setFixedSize(760, 250);
        field = new TEditFloat;
        button = new QPushButton(QStringLiteral("Пуск"));
        layout->addWidget(frame);
        layout->addWidget(field);
        layout->addWidget(button);
        window->show();
        TDiagram* d = frame->Diagram;
        {
            TDiagramBatch batch(*d);
            d->GetKeeper(0)->SetData(samples, 7500, -2500.0, 4999.0);
            d->SetRangeX(-250.0, 500.0);
            d->SetLimitX(-2250.0, 4499.1);
            d->AutoRangeY();
        }
        frame->SaveInitialLimits();
    }

    QRect Net() const {
        const TDiagram* d = frame->Diagram;
        return QRect(QPoint(d->Get_xb_net(), d->Get_yb_net()),
                     QPoint(d->Get_xe_net() - 1, d->Get_ye_net() - 1));
    }
    // A point of the net at fractions fx, fy of its width and height.
    QPoint At(double fx, double fy) const {
        const QRect n = Net();
        return QPoint(n.left() + static_cast<int>(fx * n.width()),
                      n.top() + static_cast<int>(fy * n.height()));
    }
    // The readout's rectangle in chart pixels.
    QRect ReadoutRect() const {
        return frame->Readout->geometry().translated(-frame->Diagram->pos());
    }

    double samples[7500];
    std::unique_ptr<QWidget> window;
    TDiagramFrame* frame = nullptr;
    TEditFloat* field = nullptr;
    QPushButton* button = nullptr;
    MessageRecorder messages;
};

TEST_F(Extras, ReadoutFollowsThePointerFromTheFarCornerWhileTheCrosshairIsOn) {
    TDiagram* d = frame->Diagram;
    // No crosshair, no readout.
    MoveMouse(d, At(0.25, 0.25));
    EXPECT_TRUE(frame->Readout->isHidden());

    ClickMouse(d, At(0.25, 0.25));
    ASSERT_TRUE(d->GetShowFeeler());
    const QPoint p = At(0.2, 0.3);
    MoveMouse(d, p);
    ASSERT_FALSE(frame->Readout->isHidden());
    EXPECT_EQ(frame->Readout->text(), PointText(*d, p.x(), p.y()));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\(-?\\d+[.,]\\d\\d; -?\\d+[.,]\\d\\d\\)$"))
                    .match(frame->Readout->text())
                    .hasMatch())
        << frame->Readout->text().toStdString();
    // The same text and rule as the enlarged window's readout.
    EXPECT_EQ(TDiagramIncrease::CoordinateText(d->PhisToMathX(p.x()), d->GetPrecisionX()),
              CoordinateText(d->PhisToMathX(p.x()), d->GetPrecisionX()));
    QRect r = ReadoutRect();
    EXPECT_TRUE(Net().contains(r));
    EXPECT_FALSE(r.contains(p));
    EXPECT_GT(r.left(), Net().center().x()); // away from the pointer's corner
    EXPECT_GT(r.top(), Net().center().y());
    EXPECT_LT(r.width(), Net().width() / 3); // small

    // Pointer at the bottom right: the readout goes left, clear of the tool
    // panel at the top right.
    const QPoint q = At(0.85, 0.8);
    MoveMouse(d, q);
    r = ReadoutRect();
    EXPECT_LT(r.right(), Net().center().x());
    EXPECT_FALSE(r.intersects(frame->Panel->geometry().translated(-d->pos())));
    EXPECT_EQ(frame->Readout->text(), PointText(*d, q.x(), q.y()));

    // Outside the net, after a new drawing, with the crosshair off, or when
    // the host puts the tools away, it goes.
    MoveMouse(d, QPoint(2, 2));
    EXPECT_TRUE(frame->Readout->isHidden());
    MoveMouse(d, q);
    EXPECT_FALSE(frame->Readout->isHidden());
    d->SetRangeX(-200, 400);
    EXPECT_TRUE(frame->Readout->isHidden());
    MoveMouse(d, q);
    frame->HideTools();
    EXPECT_TRUE(frame->Readout->isHidden());
    MoveMouse(d, q);
    ClickMouse(d, q);
    EXPECT_FALSE(d->GetShowFeeler());
    EXPECT_TRUE(frame->Readout->isHidden());
    MoveMouse(d, q);
    EXPECT_TRUE(frame->Readout->isHidden());
}

TEST_F(Extras, ReadoutKeepsClearOfTheLegendAndIsNoPartOfExports) {
    TDiagram* d = frame->Diagram;
    TReferenceCurves refs(*d);
    refs.SetBaseName("СФ для прямоугольного импульса, K = 1, прямоугольный импульс");
    refs.Remember("ФНЧ 1-го порядка, τ = 100 мс, K = 1, прямоугольный импульс");
    const QRect legend = d->GetLegendRect();
    ASSERT_FALSE(legend.isEmpty());
    ClickMouse(d, At(0.5, 0.5));
    // The pointer at the bottom right, the legend at the top left: of the
    // corners left, the bottom left.
    const QPoint p = At(0.9, 0.9);
    MoveMouse(d, p);
    ASSERT_FALSE(frame->Readout->isHidden());
    EXPECT_FALSE(ReadoutRect().intersects(legend));
    EXPECT_FALSE(ReadoutRect().contains(p));

    // The clipboard gets the picture without it.
    d->CopyToClipboard();
    const QImage copied = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    frame->Readout->hide();
    d->CopyToClipboard();
    EXPECT_EQ(copied, QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32));
}

TEST(ReadoutPlace, FarthestFreeCornerOrFarthestOfAll) {
    const QRect net(0, 0, 400, 200);
    const QSize size(80, 16);
    EXPECT_EQ(TCoordinateReadout::Place(size, net, QPoint(10, 10), {}),
              QRect(QPoint(316, 180), size));
    EXPECT_EQ(TCoordinateReadout::Place(size, net, QPoint(390, 190), {}),
              QRect(QPoint(4, 4), size));
    // The far corner taken: the next farthest.
    EXPECT_EQ(TCoordinateReadout::Place(size, net, QPoint(390, 190), {QRect(0, 0, 100, 50)}),
              QRect(QPoint(4, 180), size));
    // Every corner taken: the farthest of all.
    const std::vector<QRect> all = {QRect(0, 0, 400, 30), QRect(0, 170, 400, 30)};
    EXPECT_EQ(TCoordinateReadout::Place(size, net, QPoint(390, 100), all),
              QRect(QPoint(4, 4), size));
}

TEST_F(Extras, RightPressTogglesTheLockAndOpensThePopupMenu) {
    TDiagram* d = frame->Diagram;
    QWindow* w = window->windowHandle();
    ASSERT_NE(w, nullptr);
    const QPoint p = d->mapTo(window.get(), At(0.5, 0.5));
    MoveMouse(d, At(0.5, 0.5));
    ASSERT_FALSE(frame->Panel->isHidden());

    // A right press through the window system: the press locks the tools and
    // the context-menu event after it opens the menu.
    QTest::mousePress(w, Qt::RightButton, Qt::NoModifier, p);
    EXPECT_TRUE(frame->GetToolsLocked());
    EXPECT_TRUE(frame->Panel->isHidden());
    ASSERT_TRUE(frame->PopupMenu->isVisible());
    QStringList texts;
    for (QAction* a : frame->PopupMenu->actions()) {
        texts << a->text();
    }
    EXPECT_EQ(texts, QStringList({"Копировать в буфер обмена", "Сохранить рисунок",
                                  "Сохранить данные…", "", "Увеличение"}));
    // No enlarged window to open here.
    EXPECT_FALSE(frame->NIncrease->isEnabled());
    EXPECT_TRUE(frame->NSaveData->isEnabled());

    // An item chosen with the mouse: the data saved.
    QTemporaryDir dir;
    const QString name = dir.filePath("data.csv");
    SaveDialogHook previous =
        SetSaveDialogHook([&](QWidget*, const TSaveRequest& request, QString& n) {
            EXPECT_EQ(request.Kind, TDocumentKind::ChartData);
            EXPECT_EQ(request.InitialName, "Диаграмма.csv");
            n = name;
            return TSaveDialogResult::Accepted;
        });
    d->SetNameX("t, мс");
    d->SetNameY("sвых(t), мВ");
    QTest::mouseClick(frame->PopupMenu, Qt::LeftButton, Qt::NoModifier,
                      frame->PopupMenu->actionGeometry(frame->NSaveData).center());
    SetSaveDialogHook(previous);
    EXPECT_FALSE(frame->PopupMenu->isVisible());
    QFile saved(name);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const std::string expected = "\xEF\xBB\xBFt, мс;sвых(t), мВ\r\n-250;0\r\n-249;0\r\n";
    EXPECT_EQ(saved.readAll().toStdString().substr(0, expected.size()), expected);

    // The next right press unlocks and shows the tools, and opens the menu again.
    QTest::mouseRelease(w, Qt::RightButton, Qt::NoModifier, p);
    QTest::mousePress(w, Qt::RightButton, Qt::NoModifier, p);
    EXPECT_FALSE(frame->GetToolsLocked());
    EXPECT_FALSE(frame->Panel->isHidden());
    EXPECT_TRUE(frame->PopupMenu->isVisible());
    QTest::mouseRelease(w, Qt::RightButton, Qt::NoModifier, p);

    // With the menu open, a right press on the chart closes it and is not
    // lost: it locks the tools again and opens the menu anew.
    QTest::mousePress(w, Qt::RightButton, Qt::NoModifier, p);
    QCoreApplication::processEvents();
    EXPECT_TRUE(frame->GetToolsLocked());
    EXPECT_TRUE(frame->Panel->isHidden());
    EXPECT_TRUE(frame->PopupMenu->isVisible());
    QTest::mouseRelease(w, Qt::RightButton, Qt::NoModifier, p);
    // A left click closes it and switches the crosshair on.
    const bool feeler = d->GetShowFeeler();
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, p);
    QCoreApplication::processEvents();
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, p);
    EXPECT_FALSE(frame->PopupMenu->isVisible());
    EXPECT_NE(d->GetShowFeeler(), feeler);

    // A chart without data has nothing to save.
    d->GetKeeper(0)->Clear();
    QTest::mousePress(w, Qt::RightButton, Qt::NoModifier, p);
    EXPECT_FALSE(frame->NSaveData->isEnabled());
    frame->PopupMenu->hide();
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(Extras, CtrlCOverTheChartCopiesItsPictureAndTheFieldKeepsItsCopy) {
    TDiagram* d = frame->Diagram;
    QClipboard* clipboard = QGuiApplication::clipboard();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    // Focus on a button, which takes no Ctrl+C: over the chart the picture
    // is copied, black on white as the copy tool gives it.
    button->setFocus();
    clipboard->setText(QStringLiteral("before"));
    MoveMouse(d, At(0.5, 0.5));
    QTest::keyClick(window->windowHandle(), Qt::Key_C, Qt::ControlModifier);
    const QImage copied = clipboard->image();
    ASSERT_FALSE(copied.isNull());
    d->CopyToClipboard();
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32),
              clipboard->image().convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(copied.size(), d->size());

    // The pointer gone from the chart: nothing is copied.
    clipboard->setText(QStringLiteral("before"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(d, &leave);
    QTest::keyClick(window->windowHandle(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(clipboard->image().isNull());
    EXPECT_EQ(clipboard->text(), "before");

    // A number field with the focus copies its text, the pointer over the
    // chart or not.
    MoveMouse(d, At(0.5, 0.5));
    field->setFocus();
    field->setText(QStringLiteral("12,5"));
    field->selectAll();
    QTest::keyClick(window->windowHandle(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), "12,5");
    EXPECT_TRUE(clipboard->image().isNull());
}

// The legend leaves the tool panel's corner to it, and when the legend takes
// a band above the net, the panel and the arrows move down with the net.
TEST_F(Extras, TheLegendKeepsClearOfThePanelAndTheToolsFollowTheNet) {
    TDiagram* d = frame->Diagram;
    MoveMouse(d, At(0.5, 0.5));
    ASSERT_FALSE(frame->Panel->isHidden());
    const QRect panel = frame->Panel->geometry().translated(-d->pos());
    const QSize keepOut = d->GetLegendKeepOut();
    EXPECT_TRUE(QRect(QPoint(d->Get_xe_net() - keepOut.width(), d->Get_yb_net()), keepOut)
                    .contains(panel));

    // Quiet only at the top right, under the panel: the legend goes above
    // the net.
    for (int i = 0; i < 7500; ++i) {
        samples[i] = (i - 2500 > 300 ? 75.0 : 100.0) * ((i * 7919) % 13) / 12;
    }
    TReferenceCurves refs(*d);
    refs.SetBaseName("выход");
    refs.Remember("опорный");
    d->AutoRangeY();
    const QRect legend = d->GetLegendRect();
    ASSERT_FALSE(legend.isEmpty());
    EXPECT_FALSE(legend.intersects(frame->Panel->geometry().translated(-d->pos())));
    EXPECT_LT(legend.bottom(), d->Get_yb_net());
    EXPECT_EQ(frame->Panel->geometry().top(), d->Get_yb_net() + 10);
    EXPECT_EQ(frame->UpDown1->geometry().top(), d->Get_yb_net());
    EXPECT_EQ(frame->UpDown2->geometry().bottom() + 1, d->Get_ye_net());
}

// On a screen of ratio 2 every way of copying puts a picture of twice the
// pixels on the clipboard, which Qt pastes at the chart's own size.
TEST_F(Extras, EveryCopyOfTheChartIsAtTheScreensPixelRatio) {
    const qreal previous = TDiagram::SetPictureRatio(2);
    TDiagram* d = frame->Diagram;
    d->ShowDiagram();
    QClipboard* clipboard = QGuiApplication::clipboard();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto expectSharp = [&](const char* how) {
        const QImage copied = clipboard->image();
        EXPECT_EQ(copied.size(), QSize(1520, 500)) << how;
        EXPECT_EQ(copied.devicePixelRatio(), 2.0) << how;
        clipboard->setText(QStringLiteral("before"));
    };
    button->setFocus();
    clipboard->setText(QStringLiteral("before"));
    MoveMouse(d, At(0.5, 0.5));
    QTest::keyClick(window->windowHandle(), Qt::Key_C, Qt::ControlModifier);
    expectSharp("Ctrl+C");

    QWindow* w = window->windowHandle();
    const QPoint p = d->mapTo(window.get(), At(0.5, 0.5));
    // QTest remembers the buttons held across tests; none is held here.
    QTest::mouseRelease(w, Qt::RightButton, Qt::NoModifier, p);
    QTest::mousePress(w, Qt::RightButton, Qt::NoModifier, p);
    ASSERT_TRUE(frame->PopupMenu->isVisible());
    QTest::mouseRelease(w, Qt::RightButton, Qt::NoModifier, p);
    QTest::mouseClick(frame->PopupMenu, Qt::LeftButton, Qt::NoModifier,
                      frame->PopupMenu->actionGeometry(frame->NCopy).center());
    expectSharp("the pop-up menu");

    // The right press locked the tools; the next one shows them again.
    QTest::mousePress(w, Qt::RightButton, Qt::NoModifier, p);
    QTest::mouseRelease(w, Qt::RightButton, Qt::NoModifier, p);
    frame->PopupMenu->hide();
    ASSERT_FALSE(frame->Panel->isHidden());
    QTest::mouseClick(frame->SpeedButtonCopy, Qt::LeftButton);
    expectSharp("the tool panel");
    EXPECT_EQ(d->GetPicture().devicePixelRatio(), 2.0);
    TDiagram::SetPictureRatio(previous);
    d->ShowDiagram();
}

TEST_F(Extras, TheEnlargedWindowShowsTheReferencesAndTheLegend) {
    TDiagram* d = frame->Diagram;
    TReferenceCurves refs(*d);
    refs.SetBaseName("текущий");
    refs.Remember("опорный");
    for (double& v : samples) {
        v *= 0.5;
    }
    d->GetKeeper(0)->SetData(samples, 7500, -2500.0, 4999.0);
    TDiagramIncrease increase;
    increase.resize(1000, 700);
    increase.show();
    increase.AssignDiagram(d);
    const QImage& big = increase.Diagram1->GetPicture();
    int coloured = 0;
    for (int y = 0; y < big.height(); ++y) {
        for (int x = 0; x < big.width(); ++x) {
            coloured += (big.pixel(x, y) & 0xffffffu) == (ReferenceStyle(0).color.rgb() & 0xffffffu);
        }
    }
    EXPECT_GT(coloured, 100);
    EXPECT_FALSE(increase.Diagram1->GetLegendRect().isEmpty());
    increase.ReturnLimits();
    EXPECT_EQ(increase.Diagram1->GetKeeper(0)->GetNext(), nullptr);
    EXPECT_EQ(refs.Count(), 1);
}

TEST_F(Extras, ALogarithmicChartReadsItsValuesAndTheEnlargedWindowKeepsItsAxisAndNotes) {
    TDiagram* d = frame->Diagram;
    {
        TDiagramBatch batch(*d);
        d->SetLimitX(1, 3);
        d->SetRangeX(1, 3);
        d->SetLogarithmicX(true);
        d->SetNotes({{2, 50, QStringLiteral("τ = 100 мс")}});
    }
    // log10 2.5 is 316.23 ms on the axis.
    EXPECT_TRUE(ValueText(*d, 2.5, 1).startsWith(QStringLiteral("(316")))
        << ValueText(*d, 2.5, 1).toStdString();
    EXPECT_TRUE(ValueText(*d, 1, 1).contains(QRegularExpression(QStringLiteral("^\\(10([.,]0*)?; "))))
        << ValueText(*d, 1, 1).toStdString();

    TDiagramIncrease increase;
    increase.resize(1000, 700);
    increase.show();
    increase.AssignDiagram(d);
    EXPECT_TRUE(increase.Diagram1->GetLogarithmicX());
    ASSERT_EQ(increase.Diagram1->GetNotes().size(), 1u);
    EXPECT_EQ(increase.Diagram1->GetNotes()[0].Text, QStringLiteral("τ = 100 мс"));
}

} // namespace
