// The main window without a mouse: F9 starts, F8 measures, F10 and Alt with
// a menu's letter open the menus, and every control tells a screen reader
// what it is.

#include <QAccessible>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "controls/TEditFloat.h"

namespace {

class Keyboard : public testing::Test, public FormFixture {
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
    static QString Name(QWidget* w) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        return a ? a->text(QAccessible::Name) : QString();
    }
    // What labels w for a screen reader: on Linux a list says its chosen item
    // as its name, and its label through this relation.
    static QString Label(QWidget* w) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        QStringList labels;
        for (const auto& relation : a->relations(QAccessible::Label)) {
            labels << relation.first->text(QAccessible::Name).trimmed();
        }
        return labels.join('|');
    }
};

TEST_F(Keyboard, F9StartsAndF8MeasuresWhereTheButtonCould) {
    QTest::keyClick(form.get(), Qt::Key_F9);
    EXPECT_EQ(form->Session.Rows().size(), 1u);
    EXPECT_EQ(form->PageControl1->currentIndex(), 1);

    // No measurement while a signal reaches the filter, as the button says.
    QTest::keyClick(form.get(), Qt::Key_F8);
    EXPECT_EQ(form->Session.Rows().size(), 1u);
    Choose(form->ComboBox1, siOff);
    Choose(form->ComboBox3, niOn);
    ASSERT_TRUE(form->BitBtn3->isEnabled());
    EXPECT_TRUE(form->NMeasure->isEnabled());
    EXPECT_EQ(form->NMeasure->text(), "Измерение");
    QTest::keyClick(form.get(), Qt::Key_F8);
    ASSERT_EQ(form->Session.Rows().size(), 2u);
    EXPECT_FALSE(form->Session.Rows()[1].Run);
    EXPECT_EQ(form->StaticText1->text().toStdString(), form->Session.Rows()[1].Reading);
    Choose(form->ComboBox3, niOff);
    EXPECT_FALSE(form->NMeasure->isEnabled());
}

TEST_F(Keyboard, F10AndAltLettersOpenTheMenus) {
    QMenu* file = form->findChild<QMenu*>("N1");
    QMenu* bench = form->findChild<QMenu*>("N2");
    QTest::keyClick(form.get(), Qt::Key_F10);
    EXPECT_EQ(form->menuBar()->activeAction(), file->menuAction());
    EXPECT_TRUE(QTest::qWaitForWindowExposed(file));
    QTest::keyClick(file, Qt::Key_Escape);
    QTest::keyClick(form->menuBar(), Qt::Key_Escape);

    // Alt with the underlined Cyrillic letter, as the keyboard sends it.
    QKeyEvent press(QEvent::KeyPress, 0x041B /* Л */, Qt::AltModifier, QStringLiteral("л"));
    QApplication::sendEvent(form.get(), &press);
    QCoreApplication::processEvents();
    EXPECT_EQ(form->menuBar()->activeAction(), bench->menuAction());
}

TEST_F(Keyboard, EveryControlHasANameForScreenReaders) {
    EXPECT_EQ(Label(form->ComboBox1), "Генератор сигнала");
    EXPECT_EQ(Label(form->ComboBox3), "Генератор шума");
    EXPECT_EQ(Label(form->ComboBox2), "Фильтр");
    EXPECT_EQ(Name(form->ComboBox2), "СФ для прямоугольного импульса");
    EXPECT_EQ(Name(form->EditFloat1), "Коэффициент усиления");
    EXPECT_EQ(Name(form->EditFloat2), "Постоянная времени интегратора, мс");
    EXPECT_EQ(Name(form->EditFloat3), "Постоянная времени, мс");
    EXPECT_EQ(Name(form->EditFloat4), "Частота среза, Гц");
    EXPECT_EQ(Name(form->StaticText1), "Регистратор, мВ*мВ");
    EXPECT_EQ(Name(form->BitBtn1), "Пуск");
    for (QWidget* w : form->findChildren<QWidget*>()) {
        if (qobject_cast<QComboBox*>(w) || qobject_cast<QPushButton*>(w) ||
            qobject_cast<QLineEdit*>(w)) {
            EXPECT_FALSE(Name(w).isEmpty()) << w->objectName().toStdString();
        }
    }
}

} // namespace
