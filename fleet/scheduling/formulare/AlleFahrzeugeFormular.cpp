#include "formulare/AlleFahrzeugeFormular.h"

#include <algorithm>

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "daten/DataModule1.h"
#include "dienste/Formularzugriff.h"
#include "dienste/ReportDienste.h"
#include "formulare/AuswertungsBausteine.h"
#include "logik/Fahrzeugvergleich.h"
#include "regeln/AuswertungFilter.h"
#include "ui/Connect.h"
#include "ui/DBGrid.h"
#include "ui/Hourglass.h"
#include "ui/Messages.h"

namespace fleet {

TAlleFahrzeugeFormular *AlleFahrzeugeFormular = nullptr;

TAlleFahrzeugeFormular *AlleFahrzeugeFormularBereitstellen()
{
    return FormularBereitstellen(AlleFahrzeugeFormular, QStringLiteral("AlleFahrzeugeFormular"));
}

namespace {

constexpr int kReportVergleich = 5;

} // namespace

TAlleFahrzeugeFormular::TAlleFahrzeugeFormular(QWidget *parent)
    : ui::FormBase(QStringLiteral("AlleFahrzeugeFormular"), parent)
{
    setWindowTitle(QStringLiteral("Fuhrpark Fahrzeugvergleich"));
    setWindowFlags(Qt::Window);
    resize(980, 560);
    TDBGridAlleFahrzeuge = ui::make<ui::DBGrid>(this, "TDBGridAlleFahrzeuge");
    TDBGridAlleFahrzeuge->setDataSource(&DataModule1->TDataSrcAlleFahrzeuge);
    TDBGridAlleFahrzeuge->setReadOnly(true);
    TDBGridAlleFahrzeuge->setRowSelect(true);
    TComboBoxSort = ui::make<QComboBox>(this, "TComboBoxSort");
    TComboBoxSort->setToolTip(QStringLiteral("Sortierung der Tabelle"));
    for (const VergleichSortierung &s : VergleichSortierungen())
        TComboBoxSort->addItem(s.text);
    TComboBoxSort->setCurrentIndex(0);
    auto *sortLabel = new QLabel(QStringLiteral("Tabelle sortieren  nach.."), this);
    sortLabel->setBuddy(TComboBoxSort);
    const DruckKnoepfe druck = DruckKnoepfeAnlegen(
        this, QStringLiteral("Druckt die Gegenüberstellung"),
        QStringLiteral("Zeigt die Druckvorschau der Durchschnittswerte"),
        [this] { TBitBtnAlleFahrzeugeAuswertungDruckenClick(); },
        [this] { TBitBtnDurchschnittVorschauClick(); });
    TBitBtnAlleFahrzeugeAuswertungDrucken = druck.drucken;
    TBitBtnDurchschnittVorschau = druck.vorschau;
    BitBtnSchliessen = ui::make<QPushButton>(this, "BitBtnSchliessen", QStringLiteral("&Schließen"));
    setButtonResult(BitBtnSchliessen, ui::mrCancel);
    setCancelButton(BitBtnSchliessen);
    StatusBarFahrzeugvergleich = ui::make<QStatusBar>(this, "StatusBarFahrzeugvergleich");
    StatusBarFahrzeugvergleich->setSizeGripEnabled(false);
    ProgBarFahrzeugvergleich = ui::make<QProgressBar>(this, "ProgBarFahrzeugvergleich");
    ProgBarFahrzeugvergleich->hide();

    auto *oben = new QHBoxLayout;
    oben->addWidget(sortLabel);
    oben->addWidget(TComboBoxSort);
    oben->addStretch();
    auto *knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(TBitBtnAlleFahrzeugeAuswertungDrucken);
    knoepfe->addWidget(TBitBtnDurchschnittVorschau);
    knoepfe->addWidget(BitBtnSchliessen);
    auto *haupt = new QVBoxLayout(this);
    haupt->addLayout(oben);
    haupt->addWidget(TDBGridAlleFahrzeuge, 1);
    haupt->addWidget(ProgBarFahrzeugvergleich);
    haupt->addLayout(knoepfe);
    haupt->addWidget(StatusBarFahrzeugvergleich);

    ui::on(this, &ui::FormBase::formActivate, this, &TAlleFahrzeugeFormular::FormActivate);
    ui::on(TComboBoxSort, &QComboBox::activated, this, &TAlleFahrzeugeFormular::TComboBoxSortChange);
}

void TAlleFahrzeugeFormular::FormActivate()
{
    StatusBarFahrzeugvergleich->showMessage(AuswertungFilterText());
    ui::HourglassScope sanduhr;
    ProgBarFahrzeugvergleich->setValue(0);
    ProgBarFahrzeugvergleich->setMaximum(std::max(1, DataModule1->TTblMain.RecordCount()));
    ProgBarFahrzeugvergleich->show();
    // To the end of the run, also when Escape or a failure ends it.
    struct Verbergen {
        QProgressBar *balken;
        ~Verbergen() { balken->hide(); }
    } verbergen{ProgBarFahrzeugvergleich};
    if (!FahrzeugvergleichBerechnen(*DataModule1, FortschrittSchritt(ProgBarFahrzeugvergleich)))
        ui::messages().error(QStringLiteral("Fehler beim Löschen der Fahrzeugvergleichs-Tabelle"));
}

void TAlleFahrzeugeFormular::TComboBoxSortChange()
{
    const int i = TComboBoxSort->currentIndex();
    if (i < 0 || i >= VergleichSortierungen().size())
        return;
    DataModule1->TTblAlleFahrzeuge.SetIndexFieldNames(VergleichSortierungen()[i].indexFelder);
}

void TAlleFahrzeugeFormular::drucken(int modus)
{
    const dbe::TTable &vergleich = DataModule1->TTblAlleFahrzeuge;
    if (!vergleich.Active() || vergleich.IsEmpty()) {
        ui::messages().information(QStringLiteral(
            "Es sind noch keine Fahrzeuge in der Tabelle - legen Sie zunächst Fahrzeuge an und "
            "speichern Sie deren Monatsauswertungen"));
        return;
    }
    reportDienste().PrintReport(kReportVergleich, modus);
}

void TAlleFahrzeugeFormular::TBitBtnAlleFahrzeugeAuswertungDruckenClick()
{
    drucken(kDrucken);
}

void TAlleFahrzeugeFormular::TBitBtnDurchschnittVorschauClick()
{
    drucken(kVorschau);
}

} // namespace fleet
