#pragma once

#include <QString>

class QWidget;

namespace reporting {

// The project of the current report run, a name relative to the program directory; the next run
// overwrites it.
extern QString ProjektDatei;
// The parent of the engine's progress box, options dialog and preview in the current run.
extern QWidget *ReportFenster;

} // namespace reporting
