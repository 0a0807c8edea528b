#include "ui/RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

#include "ui/Guard.h"

namespace ui {

RadioGroup::RadioGroup(QWidget *parent)
    : QGroupBox(parent), group_(new QButtonGroup(this)), layout_(new QGridLayout(this))
{
    connect(group_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            guard(this, [this] { itemChosen(); });
    });
}

void RadioGroup::setItems(const QStringList &items)
{
    items_ = items;
    rebuild();
}

void RadioGroup::setColumns(int columns)
{
    columns_ = qMax(1, columns);
    rebuild();
}

void RadioGroup::rebuild()
{
    const int chosen = itemIndex();
    for (QAbstractButton *old : group_->buttons()) {
        group_->removeButton(old);
        delete old;
    }
    const int rows = (int(items_.size()) + columns_ - 1) / columns_;
    for (int i = 0; i < items_.size(); ++i) {
        auto *radio = new QRadioButton(items_[i], this);
        group_->addButton(radio, i);
        layout_->addWidget(radio, rows ? i % rows : 0, rows ? i / rows : 0);
    }
    if (chosen >= 0 && chosen < items_.size()) {
        QSignalBlocker quiet(group_);
        group_->button(chosen)->setChecked(true);
    }
}

int RadioGroup::itemIndex() const
{
    return group_->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (index == itemIndex())
        return;
    if (index < 0 || index >= items_.size()) {
        if (QAbstractButton *checked = group_->checkedButton()) {
            group_->setExclusive(false);
            checked->setChecked(false);
            group_->setExclusive(true);
        }
        return;
    }
    group_->button(index)->setChecked(true);
}

QRadioButton *RadioGroup::button(int index) const
{
    return qobject_cast<QRadioButton *>(group_->button(index));
}

} // namespace ui
