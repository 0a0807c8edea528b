#include "formulare/MandantenFormular.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/MandantDaten.h"
#include "dbe/Table.h"
#include "dienste/Formularzugriff.h"
#include "dienste/Protokoll.h"
#include "dienste/ReportDienste.h"
#include "formulare/HauptFormular.h"
#include "formulare/seiten/DruckKnoepfe.h"
#include "regeln/Mandant.h"
#include "regeln/TabellenAnweisung.h"
#include "ui/Connect.h"
#include "ui/DBGrid.h"
#include "ui/Messages.h"
#include "ui/RadioGroup.h"

namespace fleet {

TMandantenFormular *MandantenFormular = nullptr;

TMandantenFormular *MandantenFormularBereitstellen()
{
    return FormularBereitstellen(MandantenFormular, QStringLiteral("MandantenFormular"));
}

namespace {

constexpr int kReportMandant = 22;
constexpr int kReportMandantenListe = 21;

bool bearbeitet(const dbe::TDataSet &tabelle)
{
    return tabelle.State() == dbe::TDataSetState::dsEdit || tabelle.State() == dbe::TDataSetState::dsInsert;
}

} // namespace

TMandantenFormular::TMandantenFormular(QWidget *parent)
    : ui::FormBase(QStringLiteral("MandantenFormular"), parent)
{
    setWindowTitle(QStringLiteral("Mandanten"));
    auto *spalte = new QVBoxLayout(this);

    DBGridMandanten = ui::make<ui::DBGrid>(this, "DBGridMandanten");
    DBGridMandanten->setDataSource(&DataModule1->DataSrcMandanten);
    spalte->addWidget(DBGridMandanten, 1);

    auto *unten = new QHBoxLayout;
    RadioGrpMandantDrucken = ui::make<ui::RadioGroup>(this, "RadioGrpMandantDrucken");
    RadioGrpMandantDrucken->setTitle(QStringLiteral("Welchen Report drucken.."));
    RadioGrpMandantDrucken->setItems({QStringLiteral("Akt. Mandant"), QStringLiteral("Alle Mandanten")});
    unten->addWidget(RadioGrpMandantDrucken);
    BitBtnMandantDrucken = ui::make<QPushButton>(this, "BitBtnMandantDrucken", QStringLiteral("D&rucken"));
    BitBtnMandantPreview = ui::make<QPushButton>(this, "BitBtnMandantPreview", QStringLiteral("&Vorschau"));
    auto *druck = new QVBoxLayout;
    druck->addWidget(BitBtnMandantDrucken);
    druck->addWidget(BitBtnMandantPreview);
    druck->addStretch(1);
    unten->addLayout(druck);
    unten->addStretch(1);

    BtnMandantWechseln =
        ui::make<QPushButton>(this, "BtnMandantWechseln", QStringLiteral("Mandant &wechseln"));
    BtnMandantSpeichern = ui::make<QPushButton>(this, "BtnMandantSpeichern", QStringLiteral("&Speichern"));
    BtnMandantZaehlen = ui::make<QPushButton>(this, "BtnMandantZaehlen", QStringLiteral("F&ahrzg. zählen"));
    BitBtnMandantSchliessen =
        ui::make<QPushButton>(this, "BitBtnMandantSchliessen", QStringLiteral("&Schließen"));
    auto *knoepfe = new QVBoxLayout;
    for (QPushButton *knopf : {BtnMandantWechseln, BtnMandantSpeichern, BtnMandantZaehlen})
        knoepfe->addWidget(knopf);
    knoepfe->addStretch(1);
    knoepfe->addWidget(BitBtnMandantSchliessen);
    unten->addLayout(knoepfe);
    spalte->addLayout(unten);
    resize(760, 420);

    ui::on(this, &ui::FormBase::formActivate, this, &TMandantenFormular::FormActivate);
    ui::on(this, &ui::FormBase::formClose, this, &TMandantenFormular::FormClose);
    ui::on(DBGridMandanten, &ui::DBGrid::onColEnter, this, &TMandantenFormular::DBGridMandantenColEnter);
    ui::on(BtnMandantWechseln, &QPushButton::clicked, this, &TMandantenFormular::BtnMandantWechselnClick);
    ui::on(BtnMandantSpeichern, &QPushButton::clicked, this, &TMandantenFormular::BtnMandantSpeichernClick);
    ui::on(BtnMandantZaehlen, &QPushButton::clicked, this, &TMandantenFormular::BtnMandantZaehlenClick);
    ui::on(BitBtnMandantDrucken, &QPushButton::clicked, this, &TMandantenFormular::BitBtnMandantDruckenClick);
    ui::on(BitBtnMandantPreview, &QPushButton::clicked, this, &TMandantenFormular::BitBtnMandantPreviewClick);
    seiten::DruckFreigabe(BitBtnMandantDrucken);
    seiten::DruckFreigabe(BitBtnMandantPreview);
    ui::on(BitBtnMandantSchliessen, &QPushButton::clicked, this, [this] { close(); });
    FormCreate();
}

void TMandantenFormular::FormCreate()
{
    RadioGrpMandantDrucken->setItemIndex(0);
}

void TMandantenFormular::FormActivate()
{
    try {
        // The grid stands on the current client; moving the column away and
        // back runs the column rule for the first column.
        MandantDatenLesen(kAliasFuhrpark, true);
        DBGridMandanten->setSelectedIndex(1);
        DBGridMandanten->setSelectedIndex(0);
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
    }
}

void TMandantenFormular::DBGridMandantenColEnter()
{
    const dbe::TField *feld = DBGridMandanten->selectedField();
    const QString titel = feld ? feld->DisplayLabel() : QString();
    DBGridMandanten->setReadOnly(titel == QLatin1String("Mandant") || titel == QLatin1String("Fahrzeuge"));
}

void TMandantenFormular::BtnMandantSpeichernClick()
{
    dbe::TTable &mandanten = DataModule1->TblMandanten;
    try {
        if (bearbeitet(mandanten))
            mandanten.Post();
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
    }
}

void TMandantenFormular::BtnMandantWechselnClick()
{
    dbe::TTable &mandanten = DataModule1->TblMandanten;
    // The switch closes every table: an edit still pending in the grid is saved first.
    if (bearbeitet(mandanten))
        mandanten.Post();
    const QString mandant =
        mandanten.Active() ? mandanten.FieldByName(QStringLiteral("Mandant"))->AsString() : QString();
    bool umgeschaltet = false;
    try {
        umgeschaltet = MandantUmschalten(kAliasFuhrpark, mandant);
    } catch (...) {
        // The old client is open again: the grid goes back to it before the
        // error is shown.
        MandantDatenLesen(kAliasFuhrpark, true);
        throw;
    }
    if (!umgeschaltet) {
        MandantDatenLesen(kAliasFuhrpark, true);
        return;
    }
    if (MandantDatenLesen(kAliasFuhrpark, false)) {
        if (QWidget *haupt = FormularFinden(QStringLiteral("HauptFormular")))
            haupt->setWindowTitle(MandantTitel(BasisTitel, MandantDaten.at(0), MandantDaten.at(1)));
    }
    close();
}

void TMandantenFormular::BtnMandantZaehlenClick()
{
    dbe::TTable &mandanten = DataModule1->TblMandanten;
    try {
        const bool gefunden = MandantDatenLesen(kAliasFuhrpark, true);
        if (!ui::messages().question(
                QStringLiteral("Möchten Sie jetzt die Fahrzeuge des aktuellen Mandanten zählen")) ||
            !gefunden)
            return;
        // All vehicles of the client, whatever filter the main window has in force.
        const int anzahl = GespeicherteZeilen(DataModule1->TTblMain);
        mandanten.Edit();
        mandanten.FieldByName(QStringLiteral("AnzahlFahrzeuge"))->SetAsInteger(anzahl);
        mandanten.Post();
        ui::messages().information(QStringLiteral(
            "Die Fahrzeuge dieses Mandanten wurden gezählt und in die Mandantentabelle eingetragen"));
    } catch (const std::exception &) {
        try {
            mandanten.Cancel();
        } catch (const std::exception &e) {
            Verschluckt(Q_FUNC_INFO, e);
        }
        ui::messages().error(QStringLiteral("Zählung ist fehlgeschlagen"));
    }
}

void TMandantenFormular::drucken(int modus)
{
    reportDienste().PrintReport(
        RadioGrpMandantDrucken->itemIndex() == 0 ? kReportMandant : kReportMandantenListe, modus);
}

void TMandantenFormular::BitBtnMandantDruckenClick()
{
    drucken(kDrucken);
}

void TMandantenFormular::BitBtnMandantPreviewClick()
{
    drucken(kVorschau);
}

void TMandantenFormular::FormClose(ui::CloseAction &)
{
    dbe::TTable &mandanten = DataModule1->TblMandanten;
    try {
        // An edit still pending in the grid is saved, not dropped.
        if (bearbeitet(mandanten))
            mandanten.Post();
        mandanten.Close();
    } catch (const std::exception &) {
        try {
            mandanten.Cancel();
            mandanten.Close();
        } catch (const std::exception &e) {
            Verschluckt(Q_FUNC_INFO, e);
        }
        ui::messages().error(QStringLiteral("Speicherung ist fehlgeschlagen"));
    }
}

} // namespace fleet
