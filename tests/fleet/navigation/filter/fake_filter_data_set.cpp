#include "fake_filter_data_set.h"

using namespace nav;

namespace {
FilterFieldInfo field(const char *name, int no, TFieldType type, int size = 0, const char *displayValues = "")
{
    FilterFieldInfo f;
    f.fieldName = QString::fromUtf8(name);
    f.fieldNo = no;
    f.dataType = type;
    f.size = size;
    f.transliterate = true;
    f.displayValues = QString::fromUtf8(displayValues);
    f.displayLabel = QStringLiteral("L_") + f.fieldName;
    return f;
}
} // namespace

FakeFilterDataSet::FakeFilterDataSet()
{
    fieldList = {field("KfzNr", 1, ftString, 10),
                 field("Kennzeichen", 2, ftString, 20),
                 field("Achsen", 3, ftSmallint),
                 field("Km", 4, ftInteger),
                 field("Aktiv", 5, ftBoolean, 0, "Ja;Nein"),
                 field("Preis", 6, ftFloat),
                 field("Gruppe", 7, ftString, 30),
                 field("Datum", 8, ftDate),
                 field("Zeit", 9, ftTime),
                 field("Stempel", 10, ftDateTime),
                 field("Wort", 11, ftWord),
                 field("Bemerkung", 12, ftMemo),
                 field("Betrag", 13, ftBCD, 2)};
}

FilterFieldInfo FakeFilterDataSet::fieldByName(const QString &name) const
{
    if (auto f = findField(name))
        return *f;
    throw std::runtime_error("Feld '" + name.toStdString() + "' nicht gefunden");
}

std::uint32_t FakeFilterDataSet::addFilter(const QByteArray &expression)
{
    if (failAdd)
        throw std::runtime_error("add refused");
    const std::uint32_t handle = nextHandle++;
    calls.push_back(QStringLiteral("add %1").arg(handle));
    expressions.push_back(expression);
    return handle;
}

void FakeFilterDataSet::dropFilter(std::uint32_t handle)
{
    calls.push_back(QStringLiteral("drop %1").arg(handle));
}
void FakeFilterDataSet::activateFilter(std::uint32_t handle)
{
    calls.push_back(QStringLiteral("on %1").arg(handle));
}
void FakeFilterDataSet::deactivateFilter(std::uint32_t handle)
{
    calls.push_back(QStringLiteral("off %1").arg(handle));
}
