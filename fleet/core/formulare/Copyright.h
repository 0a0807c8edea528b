#pragma once

#include "ui/FormBase.h"

class QLabel;
class QPushButton;

namespace fleet {

// The about box: program title, version, maker; only closes.
class TCopyright : public ui::FormBase {
public:
    explicit TCopyright(QWidget *parent = nullptr);

    // The picture is read when the box is first shown.
    void setVisible(bool visible) override;

    QLabel *Image1, *LblHersteller, *PanTitel, *LblVersion;
    QPushButton *BitBtnSchliessen;
};

extern TCopyright *Copyright;
// The form, made on first use; nullptr when the program does not make it.
TCopyright *CopyrightBereitstellen();

} // namespace fleet
