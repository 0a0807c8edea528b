#pragma once

#include <array>

#include <QString>

#include "base/DateTime.h"

// The fuel-card file's values as the import reads them, and the messages of
// the import and the posting, without tables or windows.
namespace fleet::tank {

inline constexpr int kWarengruppen = 20;

// The configuration of one fuel-file type (a row of TKonfig.DB).
struct TankdateiKonfiguration {
    QString Satzart;
    QString Datumsformat;
    bool NettoKostenZuordnen = false;
    std::array<QString, kWarengruppen> Warengruppe;
    std::array<int, kWarengruppen> Varkosten{};
};

// 1 January 1899: the date of a text that is no date; the check marks it.
base::TDateTime MarkerDatum();

// The invoice date by one of the eight formats (compared in upper case).
base::TDateTime TankDatumLesen(const QString &text, const QString &format);
// An amount: "12.34", "1234" (cents) and "12,5" read; anything else 0.
double BetragLesen(const QString &text);
// The odometer reading: a whole number after trimming, else 0.
int KmStandLesen(const QString &text);
// The six spellings of a delivered plate, in the order they are looked up.
std::array<QString, 6> KennzeichenVarianten(const QString &kennzeichen);
// The cost category (1..10) of a product-group key; 0 when none is configured.
int WarengruppeZuordnen(const TankdateiKonfiguration &konfig, const QString &schluessel);
// The cost table's amount field of a category 1..10; empty outside.
QString BetragsFeld(int kategorie);

struct PruefZaehler {
    int Rot = 0, Grau = 0, Tuerkis = 0, Gelb = 0;
    bool irgendeiner() const { return Rot > 0 || Grau > 0 || Tuerkis > 0 || Gelb > 0; }
};

inline const QString kFarbLegende = QStringLiteral(
    "Fehlerhafter Tankdatensatz: Rot=Kennzeichen nicht zuzuordnen, Gelb=Fehler Rechnungsdatum oder Menge "
    "(Treibstoffkosten) oder Betrag, Grau=Warengruppe nicht zugeordnet,Türkis=Kostensatz mit "
    "Rechnungsdat.+Belegnr. schon vorhanden");
inline const QString kKategorieLegende =
    QStringLiteral("Mögliche Varkosten: 1=Treibstoff, 2=Reparatur, 3=Wartung, 4=Untersuchung, 5=Reifen, "
                   "6=Pflege, 7=Sonstige, 8=Sonstige2, 9=Sonstige3, 10=Sonstige4");

// The result of an import run: lines staged, the check's counters and the
// lines that could not be stored.
QString ImportMeldung(int importiert, const PruefZaehler &z, int nichtGespeichert);
// The check before posting found faulty lines.
QString PruefMeldung(const PruefZaehler &z);
// The end of a posting run.
QString BuchungsMeldung(int gebucht, int fehlgeschlagen);

} // namespace fleet::tank
