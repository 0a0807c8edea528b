#include "ui/DatePicker.h"

#include <QCalendarWidget>
#include <QChildEvent>
#include <QEvent>

#include "ui/Guard.h"

namespace ui {

DatePicker::DatePicker(Kind kind, QWidget *parent) : QDateTimeEdit(parent), kind_(kind)
{
    if (kind == Kind::Date) {
        setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        setCalendarPopup(true);
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

void DatePicker::childEvent(QChildEvent *event)
{
    QDateTimeEdit::childEvent(event);
    // The calendar's popup window is a child made when it first drops down;
    // children are watched from their birth on, before they are whole.
    if (event->added() && kind_ == Kind::Date)
        event->child()->installEventFilter(this);
}

bool DatePicker::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Hide && watched->isWidgetType() && watched->parent() == this) {
        const auto *popup = static_cast<QWidget *>(watched);
        if (popup->isWindow() && popup->findChild<QCalendarWidget *>())
            guard(this, [this] { emit onCloseUp(); });
    }
    return QDateTimeEdit::eventFilter(watched, event);
}

} // namespace ui
