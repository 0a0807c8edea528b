#pragma once
// The "C" locale, created once: numbers are written and read the same way
// whatever locale the host process has switched to.
#include <locale.h>

namespace tbpr {

locale_t cLocale();

// Makes the C locale current for the calling thread while it lives.
class CLocaleScope {
public:
    CLocaleScope() : previous_(uselocale(cLocale())) {}
    ~CLocaleScope() { uselocale(previous_); }
    CLocaleScope(const CLocaleScope &) = delete;
    CLocaleScope &operator=(const CLocaleScope &) = delete;

private:
    locale_t previous_;
};

} // namespace tbpr
