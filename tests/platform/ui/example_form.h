#pragma once

#include "ui/FormBase.h"

namespace dbe {
class TDataSource;
class TTable;
} // namespace dbe

class QLabel;
class QMenuBar;
class QPushButton;

namespace ui {
class DBCheckBox;
class DBDatePicker;
class DBEdit;
class DBGrid;
class DBImage;
class DBLookupComboBox;
class DBRadioGroup;
class DBText;
class PageControl;
class PopupMenu;
class TabSheet;
} // namespace ui

// A small vehicle form of the kind the program is made of, built on the kit
// only for its tests: master data and a list page over one table, a lookup of
// groups, buttons and a menu that insert, post, cancel and end, a page veto
// while a new vehicle is entered and a save rule with a silent abort.
class TFahrzeugFormular : public ui::FormBase {
    Q_OBJECT
public:
    TFahrzeugFormular(dbe::TTable &vehicles, dbe::TDataSource &vehicleSource, dbe::TDataSource &groupSource);
    ~TFahrzeugFormular() override;

    QMenuBar *MainMenu;
    ui::PageControl *PageCtrlFahrzeug;
    ui::TabSheet *TabStammDaten;
    ui::TabSheet *TabListe;
    ui::DBEdit *EditKfzNr;
    ui::DBEdit *EditInfo;
    ui::DBEdit *EditKmStand;
    ui::DBLookupComboBox *DBLkpCmbBoxGruppe;
    ui::DBCheckBox *DBCheckBoxLeasing;
    ui::DBRadioGroup *RadioGrpArt;
    ui::DBDatePicker *DateTimePckZulassung;
    ui::DBImage *ImgBild;
    ui::DBText *LblKopfzeileKfzNr;
    ui::DBGrid *DBGridFahrzeuge;
    ui::PopupMenu *PopupMenuInfo;
    QLabel *TPanelStatus;
    QPushButton *TBitBtnNeu;
    QPushButton *TBitBtnSpeichern;
    QPushButton *TBitBtnAbbrechen;
    QPushButton *TBitBtnEnde;

private:
    void TBitBtnNeuClick();
    void TBitBtnSpeichernClick();
    void TBitBtnAbbrechenClick();
    void TBitBtnEndeClick();
    void PageCtrlFahrzeugChanging(bool &allowChange);
    void PageCtrlFahrzeugChange();
    void InfoLoeschenClick();
    void TTblFahrzeugBeforePost();
    void StatusZeigen();

    dbe::TTable &TTblFahrzeug;
    dbe::TDataSource &TDataSrcFahrzeug;
};
