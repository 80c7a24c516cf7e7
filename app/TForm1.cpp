#include "app/TForm1.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>

#include "app/BenchPictures.h"
#include "app/BusyCursor.h"
#include "app/RunOnChart.h"
#include "app/TForm2.h"
#include "app/THelloForm.h"
#include "base/FloatToText.h"
#include "bench/CRunDisplay.h"
#include "chart/TDiagram.h"
#include "controls/LabIcons.h"
#include "controls/SaveImageToBmp.h"
#include "controls/TDiagramFrame.h"
#include "controls/TDiagramIncrease.h"
#include "controls/TEditFloat.h"
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

QComboBox* MakeList(QWidget* parent, const char* name, int x, int y, int w,
                    std::initializer_list<const char*> items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (const char* item : items) {
        box->addItem(Text(item));
    }
    box->setGeometry(x, y, w, std::max(21, box->sizeHint().height()));
    return box;
}

QGroupBox* MakeGroup(QWidget* parent, const char* name, const char* title, int x, int y, int w,
                     int h) {
    auto* box = Make<QGroupBox>(parent, name, x, y, w, h);
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

TEditFloat* MakeField(QWidget* parent, const char* name, int x, int y, int w, double min,
                      double max, double val) {
    auto* field = Make<TEditFloat>(parent, name, x, y, w, 21);
    field->setMaxLength(7);
    field->LoadDescription({{}, true, max, min, val, {}, {}});
    return field;
}

QFont ChartFont(bool boldItalic) {
    QFont font("Times New Roman");
    font.setPixelSize(16);
    font.setBold(boldItalic);
    font.setItalic(boldItalic);
    return font;
}

void SetUpChart(TDiagram* d, const char* title, const char* nameY) {
    d->SetFontName(ChartFont(true));
    d->SetFontNameX(ChartFont(true));
    d->SetFontNameY(ChartFont(true));
    d->SetFontNet(ChartFont(false));
    d->SetNameDiagram(Text(title));
    d->SetNameY(Text(nameY));
    d->SetNameX(Text("t, мс"));
}

} // namespace

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    // The splash goes up first, so that it is on screen while the rest of
    // the window is built.
    HelloForm = new THelloForm;
    HelloForm->show();
    HelloForm->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    setObjectName("Form1");
    setWindowTitle(Text("Лабораторная работа№1 \"Исследование согласованных и квазиоптимальных "
                        "фильтров\" Тармин 2010г."));
    setWindowIcon(LabIcon(TLabIcon::Application));
    // Where the designed face is missing, a face of its widths comes next,
    // so that every caption fits the designed control sizes.
    QFont font;
    font.setFamilies({"MS Sans Serif", "Liberation Sans", "Arial"});
    font.setPixelSize(11);
    setFont(font);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setFixedSize(784, 542);
    setCentralWidget(PageControl1);
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName("TabSheet1");
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName("TabSheet2");
    PageControl1->addTab(TabSheet1, Text("Лабораторная установка"));
    PageControl1->addTab(TabSheet2, Text("Временные диаграммы"));

    BuildMenus();
    BuildBenchPage();
    BuildChartsPage();

    // Mouse moves over the page control or the charts' page, outside both
    // charts, put the charts' tools away.
    for (QWidget* w : {static_cast<QWidget*>(PageControl1), TabSheet2}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }

    ComboBox1->setCurrentIndex(0);
    ComboBox2->setCurrentIndex(0);
    ComboBox3->setCurrentIndex(0);

    // Fixed size: the client area is the page control, below the menu bar.
    DesignedSize = QSize(784, 542 + menuBar()->sizeHint().height());
    setFixedSize(DesignedSize);
    FormCreate();
}

TForm1::~TForm1() {
    // A splash still up when the program ends goes with the main window.
    delete HelloForm.data();
}

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
    QMenu* n1 = bar->addMenu(Text("Файл"));
    n1->setObjectName("N1");
    n1->menuAction()->setObjectName("N1");
    on(addIcon(n1, "N3", "Копировать схему лабораторной установки", TLabIcon::Copy),
       &TForm1::N3Click);
    on(addIcon(n1, "N4", "Сохранить схему лабораторной установки", TLabIcon::Save),
       &TForm1::N4Click);
    separator(n1, "N6");
    on(addIcon(n1, "N5", "Выход", TLabIcon::Exit), &TForm1::N5Click);

    QMenu* n2 = bar->addMenu(Text("Лабораторная установка"));
    n2->setObjectName("N2");
    n2->menuAction()->setObjectName("N2");
    QMenu* n9 = submenu(n2, "N9", "Генератор сигнала", TLabIcon::SignalSource);
    N10 = add(n9, "N10", "Дельта - импульс");
    N11 = add(n9, "N11", "Прямоугольный импульс");
    N12 = add(n9, "N12", "Отключен");
    separator(n2, "N13");
    QMenu* n14 = submenu(n2, "N14", "Генератор шума", TLabIcon::NoiseSource);
    N15 = add(n14, "N15", "Отключен");
    N16 = add(n14, "N16", "Подключен");
    separator(n2, "N17");
    QMenu* n18 = submenu(n2, "N18", "Фильтр", TLabIcon::Filter);
    N19 = add(n18, "N19", "СФ для прямоугольного импульса");
    N20 = add(n18, "N20", "СФ для прямоугольного импульса с неидеальным интегратором");
    N21 = add(n18, "N21", "СФ для импульса \"меандр\"");
    N22 = add(n18, "N22", "ФНЧ первого порядка");
    N23 = add(n18, "N23", "ФНЧ с П - образной АЧХ");
    on(addIcon(n2, "N24", "Описание фильтра", TLabIcon::Description), &TForm1::BitBtn2Click);
    separator(n2, "N25");
    on(addIcon(n2, "N26", "Пуск", TLabIcon::Start), &TForm1::BitBtn1Click);

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
    ComboBox1 = MakeList(GroupBox1, "ComboBox1", 8, 32, 153,
                         {"Дельта-импульс", "Прямоугольный импульс", "Отключен"});
    connect(ComboBox1, &QComboBox::activated, this, &TForm1::ComboBox1Change);

    GroupBox2 = MakeGroup(page, "GroupBox2", " Генератор шума ", 184, 320, 185, 105);
    ComboBox3 = MakeList(GroupBox2, "ComboBox3", 16, 32, 153, {"Отключен", "Подключен"});
    connect(ComboBox3, &QComboBox::activated, this, &TForm1::ComboBox1Change);

    GroupBox3 = MakeGroup(page, "GroupBox3", " Фильтр ", 376, 320, 393, 105);
    ComboBox2 =
        MakeList(GroupBox3, "ComboBox2", 8, 20, 377,
                 {"СФ для прямоугольного импульса",
                  "СФ для прямоугольного импульса с неидеальным интегратором",
                  "СФ для импульса \"меандр\"", "ФНЧ 1-го порядка", "ФНЧ с П - образной АЧХ"});
    connect(ComboBox2, &QComboBox::activated, this, &TForm1::ComboBox2Change);
    BitBtn2 = MakeButton(GroupBox3, "BitBtn2", "Описание", TLabIcon::Description, 264, 57, 105, 25);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
    Label1 = Make<QLabel>(GroupBox3, "Label1", 8, 48, 200, 21);
    Label1->setText(Text("Постоянная времени интегратора, мс:"));
    Label2 = Make<QLabel>(GroupBox3, "Label2", 8, 48, 200, 21);
    Label2->setText(Text("Постоянная времени, мс:"));
    Label3 = Make<QLabel>(GroupBox3, "Label3", 8, 48, 200, 21);
    Label3->setText(Text("Частота среза, Гц:"));
    EditFloat2 = MakeField(GroupBox3, "EditFloat2", 10, 70, 200, 10, 100000, 100);
    EditFloat3 = MakeField(GroupBox3, "EditFloat3", 8, 70, 200, 10, 10000, 100);
    EditFloat4 = MakeField(GroupBox3, "EditFloat4", 8, 70, 200, 1, 300, 1);
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

    GroupBox5 = MakeGroup(page, "GroupBox5", " Коэффициент усиления  ", 184, 432, 185, 73);
    EditFloat1 = MakeField(GroupBox5, "EditFloat1", 16, 28, 153, 0, 1000, 1);

    for (TEditFloat* field : {EditFloat1, EditFloat2, EditFloat3, EditFloat4}) {
        field->installEventFilter(this);
    }
}

void TForm1::BuildChartsPage() {
    DiagramFrame1 = Make<TDiagramFrame>(TabSheet2, "DiagramFrame1", 8, 0, 760, 250);
    DiagramFrame2 = Make<TDiagramFrame>(TabSheet2, "DiagramFrame2", 8, 260, 760, 250);
    SetUpChart(DiagramFrame1->Diagram, "Сигнал на входе фильтра", "sвх(t), B");
    SetUpChart(DiagramFrame2->Diagram, "Сигнал на выходе фильтра", "sвых(t), мВ");
    // Moving over one chart shows its tools and puts the other's away.
    QObject::disconnect(DiagramFrame1->Diagram, &TDiagram::OnMouseMove, DiagramFrame1, nullptr);
    QObject::disconnect(DiagramFrame2->Diagram, &TDiagram::OnMouseMove, DiagramFrame2, nullptr);
    connect(DiagramFrame1->Diagram, &TDiagram::OnMouseMove, this,
            &TForm1::DiagramFrame1DiagramMouseMove);
    connect(DiagramFrame2->Diagram, &TDiagram::OnMouseMove, this,
            &TForm1::DiagramFrame2DiagramMouseMove);
}

bool TForm1::StartsMaximised(const QSize& screen) {
    return screen.width() <= 800 || screen.height() <= 600;
}

void TForm1::FormCreate() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        FitToScreen(screen->size(), screen->availableGeometry());
    }
}

void TForm1::FitToScreen(const QSize& screen, const QRect& available) {
    if (StartsMaximised(screen)) {
        // The designed size does not fit: take the whole screen instead (also
        // where no window manager maximises the window for us).
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        setGeometry(available);
        setWindowState(windowState() | Qt::WindowMaximized);
        return;
    }
    setWindowState(windowState() & ~Qt::WindowMaximized);
    setFixedSize(DesignedSize);
    // The designed place, unless the window would stick out of the screen
    // there; never above or left of the screen, where the menu would be lost.
    const QRect designed(QPoint(267, 111), DesignedSize);
    const QPoint centred = available.center() - QRect(QPoint(), DesignedSize).center();
    move(available.contains(designed) ? designed.topLeft()
                                      : QPoint(std::max(centred.x(), available.left()),
                                               std::max(centred.y(), available.top())));
}

void TForm1::SetForm2(TForm2* form) {
    Form2 = form;
}

void TForm1::SetDiagramIncrease(TDiagramIncrease* window) {
    DiagramIncrease = window;
    DiagramFrame1->SetDiagramIncrease(window);
    DiagramFrame2->SetDiagramIncrease(window);
}

double TForm1::FieldValue(TEditFloat* field) {
    // A correction message runs its own event loop; a field exit queued
    // before it must not read a field again while this read is unfinished.
    ++FieldReads;
    field->GetModify();
    --FieldReads;
    return field->GetVal();
}

CBenchControls TForm1::Controls() {
    CBenchControls c;
    c.SignalItem = ComboBox1->currentIndex();
    c.NoiseItem = ComboBox3->currentIndex();
    c.FilterItem = ComboBox2->currentIndex();
    c.IntegratorTimeConstant = [this] { return FieldValue(EditFloat2); };
    c.TimeConstant = [this] { return FieldValue(EditFloat3); };
    c.CutOff = [this] { return FieldValue(EditFloat4); };
    c.Gain = [this] { return FieldValue(EditFloat1); };
    return c;
}

// ---------------------------------------------------------------- Start

void TForm1::ShowRun(TDiagramFrame* frame, const double* samples, const CRunDisplay& display,
                     bool output) {
    ShowRunOnChart(*frame->Diagram, samples, display, output);
    frame->SaveInitialLimits();
}

void TForm1::BitBtn1Click() {
    TBusyCursor busy;
    StaticText1->setText("0");
    Bench.ComputeRun(Controls());
    const CRunDisplay display = RunDisplayFor(ComboBox1->currentIndex());
    ShowRun(DiagramFrame1, InputSamples, display, false);
    ShowRun(DiagramFrame2, OutputSamples, display, true);
    if (PageControl1->currentIndex() != 1) {
        PageControl1->setCurrentIndex(1);
    }
}

// ---------------------------------------------------------------- Measurement

void TForm1::BitBtn3Click() {
    TBusyCursor busy;
    StaticText1->setText("0");
    const CMeasurement m = Bench.Measure(Controls());
    StaticText1->setText(QString::fromStdString(FloatToText(2, m.RegistrarValue)));
}

// ---------------------------------------------------------------- choices

void TForm1::ComboBox1Change() {
    const int s = ComboBox1->currentIndex();
    const bool noise = ComboBox3->currentIndex() != niOff;
    SignalGenerator.Kind = SignalKindForItem(s);
    if (s == siOff) {
        Image1->hide();
        Image2->hide();
        N12->setChecked(true);
        N31->setChecked(true);
        (noise ? N16 : N15)->setChecked(true);
        (noise ? N35 : N34)->setChecked(true);
        Image3->setVisible(noise);
        Image4->setVisible(!noise);
        // Only noise alone can be measured.
        BitBtn3->setEnabled(noise);
    } else {
        (s == siDelta ? N10 : N11)->setChecked(true);
        (s == siDelta ? N29 : N30)->setChecked(true);
        Image3->hide();
        BitBtn3->setEnabled(false);
        Image4->hide();
        (noise ? N16 : N15)->setChecked(true);
        (noise ? N35 : N34)->setChecked(true);
        Image2->setVisible(noise);
        Image1->setVisible(!noise);
    }
}

void TForm1::ComboBox2Change() {
    for (QWidget* w : std::initializer_list<QWidget*>{Label1, EditFloat2, Label2, EditFloat3,
                                                      Label3, EditFloat4}) {
        w->hide();
    }
    const int item = ComboBox2->currentIndex();
    if (Form2) {
        for (TImage* image : Form2->Images()) {
            image->hide();
        }
        Form2->setWindowTitle(ComboBox2->currentText());
    }
    struct Row {
        QAction* mainItem;
        QAction* popupItem;
        QLabel* label;
        TEditFloat* field;
    };
    const Row rows[] = {{N19, N38, nullptr, nullptr},
                        {N20, N39, Label1, EditFloat2},
                        {N21, N40, nullptr, nullptr},
                        {N22, N110, Label2, EditFloat3},
                        {N23, N41, Label3, EditFloat4}};
    if (item < 0 || item > 4) {
        return;
    }
    const Row& row = rows[item];
    row.mainItem->setChecked(true);
    row.popupItem->setChecked(true);
    if (row.field) {
        row.label->show();
        // The field shows what its filter holds now, which a run may have
        // changed since the field was last set.
        double value = 0;
        switch (item) {
        case fiMafNotIdeal:
            value = Bench.MafNotIdealFilter.GetTimeConstant();
            break;
        case fiLowBand1:
            value = Bench.LowBandFilter1.GetTimeConstant();
            break;
        default:
            value = Bench.ChebishevFilter.GetCyclicBandEdge() * 1000.0;
            break;
        }
        row.field->SetVal(value);
        row.field->show();
    }
    if (Form2) {
        Form2->Images()[item]->show();
    }
}

void TForm1::ChooseItem(QComboBox* box, int item) {
    box->setCurrentIndex(item);
    if (box == ComboBox2) {
        ComboBox2Change();
    } else {
        ComboBox1Change();
    }
    // On the charts' page the student sees the new configuration at once.
    if (PageControl1->currentIndex() == 1) {
        BitBtn1Click();
    }
}

void TForm1::N10Click() {
    ChooseItem(ComboBox1, siDelta);
}
void TForm1::N11Click() {
    ChooseItem(ComboBox1, siRectangle);
}
void TForm1::N12Click() {
    ChooseItem(ComboBox1, siOff);
}
void TForm1::N15Click() {
    ChooseItem(ComboBox3, niOff);
}
void TForm1::N16Click() {
    ChooseItem(ComboBox3, niOn);
}
void TForm1::N19Click() {
    ChooseItem(ComboBox2, fiMaf);
}
void TForm1::N20Click() {
    ChooseItem(ComboBox2, fiMafNotIdeal);
}
void TForm1::N21Click() {
    ChooseItem(ComboBox2, fiMeandr);
}
void TForm1::N22Click() {
    ChooseItem(ComboBox2, fiLowBand1);
}
void TForm1::N23Click() {
    ChooseItem(ComboBox2, fiChebishev);
}

// ---------------------------------------------------------------- fields

void TForm1::EditFloat1Exit() {
    FieldValue(EditFloat1);
}
void TForm1::EditFloat2Exit() {
    Bench.SetIntegratorTimeConstant(FieldValue(EditFloat2));
}
void TForm1::EditFloat3Exit() {
    Bench.SetTimeConstant(FieldValue(EditFloat3));
}
void TForm1::EditFloat4Exit() {
    Bench.SetCutOff(FieldValue(EditFloat4));
}

// ---------------------------------------------------------------- pictures and windows

TImage* TForm1::ShownImage() const {
    for (TImage* image : {Image1, Image2, Image3}) {
        if (!image->isHidden()) {
            return image;
        }
    }
    return Image4;
}

void TForm1::N3Click() {
    QGuiApplication::clipboard()->setImage(ShownImage()->GetPicture());
}

void TForm1::N4Click() {
    SaveImageToBmp(ShownImage());
}

void TForm1::BitBtn2Click() {
    if (!Form2) {
        return;
    }
    Form2->adjustSize();
    Form2->move(frameGeometry().center() - Form2->rect().center());
    Form2->exec();
}

void TForm1::N5Click() {
    QCoreApplication::quit();
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The splash stays in front until it goes, also where no window manager
    // keeps it on top.
    if (HelloForm) {
        HelloForm->raise();
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    // The program ends with the main window: a modal window still open
    // (description or enlarged chart) is closed first, while the charts it
    // may refer to are still there, so that its loop ends and it lets go.
    if (DiagramIncrease && DiagramIncrease->isVisible()) {
        DiagramIncrease->close();
    }
    if (Form2 && Form2->isVisible()) {
        Form2->close();
    }
    if (HelloForm) {
        HelloForm->close();
    }
    QMainWindow::closeEvent(event);
}

// ---------------------------------------------------------------- chart tools

void TForm1::TabSheet2MouseMove() {
    DiagramFrame1->HideTools();
    DiagramFrame2->HideTools();
}

void TForm1::DiagramFrame1DiagramMouseMove(TDiagram* sender, Qt::KeyboardModifiers shift, int x,
                                           int y) {
    DiagramFrame1->DiagramMouseMove(sender, shift, x, y);
    DiagramFrame2->HideTools();
}

void TForm1::DiagramFrame2DiagramMouseMove(TDiagram* sender, Qt::KeyboardModifiers shift, int x,
                                           int y) {
    DiagramFrame2->DiagramMouseMove(sender, shift, x, y);
    DiagramFrame1->HideTools();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove && (watched == PageControl1 || watched == TabSheet2)) {
        // Moves over a chart reach the page too, on their way up; only those
        // outside both frames put the tools away.
        const QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        const QWidget* under = QApplication::widgetAt(at);
        const bool overFrame =
            under && (DiagramFrame1->isAncestorOf(under) || DiagramFrame2->isAncestorOf(under) ||
                      under == DiagramFrame1 || under == DiagramFrame2);
        if (!overFrame) {
            TabSheet2MouseMove();
        }
    } else if (event->type() == QEvent::FocusOut) {
        // Leaving a field applies it; focus lost to a menu or another window
        // is no leaving. The handler waits until the event that moved the
        // focus is over, so that a correction message cannot swallow the
        // click that moved it.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        void (TForm1::*handler)() = watched == EditFloat1   ? &TForm1::EditFloat1Exit
                                    : watched == EditFloat2 ? &TForm1::EditFloat2Exit
                                    : watched == EditFloat3 ? &TForm1::EditFloat3Exit
                                    : watched == EditFloat4 ? &TForm1::EditFloat4Exit
                                                            : nullptr;
        if (handler && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            // A read already under way (its message on screen) reads the
            // field itself.
            QMetaObject::invokeMethod(
                this,
                [this, handler] {
                    if (FieldReads == 0) {
                        (this->*handler)();
                    }
                },
                Qt::QueuedConnection);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
