#include "regeln/MonatsauswertungDaten.h"

#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "daten/ControlsFrei.h"
#include "daten/TabellenRoutinen.h"
#include "dbe/Field.h"
#include "dbe/Query.h"
#include "dbe/Session.h"
#include "dbe/Table.h"
#include "dbe/detail/Cursor.h"
#include "ui/Messages.h"

namespace fleet {

namespace {

dbe::TField *feld(dbe::TDataSet &d, const char *name)
{
    return d.FieldByName(QString::fromLatin1(name));
}

// Releases the whole-table lock however the save ends.
class SperreFrei {
public:
    explicit SperreFrei(dbe::TTable &t) : t_(t) {}
    ~SperreFrei() { TabelleEntsperren(t_); }
    SperreFrei(const SperreFrei &) = delete;
    SperreFrei &operator=(const SperreFrei &) = delete;

private:
    dbe::TTable &t_;
};

// The order of a table's cursor: its index fields, then the primary key's others.
QStringList reihenfolgeFelder(const dbe::TTable &t)
{
    QStringList felder = t.IndexFields();
    for (const dbe::IndexDef &ix : t.IndexDefs())
        if (ix.name.isEmpty())
            for (const QString &f : ix.fields)
                if (!felder.contains(f, Qt::CaseInsensitive))
                    felder << f;
    return felder;
}

// The same as a statement's ORDER BY, the row's identity last.
QString reihenfolge(const dbe::TTable &t)
{
    QStringList teile;
    for (const QString &f : reihenfolgeFelder(t))
        teile << dbe::QuotedName(f);
    teile << QStringLiteral("rowid");
    return teile.join(QStringLiteral(", "));
}

// The rows of one statement, each handed over with the query on it.
void zeilenLesen(const dbe::TTable &tabelle, const QString &anweisung,
                 const std::function<void(dbe::TQuery &)> &je)
{
    dbe::TQuery q(&tabelle.Session());
    q.SetDatabaseName(tabelle.DatabaseName());
    q.SetSQL({anweisung});
    q.Open();
    for (q.First(); !q.Eof(); q.Next())
        je(q);
    q.Close();
}

QString zahl(double wert)
{
    return QString::number(wert, 'g', 17);
}

} // namespace

bool MonatsEingabenLesbar(const dbe::TTable &kosten, const dbe::TTable *touren)
{
    const auto zeigtAlle = [](const dbe::TTable &t) {
        return t.Active() && t.cursor() && !t.cursor()->filtered() && t.MasterSource() &&
               t.MasterFields().compare(QStringLiteral("KfzNr"), Qt::CaseInsensitive) == 0;
    };
    if (!zeigtAlle(kosten) || (touren && !zeigtAlle(*touren)))
        return false;
    const QStringList felder = reihenfolgeFelder(kosten);
    return felder.size() >= 2 && felder[0].compare(QStringLiteral("KfzNr"), Qt::CaseInsensitive) == 0 &&
           felder[1].compare(QStringLiteral("BelegDatum"), Qt::CaseInsensitive) == 0;
}

MonatsEingaben MonatsEingabenLesen(dbe::TTable &kosten, dbe::TTable *touren, int jahr, int monat)
{
    MonatsEingaben e;
    if (monat < 1 || monat > 12)
        return e; // no row is in such a month
    kosten.CheckBrowseMode();
    if (touren)
        touren->CheckBrowseMode();
    const double anfang = base::encodeDate(jahr, monat, 1);
    const double ende = monat == 12 ? base::encodeDate(jahr + 1, 1, 1) : base::encodeDate(jahr, monat + 1, 1);
    const QString kfzNr = dbe::QuotedName(QStringLiteral("KfzNr"));
    const QString imMonat = QStringLiteral(" WHERE %1 >= %2 AND %1 < %3 ORDER BY ");

    const QString kostenTabelle = dbe::QuotedTableName(kosten.TableName());
    const QString belegDatum = dbe::QuotedName(QStringLiteral("BelegDatum"));
    const QString kmStand = dbe::QuotedName(QStringLiteral("Mwst"));
    QStringList spalten{kfzNr, belegDatum, kmStand, dbe::QuotedName(QStringLiteral("Benzin/Liter"))};
    for (const char *f : kKostenFelder)
        spalten << dbe::QuotedName(QString::fromLatin1(f));
    zeilenLesen(kosten,
                QStringLiteral("SELECT ") + spalten.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") +
                    kostenTabelle + imMonat.arg(belegDatum, zahl(anfang), zahl(ende)) + reihenfolge(kosten),
                [&e](dbe::TQuery &q) {
                    KostenZeile z;
                    z.BelegDatum = q.Fields(1)->AsDateTime();
                    z.Mwst = q.Fields(2)->AsFloat();
                    z.Liter = q.Fields(3)->AsFloat();
                    for (int i = 0; i < kKostenArten; ++i)
                        z.Betraege[i] = q.Fields(4 + i)->AsFloat();
                    e.Kosten[q.Fields(0)->AsString()].push_back(z);
                });
    // The rows before the month come first in the cursor (a blank date too);
    // the odometer rule takes only the highest of their readings.
    zeilenLesen(kosten,
                QStringLiteral("SELECT %1, MAX(%2) FROM %3 WHERE %4 < %5 OR %4 IS NULL GROUP BY %1")
                    .arg(kfzNr, kmStand, kostenTabelle, belegDatum, zahl(anfang)),
                [&e, anfang](dbe::TQuery &q) {
                    auto it = e.Kosten.find(q.Fields(0)->AsString());
                    if (it == e.Kosten.end())
                        return; // without rows in the month the readings before count for nothing
                    KostenZeile vorher;
                    vorher.BelegDatum = anfang - 1;
                    vorher.Mwst = q.Fields(1)->AsFloat();
                    it->insert(it->begin(), vorher);
                });

    if (touren) {
        const QString datum = dbe::QuotedName(QStringLiteral("Datum"));
        zeilenLesen(*touren,
                    QStringLiteral("SELECT %1, %2, %3, %4 FROM %5")
                            .arg(kfzNr, datum, dbe::QuotedName(QStringLiteral("GefahrenKm")),
                                 dbe::QuotedName(QStringLiteral("Ertrag")),
                                 dbe::QuotedTableName(touren->TableName())) +
                        imMonat.arg(datum, zahl(anfang), zahl(ende)) + reihenfolge(*touren),
                    [&e](dbe::TQuery &q) {
                        e.Touren[q.Fields(0)->AsString()].push_back(
                            {q.Fields(1)->AsDateTime(), q.Fields(2)->AsFloat(), q.Fields(3)->AsFloat()});
                    });
    }
    return e;
}

std::vector<KostenZeile> KostenZeilenLesen(dbe::TDataSet &kosten)
{
    std::vector<KostenZeile> zeilen;
    ControlsFrei frei(kosten);
    dbe::TField *datum = feld(kosten, "BelegDatum");
    dbe::TField *stand = feld(kosten, "Mwst");
    dbe::TField *liter = feld(kosten, "Benzin/Liter");
    std::array<dbe::TField *, kKostenArten> betraege{};
    for (int i = 0; i < kKostenArten; ++i)
        betraege[i] = feld(kosten, kKostenFelder[i]);
    kosten.First();
    while (!kosten.Eof()) {
        KostenZeile z;
        z.BelegDatum = datum->AsDateTime();
        z.Mwst = stand->AsFloat();
        z.Liter = liter->AsFloat();
        for (int i = 0; i < kKostenArten; ++i)
            z.Betraege[i] = betraege[i]->AsFloat();
        zeilen.push_back(z);
        kosten.Next();
    }
    return zeilen;
}

std::vector<TourZeile> TourZeilenLesen(dbe::TDataSet &touren)
{
    std::vector<TourZeile> zeilen;
    ControlsFrei frei(touren);
    dbe::TField *datum = feld(touren, "Datum");
    dbe::TField *km = feld(touren, "GefahrenKm");
    dbe::TField *ertrag = feld(touren, "Ertrag");
    touren.First();
    while (!touren.Eof()) {
        zeilen.push_back({datum->AsDateTime(), km->AsFloat(), ertrag->AsFloat()});
        touren.Next();
    }
    return zeilen;
}

std::array<double, kStammBetraege> StammbetraegeLesen(dbe::TDataSet &stamm)
{
    std::array<double, kStammBetraege> werte{};
    for (int i = 0; i < kStammBetraege; ++i)
        werte[i] = feld(stamm, kStammFelder[i])->AsFloat();
    return werte;
}

QString Monatsname(int monat)
{
    static const char *const kNamen[] = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                                         "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
    return monat >= 1 && monat <= 12 ? QString::fromUtf8(kNamen[monat - 1]) : QString();
}

void MonatsauswertungSpeichern(dbe::TTable &sperre, dbe::TTable &alle, const QString &kfzNr,
                               std::uint16_t jahr, std::uint16_t monat,
                               const std::function<void()> &neuBerechnen)
{
    const TMonatsauswertungErgebnis &e = MonatsauswertungErgebnis;
    if (e.KfzNr != kfzNr || e.AuswertungsJahr != jahr || e.AuswertungsMonat != monat)
        neuBerechnen();

    if (!ui::messages().question(QStringLiteral("Möchten Sie die aktuelle Monatsauswertung speichern")))
        return;
    if (!TabelleSperren(sperre)) {
        ui::messages().error(QStringLiteral(
            "Gewünschte Tabelle konnte nicht gesperrt werden - versuchen Sie es gleich noch einmal"));
        return;
    }
    SperreFrei frei(sperre);

    const QString jahrText = QString::number(e.AuswertungsJahr);
    const QString monatText = Monatsname(e.AuswertungsMonat);
    alle.Refresh();
    const bool vorhanden =
        alle.FindKey({e.KfzNr, jahrText, static_cast<double>(e.AuswertungsMonat), monatText});
    if (vorhanden && !ui::messages().question(QStringLiteral("Eine Auswertung für diesen Monat ist schon "
                                                             "gespeichert - möchten Sie die vorhandene "
                                                             "Auswertung überschreiben")))
        return;

    {
        dbe::TTransaction transaktion(alle.Session(), alle.DatabaseName());
        if (vorhanden)
            alle.Delete();
        alle.Append();
        auto setze = [&alle](const char *name, double wert) { feld(alle, name)->SetAsFloat(wert); };
        auto geld = [&setze](const char *name, base::Currency wert) { setze(name, wert.toDouble()); };
        feld(alle, "KfzNr")->SetAsString(e.KfzNr);
        feld(alle, "AuswJahr")->SetAsString(jahrText);
        setze("AuswMonatNum", e.AuswertungsMonat);
        feld(alle, "AuswMonatText")->SetAsString(monatText);
        setze("GefKilometer", e.GefKilometer);
        geld("GesamtKosten", e.GesamtKosten);
        geld("GesamtKostenProKm", e.GesamtKostenProKm);
        setze("VerbrauchLiter", e.VerbrauchLiter);
        geld("VerbrauchKosten", e.VerbrauchKosten);
        setze("VerbrauchLiterPro100Km", e.VerbrauchLiterPro100Km);
        geld("ReparaturKosten", e.ReparaturKosten);
        geld("WartungKosten", e.WartungKosten);
        geld("UntersuchungKosten", e.UntersuchungKosten);
        geld("ReifenKosten", e.ReifenKosten);
        geld("PflegeKosten", e.PflegeKosten);
        geld("SonstigeKosten", e.SonstigeKosten);
        geld("Sonstige2Kosten", e.Sonstige2Kosten);
        geld("Sonstige3Kosten", e.Sonstige3Kosten);
        geld("Sonstige4Kosten", e.Sonstige4Kosten);
        geld("Ertrag", e.Ertrag);
        try {
            alle.Post();
        } catch (...) {
            alle.Cancel();
            throw; // the transaction rolls the delete back
        }
        transaktion.Commit();
    }
    ui::messages().information(QStringLiteral("Die Monatsauswertung wurde gespeichert"));
    sperre.Refresh();
}

} // namespace fleet
