#pragma once

#include "dienste/TerminDienste.h"
#include "logik/DispoZeitraumRegeln.h"
#include "ui/FormBase.h"

class QLabel;
class QPushButton;

namespace ui {
class DatePicker;
class RadioGroup;
} // namespace ui

namespace fleet {

// The period of a new dispatch booking: start and end date and time, with
// stepping buttons. OK switches the main window's dispatch page to the period
// and warns about bookings already in it; only the abort button aborts.
class TDispositionEingabeFormular : public ui::FormBase {
public:
    explicit TDispositionEingabeFormular(QWidget *parent = nullptr);

    // Shows the dialog preset with `zeitraum`; false only for the abort
    // button, else `zeitraum` holds the pickers as they stand.
    bool Erfragen(DispoZeitraum &zeitraum);

    // Handlers.
    void FormCreate();
    void FormActivate();
    void BitBtnOkClick();
    void DateTimePckDatumVonChange();
    void DateTimePckDatumBisExit();
    void DateTimePckUhrzeitChange();
    void Erhoehen(dispo::Schritt schritt);
    void BtnResetClick();

    DispoZeitraum DispoStartwerte;

    QLabel *LblUeberschrift;
    ui::DatePicker *DateTimePckDatumVon, *DateTimePckUhrzeitAnfang, *DateTimePckDatumBis,
        *DateTimePckUhrzeitEnde;
    ui::RadioGroup *RadioGrpModus;
    QPushButton *BtnEinTagPlus, *BtnEineWochePlus, *BtnEinenMonatPlus, *BtnEinJahrPlus, *BtnReset, *BitBtnOk,
        *BitBtnAbbruch;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    DispoZeitraum werte() const;
    void setzen(const DispoZeitraum &z);
};

// The one instance, created by the program body.
extern TDispositionEingabeFormular *DispositionEingabeFormular;
// The form, made on first use; nullptr when the program does not make it.
TDispositionEingabeFormular *DispositionEingabeFormularBereitstellen();

} // namespace fleet
