#include "regeln/MonatsSummenJeFahrzeug.h"

#include "daten/SichtLesen.h"
#include "dbe/FieldTotals.h"
#include "dbe/ReadScope.h"
#include "dbe/Table.h"
#include "dbe/detail/Cursor.h"

namespace fleet {

bool MonatsSummenJeFahrzeugLesbar(const dbe::TTable &monate)
{
    if (!monate.Active() || !monate.cursor() || monate.cursor()->filtered() || !monate.MasterSource() ||
        monate.MasterFields().compare(QStringLiteral("KfzNr"), Qt::CaseInsensitive) != 0)
        return false;
    const QStringList reihenfolge = monate.IndexFields();
    return !reihenfolge.isEmpty() &&
           reihenfolge[0].compare(QStringLiteral("KfzNr"), Qt::CaseInsensitive) == 0;
}

QHash<QString, TMonatsSummen> MonatsSummenJeFahrzeug(dbe::TTable &monate, const QString &filter)
{
    monate.CheckBrowseMode();
    // A table of its own on the same storage and order, without the master
    // link: its view holds the rows of every vehicle, grouped by vehicle.
    dbe::TTable alle(&monate.Session());
    alle.SetDatabaseName(monate.DatabaseName());
    alle.SetTableName(monate.TableName());
    alle.SetIndexName(monate.IndexName());
    if (!monate.IndexFieldNames().isEmpty())
        alle.SetIndexFieldNames(monate.IndexFieldNames());
    if (!filter.isEmpty()) {
        alle.SetFilter(filter);
        alle.SetFiltered(true);
    }
    alle.Open();

    const QStringList &summiert = MonatsSummenFelder();
    QStringList felder{QStringLiteral("KfzNr")};
    felder << summiert;
    QHash<QString, TMonatsSummen> summen;
    QString kfzNr;
    dbe::TFieldTotals t;
    const auto abschliessen = [&] {
        if (t.count > 0)
            MonatsSummenAusSummen(t, summen[kfzNr]);
    };
    {
        const dbe::TReadScope lesen(alle);
        SichtLesen(alle, felder, [&](const std::vector<QVariant> &zeile) {
            const QString nr = zeile[0].toString();
            if (t.count == 0 || nr != kfzNr) {
                abschliessen();
                kfzNr = nr;
                t = dbe::TFieldTotals();
                t.sums.assign(summiert.size(), 0.0);
                t.amounts.assign(summiert.size(), base::Currency());
            }
            ++t.count;
            // Blank counts as 0, as in the table's own totals.
            for (qsizetype i = 0; i < summiert.size(); ++i) {
                const double v = zeile[i + 1].isNull() ? 0.0 : zeile[i + 1].toDouble();
                t.sums[i] += v;
                t.amounts[i] += v;
            }
        });
    }
    abschliessen();
    alle.Close();
    return summen;
}

} // namespace fleet
