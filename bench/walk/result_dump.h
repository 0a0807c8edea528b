#pragma once

#include <QString>

// Writes the evaluations' result tables (vehicle comparison, fleet costs, the
// monthly evaluation of all vehicles, the due list) of every database under
// `root` to `file` as text, rows in sorted order, so that the figures of two
// runs can be compared with diff. Returns the number of rows written, -1 when
// the file cannot be written.
long long DumpResultTables(const QString &root, const QString &file);
