// The cost page's copy into the history and its search over all vehicles.
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "base/Abort.h"
#include "daten/DataModule1.h"
#include "dbe/Table.h"
#include "dienste/Protokoll.h"
#include "formulare/HauptFormular.h"
#include "formulare/HauptNavigation.h"
#include "formulare/seiten/KostenSeite.h"
#include "regeln/DetailVerknuepfung.h"
#include "ui/Connect.h"
#include "ui/DBGrid.h"
#include "ui/FormBase.h"
#include "ui/Messages.h"
#include "ui/PageControl.h"

namespace fleet {

void KostenSeite::historieUndSucheAufbauen(QHBoxLayout *kopf)
{
    BtnKosteninHistorie = ui::make<QPushButton>(this, "BtnKosteninHistorie", QStringLiteral("-> &Historie"));
    BitBtnVarKostenSuchen = ui::make<QPushButton>(this, "BitBtnVarKostenSuchen", QStringLiteral("Suchen"));
    BitBtnVarKostenSuchen->setToolTip(
        QStringLiteral("Ermöglicht eine Feldsuche in den var. Kosten aller!! Fahrzeuge"));
    ui::on(BtnKosteninHistorie, &QPushButton::clicked, this, [this] { BtnKosteninHistorieClick(); });
    ui::on(BitBtnVarKostenSuchen, &QPushButton::clicked, this, [this] { BitBtnVarKostenSuchenClick(); });
    kopf->addWidget(BtnKosteninHistorie, 0, Qt::AlignBottom);
    kopf->addWidget(BitBtnVarKostenSuchen, 0, Qt::AlignBottom);
}

void KostenSeite::BtnKosteninHistorieClick()
{
    // The settings may hide the history; then there is nothing to copy into.
    if (!HauptFormular || !HauptFormular->TabHistorie->tabVisible())
        return;
    dbe::TTable &kosten = DataModule1->TTblVarKosten;
    if (kosten.IsEmpty()) {
        ui::messages().information(
            QStringLiteral("Sie haben noch keine var. Kosten für dieses Fahrzeug eingegeben"));
        return;
    }
    if (!ui::messages().question(
            QStringLiteral("Möchten Sie den markierten Kostendatensatz in die Fahrzeughistorie übernehmen")))
        return;
    double summe = 0;
    try {
        summe = KostenSummeFuerHistorie(kosten);
    } catch (const base::SilentAbort &) {
        throw;
    } catch (...) {
        ui::messages().information(
            QStringLiteral("Die Kosten konnten nicht ermittelt und in die Fahrzeughistorie kopiert werden"));
    }
    dbe::TTable &historie = DataModule1->TTblHistorie;
    try {
        historie.Insert();
        historie.FieldByName(QStringLiteral("Datum"))
            ->SetAsDateTime(kosten.FieldByName(QStringLiteral("BelegDatum"))->AsDateTime());
        historie.FieldByName(QStringLiteral("Reserve4"))
            ->SetAsFloat(kosten.FieldByName(QStringLiteral("Mwst"))->AsFloat());
        historie.FieldByName(QStringLiteral("Info"))
            ->SetAsString(kosten.FieldByName(QStringLiteral("Bemerkungen"))->AsString());
        historie.FieldByName(QStringLiteral("Kosten"))->SetAsFloat(summe);
        historie.Post();
    } catch (const base::SilentAbort &) {
        throw;
    } catch (...) {
        if (historie.State() == dbe::TDataSetState::dsInsert)
            historie.Cancel();
        ui::messages().error(QStringLiteral("Der Kopiervorgang ist fehlgeschlagen - vermutlich ist dieser "
                                            "Kostendatensatz in der Historie schon vorhanden"));
    }
}

void KostenSeite::BitBtnVarKostenSuchenClick()
{
    THauptFormular &fenster = *HauptFormular;
    TDataModule1 &dm = *DataModule1;
    dbe::TTable &kosten = dm.TTblVarKosten;
    HauptNavigation &navigation = fenster.Navigation();
    // Until the search has run, the panel's own text stands.
    QString meldung = fenster.TPanelMessage->text();

    // Whatever the search does, the cost table is tied to the vehicle again,
    // its controls work again and the extender is bound as before; on success
    // the window shows the found row's vehicle with that row marked.
    struct Zurueck {
        THauptFormular &fenster;
        TDataModule1 &dm;
        HauptNavigation &navigation;
        QString &meldung;
        ~Zurueck()
        {
            dbe::TTable &kosten = dm.TTblVarKosten;
            QVariantList schluessel;
            try {
                schluessel = {kosten.FieldByName(QStringLiteral("KfzNr"))->AsString(),
                              kosten.FieldByName(QStringLiteral("BelegDatum"))->AsDateTime(),
                              kosten.FieldByName(QStringLiteral("BelegNummer"))->AsString()};
            } catch (...) {
                Verschluckt(Q_FUNC_INFO);
            }
            try {
                kosten.SetMasterSource(&dm.TDataSrcMain);
                kosten.SetMasterFields(QStringLiteral("KfzNr"));
                if (meldung.isEmpty() && !SucheAbgebrochen && !schluessel.isEmpty()) {
                    if (dm.TTblMain.FindKey({schluessel.front()}))
                        kosten.FindKey(schluessel);
                }
            } catch (...) {
                Verschluckt(Q_FUNC_INFO);
            }
            kosten.EnableControls();
            navigation.SetStayOnMasterSource(nav::TStayOnMasterSource::somAllFuncs);
            fenster.TPanelMessage->setText(meldung);
        }
    } zurueck{fenster, dm, navigation, meldung};

    kosten.DisableControls();
    kosten.SetMasterSource(nullptr);
    kosten.Refresh();
    navigation.SetStayOnMasterSource(nav::TStayOnMasterSource::somOnlyMove);
    Raster()->setFocus();
    SucheAbgebrochen = false;
    if (navigation.SuchenMoeglich())
        navigation.Suchen();
    meldung = fenster.TPanelMessage->text();
}

} // namespace fleet
