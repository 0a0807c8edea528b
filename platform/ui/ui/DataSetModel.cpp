#include "ui/DataSetModel.h"

#include "dbe/DataSet.h"
#include "dbe/Field.h"

namespace ui {

class DataSetModel::Link : public dbe::TDataLink {
public:
    explicit Link(DataSetModel &model) : model_(model) {}

protected:
    void ActiveChanged() override { model_.rebuild(); }
    void LayoutChanged() override { model_.layoutChanged(); }
    void DataSetChanged() override { model_.refreshRows(); }
    void DataSetScrolled(int) override { model_.cursorScrolled(); }
    void RecordChanged(dbe::TField *) override { model_.recordChanged(); }
    void EditingChanged() override { model_.editingChanged(); }

private:
    DataSetModel &model_;
};

DataSetModel::DataSetModel(QObject *parent)
    : QAbstractTableModel(parent), link_(std::make_unique<Link>(*this))
{
}

DataSetModel::~DataSetModel() = default;

dbe::TDataSource *DataSetModel::dataSource() const
{
    return link_->DataSource();
}

void DataSetModel::setDataSource(dbe::TDataSource *source)
{
    const bool wasActive = link_->Active();
    link_->SetDataSource(source);
    // A link that became active or inactive has been rebuilt already.
    if (link_->Active() == wasActive)
        rebuild();
}

void DataSetModel::layoutChanged()
{
    if (layoutHolds_ > 0) {
        layoutPending_ = true;
        return;
    }
    rebuild();
}

void DataSetModel::changeFields(const std::function<void()> &change)
{
    ++layoutHolds_;
    const auto release = [this] {
        if (--layoutHolds_ == 0 && layoutPending_)
            rebuild();
    };
    try {
        change();
    } catch (...) {
        release();
        throw;
    }
    release();
}

dbe::TField *DataSetModel::fieldAt(int column) const
{
    return columns_.value(column, nullptr);
}

int DataSetModel::columnOf(const dbe::TField *field) const
{
    return int(columns_.indexOf(const_cast<dbe::TField *>(field)));
}

void DataSetModel::setColumnReadOnly(const QString &fieldName, bool readOnly)
{
    if (readOnly)
        readOnlyColumns_.insert(fieldName.toUpper());
    else
        readOnlyColumns_.remove(fieldName.toUpper());
}

bool DataSetModel::columnReadOnly(int column) const
{
    dbe::TField *field = fieldAt(column);
    return !field || readOnlyColumns_.contains(field->FieldName().toUpper());
}

bool DataSetModel::canEdit(int column) const
{
    dbe::TDataSet *dataSet = link_->DataSet();
    dbe::TField *field = fieldAt(column);
    return !readOnly_ && !link_->ReadOnly() && dataSet && link_->Active() && dataSet->CanModify() && field &&
           !field->ReadOnly() && !field->Calculated() && !field->Lookup() && !columnReadOnly(column);
}

int DataSetModel::readCurrentRow() const
{
    dbe::TDataSet *dataSet = link_->DataSet();
    if (!dataSet || !link_->Active())
        return -1;
    if (dataSet->State() == dbe::TDataSetState::dsInsert)
        return insertRow_;
    return dataSet->RecNo() - 1;
}

void DataSetModel::rebuild()
{
    beginResetModel();
    layoutPending_ = false;
    columns_.clear();
    rows_ = 0;
    insertRow_ = -1;
    dbe::TDataSet *dataSet = link_->DataSet();
    if (dataSet && link_->Active()) {
        for (int i = 0; i < dataSet->FieldCount(); ++i)
            if (dataSet->Fields(i)->Visible())
                columns_ << dataSet->Fields(i);
        rows_ = dataSet->RecordCount();
    }
    currentRow_ = readCurrentRow();
    endResetModel();
    emit cursorMoved(currentRow_);
}

void DataSetModel::refreshRows()
{
    dbe::TDataSet *dataSet = link_->DataSet();
    if (!dataSet || !link_->Active())
        return rebuild();
    const bool inserting = dataSet->State() == dbe::TDataSetState::dsInsert;
    const int rows = dataSet->RecordCount() + (inserting ? 1 : 0);
    if (rows != rows_) {
        beginResetModel();
        rows_ = rows;
        currentRow_ = readCurrentRow();
        endResetModel();
    } else {
        currentRow_ = readCurrentRow();
        if (rows_ > 0 && !columns_.isEmpty())
            emit dataChanged(index(0, 0), index(rows_ - 1, int(columns_.size()) - 1));
        // The indicator follows the state: a posted insert loses its "*".
        if (rows_ > 0)
            emit headerDataChanged(Qt::Vertical, 0, rows_ - 1);
    }
    emit cursorMoved(currentRow_);
}

void DataSetModel::cursorScrolled()
{
    const int old = currentRow_;
    currentRow_ = readCurrentRow();
    const int lastColumn = int(columns_.size()) - 1;
    for (int row : {old, currentRow_})
        if (row >= 0 && row < rows_ && lastColumn >= 0) {
            emit dataChanged(index(row, 0), index(row, lastColumn));
            emit headerDataChanged(Qt::Vertical, row, row);
        }
    emit cursorMoved(currentRow_);
}

void DataSetModel::recordChanged()
{
    if (currentRow_ >= 0 && currentRow_ < rows_ && !columns_.isEmpty()) {
        emit dataChanged(index(currentRow_, 0), index(currentRow_, int(columns_.size()) - 1));
        emit headerDataChanged(Qt::Vertical, currentRow_, currentRow_);
    }
}

void DataSetModel::editingChanged()
{
    dbe::TDataSet *dataSet = link_->DataSet();
    const bool inserting = dataSet && dataSet->State() == dbe::TDataSetState::dsInsert;
    if (inserting && insertRow_ < 0)
        insertRow_ = appendExpected_ ? rows_ : qMax(0, currentRow_); // else where the cursor stood
    else if (!inserting)
        insertRow_ = -1;
    appendExpected_ = false;
    refreshRows();
}

int DataSetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int DataSetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant DataSetModel::data(const QModelIndex &index, int role) const
{
    dbe::TField *field = fieldAt(index.column());
    dbe::TDataSet *dataSet = link_->DataSet();
    if (!field || !dataSet || !link_->Active() || index.row() < 0 || index.row() >= rows_)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
        const bool display = role == Qt::DisplayRole;
        if (index.row() == currentRow_)
            return display ? field->DisplayText() : field->Text();
        // Rows after the one being inserted are shown one further down.
        int recNo = index.row() + 1;
        if (insertRow_ >= 0 && index.row() > insertRow_)
            --recNo;
        return dataSet->RecordText(recNo, field, display);
    }
    case Qt::TextAlignmentRole:
        switch (field->Alignment()) {
        case dbe::TAlignment::taRightJustify:
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        case dbe::TAlignment::taCenter:
            return QVariant(Qt::AlignCenter);
        default:
            return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        }
    default:
        return QVariant();
    }
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        // The record indicator: the current row, marked by its state.
        if (role != Qt::DisplayRole)
            return QVariant();
        if (section != currentRow_)
            return QString();
        dbe::TDataSet *dataSet = link_->DataSet();
        const dbe::TDataSetState state = dataSet ? dataSet->State() : dbe::TDataSetState::dsInactive;
        return state == dbe::TDataSetState::dsInsert ? QStringLiteral("*")
               : state == dbe::TDataSetState::dsEdit ? QStringLiteral("I")
                                                     : QStringLiteral("▶");
    }
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    dbe::TField *field = fieldAt(section);
    return field ? QVariant(field->DisplayLabel()) : QVariant();
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && canEdit(index.column()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool DataSetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    dbe::TField *field = fieldAt(index.column());
    if (role != Qt::EditRole || !field || index.row() != currentRow_ || !canEdit(index.column()))
        return false;
    if (field->Text() == value.toString() && !link_->Editing())
        return false; // nothing typed: no edit state
    if (!link_->Edit())
        return false;
    field->SetText(value.toString());
    return true;
}

} // namespace ui
