#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>

#include <QString>

namespace base {

// A currency amount or sum that does not fit the type's range; the message is German.
class CurrencyRangeError : public std::range_error {
public:
    CurrencyRangeError();
};

// 64-bit fixed point with four decimals, as money is summed and averaged.
// Every conversion from floating point, every product and every division is
// rounded to 1/10000 with ties to even; sums of two values are exact. A result
// outside ±922337203685477,5807 throws CurrencyRangeError instead of wrapping.
class Currency {
public:
    static constexpr int64_t kScale = 10000;
    static constexpr int64_t kMaxUnits = INT64_MAX;

    constexpr Currency() = default;
    static constexpr Currency fromUnits(int64_t units)
    {
        Currency c;
        c.units_ = units;
        return c;
    }
    static Currency fromDouble(double value);
    // The amount a double stands for; none when it is not finite or outside the range.
    static std::optional<Currency> tryFromDouble(double value);
    static Currency fromInt(int64_t value);
    static constexpr Currency max() { return fromUnits(kMaxUnits); }
    static constexpr Currency min() { return fromUnits(-kMaxUnits); }

    constexpr int64_t units() const { return units_; }
    double toDouble() const { return static_cast<double>(units_) / kScale; }

    Currency operator+(Currency o) const;
    Currency operator-(Currency o) const;
    // Within the range, which is symmetric, negation cannot overflow.
    Currency operator-() const { return fromUnits(-units_); }
    Currency &operator+=(Currency o) { return *this = *this + o; }
    Currency &operator-=(Currency o) { return *this = *this - o; }
    // Adding a floating-point money field: the field is converted first.
    Currency &operator+=(double v) { return *this += fromDouble(v); }

    Currency operator*(double factor) const;
    // Division by a count (averages); a division by zero gives zero.
    Currency operator/(int64_t divisor) const;
    // Ratio of two amounts, rounded to four decimals; zero when o is zero.
    Currency dividedBy(Currency o) const;

    bool operator==(const Currency &o) const = default;
    auto operator<=>(const Currency &o) const = default;

    // Text with the given number of decimals (rounded half to even), decimal
    // comma, no thousands separator: "1234,50".
    QString toString(int decimals = 2) const;

private:
    int64_t units_ = 0;
};

// Rounds numerator/denominator to the nearest integer, ties to even.
int64_t divideRoundHalfEven(int64_t numerator, int64_t denominator);

} // namespace base
