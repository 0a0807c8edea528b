#pragma once

#include <QCheckBox>

namespace ui {

// A check box whose onClick fires on every change of its state, by the user
// or by code (setChecked); setting the state it already has fires nothing.
class CheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit CheckBox(const QString &caption = {}, QWidget *parent = nullptr);

signals:
    void onClick();
};

} // namespace ui
