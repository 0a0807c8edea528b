// Not a test: pictures of the letter editor for looking at its layout.
// brief_bilder <directory> writes editor.png, brief.pdf, schrift.png and suchen.png.
#include <QDate>
#include <QDir>
#include <QPrinter>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include "daten/Aliase.h"
#include "formulare/KARVENTextFormular.h"
#include "kern_umgebung.h"
#include "ui/Application.h"
#include "ui/DBLookupComboBox.h"
#include "ui/DocumentPrint.h"
#include "ui/FindDialog.h"
#include "ui/FontColorDialog.h"
#include "ui/ParagraphIndents.h"
#include "ui/RtfReader.h"
#include "ui/StartUp.h"

namespace {

const char kBrief[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fnil\\fcharset0 Liberation Sans;}"
    "{\\f1\\fnil\\fcharset2 Symbol;}{\\f2\\fnil\\fcharset0 Liberation Serif;}}"
    "{\\colortbl ;\\red192\\green0\\blue0;\\red0\\green0\\blue128;}\\viewkind4\\uc1"
    "\\pard\\qr\\plain\\f0\\fs20 K\\'f6ln, 10.12.2026\\par"
    "\\pard\\qc\\plain\\f2\\fs32\\b\\cf2 Fuhrparkverwaltung M\\'fcller & S\\'f6hne GmbH\\par"
    "\\pard\\plain\\f0\\fs22\\par"
    "\\pard\\plain\\f0\\fs22 Sehr geehrter Herr <Fahrer/Vorname> <Fahrer/Name>,\\par"
    "\\pard\\fi-360\\li1080\\ri720\\plain\\f0\\fs22 f\\'fcr Ihr Fahrzeug \\plain\\f0\\fs22\\b "
    "<Fahrzeug/KfzNr>"
    "\\plain\\f0\\fs22  (<Fahrzeug/Info>) ist die \\plain\\f0\\fs22\\ul Hauptuntersuchung\\plain\\f0\\fs22  "
    "\\plain\\f0\\fs22\\i \\'fcberf\\'e4llig\\plain\\f0\\fs22 . Bitte vereinbaren Sie einen Termin mit der "
    "Werkstatt und legen Sie die Rechnung \\plain\\f0\\fs22\\cf1 bis zum 31.12.2026\\plain\\f0\\fs22  vor. "
    "Die Kosten von 1.234,56 \\u8364? werden \\plain\\f0\\fs22\\strike nicht\\plain\\f0\\fs22  "
    "erstattet.\\par"
    "\\pard{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'b7}}\\plain\\f0\\fs22 "
    "Fahrzeugschein\\tab mitbringen\\par"
    "{\\pntext\\f1\\'b7\\tab}\\plain\\f0\\fs22 Schl\\'fcssel und Reserverad\\par"
    "\\pard\\plain\\f0\\fs22\\par"
    "\\pard\\plain\\f0\\fs22 Mit freundlichen Gr\\'fc\\'dfen\\par}";

} // namespace

int main(int argc, char **argv)
{
    ui::Application app(argc, argv);
    ui::startGerman();
    const QString ziel = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    kerntest::Umgebung umgebung;
    auto &s = umgebung.session();
    const QStringList fz{"KfzNr", "Info", "Gruppe"};
    kerntest::zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzStamm.db", fz,
                            {"K-FP 1234", "Transporter", "Vertrieb"});
    kerntest::zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzStamm.db", fz,
                            {"K-FP 5678", "Kombi Außendienst", "Technik"});
    const QStringList fa{"Name", "Vorname", "Strasse", "Plz", "Ort"};
    kerntest::zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzFahrer.DB", fa,
                            {"Müller", "Jürgen", "Hauptstraße 12", "50667", "Köln"});
    kerntest::zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzFahrer.DB", fa,
                            {"Özdemir", "Ayşe", "Ringstraße 7", "80331", "München"});

    fleet::TKARVENTextFormular formular(&s);
    formular.resize(1000, 700);
    formular.show();
    ui::readRtf(kBrief, *formular.REditText->document());
    formular.BtnDatenbankClick();
    for (auto [box, text] : {std::pair{formular.DBLkpCmbBoxFahrzeug, QStringLiteral("K-FP 5678")},
                             std::pair{formular.DBLkpCmbBoxFahrer, QStringLiteral("Özdemir")}}) {
        box->refreshList();
        const int zeile = box->findText(text);
        box->setCurrentIndex(zeile);
        emit box->activated(zeile);
    }
    // The caret in the indented paragraph: the ruler's markers off their rest.
    QTextCursor cursor(formular.REditText->document()->findBlockByNumber(4));
    cursor.movePosition(QTextCursor::NextWord);
    formular.REditText->setTextCursor(cursor);
    formular.SelectionChange();
    QTest::qWait(50);
    formular.grab().save(ziel + QStringLiteral("/editor.png"));

    // The printed letter, as the print job paints it.
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setOutputFileName(ziel + QStringLiteral("/brief.pdf"));
    ui::printTextDocument(*formular.REditText->document(), drucker);

    ui::FontColorDialog schrift(
        {QFont(QStringLiteral("Liberation Serif"), 16, QFont::Bold), QColor(0, 0, 128)});
    schrift.show();
    QTest::qWait(20);
    schrift.grab().save(ziel + QStringLiteral("/schrift.png"));
    formular.FindDialogText->setFindText(QStringLiteral("Termin"));
    formular.FindDialogText->execute();
    QTest::qWait(20);
    formular.FindDialogText->grab().save(ziel + QStringLiteral("/suchen.png"));
    return 0;
}
