#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include "temp_dir.h"
#include "ui/AbortKey.h"
#include "ui/Clock.h"
#include "ui/Colors.h"
#include "ui/Dialogs.h"
#include "ui/Hourglass.h"
#include "ui/Printer.h"
#include "ui/ScreenCursor.h"
#include "ui/testing/FakeServices.h"
#include "ui_test_main.h"

using namespace ui;

namespace {

Qt::CursorShape overrideShape()
{
    const QCursor *cursor = QGuiApplication::overrideCursor();
    return cursor ? cursor->shape() : Qt::CustomCursor; // CustomCursor: no override
}

} // namespace

class ServicesTest : public QObject {
    Q_OBJECT
private slots:
    void screenCursorIsTheOverrideCursor()
    {
        setScreenCursor(cursor::HandPoint);
        QCOMPARE(overrideShape(), Qt::PointingHandCursor);
        setScreenCursor(cursor::HourGlass);
        QCOMPARE(overrideShape(), Qt::WaitCursor);
        setScreenCursor(cursor::Default);
        QVERIFY(!QGuiApplication::overrideCursor());
        registerCursor(27324, QCursor(Qt::BusyCursor));
        setScreenCursor(27324);
        QCOMPARE(overrideShape(), Qt::BusyCursor);
        setScreenCursor(cursor::Default);
    }

    void hourglassStackSavesTenLevels()
    {
        setScreenCursor(cursor::HandPoint);
        pushHourglass();
        QCOMPARE(screenCursor(), cursor::HourGlass);
        popHourglass();
        QCOMPARE(screenCursor(), cursor::HandPoint);
        QCOMPARE(hourglassDepth(), 0);

        popHourglass(); // unmatched: nothing happens
        QCOMPARE(hourglassDepth(), 0);
        QCOMPARE(screenCursor(), cursor::HandPoint);

        // Level 10 saves the cursor in force at the tenth push; the eleventh saves nothing.
        for (int i = 0; i < 9; ++i)
            pushHourglass();
        setScreenCursor(cursor::Cross);
        pushHourglass(); // tenth
        setScreenCursor(cursor::IBeam);
        pushHourglass(); // eleventh
        QCOMPARE(hourglassDepth(), 11);
        popHourglass(); // back to 10: restores nothing
        QCOMPARE(screenCursor(), cursor::HourGlass);
        popHourglass(); // back to 9: the cursor saved by the tenth push
        QCOMPARE(screenCursor(), cursor::Cross);
        while (hourglassDepth() > 0)
            popHourglass();
        QCOMPARE(screenCursor(), cursor::HandPoint);
        setScreenCursor(cursor::Default);
    }

    void abortKeyTakesEscapeAndSwallowsOtherKeys()
    {
        QLineEdit edit;
        edit.show();
        QVERIFY(!escapePressed());
        QCoreApplication::postEvent(&edit, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
        QVERIFY(!escapePressed());
        QCOMPARE(edit.text(), QString()); // swallowed
        QCoreApplication::postEvent(&edit, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        QVERIFY(escapePressed());
        QVERIFY(!escapePressed()); // taken once
    }

    void colours_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("black") << int(color::Black) << QColor(0, 0, 0);
        QTest::newRow("red, red in the low byte") << int(color::Red) << QColor(255, 0, 0);
        QTest::newRow("aqua") << int(color::Aqua) << QColor(0, 255, 255);
        QTest::newRow("teal") << int(color::Teal) << QColor(0, 128, 128);
        QTest::newRow("bgr 0x00336699") << 0x00336699 << QColor(0x99, 0x66, 0x33);
        const QPalette palette;
        QTest::newRow("button face") << int(color::BtnFace) << palette.color(QPalette::Button);
        QTest::newRow("window") << int(color::Window) << palette.color(QPalette::Base);
        QTest::newRow("window text") << int(color::WindowText) << palette.color(QPalette::Text);
        QTest::newRow("button highlight") << int(color::BtnHighlight) << palette.color(QPalette::Light);
        QTest::newRow("active caption")
            << int(color::ActiveCaption) << palette.color(QPalette::Active, QPalette::Highlight);
        // Stored as the negative 32-bit value.
        QTest::newRow("stored system colour") << int(-2147483633) << palette.color(QPalette::Button);
    }
    void colours()
    {
        QFETCH(int, value);
        QFETCH(QColor, expected);
        QCOMPARE(toQColor(value), expected);
    }

    void colourRoundTripAndNone()
    {
        QCOMPARE(fromQColor(QColor(0x12, 0x34, 0x56)), TColor(0x563412));
        QCOMPARE(fromQColor(toQColor(color::Silver)), color::Silver);
        QVERIFY(!toQColor(color::None).isValid());
        QVERIFY(isSystemColor(color::BtnFace));
        QVERIFY(!isSystemColor(color::White));
    }

    void controlColours()
    {
        QLineEdit edit;
        setBackgroundColor(&edit, color::Aqua);
        setTextColor(&edit, color::Red);
        QCOMPARE(edit.palette().color(QPalette::Base), QColor(0, 255, 255));
        QCOMPARE(edit.palette().color(QPalette::Text), QColor(255, 0, 0));
        setBackgroundColor(&edit, color::BtnFace); // a system colour as the palette has it
        QCOMPARE(edit.palette().color(QPalette::Base), QPalette().color(QPalette::Button));
        QImage shot = edit.grab().toImage();
        QCOMPARE(shot.pixelColor(shot.width() / 2, shot.height() / 2), QPalette().color(QPalette::Button));
    }

    void fileFiltersAndDefaultExtension()
    {
        QCOMPARE(toQtFilter(QStringLiteral("*.jpg|*.jpg")), QStringLiteral("*.jpg (*.jpg *.JPG)"));
        QCOMPARE(toQtFilter(QStringLiteral("Filterdefinitionen (*.TFD)|*.TFD")),
                 QStringLiteral("Filterdefinitionen (*.TFD *.tfd)"));
        QCOMPARE(toQtFilter(QStringLiteral("Rich Text Files (*.RTF)|*.RTF|Text Files (*.TXT)|*.TXT")),
                 QStringLiteral("Rich Text Files (*.RTF *.rtf);;Text Files (*.TXT *.txt)"));
        QCOMPARE(toQtFilter(QStringLiteral("Bilder|*.jpg;*.bmp|Alle|*.*")),
                 QStringLiteral("Bilder (*.jpg *.JPG *.bmp *.BMP);;Alle (*.*)"));
        QCOMPARE(withDefaultExtension(QStringLiteral("/tmp/filter"), QStringLiteral("TFD")),
                 QStringLiteral("/tmp/filter.TFD"));
        QCOMPARE(withDefaultExtension(QStringLiteral("/tmp/a.b/filter.tfd"), QStringLiteral("TFD")),
                 QStringLiteral("/tmp/a.b/filter.tfd"));
    }

    // The production save dialog: the system's filter, the default extension,
    // and the current directory as it was before.
    void productionSaveDialogAddsTheExtensionAndKeepsTheDirectory()
    {
        testsupport::TempDir dir;
        const QString folder = QString::fromStdString(dir.str());
        const QString before = QDir::currentPath();
        QtDialogs production;
        FileDialogOptions options;
        options.title = QStringLiteral("Speichere Filter für [Kfz]");
        options.filter = QStringLiteral("Filterdefinitionen (*.TFD)|*.TFD");
        options.defaultExtension = QStringLiteral("TFD");
        options.initialDirectory = folder;
        QStringList filters;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            filters = dialog->nameFilters();
            QDir::setCurrent(folder); // as a dialog of the original platform would
            dialog->selectFile(QDir(folder).filePath(QStringLiteral("filter")));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        const std::optional<QString> chosen = production.saveFile(options);
        QCOMPARE(chosen, std::optional<QString>(QDir(folder).filePath(QStringLiteral("filter.TFD"))));
        QCOMPARE(filters, QStringList{"Filterdefinitionen (*.TFD *.tfd)"});
        QCOMPARE(QDir::currentPath(), before);
    }

    // Printing a letter to a file proposes the letter's name with ".pdf" in
    // the user's documents folder, whatever the working directory and however
    // deep the letter lies.
    void printingALetterToAFileProposesItsNameInTheDocuments()
    {
        testsupport::TempDir home;
        const QString heim = QString::fromStdString(home.str());
        const QByteArray heimVorher = qgetenv("HOME");
        qputenv("HOME", heim.toUtf8());
        const QString dokumente = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QVERIFY(dokumente.startsWith(heim));
        QDir().mkpath(dokumente);
        const QString vorher = QDir::currentPath();
        QStringList vorschlaege;
        QTimer::singleShot(0, this, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            for (auto *edit : dialog->findChildren<QLineEdit *>())
                if (edit->objectName() == QLatin1String("filename"))
                    vorschlaege << edit->text();
            QMetaObject::invokeMethod(dialog, "reject");
        });
        SystemPrinter drucker;
        const bool gedruckt = drucker.print(
            QStringLiteral("/opt/karvenfp/Datenbk/Briefe/Mahnung Müller.rtf"), [](QPrinter &) {}, true);
        qputenv("HOME", heimVorher);
        QVERIFY(!gedruckt);
        // Qt appends the document's name (as "<name>.pdf") on X11 only.
        const QString name = QGuiApplication::platformName() == QLatin1String("xcb")
                                 ? QStringLiteral("Mahnung Müller.pdf")
                                 : QString();
        QCOMPARE(vorschlaege, QStringList{QDir(dokumente).absolutePath() + QLatin1Char('/') + name});
        QCOMPARE(QDir::currentPath(), vorher);
        // The document is named by the letter's file name, not its path.
        QString dokumentName;
        drucker.print(
            QStringLiteral("/opt/karvenfp/Datenbk/Briefe/Mahnung Müller.rtf"),
            [&](QPrinter &p) { dokumentName = p.docName(); }, false);
        QCOMPARE(dokumentName, QStringLiteral("Mahnung Müller.rtf"));
    }

    void productionPasswordEntryIsMaskedAndLimited()
    {
        QtDialogs production;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto *edit = dialog->findChild<QLineEdit *>();
            QVERIFY(edit);
            QCOMPARE(edit->echoMode(), QLineEdit::Password);
            QCOMPARE(edit->maxLength(), 10);
            QCOMPARE(dialog->labelText(), QStringLiteral("Paßwort eingeben:"));
            QTest::keyClicks(edit, QStringLiteral("geheim"));
            dialog->accept();
        });
        QCOMPARE(production.enterPassword(QStringLiteral("Paßwort-Dialog"),
                                          QStringLiteral("Paßwort eingeben:"), 10),
                 std::optional<QString>(QStringLiteral("geheim")));
    }

    void fakeDialogsAnswerFromTheScript()
    {
        testing::FakeDialogs fake;
        fake.answerFile(QStringLiteral("/daten/brief")).answerFile(std::nullopt);
        FileDialogOptions options;
        options.title = QStringLiteral("Speichere Filter");
        options.filter = QStringLiteral("Filterdefinitionen (*.TFD)|*.TFD");
        options.defaultExtension = QStringLiteral("TFD");
        QCOMPARE(dialogs().saveFile(options), std::optional<QString>(QStringLiteral("/daten/brief.TFD")));
        QVERIFY(!dialogs().openFile(options));
        QCOMPARE(fake.fileRequests.size(), 2);
        QCOMPARE(fake.fileRequests[0].filter, options.filter);
        fake.answerPassword(QStringLiteral("geheimgeheim"));
        QCOMPARE(dialogs().enterPassword(QStringLiteral("Paßwort-Dialog"),
                                         QStringLiteral("Paßwort eingeben:"), 10),
                 std::optional<QString>(QStringLiteral("geheimgehe")));
    }

    void fakePrinterWritesAPdfIntoTheTestDirectory()
    {
        testsupport::TempDir dir;
        testing::FakePrinter fake(QString::fromStdString(dir.str()));
        const bool printed = printer().print(
            QStringLiteral("Brief"),
            [](QPrinter &device) {
                QPainter painter(&device);
                painter.drawText(100, 100, QStringLiteral("Sehr geehrte Damen und Herren"));
            },
            true);
        QVERIFY(printed);
        QCOMPARE(fake.files.size(), 1);
        QFile pdf(fake.files.first());
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        fake.cancelDialog = true;
        QVERIFY(!printer().print(
            QStringLiteral("Brief"), [](QPrinter &) { QFAIL("printed after cancel"); }, true));
    }

    void clipboardAndClockFakes()
    {
        testing::FakeClipboard board;
        clipboard().setText(QStringLiteral("Tour"));
        QCOMPARE(clipboard().text(), QStringLiteral("Tour"));
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(Qt::red);
        clipboard().setImage(picture);
        QCOMPARE(clipboard().image(), picture);
        QVERIFY(clipboard().text().isEmpty());

        testing::FakeClock fakeClock(base::encodeDateTime(2024, 2, 29, 17, 30));
        QCOMPARE(today(), base::encodeDate(2024, 2, 29));
        QCOMPARE(ui::now(), base::encodeDateTime(2024, 2, 29, 17, 30));
    }

    void productionClockIsNow()
    {
        const base::TDateTime before = base::fromQDateTime(QDateTime::currentDateTime());
        const base::TDateTime now = ui::now();
        QVERIFY(now >= before && now - before < 1.0 / 24);
    }

    // The start-up pins German formats whatever the system locale is.
    void startUpPinsGermanFormats()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(startGerman());
        QCOMPARE(QLocale().toString(1234.5, 'f', 2), QStringLiteral("1234,50"));
        QCOMPARE(QLocale().toString(QDate(2024, 3, 5), QLocale::ShortFormat), QStringLiteral("05.03.24"));
        QCOMPARE(QLocale().monthName(3), QStringLiteral("März"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Ja"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
        QCOMPARE(std::strtod("1.5", nullptr), 1.5); // the C library stays neutral
    }
};

UI_TEST_MAIN(ServicesTest)
#include "services_test.moc"
