#pragma once

#include <vector>

#include <QTableWidget>

#include "navigation/daten/BookMarks.h"
#include "navigation/dialoge/NavDialogBase.h"

namespace nav {

// A grid row dragged from one place to another, as bookmark numbers: the
// bookmark of row from (1-based rows, row 0 the header) gets the number that
// puts it where it was dropped. numbers: the bookmark numbers in row order.
struct BookmarkMove {
    int oldNumber = 0;
    int newNumber = 0;
};
BookmarkMove bookmarkRowMove(const std::vector<int> &numbers, int fromRow, int toRow);

// The bookmarks of a data set: number and kept field texts per row; rows are
// dragged to renumber, deleted, or chosen with OK.
class TBMForm : public NavDialogBase {
    Q_OBJECT
public:
    TBMForm(QWidget *owner, const TUserButton &userButton, TBMManager &manager);

    void FillGrid();
    // Applies a row drag (grid rows, 1-based for bookmarks).
    void BMGridRowMoved(int fromRow, int toRow);
    void DelBtnClick();
    // The bookmark number of the selected row; 0 without one.
    int SelectedNumber() const;

    QTableWidget *BMGrid;
    QPushButton *DelBtn;
    QPushButton *OKBtn;

private:
    TBMManager &manager_;
};

} // namespace nav
