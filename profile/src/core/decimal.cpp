#include "core/decimal.h"

#include "core/c_locale.h"

#include <cstdlib>

namespace tbpr {

double decimalToDouble(const char *text, const char **end)
{
    if (end)
        *end = text;
    if (!text)
        return 0.0;
    // glibc would read "0x10" as a hexadecimal float; here only its "0" counts.
    const char *p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    const char *digits = (*p == '+' || *p == '-') ? p + 1 : p;
    if (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        if (end)
            *end = digits + 1;
        return *p == '-' ? -0.0 : 0.0;
    }
    char *stop = nullptr;
    const double value = strtod_l(text, &stop, cLocale());
    if (end)
        *end = stop;
    return value;
}

} // namespace tbpr
