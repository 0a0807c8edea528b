#pragma once

#include <QLineEdit>

#include "ui/FieldLink.h"

namespace ui {

// A one-line edit of a field. Shows the field's display text, and its edit
// text while it has the focus; typing puts the dataset into edit state (or is
// undone when the dataset cannot be changed); the text is written into the
// field when the control is left or the dataset posts. Escape takes back
// what was typed.
class DBEdit : public QLineEdit, public DataAwareControl {
    Q_OBJECT
    Q_PROPERTY(dbe::TDataSource *dataSource READ dataSource WRITE setDataSource)
    Q_PROPERTY(QString dataField READ dataField WRITE setDataField)
    Q_PROPERTY(bool readOnly READ dataReadOnly WRITE setDataReadOnly)
public:
    explicit DBEdit(QWidget *parent = nullptr);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showValue();
    void userEdited(const QString &text);
};

} // namespace ui
