#include "navigation/gemeinsam/ShortCut.h"

#include <array>
#include <utility>

namespace nav {

namespace {

// Keys whose virtual code is not their Latin-1 code.
constexpr std::array<std::pair<Qt::Key, int>, 16> kNamedKeys = {{
    {Qt::Key_Backspace, vk::Back},
    {Qt::Key_Tab, vk::Tab},
    {Qt::Key_Return, vk::Return},
    {Qt::Key_Enter, vk::Return},
    {Qt::Key_Escape, vk::Escape},
    {Qt::Key_Space, vk::Space},
    {Qt::Key_PageUp, vk::Prior},
    {Qt::Key_PageDown, vk::Next},
    {Qt::Key_End, vk::End},
    {Qt::Key_Home, vk::Home},
    {Qt::Key_Left, vk::Left},
    {Qt::Key_Up, vk::Up},
    {Qt::Key_Right, vk::Right},
    {Qt::Key_Down, vk::Down},
    {Qt::Key_Insert, vk::Insert},
    {Qt::Key_Delete, vk::Delete},
}};

} // namespace

int virtualKeyFromQt(Qt::Key key)
{
    for (const auto &[qtKey, code] : kNamedKeys)
        if (qtKey == key)
            return code;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return vk::F1 + (key - Qt::Key_F1);
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return static_cast<int>(key);
    return 0;
}

Qt::Key qtKeyFromVirtualKey(int virtualKey)
{
    for (const auto &[qtKey, code] : kNamedKeys)
        if (code == virtualKey)
            return qtKey;
    if (virtualKey >= vk::F1 && virtualKey < vk::F1 + 24)
        return static_cast<Qt::Key>(Qt::Key_F1 + (virtualKey - vk::F1));
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
        return static_cast<Qt::Key>(virtualKey);
    return Qt::Key_unknown;
}

TShiftState shiftStateFromQt(Qt::KeyboardModifiers modifiers)
{
    TShiftState shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= ssShift;
    if (modifiers & Qt::ControlModifier)
        shift |= ssCtrl;
    if (modifiers & Qt::AltModifier)
        shift |= ssAlt;
    return shift;
}

std::optional<QKeyCombination> shortCutToKeyCombination(TShortCut shortCut)
{
    const Qt::Key key = qtKeyFromVirtualKey(shortCut & 0xFF);
    if (shortCut == 0 || key == Qt::Key_unknown)
        return std::nullopt;
    Qt::KeyboardModifiers modifiers;
    if (shortCut & scShift)
        modifiers |= Qt::ShiftModifier;
    if (shortCut & scCtrl)
        modifiers |= Qt::ControlModifier;
    if (shortCut & scAlt)
        modifiers |= Qt::AltModifier;
    return QKeyCombination(modifiers, key);
}

TShortCut shortCutFromKeyCombination(QKeyCombination combination)
{
    const int code = virtualKeyFromQt(combination.key());
    if (code == 0)
        return 0;
    return makeShortCut(code, shiftStateFromQt(combination.keyboardModifiers()));
}

} // namespace nav
