// The views' rules apart from widgets: the keys and buttons the extender
// proposes, the control per field type, the accelerator characters and the
// two layouts over given sizes.
#include <gtest/gtest.h>

#include "navigation/ansichten/SingleRecLayout.h"
#include "navigation/erweiterung/ViewRecord.h"

using namespace nav;
using namespace nav::srv;

TEST(ViewRecord, KeysAndButtonsFollowReadOnlyGlobalEditAndTheOtherView)
{
    struct Case {
        bool tableView, readOnly, globalEdit, offerOther;
        TAllowKeys keys;
        unsigned search, move, record, extend;
    };
    // Keys: select-next … filter (0x7F) and index choice (0x2000); editing keys
    // 0x780, global edit 0x1000, table view 0x800, single-record view 0x4000.
    const Case cases[] = {
        {true, true, false, true, 0x607F, 0x2FF, 0x3F, 0, 0x12},
        {true, true, false, false, 0x207F, 0x0FF, 0x3F, 0, 0x12},
        {true, false, true, true, 0x77FF, 0x2FF, 0x3F, 0x1F, 0x32},
        {false, false, false, true, 0x2FFF, 0x1FF, 0x3F, 0x1F, 0x12},
        {false, true, true, false, 0x307F, 0x0FF, 0x3F, 0, 0x32},
    };
    for (const Case &c : cases) {
        TFormEventRec r;
        if (c.tableView)
            SetTableViewButtons(r, c.readOnly, c.globalEdit, c.offerOther);
        else
            SetSingleRecViewButtons(r, c.readOnly, c.globalEdit, c.offerOther);
        SCOPED_TRACE(testing::Message() << c.tableView << c.readOnly << c.globalEdit << c.offerOther);
        EXPECT_EQ(r.AllowKeys, c.keys);
        EXPECT_EQ(r.VisBtnsSearch, c.search);
        EXPECT_EQ(r.VisBtnsMove, c.move);
        EXPECT_EQ(r.VisBtnsRecord, c.record);
        EXPECT_EQ(r.VisBtnsExtend, c.extend);
    }
}

TEST(SingleRecControls, EachFieldTypeGetsItsControl)
{
    using T = dbe::TFieldType;
    struct Case {
        T type;
        bool lookup, checkBox, lookupCombo;
        ControlKind kind;
    };
    const Case cases[] = {
        {T::ftString, false, true, true, ControlKind::Edit},
        {T::ftDate, false, true, true, ControlKind::Edit},
        {T::ftAutoInc, false, true, true, ControlKind::Edit},
        {T::ftString, true, true, true, ControlKind::LookupCombo},
        {T::ftString, true, true, false, ControlKind::Edit},
        {T::ftBoolean, false, true, true, ControlKind::CheckBox},
        {T::ftBoolean, false, false, true, ControlKind::Edit},
        {T::ftMemo, false, true, true, ControlKind::Memo},
        {T::ftGraphic, false, true, true, ControlKind::Image},
        {T::ftBlob, false, true, true, ControlKind::None},
        {T::ftBytes, false, true, true, ControlKind::None},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ControlKindForField(c.type, c.lookup, c.checkBox, c.lookupCombo), c.kind)
            << static_cast<int>(c.type);
}

TEST(Accelerators, RarestCharactersFirstAndLiteralAmpersandsDoubled)
{
    struct Case {
        QStringList in, out;
    };
    const Case cases[] = {
        // Z and U occur once each: they are taken before the shared K, E, N.
        {{"Kennzeichen", "Kennung"}, {"Kenn&zeichen", "Kenn&ung"}},
        {{"Abc", "Abd"}, {"Ab&c", "Ab&d"}},
        // Equal candidate counts keep field order.
        {{"Ab", "Ba"}, {"A&b", "B&a"}},
        {{"Achse 1", "Achse 2"}, {"Achse &1", "Achse &2"}},
        // No letter A to Z and no digit: nothing to take.
        {{"--", "Öl", "Km"}, {"--", "Ö&l", "K&m"}},
        {{"A&B"}, {"A&&&B"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(AssignAccelerators(c.in), c.out) << c.in.join(QLatin1Char('|')).toStdString();
}

TEST(Accelerators, MoreLabelsThanCharactersLeaveTheRestWithout)
{
    QStringList in;
    for (int i = 0; i < 5; ++i)
        in << QStringLiteral("Ab");
    const QStringList out = AssignAccelerators(in);
    EXPECT_EQ(out, (QStringList{"A&b", "&Ab", "Ab", "Ab", "Ab"}));
}

TEST(SingleRecLayout, ControlWidthFitsTheRoom)
{
    EXPECT_EQ(ControlWidth(10, 8, 400, 16, 8), 80);
    EXPECT_EQ(ControlWidth(0, 8, 400, 16, 8), 15);
    EXPECT_EQ(ControlWidth(100, 8, 400, 16, 8), 368);
    EXPECT_EQ(ControlWidth(10, 8, 400, 16, 300), 76);
}

namespace {

Metrics metrics()
{
    Metrics m;
    m.clientWidth = 300;
    m.vScrollWidth = 16;
    m.labelHeight = 14;
    m.editHeight = 20;
    m.memoWidth = 150;
    m.imageWidth = 100;
    return m;
}

Item edit(int labelWidth = 50)
{
    Item i;
    i.kind = ControlKind::Edit;
    i.labelWidth = labelWidth;
    i.labelHeight = 14;
    i.controlWidth = 120;
    i.controlHeight = 20;
    i.chars = 10;
    i.maxCharWidth = 8;
    return i;
}

Item memo(int width)
{
    Item i;
    i.kind = ControlKind::Memo;
    i.labelWidth = 40;
    i.labelHeight = 14;
    i.controlWidth = width;
    i.controlHeight = 60;
    return i;
}

} // namespace

TEST(SingleRecLayout, AcrossWrapsWhenTheRowIsFull)
{
    const Result r = LayoutAcross({edit(), edit(), edit(), edit()}, metrics(), false);
    ASSERT_EQ(r.placements.size(), 4u);
    EXPECT_EQ(r.placements[0].label, QRect(8, 8, 50, 14));
    EXPECT_EQ(r.placements[0].control, QRect(8, 23, 80, 20));
    EXPECT_EQ(r.placements[1].control.topLeft(), QPoint(92, 23));
    EXPECT_EQ(r.placements[2].control.topLeft(), QPoint(176, 23));
    // 260 + 80 passes 300 - 16 - 8: a new row under the first.
    EXPECT_EQ(r.placements[3].label.topLeft(), QPoint(8, 45));
    EXPECT_EQ(r.placements[3].control.topLeft(), QPoint(8, 60));
    EXPECT_EQ(r.contentHeight, 80);
}

TEST(SingleRecLayout, AcrossBreaksAfterAFieldWhoseHookAsksForIt)
{
    const SizeHook hook = [](int index, int, int &, int &height, bool &lineBreak) {
        if (index == 0) {
            lineBreak = true;
            height = 30;
        }
    };
    const Result r = LayoutAcross({edit(), edit()}, metrics(), false, hook);
    EXPECT_EQ(r.placements[1].label.topLeft(), QPoint(8, 8 + 30 + 14 + 3));
    // A memo at full width takes the whole room.
    const Result full = LayoutAcross({memo(100)}, metrics(), true);
    EXPECT_EQ(full.placements[0].control.width(), 300 - 16 - 16);
}

TEST(SingleRecLayout, DownPlacesControlsRightOfTheWidestLabelOrBelowTheLabel)
{
    const std::vector<Item> items{edit(70), memo(100)};
    const Result left = LayoutDown(items, metrics(), Layout::VertLeftLeft, false);
    EXPECT_EQ(left.placements[0].label, QRect(8, 11, 70, 14));
    EXPECT_EQ(left.placements[0].control, QRect(82, 8, 80, 20));
    EXPECT_FALSE(left.placements[0].labelRightAligned);
    // A memo widens toward its reference width; its label is centred on an edit's height.
    EXPECT_EQ(left.placements[1].label.topLeft(), QPoint(8, 33));
    EXPECT_EQ(left.placements[1].control, QRect(82, 30, 150, 60));
    EXPECT_EQ(left.contentHeight, 92);
    EXPECT_TRUE(LayoutDown(items, metrics(), Layout::VertLeftRight, false).placements[0].labelRightAligned);

    const Result top = LayoutDown(items, metrics(), Layout::VertTop, false);
    EXPECT_EQ(top.placements[0].label.topLeft(), QPoint(8, 8));
    EXPECT_EQ(top.placements[0].control, QRect(8, 23, 80, 20));
    EXPECT_EQ(top.placements[1].label.topLeft(), QPoint(8, 45));
    EXPECT_EQ(top.placements[1].control.topLeft(), QPoint(8, 60));
    EXPECT_EQ(top.contentHeight, 122);

    // A narrow view cuts every control to the room left.
    Metrics narrow = metrics();
    narrow.clientWidth = 120;
    const Result cut = LayoutDown(items, narrow, Layout::VertLeftLeft, false);
    EXPECT_EQ(cut.placements[0].control.width(), 120 - 16 - 82 - 8);
}
