#include "reportengine/ExpressionFunctions.h"

#include <algorithm>
#include <cmath>

#include "base/DateTime.h"
#include "base/GermanFormat.h"

namespace tb::detail {

const std::vector<FunctionInfo> &functionTable()
{
    static const std::vector<FunctionInfo> table = {
        {"If", 2, 3},    {"Choose", 2, -1}, {"Empty", 1, 1},        {"Val", 1, 1},    {"Str$", 1, 2},
        {"FStr$", 2, 2}, {"Date$", 1, 2},   {"Upper$", 1, 1},       {"Lower$", 1, 1}, {"Trim$", 1, 1},
        {"Left$", 2, 2}, {"Mid$", 2, 3},    {"Right$", 2, 2},       {"Len", 1, 1},    {"Page", 0, 0},
        {"Today", 0, 0}, {"Now", 0, 0},     {"ProjectFile$", 0, 0},
    };
    return table;
}

const FunctionInfo *findFunction(const QString &name)
{
    for (const auto &f : functionTable())
        if (name.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

namespace {

// A date argument: a date or number is a day count, text is read as a German date (with time).
std::optional<double> dayCountOf(const Value &v)
{
    if (v.isNumeric())
        return v.number;
    if (v.kind != Value::Kind::Text)
        return std::nullopt;
    const QString text = v.text.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    if (auto d = base::de::parseDateTime(text))
        return *d;
    if (auto n = base::de::parseValueFloat(text))
        return *n;
    return std::nullopt;
}

// A whole-number argument, saturated so that no conversion leaves the range of int.
int intArg(const Value &v)
{
    const double n = v.toNumber();
    if (!std::isfinite(n))
        return 0;
    return int(std::lround(std::clamp(n, -1e9, 1e9)));
}

// Decimals and integer digits a number mask asks for.
std::pair<int, int> maskDigits(const QString &mask)
{
    const QString m = mask.section(u';', 0, 0);
    const qsizetype point = m.indexOf(u'.');
    int decimals = 0;
    if (point >= 0)
        for (qsizetype i = point + 1; i < m.size() && (m[i] == u'0' || m[i] == u'#'); ++i)
            ++decimals;
    return {decimals, int(std::min<qsizetype>((point >= 0 ? m.left(point) : m).count(u'0'), 100000))};
}

} // namespace

QString formatDatePattern(double dayCount, const QString &pattern)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
    base::decodeDate(dayCount, year, month, day);
    base::decodeTime(dayCount, hour, minute, second, msec);
    QString out;
    int i = 0;
    const int n = int(pattern.size());
    while (i < n) {
        const QChar c = pattern[i];
        int run = 1;
        while (i + run < n && pattern[i + run] == c)
            ++run;
        auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
        if (c == u'd') {
            if (run >= 4)
                out += base::de::kDayNames.value(base::dayOfWeek(dayCount) - 1);
            else if (run == 3)
                out += base::de::kDayNames.value(base::dayOfWeek(dayCount) - 1).left(2);
            else
                out += run == 2 ? two(day) : QString::number(day);
        } else if (c == u'M') {
            if (run >= 4)
                out += base::de::monthName(month);
            else if (run == 3)
                out += base::de::monthName(month).left(3);
            else
                out += run == 2 ? two(month) : QString::number(month);
        } else if (c == u'y') {
            out += run >= 4 ? QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0')) : two(year % 100);
        } else if (c == u'h' || c == u'H') {
            out += run >= 2 ? two(hour) : QString::number(hour);
        } else if (c == u'm') {
            out += run >= 2 ? two(minute) : QString::number(minute);
        } else if (c == u's') {
            out += run >= 2 ? two(second) : QString::number(second);
        } else {
            out += QString(run, c);
        }
        i += run;
    }
    return out;
}

Value callFunction(const FunctionInfo &function, const std::vector<Value> &args, const EvalContext &context)
{
    const QString name = QLatin1String(function.name);
    auto text = [&](size_t i) { return i < args.size() ? args[i].toText() : QString(); };
    auto error = [&](const QString &what) {
        if (context.onError)
            context.onError(QStringLiteral("%1: %2").arg(name, what));
        return Value::ofText(QString());
    };

    if (name == QLatin1String("Choose")) {
        // Choose(key, k1, v1, k2, v2, ..., default)
        size_t i = 1;
        for (; i + 1 < args.size(); i += 2) {
            if (args[i].toText() == args[0].toText())
                return args[i + 1];
        }
        return i < args.size() ? args[i] : Value::ofText(QString());
    }
    if (name == QLatin1String("Empty"))
        return Value::ofBool(args[0].kind == Value::Kind::Null || args[0].toText().trimmed().isEmpty());
    if (name == QLatin1String("Val"))
        return Value::ofNumber(args[0].toNumber());
    if (name == QLatin1String("Str$")) {
        const double v = args[0].toNumber();
        if (args.size() < 2)
            return Value::ofText(base::de::formatGeneral(v));
        const int decimals = intArg(args[1]);
        if (decimals > base::de::kMaxDecimals)
            return error(QStringLiteral("mehr als %1 Nachkommastellen").arg(base::de::kMaxDecimals));
        return Value::ofText(base::de::formatFixed(v, std::max(0, decimals)));
    }
    if (name == QLatin1String("FStr$")) {
        if (args[0].kind == Value::Kind::Null)
            return Value::ofText(QString());
        const auto [decimals, digits] = maskDigits(args[1].toText());
        if (decimals > base::de::kMaxDecimals || digits > 309)
            return error(QStringLiteral("mehr Stellen, als eine Zahl hat"));
        return Value::ofText(base::de::formatMask(args[0].toNumber(), args[1].toText()));
    }
    if (name == QLatin1String("Date$")) {
        const auto days = dayCountOf(args[0]);
        if (!days)
            return Value::ofText(QString());
        if (!base::isValidDateTime(*days))
            return error(QStringLiteral("ungültiges Datum"));
        const QString pattern = args.size() > 1 ? args[1].toText() : QStringLiteral("dd.MM.yyyy");
        return Value::ofText(formatDatePattern(*days, pattern));
    }
    if (name == QLatin1String("Upper$"))
        return Value::ofText(text(0).toUpper());
    if (name == QLatin1String("Lower$"))
        return Value::ofText(text(0).toLower());
    if (name == QLatin1String("Trim$"))
        return Value::ofText(text(0).trimmed());
    if (name == QLatin1String("Left$"))
        return Value::ofText(text(0).left(std::max(0, intArg(args[1]))));
    if (name == QLatin1String("Right$"))
        return Value::ofText(text(0).right(std::max(0, intArg(args[1]))));
    if (name == QLatin1String("Mid$")) {
        // Positions count from 1, as in BASIC.
        const int start = intArg(args[1]);
        if (start < 1)
            return error(QStringLiteral("Position muss mindestens 1 sein"));
        const int length = args.size() > 2 ? std::max(0, intArg(args[2])) : -1;
        return Value::ofText(text(0).mid(start - 1, length));
    }
    if (name == QLatin1String("Len"))
        return Value::ofNumber(double(text(0).size()));
    if (name == QLatin1String("Page"))
        return Value::ofNumber(context.page);
    if (name == QLatin1String("Today"))
        return Value::ofDate(std::floor(context.now));
    if (name == QLatin1String("Now"))
        return Value::ofDate(context.now);
    if (name == QLatin1String("ProjectFile$"))
        return Value::ofText(context.projectFile);
    return error(QStringLiteral("nicht verfügbar"));
}

} // namespace tb::detail
