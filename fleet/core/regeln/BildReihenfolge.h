#pragma once

#include <QString>

namespace dbe {
class TTable;
}

namespace fleet {

// The user-defined order of a vehicle's pictures and documents (KfzBild.DB,
// field Reihenfolge). "Anfang" moves the entry on which `bilder` stands one
// place towards the start, "Ende" one place towards the end, by exchanging
// its order value with the neighbour's. At either end of the list the user is
// told that nothing can be exchanged. Any other direction gives false and
// moves nothing. Failures go on to the caller after the clean-up.
bool BildVerschieben(const QString &richtung, dbe::TTable &bilder);

// The exchange itself: `bilder` on the selected entry, `nachbar` on its
// neighbour. The three posts run in one transaction, so a failure changes
// nothing.
void BildReihenfolgeTauschen(dbe::TTable &bilder, dbe::TTable &nachbar);

} // namespace fleet
