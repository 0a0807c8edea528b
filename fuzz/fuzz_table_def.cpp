// A table's catalogue entry: any bytes are read, and the definition read, written again, reads back
// the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "dbe/detail/TableDefJson.h"

namespace {

bool same(const dbe::FieldDef &a, const dbe::FieldDef &b)
{
    return a.name == b.name && a.type == b.type && a.size == b.size && a.required == b.required &&
           a.minValue == b.minValue && a.maxValue == b.maxValue && a.defaultValue == b.defaultValue;
}

bool same(const dbe::TableDef &a, const dbe::TableDef &b)
{
    if (a.name != b.name || a.alias != b.alias || a.primaryKey != b.primaryKey ||
        a.fields.size() != b.fields.size() || a.indexes.size() != b.indexes.size())
        return false;
    for (qsizetype i = 0; i < a.fields.size(); ++i)
        if (!same(a.fields[i], b.fields[i]))
            return false;
    for (qsizetype i = 0; i < a.indexes.size(); ++i)
        if (a.indexes[i].name != b.indexes[i].name || a.indexes[i].fields != b.indexes[i].fields ||
            a.indexes[i].options != b.indexes[i].options)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const dbe::TableDef read =
        dbe::detail::tableDefFromJson(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!same(dbe::detail::tableDefFromJson(dbe::detail::tableDefToJson(read)), read))
        std::abort();
    return 0;
}
