#pragma once

#include <functional>
#include <vector>

#include <QStringList>
#include <QVariant>

namespace dbe {
class TTable;
} // namespace dbe

namespace fleet {

// Reads the rows of an open table's view (its order, range, filters and
// filter trees) through a cursor of its own and hands `jeZeile` the values of
// `felder` of each, blank as null. The table does not move: neither its
// events nor its controls nor its details hear of the walk.
void SichtLesen(dbe::TTable &tabelle, const QStringList &felder,
                const std::function<void(const std::vector<QVariant> &)> &jeZeile);

} // namespace fleet
