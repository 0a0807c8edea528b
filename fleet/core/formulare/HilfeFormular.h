#pragma once

#include "ui/FormBase.h"

class QPushButton;

namespace ui {
class DBMemo;
}

namespace fleet {

// The help topic to show: the key of HILFE.DB (1 "Erste Schritte", 2 the letter editor's).
extern int HilfeThema;

// One help text of HILFE.DB, positioned on HilfeThema every time it is shown;
// a topic that is not there keeps the text shown before.
class THilfeFormular : public ui::FormBase {
public:
    explicit THilfeFormular(QWidget *parent = nullptr);

    void FormShow();

    ui::DBMemo *TDBMemo1;
    QPushButton *BitBtnSchliessen;
};

extern THilfeFormular *HilfeFormular;
// The form, made on first use; nullptr when the program does not make it.
THilfeFormular *HilfeFormularBereitstellen();

} // namespace fleet
