#include "logik/Fahrzeugvergleich.h"

#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/SichtLesen.h"
#include "daten/TabellenRoutinen.h"
#include "dbe/Field.h"
#include "dbe/ReadScope.h"
#include "logik/ErgebnisTransaktion.h"
#include "logik/FahrzeugDurchlauf.h"
#include "regeln/MonatsSummen.h"
#include "regeln/MonatsSummenJeFahrzeug.h"

namespace fleet {

namespace {

// The vehicle's texts copied into its comparison row.
constexpr const char *kTextFelder[] = {"KfzNr", "Info", "KfzHerstellerKz", "KfzMarke"};

} // namespace

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

bool FahrzeugvergleichBerechnen(TDataModule1 &dm, const std::function<void()> &schritt)
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
    ErgebnisTransaktion transaktion(vergleich);
    // One vehicle: its texts (KfzNr, Info, KfzHerstellerKz, KfzMarke) and its sums.
    const auto zeileSchreiben = [&vergleich, &schritt](const QString(&texte)[4], const TMonatsSummen &s) {
        if (schritt)
            schritt();
        vergleich.Append();
        vergleich.FieldByName(QStringLiteral("KfzNr"))->SetAsString(texte[0]);
        vergleich.FieldByName(QStringLiteral("Info"))->SetAsString(texte[1]);
        vergleich.FieldByName(QStringLiteral("Hersteller"))->SetAsString(texte[2]);
        vergleich.FieldByName(QStringLiteral("Typ"))->SetAsString(texte[3]);
        vergleich.FieldByName(QStringLiteral("DGefKilometer"))->SetAsFloat(s.SchnittGefKilometer);
        vergleich.FieldByName(QStringLiteral("DGesamtKosten"))->SetAsCurrency(s.SchnittGesamtKosten);
        vergleich.FieldByName(QStringLiteral("DGesamtKostenProKm"))
            ->SetAsCurrency(s.SchnittGesamtKostenProKm);
        vergleich.FieldByName(QStringLiteral("DVerbrauchLiter"))->SetAsFloat(s.SchnittVerbrauchLiter);
        vergleich.FieldByName(QStringLiteral("DVerbrauchKosten"))->SetAsCurrency(s.SchnittVerbrauchKosten);
        vergleich.FieldByName(QStringLiteral("DVerbrauchLiterPro100Km"))
            ->SetAsFloat(s.SchnittVerbrauchLiterPro100Km);
        vergleich.Post();
    };
    dbe::TTable &monate = dm.TTblMonatKosten;
    QStringList felder;
    for (const char *text : kTextFelder)
        felder << QString::fromLatin1(text);
    if (MonatsSummenJeFahrzeugLesbar(monate)) {
        // The rows of every vehicle at once, the vehicles through a cursor of
        // their own: the vehicle table stays where it is.
        const QHash<QString, TMonatsSummen> jeFahrzeug = MonatsSummenJeFahrzeug(monate, QString());
        const TMonatsSummen ohneZeilen;
        const dbe::TReadScope lesen(stamm);
        SichtLesen(stamm, felder, [&](const std::vector<QVariant> &fahrzeug) {
            const QString texte[4] = {fahrzeug[0].toString(), fahrzeug[1].toString(), fahrzeug[2].toString(),
                                      fahrzeug[3].toString()};
            const auto it = jeFahrzeug.constFind(texte[0]);
            zeileSchreiben(texte, it == jeFahrzeug.cend() ? ohneZeilen : *it);
        });
    } else {
        // A filtered monthly table: its rows as its cursor shows them.
        FahrzeugeDurchlaufen(stamm, {&monate}, [&] {
            TMonatsSummen s;
            MonatsSummenBerechnen(monate, s);
            QString texte[4];
            for (int i = 0; i < 4; ++i)
                texte[i] = stamm.FieldByName(felder[i])->AsString();
            zeileSchreiben(texte, s);
        });
    }
    transaktion.Abschliessen();
    vergleich.First();
    return true;
}

} // namespace fleet
