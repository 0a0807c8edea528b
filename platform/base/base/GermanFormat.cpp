#include "base/GermanFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include <QRegularExpression>

namespace base::de {

const QStringList kMonthNames = {
    QStringLiteral("Januar"),  QStringLiteral("Februar"),  QStringLiteral("März"),
    QStringLiteral("April"),   QStringLiteral("Mai"),      QStringLiteral("Juni"),
    QStringLiteral("Juli"),    QStringLiteral("August"),   QStringLiteral("September"),
    QStringLiteral("Oktober"), QStringLiteral("November"), QStringLiteral("Dezember")};

const QStringList kDayNames = {QStringLiteral("Sonntag"),    QStringLiteral("Montag"),
                               QStringLiteral("Dienstag"),   QStringLiteral("Mittwoch"),
                               QStringLiteral("Donnerstag"), QStringLiteral("Freitag"),
                               QStringLiteral("Samstag")};

static QString twoDigits(int v)
{
    return QString::number(v).rightJustified(2, QLatin1Char('0'));
}

QString formatDate(TDateTime value)
{
    int y, m, d;
    decodeDate(value, y, m, d);
    return twoDigits(d) + QLatin1Char('.') + twoDigits(m) + QLatin1Char('.') +
           QString::number(y).rightJustified(4, QLatin1Char('0'));
}

QString formatTime(TDateTime value)
{
    int h, mi, s, ms;
    decodeTime(value, h, mi, s, ms);
    return twoDigits(h) + QLatin1Char(':') + twoDigits(mi) + QLatin1Char(':') + twoDigits(s);
}

QString formatDateTime(TDateTime value)
{
    QString text = formatDate(value);
    if (timePart(value) != 0.0)
        text += QLatin1Char(' ') + formatTime(value);
    return text;
}

std::optional<TDateTime> parseDate(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,2})\\.(\\d{1,2})\\.(\\d{2}|\\d{4})\\s*$"));
    auto m = re.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    int d = m.captured(1).toInt();
    int mo = m.captured(2).toInt();
    int y = m.captured(3).toInt();
    if (m.captured(3).size() == 2)
        y += y < 50 ? 2000 : 1900;
    if (!isValidDate(y, mo, d))
        return std::nullopt;
    return encodeDate(y, mo, d);
}

std::optional<TDateTime> parseTime(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?\\s*$"));
    auto m = re.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    int h = m.captured(1).toInt();
    int mi = m.captured(2).toInt();
    int s = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    if (h > 23 || mi > 59 || s > 59)
        return std::nullopt;
    return encodeTime(h, mi, s);
}

std::optional<TDateTime> parseDateTime(const QString &text)
{
    QString t = text.trimmed();
    int blank = t.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return parseDate(t);
    auto d = parseDate(t.left(blank));
    auto tm = parseTime(t.mid(blank + 1));
    if (!d || !tm)
        return std::nullopt;
    return *d < 0 ? *d - *tm : *d + *tm;
}

double roundHalfAwayFromZero(double value, int decimals)
{
    // printf rounds an exact half to even (1622.5 -> 1622); German commercial
    // rounding takes it away from zero. A value typed as 1,005 is stored a hair
    // below the half, so the half is found with a tolerance of a few units in
    // the last place of the scaled value.
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    if (!std::isfinite(value) || decimals < 0 || decimals > kMaxDecimals)
        return value;
    const double scale = kPowers[decimals];
    const double scaled = std::abs(value) * scale;
    if (scaled >= 1e15)
        return value; // no digit left below the decimals shown
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    const double tolerance = 8 * std::numeric_limits<double>::epsilon() * std::max(scaled, 1.0);
    const double rounded = fraction + tolerance >= 0.5 ? whole + 1 : whole;
    return std::copysign(rounded / scale, value);
}

QString formatFixed(double value, int decimals)
{
    if (!std::isfinite(value))
        return QString();
    // More decimals than a double holds show nothing more, and must not cost time.
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    value = roundHalfAwayFromZero(value, decimals);
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    QString s = QString::fromLatin1(buf);
    // snprintf follows LC_NUMERIC; normalise whatever separator it used.
    s.replace(QLatin1Char('.'), QLatin1Char(','));
    if (s.startsWith(QLatin1Char('-'))) {
        bool allZero = true;
        for (QChar c : s.mid(1))
            if (c.isDigit() && c != QLatin1Char('0'))
                allZero = false;
        if (allZero)
            s.remove(0, 1); // no "-0,00"
    }
    return s;
}

QString formatGeneral(double value)
{
    if (!std::isfinite(value))
        return QString();
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    QString s = QString::fromLatin1(buf, static_cast<int>(res.ptr - buf));
    s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}

QString formatMoney(double value)
{
    return formatFixed(value, 2);
}
QString formatLitres(double value)
{
    return formatFixed(value, 2);
}
QString formatKm(double value)
{
    return formatFixed(value, 0);
}

QString formatMask(double value, const QString &mask)
{
    QString m = mask.section(QLatin1Char(';'), 0, 0);
    int point = m.indexOf(QLatin1Char('.'));
    // "0" is a digit always shown, "#" one shown only when it is not a trailing zero.
    int decimals = 0;
    int requiredDecimals = 0;
    if (point >= 0)
        for (int i = point + 1; i < m.size() && (m[i] == QLatin1Char('0') || m[i] == QLatin1Char('#')); ++i) {
            ++decimals;
            if (m[i] == QLatin1Char('0'))
                requiredDecimals = decimals;
        }
    QString intMask = point >= 0 ? m.left(point) : m;
    bool thousands = intMask.contains(QLatin1Char(','));
    int minIntDigits = intMask.count(QLatin1Char('0'));
    QString text = formatFixed(value, decimals);
    bool negative = text.startsWith(QLatin1Char('-'));
    if (negative)
        text.remove(0, 1);
    int comma = text.indexOf(QLatin1Char(','));
    QString intPart = comma >= 0 ? text.left(comma) : text;
    QString frac = comma >= 0 ? text.mid(comma) : QString();
    while (frac.size() > requiredDecimals + 1 && frac.endsWith(QLatin1Char('0')))
        frac.chop(1);
    if (frac == QLatin1String(","))
        frac.clear();
    if (intPart == QLatin1String("0") && minIntDigits == 0)
        intPart.clear();
    minIntDigits = std::min(minIntDigits, 309); // the most integer digits a double has
    while (intPart.size() < minIntDigits)
        intPart.prepend(QLatin1Char('0'));
    if (thousands)
        for (int i = intPart.size() - 3; i > 0; i -= 3)
            intPart.insert(i, QLatin1Char('.'));
    return (negative ? QStringLiteral("-") : QString()) + intPart + frac;
}

namespace {

// A number as a person types it in German: decimal comma; dots only as
// thousands separators, each before exactly three digits, after a first group
// of one to three digits that does not start with 0.
const QRegularExpression &germanNumber()
{
    static const QRegularExpression re(
        QStringLiteral("^[+-]?(\\d+|[1-9]\\d{0,2}(?:\\.\\d{3})+)?(?:,(\\d*))?([eE][+-]?\\d+)?$"));
    return re;
}

// The plain text for the number reader: thousands dots gone, a decimal point.
std::optional<double> readPlain(QString plain)
{
    QByteArray latin = plain.toLatin1();
    const char *first = latin.constData();
    if (*first == '+')
        ++first;
    double v = 0;
    auto res = std::from_chars(first, latin.constData() + latin.size(), v);
    if (res.ec != std::errc() || res.ptr != latin.constData() + latin.size())
        return std::nullopt;
    return v;
}

} // namespace

std::optional<double> parseFloat(const QString &text)
{
    const QString t = text.trimmed();
    const auto m = germanNumber().match(t);
    // At least one digit, before or after the comma.
    if (!m.hasMatch() || (m.captured(1).isEmpty() && m.captured(2).isEmpty()))
        return std::nullopt;
    QString plain = t;
    plain.remove(QLatin1Char('.'));
    plain.replace(QLatin1Char(','), QLatin1Char('.'));
    return readPlain(plain);
}

std::optional<qint64> parseInt(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^[+-]?(\\d+|[1-9]\\d{0,2}(?:\\.\\d{3})+)$"));
    QString t = text.trimmed();
    if (!re.match(t).hasMatch())
        return std::nullopt;
    t.remove(QLatin1Char('.'));
    bool ok = false;
    const qint64 v = t.toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return v;
}

std::optional<double> parseValueFloat(const QString &text)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    if (t.contains(QLatin1Char(',')))
        t.replace(QLatin1Char(','), QLatin1Char('.'));
    static const QRegularExpression re(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    if (!re.match(t).hasMatch())
        return std::nullopt;
    return readPlain(t);
}

QString monthName(int month)
{
    return month >= 1 && month <= 12 ? kMonthNames[month - 1] : QString();
}

int monthFromName(const QString &name)
{
    int i = kMonthNames.indexOf(name.trimmed());
    return i < 0 ? 0 : i + 1;
}

QString boolText(bool value)
{
    return value ? QStringLiteral("Wahr") : QStringLiteral("Falsch");
}

std::optional<bool> parseBool(const QString &text)
{
    QString t = text.trimmed().toLower();
    if (t == QLatin1String("wahr") || t == QLatin1String("true") || t == QLatin1String("1") ||
        t == QLatin1String("ja"))
        return true;
    if (t == QLatin1String("falsch") || t == QLatin1String("false") || t == QLatin1String("0") ||
        t == QLatin1String("nein"))
        return false;
    return std::nullopt;
}

} // namespace base::de
