#pragma once

#include <cstdint>

#include <QString>

namespace base {

// 64-bit fixed point with four decimals, as money is summed and averaged.
// Every conversion from floating point, every product and every division is
// rounded to 1/10000 with ties to even; sums of two values are exact.
class Currency {
public:
    static constexpr int64_t kScale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromUnits(int64_t units)
    {
        Currency c;
        c.units_ = units;
        return c;
    }
    static Currency fromDouble(double value);
    static Currency fromInt(int64_t value) { return fromUnits(value * kScale); }

    constexpr int64_t units() const { return units_; }
    double toDouble() const { return static_cast<double>(units_) / kScale; }

    Currency operator+(Currency o) const { return fromUnits(units_ + o.units_); }
    Currency operator-(Currency o) const { return fromUnits(units_ - o.units_); }
    Currency operator-() const { return fromUnits(-units_); }
    Currency &operator+=(Currency o)
    {
        units_ += o.units_;
        return *this;
    }
    Currency &operator-=(Currency o)
    {
        units_ -= o.units_;
        return *this;
    }
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
