#include "formulare/TourAuswertungFormular.h"

#include <exception>
#include <memory>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/GermanFormat.h"
#include "daten/DataModule1.h"
#include "dienste/Formularzugriff.h"
#include "dienste/ReportDienste.h"
#include "formulare/AuswertungsBausteine.h"
#include "navigation/erweiterung/DBVexarion.h"
#include "navigation/leiste/DBVNavigator.h"
#include "ui/Connect.h"
#include "ui/DBGrid.h"
#include "ui/Hourglass.h"
#include "ui/Messages.h"

namespace fleet {

TTourAuswertungFormular *TourAuswertungFormular = nullptr;

TTourAuswertungFormular *TourAuswertungFormularBereitstellen()
{
    return FormularBereitstellen(TourAuswertungFormular, QStringLiteral("TourAuswertungFormular"));
}

namespace {

constexpr int kReportTouren = 9;

} // namespace

TTourAuswertungFormular::TTourAuswertungFormular(QWidget *parent)
    : ui::FormBase(QStringLiteral("TourAuswertungFormular"), parent)
{
    setWindowTitle(QStringLiteral("Fuhrpark Touren-Auswertung"));
    setWindowFlags(Qt::Window);
    resize(980, 620);
    DBVNavigator1 = ui::make<nav::TDBVNavigator>(this, "DBVNavigator1", this);
    DBGridTourAuswertung = ui::make<ui::DBGrid>(this, "DBGridTourAuswertung");
    DBGridTourAuswertung->setDataSource(&DataModule1->DataSrcTouren);
    DBGridTourAuswertung->setReadOnly(true);
    DBGridTourAuswertung->setRowSelect(true);
    DBGridTourAuswertung->setMultiSelect(true);
    TLblSummeTouren = SummenLabel(this, "TLblSummeTouren", QStringLiteral("0"), 110);
    TLblSummeTourenKm = SummenLabel(this, "TLblSummeTourenKm", QStringLiteral("0"), 110);
    LblSummeErtraege = SummenLabel(this, "LblSummeErtraege", QStringLiteral("0,00"), 110);
    LblSummeKosten = SummenLabel(this, "LblSummeKosten", QStringLiteral("0,00"), 110);
    LblSummeKosten->setToolTip(
        QStringLiteral("Basierend auf den gef. Km. und der Kostenpauschale in den Stammdaten des Fahrzeugs"));
    BtnBerechnen = ui::make<QPushButton>(this, "BtnBerechnen", QStringLiteral("&Berechnen"));
    BtnBerechnen->setToolTip(QStringLiteral("Wenn mehrere Touren markiert sind, werden nur deren Summen "
                                            "berechnet, ansonsten die Summen aller Touren"));
    const DruckKnoepfe druck = DruckKnoepfeAnlegen(
        this, QStringLiteral("Druckt die Touren"), QStringLiteral("Zeigt die Druckvorschau der Touren"),
        [this] { TBitBtnAlleFahrzeugeAuswertungDruckenClick(); },
        [this] { TBitBtnDurchschnittVorschauClick(); });
    TBitBtnAlleFahrzeugeAuswertungDrucken = druck.drucken;
    TBitBtnDurchschnittVorschau = druck.vorschau;
    BitBtnSchliessen = ui::make<QPushButton>(this, "BitBtnSchliessen", QStringLiteral("&Schließen"));
    setButtonResult(BitBtnSchliessen, ui::mrCancel);
    setCancelButton(BitBtnSchliessen);
    ProgBarTourenAuswertung = ui::make<QProgressBar>(this, "ProgBarTourenAuswertung");
    ProgBarTourenAuswertung->hide();
    PanelTourenStatus = ui::make<QLabel>(this, "PanelTourenStatus");
    PanelTourenStatus->setFrameShape(QFrame::Panel);
    PanelTourenStatus->setFrameShadow(QFrame::Sunken);
    PanelTourenStatus->setMinimumHeight(PanelTourenStatus->fontMetrics().height() + 8);

    // The navigation set as on the main window: the extender works on the
    // tours and stays on them, the bar offers the search group.
    DBVexdTourenAuswertung = new nav::TDBVexarion(this);
    DBVexdTourenAuswertung->setObjectName(QStringLiteral("DBVexdTourenAuswertung"));
    DBVexdTourenAuswertung->SetMasterSource(&DataModule1->DataSrcTouren);
    DBVexdTourenAuswertung->SetStayOnMasterSource(nav::TStayOnMasterSource::somAllFuncs);
    DBVexdTourenAuswertung->SetShowStatusOptions(nav::ssRecNo | nav::ssRecCount);
    DBVexdTourenAuswertung->SetStatusPanel(PanelTourenStatus);
    DBVexdTourenAuswertung->FormOnActivate = [this](QObject *) { FormActivate(); };
    DBVexdTourenAuswertung->OnFilterChanged = [this](nav::TDBVexarion &, dbe::TDataSet *) {
        DBVexdTourenAuswertungFilterChanged();
    };
    DBVNavigator1->SetVisBtnsSearch(nav::navBit(nav::snbSearch) | nav::navBit(nav::snbSearchInc) |
                                    nav::navBit(nav::snbSearchNext) | nav::navBit(nav::snbSetBookmark) |
                                    nav::navBit(nav::snbGotoBookmark) | nav::navBit(nav::snbTblFilter) |
                                    nav::navBit(nav::snbActiveFilter));
    DBVNavigator1->SetButtonWidth(40);
    DBVNavigator1->SetIncSrchWidth(50);
    DBVNavigator1->SetDBVexarion(DBVexdTourenAuswertung);

    auto *summen = new QGridLayout;
    const auto titel = [this](const char *text) {
        auto *l = new QLabel(QString::fromUtf8(text), this);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    summen->addWidget(titel("Touren:"), 0, 0);
    summen->addWidget(TLblSummeTouren, 0, 1);
    summen->addWidget(titel("Gef. Km.:"), 0, 2);
    summen->addWidget(TLblSummeTourenKm, 0, 3);
    summen->addWidget(titel("Erträge:"), 1, 0);
    summen->addWidget(LblSummeErtraege, 1, 1);
    summen->addWidget(titel("Kosten:"), 1, 2);
    summen->addWidget(LblSummeKosten, 1, 3);
    summen->setColumnStretch(4, 1);
    auto *knoepfe = new QHBoxLayout;
    knoepfe->addWidget(BtnBerechnen);
    knoepfe->addStretch();
    knoepfe->addWidget(TBitBtnAlleFahrzeugeAuswertungDrucken);
    knoepfe->addWidget(TBitBtnDurchschnittVorschau);
    knoepfe->addWidget(BitBtnSchliessen);
    auto *haupt = new QVBoxLayout(this);
    haupt->addWidget(DBVNavigator1);
    haupt->addWidget(DBGridTourAuswertung, 1);
    haupt->addWidget(ProgBarTourenAuswertung);
    haupt->addLayout(summen);
    haupt->addLayout(knoepfe);
    haupt->addWidget(PanelTourenStatus);

    ui::on(this, &ui::FormBase::formClose, this, &TTourAuswertungFormular::FormClose);
    ui::on(BtnBerechnen, &QPushButton::clicked, this, &TTourAuswertungFormular::BtnBerechnenClick);
    ui::on(DBGridTourAuswertung, &ui::DBGrid::onDblClick, this,
           &TTourAuswertungFormular::DBGridTourAuswertungDblClick);
}

TTourAuswertungFormular::~TTourAuswertungFormular() = default;

void TTourAuswertungFormular::FormActivate()
{
    TourSummenBerechnen();
}

void TTourAuswertungFormular::FormClose()
{
    DBGridTourAuswertung->clearMarks();
    DBVexdTourenAuswertung->ClearTableFilter(&DataModule1->TTblTouren);
}

void TTourAuswertungFormular::DBVexdTourenAuswertungFilterChanged()
{
    if (!DataModule1->TTblTouren.Active())
        return;
    DBGridTourAuswertung->clearMarks();
    TourSummenBerechnen();
}

void TTourAuswertungFormular::BtnBerechnenClick()
{
    TourSummenBerechnen();
}

void TTourAuswertungFormular::DBGridTourAuswertungDblClick()
{
    DBGridTourAuswertung->clearMarks();
    ui::messages().information(QStringLiteral("Alle bisherigen Tourmarkierungen wurden gelöscht"));
}

void TTourAuswertungFormular::TourSummenBerechnen()
{
    ui::HourglassScope sanduhr;
    dbe::TTable &touren = DataModule1->TTblTouren;
    std::unique_ptr<KfzStammKmSaetze> saetze;
    try {
        saetze = std::make_unique<KfzStammKmSaetze>(&touren.Session());
    } catch (const std::exception &) {
        // Without the vehicle master the costs are "n.v.", the rest is summed.
    }
    TourSummierer summierer(saetze.get());
    const auto schritt = [this] { ProgBarTourenAuswertung->setValue(ProgBarTourenAuswertung->value() + 1); };
    touren.DisableControls();
    ProgBarTourenAuswertung->setValue(0);
    ProgBarTourenAuswertung->show();
    // Bar, controls and labels are put right also when the walk fails.
    struct Abschluss {
        TTourAuswertungFormular *form;
        dbe::TTable &touren;
        TourSummierer &summierer;
        ~Abschluss()
        {
            form->Summen = summierer.Summen();
            form->ProgBarTourenAuswertung->hide();
            touren.EnableControls();
            form->summenZeigen();
        }
    } abschluss{this, touren, summierer};
    const int marken = DBGridTourAuswertung->markedCount();
    if (marken < 2) {
        ProgBarTourenAuswertung->setMaximum(touren.RecordCount());
        TourSummenAlle(touren, summierer, schritt);
    } else {
        ProgBarTourenAuswertung->setMaximum(marken);
        TourSummenMarkiert(
            touren, marken, [this](int i) { DBGridTourAuswertung->gotoMark(i); }, summierer, schritt);
    }
}

void TTourAuswertungFormular::summenZeigen()
{
    TLblSummeTouren->setText(QString::number(Summen.Anzahl));
    TLblSummeTourenKm->setText(base::de::formatFixed(Summen.Km, 0));
    LblSummeErtraege->setText(base::de::formatFixed(Summen.Ertrag, 2));
    LblSummeKosten->setText(Summen.KostenNichtVerfuegbar ? QStringLiteral("n.v.")
                                                         : base::de::formatFixed(Summen.Kosten, 2));
}

void TTourAuswertungFormular::drucken(int modus)
{
    if (DBGridTourAuswertung->markedCount() > 1)
        TourSummenBerechnen();
    reportDienste().PrintReport(kReportTouren, modus);
}

void TTourAuswertungFormular::TBitBtnAlleFahrzeugeAuswertungDruckenClick()
{
    drucken(kDrucken);
}

void TTourAuswertungFormular::TBitBtnDurchschnittVorschauClick()
{
    drucken(kVorschau);
}

} // namespace fleet
