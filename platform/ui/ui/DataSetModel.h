#pragma once

#include <functional>

#include <QAbstractTableModel>
#include <QList>
#include <QSet>

#include "dbe/DataSource.h"

namespace dbe {
class TField;
}

namespace ui {

// The rows of a dataset as a table model for a grid: one column per visible
// field in the order of the field list, headed by its display label, cells
// in the field's display format. Rows are read only when the view asks for
// them, so a large table opens as fast as a small one. The row of the
// current record shows the record being edited.
class DataSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DataSetModel(QObject *parent = nullptr);
    ~DataSetModel() override;

    dbe::TDataSource *dataSource() const;
    void setDataSource(dbe::TDataSource *source);

    dbe::TField *fieldAt(int column) const;
    int columnOf(const dbe::TField *field) const;
    // The row of the current record; -1 when there is none.
    int currentRow() const { return currentRow_; }

    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool readOnly() const { return readOnly_; }
    void setColumnReadOnly(const QString &fieldName, bool readOnly);
    bool columnReadOnly(int column) const;
    // The record about to be inserted is an appended one: shown after the last
    // row instead of at the cursor's row (the dataset does not tell the two apart).
    void expectAppend() { appendExpected_ = true; }
    // Whether the cell of the current row in this column may be edited now.
    bool canEdit(int column) const;
    // Runs `change`, which shows, hides or moves fields of the dataset: the
    // model takes the new field list once, when it is done (or has thrown),
    // not at each field.
    void changeFields(const std::function<void()> &change);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

signals:
    // The current record moved to another row (or the rows were read again).
    void cursorMoved(int row);

private:
    class Link;
    friend class Link;
    void rebuild();
    void layoutChanged();
    void refreshRows();
    void cursorScrolled();
    void recordChanged();
    void editingChanged();
    int readCurrentRow() const;

    std::unique_ptr<Link> link_;
    QList<dbe::TField *> columns_;
    QSet<QString> readOnlyColumns_; // upper-cased field names
    int rows_ = 0;
    int currentRow_ = -1;
    int insertRow_ = -1; // the row a record being inserted is shown at
    bool readOnly_ = false;
    bool appendExpected_ = false;
    int layoutHolds_ = 0;
    bool layoutPending_ = false; // the field list changed while held
};

} // namespace ui
