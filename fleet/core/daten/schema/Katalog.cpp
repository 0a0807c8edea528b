#include "daten/schema/Katalog.h"

#include "daten/schema/KatalogTeile.h"

namespace fleet {

namespace {

QString ohneEndung(const QString &name)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

} // namespace

const QList<dbe::TableDef> &SchemaKatalog()
{
    static const QList<dbe::TableDef> katalog = [] {
        QList<dbe::TableDef> all;
        all << schema::fahrzeugStamm() << schema::fahrzeugDetails() << schema::nachschlagTabellen()
            << schema::arbeitsplatz() << schema::mandanten();
        return all;
    }();
    return katalog;
}

const dbe::TableDef *KatalogTabelle(const QString &tableName)
{
    const QString wanted = ohneEndung(tableName);
    for (const dbe::TableDef &t : SchemaKatalog()) {
        if (ohneEndung(t.name).compare(wanted, Qt::CaseInsensitive) == 0)
            return &t;
    }
    return nullptr;
}

QList<dbe::TableDef> KatalogDesAlias(const QString &alias)
{
    QList<dbe::TableDef> result;
    for (const dbe::TableDef &t : SchemaKatalog()) {
        if (t.alias.compare(alias, Qt::CaseInsensitive) == 0)
            result << t;
    }
    return result;
}

} // namespace fleet
