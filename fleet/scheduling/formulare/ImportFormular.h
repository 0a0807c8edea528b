#pragma once

#include <memory>

#include "logik/TankImport.h"
#include "ui/FormBase.h"

class QLabel;
class QPushButton;

namespace ui {
class DBGrid;
}

namespace fleet {

class TDataModule1;
class TDataModuleImport;

// "(Tank)daten-Import": the staged lines of a fuel-card file with their
// colours, importing and posting them, and the fuel-file types' configuration
// in the same grid.
class TImportFormular : public ui::FormBase {
public:
    TImportFormular(TDataModuleImport &imp, TDataModule1 &dm, QWidget *parent = nullptr);
    ~TImportFormular() override;

    // Handlers.
    void FormActivate();
    void BtnImportClick();
    void BtnBuchenClick();
    void BtnKonfigurationClick();
    void BtnImportKonfigNeuClick();
    void BtnImportKonfigSpeichernClick();
    void BtnImportKonfigLoeschenClick();
    void DBGridImportColEnter();
    void BitBtnImportDruckenClick();
    void BitBtnImportVorschauClick();
    // The staged lines as report 14, printed (mode 1) or previewed (2).
    void TankdatenDrucken(int reportNummer, int modus);

    // Whether the grid shows the configuration table.
    bool KonfigurationSichtbar() const;
    tank::TankImport &Import() { return *import_; }

    ui::DBGrid *DBGridImport;
    QLabel *LblTabelleUeberschrift, *LblTankdateiTyp, *PanMessage;
    QPushButton *BtnImport, *BtnBuchen, *BtnKonfiguration, *BtnImportKonfigNeu, *BtnImportKonfigSpeichern,
        *BtnImportKonfigLoeschen, *BitBtnImportDrucken, *BitBtnImportVorschau, *BitBtnSchliessen;

private:
    void stagingZeigen(bool legende);
    void zellenFaerben();

    TDataModuleImport &imp_;
    TDataModule1 &dm_;
    std::unique_ptr<tank::TankImport> import_;
};

} // namespace fleet
