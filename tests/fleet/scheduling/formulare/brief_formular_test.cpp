// The letter editor offscreen, over a fresh first-start database: files and
// the save question, find, toolbar, ruler, and the database panel with its
// value items and the placeholder replacement.
#include <memory>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "daten/Aliase.h"
#include "formulare/HauptFormular.h"
#include "formulare/HilfeFormular.h"
#include "formulare/KARVENTextFormular.h"
#include "kern_umgebung.h"
#include "logik/BriefFelder.h"
#include "logik/BriefLineal.h"
#include "ui/Application.h"
#include "ui/DBLookupComboBox.h"
#include "ui/FindDialog.h"
#include "ui/ParagraphIndents.h"
#include "ui/RtfWriter.h"
#include "ui/StartUp.h"
#include "ui/testing/FakeServices.h"
#include "ui/testing/ScriptedMessages.h"

using fleet::TKARVENTextFormular;
using ui::testing::ScriptedMessages;

namespace {

const QString kFrage = QStringLiteral("Möchten Sie die Änderungen speichern: %1?");
const QString kNichtGefunden = QStringLiteral("Der Suchbegriff konnte nicht (mehr) gefunden werden..");

void waehlen(ui::DBLookupComboBox *box, const QString &text)
{
    box->refreshList();
    const int zeile = box->findText(text, Qt::MatchExactly);
    QVERIFY2(zeile >= 0, qPrintable(text));
    box->setCurrentIndex(zeile);
    emit box->activated(zeile);
}

} // namespace

class BriefFormularTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        umgebung_ = std::make_unique<kerntest::Umgebung>();
        fleet::ProgrammVerzeichnis = QString::fromStdString(umgebung_->verzeichnis().str());
        auto &s = umgebung_->session();
        const QStringList fz{"KfzNr", "Info", "Gruppe", "KfzHubraum", "KfzZulassung", "Anschaffungswert"};
        kerntest::zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzStamm.db", fz,
                                {"AB-CD12", "Transporter", "Vertrieb", 1998, QDate(2021, 3, 15), 34567.5});
        kerntest::zeileAnfuegen(
            s, fleet::kAliasFuhrpark, "KfzStamm.db", fz,
            {"ZZ-XY99", "Kombi Außendienst", "Technik", 1598, QDate(2023, 7, 1), 28990.0});
        const QStringList fa{"Name", "Vorname", "Strasse", "Plz", "Ort", "Freifeld11", "Freifeld31"};
        kerntest::zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzFahrer.DB", fa,
                                {"Meier", "Max", "Hauptstraße 1", "50667", "Köln", "Abteilung Süd", true});
        kerntest::zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzFahrer.DB", fa,
                                {"Özdemir", "Ayşe", "Ringstraße 7", "80331", "München", "", false});
    }

    void init()
    {
        // No test may meet a real message box.
        wache_ = std::make_unique<ScriptedMessages>();
        dialoge_ = std::make_unique<ui::testing::FakeDialogs>();
        ablage_ = std::make_unique<ui::testing::FakeClipboard>();
        formular_ = std::make_unique<TKARVENTextFormular>(&umgebung_->session());
    }

    void cleanup()
    {
        formular_.reset();
        dialoge_.reset();
        ablage_.reset();
        wache_.reset();
    }

    void cleanupTestCase() { umgebung_.reset(); }

    void neuerTextFragtNachDemNamenUndSpeichertImmerRichText()
    {
        QCOMPARE(formular_->windowTitle(), QStringLiteral("KARVEN Text - Neu"));
        formular_->REditText->insertPlainText(QStringLiteral("Sehr geehrter Herr Müller,"));
        QCOMPARE(formular_->StatusPanels[1]->text(), QStringLiteral("Geändert"));
        // ... and the whole word shows in its panel.
        QLabel *geaendert = formular_->StatusPanels[1];
        QVERIFY(geaendert->contentsRect().width() >=
                geaendert->fontMetrics().horizontalAdvance(QStringLiteral("Geändert")));
        QVERIFY(formular_->UndoButton->isEnabled());
        const QString datei = QDir(fleet::ProgrammVerzeichnis).filePath(QStringLiteral("brief.TXT"));
        dialoge_->answerFile(datei);
        formular_->SaveButton->trigger();

        QCOMPARE(dialoge_->fileRequests.size(), 1);
        const ui::FileDialogOptions &optionen = dialoge_->fileRequests.first();
        QCOMPARE(optionen.filter, QStringLiteral("Rich Text Files (*.RTF)|*.RTF|Text Files (*.TXT)|*.TXT"));
        QCOMPARE(optionen.defaultExtension, QStringLiteral("rtf"));
        QCOMPARE(optionen.initialDirectory, fleet::ProgrammVerzeichnis);
        QVERIFY(!optionen.overwritePrompt);
        QFile gespeichert(datei);
        QVERIFY(gespeichert.open(QIODevice::ReadOnly));
        const QByteArray inhalt = gespeichert.readAll();
        QVERIFY(inhalt.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
        QVERIFY(inhalt.contains("M\\'fcller"));
        QCOMPARE(formular_->FileName, datei);
        QCOMPARE(formular_->windowTitle(), QStringLiteral("KARVEN Text - brief.TXT"));
        QCOMPARE(formular_->StatusPanels[1]->text(), QString());

        // "Speichern unter" onto an existing letter: only Yes overwrites.
        formular_->REditText->insertPlainText(QStringLiteral(" neu"));
        dialoge_->answerFile(datei);
        ScriptedMessages boxen;
        boxen.expect(
            ui::MsgType::Confirmation,
            QStringLiteral("Text %1 ist schon vorhanden - möchten Sie den vorhandenen Text überschreiben")
                .arg(QFileInfo(datei).absoluteFilePath()),
            ui::MsgButtons::YesNoCancel, ui::Answer::No);
        formular_->FileSaveAsItem->trigger();
        QVERIFY(boxen.verifyDone());
        gespeichert.seek(0);
        QCOMPARE(gespeichert.readAll(), inhalt);
        QVERIFY(formular_->REditText->document()->isModified());
    }

    void schliessenMitAbbrechenOderAbgebrochenemSpeichernBehaeltDenText()
    {
        formular_->show();
        formular_->REditText->insertPlainText(QStringLiteral("Wichtiger Entwurf"));
        ScriptedMessages boxen;
        boxen.expect(ui::MsgType::Confirmation, kFrage.arg("Neu"), ui::MsgButtons::YesNoCancel,
                     ui::Answer::Cancel);
        QVERIFY(!formular_->close());
        QVERIFY(formular_->isVisible());

        // Yes, then the name dialog cancelled: nothing was stored, so nothing is lost.
        boxen.expect(ui::MsgType::Confirmation, kFrage.arg("Neu"), ui::MsgButtons::YesNoCancel,
                     ui::Answer::Yes);
        dialoge_->answerFile(std::nullopt);
        QVERIFY(!formular_->close());
        QVERIFY(formular_->isVisible());
        QCOMPARE(formular_->REditText->toPlainText(), QStringLiteral("Wichtiger Entwurf"));

        // No closes; the form is reset to an empty new text and an inactive panel.
        boxen.expect(ui::MsgType::Confirmation, kFrage.arg("Neu"), ui::MsgButtons::YesNoCancel,
                     ui::Answer::No);
        QVERIFY(formular_->close());
        QVERIFY(boxen.verifyDone());
        QVERIFY(!formular_->isVisible());
        QCOMPARE(formular_->REditText->toPlainText(), QString());
        QCOMPARE(formular_->FileName, QStringLiteral("Neu"));
        QCOMPARE(formular_->BtnDatenbank->text(), QStringLiteral("Datenbank akt."));
    }

    void suchenVomAnfangGrossKleinGenauUndWeiter()
    {
        formular_->REditText->setPlainText(QStringLiteral("Termin am Montag. Termin am Dienstag. termin"));
        QTextCursor cursor = formular_->REditText->textCursor();
        cursor.setPosition(20);
        formular_->REditText->setTextCursor(cursor);
        formular_->Suchen1->trigger();
        QVERIFY(formular_->FindDialogText->isVisible());
        formular_->FindDialogText->setFindText(QStringLiteral("Termin"));
        formular_->FindDialogText->findButton()->click();
        QCOMPARE(formular_->REditText->textCursor().selectionStart(), 0);
        QCOMPARE(formular_->REditText->textCursor().selectedText(), QStringLiteral("Termin"));
        formular_->FindDialogText->findButton()->click();
        QCOMPARE(formular_->REditText->textCursor().selectionStart(), 18);
        ScriptedMessages boxen;
        boxen.expectInformation(kNichtGefunden);
        formular_->FindDialogText->findButton()->click();
        QVERIFY(boxen.verifyDone());
        QCOMPARE(formular_->REditText->textCursor().selectionStart(), 18);
    }

    void schriftgroesseNurAusGanzerZahl()
    {
        formular_->REditText->setPlainText(QStringLiteral("Zwölf Punkt"));
        formular_->REditText->selectAll();
        formular_->FontSize->setText(QStringLiteral("12"));
        const auto groesse = [this] {
            QTextCursor c(formular_->REditText->document());
            c.setPosition(3);
            return c.charFormat().fontPointSize();
        };
        QCOMPARE(groesse(), 12.0);
        for (const char *text : {"", "1a", "-", "0", " "}) {
            formular_->FontSize->setText(QString::fromLatin1(text));
            QCOMPARE(groesse(), 12.0);
        }
        formular_->FontSize->setText(QStringLiteral("1"));
        formular_->FontSize->setText(QStringLiteral("18"));
        QCOMPARE(groesse(), 18.0);
        // With nothing selected the text's default attributes change.
        QTextCursor ohne = formular_->REditText->textCursor();
        ohne.clearSelection();
        formular_->REditText->setTextCursor(ohne);
        formular_->FontSize->setText(QStringLiteral("20"));
        QCOMPARE(formular_->REditText->document()->defaultFont().pointSize(), 20);
    }

    void neuNachSchreibgeschuetztemOeffnenIstBeschreibbar()
    {
        QTextDocument vorlage;
        vorlage.setPlainText(QStringLiteral("Vorlage für <Fahrer/Name>"));
        const QString datei = QDir(fleet::ProgrammVerzeichnis).filePath(QStringLiteral("vorlage.rtf"));
        QFile f(datei);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(ui::writeRtf(vorlage));
        f.close();
        dialoge_->answerFileReadOnly(datei);
        formular_->OpenButton->trigger();
        QCOMPARE(formular_->REditText->toPlainText(), QStringLiteral("Vorlage für <Fahrer/Name>"));
        QVERIFY(formular_->REditText->isReadOnly());
        QCOMPARE(formular_->windowTitle(), QStringLiteral("KARVEN Text - vorlage.rtf"));
        QVERIFY(!formular_->REditText->document()->isModified());
        formular_->FileNewItem->trigger();
        QVERIFY(!formular_->REditText->isReadOnly());
        QCOMPARE(formular_->REditText->toPlainText(), QString());
    }

    void linealSetztDieEinzuegeDesAbsatzes()
    {
        formular_->resize(800, 600);
        formular_->show();
        formular_->REditText->setPlainText(QStringLiteral("Ein Absatz mit Einzügen"));
        const auto einzuege = [this] {
            return ui::indentsOf(formular_->REditText->textCursor().blockFormat());
        };
        const int breite = formular_->Ruler->contentsRect().width();

        formular_->RulerItemMouseDown(formular_->FirstInd, 60);
        formular_->RulerItemMouseMove(formular_->FirstInd, 70);
        QCOMPARE(formular_->FirstInd->x(), 70 - formular_->DragOffset);
        formular_->FirstIndMouseUp();
        const int erster =
            fleet::brief::ErsterEinzugAusMarke(70 - formular_->DragOffset, formular_->DragOffset);
        QCOMPARE(einzuege().first, double(erster));
        QVERIFY(!formular_->Dragging);

        formular_->RulerItemMouseDown(formular_->LeftInd, 130);
        formular_->LeftIndMouseUp();
        QCOMPARE(einzuege().left, double(fleet::brief::LinkerEinzugAusMarke(130 - 4, 4, erster)));

        formular_->RulerItemMouseDown(formular_->RightInd, breite - 60);
        formular_->RightIndMouseUp();
        QCOMPARE(einzuege().right, double(fleet::brief::RechterEinzugAusMarke(breite - 64, 4, breite)));
        // The markers now stand where the paragraph's indents place them.
        const auto marken = fleet::brief::MarkenPlatzieren(einzuege(), breite);
        QCOMPARE(formular_->FirstInd->x(), marken.ersterEinzug);
        QCOMPARE(formular_->LeftInd->x(), marken.linkerEinzug);
        QCOMPARE(formular_->RightInd->x(), marken.rechterEinzug);
    }

    void variablenlisteInFeldlistenFolge()
    {
        QListWidget *liste = formular_->ListBoxVariable;
        const QStringList fahrer = fleet::brief::FahrerFelder();
        const QStringList fahrzeug = fleet::brief::FahrzeugFelder();
        QCOMPARE(liste->count(), int(fahrer.size() + fahrzeug.size()));
        QCOMPARE(liste->currentRow(), 0);
        for (int i = 0; i < fahrer.size(); ++i)
            QCOMPARE(liste->item(i)->text().toLower(), ("<Fahrer/" + fahrer[i] + ">").toLower());
        for (int i = 0; i < fahrzeug.size(); ++i)
            QCOMPARE(liste->item(int(fahrer.size()) + i)->text().toLower(),
                     ("<Fahrzeug/" + fahrzeug[i] + ">").toLower());
        liste->setCurrentRow(3);
        formular_->Variable1->trigger();
        QCOMPARE(formular_->REditText->toPlainText(), QStringLiteral("<Fahrer/Vorname>"));
        QVERIFY(!formular_->TblFahrer.Active());
    }

    void datenbankPanelWerteUndErsetzen()
    {
        QTextEdit *text = formular_->REditText;
        QAction *name = formular_->findChild<QAction *>(QStringLiteral("Name1"));
        QAction *kennzeichen = formular_->findChild<QAction *>(QStringLiteral("Kennzeichen2"));
        QVERIFY(name && kennzeichen);
        QCOMPARE(name->text(), QStringLiteral("Name"));
        // Inactive: the value items do nothing.
        name->trigger();
        QCOMPARE(text->toPlainText(), QString());
        QVERIFY(!formular_->BtnErsetzen->isEnabled());
        QCOMPARE(formular_->BtnDatenbank->text(), QStringLiteral("Datenbank aktiv."));

        formular_->BtnDatenbank->click();
        QCOMPARE(formular_->BtnDatenbank->text(), QStringLiteral("Datenbank deaktiv."));
        QVERIFY(formular_->BtnErsetzen->isEnabled());
        QVERIFY(formular_->DBLkpCmbBoxFahrzeug->isEnabled());
        QCOMPARE(formular_->DBLkpCmbBoxFahrzeug->currentText(),
                 formular_->TblFahrzeug.FieldByName("KfzNr")->AsString());

        waehlen(formular_->DBLkpCmbBoxFahrzeug, QStringLiteral("ZZ-XY99"));
        waehlen(formular_->DBLkpCmbBoxFahrer, QStringLiteral("Meier"));
        QCOMPARE(formular_->TblFahrzeug.FieldByName("KfzNr")->AsString(), QStringLiteral("ZZ-XY99"));
        kennzeichen->trigger();
        text->insertPlainText(QStringLiteral(" / "));
        name->trigger();
        formular_->findChild<QAction *>(QStringLiteral("Freifeld11"))->trigger();
        QCOMPARE(text->toPlainText(), QStringLiteral("ZZ-XY99 / MeierAbteilung Süd"));

        text->setPlainText(
            QStringLiteral("Sehr geehrter Herr <Fahrer/Vorname> <Fahrer/Name>,\nIhr <Fahrzeug/KfzNr> "
                           "(<Fahrzeug/KfzHubraum> ccm, zugelassen <Fahrzeug/KfzZulassung>, "
                           "<Fahrzeug/Anschaffungswert> €) <Fahrzeug/KfzFarbe> <Fahrer/Freifeld31>."));
        ScriptedMessages boxen;
        boxen.expectInformation(QStringLiteral(
            "7 Variable wurden erfolgreich ersetzt\r1 fehlerhafte Variable konnten nicht ersetzt werden"));
        formular_->BtnErsetzen->click();
        QVERIFY(boxen.verifyDone());
        QCOMPARE(text->toPlainText(),
                 QStringLiteral("Sehr geehrter Herr Max Meier,\nIhr ZZ-XY99 (1598 ccm, zugelassen "
                                "01.07.2023, 28990 €) <Fahrzeug/KfzFarbe> Wahr."));

        // A driver whose name holds his own placeholder is replaced once.
        waehlen(formular_->DBLkpCmbBoxFahrer, QStringLiteral("Özdemir"));
        text->setPlainText(QStringLiteral("Liebe <Fahrer/Vorname>"));
        boxen.expectInformation(QStringLiteral(
            "1 Variable wurden erfolgreich ersetzt\r0 fehlerhafte Variable konnten nicht ersetzt werden"));
        formular_->BtnErsetzen->click();
        QCOMPARE(text->toPlainText(), QStringLiteral("Liebe Ayşe"));

        boxen.expectError(
            QStringLiteral("Fehlerhafte Variable ohne abschließendes \">\" - Verarbeitung wird abgebrochen"));
        text->setPlainText(QStringLiteral("a < b"));
        formular_->BtnErsetzen->click();
        QVERIFY(boxen.verifyDone());

        formular_->BtnDatenbank->click();
        QCOMPARE(formular_->BtnDatenbank->text(), QStringLiteral("Datenbank aktiv."));
        QVERIFY(!formular_->BtnErsetzen->isEnabled());
        QVERIFY(!formular_->DBLkpCmbBoxFahrer->isEnabled());
        QVERIFY(!formular_->TblFahrzeug.Active());
    }

    void zwischenablageUndMenues()
    {
        QTextEdit *text = formular_->REditText;
        formular_->show();
        text->setFocus();
        text->setPlainText(QStringLiteral("Kopier mich"));
        text->selectAll();
        formular_->EditMenuClick();
        QVERIFY(formular_->EditCopyItem->isEnabled());
        QVERIFY(!formular_->EditPasteItem->isEnabled()); // the clipboard is empty
        formular_->CopyButton->trigger();
        QCOMPARE(ablage_->text(), QStringLiteral("Kopier mich"));
        formular_->EditMenuClick();
        QVERIFY(formular_->PasteButton->isEnabled());
        QTextCursor ende = text->textCursor();
        ende.movePosition(QTextCursor::End);
        text->setTextCursor(ende);
        formular_->EditPasteItem->trigger();
        QCOMPARE(text->toPlainText(), QStringLiteral("Kopier michKopier mich"));
        formular_->UndoButton->trigger();
        QCOMPARE(text->toPlainText(), QStringLiteral("Kopier mich"));

        // Bold, font and alignment go along through the menu as with Ctrl+C.
        text->setHtml(QStringLiteral("<p>Links</p><p align=\"center\"><b style=\"font-family:'Liberation "
                                     "Serif'\">Mitte</b></p>"));
        text->selectAll();
        formular_->EditCutItem->trigger();
        QVERIFY(text->toPlainText().isEmpty());
        QCOMPARE(ablage_->text(), QStringLiteral("Links\nMitte"));
        formular_->EditPasteItem->trigger();
        QCOMPARE(text->toPlainText(), QStringLiteral("Links\nMitte"));
        QTextCursor mitte(text->document()->lastBlock());
        mitte.movePosition(QTextCursor::NextCharacter);
        QCOMPARE(mitte.charFormat().fontWeight(), int(QFont::Bold));
        QCOMPARE(mitte.charFormat().fontFamilies().toStringList().value(0),
                 QStringLiteral("Liberation Serif"));
        QCOMPARE(mitte.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    }

    void druckenMitDemDateinamenAlsAuftrag()
    {
        ui::testing::FakePrinter drucker(fleet::ProgrammVerzeichnis);
        formular_->REditText->setPlainText(QStringLiteral("Druckprobe"));
        formular_->PrintButton->trigger();
        QCOMPARE(drucker.jobNames, QStringList{QStringLiteral("Neu")});
        QCOMPARE(drucker.files.size(), 1);
        QVERIFY(QFileInfo(drucker.files.first()).size() > 0);
    }

    void ersteSchritteUndMenuepunktKARVENText()
    {
        fleet::HilfeThema = 1;
        formular_->ErsteSchritte1->trigger();
        QCOMPARE(fleet::HilfeThema, 2);

        formular_.reset();
        fleet::TextFormularErzeugt = false;
        fleet::TextFormularZeigen();
        QVERIFY(fleet::TextFormularErzeugt);
        TKARVENTextFormular *erstes = fleet::KARVENTextFormular;
        QVERIFY(erstes && erstes->isVisible());
        erstes->hide();
        fleet::TextFormularZeigen();
        QCOMPARE(fleet::KARVENTextFormular, erstes);
        QVERIFY(erstes->isVisible());
        erstes->hide();
        delete erstes;
        QVERIFY(!fleet::KARVENTextFormular);
        fleet::TextFormularErzeugt = false;
    }

private:
    std::unique_ptr<kerntest::Umgebung> umgebung_;
    std::unique_ptr<ScriptedMessages> wache_;
    std::unique_ptr<ui::testing::FakeDialogs> dialoge_;
    std::unique_ptr<ui::testing::FakeClipboard> ablage_;
    std::unique_ptr<TKARVENTextFormular> formular_;
};

int main(int argc, char **argv)
{
    ui::Application app(argc, argv);
    ui::startGerman();
    BriefFormularTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "brief_formular_test.moc"
