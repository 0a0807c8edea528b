#pragma once

#include "ui/DatePicker.h"
#include "ui/FieldLink.h"

namespace ui {

// A date (or time) picker over a date-time field; a blank field shows an
// empty box. The user's change is written into the field at once; showing a
// record fires no onChange.
class DBDatePicker : public DatePicker, public DataAwareControl {
    Q_OBJECT
    Q_PROPERTY(dbe::TDataSource *dataSource READ dataSource WRITE setDataSource)
    Q_PROPERTY(QString dataField READ dataField WRITE setDataField)
    Q_PROPERTY(bool readOnly READ dataReadOnly WRITE setDataReadOnly)
public:
    explicit DBDatePicker(Kind kind = Kind::Date, QWidget *parent = nullptr);

private:
    void showValue();
    void userChanged();
};

} // namespace ui
