#pragma once

#include "dienste/HauptFormularZugriff.h"
#include "formulare/seiten/HauptSeite.h"

class QAction;
class QLabel;
class QPushButton;

namespace ui {
class DBEdit;
class DBLookupComboBox;
class PopupMenu;
class RadioGroup;
} // namespace ui

namespace fleet {

// The vehicle's master data: vehicle and driver, the appointments, fixed costs
// and leasing, the free fields.
class StammdatenSeite : public HauptSeite {
public:
    using HauptSeite::HauptSeite;
    void aufbauen() override;
    void anfangen() override;

    // The registration number writable without hint (new vehicle) or read-only with hint.
    void KfzNrEingabeFreigeben(bool freigeben);
    QString NachschlagText(Nachschlagfeld feld) const;
    void LeasingPrognoseAnzeigen(const QString &text);
    // Print (kDrucken) or preview (kVorschau) of report 4 or 7 by "Welchen Report drucken".
    void StammdatenDrucken(int modus);

    // "Termin fortschreiben" of the appointment popup: rolls the appointment
    // of the edit the menu was opened on forward. TerminFortschreiben runs it
    // for a named edit, as the cost rule and the due list do.
    void NchstenTermin1Click();
    void TerminFortschreiben(const QString &edit);

    ui::DBEdit *EditKfzNr = nullptr;
    ui::DBLookupComboBox *DBLkpCmbBoxGruppe = nullptr, *DBLkpCmbBoxStandort = nullptr,
                         *DBLkpCmbBoxFahrer = nullptr, *DBLkCmbBoxNameLeasinggesellschaft = nullptr;
    QLabel *LblVorausLsEndKmStand = nullptr;
    ui::RadioGroup *RadioGrpDrucken = nullptr;
    ui::PopupMenu *TPopupMenuTermin = nullptr;
    QAction *NchstenTermin1 = nullptr;
    QPushButton *TBitBtnStammdatenDrucken = nullptr, *TBitBtnStammdatenPreview = nullptr;
};

} // namespace fleet
