#include "formulare/HauptNavigationsSatz.h"

#include "daten/DataModule1.h"
#include "dbe/Table.h"
#include "navigation/erweiterung/DBVexarion.h"
#include "navigation/leiste/DBVNavigator.h"
#include "navigation/leiste/NavCommandTable.h"

namespace fleet {

HauptNavigationsSatz::HauptNavigationsSatz(nav::TDBVexarion &extender, nav::TDBVNavigator &leiste,
                                           dbe::TDataSet &fahrzeuge)
    : extender_(extender), leiste_(leiste), fahrzeuge_(fahrzeuge)
{
}

bool HauptNavigationsSatz::GlobalEdit() const
{
    return extender_.GlobalEdit();
}

bool HauptNavigationsSatz::FilterAktiv() const
{
    return extender_.TableFilterState(&fahrzeuge_) == nav::kFilterActive;
}

unsigned HauptNavigationsSatz::AllowKeys() const
{
    return extender_.AllowKeys();
}

void HauptNavigationsSatz::SetAllowKeys(unsigned keys)
{
    extender_.SetAllowKeys(static_cast<nav::TAllowKeys>(keys & nav::kAllAllowKeys));
}

void HauptNavigationsSatz::SetManageGlobalEdit(bool manage)
{
    extender_.SetManageGlobalEdit(manage);
}

void HauptNavigationsSatz::SetTableIndex(dbe::TTable &table, const QString &indexName)
{
    extender_.SetTableIndex(&table, indexName);
}

void HauptNavigationsSatz::ClickNavButton(nav::TDBVNavigateBtn button)
{
    leiste_.ClickNavButton(button);
}

void HauptNavigationsSatz::NavigatorFreigeben(bool freigeben)
{
    leiste_.setEnabled(freigeben);
}

bool HauptNavigationsSatz::Moeglich(nav::TDBVNavigateBtn button) const
{
    // The focus may have moved since the extender last looked.
    extender_.CheckPossibilities();
    return extender_.Possible()[button];
}

void HauptNavigationsSatz::FilterAnwenden(const nav::TFilterDefinition &definition, int anzahl)
{
    extender_.ApplyTableFilterDef(&fahrzeuge_, definition, anzahl, true);
}

void HauptNavigationsSatz::FilterLoeschen()
{
    extender_.ClearTableFilter(&fahrzeuge_);
}

void HauptNavigationsSatz::SetStayOnMasterSource(nav::TStayOnMasterSource modus)
{
    extender_.SetStayOnMasterSource(modus);
}

bool HauptNavigationsSatz::SuchenMoeglich() const
{
    return Moeglich(nav::nbSearch);
}

void HauptNavigationsSatz::Suchen()
{
    leiste_.ClickNavButton(nav::nbSearch);
}

namespace {

// Hints by command; the lines not named stay empty.
QStringList leistenHinweise()
{
    QStringList h;
    for (int i = 0; i < nav::kNavigateBtnCount; ++i)
        h << QString();
    const auto setze = [&h](nav::TDBVNavigateBtn b, const char *text) { h[b] = QString::fromUtf8(text); };
    setze(nav::nbSearch, "Feldwert suchen");
    setze(nav::nbSearchInc, "Inkrementelle Suche ein/aus");
    setze(nav::nbSearchNext, "Nächsten Feldwert suchen");
    setze(nav::nbSetBookmark, "Lesezeichen setzen");
    setze(nav::nbGotoBookmark, "Lesezeichenverwaltung");
    setze(nav::nbActiveFilter, "Terminfilter ein/aus");
    setze(nav::nbIndexSelect, "Sortierung wählen");
    setze(nav::nbTableView, "Tabellarische Ansicht Stammdaten");
    setze(nav::nbFirst, "Erstes Fahrzeug zeigen");
    setze(nav::nbPrior, "Vorheriges Fahrzeug zeigen");
    setze(nav::nbNext, "Nächstes Fahrzeug zeigen");
    setze(nav::nbLast, "Letztes Fahrzeug zeigen");
    setze(nav::nbInsert, "Neues Fahrzeug anlegen");
    setze(nav::nbDelete, "Aktuelles Fahrzeug löschen");
    setze(nav::nbPost, "Neues Fahrzeug/Änderungen speichern");
    setze(nav::nbCancel, "Neues Fahrzeug/Änderungen wiederrufen");
    setze(nav::nbDupField, "Feldwert kopieren");
    setze(nav::nbDupRecord, "Aktuelle Fahrzeugdaten in neues Fahrzeug kopieren");
    setze(nav::nbGlobalEdit, "Fahrzeugdaten ändern möglich/nicht möglich");
    return h;
}

} // namespace

void HauptNavigationEinrichten(nav::TDBVexarion &extender, nav::TDBVNavigator &leiste)
{
    // The status options before the master source: the master composes the
    // first status text, which must already show number and count only.
    extender.SetShowStatusOptions(nav::ssRecNo | nav::ssRecCount);
    // The master source before its binding: without it the binding is stored as somNo.
    extender.SetMasterSource(&DataModule1->TDataSrcMain);
    extender.SetStayOnMasterSource(nav::TStayOnMasterSource::somAllFuncs);
    extender.ConfDelQuestion = QStringLiteral("Möchten Sie dieses Fahrzeug wirklich löschen.");
    extender.ConfOverQuestion = QStringLiteral("Möchten Sie den aktuellen Feldwert wirklich überschreiben.");
    extender.NoSelectNext = {QStringLiteral("TMemo"), QStringLiteral("TDBMemo")};
    extender.UseIndexPopup = true;

    nav::NavButtonSet sichtbar;
    for (nav::TDBVNavigateBtn b :
         {nav::nbSearch, nav::nbSearchInc, nav::nbSearchNext, nav::nbSetBookmark, nav::nbGotoBookmark,
          nav::nbTableView, nav::nbFirst, nav::nbPrior, nav::nbNext, nav::nbLast, nav::nbInsert,
          nav::nbDelete, nav::nbPost, nav::nbCancel, nav::nbDupRecord, nav::nbGlobalEdit})
        sichtbar.set(static_cast<std::size_t>(b));
    leiste.SetVisibleButtons(sichtbar);
    leiste.SetButtonWidth(33);
    leiste.SetButtonHeight(25);
    leiste.SetFlat(true);
    leiste.SetNavStyle(nav::TNavStyle::nsStatic);
    leiste.SetAlignNone(true);
    leiste.SetHints(leistenHinweise());
    leiste.SetDBVexarion(&extender);
}

} // namespace fleet
