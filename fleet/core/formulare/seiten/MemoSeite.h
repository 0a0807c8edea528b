#pragma once

#include "formulare/seiten/HauptSeite.h"

class QLabel;
class QPushButton;
class QToolButton;

namespace ui {
class DBGrid;
class DBMemo;
class PageControl;
} // namespace ui

namespace fleet {

// The vehicle's memo, its documents and pictures.
class MemoSeite : public HauptSeite {
public:
    using HauptSeite::HauptSeite;
    void aufbauen() override;
    void betreten() override;

    void verlassen() override;

    // "&Speichern" of the memo; the indicator of a memo with text.
    void BtnMemoSpeichernClick();
    void EditDBMemoChange();

    // Picture and its panel text emptied.
    void BildLeeren();

    // The inner page "Dok.-/Bildverwaltung": its list is open only while shown.
    void PageCtrlMemoBildChange();
    void BtnBildNeuClick();
    void BtnBildDokumentNeuClick();
    void BtnBildTabelleLadenClick();
    void BtnBildTabelleLoeschenClick();
    void BtnBildTabelleAenderungenSpeichernClick();
    void SpeedBtnBildabClick();
    void SpeedBtnBildaufClick();
    // A new list entry for the file: its name as remark, its path as link.
    void BildInfoSpeichern(const QString &pfad);
    void DokumentInfoSpeichern(const QString &pfad);

    ui::PageControl *PageCtrlMemoBild = nullptr;
    ui::TabSheet *TabMemoMemo = nullptr, *TabMemoBild = nullptr;
    ui::DBMemo *EditDBMemo = nullptr;
    ui::DBGrid *DBGridBildinformationen = nullptr;
    QLabel *ImgBild = nullptr, *PanBild = nullptr;
    QPushButton *BtnMemoSpeichern = nullptr;
    QPushButton *BtnBildNeu = nullptr, *BtnBildDokumentNeu = nullptr, *BtnBildTabelleLaden = nullptr,
                *BtnBildTabelleLoeschen = nullptr, *BtnBildTabelleAenderungenSpeichern = nullptr;
    QToolButton *SpeedBtnBildab = nullptr, *SpeedBtnBildauf = nullptr;

private:
    void listeSchliessen();
    void listeSperren();
    void listeOeffnen();
    bool bildZeigen(const QString &pfad);
    void bildVerschieben(const QString &richtung);
};

} // namespace fleet
