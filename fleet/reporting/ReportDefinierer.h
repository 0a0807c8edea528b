#pragma once

#include <QString>
#include <QStringList>

namespace dbe {
class TDataSet;
class TTable;
} // namespace dbe

namespace reporting {

class TTb6_;

// Variable sets of the catalogue that read tables only. Each empties the variable list first.

// Every field of the current vehicle (cut).
void DefineVehicleVariables(TTb6_ &tb, const dbe::TDataSet &fahrzeug);
// The vehicle's fields and "DatabaseName" = the table name of the lent table.
void DefineTourVariables(TTb6_ &tb, const dbe::TDataSet &fahrzeug, const dbe::TTable &var);
// The current driver's fields and "NameFreifeld1" … "NameFreifeld8" (the user's free-field names).
void DefineDriverVariables(TTb6_ &tb, const dbe::TDataSet &fahrer, const QStringList &freifeldNamen);
// "NameInfo1" … "NameInfo3": the labels of the damage info fields; does not clear.
void DefineDamageInfoVariables(TTb6_ &tb, const QStringList &infoNamen);

// Field sets in definition mode: each empties the field list first.

// Every field of the lent table, whole.
void DefineTableFields(TTb6_ &tb, const dbe::TDataSet &var);
// Sample values of the fuel-import staging table for the designer.
void DefineFuelImportSampleFields(TTb6_ &tb);

} // namespace reporting
