// Program colours on the main window and the preview, the colour commands and
// the visibility of single master-data and appointment fields.
#include <QFrame>
#include <QVariant>
#include <QWidget>

#include "daten/DataModule1.h"
#include "daten/Hilfstabellen.h"
#include "dienste/Formularzugriff.h"
#include "dienste/Protokoll.h"
#include "formulare/EinstellungenFormular.h"
#include "regeln/StartEinstellungen.h"
#include "ui/Colors.h"
#include "ui/DBCheckBox.h"
#include "ui/DBEdit.h"
#include "ui/Dialogs.h"
#include "ui/Messages.h"

namespace fleet {

namespace {

QWidget *haupt(const QString &name)
{
    return qobject_cast<QWidget *>(KomponenteFinden(QStringLiteral("HauptFormular"), name));
}

// The main window is built; a missing control is skipped by name.
void faerben(const QString &name, std::optional<ui::TColor> hintergrund, std::optional<ui::TColor> schrift)
{
    QWidget *w = haupt(name);
    if (!w)
        return;
    if (hintergrund)
        ui::setBackgroundColor(w, *hintergrund);
    if (schrift)
        ui::setTextColor(w, *schrift);
}

// Highlight flag, its check box on the settings form, the main window's control.
const char *const kMarkierbar[][2] = {
    {"Kennzeichen", "EditKfzNr"},
    {"Info", "EditInfo"},
    {"Gruppe", "DBLkpCmbBoxGruppe"},
    {"Kststelle", "DBLkpCmbBoxStandort"},
    {"PkwNummer", "EditPkwNummer"},
    {"HerstellerKz", "EditKfzHerstellerKz"},
    {"Marke", "EditKfzMarke"},
    {"Baujahr", "EditKfzBaujahr"},
    {"Hubraum", "EditKfzHubraum"},
    {"KW", "EditKfzKWPS"},
    {"Aufbau", "EditKfzAufbau"},
    {"Farbe", "EditKfzFarbe"},
    {"Kaufdatum", "EditKaufdatum"},
    {"VersPolNr", "EditVersPolNr"},
    {"Zulassung", "EditKfzZulassung"},
    {"Fahrgestellnr", "EditFahrgestellnummer"},
    {"Anschaffwert", "EditAnschaffungswert"},
    {"Zinssatz", "EditZinssatz"},
    {"FahrerName", "DBLkpCmbBoxFahrer"},
    {"FahrerNr", "EditFahrerNr"},
    {"FahrerKz", "EditFahrerKz"},
    {"BesitzerKz", "EditBesitzerKz"},
    {"KmStand", "EditKfzKmStand"},
};

QStringList ohneMarkierung()
{
    QStringList namen;
    for (int i = 1; i <= 15; ++i)
        namen << QStringLiteral("EditFreifeld%1").arg(i);
    namen << QStringLiteral("DBLkCmbBoxNameLeasinggesellschaft") << QStringLiteral("EditLeasingAnfangsDatum")
          << QStringLiteral("EditLeasingDauer") << QStringLiteral("EditLeasingEndDatum")
          << QStringLiteral("LblVorausLsEndKmStand");
    for (int i = 16; i <= 20; ++i)
        namen << QStringLiteral("EditFreifeld%1").arg(i);
    for (const char *n :
         {"EditHaftpflNettoBetrag", "EditKaskoNettoBetrag", "EditSteuer", "EditKfzSonstiges", "EditAFA",
          "EditZinsen", "EditVermoegenssteuer", "EditGewKapSteuer", "EditFahrerkosten", "EditTUEVTermin",
          "EditASUTermin", "EditInspektionTermin", "EditKlInspektionTermin", "EditGrInspektionTermin",
          "EditVignetteTermin1", "EditVignetteTermin2"})
        namen << QString::fromLatin1(n);
    for (int i = 1; i <= 14; ++i)
        namen << QStringLiteral("EditFreierTermin%1").arg(i);
    namen << QStringLiteral("EditVorgabeKst");
    return namen;
}

// Visibility flag of the shared record with the edit and label it shows.
const char *const kSichtbar[][3] = {
    {"PkwNummerSichtbar", "EditPkwNummer", "LblPkwNummer"},
    {"HerstellerKzSichtbar", "EditKfzHerstellerKz", "LblHerstellerKz"},
    {"MarkeSichtbar", "EditKfzMarke", "LblMarke"},
    {"BaujahrSichtbar", "EditKfzBaujahr", "LblBaujahr"},
    {"HubraumSichtbar", "EditKfzHubraum", "LblHubraum"},
    {"KWSichtbar", "EditKfzKWPS", "LblKWPS"},
    {"AufbauSichtbar", "EditKfzAufbau", "LblAufbau"},
    {"FarbeSichtbar", "EditKfzFarbe", "LblFarbe"},
    {"KaufdatumSichtbar", "EditKaufdatum", "LblKaufdatum"},
    {"VersPolNrSichtbar", "EditVersPolNr", "LblVersPolNr"},
    {"ZulassungSichtbar", "EditKfzZulassung", "LblZulassung"},
    {"FahrgestellnrSichtbar", "EditFahrgestellnummer", "LblFahrgestellnummer"},
    {"AnschaffwertSichtbar", "EditAnschaffungswert", "LblAnschaffungswert"},
    {"ZinssatzSichtbar", "EditZinssatz", "LblZinssatz"},
    {"FahrernameSichtbar", "DBLkpCmbBoxFahrer", "LblFahrerName"},
    {"FahrerNrSichtbar", "EditFahrerNr", "LblFahrerNr"},
    {"FahrerKzSichtbar", "EditFahrerKz", "LblFahrerKz"},
    {"BesitzerKzSichtbar", "EditBesitzerKz", "LblBesitzerKz"},
};

void sichtbar(const QString &name, bool an)
{
    if (QWidget *w = haupt(name))
        w->setVisible(an);
}

} // namespace

void TEinstellungenFormular::FarbenVorschauZeigen()
{
    vorschauZeigen(ProgrammFarben);
}

void TEinstellungenFormular::vorschauZeigen(const Farbsatz &farben)
{
    vorschau_ = farben;
    vorschauGefaerbt_ = true;
    if (seitenAufgebaut_)
        vorschauFaerben();
}

void TEinstellungenFormular::vorschauFaerben()
{
    const auto f = [this](Farbe farbe) { return vorschau_[static_cast<int>(farbe)]; };
    ui::setTextColor(DBEditFarbdialogKopfzeileKfznr, f(Farbe::KopfzeileFeldSchrift));
    ui::setBackgroundColor(DBEditFarbdialogKopfzeileKfznr, f(Farbe::KopfzeileFeldHinterg));
    ui::setBackgroundColor(PanFarbdialogKopfzeile, f(Farbe::KopfzeilePanel));
    ui::setBackgroundColor(PanFarbdialogFahrzeugStammdaten, f(Farbe::StammdatenFormular));
    ui::setTextColor(EditFarbdialogKfzNr, f(Farbe::StammdatenSchrift));
    ui::setBackgroundColor(EditFarbdialogKfzNr, f(Farbe::StammdatenFeld));
    ui::setBackgroundColor(EditFarbdialogFeldMarkiert, f(Farbe::StammdatenMarkiert));
}

void TEinstellungenFormular::KopfzeileFarbenAnwenden()
{
    faerben(QStringLiteral("PanKopfzeile"), ProgrammFarbe(Farbe::KopfzeilePanel), std::nullopt);
    for (const char *feld : {"DBEditKopfzeileKfznr", "DBEditKopfzeileInfo", "DBEditKopfzeileGruppe",
                             "DBEditKopfzeileStandort", "DBEditKopfzeileKm"})
        faerben(QString::fromLatin1(feld), ProgrammFarbe(Farbe::KopfzeileFeldHinterg),
                ProgrammFarbe(Farbe::KopfzeileFeldSchrift));
}

bool TEinstellungenFormular::markiert(const QString &flagge) const
{
    const QString feld = flagge + QStringLiteral("Markiert");
    // The form's boxes, not the stored flags: an unsaved change counts.
    if (seitenAufgebaut_) {
        const auto *box = findChild<ui::DBCheckBox *>(QStringLiteral("DBChkBox") + feld);
        return box && box->isChecked();
    }
    // Before their page is built, the flag as its box will show it.
    return starteinstellungen::KreuzGesetzt(DataModule1->TDataSrcEinstellungenAllgem, feld,
                                            QStringLiteral("Wahr"));
}

void TEinstellungenFormular::StammdatenFarbenAnwenden()
{
    try {
        const ui::TColor feld = ProgrammFarbe(Farbe::StammdatenFeld);
        const ui::TColor schrift = ProgrammFarbe(Farbe::StammdatenSchrift);
        if (QWidget *seite = haupt(QStringLiteral("TabStammDaten"))) {
            ui::setBackgroundColor(seite, ProgrammFarbe(Farbe::StammdatenFormular));
            seite->update();
        }
        faerben(QStringLiteral("RadioGrpDrucken"), ProgrammFarbe(Farbe::StammdatenFormular), std::nullopt);
        for (const auto &m : kMarkierbar)
            faerben(QString::fromLatin1(m[1]),
                    markiert(QString::fromLatin1(m[0])) ? ProgrammFarbe(Farbe::StammdatenMarkiert) : feld,
                    schrift);
        for (const QString &name : ohneMarkierung())
            faerben(name, feld, schrift);
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
    }
}

void TEinstellungenFormular::StammdatenFelderZeigen()
{
    try {
        dbe::TTable &allg = DataModule1->TTblEinstellungenAllgem;
        for (const auto &s : kSichtbar) {
            const bool an = starteinstellungen::Logisch(allg.FieldByName(QString::fromLatin1(s[0]))->Value());
            sichtbar(QString::fromLatin1(s[1]), an);
            sichtbar(QString::fromLatin1(s[2]), an);
        }
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
    }
}

void TEinstellungenFormular::TerminFelderZeigen()
{
    struct Termin {
        QString flagge, name;
    };
    QList<Termin> termine{{QStringLiteral("TUEVTerminZeigen"), QStringLiteral("TUEVTermin")},
                          {QStringLiteral("AUTerminZeigen"), QStringLiteral("ASUTermin")},
                          {QStringLiteral("InspektionTerminZeigen"), QStringLiteral("InspektionTermin")},
                          {QStringLiteral("KlInspektionTerminZeigen"), QStringLiteral("KlInspektionTermin")},
                          {QStringLiteral("GrInspektionTerminZeigen"), QStringLiteral("GrInspektionTermin")},
                          {QStringLiteral("Vignette1TerminZeigen"), QStringLiteral("Vignette1Termin")},
                          {QStringLiteral("Vignette2TerminZeigen"), QStringLiteral("Vignette2Termin")}};
    for (int i = 1; i <= 14; ++i)
        termine.append(
            {QStringLiteral("Freitermin%1Zeigen").arg(i), QStringLiteral("FreierTermin%1").arg(i)});
    try {
        dbe::TTable &priv = DataModule1->TTblEinstellungenPriv;
        for (const Termin &t : termine) {
            const bool an = starteinstellungen::Logisch(priv.FieldByName(t.flagge)->Value());
            // The edits of the two stickers are named after their number.
            const QString edit = t.name.startsWith(QLatin1String("Vignette"))
                                     ? QStringLiteral("EditVignetteTermin") + t.name.mid(8, 1)
                                     : QStringLiteral("Edit") + t.name;
            sichtbar(edit, an);
            sichtbar(QStringLiteral("Lbl") + t.name, an);
            sichtbar(QStringLiteral("Lbl2") + t.name, an);
        }
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
    }
}

void TEinstellungenFormular::FarbeWaehlen(Farbe farbe)
{
    const int i = static_cast<int>(farbe);
    const std::optional<QColor> gewaehlt = ui::dialogs().chooseColor(ui::toQColor(vorschau_[i]));
    if (!gewaehlt)
        return;
    // Only the preview shows it; the main window when the form closes.
    ProgrammFarben[i] = ui::fromQColor(*gewaehlt);
    Farbsatz vorschau = vorschau_;
    vorschau[i] = ProgrammFarben[i];
    vorschauZeigen(vorschau);
}

void TEinstellungenFormular::BtnFarbdialogResetClick()
{
    if (!ui::messages().question(QStringLiteral(
            "Möchten Sie die Programm-Farben wieder auf die ursprünglichen Farben zurücksetzen")))
        return;
    try {
        FarbenStandardSetzen();
        KopfzeileFarbenAnwenden();
        StammdatenFarbenAnwenden();
    } catch (const std::exception &) {
        ui::messages().error(QStringLiteral("Fehler beim Ändern in Default-Farben"));
    }
}

void TEinstellungenFormular::farbenAufHauptfenster()
{
    try {
        KopfzeileFarbenAnwenden();
        StammdatenFarbenAnwenden();
    } catch (const std::exception &) {
        FarbenStandardSetzen();
        KopfzeileFarbenAnwenden();
        StammdatenFarbenAnwenden();
    }
}

void TEinstellungenFormular::FormClose(ui::CloseAction &)
{
    farbenAufHauptfenster();
    try {
        DataModule1->TTblVar.Close();
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
    }
    HilfstabellenZuruecksetzen();
}

} // namespace fleet
