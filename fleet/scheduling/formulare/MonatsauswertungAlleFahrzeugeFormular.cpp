#include "formulare/MonatsauswertungAlleFahrzeugeFormular.h"

#include <exception>

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/GermanFormat.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/Einstellungswerte.h"
#include "daten/TabellenRoutinen.h"
#include "dbe/Field.h"
#include "dienste/DetailFensterZugriff.h"
#include "dienste/Formularzugriff.h"
#include "dienste/ReportDienste.h"
#include "formulare/AuswertungsBausteine.h"
#include "formulare/HauptFormular.h"
#include "regeln/FeldBezeichnungen.h"
#include "ui/Colors.h"
#include "ui/Connect.h"
#include "ui/DBGrid.h"
#include "ui/Hourglass.h"
#include "ui/Messages.h"
#include "ui/PageControl.h"

namespace fleet {

namespace {

constexpr int kReportMonatsauswertungAlle = 19;

std::unique_ptr<TMonatsauswertungAlleFahrzeugeFormular> formular;

QComboBox *hauptBox(const char *name)
{
    return qobject_cast<QComboBox *>(
        KomponenteFinden(QStringLiteral("HauptFormular"), QString::fromLatin1(name)));
}

// A failure in the middle of a save: the lock goes, the scratch table closes,
// the grid comes back.
struct SpeichernAufraeumen {
    dbe::TTable &ziel;
    dbe::TTable &ergebnis;
    bool gesperrt = false;
    ~SpeichernAufraeumen()
    {
        if (gesperrt)
            TabelleEntsperren(ziel);
        try {
            if (ziel.State() != dbe::TDataSetState::dsBrowse && ziel.Active())
                ziel.Cancel();
            ziel.Close();
        } catch (const std::exception &) {
            // Closed as far as it goes.
        }
        ergebnis.EnableControls();
    }
};

} // namespace

TMonatsauswertungAlleFahrzeugeFormular &MonatsauswertungAlleFahrzeugeFormular()
{
    if (!formular)
        formular = std::make_unique<TMonatsauswertungAlleFahrzeugeFormular>();
    MonatsauswertungAlleFahrzeugeErzeugt = true;
    return *formular;
}

void MonatsauswertungAlleFahrzeugeFormularFreigeben()
{
    formular.reset();
    MonatsauswertungAlleFahrzeugeErzeugt = false;
}

TMonatsauswertungAlleFahrzeugeFormular::TMonatsauswertungAlleFahrzeugeFormular(QWidget *parent)
    : ui::FormBase(QStringLiteral("MonatsauswertungAlleFahrzeugeFormular"), parent),
      TblMonatsauswertungAF(&DataModule1->TTblMain.Session()),
      TblNachschlagStamm(&DataModule1->TTblMain.Session()), DataSrcMonatsauswertungAF(&TblMonatsauswertungAF)
{
    setWindowTitle(QStringLiteral("Monatsauswertung für alle Fahrzeuge"));
    setWindowFlags(Qt::Window);
    resize(1100, 640);
    TblMonatsauswertungAF.SetName(QStringLiteral("TblMonatsauswertungAF"));
    TblMonatsauswertungAF.SetDatabaseName(kAliasFuhrparkPriv);
    TblMonatsauswertungAF.SetTableName(QStringLiteral("MoAusPrv.DB"));
    TblMonatsauswertungAF.AfterScroll = [this](dbe::TDataSet &) {
        ui::guard(this, [this] { TblMonatsauswertungAFAfterScroll(); });
    };
    TblNachschlagStamm.SetDatabaseName(kAliasFuhrpark);
    TblNachschlagStamm.SetTableName(QStringLiteral("KfzStamm.db"));

    CmbBoxMonatsauswertungAFMonat = ui::make<QComboBox>(this, "CmbBoxMonatsauswertungAFMonat");
    CmbBoxMonatsauswertungAFMonat->addItems(base::de::kMonthNames);
    CmbBoxMonatsauswertungAFJahr = ui::make<QComboBox>(this, "CmbBoxMonatsauswertungAFJahr");
    for (int j = 1990; j <= 2030; ++j)
        CmbBoxMonatsauswertungAFJahr->addItem(QString::number(j));
    TBtnMonatsauswertungBerechnen =
        ui::make<QPushButton>(this, "TBtnMonatsauswertungBerechnen", QStringLiteral("&Berechnen"));
    TBtnMonatsauswertungSpeichern =
        ui::make<QPushButton>(this, "TBtnMonatsauswertungSpeichern", QStringLiteral("&Speichern"));
    TBtnFahrzeugZeigen =
        ui::make<QPushButton>(this, "TBtnFahrzeugZeigen", QStringLiteral("&Zeige Fahrzeugkosten"));
    const DruckKnoepfe druck = DruckKnoepfeAnlegen(
        this, QStringLiteral("Druckt die Monatsauswertungen aller Fahrzeuge"),
        QStringLiteral("Zeigt die Druckvorschau der Monatsauswertungen aller Fahrzeuge"),
        [this] { TBitBtnMonatsauswertungAlleFahrzeugeDruckenClick(); },
        [this] { TBitBtnMonatsauswertungAlleFahrzeugeVorschauClick(); },
        "TBitBtnMonatsauswertungAlleFahrzeugeDrucken", "TBitBtnMonatsauswertungAlleFahrzeugeVorschau");
    TBitBtnMonatsauswertungAlleFahrzeugeDrucken = druck.drucken;
    TBitBtnMonatsauswertungAlleFahrzeugeVorschau = druck.vorschau;
    BitBtnSchliessen = ui::make<QPushButton>(this, "BitBtnSchliessen", QStringLiteral("&Schließen"));
    setButtonResult(BitBtnSchliessen, ui::mrCancel);
    setCancelButton(BitBtnSchliessen);
    ProgBarMonatsauswertung = ui::make<QProgressBar>(this, "ProgBarMonatsauswertung");
    ProgBarMonatsauswertung->hide();
    LblAuswertungszeitraum = ui::make<QLabel>(this, "LblAuswertungszeitraum");
    QFont fett = LblAuswertungszeitraum->font();
    fett.setBold(true);
    LblAuswertungszeitraum->setFont(fett);

    DBGridMonatsauswertungAF = ui::make<ui::DBGrid>(this, "DBGridMonatsauswertungAF");
    DBGridMonatsauswertungAF->setDataSource(&DataSrcMonatsauswertungAF);
    DBGridMonatsauswertungAF->setReadOnly(true);
    DBGridMonatsauswertungAF->setCellPainter([this](ui::DBGrid::CellStyle &zelle) {
        if (zelle.selected) {
            zelle.background = ui::toQColor(ui::color::ActiveCaption);
            return;
        }
        const double km =
            DBGridMonatsauswertungAF->rowValue(zelle.row, QStringLiteral("GefKilometer")).toDouble();
        const base::Currency var = base::Currency::fromDouble(
            DBGridMonatsauswertungAF->rowValue(zelle.row, QStringLiteral("GesamtVarKosten")).toDouble());
        if (MonatsZeileOhneWerte(km, var))
            zelle.background = ui::toQColor(ui::color::Red);
    });

    Panel1 = ui::make<QFrame>(this, "Panel1");
    Panel1->setFrameShape(QFrame::StyledPanel);
    LblKfzInfo = ui::make<QLabel>(this, "LblKfzInfo");
    LblKfzGruppe = ui::make<QLabel>(this, "LblKfzGruppe");
    LblKfzKostenstelleStandort = ui::make<QLabel>(this, "LblKfzKostenstelleStandort");
    auto *info = new QHBoxLayout(Panel1);
    info->addWidget(LblKfzInfo, 2);
    info->addWidget(LblKfzGruppe, 1);
    info->addWidget(LblKfzKostenstelleStandort, 1);

    PanSummen = ui::make<QFrame>(this, "PanSummen");
    PanSummen->setFrameShape(QFrame::StyledPanel);
    LBLSummeGefKm = SummenLabel(this, "LBLSummeGefKm", QStringLiteral("0"));
    LblSummeGesamtkosten = SummenLabel(this, "LblSummeGesamtkosten", QStringLiteral("0,00"));
    LblSummeFixkosten = SummenLabel(this, "LblSummeFixkosten", QStringLiteral("0,00"));
    LblSummeVarkosten = SummenLabel(this, "LblSummeVarkosten", QStringLiteral("0,00"));
    LblSummeVerbrauchL = SummenLabel(this, "LblSummeVerbrauchL", QStringLiteral("0,00"));
    LblSummeErtrag = SummenLabel(this, "LblSummeErtrag", QStringLiteral("0,00"));
    LblSummeErtragTitel = ui::make<QLabel>(this, "LblSummeErtragTitel", QStringLiteral("Ertrag"));
    auto *summen = new QGridLayout(PanSummen);
    const std::pair<QLabel *, QLabel *> zeilen[] = {
        {new QLabel(QStringLiteral("Gef. Km."), this), LBLSummeGefKm},
        {new QLabel(QStringLiteral("Gesamtkosten"), this), LblSummeGesamtkosten},
        {new QLabel(QStringLiteral("Fixkosten"), this), LblSummeFixkosten},
        {new QLabel(QStringLiteral("Var. Kosten"), this), LblSummeVarkosten},
        {new QLabel(QStringLiteral("Verbrauch/L."), this), LblSummeVerbrauchL},
        {LblSummeErtragTitel, LblSummeErtrag}};
    summen->addWidget(new QLabel(QStringLiteral("Summen:"), this), 0, 0, 2, 1);
    for (int i = 0; i < int(std::size(zeilen)); ++i) {
        summen->addWidget(zeilen[i].first, 0, i + 1);
        summen->addWidget(zeilen[i].second, 1, i + 1);
    }

    auto *oben = new QHBoxLayout;
    oben->addWidget(new QLabel(QStringLiteral("Monat:"), this));
    oben->addWidget(CmbBoxMonatsauswertungAFMonat);
    oben->addWidget(new QLabel(QStringLiteral("Jahr:"), this));
    oben->addWidget(CmbBoxMonatsauswertungAFJahr);
    oben->addWidget(TBtnMonatsauswertungBerechnen);
    oben->addWidget(TBtnMonatsauswertungSpeichern);
    oben->addWidget(TBtnFahrzeugZeigen);
    oben->addStretch();
    oben->addWidget(LblAuswertungszeitraum);
    auto *knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(TBitBtnMonatsauswertungAlleFahrzeugeDrucken);
    knoepfe->addWidget(TBitBtnMonatsauswertungAlleFahrzeugeVorschau);
    knoepfe->addWidget(BitBtnSchliessen);
    auto *haupt = new QVBoxLayout(this);
    haupt->addLayout(oben);
    haupt->addWidget(ProgBarMonatsauswertung);
    haupt->addWidget(DBGridMonatsauswertungAF, 1);
    haupt->addWidget(Panel1);
    haupt->addWidget(PanSummen);
    haupt->addLayout(knoepfe);

    ui::on(this, &ui::FormBase::formActivate, this, &TMonatsauswertungAlleFahrzeugeFormular::FormActivate);
    ui::on(this, &ui::FormBase::formClose, this, &TMonatsauswertungAlleFahrzeugeFormular::FormClose);
    ui::on(CmbBoxMonatsauswertungAFMonat, &QComboBox::activated, this,
           &TMonatsauswertungAlleFahrzeugeFormular::CmbBoxMonatsauswertungAFMonatChange);
    ui::on(CmbBoxMonatsauswertungAFJahr, &QComboBox::activated, this,
           &TMonatsauswertungAlleFahrzeugeFormular::CmbBoxMonatsauswertungAFJahrChange);
    ui::on(TBtnMonatsauswertungBerechnen, &QPushButton::clicked, this,
           &TMonatsauswertungAlleFahrzeugeFormular::TBtnMonatsauswertungBerechnenClick);
    ui::on(TBtnMonatsauswertungSpeichern, &QPushButton::clicked, this,
           &TMonatsauswertungAlleFahrzeugeFormular::TBtnMonatsauswertungSpeichernClick);
    ui::on(TBtnFahrzeugZeigen, &QPushButton::clicked, this,
           &TMonatsauswertungAlleFahrzeugeFormular::TBtnFahrzeugZeigenClick);
}

TMonatsauswertungAlleFahrzeugeFormular::~TMonatsauswertungAlleFahrzeugeFormular()
{
    DBGridMonatsauswertungAF->setDataSource(nullptr);
}

void TMonatsauswertungAlleFahrzeugeFormular::spaltenEinrichten()
{
    const auto f = [this](const char *name) {
        return TblMonatsauswertungAF.FieldByName(QString::fromLatin1(name));
    };
    for (const char *versteckt : {"AuswJahr", "AuswMonatNum", "AuswMonatText"})
        f(versteckt)->SetVisible(false);
    f("Ertrag")->SetVisible(TourenModus);
    const std::pair<const char *, QString> titel[] = {
        {"KfzNr", QStringLiteral("Kennzeichen")},
        {"GefKilometer", QStringLiteral("Gef. Km.")},
        {"GesamtKosten", QStringLiteral("Gesamtkosten")},
        {"GesamtKostenProKm", QStringLiteral("Ges.Kosten/Km")},
        {"GesamtFixKosten", QStringLiteral("Summe FixKosten")},
        {"GesamtVarKosten", QStringLiteral("Summe Var.Kosten")},
        {"VerbrauchLiter", QStringLiteral("Verbrauch/L.")},
        {"VerbrauchLiterPro100Km", QStringLiteral("Verbrauch/100Km")},
        {"VerbrauchKosten", QStringLiteral("Verbrauch")},
        {"ReparaturKosten", QStringLiteral("Reparatur")},
        {"WartungKosten", QStringLiteral("Wartung")},
        {"UntersuchungKosten", QStringLiteral("Untersuch.")},
        {"ReifenKosten", QStringLiteral("Reifen")},
        {"PflegeKosten", QStringLiteral("Pflege")},
        {"SonstigeKosten", FeldBezeichnungen[QStringLiteral("NameSonstigeKosten")]},
        {"Sonstige2Kosten", FeldBezeichnungen[QStringLiteral("NameSonstige2Kosten")]},
        {"Sonstige3Kosten", FeldBezeichnungen[QStringLiteral("NameSonstige3Kosten")]},
        {"Sonstige4Kosten", FeldBezeichnungen[QStringLiteral("NameSonstige4Kosten")]},
        {"Ertrag", QStringLiteral("Ertrag")}};
    for (const auto &[name, text] : titel) {
        dbe::TField *feld = f(name);
        if (!text.isEmpty())
            feld->SetDisplayLabel(text);
        if (qstrcmp(name, "KfzNr") != 0)
            feld->SetDisplayFormat(qstrcmp(name, "GefKilometer") == 0 ? QStringLiteral("#########0")
                                                                      : QStringLiteral("#########0.00"));
    }
}

void TMonatsauswertungAlleFahrzeugeFormular::FormActivate()
{
    for (QLabel *l : {LblKfzInfo, LblKfzGruppe, LblKfzKostenstelleStandort})
        l->clear();
    LblSummeErtrag->setVisible(TourenModus);
    LblSummeErtragTitel->setVisible(TourenModus);
    if (!TblNachschlagStamm.Active())
        TblNachschlagStamm.Open();
    if (!TblMonatsauswertungAF.Active())
        TblMonatsauswertungAF.Open();
    spaltenEinrichten();
    if (QComboBox *monat = hauptBox("CmbBoxMonatsauswertungMonat"))
        CmbBoxMonatsauswertungAFMonat->setCurrentIndex(monat->currentIndex());
    if (QComboBox *jahr = hauptBox("CmbBoxMonatsauswertungJahr"))
        CmbBoxMonatsauswertungAFJahr->setCurrentIndex(jahr->currentIndex());
    SummenBerechnen();
    AuswertungszeitraumSetzen();
    TblMonatsauswertungAFAfterScroll();
    DBGridMonatsauswertungAF->setFocus();
}

void TMonatsauswertungAlleFahrzeugeFormular::FormClose()
{
    TblMonatsauswertungAF.Close();
    TblNachschlagStamm.Close();
}

void TMonatsauswertungAlleFahrzeugeFormular::CmbBoxMonatsauswertungAFMonatChange()
{
    if (QComboBox *monat = hauptBox("CmbBoxMonatsauswertungMonat"))
        monat->setCurrentIndex(CmbBoxMonatsauswertungAFMonat->currentIndex());
}

void TMonatsauswertungAlleFahrzeugeFormular::CmbBoxMonatsauswertungAFJahrChange()
{
    if (QComboBox *jahr = hauptBox("CmbBoxMonatsauswertungJahr"))
        jahr->setCurrentIndex(CmbBoxMonatsauswertungAFJahr->currentIndex());
}

void TMonatsauswertungAlleFahrzeugeFormular::TBtnMonatsauswertungBerechnenClick()
{
    ui::HourglassScope sanduhr;
    TDataModule1 &dm = *DataModule1;
    bool zahl = false;
    const int jahr = CmbBoxMonatsauswertungAFJahr->currentText().toInt(&zahl);
    const int monat = CmbBoxMonatsauswertungAFMonat->currentIndex() + 1;
    if (!zahl || monat < 1)
        return;
    LblAuswertungszeitraum->hide();
    Panel1->hide();
    PanSummen->hide();
    ProgBarMonatsauswertung->setMaximum(std::max(1, dm.TTblMain.RecordCount()));
    ProgBarMonatsauswertung->setValue(0);
    ProgBarMonatsauswertung->show();
    bool geleert = true;
    {
        // Bar, panels and totals come back also when a vehicle fails.
        struct Abschluss {
            TMonatsauswertungAlleFahrzeugeFormular *f;
            ~Abschluss()
            {
                f->ProgBarMonatsauswertung->hide();
                try {
                    if (f->TblMonatsauswertungAF.Active())
                        f->TblMonatsauswertungAF.First();
                } catch (const std::exception &) {
                    // Stays where the failure left it.
                }
                f->AuswertungszeitraumSetzen();
                f->LblAuswertungszeitraum->show();
                f->Panel1->show();
                f->PanSummen->show();
                f->SummenBerechnen();
                f->TblMonatsauswertungAFAfterScroll();
            }
        } abschluss{this};
        geleert = MonatsauswertungAlleBerechnen(
            dm, TblMonatsauswertungAF, std::uint16_t(jahr), std::uint16_t(monat),
            CmbBoxMonatsauswertungAFMonat->currentText(), FortschrittSchritt(ProgBarMonatsauswertung),
            // The grid shows the new fields with their titles, hidden ones hidden, from the start.
            [this] { spaltenEinrichten(); });
    }
    if (!geleert) {
        ui::messages().error(QStringLiteral("Fehler beim Löschen der Monatsauswertungs-Tabelle"));
        return;
    }
    if (TblMonatsauswertungAF.Active())
        spaltenEinrichten();
    const QString warnung = MonatsAlleWarnung(LBLSummeGefKm->text(), LblSummeVarkosten->text());
    if (!warnung.isEmpty())
        ui::messages().warning(warnung);
    DBGridMonatsauswertungAF->setFocus();
}

void TMonatsauswertungAlleFahrzeugeFormular::SummenBerechnen()
{
    TMonatsAlleSummen s;
    if (TblMonatsauswertungAF.Active()) {
        try {
            s = MonatsAlleSummenBerechnen(TblMonatsauswertungAF);
        } catch (const std::exception &) {
            // The labels show what was summed; the walk's own error is reported elsewhere.
        }
    }
    LBLSummeGefKm->setText(base::de::formatFixed(s.Km, 0));
    LblSummeGesamtkosten->setText(base::de::formatFixed(s.Gesamt.toDouble(), 2));
    LblSummeFixkosten->setText(base::de::formatFixed(s.Fix.toDouble(), 2));
    LblSummeVarkosten->setText(base::de::formatFixed(s.Var.toDouble(), 2));
    LblSummeVerbrauchL->setText(base::de::formatFixed(s.Liter, 2));
    LblSummeErtrag->setText(base::de::formatFixed(s.Ertrag.toDouble(), 2));
}

void TMonatsauswertungAlleFahrzeugeFormular::AuswertungszeitraumSetzen()
{
    try {
        if (!TblMonatsauswertungAF.Active() || TblMonatsauswertungAF.IsEmpty())
            throw std::runtime_error("leer");
        LblAuswertungszeitraum->setText(
            QStringLiteral("Auswertungszeitraum: ") +
            TblMonatsauswertungAF.FieldByName(QStringLiteral("AuswMonatText"))->AsString() +
            QLatin1Char(' ') + TblMonatsauswertungAF.FieldByName(QStringLiteral("AuswJahr"))->AsString());
    } catch (const std::exception &) {
        LblAuswertungszeitraum->setText(QStringLiteral("Auswertungszeitraum: ???"));
    }
}

void TMonatsauswertungAlleFahrzeugeFormular::TblMonatsauswertungAFAfterScroll()
{
    try {
        if (!TblMonatsauswertungAF.Active() || TblMonatsauswertungAF.IsEmpty() ||
            !TblNachschlagStamm.Active())
            throw std::runtime_error("keine Zeile");
        if (!TblNachschlagStamm.FindKey(
                {TblMonatsauswertungAF.FieldByName(QStringLiteral("KfzNr"))->AsString()}))
            throw std::runtime_error("nicht gefunden");
        LblKfzInfo->setText(QStringLiteral("Info: ") +
                            TblNachschlagStamm.FieldByName(QStringLiteral("Info"))->AsString());
        LblKfzGruppe->setText(QStringLiteral("Gruppe: ") +
                              TblNachschlagStamm.FieldByName(QStringLiteral("Gruppe"))->AsString());
        LblKfzKostenstelleStandort->setText(
            QStringLiteral("Kostenst./Standort: ") +
            TblNachschlagStamm.FieldByName(QStringLiteral("Kostenstelle"))->AsString());
    } catch (const std::exception &) {
        LblKfzInfo->setText(QStringLiteral("Info: n.v."));
        LblKfzGruppe->setText(QStringLiteral("Gruppe: n.v."));
        LblKfzKostenstelleStandort->setText(QStringLiteral("Kostenst./Standort: n.v."));
    }
}

void TMonatsauswertungAlleFahrzeugeFormular::TBtnMonatsauswertungSpeichernClick()
{
    if (!ui::messages().question(QStringLiteral("Möchten Sie die aktuellen Monatsauswertungen speichern")))
        return;
    dbe::TTable &ziel = DataModule1->TTblVar1;
    TblMonatsauswertungAF.DisableControls();
    SpeichernAufraeumen aufraeumen{ziel, TblMonatsauswertungAF};
    ziel.SetDatabaseName(kAliasFuhrpark);
    ziel.SetTableName(QStringLiteral("KfzMonat.db"));
    try {
        ziel.Open();
        aufraeumen.gesperrt = TabelleSperren(ziel);
    } catch (const std::exception &) {
        aufraeumen.gesperrt = false;
    }
    if (!aufraeumen.gesperrt) {
        ui::messages().error(QStringLiteral(
            "Gewünschte Tabelle konnte nicht gesperrt werden - versuchen Sie es später noch einmal"));
        return;
    }
    if (GespeicherteMonate(ziel, TblMonatsauswertungAF) > 0 &&
        !ui::messages().warningQuestion(
            QStringLiteral("Es sind schon Monatsauswertungen für den aktuellen Monat "
                           "gespeichert - möchten Sie diese Auswertungen überschreiben"))) {
        ui::messages().information(QStringLiteral("Speichervorgang abgebrochen.."));
        return;
    }
    MonateSpeichern(ziel, TblMonatsauswertungAF);
    ui::messages().information(QStringLiteral("Die Monatsauswertungen wurden gespeichert"));
}

void TMonatsauswertungAlleFahrzeugeFormular::TBtnFahrzeugZeigenClick()
{
    if (!TblMonatsauswertungAF.Active() || TblMonatsauswertungAF.IsEmpty()) {
        ui::messages().error(QStringLiteral("Es befinden sich keine Monatsauswertungen in der Tabelle"));
        return;
    }
    TDataModule1 &dm = *DataModule1;
    const QString kfzNr = TblMonatsauswertungAF.FieldByName(QStringLiteral("KfzNr"))->AsString();
    const int monat = TblMonatsauswertungAF.FieldByName(QStringLiteral("AuswMonatNum"))->AsInteger();
    const QString jahr = TblMonatsauswertungAF.FieldByName(QStringLiteral("AuswJahr"))->AsString();
    dm.TTblMain.Locate(QStringLiteral("KfzNr"), kfzNr);
    close();
    if (DetailFensterZugriff *fenster = Detailfenster())
        fenster->KostenSichtSetzen(1);
    QComboBox *monatBox = hauptBox("CmbBoxKostenMonat");
    QComboBox *jahrBox = hauptBox("CmbBoxKostenJahr");
    if (monatBox)
        monatBox->setCurrentIndex(monat - 1);
    if (jahrBox)
        jahrBox->setCurrentIndex(jahrBox->findText(jahr));
    dm.TTblVarKosten.SetFilter(
        KostenSprungFilter(jahrBox ? jahrBox->currentText() : jahr,
                           monatBox ? monatBox->currentText() : base::de::monthName(monat)));
    dm.TTblVarKosten.SetFiltered(true);
    auto *seiten = qobject_cast<ui::PageControl *>(
        KomponenteFinden(QStringLiteral("HauptFormular"), QStringLiteral("PageCtrlMain")));
    auto *kosten = qobject_cast<ui::TabSheet *>(
        KomponenteFinden(QStringLiteral("HauptFormular"), QStringLiteral("TabKosten")));
    if (seiten && kosten)
        seiten->setActivePage(kosten);
}

void TMonatsauswertungAlleFahrzeugeFormular::drucken(int modus)
{
    if (!TblMonatsauswertungAF.Active() || TblMonatsauswertungAF.IsEmpty()) {
        ui::messages().information(QStringLiteral("Sie haben noch keine Monatsauswertungen ermittelt"));
        return;
    }
    reportDienste().PrintReport(kReportMonatsauswertungAlle, modus);
}

void TMonatsauswertungAlleFahrzeugeFormular::TBitBtnMonatsauswertungAlleFahrzeugeDruckenClick()
{
    drucken(kDrucken);
}

void TMonatsauswertungAlleFahrzeugeFormular::TBitBtnMonatsauswertungAlleFahrzeugeVorschauClick()
{
    drucken(kVorschau);
}

} // namespace fleet
