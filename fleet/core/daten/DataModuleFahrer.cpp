#include "daten/DataModuleFahrer.h"

#include "base/Abort.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/FeldListen.h"
#include "daten/FilterLiteral.h"
#include "daten/NebenModul.h"
#include "regeln/Mandant.h"
#include "ui/Messages.h"

namespace fleet {

TDataModuleFahrer *DataModuleFahrer = nullptr;
QString FahrerFilterBasis;
QString FahrerFilterZeitraum;

namespace {

FahrerFormularZugriff *fahrerFormular = nullptr;

using feldlisten::Feld;

QList<Feld> stammdatenFelder()
{
    QList<Feld> f;
    for (const char *name : {"Name", "Nummer", "Kennzeichen", "Vorname", "Strasse", "Plz", "Ort",
                             "Geburtsdatum", "Telefon", "Fax", "Mobil", "FscheinKlassenAllgemein"})
        f.append({QString::fromLatin1(name), {}, {}, true});
    for (const char *praefix : {"FscheinKlassen", "GueltigBis", "Beschraenkungen"})
        for (int i = 1; i <= 10; ++i)
            f.append({QString::fromLatin1(praefix) + QString::number(i), {}, {}, true});
    for (const char *name : {"FscheinNummer", "FscheinBehoerde", "FscheinDatum", "FscheinVorlage"})
        f.append({QString::fromLatin1(name), {}, {}, true});
    for (int i = 11; i <= 18; ++i)
        f.append({QStringLiteral("Freifeld%1").arg(i), {}, {}, true});
    f.append({QStringLiteral("Memo"), {}, {}, true});
    return f;
}

QList<Feld> historieFelder()
{
    return {{QStringLiteral("Name"), {}, {}, false},
            {QStringLiteral("DatumVon"), {}, {}, true},
            {QStringLiteral("DatumBis"), {}, {}, true},
            {QStringLiteral("Betrag"), {}, QStringLiteral("########0.00"), true},
            {QStringLiteral("Info"), {}, {}, true}};
}

} // namespace

FahrerFormularZugriff *FahrerFormular()
{
    return fahrerFormular;
}

void FahrerFormularSetzen(FahrerFormularZugriff *formular)
{
    fahrerFormular = formular;
}

TDataModuleFahrer::TDataModuleFahrer(dbe::TSession *session)
    : TblFahrerStammdaten(session), TblFahrerHistorie(session), DataSrcFahrerStammdaten(&TblFahrerStammdaten),
      DataSrcFahrerHistorie(&TblFahrerHistorie)
{
    const auto keinLookup = [](const Feld &) -> dbe::TField * { return nullptr; };
    TblFahrerStammdaten.SetName(QStringLiteral("TblFahrerStammdaten"));
    TblFahrerStammdaten.SetDatabaseName(kAliasFuhrpark);
    TblFahrerStammdaten.SetTableName(QStringLiteral("KfzFahrer.DB"));
    feldlisten::anlegen(TblFahrerStammdaten, stammdatenFelder(), keinLookup);

    TblFahrerHistorie.SetName(QStringLiteral("TblFahrerHistorie"));
    TblFahrerHistorie.SetDatabaseName(kAliasFuhrpark);
    TblFahrerHistorie.SetTableName(QStringLiteral("KfzFaHis.db"));
    TblFahrerHistorie.SetIndexFieldNames(QStringLiteral("Name"));
    TblFahrerHistorie.SetMasterSource(&DataSrcFahrerStammdaten);
    TblFahrerHistorie.SetMasterFields(QStringLiteral("Name"));
    feldlisten::anlegen(TblFahrerHistorie, historieFelder(), keinLookup);

    TblFahrerStammdaten.AfterScroll = [this](dbe::TDataSet &d) { TblFahrerStammdatenAfterScroll(d); };
    TblFahrerStammdaten.BeforePost = [this](dbe::TDataSet &d) { TblFahrerStammdatenBeforePost(d); };

    // A client switch closes the session; the drivers then open on the new client.
    BeimUmschaltenWiederOeffnen(TblFahrerStammdaten);
    BeimUmschaltenWiederOeffnen(TblFahrerHistorie);
    try {
        DataModuleCreate();
    } catch (...) {
        NichtMehrWiederOeffnen(TblFahrerHistorie);
        NichtMehrWiederOeffnen(TblFahrerStammdaten);
        throw;
    }
}

TDataModuleFahrer::~TDataModuleFahrer()
{
    NichtMehrWiederOeffnen(TblFahrerHistorie);
    NichtMehrWiederOeffnen(TblFahrerStammdaten);
}

void TDataModuleFahrer::DataModuleCreate()
{
    TblFahrerStammdaten.Open();
    TblFahrerHistorie.Open();
}

void TDataModuleFahrer::TblFahrerStammdatenAfterScroll(dbe::TDataSet &fahrer)
{
    if (!DataModule1)
        return;
    dbe::TTable &touren = DataModule1->TTblTouren;
    // Only while the driver form has the tours under its driver filter.
    if (!touren.Active() || !touren.Filtered())
        return;
    touren.SetFiltered(false);
    FahrerFilterBasis =
        QStringLiteral("FahrerName =") + FilterLiteral(fahrer.FieldByName("Name")->AsString());
    FahrerFormularZugriff *formular = FahrerFormular();
    const bool alle = !formular || formular->TourenSicht() == 0;
    touren.SetFilter(alle ? FahrerFilterBasis : FahrerFilterBasis + FahrerFilterZeitraum);
    touren.SetFiltered(true);
    if (formular)
        formular->TourenSummenBerechnen();
}

void TDataModuleFahrer::TblFahrerStammdatenBeforePost(dbe::TDataSet &fahrer)
{
    // The name edit has written its text into the field before the post.
    if (fahrer.FieldByName("Name")->AsString().isEmpty() &&
        !ui::messages().question(QStringLiteral("Möchten Sie wirklich einen Fahrer ohne Namen anlegen")))
        base::abortSilently();
}

TDataModuleFahrer &DataModuleFahrerErzeugen()
{
    return NebenModulErzeugen(DataModuleFahrer);
}

void DataModuleFahrerFreigeben()
{
    NebenModulFreigeben(DataModuleFahrer);
}

} // namespace fleet
