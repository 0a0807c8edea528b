#pragma once

#include "formulare/seiten/RasterSeite.h"

class QAction;
class QPushButton;

namespace ui {
class PopupMenu;
}

namespace fleet {

// The vehicle's tours, and the clipboard that copies or moves a tour to
// another vehicle.
class TourenSeite : public RasterSeite {
public:
    explicit TourenSeite(ui::TabSheet *tab);
    // Warns when the tours do not feed the monthly kilometres.
    void betreten() override;

    // "&Neu" (starting where the vehicle's last tour arrived), "&Speichern", "&Löschen".
    void BtnTourenNeuClick();
    void BtnTourenSpeichernClick();
    void TBtnTourenLoeschenClick();
    // "&Kopieren": the clipboard's menu at the button's centre, and its commands.
    void BtnTourenAendernClick();
    void Tourkopieren1Click();
    void Tourverschieben1Click();
    void Tourndern1Click();
    void Toureinfgen1Click();

    QPushButton *BtnTourenNeu = nullptr, *BtnTourenSpeichern = nullptr, *TBtnTourenLoeschen = nullptr,
                *BtnTourenAendern = nullptr;
    ui::PopupMenu *PopupMenuTouren = nullptr;
    QAction *Tourkopieren1 = nullptr, *Tourverschieben1 = nullptr, *Tourndern1 = nullptr,
            *Toureinfgen1 = nullptr;

    // Print (kDrucken) or preview (kVorschau) of the vehicle's tours, report 3.
    void TourenDrucken(int modus);
    QPushButton *TBitBtnTourenDrucken = nullptr, *TBitBtnTourenVorschau = nullptr;

protected:
    void fussAufbauen(QVBoxLayout *seite) override;
};

} // namespace fleet
