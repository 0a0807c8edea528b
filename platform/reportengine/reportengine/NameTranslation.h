#pragma once

#include <QString>

namespace tb {

// Name translation of option 51: every character but letters (umlauts included), digits, "_" and "."
// becomes "_" ("Datum von" -> "Datum_von", "KfzKW/PS" -> "KfzKW_PS").
QString translateName(const QString &name);

// The key a name is compared by: the name itself, or lower case when names are not case-sensitive.
inline QString nameKey(const QString &name, bool caseSensitive)
{
    return caseSensitive ? name : name.toLower();
}

} // namespace tb
