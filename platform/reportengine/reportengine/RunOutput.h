#pragma once

namespace tb {

class EngineUi;
class Job;

// Writes what a finished print run produced: the printer's pages, the preview file or the export.
// Returns the engine's code for TbPrintEnd.
int writeRunOutput(Job &job, EngineUi &ui);

} // namespace tb
