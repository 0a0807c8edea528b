#include "core/c_locale.h"

namespace tbpr {

locale_t cLocale()
{
    // Never freed: the library may still format during process shutdown.
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

} // namespace tbpr
