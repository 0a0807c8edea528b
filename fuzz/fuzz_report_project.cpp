// Report projects: a project file read as the engine reads it, every formula of it parsed.
#include <cstddef>
#include <cstdint>

#include "reportengine/Expression.h"
#include "reportengine/ProjectStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray json(reinterpret_cast<const char *>(data), qsizetype(size));
    tb::JsonProjectStore::keyWarnings(json);
    tb::Project project;
    QString error;
    if (!tb::JsonProjectStore::fromJson(json, project, &error))
        return 0;
    for (const QString &source : project.expressions())
        tb::Expression::parse(source, &error);
    tb::JsonProjectStore::toJson(project);
    return 0;
}
