#include "navigation/dialoge/SearchDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace nav {

TSrchForm::TSrchForm(QWidget *owner, const TUserButton &userButton)
    : NavDialogBase(QStringLiteral("SrchForm"), sfSearch, userButton, owner)
{
    setWindowTitle(QStringLiteral("Wertsuche"));
    auto *layout = new QVBoxLayout(this);
    auto *fields = new QGroupBox(QStringLiteral("Felder"), this);
    FieldListBox = ui::make<QComboBox>(this, "FieldListBox", fields);
    (new QVBoxLayout(fields))->addWidget(FieldListBox);
    auto *value = new QGroupBox(QStringLiteral("Wert"), this);
    SrchEdit = ui::make<QLineEdit>(this, "SrchEdit", value);
    SrchEdit->setToolTip(QStringLiteral("Suchstring, .. als Wildcard"));
    (new QVBoxLayout(value))->addWidget(SrchEdit);
    auto *options = new QGroupBox(QStringLiteral("Optionen"), this);
    RegardCaseCheck = ui::make<QCheckBox>(this, "RegardCaseCheck",
                                          QStringLiteral("Groß-/Kleinschreibung beachten"), options);
    SearchDown =
        ui::make<QCheckBox>(this, "SearchDown", QStringLiteral("Suche Richtung Tabellenende"), options);
    auto *optionLayout = new QVBoxLayout(options);
    optionLayout->addWidget(RegardCaseCheck);
    optionLayout->addWidget(SearchDown);
    auto *top = new QGridLayout;
    top->addWidget(fields, 0, 0);
    top->addWidget(value, 1, 0);
    top->addWidget(options, 0, 1, 2, 1);
    layout->addLayout(top);

    SrchBtn = ui::make<QPushButton>(this, "SrchBtn", QStringLiteral("Suchen"), this);
    SrchBtn->setDefault(true);
    setButtonResult(SrchBtn, ui::mrOk);
    SrchNextBtn = ui::make<QPushButton>(this, "SrchNextBtn", QStringLiteral("&Weitersuchen"), this);
    setButtonResult(SrchNextBtn, kSearchNextResult);
    addButtonRow(layout, {SrchBtn, SrchNextBtn});
    SrchEdit->setFocus();
    resize(360, 188);
}

} // namespace nav
