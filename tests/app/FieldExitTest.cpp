// Leaving a parameter field by clicking "Пуск" or "Измерение" with the mouse:
// the field's correction is shown once, and the click still does its work
// with the corrected value, just as when the field is left with Tab first.
// The clicks go through the window system, where a modal message box blocks
// the mouse as it does on a real screen.

#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "bench/BenchSamples.h"
#include "controls/TEditFloat.h"

namespace {

// Shows every message in a real modal message box, as the program does, and
// keeps its text; the box is closed a moment later, as by a user reading it
// and pressing OK.
class ModalMessages {
  public:
    ModalMessages() {
        previous = SetMessageHandler([this](const std::string& text) {
            texts.push_back(text);
            QMessageBox box(QMessageBox::Information, QString(), QString::fromStdString(text),
                            QMessageBox::Ok, QApplication::activeWindow());
            QTimer::singleShot(kReadingMs, &box, &QDialog::accept);
            box.exec();
        });
    }
    ~ModalMessages() { SetMessageHandler(std::move(previous)); }
    ModalMessages(const ModalMessages&) = delete;
    ModalMessages& operator=(const ModalMessages&) = delete;

    static constexpr int kReadingMs = 150;
    std::vector<std::string> texts;

  private:
    MessageHandler previous;
};

class FieldExit : public testing::Test, public FormFixture {
  protected:
    void SetUp() override {
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    void Choose(QComboBox* box, int item) {
        box->setCurrentIndex(item);
        emit box->activated(item);
    }

    // Types text over the field's content, the field keeping the focus.
    void TypeInto(TEditFloat* field, const QString& text) {
        // A message box that went leaves no window active here.
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        field->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(QTest::qWaitFor([field] { return field->hasFocus(); }));
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }

    // Leaves the focused field with Tab and lets its check finish.
    void LeaveWithTab(ModalMessages& shown) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !shown.texts.empty(); }));
        QTest::qWait(ModalMessages::kReadingMs * 2);
    }

    // A mouse click on button as a user makes it: the button goes down, and
    // the user lets go a moment later, whatever the screen shows by then.
    void Click(QPushButton* button) {
        QWindow* window = form->windowHandle();
        const QPoint at = button->mapTo(form.get(), button->rect().center());
        QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, at);
        QTimer::singleShot(
            20, [window, at] { QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, at); });
    }
};

TEST_F(FieldExit, StartClickedStraightFromACorrectedFieldRunsWithTheCorrection) {
    for (const bool tabFirst : {true, false}) {
        SCOPED_TRACE(tabFirst ? "left with Tab, then Пуск" : "Пуск clicked from the field");
        form->PageControl1->setCurrentIndex(0);
        InputSamples[0] = 12345.0; // no run has been made yet
        Choose(form->ComboBox2, fiMafNotIdeal);
        TypeInto(form->EditFloat2, "7"); // the least is 10
        ModalMessages shown;
        if (tabFirst) {
            LeaveWithTab(shown);
        }
        Click(form->BitBtn1);
        EXPECT_TRUE(QTest::qWaitFor([&] { return form->PageControl1->currentIndex() == 1; }))
            << "the click was lost";
        QTest::qWait(ModalMessages::kReadingMs * 2);
        EXPECT_EQ(shown.texts, std::vector<std::string>{
                                   "Введённое значение параметра меньше минимально-допустимого.\n "
                                   "Произведена коррекция."});
        EXPECT_EQ(form->EditFloat2->text(), "10");
        EXPECT_DOUBLE_EQ(form->Bench.MafNotIdealFilter.GetTimeConstant(), 10.0);
        EXPECT_NE(InputSamples[0], 12345.0);
        EXPECT_FALSE(form->BitBtn1->isDown());
    }
}

TEST_F(FieldExit, MeasurementClickedStraightFromAnEmptyGainMeasuresWithTheCorrection) {
    Choose(form->ComboBox1, siOff);
    Choose(form->ComboBox3, niOn);
    ASSERT_TRUE(form->BitBtn3->isEnabled());
    for (const bool tabFirst : {true, false}) {
        SCOPED_TRACE(tabFirst ? "left with Tab, then Измерение"
                              : "Измерение clicked from the field");
        form->StaticText1->setText("0");
        TypeInto(form->EditFloat1, "");
        ModalMessages shown;
        if (tabFirst) {
            LeaveWithTab(shown);
        }
        Click(form->BitBtn3);
        EXPECT_TRUE(QTest::qWaitFor([&] { return form->StaticText1->text() != "0"; }, 60000))
            << "the click was lost";
        QTest::qWait(ModalMessages::kReadingMs * 2);
        EXPECT_EQ(shown.texts,
                  std::vector<std::string>{"Строка ввода имеет некорректный формат или пуста. \n "
                                           "Произведена коррекция."});
        // The middle of 0..1000; unit noise gives about 100 mV*mV, so gain
        // 500 about 2.5e7.
        EXPECT_EQ(form->EditFloat1->text(), "500");
        const QString reading = form->StaticText1->text();
        ASSERT_TRUE(QRegularExpression("^[0-9]+,[0-9]{2}$").match(reading).hasMatch())
            << reading.toStdString();
        EXPECT_GT(QString(reading).replace(',', '.').toDouble(), 1e7);
    }
}

} // namespace
