#include <QStringList>

#include "DruckSchleifen.h"
#include "ReportDefinierer.h"
#include "ReportFelder.h"
#include "Tb6.h"
#include "dbe/Session.h"
#include "dbe/Table.h"
#include "fake_engine_fixture.h"
#include "reportengine/EngineTypes.h"
#include "temp_dir.h"

namespace {

dbe::FieldDef text(const char *name, int size)
{
    dbe::FieldDef f;
    f.name = QString::fromUtf8(name);
    f.type = size > 0 ? dbe::FieldType::String : dbe::FieldType::Memo;
    f.size = size;
    return f;
}

// A vehicle master and a tour table with tours of a known and of a deleted vehicle.
class ReportFelderTest : public FakeEngineTest {
protected:
    void SetUp() override
    {
        FakeEngineTest::SetUp();
        session_ =
            std::make_unique<dbe::TSession>(QString::fromStdString((dir_.path() / "dbe.cfg").string()));
        session_->AddStandardAlias(QStringLiteral("Fuhrpark"), QString::fromStdString(dir_.str()));
        dbe::TableDef stamm;
        stamm.name = QStringLiteral("KfzStamm.db");
        stamm.fields = {text("KfzNr", 10), text("Info", 30), text("Memo", 0)};
        stamm.primaryKey = {QStringLiteral("KfzNr")};
        dbe::TableDef touren;
        touren.name = QStringLiteral("KfzTour.db");
        touren.fields = {text("KfzNr", 10), text("Tour", 10), text("Bemerkung", 0)};
        session_->RegisterTables({stamm, touren});
        fahrzeuge_ = oeffnen("KfzStamm.db");
        zeile(*fahrzeuge_, {"HH-A 1", "Sprinter", ""});
        zeile(*fahrzeuge_, {"HH-B 2", "Lang", ""});
        fahrzeuge_->Edit();
        fahrzeuge_->FieldByName(QStringLiteral("Memo"))->SetAsString(QString(70000, u'x'));
        fahrzeuge_->Post();
        touren_ = oeffnen("KfzTour.db");
        zeile(*touren_, {"HH-A 1", "T1"});
        zeile(*touren_, {"WEG 9", "T2"});
        zeile(*touren_, {"HH-B 2", "T3"});
        tb_ = std::make_unique<reporting::TTb6_>();
        fake_->clearCalls();
    }
    std::unique_ptr<dbe::TTable> oeffnen(const char *name)
    {
        auto t = std::make_unique<dbe::TTable>(session_.get());
        t->SetDatabaseName(QStringLiteral("Fuhrpark"));
        t->SetTableName(QString::fromLatin1(name));
        t->Open();
        return t;
    }
    static void zeile(dbe::TTable &t, std::initializer_list<const char *> werte)
    {
        t.Append();
        int i = 0;
        for (const char *w : werte)
            t.Fields(i++)->SetAsString(QString::fromUtf8(w));
        t.Post();
    }
    QStringList definiert(const char *funktion = "TbDefineFieldA") const
    {
        QStringList out;
        for (const QString &call : fake_->callsStartingWith(QString::fromLatin1(funktion)))
            out << call.mid(call.indexOf(u',') + 2).chopped(1).left(40);
        return out;
    }

    testsupport::TempDir dir_;
    std::unique_ptr<dbe::TSession> session_;
    std::unique_ptr<dbe::TTable> fahrzeuge_, touren_;
    std::unique_ptr<reporting::TTb6_> tb_;
};

TEST_F(ReportFelderTest, ClientVariablesInOrderWithMissingTextsEmpty)
{
    reporting::DefineClientVariables(*tb_, true, {"M01", "Spedition Muster"});
    ASSERT_EQ(fake_->callsStartingWith("TbDefineVariableStart").size(), 1);
    const QStringList v = definiert("TbDefineVariableA");
    ASSERT_EQ(v.size(), 15);
    EXPECT_EQ(v[0], QStringLiteral("AktuellerMandant, M01"));
    EXPECT_EQ(v[1], QStringLiteral("AktMandantName1, Spedition Muster"));
    EXPECT_EQ(v[14], QStringLiteral("AktMandantBemerkung3, "));

    fake_->clearCalls();
    reporting::DefineClientVariables(*tb_, false, {});
    EXPECT_TRUE(fake_->callsStartingWith("TbDefineVariableStart").isEmpty());
}

TEST_F(ReportFelderTest, VehicleLookupDefinesUsedFieldsCutOrEmptyWhenMissing)
{
    fake_->usedNames = {"Info", "Memo"};
    reporting::FahrzeugSuchen(*tb_, *fahrzeuge_, QStringLiteral("HH-B 2"));
    const QStringList gefunden = fake_->callsStartingWith("TbDefineFieldA");
    ASSERT_EQ(gefunden.size(), 2);
    EXPECT_TRUE(gefunden[0].endsWith(QStringLiteral("Info, Lang)")));
    EXPECT_TRUE(gefunden[1].endsWith(QStringLiteral("Memo, ") + QString(reporting::kMaxInhalt, u'x') + u')'));

    fake_->clearCalls();
    reporting::FahrzeugSuchen(*tb_, *fahrzeuge_, QStringLiteral("WEG 9"));
    EXPECT_EQ(definiert(), (QStringList{"Info, ", "Memo, "}));
}

// A tour of a deleted vehicle prints with empty vehicle fields; each row defines only what the
// project uses.
TEST_F(ReportFelderTest, ListLoopOverATableWithTheVehicleLookup)
{
    fake_->printOptions[{tb_->hTbJob(), tb::popt::LastPage}] = tb::TB_PAGE_OPEN;
    fake_->usedNames = {"Info", "Tour"};
    reporting::PrintListReport(
        reporting::DruckLauf{*tb_, QStringLiteral("Touren.lst"), nullptr, false}, *touren_, [&] {
            reporting::FahrzeugSuchen(*tb_, *fahrzeuge_,
                                      touren_->FieldByName(QStringLiteral("KfzNr"))->AsString());
            reporting::BenutzteFelder(*tb_, *touren_, false);
        });
    EXPECT_EQ(definiert(),
              (QStringList{"Info, Sprinter", "Tour, T1", "Info, ", "Tour, T2", "Info, Lang", "Tour, T3"}));
    EXPECT_EQ(fake_->callsStartingWith("TbPrintFields(").size(), 3);
}

TEST_F(ReportFelderTest, SkipRuleLeavesOutRecordsFromTheFirstOn)
{
    fake_->printOptions[{tb_->hTbJob(), tb::popt::LastPage}] = tb::TB_PAGE_OPEN;
    fake_->usedNames = {"Tour"};
    auto ueberspringen = [&] {
        while (!touren_->Eof() &&
               touren_->FieldByName(QStringLiteral("KfzNr"))->AsString() != QLatin1String("HH-B 2"))
            touren_->Next();
    };
    reporting::PrintListReport(
        reporting::DruckLauf{*tb_, QStringLiteral("WerkTerm.lst"), nullptr, false}, *touren_,
        [&] { reporting::BenutzteFelder(*tb_, *touren_, false); }, ueberspringen);
    EXPECT_EQ(definiert(), QStringList{"Tour, T3"});
}

TEST_F(ReportFelderTest, CutValuesStopAt64000CharactersAndWholeValuesPassUnchanged)
{
    // A character outside the basic plane right at the cut is left out whole, not split.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x9A\x9A");
    const QString text = QString(reporting::kMaxInhalt - 1, u'a') + emoji + QStringLiteral("b");
    EXPECT_EQ(reporting::Abgeschnitten(text), QString(reporting::kMaxInhalt - 1, u'a'));
    EXPECT_EQ(reporting::Abgeschnitten(QString(70000, u'x')).size(), reporting::kMaxInhalt);
    EXPECT_EQ(reporting::Abgeschnitten(QStringLiteral("kurz")), QStringLiteral("kurz"));

    touren_->First();
    touren_->Edit();
    touren_->FieldByName(QStringLiteral("Bemerkung"))->SetAsString(QString(300, u'ü'));
    touren_->Post();
    touren_->First();
    reporting::DefineTableFields(*tb_, *touren_);
    const QStringList felder = fake_->callsStartingWith("TbDefineFieldA");
    ASSERT_EQ(felder.size(), 3);
    EXPECT_TRUE(felder[2].endsWith(QStringLiteral("Bemerkung, ") + QString(300, u'ü') + u')'));
}

} // namespace
