#pragma once

#include <cstdint>
#include <optional>

#include <QKeyCombination>

// The 16-bit shortcut value used throughout the navigation set: the virtual
// key code in the low byte plus one bit per modifier; 0 means none.
namespace nav {

using TShortCut = std::uint16_t;

constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

// Modifier set of a key event, as the key handling passes it around.
enum ShiftFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
using TShiftState = unsigned;

// Virtual key codes the navigation set names.
namespace vk {
constexpr int Back = 8;
constexpr int Tab = 9;
constexpr int Return = 13;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int Prior = 33;
constexpr int Next = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Insert = 45;
constexpr int Delete = 46;
constexpr int F1 = 112;
} // namespace vk

constexpr TShortCut makeShortCut(int virtualKey, TShiftState shift)
{
    TShortCut value = static_cast<TShortCut>(virtualKey & 0xFF);
    if (shift & ssShift)
        value |= scShift;
    if (shift & ssCtrl)
        value |= scCtrl;
    if (shift & ssAlt)
        value |= scAlt;
    return value;
}

// Virtual key code of a Qt key; 0 for keys without one.
int virtualKeyFromQt(Qt::Key key);
// Qt key of a virtual key code; Qt::Key_unknown when there is none.
Qt::Key qtKeyFromVirtualKey(int virtualKey);
TShiftState shiftStateFromQt(Qt::KeyboardModifiers modifiers);

// Conversion between shortcut values and Qt key combinations; empty when the
// key has no counterpart.
std::optional<QKeyCombination> shortCutToKeyCombination(TShortCut shortCut);
TShortCut shortCutFromKeyCombination(QKeyCombination combination);

} // namespace nav
