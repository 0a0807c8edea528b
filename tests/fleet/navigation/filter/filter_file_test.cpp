#include <cstring>
#include <limits>

#include <gtest/gtest.h>

#include "fake_filter_data_set.h"
#include "filter_fixture.h"
#include "navigation/filter/DBVFilter.h"
#include "navigation/gemeinsam/NavExceptions.h"
#include "temp_dir.h"
#include "ui/Hourglass.h"

using namespace nav;

namespace {

QString path(const std::filesystem::path &p)
{
    return QString::fromStdString(p.string());
}

struct Loader {
    testsupport::TempDir dir;
    FakeFilterDataSet ds;
    TDBVFilter filter;
    std::vector<QString> questions;
    bool answer = false;

    Loader()
    {
        filter.BindFilterDataSet(&ds);
        filter.OnConfirmTableMismatch = [this](const QString &q) {
            questions.push_back(q);
            return answer;
        };
    }
    QString write(const QByteArray &bytes)
    {
        return path(testsupport::writeFile(dir / "f.TFD", bytes.toStdString()));
    }
    // Loads and returns the EDBVFilter message ("" when it loaded).
    QString load(const QByteArray &bytes)
    {
        try {
            filter.LoadFromFile(write(bytes));
        } catch (const EDBVFilter &e) {
            return e.message();
        }
        return QString();
    }
};

const QString kCorrupt = QStringLiteral("Fehler beim Lesen der Filterdefinition.\r\nDatei ist beschädigt.");

} // namespace

TEST(FilterFile, SavedFileIsByteExactAndLoadsBack)
{
    Loader l;
    TFilterDefinition def;
    def[0] = TFilterZeile{QStringLiteral("Gruppe"), opEq, QStringLiteral("Li.."), 0};
    l.filter.ApplyFilterDef(&def, 1, true);
    const auto file = l.dir / "saved.TFD";
    l.filter.SaveToFile(path(file));
    const QByteArray saved = QByteArray::fromStdString(testsupport::readFile(file));
    EXPECT_EQ(saved.size(), 733);
    EXPECT_EQ(saved.toHex(' '), fixture::gruppeLiFile().toHex(' '));

    // Loading replaces the current filter: dropped first, then added and switched on.
    l.ds.calls.clear();
    l.filter.LoadFromFile(path(file));
    EXPECT_EQ(l.ds.calls, (std::vector<QString>{"drop 1", "add 2", "on 2"}));
    EXPECT_EQ(l.filter.State(), TDBVFilter::fsActive);
    EXPECT_EQ(l.ds.expressions[1], l.ds.expressions[0]);
    EXPECT_EQ(ui::hourglassDepth(), 0);
    EXPECT_TRUE(l.questions.empty());
    int anzahl = 0;
    l.filter.GetFilterDefinition(&def, anzahl);
    EXPECT_EQ(anzahl, 1);
    EXPECT_EQ(def[0].Wert, QStringLiteral("Li.."));
}

TEST(FilterFile, TheTwoBytesAfterTheMagicAreNotChecked)
{
    Loader l;
    QByteArray bytes = fixture::gruppeLiFile();
    bytes[12] = '\x7f';
    bytes[13] = '\x00';
    EXPECT_EQ(l.load(bytes), QString());
    EXPECT_EQ(l.filter.State(), TDBVFilter::fsActive);
}

TEST(FilterFile, SavingWithoutAFilterIsRefused)
{
    Loader l;
    try {
        l.filter.SaveToFile(path(l.dir / "x.TFD"));
        FAIL();
    } catch (const EDBVFilter &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Kein Filter definiert"));
    }
}

TEST(FilterFile, WrongMagicLeavesTheTableUnfiltered)
{
    Loader l;
    TFilterDefinition def;
    def[0] = TFilterZeile{QStringLiteral("Km"), opGt, QStringLiteral("5"), 0};
    l.filter.ApplyFilterDef(&def, 1, true);
    QByteArray bytes = fixture::gruppeLiFile();
    bytes[3] = 'X';
    const QString file = l.write(bytes);
    try {
        l.filter.LoadFromFile(file);
        FAIL();
    } catch (const EDBVFilter &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Datei %1 ist keine Filterdefinitionsdatei").arg(file));
    }
    EXPECT_EQ(l.ds.calls.back(), QStringLiteral("drop 1"));
    EXPECT_EQ(l.filter.State(), TDBVFilter::fsBound);
    EXPECT_EQ(l.load("kurz"), QStringLiteral("Datei %1 ist keine Filterdefinitionsdatei").arg(file));
}

TEST(FilterFile, OtherTableAsksAndNoLeavesItUnfiltered)
{
    Loader l;
    const int resyncs = l.ds.resyncs;
    EXPECT_EQ(l.load(fixture::gruppeLiFile("KfzTour.db")), QString());
    ASSERT_EQ(l.questions.size(), 1u);
    EXPECT_EQ(l.questions[0],
              QStringLiteral("Filter wurde für Tabelle KfzTour.db definiert!\r\nTrotzdem Anwendung "
                             "auf Tabelle KfzStamm.db versuchen ?"));
    EXPECT_TRUE(l.ds.calls.empty());
    EXPECT_EQ(l.ds.resyncs, resyncs);
    EXPECT_EQ(l.filter.State(), TDBVFilter::fsBound);

    l.answer = true;
    EXPECT_EQ(l.load(fixture::gruppeLiFile("KfzTour.db")), QString());
    EXPECT_EQ(l.filter.State(), TDBVFilter::fsActive);
    EXPECT_EQ(l.ds.resyncs, resyncs + 1);
}

TEST(FilterFile, ChangedTableStructureIsRefusedWithItsReason)
{
    const QString prefix = QStringLiteral("Fehler beim Lesen der Filterdefinition.\r\nTabellenstruktur wurde "
                                          "geändert:\r\nFeldname: Gruppe, Feldnummer: 7\r\n");
    {
        Loader l; // a field was added at the front
        for (auto &f : l.ds.fieldList)
            ++f.fieldNo;
        EXPECT_EQ(l.load(fixture::gruppeLiFile()), prefix + QStringLiteral("Falsche Feldnummer."));
        EXPECT_TRUE(l.filter.Tree().isEmpty());
        EXPECT_TRUE(l.ds.calls.empty());
        EXPECT_EQ(ui::hourglassDepth(), 0);
    }
    {
        Loader l;
        l.ds.fieldList[6].dataType = ftInteger;
        EXPECT_EQ(l.load(fixture::gruppeLiFile()), prefix + QStringLiteral("Falscher Feldtyp."));
    }
    {
        Loader l;
        l.ds.fieldList.removeAt(6);
        EXPECT_EQ(l.load(fixture::gruppeLiFile()), prefix + QStringLiteral("Feld nicht gefunden."));
    }
}

TEST(FilterFile, DamagedFilesAreRefusedBeforeUse)
{
    using fixture::node;
    using fixture::operand;
    using fixture::shortString;
    const auto nodes = fixture::gruppeLiNodes();
    const auto operands = fixture::gruppeLiOperands();
    struct Case {
        const char *what;
        QByteArray file;
    };
    QList<QByteArray> seventyOne;
    for (int i = 0; i < 71; ++i)
        seventyOne << nodes[0];
    const Case cases[] = {
        {"71 nodes", fixture::tfdFile("KfzStamm.db", 2, seventyOne, operands)},
        {"root outside", fixture::tfdFile("KfzStamm.db", 3, nodes, operands)},
        {"negative root", fixture::tfdFile("KfzStamm.db", -1, nodes, operands)},
        {"node index 5 of 3",
         fixture::tfdFile("KfzStamm.db", 2,
                          {nodes[0], nodes[1], node(3, 3, {{8, 0xFFFF}, {10, 2}, {12, 5}, {14, 0}})},
                          operands)},
        {"operand index 2 of 2",
         fixture::tfdFile("KfzStamm.db", 2, {node(5, 14, {{8, 1}, {10, 3}, {12, 2}}), nodes[1], nodes[2]},
                          operands)},
        {"root refers to itself",
         fixture::tfdFile("KfzStamm.db", 2,
                          {nodes[0], nodes[1], node(3, 3, {{8, 0xFFFF}, {10, 2}, {12, 2}, {14, 0}})},
                          operands)},
        {"shared node",
         fixture::tfdFile("KfzStamm.db", 3, {nodes[0], nodes[1], nodes[2], node(2, opAnd, {{8, 2}, {10, 2}})},
                          operands)},
        {"operand size 300",
         fixture::tfdFile("KfzStamm.db", 2, nodes, {operand(300, 0, 1, 1, shortString("Li")), operands[1]})},
        {"string size not its length",
         fixture::tfdFile("KfzStamm.db", 2, nodes, {operand(4, 0, 1, 1, shortString("Li")), operands[1]})},
        {"fixed size wrong",
         fixture::tfdFile(
             "KfzStamm.db", 2, {node(5, 14, {{8, 6}, {10, 2}, {12, 0}}), nodes[1], nodes[2]},
             {operand(2, 0, 0, 6, QByteArray(4, '\0')), operand(7, 2, 0, 254, shortString("Gruppe"))})},
        {"unknown operand type",
         fixture::tfdFile("KfzStamm.db", 2, {node(5, 14, {{8, 3}, {10, 3}, {12, 0}}), nodes[1], nodes[2]},
                          {operand(3, 0, 1, 3, shortString("Li")), operands[1]})},
        {"offset not the running sum",
         fixture::tfdFile("KfzStamm.db", 2, nodes,
                          {operands[0], operand(7, 4, 0, 254, shortString("Gruppe"))})},
        {"class 4 with operator 3",
         fixture::tfdFile("KfzStamm.db", 2, {nodes[0], node(4, 3, {{8, 7}, {10, 1}}), nodes[2]}, operands)},
        {"compare with operator 5",
         fixture::tfdFile("KfzStamm.db", 2,
                          {nodes[0], nodes[1], node(3, 5, {{8, 0xFFFF}, {10, 2}, {12, 1}, {14, 0}})},
                          operands)},
        {"field name operand is a constant",
         fixture::tfdFile("KfzStamm.db", 2, {nodes[0], node(4, 13, {{8, 7}, {10, 0}}), nodes[2]}, operands)},
        {"negative operand count",
         fixture::tfdFile("KfzStamm.db", 2, nodes, {}).replace(151, 4, "\xff\xff\xff\xff")},
    };
    for (const Case &c : cases) {
        Loader l;
        EXPECT_EQ(l.load(c.file), kCorrupt) << c.what;
        EXPECT_TRUE(l.filter.Tree().isEmpty()) << c.what;
        EXPECT_TRUE(l.ds.calls.empty()) << c.what;
        EXPECT_EQ(ui::hourglassDepth(), 0) << c.what;
    }
}

TEST(FilterFile, UnknownNodeClassAndShortFiles)
{
    Loader l;
    // Class 6 is unknown: refused before anything walks the tree.
    const auto nodes = fixture::gruppeLiNodes();
    EXPECT_EQ(l.load(fixture::tfdFile("KfzStamm.db", 2, {nodes[0], fixture::node(6, 13, {}), nodes[2]},
                                      fixture::gruppeLiOperands())),
              QStringLiteral("Fehler beim Lesen der Filterdefinition.\r\nUngültiger Knotentyp"));
    QByteArray shortFile = fixture::gruppeLiFile();
    shortFile.chop(1);
    EXPECT_THROW(l.filter.LoadFromFile(l.write(shortFile)), EStreamError);
    EXPECT_THROW(l.filter.LoadFromFile(l.write(shortFile.left(100))), EStreamError);
    EXPECT_EQ(ui::hourglassDepth(), 0);
    EXPECT_THROW(l.filter.LoadFromFile(path(l.dir / "missing.TFD")), EStreamError);
}

TEST(FilterFile, EleventhRowOfALoadedTreeCannotBeShown)
{
    using fixture::node;
    using fixture::operand;
    using fixture::shortString;
    // 11 rows "Km > 1" linked with "Und": 44 nodes, 22 operands.
    QList<QByteArray> nodes;
    QList<QByteArray> operands;
    int offset = 0;
    int root = -1;
    for (int i = 0; i < 11; ++i) {
        const int base = static_cast<int>(nodes.size());
        const int op = static_cast<int>(operands.size());
        nodes << node(5, 14, {{8, 6}, {10, 4}, {12, op}}) << node(4, 13, {{8, 4}, {10, op + 1}})
              << node(2, opGt, {{8, base + 1}, {10, base}});
        operands << operand(4, offset, 0, 6, QByteArray("\x01\0\0\0", 4))
                 << operand(3, offset + 4, 0, 254, shortString("Km"));
        offset += 7;
        if (root >= 0) {
            nodes << node(2, opAnd, {{8, root}, {10, base + 2}});
            root = static_cast<int>(nodes.size()) - 1;
        } else {
            root = base + 2;
        }
    }
    Loader l;
    ASSERT_EQ(l.load(fixture::tfdFile("KfzStamm.db", root, nodes, operands)), QString());
    EXPECT_EQ(l.filter.State(), TDBVFilter::fsActive);
    TFilterDefinition def;
    int anzahl = 0;
    try {
        l.filter.GetFilterDefinition(&def, anzahl);
        FAIL();
    } catch (const EDBVFilterDefError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Maximale Anzahl Filterzeilen überschritten"));
    }
}

// Date and time-stamp constants that no date can hold (out of range, NaN) mark the file as damaged;
// nothing of them is converted. With KARVEN_FUZZ_CORPUS set the files are written there as seeds.
TEST(FilterFile, ConstantsOutOfTheDateRangeAreDamage)
{
    Loader l;
    TFilterDefinition def;
    def[0] = TFilterZeile{QStringLiteral("Datum"), opEq, QStringLiteral("01.02.2024"), opAnd};
    def[1] = TFilterZeile{QStringLiteral("Stempel"), opGe, QStringLiteral("01.02.2024 10:00:00"), 0};
    l.filter.ApplyFilterDef(&def, 2, true);
    const auto file = l.dir / "datum.TFD";
    l.filter.SaveToFile(path(file));
    const QByteArray saved = QByteArray::fromStdString(testsupport::readFile(file));
    auto i32 = [&](int at) {
        std::int32_t v = 0;
        std::memcpy(&v, saved.constData() + at, 4);
        return v;
    };
    const int nodes = i32(14 + 133), operands = i32(14 + 137);
    // Where the value of the first operand of a type stands.
    auto valueOf = [&](std::uint8_t type) {
        for (int i = 0; i < operands; ++i) {
            const int at = 14 + 141 + nodes * int(TFilterNode::kSize) + i * int(TFilterOperand::kSize);
            if (std::uint8_t(saved[at + 5]) == type)
                return at + int(TFilterOperand::kValueAt);
        }
        return -1;
    };
    const int date = valueOf(etDate), stamp = valueOf(etTimeStamp);
    ASSERT_GT(date, 0);
    ASSERT_GT(stamp, 0);
    EXPECT_EQ(l.load(saved), QString());
    auto patched = [&](int at, const auto value) {
        QByteArray bytes = saved;
        std::memcpy(bytes.data() + at, &value, sizeof value);
        return bytes;
    };
    const struct {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"date-far-future", patched(date, std::int32_t(2000000000))},
        {"date-far-past", patched(date, std::int32_t(-2147483647 - 1))},
        {"stamp-nan", patched(stamp, std::numeric_limits<double>::quiet_NaN())},
        {"stamp-huge", patched(stamp, 1e300)},
        {"stamp-negative", patched(stamp, -4e231)},
    };
    const QByteArray corpus = qgetenv("KARVEN_FUZZ_CORPUS");
    for (const auto &c : cases) {
        EXPECT_EQ(l.load(c.bytes), kCorrupt) << c.name;
        if (!corpus.isEmpty())
            testsupport::writeFile(std::filesystem::path(corpus.toStdString()) /
                                       (std::string("regress-") + c.name),
                                   c.bytes.toStdString());
    }
    if (!corpus.isEmpty())
        testsupport::writeFile(std::filesystem::path(corpus.toStdString()) / "seed-datum.TFD",
                               saved.toStdString());
}
