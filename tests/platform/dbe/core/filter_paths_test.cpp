#include "fixture.h"

#include <set>

#include "dbe/EngineCursor.h"
#include "dbe/filter/FilterText.h"
#include "dbe/filter/FilterTree.h"
#include "dbe/filter/SqlFilter.h"
#include "filter_text_cases.h"
#include "filter_tree_cases.h"

using namespace dbe;

namespace {

// The filter tables of the filter modules, run through stored tables: once as the storage selects
// the rows in SQL, once with every row going through the filters in C++ (a record filter that accepts
// everything keeps them there). Both must give the rows the tables expect.
class FilterPathsTest : public DbeFixture {
protected:
    // A table with the record set's fields (and a row number behind them), filled with its rows.
    void store(const MemoryRecords &records)
    {
        TableDef def;
        def.name = QStringLiteral("Faelle%1.db").arg(++tables_);
        for (const auto &[name, type] : records.fields())
            def.fields << fd(name.toUtf8().constData(), type, type == FieldType::String ? 40 : 0);
        def.fields << fd("Nr", FieldType::Integer);
        def.primaryKey = {QStringLiteral("Nr")};
        session->RegisterTable(def);
        columns_.clear();
        for (const FieldDef &f : def.fields)
            columns_ << QLatin1Char('"') + f.name + QLatin1Char('"');
        def_ = def;
        sql = table(def.name);
        cpp = table(def.name);
        sql->Open();
        cpp->Open();
        cpp->OnFilterRecord = [](TDataSet &, bool &accept) { accept = true; };
        int nr = 0;
        for (const QList<QVariant> &row : records.rows()) {
            sql->Append();
            for (int i = 0; i < row.size(); ++i)
                sql->Fields(i)->SetValue(row[i]);
            sql->FieldByName(QStringLiteral("Nr"))->SetAsInteger(++nr);
            sql->Post();
        }
    }

    // Row numbers the table shows, stepping forward and backward, with its count.
    static std::set<int> shown(TTable &t)
    {
        std::set<int> forward, backward;
        for (t.First(); !t.Eof(); t.Next())
            forward.insert(t.FieldByName(QStringLiteral("Nr"))->AsInteger());
        for (t.Last(); !t.Bof(); t.Prior())
            backward.insert(t.FieldByName(QStringLiteral("Nr"))->AsInteger());
        EXPECT_EQ(forward, backward);
        EXPECT_EQ(t.RecordCount(), static_cast<int>(forward.size()));
        return forward;
    }

    void expectBothPaths(const std::set<int> &expected, const std::string &what)
    {
        EXPECT_EQ(shown(*sql), expected) << "SQL: " << what;
        EXPECT_EQ(shown(*cpp), expected) << "C++: " << what;
    }

    TableDef def_;
    QStringList columns_;
    std::unique_ptr<TTable> sql, cpp;
    int tables_ = 0;
};

TEST_F(FilterPathsTest, FilterTextsSelectTheSameRowsInSqlAndInCpp)
{
    int exact = 0;
    for (const text_cases::Case &c : text_cases::textCases()) {
        store(c.records());
        const QString text = QString::fromUtf8(c.text);
        for (TTable *t : {sql.get(), cpp.get()}) {
            t->SetFilter(text);
            t->SetFiltered(true);
        }
        expectBothPaths(c.rows, c.text);
        MemoryRecords fields = c.records();
        filter::FilterText bound = filter::FilterText::parse(text);
        bound.bind(fields);
        exact += filter::toSql(bound, def_, columns_).exact ? 1 : 0;
    }
    // Every text the program builds is said in SQL exactly.
    EXPECT_EQ(exact, static_cast<int>(text_cases::textCases().size()));
}

TEST_F(FilterPathsTest, FilterTreesSelectTheSameRowsInSqlAndInCpp)
{
    MemoryRecords records = tree_cases::records();
    store(records);
    int exact = 0, withTimes = 0;
    for (const tree_cases::Case &c : tree_cases::treeCases()) {
        ExpressionBuilder b;
        const QByteArray buffer = b.build(c.tree(b));
        std::vector<int> handles;
        for (TTable *t : {sql.get(), cpp.get()}) {
            handles.push_back(t->Handle()->AddFilter(buffer));
            t->Handle()->ActivateFilter(handles.back());
            t->First();
        }
        expectBothPaths(c.rows, c.what);
        for (size_t i = 0; i < handles.size(); ++i)
            (i == 0 ? sql : cpp)->Handle()->DropFilter(handles[i]);
        const bool times = QString::fromLatin1(c.what).contains(QStringLiteral("Zeit"));
        withTimes += times ? 1 : 0;
        const bool said = filter::toSql(filter::FilterTree::compile(buffer, records), def_, columns_).exact;
        exact += said ? 1 : 0;
        EXPECT_EQ(said, !times) << c.what; // times and date-times stay in C++
    }
    EXPECT_EQ(exact + withTimes, static_cast<int>(tree_cases::treeCases().size()));
}

TEST_F(FilterPathsTest, EdgesOfTheRulesAndWhatSqlCannotSay)
{
    // Blanks against ordered comparisons, days before 30.12.1899 (cut towards zero), a literal
    // beyond U+D7FF (the orders of UTF-8 and UTF-16 part there), date-times, and a chain longer than
    // one statement can hold: the storage narrows what it can, C++ decides the rest.
    store(MemoryRecords(
        {{"Name", FieldType::String}, {"Zeitpunkt", FieldType::DateTime}, {"Datum", FieldType::Date}},
        {{QStringLiteral("Auto"), 45383.75, 45383.0},
         {QString(), 45382.25, -1.0},
         {QStringLiteral("Zug"), QVariant(), 0.0},
         {QString::fromUtf8("\xEF\xBF\xBD"), 45000.5, QVariant()},
         {QString::fromUtf8("\xF0\x9F\x9A\x97"), QVariant(), -0.5}}));
    const QStringList chain(600, QStringLiteral("Name <> 'Bus'"));
    const std::pair<QString, std::set<int>> cases[] = {
        {QStringLiteral("Name < 'Zug'"), {1}},
        {QStringLiteral("Name <= 'Zug'"), {1, 3}},
        {QStringLiteral("Name <> 'Zug'"), {1, 2, 4, 5}},
        {QStringLiteral("not (Name >= 'B')"), {1, 2}},
        {QString::fromUtf8("Name < '\xEF\xBF\xBD'"), {1, 3, 5}},
        {QString::fromUtf8("Name > '\xEF\xBF\xBD'"), {}},
        {QStringLiteral("Datum <= '30.12.1899'"), {2, 3, 5}},
        {QStringLiteral("Datum = '29.12.1899'"), {2}},
        {QStringLiteral("Datum >= '29.12.1899'"), {1, 2, 3, 5}}, // -0.5 is a time on 30.12.1899
        {QStringLiteral("Datum <> '30.12.1899'"), {1, 2, 4}},
        {QStringLiteral("Zeitpunkt >= '1.4.2024'"), {1}},
        {QStringLiteral("Name = 'Zug' or Zeitpunkt < '31.3.2024 12:00'"), {2, 3, 4}},
        {QStringLiteral("not (Zeitpunkt >= '1.4.2024')"), {2, 3, 4, 5}},
        {chain.join(QStringLiteral(" and ")), {1, 2, 3, 4, 5}},
    };
    for (const auto &[text, rows] : cases) {
        for (TTable *t : {sql.get(), cpp.get()}) {
            t->SetFilter(text);
            t->SetFiltered(true);
        }
        expectBothPaths(rows, text.left(60).toStdString());
    }
}

} // namespace
