#pragma once
// A table of texts (base/TextTable.h) shown read-only, as the results and a
// study's values are: headings in the cells' face with units on a line of
// their own, numbers to the right, one line per row. Ctrl+C (and «Копировать»
// of its pop-up menu) copies the chosen rows, or all of them when none is
// chosen, with their headings as tab-separated text.

#include <QTableView>
#include <vector>

#include "base/TextTable.h"

class QAction;
class QMenu;
class QStandardItemModel;

class TTextTableView : public QTableView {
    Q_OBJECT

  public:
    explicit TTextTableView(QWidget* parent = nullptr);

    // Shows table, its first line as the headings; numberColumns[c] right-aligns column c.
    void SetTable(const TTextTable& table, const std::vector<bool>& numberColumns);
    const TTextTable& Table() const { return Shown; }
    // The column whose texts give up what the view lacks, so that every
    // column is in view without scrolling: its texts are cut in the middle,
    // down to ten letters at least, each whole as its cell's tip. None (-1)
    // by default: the columns are as wide as their texts.
    void SetGivingColumn(int column);

    // The chosen rows (all when none is chosen) with the headings.
    TTextTable ChosenRows() const;
    // ChosenRows() as tab-separated text on the clipboard.
    void CopyRows();

    QMenu* Menu;         // its pop-up menu
    QAction* CopyAction; // «Копировать»

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void FitColumns();

    QStandardItemModel* Model;
    int GivingColumn = -1;
    TTextTable Shown;
    std::vector<bool> Numbers;
};
