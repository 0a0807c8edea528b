#pragma once

#include <cstdint>
#include <optional>

#include <QByteArray>
#include <QList>
#include <QString>

#include "navigation/filter/FilterField.h"

namespace nav {

// What a filter uses of the data set it filters: its fields, its caption,
// re-synchronisation and the engine's filter calls on its cursor.
class FilterDataSet {
public:
    virtual ~FilterDataSet() = default;

    // Table name of a table, else the component name.
    virtual QString caption() const = 0;
    virtual bool isDestroying() const = 0;
    // The fields in field order.
    virtual QList<FilterFieldInfo> fields() const = 0;
    // Raises the data set's field-not-found error when there is no such field.
    virtual FilterFieldInfo fieldByName(const QString &name) const = 0;
    // Re-reads the current record with the filters in force (exact, centred).
    virtual void resync() = 0;

    // Engine filter calls on the cursor; errors raise.
    virtual std::uint32_t addFilter(const QByteArray &expression) = 0;
    virtual void dropFilter(std::uint32_t handle) = 0;
    virtual void activateFilter(std::uint32_t handle) = 0;
    virtual void deactivateFilter(std::uint32_t handle) = 0;

    // Field names match without regard to case.
    std::optional<FilterFieldInfo> findField(const QString &name) const
    {
        for (const FilterFieldInfo &f : fields())
            if (f.fieldName.compare(name, Qt::CaseInsensitive) == 0)
                return f;
        return std::nullopt;
    }
    // Name of the first field whose DisplayLabel equals label exactly; empty when none.
    QString fieldNameOfLabel(const QString &label) const
    {
        for (const FilterFieldInfo &f : fields())
            if (f.displayLabel == label)
                return f.fieldName;
        return QString();
    }
};

} // namespace nav
