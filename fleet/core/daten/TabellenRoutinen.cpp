#include "daten/TabellenRoutinen.h"

#include <exception>

#include "dbe/Table.h"

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
    } catch (const std::exception &) {
    }
    // Callers go on with the table; leave it open for them, shared again.
    try {
        tabelle.Close();
        tabelle.SetExclusive(false);
        tabelle.Open();
    } catch (const std::exception &) {
    }
    return false;
}

bool TabelleSperren(dbe::TTable &tabelle)
{
    try {
        tabelle.LockTable();
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

bool TabelleEntsperren(dbe::TTable &tabelle)
{
    try {
        tabelle.UnlockTable();
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace fleet
