#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace fleet {

// A service contract that another part of the program implements, as the
// running program sees it: its name, the part that provides it, and whether an
// implementation is in force (Dienst<T>::vorhanden).
struct Dienstvertrag {
    QString name;
    QString teil;
    bool (*vorhanden)();
};

// The contracts of the core that other parts provide.
extern const Dienstvertrag kTerminDienste;
extern const Dienstvertrag kReportDienste;

// Every contract above, in one list.
const QList<const Dienstvertrag *> &Dienstvertraege();

// Checked once at program start: logs each contract without implementation
// and returns their names (empty when all are in force).
QStringList DiensteBeimStartPruefen();

// Why a command that needs the contract is disabled; empty while it is in force.
QString DienstSperrgrund(const Dienstvertrag &vertrag);

} // namespace fleet
