#include "formulare/FuhrparkKostenFormular.h"

#include <exception>

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "base/GermanFormat.h"
#include "daten/DataModule1.h"
#include "daten/Einstellungswerte.h"
#include "dbe/Field.h"
#include "dienste/Formularzugriff.h"
#include "dienste/ReportDienste.h"
#include "formulare/AuswertungsBausteine.h"
#include "formulare/BalkenDiagramm.h"
#include "formulare/HauptFormular.h"
#include "regeln/AuswertungFilter.h"
#include "regeln/FeldBezeichnungen.h"
#include "ui/Connect.h"
#include "ui/DBGrid.h"
#include "ui/Hourglass.h"
#include "ui/RadioGroup.h"

namespace fleet {

TFuhrparkKostenFormular *FuhrparkKostenFormular = nullptr;

TFuhrparkKostenFormular *FuhrparkKostenFormularBereitstellen()
{
    return FormularBereitstellen(FuhrparkKostenFormular, QStringLiteral("FuhrparkKostenFormular"));
}

namespace {

constexpr int kReportFuhrparkKosten = 8;

QString geld(base::Currency c)
{
    return base::de::formatFixed(c.toDouble(), 2);
}

} // namespace

TFuhrparkKostenFormular::TFuhrparkKostenFormular(QWidget *parent)
    : ui::FormBase(QStringLiteral("FuhrparkKostenFormular"), parent)
{
    setWindowTitle(QStringLiteral("Fuhrpark Kosten/Ertrag"));
    setWindowFlags(Qt::Window);
    resize(1180, 760);
    RadioGrpSicht = ui::make<ui::RadioGroup>(this, "RadioGrpSicht");
    RadioGrpSicht->setTitle(QStringLiteral("Sichtb. Zeitraum"));
    RadioGrpSicht->setItems({QStringLiteral("Alle"), QStringLiteral("Jahr"), QStringLiteral("Monat")});
    RadioGrpSicht->setColumns(3);
    RadioGrpSicht->setToolTip(QStringLiteral("Bestimmen Sie den Zeitraum für die Berechnung"));
    ComboBoxJahr = ui::make<QComboBox>(this, "ComboBoxJahr");
    for (int j = 1990; j <= 2030; ++j)
        ComboBoxJahr->addItem(QString::number(j));
    ComboBoxJahr->setToolTip(QStringLiteral("Wählen Sie das Jahr für die Berechnung"));
    CmbBoxMonat = ui::make<QComboBox>(this, "CmbBoxMonat");
    CmbBoxMonat->addItems(base::de::kMonthNames);
    CmbBoxMonat->setToolTip(QStringLiteral("Wählen Sie den Monat für die Berechnung"));
    LblAuswertungszeitraum = ui::make<QLabel>(this, "LblAuswertungszeitraum");
    QFont fett = LblAuswertungszeitraum->font();
    fett.setBold(true);
    LblAuswertungszeitraum->setFont(fett);
    LblFilter = ui::make<QLabel>(this, "LblFilter");
    LblFilter->setToolTip(QStringLiteral(
        "Zeigt den im Hauptformular gesetzten Filter, der auch in diesem Formular wirksam ist"));
    DBGridFuhrpark = ui::make<ui::DBGrid>(this, "DBGridFuhrpark");
    DBGridFuhrpark->setDataSource(&DataModule1->TDataSrcFuhrparkKosten);
    DBGridFuhrpark->setReadOnly(true);
    DBGridFuhrpark->setToolTip(QStringLiteral(
        "Grafikgröße ändern - Maus über die rote Linie halten, linke Maustaste drücken und mit "
        "gedrückter Maustaste nach links oder rechts ziehen.."));
    DBChartFuhrpark = ui::make<TBalkenDiagramm>(this, "DBChartFuhrpark");
    SplitterFuhrpark = ui::make<QSplitter>(this, "SplitterFuhrpark", Qt::Horizontal);
    SplitterFuhrpark->addWidget(DBGridFuhrpark);
    SplitterFuhrpark->addWidget(DBChartFuhrpark);
    SplitterFuhrpark->setHandleWidth(4);
    SplitterFuhrpark->setStyleSheet(QStringLiteral("QSplitter::handle { background: red; }"));
    DBChartFuhrpark->setMinimumWidth(200);
    SplitterFuhrpark->setSizes({620, 520});

    PanMonatsuebersichtKosten = ui::make<QFrame>(this, "PanMonatsuebersichtKosten");
    PanMonatsuebersichtKosten->setFrameShape(QFrame::StyledPanel);
    LblSummeFuhrparkGesamtkosten =
        SummenLabel(this, "LblSummeFuhrparkGesamtkosten", QStringLiteral("0,00"), 95);
    LblSummeFuhrparkVarkosten = SummenLabel(this, "LblSummeFuhrparkVarkosten", QStringLiteral("0,00"), 95);
    LblSummeFuhrparkFixkosten = SummenLabel(this, "LblSummeFuhrparkFixkosten", QStringLiteral("0,00"), 95);
    LBLSummeFuhrparkVerbrauchKosten =
        SummenLabel(this, "LBLSummeFuhrparkVerbrauchKosten", QStringLiteral("0,00"), 95);
    LblSummeFuhrparkReparaturKosten =
        SummenLabel(this, "LblSummeFuhrparkReparaturKosten", QStringLiteral("0,00"), 95);
    LblSummeFuhrparkWartungKosten =
        SummenLabel(this, "LblSummeFuhrparkWartungKosten", QStringLiteral("0,00"), 95);
    LblSummeFuhrparkUntersuchungKosten =
        SummenLabel(this, "LblSummeFuhrparkUntersuchungKosten", QStringLiteral("0,00"), 95);
    LblSummeFuhrparkReifenKosten =
        SummenLabel(this, "LblSummeFuhrparkReifenKosten", QStringLiteral("0,00"), 95);
    LblSummeFuhrparkPflegeKosten =
        SummenLabel(this, "LblSummeFuhrparkPflegeKosten", QStringLiteral("0,00"), 95);
    LblSummeFuhrparkSonstigeKosten =
        SummenLabel(this, "LblSummeFuhrparkSonstigeKosten", QStringLiteral("0,00"), 95);
    LblSummeFuhrparkSonstige2Kosten =
        SummenLabel(this, "LblSummeFuhrparkSonstige2Kosten", QStringLiteral("0,00"), 95);
    LblSummeFuhrparkSonstige3Kosten =
        SummenLabel(this, "LblSummeFuhrparkSonstige3Kosten", QStringLiteral("0,00"), 95);
    LblSummeFuhrparkSonstige4Kosten =
        SummenLabel(this, "LblSummeFuhrparkSonstige4Kosten", QStringLiteral("0,00"), 95);
    LBLSummeFuhrparkGefKm = SummenLabel(this, "LBLSummeFuhrparkGefKm", QStringLiteral("0,00"), 95);
    LblSummeFuhrparkVerbrauchL = SummenLabel(this, "LblSummeFuhrparkVerbrauchL", QStringLiteral("0,00"), 95);
    LblSummeFuhrparkSchadstoff = SummenLabel(this, "LblSummeFuhrparkSchadstoff", QStringLiteral("0,00"), 95);
    LblSummeFuhrparkErtrag = SummenLabel(this, "LblSummeFuhrparkErtrag", QStringLiteral("0,00"), 95);
    LblSonstigeKostenName = ui::make<QLabel>(this, "LblSonstigeKostenName", QStringLiteral("Sonstige"));
    LblSonstige2KostenName = ui::make<QLabel>(this, "LblSonstige2KostenName", QStringLiteral("Sonstige2"));
    LblSonstige3KostenName = ui::make<QLabel>(this, "LblSonstige3KostenName", QStringLiteral("Sonstige3"));
    LblSonstige4KostenName = ui::make<QLabel>(this, "LblSonstige4KostenName", QStringLiteral("Sonstige4"));
    LblFuhrparkSchadstoff = ui::make<QLabel>(this, "LblFuhrparkSchadstoff");
    auto *summen = new QGridLayout(PanMonatsuebersichtKosten);
    auto *kopf = new QLabel(QStringLiteral("Fuhrpark aufgelaufene Kosten:"), PanMonatsuebersichtKosten);
    kopf->setFont(fett);
    summen->addWidget(kopf, 0, 0, 1, 4);
    summen->addWidget(new QLabel(QStringLiteral("Summen:"), PanMonatsuebersichtKosten), 0, 4, 1, 2);
    const std::pair<QWidget *, QLabel *> zeilen[] = {
        {new QLabel(QStringLiteral("Gesamtkosten:"), this), LblSummeFuhrparkGesamtkosten},
        {new QLabel(QStringLiteral("Variable Kosten:"), this), LblSummeFuhrparkVarkosten},
        {new QLabel(QStringLiteral("Fixkosten:"), this), LblSummeFuhrparkFixkosten},
        {new QLabel(QStringLiteral("Verbrauch:"), this), LBLSummeFuhrparkVerbrauchKosten},
        {new QLabel(QStringLiteral("Reparatur:"), this), LblSummeFuhrparkReparaturKosten},
        {new QLabel(QStringLiteral("Wartung:"), this), LblSummeFuhrparkWartungKosten},
        {new QLabel(QStringLiteral("Untersuchung:"), this), LblSummeFuhrparkUntersuchungKosten},
        {new QLabel(QStringLiteral("Reifen:"), this), LblSummeFuhrparkReifenKosten},
        {new QLabel(QStringLiteral("Pflege:"), this), LblSummeFuhrparkPflegeKosten},
        {LblSonstigeKostenName, LblSummeFuhrparkSonstigeKosten},
        {LblSonstige2KostenName, LblSummeFuhrparkSonstige2Kosten},
        {LblSonstige3KostenName, LblSummeFuhrparkSonstige3Kosten},
        {LblSonstige4KostenName, LblSummeFuhrparkSonstige4Kosten},
        {new QLabel(QStringLiteral("Gef. Km.:"), this), LBLSummeFuhrparkGefKm},
        {new QLabel(QStringLiteral("Verbrauch/L.:"), this), LblSummeFuhrparkVerbrauchL},
        {LblFuhrparkSchadstoff, LblSummeFuhrparkSchadstoff},
        {new QLabel(QStringLiteral("Ertrag:"), this), LblSummeFuhrparkErtrag},
    };
    // Three pairs of columns, filled row by row.
    for (int i = 0; i < int(std::size(zeilen)); ++i) {
        const int z = 1 + i / 3, s = (i % 3) * 2;
        summen->addWidget(zeilen[i].first, z, s);
        summen->addWidget(zeilen[i].second, z, s + 1);
    }
    ProgBarFuhrparkkosten = ui::make<QProgressBar>(this, "ProgBarFuhrparkkosten");
    ProgBarFuhrparkkosten->hide();
    const DruckKnoepfe druck = DruckKnoepfeAnlegen(
        this, QStringLiteral("Druckt die Fuhrpark Kosten-/Ertragsübersicht"),
        QStringLiteral("Zeigt die Druckvorschau der Fuhrpark Kosten-/Ertragsübersicht"),
        [this] { TBitBtnAlleFahrzeugeAuswertungDruckenClick(); },
        [this] { TBitBtnDurchschnittVorschauClick(); });
    TBitBtnAlleFahrzeugeAuswertungDrucken = druck.drucken;
    TBitBtnDurchschnittVorschau = druck.vorschau;
    BitBtnSchliessen = ui::make<QPushButton>(this, "BitBtnSchliessen", QStringLiteral("&Schließen"));
    setButtonResult(BitBtnSchliessen, ui::mrCancel);
    setCancelButton(BitBtnSchliessen);

    auto *zeitraum = new QHBoxLayout;
    zeitraum->addWidget(RadioGrpSicht);
    zeitraum->addWidget(new QLabel(QStringLiteral("Jahr:"), this));
    zeitraum->addWidget(ComboBoxJahr);
    zeitraum->addWidget(new QLabel(QStringLiteral("Monat:"), this));
    zeitraum->addWidget(CmbBoxMonat);
    auto *texte = new QVBoxLayout;
    texte->addWidget(LblAuswertungszeitraum);
    texte->addWidget(LblFilter);
    zeitraum->addLayout(texte, 1);
    auto *knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(TBitBtnAlleFahrzeugeAuswertungDrucken);
    knoepfe->addWidget(TBitBtnDurchschnittVorschau);
    knoepfe->addWidget(BitBtnSchliessen);
    auto *haupt = new QVBoxLayout(this);
    haupt->addLayout(zeitraum);
    haupt->addWidget(SplitterFuhrpark, 1);
    haupt->addWidget(ProgBarFuhrparkkosten);
    haupt->addWidget(PanMonatsuebersichtKosten);
    haupt->addLayout(knoepfe);

    ui::on(this, &ui::FormBase::formActivate, this, &TFuhrparkKostenFormular::FormActivate);
    ui::on(RadioGrpSicht, &ui::RadioGroup::onClick, this, &TFuhrparkKostenFormular::RadioGrpSichtClick);
    ui::on(ComboBoxJahr, &QComboBox::activated, this, &TFuhrparkKostenFormular::RadioGrpSichtClick);
    ui::on(CmbBoxMonat, &QComboBox::activated, this, &TFuhrparkKostenFormular::RadioGrpSichtClick);
    ui::on(DBGridFuhrpark, &ui::DBGrid::onColEnter, this, &TFuhrparkKostenFormular::DBGridFuhrparkColEnter);
    DBChartFuhrpark->beimDoppelklick = [this] { DBChartFuhrparkDblClick(); };
    FormCreate();
}

void TFuhrparkKostenFormular::FormCreate()
{
    // The filter the main window hands over is left alone: the command that
    // hands it over may be the one that makes this form.
    const QSignalBlocker still(RadioGrpSicht);
    RadioGrpSicht->setItemIndex(0);
    ComboBoxJahr->setCurrentIndex(ComboBoxJahr->findText(HeuteJahrText));
    CmbBoxMonat->setCurrentIndex(HeuteMonat >= 1 ? HeuteMonat - 1 : 0);
    LblSonstigeKostenName->setText(FeldBezeichnungen[QStringLiteral("NameSonstigeKosten")]);
    LblSonstige2KostenName->setText(FeldBezeichnungen[QStringLiteral("NameSonstige2Kosten")]);
    LblSonstige3KostenName->setText(FeldBezeichnungen[QStringLiteral("NameSonstige3Kosten")]);
    LblSonstige4KostenName->setText(FeldBezeichnungen[QStringLiteral("NameSonstige4Kosten")]);
    LblFuhrparkSchadstoff->setText(FeldBezeichnungen[QStringLiteral("NameSchadstoff")] +
                                   QStringLiteral("/Gef.Km.(kg)"));
    DataModule1->TTblFuhrparkKosten.FieldByName(QStringLiteral("Ertrag"))->SetVisible(TourenModus);
}

void TFuhrparkKostenFormular::FormActivate()
{
    FuhrparkKostenBerechnen();
    LblFilter->setText(AuswertungFilterText());
    DBGridFuhrpark->setFocus();
}

void TFuhrparkKostenFormular::RadioGrpSichtClick()
{
    FuhrparkKostenBerechnen();
}

void TFuhrparkKostenFormular::AuswertungszeitraumAnzeigen(const QString &monat, const QString &jahr)
{
    LblAuswertungszeitraum->setText(AuswertungszeitraumText(monat, jahr));
}

void TFuhrparkKostenFormular::FuhrparkKostenBerechnen()
{
    ui::HourglassScope sanduhr;
    const auto zeitraum = static_cast<FuhrparkZeitraum>(std::max(0, RadioGrpSicht->itemIndex()));
    const QString jahr = ComboBoxJahr->currentText(), monat = CmbBoxMonat->currentText();
    ComboBoxJahr->setEnabled(zeitraum != FuhrparkZeitraum::Alle);
    CmbBoxMonat->setEnabled(zeitraum == FuhrparkZeitraum::Monat);
    AuswertungszeitraumAnzeigen(zeitraum == FuhrparkZeitraum::Monat ? monat : QString(),
                                zeitraum == FuhrparkZeitraum::Alle ? QString() : jahr);
    DBGridFuhrpark->hide();
    DBChartFuhrpark->hide();
    PanMonatsuebersichtKosten->hide();
    ProgBarFuhrparkkosten->setValue(0);
    ProgBarFuhrparkkosten->setMaximum(std::max(1, DataModule1->TTblMain.RecordCount()));
    ProgBarFuhrparkkosten->show();
    // Grid, chart and totals come back with what was reached, also after a failure.
    struct Abschluss {
        TFuhrparkKostenFormular *f;
        ~Abschluss()
        {
            f->ProgBarFuhrparkkosten->hide();
            f->DBGridFuhrpark->show();
            f->DBChartFuhrpark->show();
            f->PanMonatsuebersichtKosten->show();
            f->summenZeigen();
            try {
                f->diagrammFuellen(f->diagrammFeld_);
            } catch (const std::exception &) {
                // An empty chart; the run's failure is reported.
            }
        }
    } abschluss{this};
    fleet::FuhrparkKostenBerechnen(*DataModule1, FuhrparkZeitraumFilter(zeitraum, jahr, monat), Summen,
                                   FortschrittSchritt(ProgBarFuhrparkkosten));
}

void TFuhrparkKostenFormular::summenZeigen()
{
    const std::pair<QLabel *, base::Currency> geldLabels[] = {
        {LblSummeFuhrparkGesamtkosten, Summen.Gesamt},
        {LblSummeFuhrparkVarkosten, Summen.Var},
        {LblSummeFuhrparkFixkosten, Summen.Fix},
        {LBLSummeFuhrparkVerbrauchKosten, Summen.Verbrauch},
        {LblSummeFuhrparkReparaturKosten, Summen.Reparatur},
        {LblSummeFuhrparkWartungKosten, Summen.Wartung},
        {LblSummeFuhrparkUntersuchungKosten, Summen.Untersuchung},
        {LblSummeFuhrparkReifenKosten, Summen.Reifen},
        {LblSummeFuhrparkPflegeKosten, Summen.Pflege},
        {LblSummeFuhrparkSonstigeKosten, Summen.Sonstige},
        {LblSummeFuhrparkSonstige2Kosten, Summen.Sonstige2},
        {LblSummeFuhrparkSonstige3Kosten, Summen.Sonstige3},
        {LblSummeFuhrparkSonstige4Kosten, Summen.Sonstige4},
    };
    for (const auto &[label, wert] : geldLabels)
        label->setText(geld(wert));
    LBLSummeFuhrparkGefKm->setText(base::de::formatFixed(Summen.Km.toDouble(), 0));
    LblSummeFuhrparkVerbrauchL->setText(base::de::formatFixed(Summen.Liter, 2));
    LblSummeFuhrparkSchadstoff->setText(base::de::formatFixed(Summen.Schadstoff, 0));
    LblSummeFuhrparkErtrag->setText(TourenModus ? geld(Summen.Ertrag) : QStringLiteral("n. V.  "));
}

void TFuhrparkKostenFormular::diagrammFuellen(const QString &feld)
{
    dbe::TTable &t = DataModule1->TTblFuhrparkKosten;
    QStringList namen;
    QList<double> werte;
    if (t.Active()) {
        dbe::TField *kfz = t.FieldByName(QStringLiteral("KfzNr"));
        dbe::TField *wert = t.FieldByName(feld);
        for (int zeile = 1; zeile <= t.RecordCount(); ++zeile) {
            namen << t.RecordText(zeile, kfz, false);
            werte << t.RecordValue(zeile, wert).toDouble();
        }
        DBChartFuhrpark->setTitel(wert->DisplayLabel());
    }
    DBChartFuhrpark->setDaten(namen, werte);
}

void TFuhrparkKostenFormular::DBGridFuhrparkColEnter()
{
    const int spalte = DBGridFuhrpark->selectedIndex();
    if (spalte <= 3)
        return;
    try {
        dbe::TField *f = DBGridFuhrpark->columnField(spalte);
        if (!f)
            return;
        diagrammFeld_ = f->FieldName();
        diagrammFuellen(diagrammFeld_);
    } catch (const std::exception &) {
        // The chart stays as it was.
    }
}

void TFuhrparkKostenFormular::DBChartFuhrparkDblClick()
{
    DBChartFuhrpark->zoomZuruecksetzen();
}

void TFuhrparkKostenFormular::drucken(int modus)
{
    // The report shows the chart as it stands; a picture that cannot be written is left out.
    DBChartFuhrpark->bildSpeichern(QDir::current().filePath(QStringLiteral("Fuhrpks~.wmf")));
    reportDienste().PrintReport(kReportFuhrparkKosten, modus);
}

void TFuhrparkKostenFormular::TBitBtnAlleFahrzeugeAuswertungDruckenClick()
{
    drucken(kDrucken);
}

void TFuhrparkKostenFormular::TBitBtnDurchschnittVorschauClick()
{
    drucken(kVorschau);
}

} // namespace fleet
