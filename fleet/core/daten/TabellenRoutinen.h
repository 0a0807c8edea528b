#pragma once

namespace dbe {
class TTable;
}

// Whole-table routines shared by the evaluations, the fuel import and the
// cascade deletion. None of them raises; the result tells.
namespace fleet {

// Empties the table under an exclusive open and opens it again. False when the
// table could not be had exclusively or not emptied; the table is then opened
// again (not exclusively) as far as that is possible.
bool TabelleLeeren(dbe::TTable &tabelle);

// Whole-table write lock shared between workstations; false when another one holds it.
bool TabelleSperren(dbe::TTable &tabelle);
bool TabelleEntsperren(dbe::TTable &tabelle);

} // namespace fleet
