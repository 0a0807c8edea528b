#include "formulare/HauptMenue.h"

#include "dienste/Dienstvertraege.h"
#include "formulare/HauptFormular.h"

namespace fleet {

namespace {

using F = THauptFormular;

Menuebefehl befehl(const char *menue, const char *name, const QString &text, void (F::*ausfuehren)(),
                   const Dienstvertrag *braucht = nullptr)
{
    return {Menuebefehl::Befehl,
            QString::fromUtf8(menue),
            QString::fromUtf8(name),
            text,
            ausfuehren,
            braucht,
            {}};
}

Menuebefehl untermenue(const char *menue, const char *name, const QString &text)
{
    return {Menuebefehl::Untermenue,
            QString::fromUtf8(menue),
            QString::fromUtf8(name),
            text,
            nullptr,
            nullptr,
            {}};
}

Menuebefehl trenner(const char *menue)
{
    return {Menuebefehl::Trenner, QString::fromUtf8(menue), {}, {}, nullptr, nullptr, {}};
}

} // namespace

const QList<Menuebefehl> &HauptMenueBefehle()
{
    static const QList<Menuebefehl> befehle{
        befehl("&Datei", "Mandanten1", QStringLiteral("M&andanten"), &F::Mandanten1Click),
        untermenue("&Datei", "Stammdaten1", QStringLiteral("&Stammdaten")),
        befehl("&Datei/Stammdaten1", "Fahrer1", QStringLiteral("Fahrer"), &F::Fahrer1Click),
        befehl("&Datei", "Copyright1", QStringLiteral("C&opyright"), &F::Copyright1Click),
        trenner("&Datei"),
        befehl("&Datei", "Beenden1", QStringLiteral("B&eenden"), &F::TBitBtnEndeClick),

        befehl("&Bearbeiten", "Ausschneiden1", QStringLiteral("&Ausschneiden"), &F::Ausschneiden1Click),
        befehl("&Bearbeiten", "Kopieren1", QStringLiteral("&Kopieren"), &F::Kopieren1Click),
        befehl("&Bearbeiten", "Einfgen1", QStringLiteral("&Einfügen"), &F::Einfgen1Click),
        trenner("&Bearbeiten"),
        befehl("&Bearbeiten", "Suchen1", QStringLiteral("&Suchen..."), &F::Suchen1Click),
        befehl("&Bearbeiten", "Weitersuchen1", QStringLiteral("&Weitersuchen"), &F::Weitersuchen1Click),
        befehl("&Bearbeiten", "InkrSucheneinaus1", QStringLiteral("&Inkr. Suchen ein/aus"),
               &F::InkrSucheneinaus1Click),
        trenner("&Bearbeiten"),
        befehl("&Bearbeiten", "Lesezeichensetzen1", QStringLiteral("Lesezeichen setzen"),
               &F::Lesezeichensetzen1Click),
        befehl("&Bearbeiten", "Lesezeichenverwaltung1", QStringLiteral("Lesezeichenverwaltung..."),
               &F::Lesezeichenverwaltung1Click),
        trenner("&Bearbeiten"),
        untermenue("&Bearbeiten", "Filter1", QStringLiteral("Filter")),
        befehl("&Bearbeiten/Filter1", "Info1", QStringLiteral("Info"), &F::Info1Click),
        befehl("&Bearbeiten/Filter1", "Gruppe1", QStringLiteral("&Gruppe"), &F::Gruppe1Click),
        befehl("&Bearbeiten/Filter1", "KoststStandort1", QStringLiteral("K&ostst./Standort"),
               &F::KoststStandort1Click),
        befehl("&Bearbeiten/Filter1", "AlleLeasingfahrzeuge1", QStringLiteral("Alle Leasingfahrzeuge"),
               &F::AlleLeasingfahrzeuge1Click),
        befehl("&Bearbeiten/Filter1", "KeineLeasingfahrzeuge1", QStringLiteral("Keine Leasingfahrzeuge"),
               &F::KeineLeasingfahrzeuge1Click),
        befehl("&Bearbeiten/Filter1", "Leasinggesellschaft1", QStringLiteral("Leasinggesellschaft"),
               &F::Leasinggesellschaft1Click),
        befehl("&Bearbeiten", "Filtereinaus1", QStringLiteral("Filter aus"), &F::Filtereinaus1Click),

        // A command of the menu bar itself, without a menu.
        befehl("", "Terminverwaltung1", QStringLiteral("&Terminverwaltung"), &F::Terminverwaltung1Click,
               &kTerminDienste),

        befehl("Auswertungen", "Fahrzeugvergleich1", QStringLiteral("Fahrzeugvergleich"),
               &F::Fahrzeugvergleich1Click, &kTerminDienste),
        befehl("Auswertungen", "FuhrparkKostenErtrag1", QStringLiteral("Fuhrpark-Kosten/Ertrag"),
               &F::FuhrparkKostenErtrag1Click, &kTerminDienste),
        befehl("Auswertungen", "Tourenauswertung2", QStringLiteral("Touren"), &F::Tourenauswertung2Click,
               &kTerminDienste),

        befehl("&Optionen", "Einstellungen1", QStringLiteral("Einstellungen"), &F::Einstellungen1Click),
        befehl("&Optionen", "TankdatenImport1", QStringLiteral("Tankdaten-Import"), &F::TankdatenImport1Click,
               &kTerminDienste),
        befehl("&Optionen", "Datenexport1", QStringLiteral("Datenexport"), &F::Datenexport1Click,
               &kReportDienste),
        befehl("&Optionen", "Textverarbeitung1", QStringLiteral("KARVEN Text"), &F::Textverarbeitung1Click,
               &kTerminDienste),

        befehl("&Hilfe", "ErsteSchritte1", QStringLiteral("Erste Schritte"), &F::ErsteSchritte1Click),
        befehl("&Hilfe", "Handbuch1", QStringLiteral("Handbuch"), &F::Handbuch1Click),
    };
    return befehle;
}

QString MenueSperrgrund(const Menuebefehl &befehl)
{
    if (befehl.art != Menuebefehl::Befehl)
        return {};
    if (!befehl.ausfuehren)
        return befehl.grund;
    if (befehl.braucht)
        return DienstSperrgrund(*befehl.braucht);
    return {};
}

} // namespace fleet
