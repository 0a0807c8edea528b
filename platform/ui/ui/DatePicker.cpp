#include "ui/DatePicker.h"

#include <QCalendarWidget>
#include <QEvent>

#include "ui/Guard.h"

namespace ui {

DatePicker::DatePicker(Kind kind, QWidget *parent) : QDateTimeEdit(parent), kind_(kind)
{
    if (kind == Kind::Date) {
        setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        setCalendarPopup(true);
        watchCalendar();
    } else {
        setDisplayFormat(QStringLiteral("HH:mm:ss"));
    }
    connect(this, &QDateTimeEdit::dateTimeChanged, this, [this] {
        if (!settingInCode_)
            guard(this, [this] { emit onChange(); });
    });
}

base::TDateTime DatePicker::value() const
{
    return kind_ == Kind::Date ? base::fromQDate(date()) : base::fromQTime(time());
}

void DatePicker::setValue(base::TDateTime value)
{
    if (kind_ == Kind::Date)
        setDate(base::toQDate(value));
    else
        setTime(base::toQTime(value));
}

void DatePicker::setDate(QDate date)
{
    settingInCode_ = true;
    QDateTimeEdit::setDate(date);
    settingInCode_ = false;
}

void DatePicker::setTime(QTime time)
{
    settingInCode_ = true;
    QDateTimeEdit::setTime(time);
    settingInCode_ = false;
}

void DatePicker::setDateTime(const QDateTime &dateTime)
{
    settingInCode_ = true;
    QDateTimeEdit::setDateTime(dateTime);
    settingInCode_ = false;
}

void DatePicker::watchCalendar()
{
    QCalendarWidget *calendar = calendarWidget(); // makes the popup
    QWidget *popup = calendar ? calendar->window() : nullptr;
    if (!popup || popup == window())
        return;
    watchedPopup_ = popup;
    popup->installEventFilter(this);
}

bool DatePicker::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == watchedPopup_ && event->type() == QEvent::Hide)
        guard(this, [this] { emit onCloseUp(); });
    return QDateTimeEdit::eventFilter(watched, event);
}

} // namespace ui
