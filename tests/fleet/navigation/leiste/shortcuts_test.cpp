#include <gtest/gtest.h>

#include "navigation/gemeinsam/NavExceptions.h"
#include "navigation/leiste/DBVShortCuts.h"

using namespace nav;

TEST(ShortCuts, DefaultTableMatchesTheDocumentedValues)
{
    const std::array<TShortCut, 28> expected = {16467, 16457, 114, 16459, 16465, 16454, 0,     16472, 118, 0,
                                                16417, 8225,  33,  34,    8226,  16418, 45,    16430, 0,   0,
                                                16392, 0,     0,   113,   16452, 24644, 16416, 120};
    TDBVShortCuts table;
    EXPECT_EQ(table.ShortCuts, expected);
}

TEST(ShortCuts, WrittenListIsNamedAndReadsBack)
{
    TDBVShortCuts source;
    source.SetShortCut(nbRefresh, scAlt | 'R');
    const FilerList list = source.WriteProperty();
    ASSERT_EQ(list.size(), 57u);
    EXPECT_EQ(std::get<int>(list[0]), -27);
    for (int i = 0; i < 28; ++i) {
        EXPECT_EQ(std::get<FilerIdent>(list[1 + 2 * i]).name, QLatin1String(kNavigateBtnNames[i]));
        EXPECT_EQ(std::get<int>(list[2 + 2 * i]), source.ShortCuts[i]);
    }
    TDBVShortCuts target;
    target.ReadProperty(list);
    EXPECT_EQ(target.ShortCuts, source.ShortCuts);
}

TEST(ShortCuts, NamedListChangesOnlyTheNamedCommandsAnyCase)
{
    TDBVShortCuts table;
    table.ReadProperty({-27, FilerIdent{"nbLast"}, 120, FilerIdent{"NBSEARCH"}, 0});
    auto expected = TDBVShortCuts::Defaults();
    expected[nbLast] = 120;
    expected[nbSearch] = 0;
    EXPECT_EQ(table.ShortCuts, expected);
}

TEST(ShortCuts, UnknownIdentifierFailsTheRead)
{
    TDBVShortCuts table;
    try {
        table.ReadProperty({-27, FilerIdent{"nbBogus"}, 1});
        FAIL() << "no error";
    } catch (const EStreamError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Error reading TDBVShortCuts nbBogus"));
    }
    EXPECT_THROW(table.ReadProperty({}), EStreamError);
}

TEST(ShortCuts, OldPositionalListSkipsSingleRecViewAndClampsExtras)
{
    // 27 values: commands 0..8 and 10..27.
    FilerList list27;
    for (int i = 0; i < 27; ++i)
        list27.emplace_back(1000 + i);
    TDBVShortCuts table;
    table.SetShortCut(nbSingleRecView, 77);
    table.ReadProperty(list27);
    EXPECT_EQ(table.ShortCut(nbSearch), 1000);
    EXPECT_EQ(table.ShortCut(nbTableView), 1008);
    EXPECT_EQ(table.ShortCut(nbSingleRecView), 77);
    EXPECT_EQ(table.ShortCut(nbFirst), 1009);
    EXPECT_EQ(table.ShortCut(nbGlobalEdit), 1026);

    FilerList list30 = list27;
    for (int i = 27; i < 30; ++i)
        list30.emplace_back(1000 + i);
    TDBVShortCuts other;
    other.ReadProperty(list30);
    EXPECT_EQ(other.ShortCut(nbGlobalEdit), 1029);
    EXPECT_EQ(other.ShortCut(nbLookUp), 1025);
    EXPECT_EQ(other.ShortCut(nbSingleRecView), 0);
}

TEST(ShortCuts, FindKeyCommandRetriesWithoutCtrl)
{
    TDBVShortCuts table;
    TDBVNavigateBtn command{};
    ASSERT_TRUE(table.FindKeyCommand(114, ssCtrl, command)); // Ctrl+F3
    EXPECT_EQ(command, nbSearchNext);
    ASSERT_TRUE(table.FindKeyCommand('S', ssCtrl, command));
    EXPECT_EQ(command, nbSearch);
    EXPECT_FALSE(table.FindKeyCommand('S', 0, command));
    ASSERT_TRUE(table.FindKeyCommand('D', ssCtrl | ssShift, command));
    EXPECT_EQ(command, nbDupRecord);
    EXPECT_FALSE(table.FindCommand(0x1234, command));
}

TEST(ShortCuts, AssignCopiesAndNotifiesOnce)
{
    TDBVShortCuts source;
    source.SetShortCut(nbEdit, 113);
    TDBVShortCuts target;
    int fired = 0;
    target.OnChange = [&](TDBVShortCuts &sender) {
        EXPECT_EQ(&sender, &target);
        ++fired;
    };
    target.Assign(source);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(target.ShortCuts, source.ShortCuts);
}

TEST(ShortCuts, QtKeyCombinationsConvertBothWays)
{
    struct Case {
        TShortCut value;
        QKeyCombination keys;
    };
    const Case cases[] = {
        {16467, QKeyCombination(Qt::ControlModifier, Qt::Key_S)},
        {114, QKeyCombination(Qt::Key_F3)},
        {8225, QKeyCombination(Qt::ShiftModifier, Qt::Key_PageUp)},
        {16430, QKeyCombination(Qt::ControlModifier, Qt::Key_Delete)},
        {16392, QKeyCombination(Qt::ControlModifier, Qt::Key_Backspace)},
        {16416, QKeyCombination(Qt::ControlModifier, Qt::Key_Space)},
        {24644, QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_D)},
        {45, QKeyCombination(Qt::Key_Insert)},
        {scAlt | 120, QKeyCombination(Qt::AltModifier, Qt::Key_F9)},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(shortCutFromKeyCombination(c.keys), c.value) << c.value;
        const auto back = shortCutToKeyCombination(c.value);
        ASSERT_TRUE(back.has_value()) << c.value;
        EXPECT_EQ(*back, c.keys) << c.value;
    }
    EXPECT_FALSE(shortCutToKeyCombination(0).has_value());
    EXPECT_EQ(shortCutFromKeyCombination(QKeyCombination(Qt::Key_Launch0)), 0);
}
