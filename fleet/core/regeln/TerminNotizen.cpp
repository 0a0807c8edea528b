#include "regeln/TerminNotizen.h"

#include <exception>

#include "daten/Aliase.h"
#include "dbe/Table.h"
#include "dienste/Protokoll.h"

namespace fleet {

bool TerminInfoLoeschen(const QString &kfzNr, const QString &terminName, const QString &terminWert,
                        dbe::TSession *session)
{
    try {
        dbe::TTable notizen(session);
        notizen.SetDatabaseName(kAliasFuhrpark);
        notizen.SetTableName(QStringLiteral("KfzTerminInfo.db"));
        notizen.Open();
        if (!notizen.Locate(QStringLiteral("Kfznr;TerminName;Terminwert"), {kfzNr, terminName, terminWert}))
            return false;
        notizen.Delete();
        return true;
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
        return false;
    }
}

} // namespace fleet
