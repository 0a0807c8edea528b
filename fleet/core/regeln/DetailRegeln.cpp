#include "regeln/DetailRegeln.h"

#include <algorithm>
#include <exception>

#include "base/Abort.h"
#include "daten/DataModule1.h"
#include "dbe/Table.h"
#include "dienste/DetailFensterZugriff.h"
#include "dienste/Protokoll.h"
#include "regeln/RegelHilfen.h"
#include "ui/Messages.h"

namespace fleet {

namespace {

const QString kDatumFehlt =
    QStringLiteral("Bitte geben Sie ein Datum ein, da sonst eine Speicherung nicht möglich ist");

// Tyre types typed into the ten choices (axle 1 to 5 summer, then winter)
// that the tyre-type list does not know yet are added to it. Failures cancel
// the tyre post with the engine's message.
void reifentypenErgaenzen(dbe::TTable &reifentypen)
{
    DetailFensterZugriff *fenster = Detailfenster();
    if (!fenster)
        return;
    for (const char *saison : {"So", "Wi"}) {
        for (int achse = 1; achse <= 5; ++achse) {
            const QString text = fenster->AuswahlText(
                QStringLiteral("DBLookupCmbAchse%1Reifentyp%2").arg(achse).arg(QString::fromLatin1(saison)));
            if (text.isEmpty() || reifentypen.FindKey({text}))
                continue;
            reifentypen.Append();
            try {
                reifentypen.FieldByName(QStringLiteral("Reifentyp"))->SetAsString(text);
                reifentypen.Post();
            } catch (...) {
                reifentypen.Cancel();
                throw;
            }
        }
    }
}

void datumPruefen(dbe::TDataSet &zeile, const QString &grid)
{
    if (!zeile.FieldByName(QStringLiteral("Datum"))->IsNull())
        return;
    ui::messages().information(kDatumFehlt);
    SpalteZeigen(grid, QStringLiteral("Datum"));
    base::abortSilently();
}

// The vehicle's highest picture order number, read on a cursor of its own so
// that the picture being saved stays where it is.
int hoechsteReihenfolge(const dbe::TTable &bilder, const QString &kfzNr)
{
    dbe::TTable t(&bilder.Session());
    t.SetDatabaseName(bilder.DatabaseName());
    t.SetTableName(bilder.TableName());
    t.Open();
    t.SetRange({kfzNr}, {kfzNr});
    int hoechste = 0;
    dbe::TField *reihenfolge = t.FieldByName(QStringLiteral("Reihenfolge"));
    for (t.First(); !t.Eof(); t.Next())
        hoechste = std::max(hoechste, reihenfolge->AsInteger());
    return hoechste;
}

// The next order number from the client-wide counter. When the counter
// cannot be advanced, or the settings row holds someone else's unsaved
// changes (which must neither be saved nor thrown away here), the number
// follows the vehicle's highest one.
int naechsteBildnummer(dbe::TTable &einstellungen, const dbe::TTable &bilder, const QString &kfzNr)
{
    if (einstellungen.Active() && einstellungen.State() == dbe::TDataSetState::dsBrowse &&
        !einstellungen.IsEmpty()) {
        bool bearbeitet = false;
        try {
            einstellungen.Edit();
            bearbeitet = true;
            dbe::TField *zaehler = einstellungen.FieldByName(QStringLiteral("BildLetzterSortwert"));
            const int n = zaehler->AsInteger() + 1;
            zaehler->SetAsInteger(n);
            einstellungen.Post();
            return n;
        } catch (const std::exception &e) {
            Verschluckt(Q_FUNC_INFO, e);
            if (bearbeitet) {
                try {
                    einstellungen.Cancel();
                } catch (const std::exception &e) {
                    Verschluckt(Q_FUNC_INFO, e);
                }
            }
        }
    }
    return hoechsteReihenfolge(bilder, kfzNr) + 1;
}

void bildNummerieren(TDataModule1 &dm, dbe::TDataSet &bild)
{
    dbe::TField *reihenfolge = bild.FieldByName(QStringLiteral("Reihenfolge"));
    if (!reihenfolge->IsNull())
        return;
    const QString kfzNr = bild.FieldByName(QStringLiteral("Kfznr"))->AsString();
    reihenfolge->SetAsInteger(naechsteBildnummer(dm.TTblEinstellungenAllgem, dm.TblBild, kfzNr));
}

} // namespace

void WeitereDetailRegelnBinden(TDataModule1 &dm)
{
    dm.TTblReifenBeforePost = [&dm](dbe::TDataSet &) { reifentypenErgaenzen(dm.TTblReifentyp); };
    dm.TTblHistorieBeforePost = [](dbe::TDataSet &zeile) {
        datumPruefen(zeile, QStringLiteral("DBGridHistorie"));
    };
    dm.TblSchadensmanagementBeforePost = [](dbe::TDataSet &zeile) {
        datumPruefen(zeile, QStringLiteral("DBGridSchadensmanagement"));
    };
    dm.TblBildBeforePost = [&dm](dbe::TDataSet &bild) { bildNummerieren(dm, bild); };
}

void DetailRegelnBinden(TDataModule1 &dm)
{
    TourenRegelnBinden(dm);
    KostenRegelnBinden(dm);
    WeitereDetailRegelnBinden(dm);
}

} // namespace fleet
