#include "ui/DBComboBox.h"

#include <QLineEdit>

#include "dbe/Field.h"
#include "ui/Guard.h"

namespace ui {

DBComboBox::DBComboBox(QWidget *parent) : ComboBox(parent)
{
    link_.onDataChange = [this] { showValue(); };
    link_.onWriteValue = [this] { link_.field()->SetAsString(text()); };
    // Connected before any form handler, so the field is in edit state when they run.
    connect(this, &ComboBox::onChange, this, &DBComboBox::userChanged);
}

void DBComboBox::showValue()
{
    const QString value = link_.field() ? link_.field()->AsString() : QString();
    if (isEditable() && lineEdit() && link_.field())
        lineEdit()->setMaxLength(maxTextLength(*link_.field()));
    setText(value);
    if (!isEditable() && currentText() != value)
        setCurrentIndex(-1);
    // A text longer than the box shows its start until the user is in it.
    if (isEditable() && lineEdit() && !hasFocus())
        lineEdit()->setCursorPosition(0);
}

void DBComboBox::userChanged()
{
    const QString typed = text();
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
    setText(typed);
    link_.setModified();
}

void DBComboBox::focusOutEvent(QFocusEvent *event)
{
    ComboBox::focusOutEvent(event);
    guard(this, [this] { link_.updateRecord(); });
}

} // namespace ui
