#include "ui/FieldLink.h"

#include "dbe/DataSet.h"
#include "dbe/Field.h"

namespace ui {

void FieldLink::setSource(dbe::TDataSource *source)
{
    if (source == DataSource())
        return;
    const bool wasActive = Active();
    SetDataSource(source);
    // A link that became active or inactive has shown the field already.
    if (Active() == wasActive) {
        resolveField();
        showField();
    }
}

void FieldLink::bind(dbe::TDataSource *source, const QString &fieldName)
{
    fieldName_ = fieldName;
    if (source != DataSource()) {
        setSource(source);
        return;
    }
    resolveField();
    showField();
}

void FieldLink::setFieldName(const QString &name)
{
    fieldName_ = name;
    resolveField();
    showField();
}

void FieldLink::resolveField()
{
    dbe::TDataSet *dataSet = DataSet();
    field_ = (Active() && dataSet && !fieldName_.isEmpty()) ? dataSet->FindField(fieldName_) : nullptr;
}

void FieldLink::showField()
{
    modified_ = false;
    if (onDataChange)
        onDataChange();
}

bool FieldLink::canModify() const
{
    dbe::TDataSet *dataSet = DataSet();
    return !ReadOnly() && field_ && !field_->ReadOnly() && !field_->Calculated() && dataSet &&
           dataSet->CanModify();
}

bool FieldLink::startEditing()
{
    if (!canModify())
        return false;
    if (Editing())
        return true;
    // Entering edit state does not change the values; the control keeps what
    // the user is typing.
    enteringEdit_ = true;
    bool editing = false;
    try {
        editing = Edit();
    } catch (...) {
        enteringEdit_ = false;
        throw;
    }
    enteringEdit_ = false;
    return editing;
}

void FieldLink::updateRecord()
{
    if (!modified_ || !field_)
        return;
    if (onWriteValue)
        onWriteValue();
    modified_ = false;
}

void FieldLink::reset()
{
    showField();
}

void FieldLink::ActiveChanged()
{
    resolveField();
    showField();
    if (onStateChange && !dataChangeShowsState)
        onStateChange();
}

void FieldLink::LayoutChanged()
{
    resolveField();
    showField();
}

void FieldLink::EditingChanged()
{
    if (onStateChange && !enteringEdit_)
        onStateChange();
}

void FieldLink::RecordChanged(dbe::TField *field)
{
    if (enteringEdit_)
        return;
    if (field == nullptr || field == field_)
        showField();
}

void FieldLink::UpdateData()
{
    updateRecord();
}

int maxTextLength(const dbe::TField &field)
{
    return field.DataType() == dbe::TFieldType::ftString && field.Size() > 0 ? field.Size() : 32767;
}

} // namespace ui
