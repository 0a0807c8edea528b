#include "regeln/DispoKollision.h"

#include <cmath>

#include "dbe/Table.h"

namespace fleet {

namespace {

// Date plus time of day in milliseconds, so that equal clock times typed in
// different places compare equal.
qint64 zeitpunkt(base::TDateTime datum, base::TDateTime uhrzeit)
{
    return std::llround((datum + uhrzeit) * 86400000.0);
}

} // namespace

std::optional<DispoBuchung> DispoKollisionSuchen(const DispoBuchung &buchung,
                                                 const QList<DispoBuchung> &andere)
{
    const qint64 ns = zeitpunkt(buchung.DatumVon, buchung.UhrzeitVon);
    const qint64 ne = zeitpunkt(buchung.DatumBis, buchung.UhrzeitBis);
    for (const DispoBuchung &b : andere) {
        if (buchung.zeile != 0 && b.zeile == buchung.zeile)
            continue;
        const qint64 es = zeitpunkt(b.DatumVon, b.UhrzeitVon);
        const qint64 ee = zeitpunkt(b.DatumBis, b.UhrzeitBis);
        if ((es < ns && ns < ee) || (es < ne && ne < ee) || (ns <= es && ne >= ee))
            return b;
    }
    return std::nullopt;
}

QList<DispoBuchung> DispoBuchungenLesen(const dbe::TTable &dispo, const QString &kfzNr)
{
    dbe::TTable t(&dispo.Session());
    t.SetDatabaseName(dispo.DatabaseName());
    t.SetTableName(dispo.TableName());
    t.Open();
    // The primary index begins with the vehicle.
    t.SetRange({kfzNr}, {kfzNr});
    dbe::TField *kfz = t.FieldByName(QStringLiteral("Kfznr"));
    dbe::TField *von = t.FieldByName(QStringLiteral("DatumVon"));
    dbe::TField *bis = t.FieldByName(QStringLiteral("DatumBis"));
    dbe::TField *uhrVon = t.FieldByName(QStringLiteral("UhrzeitVon"));
    dbe::TField *uhrBis = t.FieldByName(QStringLiteral("UhrzeitBis"));
    QList<DispoBuchung> buchungen;
    for (t.First(); !t.Eof(); t.Next()) {
        if (kfz->AsString() != kfzNr)
            continue;
        buchungen.append({t.GetBookmark().rowId, von->AsDateTime(), bis->AsDateTime(), uhrVon->AsDateTime(),
                          uhrBis->AsDateTime()});
    }
    return buchungen;
}

bool DispoKollisionPruefen(const dbe::TTable &dispo, const QString &kfzNr, qint64 eigeneZeile,
                           base::TDateTime &DatumVon, base::TDateTime &DatumBis, base::TDateTime &UhrzeitBis,
                           base::TDateTime &UhrzeitVon)
{
    const DispoBuchung buchung{eigeneZeile, DatumVon, DatumBis, UhrzeitVon, UhrzeitBis};
    const std::optional<DispoBuchung> andere =
        DispoKollisionSuchen(buchung, DispoBuchungenLesen(dispo, kfzNr));
    if (!andere)
        return false;
    DatumVon = andere->DatumVon;
    DatumBis = andere->DatumBis;
    UhrzeitBis = andere->UhrzeitBis;
    UhrzeitVon = andere->UhrzeitVon;
    return true;
}

} // namespace fleet
