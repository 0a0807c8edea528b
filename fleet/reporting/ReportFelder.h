#pragma once

#include <QString>
#include <QStringList>

namespace dbe {
class TDataSet;
class TTable;
} // namespace dbe

namespace reporting {

class TTb6_;

// Report variables and fields are text: the text the database field shows. Values marked "cut" are
// limited to this many characters.
constexpr int kMaxInhalt = 64000;

// The text cut to kMaxInhalt characters, never between the two halves of a surrogate pair.
QString Abgeschnitten(const QString &text);

// "AktuellerMandant", "AktMandantName1" … "AktMandantBemerkung3" from the 15 texts of the current
// client (Mandant, Name1 … Bemerkung3); missing texts are empty. With `loeschen` the variable list is
// emptied first.
void DefineClientVariables(TTb6_ &tb, bool loeschen, const QStringList &mandantDaten);

// Every field of the table as a variable, cut (after emptying the variable list when asked).
void AlleFelderAlsVariablen(TTb6_ &tb, const dbe::TDataSet &daten, bool loeschen);

// Every field of the table as a field, cut or whole; without the used test (definition mode).
void AlleFelderAlsFelder(TTb6_ &tb, const dbe::TDataSet &daten, bool abschneiden);

// Row mode: only the fields the loaded project uses.
void BenutzteFelder(TTb6_ &tb, const dbe::TDataSet &daten, bool abschneiden);

// Row mode for a table and optionally the table lent beside it (report 11); no clearing.
void DefineUsedRowFields(TTb6_ &tb, const dbe::TDataSet &var, const dbe::TDataSet *var1);

// Positions the vehicle master on the vehicle number and defines its used fields (cut), or the same
// names empty when the vehicle is missing. A failed search counts as missing.
void FahrzeugSuchen(TTb6_ &tb, dbe::TTable &fahrzeuge, const QString &kfzNr);

} // namespace reporting
