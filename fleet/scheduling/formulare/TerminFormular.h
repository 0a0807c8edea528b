#pragma once

#include <array>

#include <QStringList>

#include "base/DateTime.h"
#include "logik/TerminRegeln.h"
#include "ui/DBGrid.h"
#include "ui/FormBase.h"

class QAction;
class QCalendarWidget;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace ui {
class CheckBox;
class DatePicker;
class PopupMenu;
} // namespace ui

namespace fleet {

// The due-appointment list ("Terminverwaltung"): every vehicle with at least
// one due appointment, rebuilt from the vehicle master into Termine.DB; the
// commands roll appointments forward, show a vehicle, print and open notes.
class TTerminFormular : public ui::FormBase {
public:
    explicit TTerminFormular(QWidget *parent = nullptr);

    // Handlers.
    void FormCreate();
    void FormActivate();
    void FormDeactivate();
    void FormClose(ui::CloseAction &action);
    void DateTimePckTermineChange();
    void DateTimePckTermineVonChange();
    void DateTimePckTermineVonCloseUp();
    void BtnWelcheTermineZeigenClick();
    void BitBtnTerminSelektionClick();
    void ChkBoxAlleClick();
    void DBGrid1TitleClick(int spalte);
    void SpeedBtnKalenderClick();
    void BtnEinzelterminFortschreibenClick();
    void BtnMarkierteTermineFortschreibenClick();
    void ChkBoxTermineMarkierenClick();
    void BtnTermineZeigeStammdatenClick();
    void BtnTermineGehezuStammdatenClick();
    void TBitBtnTermineDruckenClick();
    void TBitBtnTermineVorschauClick();
    void BitBtnTermineWerkstattClick();
    void Bemerkung1Click();

    // The rebuild of the list from the vehicle master.
    void FaelligeTermineEinlesen();
    // Creation leaves the list to be built when it is first needed: when the
    // form is first shown, or when someone reads Termine.DB before that.
    // Builds it now if it is still outstanding.
    void ListeBereitstellen();
    bool ListeAusstehend() const { return listeAusstehend_; }
    // Deletes the note of one due occurrence; true when one was deleted.
    bool TerminInfoLoeschen(const QString &kfzNr, const QString &terminName, const QString &terminWert);

    // The values the list works with.
    termine::Schwellen Schwellen;
    base::TDateTime StichtagVon = 0, StichtagBis = 0;
    bool FarbigeTerminfelder = false;
    QStringList SortIndexNamen = QStringList(24, QString());

    // Components.
    QLabel *TLblTerminAnzahl, *LblVorwarnzeitTage, *LblVorwarnzeitKm, *LblWarnzeitTage, *LblWarnzeitKm,
        *TLblTerminart, *TLblAktuellesDatum, *LblAktuellesDatumVon, *Label4;
    QProgressBar *ProgBarTermine;
    ui::DatePicker *DateTimePckTermineVon, *DateTimePckTermine;
    ui::DBGrid *DBGrid1;
    ui::PopupMenu *PopupMenuTerminverwaltung;
    QAction *Bemerkung1, *Abbrechen1;
    QGroupBox *GrpBoxTerminwahl, *GrpBoxTermine;
    ui::CheckBox *ChkBoxAlle;
    QPushButton *BtnWelcheTermineZeigen, *BitBtnTerminSelektion;
    std::array<ui::CheckBox *, 21> ChkBoxArten{};
    QPushButton *BtnEinzelterminFortschreiben, *BtnMarkierteTermineFortschreiben;
    ui::CheckBox *ChkBoxTermineMarkieren;
    QPushButton *BtnTermineZeigeStammdaten, *BtnTermineGehezuStammdaten, *BtnTerminInfo;
    QPushButton *SpeedBtnKalender;
    QCalendarWidget *MonthCalendarTermine;
    QPushButton *TBitBtnTermineDrucken, *TBitBtnTermineVorschau, *BitBtnTermineWerkstatt, *TBitBtnOk;

private:
    void aufbauen();
    // Every handler runs inside this: a box or dialog it opens takes the
    // activation away, and getting it back must not rebuild the list.
    template <class F> void alsHandler(F &&handler);
    void kartenSelektionAnwenden(bool vonErzeugung);
    bool alleTermineGewaehlt() const;
    bool keinTerminGewaehlt() const;
    void terminselektionSpeichern();
    void ueberschriftenSetzen();
    void labelsFaerben();
    void zelleMalen(ui::DBGrid::CellStyle &stil) const;
    bool listeLeer() const;
    bool fahrzeugZeigen();
    QString spaltenTitel(int spalte) const;

    void beimZeigen();

    int handlerTiefe_ = 0;
    bool rueckkehrOhneAufbau_ = false;
    // The list has not been built since creation.
    bool listeAusstehend_ = false;
    // The show built the list the way the activation would; the activation
    // that follows it, before any other window took the focus, has nothing
    // left to do.
    bool aktivierungVorweg_ = false;
};

// The one instance, made by the program body when first needed.
extern TTerminFormular *TerminFormular;

// The appointment list, made if need be; nullptr when the program does not make it.
TTerminFormular *TerminFormularBereitstellen();

} // namespace fleet
