#pragma once

#include <cstdint>

#include <QString>

#include "dbe/DataSource.h"
#include "dbe/Table.h"
#include "ui/FormBase.h"

class QLineEdit;
class QPushButton;

namespace nav {
class TDBVexarion;
class TDBVNavigator;
struct TFormEventRec;
} // namespace nav

namespace ui {
class CheckBox;
class ComboBox;
class RadioGroup;
} // namespace ui

namespace reporting {

class TTb14_;

// The data export: one of seven tables of the current client, of the current vehicle, of all
// vehicles or as the user filtered it, written through an export project of the version-14 engine
// to a file in one of seven formats; the designer edits the chosen project.
class TExportFormular : public ui::FormBase {
public:
    explicit TExportFormular(QWidget *parent = nullptr);
    ~TExportFormular() override;

    void FormCreate();
    void FormShow();
    void FormClose(ui::CloseAction &action);
    void RadioGrpDatenClick();
    void RadioGrpFahrzeugeClick();
    void CmbBoxFormatChange();
    void BtnFileSelectClick();
    void BtnExportierenClick();
    void BitBtnExportDesignerClick();
    void TBDefineFields(QObject *sender, int userData, bool isDesignMode, int &percentage, bool &isLastRecord,
                        intptr_t &eventResult);
    void TBSetPrintOptions(QObject *sender, int &flags);
    // The table view of the export data shows its search, move and extend buttons 5, 45 and 2;
    // the other dialogs keep theirs.
    void DBVexdExportSpecialForm(nav::TDBVexarion &sender, nav::TFormEventRec &record);

    void ExportAusfuehren(bool designer);
    void ExportFilterLoesen();

    ui::RadioGroup *RadioGrpDaten, *RadioGrpFahrzeuge;
    ui::ComboBox *CmbBoxFormat;
    QLineEdit *EditExportdateiName;
    QPushButton *BtnFileSelect;
    ui::CheckBox *CheckShowFile;
    QPushButton *BtnExportieren, *BitBtnExportDesigner, *BitBtnSchliessen;
    nav::TDBVNavigator *DBVNavExport;
    nav::TDBVexarion *DBVexdExport;
    dbe::TTable TblExport;
    dbe::TDataSource DataSrcExport;
    TTb14_ *TB;

private:
    QString ProgrammPfad;
    QString DateiFilter;
    QString DateiName;
    QString ExportZiel;
};

} // namespace reporting
