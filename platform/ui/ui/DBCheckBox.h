#pragma once

#include "ui/CheckBox.h"
#include "ui/FieldLink.h"

namespace dbe {
class TField;
}

namespace ui {

// Whether a check box over `field` shows it checked: a logical field by its
// value, any other when its text is one of `valueChecked` (separated by ";",
// compared without regard to case); a blank or missing field never.
bool fieldShowsChecked(const dbe::TField *field, const QString &valueChecked);

// A check box over a field: a logical field directly, any other field by its
// text, which is checked when it equals one of the valueChecked texts
// (separated by ";", compared without regard to case) and written as the
// first valueChecked or valueUnchecked text. Like every check box, onClick
// fires on every change of the state, also when a record is shown.
class DBCheckBox : public CheckBox, public DataAwareControl {
    Q_OBJECT
    Q_PROPERTY(dbe::TDataSource *dataSource READ dataSource WRITE setDataSource)
    Q_PROPERTY(QString dataField READ dataField WRITE setDataField)
    Q_PROPERTY(bool readOnly READ dataReadOnly WRITE setDataReadOnly)
    Q_PROPERTY(QString valueChecked READ valueChecked WRITE setValueChecked)
    Q_PROPERTY(QString valueUnchecked READ valueUnchecked WRITE setValueUnchecked)
public:
    explicit DBCheckBox(const QString &caption = {}, QWidget *parent = nullptr);

    QString valueChecked() const { return valueChecked_; }
    void setValueChecked(const QString &texts);
    QString valueUnchecked() const { return valueUnchecked_; }
    void setValueUnchecked(const QString &texts);
    // A blank field shows grey, and grey writes it blank.
    bool allowGrayed() const { return isTristate(); }
    void setAllowGrayed(bool allow);

protected:
    void nextCheckState() override;

private:
    void showValue();

    QString valueChecked_ = QStringLiteral("True");
    QString valueUnchecked_ = QStringLiteral("False");
};

} // namespace ui
