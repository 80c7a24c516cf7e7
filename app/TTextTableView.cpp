#include "app/TTextTableView.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QStandardItemModel>
#include <QScrollBar>
#include <algorithm>
#include <set>

#include "controls/LabIcons.h"

TTextTableView::TTextTableView(QWidget* parent) : QTableView(parent) {
    Model = new QStandardItemModel(this);
    setModel(Model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setAlternatingRowColors(true);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->hide();

    CopyAction = new QAction(LabIcon(TLabIcon::Copy), QStringLiteral("Копировать"), this);
    CopyAction->setShortcut(QKeySequence::Copy);
    CopyAction->setShortcutContext(Qt::WidgetShortcut);
    connect(CopyAction, &QAction::triggered, this, &TTextTableView::CopyRows);
    Menu = new QMenu(this);
    Menu->addAction(CopyAction);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { Menu->popup(viewport()->mapToGlobal(at)); });
}

void TTextTableView::SetTable(const TTextTable& table, const std::vector<bool>& numberColumns) {
    Shown = table;
    Numbers = numberColumns;
    Model->clear();
    if (table.empty()) {
        return;
    }
    const int columns = static_cast<int>(table[0].size());
    Model->setColumnCount(columns);
    QStringList headings;
    for (const std::string& h : table[0]) {
        // The unit on a line of its own, so that a heading is no wider than
        // the numbers beneath it.
        headings << QString::fromStdString(h).replace(QStringLiteral(", "), QStringLiteral(",\n"));
    }
    Model->setHorizontalHeaderLabels(headings);
    for (std::size_t r = 1; r < table.size(); ++r) {
        QList<QStandardItem*> items;
        for (int c = 0; c < columns; ++c) {
            const std::string text =
                c < static_cast<int>(table[r].size()) ? table[r][static_cast<std::size_t>(c)] : "";
            auto* item = new QStandardItem(QString::fromStdString(text));
            const bool number = c < static_cast<int>(numberColumns.size()) &&
                                numberColumns[static_cast<std::size_t>(c)];
            item->setTextAlignment(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
            if (c == GivingColumn) {
                item->setToolTip(item->text());
            }
            items << item;
        }
        Model->appendRow(items);
    }
    FitColumns();
}

void TTextTableView::SetGivingColumn(int column) {
    GivingColumn = column;
    setTextElideMode(column >= 0 ? Qt::ElideMiddle : Qt::ElideRight);
    const TTextTable table = Shown;
    const std::vector<bool> numbers = Numbers;
    SetTable(table, numbers);
}

void TTextTableView::FitColumns() {
    resizeColumnsToContents();
    if (GivingColumn < 0 || GivingColumn >= Model->columnCount()) {
        return;
    }
    // The width the rows have, less a scroll bar where they will need one.
    const QSize most = maximumViewportSize();
    int width = most.width();
    if (verticalHeader()->length() > most.height() - horizontalHeader()->height()) {
        width -= verticalScrollBar()->sizeHint().width();
    }
    int others = 0;
    for (int c = 0; c < Model->columnCount(); ++c) {
        others += c != GivingColumn ? columnWidth(c) : 0;
    }
    const int least = fontMetrics().horizontalAdvance(QLatin1Char('M')) * 10;
    const int room = width - others;
    if (room < columnWidth(GivingColumn)) {
        setColumnWidth(GivingColumn, std::max(room, least));
    }
}

void TTextTableView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    FitColumns();
}

TTextTable TTextTableView::ChosenRows() const {
    std::set<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        rows.insert(index.row());
    }
    if (Shown.empty()) {
        return {};
    }
    TTextTable chosen{Shown[0]};
    for (std::size_t r = 1; r < Shown.size(); ++r) {
        if (rows.empty() || rows.count(static_cast<int>(r) - 1) > 0) {
            chosen.push_back(Shown[r]);
        }
    }
    return chosen;
}

void TTextTableView::CopyRows() {
    if (QClipboard* clipboard = QGuiApplication::clipboard(); clipboard && !Shown.empty()) {
        clipboard->setText(QString::fromStdString(TableTsv(ChosenRows())));
    }
}

void TTextTableView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        CopyRows();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TTextTableView::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        horizontalHeader()->setFont(font());
        verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    }
}
