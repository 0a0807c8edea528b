#pragma once

#include <optional>

#include <QColor>
#include <QDialog>
#include <QFont>

class QComboBox;
class QFontDialog;

namespace ui {

// A font with its colour, as the font dialog offers both.
struct FontChoice {
    QFont font;
    QColor color;
};

// Qt's font dialog (family, style, size, strike-out, underline) with a colour
// list of the sixteen basic colours below it.
class FontColorDialog : public QDialog {
    Q_OBJECT
public:
    explicit FontColorDialog(const FontChoice &initial, QWidget *parent = nullptr);

    FontChoice choice() const;
    void setChoice(const FontChoice &choice);
    QFontDialog *fontPart() const { return fonts_; }
    QComboBox *colorList() const { return colors_; }

private:
    QFontDialog *fonts_;
    QComboBox *colors_;
};

// Production: the dialog, modal over the active window; nothing when cancelled.
std::optional<FontChoice> runFontColorDialog(const FontChoice &initial);

} // namespace ui
