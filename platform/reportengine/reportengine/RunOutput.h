#pragma once

#include "reportengine/PagePainter.h"

namespace tb {

class EngineUi;
class Job;

// Who hears of the painting of the job's pages: its callback, as its mask asks (no progress).
PaintNotifier paintNotifier(Job &job);

// Writes what a finished print run produced: the printer's pages, the preview file or the export.
// Returns the engine's code for TbPrintEnd.
int writeRunOutput(Job &job, EngineUi &ui);

} // namespace tb
