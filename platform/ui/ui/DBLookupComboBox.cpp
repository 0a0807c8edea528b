#include "ui/DBLookupComboBox.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTableView>

#include "dbe/DataSet.h"
#include "dbe/Field.h"
#include "ui/Guard.h"

namespace ui {

namespace {
constexpr int KeyRole = Qt::UserRole + 1;
}

// Tells the box when the rows of its list dataset may have changed; moving
// through the dataset does not change them.
class DBLookupComboBox::ListLink : public dbe::TDataLink {
public:
    explicit ListLink(DBLookupComboBox &box) : box_(box) {}

protected:
    void ActiveChanged() override { box_.listChanged(); }
    void DataSetChanged() override { box_.listChanged(); }
    void DataSetScrolled(int /*distance*/) override {}
    void LayoutChanged() override { box_.listChanged(); }

private:
    DBLookupComboBox &box_;
};

DBLookupComboBox::DBLookupComboBox(QWidget *parent)
    : ComboBox(parent), listLink_(std::make_unique<ListLink>(*this)),
      rows_(qobject_cast<QStandardItemModel *>(model())) // the box's own rows
{
    Q_ASSERT(rows_);
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    link_.onDataChange = [this] { showValue(); };
    // Switched read-only (or back), the text field follows at once, not only
    // when the next record shows; the text stays as the user may be typing it.
    link_.onStateChange = [this] { lineEdit()->setReadOnly(!link_.canModify()); };
    link_.onWriteValue = [this] {
        readListIfOutdated();
        link_.field()->SetAsString(keyValue());
    };
    connect(this, &ComboBox::onChange, this, &DBLookupComboBox::userChanged);
    connect(this, &QComboBox::activated, this,
            [this](int row) { guard(this, [this, row] { positionListSource(row); }); });
}

DBLookupComboBox::~DBLookupComboBox() = default;

dbe::TDataSource *DBLookupComboBox::listSource() const
{
    return listLink_->DataSource();
}

void DBLookupComboBox::setListSource(dbe::TDataSource *source)
{
    listLink_->SetDataSource(source);
    listChanged();
}

void DBLookupComboBox::setKeyField(const QString &name)
{
    keyField_ = name;
    listChanged();
}

void DBLookupComboBox::setListField(const QString &names)
{
    listFields_ = names.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    listChanged();
}

void DBLookupComboBox::readListIfOutdated()
{
    if (listOutdated_)
        refreshList();
}

void DBLookupComboBox::refreshList()
{
    listOutdated_ = false;
    const QString shown = currentText();
    rows_->clear();
    dbe::TDataSource *source = listSource();
    dbe::TDataSet *dataSet = source ? source->DataSet() : nullptr;
    if (!dataSet || !dataSet->Active())
        return;
    // Each row is read once, with all its values; the shown columns and the
    // key are taken from it by their place in the dataset's field list.
    const auto place = [dataSet](const QString &name) {
        if (dbe::TField *f = dataSet->FindField(name))
            for (int i = 0; i < dataSet->FieldCount(); ++i)
                if (dataSet->Fields(i) == f)
                    return i;
        return -1;
    };
    QList<int> columns;
    for (const QString &name : listFields_.isEmpty() ? QStringList{keyField_} : listFields_)
        if (const int i = place(name); i >= 0)
            columns << i;
    const int key = place(keyField_);
    if (columns.isEmpty() || key < 0)
        return;
    const int count = dataSet->RecordCount();
    QVariantList values;
    for (int recNo = 1; recNo <= count; ++recNo) {
        if (!dataSet->ReadRecord(recNo, values))
            break;
        QList<QStandardItem *> row;
        for (const int column : columns)
            row << new QStandardItem(dataSet->Fields(column)->TextOf(values.value(column), true));
        row.first()->setData(dataSet->Fields(key)->TextOf(values.value(key), false), KeyRole);
        rows_->appendRow(row);
    }
    if (table_)
        table_->resizeColumnsToContents();
    QSignalBlocker quiet(this);
    setEditText(shown);
}

QString DBLookupComboBox::keyValue() const
{
    const QString typed = currentText();
    const int row = findText(typed, Qt::MatchExactly);
    if (row >= 0) {
        const QVariant key = itemData(row, KeyRole);
        if (key.isValid())
            return key.toString();
    }
    return typed;
}

QString DBLookupComboBox::lookedUpText(const QString &key) const
{
    const QString column = listFields_.value(0, keyField_);
    dbe::TDataSource *source = listSource();
    dbe::TDataSet *dataSet = source ? source->DataSet() : nullptr;
    if (key.isEmpty() || column.compare(keyField_, Qt::CaseInsensitive) == 0 || !dataSet ||
        !dataSet->Active() || !isVisible())
        return key;
    const dbe::TField *shown = dataSet->FindField(column);
    if (!shown || !dataSet->FindField(keyField_))
        return key;
    const QVariant value = dataSet->Lookup(keyField_, {key}, column);
    return value.isValid() ? shown->TextOf(value, true) : key;
}

void DBLookupComboBox::showValue()
{
    dbe::TField *field = link_.field();
    const QString key = field ? field->AsString() : QString();
    QString shown = listOutdated_ ? lookedUpText(key) : key;
    if (!listOutdated_)
        for (int row = 0; row < rows_->rowCount(); ++row)
            if (rows_->item(row)->data(KeyRole).toString() == key) {
                shown = rows_->item(row)->text();
                break;
            }
    QSignalBlocker quiet(this);
    setEditText(shown);
    lineEdit()->setReadOnly(!link_.canModify());
    // A text longer than the box shows its start until the user is in it.
    if (!hasFocus())
        lineEdit()->setCursorPosition(0);
}

void DBLookupComboBox::showPopup()
{
    guard(this, [this] { readListIfOutdated(); });
    if (!table_) {
        // The drop-down shows the rows as a table without headers; it is made
        // when it first drops down.
        table_ = new QTableView(this);
        table_->horizontalHeader()->hide();
        table_->verticalHeader()->hide();
        table_->setSelectionBehavior(QAbstractItemView::SelectRows);
        table_->setShowGrid(false);
        setView(table_);
        table_->resizeColumnsToContents();
    }
    ComboBox::showPopup();
}

void DBLookupComboBox::showEvent(QShowEvent *event)
{
    ComboBox::showEvent(event);
    guard(this, [this] {
        // A field shown while the box was hidden shows its key: show its row's text now.
        if (listOutdated_ && link_.field() && !link_.modified())
            showValue();
    });
}

void DBLookupComboBox::focusInEvent(QFocusEvent *event)
{
    // Typing completes from the list and the arrow keys step through it.
    guard(this, [this] { readListIfOutdated(); });
    ComboBox::focusInEvent(event);
}

void DBLookupComboBox::wheelEvent(QWheelEvent *event)
{
    guard(this, [this] { readListIfOutdated(); });
    ComboBox::wheelEvent(event);
}

void DBLookupComboBox::positionListSource(int row)
{
    dbe::TDataSource *source = listSource();
    dbe::TDataSet *dataSet = source ? source->DataSet() : nullptr;
    if (!positions_ || !dataSet || !dataSet->Active() || row < 0 || row >= rows_->rowCount())
        return;
    dataSet->Locate(keyField_, rows_->item(row)->data(KeyRole));
}

void DBLookupComboBox::userChanged()
{
    if (positions_)
        return; // no data field to write; a chosen row positions the list
    const QString typed = currentText();
    bool editing = false;
    try {
        editing = link_.startEditing();
    } catch (...) {
        showValue();
        throw;
    }
    if (!editing) {
        showValue();
        return;
    }
    QSignalBlocker quiet(this);
    setEditText(typed);
    link_.setModified();
}

void DBLookupComboBox::focusOutEvent(QFocusEvent *event)
{
    ComboBox::focusOutEvent(event);
    guard(this, [this] { link_.updateRecord(); });
}

} // namespace ui
