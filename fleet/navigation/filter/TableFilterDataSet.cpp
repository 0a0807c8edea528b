#include "navigation/filter/TableFilterDataSet.h"

#include "dbe/EngineCursor.h"
#include "dbe/Table.h"
#include "navigation/daten/DataSetHelpers.h"

namespace nav {

namespace {
FilterFieldInfo infoOf(const dbe::TField &field)
{
    FilterFieldInfo info;
    info.fieldName = field.FieldName();
    info.fieldNo = field.FieldNo();
    info.dataType = field.DataType();
    info.size = field.Size();
    info.transliterate = field.Transliterate();
    info.displayValues = field.DisplayValues();
    info.displayLabel = field.DisplayLabel();
    return info;
}
} // namespace

QString TableFilterDataSet::caption() const
{
    return DataSetCaption(dataSet_);
}

QList<FilterFieldInfo> TableFilterDataSet::fields() const
{
    QList<FilterFieldInfo> list;
    for (int i = 0; i < dataSet_->FieldCount(); ++i)
        list << infoOf(*dataSet_->Fields(i));
    return list;
}

FilterFieldInfo TableFilterDataSet::fieldByName(const QString &name) const
{
    return infoOf(*dataSet_->FieldByName(name));
}

void TableFilterDataSet::resync()
{
    if (dataSet_->Active())
        dataSet_->Resync();
}

dbe::TEngineCursor &TableFilterDataSet::cursor() const
{
    auto *table = dynamic_cast<dbe::TTable *>(dataSet_);
    if (!table || !table->Active() || !table->Handle())
        dbe::databaseError(dbe::Msg::DataSetClosed);
    return *table->Handle();
}

std::uint32_t TableFilterDataSet::addFilter(const QByteArray &expression)
{
    return static_cast<std::uint32_t>(cursor().AddFilter(expression));
}

void TableFilterDataSet::dropFilter(std::uint32_t handle)
{
    cursor().DropFilter(static_cast<int>(handle));
}
void TableFilterDataSet::activateFilter(std::uint32_t handle)
{
    cursor().ActivateFilter(static_cast<int>(handle));
}
void TableFilterDataSet::deactivateFilter(std::uint32_t handle)
{
    cursor().DeactivateFilter(static_cast<int>(handle));
}

} // namespace nav
