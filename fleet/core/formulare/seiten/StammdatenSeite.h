#pragma once

#include "dienste/HauptFormularZugriff.h"
#include "formulare/seiten/HauptSeite.h"

class QLabel;

namespace ui {
class DBEdit;
class DBLookupComboBox;
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

    ui::DBEdit *EditKfzNr = nullptr;
    ui::DBLookupComboBox *DBLkpCmbBoxGruppe = nullptr, *DBLkpCmbBoxStandort = nullptr,
                         *DBLkpCmbBoxFahrer = nullptr, *DBLkCmbBoxNameLeasinggesellschaft = nullptr;
    QLabel *LblVorausLsEndKmStand = nullptr;
    ui::RadioGroup *RadioGrpDrucken = nullptr;
};

} // namespace fleet
