// The extender's table definitions, one per data set: the table-level
// operations through them, what they report, and the navigator bars that
// show it.
#include "navigation/erweiterung/DBVexarion.h"

#include <QLabel>

#include "navigation/daten/DataSetHelpers.h"
#include "navigation/erweiterung/SelectFoundText.h"
#include "navigation/erweiterung/TableDefs.h"
#include "navigation/leiste/DBVNavigator.h"
#include "navigation/leiste/NavHints.h"

namespace nav {

// ------------------------------------------------------------ table list

TTableDefsSettings TDBVexarion::TableDefsSettings() const
{
    TTableDefsSettings settings;
    settings.BMKeepOnlyIndex = BMKeepOnlyIndex;
    settings.UseNonVisFields = UseNonVisFields;
    settings.AllowUserAbort = AllowUserAbort;
    settings.AllowMasterMove = AllowMasterMove;
    settings.ShowSearchClock = ShowSearchClock;
    settings.ExactBOF_EOF = ExactBOF_EOF;
    settings.IndexNamesAs = IndexNamesAs;
    return settings;
}

TTableDefs *TDBVexarion::TableDefsOf(dbe::TDataSet *dataSet)
{
    if (!dataSet)
        return nullptr;
    for (auto &defs : tables_)
        if (defs->DataSet() == dataSet)
            return defs.get();
    tables_.push_back(std::make_unique<TTableDefs>(this, nullptr, dataSet));
    return tables_.back().get();
}

std::uint8_t TDBVexarion::TableFilterState(const dbe::TDataSet *dataSet) const
{
    for (const auto &defs : tables_)
        if (dataSet && defs->DataSet() == dataSet)
            return defs->FilterState();
    return kFilterNone;
}

TTableDefs *TDBVexarion::TableDefsOf(dbe::TDataSource *source)
{
    if (!source)
        return nullptr;
    for (auto &defs : tables_)
        if (defs->DataSource() == source)
            return defs.get();
    if (source->DataSet())
        for (auto &defs : tables_)
            if (defs->DataSet() == source->DataSet()) {
                defs->SetSource(source);
                return defs.get();
            }
    tables_.push_back(std::make_unique<TTableDefs>(this, source, nullptr));
    return tables_.back().get();
}

void TDBVexarion::registerSource(dbe::TDataSource *source)
{
    TableDefsOf(source);
}

void TDBVexarion::SetTableIndex(dbe::TDataSet *dataSet, const QString &indexName)
{
    if (!dataSet)
        return;
    TableDefsOf(dataSet)->SetIndex(indexName);
    if (OnTblIndexChanged)
        OnTblIndexChanged(*this, dataSet);
}

void TDBVexarion::SetTableFilterActive(dbe::TDataSet *table, int on)
{
    if (table)
        TableDefsOf(table)->SetFilterActive(on == 1);
}

void TDBVexarion::GetTableFilterDef(dbe::TDataSet *table, TFilterDefinition &definition, int &count)
{
    count = 0;
    if (table)
        TableDefsOf(table)->ReadFilterDef(definition, count);
}

void TDBVexarion::ApplyTableFilterDef(dbe::TDataSet *table, const TFilterDefinition &definition, int count,
                                      bool activate)
{
    if (table)
        TableDefsOf(table)->InstallFilterDef(definition, count, activate);
}

void TDBVexarion::SaveTableFilter(dbe::TDataSet *dataSet, const QString &fileName)
{
    if (dataSet)
        TableDefsOf(dataSet)->SaveFilterToFile(fileName);
}

void TDBVexarion::LoadTableFilter(dbe::TDataSet *dataSet, const QString &fileName)
{
    if (dataSet)
        TableDefsOf(dataSet)->LoadFilterFromFile(fileName);
}

void TDBVexarion::ClearTableFilter(dbe::TDataSet *dataSet)
{
    if (dataSet)
        TableDefsOf(dataSet)->ClearFilter();
}

void TDBVexarion::GetTableCaption(dbe::TDataSet *dataSet, QString &caption) const
{
    caption.clear();
    if (!dataSet)
        return;
    caption = DataSetCaption(dataSet);
    if (GetTblDescription)
        GetTblDescription(caption, caption);
}

void TDBVexarion::GetIndexCaption(dbe::TTable &table, const QString &indexName, const QString &defaultCaption,
                                  QString &caption, bool &show) const
{
    caption = defaultCaption;
    show = true;
    if (GetIdxDescription)
        GetIdxDescription(table, indexName, caption, show);
}

// ------------------------------------------------------------ navigators

void TDBVexarion::AddNavigator(TDBVNavigator *navigator)
{
    if (!navigator || navigators_.contains(navigator))
        return;
    navigators_.append(navigator);
    navigator->SetUseNISBtn(useTextIncSrchBtn_);
    navigator->SetFlat(flatNavBtns_);
    navigator->RefreshButtons();
}

void TDBVexarion::RemoveNavigator(TDBVNavigator *navigator)
{
    if (!navigators_.removeAll(navigator))
        return;
    navigator->ForgetExtender();
    navigator->RefreshButtons();
}

void TDBVexarion::refreshNavigators()
{
    for (auto &nav : navigators_)
        if (nav)
            nav->RefreshButtons();
}

void TDBVexarion::updateNavigatorHints()
{
    for (auto &nav : navigators_)
        if (nav)
            nav->UpdateHints();
}

// ------------------------------------------------------------ notifications

void TDBVexarion::TableActiveChanged(dbe::TDataSource *source)
{
    for (auto &nav : navigators_)
        if (nav)
            nav->UpdateAllButtons(source);
    if (OnActiveChanged)
        OnActiveChanged(*this, source);
    ShowStatus(source);
}

void TDBVexarion::dataSetChangedFanOut(dbe::TDataSource *source)
{
    ClearMessage();
    CheckPossibilities();
    for (auto &nav : navigators_)
        if (nav) {
            nav->UpdateMoveAndSearchButtons(source);
            nav->UpdateRecordButtons(source);
        }
    if (OnDataSetChanged)
        OnDataSetChanged(*this, source);
    ShowStatus(source);
}

void TDBVexarion::TableDataSetChanged(dbe::TDataSource *source)
{
    dataSetChangedFanOut(source);
}

void TDBVexarion::TableDataSetScrolled(dbe::TDataSource *source, int /*distance*/)
{
    ClearMessage();
    CheckPossibilities();
    for (auto &nav : navigators_)
        if (nav)
            nav->UpdateMoveAndSearchButtons(source);
    if (OnDataSetScrolled)
        OnDataSetScrolled(*this, source);
    ShowStatus(source);
}

void TDBVexarion::TableEditingChanged(dbe::TDataSource *source)
{
    CheckPossibilities();
    for (auto &nav : navigators_)
        if (nav)
            nav->UpdateRecordButtons(source);
    showLookUpHint();
    if (OnEditingChanged)
        OnEditingChanged(*this, source);
    ShowStatus(source);
}

void TDBVexarion::TableFilterChanged(TTableDefs &defs, dbe::TDataSource *source)
{
    if (destroying_)
        return;
    if (!source || source == currentSource_)
        filterState_ = defs.FilterState();
    if (OnFilterChanged)
        OnFilterChanged(*this, defs.DataSet());
    dataSetChangedFanOut(source);
}

void TDBVexarion::TableDefsReplaced(TTableDefs &old, dbe::TDataSource *source)
{
    if (destroying_ || !source || !source->DataSet())
        return;
    TTableDefs *entry = TableDefsOf(source->DataSet());
    if (entry != &old)
        entry->TakeOverState(old);
    dataSetChangedFanOut(source);
}

void TDBVexarion::TableFilterProgress(TTableDefs &defs, std::uint8_t kind)
{
    if (destroying_ || kind != 4)
        return;
    QString text;
    if (showStatusOptions_ & ssTblName) {
        QString caption;
        GetTableCaption(defs.DataSet(), caption);
        text = QStringLiteral("[%1] ").arg(caption);
    }
    DisplayMessage(text + QStringLiteral("Aktiviere Filter..."), ui::MsgType::Information);
    if (MessagePanel)
        MessagePanel->repaint();
}

void TDBVexarion::SelectFoundTextInActiveControl(const QString &text, bool caseSensitive)
{
    if (!MatchSelect || destroying_)
        return;
    if (QWidget *control = activeControl())
        SelectFoundText(control, text, caseSensitive);
}

void TDBVexarion::showLookUpHint()
{
    if (possible_[nbLookUp])
        DisplayMessage(
            QStringLiteral("Nachschlagen mittels %1").arg(shortCutToText(shortCuts_.ShortCut(nbLookUp))),
            ui::MsgType::Information);
    else
        ClearMessage();
}

} // namespace nav
