#include "daten/Hilfstabellen.h"

#include <exception>

#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "dienste/Protokoll.h"

namespace fleet {

void HilfstabelleInRuhe(dbe::TTable &tabelle)
{
    // A range outlives closing: the next borrower would see only its keys.
    try {
        if (tabelle.Active())
            tabelle.CancelRange();
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
    }
    // Closing may fail (a pending edit that cannot be posted); the settings are
    // reset all the same, so that the next borrower starts clean.
    try {
        tabelle.Close();
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
    }
    // The filter first: it can be dropped even from a table that stayed open.
    try {
        tabelle.SetFiltered(false);
        tabelle.SetFilter(QString());
        tabelle.OnFilterRecord = nullptr;
        tabelle.SetMasterSource(nullptr);
        tabelle.SetMasterFields(QString());
        tabelle.SetIndexFieldNames(QString());
        tabelle.SetIndexName(QString());
        tabelle.SetDatabaseName(kAliasFuhrpark);
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
    }
}

void HilfstabelleZuruecksetzen()
{
    if (DataModule1)
        HilfstabelleInRuhe(DataModule1->TTblVar);
}

void Hilfstabelle1Zuruecksetzen()
{
    if (DataModule1)
        HilfstabelleInRuhe(DataModule1->TTblVar1);
}

void HilfstabellenZuruecksetzen()
{
    HilfstabelleZuruecksetzen();
    Hilfstabelle1Zuruecksetzen();
}

} // namespace fleet
