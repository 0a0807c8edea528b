// The extender's decisions without a window: possibilities, shortcut
// conditions, status text and search patterns.
#include <gtest/gtest.h>

#include "navigation/erweiterung/Possibilities.h"
#include "navigation/erweiterung/ShortCutRules.h"
#include "navigation/erweiterung/StatusText.h"
#include "navigation/suche/SearchPattern.h"

using namespace nav;

namespace {

// An open, writable table in the middle of its rows, focused on a field.
PossibilityInput browsing()
{
    PossibilityInput in;
    in.hasSource = in.hasDataSet = in.dataSetOpen = true;
    in.filterState = 1;
    in.hasTableDefs = true;
    in.hasField = true;
    in.isTable = in.hasTableName = true;
    in.indexCount = 2;
    in.autoEdit = true;
    in.readOnly = false;
    in.canModify = true;
    in.moveActive = true;
    return in;
}

} // namespace

TEST(Possibilities, MovesFollowTheEndsOfTheTable)
{
    PossibilityInput in = browsing();
    Possibilities p = computePossibilities(in).possible;
    for (int c = nbFirst; c <= nbLast; ++c)
        EXPECT_TRUE(p[static_cast<std::size_t>(c)]) << c;

    in.moveAtBegin = true;
    p = computePossibilities(in).possible;
    EXPECT_FALSE(p[nbFirst]);
    EXPECT_FALSE(p[nbPrior]);
    EXPECT_TRUE(p[nbNext]);

    in.allowKeys &= static_cast<TAllowKeys>(~allowKey(akDBMove));
    p = computePossibilities(in).possible;
    EXPECT_FALSE(p[nbNext]);
}

TEST(Possibilities, EditingCommandsFollowStateAndGlobalEdit)
{
    PossibilityInput in = browsing();
    Possibilities p = computePossibilities(in).possible;
    EXPECT_TRUE(p[nbInsert]);
    EXPECT_TRUE(p[nbEdit]);
    EXPECT_FALSE(p[nbPost]);
    EXPECT_FALSE(p[nbCancel]);
    EXPECT_TRUE(p[nbDelete]);
    EXPECT_TRUE(p[nbUserBtn]);

    in.editing = in.editOrInsert = true;
    p = computePossibilities(in).possible;
    EXPECT_FALSE(p[nbEdit]);
    EXPECT_TRUE(p[nbPost]);
    EXPECT_TRUE(p[nbCancel]);

    // Read mode of a form with global edit.
    in = browsing();
    in.manageGlobalEdit = true;
    in.globalEdit = false;
    p = computePossibilities(in).possible;
    EXPECT_FALSE(p[nbInsert]);
    EXPECT_FALSE(p[nbDelete]);
    EXPECT_FALSE(p[nbEdit]);
    EXPECT_FALSE(p[nbDupRecord]);
    EXPECT_TRUE(p[nbGlobalEdit]);
    EXPECT_TRUE(p[nbNext]);
}

TEST(Possibilities, IncrementalSearchEndsWhenItsCommandsAreNotPossible)
{
    PossibilityInput in = browsing();
    in.incSearchOn = true;
    PossibilityResult r = computePossibilities(in);
    EXPECT_TRUE(r.incSearchOn);
    EXPECT_FALSE(r.possible[nbInsert]); // no insert while searching incrementally

    in.fieldTypeExcluded = true;
    r = computePossibilities(in);
    EXPECT_FALSE(r.possible[nbSearchInc]);
    EXPECT_FALSE(r.incSearchOn);

    in = browsing();
    in.incSrchOnlyIfIndexed = true;
    EXPECT_FALSE(computePossibilities(in).possible[nbSearchInc]);
    in.fieldIndexed = true;
    EXPECT_TRUE(computePossibilities(in).possible[nbSearchInc]);
}

TEST(Possibilities, BookmarksFiltersAndIndexes)
{
    PossibilityInput in = browsing();
    Possibilities p = computePossibilities(in).possible;
    EXPECT_TRUE(p[nbSetBookmark]);
    EXPECT_FALSE(p[nbGotoBookmark]);
    EXPECT_TRUE(p[nbTblFilter]);
    EXPECT_FALSE(p[nbActiveFilter]);
    EXPECT_TRUE(p[nbIndexSelect]);
    EXPECT_FALSE(p[nbSearchNext]);

    in.bookmarkCount = 1;
    in.filterState = 3;
    in.hasSearchField = true;
    in.hasMasterLink = true; // a detail table offers no index choice
    p = computePossibilities(in).possible;
    EXPECT_TRUE(p[nbGotoBookmark]);
    EXPECT_TRUE(p[nbActiveFilter]);
    EXPECT_FALSE(p[nbIndexSelect]);
    EXPECT_TRUE(p[nbSearchNext]);

    // An empty table: nothing to search, mark or delete.
    in = browsing();
    in.atBegin = in.atEnd = true;
    p = computePossibilities(in).possible;
    EXPECT_FALSE(p[nbSearch]);
    EXPECT_FALSE(p[nbSetBookmark]);
    EXPECT_FALSE(p[nbDelete]);
    EXPECT_TRUE(p[nbInsert]);
}

TEST(ShortCutRules, ConditionsPerCommand)
{
    ShortCutContext c;
    c.dataAwareControl = c.hasDataSet = c.hasField = c.hasTableDefs = true;
    c.possible.fill(true);
    c.canModify = true;
    c.readOnly = false;
    c.isTable = c.isTableClass = true;

    EXPECT_TRUE(shortCutApplies(nbSearch, c));
    EXPECT_TRUE(shortCutApplies(nbSearchNext, c));
    c.shift = ssCtrl;
    EXPECT_TRUE(shortCutApplies(nbSearchNext, c));
    c.shift = ssShift;
    EXPECT_FALSE(shortCutApplies(nbSearchNext, c));
    c.shift = 0;

    EXPECT_TRUE(shortCutApplies(nbNext, c));
    c.controlKeepsMoveKeys = true; // PgDn scrolls a grid, not the data set
    EXPECT_FALSE(shortCutApplies(nbNext, c));
    c.controlKeepsMoveKeys = false;

    EXPECT_TRUE(shortCutApplies(nbInsert, c));
    c.readOnly = true;
    EXPECT_FALSE(shortCutApplies(nbInsert, c));
    EXPECT_FALSE(shortCutApplies(nbDelete, c));
    c.readOnly = false;

    EXPECT_FALSE(shortCutApplies(nbActiveFilter, c));
    c.filterState = 2;
    EXPECT_TRUE(shortCutApplies(nbActiveFilter, c));

    EXPECT_FALSE(shortCutApplies(nbGlobalEdit, c));
    c.manageGlobalEdit = true;
    EXPECT_TRUE(shortCutApplies(nbGlobalEdit, c));
    c.globalEdit = false;
    EXPECT_FALSE(shortCutApplies(nbEdit, c));

    c.allowKeys = static_cast<TAllowKeys>(kAllAllowKeys & ~allowKey(akBookmark));
    EXPECT_FALSE(shortCutApplies(nbSetBookmark, c));
    EXPECT_TRUE(shortCutApplies(nbUserBtn, c));
}

TEST(StatusText, ComposedFromTheOptions)
{
    StatusInput in;
    in.recNo = 12;
    in.recCount = 340;
    in.tableName = QStringLiteral("Stammdaten");
    in.editing = true;
    EXPECT_EQ(composeStatusText(in), QStringLiteral("12 von 340 [Stammdaten] Editieren"));
    in.countMeaningful = false; // an active filter
    EXPECT_EQ(composeStatusText(in), QStringLiteral("12 [Stammdaten] Editieren"));
    in = StatusInput();
    in.options = ssRecNo | ssTblName; // no count read, so no number either
    in.tableName = QStringLiteral("T");
    EXPECT_EQ(composeStatusText(in), QStringLiteral(" [T]"));
    in = StatusInput();
    in.tableName = QStringLiteral("T");
    EXPECT_EQ(composeStatusText(in), QStringLiteral("Leere Tabelle [T]"));
    in.inserting = true;
    EXPECT_EQ(composeStatusText(in), QStringLiteral("[T] Neuer Datensatz"));
    in.inserting = false;
    in.recNo = 1;
    in.recCount = 2;
    in.incSearchOn = true;
    in.incSearchText = QStringLiteral("ab");
    EXPECT_EQ(composeStatusText(in), QStringLiteral("1 von 2 [T] Suche: \"ab\""));
    in.textOnButtons = true;
    EXPECT_EQ(composeStatusText(in), QStringLiteral("1 von 2 [T] Suchmodus"));
}

TEST(SearchPattern, MatchSpanTellsWhereTheMatchStands)
{
    struct Case {
        const char *pattern;
        const char *value;
        qsizetype position, length;
    };
    const Case cases[] = {
        {"Lindau", "Lindau", 0, 6}, {"Li..", "Lindau", 0, 2},     {"..au", "Lindau", 4, 2},
        {"..nd..", "Lindau", 2, 2}, {"L..u", "Lindau", 0, 6},     {"..n..a..", "Lindau", 2, 3},
        {"..", "Lindau", 0, 6},     {"i..a..", "Lindau", -1, -1},
    };
    for (const Case &c : cases) {
        qsizetype position = -1, length = -1;
        const bool found = SearchPattern(QString::fromUtf8(c.pattern), false)
                               .matchSpan(QString::fromUtf8(c.value), position, length);
        EXPECT_EQ(found, c.position >= 0) << c.pattern;
        if (found) {
            EXPECT_EQ(position, c.position) << c.pattern;
            EXPECT_EQ(length, c.length) << c.pattern;
        }
    }
}

TEST(SearchPattern, WildcardsAndCase)
{
    struct Case {
        const char *pattern;
        bool ignoreCase;
        const char *value;
        bool match;
    };
    const Case cases[] = {
        {"Li..", true, "lindau", true},    {"Li..", false, "lindau", false},
        {"Li..", true, "Ali", false},      {"..au", false, "Lindau", true},
        {"..nd..", false, "Lindau", true}, {"L..u", false, "Lindau", true},
        {"L..x", false, "Lindau", false},  {"Lindau", false, "Lindau", true},
        {"Lind", false, "Lindau", false},  {"", false, "", true},
        {"", false, "x", false},           {"..", false, "x", true},
        {"..", false, "", false},          {"Ä..", true, "äpfel", true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(
            SearchPattern(QString::fromUtf8(c.pattern), c.ignoreCase).matches(QString::fromUtf8(c.value)),
            c.match)
            << c.pattern << " / " << c.value;
}
