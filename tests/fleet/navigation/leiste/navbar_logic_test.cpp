// The navigator bar's rules without a window: layout, hints, button states.
#include <gtest/gtest.h>

#include "navigation/leiste/NavBarLayout.h"
#include "navigation/leiste/NavButtonStates.h"
#include "navigation/leiste/NavHints.h"

using namespace nav;

namespace {

// Ten plain buttons spread over all four groups.
NavBarGeometry tenButtons()
{
    NavBarGeometry g;
    g.style = TNavStyle::nsStatic;
    for (int c : {nbSearch, nbSearchNext, nbSetBookmark, nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbPost,
                  nbDupRecord})
        g.visible.set(static_cast<std::size_t>(c));
    return g;
}

} // namespace

TEST(NavBarLayout, StaticBarSharesTheWidthAndSpreadsLeftoverPixels)
{
    NavBarGeometry g = tenButtons();
    StaticLayout l = calcStaticLayout(g, 300, 25);
    EXPECT_EQ(l.buttonWidth, 27);
    EXPECT_EQ(l.width, 300);
    EXPECT_EQ(l.bounds[nbSearch], QRect(0, 0, 27, 25));
    // The gap of the search group comes before the first move button.
    EXPECT_EQ(l.bounds[nbFirst].left(), 3 * 27 + 10);
    EXPECT_EQ(l.bounds[nbInsert].left(), 7 * 27 + 20);
    EXPECT_EQ(l.bounds[nbDupRecord].left(), 9 * 27 + 30);
    EXPECT_EQ(l.bounds[nbDupRecord].right(), 299);

    g.alignNone = false;
    l = calcStaticLayout(g, 303, 25);
    EXPECT_EQ(l.width, 303);
    int wide = 0, total = 0;
    for (int c = 0; c < kNavigateBtnCount; ++c)
        if (g.visible.test(static_cast<std::size_t>(c))) {
            wide += l.bounds[static_cast<std::size_t>(c)].width() == 28;
            total += l.bounds[static_cast<std::size_t>(c)].width();
        }
    EXPECT_EQ(wide, 3);
    EXPECT_EQ(total + 30, 303);
    // Spread over the bar: the second, sixth and ninth visible button.
    EXPECT_EQ(l.bounds[nbSearchNext].width(), 28);
    EXPECT_EQ(l.bounds[nbNext].width(), 28);
    EXPECT_EQ(l.bounds[nbPost].width(), 28);
}

TEST(NavBarLayout, StaticBarReservesGapsAndHasAMinimumButton)
{
    NavBarGeometry g;
    g.visible.reset();
    g.visible.set(nbSearch);
    g.visible.set(nbSearchNext);
    StaticLayout l = calcStaticLayout(g, 10, 10);
    EXPECT_EQ(l.width, 2 * 25 + 10); // the search group's gap ends the bar
    EXPECT_EQ(l.height, 25);
    // Invisible buttons lie outside the bar.
    EXPECT_GT(l.bounds[nbLast].left(), l.width);

    g.visible.reset();
    l = calcStaticLayout(g, 0, 0);
    EXPECT_EQ(l.width, 25);

    g = tenButtons();
    g.horizontal = false;
    l = calcStaticLayout(g, 0, 0);
    EXPECT_EQ(l.width, 25);
    EXPECT_EQ(l.height, 10 * 25 + 30);
    EXPECT_EQ(l.bounds[nbFirst].top(), 3 * 25 + 10);
    EXPECT_EQ(staticBarSize(g), QSize(25, 10 * 25 + 30));
}

TEST(NavBarLayout, ScrollingBarShowsWhatFitsAndScrollsByEntries)
{
    NavBarGeometry g = tenButtons();
    g.style = TNavStyle::nsScrollLeftRight;
    const std::vector<int> list = buildScrollList(g.visible);
    ASSERT_EQ(list.size(), 13u); // ten buttons and three separators
    EXPECT_EQ(list[3], -1);

    ScrollLayout l = calcScrollLayout(g, list, 0, 100, 25);
    EXPECT_TRUE(l.scrollButtonsShown);
    EXPECT_FALSE(l.leftEnabled);
    EXPECT_TRUE(l.rightEnabled);
    EXPECT_EQ(l.leftButton.left(), 0);
    EXPECT_EQ(l.rightButton.left(), 100 - 14);
    EXPECT_EQ(l.bounds[nbSearch], QRect(14, 0, 25, 25));
    EXPECT_EQ(l.bounds[nbSearchNext], QRect(39, 0, 25, 25));
    EXPECT_FALSE(l.bounds[nbSetBookmark].has_value()); // would end at 89, behind the right button

    l = calcScrollLayout(g, list, 1, 100, 25);
    EXPECT_TRUE(l.leftEnabled);
    EXPECT_FALSE(l.bounds[nbSearch].has_value());
    EXPECT_EQ(l.bounds[nbSearchNext], QRect(14, 0, 25, 25));
    // The separator after the search group takes the group space.
    l = calcScrollLayout(g, list, 2, 150, 25);
    EXPECT_EQ(l.bounds[nbFirst]->left(), 14 + 25 + 10);

    // Everything fits: no scroll buttons and the offset returns to 0.
    l = calcScrollLayout(g, list, 3, 400, 25);
    EXPECT_FALSE(l.scrollButtonsShown);
    EXPECT_EQ(l.scrollOffset, 0);
    EXPECT_EQ(l.bounds[nbSearch]->left(), 0);
}

TEST(NavHints, ShortCutTextGoesWhereAddSCHintSays)
{
    const TShortCut ctrlS = makeShortCut('S', ssCtrl);
    const QString hint = QStringLiteral("Suchen|Sucht einen Feldwert");
    EXPECT_EQ(addShortCutToHint(hint, ctrlS, true, TAddSCHint::ahLongOnly),
              QStringLiteral("Suchen|Sucht einen Feldwert [Strg+S]"));
    EXPECT_EQ(addShortCutToHint(hint, ctrlS, true, TAddSCHint::ahBoth),
              QStringLiteral("Suchen [Strg+S]|Sucht einen Feldwert [Strg+S]"));
    EXPECT_EQ(addShortCutToHint(hint, ctrlS, true, TAddSCHint::ahShortOnly),
              QStringLiteral("Suchen [Strg+S]|Sucht einen Feldwert"));
    EXPECT_EQ(addShortCutToHint(hint, ctrlS, true, TAddSCHint::ahNone), hint);
    EXPECT_EQ(addShortCutToHint(hint, ctrlS, false, TAddSCHint::ahBoth), hint);
    EXPECT_EQ(addShortCutToHint(QStringLiteral("Suchen"), ctrlS, true, TAddSCHint::ahLongOnly),
              QStringLiteral("Suchen"));
    EXPECT_EQ(addShortCutToHint(QStringLiteral("Suchen"), 0, true, TAddSCHint::ahBoth),
              QStringLiteral("Suchen"));

    EXPECT_EQ(shortCutToText(makeShortCut(vk::Next, ssCtrl)), QStringLiteral("Strg+Bild ab"));
    EXPECT_EQ(shortCutToText(makeShortCut('D', ssCtrl | ssShift)), QStringLiteral("Umsch+Strg+D"));
    EXPECT_EQ(shortCutToText(makeShortCut(vk::F1 + 2, 0)), QStringLiteral("F3"));
}

TEST(NavHints, HintLinesReplaceOnlyWhereNotEmpty)
{
    TDBVShortCuts shortCuts;
    QStringList lines;
    lines << QString() << QStringLiteral("Suche an/aus");
    const QStringList hints =
        buildHints(lines, QStringLiteral("Eigene"), &shortCuts, true, TAddSCHint::ahBoth);
    ASSERT_EQ(hints.size(), kNavigateBtnCount);
    EXPECT_EQ(hints[nbSearch], QStringLiteral("Feldwert suchen [Strg+S]"));
    EXPECT_EQ(hints[nbSearchInc], QStringLiteral("Suche an/aus [Strg+I]"));
    EXPECT_EQ(hints[nbUserBtn], QStringLiteral("Eigene"));
    EXPECT_EQ(hints[nbEdit], QStringLiteral("Datensatz bearbeiten"));
}

TEST(NavButtonStates, FilterButtonsFollowTheFilterState)
{
    NavStateInput in;
    in.dataSetOpen = in.isCurrentSource = in.navbarsEnabled = true;
    in.possible.fill(true);
    struct Case {
        std::uint8_t state;
        bool down, clearEnabled;
    };
    for (const Case c :
         {Case{0, false, false}, Case{1, false, false}, Case{2, false, true}, Case{3, true, true}}) {
        NavBarStates s;
        in.filterState = c.state;
        updateAllButtons(s, in);
        EXPECT_EQ(s.buttons[nbActiveFilter].down, c.down) << int(c.state);
        EXPECT_EQ(s.clearFilterItemEnabled, c.clearEnabled) << int(c.state);
    }
    NavBarStates s;
    in.filterState = 3;
    in.allowKeys = kAllAllowKeys & ~allowKey(akFilter);
    updateAllButtons(s, in);
    EXPECT_FALSE(s.clearFilterItemEnabled);
}

TEST(NavButtonStates, ClosedDataSetLeavesOnlyTheUserButton)
{
    NavStateInput in;
    in.isCurrentSource = in.navbarsEnabled = true;
    in.possible.fill(true);
    NavBarStates s;
    updateAllButtons(s, in);
    for (int c = 0; c < kNavigateBtnCount; ++c)
        EXPECT_EQ(s.buttons[static_cast<std::size_t>(c)].enabled, c == nbUserBtn) << c;
    in.userBtnEnabled = false;
    updateAllButtons(s, in);
    EXPECT_FALSE(s.buttons[nbUserBtn].enabled);

    // Without ieNavbars nothing is enabled even with an open data set.
    in.dataSetOpen = true;
    in.navbarsEnabled = false;
    updateAllButtons(s, in);
    EXPECT_FALSE(s.buttons[nbNext].enabled);

    // A master source under somOnlyMove updates only the move buttons.
    NavBarStates m;
    in.navbarsEnabled = true;
    in.isCurrentSource = false;
    in.onlyMoveOnMaster = true;
    updateMoveAndSearchButtons(m, in);
    updateRecordButtons(m, in);
    EXPECT_TRUE(m.buttons[nbNext].enabled);
    EXPECT_FALSE(m.buttons[nbSearch].enabled);
    EXPECT_FALSE(m.buttons[nbInsert].enabled);
}
