#include "regeln/MonatsauswertungDaten.h"

#include "daten/Aliase.h"
#include "daten/ControlsFrei.h"
#include "daten/TabellenRoutinen.h"
#include "dbe/Field.h"
#include "dbe/Session.h"
#include "dbe/Table.h"
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

} // namespace

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
