#pragma once

#include <QString>

// The three database aliases of the fleet program.
namespace fleet {

inline const QString kAliasFuhrpark = QStringLiteral("Fuhrpark");         // current client's data
inline const QString kAliasFuhrparkPriv = QStringLiteral("FuhrparkPriv"); // this workstation
inline const QString kAliasFuhrpkMand = QStringLiteral("FuhrpkMand");     // all clients

} // namespace fleet
