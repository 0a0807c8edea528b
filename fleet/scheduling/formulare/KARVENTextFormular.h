#pragma once

#include <functional>
#include <optional>

#include <QString>
#include <QTextCharFormat>

#include "dbe/DataSource.h"
#include "dbe/Table.h"
#include "logik/BriefFelder.h"
#include "ui/FormBase.h"

class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QPushButton;
class QStatusBar;
class QTextEdit;
class QToolBar;
class QToolButton;
class QComboBox;

namespace ui {
class DBLookupComboBox;
class FindDialog;
class PopupMenu;
} // namespace ui

namespace fleet {

// The letter editor: a small rich-text word processor for letters to drivers
// and about vehicles, with the database panel that fills a letter's
// placeholders from the chosen vehicle and driver. Letters are stored as rich
// text, whatever the file name says.
class TKARVENTextFormular : public ui::FormBase {
public:
    explicit TKARVENTextFormular(dbe::TSession *session = nullptr, QWidget *parent = nullptr);
    ~TKARVENTextFormular() override;

    // Components.
    QMenuBar *MainMenu;
    QAction *FileNewItem, *FileOpenItem, *FileSaveItem, *FileSaveAsItem, *FilePrintItem, *FileExitItem;
    QMenu *EditMenu;
    QAction *EditUndoItem, *EditCutItem, *EditCopyItem, *EditPasteItem, *Suchen1, *EditFontItem;
    QAction *ErsteSchritte1;
    QToolBar *ToolBar;
    QAction *OpenButton, *SaveButton, *PrintButton, *UndoButton, *CutButton, *CopyButton, *PasteButton;
    QComboBox *FontName;
    QLineEdit *FontSize;
    QWidget *UpDown1;
    QAction *BoldButton, *ItalicButton, *UnderlineButton;
    QAction *LeftAlign, *CenterAlign, *RightAlign;
    QActionGroup *AlignGroup;
    QAction *BulletsButton;
    QFrame *Ruler;
    QLabel *FirstInd, *LeftInd, *RightInd;
    QFrame *RulerLine;
    QTextEdit *REditText;
    QStatusBar *StatusBar;
    QLabel *StatusPanels[3];
    ui::PopupMenu *PopupMenu1;
    QAction *Variable1;
    ui::FindDialog *FindDialogText;

    // The database panel.
    QFrame *PanDatenbank;
    ui::DBLookupComboBox *DBLkpCmbBoxFahrzeug;
    ui::DBLookupComboBox *DBLkpCmbBoxFahrer;
    QPushButton *BtnDatenbank;
    QPushButton *BtnErsetzen;
    QListWidget *ListBoxVariable;
    dbe::TTable TblFahrzeug;
    dbe::TTable TblFahrer;
    dbe::TDataSource DataSrcFahrzeug;
    dbe::TDataSource DataSrcFahrer;

    // Form state.
    QString FileName;
    bool Updating = false;
    int DragOffset = 0;
    bool Dragging = false;
    // Kept for the caller that empties them; they have no effect here.
    QString StartDateiName;
    QString StartKfzNr;

    // Published events.
    void FormCreate();
    void FormShow();
    void FormCloseQuery(bool &canClose);
    void FormClose(ui::CloseAction &action);
    void FormResize();
    void RulerResize();
    void FileNew();
    void FileOpen();
    // Both say whether the text was stored.
    bool FileSave();
    bool FileSaveAs();
    void FilePrint();
    void FileExit();
    void EditUndo();
    void EditCut();
    void EditCopy();
    void EditPaste();
    void EditMenuClick();
    void UpdateMenus();
    void SelectFont();
    void Suchen1Click();
    void FindDialogTextFind();
    void SelectionChange();
    void RichEditChange();
    void BoldButtonClick();
    void ItalicButtonClick();
    void UnderlineButtonClick();
    void FontSizeChange();
    void FontNameChange();
    void AlignButtonClick(QAction *button);
    void BulletsButtonClick();
    void RulerItemMouseDown(QLabel *marke, int mausX);
    void RulerItemMouseMove(QLabel *marke, int mausX);
    void FirstIndMouseUp();
    void LeftIndMouseUp();
    void RightIndMouseUp();
    void ShowHint(const QString &hint);
    void ErsteSchritte1Click();

    // The database panel's events.
    void VariablenlisteFuellen();
    void BtnDatenbankClick();
    void Variable1Click();
    void BtnErsetzenClick();
#define FLEET_BRIEF_HANDLER(item, beschriftung, tabelle, feld) void item##Click();
    FLEET_BRIEF_WERTPUNKTE(FLEET_BRIEF_HANDLER)
#undef FLEET_BRIEF_HANDLER

    // Loads a letter file as "Öffnen..." does after its dialog.
    void DateiLaden(const QString &dateiName);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void aufbauen();
    void panelAufbauen();
    void tabellenAnlegen();
    void verbinden();
    void TitelSetzen();
    bool Speichern(const QString &dateiName);
    // The save question before an open or a close: false stops it.
    bool SpeicherfrageWeiter();
    // The selection's format when there is one, else the text's default attributes.
    void AttributeAendern(const QTextCharFormat &aenderung);
    QTextCharFormat AktuelleAttribute() const;
    void AbsatzAendern(const std::function<void(QTextBlockFormat &)> &aenderung);
    void WertEinfuegen(int wertpunkt);
    void DatenbankSchliessen(const QString &beschriftung);
    void StatuszeileAktualisieren();
};

extern TKARVENTextFormular *KARVENTextFormular;

// The main window's "KARVEN Text": the editor, made once per run behind
// TextFormularErzeugt, emptied of its start file and vehicle, shown non-modally.
void TextFormularZeigen();

} // namespace fleet
