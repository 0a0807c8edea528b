#include "fixture.h"

#include <cmath>

#include "base/Abort.h"
#include "dbe/Field.h"
#include "dbe/Query.h"

using namespace dbe;

namespace {

// Costs of three vehicles and one without a number, deleted by key range and added up.
class SetOperationsTest : public DbeFixture {
protected:
    void SetUp() override
    {
        kosten = table(QStringLiteral("Kosten.db"));
        kosten->SetIndexFieldNames(QStringLiteral("KfzNr;Datum"));
        kosten->Open();
        struct Row {
            const char *nr;
            double datum, betrag;
        };
        const Row rows[] = {{"A", 3, 1.00005}, {"B", 1, 2.5},     {"A", 1, 0.1}, {"C", 2, 1000.25},
                            {"B", 2, -0.75},   {"", 1, 7},        {"B", 3, 0.2}, {"A", 2, 0.00004},
                            {"C", 1, 0.3},     {"C", 3, 12345.67}};
        for (const Row &r : rows) {
            kosten->Append();
            kosten->FieldByName(QStringLiteral("KfzNr"))->SetAsString(QString::fromLatin1(r.nr));
            kosten->FieldByName(QStringLiteral("Datum"))->SetAsFloat(45000 + r.datum);
            kosten->FieldByName(QStringLiteral("Betrag"))->SetAsFloat(r.betrag);
            kosten->Post();
        }
        kosten->First();
    }

    // What a loop over the visible rows adds up: the reference for SumFields.
    static TFieldTotals loop(TDataSet &t, const QStringList &fields)
    {
        TFieldTotals out;
        out.sums.assign(fields.size(), 0.0);
        out.amounts.assign(fields.size(), base::Currency());
        t.First();
        while (!t.Eof()) {
            ++out.count;
            for (int i = 0; i < fields.size(); ++i) {
                out.sums[i] += t.FieldByName(fields[i])->AsFloat();
                out.amounts[i] += t.FieldByName(fields[i])->AsCurrency();
            }
            t.Next();
        }
        return out;
    }

    static QString rowText(TDataSet &t)
    {
        return t.FieldByName(QStringLiteral("KfzNr"))->AsString() + QLatin1Char('/') +
               t.FieldByName(QStringLiteral("Datum"))->AsString() + QLatin1Char('/') +
               t.FieldByName(QStringLiteral("Betrag"))->AsString();
    }

    QStringList numbers()
    {
        auto all = table(QStringLiteral("Kosten.db"));
        all->SetIndexFieldNames(QStringLiteral("KfzNr;Datum"));
        all->Open();
        return column(*all, QStringLiteral("KfzNr"));
    }

    std::unique_ptr<TTable> kosten;
};

TEST_F(SetOperationsTest, DeleteRangeRemovesTheKeyRangeWhateverTheViewShows)
{
    // The table shows only A through a filter and C through a range: neither limits the deletion.
    kosten->SetFilter(QStringLiteral("KfzNr = 'A'"));
    kosten->SetFiltered(true);
    struct Case {
        QVariantList low, high;
        int deleted;
        QStringList left;
    };
    const Case cases[] = {
        {{"B"}, {"B"}, 3, {"", "A", "A", "A", "C", "C", "C"}},
        {{""}, {""}, 1, {"A", "A", "A", "C", "C", "C"}}, // blank equals blank
        {{"A", 45002.0}, {"C", 45001.0}, 3, {"A", "C", "C"}},
        {{"X"}, {"Z"}, 0, {"A", "C", "C"}},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(kosten->DeleteRange(c.low, c.high), c.deleted);
        EXPECT_EQ(numbers(), c.left);
    }
    // The table stands on a row it still shows.
    EXPECT_EQ(kosten->RecordCount(), 1);
    EXPECT_EQ(kosten->FieldByName(QStringLiteral("KfzNr"))->AsString(), "A");
    EXPECT_EQ(kosten->FieldByName(QStringLiteral("Datum"))->AsFloat(), 45001.0);
}

TEST_F(SetOperationsTest, DeleteRangeIsPartOfTheSessionsTransactionAndRefusedWhenReadOnly)
{
    {
        TTransaction tx(*session, QStringLiteral("Daten"));
        EXPECT_EQ(kosten->DeleteRange({"A"}, {"C"}), 9);
        EXPECT_EQ(numbers(), QStringList({""}));
        tx.Rollback();
    }
    EXPECT_EQ(numbers().size(), 10);
    EXPECT_THROW(kosten->DeleteRange({}, {}), EDBEngineError); // no range: nothing goes
    auto lesend = table(QStringLiteral("Kosten.db"));
    lesend->SetReadOnly(true);
    lesend->SetIndexFieldNames(QStringLiteral("KfzNr"));
    lesend->Open();
    EXPECT_THROW(lesend->DeleteRange({"A"}, {"A"}), EDBEngineError);
    EXPECT_EQ(numbers().size(), 10);
}

TEST_F(SetOperationsTest, SumFieldsGivesWhatALoopOverTheVisibleRowsGives)
{
    const QStringList fields{QStringLiteral("Betrag"), QStringLiteral("Datum")};
    auto master = table(QStringLiteral("Kfz.db"));
    master->Open();
    addVehicles(*master, {{"A", ""}, {"B", ""}, {"C", ""}});
    TDataSource src(master.get());
    struct View {
        const char *name;
        std::function<void()> apply;
    };
    const View views[] = {
        {"all", [] {}},
        {"range", [&] { kosten->SetRange({"A"}, {"B"}); }},
        {"filter text",
         [&] {
             kosten->CancelRange();
             kosten->SetFilter(QStringLiteral("Betrag > 0.2 or KfzNr = ''"));
             kosten->SetFiltered(true);
         }},
        {"record filter",
         [&] {
             kosten->OnFilterRecord = [](TDataSet &d, bool &accept) {
                 accept = d.FieldByName(QStringLiteral("Datum"))->AsFloat() < 45003;
             };
             kosten->Refresh();
         }},
        {"master link",
         [&] {
             kosten->SetFiltered(false);
             kosten->SetMasterSource(&src);
             kosten->SetMasterFields(QStringLiteral("KfzNr"));
             master->Last();
         }},
    };
    for (const View &v : views) {
        v.apply();
        QStringList rows;
        for (kosten->First(); !kosten->Eof(); kosten->Next())
            rows << rowText(*kosten);
        const TFieldTotals expected = loop(*kosten, fields);
        for (bool inOrder : {true, false}) {
            const TFieldTotals got = kosten->SumFields(fields, inOrder);
            EXPECT_EQ(got.count, expected.count) << v.name;
            EXPECT_EQ(got.amounts, expected.amounts) << v.name;
            if (inOrder)
                EXPECT_EQ(got.sums, expected.sums) << v.name; // the same additions in the same order
            else
                EXPECT_NEAR(got.sums[0], expected.sums[0], 1e-9) << v.name;
        }
        // Added up and moved to the last row at once: the same totals, the row Last shows, and the
        // rows before it one Prior away.
        kosten->First();
        int scrolled = 0;
        kosten->AfterScroll = [&](TDataSet &) { ++scrolled; };
        const TFieldTotals toLast = kosten->SumFieldsToLast(fields);
        kosten->AfterScroll = nullptr;
        EXPECT_EQ(toLast.count, expected.count) << v.name;
        EXPECT_EQ(toLast.amounts, expected.amounts) << v.name;
        EXPECT_EQ(toLast.sums, expected.sums) << v.name;
        ASSERT_FALSE(rows.isEmpty()) << v.name;
        EXPECT_EQ(rowText(*kosten), rows.last()) << v.name;
        EXPECT_EQ(scrolled, 1) << v.name;
        EXPECT_TRUE(kosten->Eof()) << v.name;
        kosten->Next();
        EXPECT_EQ(rowText(*kosten), rows.last()) << v.name;
        if (rows.size() > 1) {
            kosten->Prior();
            EXPECT_EQ(rowText(*kosten), rows[rows.size() - 2]) << v.name;
        }
    }
    // No rows: nothing to move to, no scroll.
    kosten->SetFilter(QStringLiteral("KfzNr = 'X'"));
    kosten->SetFiltered(true);
    int scrolled = 0;
    kosten->AfterScroll = [&](TDataSet &) { ++scrolled; };
    EXPECT_EQ(kosten->SumFieldsToLast(fields).count, 0);
    EXPECT_EQ(scrolled, 0);
    EXPECT_TRUE(kosten->IsEmpty());
    kosten->AfterScroll = nullptr;
    kosten->SetFiltered(false);
    EXPECT_EQ(kosten->SumFields(fields).amounts[0], base::Currency::fromDouble(12345.67 + 1000.25 + 0.3));
    EXPECT_THROW(kosten->SumFields({QStringLiteral("Art")}), EDBEngineError);
    EXPECT_THROW(kosten->SumFields({QStringLiteral("Gibtsnicht")}), EDBEngineError);
}

// Amounts each within the range whose total is not: the totals fail in German instead of wrapping
// to a large negative amount.
TEST_F(SetOperationsTest, SumFieldsFailsWhenTheTotalAmountLeavesTheRange)
{
    for (double betrag : {9e14, 9e14}) {
        kosten->Append();
        kosten->FieldByName(QStringLiteral("KfzNr"))->SetAsString(QStringLiteral("D"));
        kosten->FieldByName(QStringLiteral("Betrag"))->SetAsFloat(betrag);
        kosten->Post();
    }
    for (bool inOrder : {true, false}) {
        try {
            const TFieldTotals got = kosten->SumFields({QStringLiteral("Betrag")}, inOrder);
            ADD_FAILURE() << "total " << got.amounts[0].toString().toStdString();
        } catch (const base::CurrencyRangeError &e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith(
                QStringLiteral("Der Betrag liegt außerhalb des erlaubten Bereichs")));
        }
    }
    kosten->SetRange({"D"}, {"D"});
    EXPECT_THROW(kosten->SumFieldsToLast({QStringLiteral("Betrag")}), base::CurrencyRangeError);
}

// A statement made of a table file name, field names and texts with quotes reads exactly those rows.
TEST_F(SetOperationsTest, QuotedNamesAndTextsReadTheRowsTheyName)
{
    for (const char *nr : {"O'Neil", "O''Neil", "O"}) {
        kosten->Append();
        kosten->FieldByName(QStringLiteral("KfzNr"))->SetAsString(QString::fromLatin1(nr));
        kosten->Post();
    }
    TQuery q(session.get());
    q.SetDatabaseName(QStringLiteral("Daten"));
    for (const char *nr : {"O'Neil", "O''Neil", "A", "'"}) {
        q.Close();
        q.SetSQL({QStringLiteral("SELECT count(*) FROM %1 WHERE %2 = %3")
                      .arg(QuotedTableName(QStringLiteral("Kosten.db")), QuotedName(QStringLiteral("KfzNr")),
                           QuotedText(QString::fromLatin1(nr)))});
        q.Open();
        EXPECT_EQ(q.Fields(0)->AsInteger(), QByteArray(nr) == "A" ? 3 : QByteArray(nr) == "'" ? 0 : 1) << nr;
    }
}

} // namespace
