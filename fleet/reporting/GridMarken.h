#pragma once

#include <QList>

class QObject;

namespace dbe {
class TDataSet;
}

namespace reporting {

// The marked rows of a grid as the reports read them: how many, and moving the grid's data set to
// one of them. A grid that marks rows offers this interface.
class GridMarken {
public:
    virtual ~GridMarken() = default;
    virtual int MarkenAnzahl() const = 0;
    virtual void ZuMarke(int i) = 0;
    virtual dbe::TDataSet &MarkenDaten() = 0;
};

// The marks of a grid component; null when it marks nothing.
GridMarken *MarkenVon(QObject *grid);

// The marks in the order of their rows in the data set (the order of selection is not kept).
// Moves the data set.
QList<int> MarkenInTabellenfolge(GridMarken &marken);

} // namespace reporting
