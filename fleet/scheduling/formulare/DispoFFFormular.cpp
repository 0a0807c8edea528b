#include "formulare/DispoFFFormular.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "daten/DataModule1.h"
#include "daten/Hilfstabellen.h"
#include "dienste/DetailFensterZugriff.h"
#include "logik/DispoFFDaten.h"
#include "ui/ComboBox.h"
#include "ui/Connect.h"
#include "ui/Hourglass.h"
#include "ui/Messages.h"
#include "ui/RadioGroup.h"

namespace fleet {

namespace {

// Free vehicles stand on lime in the all-vehicles list.
const QColor kFreiFarbe(0, 255, 0);

} // namespace

TDispoFFFormular::TDispoFFFormular(QWidget *parent) : ui::FormBase(QStringLiteral("DispoFFFormular"), parent)
{
    setWindowFlags(Qt::Window);
    resize(1040, 520);

    StrGridFreieFahrzeuge = ui::make<QTableWidget>(this, "StrGridFreieFahrzeuge");
    StrGridFreieFahrzeuge->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StrGridFreieFahrzeuge->setSelectionBehavior(QAbstractItemView::SelectRows);
    StrGridFreieFahrzeuge->setSelectionMode(QAbstractItemView::SingleSelection);
    StrGridFreieFahrzeuge->verticalHeader()->hide();
    StrGridFreieFahrzeuge->verticalHeader()->setDefaultSectionSize(
        std::max(15, StrGridFreieFahrzeuge->fontMetrics().height() + 4));
    StrGridFreieFahrzeuge->horizontalHeader()->setDefaultSectionSize(180);
    StrGridFreieFahrzeuge->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    StrGridFreieFahrzeuge->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    RadioGrpFahrzeuge = ui::make<ui::RadioGroup>(this, "RadioGrpFahrzeuge");
    RadioGrpFahrzeuge->setTitle(QStringLiteral("Welche Fahrzeuge anzeigen"));
    RadioGrpFahrzeuge->setItems({QStringLiteral("Freie Fahrzg."), QStringLiteral("Alle Fahrzg.")});
    RadioGrpFahrzeuge->setColumns(2);
    auto *sortLabel = ui::make<QLabel>(this, "LblSort", QStringLiteral("Tabelle sortieren  nach.."));
    CmbBoxSort = ui::make<ui::ComboBox>(this, "CmbBoxSort");
    CmbBoxSort->addItems(dispo::FFSpaltenTitel(dispo::kFFFreie));
    sortLabel->setBuddy(CmbBoxSort);
    BtnZeigen = ui::make<QPushButton>(this, "BtnZeigen", QStringLiteral("&Wechseln zu.."));
    BtnZeigen->setToolTip(
        QStringLiteral("Zeigt die Dispositionen des gewählten Fahrzeugs im Haupt-Formular"));
    BtnBerechnen = ui::make<QPushButton>(this, "BtnBerechnen", QStringLiteral("&Berechnen"));
    BtnBerechnen->setToolTip(
        QStringLiteral("Ermittelt erneut die Fahrzeuge ohne Termin in der aktuellen Disposition"));
    BtnBerechnen->hide();
    BtnSchliessen = ui::make<QPushButton>(this, "BtnSchliessen", QStringLiteral("&Schließen"));
    TPanelStatus = ui::make<QLabel>(this, "TPanelStatus");
    TPanelStatus->setToolTip(QStringLiteral("Statusinformationen"));
    TPanelStatus->setFrameShape(QFrame::Panel);
    TPanelStatus->setFrameShadow(QFrame::Sunken);
    TPanelStatus->setMinimumHeight(TPanelStatus->fontMetrics().height() + 8);
    ProgBarFF = ui::make<QProgressBar>(this, "ProgBarFF");
    ProgBarFF->hide();

    auto *oben = new QHBoxLayout;
    oben->addWidget(RadioGrpFahrzeuge);
    auto *sortierung = new QVBoxLayout;
    sortierung->addWidget(sortLabel);
    sortierung->addWidget(CmbBoxSort);
    oben->addLayout(sortierung);
    oben->addStretch();
    oben->addWidget(BtnBerechnen, 0, Qt::AlignBottom);
    oben->addWidget(BtnZeigen, 0, Qt::AlignBottom);
    auto *unten = new QHBoxLayout;
    unten->addWidget(TPanelStatus, 1);
    unten->addWidget(BtnSchliessen);
    auto *haupt = new QVBoxLayout(this);
    haupt->addLayout(oben);
    haupt->addWidget(StrGridFreieFahrzeuge, 1);
    haupt->addWidget(ProgBarFF);
    haupt->addLayout(unten);

    // FormCreate.
    RadioGrpFahrzeuge->setItemIndex(dispo::kFFFreie);
    CmbBoxSort->setItemIndex(0);
    rasterFuellen(dispo::kFFFreie, {});
    TPanelStatus->clear(); // until the first scan

    ui::on(this, &ui::FormBase::formActivate, this, &TDispoFFFormular::FormActivate);
    ui::on(RadioGrpFahrzeuge, &ui::RadioGroup::onClick, this, &TDispoFFFormular::RadioGrpFahrzeugeClick);
    ui::on(CmbBoxSort, &ui::ComboBox::onChange, this, &TDispoFFFormular::CmbBoxSortChange);
    ui::on(BtnBerechnen, &QPushButton::clicked, this, &TDispoFFFormular::BtnBerechnenClick);
    ui::on(BtnZeigen, &QPushButton::clicked, this, &TDispoFFFormular::BtnZeigenClick);
    ui::on(StrGridFreieFahrzeuge, &QTableWidget::cellDoubleClicked, this,
           &TDispoFFFormular::StrGridFreieFahrzeugeDblClick);
    connect(BtnSchliessen, &QPushButton::clicked, this, &QWidget::close);
}

void TDispoFFFormular::FormActivate()
{
    SteuerungInit();
}

bool TDispoFFFormular::SteuerungInit()
{
    StrGridFreieFahrzeuge->hide();
    struct Zeigen {
        QWidget *w;
        ~Zeigen() { w->show(); }
    } zeigen{StrGridFreieFahrzeuge};
    const int modus = RadioGrpFahrzeuge->itemIndex() == dispo::kFFAlle ? dispo::kFFAlle : dispo::kFFFreie;
    setWindowTitle(dispo::FFTitel(modus));
    if (modus == dispo::kFFAlle)
        AlleFahrzeugeErmitteln();
    else
        FreieFahrzeugeErmitteln();
    return true;
}

void TDispoFFFormular::RadioGrpFahrzeugeClick()
{
    SteuerungInit();
    CmbBoxSortChange();
}

void TDispoFFFormular::CmbBoxSortChange()
{
    const int spalte = CmbBoxSort->itemIndex();
    if (spalte >= 0 && spalte < 6)
        SortStringGrid(StrGridFreieFahrzeuge, spalte);
}

void TDispoFFFormular::SortStringGrid(QTableWidget *grid, int spalte)
{
    QList<QStringList> zeilen;
    for (int r = 0; r < grid->rowCount(); ++r) {
        QStringList zeile;
        for (int c = 0; c < grid->columnCount(); ++c)
            zeile << (grid->item(r, c) ? grid->item(r, c)->text() : QString());
        zeilen << zeile;
    }
    dispo::FFSortieren(zeilen, spalte);
    for (int r = 0; r < zeilen.size(); ++r)
        for (int c = 0; c < grid->columnCount(); ++c)
            if (QTableWidgetItem *zelle = grid->item(r, c))
                zelle->setText(zeilen[r].value(c));
    // The colouring follows the rows.
    if (grid == StrGridFreieFahrzeuge && grid->columnCount() == 7)
        for (int r = 0; r < grid->rowCount(); ++r) {
            const bool frei = grid->item(r, 6) && grid->item(r, 6)->text() == QLatin1String("X");
            for (int c = 0; c < 7; ++c)
                if (QTableWidgetItem *zelle = grid->item(r, c))
                    zelle->setBackground(frei ? QBrush(kFreiFarbe) : QBrush());
        }
}

void TDispoFFFormular::BtnBerechnenClick()
{
    FreieFahrzeugeErmitteln();
}

void TDispoFFFormular::FreieFahrzeugeErmitteln()
{
    ermitteln(dispo::kFFFreie);
}

void TDispoFFFormular::AlleFahrzeugeErmitteln()
{
    ermitteln(dispo::kFFAlle);
}

void TDispoFFFormular::ermitteln(int modus)
{
    ui::HourglassScope sanduhr;
    ProgBarFF->setValue(0);
    const dispo::FFFortschritt fortschritt{[this](int anzahl) {
                                               ProgBarFF->setRange(0, std::max(1, anzahl));
                                               ProgBarFF->show();
                                           },
                                           [this] { ProgBarFF->setValue(ProgBarFF->value() + 1); }};
    const dispo::FFErmittlung e = dispo::FahrzeugeErmitteln(DataModule1->TTblMain, DataModule1->TTblDispo,
                                                            DataModule1->TTblVar1, modus, fortschritt);
    if (e.stand == dispo::FFStand::Belegt) {
        ProgBarFF->hide();
        ui::messages().error(QStringLiteral(
            "Die Zugriffsmöglichkeiten auf die Datenbank sind zur Zeit erschöpft - Bitte beenden "
            "Sie das Programm und starten Sie es erneut"));
        return;
    }
    if (e.stand == dispo::FFStand::NichtGeoeffnet)
        ui::messages().error(QStringLiteral("Der Zugriff auf die Datenbank konnte nicht hergestellt werden"));
    rasterFuellen(modus, e.zeilen);
    ProgBarFF->hide();
    HilfstabellenZuruecksetzen();
}

void TDispoFFFormular::rasterFuellen(int modus, const QList<QStringList> &zeilen)
{
    QTableWidget *grid = StrGridFreieFahrzeuge;
    const QStringList titel = dispo::FFSpaltenTitel(modus);
    const QList<int> breiten = dispo::FFSpaltenBreiten(modus);
    grid->clearContents();
    grid->setColumnCount(int(titel.size()));
    grid->setHorizontalHeaderLabels(titel);
    // At least as wide as the title, whatever the font.
    for (int c = 0; c < breiten.size(); ++c)
        grid->setColumnWidth(c, std::max(breiten[c], grid->horizontalHeader()->sectionSizeHint(c)));
    // An empty result keeps one empty data row.
    grid->setRowCount(std::max<int>(1, int(zeilen.size())));
    for (int r = 0; r < grid->rowCount(); ++r) {
        const QStringList zeile = zeilen.value(r);
        const bool frei = modus == dispo::kFFAlle && zeile.value(6) == QLatin1String("X");
        for (int c = 0; c < titel.size(); ++c) {
            auto *zelle = new QTableWidgetItem(zeile.value(c));
            if (frei)
                zelle->setBackground(kFreiFarbe);
            grid->setItem(r, c, zelle);
        }
    }
    anzahl_ = int(zeilen.size());
    TPanelStatus->setText(dispo::FFStatus(modus, anzahl_));
    BtnZeigen->setEnabled(anzahl_ > 0);
    if (anzahl_ > 0)
        grid->selectRow(0);
}

void TDispoFFFormular::StrGridFreieFahrzeugeDblClick()
{
    BtnZeigenClick();
}

void TDispoFFFormular::BtnZeigenClick()
{
    // The empty row of an empty result leads nowhere.
    const int zeile = StrGridFreieFahrzeuge->currentRow();
    if (anzahl_ == 0 || zeile < 0)
        return;
    const QTableWidgetItem *zelle = StrGridFreieFahrzeuge->item(zeile, 0);
    const QString kfzNr = zelle ? zelle->text() : QString();
    bool gefunden = false;
    try {
        gefunden = DataModule1->TTblMain.Locate(QStringLiteral("KfzNr"), kfzNr);
        if (gefunden)
            if (DetailFensterZugriff *fenster = Detailfenster())
                fenster->DispoFahrzeugAuswahlSetzen(0);
    } catch (const std::exception &) {
        gefunden = false;
    }
    if (gefunden)
        return;
    // Deleted or renamed meanwhile: the list is out of date.
    ui::messages().error(
        QStringLiteral("Fehler beim Lokalisieren des markierten Fahrzeugs - Formular wird geschlossen"));
    close();
}

} // namespace fleet
