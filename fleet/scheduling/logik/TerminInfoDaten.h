#pragma once

#include <array>

#include <QString>

#include "base/DateTime.h"

namespace dbe {
class TDataSet;
}

namespace fleet {
class TDataModule1;
}

namespace fleet::termine {

// The contents of a note as the dialog shows them: dates as short date
// texts, times as the time lists' entries.
struct TerminNotiz {
    QString text;
    QString vereinbart;
    QString uhrzeit;
    QString bis;
    QString uhrzeitBis;
    std::array<QString, 4> freifelder;

    // Nothing to keep: the text has no line and every other entry is empty.
    bool leer() const;
};

// The note the data set stands on.
TerminNotiz NotizLesen(const dbe::TDataSet &notizen);
// Writes the note's contents into the record being edited or inserted, with
// status 0; an empty date text stores a blank date.
void NotizSchreiben(dbe::TDataSet &notizen, const TerminNotiz &notiz);

// The entries of the dialog's time lists: "", "6:00", "6:30" ... "20:00".
const QStringList &Uhrzeiten();

// Closing the list deletes the notes whose appointment has moved on: the
// vehicle's row in Termine.DB lists the kind with another value. Borrows
// TTblVar and resets it; failures end the pass silently. Returns the number
// of notes deleted.
int TerminInfosBereinigen(TDataModule1 &dm);

// Whether some note's agreed workshop date lies from today to today + 3.
// Borrows TTblVar and resets it; an error ends the scan with the result so far.
bool WerkstattTerminBald(TDataModule1 &dm, base::TDateTime heute);

} // namespace fleet::termine
