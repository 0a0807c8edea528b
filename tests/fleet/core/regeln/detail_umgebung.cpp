#include "detail_umgebung.h"

#include <QApplication>

#include "daten/Aliase.h"
#include "dbe/Table.h"
#include "regeln/DetailRegeln.h"
#include "regeln/DispoRegeln.h"

namespace detailtest {

void qtAnwendung()
{
    if (QApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "detailregeln";
    static char *argv[] = {name, nullptr};
    static QApplication anwendung(argc, argv);
}

FensterAttrappe::FensterAttrappe(fleet::TDataModule1 &dm)
{
    qtAnwendung();
    const std::pair<const char *, dbe::TDataSource *> quellen[] = {
        {"TDBGridTouren", &dm.DataSrcTouren},    {"TDBGridVarKosten", &dm.TDataSrcVarKosten},
        {"DBGridHistorie", &dm.DataSrcHistorie}, {"DBGridSchadensmanagement", &dm.DataSrcSchadensmanagement},
        {"DBGridDispo", &dm.DataSrcDispo},
    };
    for (const auto &[name, quelle] : quellen) {
        auto grid = std::make_unique<ui::DBGrid>();
        grid->setObjectName(QString::fromLatin1(name));
        grid->setDataSource(quelle);
        grids_[QString::fromLatin1(name)] = std::move(grid);
    }
    fleet::DetailfensterSetzen(this);
}

FensterAttrappe::~FensterAttrappe()
{
    fleet::DetailfensterSetzen(nullptr);
}

QString FensterAttrappe::gewaehlteSpalte(const QString &grid)
{
    ui::DBGrid *g = Grid(grid);
    dbe::TField *feld = g ? g->selectedField() : nullptr;
    return feld ? feld->FieldName() : QString();
}

ui::DBGrid *FensterAttrappe::Grid(const QString &name)
{
    auto it = grids_.find(name);
    return it == grids_.end() ? nullptr : it->second.get();
}

void FensterAttrappe::KostenSichtSetzen(int sicht)
{
    kostenSicht = sicht;
    aufrufe << QStringLiteral("KostenSichtSetzen(%1)").arg(sicht);
}

void FensterAttrappe::TerminFortschreiben(const QString &edit)
{
    aufrufe << QStringLiteral("TerminFortschreiben(%1)").arg(edit);
}

void FensterAttrappe::DispoFahrzeugAuswahlSetzen(int auswahl)
{
    dispoAuswahl = auswahl;
    aufrufe << QStringLiteral("DispoFahrzeugAuswahlSetzen(%1)").arg(auswahl);
}

void FensterAttrappe::DispoSichtSetzen(int sicht)
{
    dispoSicht = sicht;
    aufrufe << QStringLiteral("DispoSichtSetzen(%1)").arg(sicht);
}

void FensterAttrappe::DispoKnoepfeFreigeben(bool freigeben)
{
    aufrufe << QStringLiteral("DispoKnoepfeFreigeben(%1)").arg(freigeben);
}

Mandant::Mandant()
{
    fleet::ImportSatzBuchen = false;
    fleet::ImportBuchungslauf = false;
    fleet::KollisionsPruefung = QLatin1Char('D');
    fleet::KollisionsAktion = QLatin1Char('W');
    fleet::DispoNurEigene = false;
    fleet::AktuellerArbeitsplatz = QStringLiteral("unbekannt");
    fleet::DispoFortschreiben = false;
    fleet::DispoKopie = {};
    fleet::DispoEingabeBestaetigt = false;

    kerntest::zeileAnfuegen(session(), fleet::kAliasFuhrpark, "KfzStamm.db",
                            {"KfzNr", "KfzKmStand", "FahrerName", "Kostenstelle", "FahrerKz", "FahrerNr"},
                            {"A-1", 51000.0, "Maier", "Nord", "MA", "7"});
    kerntest::zeileAnfuegen(session(), fleet::kAliasFuhrpark, "KfzStamm.db", {"KfzNr"}, {"B-2"});
    dm = std::make_unique<fleet::TDataModule1>(&session());
    fleet::DataModule1 = dm.get();
    dm->TTblMain.First();
    fenster = std::make_unique<FensterAttrappe>(*dm);
}

Mandant::~Mandant()
{
    fenster.reset();
    fleet::DataModule1 = nullptr;
    dm.reset();
}

int Mandant::zeilen(const QString &tabelle, const QString &alias)
{
    dbe::TTable t(&session());
    t.SetDatabaseName(alias.isEmpty() ? fleet::kAliasFuhrpark : alias);
    t.SetTableName(tabelle);
    t.Open();
    return t.RecordCount();
}

QVariant Mandant::gespeichert(const QString &tabelle, const QString &schluessel, const QString &wert,
                              const QString &feld, const QString &alias)
{
    dbe::TTable t(&session());
    t.SetDatabaseName(alias.isEmpty() ? fleet::kAliasFuhrpark : alias);
    t.SetTableName(tabelle);
    t.Open();
    if (!t.Locate(schluessel, wert))
        return QVariant();
    return t.FieldByName(feld)->Value();
}

} // namespace detailtest
