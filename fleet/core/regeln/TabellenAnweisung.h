#pragma once

#include <QString>
#include <QStringList>

namespace dbe {
class TTable;
}

// Pieces of statements that the rules run over the tables of a database
// (dbe::TQuery), where one statement reads what a walk through a table would.
namespace fleet {

// The table of a table component as a statement names it: its file name
// without extension, quoted.
QString TabelleImSql(const dbe::TTable &tabelle);

// The quoted fields as a column list; "1" without fields, so that a row is
// still read for every row of the table.
QString SpaltenImSql(const QStringList &felder);

// A text field equal to a value as the tables compare keys: a blank value is
// a missing one, any other the exact text.
QString TextGleichImSql(const QString &feld, const QString &wert);

// The number of stored rows of the table (not a text file), whatever range,
// filter or master link the component has in force.
int GespeicherteZeilen(const dbe::TTable &tabelle);

} // namespace fleet
