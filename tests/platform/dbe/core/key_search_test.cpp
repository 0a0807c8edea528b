#include "fixture.h"

using namespace dbe;

namespace {

class KeySearchTest : public DbeFixture {
protected:
    void SetUp() override
    {
        t = table(QStringLiteral("Kfz.db"));
        t->Open();
        addVehicles(*t, {{"AB-1", "x"}, {"AB-2", ""}, {"CD-1", "y"}, {"CD-2", ""}, {"EF-1", "z"}});
    }
    QString nr() const { return t->FieldByName(QStringLiteral("KfzNr"))->AsString(); }
    std::unique_ptr<TTable> t;
};

TEST_F(KeySearchTest, FindKeyOnPrimaryAndSecondaryIndexWithBlankEqualsBlank)
{
    struct Case {
        const char *index;
        QVariantList key;
        bool found;
        const char *at;
    };
    const std::vector<Case> cases = {
        {"", {"CD-1"}, true, "CD-1"},           {"", {"CD"}, false, nullptr}, {"ByInfo", {"y"}, true, "CD-1"},
        {"ByInfo", {QVariant()}, true, "AB-2"}, // blank key finds the first blank row
        {"ByInfo", {""}, true, "AB-2"},         // empty text is blank
        {"ByInfo", {"q"}, false, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.index) + " " + c.key.value(0).toString().toStdString());
        t->SetIndexName(QString::fromLatin1(c.index));
        t->First();
        const QString before = nr();
        EXPECT_EQ(t->FindKey(c.key), c.found);
        EXPECT_EQ(nr(), c.found ? QString::fromLatin1(c.at) : before);
    }
}

TEST_F(KeySearchTest, FindNearestSetKeyGotoKeyAndPartialKeys)
{
    t->FindNearest({"CD"});
    EXPECT_EQ(nr(), "CD-1");
    t->FindNearest({"ZZ"});
    EXPECT_EQ(nr(), "EF-1");
    t->SetKey();
    t->FieldByName(QStringLiteral("KfzNr"))->SetAsString(QStringLiteral("AB-2"));
    EXPECT_EQ(t->State(), TDataSetState::dsSetKey);
    EXPECT_TRUE(t->GotoKey());
    EXPECT_EQ(t->State(), TDataSetState::dsBrowse);
    EXPECT_EQ(nr(), "AB-2");
    t->EditKey();
    t->FieldByName(QStringLiteral("KfzNr"))->SetAsString(QStringLiteral("CD-15"));
    t->GotoNearest();
    EXPECT_EQ(nr(), "CD-2");
    // A leading part of a two-field order.
    t->SetIndexFieldNames(QStringLiteral("Info;KfzNr"));
    EXPECT_TRUE(t->FindKey({QVariant()}));
    EXPECT_EQ(nr(), "AB-2");
    EXPECT_TRUE(t->FindKey({QVariant(), "CD-2"}));
    EXPECT_EQ(nr(), "CD-2");
}

TEST_F(KeySearchTest, UniqueKeysTreatBlanksAsEqualAndReportIndexfehler)
{
    auto codes = table(QStringLiteral("Codes.db"));
    codes->Open();
    auto add = [&](const QVariant &code) {
        codes->Append();
        codes->FieldByName(QStringLiteral("Code"))->SetValue(code);
        codes->Post();
    };
    add("TUV");
    add(QVariant());
    struct Case {
        QVariant code;
        bool violates;
    };
    for (const Case &c : std::vector<Case>{{"TUV", true}, {QVariant(), true}, {"", true}, {"ASU", false}}) {
        SCOPED_TRACE(c.code.toString().toStdString());
        try {
            add(c.code);
            EXPECT_FALSE(c.violates);
        } catch (const EDBEngineError &e) {
            EXPECT_TRUE(c.violates);
            EXPECT_EQ(e.ErrorCode(), ErrorCode::KeyViolation);
            EXPECT_EQ(e.Message(), "Indexfehler");
            EXPECT_EQ(codes->State(), TDataSetState::dsInsert);
            codes->Cancel();
        }
    }
    EXPECT_EQ(codes->RecordCount(), 3);
    // The primary key too, also when an edit makes the duplicate.
    t->FindKey({"AB-1"});
    t->Edit();
    t->FieldByName(QStringLiteral("KfzNr"))->SetAsString(QStringLiteral("CD-1"));
    EXPECT_THROW(t->Post(), EDBEngineError);
    t->Cancel();
    EXPECT_EQ(nr(), "AB-1");
}

TEST_F(KeySearchTest, LocateAndLookupDoNotNeedAnIndex)
{
    EXPECT_TRUE(t->Locate(QStringLiteral("Info"), QVariant("y")));
    EXPECT_EQ(nr(), "CD-1");
    EXPECT_FALSE(t->Locate(QStringLiteral("Info"), QVariant("Y")));
    EXPECT_EQ(nr(), "CD-1");
    EXPECT_TRUE(t->Locate(QStringLiteral("Info"), QVariant("Y"), loCaseInsensitive));
    EXPECT_TRUE(t->Locate(QStringLiteral("KfzNr;Info"), {"EF-1", "z"}));
    EXPECT_EQ(nr(), "EF-1");
    EXPECT_TRUE(t->Locate(QStringLiteral("KfzNr"), QVariant("ab"), loCaseInsensitive | loPartialKey));
    EXPECT_EQ(nr(), "AB-1");
    t->Last();
    EXPECT_EQ(t->Lookup(QStringLiteral("Info"), {"y"}, QStringLiteral("KfzNr")).toString(), "CD-1");
    EXPECT_FALSE(t->Lookup(QStringLiteral("Info"), {"nix"}, QStringLiteral("KfzNr")).isValid());
    EXPECT_EQ(nr(), "EF-1");
}

TEST_F(KeySearchTest, RangesRestrictRowsRecNoAndCount)
{
    t->SetRange({"AB"}, {"CD-1"});
    EXPECT_EQ(column(*t, QStringLiteral("KfzNr")), QStringList({"AB-1", "AB-2", "CD-1"}));
    EXPECT_EQ(t->RecordCount(), 3);
    t->SetRangeStart();
    t->FieldByName(QStringLiteral("KfzNr"))->SetAsString(QStringLiteral("CD-1"));
    t->SetRangeEnd();
    t->FieldByName(QStringLiteral("KfzNr"))->SetAsString(QStringLiteral("CD-2"));
    t->ApplyRange();
    EXPECT_EQ(column(*t, QStringLiteral("KfzNr")), QStringList({"CD-1", "CD-2"}));
    t->Last();
    EXPECT_EQ(t->RecNo(), 2);
    t->CancelRange();
    EXPECT_EQ(t->RecordCount(), 5);
    // Range on a secondary index, blanks included at the start.
    t->SetIndexName(QStringLiteral("ByInfo"));
    t->SetRange({QVariant()}, {"x"});
    EXPECT_EQ(column(*t, QStringLiteral("KfzNr")), QStringList({"AB-2", "CD-2", "AB-1"}));
}

} // namespace
