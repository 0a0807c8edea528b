#include "daten/Programmstart.h"

#include <QDir>

#include "daten/DataModule1.h"
#include "daten/ErsterStart.h"
#include "daten/Programmkoerper.h"
#include "dbe/Session.h"
#include "dienste/Dienstvertraege.h"
#include "ui/Messages.h"

namespace fleet {

namespace {

const QString kEnde = QStringLiteral("\r\rDas Programm wird beendet.");

QString grund(const std::exception &e)
{
    if (const auto *db = dynamic_cast<const dbe::EDatabaseError *>(&e))
        return db->Message();
    return QString::fromLocal8Bit(e.what());
}

} // namespace

int ProgrammStarten(Programmkoerper &koerper, const std::function<int()> &nachrichtenschleife,
                    dbe::TSession &session)
{
    // A data file found damaged is opened for reading only; the user learns why nothing can be saved.
    session.OnStorageDamaged = [](const QString &meldung) { ui::messages().error(meldung); };
    try {
        ErsterStartEinrichten(session);
    } catch (const std::exception &e) {
        ui::messages().error(QStringLiteral("Die Datenverzeichnisse konnten nicht eingerichtet werden:\r") +
                             grund(e) + kEnde);
        return 1;
    }
    // Report projects and exported files are found by plain relative names.
    QDir().mkpath(ProgrammVerzeichnisPfad());
    QDir::setCurrent(ProgrammVerzeichnisPfad());

    try {
        koerper.erzeugen();
    } catch (const EDateiOeffnen &e) {
        ui::messages().error(e.Message() + kEnde);
        return 1;
    } catch (const std::exception &e) {
        ui::messages().error(grund(e) + kEnde);
        return 1;
    }
    // Every part has put its services in force by now; commands whose service
    // is missing stay disabled, and the trace says which.
    DiensteBeimStartPruefen();
    const int code = nachrichtenschleife();
    koerper.freigeben();
    return code;
}

} // namespace fleet
