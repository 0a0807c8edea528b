#pragma once

#include "dbe/WriteBatch.h"

namespace fleet {

// An evaluation writes its result rows in one write batch of the result table's database (one
// commit instead of one per row; see dbe::TWriteBatch). Opened before the result table is emptied,
// the emptying joins the same commit.
class ErgebnisTransaktion : public dbe::TWriteBatch {
public:
    using dbe::TWriteBatch::TWriteBatch;

    // Commits now; a failure is raised to the caller.
    void Abschliessen() { Commit(); }
};

} // namespace fleet
