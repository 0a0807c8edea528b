#include "ui/Colors.h"

#include <QWidget>

namespace ui {

bool isSystemColor(TColor value)
{
    return (std::uint32_t(value) & 0xFF000000u) == 0x80000000u;
}

namespace {

// The system colour indexes of the platform, as palette entries.
QColor systemColor(int index, const QPalette &palette)
{
    switch (index) {
    case 0:  // scroll bar
    case 4:  // menu
    case 15: // button face
    case 30: // menu bar
        return palette.color(QPalette::Button);
    case 22: // 3D light
        return palette.color(QPalette::Midlight);
    case 1:  // desktop
    case 12: // application workspace
        return palette.color(QPalette::Dark);
    case 2:  // active caption
    case 13: // highlight
    case 26: // hot light
    case 27: // gradient active caption
    case 29: // menu highlight
        return palette.color(QPalette::Active, QPalette::Highlight);
    case 3:  // inactive caption
    case 28: // gradient inactive caption
        return palette.color(QPalette::Inactive, QPalette::Highlight);
    case 5: // window
        return palette.color(QPalette::Base);
    case 6:  // window frame
    case 21: // 3D dark shadow
        return palette.color(QPalette::Shadow);
    case 7: // menu text
    case 8: // window text
        return palette.color(QPalette::Text);
    case 9:  // caption text
    case 14: // highlight text
        return palette.color(QPalette::Active, QPalette::HighlightedText);
    case 10: // active border
    case 11: // inactive border
        return palette.color(QPalette::Window);
    case 16: // button shadow
        return palette.color(QPalette::Mid);
    case 17: // grey text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 19: // inactive caption text
        return palette.color(QPalette::Inactive, QPalette::HighlightedText);
    case 20: // button highlight
        return palette.color(QPalette::Light);
    case 23: // tooltip text
        return palette.color(QPalette::ToolTipText);
    case 24: // tooltip background
        return palette.color(QPalette::ToolTipBase);
    default:
        return palette.color(QPalette::Window);
    }
}

} // namespace

QColor toQColor(TColor value, const QPalette &palette)
{
    if (value == color::None || value == color::Default)
        return QColor();
    if (isSystemColor(value))
        return systemColor(value & 0xFF, palette);
    const std::uint32_t rgb = std::uint32_t(value);
    return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF));
}

TColor fromQColor(const QColor &value)
{
    const QColor rgb = value.toRgb();
    return TColor(std::uint32_t(rgb.red()) | (std::uint32_t(rgb.green()) << 8) |
                  (std::uint32_t(rgb.blue()) << 16));
}

void setBackgroundColor(QWidget *control, TColor value)
{
    QPalette palette = control->palette();
    const QColor color = toQColor(value); // system colours as the application has them
    if (!color.isValid())
        return;
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, color);
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}

void setTextColor(QWidget *control, TColor value)
{
    QPalette palette = control->palette();
    const QColor color = toQColor(value); // system colours as the application has them
    if (!color.isValid())
        return;
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, color);
    control->setPalette(palette);
}

} // namespace ui
