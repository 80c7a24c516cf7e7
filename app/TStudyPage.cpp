#include "app/TStudyPage.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QVBoxLayout>

#include "app/BusyCursor.h"
#include "app/StudyChart.h"
#include "app/TTextTableView.h"
#include "chart/TDiagram.h"
#include "controls/LabIcons.h"
#include "controls/TDiagramFrame.h"
#include "controls/TEditFloat.h"
#include "files/DocumentFile.h"
#include "files/SaveAs.h"

namespace {

// The filters a study can vary, in the filter list's order.
constexpr int StudyFilters[] = {fiMafNotIdeal, fiLowBand1, fiChebishev};

// A progress dialog comes up only for a study that takes longer than this.
constexpr int ProgressDelayMs = 300;

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// label, with its Alt letter, for buddy. A number field takes the label's
// text as its name for screen readers; a list says its chosen item as its
// name, and its label through their relation, as on the bench's page.
QLabel* Label(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    if (!qobject_cast<QComboBox*>(buddy)) {
        buddy->setAccessibleName(QString(text).remove(QLatin1Char('&')).remove(QLatin1Char(':')));
    }
    return label;
}

TEditFloat* Field(const char* name, int p, double value) {
    auto* field = new TEditFloat;
    field->setObjectName(name);
    field->setMaxLength(7);
    const CBenchParameter& parameter = BenchParameters[p];
    field->LoadDescription({{}, true, parameter.Max, parameter.Min, value, {}, {}});
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    return field;
}

// Gives field the range [lo, hi] in an order that never puts Min above Max.
void SetRange(TEditFloat* field, double lo, double hi) {
    if (lo > field->GetMax()) {
        field->SetMax(hi);
        field->SetMin(lo);
    } else {
        field->SetMin(lo);
        field->SetMax(hi);
    }
}

QPushButton* Button(const char* name, const char* caption, TLabIcon icon) {
    auto* button = new QPushButton(LabIcon(icon), Text(caption));
    button->setObjectName(name);
    return button;
}

// The bounds a study of filter item starts with: the request's defaults
// where the parameter's field allows them, else the field's whole range.
std::pair<double, double> DefaultBounds(int item) {
    const CStudyRequest defaults;
    const CBenchParameter& field = BenchParameters[ParameterOfFilter(item)];
    if (defaults.From >= field.Min && defaults.To <= field.Max) {
        return {defaults.From, defaults.To};
    }
    return {field.Min, field.Max};
}

} // namespace

TStudyPage::TStudyPage(CLabSession& session, QWidget* parent)
    : QWidget(parent), Session(session), Bounds(FilterItemCount) {
    const CStudyRequest defaults;
    StudyFilter = new QComboBox;
    StudyFilter->setObjectName("StudyFilter");
    for (int item : StudyFilters) {
        StudyFilter->addItem(Text(FilterItemName(item)), item);
        Bounds[static_cast<std::size_t>(item)] = DefaultBounds(item);
    }
    StudySignal = new QComboBox;
    StudySignal->setObjectName("StudySignal");
    for (int item : {siDelta, siRectangle}) {
        StudySignal->addItem(Text(SignalItemName(item)), item);
    }
    StudyGain = Field("StudyGain", bpGain, defaults.Gain);
    StudyFrom = Field("StudyFrom", bpTimeConstant, defaults.From);
    StudyTo = Field("StudyTo", bpTimeConstant, defaults.To);
    StudyFromUnit = new QLabel;
    StudyFromUnit->setObjectName("StudyFromUnit");
    StudyToUnit = new QLabel;
    StudyToUnit->setObjectName("StudyToUnit");
    StudyPoints = new QSpinBox;
    StudyPoints->setObjectName("StudyPoints");
    StudyPoints->setRange(StudyMinPoints, StudyMaxPoints);
    StudyPoints->setValue(defaults.Points);
    StudyPoints->setAccelerated(true);
    StudyRun = Button("StudyRun", "Выполнить", TLabIcon::Start);
    StudySignal->setCurrentIndex(StudySignal->findData(defaults.SignalItem));

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(6, 6, 6, 6);
    page->addLayout(LayOutFields());
    page->addWidget(MakeResults(), 1);

    connect(StudyFilter, &QComboBox::currentIndexChanged, this, &TStudyPage::StudyFilterChange);
    connect(StudyRun, &QPushButton::clicked, this, &TStudyPage::RunStudy);
    connect(StudyCopyButton, &QPushButton::clicked, this, &TStudyPage::CopyTable);
    connect(StudySaveButton, &QPushButton::clicked, this, qOverload<>(&TStudyPage::SaveCsv));
    StudyFilter->setCurrentIndex(StudyFilter->findData(defaults.FilterItem));
    Session.AddObserver(this);
    StudyChanged();
}

QLayout* TStudyPage::LayOutFields() {
    auto* fields = new QGridLayout;
    fields->addWidget(Label(QStringLiteral("Ф&ильтр:"), StudyFilter), 0, 0);
    fields->addWidget(StudyFilter, 0, 1, 1, 7);
    fields->addWidget(Label(QStringLiteral("&Сигнал:"), StudySignal), 0, 8);
    fields->addWidget(StudySignal, 0, 9, 1, 2);
    fields->addWidget(Label(QStringLiteral("&От:"), StudyFrom), 1, 0);
    fields->addWidget(StudyFrom, 1, 1);
    fields->addWidget(StudyFromUnit, 1, 2);
    fields->addWidget(Label(QStringLiteral("&До:"), StudyTo), 1, 3);
    fields->addWidget(StudyTo, 1, 4);
    fields->addWidget(StudyToUnit, 1, 5);
    fields->addWidget(Label(QStringLiteral("&Число значений:"), StudyPoints), 1, 6);
    // The box's own line is what a screen reader meets first.
    if (auto* line = StudyPoints->findChild<QLineEdit*>()) {
        line->setAccessibleName(StudyPoints->accessibleName());
    }
    fields->addWidget(StudyPoints, 1, 7);
    const QString gain = QString::fromUtf8(BenchParameters[bpGain].Caption).trimmed();
    fields->addWidget(Label(QStringLiteral("&%1:").arg(gain), StudyGain), 1, 8);
    fields->addWidget(StudyGain, 1, 9);
    fields->addWidget(StudyRun, 1, 10);
    fields->setColumnStretch(7, 1);
    return fields;
}

QWidget* TStudyPage::MakeResults() {
    StudyChart = new TDiagramFrame;
    StudyChart->setObjectName("StudyChart");
    StudyChart->Diagram->setAccessibleName(QStringLiteral("Эффективность фильтра"));
    StudyHint = new QLabel(
        QStringLiteral("Выберите фильтр, пределы его параметра и нажмите «Выполнить»:\n"
                       "здесь появится эффективность фильтра в зависимости от параметра."),
        StudyChart);
    StudyHint->setObjectName("StudyHint");
    StudyHint->setAlignment(Qt::AlignCenter);
    StudyHint->setAttribute(Qt::WA_TransparentForMouseEvents);
    // The chart's tools go when the pointer leaves the chart (its panel and
    // arrows are the frame's own, so moving onto them is no leaving).
    StudyChart->installEventFilter(this);
    // The hint covers the net, wherever a drawing put it.
    connect(StudyChart->Diagram, &TDiagram::Drawn, this, &TStudyPage::PlaceHint);
    StudyTable = new TTextTableView;
    StudyTable->setObjectName("StudyTable");
    StudyTable->setAccessibleName(QStringLiteral("Значения исследования"));
    StudyCopyButton = Button("StudyCopyButton", "Копировать", TLabIcon::Copy);
    StudySaveButton = Button("StudySaveButton", "Сохранить…", TLabIcon::Save);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(StudyCopyButton);
    buttons->addWidget(StudySaveButton);
    buttons->addStretch(1);
    auto* table = new QWidget;
    auto* tableLayout = new QVBoxLayout(table);
    tableLayout->setContentsMargins(0, 0, 0, 0);
    tableLayout->addWidget(StudyTable, 1);
    tableLayout->addLayout(buttons);

    StudyParts = new QSplitter(Qt::Vertical);
    StudyParts->setObjectName("StudyParts");
    StudyParts->setChildrenCollapsible(false);
    StudyParts->addWidget(StudyChart);
    StudyParts->addWidget(table);
    StudyParts->setStretchFactor(0, 3);
    StudyParts->setStretchFactor(1, 2);
    return StudyParts;
}

TStudyPage::~TStudyPage() {
    Session.RemoveObserver(this);
}

void TStudyPage::StudyFilterChange() {
    if (ShownFilter >= 0) {
        Bounds[static_cast<std::size_t>(ShownFilter)] = {StudyFrom->GetVal(), StudyTo->GetVal()};
    }
    ShownFilter = StudyFilter->currentData().toInt();
    const CBenchParameter& p = BenchParameters[ParameterOfFilter(ShownFilter)];
    const auto [from, to] = Bounds[static_cast<std::size_t>(ShownFilter)];
    for (auto [field, value] : {std::pair{StudyFrom, from}, std::pair{StudyTo, to}}) {
        SetRange(field, p.Min, p.Max);
        field->SetVal(value);
    }
    StudyFromUnit->setText(Text(p.Unit));
    StudyToUnit->setText(Text(p.Unit));
    if (!Session.Study()) {
        ShowRecord();
    }
}

CStudyRequest TStudyPage::Request() {
    for (TEditFloat* field : {StudyFrom, StudyTo, StudyGain}) {
        field->GetModify();
    }
    CStudyRequest r;
    r.FilterItem = StudyFilter->currentData().toInt();
    r.SignalItem = StudySignal->currentData().toInt();
    r.From = StudyFrom->GetVal();
    r.To = StudyTo->GetVal();
    r.Points = StudyPoints->value();
    r.Gain = StudyGain->GetVal();
    if (Session.RepeatsNoise()) {
        r.NoiseSeed = Session.NoiseSeed();
    }
    return NormalizedStudy(r);
}

void TStudyPage::ShowRequest(const CStudyRequest& request) {
    const int filter = StudyFilter->findData(request.FilterItem);
    if (filter < 0) {
        return;
    }
    StudyFilter->setCurrentIndex(filter);
    StudySignal->setCurrentIndex(StudySignal->findData(request.SignalItem));
    StudyFrom->SetVal(request.From);
    StudyTo->SetVal(request.To);
    StudyGain->SetVal(request.Gain);
    // One value where the bounds meet; the box keeps the number asked for.
    if (request.Points >= StudyMinPoints) {
        StudyPoints->setValue(request.Points);
    }
}

bool TStudyPage::RunStudy() {
    if (ProgressDialog) {
        return false;
    }
    const CStudyRequest request = Request();
    ShowRequest(request);
    CBenchStudy study(request);
    const bool finished = Steps(study);
    Session.SetStudy(RecordOf(study));
    return finished;
}

bool TStudyPage::Steps(CBenchStudy& study) {
    // The arrow stays with the busy mark, so that «Отмена» still looks clickable.
    TBusyCursor busy(Qt::BusyCursor);
    const int count = static_cast<int>(study.Values().size());
    QProgressDialog progress(QStringLiteral("Исследование: значение 1 из %1…").arg(count),
                             QStringLiteral("Отмена"), 0, count, this);
    progress.setObjectName("StudyProgress");
    progress.setWindowTitle(QStringLiteral("Исследование"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(ProgressDelayMs);
    progress.setAutoReset(false);
    progress.setValue(0);
    ProgressDialog = &progress;
    while (!progress.wasCanceled() && study.Step()) {
        const int done = static_cast<int>(study.Points().size());
        progress.setLabelText(QStringLiteral("Исследование: значение %1 из %2…")
                                  .arg(std::min(done + 1, count))
                                  .arg(count));
        progress.setValue(done);
        // The window stays drawn between values, and once the dialog is up
        // (modal, so the rest of the window waits) its button answers; until
        // then what the student does waits for the study.
        QCoreApplication::processEvents(progress.isVisible() ? QEventLoop::AllEvents
                                                             : QEventLoop::ExcludeUserInputEvents);
    }
    ProgressDialog = nullptr;
    return study.Finished();
}

void TStudyPage::StudyChanged() {
    const std::optional<CStudyRecord>& record = Session.Study();
    TheoryCurve =
        record && !record->Points.empty() ? StudyTheoryCurve(record->Request) : CStudyCurve{};
    if (record) {
        ShowRequest(record->Request);
    }
    ShowRecord();
}

void TStudyPage::ShowRecord() {
    const std::optional<CStudyRecord>& record = Session.Study();
    CStudyRecord shown;
    if (record) {
        shown = *record;
    } else {
        // The empty axes of the study the fields set up.
        shown.Request.FilterItem = StudyFilter->currentData().toInt();
        shown.Request.From = StudyFrom->GetVal();
        shown.Request.To = StudyTo->GetVal();
        shown.Request = NormalizedStudy(shown.Request);
    }
    ::ShowStudy(*StudyChart->Diagram, shown, TheoryCurve);
    StudyChart->SaveInitialLimits();
    std::vector<bool> numbers;
    // Before the first study, the headings say what is to come.
    const TTextTable table = ::StudyTable(shown, &numbers);
    StudyTable->SetTable(table, numbers);
    const bool any = record && !record->Points.empty();
    StudyHint->setVisible(!any);
    StudyCopyButton->setEnabled(any);
    StudySaveButton->setEnabled(any);
}

void TStudyPage::CopyTable() {
    if (Session.Study()) {
        if (QClipboard* clipboard = QGuiApplication::clipboard()) {
            clipboard->setText(QString::fromStdString(TableTsv(::StudyTable(*Session.Study()))));
        }
    }
}

bool TStudyPage::SaveCsv() {
    return SaveAs(this, TableCsvRequest(TDocumentKind::Study, QStringLiteral("Исследование.csv")),
                  [this](const QString& fileName) { return SaveCsv(fileName); });
}

bool TStudyPage::SaveCsv(const QString& fileName) {
    return Session.Study() && WriteTextFile(TableCsv(::StudyTable(*Session.Study())), fileName);
}

void TStudyPage::PlaceHint() {
    TDiagram* chart = StudyChart->Diagram;
    StudyHint->setGeometry(QRect(chart->Get_xb_net(), chart->Get_yb_net(),
                                 chart->Get_xe_net() - chart->Get_xb_net(),
                                 chart->Get_ye_net() - chart->Get_yb_net())
                               .translated(chart->pos()));
}

bool TStudyPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == StudyChart && event->type() == QEvent::Leave) {
        StudyChart->HideTools();
    }
    return QWidget::eventFilter(watched, event);
}
