#pragma once

#include <QString>

#include "reportengine/ExportSource.h"

namespace tb {

class LineExport;

// The export targets of option string 2: "PDF", "XLS", "HTML", "MHTML", "RTF", "TXT", "XML".
bool isKnownExportTarget(const QString &target);
// File extension (without dot) and file dialog filter of a target.
QString exportExtension(const QString &target);
QString exportDialogFilter(const QString &target);

// Writes the data export of `target` (any target but PDF) to `file`; the pictures of an HTML export go
// beside it. False when the file cannot be written or the data does not fit the format.
bool writeDataExport(const QString &target, const ExportSource &source, const QString &file);
// Writes what a line writer has taken in to `file` (and the files that go beside it); false as above.
bool finishDataExport(LineExport &writer, const QString &file);

} // namespace tb
