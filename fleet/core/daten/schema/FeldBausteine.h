#pragma once

#include <QString>

#include "dbe/Schema.h"

// Short builders for the catalogue's field lists, so that each table reads like
// its field table.
namespace fleet::schema {

inline dbe::FieldDef text(const QString &name, int size)
{
    dbe::FieldDef f;
    f.name = name;
    f.type = dbe::FieldType::String;
    f.size = size;
    return f;
}

inline dbe::FieldDef typed(const QString &name, dbe::FieldType type)
{
    dbe::FieldDef f;
    f.name = name;
    f.type = type;
    return f;
}

inline dbe::FieldDef num(const QString &name)
{
    return typed(name, dbe::FieldType::Float);
}
inline dbe::FieldDef money(const QString &name)
{
    return typed(name, dbe::FieldType::Currency);
}
inline dbe::FieldDef date(const QString &name)
{
    return typed(name, dbe::FieldType::Date);
}
inline dbe::FieldDef time(const QString &name)
{
    return typed(name, dbe::FieldType::Time);
}
inline dbe::FieldDef dateTime(const QString &name)
{
    return typed(name, dbe::FieldType::DateTime);
}
inline dbe::FieldDef logical(const QString &name)
{
    return typed(name, dbe::FieldType::Boolean);
}
inline dbe::FieldDef memo(const QString &name)
{
    return typed(name, dbe::FieldType::Memo);
}
inline dbe::FieldDef smallInt(const QString &name)
{
    return typed(name, dbe::FieldType::SmallInt);
}
inline dbe::FieldDef integer(const QString &name)
{
    return typed(name, dbe::FieldType::Integer);
}

// "Prefix1" … "PrefixN" (or from `first`) appended by one builder.
template <typename Builder>
void numbered(QList<dbe::FieldDef> &fields, const QString &prefix, int first, int last, Builder build,
              const QString &suffix = QString())
{
    for (int i = first; i <= last; ++i)
        fields << build(prefix + QString::number(i) + suffix);
}

inline dbe::TableDef table(const QString &name, const QString &alias, QList<dbe::FieldDef> fields,
                           QStringList primaryKey, QList<dbe::IndexDef> indexes = {})
{
    dbe::TableDef t;
    t.name = name;
    t.alias = alias;
    t.fields = std::move(fields);
    t.primaryKey = std::move(primaryKey);
    t.indexes = std::move(indexes);
    return t;
}

inline dbe::IndexDef index(const QString &name, QStringList fields, unsigned options = 0)
{
    return dbe::IndexDef{name, std::move(fields), options};
}

} // namespace fleet::schema
