#include <sqlite3.h>

#include <algorithm>
#include <random>

#include "dbe/detail/TextCollation.h"
#include "fixture.h"

using namespace dbe;

namespace {

QString u(const char *text)
{
    return QString::fromUtf8(text);
}

int sign(int v)
{
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

int compareUtf8(const QString &a, const QString &b)
{
    const QByteArray x = a.toUtf8(), y = b.toUtf8();
    return detail::compareTextUtf8(x.constData(), static_cast<int>(x.size()), y.constData(),
                                   static_cast<int>(y.size()));
}

// German reading order, as a list of names is expected.
const char *const kGermanOrder[] = {"Abel",    "Albrecht", "Ärger",   "Bauer",  "Böhm",  "Brandt",
                                    "Mueller", "Müller",   "Özdemir", "Peters", "Şahin", "Schröder",
                                    "Schulz",  "Straßer",  "Stroh",   "Zander", "Zürn"};

QStringList germanOrder()
{
    QStringList names;
    for (const char *n : kGermanOrder)
        names << u(n);
    return names;
}

TEST(TextCollation, ComparesAsAGermanReaderInBothEncodings)
{
    struct Case {
        const char *a, *b;
        int expected;
    };
    const std::vector<Case> cases = {
        {"Özdemir", "Schröder", -1},  // Ö with O, not after Z
        {"Şahin", "Zander", -1},      // other diacritics with their base letter
        {"Ärger", "Albrecht", 1},     // Ä as a, then the following letters decide
        {"Mueller", "Müller", -1},    // ü is u, not ue
        {"Straßer", "Strassert", -1}, // ß as ss
        {"Strasse", "Straße", -1},    // equal as read: the plain spelling first
        {"ABD", "abc", 1},            // case ignored ...
        {"ABC", "abc", -1},           // ... but two spellings are never equal
        {"Muller", "Müller", -1},     // unmarked before marked
        {"Œuvre", "Oeuvre", 1},       // œ as oe, then the code point
        {"Zug", "Zürich", -1},
        {"", "a", -1},
        {"10", "9", -1}, // text, not numbers
        {"Müller", "Müller", 0},
        {"X-9", "x-9", -1},
        {"Ka\xF0\x9F\x9A\x97", "Ka\xEF\xBF\xBD", 1}, // code points beyond the 16-bit plane in order
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.a) + " / " + c.b);
        const QString a = u(c.a), b = u(c.b);
        EXPECT_EQ(sign(detail::compareText(a, b)), c.expected);
        EXPECT_EQ(sign(detail::compareText(b, a)), -c.expected);
        EXPECT_EQ(sign(compareUtf8(a, b)), c.expected);
        EXPECT_EQ(sign(compareUtf8(b, a)), -c.expected);
    }
}

class TextOrderTest : public DbeFixture {
protected:
    // The names as keys (KfzNr) and as Info, posted in a scrambled order.
    void SetUp() override
    {
        t = table(QStringLiteral("Kfz.db"));
        t->Open();
        QStringList names = germanOrder();
        std::mt19937 random(7);
        std::shuffle(names.begin(), names.end(), random);
        std::vector<std::pair<QString, QString>> rows;
        for (const QString &n : names)
            rows.emplace_back(n, n);
        addVehicles(*t, rows);
    }
    QString nr() const { return t->FieldByName(QStringLiteral("KfzNr"))->AsString(); }

    QStringList backwards(const QString &field)
    {
        QStringList out;
        t->Last();
        while (!t->Bof()) {
            out.prepend(t->FieldByName(field)->AsString());
            t->Prior();
        }
        return out;
    }

    std::unique_ptr<TTable> t;
};

TEST_F(TextOrderTest, PrimaryAndSecondaryIndexReadInGermanOrderBothWaysWithRecordNumbers)
{
    for (const char *index : {"", "ByInfo"}) {
        SCOPED_TRACE(index);
        t->SetIndexName(QString::fromLatin1(index));
        EXPECT_EQ(column(*t, QStringLiteral("Info")), germanOrder());
        EXPECT_EQ(backwards(QStringLiteral("Info")), germanOrder());
        t->First();
        for (int i = 1; !t->Eof(); ++i, t->Next())
            EXPECT_EQ(t->RecNo(), i) << nr().toStdString();
        t->SetRecNo(9);
        EXPECT_EQ(nr(), u("Özdemir"));
    }
}

TEST_F(TextOrderTest, KeySearchAndRangesFollowTheSameOrder)
{
    struct Case {
        const char *key;
        bool exact;
        bool found;
        const char *at;
    };
    const std::vector<Case> cases = {
        {"Özdemir", true, true, "Özdemir"}, {"özdemir", true, false, nullptr}, // keys stay exact
        {"O", false, true, "Özdemir"},      {"sch", false, true, "Schröder"},    {"Sa", false, true, "Şahin"},
        {"Mul", false, true, "Müller"},     {"Strasse", false, true, "Straßer"}, {"Zu", false, true, "Zürn"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.key);
        t->First();
        if (c.exact)
            EXPECT_EQ(t->FindKey({u(c.key)}), c.found);
        else
            t->FindNearest({u(c.key)});
        EXPECT_EQ(nr(), c.found ? u(c.at) : u("Abel"));
    }

    t->SetRange({u("M")}, {u("T")});
    const QStringList all = germanOrder();
    const QStringList expected =
        all.mid(all.indexOf(u("Mueller")), all.indexOf(u("Zander")) - all.indexOf(u("Mueller")));
    EXPECT_EQ(column(*t, QStringLiteral("KfzNr")), expected);
    EXPECT_EQ(t->RecordCount(), expected.size());
    // A row posted inside the range is seen by it; one outside is not.
    addVehicles(*t, {{u("Öhler"), u("x")}, {u("Ärmel"), u("x")}});
    QStringList withNew = expected;
    withNew.insert(withNew.indexOf(u("Özdemir")), u("Öhler"));
    EXPECT_EQ(column(*t, QStringLiteral("KfzNr")), withNew);
}

TEST_F(TextOrderTest, PagingThroughManyRowsMissesAndRepeatsNone)
{
    // Enough rows for several pages, many equal but for case and marks.
    std::vector<std::pair<QString, QString>> rows;
    const QStringList stems = {u("Öl"), u("ol"), u("OL"), u("Oel"), u("Ol"), u("Ömer"), u("Oma")};
    for (int i = 0; i < 30; ++i)
        for (const QString &s : stems)
            rows.emplace_back(s + QString::number(i % 10) +
                                  QLatin1Char(i < 10   ? 'a'
                                              : i < 20 ? 'B'
                                                       : 'c'),
                              u("x"));
    addVehicles(*t, rows);
    const int total = static_cast<int>(rows.size()) + static_cast<int>(std::size(kGermanOrder));
    const QStringList forward = column(*t, QStringLiteral("KfzNr"));
    ASSERT_EQ(forward.size(), total);
    for (int i = 1; i < forward.size(); ++i)
        EXPECT_LT(detail::compareText(forward[i - 1], forward[i]), 0) << forward[i].toStdString();
    EXPECT_EQ(backwards(QStringLiteral("KfzNr")), forward);
}

// The files stay open to other programs: nothing of the layer's collation is in the schema, so a
// plain connection without it reads and writes the tables the layer made and ordered.
TEST_F(TextOrderTest, PlainSqliteConnectionWritesTheLayersFile)
{
    t->SetIndexName(QStringLiteral("ByInfo")); // makes the layer's indexes
    EXPECT_EQ(column(*t, QStringLiteral("Info")), germanOrder());
    t->Close();
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open((dir / "dbe.sqlite").string().c_str(), &db), SQLITE_OK);
    char *error = nullptr;
    const int rc = sqlite3_exec(db,
                                "INSERT INTO kfz (KfzNr, Info) VALUES ('Ölmann', 'Ölmann');"
                                "UPDATE kfz SET Info = 'Abel' WHERE KfzNr = 'Abel';"
                                "PRAGMA integrity_check;",
                                nullptr, nullptr, &error);
    EXPECT_EQ(rc, SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_stmt *s = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_master WHERE sql LIKE '%COLLATE%'", -1, &s,
                                 nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(s), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(s, 0), 0);
    sqlite3_finalize(s);
    sqlite3_close(db);

    t->Open();
    QStringList expected = germanOrder();
    expected.insert(expected.indexOf(u("Özdemir")), u("Ölmann"));
    EXPECT_EQ(column(*t, QStringLiteral("KfzNr")), expected);
}

} // namespace
