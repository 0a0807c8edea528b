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

Menuebefehl offen(const char *menue, const char *name, const QString &text, const QString &grund)
{
    return {Menuebefehl::Befehl,
            QString::fromUtf8(menue),
            QString::fromUtf8(name),
            text,
            nullptr,
            nullptr,
            grund};
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
    const QString bearbeiten = QStringLiteral("Kommt mit der Aktualisierung des Bearbeiten-Menüs");
    const QString suche = QStringLiteral("Kommt mit der Suche des Navigators im Menü");
    const QString filter = QStringLiteral("Die Fahrzeugfilter des Menüs sind noch nicht gebaut");
    const QString uebergabe = QStringLiteral("Kommt mit der Filterübergabe an die Auswertungen");
    static const QList<Menuebefehl> befehle{
        befehl("&Datei", "Mandanten1", QStringLiteral("M&andanten"), &F::Mandanten1Click),
        untermenue("&Datei", "Stammdaten1", QStringLiteral("&Stammdaten")),
        offen("&Datei/Stammdaten1", "Fahrer1", QStringLiteral("Fahrer"),
              QStringLiteral("Das Fahrerformular ist noch nicht gebaut")),
        befehl("&Datei", "Copyright1", QStringLiteral("C&opyright"), &F::Copyright1Click),
        trenner("&Datei"),
        befehl("&Datei", "Beenden1", QStringLiteral("B&eenden"), &F::TBitBtnEndeClick),

        offen("&Bearbeiten", "Ausschneiden1", QStringLiteral("&Ausschneiden"), bearbeiten),
        offen("&Bearbeiten", "Kopieren1", QStringLiteral("&Kopieren"), bearbeiten),
        offen("&Bearbeiten", "Einfgen1", QStringLiteral("&Einfügen"), bearbeiten),
        trenner("&Bearbeiten"),
        offen("&Bearbeiten", "Suchen1", QStringLiteral("&Suchen..."), suche),
        offen("&Bearbeiten", "Weitersuchen1", QStringLiteral("&Weitersuchen"), suche),
        offen("&Bearbeiten", "InkrSucheneinaus1", QStringLiteral("&Inkr. Suchen ein/aus"), suche),
        trenner("&Bearbeiten"),
        offen("&Bearbeiten", "Lesezeichensetzen1", QStringLiteral("Lesezeichen setzen"), suche),
        offen("&Bearbeiten", "Lesezeichenverwaltung1", QStringLiteral("Lesezeichenverwaltung..."), suche),
        trenner("&Bearbeiten"),
        untermenue("&Bearbeiten", "Filter1", QStringLiteral("Filter")),
        offen("&Bearbeiten/Filter1", "Info1", QStringLiteral("Info"), filter),
        offen("&Bearbeiten/Filter1", "Gruppe1", QStringLiteral("&Gruppe"), filter),
        offen("&Bearbeiten/Filter1", "KoststStandort1", QStringLiteral("K&ostst./Standort"), filter),
        offen("&Bearbeiten/Filter1", "AlleLeasingfahrzeuge1", QStringLiteral("Alle Leasingfahrzeuge"),
              filter),
        offen("&Bearbeiten/Filter1", "KeineLeasingfahrzeuge1", QStringLiteral("Keine Leasingfahrzeuge"),
              filter),
        offen("&Bearbeiten/Filter1", "Leasinggesellschaft1", QStringLiteral("Leasinggesellschaft"), filter),
        offen("&Bearbeiten", "Filtereinaus1", QStringLiteral("Filter aus"), bearbeiten),

        offen("Auswertungen", "Fahrzeugvergleich1", QStringLiteral("Fahrzeugvergleich"), uebergabe),
        offen("Auswertungen", "FuhrparkKostenErtrag1", QStringLiteral("Fuhrpark-Kosten/Ertrag"), uebergabe),
        offen("Auswertungen", "Tourenauswertung2", QStringLiteral("Touren"),
              QStringLiteral("Die Tourenauswertung über alle Fahrzeuge ist noch nicht gebaut")),

        offen("&Optionen", "Einstellungen1", QStringLiteral("Einstellungen"),
              QStringLiteral("Das Einstellungsformular ist noch nicht gebaut")),
        befehl("&Optionen", "TankdatenImport1", QStringLiteral("Tankdaten-Import"), &F::TankdatenImport1Click,
               &kTerminDienste),
        befehl("&Optionen", "Datenexport1", QStringLiteral("Datenexport"), &F::Datenexport1Click,
               &kReportDienste),
        befehl("&Optionen", "Textverarbeitung1", QStringLiteral("KARVEN Text"), &F::Textverarbeitung1Click,
               &kTerminDienste),

        befehl("&Hilfe", "ErsteSchritte1", QStringLiteral("Erste Schritte"), &F::ErsteSchritte1Click),
        offen("&Hilfe", "Handbuch1", QStringLiteral("Handbuch"),
              QStringLiteral("Das Öffnen des Handbuchs ist noch nicht gebaut")),
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
