// The program ends when its main window closes, without a word on the console.
#include <QCoreApplication>
#include <QTest>
#include <QTimer>

#include "ui/Connect.h"
#include "ui/FormBase.h"

namespace fleet {
void SchliessenBeendetProgramm(ui::FormBase &fenster);
}

namespace {

QStringList konsole;

void mitschreiben(QtMsgType, const QMessageLogContext &, const QString &text)
{
    konsole << text;
}

// Closes the window in the program's event loop and waits for the end of
// the program; false when it did not come within a second.
bool schliessenBeendet(ui::FormBase &fenster)
{
    QTimer::singleShot(0, &fenster, [&fenster] { fenster.close(); });
    QTimer wache;
    wache.setSingleShot(true);
    QObject::connect(&wache, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    wache.start(1000);
    return QCoreApplication::exec() == 0;
}

} // namespace

class ProgrammEndeTest : public QObject {
    Q_OBJECT
private slots:
    void closingTheMainWindowEndsTheProgramQuietly()
    {
        konsole.clear();
        const QtMessageHandler vorher = qInstallMessageHandler(mitschreiben);
        ui::FormBase fenster(QStringLiteral("HauptFormular"));
        fleet::SchliessenBeendetProgramm(fenster);
        bool offenLassen = true;
        ui::on(&fenster, &ui::FormBase::formClose, &fenster, [&](ui::CloseAction &aktion) {
            if (offenLassen)
                aktion = ui::CloseAction::None;
        });
        fenster.show();
        // A close handler keeping the window open keeps the program running.
        QVERIFY(!schliessenBeendet(fenster));
        QVERIFY(fenster.isVisible());
        offenLassen = false;
        QVERIFY(schliessenBeendet(fenster));
        QVERIFY(!fenster.isVisible());
        qInstallMessageHandler(vorher);
        QCOMPARE(konsole, QStringList());
    }
};

QTEST_MAIN(ProgrammEndeTest)
#include "programm_ende_test.moc"
