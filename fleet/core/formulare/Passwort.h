#pragma once

#include <QString>

#include "ui/FormBase.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace fleet {

// The password entry of the settings form: masked, at most 10 characters,
// empty and focused every time it becomes active.
class TPasswordDlg : public ui::FormBase {
public:
    explicit TPasswordDlg(QWidget *parent = nullptr);

    void FormActivate();

    // What the caller reads after the dialog ended with OK: the typed password.
    QString EingegebenesPasswort() const;

    QLabel *Label1;
    QLineEdit *Password;
    QPushButton *OKBtn, *CancelBtn;
};

extern TPasswordDlg *PasswordDlg;
// The form, made on first use; nullptr when the program does not make it.
TPasswordDlg *PasswordDlgBereitstellen();

} // namespace fleet
