#include "app/TForm1.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
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
#include "app/TStudyPage.h"
#include "app/TRecoveryFile.h"
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
    // The seed of repeated noise: one for the session, another next time.
    Session.SetNoiseSeed(static_cast<std::uint32_t>(QDateTime::currentMSecsSinceEpoch()));
    JournalPage = new TJournalPage(Session);
    JournalPage->setObjectName("JournalPage");
    PageControl1->addTab(JournalPage, QString::fromUtf8("Журнал"));
    StudyPage = new TStudyPage(Session);
    StudyPage->setObjectName("StudyPage");
    PageControl1->addTab(StudyPage, QString::fromUtf8("Исследование"));

    BuildMenus();
    BuildBenchPage();
    BuildChartsPage();
    BuildKeysAndNames();
    OutputReferences = new TOutputReferences(this, *DiagramFrame2->Diagram, Session);
    OutputReferences->AddItemsTo(N2);
    for (TDiagramFrame* frame : {DiagramFrame1, DiagramFrame2}) {
        OutputReferences->AddItemsTo(frame->PopupMenu);
    }

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
    // The journal's and the study's pages show the session, which goes with
    // this object's members, before the pages would go with the widget.
    delete JournalPage;
    delete StudyPage;
}

void TForm1::SetForm2(TForm2* form) {
    Form2 = form;
}

void TForm1::SetDiagramIncrease(TDiagramIncrease* window) {
    DiagramIncrease = window;
    DiagramFrame1->SetDiagramIncrease(window);
    DiagramFrame2->SetDiagramIncrease(window);
    StudyPage->StudyChart->SetDiagramIncrease(window);
    // The enlarged window keeps and clears references as the frames do,
    // while it shows one of the run's charts.
    if (window) {
        OutputReferences->AddItemsTo(window->PopupMenu, [this, window] {
            const TDiagram* source = window->GetSource();
            return source == DiagramFrame1->Diagram || source == DiagramFrame2->Diagram;
        });
    }
}

// ---------------------------------------------------------------- Start

void TForm1::ShowRun(TDiagramFrame* frame, const CBenchRun& run, bool output) {
    ShowRunOnChart(*frame->Diagram, run, output);
    frame->SaveInitialLimits();
}

void TForm1::BitBtn1Click() {
    TBusyCursor busy;
    StaticText1->setText("0");
    RepeatNoiseIfAsked();
    // The charts' base series show these two arrays in place.
    const CBenchRun run = Bench.ComputeRun(SetupSource(), {InputSamples, OutputSamples});
    Session.AddRun(run, TJournalPage::Now());
    // The legend names the output by its run from the drawing that shows it.
    OutputReferences->RunShown();
    ShowRun(DiagramFrame1, run, false);
    ShowRun(DiagramFrame2, run, true);
    if (PageControl1->currentIndex() != 1) {
        PageControl1->setCurrentIndex(1);
    }
}

void TForm1::RepeatNoiseIfAsked() {
    if (Session.RepeatsNoise()) {
        SeedRandom(Session.NoiseSeed());
    }
}

// ---------------------------------------------------------------- Measurement

void TForm1::BitBtn3Click() {
    TBusyCursor busy;
    StaticText1->setText("0");
    RepeatNoiseIfAsked();
    const CMeasurement m = Bench.Measure(SetupSource());
    StaticText1->setText(QString::fromStdString(FloatToText(2, m.RegistrarValue)));
    Session.AddMeasurement(m, StaticText1->text().toStdString(), TJournalPage::Now());
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
    NMeasure->setEnabled(CanMeasure(s, n));
}

void TForm1::ComboBox2Change() {
    for (int p = 0; p < BenchParameterCount; ++p) {
        if (QLabel* label = ParameterLabel(p)) {
            label->hide();
            ParameterField(p)->hide();
        }
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
    if (QLabel* label = ParameterLabel(p)) {
        label->show();
        // The field shows what its filter holds now, which a run may have
        // changed since the field was last set.
        ParameterField(p)->SetVal(Bench.ParameterValue(p));
        ParameterField(p)->show();
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

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The splash stays in front until it goes, also where no window manager
    // keeps it on top.
    if (HelloForm) {
        HelloForm->raise();
    }
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
        FieldFocusLost(watched, static_cast<QFocusEvent*>(event)->reason());
    }
    return QMainWindow::eventFilter(watched, event);
}
