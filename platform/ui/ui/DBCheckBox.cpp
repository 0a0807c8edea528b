#include "ui/DBCheckBox.h"

#include "dbe/Field.h"
#include "ui/Guard.h"

namespace ui {

namespace {

bool listContains(const QString &texts, const QString &text)
{
    for (const QString &entry : texts.split(QLatin1Char(';')))
        if (entry.compare(text, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

bool fieldShowsChecked(const dbe::TField *field, const QString &valueChecked)
{
    if (!field || field->IsNull())
        return false;
    return field->DataType() == dbe::TFieldType::ftBoolean ? field->AsBoolean()
                                                           : listContains(valueChecked, field->AsString());
}

DBCheckBox::DBCheckBox(const QString &caption, QWidget *parent) : CheckBox(caption, parent)
{
    link_.onDataChange = [this] { showValue(); };
    link_.onWriteValue = [this] {
        dbe::TField *field = link_.field();
        if (isTristate() && checkState() == Qt::PartiallyChecked)
            field->Clear();
        else if (field->DataType() == dbe::TFieldType::ftBoolean)
            field->SetAsBoolean(isChecked());
        else
            field->SetAsString(
                (isChecked() ? valueChecked_ : valueUnchecked_).section(QLatin1Char(';'), 0, 0));
    };
}

void DBCheckBox::setValueChecked(const QString &texts)
{
    valueChecked_ = texts;
    showValue();
}

void DBCheckBox::setValueUnchecked(const QString &texts)
{
    valueUnchecked_ = texts;
    showValue();
}

void DBCheckBox::setAllowGrayed(bool allow)
{
    setTristate(allow);
    showValue();
}

void DBCheckBox::showValue()
{
    dbe::TField *field = link_.field();
    if (isTristate() && (!field || field->IsNull())) {
        setCheckState(Qt::PartiallyChecked);
        return;
    }
    setChecked(fieldShowsChecked(field, valueChecked_));
}

void DBCheckBox::nextCheckState()
{
    bool editing = false;
    guard(this, [&] { editing = link_.startEditing(); });
    if (!editing)
        return; // the dataset cannot be changed: the box keeps its state
    CheckBox::nextCheckState();
    link_.setModified();
    guard(this, [this] { link_.updateRecord(); });
}

} // namespace ui
