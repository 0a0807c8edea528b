#pragma once

#include <QString>

namespace dbe {
class TSession;
}

namespace fleet {

// The per-user data root: $XDG_DATA_HOME/karvenfp (~/.local/share/karvenfp
// when XDG_DATA_HOME is unset).
QString DatenWurzel();

// The program directory under the data root (report projects, chart pictures,
// exports); made current at start.
QString ProgrammVerzeichnisPfad();

// Gives a client's data directory (alias or path) the appointment codes and the
// help topics when its tables of them are empty; the client's other tables are
// made empty when first opened. A client switch calls it for the new directory.
void MandantVerzeichnisEinrichten(dbe::TSession &session, const QString &datenbank);

// Hands the schema catalogue to the session and, when the engine configuration
// is missing, sets up an empty machine: the three aliases under the data root,
// the client directories "Datenbk" … "Datenbk20", every table, and the rows the
// program needs to start. Answers whether it set anything up; with a
// configuration present it changes nothing.
bool ErsterStartEinrichten(dbe::TSession &session);

} // namespace fleet
