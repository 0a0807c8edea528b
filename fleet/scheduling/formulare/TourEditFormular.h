#pragma once

#include <QHash>

#include "logik/TourDialogDaten.h"
#include "ui/FormBase.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {
class DatePicker;
}

namespace fleet {

// Edits the tour in the tour clipboard before it is pasted to a vehicle. OK
// checks the clipboard and lets the main window paste it when it is whole;
// the labels of the fields the last check found wanting are red.
class TTourEditFormular : public ui::FormBase {
public:
    explicit TTourEditFormular(QWidget *parent = nullptr);

    // The last check's result: 1 the date is missing, 2 no driven kilometres.
    int FehlerCode = 0;

    // Handlers.
    void FormShow();
    void FormClose();
    void BitBtnTourEditOkClick();
    void DateTimePckTourDatumVonChange();
    void DateTimePckTourDatumBisExit();
    void EditTourErtragExit();
    void NumerischPruefen(QLineEdit *edit);

    void TourFahrerListeFuellen();
    bool TourZwischenspeicherLaden();
    bool TourZwischenspeicherSchreiben();

    QLabel *LblTourDatumVon, *LblGefahrenKm;
    ui::DatePicker *DateTimePckTourDatumVon, *DateTimePckTourDatumBis;
    QLineEdit *EditTourTour, *EditTourKostenstelle, *EditTourAbfahrtKm, *EditTourAnkunftKm,
        *EditTourGefahrenKm, *EditTourPalettenPlus, *EditTourPalettenMinus, *EditTourErtrag,
        *EditTourBemerkungen, *EditTourBemerkung2, *EditTourBemerkung3;
    QComboBox *CmbBoxTourFahrerName;
    QPushButton *BitBtnTourEditOk, *BitBtnTourEditAbbruch;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TourDialogTexte texte() const;
    QHash<QLineEdit *, QString> gueltigerText_; // per numeric edit, its last text that can be a number
    void labelFarbe(QLabel *label, bool rot);
};

// The one instance, created by the program body.
extern TTourEditFormular *TourEditFormular;
// The form, made on first use; nullptr when the program does not make it.
TTourEditFormular *TourEditFormularBereitstellen();

} // namespace fleet
