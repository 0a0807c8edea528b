#pragma once

#include <functional>

#include <QColor>
#include <QFont>
#include <QHash>
#include <QList>
#include <QTableView>

#include "dbe/DataSet.h"
#include "ui/FieldLink.h"

namespace dbe {
class TField;
}

namespace ui {

class DataSetModel;

// A grid over a data source: the columns are the dataset's visible fields in
// the order of its field list; the selected row is the current record in
// both directions (moving in the grid moves the cursor, moving the cursor
// moves the grid). Typing edits the selected cell in place; the record is
// posted when the cursor leaves it. Down on the last row appends a record
// (unless read-only). A text the field refuses stays in its cell, in edit,
// and the selection stays there until it is corrected or given up (Escape).
//  - onColEnter: the selected column changed (by the user or by code);
//  - onColumnMoved(from, to): the user dragged a column; the field list of
//    the dataset has been reordered to match;
//  - onKeyDown(key, modifiers): every key first; setting key to 0 swallows it;
//  - onTitleClick(column): a column title was clicked;
//  - onDblClick: a cell was double-clicked.
// With multiple marking on, Ctrl and a click mark or unmark a row; the marks
// are kept in marking order and a plain click drops them. A cell painter may
// change each cell's background and underline before it is drawn.
class DBGrid : public QTableView {
    Q_OBJECT
    Q_PROPERTY(dbe::TDataSource *dataSource READ dataSource WRITE setDataSource)
    Q_PROPERTY(bool readOnly READ readOnly WRITE setReadOnly)
    Q_PROPERTY(int selectedIndex READ selectedIndex WRITE setSelectedIndex)
public:
    explicit DBGrid(QWidget *parent = nullptr);

    dbe::TDataSource *dataSource() const;
    void setDataSource(dbe::TDataSource *source);
    bool readOnly() const;
    void setReadOnly(bool readOnly);
    void setColumnReadOnly(const QString &fieldName, bool readOnly);
    // Whole rows are selected (no cell editing).
    void setRowSelect(bool rowSelect);
    bool rowSelect() const { return rowSelect_; }

    int selectedIndex() const;
    void setSelectedIndex(int column);
    dbe::TField *selectedField() const;
    void setSelectedField(dbe::TField *field);
    int columnCount() const;
    dbe::TField *columnField(int column) const;
    DataSetModel *dataModel() const { return model_; }

    // Column titles: the shown field's display label.
    QString columnTitle(int column) const;
    void setColumnTitle(int column, const QString &title);

    // Marking of several rows.
    void setMultiSelect(bool multiSelect);
    bool multiSelect() const { return multiSelect_; }
    int markedCount() const { return int(marks_.size()); }
    bool isRowMarked(int row) const;
    // Moves the data set to the i-th mark (in marking order).
    void gotoMark(int i);
    void clearMarks();

    // How one cell is drawn; the painter changes background and underline.
    struct CellStyle {
        int row = 0;
        int column = 0;
        dbe::TField *field = nullptr;
        QString text;
        bool selected = false;
        QColor background; // invalid: the grid's own
        bool underline = false;
    };
    using CellPainter = std::function<void(CellStyle &style)>;
    void setCellPainter(CellPainter painter) { cellPainter_ = std::move(painter); }
    void styleCell(CellStyle &style) const;
    // A field's value in a shown row (0-based), read without moving the cursor.
    QVariant rowValue(int row, const QString &fieldName) const;

signals:
    void onTitleClick(int column);
    void onDblClick();
    void onColEnter();
    void onColumnMoved(int fromIndex, int toIndex);
    void onKeyDown(int &key, Qt::KeyboardModifiers modifiers);

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void commitData(QWidget *editor) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void followCursor(int row);
    void sectionMoved(int logical, int oldVisual, int newVisual);
    void applyColumnWidths();
    static QVariant editorValue(const QWidget *editor);

    DataSetModel *model_;
    bool rowSelect_ = false;
    bool following_ = false;
    bool userMoving_ = false;
    int lastColumn_ = -1;
    bool multiSelect_ = false;
    struct Mark {
        dbe::TBookmark bookmark;
        int row;
    };
    QList<Mark> marks_;
    CellPainter cellPainter_;
    bool committing_ = false;    // the editor's text is being written into the field
    bool commitRefused_ = false; // the field refused it: the editor stays open
    QVariant refusedValue_;      // what it refused
    // Text widths the column widths were taken from, for the fonts they were measured in.
    QFont widthFont_, widthTitleFont_;
    QHash<int, int> digitWidths_;     // by number of digits
    QHash<QString, int> titleWidths_; // by title
};

} // namespace ui
