#include "fixture.h"

#include "base/DateTime.h"
#include "dbe/EngineCursor.h"
#include "expression_builder.h"

using namespace dbe;
namespace L = dbe::filter::layout;

namespace {

class FiltersTest : public DbeFixture {
protected:
    void SetUp() override
    {
        TableDef d;
        d.name = QStringLiteral("Misch.db");
        for (const char *text : {"FahrerName", "AuswJahr", "AuswMonatText", "JahrVon", "MonatVon", "JahrBis",
                                 "MonatBis", "Bearbeitungsnummer", "KfzNr"})
            d.fields << fd(text, FieldType::String, 30);
        for (const char *date : {"Datum", "GueltigBis1", "DatumVon", "DatumBis"})
            d.fields << fd(date, FieldType::Date);
        d.fields << fd("Id", FieldType::Integer) << fd("Filter", FieldType::Integer)
                 << fd("Ja", FieldType::Boolean);
        d.primaryKey = {QStringLiteral("Id")};
        session->RegisterTable(d);
        t = table(QStringLiteral("Misch.db"));
        t->Open();
        struct Row {
            int id;
            QString fahrer, datum, gueltig, jahr, monat, von, bis, jahrVon, monatVon, jahrBis, monatBis, bnr,
                kfz;
            int filter;
        };
        const std::vector<Row> rows = {
            {1, "X", "15.06.2024", "10.03.2024", "2005", "März", "1.2.2005", "10.2.2005", "2005", "Februar",
             "2005", "Februar", "4711", "AB-123", 1},
            {2, "X", "15.06.2023", "", "2005", "April", "20.1.2005", "5.2.2005", "2005", "Januar", "2005",
             "Februar", "0815", "AB-124", 0},
            {3, "Y", "1.1.2024", "20.03.2024", "2006", "März", "1.3.2005", "5.3.2005", "2005", "März", "2005",
             "März", "4711", "AB-123", 0},
            {4, "O'Neill", "", "", "", "", "", "", "", "", "", "", "", "ZZ-1", 1},
        };
        auto set = [&](const char *f, const QString &v) {
            t->FieldByName(QString::fromLatin1(f))->SetAsString(v);
        };
        for (const Row &r : rows) {
            t->Append();
            t->FieldByName(QStringLiteral("Id"))->SetAsInteger(r.id);
            set("FahrerName", r.fahrer);
            set("Datum", r.datum);
            set("GueltigBis1", r.gueltig);
            set("AuswJahr", r.jahr);
            set("AuswMonatText", r.monat);
            set("DatumVon", r.von);
            set("DatumBis", r.bis);
            set("JahrVon", r.jahrVon);
            set("MonatVon", r.monatVon);
            set("JahrBis", r.jahrBis);
            set("MonatBis", r.monatBis);
            set("Bearbeitungsnummer", r.bnr);
            set("KfzNr", r.kfz);
            t->FieldByName(QStringLiteral("Filter"))->SetAsInteger(r.filter);
            t->FieldByName(QStringLiteral("Ja"))->SetAsBoolean(r.id % 2 == 1);
            t->Post();
        }
    }
    QStringList ids() { return column(*t, QStringLiteral("Id")); }
    std::unique_ptr<TTable> t;
};

TEST_F(FiltersTest, FilterTextsOfTheProgramSelectTheirRows)
{
    struct Case {
        QString text;
        QStringList rows;
    };
    const std::vector<Case> cases = {
        {"FahrerName ='X'", {"1", "2"}},
        {"(FahrerName ='X') and ((Datum >= '1.1.2024') and (Datum <= '31.12.2024'))", {"1"}},
        {"(FahrerName ='X') and ((Datum >= '01.01.2024') and (Datum <= '31.12.2024'))", {"1"}},
        {"((GueltigBis1 <= '15.03.2024') and (GueltigBis1 > '01.01.1899')) or ((GueltigBis1 <= '15.03.2024') "
         "and "
         "(GueltigBis1 > '01.01.1899'))",
         {"1"}},
        {"AuswJahr = 2005", {"1", "2"}},
        {"(AuswJahr = '2005') and (AuswMonatText = 'März')", {"1"}},
        {"((DatumBis >=  '1.2.2005') and (DatumVon <= '28.2.2005'))or ((DatumBis >=  '1.2.2005') and "
         "(DatumVon <= "
         "'28.2.2005'))",
         {"1", "2"}},
        {"(JahrVon = '2005') and (MonatVon = 'Februar') or(JahrBis = '2005') and (MonatBis = 'Februar')",
         {"1", "2"}},
        {"Bearbeitungsnummer=4711", {"1", "3"}},
        {"KfzNr = 'AB-123'", {"1", "3"}},
        {"FahrerName = 'O''Neill'", {"4"}},
        {"Filter = 1", {"1", "4"}}, // the field named Filter
    };
    t->SetFiltered(true);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        t->SetFilter(c.text);
        EXPECT_EQ(ids(), c.rows);
        EXPECT_EQ(t->RecordCount(), c.rows.size());
    }
    // An incomplete expression is refused, whether set while filtering or
    // when filtering is switched on; the rows stay as they were.
    EXPECT_THROW(t->SetFilter(QStringLiteral("Bearbeitungsnummer=")), EDBEngineError);
    EXPECT_EQ(t->Filter(), "Filter = 1");
    EXPECT_EQ(t->RecordCount(), 2);
    t->SetFiltered(false);
    t->SetFilter(QStringLiteral("Bearbeitungsnummer="));
    EXPECT_THROW(t->SetFiltered(true), EDBEngineError);
    EXPECT_FALSE(t->Filtered());
    EXPECT_EQ(t->RecordCount(), 4);
}

TEST_F(FiltersTest, RecordFilterAndFilterTextApplyTogether)
{
    t->SetFilter(QStringLiteral("FahrerName = 'X'"));
    t->OnFilterRecord = [](TDataSet &ds, bool &accept) {
        accept = ds.FieldByName(QStringLiteral("Id"))->AsInteger() != 1;
    };
    t->SetFiltered(true);
    EXPECT_EQ(ids(), QStringList({"2"}));
    t->SetFilter(QString());
    t->Refresh();
    EXPECT_EQ(ids(), QStringList({"2", "3", "4"}));
}

TEST_F(FiltersTest, WalkingAFilteredTableReachesEveryRowItShows)
{
    // Pages grow as the walk goes on and read ahead past filtered-out rows; a
    // page that fills up before the end of the table must not end the walk.
    // Filters of many densities and ends, so that every way a page can end
    // occurs.
    {
        TTransaction tr(*session, QStringLiteral("Daten"));
        for (int id = 10; id < 330; ++id) {
            t->Append();
            t->FieldByName(QStringLiteral("Id"))->SetAsInteger(id);
            t->FieldByName(QStringLiteral("FahrerName"))
                ->SetAsString(id % 5 ? QStringLiteral("X") : QString());
            t->Post();
        }
        tr.Commit();
    }
    const auto gelaufen = [this] {
        int n = 0;
        for (t->First(); !t->Eof(); t->Next())
            ++n;
        return n;
    };
    for (int jede = 2; jede < 9; ++jede)
        for (int bis = 20; bis < 340; bis += 11) {
            SCOPED_TRACE(QStringLiteral("%1 %2").arg(jede).arg(bis).toStdString());
            t->OnFilterRecord = [jede, bis](TDataSet &ds, bool &accept) {
                const int id = ds.FieldByName(QStringLiteral("Id"))->AsInteger();
                accept = id % jede != 0 && id < bis;
            };
            t->SetFiltered(false);
            t->SetFiltered(true);
            ASSERT_EQ(gelaufen(), t->RecordCount());
        }
    t->OnFilterRecord = nullptr;
    t->SetFilter(QStringLiteral("FahrerName = 'X'"));
    t->Refresh();
    EXPECT_EQ(t->RecordCount(), 258);
    EXPECT_EQ(gelaufen(), 258);
}

TEST_F(FiltersTest, FilterTreesAreAddedSwitchedAndDroppedByHandle)
{
    TEngineCursor *h = t->Handle();
    auto build = [](auto &&make) {
        ExpressionBuilder b;
        return b.build(make(b));
    };
    // FahrerName = 'X'
    const int byDriver = h->AddFilter(build(
        [](ExpressionBuilder &b) { return b.binary(L::kEqual, b.field(1, "FahrerName"), b.string("X")); }));
    // GueltigBis1 is not blank (field 11)
    const int withDate = h->AddFilter(
        build([](ExpressionBuilder &b) { return b.unary(L::kNotBlank, b.field(11, "GueltigBis1")); }));
    EXPECT_EQ(ids(), QStringList({"1", "2", "3", "4"})); // added, not active
    h->ActivateFilter(byDriver);
    t->Resync();
    EXPECT_EQ(ids(), QStringList({"1", "2"}));
    h->ActivateFilter(withDate);
    EXPECT_EQ(ids(), QStringList({"1"}));
    h->DeactivateFilter(byDriver);
    EXPECT_EQ(ids(), QStringList({"1", "3"}));
    EXPECT_EQ(t->RecordCount(), 2);
    // Together with the filter text; a clone sees the same filters.
    t->SetFilter(QStringLiteral("Id > 1"));
    t->SetFiltered(true);
    EXPECT_EQ(ids(), QStringList({"3"}));
    auto clone = h->Clone();
    EXPECT_EQ(clone->RecordCount(), 1);
    h->DropFilter(withDate);
    EXPECT_EQ(ids(), QStringList({"2", "3", "4"}));
    EXPECT_THROW(h->ActivateFilter(withDate), EDBEngineError);
    // Prefix compare ignoring case, over a date constant and a boolean.
    t->SetFiltered(false);
    const int prefix = h->AddFilter(build([](ExpressionBuilder &b) {
        return b.binary(L::kAnd, b.compare(b.field(9, "KfzNr"), b.string("ab-12"), 5),
                        b.binary(L::kGreater, b.field(10, "Datum"),
                                 b.date(static_cast<std::int32_t>(base::encodeDate(2024, 1, 1)) +
                                        L::kDayNumberOfTDateTimeZero)));
    }));
    h->ActivateFilter(prefix);
    EXPECT_EQ(ids(), QStringList({"1"}));
    // A tree naming a field the table does not have is refused when added.
    EXPECT_THROW(h->AddFilter(build([](ExpressionBuilder &b) {
        return b.binary(L::kEqual, b.field(1, "Unbekannt"), b.string("X"));
    })),
                 EDBEngineError);
}

TEST_F(FiltersTest, TextFileTablesReadThroughTheirSchema)
{
    testsupport::writeFile(dir / "TANK.SCH", "[TANK]\r\nFILETYPE = FIXED\r\nCHARSET = ascii\r\n"
                                             "Field1 = Satzart,CHAR,2,00,00\r\nField2 = Name,CHAR,6,00,02\r\n"
                                             "Field3 = Km,LONGINT,5,00,08\r\n");
    testsupport::writeFile(dir / "tank.txt", "01M\x81ller12345\r\n02Ma\xE1   00042\r\n");
    testsupport::writeFile(dir / "karte.sch", "[KARTE]\nFILETYPE = VARYING\nSEPARATOR = ;\nDELIMITER = \"\n"
                                              "CHARSET = ANSIINTL\nField1 = Name,CHAR,10,00,00\n"
                                              "Field2 = Betrag,NUMBER,10,02,00\n");
    testsupport::writeFile(dir / "karte.txt", "\"J\xFCrgen\";12.5\n\"Stra\xDF"
                                              "e\";3\n");
    TTable fixed(session.get());
    fixed.SetDatabaseName(QString::fromStdString(dir.str()));
    fixed.SetTableName(QStringLiteral("tank.txt"));
    fixed.Open();
    EXPECT_EQ(fixed.Handle()->DriverName(), "ASCIIDRV");
    EXPECT_EQ(column(fixed, QStringLiteral("Name")), QStringList({"Müller", "Maß"}));
    EXPECT_EQ(column(fixed, QStringLiteral("km")), QStringList({"12345", "42"}));
    EXPECT_FALSE(fixed.CanModify());
    EXPECT_THROW(fixed.Insert(), EDBEngineError);
    try {
        (void)fixed.Handle()->SequenceNumber();
        FAIL();
    } catch (const EDBEngineError &e) {
        EXPECT_EQ(e.ErrorCode(), ErrorCode::NotSupported);
    }
    TTable delimited(session.get());
    delimited.SetDatabaseName(QString::fromStdString(dir.str()));
    delimited.SetTableName(QStringLiteral("KARTE.TXT"));
    delimited.Open();
    EXPECT_EQ(column(delimited, QStringLiteral("Name")), QStringList({"Jürgen", "Straße"}));
    EXPECT_EQ(delimited.FieldByName(QStringLiteral("Betrag"))->DataType(), TFieldType::ftFloat);
    testsupport::writeFile(dir / "kaputt.sch", "[K]\nFILETYPE = FIXED\nField1 = A,CHAR\n");
    testsupport::writeFile(dir / "kaputt.txt", "x\n");
    TTable broken(session.get());
    broken.SetDatabaseName(QString::fromStdString(dir.str()));
    broken.SetTableName(QStringLiteral("kaputt.txt"));
    try {
        broken.Open();
        FAIL();
    } catch (const EDBEngineError &e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("kaputt"))) << e.Message().toStdString();
    }
}

} // namespace
