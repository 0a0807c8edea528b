#pragma once

#include "ui/FieldLink.h"
#include "ui/RadioGroup.h"

namespace ui {

// A radio group over a field: each item stands for a value (the values list,
// or the item texts when it is empty), compared with the field's text.
// Showing a record does not fire onClick; the user's choice (and setting the
// item in code) does, after the value was written into the field.
class DBRadioGroup : public RadioGroup, public DataAwareControl {
    Q_OBJECT
    Q_PROPERTY(dbe::TDataSource *dataSource READ dataSource WRITE setDataSource)
    Q_PROPERTY(QString dataField READ dataField WRITE setDataField)
    Q_PROPERTY(bool readOnly READ dataReadOnly WRITE setDataReadOnly)
public:
    explicit DBRadioGroup(QWidget *parent = nullptr);

    void setValues(const QStringList &values);
    QStringList values() const { return values_; }

protected:
    void itemChosen() override;

private:
    QString valueOf(int index) const;
    void showValue();

    QStringList values_;
    bool loading_ = false;
};

} // namespace ui
