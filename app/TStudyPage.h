#pragma once
// The main window's page «Исследование»: a parameter study of one of the
// three filters with a parameter. The student chooses the filter, the bounds
// of its parameter, the number of values, the signal and the gain, and
// «Выполнить» runs a noise-free run and a registrar measurement at each value
// (bench/CBenchStudy.h), one value at a time under a progress dialog whose
// «Отмена» stops between values. The study computes on a bench and buffers
// of its own, so the charts, the journal and the other pages stay as they
// were. Its record, complete or stopped, becomes the session's study, which
// the page shows as a chart (StudyChart.h) over its table; the table copies
// and saves as CSV. The page follows the session's study, whoever sets it.

#include <QWidget>
#include <utility>
#include <vector>

#include "bench/CLabSession.h"
#include "bench/StudyCurve.h"

class QComboBox;
class QLabel;
class QLayout;
class QProgressDialog;
class QPushButton;
class QSpinBox;
class QSplitter;
class TDiagramFrame;
class TEditFloat;
class TTextTableView;

class TStudyPage : public QWidget, private CLabSessionObserver {
    Q_OBJECT

  public:
    // Shows the study of session, which must outlive the page.
    explicit TStudyPage(CLabSession& session, QWidget* parent = nullptr);
    ~TStudyPage() override;

    // Components; each object's name is the member's name.
    QComboBox* StudyFilter; // the three filters with a parameter, item data the filter item
    QComboBox* StudySignal; // the delta and the rectangular impulse, item data the signal item
    TEditFloat* StudyGain;
    TEditFloat* StudyFrom;
    TEditFloat* StudyTo;
    QLabel* StudyFromUnit; // the parameter's unit beside each bound
    QLabel* StudyToUnit;
    QSpinBox* StudyPoints;
    QPushButton* StudyRun; // «Выполнить»
    TDiagramFrame* StudyChart;
    QLabel* StudyHint; // over the chart until the first study
    TTextTableView* StudyTable;
    QPushButton* StudyCopyButton;
    QPushButton* StudySaveButton;
    QSplitter* StudyParts; // chart above table

    // The study the fields ask for, as it would run: read and corrected as
    // the bench's fields are, then normalized (NormalizedStudy), with the
    // session's seed when it repeats the noise.
    CStudyRequest Request();
    // Shows request in the fields.
    void ShowRequest(const CStudyRequest& request);
    // Runs the study the fields ask for and makes it the session's; false
    // when it was stopped before its last value (its record is kept all the
    // same).
    bool RunStudy();
    // The progress dialog while a study runs, else none.
    QProgressDialog* Progress() const { return ProgressDialog; }
    // The theory of the study shown (StudyTheoryCurve), empty before one.
    const CStudyCurve& Curve() const { return TheoryCurve; }

    // Shows the session's study again, chart and table, with the theory as
    // last worked out (what a new study costs the page beyond its theory).
    void ShowRecord();

    // The study's table as tab-separated text on the clipboard.
    void CopyTable();
    // Asks for a file name (initially "Исследование.csv") and writes the
    // table as the journal's CSV. Returns whether it was written.
    bool SaveCsv();
    bool SaveCsv(const QString& fileName);

  private:
    // The fields above, in a grid; the chart over the table and its buttons.
    QLayout* LayOutFields();
    QWidget* MakeResults();
    void StudyChanged() override;
    void StudyFilterChange();
    // Steps study to its end under the progress dialog, unless stopped;
    // whether it finished.
    bool Steps(CBenchStudy& study);
    void PlaceHint();
    bool eventFilter(QObject* watched, QEvent* event) override;

    CLabSession& Session;
    CStudyCurve TheoryCurve;
    // The bounds last used with each filter item.
    std::vector<std::pair<double, double>> Bounds;
    int ShownFilter = -1;
    QProgressDialog* ProgressDialog = nullptr;
};
