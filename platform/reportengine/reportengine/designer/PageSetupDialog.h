#pragma once

#include <QDialog>

#include "reportengine/Project.h"

class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;

namespace tb {

// Paper, orientation, margins and the project's default font.
class PageSetupDialog : public QDialog {
    Q_OBJECT
public:
    PageSetupDialog(const PageSetup &page, const FontSpec &font, QWidget *parent = nullptr);

    PageSetup page() const;
    FontSpec font() const;

    QComboBox *paperBox() const { return paper_; }
    QComboBox *orientationBox() const { return orientation_; }
    QDoubleSpinBox *marginBox(int side) const { return margins_[side]; }
    QDoubleSpinBox *fontSizeBox() const { return size_; }

private:
    PageSetup page_;
    FontSpec font_;
    QComboBox *paper_;
    QComboBox *orientation_;
    QDoubleSpinBox *margins_[4];
    QFontComboBox *family_;
    QDoubleSpinBox *size_;
};

} // namespace tb
