#include <vector>

#include <gtest/gtest.h>

#include "dbe/Errors.h"
#include "dbe/Field.h"
#include "dbe/Query.h"
#include "fixture.h"

using namespace dbe;

namespace {

class QueryTest : public DbeFixture {
protected:
    void SetUp() override
    {
        auto kfz = table(QStringLiteral("Kfz.db"));
        kfz->Open();
        // B has neither text nor reading: expressions over them start with a blank.
        const std::vector<std::tuple<const char *, const char *, double>> rows = {
            {"A", "Kombi", 1200.5}, {"B", "", -1}, {"C", "Transporter lang", 7}};
        for (const auto &[nr, info, km] : rows) {
            kfz->Append();
            kfz->FieldByName(QStringLiteral("KfzNr"))->SetAsString(QString::fromLatin1(nr));
            kfz->FieldByName(QStringLiteral("Info"))->SetAsString(QString::fromLatin1(info));
            if (km >= 0)
                kfz->FieldByName(QStringLiteral("Km"))->SetAsFloat(km);
            kfz->Post();
        }
        auto kosten = table(QStringLiteral("Kosten.db"));
        kosten->Open();
        kosten->Append();
        kosten->FieldByName(QStringLiteral("KfzNr"))->SetAsString(QStringLiteral("A"));
        kosten->FieldByName(QStringLiteral("Betrag"))->SetAsFloat(12.34);
        kosten->Post();
    }

    std::unique_ptr<TQuery> query(const QString &sql)
    {
        auto q = std::make_unique<TQuery>(session.get());
        q->SetDatabaseName(QStringLiteral("Daten"));
        q->SetSQL({sql});
        q->Open();
        return q;
    }

    // Every row's value of one field as text, from the first row.
    static QStringList texts(TQuery &q, int field)
    {
        QStringList out;
        for (q.First(); !q.Eof(); q.Next())
            out << (q.Fields(field)->IsNull() ? QStringLiteral("<null>") : q.Fields(field)->AsString());
        return out;
    }
};

// A field takes its table column's type, else its declared type, else the type of the first value
// that is not blank; a text expression is as wide as its longest value.
TEST_F(QueryTest, FieldsAreTypedByColumnOrValues)
{
    struct Case {
        const char *sql;
        TFieldType type;
        int size; // -1: not checked
        QStringList values;
    };
    const std::vector<Case> cases = {
        {"SELECT \"KfzNr\" FROM \"kfz\" ORDER BY 1", TFieldType::ftString, 10, {"A", "B", "C"}},
        {"SELECT \"Km\" FROM \"kfz\" ORDER BY \"KfzNr\"", TFieldType::ftFloat, -1, {"1200,5", "<null>", "7"}},
        {"SELECT \"Betrag\" FROM \"kosten\"", TFieldType::ftCurrency, -1, {"12,34"}},
        {"SELECT count(*) FROM \"kfz\"", TFieldType::ftInteger, -1, {"3"}},
        {"SELECT \"KfzNr\" || ':' || \"Info\" FROM \"kfz\" ORDER BY 1",
         TFieldType::ftString,
         18,
         {"<null>", "A:Kombi", "C:Transporter lang"}},
        {"SELECT \"Km\" * 2 FROM \"kfz\" ORDER BY \"KfzNr\" DESC",
         TFieldType::ftFloat,
         -1,
         {"14", "<null>", "2401"}},
        {"SELECT CAST(\"Km\" AS INTEGER) FROM \"kfz\" ORDER BY \"KfzNr\"",
         TFieldType::ftInteger,
         -1,
         {"1200", "<null>", "7"}},
        {"SELECT NULL FROM \"kfz\" WHERE 0", TFieldType::ftString, 1, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sql);
        auto q = query(QString::fromUtf8(c.sql));
        ASSERT_EQ(q->FieldCount(), 1);
        EXPECT_EQ(q->Fields(0)->DataType(), c.type);
        if (c.size >= 0) {
            EXPECT_EQ(q->Fields(0)->Size(), c.size);
        }
        EXPECT_EQ(texts(*q, 0), c.values);
        EXPECT_EQ(q->RecordCount(), c.values.size());
    }
}

TEST_F(QueryTest, OnlyOneSelectIsRun)
{
    const char *refused[] = {"", "DELETE FROM \"kfz\"", "SELECT 1; SELECT 2",
                             "UPDATE \"kfz\" SET \"Info\" = 'x'"};
    for (const char *sql : refused) {
        SCOPED_TRACE(sql);
        TQuery q(session.get());
        q.SetDatabaseName(QStringLiteral("Daten"));
        q.SetSQL({QString::fromUtf8(sql)});
        EXPECT_THROW(q.Open(), EDatabaseError);
        EXPECT_FALSE(q.Active());
    }
    auto kfz = table(QStringLiteral("Kfz.db"));
    kfz->Open();
    EXPECT_EQ(kfz->RecordCount(), 3);
}

} // namespace
