#include "ui/ComboBox.h"

#include <QLineEdit>

#include "ui/Guard.h"

namespace ui {

ComboBox::ComboBox(QWidget *parent) : QComboBox(parent)
{
    connect(this, &QComboBox::activated, this, [this] { guard(this, [this] { emit onChange(); }); });
}

void ComboBox::setEditable(bool editable)
{
    QComboBox::setEditable(editable);
    QLineEdit *editor = lineEdit();
    if (!editor || editor == connectedEditor_)
        return;
    connectedEditor_ = editor;
    connect(editor, &QLineEdit::textEdited, this, [this] { guard(this, [this] { emit onChange(); }); });
}

void ComboBox::setText(const QString &text)
{
    if (isEditable()) {
        setEditText(text);
        return;
    }
    setCurrentIndex(findText(text));
}

} // namespace ui
