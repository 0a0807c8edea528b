#include "ui/ComboBox.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>

#include "ui/Guard.h"

namespace ui {

ComboBox::ComboBox(QWidget *parent) : QComboBox(parent)
{
    connect(this, &QComboBox::activated, this, [this] { guard(this, [this] { emit onChange(); }); });
}

namespace {

// Whether the box has made its drop-down yet (Qt makes it when first asked).
bool hasDropDown(const QComboBox *box)
{
    for (const QObject *child : box->children())
        if (child->inherits("QComboBoxPrivateContainer"))
            return true;
    return false;
}

} // namespace

void ComboBox::setEditable(bool editable)
{
    // QComboBox makes its drop-down (a list view in a frame) as it becomes
    // editable. Made when first asked for, the drop-down of an editable box
    // comes out the same unless the style drops it down as a popup menu; so
    // a box that has none yet becomes editable without it.
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.editable = true;
    if (editable && !isEditable() && !hasDropDown(this) &&
        !style()->styleHint(QStyle::SH_ComboBox_Popup, &option, this)) {
        auto *editor = new QLineEdit(this);
        editor->setPalette(palette());
        setLineEdit(editor);
        if (!testAttribute(Qt::WA_Resized))
            adjustSize();
    } else {
        QComboBox::setEditable(editable);
    }
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
