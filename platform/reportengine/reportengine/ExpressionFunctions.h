#pragma once

#include <vector>

#include <QString>

#include "reportengine/Expression.h"
#include "reportengine/Value.h"

namespace tb::detail {

struct FunctionInfo {
    const char *name;
    int minArgs;
    int maxArgs; // -1: any
};

// The function of that name (case-insensitive), or null.
const FunctionInfo *findFunction(const QString &name);
const std::vector<FunctionInfo> &functionTable();

// Calls a library function; errors go to context.onError and give empty text.
Value callFunction(const FunctionInfo &function, const std::vector<Value> &args, const EvalContext &context);

// Date$ formatting: d dd M MM MMM MMMM yy yyyy h hh mm ss with German month and day names.
QString formatDatePattern(double dayCount, const QString &pattern);

} // namespace tb::detail
