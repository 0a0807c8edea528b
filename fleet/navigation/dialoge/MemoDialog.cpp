#include "navigation/dialoge/MemoDialog.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace nav {

TMemoForm::TMemoForm(QWidget *owner, bool viewOnly, const TUserButton &userButton)
    : NavDialogBase(QStringLiteral("MemoForm"), sfMemo, userButton, owner)
{
    setWindowTitle(QStringLiteral("MemoForm"));
    auto *layout = new QVBoxLayout(this);
    Memo = ui::make<QPlainTextEdit>(this, "Memo", this);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setReadOnly(viewOnly);
    layout->addWidget(Memo);
    OKBtn = ui::make<QPushButton>(this, "OKBtn", QStringLiteral("OK"), this);
    setButtonResult(OKBtn, ui::mrOk);
    CancelBtn->setVisible(!viewOnly);
    addButtonRow(layout, {OKBtn});
    resize(427, 273);
}

} // namespace nav
