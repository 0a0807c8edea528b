#include "ui/DatePicker.h"

#include <QCalendarWidget>
#include <QChildEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

#include "base/GermanFormat.h"
#include "ui/Guard.h"
#include "ui/Messages.h"

namespace ui {

namespace {

bool isTypedChar(QChar c, DatePicker::Kind kind)
{
    return c.isDigit() || c == (kind == DatePicker::Kind::Date ? QLatin1Char('.') : QLatin1Char(':'));
}

// A date typed without year, or without month and year, takes them from the
// date shown: "10" is the 10th of the shown month, "10.3." March of the shown year.
QString completeDate(QString text, QDate shown)
{
    const int dots = int(text.count(QLatin1Char('.')));
    if (dots == 0)
        text += QStringLiteral(".%1.").arg(shown.month());
    else if (dots == 1 && !text.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    if (text.endsWith(QLatin1Char('.')))
        text += QString::number(shown.year());
    return text;
}

} // namespace

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

void DatePicker::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    const bool startsOrGoesOn = text.size() == 1 && isTypedChar(text.front(), kind_);
    if (startsOrGoesOn && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        type(typing_ ? typed_ + text : text);
        return;
    }
    if (typing_) {
        switch (event->key()) {
        case Qt::Key_Backspace:
            type(typed_.chopped(typed_.isEmpty() ? 0 : 1));
            return;
        case Qt::Key_Escape:
            dropTyping();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            finishTyping();
            return;
        case Qt::Key_Up:
        case Qt::Key_Down:
            // The arrows step the value the typed text gives.
            if (!finishTyping())
                return;
            break;
        default:
            if (!text.isEmpty() && text.front().isPrint())
                return; // letters are no part of a date
            break;
        }
    }
    QDateTimeEdit::keyPressEvent(event);
}

void DatePicker::focusOutEvent(QFocusEvent *event)
{
    if (typing_)
        finishTyping();
    QDateTimeEdit::focusOutEvent(event);
}

bool DatePicker::focusNextPrevChild(bool next)
{
    if (typing_ && !finishTyping())
        return true; // refused: the user stays to mend it
    return QDateTimeEdit::focusNextPrevChild(next);
}

QValidator::State DatePicker::validate(QString &input, int &pos) const
{
    // While the user types, the text is the user's, whatever it looks like.
    if (typing_)
        return QValidator::Intermediate;
    return QDateTimeEdit::validate(input, pos);
}

void DatePicker::type(const QString &text)
{
    typing_ = true;
    typed_ = text;
    // The line edit shows the text as typed; the section logic must not read it.
    const QSignalBlocker block(lineEdit());
    lineEdit()->setText(typed_);
    lineEdit()->setCursorPosition(int(typed_.size()));
}

bool DatePicker::finishTyping()
{
    const QString text = typed_.trimmed();
    dropTyping();
    if (text.isEmpty())
        return true;
    if (kind_ == Kind::Date) {
        if (const auto d = base::de::parseDate(completeDate(text, date()))) {
            QDateTimeEdit::setDate(base::toQDate(*d));
            return true;
        }
        messages().error(QStringLiteral("'%1' ist kein gültiges Datum").arg(text));
    } else {
        const QString full = text.contains(QLatin1Char(':')) ? text : text + QStringLiteral(":00");
        if (const auto t = base::de::parseTime(full)) {
            QDateTimeEdit::setTime(base::toQTime(*t));
            return true;
        }
        messages().error(QStringLiteral("'%1' ist keine gültige Zeit").arg(text));
    }
    return false;
}

void DatePicker::dropTyping()
{
    typing_ = false;
    typed_.clear();
    // Shows the value again in the display format.
    const QSignalBlocker block(lineEdit());
    lineEdit()->setText(textFromDateTime(dateTime()));
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
