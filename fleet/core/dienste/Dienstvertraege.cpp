#include "dienste/Dienstvertraege.h"

#include "dienste/Protokoll.h"
#include "dienste/ReportDienste.h"
#include "dienste/TerminDienste.h"

namespace fleet {

const Dienstvertrag kTerminDienste{QStringLiteral("TerminDienste"), QStringLiteral("Terminverwaltung"),
                                   &Dienst<TerminDienste>::vorhanden};
const Dienstvertrag kReportDienste{QStringLiteral("ReportDienste"), QStringLiteral("Berichte und Export"),
                                   &Dienst<ReportDienste>::vorhanden};

const QList<const Dienstvertrag *> &Dienstvertraege()
{
    static const QList<const Dienstvertrag *> alle{&kTerminDienste, &kReportDienste};
    return alle;
}

QStringList DiensteBeimStartPruefen()
{
    QStringList fehlend;
    for (const Dienstvertrag *v : Dienstvertraege()) {
        if (v->vorhanden())
            continue;
        fehlend << v->name;
        qCWarning(lcFleet) << "Dienst nicht vorhanden, die Befehle, die ihn brauchen, bleiben gesperrt:"
                           << v->name;
    }
    return fehlend;
}

QString DienstSperrgrund(const Dienstvertrag &vertrag)
{
    if (vertrag.vorhanden())
        return {};
    return QStringLiteral("Teil \"%1\" ist in diesem Programm nicht enthalten").arg(vertrag.teil);
}

} // namespace fleet
