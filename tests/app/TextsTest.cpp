// Every text the windows show, character for character.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>

#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "app/THelloForm.h"
#include "chart/TDiagram.h"
#include "controls/TDiagramFrame.h"
#include "controls/TDiagramIncrease.h"

namespace {

// Reads the text a user sees on the named object of root.
QString SeenText(QObject* root, const QString& name) {
    if (name == root->objectName()) {
        return static_cast<QWidget*>(root)->windowTitle();
    }
    // Actions first: a submenu and its action share the name.
    if (auto* a = root->findChild<QAction*>(name)) {
        // A lone '&' marks the letter Alt opens the menu with; it is not shown.
        return a->isSeparator() ? QStringLiteral("-")
                                : a->text().remove(QRegularExpression("&(?!&)"));
    }
    QObject* o = root->findChild<QObject*>(name);
    if (!o) {
        return QStringLiteral("<missing>");
    }
    if (auto* g = qobject_cast<QGroupBox*>(o)) {
        return g->title();
    }
    if (auto* b = qobject_cast<QPushButton*>(o)) {
        return b->text();
    }
    if (auto* l = qobject_cast<QLabel*>(o)) {
        return l->text();
    }
    if (auto* c = qobject_cast<QComboBox*>(o)) {
        QStringList items;
        for (int i = 0; i < c->count(); ++i) {
            items << c->itemText(i);
        }
        return items.join('|');
    }
    if (auto* w = qobject_cast<QWidget*>(o)) {
        // A tab page: its caption is on the page control's tab.
        if (auto* tabs = qobject_cast<QTabWidget*>(w->parentWidget()->parentWidget())) {
            return tabs->tabText(tabs->indexOf(w));
        }
    }
    return QStringLiteral("<no text>");
}

struct Row {
    const char* name;
    const char* text;
};

const Row MainWindowTexts[] = {
    {"Form1",
     "Лабораторная работа№1 \"Исследование согласованных и квазиоптимальных фильтров\" Тармин "
     "2010г."},
    {"TabSheet1", "Лабораторная установка"},
    {"TabSheet2", "Временные диаграммы"},
    {"GroupBox1", " Генератор сигнала "},
    {"GroupBox2", " Генератор шума "},
    {"GroupBox3", " Фильтр "},
    {"GroupBox4", " Регистратор  мВ*мВ "},
    {"GroupBox5", " Коэффициент усиления  "},
    {"ComboBox1", "Дельта-импульс|Прямоугольный импульс|Отключен"},
    {"ComboBox3", "Отключен|Подключен"},
    {"ComboBox2", "СФ для прямоугольного импульса|СФ для прямоугольного импульса с неидеальным "
                  "интегратором|СФ для импульса \"меандр\"|ФНЧ 1-го порядка|ФНЧ с П - образной "
                  "АЧХ"},
    {"BitBtn1", "Пуск"},
    {"BitBtn2", "Описание"},
    {"BitBtn3", "Измерение"},
    {"StaticText1", "0"},
    {"Label1", "Постоянная времени интегратора, мс:"},
    {"Label2", "Постоянная времени, мс:"},
    {"Label3", "Частота среза, Гц:"},
    {"N1", "Файл"},
    {"N3", "Копировать схему лабораторной установки"},
    {"N4", "Сохранить схему лабораторной установки"},
    {"N6", "-"},
    {"N5", "Выход"},
    {"N2", "Лабораторная установка"},
    {"N9", "Генератор сигнала"},
    {"N10", "Дельта - импульс"},
    {"N11", "Прямоугольный импульс"},
    {"N12", "Отключен"},
    {"N13", "-"},
    {"N14", "Генератор шума"},
    {"N15", "Отключен"},
    {"N16", "Подключен"},
    {"NRepeatNoise", "Повторять реализацию шума"},
    {"N17", "-"},
    {"N18", "Фильтр"},
    {"N19", "СФ для прямоугольного импульса"},
    {"N20", "СФ для прямоугольного импульса с неидеальным интегратором"},
    {"N21", "СФ для импульса \"меандр\""},
    {"N22", "ФНЧ первого порядка"},
    {"N23", "ФНЧ с П - образной АЧХ"},
    {"N24", "Описание фильтра"},
    {"N25", "-"},
    {"N26", "Пуск"},
    {"N7", "Копировать схему лабораторной установки"},
    {"N8", "Сохранить схему лабораторной установки"},
    {"N27", "-"},
    {"N28", "Генератор сигнала"},
    {"N29", "Дельта - импульс"},
    {"N30", "Прямоугольный импульс"},
    {"N31", "Отключен"},
    {"N32", "-"},
    {"N33", "Генератор шума"},
    {"N34", "Отключен"},
    {"N35", "Подключен"},
    {"N36", "-"},
    {"N37", "Фильтр"},
    {"N38", "СФ для прямоугольного импульса"},
    {"N39", "СФ для прямоугольного импульса с неидеальным интегратором"},
    {"N40", "СФ для импульса \"меандр\""},
    {"N110", "ФНЧ 1-го порядка"},
    {"N41", "ФНЧ с П - образной АЧХ"},
    {"N42", "Описание фильтра"},
    {"N43", "-"},
    {"N44", "Пуск"},
};

const Row DescriptionWindowTexts[] = {
    {"Form2", "Согласованный фильтр для прямоугольного импульса"},
    {"N1", "Файл"},
    {"N2", "Сохранить рисунок"},
    {"N3", "Копировать рисунок"},
    {"N4", "-"},
    {"N5", "Закрыть"},
    {"N6", "Сохранить рисунок"},
    {"N7", "Копировать рисунок"},
    {"N8", "-"},
    {"N9", "Закрыть"},
};

class Texts : public testing::Test, public FormFixture {};

TEST_F(Texts, EveryCaptionMenuItemAndTitleReadsAsWritten) {
    for (const Row& row : MainWindowTexts) {
        EXPECT_EQ(SeenText(form.get(), row.name).toStdString(), row.text) << row.name;
    }
    for (const Row& row : DescriptionWindowTexts) {
        EXPECT_EQ(SeenText(form2.get(), row.name).toStdString(), row.text) << "Form2 " << row.name;
    }
    // The charts' titles and axis names.
    const struct {
        TDiagram* d;
        const char *title, *y;
    } charts[] = {{form->DiagramFrame1->Diagram, "Сигнал на входе фильтра", "sвх(t), B"},
                  {form->DiagramFrame2->Diagram, "Сигнал на выходе фильтра", "sвых(t), мВ"}};
    for (const auto& c : charts) {
        EXPECT_EQ(c.d->GetNameDiagram().toStdString(), c.title);
        EXPECT_EQ(c.d->GetNameY().toStdString(), c.y);
        EXPECT_EQ(c.d->GetNameX().toStdString(), "t, мс");
        EXPECT_EQ(c.d->GetFontName().family().toStdString(), "Times New Roman");
        EXPECT_TRUE(c.d->GetFontName().bold() && c.d->GetFontName().italic());
        EXPECT_EQ(c.d->GetFontNet().pixelSize(), 16);
    }
}

TEST_F(Texts, MenusHoldTheirItemsInOrder) {
    auto names = [](QMenu* menu) {
        QStringList list;
        for (QAction* a : menu->actions()) {
            list << a->objectName();
        }
        return list.join(' ').toStdString();
    };
    EXPECT_EQ(names(form->findChild<QMenu*>("N1")), "N3 N4 NSaveReport N6 N5");
    // The designed items, then those of the reference curves after a separator.
    EXPECT_EQ(names(form->findChild<QMenu*>("N2")),
              "N9 N13 N14 NRepeatNoise N17 N18 N24 N25 N26 NMeasure NReferences "
              "NRememberOutput NClearReferences");
    EXPECT_EQ(names(form->findChild<QMenu*>("N18")), "N19 N20 N21 N22 N23");
    EXPECT_EQ(names(form->PopupMenu1), "N7 N8 N27 N28 N32 N33 N36 N37 N42 N43 N44");
    EXPECT_EQ(names(form->findChild<QMenu*>("N37")), "N38 N39 N40 N110 N41");
    EXPECT_EQ(names(form2->PopupMenu1), "N6 N7 N8 N9");
    // Items with a glyph carry an icon.
    for (const char* name : {"N3", "N4", "N5", "N9", "N14", "N18", "N24", "N26", "N7", "N8",
                             "N28", "N33", "N37", "N42", "N44"}) {
        EXPECT_FALSE(form->findChild<QAction*>(name)->icon().isNull()) << name;
    }
}

} // namespace
