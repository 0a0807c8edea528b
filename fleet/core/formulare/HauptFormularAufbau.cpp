// The components and layout of the main window.
#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>

#include "base/GermanFormat.h"
#include "daten/DataModule1.h"
#include "formulare/HauptFormular.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/DBEdit.h"
#include "ui/DBGrid.h"
#include "ui/DBLookupComboBox.h"
#include "ui/DBMemo.h"
#include "ui/DBRadioGroup.h"
#include "ui/DatePicker.h"
#include "ui/PageControl.h"
#include "ui/RadioGroup.h"

namespace fleet {

namespace {

QLabel *label(QWidget *parent, const QString &name, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

ui::DBEdit *edit(QWidget *parent, const QString &name, dbe::TDataSource &quelle, const QString &feld)
{
    auto *e = new ui::DBEdit(parent);
    e->setObjectName(name);
    e->setDataSource(&quelle);
    e->setDataField(feld);
    return e;
}

ui::DBLookupComboBox *nachschlag(QWidget *parent, const char *name, dbe::TDataSource &quelle,
                                 const char *feld, dbe::TDataSource &liste, const char *listenFeld)
{
    auto *c = ui::make<ui::DBLookupComboBox>(parent, name);
    c->setEditable(true);
    // The list first: setting it empties the shown text.
    c->setListSource(&liste);
    c->setKeyField(QString::fromLatin1(listenFeld));
    c->setListField(QString::fromLatin1(listenFeld));
    c->setDataSource(&quelle);
    c->setDataField(QString::fromLatin1(feld));
    return c;
}

// A titled box whose rows are label, field and (optionally) a unit label.
class Formularblock {
public:
    Formularblock(QWidget *parent, const QString &titel)
        : box_(new QGroupBox(titel, parent)), raster_(new QGridLayout(box_))
    {
        raster_->setContentsMargins(6, 4, 6, 4);
        raster_->setHorizontalSpacing(6);
        raster_->setVerticalSpacing(2);
        raster_->setColumnStretch(1, 1);
    }
    QGroupBox *box() const { return box_; }
    void zeile(QLabel *l, QWidget *feld, QLabel *einheit = nullptr)
    {
        raster_->addWidget(l, zeile_, 0);
        raster_->addWidget(feld, zeile_, 1);
        if (einheit)
            raster_->addWidget(einheit, zeile_, 2);
        l->setBuddy(feld);
        ++zeile_;
    }
    void ende() { raster_->setRowStretch(zeile_, 1); }

private:
    QGroupBox *box_;
    QGridLayout *raster_;
    int zeile_ = 0;
};

QStringList jahre()
{
    QStringList j;
    for (int i = 1990; i <= 2030; ++i)
        j << QString::number(i);
    return j;
}

QStringList monate()
{
    QStringList m;
    for (int i = 1; i <= 12; ++i)
        m << base::de::monthName(i);
    return m;
}

ui::ComboBox *liste(QWidget *parent, const char *name, const QStringList &eintraege)
{
    auto *c = ui::make<ui::ComboBox>(parent, name);
    c->addItems(eintraege);
    c->setMaxVisibleItems(12);
    return c;
}

ui::DBGrid *raster(QWidget *parent, const char *name, dbe::TDataSource &quelle)
{
    auto *g = ui::make<ui::DBGrid>(parent, name);
    g->setDataSource(&quelle);
    return g;
}

ui::RadioGroup *auswahl(QWidget *parent, const char *name, const QString &titel, const QStringList &eintraege,
                        int spalten)
{
    auto *r = ui::make<ui::RadioGroup>(parent, name);
    r->setTitle(titel);
    r->setItems(eintraege);
    r->setColumns(spalten);
    return r;
}

QVBoxLayout *seitenLayout(QWidget *seite)
{
    auto *l = new QVBoxLayout(seite);
    l->setContentsMargins(4, 4, 4, 4);
    l->setSpacing(4);
    return l;
}

} // namespace

void THauptFormular::aufbauen()
{
    setWindowTitle(QStringLiteral("KARVEN Fuhrpark"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setMinimumSize(900, 740);
    auto *haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(4, 0, 4, 4);
    haupt->setSpacing(4);

    MainMenu = ui::make<QMenuBar>(this, "MainMenu");
    haupt->setMenuBar(MainMenu);
    QMenu *datei = MainMenu->addMenu(QStringLiteral("&Datei"));
    Mandanten1 = ui::make<QAction>(this, "Mandanten1", QStringLiteral("M&andanten"));
    Mandanten1->setEnabled(false);
    Copyright1 = ui::make<QAction>(this, "Copyright1", QStringLiteral("C&opyright"));
    Beenden1 = ui::make<QAction>(this, "Beenden1", QStringLiteral("B&eenden"));
    datei->addAction(Mandanten1);
    datei->addAction(Copyright1);
    datei->addSeparator();
    datei->addAction(Beenden1);
    QMenu *hilfe = MainMenu->addMenu(QStringLiteral("&Hilfe"));
    ErsteSchritte1 = ui::make<QAction>(this, "ErsteSchritte1", QStringLiteral("Erste Schritte"));
    hilfe->addAction(ErsteSchritte1);

    haupt->addWidget(kopfzeileAufbauen());

    PageCtrlMain = ui::make<ui::PageControl>(this, "PageCtrlMain");
    TabStammDaten = PageCtrlMain->addPage(QStringLiteral("TabStammDaten"), QStringLiteral("Stammdaten"));
    TabMemo = PageCtrlMain->addPage(QStringLiteral("TabMemo"), QStringLiteral("Memo/Dok./Bild"));
    TabTouren = PageCtrlMain->addPage(QStringLiteral("TabTouren"), QStringLiteral("Touren"));
    TabKosten = PageCtrlMain->addPage(QStringLiteral("TabKosten"), QStringLiteral(" Var. Kosten"));
    TabMonatsAuswertung =
        PageCtrlMain->addPage(QStringLiteral("TabMonatsAuswertung"), QStringLiteral("Monatsauswertg."));
    TabMonatsuebersicht =
        PageCtrlMain->addPage(QStringLiteral("TabMonatsuebersicht"), QStringLiteral("Monatsübersicht"));
    TabReifen = PageCtrlMain->addPage(QStringLiteral("TabReifen"), QStringLiteral("Reifen"));
    TabHistorie = PageCtrlMain->addPage(QStringLiteral("TabHistorie"), QStringLiteral("Historie"));
    TabSchadensmanagement =
        PageCtrlMain->addPage(QStringLiteral("TabSchadensmanagement"), QStringLiteral("Schadensmanag."));
    TabDispo = PageCtrlMain->addPage(QStringLiteral("TabDispo"), QStringLiteral("Disposition"));
    haupt->addWidget(PageCtrlMain, 1);

    stammdatenAufbauen();
    memoAufbauen();
    detailSeitenAufbauen();
    auswertungAufbauen();
    dispoAufbauen();

    // Status line: record position, messages, filter, edit switch, memo, end.
    auto *status = new QHBoxLayout;
    status->setSpacing(4);
    const auto feld = [this](const char *name, int breite) {
        auto *l = ui::make<QLabel>(this, name);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(breite);
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    TPanelStatus = feld("TPanelStatus", 90);
    TPanelMessage = feld("TPanelMessage", 200);
    TPanelMessage->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    TPanelFilter = feld("TPanelFilter", 120);
    TPanelFilter->setToolTip(QStringLiteral("Filter ein/aus"));
    TPanelFilter->setStyleSheet(QStringLiteral("color: red;"));
    TPaGlobalEdit = feld("TPaGlobalEdit", 70);
    TPanMemoLED = feld("TPanMemoLED", 16);
    TPanMemoLED->setMaximumWidth(16);
    TBitBtnEnde = ui::make<QPushButton>(this, "TBitBtnEnde", QStringLiteral("&Ende"));
    status->addWidget(TPanelStatus);
    status->addWidget(TPanelMessage, 1);
    status->addWidget(TPanelFilter);
    status->addWidget(TPaGlobalEdit);
    status->addWidget(TPanMemoLED);
    status->addWidget(TBitBtnEnde);
    haupt->addLayout(status);
}

QWidget *THauptFormular::kopfzeileAufbauen()
{
    dbe::TDataSource &main = DataModule1->TDataSrcMain;
    auto *oben = new QWidget(this);
    auto *zeilen = new QVBoxLayout(oben);
    zeilen->setContentsMargins(0, 0, 0, 0);
    zeilen->setSpacing(2);

    // The navigator bar's place, above the header line.
    PanNavigator = ui::make<QWidget>(oben, "PanNavigator");
    auto *navi = new QHBoxLayout(PanNavigator);
    navi->setContentsMargins(0, 0, 0, 0);
    auto *naviZeile = new QHBoxLayout;
    naviZeile->addWidget(PanNavigator);
    naviZeile->addStretch(1);
    zeilen->addLayout(naviZeile);

    PanKopfzeile = ui::make<QFrame>(oben, "PanKopfzeile");
    static_cast<QFrame *>(PanKopfzeile)->setFrameShape(QFrame::StyledPanel);
    PanKopfzeile->setAutoFillBackground(true);
    auto *zeile = new QHBoxLayout(PanKopfzeile);
    zeile->setContentsMargins(6, 3, 6, 3);
    const auto kopf = [&](const char *name, const char *feld, int breite) {
        ui::DBEdit *e = edit(PanKopfzeile, QString::fromLatin1(name), main, QString::fromLatin1(feld));
        e->setDataReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setMinimumWidth(breite);
        return e;
    };
    const auto beschriftung = [&](const char *name, const QString &text) {
        QLabel *l = label(PanKopfzeile, QString::fromLatin1(name), text);
        l->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
        return l;
    };
    DBEditKopfzeileKfznr = kopf("DBEditKopfzeileKfznr", "KfzNr", 70);
    DBEditKopfzeileInfo = kopf("DBEditKopfzeileInfo", "Info", 80);
    DBEditKopfzeileGruppe = kopf("DBEditKopfzeileGruppe", "Gruppe", 60);
    DBEditKopfzeileStandort = kopf("DBEditKopfzeileStandort", "Kostenstelle", 60);
    DBEditKopfzeileKm = kopf("DBEditKopfzeileKm", "KfzKmStand", 55);
    LblKopfzeileGruppe = beschriftung("LblKopfzeileGruppe", QStringLiteral("Gruppe:"));
    LblKopfzeileKostenstelle =
        beschriftung("LblKopfzeileKostenstelle", QStringLiteral("Kostenstelle/Standort:"));
    zeile->addWidget(beschriftung("LblKopfzeileKfznr", QStringLiteral("Kennzeichen:")));
    zeile->addWidget(DBEditKopfzeileKfznr, 2);
    zeile->addWidget(beschriftung("LblKopfzeileInfo", QStringLiteral("Info:")));
    zeile->addWidget(DBEditKopfzeileInfo, 3);
    zeile->addWidget(LblKopfzeileGruppe);
    zeile->addWidget(DBEditKopfzeileGruppe, 2);
    zeile->addWidget(LblKopfzeileKostenstelle);
    zeile->addWidget(DBEditKopfzeileStandort, 2);
    zeile->addWidget(beschriftung("LblKopfzeileKm", QStringLiteral("Km.Stand:")));
    zeile->addWidget(DBEditKopfzeileKm, 1);
    zeilen->addWidget(PanKopfzeile);
    return oben;
}

void THauptFormular::stammdatenAufbauen()
{
    dbe::TDataSource &m = DataModule1->TDataSrcMain;
    auto *rollen = new QScrollArea(TabStammDaten);
    rollen->setObjectName(QStringLiteral("ScrollBoxStammdaten"));
    rollen->setWidgetResizable(true);
    rollen->setFrameShape(QFrame::NoFrame);
    auto *inhalt = new QWidget;
    rollen->setWidget(inhalt);
    seitenLayout(TabStammDaten)->addWidget(rollen);
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
    zeile(fahrzeug, "LblFahrgestellnummer", QStringLiteral("Fahrgestellnummer"), "EditFahrgestellnummer",
          "Freifeld51");
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

    // The 21 appointments with their unit.
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

    Formularblock leasing(inhalt, QStringLiteral("Leasing"));
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
        label(inhalt, QStringLiteral("LblVorausLsEndKm"), QStringLiteral("Km.Stand Ls.-Ende (ca.)")),
        LblVorausLsEndKmStand);
    for (int i = 16; i <= 20; ++i)
        zeile(leasing, QStringLiteral("LblFreifeld%1").arg(i).toLatin1().constData(), QString(),
              QStringLiteral("EditFreifeld%1").arg(i).toLatin1().constData(),
              QStringLiteral("Freifeld%1").arg(i).toLatin1().constData());
    leasing.ende();
    mitte->addWidget(leasing.box());
    RadioGrpDrucken = auswahl(inhalt, "RadioGrpDrucken", QStringLiteral("Welchen Report drucken"),
                              {QStringLiteral("Dieses Fahrzeug"), QStringLiteral("Alle Fahrzeuge")}, 2);
    mitte->addWidget(RadioGrpDrucken);
    mitte->addStretch(1);

    Formularblock frei(inhalt, QStringLiteral("Freifelder"));
    for (int i = 1; i <= 15; ++i)
        zeile(frei, QStringLiteral("LblFreifeld%1").arg(i).toLatin1().constData(), QString(),
              QStringLiteral("EditFreifeld%1").arg(i).toLatin1().constData(),
              QStringLiteral("Freifeld%1").arg(i).toLatin1().constData());
    frei.ende();

    spalten->addWidget(fahrzeug.box(), 5);
    spalten->addWidget(termine.box(), 4);
    spalten->addLayout(mitte, 4);
    spalten->addWidget(frei.box(), 4);
}

void THauptFormular::memoAufbauen()
{
    PageCtrlMemoBild = ui::make<ui::PageControl>(TabMemo, "PageCtrlMemoBild");
    seitenLayout(TabMemo)->addWidget(PageCtrlMemoBild);
    TabMemoMemo = PageCtrlMemoBild->addPage(QStringLiteral("TabMemoMemo"), QStringLiteral("Fahrzeug-Memo"));
    TabMemoBild =
        PageCtrlMemoBild->addPage(QStringLiteral("TabMemoBild"), QStringLiteral("Dok.-/Bildverwaltung"));
    EditDBMemo = ui::make<ui::DBMemo>(TabMemoMemo, "EditDBMemo");
    EditDBMemo->setDataSource(&DataModule1->TDataSrcMain);
    EditDBMemo->setDataField(QStringLiteral("Memo"));
    seitenLayout(TabMemoMemo)->addWidget(EditDBMemo);

    auto *teiler = new QSplitter(Qt::Horizontal, TabMemoBild);
    DBGridBildinformationen = raster(teiler, "DBGridBildinformationen", DataModule1->DataSrcBild);
    auto *bild = new QWidget(teiler);
    auto *bildLayout = seitenLayout(bild);
    auto *rollen = new QScrollArea(bild);
    rollen->setObjectName(QStringLiteral("ScrollBoxBild"));
    rollen->setAlignment(Qt::AlignCenter);
    ImgBild = ui::make<QLabel>(rollen, "ImgBild");
    ImgBild->setAlignment(Qt::AlignCenter);
    rollen->setWidget(ImgBild);
    rollen->setWidgetResizable(true);
    PanBild = ui::make<QLabel>(bild, "PanBild");
    PanBild->setFrameShape(QFrame::Panel);
    PanBild->setAlignment(Qt::AlignCenter);
    bildLayout->addWidget(rollen, 1);
    bildLayout->addWidget(PanBild);
    teiler->setStretchFactor(0, 1);
    teiler->setStretchFactor(1, 1);
    seitenLayout(TabMemoBild)->addWidget(teiler);
}

void THauptFormular::detailSeitenAufbauen()
{
    TDBGridTouren = raster(TabTouren, "TDBGridTouren", DataModule1->DataSrcTouren);
    seitenLayout(TabTouren)->addWidget(TDBGridTouren);

    auto *kosten = seitenLayout(TabKosten);
    auto *kopf = new QHBoxLayout;
    RadioGrpKostenSicht =
        auswahl(TabKosten, "RadioGrpKostenSicht", QStringLiteral("Sichtb. Zeitraum"),
                {QStringLiteral("Alle"), QStringLiteral("Monat"), QStringLiteral("Jahr")}, 3);
    CmbBoxKostenMonat = liste(TabKosten, "CmbBoxKostenMonat", monate());
    CmbBoxKostenJahr = liste(TabKosten, "CmbBoxKostenJahr", jahre());
    CmbBoxKostenMonat->setEnabled(false);
    CmbBoxKostenJahr->setEnabled(false);
    kopf->addWidget(RadioGrpKostenSicht);
    kopf->addWidget(CmbBoxKostenMonat);
    kopf->addWidget(CmbBoxKostenJahr);
    kopf->addStretch(1);
    kosten->addLayout(kopf);
    TDBGridVarKosten = raster(TabKosten, "TDBGridVarKosten", DataModule1->TDataSrcVarKosten);
    kosten->addWidget(TDBGridVarKosten, 1);

    auto *uebersicht = seitenLayout(TabMonatsuebersicht);
    auto *uKopf = new QHBoxLayout;
    RadioGrpSicht = auswahl(TabMonatsuebersicht, "RadioGrpSicht", QStringLiteral("Sichtb. Zeitraum"),
                            {QStringLiteral("Alle"), QStringLiteral("Jahr")}, 2);
    ComboBoxJahr = liste(TabMonatsuebersicht, "ComboBoxJahr", jahre());
    ComboBoxJahr->setEnabled(false);
    CheckBoxGrafik = ui::make<ui::CheckBox>(TabMonatsuebersicht, "CheckBoxGrafik", QStringLiteral("Grafik"));
    uKopf->addWidget(RadioGrpSicht);
    uKopf->addWidget(ComboBoxJahr);
    uKopf->addWidget(CheckBoxGrafik);
    uKopf->addWidget(label(TabMonatsuebersicht, QStringLiteral("LblMonatsuebersichtSchadstoff"),
                           QStringLiteral("Schadstoff/Gef.Km.(g)")));
    uKopf->addStretch(1);
    uebersicht->addLayout(uKopf);
    DBGridMonatsuebersicht =
        raster(TabMonatsuebersicht, "DBGridMonatsuebersicht", DataModule1->TDataSrcMonatKosten);
    DBGridMonatsuebersicht->setReadOnly(true);
    DBGridMonatsuebersicht->setRowSelect(true);
    uebersicht->addWidget(DBGridMonatsuebersicht, 1);

    // Tyres: the mounted season and one inner page per season.
    auto *reifen = seitenLayout(TabReifen);
    DBRadioGrpReifen = ui::make<ui::DBRadioGroup>(TabReifen, "DBRadioGrpReifen");
    DBRadioGrpReifen->setTitle(QStringLiteral("Zur Zeit montiert.."));
    DBRadioGrpReifen->setItems({QStringLiteral("Sommer-Reifen"), QStringLiteral("Winter-Reifen")});
    DBRadioGrpReifen->setColumns(2);
    DBRadioGrpReifen->setValues({QStringLiteral("S"), QStringLiteral("W")});
    DBRadioGrpReifen->setDataSource(&DataModule1->TDataSrcReifen);
    DBRadioGrpReifen->setDataField(QStringLiteral("ZurZeitMontiert"));
    auto *rKopf = new QHBoxLayout;
    rKopf->addWidget(DBRadioGrpReifen);
    rKopf->addStretch(1);
    reifen->addLayout(rKopf);
    PageCtrlReifen = ui::make<ui::PageControl>(TabReifen, "PageCtrlReifen");
    TabSheetSommerReifen =
        PageCtrlReifen->addPage(QStringLiteral("TabSheetSommerReifen"), QStringLiteral("Sommer-Reifen"));
    TabSheetWinterReifen =
        PageCtrlReifen->addPage(QStringLiteral("TabSheetWinterReifen"), QStringLiteral("Winter-Reifen"));
    reifenAufbauen(TabSheetSommerReifen, QStringLiteral("So"));
    reifenAufbauen(TabSheetWinterReifen, QStringLiteral("Wi"));
    reifen->addWidget(PageCtrlReifen, 1);

    DBGridHistorie = raster(TabHistorie, "DBGridHistorie", DataModule1->DataSrcHistorie);
    seitenLayout(TabHistorie)->addWidget(DBGridHistorie);

    auto *schaden = seitenLayout(TabSchadensmanagement);
    ChkBoxSchadenFilter = ui::make<ui::CheckBox>(TabSchadensmanagement, "ChkBoxSchadenFilter",
                                                 QStringLiteral("Filter auf Bearbeitungsnr."));
    schaden->addWidget(ChkBoxSchadenFilter);
    DBGridSchadensmanagement =
        raster(TabSchadensmanagement, "DBGridSchadensmanagement", DataModule1->DataSrcSchadensmanagement);
    schaden->addWidget(DBGridSchadensmanagement, 1);
}

void THauptFormular::reifenAufbauen(ui::TabSheet *seite, const QString &saison)
{
    dbe::TDataSource &r = DataModule1->TDataSrcReifen;
    auto *gitter = new QGridLayout(seite);
    gitter->setContentsMargins(6, 6, 6, 6);
    gitter->setVerticalSpacing(3);
    const QStringList koepfe{QStringLiteral("Achse"),
                             QStringLiteral("Reifentyp"),
                             QStringLiteral("Profil (mm)"),
                             QStringLiteral("Bemerkung"),
                             QStringLiteral("Mont. Km.:"),
                             QStringLiteral("Mont.-Datum:"),
                             QStringLiteral("Laufleistung Km. (ca.):")};
    for (int s = 0; s < koepfe.size(); ++s)
        gitter->addWidget(new QLabel(koepfe[s], seite), 0, s);
    for (int n = 1; n <= 7; ++n) {
        const QString achse = QStringLiteral("Achse%1").arg(n);
        gitter->addWidget(new QLabel(QString::number(n), seite), n, 0);
        int spalte = 1;
        for (const char *teil :
             {"Reifentyp", "ReifenProfilMM", "ReifenBemerkung", "ReifenKm", "ReifenLinksDatum"}) {
            const QString feld = achse + QString::fromLatin1(teil) + saison;
            gitter->addWidget(edit(seite, QStringLiteral("Edit") + feld, r, feld), n, spalte++);
        }
        auto *gelaufen = label(seite, QStringLiteral("Lbl%1ReifenGelaufen%2").arg(achse, saison), QString());
        gelaufen->setFrameShape(QFrame::StyledPanel);
        gitter->addWidget(gelaufen, n, spalte);
    }
    const bool sommer = saison == QLatin1String("So");
    gitter->addWidget(new QLabel(QStringLiteral("Reifengröße:"), seite), 8, 0, 1, 2);
    gitter->addWidget(edit(seite, QStringLiteral("EditReifengroesse") + saison, r,
                           sommer ? QStringLiteral("Reifengroesse") : QStringLiteral("Reserve1")),
                      8, 2);
    gitter->addWidget(new QLabel(QStringLiteral("Reifenpreis:"), seite), 9, 0, 1, 2);
    gitter->addWidget(edit(seite, QStringLiteral("EditReifenpreis") + saison, r,
                           sommer ? QStringLiteral("Reifenpreis") : QStringLiteral("Reserve2")),
                      9, 2);
    gitter->setColumnStretch(3, 2);
    gitter->setRowStretch(10, 1);
}

void THauptFormular::auswertungAufbauen()
{
    auto *seite = seitenLayout(TabMonatsAuswertung);
    auto *kopf = new QHBoxLayout;
    CmbBoxMonatsauswertungMonat = liste(TabMonatsAuswertung, "CmbBoxMonatsauswertungMonat", monate());
    CmbBoxMonatsauswertungJahr = liste(TabMonatsAuswertung, "CmbBoxMonatsauswertungJahr", jahre());
    TBtnMonatsauswertungBerechnen = ui::make<QPushButton>(
        TabMonatsAuswertung, "TBtnMonatsauswertungBerechnen", QStringLiteral("&Berechnen"));
    kopf->addWidget(
        label(TabMonatsAuswertung, QStringLiteral("LblAuswertungsMonat"), QStringLiteral("Monat:")));
    kopf->addWidget(CmbBoxMonatsauswertungMonat);
    kopf->addWidget(
        label(TabMonatsAuswertung, QStringLiteral("LblAuswertungsJahr"), QStringLiteral("Jahr:")));
    kopf->addWidget(CmbBoxMonatsauswertungJahr);
    kopf->addWidget(TBtnMonatsauswertungBerechnen);
    kopf->addStretch(1);
    seite->addLayout(kopf);

    // The captions of the cost kinds; the values come with the evaluation.
    auto *kostenarten = new QHBoxLayout;
    Formularblock variabel(TabMonatsAuswertung, QStringLiteral("Var. Kosten"));
    const QString sonstige[] = {QString(), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")};
    for (const QString &s : sonstige) {
        auto *wert = label(TabMonatsAuswertung, QStringLiteral("TLblSonstige%1KostenUeberschrift").arg(s),
                           QStringLiteral("Sonstige") + s);
        variabel.zeile(label(TabMonatsAuswertung, QStringLiteral("TLblSonstige") + s,
                             QStringLiteral("Sonstige%1:").arg(s)),
                       wert);
    }
    variabel.ende();
    Formularblock fix(TabMonatsAuswertung, QStringLiteral("Fixkosten/Monat"));
    for (const char *n :
         {"Kasko", "Haftpflicht", "Steuer", "Sonstige", "AFA", "Zinsen", "Leasing", "GewKapSt"}) {
        const QString name = QString::fromLatin1(n);
        fix.zeile(label(TabMonatsAuswertung, QStringLiteral("LblMU") + name, name + QLatin1Char(':')),
                  label(TabMonatsAuswertung, QStringLiteral("LblMUWert") + name, QString()));
    }
    fix.ende();
    kostenarten->addWidget(variabel.box());
    kostenarten->addWidget(fix.box());
    kostenarten->addStretch(1);
    seite->addLayout(kostenarten);
    LblWarnmeldung2 = label(TabMonatsAuswertung, QStringLiteral("LblWarnmeldung2"), QString());
    LblWarnmeldung2->setWordWrap(true);
    LblWarnmeldung2->setStyleSheet(QStringLiteral("color: red; font-style: italic;"));
    LblWarnmeldung2->hide();
    seite->addWidget(LblWarnmeldung2);
    seite->addStretch(1);
}

void THauptFormular::dispoAufbauen()
{
    auto *seite = seitenLayout(TabDispo);
    auto *sicht = new QHBoxLayout;
    RadioGrpDispositionSicht =
        auswahl(TabDispo, "RadioGrpDispositionSicht", QStringLiteral("Sichtbarer Zeitraum/Dispositionen"),
                {QStringLiteral("Alle"), QStringLiteral("Zeitraum"), QStringLiteral("Monat"),
                 QStringLiteral("Tag"), QStringLiteral("Heute"), QStringLiteral("Ab heute")},
                6);
    CmbBoxDispositionMonat = liste(TabDispo, "CmbBoxDispositionMonat", monate());
    CmbBoxDispositionJahr = liste(TabDispo, "CmbBoxDispositionJahr", jahre());
    DateTimePckDisposition = ui::make<ui::DatePicker>(TabDispo, "DateTimePckDisposition");
    DateTimePckDisposition->setToolTip(
        QStringLiteral("Wählen Sie den ersten Tag des anzuzeigenden  Zeitraums"));
    DateTimePckDispositionBis = ui::make<ui::DatePicker>(TabDispo, "DateTimePckDispositionBis");
    DateTimePckDispositionBis->setToolTip(
        QStringLiteral("Wählen Sie den letzten Tag des anzuzeigenden Zeitraumes"));
    for (QWidget *w :
         {static_cast<QWidget *>(CmbBoxDispositionMonat), static_cast<QWidget *>(CmbBoxDispositionJahr),
          static_cast<QWidget *>(DateTimePckDisposition), static_cast<QWidget *>(DateTimePckDispositionBis)})
        w->setEnabled(false);
    sicht->addWidget(RadioGrpDispositionSicht, 1);
    sicht->addWidget(CmbBoxDispositionMonat);
    sicht->addWidget(CmbBoxDispositionJahr);
    sicht->addWidget(DateTimePckDisposition);
    sicht->addWidget(DateTimePckDispositionBis);
    seite->addLayout(sicht);

    auto *fahrzeuge = new QHBoxLayout;
    RadioGrpDispoFahrzeuge =
        auswahl(TabDispo, "RadioGrpDispoFahrzeuge", QStringLiteral("Welche(s) Fahrzeug(e) anzeigen"),
                {QStringLiteral("Aktuelles"), QStringLiteral("Alle"), QStringLiteral("Filter")}, 3);
    LblSichtFilter = label(TabDispo, QStringLiteral("LblSichtFilter"),
                           QStringLiteral("Sichtbarer Zeitraum: eingeschränkt"));
    LblDispositionWelcheFahrzeuge = label(TabDispo, QStringLiteral("LblDispositionWelcheFahrzeuge"),
                                          QStringLiteral("Fahrzeug-Disposition: Alle Fahrzeuge"));
    LblAuslastung = label(TabDispo, QStringLiteral("LblAuslastung"), QStringLiteral("Auslastung ca.: n.v."));
    LblAuslastung->setToolTip(
        QStringLiteral("Zeigt die ungefähre zeitliche Auslastung des Fahrzeugs bezogen auf den Zeitraum"));
    auto *texte = new QVBoxLayout;
    texte->addWidget(LblSichtFilter);
    texte->addWidget(LblDispositionWelcheFahrzeuge);
    texte->addWidget(LblAuslastung);
    fahrzeuge->addWidget(RadioGrpDispoFahrzeuge);
    fahrzeuge->addLayout(texte, 1);
    seite->addLayout(fahrzeuge);
    DBGridDispo = raster(TabDispo, "DBGridDispo", DataModule1->DataSrcDispo);
    seite->addWidget(DBGridDispo, 1);
}

} // namespace fleet
