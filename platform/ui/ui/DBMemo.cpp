#include "ui/DBMemo.h"

#include "dbe/Field.h"
#include "ui/Guard.h"

namespace ui {

DBMemo::DBMemo(QWidget *parent) : QPlainTextEdit(parent)
{
    link_.onDataChange = [this] { showValue(); };
    link_.onStateChange = [this] { setReadOnly(!link_.canModify()); };
    link_.onWriteValue = [this] { link_.field()->SetAsString(toPlainText()); };
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (loading_)
            return;
        guard(this, [this] {
            if (!link_.startEditing()) {
                showValue();
                return;
            }
            link_.setModified();
        });
    });
}

void DBMemo::showValue()
{
    loading_ = true;
    setPlainText(link_.field() ? link_.field()->AsString() : QString());
    loading_ = false;
    setReadOnly(!link_.canModify());
}

void DBMemo::focusOutEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusOutEvent(event);
    guard(this, [this] { link_.updateRecord(); });
}

} // namespace ui
