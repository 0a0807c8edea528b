#pragma once

#include <QString>

namespace dbe {
class TSession;
class TTable;
} // namespace dbe

namespace fleet {
class TDataModule1;
}

// Switching the current client: the alias "Fuhrpark" is pointed at the
// client's own directory, a sibling of the current one, and every table is
// opened again there.
namespace fleet {

// Why a client name cannot be switched to.
enum class MandantFehler { Keiner, FalscherName, AusserhalbBereich };

// The directory of a client by the fixed rule ("Mandant1" "Datenbk",
// "Mandant2" … "Mandant20" "Datenbk2" … "Datenbk20"); empty with the reason
// when the name is none of these.
struct MandantZiel {
    MandantFehler fehler = MandantFehler::Keiner;
    QString verzeichnis;
};
MandantZiel MandantZielBestimmen(const QString &mandant);

// The directory path of an alias: its "PATH=" line without a trailing separator.
QString AliasPfad(const dbe::TSession &session, const QString &alias);

// The sibling directory: the last component of the path replaced.
QString GeschwisterPfad(const QString &pfad, const QString &verzeichnis);

// The main window's caption with the client: base + " / " + client + " - " +
// first name line ("Unbekannt" when empty).
QString MandantTitel(const QString &basisTitel, const QString &mandant, const QString &name1);

// Switches the alias to the client's directory and reopens the tables; true on
// success. The refusals show their message and leave everything as it was. An
// error once the old client's tables are closed puts the old path back, saves
// it, reopens the old client and then passes the error on.
bool MandantUmschalten(const QString &alias, const QString &mandant);

// The rule of the client list: rows of Mandant.db are not made by the program.
void MandantRegelnBinden(TDataModule1 &dm);

// Tables of the modules made on first use: a client switch closes the whole
// session, so those of them that were open are opened again afterwards, in the
// order they were registered (masters before their details).
void BeimUmschaltenWiederOeffnen(dbe::TTable &tabelle);
void NichtMehrWiederOeffnen(dbe::TTable &tabelle);

} // namespace fleet
