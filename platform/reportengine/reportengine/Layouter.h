#pragma once

#include <vector>

#include <QHash>
#include <QSizeF>
#include <QString>

#include "reportengine/Expression.h"
#include "reportengine/PageModel.h"
#include "reportengine/Project.h"

namespace tb {

// Lays out a project's objects and table lines into page primitives. It knows geometry, fonts and
// text; when pages begin and what fits is the print run's business.
class Layouter {
public:
    struct Options {
        bool spaceOptimization = true; // paragraphs marked "suppress if empty" vanish when empty
        bool multipleRowDefinitions = true;
    };

    // A laid-out run of table lines, positioned from y = 0 at the table's left edge.
    struct Block {
        std::vector<Primitive> items;
        std::vector<TableLineRecord> records;
        double heightPt = 0;
        bool isEmpty() const { return records.empty(); }
    };

    Layouter(const Project &project, const QString &projectFile, Options options);

    QSizeF pageSizePt() const { return pageSize_; }
    bool hasTable() const { return table_ != nullptr; }
    double tableTopPt() const;
    double tableBottomPt() const;

    // The page-level objects (everything but the table) of page `number`, as the layers and
    // appearance conditions select them.
    void drawPageObjects(Page &page, const EvalContext &context) const;

    Block header(const EvalContext &context) const;
    // The row definitions whose condition holds; `rowIndex` picks the zebra colour.
    Block rows(const EvalContext &context, int rowIndex) const;
    Block footer(const EvalContext &context) const;

    // The header, row or footer lines as cells only (texts, types, widths, formats), neither measured
    // nor placed: what a data file takes from the table. The same lines as header(), rows() and
    // footer() give.
    enum class LineKind { Header, Row, Footer };
    std::vector<TableLineRecord> records(LineKind kind, const EvalContext &context) const;

    // Places a block at `yPt` on the page; with `clipToTable`, nothing is drawn below the table.
    void place(Page &page, const Block &block, double yPt, bool clipToTable) const;

    // The height of the first row definition with the design sample values.
    double firstRowHeightPt(const EvalContext &context) const;

private:
    static TableLineRecord::Kind recordKind(LineKind kind);
    std::vector<double> cellWidths(const LineDef &line) const;
    TableCellRecord cellRecord(const CellDef &cell, double widthPt, const EvalContext &context) const;
    Block layoutLines(const std::vector<LineDef> &lines, LineKind kind, const EvalContext &context,
                      int rowIndex) const;
    void layoutLine(Block &block, const LineDef &line, int lineIndex, LineKind kind,
                    const EvalContext &context, int rowIndex) const;
    void drawText(Page &page, const PageObject &object, const EvalContext &context) const;
    void drawImage(Page &page, const PageObject &object, const EvalContext &context) const;
    RunFont resolve(const FontSpec &font) const;
    QString findFile(const QString &name) const;
    // The parsed expression of a source (parsed once per run; a faulty one acts as empty).
    const Expression &compiled(const QString &source) const;

    const Project &project_;
    QString projectFile_;
    Options options_;
    QSizeF pageSize_;
    const PageObject *table_ = nullptr;
    mutable QHash<QString, Expression> expressions_;
};

// mm to points.
constexpr double mmToPt(double mm)
{
    return mm * 72.0 / 25.4;
}

// Kind of a picture file by its content: "svg", "png", "jpeg" or empty.
QString sniffImage(const QByteArray &bytes);
// Whether the bytes are a picture the engine can paint.
bool pictureReadable(const QByteArray &bytes);

} // namespace tb
