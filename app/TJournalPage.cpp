#include "app/TJournalPage.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTime>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

#include "app/TJournalModel.h"
#include "app/TTextTableView.h"
#include "bench/CResults.h"
#include "bench/CLabSession.h"
#include "base/MessageHook.h"
#include "controls/LabIcons.h"
#include "files/DocumentFile.h"
#include "files/SaveAs.h"

namespace {

// The table's own Ctrl+C copies only the current cell; the journal copies
// whole rows with their heading.
class TJournalView : public QTableView {
  public:
    TJournalView(QWidget* parent, TJournalPage* page) : QTableView(parent), Page(page) {}

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (state() != QAbstractItemView::EditingState) {
            if (event->matches(QKeySequence::Copy)) {
                Page->CopySelection();
                event->accept();
                return;
            }
            if (event->matches(QKeySequence::Delete)) {
                Page->RemoveSelection();
                event->accept();
                return;
            }
        }
        QTableView::keyPressEvent(event);
    }

  private:
    TJournalPage* Page;
};

QAction* MakeAction(QWidget* owner, const char* name, const char* caption, TLabIcon icon) {
    auto* action = new QAction(LabIcon(icon), QString::fromUtf8(caption), owner);
    action->setObjectName(name);
    return action;
}

// content under a heading of the page's own.
QWidget* Titled(const QString& title, QWidget* content) {
    auto* part = new QWidget;
    auto* layout = new QVBoxLayout(part);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->setSpacing(2);
    auto* heading = new QLabel(title);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    heading->setBuddy(content);
    layout->addWidget(heading);
    layout->addWidget(content, 1);
    return part;
}

QPushButton* MakeButton(QWidget* parent, const char* name, QAction* action) {
    auto* button = new QPushButton(action->icon(), action->text(), parent);
    button->setObjectName(name);
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    return button;
}

} // namespace

TJournalPage::TJournalPage(CLabSession& session, QWidget* parent)
    : QWidget(parent), Session(session) {
    JournalModel = new TJournalModel(session, this);

    JournalView = new TJournalView(this, this);
    JournalView->setObjectName("JournalView");
    JournalView->setModel(JournalModel);
    JournalView->setSelectionBehavior(QAbstractItemView::SelectRows);
    JournalView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Only the note column is editable; typing over a chosen note, F2 or a
    // double click opens it.
    JournalView->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);
    JournalView->setWordWrap(false);
    JournalView->setAlternatingRowColors(true);
    // Columns are fitted to their contents when rows come while the page is
    // on show, and otherwise once when it is shown: a header that fits itself
    // at every row would measure the whole journal again at each Start.
    JournalView->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // The note, last, takes what room the others leave.
    JournalView->horizontalHeader()->setStretchLastSection(true);
    // A filter's name too long for its column loses its middle, not its end.
    JournalView->setTextElideMode(Qt::ElideMiddle);
    // Whole rows are chosen, so every heading would turn bold and widen its
    // column at each choice.
    JournalView->horizontalHeader()->setHighlightSections(false);
    JournalView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Rows are told apart by their time, as in the copies and the report;
    // the room goes to the columns.
    JournalView->verticalHeader()->hide();

    JournalCopy = MakeAction(this, "JournalCopy", "Копировать", TLabIcon::Copy);
    // Shown in the menu as a reminder; the table itself answers the keys.
    JournalCopy->setShortcut(QKeySequence::Copy);
    JournalCopy->setShortcutContext(Qt::WidgetShortcut);
    JournalSave = MakeAction(this, "JournalSave", "Сохранить…", TLabIcon::Save);
    JournalClear = MakeAction(this, "JournalClear", "Очистить журнал", TLabIcon::Close);
    JournalRemove = MakeAction(this, "JournalRemove", "Удалить строки", TLabIcon::Close);
    JournalRemove->setShortcut(QKeySequence::Delete);
    JournalRemove->setShortcutContext(Qt::WidgetShortcut);
    connect(JournalCopy, &QAction::triggered, this, &TJournalPage::CopySelection);
    connect(JournalSave, &QAction::triggered, this, qOverload<>(&TJournalPage::SaveCsv));
    connect(JournalClear, &QAction::triggered, this, &TJournalPage::ClearJournal);
    connect(JournalRemove, &QAction::triggered, this, &TJournalPage::RemoveSelection);

    JournalMenu = new QMenu(this);
    JournalMenu->setObjectName("JournalMenu");
    JournalMenu->addAction(JournalCopy);
    JournalMenu->addAction(JournalRemove);
    JournalMenu->addSeparator();
    JournalMenu->addAction(JournalSave);
    JournalMenu->addAction(JournalClear);
    JournalView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(JournalView, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        JournalMenu->popup(JournalView->viewport()->mapToGlobal(at));
    });

    JournalCopyButton = MakeButton(this, "JournalCopyButton", JournalCopy);
    JournalSaveButton = MakeButton(this, "JournalSaveButton", JournalSave);
    JournalClearButton = MakeButton(this, "JournalClearButton", JournalClear);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(JournalCopyButton);
    buttons->addWidget(JournalSaveButton);
    buttons->addStretch(1);
    buttons->addWidget(JournalClearButton);
    auto* journal = new QWidget;
    auto* journalLayout = new QVBoxLayout(journal);
    journalLayout->setContentsMargins(0, 0, 0, 0);
    journalLayout->addWidget(JournalView, 1);
    journalLayout->addLayout(buttons);

    ResultsView = new TTextTableView;
    ResultsView->setObjectName("ResultsView");
    ResultsView->setAccessibleName(QStringLiteral("Результаты"));
    ResultsView->SetGivingColumn(rcFilter);
    ConclusionsEdit = new QPlainTextEdit;
    ConclusionsEdit->setObjectName("ConclusionsEdit");
    ConclusionsEdit->setAccessibleName(QStringLiteral("Выводы"));
    ConclusionsEdit->setPlaceholderText(
        QStringLiteral("Что показали измерения: какой фильтр ближе всего к согласованному и при "
                       "каком параметре…"));
    ConclusionsEdit->setTabChangesFocus(true);
    connect(ConclusionsEdit, &QPlainTextEdit::textChanged, this, [this] {
        Session.SetConclusions(ConclusionsEdit->toPlainText().toStdString());
    });

    Parts = new QSplitter(Qt::Vertical, this);
    Parts->setObjectName("JournalParts");
    Parts->setChildrenCollapsible(false);
    Parts->addWidget(journal);
    Parts->addWidget(Titled(QStringLiteral("Результаты"), ResultsView));
    Parts->addWidget(Titled(QStringLiteral("Выводы"), ConclusionsEdit));
    Parts->setStretchFactor(0, 3);
    Parts->setStretchFactor(1, 2);
    Parts->setStretchFactor(2, 1);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(6, 6, 6, 6);
    page->addWidget(Parts);
    Session.AddObserver(this);
    UpdateResults();

    connect(JournalView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TJournalPage::UpdateActions);
    connect(JournalModel, &QAbstractItemModel::modelReset, this, &TJournalPage::UpdateActions);
    connect(JournalModel, &QAbstractItemModel::rowsInserted, this, &TJournalPage::UpdateActions);
    connect(JournalModel, &QAbstractItemModel::rowsInserted, this, &TJournalPage::FitColumns);
    connect(JournalModel, &QAbstractItemModel::modelReset, this, &TJournalPage::FitColumns);
    connect(JournalModel, &QAbstractItemModel::rowsRemoved, this, &TJournalPage::UpdateActions);
    UpdateActions();
}

TJournalPage::~TJournalPage() {
    Session.RemoveObserver(this);
}

void TJournalPage::Changed() {
    UpdateResults();
    // Conclusions restored from elsewhere show; those typed here are there.
    const QString text = QString::fromStdString(Session.Conclusions());
    if (ConclusionsEdit->toPlainText() != text) {
        ConclusionsEdit->setPlainText(text);
    }
}

void TJournalPage::UpdateResults() {
    // Worked out when seen: a Start on the charts' page need not wait for it.
    if (!isVisible()) {
        ResultsPending = true;
        return;
    }
    ResultsPending = false;
    ResultsView->SetTable(ResultsTable(JournalResults(Session.Rows())), ResultNumberColumns());
}

void TJournalPage::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        // The headings take the cells' face, not the style's own one for
        // headers, so that a column is as wide as its numbers need.
        for (QHeaderView* header :
             {JournalView->horizontalHeader(), JournalView->verticalHeader()}) {
            header->setFont(JournalView->font());
        }
        // Every row is one line of text.
        JournalView->verticalHeader()->setDefaultSectionSize(
            JournalView->fontMetrics().height() + 6);
        FitColumns();
    }
}

void TJournalPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (FitPending) {
        FitColumns();
    }
    if (ResultsPending) {
        UpdateResults();
    }
}

void TJournalPage::FitColumns() {
    if (!isVisible()) {
        FitPending = true;
        return;
    }
    FitPending = false;
    // The note, the last section, is stretched to what the others leave,
    // to no less than the width it had when the stretch began: its own text's.
    QHeaderView* header = JournalView->horizontalHeader();
    header->setStretchLastSection(false);
    JournalView->resizeColumnsToContents();
    const int noteLeast = JournalView->columnWidth(jcNote);
    header->setStretchLastSection(true);
    // Every column in view without scrolling: the note keeps room to be
    // typed into, and the filter's names, the longest texts, give up what
    // the page lacks (the whole name shows as the cell's tip).
    const int filterLeast = JournalView->fontMetrics().horizontalAdvance(QStringLiteral("M")) * 10;
    int others = 0;
    for (int c = 0; c < JournalColumnCount; ++c) {
        if (c != jcFilter && c != jcNote) {
            others += JournalView->columnWidth(c);
        }
    }
    // A pixel spare, which the stretched section may take beyond its least.
    const int room = JournalView->viewport()->width() - others - noteLeast - 1;
    if (room < JournalView->columnWidth(jcFilter)) {
        JournalView->setColumnWidth(jcFilter, std::max(room, filterLeast));
    }
    JournalView->scrollToBottom();
}

std::string TJournalPage::Now() {
    return QTime::currentTime().toString(QStringLiteral("HH:mm:ss")).toStdString();
}

const std::vector<CJournalRow>& TJournalPage::Rows() const {
    return Session.Rows();
}

void TJournalPage::UpdateActions() {
    const bool any = !Rows().empty();
    const bool selected = JournalView->selectionModel()->hasSelection();
    for (QAction* a : {JournalSave, JournalClear}) {
        a->setEnabled(any);
    }
    JournalCopy->setEnabled(selected);
    JournalRemove->setEnabled(selected);
    JournalCopyButton->setEnabled(selected);
    JournalSaveButton->setEnabled(any);
    JournalClearButton->setEnabled(any);
}

std::vector<int> TJournalPage::SelectedRows() const {
    std::set<int> rows;
    for (const QModelIndex& index : JournalView->selectionModel()->selectedIndexes()) {
        if (index.row() >= 0 && index.row() < static_cast<int>(Rows().size())) {
            rows.insert(index.row());
        }
    }
    return std::vector<int>(rows.begin(), rows.end());
}

void TJournalPage::RemoveSelection() {
    Session.RemoveRows(SelectedRows());
}

void TJournalPage::CopySelection() {
    const std::vector<int> rows = SelectedRows();
    if (rows.empty()) {
        return;
    }
    std::vector<CJournalRow> chosen;
    for (int r : rows) {
        chosen.push_back(Rows()[static_cast<std::size_t>(r)]);
    }
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->setText(QString::fromStdString(JournalTsv(chosen)));
    }
}

bool TJournalPage::SaveCsv() {
    return SaveAs(this, TableCsvRequest(TDocumentKind::Journal, QStringLiteral("Журнал.csv")),
                  [this](const QString& fileName) { return SaveCsv(fileName); });
}

bool TJournalPage::SaveCsv(const QString& fileName) {
    if (!WriteTextFile(JournalCsv(Rows()), fileName)) {
        return false;
    }
    Session.MarkSaved();
    return true;
}

void TJournalPage::ClearJournal() {
    if (Rows().empty()) {
        return;
    }
    if (AskQuestion("Очистить журнал? Все его строки будут удалены.")) {
        Session.ClearJournal();
    }
}
