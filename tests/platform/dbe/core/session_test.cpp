#include "fixture.h"

#include <filesystem>
#include <functional>

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

TEST_F(SessionTest, TableNamesWithADirectoryPartAreRefused)
{
    // A text table beside the data directory that a name must not reach.
    const auto outside = dir / "outside";
    std::filesystem::create_directories(outside);
    testsupport::writeFile(outside / "EXT.SCH", "[EXT]\nFILETYPE = FIXED\nField1 = A,CHAR,2,00,00\n");
    testsupport::writeFile(outside / "EXT.TXT", "ab\n");
    const auto data = dir / "daten";
    std::filesystem::create_directories(data);
    session->AddStandardAlias(QStringLiteral("Daten"), QString::fromStdString(data.string()));
    const char *refused[] = {"../../Kfz.db", "/etc/Kfz.db", "sub/dir/Kfz.db",    "..\\Kfz.db",
                             "..",           ".",           "../outside/EXT.TXT"};
    for (const char *name : refused) {
        SCOPED_TRACE(name);
        auto t = table(QString::fromUtf8(name));
        const QString message =
            QStringLiteral("Ungültiger Tabellenname '%1': ein Tabellenname darf keine Pfadangabe enthalten")
                .arg(QString::fromUtf8(name));
        for (const auto &use :
             std::vector<std::function<void()>>{[&] { t->Open(); }, [&] { t->Exists(); },
                                                [&] { t->CreateTable(); }, [&] { t->EmptyTable(); }}) {
            try {
                use();
                ADD_FAILURE() << "taken";
            } catch (const EDBEngineError &e) {
                EXPECT_EQ(e.Message(), message);
            }
        }
        EXPECT_FALSE(t->Active());
    }
    // Nothing was created on the way; the plain name is the table of the directory.
    auto plain = table(QStringLiteral("Kfz.db"));
    plain->Open();
    EXPECT_TRUE(plain->IsEmpty());
    EXPECT_FALSE(std::filesystem::exists(data / "sub"));
    // A text table named plainly in its own directory reads as before.
    auto text = table(QString::fromStdString((outside / "EXT.TXT").string()));
    text->SetDatabaseName(QString::fromStdString(outside.string()));
    text->SetTableName(QStringLiteral("EXT.TXT"));
    text->Open();
    EXPECT_EQ(text->Fields(0)->AsString(), "ab");
}

} // namespace
