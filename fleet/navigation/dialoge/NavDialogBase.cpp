#include "navigation/dialoge/NavDialogBase.h"

#include <QBoxLayout>

#include "ui/Connect.h"

namespace nav {

NavDialogBase::NavDialogBase(const QString &name, TSpecialFormType formType, const TUserButton &userButton,
                             QWidget *owner)
    : ui::FormBase(name, owner), formType_(formType)
{
    // Above a form that stays on top, or the form would hide it. The form's
    // own flags stay as they are: setting them again would hide it.
    ownerStaysOnTop_ = owner && owner->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (ownerStaysOnTop_)
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
    CancelBtn = ui::make<QPushButton>(this, "CancelBtn", QStringLiteral("Abbruch"), this);
    setButtonResult(CancelBtn, ui::mrCancel);
    setCancelButton(CancelBtn);
    UserBtn = ui::make<QPushButton>(this, "UserBtn", userButton.Caption, this);
    UserBtn->setVisible(!userButton.Caption.isEmpty());
    UserBtn->setToolTip(userButton.Hint);
    if (userButton.OnClick)
        ui::on(UserBtn, &QPushButton::clicked, this, [this, click = userButton.OnClick] { click(this); });
    ui::on(this, &ui::FormBase::formShow, this, [this] {
        if (ShowRelay)
            ShowRelay(this, formType_);
    });
    ui::on(this, &ui::FormBase::formCloseQuery, this, [this](bool &canClose) {
        if (!CheckClose(modalResult())) {
            canClose = false;
            return;
        }
        if (CloseQueryRelay)
            CloseQueryRelay(this, formType_, canClose);
    });
}

void NavDialogBase::addButtonRow(QBoxLayout *layout, std::initializer_list<QPushButton *> right)
{
    auto *row = new QHBoxLayout;
    row->addWidget(UserBtn);
    row->addStretch();
    for (QPushButton *button : right)
        row->addWidget(button);
    row->addWidget(CancelBtn);
    layout->addLayout(row);
}

QWidget *NavDialogBase::makeUserButtonPanel()
{
    auto *panel = ui::make<QWidget>(this, "UserBtnPanel", this);
    auto *row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    UserBtn->setParent(panel);
    row->addWidget(UserBtn);
    panel->setVisible(!UserBtn->text().isEmpty());
    return panel;
}

QLabel *NavDialogBase::makePanelLabel(const char *name)
{
    auto *label = ui::make<QLabel>(this, name, this);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(120);
    return label;
}

void NavDialogBase::SetPlainButtons()
{
    CancelBtn->setIcon(QIcon());
}

} // namespace nav
