// The main window's pages, made when first shown or asked for. A page made
// late must look and behave as if it had been made with the window: it is set
// to its start state, gets the captions the window's start gave, the settings
// and switches kept for its components, and what showing the window and the
// navigation set gave the other controls.
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QPushButton>

#include "formulare/HauptFormular.h"
#include "formulare/seiten/DispoSeite.h"
#include "formulare/seiten/HistorieSeite.h"
#include "formulare/seiten/KostenSeite.h"
#include "formulare/seiten/MemoSeite.h"
#include "formulare/seiten/MonatsauswertungSeite.h"
#include "formulare/seiten/MonatsuebersichtSeite.h"
#include "formulare/seiten/ReifenSeite.h"
#include "formulare/seiten/SchadenSeite.h"
#include "formulare/seiten/StammdatenSeite.h"
#include "formulare/seiten/TourenSeite.h"
#include "navigation/erweiterung/DBVexarion.h"
#include "ui/Connect.h"
#include "ui/PageControl.h"

namespace fleet {

bool THauptFormular::seitenSofort_ = false;

void THauptFormular::SeitenSofortMachen(bool sofort)
{
    seitenSofort_ = sofort;
}

HauptSeite *THauptFormular::neueSeite(ui::TabSheet *tab)
{
    if (tab == TabStammDaten)
        return stammdaten_ = new StammdatenSeite(tab);
    if (tab == TabMemo)
        return memo_ = new MemoSeite(tab);
    if (tab == TabTouren)
        return touren_ = new TourenSeite(tab);
    if (tab == TabKosten)
        return kosten_ = new KostenSeite(tab);
    // The evaluation and the overview work with the cost page's view.
    if (tab == TabMonatsAuswertung)
        return auswertung_ = new MonatsauswertungSeite(tab, Kosten());
    if (tab == TabMonatsuebersicht)
        return uebersicht_ = new MonatsuebersichtSeite(tab, Kosten(), [this] {
                   PageCtrlMain->setActivePage(TabKosten);
                   PageCtrlMainChange();
               });
    if (tab == TabReifen)
        return reifen_ = new ReifenSeite(tab);
    if (tab == TabHistorie)
        return historie_ = new HistorieSeite(tab);
    if (tab == TabSchadensmanagement)
        return schaden_ = new SchadenSeite(tab);
    if (tab == TabDispo)
        return dispo_ = new DispoSeite(tab);
    return nullptr;
}

void THauptFormular::seiteMachen(ui::TabSheet *tab)
{
    for (const HauptSeite *seite : seiten_)
        if (seite->tab() == tab)
            return;
    HauptSeite *seite = neueSeite(tab);
    if (!seite)
        return;
    seiten_.push_back(seite);
    seite->aufbauen();
    seiteEinrichten(*seite);
    KomponentenNeuErfassen(this);
    if (angefangen_)
        seite->anfangen();
    beschriftungenAnwenden(*seite);
    vorgemerkteAnwenden();
    if (gezeigt_)
        knoepfeFreigeben();
    if (TDBVexarionMain)
        TDBVexarionMain->ControlsAdded(seite);
    controlsAdded(seite);
    // A page made while the window is shown shows with its tab.
    if (tab->isVisible())
        seite->show();
}

void THauptFormular::seiteEinrichten(HauptSeite &seite)
{
    if (&seite == auswertung_) {
        ui::on(auswertung_->TBtnMonatsauswertungBerechnen, &QPushButton::clicked, this,
               [this] { TBtnMonatsauswertungBerechnenClick(); });
        BtnMonatsauswertungAlleFahrzeuge = auswertung_->BtnMonatsauswertungAlleFahrzeuge;
        ui::on(BtnMonatsauswertungAlleFahrzeuge, &QPushButton::clicked, this,
               [this] { BtnMonatsauswertungAlleFahrzeugeClick(); });
    } else if (&seite == dispo_) {
        BtnExtGrafik = dispo_->BtnExtGrafik;
        BtnFreieFahrzeuge = dispo_->BtnFreieFahrzeuge;
        ui::on(BtnExtGrafik, &QPushButton::clicked, this, [this] { BtnExtGrafikClick(); });
        ui::on(BtnFreieFahrzeuge, &QPushButton::clicked, this, [this] { BtnFreieFahrzeugeClick(); });
    }
}

bool THauptFormular::AlleTeileMachen()
{
    bool gemacht = false;
    for (int i = 0; i < PageCtrlMain->pageCount(); ++i) {
        const std::size_t vorher = seiten_.size();
        seiteMachen(PageCtrlMain->page(i));
        gemacht = gemacht || seiten_.size() > vorher;
    }
    return gemacht;
}

QObject *THauptFormular::GemachteKomponente(const QString &name) const
{
    auto *fenster = const_cast<THauptFormular *>(this); // only looked through
    if (QObject *o = KomponenteImFormular(fenster, name))
        return o;
    // A menu command also by its caption, a chart's series inside its chart.
    for (QAction *a : findChildren<QAction *>(Qt::FindDirectChildrenOnly))
        if (a->text() == name)
            return a;
    for (const HauptSeite *seite : seiten_)
        for (const QChartView *ansicht : seite->findChildren<QChartView *>())
            if (ansicht->chart())
                if (QObject *serie = ansicht->chart()->findChild<QObject *>(name))
                    return serie;
    return nullptr;
}

void THauptFormular::Vormerken(const QString &name, const QString &eigenschaft,
                               const std::function<void(QObject &)> &einstellen)
{
    if (seiten_.size() == static_cast<std::size_t>(PageCtrlMain->pageCount()))
        return; // every page is made: there is no such component
    // (Not while they run: the later one is run later all the same.)
    if (!vormerkungenLaufen_)
        std::erase_if(vorgemerkt_,
                      [&](const Vormerkung &v) { return v.name == name && v.eigenschaft == eigenschaft; });
    vorgemerkt_.push_back({name, eigenschaft, einstellen});
}

void THauptFormular::vorgemerkteAnwenden()
{
    // In the order kept; what is not made yet waits for the next page. A
    // setting may itself make a page (then the earlier ones are looked for
    // again) or keep another setting (added at the end).
    if (vormerkungenLaufen_)
        return; // the run under way takes them
    vormerkungenLaufen_ = true;
    for (std::size_t i = 0; i < vorgemerkt_.size();) {
        QObject *o = GemachteKomponente(vorgemerkt_[i].name);
        if (!o) {
            ++i;
            continue;
        }
        const Vormerkung v = std::move(vorgemerkt_[i]);
        vorgemerkt_.erase(vorgemerkt_.begin() + static_cast<std::ptrdiff_t>(i));
        const std::size_t seiten = seiten_.size();
        v.einstellen(*o);
        if (seiten_.size() != seiten)
            i = 0;
    }
    vormerkungenLaufen_ = false;
    if (seiten_.size() == static_cast<std::size_t>(PageCtrlMain->pageCount()))
        vorgemerkt_.clear();
}

} // namespace fleet
