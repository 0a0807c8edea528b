#include "formulare/seiten/StammdatenSeite.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "daten/DataModule1.h"
#include "daten/Einstellungswerte.h"
#include "formulare/HauptFormular.h"
#include "formulare/seiten/Bausteine.h"
#include "formulare/seiten/DruckKnoepfe.h"
#include "regeln/TerminFortschreibung.h"
#include "ui/Connect.h"
#include "ui/DBEdit.h"
#include "ui/DBLookupComboBox.h"
#include "ui/FormBase.h"
#include "ui/PopupMenu.h"
#include "ui/RadioGroup.h"

namespace fleet {

using namespace seiten;

namespace {

const QString kKfzNrHinweis =
    QStringLiteral("Das Kennzeichen kann nur bei einem neuen Fahrzeug eingegeben werden");

} // namespace

void StammdatenSeite::aufbauen()
{
    dbe::TDataSource &m = DataModule1->TDataSrcMain;
    auto *rollen = new QScrollArea(this);
    rollen->setObjectName(QStringLiteral("ScrollBoxStammdaten"));
    rollen->setWidgetResizable(true);
    rollen->setFrameShape(QFrame::NoFrame);
    auto *inhalt = new QWidget;
    rollen->setWidget(inhalt);
    seitenLayout(this)->addWidget(rollen);
    auto *spalten = new QHBoxLayout(inhalt);
    spalten->setContentsMargins(0, 0, 0, 0);
    spalten->setSpacing(6);

    const auto zeile = [&](Formularblock &b, const char *lbl, const QString &text, const char *name,
                           const char *feld) {
        b.zeile(label(inhalt, QString::fromLatin1(lbl), text),
                edit(inhalt, QString::fromLatin1(name), m, QString::fromLatin1(feld)));
    };

    // Vehicle and driver.
    Formularblock fahrzeug(inhalt, QStringLiteral("Fahrzeug"));
    EditKfzNr = edit(inhalt, QStringLiteral("EditKfzNr"), m, QStringLiteral("KfzNr"));
    fahrzeug.zeile(label(inhalt, QStringLiteral("LblKfzNr"), QStringLiteral("Kfz.-Nr./Kennzeichen")),
                   EditKfzNr);
    zeile(fahrzeug, "LblInfo", QStringLiteral("Info"), "EditInfo", "Info");
    DBLkpCmbBoxGruppe =
        nachschlag(inhalt, "DBLkpCmbBoxGruppe", m, "Gruppe", DataModule1->DataSrcGruppe, "Gruppe");
    fahrzeug.zeile(label(inhalt, QStringLiteral("LblGruppe"), QStringLiteral("Gruppe")), DBLkpCmbBoxGruppe);
    DBLkpCmbBoxStandort = nachschlag(inhalt, "DBLkpCmbBoxStandort", m, "Kostenstelle",
                                     DataModule1->TDataSrcStandort, "Standort");
    fahrzeug.zeile(label(inhalt, QStringLiteral("LblStandort"), QStringLiteral("Kostenstelle/Standort")),
                   DBLkpCmbBoxStandort);
    zeile(fahrzeug, "LblPkwNummer", QStringLiteral("PkwNummer"), "EditPkwNummer", "PkwNummer");
    zeile(fahrzeug, "LblMarke", QStringLiteral("Marke"), "EditKfzMarke", "KfzMarke");
    zeile(fahrzeug, "LblHerstellerKz", QStringLiteral("HerstellerKz"), "EditKfzHerstellerKz",
          "KfzHerstellerKz");
    zeile(fahrzeug, "LblBaujahr", QStringLiteral("Baujahr"), "EditKfzBaujahr", "KfzBaujahr");
    zeile(fahrzeug, "LblHubraum", QStringLiteral("Hubraum"), "EditKfzHubraum", "KfzHubraum");
    zeile(fahrzeug, "LblKWPS", QStringLiteral("KW/PS"), "EditKfzKWPS", "KfzKW/PS");
    zeile(fahrzeug, "LblAufbau", QStringLiteral("Aufbau"), "EditKfzAufbau", "KfzAufbau");
    zeile(fahrzeug, "LblFarbe", QStringLiteral("Farbe"), "EditKfzFarbe", "KfzFarbe");
    zeile(fahrzeug, "LblZulassung", QStringLiteral("Zulassung"), "EditKfzZulassung", "KfzZulassung");
    zeile(fahrzeug, "LblKaufdatum", QStringLiteral("Kaufdatum"), "EditKaufdatum", "FreifeldDatum3");
    // The chassis number is stored in Freifeld5; the user's free field 5 in Freifeld51.
    zeile(fahrzeug, "LblFahrgestellnummer", QStringLiteral("Fahrgestellnummer"), "EditFahrgestellnummer",
          "Freifeld5");
    zeile(fahrzeug, "LblVersPolNr", QStringLiteral("VersPolNr."), "EditVersPolNr", "VersPolNr");
    zeile(fahrzeug, "LblAnschaffungswert", QStringLiteral("Anschaff.wert"), "EditAnschaffungswert",
          "Anschaffungswert");
    zeile(fahrzeug, "LblZinssatz", QStringLiteral("Zinssatz"), "EditZinssatz", "Zinssatz");
    zeile(fahrzeug, "LblKfzKmStand", QStringLiteral("Km.Stand"), "EditKfzKmStand", "KfzKmStand");
    zeile(fahrzeug, "LblSchadstoff", QStringLiteral("Schadstoff/Km.(g)"), "EditSchadstoff", "Schadstoff");
    DBLkpCmbBoxFahrer =
        nachschlag(inhalt, "DBLkpCmbBoxFahrer", m, "FahrerName", DataModule1->DataSrcFahrer, "Name");
    fahrzeug.zeile(label(inhalt, QStringLiteral("LblFahrerName"), QStringLiteral("FahrerName")),
                   DBLkpCmbBoxFahrer);
    zeile(fahrzeug, "LblFahrerNr", QStringLiteral("FahrerNr."), "EditFahrerNr", "FahrerNr");
    zeile(fahrzeug, "LblFahrerKz", QStringLiteral("FahrerKz."), "EditFahrerKz", "FahrerKz");
    zeile(fahrzeug, "LblBesitzerKz", QStringLiteral("BesitzerKz."), "EditBesitzerKz", "BesitzerKz");
    fahrzeug.ende();

    // The 21 appointments with their unit, each with the roll-forward popup.
    TPopupMenuTermin = ui::make<ui::PopupMenu>(this, "TPopupMenuTermin");
    NchstenTermin1 = TPopupMenuTermin->addItem("NchstenTermin1", QStringLiteral("Termin fortschreiben"));
    TPopupMenuTermin->addItem("Abbrechen2", QStringLiteral("Abbrechen"));
    ui::on(NchstenTermin1, &QAction::triggered, this, [this] { NchstenTermin1Click(); });
    Formularblock termine(inhalt, QStringLiteral("Termine"));
    struct Termin {
        const char *name, *text, *feld;
        bool km;
    };
    const Termin kTermine[] = {
        {"TUEVTermin", "TÜV", "KfzTUEVTermin", false},
        {"ASUTermin", "AU", "KfzASUTermin", false},
        {"InspektionTermin", "Inspektion", "KfzInspektTermin", false},
        {"KlInspektionTermin", "Kl. Inspektion", "KfzKlInspektionTermin", true},
        {"GrInspektionTermin", "Gr. Inspektion", "KfzGrInspektionTermin", true},
        {"Vignette1Termin", "Vignette1", "KfzVignetteTermin1", false},
        {"Vignette2Termin", "Vignette2", "KfzVignetteTermin2", false},
    };
    const auto termin = [&](const QString &lbl, const QString &editName, const QString &text,
                            const QString &feld, bool km) {
        ui::DBEdit *e = edit(inhalt, editName, m, feld);
        e->setMinimumWidth(80);
        TPopupMenuTermin->attachTo(e);
        termine.zeile(label(inhalt, QStringLiteral("Lbl") + lbl, text), e,
                      label(inhalt, QStringLiteral("Lbl2") + lbl,
                            km ? QStringLiteral("(Km)") : QStringLiteral("(Datum)")));
    };
    for (const Termin &t : kTermine) {
        const QString name = QString::fromLatin1(t.name);
        const QString editName = name.startsWith(QLatin1String("Vignette"))
                                     ? QStringLiteral("EditVignetteTermin") + name.mid(8, 1)
                                     : QStringLiteral("Edit") + name;
        termin(name, editName, QString::fromUtf8(t.text), QString::fromLatin1(t.feld), t.km);
    }
    for (int i = 1; i <= 14; ++i) {
        const bool km = i == 3 || i == 4 || i == 5 || i == 13 || i == 14;
        const QString feld =
            i <= 3 ? QStringLiteral("KfzFreierTermin%1").arg(i) : QStringLiteral("FreierTermin%1").arg(i);
        termin(QStringLiteral("FreierTermin%1").arg(i), QStringLiteral("EditFreierTermin%1").arg(i),
               QStringLiteral("Freier Termin%1").arg(i), feld, km);
    }
    termine.ende();

    // Fixed costs per year and the leasing data.
    auto *mitte = new QVBoxLayout;
    Formularblock kosten(inhalt, QStringLiteral("Fixkosten/Jahr"));
    zeile(kosten, "LblHaftpflicht", QStringLiteral("Haftplicht"), "EditHaftpflNettoBetrag",
          "HaftpflNettoBetrag");
    zeile(kosten, "LblKasko", QStringLiteral("Kasko"), "EditKaskoNettoBetrag", "KaskoNettoBetrag");
    zeile(kosten, "LblSteuer", QStringLiteral("Steuer"), "EditSteuer", "Steuer");
    zeile(kosten, "LblSonstige", QStringLiteral("Sonstige"), "EditKfzSonstiges", "KfzSonstiges");
    zeile(kosten, "LblAFA", QStringLiteral("AFA"), "EditAFA", "AFA");
    zeile(kosten, "LblZinsen", QStringLiteral("Zinsen"), "EditZinsen", "Zinsen");
    zeile(kosten, "LblLeasing", QStringLiteral("Leasing"), "EditVermoegenssteuer", "Vermoegenssteuer");
    zeile(kosten, "LblGewKapSt", QStringLiteral("Gew.Kap.St."), "EditGewKapSteuer", "GewKapSteuer");
    zeile(kosten, "LblFahrerkosten", QStringLiteral("Fahrer"), "EditFahrerkosten", "Restbuchwert");
    zeile(kosten, "LblVorgabeKst", QStringLiteral("Kostenpausch./Km."), "EditVorgabeKst", "FreifeldWae1");
    kosten.ende();
    mitte->addWidget(kosten.box());

    // The leasing box (BevLeasing) under its own title, so that both can be hidden.
    auto *ueberschrift = label(inhalt, QStringLiteral("LblUeberschriftLeasing"), QStringLiteral("Leasing"));
    QFont fett = ueberschrift->font();
    fett.setBold(true);
    ueberschrift->setFont(fett);
    Formularblock leasing(inhalt, QString());
    leasing.box()->setObjectName(QStringLiteral("BevLeasing"));
    DBLkCmbBoxNameLeasinggesellschaft =
        nachschlag(inhalt, "DBLkCmbBoxNameLeasinggesellschaft", m, "NameLeasingges",
                   DataModule1->DataSrcLeasinggesellschaft, "Name1");
    leasing.zeile(label(inhalt, QStringLiteral("LblNameLeasinggesellschaft"),
                        QStringLiteral("Name/Leasinggesellschaft")),
                  DBLkCmbBoxNameLeasinggesellschaft);
    zeile(leasing, "LblLeasingAnfangsDatum", QStringLiteral("LeasingBeginn"), "EditLeasingAnfangsDatum",
          "FreifeldDatum1");
    zeile(leasing, "LblLeasingDauer", QStringLiteral("Ls.Dauer/Mon."), "EditLeasingDauer", "FreifeldNum1");
    zeile(leasing, "LblLeasingEndDatum", QStringLiteral("LeasingEnde"), "EditLeasingEndDatum",
          "FreifeldDatum2");
    LblVorausLsEndKmStand = label(inhalt, QStringLiteral("LblVorausLsEndKmStand"), QStringLiteral("n.v."));
    LblVorausLsEndKmStand->setFrameShape(QFrame::StyledPanel);
    leasing.zeile(
        label(inhalt, QStringLiteral("LblVorausEndKmStand"), QStringLiteral("Km.Stand Ls.-Ende (ca.)")),
        LblVorausLsEndKmStand);
    for (int i = 16; i <= 20; ++i)
        zeile(leasing, QStringLiteral("LblFreifeld%1").arg(i).toLatin1().constData(), QString(),
              QStringLiteral("EditFreifeld%1").arg(i).toLatin1().constData(),
              QStringLiteral("Freifeld%1").arg(i).toLatin1().constData());
    leasing.ende();
    mitte->addWidget(ueberschrift);
    mitte->addWidget(leasing.box());
    RadioGrpDrucken = auswahl(inhalt, "RadioGrpDrucken", QStringLiteral("Welchen Report drucken"),
                              {QStringLiteral("Dieses Fahrzeug"), QStringLiteral("Alle Fahrzeuge")}, 2);
    mitte->addWidget(RadioGrpDrucken);
    const DruckKnoepfe druck = druckKnoepfe(inhalt, "TBitBtnStammdatenDrucken", "TBitBtnStammdatenPreview",
                                            [this](int modus) { StammdatenDrucken(modus); });
    TBitBtnStammdatenDrucken = druck.drucken;
    TBitBtnStammdatenPreview = druck.vorschau;
    auto *druckZeile = new QHBoxLayout;
    druckZeile->addWidget(TBitBtnStammdatenDrucken);
    druckZeile->addWidget(TBitBtnStammdatenPreview);
    druckZeile->addStretch(1);
    mitte->addLayout(druckZeile);
    mitte->addStretch(1);

    Formularblock frei(inhalt, QStringLiteral("Freifelder"));
    for (int i = 1; i <= 15; ++i)
        zeile(frei, QStringLiteral("LblFreifeld%1").arg(i).toLatin1().constData(), QString(),
              QStringLiteral("EditFreifeld%1").arg(i).toLatin1().constData(),
              (i == 5 ? QStringLiteral("Freifeld51") : QStringLiteral("Freifeld%1").arg(i))
                  .toLatin1()
                  .constData());
    frei.ende();
    frei.box()->setObjectName(QStringLiteral("Bevel8"));

    spalten->addWidget(fahrzeug.box(), 5);
    spalten->addWidget(termine.box(), 4);
    spalten->addLayout(mitte, 4);
    spalten->addWidget(frei.box(), 4);
}

void StammdatenSeite::anfangen()
{
    RadioGrpDrucken->setItemIndex(0);
}

// Master data prints whatever is there: this vehicle's card or the list of all.
void StammdatenSeite::StammdatenDrucken(int modus)
{
    ReportAnfordern(modus, RadioGrpDrucken->itemIndex() == 0 ? 4 : 7);
}

void StammdatenSeite::KfzNrEingabeFreigeben(bool freigeben)
{
    EditKfzNr->setDataReadOnly(!freigeben);
    EditKfzNr->setToolTip(freigeben ? QString() : kKfzNrHinweis);
}

QString StammdatenSeite::NachschlagText(Nachschlagfeld feld) const
{
    switch (feld) {
    case Nachschlagfeld::Gruppe:
        return DBLkpCmbBoxGruppe->currentText();
    case Nachschlagfeld::Standort:
        return DBLkpCmbBoxStandort->currentText();
    case Nachschlagfeld::Leasinggesellschaft:
        return DBLkCmbBoxNameLeasinggesellschaft->currentText();
    case Nachschlagfeld::Fahrer:
        return DBLkpCmbBoxFahrer->currentText();
    }
    return {};
}

void StammdatenSeite::NchstenTermin1Click()
{
    TerminFortschreibungUmfeld umfeld;
    umfeld.nurLesen = NurLesen || LeseModus;
    umfeld.meldungZeigen = TerminMeldungZeigen;
    umfeld.beschriftung = [this](const QString &name) {
        const auto *l = findChild<QLabel *>(name);
        return l ? l->text() : QString();
    };
    const QWidget *komponente = TPopupMenuTermin->popupComponent();
    TerminFortschreibenAusfuehren(komponente ? komponente->objectName() : QString(), umfeld);
}

void StammdatenSeite::TerminFortschreiben(const QString &edit)
{
    TPopupMenuTermin->setPopupComponent(findChild<QWidget *>(edit));
    NchstenTermin1->trigger();
}

void StammdatenSeite::LeasingPrognoseAnzeigen(const QString &text)
{
    LblVorausLsEndKmStand->setText(text);
}

} // namespace fleet
