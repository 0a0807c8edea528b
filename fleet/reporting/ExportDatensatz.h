#pragma once

namespace dbe {
class TTable;
}

namespace reporting {

class TTb14_;

// One record of the data export as the version-14 component asks for it (its OnDefineFields):
// every field of the table defined as a typed report field; in a run, not in the designer, also
// the progress (the record's number of the table's count, in percent) and the move to the next
// record, with the last one flagged. The run reads best inside a dbe::TReadScope of the table: the
// count and the number then cost no lock of the storage per record.
void ExportDatensatzDefinieren(TTb14_ &tb, dbe::TTable &tabelle, bool entwurf, int &prozent, bool &letzter);

} // namespace reporting
