#include <gtest/gtest.h>

#include "dbe/detail/TableDefJson.h"

using namespace dbe;
using namespace dbe::detail;

namespace {

// With `sameTypes` unset, numbers may come back as another numeric type (JSON keeps one).
void expectSame(const TableDef &a, const TableDef &b, bool sameTypes = true)
{
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.alias, b.alias);
    ASSERT_EQ(a.fields.size(), b.fields.size());
    for (int i = 0; i < a.fields.size(); ++i) {
        const FieldDef &x = a.fields[i], &y = b.fields[i];
        EXPECT_EQ(x.name, y.name);
        EXPECT_EQ(x.type, y.type);
        EXPECT_EQ(x.size, y.size);
        EXPECT_EQ(x.required, y.required);
        for (const auto &[v, w] : {std::pair{x.minValue, y.minValue}, std::pair{x.maxValue, y.maxValue},
                                   std::pair{x.defaultValue, y.defaultValue}}) {
            if (sameTypes) {
                EXPECT_EQ(v.metaType(), w.metaType());
            }
            EXPECT_EQ(v, w);
        }
    }
    EXPECT_EQ(a.primaryKey, b.primaryKey);
    ASSERT_EQ(a.indexes.size(), b.indexes.size());
    for (int i = 0; i < a.indexes.size(); ++i) {
        EXPECT_EQ(a.indexes[i].name, b.indexes[i].name);
        EXPECT_EQ(a.indexes[i].fields, b.indexes[i].fields);
        EXPECT_EQ(a.indexes[i].options, b.indexes[i].options);
    }
}

FieldDef field(const char *name, FieldType type, int size = 0)
{
    FieldDef f;
    f.name = QString::fromUtf8(name);
    f.type = type;
    f.size = size;
    return f;
}

// A definition as the catalogue writes it reads back the same.
TEST(TableDefJsonTest, WrittenDefinitionsReadBack)
{
    TableDef full;
    full.name = QStringLiteral("KfzStamm.db");
    full.alias = QStringLiteral("Fuhrpark");
    full.fields = {field("KfzNr", FieldType::String, 10), field("Ölstand", FieldType::Float),
                   field("Kosten €", FieldType::Currency), field("Nr", FieldType::AutoInc),
                   field("Bild", FieldType::Graphic)};
    full.fields[0].required = true;
    full.fields[1].minValue = 0.5;
    full.fields[1].maxValue = 7.0;
    full.fields[1].defaultValue = -1.25e-7;
    full.fields[2].defaultValue = QStringLiteral("1.000,50 – Straße \"neu\"");
    full.fields[3].minValue = true;
    full.fields[3].maxValue = 2147483647.0;
    full.primaryKey = {QStringLiteral("KfzNr"), QStringLiteral("Nr")};
    full.indexes = {{QStringLiteral("ByOel"), {QStringLiteral("Ölstand")}, ixUnique | ixCaseInsensitive},
                    {QStringLiteral("Leer"), {}, 0}};
    TableDef bare;
    bare.name = QStringLiteral("Leer.db");
    for (const TableDef &def : {full, bare}) {
        SCOPED_TRACE(def.name.toStdString());
        const TableDef read = tableDefFromJson(tableDefToJson(def));
        expectSame(read, def, false);
        expectSame(tableDefFromJson(tableDefToJson(read)), read);
    }
}

// Whatever the bytes, reading gives a definition: what is none gives an empty one, and what is
// not understood is passed over.
TEST(TableDefJsonTest, AnyEntryReads)
{
    struct Case {
        const char *json;
        const char *name;
        int fields;
    };
    const Case cases[] = {
        {R"( { "name" : "A.db" , "fields" : [ { "name" : "X" , "type" : 2 , "size" : 0 } ] } )", "A.db", 1},
        {R"({"name":"A \"b\".db"})", "A \"b\".db", 0},
        {R"({"name":"A.db","extra":{"x":[1,2]}})", "A.db", 0},
        {R"({"fields":[3,{"name":"X","type":"2","size":12345678901}]})", "", 2},
        {R"({"name":"A.db"} trailing)", "", 0},
        {R"({"name":"A.db")", "", 0},
        {R"([{"name":"A.db"}])", "", 0},
        {"", "", 0},
        {"\xff\xfe{", "", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.json);
        const TableDef def = tableDefFromJson(QByteArray(c.json));
        EXPECT_EQ(def.name, QString::fromUtf8(c.name));
        EXPECT_EQ(def.fields.size(), c.fields);
    }
}

} // namespace
