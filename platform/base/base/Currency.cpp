#include "base/Currency.h"

#include <cmath>
#include <cstdlib>

namespace base {

// 128-bit intermediate for ratios, so units * 10000 cannot overflow.
__extension__ typedef __int128 Int128;

int64_t divideRoundHalfEven(int64_t numerator, int64_t denominator)
{
    if (denominator == 0)
        return 0;
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    int64_t q = numerator / denominator;
    int64_t r = numerator % denominator; // same sign as numerator
    int64_t twice = 2 * (r < 0 ? -r : r);
    if (twice > denominator || (twice == denominator && (q % 2) != 0))
        q += numerator < 0 ? -1 : 1;
    return q;
}

CurrencyRangeError::CurrencyRangeError()
    : std::range_error(QStringLiteral("Der Betrag liegt außerhalb des erlaubten Bereichs von %1 bis %2")
                           .arg(Currency::min().toString(4), Currency::max().toString(4))
                           .toStdString())
{
}

namespace {

Currency checked(Int128 units)
{
    if (units > Currency::kMaxUnits || units < -Currency::kMaxUnits)
        throw CurrencyRangeError();
    return Currency::fromUnits(static_cast<int64_t>(units));
}

// 2^63: the first magnitude of scaled units that no int64_t holds.
constexpr double kUnitsLimit = 9223372036854775808.0;

} // namespace

static int64_t roundHalfEven(double scaled)
{
    // Ties to even whatever the floating-point rounding mode is. Below 2^52 the fraction
    // scaled - floor(scaled) is exact; from there on every double is a whole number already.
    constexpr double kWhole = 4503599627370496.0; // 2^52
    if (!(std::fabs(scaled) < kWhole))
        return static_cast<int64_t>(scaled);
    const double below = std::floor(scaled);
    const double fraction = scaled - below;
    double r = below;
    if (fraction > 0.5 || (fraction == 0.5 && (static_cast<int64_t>(below) & 1) != 0))
        r = below + 1.0;
    return static_cast<int64_t>(r);
}

std::optional<Currency> Currency::tryFromDouble(double value)
{
    const double scaled = value * kScale;
    // Also false for NaN; rounding cannot reach 2^63 from below it.
    if (!(std::fabs(scaled) < kUnitsLimit))
        return std::nullopt;
    return fromUnits(roundHalfEven(scaled));
}

Currency Currency::fromDouble(double value)
{
    if (auto c = tryFromDouble(value))
        return *c;
    throw CurrencyRangeError();
}

Currency Currency::fromInt(int64_t value)
{
    return checked(static_cast<Int128>(value) * kScale);
}

Currency Currency::operator+(Currency o) const
{
    return checked(static_cast<Int128>(units_) + o.units_);
}

Currency Currency::operator-(Currency o) const
{
    return checked(static_cast<Int128>(units_) - o.units_);
}

Currency Currency::operator*(double factor) const
{
    const double scaled = static_cast<double>(units_) * factor;
    if (!(std::fabs(scaled) < kUnitsLimit))
        throw CurrencyRangeError();
    return checked(roundHalfEven(scaled));
}

Currency Currency::operator/(int64_t divisor) const
{
    return fromUnits(divideRoundHalfEven(units_, divisor));
}

Currency Currency::dividedBy(Currency o) const
{
    if (o.units_ == 0)
        return Currency();
    Int128 num = static_cast<Int128>(units_) * kScale;
    Int128 den = o.units_;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    Int128 q = num / den;
    Int128 r = num % den;
    Int128 twice = 2 * (r < 0 ? -r : r);
    if (twice > den || (twice == den && (q % 2) != 0))
        q += num < 0 ? -1 : 1;
    return checked(q);
}

QString Currency::toString(int decimals) const
{
    if (decimals < 0)
        decimals = 0;
    if (decimals > 4)
        decimals = 4;
    int64_t factor = 1;
    for (int i = decimals; i < 4; ++i)
        factor *= 10;
    int64_t v = divideRoundHalfEven(units_, factor);
    bool negative = v < 0;
    uint64_t a = negative ? static_cast<uint64_t>(-(v + 1)) + 1 : static_cast<uint64_t>(v);
    uint64_t div = 1;
    for (int i = 0; i < decimals; ++i)
        div *= 10;
    QString text = QString::number(a / div);
    if (decimals > 0)
        text += QLatin1Char(',') + QString::number(a % div).rightJustified(decimals, QLatin1Char('0'));
    return negative ? QLatin1Char('-') + text : text;
}

} // namespace base
