#pragma once

namespace dbe {
class TTable;
}

// The scratch tables TTblVar and TTblVar1 of the data module are lent to
// evaluations and reports; a borrower resets what it borrowed. Rest state:
// closed, alias "Fuhrpark", no index, no master link, no filter. The table name
// stays for the next borrower to set. Errors are swallowed.
namespace fleet {

// Resets TTblVar and TTblVar1, each on its own: a failure with one leaves the
// other reset all the same.
void HilfstabellenZuruecksetzen();
void HilfstabelleZuruecksetzen();  // TTblVar only
void Hilfstabelle1Zuruecksetzen(); // TTblVar1 only

// The reset of one scratch table.
void HilfstabelleInRuhe(dbe::TTable &tabelle);

} // namespace fleet
