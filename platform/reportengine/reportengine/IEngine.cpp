#include "reportengine/IEngine.h"

#include "reportengine/Engine.h"
#include "reportengine/QtEngineUi.h"

namespace tb {

namespace {
std::unique_ptr<IEngine> &instance()
{
    static std::unique_ptr<IEngine> engine;
    return engine;
}
} // namespace

IEngine &engine()
{
    auto &current = instance();
    if (!current)
        current = std::make_unique<Engine>(std::make_unique<QtEngineUi>());
    return *current;
}

std::unique_ptr<IEngine> setEngine(std::unique_ptr<IEngine> engine)
{
    std::unique_ptr<IEngine> previous = std::move(instance());
    instance() = std::move(engine);
    return previous;
}

} // namespace tb
