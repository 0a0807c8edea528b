#pragma once

#include <QListWidget>

#include "navigation/dialoge/NavDialogBase.h"

namespace nav {

// The index choice: a list of index captions; a double click chooses.
class TIdxDlg : public NavDialogBase {
    Q_OBJECT
public:
    TIdxDlg(QWidget *owner, const TUserButton &userButton);

    QListWidget *IdxList;
    QPushButton *OKBtn;
};

} // namespace nav
