#pragma once

#include <vector>

#include <QString>

#include "reportengine/PageModel.h"

// The floor of a report's PDF: the texts of the same laid-out pages, each
// drawn with plain QPainter::drawText in its font at its place on a
// QPdfWriter, no engine between. Returns the CPU seconds it took.
double PdfFloorCpuSeconds(const std::vector<tb::Page> &pages, const QString &file);
