#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

namespace ui {

// A captioned group of exclusive choices. onClick fires whenever the chosen
// item changes to an item, by the user or by code (setItemIndex); choosing
// the item already chosen, or no item (-1), fires nothing.
class RadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(int itemIndex READ itemIndex WRITE setItemIndex)
public:
    explicit RadioGroup(QWidget *parent = nullptr);

    void setItems(const QStringList &items);
    QStringList items() const { return items_; }
    void setColumns(int columns);
    int itemIndex() const;
    void setItemIndex(int index);
    QRadioButton *button(int index) const;

signals:
    void onClick();

protected:
    // The chosen item changed to an item.
    virtual void itemChosen() { emit onClick(); }

private:
    void rebuild();

    QStringList items_;
    int columns_ = 1;
    QButtonGroup *group_;
    QGridLayout *layout_;
};

} // namespace ui
