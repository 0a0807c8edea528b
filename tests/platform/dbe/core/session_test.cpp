#include "fixture.h"

#include <QDir>

using namespace dbe;

namespace {

class SessionTest : public DbeFixture {};

TEST_F(SessionTest, AliasesAreSavedAndReadBackByANewSession)
{
    const QString cfg = QString::fromStdString((dir / "cfg" / "dbe.cfg").string());
    {
        TSession s(cfg);
        EXPECT_FALSE(s.ConfigFileFound());
        s.AddStandardAlias(QStringLiteral("Fuhrpark"), QStringLiteral("/daten/Datenbk"));
        s.AddStandardAlias(QStringLiteral("FuhrparkPriv"), QStringLiteral("/daten/Priv"));
        s.AddStandardAlias(QStringLiteral("FuhrpkMand"), QStringLiteral("/daten/Mand"));
        s.ModifyAlias(QStringLiteral("fuhrpark"), {QStringLiteral("LANGDRIVER=ascii")});
        s.SaveConfigFile();
    }
    TSession s(cfg);
    EXPECT_TRUE(s.ConfigFileFound());
    EXPECT_EQ(s.GetAliasNames(), QStringList({"Fuhrpark", "FuhrparkPriv", "FuhrpkMand"}));
    EXPECT_TRUE(s.IsAlias(QStringLiteral("FUHRPARK")));
    EXPECT_FALSE(s.IsAlias(QStringLiteral("Fuhrpark2")));
    EXPECT_EQ(s.GetAliasParams(QStringLiteral("Fuhrpark")),
              QStringList({"PATH=/daten/Datenbk", "LANGDRIVER=ascii"}));
    // Replacing PATH keeps the other parameters, PATH stays first.
    s.ModifyAlias(QStringLiteral("Fuhrpark"), {QStringLiteral("PATH=/daten/Datenbk3")});
    EXPECT_EQ(s.GetAliasParams(QStringLiteral("Fuhrpark")).value(0), "PATH=/daten/Datenbk3");
    EXPECT_EQ(s.DirectoryOf(QStringLiteral("fuhrpark")), "/daten/Datenbk3");
    EXPECT_TRUE(s.GetAliasParams(QStringLiteral("Nix")).isEmpty());
}

TEST_F(SessionTest, ClosingTheSessionClosesItsDatasetsAndAPathWorksLikeAnAlias)
{
    auto a = table(QStringLiteral("Kfz.db"));
    a->Open();
    addVehicles(*a, {{"A", ""}});
    TTable b(session.get());
    b.SetDatabaseName(QString::fromStdString(dir.str())); // a plain directory
    b.SetTableName(QStringLiteral("KFZ"));
    b.Open();
    EXPECT_EQ(b.RecordCount(), 1);
    session->Close();
    EXPECT_FALSE(a->Active());
    EXPECT_FALSE(b.Active());
    session->Open();
    a->Open();
    EXPECT_EQ(a->RecordCount(), 1);
}

TEST_F(SessionTest, ADatasetOutlivingItsSessionIsClosed)
{
    auto t = table(QStringLiteral("Kfz.db"));
    t->Open();
    session.reset();
    EXPECT_FALSE(t->Active());
    t.reset(); // no use of the session that is gone
}

TEST_F(SessionTest, ExplicitTransactionsCommitOrRollBackTogether)
{
    auto a = table(QStringLiteral("Kfz.db"));
    auto c = table(QStringLiteral("Codes.db"));
    a->Open();
    c->Open();
    {
        TTransaction tx(*session, QStringLiteral("Daten"));
        addVehicles(*a, {{"A", ""}});
        c->Append();
        c->FieldByName(QStringLiteral("Code"))->SetAsString(QStringLiteral("X"));
        c->Post();
    } // rolled back
    a->Refresh();
    c->Refresh();
    EXPECT_TRUE(a->IsEmpty());
    EXPECT_TRUE(c->IsEmpty());
    TTransaction tx(*session, QStringLiteral("Daten"));
    addVehicles(*a, {{"B", ""}});
    tx.Commit();
    auto again = table(QStringLiteral("Kfz.db"));
    again->Open();
    EXPECT_EQ(again->RecordCount(), 1);
}

} // namespace
