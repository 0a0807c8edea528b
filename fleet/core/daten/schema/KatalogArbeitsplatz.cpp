#include "daten/Aliase.h"
#include "daten/schema/FeldBausteine.h"
#include "daten/schema/KatalogTeile.h"

// Tables of one workstation (alias FuhrparkPriv): its settings record, the
// result tables that evaluations rebuild, the due list, the stored grid column
// order and the fuel-import staging table.
namespace fleet::schema {

namespace {

dbe::TableDef einstellungenArbeitsplatz()
{
    QList<dbe::FieldDef> f{text("Arbeitsplatzname", 30), text("Rights", 1)};
    for (const char *page :
         {"StammdatenZeigen", "MemoZeigen", "TourenZeigen", "VarKostenZeigen", "MonatsauswertungZeigen",
          "MonatsuebersichtZeigen", "ReifenverwaltungZeigen", "HistorieZeigen", "DispositionZeigen",
          "TerminverwaltungZeigen", "Fahrer-StammdatenZeigen"})
        f << logical(QString::fromLatin1(page));
    f << logical("NurEigeneDispoAendern") << logical("Schreibschutz") << logical("Freifeld1");
    for (const char *colour : {"FarbeKopfzeileFeldSchrift", "FarbeKopfzeileFeldHinterg",
                               "FarbeKopfzeilePanel", "FarbeStammdatenFormular", "FarbeStammdatenFeld",
                               "FarbeStammdatenSchrift", "FarbeStammdatenMarkiert"})
        f << integer(QString::fromLatin1(colour));
    f << logical("FarbenSindDefault");
    for (const char *kind :
         {"TUEVTerminZeigen", "AUTerminZeigen", "InspektionTerminZeigen", "KlInspektionTerminZeigen",
          "GrInspektionTerminZeigen", "Vignette1TerminZeigen", "Vignette2TerminZeigen"})
        f << logical(QString::fromLatin1(kind));
    numbered(f, "Freitermin", 1, 14, logical, "Zeigen");
    return table("Kfzsyspr.DB", kAliasFuhrparkPriv, f, {});
}

dbe::TableDef fuhrparkKosten()
{
    QList<dbe::FieldDef> f{text("KfzNr", 10),           text("Info", 30),         text("Gruppe", 30),
                           text("Kostenstelle", 30),    money("GesamtKosten"),    money("VerbrauchKosten"),
                           money("ReparaturKosten"),    money("WartungKosten"),   money("UntersuchungKosten"),
                           money("ReifenKosten"),       money("PflegeKosten"),    money("SonstigeKosten"),
                           money("Sonstige2Kosten"),    money("Sonstige3Kosten"), money("Sonstige4Kosten"),
                           num("GefKilometer"),         num("VerbrauchLiter"),    num("DVerbrauchLiter"),
                           num("DVerbrauchLiter100Km"), money("Ertrag"),          num("Schadstoff")};
    return table("KfzFuKst.db", kAliasFuhrparkPriv, f, {"KfzNr"});
}

// One index per sort column of the vehicle comparison.
dbe::TableDef fahrzeugVergleich()
{
    QList<dbe::FieldDef> f{text("KfzNr", 10),           text("Info", 30),
                           text("Hersteller", 20),      text("Typ", 20),
                           num("DGefKilometer"),        money("DGesamtkosten"),
                           money("DGesamtKostenProKm"), num("DVerbrauchLiter"),
                           money("DVerbrauchKosten"),   num("DVerbrauchLiterPro100Km")};
    QList<dbe::IndexDef> ix;
    for (const char *column : {"DGefKilometer", "DGesamtkosten", "DGesamtKostenProKm", "DVerbrauchLiter",
                               "DVerbrauchKosten", "DVerbrauchLiterPro100Km"})
        ix << index(QString::fromLatin1(column), {QString::fromLatin1(column)});
    return table("KfzVergl.db", kAliasFuhrparkPriv, f, {"KfzNr"}, ix);
}

dbe::TableDef monatsAuswertungAlle()
{
    QList<dbe::FieldDef> f{text("KfzNr", 10),
                           text("AuswJahr", 4),
                           num("AuswMonatNum"),
                           text("AuswMonatText", 10),
                           num("GefKilometer"),
                           money("GesamtKosten"),
                           money("GesamtKostenProKm"),
                           money("GesamtFixKosten"),
                           money("GesamtVarKosten"),
                           num("VerbrauchLiter"),
                           num("VerbrauchLiterPro100Km"),
                           money("VerbrauchKosten"),
                           money("ReparaturKosten"),
                           money("WartungKosten"),
                           money("UntersuchungKosten"),
                           money("ReifenKosten"),
                           money("PflegeKosten"),
                           money("SonstigeKosten"),
                           money("Sonstige2Kosten"),
                           money("Sonstige3Kosten"),
                           money("Sonstige4Kosten"),
                           money("Ertrag")};
    return table("MoAusPrv.DB", kAliasFuhrparkPriv, f,
                 {"KfzNr", "AuswJahr", "AuswMonatNum", "AuswMonatText"});
}

// The due list: one row per vehicle, one column and one sort index per
// appointment kind, one hidden note flag per kind.
dbe::TableDef termine()
{
    struct Art {
        const char *feld;
        bool datum;
        const char *index;
    };
    static const Art arten[] = {
        {"TUEVTermin", true, "Tuev"},
        {"ASUTermin", true, "Au"},
        {"InspektionTermin", true, "Inspek"},
        {"Vignette1Termin", true, "Vig1"},
        {"Vignette2Termin", true, "Vig2"},
        {"KlInspektionTermin", false, "KlInspek"},
        {"GrInspektionTermin", false, "GrInspek"},
        {"FreierTermin1", true, "FrTerm1"},
        {"FreierTermin2", true, "FrTerm2"},
        {"FreierTermin3", false, "FrTerm3"},
        {"FreierTermin4", false, "FrTerm4"},
        {"FreierTermin5", false, "FrTerm5"},
        {"FreierTermin6", true, "FrTerm6"},
        {"FreierTermin7", true, "FrTerm7"},
        {"FreierTermin8", true, "FrTerm8"},
        {"FreierTermin9", true, "FrTerm9"},
        {"FreierTermin10", true, "FrTerm10"},
        {"FreierTermin11", true, "FrTerm11"},
        {"FreierTermin12", true, "FrTerm12"},
        {"FreierTermin13", false, "FrTerm13"},
        {"FreierTermin14", false, "FrTerm14"},
    };
    QList<dbe::FieldDef> f{text("KfzNr", 10), text("Info", 30), num("KfzKmStand")};
    QList<dbe::IndexDef> ix;
    for (const Art &a : arten) {
        const QString name = QString::fromLatin1(a.feld);
        f << (a.datum ? date(name) : num(name));
        ix << index(QString::fromLatin1(a.index), {name});
    }
    for (const Art &a : arten)
        f << logical(QString::fromLatin1(a.feld) + "Info");
    return table("Termine.DB", kAliasFuhrparkPriv, f, {"KfzNr"}, ix);
}

dbe::TableDef feldPositionen()
{
    return table("FeldPos.db", kAliasFuhrparkPriv,
                 {text("TabKz", 10), text("FeldName", 40), integer("FeldPosNeu")}, {"TabKz", "FeldName"});
}

// Staging rows keep the order in which they were read from the fuel file.
dbe::TableDef tankImport()
{
    QList<dbe::FieldDef> f{text("Kennzeichen", 10),
                           date("Rechnungsdatum"),
                           text("Belegnummer", 10),
                           text("Personalnummer", 10),
                           num("KmStand"),
                           text("Warenbezeichnung", 30),
                           text("Warengruppenschluessel", 10),
                           num("Menge"),
                           num("Netto"),
                           num("Umsatzsteuerbetrag"),
                           num("Brutto"),
                           text("Bemerkungen", 255),
                           dateTime("Importdatum"),
                           logical("KennzNichtGefunden"),
                           logical("NichtZugeordnet"),
                           logical("Fehlerhaft"),
                           logical("Gebucht"),
                           logical("NichtBuchbar")};
    return table("TImport.db", kAliasFuhrparkPriv, f, {});
}

} // namespace

QList<dbe::TableDef> arbeitsplatz()
{
    return {einstellungenArbeitsplatz(),
            fuhrparkKosten(),
            fahrzeugVergleich(),
            monatsAuswertungAlle(),
            termine(),
            feldPositionen(),
            tankImport()};
}

} // namespace fleet::schema
