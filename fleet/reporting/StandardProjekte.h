#pragma once

#include <QString>
#include <QStringList>

namespace reporting {

// The names of the report and export projects the program ships.
QStringList StandardProjektNamen();

// Copies every shipped project that is missing in the directory (the program
// directory, where the engine looks for projects). A project the user already
// has, possibly changed in the designer, is kept. Answers the names that could
// not be written.
QStringList StandardProjekteKopieren(const QString &verzeichnis);

} // namespace reporting
