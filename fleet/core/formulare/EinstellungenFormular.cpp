// The settings form: its pages and controls.
#include "formulare/EinstellungenFormular.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "daten/DataModule1.h"
#include "formulare/seiten/Bausteine.h"
#include "regeln/EinstellungsBefehle.h"
#include "ui/Connect.h"
#include "ui/DBCheckBox.h"
#include "ui/DBEdit.h"
#include "ui/DBGrid.h"
#include "ui/DBRadioGroup.h"
#include "ui/PageControl.h"

namespace fleet {

TEinstellungenFormular *EinstellungenFormular = nullptr;

namespace {

using seiten::label;

dbe::TDataSource &allgemein()
{
    return DataModule1->TDataSrcEinstellungenAllgem;
}

dbe::TDataSource &arbeitsplatz()
{
    return DataModule1->TDataSrcEinstellungenPriv;
}

// A check box over a logical field.
ui::DBCheckBox *kreuz(QWidget *p, const QString &name, const QString &text, dbe::TDataSource &quelle,
                      const QString &feld)
{
    auto *c = new ui::DBCheckBox(text, p);
    c->setObjectName(name);
    c->setValueChecked(QStringLiteral("Wahr"));
    c->setValueUnchecked(QStringLiteral("Falsch"));
    c->setDataBinding(&quelle, feld);
    return c;
}

ui::DBRadioGroup *wahl(QWidget *p, const char *name, const QString &titel, const QStringList &eintraege,
                       const QStringList &werte, const char *feld, int spalten = 1)
{
    auto *r = ui::make<ui::DBRadioGroup>(p, name);
    r->setTitle(titel);
    r->setColumns(spalten);
    r->setItems(eintraege);
    r->setValues(werte);
    r->setDataBinding(&allgemein(), QString::fromLatin1(feld));
    return r;
}

// Rows of label and edit over the general settings record.
class Zeilen {
public:
    explicit Zeilen(QWidget *p, QGridLayout *raster = nullptr, int spalte = 0)
        : p_(p), raster_(raster ? raster : new QGridLayout), spalte_(spalte)
    {
        raster_->setHorizontalSpacing(6);
        raster_->setVerticalSpacing(3);
    }
    ui::DBEdit *zeile(const QString &text, const QString &edit, const QString &feld,
                      dbe::TDataSource &quelle = allgemein())
    {
        ui::DBEdit *e = seiten::edit(p_, edit, quelle, feld);
        QLabel *l = label(
            p_, QStringLiteral("Lbl") + edit.mid(edit.startsWith(QLatin1String("DBEdit")) ? 6 : 0), text);
        l->setBuddy(e);
        raster_->addWidget(l, zeile_, spalte_);
        raster_->addWidget(e, zeile_, spalte_ + 1);
        ++zeile_;
        return e;
    }
    struct Def {
        const char *text, *edit, *feld;
    };
    void alle(std::initializer_list<Def> zeilen)
    {
        for (const Def &d : zeilen)
            zeile(QString::fromUtf8(d.text), QString::fromLatin1(d.edit), QString::fromLatin1(d.feld));
    }
    QGridLayout *raster() const { return raster_; }
    int anzahl() const { return zeile_; }

private:
    QWidget *p_;
    QGridLayout *raster_;
    int spalte_;
    int zeile_ = 0;
};

QGroupBox *kasten(QWidget *p, const QString &titel, QLayout *inhalt)
{
    auto *b = new QGroupBox(titel, p);
    b->setLayout(inhalt);
    return b;
}

// A page whose content may be taller than the form. The content goes in
// empty and is filled there: the area measures what it takes, and a filled
// page is then measured only when the form is first shown.
QScrollArea *rollbar()
{
    auto *rollen = new QScrollArea;
    rollen->setWidgetResizable(true);
    rollen->setFrameShape(QFrame::NoFrame);
    rollen->setWidget(new QWidget);
    return rollen;
}

void inhaltEinsetzen(ui::TabSheet *seite, QWidget *inhalt)
{
    auto *l = new QVBoxLayout(seite);
    l->setContentsMargins(8, 8, 8, 8);
    l->addWidget(inhalt);
}

} // namespace

TEinstellungenFormular::TEinstellungenFormular(QWidget *parent)
    : ui::FormBase(QStringLiteral("EinstellungenFormular"), parent)
{
    vorschau_ = ProgrammFarben;
    aufbauen();
    verbinden();
    EinstellungenFormular = this;
    FormCreate();
}

void TEinstellungenFormular::aufbauen()
{
    setWindowTitle(QStringLiteral("Einstellungen"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setMinimumSize(760, 600);
    auto *haupt = new QVBoxLayout(this);
    PageCtrlEinstellungen = ui::make<ui::PageControl>(this, "PageCtrlEinstellungen");
    const auto seite = [this](const char *name, const char *text, QWidget *inhalt = nullptr) {
        ui::TabSheet *s = PageCtrlEinstellungen->addPage(QString::fromLatin1(name), QString::fromUtf8(text));
        if (inhalt)
            inhaltEinsetzen(s, inhalt);
        return s;
    };
    TabSicherheit = seite("TabSicherheit", "Benutzerrechte", rechteAufbauen());
    TabAllgemeineVorgaben = seite("TabAllgemeineVorgaben", "Allgemeine Vorgaben", allgemeinAufbauen());
    TabTerminVorgaben = seite("TabTerminVorgaben", "Terminvorgaben", termineAufbauen());
    // Filled by SeitenAufbauen(), in this order: the controls join the
    // form's tab order after those of the pages before them.
    TabDesigner = seite("TabDesigner", "Report-Designer");
    TabDatenbank = seite("TabDatenbank", "Datenbank");
    TabFeldnamen = seite("TabFeldnamen", "Feldbezeichnungen1");
    TabFeldnamen2 = seite("TabFeldnamen2", "Feldbezeichnungen2");
    TabFeldnamen3 = seite("TabFeldnamen3", "Feldbezeichnungen3");
    TabFeldnamen4 = seite("TabFeldnamen4", "Feldbezeichnungen4");
    TabFarbDialog = seite("TabFarbDialog", "Farb-Dialog");
    haupt->addWidget(PageCtrlEinstellungen, 1);
}

void TEinstellungenFormular::SeitenAufbauen()
{
    if (seitenAufgebaut_) {
        nachschlagRasterBinden();
        return;
    }
    seitenAufgebaut_ = true;
    inhaltEinsetzen(TabDesigner, designerAufbauen());
    inhaltEinsetzen(TabDatenbank, datenbankAufbauen());
    inhaltEinsetzen(TabFeldnamen, feldnamen1Aufbauen());
    inhaltEinsetzen(TabFeldnamen2, feldnamen2Aufbauen());
    inhaltEinsetzen(TabFeldnamen3, feldnamen3Aufbauen());
    inhaltEinsetzen(TabFeldnamen4, feldnamen4Aufbauen());
    inhaltEinsetzen(TabFarbDialog, farbenAufbauen());
    knoepfeAufbauen();
    seitenVerbinden();
    if (vorschauGefaerbt_)
        vorschauFaerben();
    if (nachschlagTitel_) {
        LblNachschlagetabGruppe->setText(nachschlagTitel_->first);
        LblNachschlagetabKostenstelle->setText(nachschlagTitel_->second);
    }
    nachschlagRasterBinden();
}

void TEinstellungenFormular::nachschlagRasterBinden()
{
    // A grid whose table could not be read stays unbound and is bound at the
    // next opening; the form itself is whole either way.
    while (!nachschlagQuellen_.isEmpty()) {
        const auto [raster, quelle] = nachschlagQuellen_.first();
        raster->setDataSource(quelle);
        nachschlagQuellen_.removeFirst();
    }
}

void TEinstellungenFormular::setVisible(bool visible)
{
    if (visible)
        SeitenAufbauen();
    ui::FormBase::setVisible(visible);
}

void TEinstellungenFormular::knoepfeAufbauen()
{
    TBitBtnSpeichern = ui::make<QPushButton>(this, "TBitBtnSpeichern", QStringLiteral("&Speichern"));
    TBitBtnSpeichern->setToolTip(QStringLiteral("Einstellungen speichern"));
    BitBtnSchliessen = ui::make<QPushButton>(this, "BitBtnSchliessen", QStringLiteral("S&chließen"));
    setButtonResult(BitBtnSchliessen, ui::mrOk);
    setCancelButton(BitBtnSchliessen);
    auto *knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    knoepfe->addWidget(TBitBtnSpeichern);
    knoepfe->addWidget(BitBtnSchliessen);
    static_cast<QVBoxLayout *>(layout())->addLayout(knoepfe);
}

QWidget *TEinstellungenFormular::rechteAufbauen()
{
    auto *inhalt = new QWidget;
    auto *spalte = new QVBoxLayout(inhalt);
    PanRechte = ui::make<QGroupBox>(inhalt, "PanRechte");
    auto *rechte = new QGridLayout(PanRechte);
    LblArbeitsplatzeinstellungen =
        label(PanRechte, QStringLiteral("LblArbeitsplatzeinstellungen"), QString());
    QFont fett = LblArbeitsplatzeinstellungen->font();
    fett.setBold(true);
    LblArbeitsplatzeinstellungen->setFont(fett);
    rechte->addWidget(LblArbeitsplatzeinstellungen, 0, 0, 1, 2);

    DBChkBoxSchreibrechte =
        kreuz(PanRechte, QStringLiteral("DBChkBoxSchreibrechte"),
              QStringLiteral("Arbeitsplatz hat Schreibrechte"), arbeitsplatz(), QStringLiteral("Rights"));
    DBChkBoxSchreibrechte->setValueChecked(QStringLiteral("S"));
    DBChkBoxSchreibrechte->setValueUnchecked(QStringLiteral("L"));
    rechte->addWidget(DBChkBoxSchreibrechte, 1, 0, 1, 2);
    auto *name = new QHBoxLayout;
    ui::DBEdit *platz = seiten::edit(PanRechte, QStringLiteral("DBEditArbeitsplatzName"), arbeitsplatz(),
                                     QStringLiteral("ArbeitsplatzName"));
    name->addWidget(
        label(PanRechte, QStringLiteral("LblArbeitsplatzName"), QStringLiteral("Arbeitsplatz/Name:")));
    name->addWidget(platz, 1);
    rechte->addLayout(name, 2, 0, 1, 2);

    struct Flagge {
        const char *name, *text, *feld;
    };
    static const Flagge flaggen[] = {
        {"DBChkBoxStammdatenZeigen", "Stammdaten zeigen", "StammdatenZeigen"},
        {"DBChkBoxMemoZeigen", "Memo/Dok./Bild zeigen", "MemoZeigen"},
        {"DBChkBoxTourenZeigen", "Touren zeigen", "TourenZeigen"},
        {"DBChkBoxVarKostenZeigen", "Var. Kosten zeigen", "VarKostenZeigen"},
        {"DBChkBoxMonatsauswertungZeigen", "Monatsauswertung zeigen", "MonatsauswertungZeigen"},
        {"DBChkBoxMonatsuebersichtZeigen", "Monatsübersicht zeigen", "MonatsuebersichtZeigen"},
        {"DBChkBoxReifenverwaltungZeigen", "Reifenverwaltung zeigen", "ReifenverwaltungZeigen"},
        {"DBChkBoxHistorieZeigen", "Historie und Schadensmanag. zeigen", "HistorieZeigen"},
        {"DBChkBoxDispositionZeigen", "Disposition zeigen", "DispositionZeigen"},
        {"DBChkBoxTerminverwaltungZeigen", "Terminverwaltung zeigen", "TerminverwaltungZeigen"},
        {"DBChkBoxFahrerStammdatenZeigen", "Fahrer-Stammdaten zeigen", "Fahrer-StammdatenZeigen"},
    };
    int i = 0;
    for (const Flagge &f : flaggen) {
        ui::DBCheckBox *c = kreuz(PanRechte, QString::fromLatin1(f.name), QString::fromUtf8(f.text),
                                  arbeitsplatz(), QString::fromLatin1(f.feld));
        rechte->addWidget(c, 3 + i / 2, i % 2);
        ++i;
    }
    DBChkBoxTerminverwaltungZeigen =
        PanRechte->findChild<ui::DBCheckBox *>(QStringLiteral("DBChkBoxTerminverwaltungZeigen"));
    DBChkBoxNurEigeneDispo = kreuz(PanRechte, QStringLiteral("DBChkBoxNurEigeneDispo"),
                                   QStringLiteral("Fahrzeug-Disposition - nur eigene Dispo. ändern"),
                                   arbeitsplatz(), QStringLiteral("NurEigeneDispoAendern"));
    rechte->addWidget(DBChkBoxNurEigeneDispo, 3 + (i + 1) / 2, 0, 1, 2);
    spalte->addWidget(PanRechte);

    auto *passwort = new QHBoxLayout;
    TBtnPassword = ui::make<QPushButton>(inhalt, "TBtnPassword", QStringLiteral("Än&dern"));
    TBtnPassword->setToolTip(QStringLiteral("Arbeitsplatzeinstellungen freigeben oder schützen"));
    TBtnNeuesPasswort =
        ui::make<QPushButton>(inhalt, "TBtnNeuesPasswort", QStringLiteral("&Neues Paßwort vergeben"));
    passwort->addWidget(TBtnPassword);
    passwort->addWidget(TBtnNeuesPasswort);
    passwort->addStretch(1);
    spalte->addLayout(passwort);
    spalte->addStretch(1);

    PanRechte->setEnabled(false);
    rechteTitel(false);
    return inhalt;
}

QWidget *TEinstellungenFormular::allgemeinAufbauen()
{
    auto *inhalt = new QWidget;
    auto *spalte = new QVBoxLayout(inhalt);
    DBCheckBoxSchreibschutz =
        kreuz(inhalt, QStringLiteral("DBCheckBoxSchreibschutz"), QStringLiteral("Änderungen sofort möglich"),
              arbeitsplatz(), QStringLiteral("Schreibschutz"));
    spalte->addWidget(DBCheckBoxSchreibschutz);
    auto *zeile = new QHBoxLayout;
    zeile->addWidget(wahl(inhalt, "DBRadioGrpKmBerechnung", QStringLiteral("Mon. Km-Berechnung anhand"),
                          {QStringLiteral("Touren"), QStringLiteral("Var. Kosten")},
                          {QStringLiteral("Touren"), QStringLiteral("Kosten")}, "Textfeld1"));
    zeile->addWidget(wahl(inhalt, "DBRadioGrpMonatsuebersicht",
                          QStringLiteral("Monatsübersicht Tabellenfelder"),
                          {QStringLiteral("Standard"), QStringLiteral("Kosten")},
                          {QStringLiteral("Standard"), QStringLiteral("Einzelkosten")}, "Textfeld2"));
    spalte->addLayout(zeile);
    auto *kollision = new QHBoxLayout;
    kollision->addWidget(wahl(inhalt, "DBRadioGrpKollisionspruefung", QStringLiteral("Kollisionsprüfung"),
                              {QStringLiteral("Nur Datum"), QStringLiteral("Datum und Uhrzeit")},
                              {QStringLiteral("D"), QStringLiteral("Z")}, "Textfeld14"));
    kollision->addWidget(wahl(inhalt, "DBRadioGrpKollisionsaktion", QStringLiteral("Aktion bei Kollision"),
                              {QStringLiteral("Nur warnen"), QStringLiteral("Verbieten")},
                              {QStringLiteral("W"), QStringLiteral("V")}, "Textfeld15"));
    spalte->addLayout(kollision);
    DBCheckBoxLeasing = kreuz(inhalt, QStringLiteral("DBCheckBoxLeasing"),
                              QStringLiteral("Leasingfelder (inkl. zug. Freifelder) sichtbar"), allgemein(),
                              QStringLiteral("LeasingfelderSichtbar"));
    spalte->addWidget(DBCheckBoxLeasing);
    QStringList zahlen;
    for (int i = 0; i <= 15; ++i)
        zahlen << QString::number(i);
    spalte->addWidget(wahl(inhalt, "DBRadioGrpFreifelder",
                           QStringLiteral("Wählen Sie die Anzahl sichtbarer Fahrzeug-Freifelder"), zahlen,
                           zahlen, "AnzahlSichtbFreifelder", 8));
    spalte->addStretch(1);
    return inhalt;
}

QWidget *TEinstellungenFormular::termineAufbauen()
{
    auto *inhalt = new QWidget;
    auto *spalte = new QVBoxLayout(inhalt);
    DBCheckBoxTermine = kreuz(inhalt, QStringLiteral("DBCheckBoxTermine"),
                              QStringLiteral("Terminverw. bei jedem Programmstart zeigen"), allgemein(),
                              QStringLiteral("Boolfeld1"));
    DBChkBoxFarblicheInfos = kreuz(inhalt, QStringLiteral("DBChkBoxFarblicheInfos"),
                                   QStringLiteral("Farbige Terminfelder (Infos u. Warnung.)"), arbeitsplatz(),
                                   QStringLiteral("Freifeld1"));
    spalte->addWidget(DBCheckBoxTermine);
    spalte->addWidget(DBChkBoxFarblicheInfos);

    auto *monate = new QGridLayout;
    Zeilen datum(inhalt, monate);
    datum.alle(
        {{"TÜV Intervall/Monate:", "DBEditTUEVTIntervall", "TUEVTIntervall"},
         {"AU Intervall/Monate:", "DBEditASUTIntervall", "ASUTIntervall"},
         {"Inspektion Intervall/Monate:", "DBEditInspektionTDatumIntervall", "InspektionTDatumIntervall"},
         {"Vignette1 Intervall/Monate:", "DBEditVignette1TIntervall", "Vignette1TIntervall"},
         {"Vignette2 Intervall/Monate:", "DBEditVignette2TIntervall", "Vignette2TIntervall"}});
    for (int i : {1, 2, 6, 7, 8, 9, 10, 11, 12})
        datum.zeile(QStringLiteral("Freier Termin%1 Intervall/Monate:").arg(i),
                    QStringLiteral("DBEditFrTermin%1TIntervall").arg(i),
                    QStringLiteral("FrTermin%1TIntervall").arg(i));
    auto *km = new QGridLayout;
    Zeilen kilometer(inhalt, km);
    kilometer.alle(
        {{"Kl. Inspektion Intervall/Km:", "DBEditKlInspektionTIntervall", "KlInspektionTIntervall"},
         {"Gr. Inspektion Intervall/Km:", "DBEditGrInspektionTIntervall", "GrInspektionTIntervall"}});
    for (int i : {3, 4, 5, 13, 14})
        kilometer.zeile(QStringLiteral("Freier Termin%1 Intervall/Km:").arg(i),
                        QStringLiteral("DBEditFrTermin%1TIntervall").arg(i),
                        QStringLiteral("FrTermin%1TIntervall").arg(i));
    km->setRowStretch(kilometer.anzahl(), 1);
    auto *warn = new QGridLayout;
    Zeilen warnung(inhalt, warn);
    warnung.alle({{"Termin-Vorwarnzeit/Tage:", "DBEditNumfeld1", "Numfeld1"},
                  {"Termin-Vorwarnzeit/Km:", "DBEditNumfeld2", "Numfeld2"},
                  {"Termin-Warnzeit/Tage:", "DBEditNumfeld4", "Numfeld4"},
                  {"Termin-Warnzeit/Km:", "DBEditNumfeld5", "Numfeld5"}});
    warn->setRowStretch(warnung.anzahl(), 1);
    auto *rechts = new QVBoxLayout;
    rechts->addWidget(kasten(inhalt, QStringLiteral("Intervalle (Km)"), km));
    rechts->addWidget(kasten(inhalt, QStringLiteral("Warnzeiten"), warn));
    auto *zeile = new QHBoxLayout;
    zeile->addWidget(kasten(inhalt, QStringLiteral("Intervalle (Datum)"), monate));
    zeile->addLayout(rechts);
    spalte->addLayout(zeile);
    spalte->addStretch(1);
    return inhalt;
}

QWidget *TEinstellungenFormular::designerAufbauen()
{
    auto *inhalt = new QWidget;
    auto *spalte = new QVBoxLayout(inhalt);
    spalte->addWidget(
        label(inhalt, QStringLiteral("LblDesigner"),
              QStringLiteral("Wählen Sie den Report, den Sie im Designer bearbeiten möchten:")));
    auto *zeile = new QHBoxLayout;
    ComboBoxDesigner = ui::make<QComboBox>(inhalt, "ComboBoxDesigner");
    ComboBoxDesigner->setEditable(false);
    ComboBoxDesigner->setToolTip(QStringLiteral("Im Designer zu bearbeitender Report"));
    QStringList eintraege = einstellungen::DesignerEintraege();
    std::sort(eintraege.begin(), eintraege.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    ComboBoxDesigner->addItems(eintraege);
    ComboBoxDesigner->setMinimumWidth(260);
    SpeedBtnDesignerMonatsuebersicht =
        ui::make<QPushButton>(inhalt, "SpeedBtnDesignerMonatsuebersicht", QStringLiteral("Designer"));
    zeile->addWidget(ComboBoxDesigner);
    zeile->addWidget(SpeedBtnDesignerMonatsuebersicht);
    zeile->addStretch(1);
    spalte->addLayout(zeile);
    spalte->addStretch(1);
    return inhalt;
}

QWidget *TEinstellungenFormular::datenbankAufbauen()
{
    TDataModule1 &dm = *DataModule1;
    auto *inhalt = new QWidget;
    auto *raster = new QGridLayout(inhalt);
    const auto nachschlag = [&](int zeile, int spalte, const char *lbl, const QString &titel,
                                const char *grid, dbe::TDataSource &quelle, const char *knopf, QLabel *&l,
                                ui::DBGrid *&g, QPushButton *&b) {
        l = label(inhalt, QString::fromLatin1(lbl), titel);
        // Bound to its table once every control of the late pages exists
        // (nachschlagRasterBinden): reading the table may fail.
        g = ui::make<ui::DBGrid>(inhalt, grid);
        nachschlagQuellen_.append({g, &quelle});
        g->setReadOnly(true);
        g->setRowSelect(true);
        b = ui::make<QPushButton>(inhalt, knopf, QStringLiteral("&Löschen"));
        auto *box = new QVBoxLayout;
        box->addWidget(l);
        box->addWidget(g, 1);
        box->addWidget(b, 0, Qt::AlignRight);
        raster->addLayout(box, zeile, spalte);
    };
    QLabel *leasing = nullptr, *reifen = nullptr;
    nachschlag(0, 0, "LblNachschlagetabGruppe", QString(), "DBGridGruppe", dm.DataSrcGruppe,
               "BitBtnGruppeLoeschen", LblNachschlagetabGruppe, DBGridGruppe, BitBtnGruppeLoeschen);
    nachschlag(0, 1, "LblNachschlagetabKostenstelle", QString(), "DBGridKostenstelle", dm.TDataSrcStandort,
               "BitBtnKostenstelleLoeschen", LblNachschlagetabKostenstelle, DBGridKostenstelle,
               BitBtnKostenstelleLoeschen);
    nachschlag(1, 0, "LblNachschlagetabLeasing",
               QStringLiteral("Nachschlagetabelle \"Leasinggesellschaften\""), "DBGridLeasing",
               dm.DataSrcLeasinggesellschaft, "BitBtnLeasinggesellschaftLoeschen", leasing, DBGridLeasing,
               BitBtnLeasinggesellschaftLoeschen);
    nachschlag(1, 1, "LblNachschlagetabReifentyp", QStringLiteral("Nachschlagetabelle \"Reifentypen\""),
               "DBGridReifentyp", dm.DataSrcReifentyp, "BitBtnReifentypLoeschen", reifen, DBGridReifentyp,
               BitBtnReifentypLoeschen);
    BtnTabAnsichtReset =
        ui::make<QPushButton>(inhalt, "BtnTabAnsichtReset", QStringLiteral("Tab. Ansichten Reset"));
    BtnTabAnsichtReset->setToolTip(
        QStringLiteral("Geänderte Spaltenreihenfolgen der tabellarischen Ansichten zurücksetzen"));
    raster->addWidget(BtnTabAnsichtReset, 2, 0, 1, 2, Qt::AlignLeft);
    return inhalt;
}

QWidget *TEinstellungenFormular::feldnamen1Aufbauen()
{
    QScrollArea *seite = rollbar();
    QWidget *inhalt = seite->widget();
    auto *fix = new QGridLayout;
    Zeilen kosten(inhalt, fix);
    const char *const fixkosten[][2] = {{"DBEditHaftpflicht", "NameKostenHaftpflicht"},
                                        {"DBEditKasko", "NameKostenKasko"},
                                        {"DBEditSteuer", "NameKostenSteuer"},
                                        {"DBEditKostenSonstige", "NameKostenSonstige"},
                                        {"DBEditAFA", "NameKostenAFA"},
                                        {"DBEditZinsen", "NameKostenZinsen"},
                                        {"DBEditLeasing", "NameKostenLeasing"},
                                        {"DBEditGewKapSt", "NameKostenGewKapSt"}};
    int i = 1;
    for (const auto &k : fixkosten)
        kosten.zeile(QStringLiteral("Kosten%1:").arg(i++), QString::fromLatin1(k[0]),
                     QString::fromLatin1(k[1]));
    fix->setRowStretch(kosten.anzahl(), 1);
    auto *var = new QGridLayout;
    Zeilen sonstige(inhalt, var);
    sonstige.zeile(QStringLiteral("Sonstige:"), QStringLiteral("DBEditSonstige1"),
                   QStringLiteral("NameSonstigeKosten"));
    for (int s = 2; s <= 4; ++s)
        sonstige.zeile(QStringLiteral("Sonstige%1:").arg(s), QStringLiteral("DBEditSonstige%1").arg(s),
                       QStringLiteral("NameSonstige%1Kosten").arg(s));
    var->setRowStretch(sonstige.anzahl(), 1);

    auto *bem = new QGridLayout;
    struct Gruppe {
        const char *titel, *kurz;
        QString feld[3];
    };
    const Gruppe gruppen[] = {
        {"Var. Kosten",
         "VarKosten",
         {"NameVarKostenBemerkung1", "NameVarKostenBemerkung2", "NameVarKostenBemerkung3"}},
        {"Touren", "Touren", {"NameTourenBemerkung1", "NameTourenBemerkung2", "NameTourenBemerkung3"}},
        {"Historie",
         "Historie",
         {"NameHistorieBemerkung1", "NameHistorieBemerkung2", "NameHistorieBemerkung3"}},
        {"Disposition", "Dispo", {"NameDispoBemerkung1", "NameDispoBemerkung2", "NameDispoBemerkung3"}},
        {"Schadensmanag.", "Schaden", {"Textfeld16", "Textfeld17", "Textfeld18"}},
    };
    Zeilen bemerkungen(inhalt, bem);
    for (const Gruppe &g : gruppen)
        for (int b = 0; b < 3; ++b)
            bemerkungen.zeile(
                QStringLiteral("%1 Bemerkung%2:").arg(QString::fromUtf8(g.titel)).arg(b + 1),
                QStringLiteral("DBEdit%1Bemerkung%2").arg(QString::fromLatin1(g.kurz)).arg(b + 1), g.feld[b]);
    auto *links = new QVBoxLayout;
    links->addWidget(kasten(inhalt, QStringLiteral("Fixkosten"), fix));
    links->addWidget(kasten(inhalt, QStringLiteral("Variable Kosten"), var));
    auto *zeile = new QHBoxLayout(inhalt);
    zeile->addLayout(links);
    zeile->addWidget(kasten(inhalt, QStringLiteral("Bemerkungsfelder"), bem), 1);
    return seite;
}

QWidget *TEinstellungenFormular::feldnamen2Aufbauen()
{
    QScrollArea *seite = rollbar();
    QWidget *inhalt = seite->widget();
    auto *raster = new QGridLayout(inhalt);
    raster->setVerticalSpacing(2);
    raster->addWidget(label(inhalt, QStringLiteral("LblSpalteSichtbar"), QStringLiteral("sichtbar")), 0, 2);
    raster->addWidget(label(inhalt, QStringLiteral("LblSpalteMarkiert"), QStringLiteral("markiert")), 0, 3);
    struct Feld {
        const char *text, *edit, *feld, *sichtbar, *markiert;
        bool immer; // always shown, caption not editable
    };
    static const Feld felder[] = {
        {"Kennzeichen:", "DBEditKfzNr", "NameKfzNr", "Kennzeichen", "Kennzeichen", true},
        {"Info:", "DBEditInfo", "NameInfo", "Info", "Info", true},
        {"Gruppe:", "DBEditGruppe", "NameGruppe", "Gruppe", "Gruppe", false},
        {"Kostenstelle:", "DBEditKostenstelle", "NameKostenstelle", "KstStelle", "Kststelle", false},
        {"PkwNummer:", "DBEditPkwNummer", "NamePkwNummer", "PkwNummer", "PkwNummer", false},
        {"HerstellerKz:", "DBEditHerstellerKz", "NameHerstellerKz", "HerstellerKz", "HerstellerKz", false},
        {"Marke:", "DBEditMarke", "NameMarke", "Marke", "Marke", false},
        {"Baujahr:", "DBEditBaujahr", "NameBaujahr", "Baujahr", "Baujahr", false},
        {"Hubraum:", "DBEditHubraum", "NameHubraum", "Hubraum", "Hubraum", false},
        {"KW/PS:", "DBEditKWPS", "NameKWPS", "KW", "KW", false},
        {"Aufbau:", "DBEditAufbau", "NameAufbau", "Aufbau", "Aufbau", false},
        {"Farbe:", "DBEditFarbe", "NameFarbe", "Farbe", "Farbe", false},
        {"Kauf-/Leasingdatum:", "DBEditKaufLeasingdatum", "NameKaufLeasingdatum", "Kaufdatum", "Kaufdatum",
         false},
        {"VersPolNr.:", "DBEditVersPolNr", "NameVersPolNr", "VersPolNr", "VersPolNr", false},
        {"Zulassung:", "DBEditZulassung", "NameZulassung", "Zulassung", "Zulassung", false},
        {"Fahrgestellnr.:", "DBEditFahrgestellnr", "NameFahrgestellnr", "Fahrgestellnr", "Fahrgestellnr",
         false},
        {"Anschaffungswert:", "DBEditAnschaffwert", "NameAnschaffwert", "Anschaffwert", "Anschaffwert",
         false},
        {"Zinssatz:", "DBEditZinssatz", "NameZinssatz", "Zinssatz", "Zinssatz", false},
        {"Fahrer:", "DBEditFahrer", "NameFahrer", "Fahrername", "FahrerName", false},
        {"FahrerNr.:", "DBEditFahrerNr", "NameFahrerNr", "FahrerNr", "FahrerNr", false},
        {"FahrerKz.:", "DBEditFahrerKz", "NameFahrerKz", "FahrerKz", "FahrerKz", false},
        {"BesitzerKz.:", "DBEditBesitzerKz", "NameBesitzerKz", "BesitzerKz", "BesitzerKz", false},
        {"Km.Stand:", "DBEditKmStand", "NameKmStand", "KmStand", "KmStand", true},
    };
    int zeile = 1;
    for (const Feld &f : felder) {
        const QString edit = QString::fromLatin1(f.edit);
        ui::DBEdit *e = seiten::edit(inhalt, edit, allgemein(), QString::fromLatin1(f.feld));
        e->setDataReadOnly(f.immer);
        QLabel *l = label(inhalt, QStringLiteral("Lbl") + edit.mid(6), QString::fromUtf8(f.text));
        l->setBuddy(e);
        const QString sichtbar = QString::fromLatin1(f.sichtbar) + QStringLiteral("Sichtbar");
        const QString markiert = QString::fromLatin1(f.markiert) + QStringLiteral("Markiert");
        ui::DBCheckBox *s =
            kreuz(inhalt, QStringLiteral("DBChkBox") + sichtbar, QString(), allgemein(), sichtbar);
        // Registration number, info, group, location and odometer are always shown.
        s->setEnabled(!f.immer && qstrcmp(f.sichtbar, "Gruppe") != 0 &&
                      qstrcmp(f.sichtbar, "KstStelle") != 0);
        ui::DBCheckBox *m =
            kreuz(inhalt, QStringLiteral("DBChkBox") + markiert, QString(), allgemein(), markiert);
        raster->addWidget(l, zeile, 0);
        raster->addWidget(e, zeile, 1);
        raster->addWidget(s, zeile, 2, Qt::AlignHCenter);
        raster->addWidget(m, zeile, 3, Qt::AlignHCenter);
        ++zeile;
    }
    ui::DBEdit *schadstoff = seiten::edit(inhalt, QStringLiteral("DBEditSchadstoff"), allgemein(),
                                          QStringLiteral("NameSchadstoff"));
    raster->addWidget(label(inhalt, QStringLiteral("LblSchadstoff"), QStringLiteral("Schadstoff:")), zeile,
                      0);
    raster->addWidget(schadstoff, zeile, 1);
    raster->setColumnStretch(1, 1);
    raster->setRowStretch(zeile + 1, 1);
    return seite;
}

QWidget *TEinstellungenFormular::feldnamen3Aufbauen()
{
    QScrollArea *seite = rollbar();
    QWidget *inhalt = seite->widget();
    auto *termine = new QGridLayout;
    Zeilen t(inhalt, termine);
    t.alle({{"Inspektion:", "DBEditInspTermin", "NameInspTermin"},
            {"Kl. Inspektion:", "DBEditKlInspTermin", "NameKlInspTermin"},
            {"Gr. Inspektion:", "DBEditGrInspTermin", "NameGrInspTermin"},
            {"Vignette1:", "DBEditVignette1Termin", "NameVignette1Termin"},
            {"Vignette2:", "DBEditVignette2Termin", "NameVignette2Termin"}});
    for (int i = 1; i <= 14; ++i)
        t.zeile(QStringLiteral("Freier Termin%1:").arg(i), QStringLiteral("DBEditFreitermin%1").arg(i),
                QStringLiteral("NameFreitermin%1").arg(i));
    termine->setRowStretch(t.anzahl(), 1);

    auto *fahrer = new QGridLayout;
    Zeilen f(inhalt, fahrer);
    for (int i = 1; i <= 8; ++i)
        f.zeile(QStringLiteral("Fahrer-Freifeld%1:").arg(i), QStringLiteral("DBEditFreifeld%1").arg(i),
                QStringLiteral("Textfeld%1").arg(i + 5));
    fahrer->setRowStretch(f.anzahl(), 1);
    auto *notiz = new QGridLayout;
    Zeilen n(inhalt, notiz);
    for (int i = 1; i <= 4; ++i)
        n.zeile(QStringLiteral("Notiz-Freifeld%1:").arg(i), QStringLiteral("DBEditTInfoFreifeld%1").arg(i),
                QStringLiteral("NameTInfoFreifeld%1").arg(i));
    notiz->setRowStretch(n.anzahl(), 1);

    auto *rechts = new QVBoxLayout;
    rechts->addWidget(kasten(inhalt, QStringLiteral("Fahrer-Stammdaten"), fahrer));
    rechts->addWidget(kasten(inhalt, QStringLiteral("Termin-Notizen"), notiz));
    rechts->addStretch(1);
    auto *zeile = new QHBoxLayout(inhalt);
    zeile->addWidget(kasten(inhalt, QStringLiteral("Termine"), termine), 1);
    zeile->addLayout(rechts, 1);
    return seite;
}

QWidget *TEinstellungenFormular::feldnamen4Aufbauen()
{
    QScrollArea *seite = rollbar();
    QWidget *inhalt = seite->widget();
    auto *raster = new QGridLayout;
    Zeilen links(inhalt, raster, 0);
    Zeilen rechts(inhalt, raster, 2);
    for (int i = 1; i <= 20; ++i) {
        const QString feld =
            i == 10 ? QStringLiteral("NameFreifeld100") : QStringLiteral("NameFreifeld%1").arg(i);
        const QString text =
            i >= 16 ? QStringLiteral("Freifeld%1 (Leasing):").arg(i) : QStringLiteral("Freifeld%1:").arg(i);
        (i <= 10 ? links : rechts).zeile(text, QStringLiteral("DBEditNameFreifeld%1").arg(i), feld);
    }
    raster->setColumnStretch(1, 1);
    raster->setColumnStretch(3, 1);
    raster->setRowStretch(10, 1);
    auto *spalte = new QVBoxLayout(inhalt);
    spalte->addWidget(kasten(inhalt, QStringLiteral("Fahrzeug-Freifelder"), raster));
    return seite;
}

QWidget *TEinstellungenFormular::farbenAufbauen()
{
    dbe::TDataSource &main = DataModule1->TDataSrcMain;
    auto *inhalt = new QWidget;
    auto *spalte = new QVBoxLayout(inhalt);
    const auto knopf = [&](QWidget *p, const char *name, const char *text, Farbe farbe) {
        auto *b = ui::make<QPushButton>(p, name, QString::fromUtf8(text));
        ui::on(b, &QPushButton::clicked, this, [this, farbe] { FarbeWaehlen(farbe); });
        return b;
    };
    const auto vorschauEdit = [&](QWidget *p, const char *name) {
        ui::DBEdit *e = seiten::edit(p, QString::fromLatin1(name), main, QStringLiteral("KfzNr"));
        e->setDataReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setMaximumWidth(140);
        return e;
    };

    auto *kopf = new QVBoxLayout;
    PanFarbdialogKopfzeile = ui::make<QFrame>(inhalt, "PanFarbdialogKopfzeile");
    PanFarbdialogKopfzeile->setFrameShape(QFrame::StyledPanel);
    PanFarbdialogKopfzeile->setMinimumHeight(44);
    auto *kz = new QHBoxLayout(PanFarbdialogKopfzeile);
    kz->addWidget(label(PanFarbdialogKopfzeile, QStringLiteral("LblFarbdialogKopfzeile"),
                        QStringLiteral("Kennzeichen:")));
    DBEditFarbdialogKopfzeileKfznr = vorschauEdit(PanFarbdialogKopfzeile, "DBEditFarbdialogKopfzeileKfznr");
    kz->addWidget(DBEditFarbdialogKopfzeileKfznr);
    kz->addStretch(1);
    kopf->addWidget(PanFarbdialogKopfzeile);
    auto *kopfKnoepfe = new QHBoxLayout;
    kopfKnoepfe->addWidget(
        knopf(inhalt, "BtnInfozeileTextFeldFarbe", "Schrift/Feld", Farbe::KopfzeileFeldSchrift));
    kopfKnoepfe->addWidget(
        knopf(inhalt, "BtnInfozeileHintergrundFeldFarbe", "Hintergrund/Feld", Farbe::KopfzeileFeldHinterg));
    kopfKnoepfe->addWidget(knopf(inhalt, "BtnInfozeileLeisteFarbe", "Infozeile", Farbe::KopfzeilePanel));
    kopfKnoepfe->addStretch(1);
    kopf->addLayout(kopfKnoepfe);
    spalte->addWidget(kasten(inhalt, QStringLiteral("Infozeile"), kopf));

    auto *stamm = new QVBoxLayout;
    PanFarbdialogFahrzeugStammdaten = ui::make<QFrame>(inhalt, "PanFarbdialogFahrzeugStammdaten");
    PanFarbdialogFahrzeugStammdaten->setFrameShape(QFrame::StyledPanel);
    auto *sz = new QGridLayout(PanFarbdialogFahrzeugStammdaten);
    EditFarbdialogKfzNr = vorschauEdit(PanFarbdialogFahrzeugStammdaten, "EditFarbdialogKfzNr");
    EditFarbdialogFeldMarkiert = vorschauEdit(PanFarbdialogFahrzeugStammdaten, "EditFarbdialogFeldMarkiert");
    sz->addWidget(
        label(PanFarbdialogFahrzeugStammdaten, QStringLiteral("LblFarbdialogFeld"), QStringLiteral("Feld:")),
        0, 0);
    sz->addWidget(EditFarbdialogKfzNr, 0, 1);
    sz->addWidget(label(PanFarbdialogFahrzeugStammdaten, QStringLiteral("LblFarbdialogMarkiert"),
                        QStringLiteral("Markiertes Feld:")),
                  1, 0);
    sz->addWidget(EditFarbdialogFeldMarkiert, 1, 1);
    sz->setColumnStretch(2, 1);
    stamm->addWidget(PanFarbdialogFahrzeugStammdaten);
    auto *stammKnoepfe = new QHBoxLayout;
    stammKnoepfe->addWidget(
        knopf(inhalt, "BtnFahrzeugStammdatenHintergrundFarbe", "Formular", Farbe::StammdatenFormular));
    stammKnoepfe->addWidget(
        knopf(inhalt, "BtnFahrzeugStammdatenSchriftFeldFarbe", "Schrift/Feld", Farbe::StammdatenSchrift));
    stammKnoepfe->addWidget(knopf(inhalt, "BtnFahrzeugStammdatenHintergrundFeldFarbe", "Hintergrund/Feld",
                                  Farbe::StammdatenFeld));
    stammKnoepfe->addWidget(knopf(inhalt, "BtnFahrzeugStammdatenHintergrundFeldMarkiert", "Markiert/Feld",
                                  Farbe::StammdatenMarkiert));
    stammKnoepfe->addStretch(1);
    stamm->addLayout(stammKnoepfe);
    spalte->addWidget(kasten(inhalt, QStringLiteral("Fahrzeug-Stammdaten"), stamm));

    BtnFarbdialogReset = ui::make<QPushButton>(inhalt, "BtnFarbdialogReset", QStringLiteral("Farben Reset"));
    BtnFarbdialogReset->setToolTip(
        QStringLiteral("Programm-Farben auf die ursprünglichen Farben zurücksetzen"));
    spalte->addWidget(BtnFarbdialogReset, 0, Qt::AlignLeft);
    spalte->addStretch(1);
    return inhalt;
}

void TEinstellungenFormular::klick(QPushButton *knopf, void (TEinstellungenFormular::*handler)())
{
    ui::on(knopf, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
}

void TEinstellungenFormular::verbinden()
{
    ui::on(this, &ui::FormBase::formClose, this, &TEinstellungenFormular::FormClose);
    ui::on(PageCtrlEinstellungen, &ui::PageControl::onChange, this,
           &TEinstellungenFormular::PageCtrlEinstellungenChange);
    klick(TBtnPassword, &TEinstellungenFormular::TBtnPasswordClick);
    klick(TBtnNeuesPasswort, &TEinstellungenFormular::TBtnNeuesPasswortClick);
    // The consistency rules answer the user's clicks, not a record being shown.
    ui::on(DBChkBoxTerminverwaltungZeigen, &QCheckBox::clicked, this,
           [this] { DBChkBoxTerminverwaltungZeigenClick(); });
    ui::on(DBCheckBoxTermine, &QCheckBox::clicked, this, [this] { DBCheckBoxTermineClick(); });
    ui::on(DBChkBoxFarblicheInfos, &QCheckBox::clicked, this, [this] { DBCheckBoxTermineClick(); });
}

void TEinstellungenFormular::seitenVerbinden()
{
    klick(TBitBtnSpeichern, &TEinstellungenFormular::TBitBtnSpeichernClick);
    klick(SpeedBtnDesignerMonatsuebersicht, &TEinstellungenFormular::SpeedBtnDesignerMonatsuebersichtClick);
    klick(BitBtnGruppeLoeschen, &TEinstellungenFormular::BitBtnGruppeLoeschenClick);
    klick(BitBtnKostenstelleLoeschen, &TEinstellungenFormular::BitBtnKostenstelleLoeschenClick);
    klick(BitBtnLeasinggesellschaftLoeschen, &TEinstellungenFormular::BitBtnLeasinggesellschaftLoeschenClick);
    klick(BitBtnReifentypLoeschen, &TEinstellungenFormular::BitBtnReifentypLoeschenClick);
    klick(BtnTabAnsichtReset, &TEinstellungenFormular::BtnTabAnsichtResetClick);
    klick(BtnFarbdialogReset, &TEinstellungenFormular::BtnFarbdialogResetClick);
}

} // namespace fleet
