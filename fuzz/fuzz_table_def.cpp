// A table's catalogue entry: any bytes are read, and where the direct reading takes an entry, it must
// give what the general reading through a JSON document gives.
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
    const QByteArray entry(reinterpret_cast<const char *>(data), qsizetype(size));
    dbe::TableDef direct;
    const bool read = dbe::detail::readTableDefDirectly(entry, direct);
    const dbe::TableDef general = dbe::detail::readTableDefFromDocument(entry);
    if (read && !same(direct, general))
        std::abort();
    // What is written reads back the same.
    if (read) {
        dbe::TableDef again;
        if (!dbe::detail::readTableDefDirectly(dbe::detail::tableDefToJson(direct), again) ||
            !same(again, direct))
            std::abort();
    }
    dbe::detail::tableDefFromJson(entry);
    return 0;
}
