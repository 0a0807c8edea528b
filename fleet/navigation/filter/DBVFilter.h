#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include <QByteArray>
#include <QString>

#include "dbe/DataSet.h"
#include "navigation/filter/FilterDataSet.h"
#include "navigation/filter/FilterTree.h"
#include "navigation/filter/FilterValues.h"

namespace nav {

// The filter of one data set as a filter-expression tree of the engine:
// built from filter rows, added to the data set's cursor and switched on and
// off there, turned back into rows, saved to and loaded from ".TFD" files.
class TDBVFilter {
public:
    // State: 0 no data set, 1 data set bound, 2 filter added, 3 filter active.
    enum : std::uint8_t { fsNoDataSet = 0, fsBound = 1, fsAdded = 2, fsActive = 3 };

    TDBVFilter() = default;
    ~TDBVFilter();
    TDBVFilter(const TDBVFilter &) = delete;
    TDBVFilter &operator=(const TDBVFilter &) = delete;

    // Binds the data set to filter (not owned); null unbinds.
    void BindFilterDataSet(FilterDataSet *dataSet);
    // Binds a data set of the data layer (null unbinds).
    void BindFilterDataSet(dbe::TDataSet *dataSet);
    FilterDataSet *DataSet() const { return dataSet_; }

    std::uint8_t State() const { return state_; }
    bool Added() const { return added_; }
    bool Active() const { return active_; }
    std::uint32_t FilterHandle() const { return filterHandle_; }

    void SetAdded(bool add);
    void SetActive(bool on);

    // Builds the tree from the first anzahl rows (links strictly left to
    // right), switches it on when asked and re-synchronises the data set.
    void ApplyFilterDef(const TFilterDefinition *definition, int anzahl, bool aktivieren);
    // The added filter as rows; anzahl 0 when none is added.
    void GetFilterDefinition(TFilterDefinition *definition, int &anzahl) const;

    void SaveToFile(const QString &fileName) const;
    void LoadFromFile(const QString &fileName);

    // Tree building; each returns the new node's index or -1.
    int AddConstNode(const FilterFieldInfo &field, const FieldValueBuffer &value, std::uint8_t mark);
    int AddFieldNode(const QString &fieldName);
    int AddOperatorNode(std::int32_t op, int left, int right);
    void TreeToRows(TFilterEditRows &rows, int &count) const;
    void ClearTree();

    const FilterTree &Tree() const { return tree_; }
    int Root() const { return tree_.root; }
    const QByteArray &Expression() const { return expression_; }

    bool PlainButtons = false;
    // Fired with kind 4 just before the filter is switched on.
    std::function<void(TDBVFilter &, std::uint8_t kind)> OnStatus;
    // The Yes/No question when a filter file was made for another table
    // ("Filter wurde für Tabelle %s definiert! ..."); without a handler the
    // message service asks.
    std::function<bool(const QString &question)> OnConfirmTableMismatch;

private:
    void requireDataSet() const;
    void resetAfterLoss();
    void checkTreeSlots() const;
    std::optional<QString> checkLoadedTree() const;

    FilterTree tree_;
    QByteArray expression_;
    FilterDataSet *dataSet_ = nullptr;
    std::unique_ptr<FilterDataSet> ownedDataSet_;
    std::uint32_t filterHandle_ = 0;
    std::uint8_t state_ = fsNoDataSet;
    bool added_ = false;
    bool active_ = false;
};

} // namespace nav
