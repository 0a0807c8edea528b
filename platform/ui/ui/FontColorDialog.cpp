#include "ui/FontColorDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFormLayout>
#include <QPixmap>
#include <QVBoxLayout>

namespace ui {

namespace {

struct NamedColor {
    const char *name;
    QRgb rgb;
};

// The sixteen colours of the platform's font dialog, in its order.
constexpr NamedColor kColors[] = {
    {"Schwarz", 0x000000},  {"Kastanienbraun", 0x800000}, {"Grün", 0x008000},
    {"Olivgrün", 0x808000}, {"Marineblau", 0x000080},     {"Violett", 0x800080},
    {"Blaugrün", 0x008080}, {"Grau", 0x808080},           {"Silber", 0xC0C0C0},
    {"Rot", 0xFF0000},      {"Hellgrün", 0x00FF00},       {"Gelb", 0xFFFF00},
    {"Blau", 0x0000FF},     {"Fuchsie", 0xFF00FF},        {"Aquamarin", 0x00FFFF},
    {"Weiß", 0xFFFFFF},
};

QIcon swatch(const QColor &color)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(color);
    return QIcon(pixmap);
}

} // namespace

FontColorDialog::FontColorDialog(const FontChoice &initial, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FontDialog"));
    setWindowTitle(QStringLiteral("Schriftart"));
    auto *layout = new QVBoxLayout(this);
    fonts_ = new QFontDialog(this);
    fonts_->setObjectName(QStringLiteral("FontPart"));
    fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts_->setWindowFlags(Qt::Widget);
    layout->addWidget(fonts_);

    colors_ = new QComboBox(this);
    colors_->setObjectName(QStringLiteral("ColorList"));
    for (const NamedColor &c : kColors)
        colors_->addItem(swatch(QColor(c.rgb)), QString::fromUtf8(c.name), QColor(c.rgb));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Farbe:"), colors_);
    layout->addLayout(form);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setChoice(initial);
}

FontChoice FontColorDialog::choice() const
{
    return {fonts_->currentFont(), colors_->currentData().value<QColor>()};
}

void FontColorDialog::setChoice(const FontChoice &choice)
{
    // The dialog finds the style by its name; the name made from weight and
    // slant is translated and so matches no style of the family. Name the
    // family's own style of that weight and slant.
    QFont font = choice.font;
    const QString family = font.family();
    const int weight = font.weight();
    for (const QString &style : QFontDatabase::styles(family)) {
        if (QFontDatabase::weight(family, style) == weight &&
            QFontDatabase::italic(family, style) == font.italic()) {
            font.setStyleName(style);
            break;
        }
    }
    fonts_->setCurrentFont(font);
    const QColor color = choice.color.isValid() ? choice.color : QColor(Qt::black);
    int index = colors_->findData(color);
    if (index < 0) {
        // A colour outside the sixteen is offered as it is.
        colors_->addItem(swatch(color), QStringLiteral("Benutzerdefiniert"), color);
        index = colors_->count() - 1;
    }
    colors_->setCurrentIndex(index);
}

std::optional<FontChoice> runFontColorDialog(const FontChoice &initial)
{
    FontColorDialog dialog(initial, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

} // namespace ui
