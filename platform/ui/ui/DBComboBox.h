#pragma once

#include "ui/ComboBox.h"
#include "ui/FieldLink.h"

namespace ui {

// A combo box over a text field: the field's text is the box's text. The
// user's choice or typing puts the dataset into edit state; the text is
// written when the box is left or the dataset posts. Showing a record fires
// no onChange.
class DBComboBox : public ComboBox, public DataAwareControl {
    Q_OBJECT
    Q_PROPERTY(dbe::TDataSource *dataSource READ dataSource WRITE setDataSource)
    Q_PROPERTY(QString dataField READ dataField WRITE setDataField)
    Q_PROPERTY(bool readOnly READ dataReadOnly WRITE setDataReadOnly)
public:
    explicit DBComboBox(QWidget *parent = nullptr);

protected:
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showValue();
    void userChanged();
};

} // namespace ui
