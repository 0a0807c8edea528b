#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "reportengine/Expression.h"
#include "reportengine/Layouter.h"
#include "reportengine/PageModel.h"
#include "reportengine/Project.h"

namespace tb {

// What a print run asks of its job while it lays out.
class RunHost {
public:
    virtual ~RunHost() = default;
    // A defined field or variable by the name the project uses.
    virtual std::optional<Value> lookup(const QString &name) const = 0;
    virtual void notify(unsigned message, intptr_t parameter) = 0;
    virtual bool delayTableHeader() const = 0;
    virtual double now() const = 0;
};

// Where a run that writes a data file sends its table lines, one by one as they come.
class TableLineSink {
public:
    virtual ~TableLineSink() = default;
    virtual void line(const TableLineRecord &line) = 0;
};

// Where a run that paints as it goes sends its pages, each once it is finished, in order, and the
// table lines of each page as they are placed on it (before the page).
class PageSink {
public:
    virtual ~PageSink() = default;
    virtual void page(const Page &page) = 0;
    virtual void tableLine(const TableLineRecord &) {}
};

// The page loop of one print run: begins pages, places rows and the footer with the page-full rule,
// keeps sums and the filter result, and collects the page model.
class PrintRun {
public:
    PrintRun(Project project, QString projectFile, RunHost &host, Layouter::Options options);

    // Lists: closes the open page and begins the next one (page objects, header unless delayed).
    // Cards: lays out one complete page.
    int print();
    // One record: 0 placed or filtered out; TB_WRN_REPEAT_DATA when it does not fit on a page that
    // already holds table lines.
    int printFields();
    // The table footer; TB_WRN_REPEAT_DATA once when it does not fit, the next call moves it to a new page.
    int printFieldsEnd();

    // From the first page on, the table lines go to `sink` as they come, neither measured, placed nor
    // kept, and only the first page's objects are laid out: a data file needs no pages. Rows then
    // always fit. The header goes once, before the first row or footer (or with the first page when
    // it is not delayed); sums and the filter work as on paper.
    void streamLinesTo(TableLineSink *sink) { sink_ = sink; }
    bool streaming() const { return sink_ != nullptr; }
    // From the first page on, each finished page goes to `sink` and is dropped, and so does each
    // table line: the run holds one page at a time. The last page goes with finishPages().
    void streamPagesTo(PageSink *sink) { pageSink_ = sink; }
    void finishPages();
    bool started() const { return current_ > 0; }

    int currentPage() const { return current_; }
    bool didMatchFilter() const { return didMatch_; }
    int itemsPerPage() const;
    const Project &project() const { return project_; }
    PageModel &model() { return model_; }

private:
    EvalContext context() const;
    void beginPage();
    void placeHeader(const EvalContext &context);
    int placeBlock(const Layouter::Block &block, TableLineRecord::Kind kind);
    void streamBlock(Layouter::LineKind kind, const EvalContext &context);
    void addSums(const EvalContext &context);
    // The table lines of a placed block, for exporters that want cells (`kind` overrides theirs).
    void keepRecords(const Layouter::Block &block, std::optional<TableLineRecord::Kind> kind);

    Project project_;
    QString projectFile_;
    RunHost &host_;
    Layouter layouter_;
    PageModel model_;
    std::optional<Expression> filter_;
    std::vector<Expression> sumExpressions_;
    std::vector<double> sums_;

    int current_ = 0;
    bool pageOpen_ = false;
    double tableY_ = 0;
    bool tableHasLines_ = false; // a row or footer stands in the table on this page
    bool headerPending_ = false;
    bool footerOnNewPage_ = false;
    int rowIndex_ = 0;
    TableLineSink *sink_ = nullptr;
    PageSink *pageSink_ = nullptr;
    Page spare_; // a handed-on page, emptied, whose room the next page takes over
    bool headerStreamed_ = false;
    bool didMatch_ = true;
};

} // namespace tb
