#pragma once

#include <QDialog>

#include "reportengine/Project.h"

class QTableWidget;

namespace tb {

// The columns of the table's first header line and first row definition: header text or
// expression, cell expression, width in mm, alignment and number or date format; columns are added,
// removed and moved. Works on a copy; the caller takes `table()` when it is accepted.
class ColumnEditor : public QDialog {
    Q_OBJECT
public:
    enum Field { Header, Cell, Width, Alignment, Format, FieldCount };

    ColumnEditor(TableDef table, QWidget *parent = nullptr);

    const TableDef &table() const { return table_; }
    QTableWidget *grid() const { return grid_; }
    void addColumn();
    void removeColumn();
    void moveColumn(int delta);

private:
    void fill();
    void take(int row, int column);

    TableDef table_;
    QTableWidget *grid_;
    bool loading_ = false;
};

} // namespace tb
