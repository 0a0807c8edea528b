#include "ui/DBDatePicker.h"

#include "dbe/Field.h"

namespace ui {

DBDatePicker::DBDatePicker(Kind kind, QWidget *parent) : DatePicker(kind, parent)
{
    if (kind == Kind::Date) {
        setMinimumDate(QDate(1899, 12, 30)); // stands for a blank field
        setSpecialValueText(QStringLiteral(" "));
    }
    link_.onDataChange = [this] { showValue(); };
    link_.onStateChange = [this] { setReadOnly(!link_.canModify()); };
    link_.onWriteValue = [this] { link_.field()->SetAsDateTime(value()); };
    connect(this, &DatePicker::onChange, this, &DBDatePicker::userChanged);
}

void DBDatePicker::showValue()
{
    dbe::TField *field = link_.field();
    if (!field || field->IsNull())
        setDate(minimumDate());
    else
        setValue(field->AsDateTime());
    setReadOnly(!link_.canModify());
}

void DBDatePicker::userChanged()
{
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
    link_.setModified();
    link_.updateRecord();
}

} // namespace ui
