#pragma once

#include <QStringList>

#include "daten/DataModuleFahrer.h"
#include "navigation/leiste/NavigateBtn.h"
#include "ui/FormBase.h"
#include "ui/Messages.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace nav {
class TDBVexarion;
class TDBVNavigator;
} // namespace nav

namespace ui {
class CheckBox;
class ComboBox;
class DBEdit;
class DBGrid;
class DBMemo;
class PageControl;
class RadioGroup;
class TabSheet;
} // namespace ui

namespace fleet {

// The user-defined captions of the driver free fields 11 to 18, read at the
// form's creation; the reports name them "NameFreifeld1" ... "NameFreifeld8".
extern QStringList FahrerFeldBezeichnungen;
// Edit mode is switched on by the settings at the first showing only.
extern bool FahrerErsteAnzeige;

// The drivers of the current client: master data, licence classes with their
// expiry, memo, history and the tours each one drove, with sums. Shown
// modally; while shown it borrows the main window's tours table.
class TFahrerStammdatenFormular : public ui::FormBase, public FahrerFormularZugriff {
public:
    explicit TFahrerStammdatenFormular(QWidget *parent = nullptr);
    ~TFahrerStammdatenFormular() override;

    // What the driver data module asks.
    int TourenSicht() const override;
    void TourenSummenBerechnen() override;

    // Handlers.
    void FormCreate();
    void FormShow();
    void FormClose(ui::CloseAction &action);
    void PageCtrlFahrerChanging(bool &allowChange);
    void PageCtrlFahrerChange();
    void TBitBtnFahrerStammdatenOkClick();
    void DBVexdFahrerBeforeHandleNBBtn(nav::TDBVNavigateBtn button);
    void DBVexdFahrerAfterHandleNBBtn(nav::TDBVNavigateBtn button);
    void DBVexdFahrerShowMessage(const QString &text, ui::MsgType type, bool &handled);
    void EditDBMemoFahrerChange();
    void BtnHistorieFahrerNeuClick();
    void BtnHistorieFahrerSpeichernClick();
    void BtnHistorieFahrerLoeschenClick();
    void TBitBtnFahrerDruckenClick() { fahrerDrucken(1); }
    void TBitBtnFahrerPreviewClick() { fahrerDrucken(2); }
    void BitBtnHistorieFahrerDruckenClick() { historieDrucken(1); }
    void BitBtnHistorieFahrerVorschauClick() { historieDrucken(2); }
    void BitBtnTourenFahrerDruckenClick() { tourenDrucken(1); }
    void BitBtnFahrerTourenVorschauClick() { tourenDrucken(2); }
    void RadioGrpFahrerTourenSichtClick();
    void CmbBoxFahrerTourenJahrChange();
    void CmbBoxFahrerTourenMonatChange();
    void ChkBoxFaelligeFuehrerscheineClick();
    void EditVorwarnzeitChange();

    // The tours of the chosen year or month; false when the filter failed.
    bool JahresFilterSetzen();
    bool MonatsFilterSetzen();

    // Components (object names as the system names them).
    QLabel *LblKopfName, *LblKopfVorname, *LblKopfOrt;
    QLabel *TPaFahrerGlobalEdit, *TPanMemoLED, *PanelFilter, *PanFahrer;
    nav::TDBVexarion *DBVexdFahrer;
    nav::TDBVNavigator *DBVNavFahrer;
    QPushButton *TBitBtnFahrerStammdatenOk;
    ui::PageControl *PageCtrlFahrer;
    ui::TabSheet *TabFahrerStammdaten, *TabFscheinKlassen, *TabMemo, *TabHistorie, *TabTouren;
    ui::DBEdit *EditName, *EditFscheinKlassen1;
    QList<QLabel *> LblNameFreifeld; // 1..8
    ui::RadioGroup *RadioGrpFahrerDrucken;
    QPushButton *TBitBtnFahrerDrucken, *TBitBtnFahrerPreview;
    ui::CheckBox *ChkBoxFaelligeFuehrerscheine;
    QLineEdit *EditVorwarnzeit;
    ui::DBMemo *EditDBMemoFahrer;
    ui::DBGrid *DBGridFahrerHistorie;
    QPushButton *BtnHistorieFahrerNeu, *BtnHistorieFahrerSpeichern, *BtnHistorieFahrerLoeschen,
        *BitBtnHistorieFahrerDrucken, *BitBtnHistorieFahrerVorschau;
    ui::DBGrid *DBGridFahrerTouren;
    ui::RadioGroup *RadioGrpFahrerTourenSicht;
    ui::ComboBox *CmbBoxFahrerTourenMonat, *CmbBoxFahrerTourenJahr;
    QLabel *TLblSummeTourenKm, *TLblSummeTouren, *LblSummeErtraege;
    QPushButton *BitBtnTourenFahrerDrucken, *BitBtnFahrerTourenVorschau;

private:
    void aufbauen();
    QWidget *stammdatenSeite();
    QWidget *klassenSeite();
    QWidget *historieSeite();
    QWidget *tourenSeite();
    void verbinden();
    void globalEditZeigen();
    // The first refusal of leaving the form or page while something is being
    // entered, or empty.
    QString bearbeitungOffen(const QString &fahrerText, const QString &historieText) const;
    void fahrerDrucken(int modus);
    void historieDrucken(int modus);
    void tourenDrucken(int modus);
    bool zeitraumSetzen(const QString &zeitraum);

    bool tourenGeliehen_ = false; // TTblTouren is under this form's driver filter
};

// The one instance; null until first use.
extern TFahrerStammdatenFormular *FahrerStammdatenFormular;
// Makes the driver data module and the form on first use.
TFahrerStammdatenFormular &FahrerStammdatenFormularErzeugen();
// At program end, before the driver data module goes.
void FahrerStammdatenFormularFreigeben();

} // namespace fleet
