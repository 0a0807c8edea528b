#include "logik/Fahrzeugvergleich.h"

#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/TabellenRoutinen.h"
#include "dbe/Field.h"
#include "logik/ErgebnisTransaktion.h"
#include "logik/FahrzeugDurchlauf.h"
#include "regeln/MonatsSummen.h"

namespace fleet {

const QList<VergleichSortierung> &VergleichSortierungen()
{
    static const QList<VergleichSortierung> liste{
        {QStringLiteral("Kfz.-Nummer"), QStringLiteral("KfzNr")},
        {QStringLiteral("Gef. Kilometer"), QStringLiteral("DGefKilometer")},
        {QStringLiteral("Gesamtkosten"), QStringLiteral("DGesamtKosten")},
        {QStringLiteral("Gesamtkostem/Km."), QStringLiteral("DGesamtKostenProKm")},
        {QStringLiteral("Verbrauch/Liter"), QStringLiteral("DVerbrauchLiter")},
        {QStringLiteral("Verbrauch/Kst."), QStringLiteral("DVerbrauchKosten")},
        {QStringLiteral("Verbrauch/Liter/100Km."), QStringLiteral("DVerbrauchLiterPro100Km")},
    };
    return liste;
}

bool FahrzeugvergleichBerechnen(TDataModule1 &dm)
{
    dbe::TTable &vergleich = dm.TTblAlleFahrzeuge;
    vergleich.DisableControls();
    struct ControlsAn {
        dbe::TTable &t;
        ~ControlsAn() { t.EnableControls(); }
    } controlsAn{vergleich};
    vergleich.Close();
    vergleich.SetDatabaseName(kAliasFuhrparkPriv);
    vergleich.SetTableName(QStringLiteral("KfzVergl.db"));
    if (!TabelleLeeren(vergleich)) {
        vergleich.Close(); // the old rows are no result of this run
        return false;
    }
    if (!vergleich.Active())
        vergleich.Open();
    dbe::TTable &stamm = dm.TTblMain;
    const auto text = [&stamm](const char *feld) {
        return stamm.FieldByName(QString::fromLatin1(feld))->AsString();
    };
    ErgebnisTransaktion transaktion(vergleich);
    FahrzeugeDurchlaufen(stamm, {&dm.TTblMonatKosten}, [&] {
        TMonatsSummen s;
        MonatsSummenBerechnen(dm.TTblMonatKosten, s);
        vergleich.Append();
        vergleich.FieldByName(QStringLiteral("KfzNr"))->SetAsString(text("KfzNr"));
        vergleich.FieldByName(QStringLiteral("Info"))->SetAsString(text("Info"));
        vergleich.FieldByName(QStringLiteral("Hersteller"))->SetAsString(text("KfzHerstellerKz"));
        vergleich.FieldByName(QStringLiteral("Typ"))->SetAsString(text("KfzMarke"));
        vergleich.FieldByName(QStringLiteral("DGefKilometer"))->SetAsFloat(s.SchnittGefKilometer);
        vergleich.FieldByName(QStringLiteral("DGesamtKosten"))->SetAsCurrency(s.SchnittGesamtKosten);
        vergleich.FieldByName(QStringLiteral("DGesamtKostenProKm"))
            ->SetAsCurrency(s.SchnittGesamtKostenProKm);
        vergleich.FieldByName(QStringLiteral("DVerbrauchLiter"))->SetAsFloat(s.SchnittVerbrauchLiter);
        vergleich.FieldByName(QStringLiteral("DVerbrauchKosten"))->SetAsCurrency(s.SchnittVerbrauchKosten);
        vergleich.FieldByName(QStringLiteral("DVerbrauchLiterPro100Km"))
            ->SetAsFloat(s.SchnittVerbrauchLiterPro100Km);
        vergleich.Post();
    });
    transaktion.Abschliessen();
    vergleich.First();
    return true;
}

} // namespace fleet
