#include "logik/FuhrparkKosten.h"

#include "base/GermanFormat.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/SichtLesen.h"
#include "daten/TabellenRoutinen.h"
#include "dbe/Errors.h"
#include "dbe/Field.h"
#include "dbe/ReadScope.h"
#include "logik/ErgebnisTransaktion.h"
#include "logik/FahrzeugDurchlauf.h"
#include "regeln/MonatsSummen.h"
#include "regeln/MonatsSummenJeFahrzeug.h"

namespace fleet {

namespace {

// The vehicle's texts copied into its result row.
constexpr const char *kTextFelder[] = {"KfzNr", "Info", "Gruppe", "Kostenstelle"};

// The monthly table's filter text and state, put back when the run ends.
class FilterHalten {
public:
    explicit FilterHalten(dbe::TDataSet &t) : t_(t), text_(t.Filter()), an_(t.Filtered()) {}
    ~FilterHalten()
    {
        try {
            t_.SetFiltered(false);
            t_.SetFilter(text_);
            t_.SetFiltered(an_);
        } catch (const std::exception &) {
            // Nothing left to put right: the table reports its own trouble.
        }
    }
    FilterHalten(const FilterHalten &) = delete;
    FilterHalten &operator=(const FilterHalten &) = delete;

private:
    dbe::TDataSet &t_;
    QString text_;
    bool an_;
};

// The result table's controls on again and the table open at the end.
class ErgebnisFreigeben {
public:
    explicit ErgebnisFreigeben(dbe::TTable &t) : t_(t) { t_.DisableControls(); }
    ~ErgebnisFreigeben()
    {
        try {
            if (!t_.Active())
                t_.Open();
        } catch (const std::exception &) {
            // Shown empty; the run's own failure is reported.
        }
        t_.EnableControls();
    }
    ErgebnisFreigeben(const ErgebnisFreigeben &) = delete;
    ErgebnisFreigeben &operator=(const ErgebnisFreigeben &) = delete;

private:
    dbe::TTable &t_;
};

} // namespace

QString FuhrparkZeitraumFilter(FuhrparkZeitraum zeitraum, const QString &jahr, const QString &monat)
{
    switch (zeitraum) {
    case FuhrparkZeitraum::Jahr:
        return QStringLiteral("AuswJahr = ") + jahr;
    case FuhrparkZeitraum::Monat:
        return QStringLiteral("(AuswJahr = '%1') and (AuswMonatText = '%2')").arg(jahr, monat);
    case FuhrparkZeitraum::Alle:
        break;
    }
    return {};
}

QString AuswertungszeitraumText(const QString &monat, const QString &jahr)
{
    if (!monat.isEmpty() && !jahr.isEmpty())
        return QStringLiteral("Auswertungszeitraum: Monat ") + monat + QLatin1Char(' ') + jahr;
    if (!jahr.isEmpty())
        return QStringLiteral("Auswertungszeitraum: Jahr ") + jahr;
    return QStringLiteral("Auswertungszeitraum: Alle Daten");
}

double SchadstoffKg(double grammProKm, double km)
{
    const auto gerundet = base::de::parseValueFloat(base::de::formatFixed(grammProKm * km / 1000.0, 3));
    return gerundet ? *gerundet : 0.0;
}

void FuhrparkKostenBerechnen(TDataModule1 &dm, const QString &zeitraumFilter, TFuhrparkSummen &summen,
                             const std::function<void()> &schritt)
{
    summen = TFuhrparkSummen();
    dbe::TTable &ergebnis = dm.TTblFuhrparkKosten;
    ErgebnisFreigeben freigeben(ergebnis);
    ergebnis.Close();
    ergebnis.SetDatabaseName(kAliasFuhrparkPriv);
    ergebnis.SetTableName(QStringLiteral("KfzFuKst.db"));
    if (!TabelleLeeren(ergebnis))
        throw dbe::EDatabaseError(QStringLiteral("Die Tabelle KfzFuKst.db konnte nicht geleert werden"));
    if (!ergebnis.Active())
        ergebnis.Open();

    dbe::TTable &monate = dm.TTblMonatKosten;
    FilterHalten filterHalten(monate);
    monate.SetFiltered(false);

    dbe::TTable &stamm = dm.TTblMain;
    const auto feld = [](dbe::TDataSet &t, const char *name) {
        return t.FieldByName(QString::fromLatin1(name));
    };
    ErgebnisTransaktion transaktion(ergebnis);
    // One vehicle: its texts (KfzNr, Info, Gruppe, Kostenstelle), its pollutant per km and its sums.
    const auto zeileSchreiben = [&](const QString(&texte)[4], const std::function<double()> &grammProKm,
                                    const TMonatsSummen &s) {
        if (schritt)
            schritt();
        double schadstoff = 0;
        try {
            schadstoff = SchadstoffKg(grammProKm(), s.SummeGefKilometer.toDouble());
        } catch (const std::exception &) {
            schadstoff = 0; // a failed product stores 0
        }
        ergebnis.Append();
        int i = 0;
        for (const char *text : kTextFelder)
            feld(ergebnis, text)->SetAsString(texte[i++]);
        const std::pair<const char *, base::Currency> geld[] = {
            {"GesamtKosten", s.SummeGesamtKosten},
            {"VerbrauchKosten", s.SummeVerbrauchKosten},
            {"ReparaturKosten", s.SummeReparaturKosten},
            {"WartungKosten", s.SummeWartungKosten},
            {"UntersuchungKosten", s.SummeUntersuchungKosten},
            {"ReifenKosten", s.SummeReifenKosten},
            {"PflegeKosten", s.SummePflegeKosten},
            {"SonstigeKosten", s.SummeSonstigeKosten},
            {"Sonstige2Kosten", s.SummeSonstige2Kosten},
            {"Sonstige3Kosten", s.SummeSonstige3Kosten},
            {"Sonstige4Kosten", s.SummeSonstige4Kosten},
            {"Ertrag", s.SummeErtrag}};
        for (const auto &[name, wert] : geld)
            feld(ergebnis, name)->SetAsCurrency(wert);
        feld(ergebnis, "GefKilometer")->SetAsFloat(s.SummeGefKilometer.toDouble());
        feld(ergebnis, "VerbrauchLiter")->SetAsFloat(s.SummeVerbrauchLiter.toDouble());
        feld(ergebnis, "DVerbrauchLiter")->SetAsFloat(s.SchnittVerbrauchLiter);
        feld(ergebnis, "DVerbrauchLiter100Km")->SetAsFloat(s.SchnittVerbrauchLiterPro100Km);
        feld(ergebnis, "Schadstoff")->SetAsFloat(schadstoff);
        ergebnis.Post();

        summen.Gesamt += s.SummeGesamtKosten;
        summen.Verbrauch += s.SummeVerbrauchKosten;
        summen.Reparatur += s.SummeReparaturKosten;
        summen.Wartung += s.SummeWartungKosten;
        summen.Untersuchung += s.SummeUntersuchungKosten;
        summen.Reifen += s.SummeReifenKosten;
        summen.Pflege += s.SummePflegeKosten;
        summen.Sonstige += s.SummeSonstigeKosten;
        summen.Sonstige2 += s.SummeSonstige2Kosten;
        summen.Sonstige3 += s.SummeSonstige3Kosten;
        summen.Sonstige4 += s.SummeSonstige4Kosten;
        summen.Km += s.SummeGefKilometer;
        summen.Liter += s.SummeVerbrauchLiter.toDouble();
        summen.Ertrag += s.SummeErtrag;
        summen.Schadstoff += schadstoff;
        summen.Var += s.SummeVerbrauchKosten + s.SummeReparaturKosten + s.SummeWartungKosten +
                      s.SummeUntersuchungKosten + s.SummeReifenKosten + s.SummePflegeKosten +
                      s.SummeSonstigeKosten + s.SummeSonstige2Kosten + s.SummeSonstige3Kosten +
                      s.SummeSonstige4Kosten;
        summen.Fix = summen.Gesamt - summen.Var;
    };
    if (MonatsSummenJeFahrzeugLesbar(monate)) {
        // The period's rows of every vehicle at once, the vehicles through a
        // cursor of their own: the vehicle table stays where it is.
        const QHash<QString, TMonatsSummen> jeFahrzeug = MonatsSummenJeFahrzeug(monate, zeitraumFilter);
        QStringList felder;
        for (const char *text : kTextFelder)
            felder << QString::fromLatin1(text);
        felder << QStringLiteral("Schadstoff");
        const TMonatsSummen ohneZeilen;
        const dbe::TReadScope lesen(stamm);
        SichtLesen(stamm, felder, [&](const std::vector<QVariant> &fahrzeug) {
            const QString texte[4] = {fahrzeug[0].toString(), fahrzeug[1].toString(), fahrzeug[2].toString(),
                                      fahrzeug[3].toString()};
            const auto it = jeFahrzeug.constFind(texte[0]);
            zeileSchreiben(
                texte, [&] { return fahrzeug[4].toDouble(); }, it == jeFahrzeug.cend() ? ohneZeilen : *it);
        });
    } else {
        // A record filter or filter tree on the monthly rows: walked as its cursor shows them.
        if (!zeitraumFilter.isEmpty()) {
            monate.SetFilter(zeitraumFilter);
            monate.SetFiltered(true);
        }
        FahrzeugeDurchlaufen(stamm, {&monate}, [&] {
            TMonatsSummen s;
            MonatsSummenBerechnen(monate, s);
            QString texte[4];
            int i = 0;
            for (const char *text : kTextFelder)
                texte[i++] = feld(stamm, text)->AsString();
            zeileSchreiben(
                texte, [&] { return feld(stamm, "Schadstoff")->AsFloat(); }, s);
        });
    }
    transaktion.Abschliessen();
    ergebnis.First();
}

} // namespace fleet
