#include "ui/DBEdit.h"

#include <QKeyEvent>
#include <QTimer>

#include "dbe/Field.h"
#include "ui/Guard.h"

namespace ui {

DBEdit::DBEdit(QWidget *parent) : QLineEdit(parent)
{
    link_.onDataChange = [this] { showValue(); };
    link_.onStateChange = [this] { showValue(); };
    link_.dataChangeShowsState = true;
    link_.onWriteValue = [this] { link_.field()->SetText(text()); };
    connect(this, &QLineEdit::textEdited, this, &DBEdit::userEdited);
}

void DBEdit::showValue()
{
    dbe::TField *field = link_.field();
    const bool writable = link_.canModify();
    setReadOnly(!writable);
    if (!field) {
        setText(QString());
        return;
    }
    setMaxLength(maxTextLength(*field));
    setAlignment(field->Alignment() == dbe::TAlignment::taRightJustify ? Qt::AlignRight | Qt::AlignVCenter
                 : field->Alignment() == dbe::TAlignment::taCenter     ? Qt::AlignCenter
                                                                       : Qt::AlignLeft | Qt::AlignVCenter);
    setText(hasFocus() && writable ? field->Text() : field->DisplayText());
    // A text longer than the box shows its start until the user is in it.
    if (!hasFocus())
        setCursorPosition(0);
}

void DBEdit::userEdited(const QString &)
{
    guard(this, [this] {
        if (!link_.startEditing()) {
            showValue();
            return;
        }
        link_.setModified();
    });
}

void DBEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (!link_.modified())
        showValue();
}

void DBEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    bool failed = true;
    guard(this, [&] {
        link_.updateRecord();
        failed = false;
    });
    if (failed) {
        // The text is no value of the field: back to the edit to correct it.
        QTimer::singleShot(0, this, [this] {
            setFocus();
            selectAll();
        });
        return;
    }
    if (!link_.modified())
        showValue();
}

void DBEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && link_.modified()) {
        link_.reset();
        selectAll();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace ui
