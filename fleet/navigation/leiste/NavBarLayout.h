#pragma once

#include <array>
#include <optional>
#include <vector>

#include <QRect>

#include "navigation/leiste/NavCommandTable.h"

namespace nav {

enum class TNavStyle { nsStatic, nsScrollLeftRight, nsScrollBothLeft, nsScrollBothRight };

constexpr int kMinButtonSize = 25;

// What the layout of a bar depends on.
struct NavBarGeometry {
    NavButtonSet visible;
    std::array<int, 3> groupSpace{10, 10, 10};
    bool horizontal = true;
    bool alignNone = true;     // the bar sizes itself to its buttons
    bool incSearchBox = false; // command 1 is the text box
    int incSrchWidth = 50;
    int buttonWidth = kMinButtonSize;
    int buttonHeight = kMinButtonSize;
    int scrollBtnWidth = 14;
    bool alwaysShowSB = false;
    TNavStyle style = TNavStyle::nsStatic;
};

// Static style: the buttons share the asked size; leftover pixels are spread
// one each over the buttons. Invisible buttons end up outside the bar.
struct StaticLayout {
    int width = 0, height = 0;
    int buttonWidth = 0, buttonHeight = 0;
    std::array<QRect, kNavigateBtnCount> bounds{};
};
StaticLayout calcStaticLayout(const NavBarGeometry &geometry, int width, int height);

// The size the static bar takes for its visible buttons at the current
// button size (after a change of visibility, spaces or orientation).
QSize staticBarSize(const NavBarGeometry &geometry);

// Scrolling styles: the visible buttons in command order, with a separator
// (-1) before the first button after each group that has a visible button.
std::vector<int> buildScrollList(const NavButtonSet &visible);

struct ScrollLayout {
    int width = 0, height = 0;
    int scrollOffset = 0;
    bool scrollButtonsShown = false;
    QRect leftButton, rightButton;
    bool leftEnabled = false, rightEnabled = false;
    // Placed entries of the scroll list; hidden ones have no rectangle.
    std::array<std::optional<QRect>, kNavigateBtnCount> bounds{};
};
ScrollLayout calcScrollLayout(const NavBarGeometry &geometry, const std::vector<int> &scrollList,
                              int scrollOffset, int width, int height);

} // namespace nav
