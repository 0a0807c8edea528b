#include <gtest/gtest.h>

#include "dbe/detail/TableDefJson.h"

using namespace dbe;
using namespace dbe::detail;

namespace {

void expectSame(const TableDef &a, const TableDef &b)
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
            EXPECT_EQ(v.metaType(), w.metaType());
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

// Definitions as the catalogue writes them are read directly, to the same definition the JSON
// document gives.
TEST(TableDefJsonTest, WrittenDefinitionsReadBackDirectly)
{
    TableDef full;
    full.name = QStringLiteral("KfzStamm.db");
    full.alias = QStringLiteral("Fuhrpark");
    full.fields = {field("KfzNr", FieldType::String, 10), field("Ölstand", FieldType::Float),
                   field("Kosten €", FieldType::Currency), field("Nr", FieldType::AutoInc),
                   field("Bild", FieldType::Graphic)};
    full.fields[0].required = true;
    full.fields[1].minValue = 0.5;
    full.fields[1].maxValue = 7;
    full.fields[1].defaultValue = -1.25e-7;
    full.fields[2].defaultValue = QStringLiteral("1.000,50 – Straße");
    full.fields[3].minValue = true;
    full.fields[3].maxValue = 2147483647;
    full.primaryKey = {QStringLiteral("KfzNr"), QStringLiteral("Nr")};
    full.indexes = {{QStringLiteral("ByOel"), {QStringLiteral("Ölstand")}, ixUnique | ixCaseInsensitive},
                    {QStringLiteral("Leer"), {}, 0}};
    TableDef bare;
    bare.name = QStringLiteral("Leer.db");
    for (const TableDef &def : {full, bare}) {
        SCOPED_TRACE(def.name.toStdString());
        const QByteArray json = tableDefToJson(def);
        TableDef direct;
        ASSERT_TRUE(readTableDefDirectly(json, direct)) << json.toStdString();
        expectSame(direct, readTableDefFromDocument(json));
        expectSame(direct, tableDefFromJson(json));
        EXPECT_EQ(direct.fields.size(), def.fields.size());
        EXPECT_EQ(direct.name, def.name);
    }
}

// Whatever the bytes, the result is the JSON document's; the direct reading takes what it can.
TEST(TableDefJsonTest, AnyEntryReadsAsTheJsonDocumentReadsIt)
{
    struct Case {
        const char *json;
        bool direct;
    };
    const Case cases[] = {
        {R"( { "name" : "A.db" , "fields" : [ { "name" : "X" , "type" : 2 , "size" : 0 } ] } )", true},
        {R"({"fields":[{"name":"X","type":1,"min":null,"max":"z","default":1e3}],"primaryKey":["X"]})", true},
        {R"({"name":"A.db","fields":[],"indexes":[{"name":"","fields":["X","Y"],"options":-5}]})", true},
        {R"({"name":"A \"b\".db"})", false},                // escapes
        {R"({"name":"A.db","name":"B.db"})", false},        // a key twice
        {R"({"name":"A.db","extra":{"x":[1,2]}})", false},  // a key unknown
        {R"({"fields":[{"name":"X","type":2.0}]})", false}, // a type not written whole
        {R"({"fields":[{"name":"X","type":"2"}]})", false}, // a type as text
        {R"({"fields":[{"name":"X","size":12345678901}]})", false},
        {R"({"fields":[{"name":"X","size":007}]})", false},
        {R"({"fields":[{"name":"X","required":1}]})", false},
        {R"({"fields":[{"name":"X","min":[1]}]})", false},
        {R"({"fields":[{"name":"X","min":tru}]})", false},
        {R"({"fields":[3,{"name":"X"}]})", false}, // an element that is no object
        {R"({"primaryKey":["X",1]})", false},
        {R"({"name":"A.db"} trailing)", false},
        {R"({"name":"A.db")", false},
        {R"([{"name":"A.db"}])", false},
        {"{\"name\":\"\xc3\x28\"}", false}, // no UTF-8
        {"{\"name\":\"a\tb\"}", false},     // a control character
        {"", false},
        {"\xff\xfe{", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.json);
        const QByteArray json(c.json);
        TableDef direct;
        EXPECT_EQ(readTableDefDirectly(json, direct), c.direct);
        const TableDef reference = readTableDefFromDocument(json);
        if (c.direct)
            expectSame(direct, reference);
        expectSame(tableDefFromJson(json), reference);
    }
}

} // namespace
