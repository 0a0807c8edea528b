#include "navigation/dialoge/IndexDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ui/Connect.h"

namespace nav {

TIdxDlg::TIdxDlg(QWidget *owner, const TUserButton &userButton)
    : NavDialogBase(QStringLiteral("IdxDlg"), sfIndex, userButton, owner)
{
    setWindowTitle(QStringLiteral("Indexwahl"));
    auto *layout = new QVBoxLayout(this);
    auto *group = new QGroupBox(QStringLiteral("Indizes"), this);
    IdxList = ui::make<QListWidget>(this, "IdxList", group);
    (new QVBoxLayout(group))->addWidget(IdxList);
    layout->addWidget(group);
    OKBtn = ui::make<QPushButton>(this, "OKBtn", QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    setButtonResult(OKBtn, ui::mrOk);
    ui::on(IdxList, &QListWidget::itemDoubleClicked, this, [this] { OKBtn->click(); });
    addButtonRow(layout, {OKBtn});
    IdxList->setFocus();
    resize(272, 226);
}

} // namespace nav
