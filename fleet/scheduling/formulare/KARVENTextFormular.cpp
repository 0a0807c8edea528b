#include "formulare/KARVENTextFormular.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTextList>
#include <QToolBar>

#include "formulare/HauptFormular.h"
#include "formulare/HilfeFormular.h"
#include "logik/BriefEditorRegeln.h"
#include "logik/BriefLineal.h"
#include "ui/Clipboard.h"
#include "ui/Connect.h"
#include "ui/DBLookupComboBox.h"
#include "ui/Dialogs.h"
#include "ui/DocumentPrint.h"
#include "ui/FindDialog.h"
#include "ui/LetterFile.h"
#include "ui/Messages.h"
#include "ui/ParagraphIndents.h"
#include "ui/PopupMenu.h"
#include "ui/Printer.h"
#include "ui/RtfReader.h"
#include "ui/RtfWriter.h"

namespace fleet {

TKARVENTextFormular *KARVENTextFormular = nullptr;

namespace {

// The effective font of a format: what it leaves open comes from the document.
QFont wirksameSchrift(const QTextCharFormat &format, const QTextDocument &dokument)
{
    return format.font().resolve(dokument.defaultFont());
}

} // namespace

TKARVENTextFormular::TKARVENTextFormular(dbe::TSession *session, QWidget *parent)
    : ui::FormBase(QStringLiteral("KARVENTextFormular"), parent), TblFahrzeug(session), TblFahrer(session),
      DataSrcFahrzeug(&TblFahrzeug), DataSrcFahrer(&TblFahrer)
{
    aufbauen();
    panelAufbauen();
    tabellenAnlegen();
    verbinden();
    FormCreate();
}

void TextFormularZeigen()
{
    if (!TextFormularErzeugt || !KARVENTextFormular) {
        KARVENTextFormular = new TKARVENTextFormular();
        TextFormularErzeugt = true;
    }
    KARVENTextFormular->StartDateiName.clear();
    KARVENTextFormular->StartKfzNr.clear();
    KARVENTextFormular->showMaximized();
    KARVENTextFormular->raise();
    KARVENTextFormular->activateWindow();
}

TKARVENTextFormular::~TKARVENTextFormular()
{
    if (KARVENTextFormular == this)
        KARVENTextFormular = nullptr;
}

// ---- files

void TKARVENTextFormular::TitelSetzen()
{
    setWindowTitle(brief::Titel(FileName));
}

void TKARVENTextFormular::FileNew()
{
    FileName = brief::kNeuerText;
    TitelSetzen();
    REditText->clear();
    REditText->document()->setModified(false);
    // A letter opened read-only before does not leave the new one locked.
    REditText->setReadOnly(false);
    StatusPanels[1]->clear();
    SelectionChange();
}

void TKARVENTextFormular::DateiLaden(const QString &dateiName)
{
    QFile datei(dateiName);
    if (!datei.open(QIODevice::ReadOnly)) {
        ui::messages().error(QStringLiteral("Der Text %1 konnte nicht geöffnet werden.").arg(dateiName));
        return;
    }
    const QByteArray inhalt = datei.readAll();
    ui::readLetterFile(inhalt, *REditText->document());
    FileName = dateiName;
    TitelSetzen();
    REditText->setFocus();
    REditText->document()->setModified(false);
    StatusPanels[1]->clear();
    RichEditChange();
    SelectionChange();
}

bool TKARVENTextFormular::SpeicherfrageWeiter()
{
    if (!REditText->document()->isModified())
        return true;
    const ui::Answer antwort = ui::messages().questionYesNoCancel(
        QStringLiteral("Möchten Sie die Änderungen speichern: %1?").arg(FileName));
    // Yes goes on only when the text was really stored; a cancelled "Speichern
    // unter" keeps the text and the form as Cancel does.
    const bool gespeichert = antwort == ui::Answer::Yes && FileSave();
    return brief::NachSpeicherfrageWeiter(antwort, gespeichert);
}

void TKARVENTextFormular::FileOpen()
{
    if (!SpeicherfrageWeiter())
        return;
    ui::FileDialogOptions optionen;
    optionen.title = QStringLiteral("Öffnen");
    optionen.filter = brief::kBriefFilter;
    optionen.defaultExtension = QStringLiteral("rtf");
    optionen.initialDirectory = ProgrammVerzeichnis;
    const std::optional<ui::OpenedFile> datei = ui::dialogs().openFileReadOnlyOption(optionen);
    if (!datei)
        return;
    DateiLaden(datei->path);
    REditText->setReadOnly(datei->readOnly);
}

bool TKARVENTextFormular::Speichern(const QString &dateiName)
{
    QSaveFile datei(dateiName);
    if (!datei.open(QIODevice::WriteOnly) || datei.write(ui::writeRtf(*REditText->document())) < 0 ||
        !datei.commit()) {
        ui::messages().error(QStringLiteral("Der Text %1 konnte nicht gespeichert werden.").arg(dateiName));
        return false;
    }
    REditText->document()->setModified(false);
    StatusPanels[1]->clear();
    return true;
}

bool TKARVENTextFormular::FileSave()
{
    if (FileName == brief::kNeuerText)
        return FileSaveAs();
    return Speichern(FileName);
}

bool TKARVENTextFormular::FileSaveAs()
{
    ui::FileDialogOptions optionen;
    optionen.title = QStringLiteral("Speichern unter");
    optionen.filter = brief::kBriefFilter;
    optionen.defaultExtension = QStringLiteral("rtf");
    optionen.initialDirectory = ProgrammVerzeichnis;
    optionen.fileName = FileName == brief::kNeuerText ? QString() : FileName;
    optionen.overwritePrompt = false; // the form asks itself
    const std::optional<QString> name = ui::dialogs().saveFile(optionen);
    if (!name)
        return false;
    if (QFileInfo::exists(*name) &&
        ui::messages().questionYesNoCancel(
            QStringLiteral("Text %1 ist schon vorhanden - möchten Sie den vorhandenen Text überschreiben")
                .arg(QFileInfo(*name).absoluteFilePath())) != ui::Answer::Yes)
        return false;
    if (!Speichern(*name))
        return false;
    FileName = *name;
    TitelSetzen();
    return true;
}

void TKARVENTextFormular::FilePrint()
{
    QTextDocument *dokument = REditText->document();
    ui::printer().print(
        FileName, [dokument](QPrinter &drucker) { dokument->print(&drucker); }, true);
}

void TKARVENTextFormular::FileExit()
{
    close();
}

// ---- form events

void TKARVENTextFormular::FormCreate()
{
    FileName = brief::kNeuerText;
    TitelSetzen();
    QStringList familien = QFontDatabase::families();
    familien.sort(Qt::CaseInsensitive);
    {
        QSignalBlocker ruhig(FontName);
        FontName->addItems(familien);
    }
    VariablenlisteFuellen();
    if (ListBoxVariable->count() > 0)
        ListBoxVariable->setCurrentRow(0);
    REditText->document()->setModified(false);
    SelectionChange();
}

void TKARVENTextFormular::FormShow()
{
    StatuszeileAktualisieren();
    RichEditChange();
    REditText->setFocus();
}

void TKARVENTextFormular::FormCloseQuery(bool &canClose)
{
    canClose = SpeicherfrageWeiter();
}

void TKARVENTextFormular::FormClose(ui::CloseAction &action)
{
    action = ui::CloseAction::Hide;
    DatenbankSchliessen(QStringLiteral("Datenbank akt."));
    FileNew();
}

void TKARVENTextFormular::FormResize()
{
    RulerResize();
    SelectionChange();
}

void TKARVENTextFormular::RulerResize()
{
    RulerLine->setGeometry(RulerLine->x(), RulerLine->y(), Ruler->contentsRect().width() - 2 * RulerLine->x(),
                           RulerLine->height());
}

void TKARVENTextFormular::resizeEvent(QResizeEvent *event)
{
    ui::FormBase::resizeEvent(event);
    ui::guard(this, [this] { FormResize(); });
}

bool TKARVENTextFormular::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        const QString hint = static_cast<QStatusTipEvent *>(event)->tip();
        ui::guard(this, [this, hint] { ShowHint(hint); });
        return true;
    }
    return ui::FormBase::event(event);
}

void TKARVENTextFormular::ShowHint(const QString &hint)
{
    if (hint.isEmpty())
        StatusBar->clearMessage();
    else
        StatusBar->showMessage(hint);
}

void TKARVENTextFormular::ErsteSchritte1Click()
{
    HilfeThema = 2;
    if (THilfeFormular *form = HilfeFormularBereitstellen())
        form->show();
}

// ---- editing

void TKARVENTextFormular::EditUndo()
{
    REditText->undo();
}

void TKARVENTextFormular::EditCut()
{
    QTextCursor cursor = REditText->textCursor();
    if (!cursor.hasSelection() || REditText->isReadOnly())
        return;
    EditCopy();
    cursor.removeSelectedText();
}

void TKARVENTextFormular::EditCopy()
{
    const QTextCursor cursor = REditText->textCursor();
    if (!cursor.hasSelection())
        return;
    // Fonts, bold and alignment go along, as with the keyboard's copy.
    const QTextDocumentFragment auswahl = cursor.selection();
    ui::clipboard().setRichText(auswahl.toPlainText(), auswahl.toHtml());
}

void TKARVENTextFormular::EditPaste()
{
    if (REditText->isReadOnly())
        return;
    const QString html = ui::clipboard().html();
    if (html.isEmpty())
        REditText->insertPlainText(ui::clipboard().text());
    else
        REditText->textCursor().insertFragment(QTextDocumentFragment::fromHtml(html));
}

void TKARVENTextFormular::EditMenuClick()
{
    UpdateMenus();
}

void TKARVENTextFormular::UpdateMenus()
{
    const bool imText = focusWidget() == REditText;
    const bool auswahl = REditText->textCursor().hasSelection();
    EditCutItem->setEnabled(imText && auswahl);
    EditCopyItem->setEnabled(imText && auswahl);
    const bool einfuegbar = imText && !ui::clipboard().text().isEmpty();
    EditPasteItem->setEnabled(einfuegbar);
    PasteButton->setEnabled(einfuegbar);
}

void TKARVENTextFormular::Suchen1Click()
{
    FindDialogText->execute();
}

void TKARVENTextFormular::FindDialogTextFind()
{
    const QTextCursor cursor = REditText->textCursor();
    const QString text = REditText->document()->toRawText();
    const std::optional<int> fund =
        brief::Suchschritt(text, FindDialogText->findText(), cursor.selectionStart(),
                           cursor.selectionEnd() - cursor.selectionStart());
    if (!fund) {
        ui::messages().information(QStringLiteral("Der Suchbegriff konnte nicht (mehr) gefunden werden.."));
        return;
    }
    REditText->setFocus();
    QTextCursor treffer(REditText->document());
    treffer.setPosition(*fund);
    treffer.setPosition(*fund + int(FindDialogText->findText().size()), QTextCursor::KeepAnchor);
    REditText->setTextCursor(treffer);
}

void TKARVENTextFormular::SelectFont()
{
    const QTextCharFormat aktuell = AktuelleAttribute();
    ui::FontChoice vorgabe{wirksameSchrift(aktuell, *REditText->document()),
                           aktuell.hasProperty(QTextFormat::ForegroundBrush)
                               ? aktuell.foreground().color()
                               : REditText->palette().color(QPalette::Text)};
    if (const std::optional<ui::FontChoice> wahl = ui::dialogs().chooseFont(vorgabe)) {
        QTextCharFormat aenderung;
        aenderung.setFontFamilies({wahl->font.family()});
        aenderung.setFontPointSize(wahl->font.pointSizeF());
        aenderung.setFontWeight(wahl->font.weight());
        aenderung.setFontItalic(wahl->font.italic());
        aenderung.setFontUnderline(wahl->font.underline());
        aenderung.setFontStrikeOut(wahl->font.strikeOut());
        if (wahl->color.isValid())
            aenderung.setForeground(wahl->color);
        AttributeAendern(aenderung);
    }
    SelectionChange();
    REditText->setFocus();
}

QTextCharFormat TKARVENTextFormular::AktuelleAttribute() const
{
    return REditText->textCursor().hasSelection() ? REditText->textCursor().charFormat()
                                                  : REditText->currentCharFormat();
}

void TKARVENTextFormular::AttributeAendern(const QTextCharFormat &aenderung)
{
    QTextCursor cursor = REditText->textCursor();
    if (cursor.hasSelection()) {
        cursor.mergeCharFormat(aenderung);
        return;
    }
    // Without a selection the text's default attributes change, and with them
    // what is typed next.
    QTextDocument &dokument = *REditText->document();
    dokument.setDefaultFont(aenderung.font().resolve(dokument.defaultFont()));
    if (aenderung.hasProperty(QTextFormat::ForegroundBrush)) {
        QPalette palette = REditText->palette();
        palette.setColor(QPalette::Text, aenderung.foreground().color());
        REditText->setPalette(palette);
    }
    REditText->mergeCurrentCharFormat(aenderung);
}

void TKARVENTextFormular::AbsatzAendern(const std::function<void(QTextBlockFormat &)> &aenderung)
{
    QTextCursor cursor = REditText->textCursor();
    QTextDocument *dokument = REditText->document();
    const QTextBlock ende = dokument->findBlock(cursor.selectionEnd());
    cursor.beginEditBlock();
    for (QTextBlock block = dokument->findBlock(cursor.selectionStart()); block.isValid();
         block = block.next()) {
        QTextCursor absatz(block);
        QTextBlockFormat format = block.blockFormat();
        aenderung(format);
        absatz.setBlockFormat(format);
        if (block == ende)
            break;
    }
    cursor.endEditBlock();
}

void TKARVENTextFormular::BoldButtonClick()
{
    if (Updating)
        return;
    QTextCharFormat f;
    f.setFontWeight(BoldButton->isChecked() ? QFont::Bold : QFont::Normal);
    AttributeAendern(f);
}

void TKARVENTextFormular::ItalicButtonClick()
{
    if (Updating)
        return;
    QTextCharFormat f;
    f.setFontItalic(ItalicButton->isChecked());
    AttributeAendern(f);
}

void TKARVENTextFormular::UnderlineButtonClick()
{
    if (Updating)
        return;
    QTextCharFormat f;
    f.setFontUnderline(UnderlineButton->isChecked());
    AttributeAendern(f);
}

void TKARVENTextFormular::FontSizeChange()
{
    if (Updating)
        return;
    // An empty or half-typed size changes nothing.
    const std::optional<int> groesse = brief::Schriftgroesse(FontSize->text());
    if (!groesse)
        return;
    QTextCharFormat f;
    f.setFontPointSize(*groesse);
    AttributeAendern(f);
}

void TKARVENTextFormular::FontNameChange()
{
    if (Updating || FontName->currentText().isEmpty())
        return;
    QTextCharFormat f;
    f.setFontFamilies({FontName->currentText()});
    AttributeAendern(f);
}

void TKARVENTextFormular::AlignButtonClick(QAction *button)
{
    if (Updating)
        return;
    const int tag = button->data().toInt();
    const Qt::Alignment ausrichtung = tag == 1 ? Qt::AlignRight : tag == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
    AbsatzAendern([ausrichtung](QTextBlockFormat &f) { f.setAlignment(ausrichtung); });
}

void TKARVENTextFormular::BulletsButtonClick()
{
    if (Updating)
        return;
    QTextCursor cursor = REditText->textCursor();
    if (BulletsButton->isChecked()) {
        QTextListFormat liste;
        liste.setStyle(QTextListFormat::ListDisc);
        liste.setIndent(1);
        cursor.createList(liste);
        return;
    }
    QTextDocument *dokument = REditText->document();
    const QTextBlock ende = dokument->findBlock(cursor.selectionEnd());
    for (QTextBlock block = dokument->findBlock(cursor.selectionStart()); block.isValid();
         block = block.next()) {
        if (QTextList *liste = block.textList())
            liste->remove(block);
        QTextBlockFormat format = block.blockFormat();
        format.setIndent(0);
        QTextCursor(block).setBlockFormat(format);
        if (block == ende)
            break;
    }
}

void TKARVENTextFormular::RichEditChange()
{
    QTextDocument *dokument = REditText->document();
    StatusPanels[1]->setText(dokument->isModified() ? QStringLiteral("Geändert") : QString());
    const bool zurueck = dokument->isUndoAvailable();
    UndoButton->setEnabled(zurueck);
    EditUndoItem->setEnabled(zurueck);
}

void TKARVENTextFormular::StatuszeileAktualisieren()
{
    StatusPanels[0]->setText(
        brief::StatusZeile(*REditText->document(), REditText->textCursor().selectionStart()));
}

void TKARVENTextFormular::SelectionChange()
{
    const bool vorher = Updating;
    Updating = true;
    try {
        const QTextCursor cursor = REditText->textCursor();
        const QTextBlockFormat absatz = cursor.blockFormat();
        const brief::MarkenPositionen marken =
            brief::MarkenPlatzieren(ui::indentsOf(absatz), Ruler->contentsRect().width());
        FirstInd->move(marken.ersterEinzug, FirstInd->y());
        LeftInd->move(marken.linkerEinzug, LeftInd->y());
        RightInd->move(marken.rechterEinzug, RightInd->y());

        const QFont schrift = wirksameSchrift(AktuelleAttribute(), *REditText->document());
        BoldButton->setChecked(schrift.bold());
        ItalicButton->setChecked(schrift.italic());
        UnderlineButton->setChecked(schrift.underline());
        BulletsButton->setChecked(cursor.currentList() != nullptr);
        FontSize->setText(QString::number(qRound(schrift.pointSizeF())));
        FontName->setCurrentText(schrift.family());
        const Qt::Alignment ausrichtung = absatz.alignment() & Qt::AlignHorizontal_Mask;
        if (ausrichtung & Qt::AlignHCenter)
            CenterAlign->setChecked(true);
        else if (ausrichtung & Qt::AlignRight)
            RightAlign->setChecked(true);
        else if (!(ausrichtung & Qt::AlignJustify))
            LeftAlign->setChecked(true);

        StatuszeileAktualisieren();
        const bool auswahl = cursor.hasSelection();
        CopyButton->setEnabled(auswahl);
        EditCopyItem->setEnabled(auswahl);
        CutButton->setEnabled(auswahl);
        EditCutItem->setEnabled(auswahl);
    } catch (...) {
        Updating = vorher;
        throw;
    }
    Updating = vorher;
}

// ---- ruler

void TKARVENTextFormular::RulerItemMouseDown(QLabel *marke, int mausX)
{
    DragOffset = marke->width() / 2;
    marke->move(mausX - DragOffset, marke->y());
    Dragging = true;
}

void TKARVENTextFormular::RulerItemMouseMove(QLabel *marke, int mausX)
{
    if (Dragging)
        marke->move(mausX - DragOffset, marke->y());
}

void TKARVENTextFormular::FirstIndMouseUp()
{
    Dragging = false;
    const int erster = brief::ErsterEinzugAusMarke(FirstInd->x(), DragOffset);
    AbsatzAendern([erster](QTextBlockFormat &f) {
        ui::ParagraphIndents einzuege = ui::indentsOf(f);
        einzuege.first = erster;
        ui::setIndents(f, einzuege);
    });
    LeftInd->move(FirstInd->x(), LeftInd->y());
    LeftIndMouseUp();
}

void TKARVENTextFormular::LeftIndMouseUp()
{
    Dragging = false;
    const int links = LeftInd->x();
    const int versatz = DragOffset;
    AbsatzAendern([links, versatz](QTextBlockFormat &f) {
        ui::ParagraphIndents einzuege = ui::indentsOf(f);
        einzuege.left = brief::LinkerEinzugAusMarke(links, versatz, int(einzuege.first));
        ui::setIndents(f, einzuege);
    });
    SelectionChange();
}

void TKARVENTextFormular::RightIndMouseUp()
{
    Dragging = false;
    const int rechts = brief::RechterEinzugAusMarke(RightInd->x(), DragOffset, Ruler->contentsRect().width());
    AbsatzAendern([rechts](QTextBlockFormat &f) {
        ui::ParagraphIndents einzuege = ui::indentsOf(f);
        einzuege.right = rechts;
        ui::setIndents(f, einzuege);
    });
    SelectionChange();
}

bool TKARVENTextFormular::eventFilter(QObject *watched, QEvent *event)
{
    auto *marke = qobject_cast<QLabel *>(watched);
    if (marke && (marke == FirstInd || marke == LeftInd || marke == RightInd)) {
        const auto typ = event->type();
        if (typ == QEvent::MouseButtonPress || typ == QEvent::MouseMove ||
            typ == QEvent::MouseButtonRelease) {
            const int x = marke->mapToParent(static_cast<QMouseEvent *>(event)->position().toPoint()).x();
            ui::guard(this, [this, marke, typ, x] {
                if (typ == QEvent::MouseButtonPress)
                    RulerItemMouseDown(marke, x);
                else if (typ == QEvent::MouseMove)
                    RulerItemMouseMove(marke, x);
                else if (marke == FirstInd)
                    FirstIndMouseUp();
                else if (marke == LeftInd)
                    LeftIndMouseUp();
                else
                    RightIndMouseUp();
            });
            return true;
        }
    }
    return ui::FormBase::eventFilter(watched, event);
}

} // namespace fleet
