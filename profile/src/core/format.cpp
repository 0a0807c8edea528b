#include "core/format.h"

#include "core/c_locale.h"

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace tbpr {
namespace {

// Walks the directives and consumes the arguments the way vsnprintf will,
// to find null text or count pointers first. '%' (0x25) is never the trail
// byte of a double-byte or UTF-8 character, so a byte walk is safe.
bool argumentsReadable(const char *fmt, va_list args)
{
    for (const char *p = fmt; *p; ++p) {
        if (*p != '%')
            continue;
        ++p;
        if (*p == '%')
            continue;
        while (*p == '-' || *p == '+' || *p == ' ' || *p == '#' || *p == '0' || *p == '\'')
            ++p;
        if (*p == '*') {
            (void)va_arg(args, int);
            ++p;
        } else {
            while (*p >= '0' && *p <= '9')
                ++p;
        }
        if (*p == '.') {
            ++p;
            if (*p == '*') {
                (void)va_arg(args, int);
                ++p;
            } else {
                while (*p >= '0' && *p <= '9')
                    ++p;
            }
        }
        int longs = 0;
        bool wideOrPtrSized = false;
        bool longDouble = false;
        for (;; ++p) {
            if (*p == 'h')
                continue;
            if (*p == 'l') {
                ++longs;
                continue;
            }
            if (*p == 'j' || *p == 'z' || *p == 't') {
                wideOrPtrSized = true;
                continue;
            }
            if (*p == 'L' || *p == 'q') {
                longDouble = true;
                continue;
            }
            break;
        }
        switch (*p) {
        case 'd':
        case 'i':
        case 'o':
        case 'u':
        case 'x':
        case 'X':
        case 'c':
            if (longs >= 2 || wideOrPtrSized || longDouble)
                (void)va_arg(args, long long);
            else if (longs == 1)
                (void)va_arg(args, long);
            else
                (void)va_arg(args, int);
            break;
        case 'e':
        case 'E':
        case 'f':
        case 'F':
        case 'g':
        case 'G':
        case 'a':
        case 'A':
            if (longDouble)
                (void)va_arg(args, long double);
            else
                (void)va_arg(args, double);
            break;
        case 's':
        case 'n':
            if (va_arg(args, void *) == nullptr)
                return false;
            break;
        case 'p':
            (void)va_arg(args, void *);
            break;
        case '\0':
            return true;
        default:
            break;
        }
    }
    return true;
}

} // namespace

std::string formatV(const char *fmt, va_list args)
{
    if (!fmt)
        return kPrintfFormatError;
    va_list probe;
    va_copy(probe, args);
    const bool readable = argumentsReadable(fmt, probe);
    va_end(probe);
    if (!readable)
        return kPrintfFormatError;

    CLocaleScope cNumbers;
    char small[100];
    va_list first;
    va_copy(first, args);
    const int needed = std::vsnprintf(small, sizeof small, fmt, first);
    va_end(first);
    if (needed < 0)
        return kPrintfFormatError;
    if (static_cast<size_t>(needed) < sizeof small)
        return std::string(small, static_cast<size_t>(needed));
    std::vector<char> large(static_cast<size_t>(needed) + 1);
    va_list second;
    va_copy(second, args);
    std::vsnprintf(large.data(), large.size(), fmt, second);
    va_end(second);
    return std::string(large.data(), static_cast<size_t>(needed));
}

std::string format(const char *fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    std::string result = formatV(fmt, args);
    va_end(args);
    return result;
}

} // namespace tbpr
