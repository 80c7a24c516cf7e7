#include "app/TForm1.h"

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
#include <QTabBar>
#include <QTabWidget>

#include "app/AfterMouseRelease.h"
#include "app/BusyCursor.h"
#include "app/OutputReferences.h"
#include "app/RunOnChart.h"
#include "app/TForm2.h"
#include "app/THelloForm.h"
#include "app/TJournalPage.h"
#include "base/FloatToText.h"
#include "bench/CJournal.h"
#include "bench/CRunDisplay.h"
#include "chart/TDiagram.h"
#include "controls/LabIcons.h"
#include "controls/SaveImageToBmp.h"
#include "controls/TDiagramFrame.h"
#include "controls/TDiagramIncrease.h"
#include "controls/TEditFloat.h"
#include "controls/TImage.h"

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
    setWindowTitle(
        QString::fromUtf8("Лабораторная работа№1 \"Исследование согласованных и квазиоптимальных "
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
    PageControl1->setFixedSize(ClientWidth, ClientHeight);
    setCentralWidget(PageControl1);
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName("TabSheet1");
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName("TabSheet2");
    PageControl1->addTab(TabSheet1, QString::fromUtf8("Лабораторная установка"));
    PageControl1->addTab(TabSheet2, QString::fromUtf8("Временные диаграммы"));
    TabSheet3 = new TJournalPage;
    TabSheet3->setObjectName("TabSheet3");
    PageControl1->addTab(TabSheet3, QString::fromUtf8("Журнал"));

    BuildMenus();
    BuildBenchPage();
    BuildChartsPage();
    OutputReferences = new TOutputReferences(*this);

    // Mouse moves over the page control (its tab bar included) or the
    // charts' page, outside both charts, put the charts' tools away.
    for (QWidget* w :
         std::initializer_list<QWidget*>{PageControl1, PageControl1->tabBar(), TabSheet2}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }

    ComboBox1->setCurrentIndex(0);
    ComboBox2->setCurrentIndex(0);
    ComboBox3->setCurrentIndex(0);

    // Fixed size: the client area is the page control, below the menu bar.
    DesignedSize = QSize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
    setFixedSize(DesignedSize);
    FormCreate();
}

TForm1::~TForm1() {
    // A splash still up when the program ends goes with the main window.
    delete HelloForm.data();
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
    const CBenchControls controls = Controls();
    Bench.ComputeRun(controls);
    const CRunDisplay display = RunDisplayFor(controls);
    // What the run has applied names the output it draws next, on the chart
    // and in the journal.
    const CBenchSetup applied = AppliedSetup(Bench, controls);
    OutputReferences->RunShown(applied);
    ShowRun(DiagramFrame1, InputSamples, display, false);
    ShowRun(DiagramFrame2, OutputSamples, display, true);
    TabSheet3->AddRun(applied, OutputSamples);
    if (PageControl1->currentIndex() != 1) {
        PageControl1->setCurrentIndex(1);
    }
}

// ---------------------------------------------------------------- Measurement

void TForm1::BitBtn3Click() {
    TBusyCursor busy;
    StaticText1->setText("0");
    const CBenchControls controls = Controls();
    const CMeasurement m = Bench.Measure(controls);
    StaticText1->setText(QString::fromStdString(FloatToText(2, m.RegistrarValue)));
    TabSheet3->AddMeasurement(AppliedSetup(Bench, controls), StaticText1->text());
}

// ---------------------------------------------------------------- choices

namespace {

// Checks the radio item of a choice; an item the menu lacks checks nothing.
void CheckItem(std::initializer_list<QAction*> items, int item) {
    if (item >= 0 && item < static_cast<int>(items.size())) {
        items.begin()[item]->setChecked(true);
    }
}

} // namespace

void TForm1::ComboBox1Change() {
    const int s = ComboBox1->currentIndex();
    const int n = ComboBox3->currentIndex();
    ChooseSignal(s);
    CheckItem({N10, N11, N12}, s);
    CheckItem({N29, N30, N31}, s);
    CheckItem({N15, N16}, NoiseAddedForItem(n) ? niOn : niOff);
    CheckItem({N34, N35}, NoiseAddedForItem(n) ? niOn : niOff);
    const int shown = SchemeImageFor(s, n);
    int image = 1;
    for (TImage* picture : {Image1, Image2, Image3, Image4}) {
        picture->setVisible(image++ == shown);
    }
    BitBtn3->setEnabled(CanMeasure(s, n));
}

void TForm1::ComboBox2Change() {
    QLabel* const labels[BenchParameterCount] = {nullptr, Label1, Label2, Label3};
    TEditFloat* const fields[BenchParameterCount] = {EditFloat1, EditFloat2, EditFloat3,
                                                     EditFloat4};
    for (int p = bpIntegratorTimeConstant; p < BenchParameterCount; ++p) {
        labels[p]->hide();
        fields[p]->hide();
    }
    const int item = ComboBox2->currentIndex();
    if (Form2) {
        for (TImage* image : Form2->Images()) {
            image->hide();
        }
        Form2->setWindowTitle(ComboBox2->currentText());
    }
    if (item < 0 || item >= FilterItemCount) {
        return;
    }
    CheckItem({N19, N20, N21, N22, N23}, item);
    CheckItem({N38, N39, N40, N110, N41}, item);
    const int p = ParameterOfFilter(item);
    if (p != NoBenchParameter && labels[p]) {
        labels[p]->show();
        // The field shows what its filter holds now, which a run may have
        // changed since the field was last set.
        fields[p]->SetVal(Bench.ParameterValue(p));
        fields[p]->show();
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
    if (event->type() == QEvent::MouseMove &&
        (watched == PageControl1 || watched == PageControl1->tabBar() || watched == TabSheet2)) {
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
        // focus is over.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        void (TForm1::*handler)() = watched == EditFloat1   ? &TForm1::EditFloat1Exit
                                    : watched == EditFloat2 ? &TForm1::EditFloat2Exit
                                    : watched == EditFloat3 ? &TForm1::EditFloat3Exit
                                    : watched == EditFloat4 ? &TForm1::EditFloat4Exit
                                                            : nullptr;
        if (handler && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            // A read already under way (its message on screen) reads the
            // field itself.
            const auto check = [this, handler] {
                if (FieldReads == 0) {
                    (this->*handler)();
                }
            };
            QMetaObject::invokeMethod(
                this,
                [this, check] {
                    // A click that moved the focus is still under way: a
                    // message shown now would take its release, and the
                    // click would be lost. The check waits for the release;
                    // a button that reads the field shows the message itself.
                    if (QGuiApplication::mouseButtons() != Qt::NoButton) {
                        RunAfterMouseRelease(this, check);
                    } else {
                        check();
                    }
                },
                Qt::QueuedConnection);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
