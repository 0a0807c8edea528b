#pragma once

#include <optional>

#include <QString>
#include <QStringList>

namespace dbe {
class TTable;
}

// The rules behind the commands of the settings form, apart from its widgets.
namespace fleet::einstellungen {

// The settings password is compared with the letters a to z in upper case;
// every other character (umlauts too) must match as it is.
bool PasswortGleich(const QString &eingabe, const QString &gespeichert);

// The 25 reports of the designer list, by report number 0 to 24.
const QStringList &DesignerEintraege();
// The report number of an entry text; none for an unknown text.
std::optional<int> DesignerNummer(const QString &eintrag);

// The vehicle master field that holds a lookup table's text: true when at
// least one vehicle in `fahrzeuge` (read from first to last) holds exactly
// `text` there.
bool NachschlagVerwendet(dbe::TTable &fahrzeuge, const QString &fahrzeugFeld, const QString &text);

// The two appointment options stored in different tables.
// Unchecking "Terminverwaltung zeigen" while the list shows at every start:
// the warning; the box is checked again.
extern const QString kTerminverwaltungNichtAbschalten;
// Asking for the list at every start (or coloured cells) while the workstation
// does not show the list: the warning; "at every start" is unchecked.
extern const QString kTermineBeiStartNichtEinschalten;

} // namespace fleet::einstellungen
