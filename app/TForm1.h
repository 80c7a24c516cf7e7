#pragma once
// The bench's main window. The first page shows the scheme of the bench and
// its controls (signal and noise generators, gain, filter and its parameter,
// registrar), the second page the filter's input and output on two charts.
// The signal, noise and filter choices exist three times (combo box, main
// menu, pop-up menu); all of them change only through ComboBox1Change and
// ComboBox2Change, so they agree after every handler.
//
// The computations are the bench's (CBench); the window hands it its fields.

#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "bench/CBench.h"
#include "bench/CLabSession.h"
#include "controls/LabIcons.h"

class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;
class TDiagram;
class TDiagramFrame;
class TDiagramIncrease;
class TEditFloat;
class TForm2;
class THelloForm;
class TImage;
class TJournalPage;
class TStudyPage;
class TOutputReferences;
class TRecoveryFile;

class TForm1 : public QMainWindow {
    Q_OBJECT

  public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // The description window that follows the filter choice (may be none).
    void SetForm2(TForm2* form);
    // The enlarged chart window that both chart frames open.
    void SetDiagramIncrease(TDiagramIncrease* window);
    // Keeps the session's work in a recovery file in folder from now on, and
    // offers what earlier sessions left there once the splash has gone.
    void EnableRecovery(const QString& folder);
    // The offer itself (at most once); the journal page comes up when rows
    // were restored.
    void OfferRecovery();
    // The recovery file's keeper; none until EnableRecovery.
    TRecoveryFile* Recovery() const { return RecoveryFile.get(); }

    // The designed client area, which the page control fills; the menu bar
    // comes on top of it.
    static constexpr int ClientWidth = 784;
    static constexpr int ClientHeight = 542;

    // Whether the window starts maximised on a screen of this size: at most
    // 800 pixels wide or at most 600 high.
    static bool StartsMaximised(const QSize& screen);

    // ---- Components; each object's name is the member's name.
    QTabWidget* PageControl1;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    TJournalPage* JournalPage; // the journal of runs and measurements
    TStudyPage* StudyPage;     // a parameter study of one filter
    QFrame* Panel1;
    TImage* Image1; // signal on, noise off
    TImage* Image2; // signal on, noise on
    TImage* Image3; // signal off, noise on
    TImage* Image4; // signal off, noise off
    QGroupBox* GroupBox1;
    QGroupBox* GroupBox2;
    QGroupBox* GroupBox3;
    QGroupBox* GroupBox4;
    QGroupBox* GroupBox5;
    QComboBox* ComboBox1; // signal
    QComboBox* ComboBox2; // filter
    QComboBox* ComboBox3; // noise
    QPushButton* BitBtn1; // "Пуск"
    QPushButton* BitBtn2; // "Описание"
    QPushButton* BitBtn3; // "Измерение"
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    TEditFloat* EditFloat1; // noise amplifier's gain
    TEditFloat* EditFloat2; // integrator time constant, ms
    TEditFloat* EditFloat3; // low-pass time constant, ms
    TEditFloat* EditFloat4; // cut-off, Hz
    QLabel* StaticText1;    // registrar readout
    TDiagramFrame* DiagramFrame1; // filter input
    TDiagramFrame* DiagramFrame2; // filter output
    QMenu* N2; // the main menu's «Лабораторная установка»
    QMenu* PopupMenu1;
    QAction* NSaveReport; // «Сохранить отчёт…»
    QAction* NMeasure;    // «Измерение» in the bench menu, F8; enabled as BitBtn3
    QAction* NRepeatNoise; // «Повторять реализацию шума», a check item, off at start
    // The output chart's reference curves and their menu items.
    TOutputReferences* OutputReferences;
    // The radio items, main menu and pop-up menu.
    QAction *N10, *N11, *N12, *N15, *N16, *N19, *N20, *N21, *N22, *N23;
    QAction *N29, *N30, *N31, *N34, *N35, *N38, *N39, *N40, *N110, *N41;

    // The five filters and their configuration.
    CBench Bench;
    // The lab's record: the journal, the last run, the outputs kept.
    CLabSession Session;

    // ---- Handlers
    void BitBtn1Click(); // Start: one run shown on both charts
    void BitBtn2Click(); // the description window, modal
    void BitBtn3Click(); // Measurement: the registrar's reading
    void ComboBox1Change();
    void ComboBox2Change();
    void EditFloat1Exit();
    void EditFloat2Exit();
    void EditFloat3Exit();
    void EditFloat4Exit();
    void N10Click();
    void N11Click();
    void N12Click();
    void N15Click();
    void N16Click();
    void N19Click();
    void N20Click();
    void N21Click();
    void N22Click();
    void N23Click();
    void N3Click(); // copy the shown scheme
    void N4Click(); // save the shown scheme
    void N5Click(); // end the program: closes the window, asking first
    void NSaveReportClick(); // save the report
    void TabSheet2MouseMove();
    void DiagramFrame1DiagramMouseMove(TDiagram* sender, Qt::KeyboardModifiers shift, int x, int y);
    void DiagramFrame2DiagramMouseMove(TDiagram* sender, Qt::KeyboardModifiers shift, int x, int y);
    void FormCreate();
    // FormCreate's rule for a screen of this size and free area.
    void FitToScreen(const QSize& screen, const QRect& available);

    // The scheme picture on show: the first visible of Image1..Image3, else Image4.
    TImage* ShownImage() const;
    // The choices and fields as a run or measurement reads them: each field
    // is read, and validated, when the bench needs its value.
    CSetupSource SetupSource();
    // The configuration the window shows now, each field's value as the field
    // last accepted it; nothing is read or validated again.
    CBenchSetup AcceptedSetup() const;
    // The number field of parameter p (BenchParameter) and its label (none
    // for the gain, whose group's title names it); null for any other p.
    TEditFloat* ParameterField(int p) const;
    QLabel* ParameterLabel(int p) const;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Starts the noise from the session's seed when the student asked for
    // the same noise at every run and measurement.
    void RepeatNoiseIfAsked();
    void BuildBenchPage();
    void BuildChartsPage();
    void BuildMenus();
    // F10 opens the menu bar; every control says to a screen reader what it is.
    void BuildKeysAndNames();
    // Sets the combo box's item and runs its change handler; recomputes the
    // charts when they are on show.
    void ChooseItem(QComboBox* box, int item);
    // The value of a number field after its own check (and correction message).
    double FieldValue(TEditFloat* field);
    // What leaving the field of parameter p does: its check, then its value
    // into the filter it sets.
    void ApplyField(int p);
    // Leaving a field checks it once the event that moved the focus is over.
    void FieldFocusLost(QObject* field, Qt::FocusReason reason);
    void ShowRun(TDiagramFrame* frame, const CBenchRun& run, bool output);
    // Whether the window may close: nothing unsaved, or the student chose
    // not to save, or chose to save and the journal was saved.
    bool MayClose();

    QSize DesignedSize;
    int FieldReads = 0; // reads of number fields under way
    QPointer<TForm2> Form2;
    QPointer<TDiagramIncrease> DiagramIncrease;
    QPointer<THelloForm> HelloForm;
    bool AskingToClose = false; // the question on closing is up
    // Written aside after each change; declared after the session it
    // observes, so that it goes first.
    std::unique_ptr<TRecoveryFile> RecoveryFile;
};
