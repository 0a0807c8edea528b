#include "formulare/seiten/DispoSeite.h"

#include <cmath>

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "base/Abort.h"
#include "daten/DataModule1.h"
#include "daten/Einstellungswerte.h"
#include "dbe/Table.h"
#include "dienste/Protokoll.h"
#include "dienste/ReportDienste.h"
#include "dienste/TerminDienste.h"
#include "formulare/HauptFormular.h"
#include "formulare/seiten/Bausteine.h"
#include "formulare/seiten/DruckKnoepfe.h"
#include "regeln/DispoAuslastung.h"
#include "regeln/DispoRegeln.h"
#include "ui/Clock.h"
#include "ui/Colors.h"
#include "ui/ComboBox.h"
#include "ui/Connect.h"
#include "ui/DBEdit.h"
#include "ui/DBGrid.h"
#include "ui/DatePicker.h"
#include "ui/FormBase.h"
#include "ui/GanttChart.h"
#include "ui/Messages.h"
#include "ui/PageControl.h"
#include "ui/RadioGroup.h"

namespace fleet {

bool KmHinweisZeigen = true;

using namespace seiten;

namespace {

const QString kKmHinweis = QStringLiteral(
    "Bitte vergessen Sie nicht, die Abfahrts- und Ankunftskilometerstände in den neuen Tourendatensätzen "
    "nachzutragen, da ansonsten keine kilometerbasierenden Auswertungen in der Monatsauswertung möglich "
    "sind. \rBei diesem Kopiervorgang werden die entsprechenden Felder in dem Tourendatensatz auf Null "
    "gesetzt");
const QString kKopieFehlgeschlagen = QStringLiteral(
    "Der Kopiervorgang ist fehlgeschlagen, vermutlich ist dieser Dispositionsdatensatz schon in der "
    "Tourentabelle vorhanden oder die Tourentabelle wurde gerade von einem anderen Anwender gesperrt");

// The bookings the time line shows at once; with more it shows one day at a
// time, which scrolling moves.
constexpr int kBalkenAufEinmal = 1000;
constexpr int kFensterTage = 1;

dbe::TTable &dispo()
{
    return DataModule1->TTblDispo;
}

bool bearbeitet(const dbe::TTable &t)
{
    return t.State() == dbe::TDataSetState::dsEdit || t.State() == dbe::TDataSetState::dsInsert;
}

// Leaves a trace of a swallowed failure; a silent abort is no fault: the
// rules refused after their message, or the user ended the command.
void verschluckt(const char *wo, const std::exception &fehler)
{
    if (!dynamic_cast<const base::SilentAbort *>(&fehler))
        Verschluckt(wo, fehler);
}

} // namespace

template <class Befehl> bool DispoSeite::ausfuehren(const char *wo, Befehl befehl)
{
    try {
        befehl();
        return true;
    } catch (const std::exception &e) {
        verschluckt(wo, e);
    }
    return false;
}

void DispoSeite::aufbauen()
{
    auto *seite = seitenLayout(this);
    sichtAufbauen(seite);

    auto *teiler = new QSplitter(Qt::Vertical, this);
    DBGridDispo = raster(teiler, "DBGridDispo", DataModule1->DataSrcDispo);
    auto *grafik = new QWidget(teiler);
    auto *grafikLayout = new QHBoxLayout(grafik);
    grafikLayout->setContentsMargins(0, 0, 0, 0);
    DBChart1 = ui::make<ui::GanttChart>(grafik, "DBChart1");
    DBChart1->setTitle(QStringLiteral("Dispositionen / Zeitleiste"));
    DBChart1->setMinimumHeight(160);
    grafikLayout->addWidget(DBChart1, 1);
    // Scrolling and unzoom from code only; the buttons are not shown.
    auto *grafikKnoepfe = new QVBoxLayout;
    Button1 = knopf(grafik, "Button1", QStringLiteral("<-"));
    Button2 = knopf(grafik, "Button2", QStringLiteral("->"));
    Button4 = knopf(grafik, "Button4", QStringLiteral("Unzoom"));
    for (QPushButton *k : {Button1, Button2, Button4}) {
        k->setVisible(false);
        grafikKnoepfe->addWidget(k);
    }
    grafikLayout->addLayout(grafikKnoepfe);
    teiler->setStretchFactor(0, 3);
    teiler->setStretchFactor(1, 2);
    seite->addWidget(teiler, 1);
    knoepfeAufbauen(seite);
    verbinden();
}

void DispoSeite::sichtAufbauen(QVBoxLayout *seite)
{
    auto *sicht = new QHBoxLayout;
    RadioGrpDispositionSicht =
        auswahl(this, "RadioGrpDispositionSicht", QStringLiteral("Sichtbarer Zeitraum/Dispositionen"),
                {QStringLiteral("Alle"), QStringLiteral("Zeitraum"), QStringLiteral("Monat"),
                 QStringLiteral("Tag"), QStringLiteral("Heute"), QStringLiteral("Ab heute")},
                3); // two rows: one row would cut the captions beside the date fields
    CmbBoxDispositionMonat = liste(this, "CmbBoxDispositionMonat", monate());
    CmbBoxDispositionJahr = liste(this, "CmbBoxDispositionJahr", jahre());
    DateTimePckDisposition = ui::make<ui::DatePicker>(this, "DateTimePckDisposition");
    DateTimePckDisposition->setToolTip(
        QStringLiteral("Wählen Sie den ersten Tag des anzuzeigenden  Zeitraums"));
    DateTimePckDispositionBis = ui::make<ui::DatePicker>(this, "DateTimePckDispositionBis");
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
        auswahl(this, "RadioGrpDispoFahrzeuge", QStringLiteral("Welche(s) Fahrzeug(e) anzeigen"),
                {QStringLiteral("Aktuelles"), QStringLiteral("Alle"), QStringLiteral("Filter")}, 3);
    LblSichtFilter =
        label(this, QStringLiteral("LblSichtFilter"), QStringLiteral("Sichtbarer Zeitraum: eingeschränkt"));
    LblDispositionWelcheFahrzeuge = label(this, QStringLiteral("LblDispositionWelcheFahrzeuge"),
                                          QStringLiteral("Fahrzeug-Disposition: Alle Fahrzeuge"));
    LblAuslastung = label(this, QStringLiteral("LblAuslastung"), QStringLiteral("Auslastung ca.: n.v."));
    LblAuslastung->setToolTip(
        QStringLiteral("Zeigt die ungefähre zeitliche Auslastung des Fahrzeugs bezogen auf den Zeitraum"));
    auto *texte = new QVBoxLayout;
    texte->addWidget(LblSichtFilter);
    texte->addWidget(LblDispositionWelcheFahrzeuge);
    texte->addWidget(LblAuslastung);
    fahrzeuge->addWidget(RadioGrpDispoFahrzeuge);
    fahrzeuge->addLayout(texte, 1);
    BtnExtGrafik = ui::make<QPushButton>(this, "BtnExtGrafik", QStringLiteral("&Ext.Grafik.."));
    BtnFreieFahrzeuge = ui::make<QPushButton>(this, "BtnFreieFahrzeuge", QStringLiteral("&Freie Fahrzg.."));
    fahrzeuge->addWidget(BtnExtGrafik);
    fahrzeuge->addWidget(BtnFreieFahrzeuge);
    seite->addLayout(fahrzeuge);
}

void DispoSeite::knoepfeAufbauen(QVBoxLayout *seite)
{
    auto *fuss = new QHBoxLayout;
    BtnDispoNeu = knopf(this, "BtnDispoNeu", QStringLiteral("&Neu"));
    BtnDispoKopieren = knopf(this, "BtnDispoKopieren", QStringLiteral("&Fortschreiben"));
    BtnDispoSpeichern = knopf(this, "BtnDispoSpeichern", QStringLiteral("&Speichern"));
    BtnDispoLoeschen = knopf(this, "BtnDispoLoeschen", QStringLiteral("&Löschen"));
    const DruckKnoepfe druck =
        druckKnoepfe(this, "BitBtnDispoDrucken", "BitBtnDispoVorschau", [this](int modus) {
            modus == kDrucken ? BitBtnDispoDruckenClick() : BitBtnDispoVorschauClick();
        });
    BitBtnDispoDrucken = druck.drucken;
    BitBtnDispoVorschau = druck.vorschau;
    BtnInTourenKopieren = knopf(this, "BtnInTourenKopieren", QStringLiteral("-> &Touren"));
    BtnInTourenKopieren->setVisible(false);
    for (QPushButton *k : {BtnDispoNeu, BtnDispoKopieren, BtnDispoSpeichern, BtnDispoLoeschen,
                           BitBtnDispoDrucken, BitBtnDispoVorschau, BtnInTourenKopieren})
        fuss->addWidget(k);
    fuss->addStretch(1);
    seite->addLayout(fuss);
}

void DispoSeite::verbinden()
{
    ui::on(RadioGrpDispositionSicht, &ui::RadioGroup::onClick, this,
           [this] { RadioGrpDispositionSichtClick(); });
    ui::on(RadioGrpDispoFahrzeuge, &ui::RadioGroup::onClick, this, [this] { RadioGrpDispoFahrzeugeClick(); });
    ui::on(CmbBoxDispositionMonat, &ui::ComboBox::onChange, this, [this] { CmbBoxDispositionMonatChange(); });
    ui::on(CmbBoxDispositionJahr, &ui::ComboBox::onChange, this, [this] { CmbBoxDispositionJahrChange(); });
    ui::on(DateTimePckDisposition, &ui::DatePicker::onChange, this,
           [this] { DateTimePckDispositionChange(); });
    ui::on(DateTimePckDispositionBis, &ui::DatePicker::onChange, this,
           [this] { DateTimePckDispositionBisChange(); });
    ui::on(DateTimePckDispositionBis, &ui::DatePicker::onCloseUp, this,
           [this] { DateTimePckDispositionBisCloseUp(); });
    DateTimePckDispositionBis->installEventFilter(this);
    ui::on(BtnDispoNeu, &QPushButton::clicked, this, [this] { BtnDispoNeuClick(); });
    ui::on(BtnDispoKopieren, &QPushButton::clicked, this, [this] { BtnDispoKopierenClick(); });
    ui::on(BtnDispoSpeichern, &QPushButton::clicked, this, [this] { BtnDispoSpeichernClick(); });
    ui::on(BtnDispoLoeschen, &QPushButton::clicked, this, [this] { BtnDispoLoeschenClick(); });
    ui::on(BtnInTourenKopieren, &QPushButton::clicked, this, [this] { BtnInTourenKopierenClick(); });
    ui::on(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    ui::on(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    ui::on(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    ui::on(DBGridDispo, &ui::DBGrid::onColumnMoved, this,
           [] { SpaltenVerschoben.insert(QStringLiteral("Dispo")); });
    ui::on(DBGridDispo, &ui::DBGrid::onColEnter, this, [this] { DBGridDispoColEnter(); });
    ui::on(DBGridDispo, &ui::DBGrid::onKeyDown, this,
           [this](int &key, Qt::KeyboardModifiers) { DBGridDispoKeyDown(key); });
    ui::on(DBChart1, &ui::GanttChart::timeScrolled, this, [this] { zeitleisteVerschoben(); });
    ui::on(DBChart1, &ui::GanttChart::zoomUndone, this, [this] { zeitleisteVerschoben(); });
    ui::on(DBChart1, &ui::GanttChart::barClicked, this, [this](int balken, Qt::MouseButton knopf) {
        bool erledigt = false;
        DBChart1ClickSeries(balken, knopf, erledigt);
        Series15Click(balken, knopf);
    });
}

bool DispoSeite::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == DateTimePckDispositionBis && event->type() == QEvent::KeyRelease)
        ui::guard(this, [this] { DateTimePckDispositionBisKeyUp(); });
    return HauptSeite::eventFilter(watched, event);
}

void DispoSeite::anfangen()
{
    RadioGrpDispositionSicht->setItemIndex(0);
    RadioGrpDispoFahrzeuge->setItemIndex(0);
    JahrAufHeute(CmbBoxDispositionJahr);
    MonatAufHeute(CmbBoxDispositionMonat);
    const base::TDateTime heute = ui::today();
    DateTimePckDisposition->setValue(heute);
    DateTimePckDispositionBis->setValue(heute);
    KmHinweisZeigen = true;
}

void DispoSeite::betreten()
{
    // Printing needs the report part; copying into the tours the tours mode.
    const bool drucken = Dienst<ReportDienste>::vorhanden();
    BitBtnDispoDrucken->setEnabled(drucken);
    BitBtnDispoVorschau->setEnabled(drucken);
    BtnInTourenKopieren->setVisible(TourenModus);
    if (RadioGrpDispoFahrzeuge->itemIndex() != 0)
        RadioGrpDispoFahrzeuge->setItemIndex(0);
    if (!SpaltenpositionenGeladen.contains(QStringLiteral("Dispo"))) {
        SpaltenordnungEinmalLaden(QStringLiteral("Dispo"));
        DBGridDispo->setSelectedIndex(1);
        DBGridDispo->setSelectedIndex(0);
    }
    AuslastungAnzeigen();
    DispoGrafikZeitraumSetzen();
    DBGridDispo->setFocus();
    DBGridDispo->setSelectedIndex(0);
}

void DispoSeite::verlassen()
{
    if (!Dienst<TerminDienste>::vorhanden())
        return;
    // The dispatch forms live only with their page; failures to close are of no concern.
    try {
        if (DispoFFFormularErzeugt)
            terminDienste().FreieFahrzeugeSchliessen();
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
    }
    try {
        if (GrafikFormularErzeugt)
            terminDienste().GrafikSchliessen();
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
    }
}

ui::DBGrid *DispoSeite::rasterFinden(const QString &name)
{
    return DBGridDispo->objectName() == name ? DBGridDispo : nullptr;
}

std::optional<base::TDateTime> DispoSeite::ErsterTag() const
{
    if (DateTimePckDisposition->isHidden())
        return std::nullopt;
    return std::floor(DateTimePckDisposition->value());
}

std::optional<base::TDateTime> DispoSeite::LetzterTag() const
{
    if (DateTimePckDispositionBis->isHidden())
        return std::nullopt;
    return std::floor(DateTimePckDispositionBis->value());
}

int DispoSeite::FahrzeugAuswahl() const
{
    return RadioGrpDispoFahrzeuge->itemIndex();
}

void DispoSeite::FahrzeugAuswahlSetzen(int auswahl)
{
    RadioGrpDispoFahrzeuge->setItemIndex(auswahl);
}

int DispoSeite::Sicht() const
{
    return RadioGrpDispositionSicht->itemIndex();
}

void DispoSeite::SichtSetzen(int sicht)
{
    RadioGrpDispositionSicht->setItemIndex(sicht);
}

DispoSichtDaten DispoSeite::SichtDaten() const
{
    DispoSichtDaten s;
    s.modus = RadioGrpDispositionSicht->itemIndex();
    s.von = DateTimePckDisposition->value();
    s.bis = DateTimePckDispositionBis->value();
    s.heute = ui::today();
    s.jahr = CmbBoxDispositionJahr->currentText();
    s.monat = CmbBoxDispositionMonat->currentText();
    return s;
}

void DispoSeite::AuslastungAnzeigen()
{
    DispoAuslastungLage lage;
    lage.sicht = SichtDaten();
    lage.fahrzeugAuswahl = FahrzeugAuswahl();
    lage.fahrzeugFilterAktiv = HauptFormular && HauptFormular->FahrzeugFilterAktiv();
    DispoAuslastungBerechnen(lage);
    LblAuslastung->setText(QStringLiteral("Auslastung (ca.): ") + DispoAuslastungText + QLatin1Char('%'));
}

void DispoSeite::AufAktuellesFahrzeugAlleZeitraeume()
{
    RadioGrpDispoFahrzeuge->setItemIndex(0);
    RadioGrpDispositionSicht->setItemIndex(0);
}

bool DispoSeite::bearbeitbar() const
{
    return !LeseModus && !NurLesen;
}

void DispoSeite::KnoepfeFreigeben(bool freigeben)
{
    const bool an = freigeben && bearbeitbar();
    BtnDispoNeu->setEnabled(an);
    BtnDispoKopieren->setEnabled(an && FahrzeugAuswahl() == 0);
}

// ---- view and vehicle choice

void DispoSeite::RadioGrpDispositionSichtClick()
{
    if (DataModule1) {
        const int modus = RadioGrpDispositionSicht->itemIndex();
        const bool listen = modus == 2;
        CmbBoxDispositionJahr->setEnabled(listen);
        CmbBoxDispositionMonat->setEnabled(listen);
        DateTimePckDisposition->setEnabled(modus == 1 || modus == 3);
        DateTimePckDispositionBis->setEnabled(modus == 1);
        if (modus == 4 || modus == 5)
            DateTimePckDisposition->setValue(ui::today());

        const DispoSichtDaten sicht = SichtDaten();
        dbe::TTable &t = dispo();
        if (modus == 0) {
            // Unfiltered first: emptying the text of a filtered table would pass
            // every booking through the record filter once.
            if (FahrzeugAuswahl() == 0 || FahrzeugAuswahl() == 1)
                t.SetFiltered(false);
            t.SetFilter(QString());
        } else {
            t.SetFilter(DispoFilterText(sicht));
            t.SetFiltered(true);
        }
        LblSichtFilter->setText(DispoSichtBeschriftung(sicht));
        ui::setBackgroundColor(LblSichtFilter, modus == 0 ? ui::color::Aqua : ui::color::Red);
    }
    AuslastungAnzeigen();
    DispoGrafikZeitraumSetzen();
}

void DispoSeite::RadioGrpDispoFahrzeugeClick()
{
    const int auswahl = FahrzeugAuswahl();
    BtnDispoKopieren->setEnabled(auswahl == 0 && bearbeitbar());
    if (!DataModule1)
        return;
    dbe::TTable &t = dispo();
    const auto alle = [&] {
        t.SetMasterSource(nullptr);
        t.SetMasterFields(QString());
        t.FieldByName(QStringLiteral("Kfznr"))->SetVisible(true);
        t.Refresh();
        ui::setBackgroundColor(LblDispositionWelcheFahrzeuge, ui::color::Red);
        if (HauptFormular)
            HauptFormular->PanKopfzeile->setVisible(false);
    };
    switch (auswahl) {
    case 1:
        alle();
        DBChart1->setThreeD(false);
        LblDispositionWelcheFahrzeuge->setText(QStringLiteral("Fahrzeug-Disposition: Alle Fahrzeuge"));
        if (Sicht() == 0)
            t.SetFiltered(false);
        break;
    case 2:
        if (!HauptFormular || !HauptFormular->FahrzeugFilterAktiv()) {
            ui::messages().information(QStringLiteral(
                "Es ist kein Fahrzeug-Filter aktiv (Menü <Bearbeiten> <Filter>) - daher wird die "
                "Fahrzeugwahl wieder auf \"Aktuelles\" gestellt"));
            RadioGrpDispoFahrzeuge->setItemIndex(0);
            DBGridDispo->setFocus();
            return;
        }
        t.SetFiltered(true);
        alle();
        LblDispositionWelcheFahrzeuge->setText(QStringLiteral("Fahrzeug-Disposition: Filter"));
        break;
    default:
        t.SetMasterSource(&DataModule1->TDataSrcMain);
        t.SetMasterFields(QStringLiteral("KfzNr"));
        t.FieldByName(QStringLiteral("Kfznr"))->SetVisible(false);
        t.Refresh();
        DBChart1->setThreeD(true);
        ui::setBackgroundColor(LblDispositionWelcheFahrzeuge, ui::color::Aqua);
        fahrzeugBeschriftung();
        if (HauptFormular)
            HauptFormular->PanKopfzeile->setVisible(true);
        if (Sicht() == 0)
            t.SetFiltered(false);
        break;
    }
    DBChart1->setEnabled(true);
    DBChart1->setVisible(true);
    AuslastungAnzeigen();
}

void DispoSeite::fahrzeugBeschriftung()
{
    // The vehicle whose bookings are listed, also after the vehicle changed.
    if (FahrzeugAuswahl() != 0)
        return;
    QString kfzNr;
    if (DataModule1 && DataModule1->TTblMain.Active() && !DataModule1->TTblMain.IsEmpty())
        kfzNr = DataModule1->TTblMain.FieldByName(QStringLiteral("KfzNr"))->AsString();
    LblDispositionWelcheFahrzeuge->setText(QStringLiteral("Fahrzeug-Disposition: ") + kfzNr);
}

void DispoSeite::balkenZeigen(const DispoBalkenLesung &lesung)
{
    DBChart1->clear();
    balken_ = lesung.balken;
    for (int i = 0; i < balken_.size(); ++i) {
        const DispoBalken &b = balken_.at(i);
        DBChart1->addBar({b.beginn, b.ende, 0, QColor::fromHsv((i * 47) % 360, 150, 235), b.kfzNr});
    }
    // The one row is the current vehicle's, or that of several.
    DBChart1->setRowLabels(FahrzeugAuswahl() == 0 ? QStringList() : QStringList{QStringLiteral("Fahrzeuge")});
}

std::optional<DispoTage> DispoSeite::markierteBuchung() const
{
    const dbe::TTable &t = dispo();
    if (!t.Active() || t.IsEmpty())
        return std::nullopt;
    const dbe::TField *von = t.FieldByName(QStringLiteral("DatumVon"));
    const dbe::TField *bis = t.FieldByName(QStringLiteral("DatumBis"));
    if (von->IsNull())
        return std::nullopt;
    const double erster = std::floor(von->AsDateTime());
    return DispoTage{erster, bis->IsNull() ? erster : std::floor(bis->AsDateTime())};
}

void DispoSeite::DispoGrafikZeitraumSetzen()
{
    fahrzeugBeschriftung();
    // The chart of a page not shown gets its bars when the page is entered.
    if (!DBChart1->isVisibleTo(window()))
        return;
    const DispoSichtDaten sicht = SichtDaten();
    const DispoTage tage = DispoSichtTage(sicht);
    const DispoBalkenLesung alle = DispoBalkenLesen(dispo(), tage, kBalkenAufEinmal);
    gelesen_ = alle.gelesen;
    if (alle.vollstaendig) {
        fenster_.reset();
        balkenZeigen(alle);
        double spaetester = 0;
        for (const DispoBalken &b : balken_)
            spaetester = std::max({spaetester, b.beginn, b.ende});
        const DispoAchse achse = DispoAchsenbereich(sicht, spaetester);
        if (achse.automatisch)
            DBChart1->setTimeAutomatic();
        else
            DBChart1->setTimeRange(achse.min, achse.max);
        return;
    }
    // Too many to show at once: a window of days, kept while the marked booking lies in it.
    fenster_ = DispoFenster(tage, fenster_, markierteBuchung(), ui::today(), kFensterTage);
    const DispoBalkenLesung imFenster = DispoBalkenLesen(dispo(), *fenster_);
    gelesen_ += imFenster.gelesen;
    balkenZeigen(imFenster);
    DBChart1->setTimeRange(fenster_->von, fenster_->bis + 1);
}

void DispoSeite::zeitleisteVerschoben()
{
    // With every booking of the view on the line, a move shows nothing new.
    if (!fenster_)
        return;
    fenster_ = DispoTage{std::floor(DBChart1->visibleTimeFrom()), std::ceil(DBChart1->visibleTimeTo()) - 1};
    const DispoBalkenLesung lesung = DispoBalkenLesen(dispo(), *fenster_);
    gelesen_ = lesung.gelesen;
    balkenZeigen(lesung);
}

void DispoSeite::CmbBoxDispositionMonatChange()
{
    RadioGrpDispositionSichtClick();
}

void DispoSeite::CmbBoxDispositionJahrChange()
{
    RadioGrpDispositionSichtClick();
}

void DispoSeite::DateTimePckDispositionChange()
{
    if (DateTimePckDispositionBis->value() < DateTimePckDisposition->value())
        DateTimePckDispositionBis->setValue(DateTimePckDisposition->value());
    RadioGrpDispositionSichtClick();
}

void DispoSeite::DateTimePckDispositionBisChange()
{
    RadioGrpDispositionSichtClick();
}

void DispoSeite::DateTimePckDispositionBisCloseUp()
{
    if (std::floor(DateTimePckDispositionBis->value()) >= std::floor(DateTimePckDisposition->value()))
        return;
    ui::messages().information(QStringLiteral("\"Tag Bis\" kann nicht kleiner sein als \"Tag Von\""));
    DateTimePckDispositionBis->setValue(DateTimePckDisposition->value());
    // The view was applied with the wrong day; again with the corrected one.
    RadioGrpDispositionSichtClick();
}

void DispoSeite::DateTimePckDispositionBisKeyUp()
{
    DateTimePckDispositionBisCloseUp();
}

// ---- commands

void DispoSeite::BtnDispoNeuClick()
{
    DispoFortschreiben = false;
    ausfuehren(Q_FUNC_INFO, [] { dispo().Append(); });
}

void DispoSeite::BtnDispoKopierenClick()
{
    dbe::TTable &t = dispo();
    if (t.IsEmpty())
        return;
    ausfuehren(Q_FUNC_INFO, [&t] {
        DispoFortschreiben = true;
        const auto text = [&t](const char *feld) {
            return t.FieldByName(QString::fromLatin1(feld))->AsString();
        };
        DispoKopie = {text("Tour"),         text("FahrerName"), text("FahrerKz"),   text("FahrerNr"),
                      text("Kostenstelle"), text("Bemerkung1"), text("Bemerkung2"), text("Bemerkung3")};
        t.Append();
    });
}

void DispoSeite::BtnDispoSpeichernClick()
{
    dbe::TTable &t = dispo();
    if (!bearbeitet(t))
        return;
    // Refused by the booking rules, the booking stays in edit.
    if (!ausfuehren(Q_FUNC_INFO, [&t] { t.Post(); }))
        AuslastungAnzeigen();
}

void DispoSeite::BtnDispoLoeschenClick()
{
    dbe::TTable &t = dispo();
    if (bearbeitet(t)) {
        t.Cancel();
        return;
    }
    if (!ui::messages().question(
            QStringLiteral("Möchten Sie den markierten Dispositionsdatensatz wirklich löschen")))
        return;
    try {
        t.Delete();
    } catch (...) {
        ui::messages().error(QStringLiteral("Löschen des Dispositionsdatensatzes nicht möglich"));
    }
}

void DispoSeite::BitBtnDispoDruckenClick()
{
    ReportAnfordern(1, 13, dispo().IsEmpty(),
                    QStringLiteral("Zur Zeit sind keine Dispositionsdatensätze zu drucken"));
}

void DispoSeite::BitBtnDispoVorschauClick()
{
    ReportAnfordern(
        2, 13, dispo().IsEmpty(),
        QStringLiteral("Zur Zeit sind keine Dispostionsdatensätze für die Druckvorschau verfügbar"));
}

void DispoSeite::BtnInTourenKopierenClick()
{
    if (!HauptFormular || !HauptFormular->TabTouren->tabVisible())
        return;
    dbe::TTable &t = dispo();
    if (t.IsEmpty()) {
        ui::messages().information(QStringLiteral(
            "Es kann keine Fahrzeugdisposition kopiert werden, da Sie noch keine Dispositionen "
            "für dieses Fahrzeug angelegt haben"));
        return;
    }
    if (!ui::messages().question(QStringLiteral(
            "Möchten Sie den markierten Dispositionsdatensatz in die Fahrzeugtouren übernehmen")))
        return;
    dbe::TTable &touren = DataModule1->TTblTouren;
    try {
        const auto wert = [&t](const char *feld) {
            return t.FieldByName(QString::fromLatin1(feld))->Value();
        };
        const auto setzen = [&touren](const char *feld, const QVariant &w) {
            touren.FieldByName(QString::fromLatin1(feld))->SetValue(w);
        };
        touren.Append();
        setzen("KfzNr", wert("Kfznr"));
        setzen("Datum", wert("DatumVon"));
        setzen("DatumBis", wert("DatumBis"));
        setzen("Tour", wert("Tour"));
        setzen("FahrerName", wert("FahrerName"));
        setzen("Kostenstelle", wert("Kostenstelle"));
        setzen("AbfahrtKm", 0.0);
        setzen("AnkunftKm", 0.0);
        // Without driven kilometres the tour rules would refuse every copy.
        setzen("GefahrenKm", 0.0);
        setzen("Bemerkungen", wert("Bemerkung1"));
        setzen("Bemerkung2", wert("Bemerkung2"));
        setzen("Bemerkung3", wert("Bemerkung3"));
        touren.Post();
    } catch (const std::exception &e) {
        verschluckt(Q_FUNC_INFO, e);
        try {
            if (bearbeitet(touren))
                touren.Cancel();
        } catch (const std::exception &e2) {
            Verschluckt(Q_FUNC_INFO, e2);
        }
        ui::messages().information(kKopieFehlgeschlagen);
        return;
    }
    if (KmHinweisZeigen) {
        ui::messages().information(kKmHinweis);
        KmHinweisZeigen = false;
    }
}

void DispoSeite::Button1Click()
{
    DBChart1->scrollTime(-1);
}

void DispoSeite::Button2Click()
{
    DBChart1->scrollTime(1);
}

void DispoSeite::Button4Click()
{
    DBChart1->undoZoom();
}

// ---- grid and chart

void DispoSeite::DBGridDispoColEnter()
{
    if (LeseModus)
        return;
    const int spalte = DBGridDispo->selectedIndex();
    const dbe::TField *feld = spalte >= 0 ? DBGridDispo->columnField(spalte) : nullptr;
    const QString name = feld ? feld->FieldName() : QString();
    const bool schluessel = name == QLatin1String("DatumVon") || name == QLatin1String("AngelegtVon") ||
                            name == QLatin1String("Kfznr") || name == QLatin1String("DatumBis");
    DBGridDispo->setReadOnly(schluessel && dispo().State() != dbe::TDataSetState::dsInsert);
}

void DispoSeite::DBGridDispoKeyDown(int &key)
{
    if ((key != Qt::Key_Up && key != Qt::Key_Down) || !bearbeitet(dispo()))
        return;
    if (!ausfuehren(Q_FUNC_INFO, [] { dispo().Post(); })) {
        AuslastungAnzeigen();
        key = 0;
    }
}

bool DispoSeite::buchungWaehlen(const DispoBalken &b)
{
    // By the whole key: bookings of several vehicles may share their times.
    return dispo().Locate(DispoSchluesselFelder, b.schluessel);
}

void DispoSeite::Series15Click(int balken, Qt::MouseButton knopf)
{
    if (knopf != Qt::LeftButton || balken < 0 || balken >= balken_.size())
        return;
    ausfuehren(Q_FUNC_INFO, [&] { buchungWaehlen(balken_.at(balken)); });
}

void DispoSeite::DBChart1ClickSeries(int balken, Qt::MouseButton knopf, bool &erledigt)
{
    if (FahrzeugAuswahl() != 0 || knopf != Qt::LeftButton || dispo().IsEmpty() || balken < 0 ||
        balken >= balken_.size())
        return;
    erledigt = ausfuehren(Q_FUNC_INFO, [&] { buchungWaehlen(balken_.at(balken)); });
}

} // namespace fleet
