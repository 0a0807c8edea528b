#include "GridMarken.h"

#include <algorithm>

#include <QObject>

#include "dbe/DataSet.h"

namespace reporting {

GridMarken *MarkenVon(QObject *grid)
{
    return dynamic_cast<GridMarken *>(grid);
}

QList<int> MarkenInTabellenfolge(GridMarken &marken)
{
    const int n = marken.MarkenAnzahl();
    QList<std::pair<int, int>> position; // row number in the data set, mark
    for (int i = 0; i < n; ++i) {
        marken.ZuMarke(i);
        position.append({marken.MarkenDaten().RecNo(), i});
    }
    std::stable_sort(position.begin(), position.end());
    QList<int> folge;
    for (const auto &p : position)
        folge.append(p.second);
    return folge;
}

} // namespace reporting
