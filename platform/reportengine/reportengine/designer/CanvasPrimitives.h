#pragma once

#include "reportengine/PageModel.h"
#include "reportengine/Project.h"

namespace tb::designer {

// What printing draws for one object of the project, with its expressions shown as text; a table
// shows its header lines, row definitions and footer lines once each, top-aligned.
Page objectPrimitives(const Project &project, const QString &projectFile, int index);

} // namespace tb::designer
