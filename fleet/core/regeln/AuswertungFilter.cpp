#include "regeln/AuswertungFilter.h"

namespace fleet {

QString AuswertungFilterName;
QString AuswertungFilterWert;

QString AuswertungFilterText()
{
    return AuswertungFilterName.isEmpty()
               ? QString()
               : AuswertungFilterName + QStringLiteral(" = ") + AuswertungFilterWert;
}

} // namespace fleet
