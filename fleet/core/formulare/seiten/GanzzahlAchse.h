#pragma once

class QValueAxis;

namespace fleet {

// Puts the axis on round ends and gives it no more marks than whole steps
// lie between them: its labels show whole numbers, so a mark between two
// of them would repeat a label ("0, 0, 1, 1, 1" on an empty chart).
void GanzzahligTeilen(QValueAxis &achse);

} // namespace fleet
