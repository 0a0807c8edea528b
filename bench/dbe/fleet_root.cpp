#include "fleet_root.h"

#include <cstdio>
#include <cstdlib>

#include "daten/Aliase.h"
#include "daten/ErsterStart.h"
#include "daten/schema/Katalog.h"
#include "dbe/Session.h"
#include "fleet_generator.h"

namespace {
const char *const kRootVariables[] = {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "KARVENFP_CONFIG_DIR"};
} // namespace

QProcessEnvironment fleetRootEnvironment(const QString &root, const QString &platform)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    env.insert(QStringLiteral("XDG_DATA_HOME"), root + QStringLiteral("/daten"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("/config"));
    env.insert(QStringLiteral("KARVENFP_CONFIG_DIR"), root + QStringLiteral("/config/karvenfp"));
    return env;
}

QString prepareFleetRoot(const QString &root, int vehicles)
{
    const QProcessEnvironment env = fleetRootEnvironment(root, QStringLiteral("offscreen"));
    // The first start finds its root through the environment of this process.
    for (const char *name : kRootVariables)
        setenv(name, env.value(QString::fromLatin1(name)).toUtf8().constData(), 1);
    {
        dbe::TSession session;
        fleet::ErsterStartEinrichten(session);
    }
    FleetDirectorySize size;
    size.vehicles = vehicles;
    const QString client = fleet::DatenWurzel() + QStringLiteral("/Datenbk");
    const long long rows =
        generateFleetDirectory(client, size, fleet::KatalogDesAlias(fleet::kAliasFuhrpark));
    std::printf("fleet: %d vehicles, %lld rows in %s\n", vehicles, rows, qPrintable(client));
    for (const char *name : kRootVariables)
        unsetenv(name);
    return client;
}
