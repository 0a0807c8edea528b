#include "regeln/TabellenAnweisung.h"

#include "dbe/Field.h"
#include "dbe/Query.h"
#include "dbe/Table.h"

namespace fleet {

QString TabelleImSql(const dbe::TTable &tabelle)
{
    return dbe::QuotedTableName(tabelle.TableName());
}

QString SpaltenImSql(const QStringList &felder)
{
    QStringList spalten;
    for (const QString &f : felder)
        spalten << dbe::QuotedName(f);
    return spalten.isEmpty() ? QStringLiteral("1") : spalten.join(QStringLiteral(", "));
}

QString TextGleichImSql(const QString &feld, const QString &wert)
{
    if (wert.isEmpty())
        return dbe::QuotedName(feld) + QStringLiteral(" IS NULL");
    return dbe::QuotedName(feld) + QStringLiteral(" = ") + dbe::QuotedText(wert);
}

int GespeicherteZeilen(const dbe::TTable &tabelle)
{
    dbe::TQuery anzahl(&tabelle.Session());
    anzahl.SetDatabaseName(tabelle.DatabaseName());
    anzahl.SetSQL({QStringLiteral("SELECT count(*) FROM %1").arg(TabelleImSql(tabelle))});
    anzahl.Open();
    return anzahl.Fields(0)->AsInteger();
}

} // namespace fleet
