#pragma once

#include <QList>
#include <QString>

namespace fleet {

// One of the 21 appointment kinds of a vehicle: how the vehicle master, the
// due list, the settings and the main window name it.
struct Terminart {
    QString bezeichnung; // label of its check box in the due list ("HU")
    QString checkBox;    // "ChkBoxTUEV"
    QString stammFeld;   // field of KfzStamm.db ("KfzTUEVTermin")
    QString feld;        // field of Termine.DB ("TUEVTermin")
    bool km;             // due at an odometer reading, else at a date
    QString einstellung; // display setting of Kfzsyspr.DB ("TUEVTerminZeigen")
    QString sortIndex;   // index of Termine.DB ordering by this kind ("Tuev")
    QString edit;        // the main window's edit of the kind ("EditTUEVTermin")
    QString label;       // the main window's label naming it; empty for HU and AU
    // Roll-forward: the interval field of Kfzsyste.DB ("TUEVTIntervall"), the
    // name NaechstesTerminDatum knows a month kind by ("TÜV"; empty for the
    // kilometre kinds) and the word of its messages ("HU-Termin"; empty for
    // the free kinds, which take the caption of their label).
    QString intervall = {};
    QString datumName = {};
    QString wort = {};

    // The name a note of this kind is stored under ("TTblTermineTUEVTermin").
    QString terminName() const { return QStringLiteral("TTblTermine") + feld; }
    // The note flag of Termine.DB ("TUEVTerminInfo").
    QString infoFeld() const { return feld + QStringLiteral("Info"); }
};

// The 21 kinds in the column order of the due list, which is also the order
// in which a vehicle's appointments are rolled forward.
const QList<Terminart> &Terminarten();

// The order in which the due list tests a vehicle's kinds (indices into
// Terminarten()): HU, AU, Inspektion, free 1 to 12, Vignette 1 and 2, small
// and big inspection, free 13 and 14.
const QList<int> &TerminartenPruefReihenfolge();

// The kind with that Termine.DB field, or null.
const Terminart *TerminartZuFeld(const QString &feld);
// The kind the main window's edit shows ("EditTUEVTermin", exact name), or null.
const Terminart *TerminartZuEdit(const QString &edit);

} // namespace fleet
