#include "ui/DBRadioGroup.h"

#include "dbe/Field.h"

namespace ui {

DBRadioGroup::DBRadioGroup(QWidget *parent) : RadioGroup(parent)
{
    link_.onDataChange = [this] { showValue(); };
    link_.onWriteValue = [this] { link_.field()->SetAsString(valueOf(itemIndex())); };
}

void DBRadioGroup::setValues(const QStringList &values)
{
    values_ = values;
    showValue();
}

QString DBRadioGroup::valueOf(int index) const
{
    const QStringList &values = values_.isEmpty() ? items() : values_;
    return index >= 0 && index < values.size() ? values[index] : QString();
}

void DBRadioGroup::showValue()
{
    const QStringList &values = values_.isEmpty() ? items() : values_;
    dbe::TField *field = link_.field();
    loading_ = true;
    setItemIndex(field && !field->IsNull() ? int(values.indexOf(field->AsString())) : -1);
    loading_ = false;
}

void DBRadioGroup::itemChosen()
{
    if (loading_)
        return;
    try {
        if (!link_.startEditing()) {
            showValue(); // the dataset cannot be changed: back to the field's value
            return;
        }
        link_.setModified();
        link_.updateRecord();
    } catch (...) {
        showValue();
        throw;
    }
    emit onClick();
}

} // namespace ui
