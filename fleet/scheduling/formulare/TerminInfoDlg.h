#pragma once

#include "base/DateTime.h"
#include "logik/TerminInfoDaten.h"
#include "ui/FormBase.h"

class QCalendarWidget;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace ui {
class ComboBox;
class RadioGroup;
} // namespace ui

namespace fleet {

// The note of one due appointment: text, agreed workshop date and time, end
// date and time, four free fields. Ends with mrOk ("S&chließen"), mrAbort
// ("&Abbrechen") or mrCancel (the close box, which stores like mrOk).
class TTerminInfoDlg : public ui::FormBase {
public:
    explicit TTerminInfoDlg(QWidget *parent = nullptr);

    // Fills every control for one opening; `kalender` is the date the
    // calendar shows.
    void Vorbereiten(const QString &ueberschrift, const QString &info, const termine::TerminNotiz &notiz,
                     base::TDateTime kalender);
    termine::TerminNotiz Notiz() const;
    // Status "Löschen" chosen.
    bool LoeschenGewaehlt() const;

    // Handlers.
    void FormCreate();
    void MonthCalendarTerminInfoDblClick();
    void BtnWerkstattTerminLoeschenClick();
    void BitBtnTerminInfoDruckenClick();

    QLabel *LblTerminInfo, *LblTerminInfo_Info;
    QCalendarWidget *MonthCalendarTerminInfo;
    ui::RadioGroup *RadioGrpTerminVonBis, *RadioGrpTerminInfoStatus;
    QLineEdit *EditTerminInfoServiceTermin, *EditTerminInfoTerminBis;
    ui::ComboBox *CmbBoxTerminInfoUhrzeit, *CmbBoxTerminInfoUhrzeitBis;
    QPushButton *BtnWerkstattTerminLoeschen;
    QLineEdit *EditTerminInfoFreifeld1, *EditTerminInfoFreifeld2, *EditTerminInfoFreifeld3,
        *EditTerminInfoFreifeld4;
    QLabel *LblTerminInfoFreifeld1, *LblTerminInfoFreifeld2, *LblTerminInfoFreifeld3, *LblTerminInfoFreifeld4;
    QPlainTextEdit *MemoTerminInfo;
    QPushButton *BitBtnTerminInfoOk, *BitBtnTerminInfoAbbruch, *BitBtnTerminInfoDrucken;

private:
    QLineEdit *freifeld(int i) const;
    QLabel *freifeldLabel(int i) const;
};

// The one instance, created by the program body after the due list.
extern TTerminInfoDlg *TerminInfoDlg;
// The form, made on first use; nullptr when the program does not make it.
TTerminInfoDlg *TerminInfoDlgBereitstellen();

} // namespace fleet
