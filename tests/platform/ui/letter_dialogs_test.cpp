// The form kit's dialogs for the letter editor: find, font with colour, the
// open dialog with its read-only box, and the lookup list that positions its
// list dataset.
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "db_fixture.h"
#include "dbe/Field.h"
#include "ui/DBLookupComboBox.h"
#include "ui/Dialogs.h"
#include "ui/FindDialog.h"
#include "ui/FontColorDialog.h"
#include "ui/ReadOnlyOpenDialog.h"
#include "ui_test_main.h"

using namespace ui;

class LetterDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void findDialogStaysOpenAndReportsEachFind()
    {
        FindDialog dialog;
        QSignalSpy finds(&dialog, &FindDialog::find);
        dialog.execute();
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.isModal());
        QVERIFY(!dialog.findButton()->isEnabled()); // nothing to find yet
        QTest::keyClicks(dialog.textEdit(), QStringLiteral("Termin"));
        QVERIFY(dialog.findButton()->isEnabled());
        dialog.findButton()->click();
        dialog.findButton()->click();
        QCOMPARE(finds.count(), 2);
        QCOMPARE(dialog.findText(), QStringLiteral("Termin"));
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.down());
        QVERIFY(!dialog.matchCase());
        QVERIFY(!dialog.wholeWord());
        for (auto *button : dialog.findChildren<QPushButton *>())
            if (button->text() == QStringLiteral("Abbrechen"))
                button->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(finds.count(), 2);
    }

    void fontDialogOffersTheColourBesideTheFont()
    {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSize(14);
        font.setBold(true);
        font.setStrikeOut(true);
        FontColorDialog dialog({font, QColor(0x00, 0x00, 0x80)});
        QCOMPARE(dialog.colorList()->count(), 16);
        QCOMPARE(dialog.colorList()->currentText(), QStringLiteral("Marineblau"));
        FontChoice choice = dialog.choice();
        QCOMPARE(choice.color, QColor(0x00, 0x00, 0x80));
        QCOMPARE(choice.font.pointSize(), 14);
        QVERIFY(choice.font.bold());
        QVERIFY(choice.font.strikeOut());

        dialog.colorList()->setCurrentIndex(dialog.colorList()->findText(QStringLiteral("Rot")));
        QCOMPARE(dialog.choice().color, QColor(Qt::red));
        // A colour outside the sixteen is kept as it is.
        dialog.setChoice({font, QColor(12, 34, 56)});
        QCOMPARE(dialog.colorList()->count(), 17);
        QCOMPARE(dialog.choice().color, QColor(12, 34, 56));
    }

    void openDialogReturnsTheReadOnlyBox()
    {
        testsupport::TempDir dir;
        const auto file = testsupport::writeFile(dir / "brief.rtf", "{\\rtf1 x}");
        FileDialogOptions options;
        options.filter = QStringLiteral("Rich Text Files (*.RTF)|*.RTF");
        options.initialDirectory = QString::fromStdString(dir.str());
        options.defaultExtension = QStringLiteral("rtf");
        const QString saved = QDir::currentPath();
        for (const bool tick : {true, false}) {
            QTimer::singleShot(0, [&] {
                auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                auto *box = dialog->findChild<QCheckBox *>(QStringLiteral("ReadOnly"));
                QVERIFY(box);
                QCOMPARE(box->text(), QStringLiteral("Schreibgeschützt öffnen"));
                box->setChecked(tick);
                dialog->selectFile(QString::fromStdString(file.string()));
                QMetaObject::invokeMethod(dialog, "accept");
            });
            const std::optional<OpenedFile> opened = runReadOnlyOpenDialog(options);
            QVERIFY(opened);
            QCOMPARE(QFileInfo(opened->path).fileName(), QStringLiteral("brief.rtf"));
            QCOMPARE(opened->readOnly, tick);
        }
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        QVERIFY(!runReadOnlyOpenDialog(options));
        QCOMPARE(QDir::currentPath(), saved);
    }

    void lookupInPositioningModeMakesTheChosenRowCurrent()
    {
        DbFixture db;
        VehicleTable vehicles(db);
        DbFixture::addVehicles(*vehicles.table,
                               {{"A-1", "Kombi", 1000}, {"B-2", "Transporter", 2000}, {"C-3", "Bus", 3000}});
        vehicles.table->First();
        DBLookupComboBox box;
        box.setListSource(&vehicles.source);
        box.setKeyField(QStringLiteral("KfzNr"));
        box.setListField(QStringLiteral("KfzNr;Info"));
        box.setPositionsListSource(true);
        box.refreshList();
        QCOMPARE(box.count(), 3);
        box.setCurrentIndex(2);
        emit box.activated(2);
        QCOMPARE(vehicles.table->FieldByName(QStringLiteral("KfzNr"))->AsString(), QStringLiteral("C-3"));
        QCOMPARE(vehicles.table->State(), dbe::TDataSetState::dsBrowse);
        // Typing changes nothing in the list dataset.
        box.setEditText(QStringLiteral("B-2"));
        emit box.onChange();
        QCOMPARE(vehicles.table->FieldByName(QStringLiteral("KfzNr"))->AsString(), QStringLiteral("C-3"));

        // Without the mode a choice does not move the list dataset.
        box.setPositionsListSource(false);
        emit box.activated(0);
        QCOMPARE(vehicles.table->FieldByName(QStringLiteral("KfzNr"))->AsString(), QStringLiteral("C-3"));
    }
};

UI_TEST_MAIN(LetterDialogsTest)
#include "letter_dialogs_test.moc"
