#include "logik/TerminFortschreibung.h"

#include "daten/DataModule1.h"
#include "daten/Einstellungswerte.h"
#include "daten/TabellenRoutinen.h"
#include "dienste/DetailFensterZugriff.h"
#include "formulare/HauptFormular.h"
#include "regeln/Terminarten.h"
#include "ui/Messages.h"

namespace fleet::termine {

namespace {

bool festesFeld(const QString &feld)
{
    for (const char *f : {"KfzNr", "Info", "KfzKmStand"})
        if (feld.compare(QLatin1String(f), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

TerminFortschreibung::TerminFortschreibung(TDataModule1 &dm, std::function<void()> listeNeuAufbauen)
    : dm_(dm), neuAufbauen_(std::move(listeNeuAufbauen))
{
}

bool TerminFortschreibung::nurLesen() const
{
    if (NurLesen || LeseModus) {
        ui::messages().information(QStringLiteral("Sie haben nur Leserechte!"));
        return true;
    }
    return false;
}

void TerminFortschreibung::Einzeltermin(bool listeLeer, const FortschreibZelle &z)
{
    if (nurLesen())
        return;
    if (listeLeer) {
        ui::messages().information(QStringLiteral("Es befinden sich keine Fahrzeugtermine in der Tabelle"));
        return;
    }
    const Terminart *art = TerminartZuFeld(z.feld);
    if (festesFeld(z.feld) || !art) {
        ui::messages().information(QStringLiteral("Es ist kein einzelner Termin markiert - bitte klicken Sie "
                                                  "zunächst in das gewünschte Terminfeld"));
        return;
    }
    if (z.wert.isEmpty()) {
        ui::messages().information(QStringLiteral("Dieses Terminfeld ist leer.."));
        return;
    }
    if (!ui::messages().question(
            QStringLiteral("Möchten Sie wirklich den ") + z.titel + QStringLiteral("-Termin ") + z.wert +
            QStringLiteral(" des markierten Fahrzeugs ") + z.kfzNr + QStringLiteral(" fortschreiben")))
        return;
    gesperrt(QStringLiteral("Haupttabelle konnte zur Zeit für die folgende Änderung nicht gesperrt werden - "
                            "versuchen Sie es gleich noch einmal.."),
             [&] {
                 if (!fahrzeugFortschreiben(z.kfzNr, {art->feld}))
                     ui::messages().information(QStringLiteral("Das Fahrzeug ") + z.kfzNr +
                                                QStringLiteral(" wurde nicht gefunden - es wird kein Termin "
                                                               "fortgeschrieben"));
             });
}

void TerminFortschreibung::MarkierteFahrzeuge(bool listeLeer,
                                              const std::function<QList<FortschreibZeile>()> &zeilen)
{
    if (nurLesen())
        return;
    if (listeLeer) {
        ui::messages().information(QStringLiteral("Es befinden sich keine Fahrzeugtermine in der Tabelle"));
        return;
    }
    if (!ui::messages().question(
            QStringLiteral("Möchten Sie wirklich alle Termine der markierten Fahrzeuge fortschreiben")))
        return;
    gesperrt(
        QStringLiteral("Haupttabelle konnte zur Zeit für die folgenden Änderungen nicht gesperrt werden - "
                       "versuchen Sie es gleich noch einmal.."),
        [&] {
            for (const FortschreibZeile &zeile : zeilen()) {
                // A failure ends this vehicle; the run goes on with the next.
                try {
                    // A vehicle that is not found is skipped without a word.
                    fahrzeugFortschreiben(zeile.kfzNr, zeile.felder);
                } catch (const std::exception &) {
                }
            }
        });
}

bool TerminFortschreibung::fahrzeugFortschreiben(const QString &kfzNr, const QStringList &felder)
{
    if (kfzNr.isEmpty())
        return true;
    // Under the vehicle filter, or deleted at another workstation: rolling
    // forward now would hit whichever vehicle happens to be current.
    if (!dm_.TTblMain.Locate(QStringLiteral("KfzNr"), kfzNr))
        return false;
    DetailFensterZugriff *fenster = Detailfenster();
    if (!fenster)
        return true;
    // The roll-forward order is the kinds table's order.
    for (const Terminart &art : Terminarten())
        for (const QString &feld : felder)
            if (feld.compare(art.feld, Qt::CaseInsensitive) == 0)
                fenster->TerminFortschreiben(art.edit);
    return true;
}

void TerminFortschreibung::gesperrt(const QString &sperrMeldung, const std::function<void()> &lauf)
{
    dbe::TTable &fahrzeuge = dm_.TTblMain;
    if (!TabelleSperren(fahrzeuge)) {
        ui::messages().information(sperrMeldung);
        return;
    }
    TerminMeldungZeigen = false;
    fahrzeuge.DisableControls();
    struct Aufraeumen {
        dbe::TTable &t;
        ~Aufraeumen()
        {
            TabelleEntsperren(t);
            t.EnableControls();
            TerminMeldungZeigen = true;
        }
    } aufraeumen{fahrzeuge};
    lauf();
    if (neuAufbauen_)
        neuAufbauen_();
}

} // namespace fleet::termine
