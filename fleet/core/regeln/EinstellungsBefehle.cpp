#include "regeln/EinstellungsBefehle.h"

#include "dbe/Table.h"

namespace fleet::einstellungen {

namespace {

QString grossAZ(const QString &text)
{
    QString ergebnis = text;
    for (QChar &c : ergebnis)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - ('a' - 'A'));
    return ergebnis;
}

} // namespace

const QString kTerminverwaltungNichtAbschalten = QStringLiteral(
    "Sie haben die Programmoption \"Termine bei jedem Programmstart zeigen\" aktiviert. Diese Option "
    "verträgt sich nicht mit der Einstellung \"Termine-Formular nicht zeigen\", die Sie jetzt aktivieren "
    "möchten. Bitte deaktivieren Sie erstgenannte Option auf der Seite \"Terminvorgaben\", bevor Sie das "
    "Termin-Formular dauerhaft ausblenden.");

const QString kTermineBeiStartNichtEinschalten = QStringLiteral(
    "Sie haben die Programmoption \"Terminverwaltung zeigen\" deaktiviert. Diese Option verträgt sich "
    "nicht mit der Einstellung \"Terminverwaltung bei jedem Programmstart zeigen\", die Sie jetzt "
    "aktivieren möchten. Bitte ändern Sie erstgenannte Option auf der Seite \"Benutzerrechte\", bevor Sie "
    "das Termin-Formular bei jedem Programmstart einblenden.");

bool PasswortGleich(const QString &eingabe, const QString &gespeichert)
{
    return grossAZ(eingabe) == grossAZ(gespeichert);
}

const QStringList &DesignerEintraege()
{
    static const QStringList eintraege{
        QStringLiteral("Monatsübersicht-Stand."),
        QStringLiteral("Monatsauswertung"),
        QStringLiteral("Var. Kosten"),
        QStringLiteral("Touren"),
        QStringLiteral("Stammdaten"),
        QStringLiteral("Fahrzeugvergleich"),
        QStringLiteral("Termine"),
        QStringLiteral("StammdatenListe"),
        QStringLiteral("Fuhrpark-Kosten"),
        QStringLiteral("Touren-Auswertung"),
        QStringLiteral("Monatsübersicht-Kosten"),
        QStringLiteral("Reifen"),
        QStringLiteral("Historie"),
        QStringLiteral("Disposition"),
        QStringLiteral("Tankdatenimport"),
        QStringLiteral("Fahrer-Historie"),
        QStringLiteral("Fahrer-StammdatenListe"),
        QStringLiteral("Fahrer-Stammdaten"),
        QStringLiteral("Fahrer-Touren"),
        QStringLiteral("Monatsauswertungen-a.F."),
        QStringLiteral("Schadensmanagement"),
        QStringLiteral("Mandanten-Liste"),
        QStringLiteral("Mandant"),
        QStringLiteral("TerminInfo"),
        QStringLiteral("Werkstatt-Termine"),
    };
    return eintraege;
}

std::optional<int> DesignerNummer(const QString &eintrag)
{
    const qsizetype i = DesignerEintraege().indexOf(eintrag);
    if (i < 0)
        return std::nullopt;
    return static_cast<int>(i);
}

bool NachschlagVerwendet(dbe::TTable &fahrzeuge, const QString &fahrzeugFeld, const QString &text)
{
    bool verwendet = false;
    dbe::TField *feld = fahrzeuge.FieldByName(fahrzeugFeld);
    fahrzeuge.First();
    while (!fahrzeuge.Eof()) {
        if (feld->AsString() == text)
            verwendet = true;
        fahrzeuge.Next();
    }
    return verwendet;
}

} // namespace fleet::einstellungen
