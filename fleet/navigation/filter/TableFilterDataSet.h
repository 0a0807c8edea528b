#pragma once

#include "dbe/DataSet.h"
#include "dbe/EngineCursor.h"
#include "navigation/filter/FilterDataSet.h"

namespace nav {

// The filter's view of a data set of the data layer: its fields and the
// filter calls of its table's engine cursor.
class TableFilterDataSet : public FilterDataSet {
public:
    explicit TableFilterDataSet(dbe::TDataSet *dataSet) : dataSet_(dataSet) {}

    dbe::TDataSet *dataSet() const { return dataSet_; }

    QString caption() const override;
    bool isDestroying() const override { return false; }
    QList<FilterFieldInfo> fields() const override;
    FilterFieldInfo fieldByName(const QString &name) const override;
    void resync() override;
    std::uint32_t addFilter(const QByteArray &expression) override;
    void dropFilter(std::uint32_t handle) override;
    void activateFilter(std::uint32_t handle) override;
    void deactivateFilter(std::uint32_t handle) override;

private:
    dbe::TEngineCursor &cursor() const;
    dbe::TDataSet *dataSet_;
};

} // namespace nav
