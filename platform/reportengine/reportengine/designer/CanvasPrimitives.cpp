#include "reportengine/designer/CanvasPrimitives.h"

#include "reportengine/Layouter.h"
#include "reportengine/designer/DesignRules.h"

namespace tb::designer {

Page objectPrimitives(const Project &project, const QString &projectFile, int index)
{
    Page page;
    page.number = 1;
    if (index < 0 || index >= int(project.objects.size()))
        return page;
    Project single;
    single.kind = project.kind;
    single.page = project.page;
    single.font = project.font;
    single.objects.push_back(showingExpressions(project.objects[size_t(index)]));
    Layouter::Options options;
    options.spaceOptimization = false;
    const Layouter layouter(single, projectFile, options);
    page.sizePt = layouter.pageSizePt();
    EvalContext context;
    context.page = 1;
    context.projectFile = projectFile;
    context.lookup = [](const QString &) { return std::optional<Value>(); };
    if (single.objects.front().type != PageObject::Type::Table) {
        layouter.drawPageObjects(page, context);
        return page;
    }
    if (!layouter.hasTable()) // a table in a card is not printed; show nothing but its frame
        return page;
    double y = layouter.tableTopPt();
    for (const auto &block :
         {layouter.header(context), layouter.rows(context, 1), layouter.footer(context)}) {
        layouter.place(page, block, y, true);
        y += block.heightPt;
    }
    return page;
}

} // namespace tb::designer
