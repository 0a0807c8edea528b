// Report expressions: parsing and evaluating any text, with every name defined.
#include <cstddef>
#include <cstdint>

#include "reportengine/Expression.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString source = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto expression = tb::Expression::parse(source);
    if (!expression)
        return 0;
    tb::EvalContext context;
    context.now = 45293.5;
    context.page = 3;
    int calls = 0;
    context.lookup = [&calls](const QString &name) -> std::optional<tb::Value> {
        switch (++calls % 4) {
        case 0:
            return tb::Value::ofNumber(1e11);
        case 1:
            return tb::Value::ofText(name);
        case 2:
            return tb::Value::ofDate(45293);
        default:
            return tb::Value::null();
        }
    };
    context.onError = [](const QString &) {};
    expression->evaluate(context);
    expression->holds(context);
    return 0;
}
