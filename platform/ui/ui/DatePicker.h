#pragma once

#include <QDateTimeEdit>

#include "base/DateTime.h"

namespace ui {

// A date (or time) picker with a drop-down calendar. onChange fires when the
// user changes the value; setting it in code (setValue, setDate) fires
// nothing. onCloseUp fires when the calendar closes. The calendar is made
// when it first drops down.
//
// A German user types the whole date: the first digit typed starts a text of
// its own ("10.03.2026", "1.3.26", "10" for a day of the shown month,
// "8:30" for a time), taken when the user leaves the field, presses Enter or
// an arrow key; Escape drops it. Text that is no date is refused with the
// layer's message and the shown value stays.
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
    // Whether typed text waits to be taken.
    bool typing() const { return typing_; }

signals:
    void onChange();
    void onCloseUp();

protected:
    void childEvent(QChildEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    QValidator::State validate(QString &input, int &pos) const override;

private:
    void type(const QString &text);
    // Takes the typed text; false when it was refused.
    bool finishTyping();
    void dropTyping();

    Kind kind_;
    bool settingInCode_ = false;
    bool typing_ = false;
    QString typed_;
};

} // namespace ui
