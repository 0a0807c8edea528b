#include "daten/Aliase.h"
#include "daten/schema/FeldBausteine.h"
#include "daten/schema/KatalogTeile.h"

namespace fleet::schema {

// The vehicle master: one row per vehicle, key KfzNr. It also holds the 21 due
// appointments (dates, or odometer readings as floats).
QList<dbe::TableDef> fahrzeugStamm()
{
    QList<dbe::FieldDef> f{
        text("KfzNr", 10),
        text("Info", 30),
        text("Gruppe", 30),
        text("PkwNummer", 10),
        text("VersPolNr", 30),
        text("FahrerName", 30),
        text("FahrerNr", 10),
        text("FahrerKz", 10),
        text("BesitzerKz", 10),
        text("Kostenstelle", 30),
        text("KfzMarke", 20),
        text("KfzHerstellerKz", 10),
        text("KfzBaujahr", 10),
        smallInt("KfzHubraum"),
        smallInt("KfzKW/PS"),
        text("KfzAufbau", 20),
        text("KfzFarbe", 20),
        date("KfzZulassung"),
        num("KfzKmStand"),
        date("KfzTUEVTermin"),
        date("KfzASUTermin"),
        date("KfzInspektTermin"),
        date("KfzVignetteTermin1"),
        date("KfzVignetteTermin2"),
        date("KfzFreierTermin1"),
        date("KfzFreierTermin2"),
        num("KfzFreierTermin3"),
        num("KfzKlInspektionTermin"),
        num("KfzGrInspektionTermin"),
        money("KfzSonstiges"),
        money("Anschaffungswert"),
        money("Restbuchwert"),
        money("HaftpflNettoBetrag"),
        money("KaskoNettoBetrag"),
        money("Steuer"),
        money("Vermoegenssteuer"),
        money("GewKapSteuer"),
        money("AFA"),
        num("Zinssatz"),
        money("Zinsen"),
        memo("Memo"),
    };
    numbered(f, "Freifeld", 1, 5, [](const QString &n) { return text(n, 30); });
    f << text("Freifeld51", 30);
    numbered(f, "Freifeld", 6, 20, [](const QString &n) { return text(n, 30); });
    f << num("FreifeldNum1") << num("FreifeldNum2") << num("FreifeldNum3") << money("FreifeldWae1")
      << money("FreifeldWae2") << date("FreifeldDatum1") << date("FreifeldDatum2") << date("FreifeldDatum3")
      << num("FreierTermin4") << num("FreierTermin5");
    numbered(f, "FreierTermin", 6, 12, date);
    f << num("FreierTermin13") << num("FreierTermin14") << text("NameLeasingges", 50) << num("Schadstoff");

    return {table("KfzStamm.db", kAliasFuhrpark, f, {"KfzNr"})};
}

} // namespace fleet::schema
