#include "dienste/Protokoll.h"

#include <QString>

Q_LOGGING_CATEGORY(lcFleet, "karvenfp.fleet")

namespace fleet {

void Verschluckt(const char *wo, const std::exception &fehler)
{
    qCWarning(lcFleet).noquote() << wo << "übergangen:" << QString::fromLocal8Bit(fehler.what());
}

void Verschluckt(const char *wo)
{
    qCWarning(lcFleet).noquote() << wo << "übergangen: unbekannter Fehler";
}

} // namespace fleet
