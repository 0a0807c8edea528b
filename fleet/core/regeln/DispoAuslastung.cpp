#include "regeln/DispoAuslastung.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <exception>

#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/Hilfstabellen.h"
#include "dbe/Table.h"
#include "dienste/Protokoll.h"
#include "regeln/FahrzeugFilter.h"

namespace fleet {

QString DispoAuslastungText = QStringLiteral("n.v.");

namespace {

const QString kNichtVerfuegbar = QStringLiteral("n.v.");

// A booking's begin or end: the date field plus the time-of-day field.
base::TDateTime zeitpunkt(const QVariant &datum, const QVariant &uhrzeit)
{
    const double tag = datum.isNull() ? 0.0 : std::floor(datum.toDouble());
    const double zeit = uhrzeit.isNull() ? 0.0 : uhrzeit.toDouble() - std::floor(uhrzeit.toDouble());
    return tag + zeit;
}

} // namespace

DispoPeriode DispoZeitraum(const DispoSichtDaten &s)
{
    DispoPeriode p;
    switch (s.modus) {
    case 1:
        p.von = std::floor(s.von);
        p.bis = std::floor(s.bis);
        p.stunden = std::round((p.bis - p.von + 1) * 24);
        break;
    case 2:
        if (const std::optional<DispoMonat> monat = DispoMonatAus(s.jahr, s.monat)) {
            p.von = monat->ersterTag;
            p.bis = monat->letzterTag;
            p.stunden = (p.bis - p.von + 1) * 24;
        }
        break;
    case 3:
    case 4:
        p.von = p.bis = std::floor(s.modus == 4 ? s.heute : s.von);
        p.stunden = 24;
        break;
    default:
        break;
    }
    return p;
}

double DispoAnteil(base::TDateTime beginn, base::TDateTime ende, base::TDateTime von, base::TDateTime bis)
{
    return std::max(0.0, std::min(ende, bis + 1) - std::max(beginn, von));
}

QString DispoProzentText(double stunden, double belegt)
{
    // nearbyint rounds a half to the even neighbour in the default rounding mode.
    const int alt = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double prozent = std::nearbyint(100.0 / stunden * belegt);
    std::fesetround(alt);
    return QString::number(static_cast<qlonglong>(prozent));
}

double DispoBelegteStunden(base::TDateTime bis, base::TDateTime von)
{
    TDataModule1 &dm = *DataModule1;
    dbe::TTable &var = dm.TTblVar;
    // Closed and reset on every path.
    struct Zuruecksetzen {
        ~Zuruecksetzen() { HilfstabelleZuruecksetzen(); }
    } zuruecksetzen;
    var.SetDatabaseName(kAliasFuhrpark);
    var.SetTableName(QStringLiteral("KfzDispo.db"));
    var.SetMasterSource(dm.TTblDispo.MasterSource());
    var.SetMasterFields(dm.TTblDispo.MasterFields());
    var.SetFilter(dm.TTblDispo.Filter());
    var.OnFilterRecord = [](dbe::TDataSet &buchung, bool &annehmen) {
        FahrzeugFilterRecord(buchung, annehmen);
    };
    var.SetFiltered(true);
    var.Open();
    const dbe::TField *datumVon = var.FieldByName(QStringLiteral("DatumVon"));
    const dbe::TField *uhrzeitVon = var.FieldByName(QStringLiteral("UhrzeitVon"));
    const dbe::TField *datumBis = var.FieldByName(QStringLiteral("DatumBis"));
    const dbe::TField *uhrzeitBis = var.FieldByName(QStringLiteral("UhrzeitBis"));
    double summe = 0;
    for (var.First(); !var.Eof(); var.Next())
        summe += DispoAnteil(zeitpunkt(datumVon->Value(), uhrzeitVon->Value()),
                             zeitpunkt(datumBis->Value(), uhrzeitBis->Value()), von, bis);
    return summe * 24;
}

void DispoAuslastungBerechnen(const DispoAuslastungLage &lage)
{
    DispoAuslastungText = kNichtVerfuegbar;
    try {
        if (!DataModule1 || !DataModule1->TTblDispo.Active() || DataModule1->TTblVar.Active())
            return;
        if (lage.fahrzeugFilterAktiv && lage.fahrzeugAuswahl == 1)
            return;
        const DispoPeriode periode = DispoZeitraum(lage.sicht);
        double stunden = periode.stunden;
        if (lage.fahrzeugAuswahl == 1 || lage.fahrzeugAuswahl == 2)
            stunden *= DataModule1->TTblMain.RecordCount();
        if (stunden <= 0)
            return;
        const double belegt = DispoBelegteStunden(periode.bis, periode.von);
        if (belegt < 0)
            return;
        DispoAuslastungText = DispoProzentText(stunden, belegt);
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
        DispoAuslastungText = kNichtVerfuegbar;
    }
}

} // namespace fleet
