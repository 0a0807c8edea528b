#include "formulare/Passwort.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dienste/Formularzugriff.h"
#include "ui/Connect.h"

namespace fleet {

TPasswordDlg *PasswordDlg = nullptr;

TPasswordDlg *PasswordDlgBereitstellen()
{
    return FormularBereitstellen(PasswordDlg, QStringLiteral("PasswordDlg"));
}

TPasswordDlg::TPasswordDlg(QWidget *parent) : ui::FormBase(QStringLiteral("PasswordDlg"), parent)
{
    setWindowTitle(QStringLiteral("Paßwort-Dialog"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto *spalte = new QVBoxLayout(this);
    Label1 = ui::make<QLabel>(this, "Label1", QStringLiteral("Paßwort eingeben:"));
    Password = ui::make<QLineEdit>(this, "Password");
    Password->setMaxLength(10);
    Password->setEchoMode(QLineEdit::Password);
    Password->setToolTip(QStringLiteral("Bitte Passwort eingeben"));
    Label1->setBuddy(Password);
    spalte->addWidget(Label1);
    spalte->addWidget(Password);

    OKBtn = ui::make<QPushButton>(this, "OKBtn", QStringLiteral("OK"));
    OKBtn->setToolTip(QStringLiteral("Eingabe bestätigen"));
    OKBtn->setDefault(true);
    CancelBtn = ui::make<QPushButton>(this, "CancelBtn", QStringLiteral("Abbrechen"));
    CancelBtn->setToolTip(QStringLiteral("Vorgang abbrechen"));
    setButtonResult(OKBtn, ui::mrOk);
    setButtonResult(CancelBtn, ui::mrCancel);
    setCancelButton(CancelBtn);
    auto *knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    knoepfe->addWidget(OKBtn);
    knoepfe->addWidget(CancelBtn);
    spalte->addLayout(knoepfe);
    setMinimumWidth(260);

    ui::on(this, &ui::FormBase::formActivate, this, &TPasswordDlg::FormActivate);
}

void TPasswordDlg::FormActivate()
{
    Password->clear();
    Password->setFocus();
}

QString TPasswordDlg::EingegebenesPasswort() const
{
    return Password->text();
}

} // namespace fleet
