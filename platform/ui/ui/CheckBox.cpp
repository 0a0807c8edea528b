#include "ui/CheckBox.h"

#include "ui/Guard.h"

namespace ui {

CheckBox::CheckBox(const QString &caption, QWidget *parent) : QCheckBox(caption, parent)
{
    connect(this, &QCheckBox::toggled, this, [this] { guard(this, [this] { emit onClick(); }); });
}

} // namespace ui
