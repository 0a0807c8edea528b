#include "formulare/FahrerStammdatenFormular.h"

#include <memory>

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

#include "base/Abort.h"
#include "base/DateTime.h"
#include "daten/DataModule1.h"
#include "daten/Einstellungswerte.h"
#include "dienste/Dienstvertraege.h"
#include "dienste/Formularzugriff.h"
#include "dienste/Protokoll.h"
#include "dienste/ReportDienste.h"
#include "formulare/HauptFormular.h"
#include "formulare/seiten/Bausteine.h"
#include "navigation/erweiterung/DBVexarion.h"
#include "navigation/leiste/DBVNavigator.h"
#include "regeln/FahrerTourenFilter.h"
#include "regeln/StartEinstellungen.h"
#include "ui/CheckBox.h"
#include "ui/Clock.h"
#include "ui/ComboBox.h"
#include "ui/Connect.h"
#include "ui/DBEdit.h"
#include "ui/DBGrid.h"
#include "ui/DBMemo.h"
#include "ui/PageControl.h"
#include "ui/RadioGroup.h"

namespace fleet {

QStringList FahrerFeldBezeichnungen;
bool FahrerErsteAnzeige = true;
TFahrerStammdatenFormular *FahrerStammdatenFormular = nullptr;

namespace {

std::unique_ptr<TFahrerStammdatenFormular> formular;

const QString kTourenFehler = QStringLiteral(
    "Eine Verbindung zur Touren-Datenbank ist zur Zeit nicht möglich - versuchen Sie es nach einem "
    "Programmneustart gleich noch einmal..");

// Report numbers of the driver reports.
constexpr int kReportHistorie = 15, kReportListe = 16, kReportFahrer = 17, kReportTouren = 18;

TDataModuleFahrer &dm()
{
    return *DataModuleFahrer;
}

bool bearbeitet(const dbe::TDataSet &d)
{
    return d.State() == dbe::TDataSetState::dsEdit || d.State() == dbe::TDataSetState::dsInsert;
}

QLabel *feldPanel(QWidget *parent, const char *name, int breite)
{
    auto *l = ui::make<QLabel>(parent, name);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumWidth(breite);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

QPushButton *knopf(QWidget *parent, const char *name, const QString &text, const QString &hinweis = {})
{
    auto *b = ui::make<QPushButton>(parent, name, text);
    if (!hinweis.isEmpty())
        b->setToolTip(hinweis);
    return b;
}

} // namespace

TFahrerStammdatenFormular::TFahrerStammdatenFormular(QWidget *parent)
    : ui::FormBase(QStringLiteral("FahrerStammdatenFormular"), parent)
{
    setWindowTitle(QStringLiteral("Fahrer Stammdaten"));
    aufbauen();
    verbinden();
    FahrerFormularSetzen(this);
    FormCreate();
}

TFahrerStammdatenFormular::~TFahrerStammdatenFormular()
{
    if (FahrerFormular() == this)
        FahrerFormularSetzen(nullptr);
}

// ---- layout

void TFahrerStammdatenFormular::aufbauen()
{
    dbe::TDataSource &quelle = dm().DataSrcFahrerStammdaten;
    auto *haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(6, 6, 6, 6);
    haupt->setSpacing(4);

    // Header: who is current, and the navigator.
    auto *kopf = new QHBoxLayout;
    const auto kopfFeld = [this, &quelle](const char *name, const char *feld, int breite) {
        ui::DBEdit *e = seiten::edit(this, QString::fromLatin1(name), quelle, QString::fromLatin1(feld));
        e->setReadOnly(true);
        e->setDataReadOnly(true);
        e->setMinimumWidth(breite);
        return e;
    };
    // Wide enough for a name of the field's full length in ordinary letters,
    // so that a long name shows whole and not only its end.
    kopf->addWidget(
        kopfFeld("DBEditKopfName", "Name", fontMetrics().horizontalAdvance(QString(30, QLatin1Char('n')))));
    kopf->addWidget(kopfFeld("DBEditKopfVorname", "Vorname", 110));
    kopf->addWidget(kopfFeld("DBEditKopfOrt", "Ort", 130));
    LblKopfName = LblKopfVorname = LblKopfOrt = nullptr;
    kopf->addStretch(1);
    DBVexdFahrer = new nav::TDBVexarion(this);
    DBVexdFahrer->setObjectName(QStringLiteral("DBVexdFahrer"));
    DBVNavFahrer = ui::make<nav::TDBVNavigator>(this, "DBVNavFahrer", this);
    kopf->addWidget(DBVNavFahrer);
    haupt->addLayout(kopf);

    PageCtrlFahrer = ui::make<ui::PageControl>(this, "PageCtrlFahrer");
    TabFahrerStammdaten =
        PageCtrlFahrer->addPage(QStringLiteral("TabFahrerStammdaten"), QStringLiteral("Stammdaten"));
    TabFscheinKlassen =
        PageCtrlFahrer->addPage(QStringLiteral("TabFscheinKlassen"), QStringLiteral("Fschein. Klassen"));
    TabMemo = PageCtrlFahrer->addPage(QStringLiteral("TabMemo"), QStringLiteral("   Memo   "));
    TabHistorie = PageCtrlFahrer->addPage(QStringLiteral("TabHistorie"), QStringLiteral("Historie"));
    TabTouren = PageCtrlFahrer->addPage(QStringLiteral("TabTouren"), QStringLiteral("Touren"));
    stammdatenSeite();
    klassenSeite();
    EditDBMemoFahrer = ui::make<ui::DBMemo>(TabMemo, "EditDBMemoFahrer");
    EditDBMemoFahrer->setDataSource(&quelle);
    EditDBMemoFahrer->setDataField(QStringLiteral("Memo"));
    seiten::seitenLayout(TabMemo)->addWidget(EditDBMemoFahrer);
    historieSeite();
    tourenSeite();
    haupt->addWidget(PageCtrlFahrer, 1);

    // Status line: position, filter, edit switch, memo, close.
    auto *status = new QHBoxLayout;
    PanFahrer = feldPanel(this, "PanFahrer", 220);
    PanFahrer->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    PanelFilter = feldPanel(this, "PanelFilter", 100);
    PanelFilter->setStyleSheet(QStringLiteral("color: red;"));
    TPaFahrerGlobalEdit = feldPanel(this, "TPaFahrerGlobalEdit", 70);
    TPaFahrerGlobalEdit->setToolTip(QStringLiteral("Daten ändern ein/aus"));
    TPanMemoLED = feldPanel(this, "TPanMemoLED", 16);
    TPanMemoLED->setMaximumWidth(16);
    TPanMemoLED->setAutoFillBackground(true);
    TBitBtnFahrerStammdatenOk = knopf(this, "TBitBtnFahrerStammdatenOk", QStringLiteral("&Schließen"),
                                      QStringLiteral("Formular schließen"));
    status->addWidget(PanFahrer, 1);
    status->addWidget(PanelFilter);
    status->addWidget(TPaFahrerGlobalEdit);
    status->addWidget(TPanMemoLED);
    status->addWidget(TBitBtnFahrerStammdatenOk);
    haupt->addLayout(status);

    // The extender of this form, with the main window's shortcut table.
    nav::TDBVexarion &e = *DBVexdFahrer;
    e.SetMasterSource(&quelle);
    e.SetStayOnMasterSource(nav::TStayOnMasterSource::somAllFuncs);
    e.SetShowStatusOptions(nav::ssRecNo | nav::ssRecCount);
    e.SetStatusPanel(PanFahrer);
    e.MessagePanel = PanFahrer;
    e.ConfDelQuestion = QStringLiteral("Möchten Sie diesen Fahrer wirklich löschen");
    nav::NavButtonSet sichtbar;
    for (nav::TDBVNavigateBtn b :
         {nav::nbSearch, nav::nbSearchInc, nav::nbSearchNext, nav::nbTblFilter, nav::nbActiveFilter,
          nav::nbFirst, nav::nbPrior, nav::nbNext, nav::nbLast, nav::nbInsert, nav::nbDelete, nav::nbPost,
          nav::nbCancel, nav::nbGlobalEdit})
        sichtbar.set(static_cast<std::size_t>(b));
    DBVNavFahrer->SetVisibleButtons(sichtbar);
    DBVNavFahrer->SetButtonWidth(33);
    DBVNavFahrer->SetButtonHeight(25);
    DBVNavFahrer->SetFlat(true);
    DBVNavFahrer->SetNavStyle(nav::TNavStyle::nsStatic);
    DBVNavFahrer->SetAlignNone(true);
    DBVNavFahrer->SetDBVexarion(&e);
    resize(820, 600);
}

QWidget *TFahrerStammdatenFormular::stammdatenSeite()
{
    dbe::TDataSource &quelle = dm().DataSrcFahrerStammdaten;
    QWidget *seite = TabFahrerStammdaten;
    auto *layout = seiten::seitenLayout(seite);
    auto *spalten = new QHBoxLayout;
    seiten::Formularblock person(seite, QStringLiteral("Fahrer"));
    seiten::Formularblock schein(seite, QStringLiteral("Führerschein"));
    const auto zeile = [seite, &quelle](seiten::Formularblock &block, const char *feld, const QString &text) {
        const QString name = QStringLiteral("Edit") + QString::fromLatin1(feld);
        ui::DBEdit *e = seiten::edit(seite, name, quelle, QString::fromLatin1(feld));
        block.zeile(seiten::label(seite, QStringLiteral("Lbl") + QString::fromLatin1(feld), text), e);
        return e;
    };
    EditName = zeile(person, "Name", QStringLiteral("Name:"));
    zeile(person, "Vorname", QStringLiteral("Vorname:"));
    zeile(person, "Strasse", QStringLiteral("Straße:"));
    zeile(person, "Plz", QStringLiteral("PLZ:"));
    zeile(person, "Ort", QStringLiteral("Ort:"));
    zeile(person, "Telefon", QStringLiteral("Telefon:"));
    zeile(person, "Fax", QStringLiteral("Fax:"));
    zeile(person, "Mobil", QStringLiteral("Mobil:"));
    zeile(person, "Geburtsdatum", QStringLiteral("Geburtsdatum:"));
    zeile(person, "Nummer", QStringLiteral("Personal-Nr.:"));
    zeile(person, "Kennzeichen", QStringLiteral("Kennzeichen:"));
    person.ende();
    zeile(schein, "FscheinKlassenAllgemein", QStringLiteral("Klassen:"));
    zeile(schein, "FscheinNummer", QStringLiteral("Nummer:"));
    zeile(schein, "FscheinBehoerde", QStringLiteral("Behörde:"));
    zeile(schein, "FscheinDatum", QStringLiteral("Ausgestellt am:"));
    zeile(schein, "FscheinVorlage", QStringLiteral("Letzte Vorlage:"));
    schein.ende();
    seiten::Formularblock frei(seite, QStringLiteral("Freie Felder"));
    for (int i = 1; i <= 8; ++i) {
        QLabel *l = seiten::label(seite, QStringLiteral("LblNameFreifeld%1").arg(i), QString());
        LblNameFreifeld << l;
        frei.zeile(l, seiten::edit(seite, QStringLiteral("EditFreifeld%1").arg(10 + i), quelle,
                                   QStringLiteral("Freifeld%1").arg(10 + i)));
    }
    frei.ende();
    auto *rechts = new QVBoxLayout;
    rechts->addWidget(schein.box());
    rechts->addWidget(frei.box());
    spalten->addWidget(person.box(), 1);
    spalten->addLayout(rechts, 1);
    layout->addLayout(spalten);

    auto *druck = new QHBoxLayout;
    RadioGrpFahrerDrucken =
        seiten::auswahl(seite, "RadioGrpFahrerDrucken", QStringLiteral("Welchen Report drucken.."),
                        {QStringLiteral("Diesen Fahrer"), QStringLiteral("Alle Fahrer")}, 2);
    TBitBtnFahrerDrucken = knopf(seite, "TBitBtnFahrerDrucken", QStringLiteral("&Drucken"));
    TBitBtnFahrerPreview = knopf(seite, "TBitBtnFahrerPreview", QStringLiteral("&Vorschau"));
    druck->addWidget(RadioGrpFahrerDrucken);
    druck->addWidget(TBitBtnFahrerDrucken);
    druck->addWidget(TBitBtnFahrerPreview);
    druck->addStretch(1);
    layout->addLayout(druck);
    layout->addStretch(1);
    return seite;
}

QWidget *TFahrerStammdatenFormular::klassenSeite()
{
    dbe::TDataSource &quelle = dm().DataSrcFahrerStammdaten;
    QWidget *seite = TabFscheinKlassen;
    auto *layout = seiten::seitenLayout(seite);
    auto *raster = new QGridLayout;
    raster->addWidget(seiten::label(seite, QStringLiteral("LblKlasse"), QStringLiteral("Klasse")), 0, 1);
    raster->addWidget(seiten::label(seite, QStringLiteral("LblGueltigBis"), QStringLiteral("Gültig bis")), 0,
                      2);
    raster->addWidget(
        seiten::label(seite, QStringLiteral("LblBeschraenkungen"), QStringLiteral("Beschränkungen")), 0, 3);
    for (int i = 1; i <= 10; ++i) {
        // The tenth class field is spelled with a capital S.
        const QString klasse =
            i == 10 ? QStringLiteral("FScheinKlassen10") : QStringLiteral("FscheinKlassen%1").arg(i);
        raster->addWidget(
            seiten::label(seite, QStringLiteral("LblZeile%1").arg(i), QStringLiteral("%1.").arg(i)), i, 0);
        ui::DBEdit *k = seiten::edit(seite, QStringLiteral("Edit") + klasse, quelle, klasse);
        if (i == 1)
            EditFscheinKlassen1 = k;
        raster->addWidget(k, i, 1);
        raster->addWidget(seiten::edit(seite, QStringLiteral("EditGueltigBis%1").arg(i), quelle,
                                       QStringLiteral("GueltigBis%1").arg(i)),
                          i, 2);
        raster->addWidget(seiten::edit(seite, QStringLiteral("EditBeschraenkungen%1").arg(i), quelle,
                                       QStringLiteral("Beschraenkungen%1").arg(i)),
                          i, 3);
    }
    raster->setColumnStretch(3, 1);
    layout->addLayout(raster);

    auto *pruefung = new QHBoxLayout;
    ChkBoxFaelligeFuehrerscheine = ui::make<ui::CheckBox>(
        seite, "ChkBoxFaelligeFuehrerscheine", QStringLiteral("Gültigkeitsprüfung Führerscheine.."));
    EditVorwarnzeit = ui::make<QLineEdit>(seite, "EditVorwarnzeit");
    EditVorwarnzeit->setMaximumWidth(50);
    pruefung->addWidget(ChkBoxFaelligeFuehrerscheine);
    pruefung->addSpacing(20);
    pruefung->addWidget(
        seiten::label(seite, QStringLiteral("LblVorwarnzeit"), QStringLiteral("Vorwarnzeit / Tage (0..99)")));
    pruefung->addWidget(EditVorwarnzeit);
    pruefung->addStretch(1);
    layout->addLayout(pruefung);
    layout->addStretch(1);
    return seite;
}

QWidget *TFahrerStammdatenFormular::historieSeite()
{
    QWidget *seite = TabHistorie;
    auto *layout = seiten::seitenLayout(seite);
    DBGridFahrerHistorie = seiten::raster(seite, "DBGridFahrerHistorie", dm().DataSrcFahrerHistorie);
    layout->addWidget(DBGridFahrerHistorie, 1);
    auto *knoepfe = new QHBoxLayout;
    BtnHistorieFahrerNeu = knopf(seite, "BtnHistorieFahrerNeu", QStringLiteral("&Neu"));
    BtnHistorieFahrerSpeichern = knopf(seite, "BtnHistorieFahrerSpeichern", QStringLiteral("&Speichern"));
    BtnHistorieFahrerLoeschen = knopf(seite, "BtnHistorieFahrerLoeschen", QStringLiteral("&Löschen"));
    BitBtnHistorieFahrerDrucken = knopf(seite, "BitBtnHistorieFahrerDrucken", QStringLiteral("&Drucken"));
    BitBtnHistorieFahrerVorschau = knopf(seite, "BitBtnHistorieFahrerVorschau", QStringLiteral("&Vorschau"));
    for (QPushButton *b : {BtnHistorieFahrerNeu, BtnHistorieFahrerSpeichern, BtnHistorieFahrerLoeschen})
        knoepfe->addWidget(b);
    knoepfe->addStretch(1);
    knoepfe->addWidget(BitBtnHistorieFahrerDrucken);
    knoepfe->addWidget(BitBtnHistorieFahrerVorschau);
    layout->addLayout(knoepfe);
    return seite;
}

QWidget *TFahrerStammdatenFormular::tourenSeite()
{
    QWidget *seite = TabTouren;
    auto *layout = seiten::seitenLayout(seite);
    auto *oben = new QHBoxLayout;
    RadioGrpFahrerTourenSicht =
        seiten::auswahl(seite, "RadioGrpFahrerTourenSicht", QStringLiteral("Sicht"),
                        {QStringLiteral("Alle"), QStringLiteral("Monat"), QStringLiteral("Jahr")}, 3);
    CmbBoxFahrerTourenMonat = seiten::liste(seite, "CmbBoxFahrerTourenMonat", seiten::monate());
    CmbBoxFahrerTourenJahr = seiten::liste(seite, "CmbBoxFahrerTourenJahr", seiten::jahre());
    oben->addWidget(RadioGrpFahrerTourenSicht);
    oben->addWidget(CmbBoxFahrerTourenMonat);
    oben->addWidget(CmbBoxFahrerTourenJahr);
    oben->addStretch(1);
    BitBtnTourenFahrerDrucken = knopf(seite, "BitBtnTourenFahrerDrucken", QStringLiteral("&Drucken"));
    BitBtnFahrerTourenVorschau = knopf(seite, "BitBtnFahrerTourenVorschau", QStringLiteral("&Vorschau"));
    oben->addWidget(BitBtnTourenFahrerDrucken);
    oben->addWidget(BitBtnFahrerTourenVorschau);
    layout->addLayout(oben);
    DBGridFahrerTouren = seiten::raster(seite, "DBGridFahrerTouren", DataModule1->DataSrcTouren);
    layout->addWidget(DBGridFahrerTouren, 1);
    auto *summen = new QHBoxLayout;
    const auto summe = [seite, summen](const char *lbl, const QString &text, const char *name) {
        summen->addWidget(seiten::label(seite, QString::fromLatin1(lbl), text));
        QLabel *wert = feldPanel(seite, name, 90);
        wert->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        summen->addWidget(wert);
        summen->addSpacing(16);
        return wert;
    };
    TLblSummeTourenKm = summe("LblGefKm", QStringLiteral("Gef. Km.:"), "TLblSummeTourenKm");
    TLblSummeTouren = summe("LblTouren", QStringLiteral("Touren:"), "TLblSummeTouren");
    LblSummeErtraege = summe("LblErtrag", QStringLiteral("Ertrag:"), "LblSummeErtraege");
    summen->addStretch(1);
    layout->addLayout(summen);
    return seite;
}

void TFahrerStammdatenFormular::verbinden()
{
    ui::on(this, &ui::FormBase::formShow, this, &TFahrerStammdatenFormular::FormShow);
    ui::on(this, &ui::FormBase::formClose, this, &TFahrerStammdatenFormular::FormClose);
    ui::on(PageCtrlFahrer, &ui::PageControl::onChanging, this,
           &TFahrerStammdatenFormular::PageCtrlFahrerChanging);
    ui::on(PageCtrlFahrer, &ui::PageControl::onChange, this,
           &TFahrerStammdatenFormular::PageCtrlFahrerChange);
    const auto klick = [this](QPushButton *b, void (TFahrerStammdatenFormular::*h)()) {
        ui::on(b, &QPushButton::clicked, this, [this, h] { (this->*h)(); });
    };
    klick(TBitBtnFahrerStammdatenOk, &TFahrerStammdatenFormular::TBitBtnFahrerStammdatenOkClick);
    klick(BtnHistorieFahrerNeu, &TFahrerStammdatenFormular::BtnHistorieFahrerNeuClick);
    klick(BtnHistorieFahrerSpeichern, &TFahrerStammdatenFormular::BtnHistorieFahrerSpeichernClick);
    klick(BtnHistorieFahrerLoeschen, &TFahrerStammdatenFormular::BtnHistorieFahrerLoeschenClick);
    klick(TBitBtnFahrerDrucken, &TFahrerStammdatenFormular::TBitBtnFahrerDruckenClick);
    klick(TBitBtnFahrerPreview, &TFahrerStammdatenFormular::TBitBtnFahrerPreviewClick);
    klick(BitBtnHistorieFahrerDrucken, &TFahrerStammdatenFormular::BitBtnHistorieFahrerDruckenClick);
    klick(BitBtnHistorieFahrerVorschau, &TFahrerStammdatenFormular::BitBtnHistorieFahrerVorschauClick);
    klick(BitBtnTourenFahrerDrucken, &TFahrerStammdatenFormular::BitBtnTourenFahrerDruckenClick);
    klick(BitBtnFahrerTourenVorschau, &TFahrerStammdatenFormular::BitBtnFahrerTourenVorschauClick);
    ui::on(RadioGrpFahrerTourenSicht, &ui::RadioGroup::onClick, this,
           &TFahrerStammdatenFormular::RadioGrpFahrerTourenSichtClick);
    ui::on(CmbBoxFahrerTourenJahr, &ui::ComboBox::onChange, this,
           &TFahrerStammdatenFormular::CmbBoxFahrerTourenJahrChange);
    ui::on(CmbBoxFahrerTourenMonat, &ui::ComboBox::onChange, this,
           &TFahrerStammdatenFormular::CmbBoxFahrerTourenMonatChange);
    ui::on(ChkBoxFaelligeFuehrerscheine, &ui::CheckBox::onClick, this,
           &TFahrerStammdatenFormular::ChkBoxFaelligeFuehrerscheineClick);
    ui::on(EditVorwarnzeit, &QLineEdit::textChanged, this, &TFahrerStammdatenFormular::EditVorwarnzeitChange);
    ui::on(EditDBMemoFahrer, &QPlainTextEdit::textChanged, this,
           &TFahrerStammdatenFormular::EditDBMemoFahrerChange);

    nav::TDBVexarion &e = *DBVexdFahrer;
    e.BeforeHandleNBBtn = [this](nav::TDBVexarion &, nav::TDBVNavigateBtn &b, nav::TShiftState &, int &) {
        DBVexdFahrerBeforeHandleNBBtn(b);
    };
    e.AfterHandleNBBtn = [this](nav::TDBVexarion &, nav::TDBVNavigateBtn &b, nav::TShiftState &, int &) {
        DBVexdFahrerAfterHandleNBBtn(b);
    };
    e.OnShowMessage = [this](nav::TDBVexarion &, QString &text, ui::MsgType typ, bool &erledigt) {
        DBVexdFahrerShowMessage(text, typ, erledigt);
    };
}

// ---- life cycle

void TFahrerStammdatenFormular::FormCreate()
{
    dbe::TTable &einstellungen = DataModule1->TTblEinstellungenAllgem;
    const auto einstellung = [&einstellungen](const QString &feld) -> const dbe::TField * {
        if (!einstellungen.Active() || einstellungen.IsEmpty())
            return nullptr;
        return einstellungen.FindField(feld);
    };
    FahrerFeldBezeichnungen = starteinstellungen::FahrerFreifeldNamen([&einstellung](const QString &feld) {
        const dbe::TField *f = einstellung(feld);
        return f ? f->Value() : QVariant();
    });
    for (int i = 1; i <= 8; ++i) {
        const QString &name = FahrerFeldBezeichnungen[i - 1];
        LblNameFreifeld[i - 1]->setText(name.left(20));
        if (dbe::TField *feld = dm().TblFahrerStammdaten.FindField(QStringLiteral("Freifeld%1").arg(10 + i)))
            feld->SetDisplayLabel(name);
    }
    const dbe::TField *vorwarn = einstellung(QStringLiteral("Numfeld3"));
    EditVorwarnzeit->setText(VorwarnzeitText(vorwarn && !vorwarn->IsNull() ? vorwarn->AsInteger() : 30));

    RadioGrpFahrerTourenSicht->setItemIndex(0);
    CmbBoxFahrerTourenMonat->setCurrentIndex(HeuteMonat > 0 ? HeuteMonat - 1 : 0);
    CmbBoxFahrerTourenJahr->setCurrentIndex(HeuteJahrIndex);
    PageCtrlFahrer->setActivePage(TabFahrerStammdaten);
    RadioGrpFahrerDrucken->setItemIndex(0);
    ChkBoxFaelligeFuehrerscheine->setChecked(false);
    EditName->setFocus();
    const bool berichte = DienstSperrgrund(kReportDienste).isEmpty();
    for (QPushButton *b :
         {TBitBtnFahrerDrucken, TBitBtnFahrerPreview, BitBtnHistorieFahrerDrucken,
          BitBtnHistorieFahrerVorschau, BitBtnTourenFahrerDrucken, BitBtnFahrerTourenVorschau})
        b->setEnabled(berichte);
    EditDBMemoFahrerChange();
}

void TFahrerStammdatenFormular::FormShow()
{
    DBVexdFahrer->SetManageGlobalEdit(true);
    if (!NurLesen) {
        const QObject *sofort = KomponenteFinden(QStringLiteral("EinstellungenFormular"),
                                                 QStringLiteral("DBCheckBoxSchreibschutz"));
        if (sofort && sofort->property("checked").toBool() && FahrerErsteAnzeige) {
            DBVNavFahrer->ClickNavButton(nav::nbGlobalEdit);
            FahrerErsteAnzeige = false;
        }
    }
    globalEditZeigen();
    try {
        dbe::TTable &touren = DataModule1->TTblTouren;
        touren.SetMasterSource(nullptr);
        touren.SetMasterFields(QString());
        FahrerFilterBasis = FahrerTourenFilterBasis(dm().TblFahrerStammdaten.FieldByName("Name")->AsString());
        touren.SetFilter(FahrerFilterBasis);
        touren.SetFiltered(true);
        if (dbe::TField *kfz = touren.FindField(QStringLiteral("KfzNr")))
            kfz->SetVisible(true);
        tourenGeliehen_ = true;
        // The chosen view holds again, so the grid and the sums agree with it.
        RadioGrpFahrerTourenSichtClick();
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
        ui::messages().error(kTourenFehler);
    }
}

void TFahrerStammdatenFormular::FormClose(ui::CloseAction &)
{
    ChkBoxFaelligeFuehrerscheine->setChecked(false);
    try {
        bool ok = false;
        const int tage = EditVorwarnzeit->text().toInt(&ok);
        dbe::TTable &einstellungen = DataModule1->TTblEinstellungenAllgem;
        if (ok && einstellungen.Active() && !einstellungen.IsEmpty()) {
            einstellungen.Edit();
            einstellungen.FieldByName(QStringLiteral("Numfeld3"))->SetAsInteger(tage);
            einstellungen.Post();
        }
    } catch (const std::exception &e) {
        // The warning time is a convenience; the form closes all the same.
        Verschluckt(Q_FUNC_INFO, e);
    }

    // The tours go back to the main window's vehicle, step by step, so that
    // one failing step does not keep the others from running.
    tourenGeliehen_ = false;
    dbe::TTable &touren = DataModule1->TTblTouren;
    bool fehler = false;
    const auto schritt = [&fehler](auto &&f) {
        try {
            f();
        } catch (const std::exception &e) {
            Verschluckt(Q_FUNC_INFO, e);
            fehler = true;
        }
    };
    schritt([&touren] { touren.SetFiltered(false); });
    schritt([&touren] { touren.SetFilter(QString()); });
    schritt([&touren] {
        if (dbe::TField *kfz = touren.FindField(QStringLiteral("KfzNr")))
            kfz->SetVisible(false);
    });
    schritt([&touren] {
        touren.SetMasterSource(&DataModule1->TDataSrcMain);
        touren.SetMasterFields(QStringLiteral("KfzNr"));
    });
    if (fehler)
        ui::messages().error(kTourenFehler);
}

QString TFahrerStammdatenFormular::bearbeitungOffen(const QString &fahrerText,
                                                    const QString &historieText) const
{
    if (bearbeitet(dm().TblFahrerStammdaten))
        return QStringLiteral(
                   "Bitte speichern Sie erst die neuen oder geänderten Daten (Haken-Symboltaste) oder "
                   "brechen Sie die Eingabe ab (X-Symboltaste), bevor Sie ") +
               fahrerText;
    if (bearbeitet(dm().TblFahrerHistorie))
        return QStringLiteral(
                   "Bitte speichern Sie erst die neuen oder geänderten Historiendaten (Speichern-Knopf) "
                   "oder brechen Sie die Eingabe ab (Löschen-Knopf), bevor Sie ") +
               historieText;
    return {};
}

void TFahrerStammdatenFormular::TBitBtnFahrerStammdatenOkClick()
{
    const QString text = QStringLiteral("das Formular schließen");
    const QString warnung = bearbeitungOffen(text, text);
    if (!warnung.isEmpty()) {
        ui::messages().warning(warnung);
        return;
    }
    close();
}

void TFahrerStammdatenFormular::PageCtrlFahrerChanging(bool &allowChange)
{
    const QString text = QStringLiteral("die Formularseite wechseln");
    const QString warnung = bearbeitungOffen(text, text);
    if (warnung.isEmpty())
        return;
    ui::messages().warning(warnung);
    allowChange = false;
}

void TFahrerStammdatenFormular::PageCtrlFahrerChange()
{
    constexpr unsigned kStammdatenTasten =
        nav::akIncSearch | nav::akDuplicate | nav::akDelete | nav::akInsert;
    ui::TabSheet *seite = PageCtrlFahrer->activePage();
    const unsigned keys = DBVexdFahrer->AllowKeys();
    DBVexdFahrer->SetAllowKeys(static_cast<nav::TAllowKeys>(
        seite == TabFahrerStammdaten ? keys | kStammdatenTasten : keys & ~kStammdatenTasten));
    if (seite == TabFahrerStammdaten)
        EditName->setFocus();
    else if (seite == TabFscheinKlassen)
        EditFscheinKlassen1->setFocus();
    else if (seite == TabMemo)
        EditDBMemoFahrer->setFocus();
    else if (seite == TabHistorie)
        DBGridFahrerHistorie->setFocus();
    else if (seite == TabTouren)
        DBGridFahrerTouren->setFocus();
}

// ---- extender events

void TFahrerStammdatenFormular::DBVexdFahrerBeforeHandleNBBtn(nav::TDBVNavigateBtn button)
{
    if (button == nav::nbGlobalEdit && NurLesen) {
        ui::messages().information(QStringLiteral("Sie haben nur Leserechte!"));
        base::abortSilently();
    }
}

void TFahrerStammdatenFormular::DBVexdFahrerAfterHandleNBBtn(nav::TDBVNavigateBtn button)
{
    globalEditZeigen();
    if (button == nav::nbInsert) {
        PageCtrlFahrer->setActivePage(TabFahrerStammdaten);
        EditName->setFocus();
    }
}

void TFahrerStammdatenFormular::globalEditZeigen()
{
    const bool aendern = DBVexdFahrer->GlobalEdit();
    TPaFahrerGlobalEdit->setText(aendern ? QStringLiteral("Ändern") : QStringLiteral("Lesen"));
    TPaFahrerGlobalEdit->setStyleSheet(aendern ? QStringLiteral("color: red;")
                                               : QStringLiteral("color: green;"));
    BtnHistorieFahrerNeu->setEnabled(aendern);
    BtnHistorieFahrerLoeschen->setEnabled(aendern);
}

void TFahrerStammdatenFormular::DBVexdFahrerShowMessage(const QString &text, ui::MsgType type, bool &handled)
{
    if (type != ui::MsgType::Error)
        return;
    ui::messages().error(
        text == QLatin1String("Indexfehler")
            ? QStringLiteral("Bitte ändern oder ergänzen Sie den Namen des Fahrers oder brechen "
                             "Sie die Eingabe ab (X-Symboltaste) - ein Fahrer mit diesem Namen "
                             "ist schon vorhanden..")
            : text);
    handled = true;
}

void TFahrerStammdatenFormular::EditDBMemoFahrerChange()
{
    const bool beschrieben = !EditDBMemoFahrer->toPlainText().isEmpty();
    QPalette p = TPanMemoLED->palette();
    p.setColor(QPalette::Window, beschrieben ? QColor(Qt::red) : palette().color(QPalette::Button));
    TPanMemoLED->setPalette(p);
    TPanMemoLED->setProperty("beschrieben", beschrieben);
}

// ---- history

void TFahrerStammdatenFormular::BtnHistorieFahrerNeuClick()
{
    try {
        dm().TblFahrerHistorie.Append();
        DBGridFahrerHistorie->setFocus();
        if (dbe::TField *erstes = dm().TblFahrerHistorie.FindField(QStringLiteral("DatumVon")))
            DBGridFahrerHistorie->setSelectedField(erstes);
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
        ui::messages().error(QStringLiteral("Einfügen eines Historiendatensatzes nicht möglich"));
    }
}

void TFahrerStammdatenFormular::BtnHistorieFahrerSpeichernClick()
{
    dbe::TTable &h = dm().TblFahrerHistorie;
    if (!bearbeitet(h))
        return;
    try {
        h.Post();
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
        ui::messages().error(QStringLiteral("Speichern des Historiendatensatzes nicht möglich"));
    }
}

void TFahrerStammdatenFormular::BtnHistorieFahrerLoeschenClick()
{
    dbe::TTable &h = dm().TblFahrerHistorie;
    try {
        if (h.State() == dbe::TDataSetState::dsInsert) {
            h.Cancel();
            return;
        }
        if (h.IsEmpty())
            return;
        if (ui::messages().question(
                QStringLiteral("Möchten Sie den markierten Historiendatensatz wirklich löschen")))
            h.Delete();
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
        ui::messages().error(QStringLiteral("Löschen des Historiendatensatzes nicht möglich"));
    }
}

// ---- print and preview

void TFahrerStammdatenFormular::fahrerDrucken(int modus)
{
    reportDienste().PrintReport(RadioGrpFahrerDrucken->itemIndex() == 0 ? kReportFahrer : kReportListe,
                                modus);
}

void TFahrerStammdatenFormular::historieDrucken(int modus)
{
    if (dm().TblFahrerHistorie.IsEmpty()) {
        ui::messages().information(
            QStringLiteral("Sie haben noch keine Historie für diesen Fahrer angelegt"));
        return;
    }
    reportDienste().PrintReport(kReportHistorie, modus);
}

void TFahrerStammdatenFormular::tourenDrucken(int modus)
{
    if (DataModule1->TTblTouren.IsEmpty()) {
        ui::messages().information(QStringLiteral("Zur Zeit sind keine Touren zu drucken"));
        return;
    }
    reportDienste().PrintReport(kReportTouren, modus);
}

// ---- tours

int TFahrerStammdatenFormular::TourenSicht() const
{
    return RadioGrpFahrerTourenSicht->itemIndex();
}

void TFahrerStammdatenFormular::TourenSummenBerechnen()
{
    dbe::TTable &touren = DataModule1->TTblTouren;
    double km = 0, ertrag = 0;
    int anzahl = 0;
    touren.DisableControls();
    // Controls follow the tours again however the walk ends.
    const auto wieder = qScopeGuard([&touren] { touren.EnableControls(); });
    if (touren.Active()) {
        for (touren.First(); !touren.Eof(); touren.Next()) {
            km += touren.FieldByName(QStringLiteral("GefahrenKm"))->AsFloat();
            ertrag += touren.FieldByName(QStringLiteral("Ertrag"))->AsFloat();
            ++anzahl;
        }
        touren.First();
    }
    TLblSummeTourenKm->setText(KmSummeText(km));
    TLblSummeTouren->setText(QString::number(anzahl));
    LblSummeErtraege->setText(ErtragSummeText(ertrag));
}

bool TFahrerStammdatenFormular::zeitraumSetzen(const QString &zeitraum)
{
    try {
        FahrerFilterZeitraum = zeitraum;
        DataModule1->TTblTouren.SetFilter(FahrerFilterBasis + FahrerFilterZeitraum);
        TourenSummenBerechnen();
        return true;
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
        return false;
    }
}

bool TFahrerStammdatenFormular::JahresFilterSetzen()
{
    return zeitraumSetzen(JahresZeitraum(CmbBoxFahrerTourenJahr->currentText()));
}

bool TFahrerStammdatenFormular::MonatsFilterSetzen()
{
    return zeitraumSetzen(
        MonatsZeitraum(CmbBoxFahrerTourenMonat->currentText(), CmbBoxFahrerTourenJahr->currentText()));
}

namespace {

void jahresFilterMelden(bool ok)
{
    if (!ok)
        ui::messages().information(QStringLiteral("Problem - Jahresfilter konnte nicht gesetzt werden"));
}

void monatsFilterMelden(bool ok)
{
    if (!ok)
        ui::messages().information(QStringLiteral("Problem - Monatsfilter konnte nicht gesetzt werden"));
}

} // namespace

void TFahrerStammdatenFormular::RadioGrpFahrerTourenSichtClick()
{
    const int sicht = TourenSicht();
    CmbBoxFahrerTourenJahr->setEnabled(sicht != 0);
    CmbBoxFahrerTourenMonat->setEnabled(sicht == 1);
    // The tours carry the driver filter only while this form has them.
    if (!DataModule1 || !tourenGeliehen_)
        return;
    if (sicht == 2) {
        jahresFilterMelden(JahresFilterSetzen());
    } else if (sicht == 1) {
        monatsFilterMelden(MonatsFilterSetzen());
    } else {
        DataModule1->TTblTouren.SetFilter(FahrerFilterBasis);
        TourenSummenBerechnen();
    }
}

void TFahrerStammdatenFormular::CmbBoxFahrerTourenJahrChange()
{
    if (!tourenGeliehen_ || TourenSicht() == 0)
        return;
    if (TourenSicht() == 2)
        jahresFilterMelden(JahresFilterSetzen());
    else
        monatsFilterMelden(MonatsFilterSetzen());
}

void TFahrerStammdatenFormular::CmbBoxFahrerTourenMonatChange()
{
    if (tourenGeliehen_ && TourenSicht() == 1)
        monatsFilterMelden(MonatsFilterSetzen());
}

// ---- licence expiry

void TFahrerStammdatenFormular::ChkBoxFaelligeFuehrerscheineClick()
{
    dbe::TTable &fahrer = dm().TblFahrerStammdaten;
    if (!ChkBoxFaelligeFuehrerscheine->isChecked()) {
        fahrer.SetFilter(QString());
        fahrer.SetFiltered(false);
        PanelFilter->clear();
        ui::messages().information(QStringLiteral("Der Filter wurde ausgeschaltet"));
        return;
    }
    if (DBVexdFahrer->TableFilterState(&fahrer) == nav::kFilterActive) {
        DBVexdFahrer->SetTableFilterActive(&fahrer, 0);
        ui::messages().information(QStringLiteral("Der selbstdefinierte Filter wurde ausgeschaltet"));
    }
    bool ok = false;
    const int tage = EditVorwarnzeit->text().toInt(&ok);
    int jahr = 0, monat = 0, tag = 0;
    base::decodeDate(ui::today(), jahr, monat, tag);
    const QDate grenze = QDate(jahr, monat, tag).addDays(ok ? tage : 0);
    fahrer.SetFilter(FuehrerscheinFaelligFilter(grenze));
    fahrer.SetFiltered(true);
    if (!fahrer.IsEmpty()) {
        ui::messages().information(
            QStringLiteral(
                "Achtung - ein Filter wurde eingeschaltet - Sie können ihn über einen erneuten Klick auf "
                "das Steuerelement \"Gültigkeitsprüfung Führerscheine..\" wieder ausschalten\r\rEs "
                "sind ") +
            QString::number(fahrer.RecordCount()) +
            QStringLiteral(" Fahrer mit Führerscheinen gespeichert, deren Gültigkeit abläuft"));
        PanelFilter->setText(QStringLiteral("Führerschein"));
        return;
    }
    ui::messages().information(
        QStringLiteral("Es sind keine Fahrer mit Führerscheinen gespeichert, deren Gültigkeit "
                       "abläuft - der Filter wird gleich wieder ausgeschaltet"));
    // Unchecking runs this handler again, which switches the filter off.
    ChkBoxFaelligeFuehrerscheine->setChecked(false);
}

void TFahrerStammdatenFormular::EditVorwarnzeitChange()
{
    bool ok = false;
    EditVorwarnzeit->text().toInt(&ok);
    if (ok)
        return;
    ui::messages().error(QStringLiteral(
        "Bitte geben Sie in dieses Feld einen ganzahligen numerischen Wert zwischen 1 und 99 ein"));
    EditVorwarnzeit->setFocus();
}

// ---- first use

TFahrerStammdatenFormular &FahrerStammdatenFormularErzeugen()
{
    DataModuleFahrerErzeugen();
    if (!formular) {
        formular = std::make_unique<TFahrerStammdatenFormular>();
        FahrerStammdatenFormular = formular.get();
    }
    FahrerFormularErzeugt = true;
    return *formular;
}

void FahrerStammdatenFormularFreigeben()
{
    FahrerStammdatenFormular = nullptr;
    formular.reset();
}

} // namespace fleet
