#pragma once

#include <QDateTimeEdit>

#include "base/DateTime.h"

namespace ui {

// A date (or time) picker with a drop-down calendar. onChange fires when the
// user changes the value; setting it in code (setValue, setDate) fires
// nothing. onCloseUp fires when the calendar closes. The calendar is made
// when it first drops down.
class DatePicker : public QDateTimeEdit {
    Q_OBJECT
public:
    enum class Kind { Date, Time };
    explicit DatePicker(Kind kind = Kind::Date, QWidget *parent = nullptr);

    base::TDateTime value() const;
    void setValue(base::TDateTime value);
    // Hide QDateTimeEdit's setters so that code never fires onChange.
    void setDate(QDate date);
    void setTime(QTime time);
    void setDateTime(const QDateTime &dateTime);

signals:
    void onChange();
    void onCloseUp();

protected:
    void childEvent(QChildEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Kind kind_;
    bool settingInCode_ = false;
};

} // namespace ui
