#pragma once

#include "ui/FormBase.h"

class QPushButton;

namespace ui {
class DBGrid;
class RadioGroup;
} // namespace ui

namespace fleet {

// The client list: the user edits the clients' address rows, switches to
// another client, counts the current client's vehicles and prints the list.
class TMandantenFormular : public ui::FormBase {
public:
    explicit TMandantenFormular(QWidget *parent = nullptr);

    void FormCreate();
    void FormActivate();
    void FormClose(ui::CloseAction &action);
    void BtnMandantWechselnClick();
    void BtnMandantSpeichernClick();
    void BtnMandantZaehlenClick();
    void DBGridMandantenColEnter();
    void BitBtnMandantDruckenClick();
    void BitBtnMandantPreviewClick();

    ui::DBGrid *DBGridMandanten;
    ui::RadioGroup *RadioGrpMandantDrucken;
    QPushButton *BtnMandantWechseln, *BtnMandantSpeichern, *BtnMandantZaehlen;
    QPushButton *BitBtnMandantDrucken, *BitBtnMandantPreview, *BitBtnMandantSchliessen;

private:
    void drucken(int modus);
};

extern TMandantenFormular *MandantenFormular;
// The form, made on first use; nullptr when the program does not make it.
TMandantenFormular *MandantenFormularBereitstellen();

} // namespace fleet
