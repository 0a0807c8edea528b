#include <QBuffer>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include "db_fixture.h"
#include "dbe/Field.h"
#include "example_form.h"
#include "ui/DBEdit.h"
#include "ui/DBGrid.h"
#include "ui/DBLookupComboBox.h"
#include "ui/DBRadioGroup.h"
#include "ui/DBText.h"
#include "ui/PageControl.h"
#include "ui/PopupMenu.h"
#include "ui/testing/ScriptedMessages.h"
#include "ui_test_main.h"

using ui::testing::ScriptedMessages;

namespace {

void typeInto(QWidget *control, const QString &text)
{
    control->setFocus();
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        edit->selectAll();
    QTest::keyClicks(control, text);
}

// Screenshots of the form for a look at it (a directory of one's own through
// KARVENFP_SCREENSHOT_DIR, else the temporary directory).
QString screenshotPath(const QString &name)
{
    return QDir(qEnvironmentVariable("KARVENFP_SCREENSHOT_DIR", QDir::tempPath())).filePath(name);
}

void clickTab(ui::PageControl *pages, int index)
{
    QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(index).center());
}

} // namespace

// The example form run end to end on a real SQLite table: insert with a page
// veto and a refused post, typing into data-aware controls, the grid page,
// the end question; and a screenshot of both pages.
class ExampleFormTest : public QObject {
    Q_OBJECT
private slots:
    void vehicleFormEndToEnd()
    {
        DbFixture db;
        VehicleTable vehicles(db);
        vehicles.table->SetName(QStringLiteral("TTblFahrzeug"));
        DbFixture::addVehicles(
            *vehicles.table, {{"HH-AB 12", "Kombi Vertrieb", 48211}, {"HH-CD 34", "Transporter", 120530.5}});
        vehicles.table->Edit();
        vehicles.table->FieldByName(QStringLiteral("Gruppe"))->SetAsString(QStringLiteral("Vertrieb"));
        vehicles.table->FieldByName(QStringLiteral("Leasing"))->SetAsString(QStringLiteral("Wahr"));
        vehicles.table->FieldByName(QStringLiteral("Art"))->SetAsInteger(10);
        vehicles.table->FieldByName(QStringLiteral("Datum"))->SetAsDateTime(base::encodeDate(2021, 4, 15));
        QImage picture(160, 100, QImage::Format_RGB32);
        picture.fill(QColor(40, 90, 160));
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "JPG");
        vehicles.table->FieldByName(QStringLiteral("Bild"))->SetAsBytes(jpeg);
        vehicles.table->Post();
        auto groups = db.table(QStringLiteral("Gruppe.db"));
        groups->Open();
        for (const char *g : {"Vertrieb", "Werkstatt"}) {
            groups->Append();
            groups->FieldByName(QStringLiteral("Gruppe"))->SetAsString(QString::fromUtf8(g));
            groups->Post();
        }
        dbe::TDataSource groupSource(groups.get());

        ScriptedMessages boxes;
        TFahrzeugFormular form(*vehicles.table, vehicles.source, groupSource);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.activateWindow();
        QCOMPARE(form.findChild<ui::DBEdit *>(QStringLiteral("EditInfo")), form.EditInfo);
        QCOMPARE(form.EditKfzNr->text(), QStringLiteral("HH-AB 12"));
        QCOMPARE(form.TPanelStatus->text(), QStringLiteral("1 von 2"));
        // A box the user is not in shows its text from the start.
        QVERIFY(!form.EditInfo->hasFocus());
        QCOMPARE(form.EditInfo->text(), QStringLiteral("Kombi Vertrieb"));
        QCOMPARE(form.EditInfo->cursorPosition(), 0);
        QVERIFY(form.grab().save(screenshotPath(QStringLiteral("ui_example_form_stammdaten.png"))));

        // A new vehicle: the page cannot be left, and a post without a number is refused.
        QTest::mouseClick(form.TBitBtnNeu, Qt::LeftButton);
        QCOMPARE(vehicles.table->State(), dbe::TDataSetState::dsInsert);
        QCOMPARE(form.TPanelStatus->text(), QStringLiteral("Neuer Datensatz"));
        boxes.expectWarning(
            QStringLiteral("Bitte speichern Sie zunächst das neue Fahrzeug ab (Haken-Symboltaste) "
                           "oder verwerfen Sie die Daten (X-Symboltaste)."));
        clickTab(form.PageCtrlFahrzeug, 1);
        QCOMPARE(form.PageCtrlFahrzeug->activePage(), form.TabStammDaten);
        boxes.expectError(QStringLiteral("Bitte geben Sie ein Kennzeichen ein."));
        QTest::mouseClick(form.TBitBtnSpeichern, Qt::LeftButton);
        QCOMPARE(vehicles.table->State(), dbe::TDataSetState::dsInsert); // the silent abort kept it
        QVERIFY(boxes.verifyDone());

        typeInto(form.EditKfzNr, QStringLiteral("HH-EF 56"));
        typeInto(form.EditInfo, QStringLiteral("Bus Werkstatt"));
        typeInto(form.EditKmStand, QStringLiteral("1500,5"));
        typeInto(form.DBLkpCmbBoxGruppe->lineEdit(), QStringLiteral("Fuhrpark Nord"));
        form.RadioGrpArt->setItemIndex(2);
        QTest::mouseClick(form.TBitBtnSpeichern, Qt::LeftButton);
        QCOMPARE(vehicles.table->State(), dbe::TDataSetState::dsBrowse);
        QCOMPARE(vehicles.table->RecordCount(), 3);
        QCOMPARE(vehicles.table->FieldByName(QStringLiteral("KfzNr"))->AsString(),
                 QStringLiteral("HH-EF 56"));
        QCOMPARE(vehicles.table->FieldByName(QStringLiteral("Km"))->AsFloat(), 1500.5);
        QCOMPARE(vehicles.table->FieldByName(QStringLiteral("Gruppe"))->AsString(),
                 QStringLiteral("Fuhrpark Nord"));
        QCOMPARE(vehicles.table->FieldByName(QStringLiteral("Art"))->AsInteger(), 30);
        QCOMPARE(form.TPanelStatus->text(), QStringLiteral("3 von 3"));

        // The list page: the grid stands on the new vehicle; moving in it moves the form.
        clickTab(form.PageCtrlFahrzeug, 1);
        QCOMPARE(form.PageCtrlFahrzeug->activePage(), form.TabListe);
        QCOMPARE(form.DBGridFahrzeuge->currentIndex().row(), 2);
        QTest::keyClick(form.DBGridFahrzeuge, Qt::Key_Up);
        QCOMPARE(form.LblKopfzeileKfzNr->text(), QStringLiteral("HH-CD 34"));
        QCOMPARE(form.EditKfzNr->text(), QStringLiteral("HH-CD 34"));
        QVERIFY(form.grab().save(screenshotPath(QStringLiteral("ui_example_form_liste.png"))));

        // The popup menu of the info edit clears the info.
        form.PageCtrlFahrzeug->setActivePage(form.TabStammDaten);
        emit form.EditInfo->customContextMenuRequested(QPoint(3, 3));
        form.PopupMenuInfo->actions().first()->trigger();
        form.PopupMenuInfo->close();
        QCOMPARE(form.EditInfo->text(), QString());
        QTest::mouseClick(form.TBitBtnAbbrechen, Qt::LeftButton);
        QCOMPARE(form.EditInfo->text(), QStringLiteral("Transporter"));

        // "&Ende" asks first; No keeps the form.
        boxes.expectQuestion(QStringLiteral("Möchten Sie das Programm beenden"), false);
        QTest::mouseClick(form.TBitBtnEnde, Qt::LeftButton);
        QVERIFY(form.isVisible());
        boxes.expectQuestion(QStringLiteral("Möchten Sie das Programm beenden"), true);
        QTest::mouseClick(form.TBitBtnEnde, Qt::LeftButton);
        QVERIFY(!form.isVisible());
    }
};

UI_TEST_MAIN(ExampleFormTest)
#include "example_form_test.moc"
