#pragma once

#include <array>
#include <functional>

#include <QString>
#include <QStringList>

#include "base/DateTime.h"
#include "logik/TerminRegeln.h"

namespace fleet {
class TDataModule1;
}

namespace fleet::termine {

// What a rebuild of the due list is asked for.
struct ListenVorgaben {
    base::TDateTime stichtagVon = 0;
    base::TDateTime stichtagBis = 0;
    Schwellen schwellen;
    // One per kind, in the column order of Terminarten().
    std::array<bool, 21> beobachtet{};
};

// What a rebuild leaves behind.
struct ListenStand {
    int zeilen = 0;
    // 24 slots, one per column of the full layout: 0-2 stay empty, slot 3 + i
    // holds kind i's sort index when a vehicle was listed for it.
    QStringList sortIndexNamen = QStringList(24, QString());
    bool loeschFehler = false;  // the list table could not be emptied; nothing else ran
    bool einleseFehler = false; // the scan broke off; the rows so far stay
    bool notizFehler = false;   // the notes could not be read; their flags stay false
};

// The rebuild of Termine.DB from the vehicle master: one row per vehicle with
// at least one due watched kind, its due values copied as text and a note
// flag per value. Borrows both scratch tables and resets them; leaves the list
// table open on its first row.
class FaelligeTermine {
public:
    explicit FaelligeTermine(TDataModule1 &dm);

    // Told the number of vehicles before the scan and each vehicle in it.
    std::function<void(int anzahl)> fortschrittBeginn;
    std::function<void()> fortschrittSchritt;

    ListenStand einlesen(const ListenVorgaben &vorgaben);

private:
    void scannen(const ListenVorgaben &vorgaben, ListenStand &stand);

    TDataModule1 &dm_;
};

// Thresholds of the client settings ("Numfeld1", "Numfeld2", "Numfeld4",
// "Numfeld5" of Kfzsyste.DB); raises when they cannot be read.
Schwellen SchwellenLesen(TDataModule1 &dm);

} // namespace fleet::termine
