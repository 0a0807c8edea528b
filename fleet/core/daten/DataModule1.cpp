#include "daten/DataModule1.h"

#include "daten/Aliase.h"
#include "daten/FeldListen.h"
#include "dienste/Protokoll.h"
#include "regeln/DetailRegeln.h"
#include "regeln/DispoRegeln.h"
#include "regeln/FahrzeugFilter.h"
#include "regeln/FahrzeugRegeln.h"
#include "regeln/Mandant.h"

namespace fleet {

TDataModule1 *DataModule1 = nullptr;

EDateiOeffnen::EDateiOeffnen(const QString &tabelle, const QString &grund)
    : dbe::EDatabaseError(
          QStringLiteral("Die Tabelle \"%1\" konnte nicht geöffnet werden:\r%2").arg(tabelle, grund)),
      tabelle_(tabelle), grund_(grund)
{
}

namespace {

void einrichten(dbe::TTable &t, const char *name, const QString &alias, const char *tabelle)
{
    t.SetName(QString::fromLatin1(name));
    t.SetDatabaseName(alias);
    if (tabelle)
        t.SetTableName(QString::fromLatin1(tabelle));
}

void detail(dbe::TTable &t, dbe::TDataSource &master, const char *indexFelder)
{
    t.SetIndexFieldNames(QString::fromLatin1(indexFelder));
    t.SetMasterSource(&master);
    t.SetMasterFields(QStringLiteral("KfzNr"));
}

// Binds a rule place to an event: the event runs whatever the place holds when
// it fires.
dbe::TDataSet::Event ort(const dbe::TDataSet::Event &platz)
{
    return [&platz](dbe::TDataSet &d) {
        if (platz)
            platz(d);
    };
}

dbe::TDataSet::ErrorEvent ort(const dbe::TDataSet::ErrorEvent &platz)
{
    return [&platz](dbe::TDataSet &d, dbe::EDatabaseError &e, dbe::TDataAction &a) {
        if (platz)
            platz(d, e, a);
    };
}

dbe::TDataSet::FilterEvent ort(const dbe::TDataSet::FilterEvent &platz)
{
    return [&platz](dbe::TDataSet &d, bool &accept) {
        if (platz)
            platz(d, accept);
    };
}

// After-post rules write the posted row through at once, so that other
// workstations on the directory see it, and then run their place.
dbe::TDataSet::Event durchschreibenUnd(const dbe::TDataSet::Event &platz)
{
    return [&platz](dbe::TDataSet &d) {
        static_cast<dbe::TTable &>(d).FlushBuffers();
        if (platz)
            platz(d);
    };
}

} // namespace

TDataModule1::TDataModule1(dbe::TSession *session)
    : TTblMain(session), TTblTouren(session), TTblVarKosten(session), TTblMonatKosten(session),
      TTblEinstellungenPriv(session), TTblEinstellungenAllgem(session), TTblAlleFahrzeuge(session),
      TTblHilfe(session), TTblTerminKz(session), TTblTermine(session), TTblGruppe(session),
      TTblStandort(session), TTblFuhrparkKosten(session), TTblReifen(session), TTblVar1(session),
      TTblVar(session), TTblHistorie(session), TTblReifentyp(session), TTblDispo(session),
      TTblFahrer(session), TblBild(session), TblSchadensmanagement(session), TblMandanten(session),
      TblLeasinggesellschaft(session), TDataSrcMain(&TTblMain), DataSrcTouren(&TTblTouren),
      TDataSrcVarKosten(&TTblVarKosten), TDataSrcMonatKosten(&TTblMonatKosten),
      TDataSrcEinstellungenPriv(&TTblEinstellungenPriv),
      TDataSrcEinstellungenAllgem(&TTblEinstellungenAllgem), TDataSrcAlleFahrzeuge(&TTblAlleFahrzeuge),
      TDataSrcHilfe(&TTblHilfe), TDataSrcTermine(&TTblTermine), DataSrcGruppe(&TTblGruppe),
      TDataSrcStandort(&TTblStandort), TDataSrcFuhrparkKosten(&TTblFuhrparkKosten),
      TDataSrcReifen(&TTblReifen), TDataSrcVar(&TTblVar), DataSrcHistorie(&TTblHistorie),
      DataSrcReifentyp(&TTblReifentyp), DataSrcDispo(&TTblDispo), DataSrcFahrer(&TTblFahrer),
      DataSrcBild(&TblBild), DataSrcSchadensmanagement(&TblSchadensmanagement),
      DataSrcMandanten(&TblMandanten), DataSrcLeasinggesellschaft(&TblLeasinggesellschaft)
{
    tabellenEinrichten();
    felderEinrichten();
    // The bookings' record filter is the vehicle filter rule shared with the chart.
    TTblDispoFilterRecord = [](dbe::TDataSet &buchung, bool &accept) {
        FahrzeugFilterRecord(buchung, accept);
    };
    regelnBinden();
    DataModuleCreate();
}

TDataModule1::~TDataModule1()
{
    DataModule1Destroy();
}

FahrzeugFilter &TDataModule1::Fahrzeugfilter()
{
    if (!fahrzeugfilter_)
        fahrzeugfilter_ = std::make_unique<FahrzeugFilter>(TTblMain);
    return *fahrzeugfilter_;
}

void TDataModule1::DataModuleCreate()
{
    DateienOeffnen();
}

void TDataModule1::DataModule1Destroy()
{
    // Closing must not throw out of the destructor; a table that will not close
    // is closed with the session at the latest.
    try {
        DateienSchliessen();
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
    }
}

void TDataModule1::tabellenEinrichten()
{
    const QString &F = kAliasFuhrpark;
    const QString &P = kAliasFuhrparkPriv;
    const QString &M = kAliasFuhrpkMand;
    einrichten(TTblMain, "TTblMain", F, "KfzStamm.db");
    einrichten(TTblTouren, "TTblTouren", F, "KfzTour.db");
    detail(TTblTouren, TDataSrcMain, "KfzNr;Datum;DatumBis;Tour;FahrerName;Kostenstelle");
    einrichten(TTblVarKosten, "TTblVarKosten", F, "KfzVar.db");
    detail(TTblVarKosten, TDataSrcMain, "KfzNr");
    einrichten(TTblMonatKosten, "TTblMonatKosten", F, "KfzMonat.DB");
    detail(TTblMonatKosten, TDataSrcMain, "KfzNr;AuswJahr;AuswMonatNum;AuswMonatText");
    einrichten(TTblEinstellungenPriv, "TTblEinstellungenPriv", P, "Kfzsyspr.DB");
    einrichten(TTblEinstellungenAllgem, "TTblEinstellungenAllgem", M, "Kfzsyste.DB");
    einrichten(TTblAlleFahrzeuge, "TTblAlleFahrzeuge", P, "KfzVergl.db");
    TTblAlleFahrzeuge.SetIndexFieldNames(QStringLiteral("KfzNr"));
    einrichten(TTblHilfe, "TTblHilfe", F, "HILFE.DB");
    einrichten(TTblTerminKz, "TTblTerminKz", F, "TerminKz.DB");
    einrichten(TTblTermine, "TTblTermine", P, "Termine.DB");
    einrichten(TTblGruppe, "TTblGruppe", F, "KfzGruppe.db");
    einrichten(TTblStandort, "TTblStandort", F, "KfzStort.db");
    einrichten(TTblFuhrparkKosten, "TTblFuhrparkKosten", P, "KfzFuKst.db");
    einrichten(TTblReifen, "TTblReifen", F, "KfzReif.db");
    detail(TTblReifen, TDataSrcMain, "KfzNr");
    einrichten(TTblVar1, "TTblVar1", F, nullptr);
    einrichten(TTblVar, "TTblVar", F, nullptr);
    einrichten(TTblHistorie, "TTblHistorie", F, "KfzHisto.db");
    detail(TTblHistorie, TDataSrcMain, "KfzNr");
    einrichten(TTblReifentyp, "TTblReifentyp", F, "ReifTyp.DB");
    einrichten(TTblDispo, "TTblDispo", F, "KfzDispo.DB");
    detail(TTblDispo, TDataSrcMain, "Kfznr;DatumVon;DatumBis;UhrzeitVon;UhrzeitBis");
    einrichten(TTblFahrer, "TTblFahrer", F, "KfzFahrer.DB");
    einrichten(TblBild, "TblBild", F, "KfzBild.DB");
    detail(TblBild, TDataSrcMain, "Kfznr");
    einrichten(TblSchadensmanagement, "TblSchadensmanagement", F, "KfzSchad.db");
    detail(TblSchadensmanagement, TDataSrcMain, "KfzNr");
    einrichten(TblMandanten, "TblMandanten", M, "Mandant.db");
    einrichten(TblLeasinggesellschaft, "TblLeasinggesellschaft", F, "LeasGes.db");
}

void TDataModule1::felderEinrichten()
{
    using feldlisten::anlegen;
    using feldlisten::Feld;
    const auto keinLookup = [](const Feld &) -> dbe::TField * { return nullptr; };
    const auto fahrerLookup = [this](dbe::TTable &t) {
        return [this, &t](const Feld &f) {
            return t.AddLookupField(f.name, QStringLiteral("FahrerName"), &TTblFahrer, QStringLiteral("Name"),
                                    QStringLiteral("Name"), dbe::TFieldType::ftString, 30);
        };
    };
    anlegen(TTblMain, feldlisten::Stamm(), keinLookup);
    anlegen(TTblTouren, feldlisten::Touren(), fahrerLookup(TTblTouren));
    anlegen(TTblVarKosten, feldlisten::VarKosten(), [this](const Feld &f) {
        return TTblVarKosten.AddLookupField(
            f.name, QStringLiteral("TerminKz"), &TTblTerminKz, QStringLiteral("TerminKennzeichen"),
            QStringLiteral("TerminKennzeichen"), dbe::TFieldType::ftString, 4);
    });
    anlegen(TTblMonatKosten, feldlisten::MonatKosten(), keinLookup);
    anlegen(TTblAlleFahrzeuge, feldlisten::AlleFahrzeuge(), keinLookup);
    anlegen(TTblTermine, feldlisten::Termine(), keinLookup);
    anlegen(TTblFuhrparkKosten, feldlisten::FuhrparkKosten(), keinLookup);
    anlegen(TTblHistorie, feldlisten::Historie(), keinLookup);
    anlegen(TTblDispo, feldlisten::Dispo(), fahrerLookup(TTblDispo));
    anlegen(TblBild, feldlisten::Bild(), keinLookup);
    anlegen(TblSchadensmanagement, feldlisten::Schadensmanagement(), keinLookup);
    anlegen(TblMandanten, feldlisten::Mandanten(), keinLookup);
    anlegen(TblLeasinggesellschaft, feldlisten::Leasinggesellschaften(), keinLookup);
}

void TDataModule1::regelnBinden()
{
    TTblMain.BeforeInsert = ort(TTblMainBeforeInsert);
    TTblMain.AfterInsert = ort(TTblMainAfterInsert);
    TTblMain.BeforePost = ort(TTblMainBeforePost);
    TTblMain.AfterPost = durchschreibenUnd(TTblMainAfterPost);
    TTblMain.AfterCancel = ort(TTblMainAfterCancel);
    TTblMain.BeforeDelete = ort(TTblMainBeforeDelete);
    TTblMain.AfterDelete = ort(TTblMainAfterDelete);
    TTblMain.AfterScroll = ort(TTblMainAfterScroll);

    TTblTouren.AfterInsert = ort(TTblTourenAfterInsert);
    TTblTouren.BeforePost = ort(TTblTourenBeforePost);
    TTblTouren.AfterPost = durchschreibenUnd(TTblTourenAfterPost);
    TTblTouren.OnPostError = ort(TTblTourenPostError);

    TTblVarKosten.BeforeInsert = ort(TTblVarKostenBeforeInsert);
    TTblVarKosten.BeforePost = ort(TTblVarKostenBeforePost);
    TTblVarKosten.AfterPost = durchschreibenUnd(TTblVarKostenAfterPost);
    TTblVarKosten.OnPostError = ort(TTblVarKostenPostError);

    TTblReifen.BeforePost = ort(TTblReifenBeforePost);
    TTblReifen.AfterPost = durchschreibenUnd(TTblReifenAfterPost);
    TTblHistorie.BeforePost = ort(TTblHistorieBeforePost);
    TTblHistorie.AfterPost = durchschreibenUnd(TTblHistorieAfterPost);

    TTblDispo.BeforeInsert = ort(TTblDispoBeforeInsert);
    TTblDispo.AfterInsert = ort(TTblDispoAfterInsert);
    TTblDispo.BeforeEdit = ort(TTblDispoBeforeEdit);
    TTblDispo.BeforePost = ort(TTblDispoBeforePost);
    TTblDispo.AfterPost = durchschreibenUnd(TTblDispoAfterPost);
    TTblDispo.AfterCancel = ort(TTblDispoAfterCancel);
    TTblDispo.BeforeDelete = ort(TTblDispoBeforeDelete);
    TTblDispo.AfterDelete = ort(TTblDispoAfterDelete);
    TTblDispo.AfterScroll = ort(TTblDispoAfterScroll);
    TTblDispo.AfterRefresh = ort(TTblDispoAfterRefresh);
    TTblDispo.OnPostError = ort(TTblDispoPostError);
    TTblDispo.OnFilterRecord = ort(TTblDispoFilterRecord);

    TblBild.BeforePost = ort(TblBildBeforePost);
    TblSchadensmanagement.BeforePost = ort(TblSchadensmanagementBeforePost);
    TblSchadensmanagement.AfterPost = durchschreibenUnd(TblSchadensmanagementAfterPost);
    TblMandanten.OnNewRecord = ort(TblMandantenNewRecord);

    FahrzeugRegelnBinden(*this);
    MandantRegelnBinden(*this);
    DetailRegelnBinden(*this);
    DispoRegelnBinden(*this);
}

QList<dbe::TTable *> TDataModule1::HauptTabellen()
{
    return {&TTblMain,
            &TTblTouren,
            &TTblVarKosten,
            &TTblMonatKosten,
            &TTblEinstellungenPriv,
            &TTblEinstellungenAllgem,
            &TTblAlleFahrzeuge,
            &TTblTerminKz,
            &TTblHilfe,
            &TTblGruppe,
            &TTblStandort,
            &TTblFuhrparkKosten,
            &TTblReifen,
            &TTblHistorie,
            &TTblReifentyp,
            &TTblDispo,
            &TTblFahrer,
            &TblSchadensmanagement,
            &TblLeasinggesellschaft};
}

QList<dbe::TTable *> TDataModule1::AlleTabellen()
{
    return {&TTblMain,
            &TTblTouren,
            &TTblVarKosten,
            &TTblMonatKosten,
            &TTblEinstellungenPriv,
            &TTblEinstellungenAllgem,
            &TTblAlleFahrzeuge,
            &TTblHilfe,
            &TTblTerminKz,
            &TTblTermine,
            &TTblGruppe,
            &TTblStandort,
            &TTblFuhrparkKosten,
            &TTblReifen,
            &TTblVar1,
            &TTblVar,
            &TTblHistorie,
            &TTblReifentyp,
            &TTblDispo,
            &TTblFahrer,
            &TblBild,
            &TblSchadensmanagement,
            &TblMandanten,
            &TblLeasinggesellschaft};
}

void TDataModule1::DateienOeffnen()
{
    for (dbe::TTable *t : HauptTabellen()) {
        try {
            t->Open();
        } catch (const dbe::EDatabaseError &e) {
            throw EDateiOeffnen(t->TableName(), e.Message());
        } catch (const std::exception &e) {
            throw EDateiOeffnen(t->TableName(), QString::fromLocal8Bit(e.what()));
        }
    }
    // The drivers and appointment codes open after the tables that look them up:
    // read those tables' current rows again, so their lookup columns are filled.
    for (dbe::TTable *t : {&TTblTouren, &TTblVarKosten, &TTblDispo})
        t->Resync();
}

void TDataModule1::DateienSchliessen()
{
    QList<dbe::TTable *> tabellen = HauptTabellen();
    tabellen.removeFirst();
    tabellen.append(&TTblMain);
    for (dbe::TTable *t : tabellen)
        t->Close();
}

} // namespace fleet
