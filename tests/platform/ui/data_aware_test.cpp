#include <QBuffer>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QVBoxLayout>

#include "db_fixture.h"
#include "dbe/Field.h"
#include "ui/Connect.h"
#include "ui/DBCheckBox.h"
#include "ui/DBComboBox.h"
#include "ui/DBDatePicker.h"
#include "ui/DBEdit.h"
#include "ui/DBImage.h"
#include "ui/DBLookupComboBox.h"
#include "ui/DBMemo.h"
#include "ui/DBRadioGroup.h"
#include "ui/DBText.h"
#include "ui_test_main.h"

using namespace ui;

namespace {

QString info(dbe::TDataSet &t)
{
    return t.FieldByName(QStringLiteral("Info"))->AsString();
}

// A shown window with the given controls stacked, the first one focused.
struct Window {
    explicit Window(std::initializer_list<QWidget *> controls)
    {
        auto *layout = new QVBoxLayout(&widget);
        for (QWidget *control : controls)
            layout->addWidget(control);
        layout->addWidget(other); // somewhere to move the focus to
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        widget.activateWindow();
    }
    QWidget widget;
    QLineEdit *other = new QLineEdit;
};

} // namespace

class DataAwareTest : public QObject {
    Q_OBJECT
private slots:
    // A data-aware edit follows the cursor, takes typing into edit state,
    // posts it and takes it back on cancel.
    void editFollowsTheCursorEditsPostsAndCancels()
    {
        DbFixture db;
        VehicleTable vehicles(db);
        DbFixture::addVehicles(*vehicles.table, {{"A-1", "Kombi", 1000}, {"B-2", "Transporter", 2000}});
        auto *edit = new DBEdit;
        edit->setObjectName(QStringLiteral("EditInfo"));
        edit->setDataSource(&vehicles.source);
        edit->setDataField(QStringLiteral("Info"));
        Window window({edit});
        QCOMPARE(edit->text(), QStringLiteral("Kombi"));
        QCOMPARE(edit->property("dataField").toString(), QStringLiteral("Info"));
        QCOMPARE(edit->property("dataSource").value<dbe::TDataSource *>(), &vehicles.source);

        vehicles.table->Next();
        QCOMPARE(edit->text(), QStringLiteral("Transporter"));

        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("Pritsche"));
        QCOMPARE(vehicles.table->State(), dbe::TDataSetState::dsEdit);
        vehicles.table->Post(); // the edit writes its text before the post
        QCOMPARE(info(*vehicles.table), QStringLiteral("Pritsche"));
        vehicles.table->First();
        vehicles.table->Last();
        QCOMPARE(edit->text(), QStringLiteral("Pritsche"));

        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("Verworfen"));
        vehicles.table->Cancel();
        QCOMPARE(edit->text(), QStringLiteral("Pritsche"));
        QCOMPARE(info(*vehicles.table), QStringLiteral("Pritsche"));

        // Leaving the edit writes the text into the field; Escape takes typing back.
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("Neu"));
        window.other->setFocus();
        QCOMPARE(info(*vehicles.table), QStringLiteral("Neu"));
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("xyz"));
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(edit->text(), QStringLiteral("Neu"));
        vehicles.table->Cancel();
        QCOMPARE(edit->text(), QStringLiteral("Pritsche"));
    }

    void readOnlyEditTakesNoTyping()
    {
        DbFixture db;
        VehicleTable vehicles(db);
        DbFixture::addVehicles(*vehicles.table, {{"A-1", "Kombi", 1000}});
        auto *edit = new DBEdit;
        edit->setDataSource(&vehicles.source);
        edit->setDataField(QStringLiteral("Info"));
        QVERIFY(edit->setProperty("readOnly", true));
        Window window({edit});
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("x"));
        QCOMPARE(edit->text(), QStringLiteral("Kombi"));
        QCOMPARE(vehicles.table->State(), dbe::TDataSetState::dsBrowse);
        edit->setProperty("readOnly", false);
        QTest::keyClicks(edit, QStringLiteral("x"));
        QCOMPARE(vehicles.table->State(), dbe::TDataSetState::dsEdit);
    }

    // Source and field set at once show the field once: an edit over an open,
    // changeable dataset is never made read-only on the way. Over a closed
    // dataset it is empty and read-only until the dataset opens.
    void sourceAndFieldAtOnce()
    {
        DbFixture db;
        VehicleTable vehicles(db);
        DbFixture::addVehicles(*vehicles.table, {{"A-1", "Kombi", 1000}});
        struct ReadOnlyChanges : QObject {
            int count = 0;
            bool eventFilter(QObject *, QEvent *e) override
            {
                count += e->type() == QEvent::ReadOnlyChange;
                return false;
            }
        } changes;
        DBEdit edit;
        edit.installEventFilter(&changes);
        edit.setDataBinding(&vehicles.source, QStringLiteral("Km"));
        QCOMPARE(edit.text(), QStringLiteral("1000"));
        QVERIFY(!edit.isReadOnly());
        QCOMPARE(edit.alignment(), Qt::AlignRight | Qt::AlignVCenter);
        QCOMPARE(changes.count, 0);
        edit.setDataBinding(&vehicles.source, QStringLiteral("Info"));
        QCOMPARE(edit.text(), QStringLiteral("Kombi"));
        QCOMPARE(edit.maxLength(), 30);
        QCOMPARE(edit.dataField(), QStringLiteral("Info"));

        vehicles.table->Close();
        QCOMPARE(edit.text(), QString());
        QVERIFY(edit.isReadOnly());
        DBEdit closed;
        closed.setDataBinding(&vehicles.source, QStringLiteral("Info"));
        QVERIFY(closed.isReadOnly());
        QCOMPARE(closed.field(), nullptr);
        vehicles.table->Open();
        QCOMPARE(closed.text(), QStringLiteral("Kombi"));
        QVERIFY(!closed.isReadOnly());
        closed.setDataBinding(nullptr, QStringLiteral("Info"));
        QCOMPARE(closed.text(), QString());
        QVERIFY(closed.isReadOnly());
    }

    void checkBoxWithValueTextsAndRadioGroupWithValues()
    {
        DbFixture db;
        VehicleTable vehicles(db);
        DbFixture::addVehicles(*vehicles.table, {{"A-1", "Kombi", 1000}, {"B-2", "Bus", 2000}});
        vehicles.table->Edit();
        vehicles.table->FieldByName(QStringLiteral("Leasing"))->SetAsString(QStringLiteral("Wahr"));
        vehicles.table->FieldByName(QStringLiteral("Art"))->SetAsInteger(20);
        vehicles.table->Post();

        auto *check = new DBCheckBox(QStringLiteral("Leasing"));
        check->setValueChecked(QStringLiteral("Wahr"));
        check->setValueUnchecked(QStringLiteral("Falsch"));
        check->setDataSource(&vehicles.source);
        check->setDataField(QStringLiteral("Leasing"));
        int checkClicks = 0;
        on(check, &DBCheckBox::onClick, check, [&] { ++checkClicks; });

        auto *radio = new DBRadioGroup;
        radio->setItems({"Pkw", "Lkw", "Bus"});
        radio->setValues({"10", "20", "30"});
        radio->setDataSource(&vehicles.source);
        radio->setDataField(QStringLiteral("Art"));
        int radioClicks = 0;
        on(radio, &DBRadioGroup::onClick, radio, [&] { ++radioClicks; });
        Window window({check, radio});

        QVERIFY(check->isChecked());
        QCOMPARE(radio->itemIndex(), 1);
        vehicles.table->Next(); // blank fields
        QVERIFY(!check->isChecked());
        QCOMPARE(radio->itemIndex(), -1);
        QCOMPARE(checkClicks, 1); // a check box clicks when a record changes its state
        QCOMPARE(radioClicks, 0); // a radio group does not

        // On the indicators: buttons take clicks on their indicator and text only.
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
        QTest::mouseClick(radio->button(2), Qt::LeftButton, {}, QPoint(6, radio->button(2)->height() / 2));
        QCOMPARE(radioClicks, 1);
        vehicles.table->Post();
        QCOMPARE(vehicles.table->FieldByName(QStringLiteral("Leasing"))->AsString(), QStringLiteral("Wahr"));
        QCOMPARE(vehicles.table->FieldByName(QStringLiteral("Art"))->AsInteger(), 30);
        radio->setItemIndex(0); // in code: clicks and writes
        QCOMPARE(radioClicks, 2);
        QCOMPARE(vehicles.table->FieldByName(QStringLiteral("Art"))->AsInteger(), 10);
        vehicles.table->Cancel();
        QCOMPARE(radio->itemIndex(), 2);
    }

    void comboLookupComboDatePickerLabelAndMemo()
    {
        DbFixture db;
        VehicleTable vehicles(db);
        DbFixture::addVehicles(*vehicles.table, {{"A-1", "Kombi", 1000}});
        auto groups = db.table(QStringLiteral("Gruppe.db"));
        groups->Open();
        for (const char *g : {"Außendienst", "Werkstatt"}) {
            groups->Append();
            groups->FieldByName(QStringLiteral("Gruppe"))->SetAsString(QString::fromUtf8(g));
            groups->Post();
        }
        dbe::TDataSource groupSource(groups.get());

        auto *combo = new DBComboBox;
        combo->addItems({"Kombi", "Bus"});
        combo->setDataSource(&vehicles.source);
        combo->setDataField(QStringLiteral("Info"));
        auto *lookup = new DBLookupComboBox;
        lookup->setListSource(&groupSource);
        lookup->setKeyField(QStringLiteral("Gruppe"));
        lookup->setListField(QStringLiteral("Gruppe"));
        lookup->setDataSource(&vehicles.source);
        lookup->setDataField(QStringLiteral("Gruppe"));
        auto *picker = new DBDatePicker;
        picker->setDataSource(&vehicles.source);
        picker->setDataField(QStringLiteral("Datum"));
        auto *label = new DBText;
        label->setDataSource(&vehicles.source);
        label->setDataField(QStringLiteral("Km"));
        auto *memo = new DBMemo;
        memo->setDataSource(&vehicles.source);
        memo->setDataField(QStringLiteral("Info"));
        int comboChanges = 0;
        on(combo, &ComboBox::onChange, combo, [&] { ++comboChanges; });
        Window window({combo, lookup, picker, label, memo});

        QCOMPARE(combo->text(), QStringLiteral("Kombi"));
        QCOMPARE(label->text(), QStringLiteral("1000"));
        QCOMPARE(picker->text(), QStringLiteral(" ")); // blank date
        QCOMPARE(lookup->count(), 0);                  // read when the user comes to it
        QCOMPARE(memo->toPlainText(), QStringLiteral("Kombi"));
        QCOMPARE(comboChanges, 0);

        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(comboChanges, 1);
        QCOMPARE(vehicles.table->State(), dbe::TDataSetState::dsEdit);

        lookup->setFocus();
        QCOMPARE(lookup->count(), 2);
        lookup->lineEdit()->selectAll();
        QTest::keyClicks(lookup->lineEdit(), QStringLiteral("Fuhrpark Nord")); // in no row
        picker->setFocus();
        picker->setValue(base::encodeDate(2024, 7, 1));
        picker->setCurrentSection(QDateTimeEdit::DaySection);
        QTest::keyClick(picker, Qt::Key_Up);
        vehicles.table->Post();
        QCOMPARE(vehicles.table->FieldByName(QStringLiteral("Info"))->AsString(), QStringLiteral("Bus"));
        QCOMPARE(vehicles.table->FieldByName(QStringLiteral("Gruppe"))->AsString(),
                 QStringLiteral("Fuhrpark Nord"));
        QCOMPARE(vehicles.table->FieldByName(QStringLiteral("Datum"))->AsDateTime(),
                 base::encodeDate(2024, 7, 2));
        QCOMPARE(memo->toPlainText(), QStringLiteral("Bus"));

        // Choosing a row of the list writes its key.
        lookup->setFocus();
        lookup->setCurrentIndex(1);
        emit lookup->activated(1);
        window.other->setFocus();
        vehicles.table->Post();
        QCOMPARE(vehicles.table->FieldByName(QStringLiteral("Gruppe"))->AsString(),
                 QStringLiteral("Werkstatt"));
    }

    // A lookup reads its list when the user first comes to it, not while it
    // is set up or shown (it shows its row's text by a keyed lookup until
    // then), and again only when it opens after its list dataset changed;
    // moving through the list dataset changes nothing.
    void lookupReadsItsListWhenFirstUsedAndAfterItsDatasetChanged()
    {
        DbFixture db;
        VehicleTable list(db), data(db);
        DbFixture::addVehicles(*list.table, {{"A-1", "Kombi", 1000}, {"B-2", "Transporter", 2000}});
        data.table->Refresh();
        data.table->First();
        auto *lookup = new DBLookupComboBox;
        lookup->setListSource(&list.source);
        lookup->setKeyField(QStringLiteral("KfzNr"));
        lookup->setListField(QStringLiteral("Info"));
        lookup->setDataSource(&data.source);
        lookup->setDataField(QStringLiteral("KfzNr"));
        QCOMPARE(lookup->count(), 0);
        QVERIFY(lookup->listOutdated());
        QCOMPARE(lookup->currentText(), QStringLiteral("A-1")); // the key while hidden

        Window window({new QLineEdit, lookup}); // the window's focus goes to the edit
        QTRY_VERIFY(QApplication::focusWidget());
        QCOMPARE(lookup->count(), 0);
        QCOMPARE(lookup->currentText(), QStringLiteral("Kombi"));
        data.table->Next();
        QCOMPARE(lookup->currentText(), QStringLiteral("Transporter"));
        data.table->Append();
        data.table->FieldByName(QStringLiteral("KfzNr"))->SetAsString(QStringLiteral("X-9"));
        QCOMPARE(lookup->currentText(), QStringLiteral("X-9")); // in no row: the key as it stands
        data.table->Cancel();
        QCOMPARE(list.table->FieldByName(QStringLiteral("KfzNr"))->AsString(), QStringLiteral("A-1"));
        QVERIFY(lookup->listOutdated());

        // Entering the box reads the list (typing completes from it).
        lookup->setFocus();
        QTRY_VERIFY(lookup->hasFocus());
        QCOMPARE(lookup->count(), 2);
        QCOMPARE(lookup->currentText(), QStringLiteral("Transporter"));
        list.table->Next();
        list.table->Prior();
        QVERIFY(!lookup->listOutdated());
        list.table->Append();
        list.table->FieldByName(QStringLiteral("KfzNr"))->SetAsString(QStringLiteral("C-3"));
        list.table->FieldByName(QStringLiteral("Info"))->SetAsString(QStringLiteral("Bus"));
        list.table->Post();
        QVERIFY(lookup->listOutdated());
        QCOMPARE(lookup->count(), 2);
        lookup->showPopup();
        lookup->hidePopup();
        QCOMPARE(lookup->count(), 3);
        QVERIFY(!lookup->listOutdated());

        list.table->Close();
        QVERIFY(lookup->listOutdated());
        lookup->showPopup();
        lookup->hidePopup();
        QCOMPARE(lookup->count(), 0);
    }

    void imageFromBlobAndFromLinkedFile()
    {
        DbFixture db;
        VehicleTable vehicles(db);
        DbFixture::addVehicles(*vehicles.table, {{"A-1", "Kombi", 1000}, {"B-2", "Bus", 0}});
        QImage red(8, 6, QImage::Format_RGB32);
        red.fill(Qt::red);
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(red.save(&buffer, "JPG"));
        vehicles.table->Edit();
        vehicles.table->FieldByName(QStringLiteral("Bild"))->SetAsBytes(jpeg);
        vehicles.table->Post();
        const QString bmpPath = QString::fromStdString((db.dir / "bild.bmp").string());
        QImage blue(5, 4, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        QVERIFY(blue.save(bmpPath, "BMP"));
        vehicles.table->Next();
        vehicles.table->Edit();
        vehicles.table->FieldByName(QStringLiteral("Info"))->SetAsString(bmpPath);
        vehicles.table->Post();
        vehicles.table->First();

        DBImage fromBlob;
        fromBlob.setDataSource(&vehicles.source);
        fromBlob.setDataField(QStringLiteral("Bild"));
        DBImage fromFile;
        fromFile.setDataSource(&vehicles.source);
        fromFile.setDataField(QStringLiteral("Info"));
        QCOMPARE(fromBlob.picture().size(), QSize(8, 6));
        QVERIFY(fromFile.picture().isNull()); // "Kombi" is no file
        vehicles.table->Next();
        QVERIFY(fromBlob.picture().isNull());
        QCOMPARE(fromFile.picture().size(), QSize(5, 4));
        QCOMPARE(fromFile.picture().pixelColor(0, 0), QColor(Qt::blue));

        DBImage plain; // no data source: a picture file shown directly
        QVERIFY(plain.loadFromFile(bmpPath));
        QVERIFY(!plain.loadFromFile(bmpPath + QStringLiteral(".fehlt")));
        QVERIFY(plain.picture().isNull());
    }
};

UI_TEST_MAIN(DataAwareTest)
#include "data_aware_test.moc"
