#include "daten/TabellenRoutinen.h"

#include <exception>

#include "dbe/Table.h"
#include "dienste/Protokoll.h"

namespace fleet {

bool TabelleLeeren(dbe::TTable &tabelle)
{
    try {
        tabelle.Close();
        tabelle.SetExclusive(true);
        tabelle.Open();
        tabelle.EmptyTable();
        tabelle.Close();
        tabelle.SetExclusive(false);
        tabelle.Open();
        return true;
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
    }
    // Callers go on with the table; leave it open for them, shared again.
    try {
        tabelle.Close();
        tabelle.SetExclusive(false);
        tabelle.Open();
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
    }
    return false;
}

bool TabelleSperren(dbe::TTable &tabelle)
{
    try {
        tabelle.LockTable();
        return true;
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
        return false;
    }
}

bool TabelleEntsperren(dbe::TTable &tabelle)
{
    try {
        tabelle.UnlockTable();
        return true;
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
        return false;
    }
}

} // namespace fleet
