#pragma once

#include <QPlainTextEdit>

#include "navigation/dialoge/NavDialogBase.h"

namespace nav {

// A memo field's text, to view or to edit; view-only hides Cancel.
class TMemoForm : public NavDialogBase {
    Q_OBJECT
public:
    TMemoForm(QWidget *owner, bool viewOnly, const TUserButton &userButton);

    QPlainTextEdit *Memo;
    QPushButton *OKBtn;
};

} // namespace nav
