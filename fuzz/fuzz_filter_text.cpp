// Filter texts: any text parsed as a dataset's Filter property, bound to a record of every field
// type and matched against it.
#include <array>
#include <cstddef>
#include <cstdint>

#include <QDate>

#include "dbe/filter/FilterError.h"
#include "dbe/filter/FilterText.h"

namespace {

class OneRecord : public dbe::filter::RecordAccessor {
public:
    int fieldCount() const override { return int(kFields.size()); }
    int fieldNumber(const QString &name) const override
    {
        for (size_t i = 0; i < kFields.size(); ++i)
            if (name.compare(QLatin1String(kFields[i].name), Qt::CaseInsensitive) == 0)
                return int(i) + 1;
        return 0;
    }
    QString fieldName(int fieldNo) const override { return QLatin1String(kFields[size_t(fieldNo - 1)].name); }
    dbe::FieldType fieldType(int fieldNo) const override { return kFields[size_t(fieldNo - 1)].type; }
    QVariant value(int fieldNo) const override
    {
        switch (kFields[size_t(fieldNo - 1)].type) {
        case dbe::FieldType::String:
            return QStringLiteral("Müller");
        case dbe::FieldType::Integer:
            return 42;
        case dbe::FieldType::Float:
            return 1234.5;
        case dbe::FieldType::Boolean:
            return true;
        case dbe::FieldType::Date:
            return QDate(2024, 1, 2);
        default:
            return QVariant();
        }
    }

private:
    struct Field {
        const char *name;
        dbe::FieldType type;
    };
    static constexpr std::array<Field, 6> kFields = {{{"Name", dbe::FieldType::String},
                                                      {"Nr", dbe::FieldType::Integer},
                                                      {"Betrag", dbe::FieldType::Float},
                                                      {"Aktiv", dbe::FieldType::Boolean},
                                                      {"Datum", dbe::FieldType::Date},
                                                      {"Leer", dbe::FieldType::Memo}}};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        dbe::filter::FilterText filter = dbe::filter::FilterText::parse(text);
        OneRecord record;
        filter.bind(record);
        filter.matches(record);
    } catch (const dbe::filter::FilterError &) {
    }
    return 0;
}
