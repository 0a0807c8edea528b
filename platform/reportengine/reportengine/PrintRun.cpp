#include "reportengine/PrintRun.h"

#include <cmath>

#include "reportengine/EngineTypes.h"

namespace tb {

namespace {
constexpr double kFitTolerancePt = 0.01;
}

PrintRun::PrintRun(Project project, QString projectFile, RunHost &host, Layouter::Options options)
    : project_(std::move(project)), projectFile_(std::move(projectFile)), host_(host),
      layouter_(project_, projectFile_, options)
{
    model_.projectFile = projectFile_;
    filter_ = Expression::parse(project_.filter);
    for (const auto &sum : project_.sums) {
        sumExpressions_.push_back(Expression::parse(sum.expr).value_or(Expression()));
        sums_.push_back(0);
    }
}

EvalContext PrintRun::context() const
{
    EvalContext c;
    c.page = current_;
    c.projectFile = projectFile_;
    c.now = host_.now();
    c.lookup = [this](const QString &name) -> std::optional<Value> {
        for (size_t i = 0; i < project_.sums.size(); ++i)
            if (project_.sums[i].name.compare(name, Qt::CaseInsensitive) == 0)
                return Value::ofNumber(sums_[i]);
        return host_.lookup(name);
    };
    RunHost *host = &host_;
    c.onError = [host](const QString &error) { host->notify(msg::ExpressionError, intptr_t(&error)); };
    return c;
}

void PrintRun::finishPages()
{
    if (!pageSink_ || model_.pages.empty())
        return;
    pageSink_->page(model_.pages.back());
    spare_ = std::move(model_.pages.back());
    spare_.items.clear();
    model_.pages.clear();
}

void PrintRun::beginPage()
{
    finishPages();
    ++current_;
    pageOpen_ = true;
    for (size_t i = 0; i < sums_.size(); ++i)
        if (project_.sums[i].resetPerPage)
            sums_[i] = 0;
    const EvalContext c = context();
    if (!sink_ || model_.pages.empty()) {
        Page page = std::move(spare_);
        page.number = current_;
        page.sizePt = layouter_.pageSizePt();
        layouter_.drawPageObjects(page, c);
        model_.pages.push_back(std::move(page));
    }
    tableY_ = layouter_.tableTopPt();
    tableHasLines_ = false;
    footerOnNewPage_ = false;
    headerPending_ = layouter_.hasTable() && !headerStreamed_;
    if (headerPending_ && !host_.delayTableHeader())
        placeHeader(c);
}

void PrintRun::streamBlock(Layouter::LineKind kind, const EvalContext &context)
{
    for (const TableLineRecord &record : layouter_.records(kind, context))
        sink_->line(record);
}

void PrintRun::placeHeader(const EvalContext &context)
{
    headerPending_ = false;
    if (sink_) {
        headerStreamed_ = true;
        streamBlock(Layouter::LineKind::Header, context);
        return;
    }
    const Layouter::Block block = layouter_.header(context);
    layouter_.place(model_.pages.back(), block, tableY_, true);
    keepRecords(block, std::nullopt);
    tableY_ += block.heightPt;
}

void PrintRun::keepRecords(const Layouter::Block &block, std::optional<TableLineRecord::Kind> kind)
{
    for (auto record : block.records) {
        record.page = current_;
        if (kind)
            record.kind = *kind;
        if (pageSink_)
            pageSink_->tableLine(record);
        else
            model_.table.push_back(std::move(record));
    }
}

int PrintRun::print()
{
    beginPage();
    if (project_.kind == ProjectKind::Card)
        pageOpen_ = false; // a card page is complete at once
    return TB_OK;
}

int PrintRun::placeBlock(const Layouter::Block &block, TableLineRecord::Kind kind)
{
    const EvalContext c = context();
    const double headerHeight = headerPending_ ? layouter_.header(c).heightPt : 0;
    const bool fits = tableY_ + headerHeight + block.heightPt <= layouter_.tableBottomPt() + kFitTolerancePt;
    // The first block of a fresh page is placed whatever its height, so no loop can run away.
    if (!fits && tableHasLines_)
        return TB_WRN_REPEAT_DATA;
    if (headerPending_)
        placeHeader(c);
    layouter_.place(model_.pages.back(), block, tableY_, true);
    keepRecords(block, kind);
    tableY_ += block.heightPt;
    tableHasLines_ = true;
    return TB_OK;
}

void PrintRun::addSums(const EvalContext &context)
{
    for (size_t i = 0; i < sums_.size(); ++i)
        sums_[i] += sumExpressions_[i].evaluate(context).toNumber();
}

int PrintRun::printFields()
{
    if (!pageOpen_)
        beginPage();
    const EvalContext c = context();
    if (filter_ && !filter_->holds(c)) {
        didMatch_ = false;
        host_.notify(msg::FailsFilter, 0);
        return TB_OK;
    }
    didMatch_ = true;
    if (sink_) {
        if (headerPending_)
            placeHeader(c);
        streamBlock(Layouter::LineKind::Row, c);
        ++rowIndex_;
        addSums(c);
        return TB_OK;
    }
    const int result = placeBlock(layouter_.rows(c, rowIndex_), TableLineRecord::Kind::Row);
    if (result == TB_OK) {
        ++rowIndex_;
        addSums(c);
    }
    return result;
}

int PrintRun::printFieldsEnd()
{
    if (!pageOpen_ || footerOnNewPage_)
        beginPage();
    if (sink_) {
        const EvalContext c = context();
        if (headerPending_)
            placeHeader(c);
        streamBlock(Layouter::LineKind::Footer, c);
        return TB_OK;
    }
    const int result = placeBlock(layouter_.footer(context()), TableLineRecord::Kind::Footer);
    footerOnNewPage_ = result == TB_WRN_REPEAT_DATA;
    return result;
}

int PrintRun::itemsPerPage() const
{
    if (!layouter_.hasTable())
        return 0;
    const EvalContext c = context();
    const double rowHeight = layouter_.firstRowHeightPt(c);
    const double room = layouter_.tableBottomPt() - layouter_.tableTopPt() - layouter_.header(c).heightPt -
                        layouter_.footer(c).heightPt;
    if (rowHeight <= 0)
        return 1;
    return std::max(1, int(std::floor(room / rowHeight)));
}

} // namespace tb
