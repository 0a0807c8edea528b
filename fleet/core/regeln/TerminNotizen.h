#pragma once

#include <QString>

namespace dbe {
class TSession;
}

namespace fleet {

// Deletes the note of one due occurrence (vehicle, appointment name, due value
// as text) from KfzTerminInfo.db. True when a note was deleted; false when
// there was none or anything failed (then nothing is deleted). Works on a
// cursor of its own, so a borrowed scratch table is never disturbed.
bool TerminInfoLoeschen(const QString &kfzNr, const QString &terminName, const QString &terminWert,
                        dbe::TSession *session = nullptr);

} // namespace fleet
