#pragma once

#include <optional>

#include <QString>

namespace dbe {
class TDataSet;
}

// Small rules of the history, damage and document pages: which kind of file a
// link names, what the user is asked before a link is replaced, the damage
// filter, and the amount a cost row carries into the history.
namespace fleet {

enum class Dateiart { Bild, Dokument, Andere };

// By the last three characters of the path, upper-cased: "JPG" a picture,
// "PDF" a document; ".jpeg" and ".png" are neither.
Dateiart DateiartVon(const QString &pfad);

enum class VerknuepfungsSeite { Historie, Schaden };

// The question before an existing link is replaced. The history page names
// what the old link holds (picture, document or text); the damage page always
// asks the same.
QString VerknuepfungErsetzenFrage(VerknuepfungsSeite seite, const QString &alterLink);

// The filter on one processing number, quoted so that numbers such as "A-12",
// "Nr 5" or "O'Brien" stay one literal. Nothing for an empty number, which
// cannot be filtered on.
std::optional<QString> SchadenFilterText(const QString &bearbeitungsnummer);

// The total of a cost row as the history stores it: the ten amounts, rounded
// to two decimals.
double KostenSummeFuerHistorie(const dbe::TDataSet &kosten);

} // namespace fleet
