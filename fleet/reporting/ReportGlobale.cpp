#include "ReportGlobale.h"

namespace reporting {

QString ProjektDatei;
QWidget *ReportFenster = nullptr;

} // namespace reporting
