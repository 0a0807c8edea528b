#pragma once

#include <functional>

#include <QString>
#include <QStringList>

#include "reportengine/PageModel.h"

namespace projektlauf {

// A value for every name a project uses; `row` counts the table rows from 0 (0 for variables).
using Werte = std::function<QString(const QString &name, int row)>;

// The names a project's expressions use, once each; empty (with a test failure) if it cannot be read.
QStringList namenDesProjekts(const QString &file);

// Runs a project file as the print loops do, every name defined by `werte`, `rows` table rows for a
// list, into the preview file in `tempDir` (answered in `model`) or, with `pdf`, exported to that PDF.
bool drucken(const QString &file, const Werte &werte, const QString &tempDir, tb::PageModel &model,
             int rows = 3, const QString &pdf = QString());

} // namespace projektlauf
