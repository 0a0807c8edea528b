#pragma once

#include <QList>
#include <QString>

namespace fleet {

class THauptFormular;
struct Dienstvertrag;

// One entry of the main window's menu bar. The menu is built from the table
// below and nothing else, so that no command exists without its handler: an
// entry without handler stays disabled and says why, and so does one whose
// handler needs a service that is not in force.
struct Menuebefehl {
    enum Art { Befehl, Untermenue, Trenner };
    Art art = Befehl;
    // Where it sits: the caption of the top-level menu ("&Datei"), followed by
    // "/" and the object name of a submenu ("&Datei/Stammdaten1"); empty for
    // a command on the menu bar itself.
    QString menue;
    QString name; // object name (none for a separator)
    QString text; // caption, "&" marks the access key
    void (THauptFormular::*ausfuehren)() = nullptr;
    const Dienstvertrag *braucht = nullptr; // the service the handler calls
    QString grund;                          // why there is no handler yet
};

// The menu bar of the main window, in display order.
const QList<Menuebefehl> &HauptMenueBefehle();

// Why the command is disabled (no handler yet, or its service is missing);
// empty when it can run.
QString MenueSperrgrund(const Menuebefehl &befehl);

} // namespace fleet
