#pragma once

#include <functional>

#include <QList>
#include <QString>
#include <QStringList>

namespace fleet {
class TDataModule1;
}

namespace fleet::termine {

// A row of the due list as the roll-forward needs it: the vehicle and the
// Termine.DB fields of its listed kinds.
struct FortschreibZeile {
    QString kfzNr;
    QStringList felder;
};

// The cell a single roll-forward starts from.
struct FortschreibZelle {
    QString kfzNr;
    QString feld;  // field shown in the selected column
    QString titel; // its column title
    QString wert;  // the cell's text
};

// Rolls listed appointments forward through the main window's roll-forward
// of the current vehicle, under a write lock on the whole vehicle master, and
// rebuilds the list afterwards. Messages go through the form kit's service.
class TerminFortschreibung {
public:
    TerminFortschreibung(TDataModule1 &dm, std::function<void()> listeNeuAufbauen);

    // The single run of the selected cell.
    void Einzeltermin(bool listeLeer, const FortschreibZelle &zelle);
    // The run over the marked rows (or the current row when none is marked).
    void MarkierteFahrzeuge(bool listeLeer, const std::function<QList<FortschreibZeile>()> &zeilen);

private:
    bool nurLesen() const;
    // Rolls the vehicle's kinds forward; false when the vehicle is not found.
    bool fahrzeugFortschreiben(const QString &kfzNr, const QStringList &felder);
    // Runs `lauf` under the lock with the main window's messages quiet,
    // rebuilding the list afterwards; everything is restored on every way out.
    void gesperrt(const QString &sperrMeldung, const std::function<void()> &lauf);

    TDataModule1 &dm_;
    std::function<void()> neuAufbauen_;
};

} // namespace fleet::termine
