// The main window's components, built at their designed places and sizes,
// and its two menus.
#include "app/TForm1.h"

#include <QActionGroup>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>

#include "app/RunCharts.h"
#include "app/SchemePicture.h"
#include "chart/TAlignedCharts.h"
#include "chart/TDiagram.h"
#include "controls/LabIcons.h"
#include "controls/TDiagramFrame.h"
#include "controls/TEditFloat.h"
#include "controls/TGroupBox.h"
#include "controls/TImage.h"

namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

template <class W> W* Make(QWidget* parent, const char* name, int x, int y, int w, int h) {
    W* widget = new W(parent);
    widget->setObjectName(name);
    widget->setGeometry(x, y, w, h);
    return widget;
}

// A drop-down list of count items named by name(item).
QComboBox* MakeList(QWidget* parent, const char* objectName, int x, int y, int w,
                    const char* (*name)(int), int count) {
    auto* box = new QComboBox(parent);
    box->setObjectName(objectName);
    for (int item = 0; item < count; ++item) {
        box->addItem(Text(name(item)));
    }
    box->setGeometry(x, y, w, std::max(21, box->sizeHint().height()));
    return box;
}

QGroupBox* MakeGroup(QWidget* parent, const char* name, const char* title, int x, int y, int w,
                     int h) {
    auto* box = Make<TGroupBox>(parent, name, x, y, w, h);
    box->setTitle(Text(title));
    return box;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, TLabIcon icon,
                        int x, int y, int w, int h) {
    auto* button = Make<QPushButton>(parent, name, x, y, w, h);
    button->setText(Text(caption));
    button->setIcon(LabIcon(icon));
    return button;
}

// Number field p (BenchParameter) with its range and value at start.
TEditFloat* MakeField(QWidget* parent, const char* name, int x, int y, int w, int p) {
    const CBenchParameter& parameter = BenchParameters[p];
    auto* field = Make<TEditFloat>(parent, name, x, y, w, 21);
    field->setMaxLength(7);
    field->LoadDescription({{}, true, parameter.Max, parameter.Min, parameter.Default, {}, {}});
    return field;
}

// The label of number field p, with its caption.
QLabel* MakeLabel(QWidget* parent, const char* name, int p) {
    QLabel* label = Make<QLabel>(parent, name, 8, 48, 200, 21);
    label->setText(Text(BenchParameters[p].Caption));
    return label;
}

} // namespace

void TForm1::BuildMenus() {
    auto add = [](QMenu* menu, const char* name, const char* caption) {
        QAction* a = menu->addAction(Text(caption));
        a->setObjectName(name);
        return a;
    };
    auto addIcon = [](QMenu* menu, const char* name, const char* caption, TLabIcon icon) {
        QAction* a = menu->addAction(LabIcon(icon), Text(caption));
        a->setObjectName(name);
        return a;
    };
    auto separator = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(name);
    };
    auto submenu = [](QMenu* menu, const char* name, const char* caption, TLabIcon icon) {
        QMenu* sub = menu->addMenu(LabIcon(icon), Text(caption));
        sub->setObjectName(name);
        sub->menuAction()->setObjectName(name);
        return sub;
    };
    auto group = [this](std::initializer_list<QAction*> items) {
        auto* g = new QActionGroup(this);
        g->setExclusive(true);
        for (QAction* a : items) {
            a->setCheckable(true);
            g->addAction(a);
        }
        items.begin()[0]->setChecked(true);
    };
    auto on = [this](QAction* a, void (TForm1::*handler)()) {
        connect(a, &QAction::triggered, this, handler);
    };

    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    // Alt and the underlined letter open a menu; the letter is no part of
    // the shown caption.
    QMenu* n1 = bar->addMenu(Text("&Файл"));
    n1->setObjectName("N1");
    n1->menuAction()->setObjectName("N1");
    on(addIcon(n1, "N3", "Копировать схему лабораторной установки", TLabIcon::Copy),
       &TForm1::N3Click);
    on(addIcon(n1, "N4", "Сохранить схему лабораторной установки", TLabIcon::Save),
       &TForm1::N4Click);
    NSaveReport = addIcon(n1, "NSaveReport", "Сохранить отчёт…", TLabIcon::Description);
    NSaveReport->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    on(NSaveReport, &TForm1::NSaveReportClick);
    separator(n1, "N6");
    on(addIcon(n1, "N5", "Выход", TLabIcon::Exit), &TForm1::N5Click);

    N2 = bar->addMenu(Text("&Лабораторная установка"));
    N2->setObjectName("N2");
    N2->menuAction()->setObjectName("N2");
    QMenu* n2 = N2;
    QMenu* n9 = submenu(n2, "N9", "Генератор сигнала", TLabIcon::SignalSource);
    N10 = add(n9, "N10", "Дельта - импульс");
    N11 = add(n9, "N11", "Прямоугольный импульс");
    N12 = add(n9, "N12", "Отключен");
    separator(n2, "N13");
    QMenu* n14 = submenu(n2, "N14", "Генератор шума", TLabIcon::NoiseSource);
    N15 = add(n14, "N15", "Отключен");
    N16 = add(n14, "N16", "Подключен");
    // Filters compared on the same noise: every run and measurement starts
    // the noise from the session's one seed.
    NRepeatNoise = add(n2, "NRepeatNoise", "Повторять реализацию шума");
    NRepeatNoise->setCheckable(true);
    connect(NRepeatNoise, &QAction::toggled, this,
            [this](bool repeat) { Session.SetRepeatsNoise(repeat); });
    separator(n2, "N17");
    QMenu* n18 = submenu(n2, "N18", "Фильтр", TLabIcon::Filter);
    N19 = add(n18, "N19", "СФ для прямоугольного импульса");
    N20 = add(n18, "N20", "СФ для прямоугольного импульса с неидеальным интегратором");
    N21 = add(n18, "N21", "СФ для импульса \"меандр\"");
    N22 = add(n18, "N22", "ФНЧ первого порядка");
    N23 = add(n18, "N23", "ФНЧ с П - образной АЧХ");
    on(addIcon(n2, "N24", "Описание фильтра", TLabIcon::Description), &TForm1::BitBtn2Click);
    separator(n2, "N25");
    QAction* n26 = addIcon(n2, "N26", "Пуск", TLabIcon::Start);
    n26->setShortcut(QKeySequence(Qt::Key_F9));
    on(n26, &TForm1::BitBtn1Click);
    NMeasure = addIcon(n2, "NMeasure", "Измерение", TLabIcon::Registrar);
    NMeasure->setShortcut(QKeySequence(Qt::Key_F8));
    NMeasure->setEnabled(false);
    on(NMeasure, &TForm1::BitBtn3Click);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    QMenu* p = PopupMenu1;
    on(addIcon(p, "N7", "Копировать схему лабораторной установки", TLabIcon::Copy),
       &TForm1::N3Click);
    on(addIcon(p, "N8", "Сохранить схему лабораторной установки", TLabIcon::Save),
       &TForm1::N4Click);
    separator(p, "N27");
    QMenu* n28 = submenu(p, "N28", "Генератор сигнала", TLabIcon::SignalSource);
    N29 = add(n28, "N29", "Дельта - импульс");
    N30 = add(n28, "N30", "Прямоугольный импульс");
    N31 = add(n28, "N31", "Отключен");
    separator(p, "N32");
    QMenu* n33 = submenu(p, "N33", "Генератор шума", TLabIcon::NoiseSource);
    N34 = add(n33, "N34", "Отключен");
    N35 = add(n33, "N35", "Подключен");
    separator(p, "N36");
    QMenu* n37 = submenu(p, "N37", "Фильтр", TLabIcon::Filter);
    N38 = add(n37, "N38", "СФ для прямоугольного импульса");
    N39 = add(n37, "N39", "СФ для прямоугольного импульса с неидеальным интегратором");
    N40 = add(n37, "N40", "СФ для импульса \"меандр\"");
    N110 = add(n37, "N110", "ФНЧ 1-го порядка");
    N41 = add(n37, "N41", "ФНЧ с П - образной АЧХ");
    on(addIcon(p, "N42", "Описание фильтра", TLabIcon::Description), &TForm1::BitBtn2Click);
    separator(p, "N43");
    on(addIcon(p, "N44", "Пуск", TLabIcon::Start), &TForm1::BitBtn1Click);

    group({N10, N11, N12});
    group({N15, N16});
    group({N19, N20, N21, N22, N23});
    group({N29, N30, N31});
    group({N34, N35});
    group({N38, N39, N40, N110, N41});

    for (QAction* a : {N10, N29}) {
        on(a, &TForm1::N10Click);
    }
    for (QAction* a : {N11, N30}) {
        on(a, &TForm1::N11Click);
    }
    for (QAction* a : {N12, N31}) {
        on(a, &TForm1::N12Click);
    }
    for (QAction* a : {N15, N34}) {
        on(a, &TForm1::N15Click);
    }
    for (QAction* a : {N16, N35}) {
        on(a, &TForm1::N16Click);
    }
    for (QAction* a : {N19, N38}) {
        on(a, &TForm1::N19Click);
    }
    for (QAction* a : {N20, N39}) {
        on(a, &TForm1::N20Click);
    }
    for (QAction* a : {N21, N40}) {
        on(a, &TForm1::N21Click);
    }
    for (QAction* a : {N22, N110}) {
        on(a, &TForm1::N22Click);
    }
    for (QAction* a : {N23, N41}) {
        on(a, &TForm1::N23Click);
    }
}

void TForm1::BuildBenchPage() {
    QWidget* page = TabSheet1;

    Panel1 = Make<QFrame>(page, "Panel1", 0, 0, 777, 313);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(2);
    Panel1->setAutoFillBackground(true);
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    // The frame's light edges (bottom, right) in a mid tone: white on white
    // would leave only its top and left edges to be seen.
    white.setColor(QPalette::Light, white.color(QPalette::Mid));
    Panel1->setPalette(white);
    Panel1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Panel1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(Panel1->mapToGlobal(at)); });
    TImage** images[] = {&Image1, &Image2, &Image3, &Image4};
    for (int n = 1; n <= 4; ++n) {
        TImage* image = new TImage(Panel1);
        image->setObjectName(QString("Image%1").arg(n));
        image->setGeometry(16, 8, SchemeWidth, SchemeHeight);
        image->SetPicture(QSize(SchemeWidth, SchemeHeight), [n](QPainter& painter) {
            PaintScheme(painter, SchemeSwitchesOfImage(n));
        });
        image->SetPopupMenu(PopupMenu1);
        image->setVisible(n == 1);
        *images[n - 1] = image;
    }

    GroupBox1 = MakeGroup(page, "GroupBox1", " Генератор сигнала ", 8, 320, 169, 105);
    ComboBox1 = MakeList(GroupBox1, "ComboBox1", 8, 32, 153, SignalItemName, SignalItemCount);
    connect(ComboBox1, &QComboBox::activated, this, &TForm1::ComboBox1Change);

    GroupBox2 = MakeGroup(page, "GroupBox2", " Генератор шума ", 184, 320, 185, 105);
    ComboBox3 = MakeList(GroupBox2, "ComboBox3", 16, 32, 153, NoiseItemName, NoiseItemCount);
    connect(ComboBox3, &QComboBox::activated, this, &TForm1::ComboBox1Change);

    GroupBox3 = MakeGroup(page, "GroupBox3", " Фильтр ", 376, 320, 393, 105);
    ComboBox2 = MakeList(GroupBox3, "ComboBox2", 8, 20, 377, FilterItemName, FilterItemCount);
    connect(ComboBox2, &QComboBox::activated, this, &TForm1::ComboBox2Change);
    BitBtn2 = MakeButton(GroupBox3, "BitBtn2", "Описание", TLabIcon::Description, 264, 57, 105, 25);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
    Label1 = MakeLabel(GroupBox3, "Label1", bpIntegratorTimeConstant);
    Label2 = MakeLabel(GroupBox3, "Label2", bpTimeConstant);
    Label3 = MakeLabel(GroupBox3, "Label3", bpCutOff);
    EditFloat2 = MakeField(GroupBox3, "EditFloat2", 10, 70, 200, bpIntegratorTimeConstant);
    EditFloat3 = MakeField(GroupBox3, "EditFloat3", 8, 70, 200, bpTimeConstant);
    EditFloat4 = MakeField(GroupBox3, "EditFloat4", 8, 70, 200, bpCutOff);
    for (QWidget* w : std::initializer_list<QWidget*>{Label1, Label2, Label3, EditFloat2,
                                                      EditFloat3, EditFloat4}) {
        w->hide();
    }

    GroupBox4 = MakeGroup(page, "GroupBox4", " Регистратор  мВ*мВ ", 376, 432, 393, 73);
    StaticText1 = Make<QLabel>(GroupBox4, "StaticText1", 8, 24, 201, 21);
    StaticText1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StaticText1->setAutoFillBackground(true);
    QPalette readout = StaticText1->palette();
    readout.setColor(QPalette::Window, Qt::white);
    readout.setColor(QPalette::Light, readout.color(QPalette::Mid)); // as Panel1's frame
    StaticText1->setPalette(readout);
    QFont readoutFont("Times New Roman");
    readoutFont.setPixelSize(19);
    readoutFont.setBold(true);
    readoutFont.setItalic(true);
    StaticText1->setFont(readoutFont);
    StaticText1->setText("0");
    // The student copies the reading into a report.
    StaticText1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    BitBtn3 = MakeButton(GroupBox4, "BitBtn3", "Измерение", TLabIcon::Registrar, 264, 24, 105, 25);
    BitBtn3->setEnabled(false);
    connect(BitBtn3, &QPushButton::clicked, this, &TForm1::BitBtn3Click);

    BitBtn1 = MakeButton(page, "BitBtn1", "Пуск", TLabIcon::Start, 16, 448, 161, 41);
    BitBtn1->setIconSize(QSize(24, 24));
    connect(BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);

    GroupBox5 = MakeGroup(page, "GroupBox5", BenchParameters[bpGain].Caption, 184, 432, 185, 73);
    EditFloat1 = MakeField(GroupBox5, "EditFloat1", 16, 28, 153, bpGain);

    for (int p = 0; p < BenchParameterCount; ++p) {
        ParameterField(p)->installEventFilter(this);
    }
}

void TForm1::BuildChartsPage() {
    DiagramFrame1 =
        Make<TDiagramFrame>(TabSheet2, "DiagramFrame1", 8, 0, RunChartWidth, RunChartHeight);
    DiagramFrame2 =
        Make<TDiagramFrame>(TabSheet2, "DiagramFrame2", 8, 260, RunChartWidth, RunChartHeight);
    SetUpRunChart(*DiagramFrame1->Diagram, false);
    SetUpRunChart(*DiagramFrame2->Diagram, true);
    // Moving over one chart shows its tools and puts the other's away.
    QObject::disconnect(DiagramFrame1->Diagram, &TDiagram::OnMouseMove, DiagramFrame1, nullptr);
    QObject::disconnect(DiagramFrame2->Diagram, &TDiagram::OnMouseMove, DiagramFrame2, nullptr);
    connect(DiagramFrame1->Diagram, &TDiagram::OnMouseMove, this,
            &TForm1::DiagramFrame1DiagramMouseMove);
    connect(DiagramFrame2->Diagram, &TDiagram::OnMouseMove, this,
            &TForm1::DiagramFrame2DiagramMouseMove);
    // One time at one x on both charts, whichever labels are wider.
    auto* aligned = new TAlignedCharts(TabSheet2);
    aligned->Add(*DiagramFrame1->Diagram);
    aligned->Add(*DiagramFrame2->Diagram);
}

void TForm1::BuildKeysAndNames() {
    // As on most desktops, F10 opens the menu bar's first menu.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    f10->setObjectName("MenuBarKey");
    connect(f10, &QShortcut::activated, this, [this] {
        const QList<QAction*> menus = menuBar()->actions();
        if (!menus.isEmpty()) {
            menuBar()->setActiveAction(menus.first());
        }
    });

    // What a screen reader says of each control: the caption the student
    // reads beside it, without its punctuation.
    const auto named = [](QWidget* w, const char* name) {
        w->setAccessibleName(QString::fromUtf8(name).trimmed());
    };
    named(ComboBox1, "Генератор сигнала");
    named(ComboBox3, "Генератор шума");
    named(ComboBox2, "Фильтр");
    for (int p = 0; p < BenchParameterCount; ++p) {
        QString caption = QString::fromUtf8(BenchParameters[p].Caption).trimmed();
        if (caption.endsWith(':')) {
            caption.chop(1);
        }
        ParameterField(p)->setAccessibleName(caption);
    }
    named(StaticText1, "Регистратор, мВ*мВ");
    StaticText1->setAccessibleDescription(
        QString::fromUtf8("Средняя мощность шума на выходе фильтра"));
    named(Panel1, "Схема лабораторной установки");
    for (TImage* image : {Image1, Image2, Image3, Image4}) {
        named(image, "Схема лабораторной установки");
    }
    named(PageControl1, "Страницы");
}
