#pragma once

#include <cstdint>

#include <QColor>
#include <QPalette>

class QWidget;

// The platform's 32-bit colour values: RGB with red in the low byte, or, from
// 0x80000000 up, a system colour whose index is the low byte (stored as the
// negative 32-bit value). Resolved against a palette (the application's by
// default).
namespace ui {

using TColor = std::int32_t;

namespace color {
constexpr TColor Black = 0x000000;
constexpr TColor Maroon = 0x000080;
constexpr TColor Green = 0x008000;
constexpr TColor Olive = 0x008080;
constexpr TColor Navy = 0x800000;
constexpr TColor Purple = 0x800080;
constexpr TColor Teal = 0x808000;
constexpr TColor Gray = 0x808080;
constexpr TColor Silver = 0xC0C0C0;
constexpr TColor Red = 0x0000FF;
constexpr TColor Lime = 0x00FF00;
constexpr TColor Yellow = 0x00FFFF;
constexpr TColor Blue = 0xFF0000;
constexpr TColor Fuchsia = 0xFF00FF;
constexpr TColor Aqua = 0xFFFF00;
constexpr TColor White = 0xFFFFFF;
constexpr TColor None = 0x1FFFFFFF;
constexpr TColor Default = 0x20000000;

constexpr TColor system(int index)
{
    return TColor(0x80000000u | std::uint32_t(index));
}
constexpr TColor ActiveCaption = system(2);
constexpr TColor Window = system(5);
constexpr TColor WindowText = system(8);
constexpr TColor Highlight = system(13);
constexpr TColor HighlightText = system(14);
constexpr TColor BtnFace = system(15);
constexpr TColor BtnShadow = system(16);
constexpr TColor GrayText = system(17);
constexpr TColor BtnText = system(18);
constexpr TColor BtnHighlight = system(20);
} // namespace color

bool isSystemColor(TColor value);
// An invalid QColor for None and Default (the control keeps its own colour).
QColor toQColor(TColor value, const QPalette &palette = QPalette());
// The RGB value of a colour (never a system colour).
TColor fromQColor(const QColor &value);

// A control's background ("Color", a page's brush) and its font colour.
void setBackgroundColor(QWidget *control, TColor value);
void setTextColor(QWidget *control, TColor value);

} // namespace ui
