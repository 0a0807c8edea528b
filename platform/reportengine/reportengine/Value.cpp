#include "reportengine/Value.h"

#include "base/GermanFormat.h"

namespace tb {

Value Value::ofText(const QString &text)
{
    Value v;
    v.kind = Kind::Text;
    v.text = text;
    return v;
}

Value Value::ofNumber(double number)
{
    Value v;
    v.kind = Kind::Number;
    v.number = number;
    return v;
}

Value Value::ofDate(double dayCount)
{
    Value v;
    v.kind = Kind::Date;
    v.number = dayCount;
    return v;
}

Value Value::ofBool(bool flag)
{
    Value v;
    v.kind = Kind::Bool;
    v.flag = flag;
    return v;
}

Value Value::null()
{
    Value v;
    v.kind = Kind::Null;
    return v;
}

QString Value::toText() const
{
    switch (kind) {
    case Kind::Null:
        return {};
    case Kind::Text:
        return text;
    case Kind::Number:
        return base::de::formatGeneral(number);
    case Kind::Date:
        return base::de::formatDateTime(number);
    case Kind::Bool:
        return base::de::boolText(flag);
    }
    return {};
}

double Value::toNumber() const
{
    switch (kind) {
    case Kind::Null:
        return 0;
    case Kind::Text:
        return tolerantNumber(text);
    case Kind::Number:
    case Kind::Date:
        return number;
    case Kind::Bool:
        return flag ? 1 : 0;
    }
    return 0;
}

bool Value::toBool() const
{
    switch (kind) {
    case Kind::Null:
        return false;
    case Kind::Text: {
        if (auto b = base::de::parseBool(text.trimmed()))
            return *b;
        return !text.trimmed().isEmpty();
    }
    case Kind::Number:
    case Kind::Date:
        return number != 0;
    case Kind::Bool:
        return flag;
    }
    return false;
}

double tolerantNumber(const QString &text)
{
    const QString s = text.trimmed();
    int i = 0;
    QString digits;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+'))
        digits += s[i++];
    while (i < s.size() && (s[i].isDigit() || s[i] == u'.' || s[i] == u',' || s[i] == u' '))
        digits += s[i++];
    digits.remove(u' ');
    const qsizetype lastComma = digits.lastIndexOf(u',');
    const qsizetype lastDot = digits.lastIndexOf(u'.');
    QString normal;
    if (lastComma >= 0 && lastDot >= 0) {
        // Both present: the later one is the decimal separator.
        const QChar thousands = lastComma > lastDot ? u'.' : u',';
        normal = digits;
        normal.remove(thousands);
        normal.replace(u',', u'.');
    } else if (lastComma >= 0) {
        normal = digits.count(u',') > 1 ? QString(digits).remove(u',') : QString(digits).replace(u',', u'.');
    } else if (lastDot >= 0 && digits.count(u'.') > 1) {
        normal = QString(digits).remove(u'.');
    } else {
        normal = digits;
    }
    bool ok = false;
    const double value = normal.toDouble(&ok);
    return ok ? value : 0;
}

} // namespace tb
