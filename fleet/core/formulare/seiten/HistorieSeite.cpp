#include "formulare/seiten/HistorieSeite.h"

#include "daten/DataModule1.h"

namespace fleet {

namespace {

AktenBeschreibung historie()
{
    AktenBeschreibung b;
    b.art = VerknuepfungsSeite::Historie;
    b.knopfName = QStringLiteral("Historie");
    b.ersteSpalte = QStringLiteral("Datum");
    b.linkFeld = QStringLiteral("Info");
    b.report = 12;
    b.einfuegenFehler = QStringLiteral("Einfügen eines Historiendatensatzes nicht möglich");
    b.speichernFehler = QStringLiteral("Speichern des Historiendatensatzes nicht möglich");
    b.loeschenFrage = QStringLiteral("Möchten Sie den markierten Historiendatensatz wirklich löschen");
    b.loeschenFehler = QStringLiteral("Löschen des Historiendatensatzes nicht möglich");
    b.leer = QStringLiteral("Sie haben noch keine Historie für dieses Fahrzeug angelegt");
    b.zuerstAnlegenBild =
        QStringLiteral("Bitte legen Sie zunächst mit dem \"Neu\"-Knopf einen Historiendatensatz "
                       "für dieses Fahrzeuge an, bevor Sie diesem ein Bild zuordnen");
    b.zuerstAnlegenDokument =
        QStringLiteral("Bitte legen Sie zunächst mit dem \"Neu\"-Knopf einen Historiendatensatz für dieses "
                       "Fahrzeuge an, bevor Sie diesem ein Dokument zuordnen");
    b.keinLink =
        QStringLiteral("Dem markierten Historiendatensatz wurde kein Bild/Dokument zugeordnet bzw. das "
                       "Bild/Dokument wurde nicht gefunden");
    b.speichernFehlerVerwirft = false;
    return b;
}

} // namespace

HistorieSeite::HistorieSeite(ui::TabSheet *tab)
    : AktenSeite(tab, "DBGridHistorie", DataModule1->DataSrcHistorie, DataModule1->TTblHistorie,
                 QStringLiteral("Histo"), historie())
{
}

} // namespace fleet
