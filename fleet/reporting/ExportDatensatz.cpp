#include "ExportDatensatz.h"

#include <cmath>

#include "Tb14.h"
#include "dbe/Table.h"

namespace reporting {

void ExportDatensatzDefinieren(TTb14_ &tb, dbe::TTable &tabelle, bool entwurf, int &prozent, bool &letzter)
{
    for (int i = 0; i < tabelle.FieldCount(); ++i)
        tb.DefineFieldFromDbField(*tabelle.Fields(i));
    if (entwurf)
        return;
    const int anzahl = tabelle.RecordCount();
    prozent = anzahl > 0 ? int(std::lround(double(tabelle.RecNo()) / anzahl * 100.0)) : 0;
    tabelle.Next();
    if (tabelle.Eof())
        letzter = true;
}

} // namespace reporting
