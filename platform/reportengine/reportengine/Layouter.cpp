#include "reportengine/Layouter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QSvgRenderer>

#include "reportengine/ExpressionFunctions.h"
#include "reportengine/TextFit.h"
#include "reportengine/TextMeasurer.h"

namespace tb {

namespace {

constexpr double kCellPadH = 2.5;
constexpr double kCellPadV = 1.6;
constexpr double kCellClip = 0.5;

QPageSize::PageSizeId paperId(const QString &paper)
{
    const QString p = paper.trimmed().toUpper();
    if (p == QLatin1String("A3"))
        return QPageSize::A3;
    if (p == QLatin1String("A5"))
        return QPageSize::A5;
    if (p == QLatin1String("LETTER"))
        return QPageSize::Letter;
    if (p == QLatin1String("LEGAL"))
        return QPageSize::Legal;
    return QPageSize::A4;
}

double alignedX(Align align, double left, double width, double textWidth)
{
    if (textWidth > width)
        return left; // a cut line starts at the left edge and is clipped at the right one
    switch (align) {
    case Align::Left:
        return left;
    case Align::Center:
        return left + (width - textWidth) / 2;
    case Align::Right:
        return left + width - textWidth;
    }
    return left;
}

// A cell's text with its format applied to numbers and dates.
QString cellText(const Value &value, const QString &format)
{
    if (format.isEmpty() || value.kind == Value::Kind::Null)
        return value.toText();
    const bool datePattern = format.contains(u'd') || format.contains(u'y');
    if (datePattern) {
        if (value.isNumeric())
            return detail::formatDatePattern(value.number, format);
        return value.toText();
    }
    if (value.kind == Value::Kind::Text && value.text.trimmed().isEmpty())
        return QString();
    return detail::callFunction(*detail::findFunction(QStringLiteral("FStr$")),
                                {Value::ofNumber(value.toNumber()), Value::ofText(format)}, EvalContext{})
        .toText();
}

Primitive textRun(const QString &text, const RunFont &font, QPointF origin, QRectF clip,
                  const QString &object, double widthPt, const TextMeasurer::Metrics &metrics)
{
    Primitive p;
    p.kind = Primitive::Kind::Text;
    p.text = text;
    p.font = font;
    p.origin = origin;
    p.clip = clip;
    p.extent =
        QRectF(origin.x(), origin.y() - metrics.ascentPt, widthPt, metrics.ascentPt + metrics.descentPt);
    p.object = object;
    return p;
}

Primitive line(QPointF a, QPointF b, double width, QColor color, const QString &object)
{
    Primitive p;
    p.kind = Primitive::Kind::Line;
    p.p1 = a;
    p.p2 = b;
    p.penWidth = width;
    p.color = color;
    p.object = object;
    return p;
}

Primitive box(QRectF rect, QColor frame, double frameWidth, QColor fill, const QString &object)
{
    Primitive p;
    p.kind = Primitive::Kind::Rect;
    p.rect = rect;
    p.color = frame.isValid() ? frame : QColor(Qt::black);
    p.penWidth = frame.isValid() ? frameWidth : 0;
    p.fill = fill;
    p.object = object;
    return p;
}

void offset(Primitive &p, double dy)
{
    p.origin.ry() += dy;
    p.p1.ry() += dy;
    p.p2.ry() += dy;
    p.rect.translate(0, dy);
    if (!p.clip.isNull())
        p.clip.translate(0, dy);
    if (!p.extent.isNull())
        p.extent.translate(0, dy);
}

} // namespace

TableLineRecord::Kind Layouter::recordKind(LineKind kind)
{
    return kind == LineKind::Header   ? TableLineRecord::Kind::Header
           : kind == LineKind::Footer ? TableLineRecord::Kind::Footer
                                      : TableLineRecord::Kind::Row;
}

bool pictureReadable(const QByteArray &bytes)
{
    const QString kind = sniffImage(bytes);
    if (kind == QLatin1String("svg"))
        return QSvgRenderer(bytes).isValid();
    return !kind.isEmpty() && !QImage::fromData(bytes).isNull();
}

QString sniffImage(const QByteArray &bytes)
{
    if (bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return QStringLiteral("png");
    if (bytes.startsWith("\xff\xd8\xff"))
        return QStringLiteral("jpeg");
    const QByteArray head = bytes.left(512).trimmed();
    if (head.startsWith("<svg") || (head.startsWith("<?xml") && bytes.contains("<svg")))
        return QStringLiteral("svg");
    return QString();
}

Layouter::Layouter(const Project &project, const QString &projectFile, Options options)
    : project_(project), projectFile_(projectFile), options_(options)
{
    QSizeF size = QPageSize(paperId(project.page.paper)).size(QPageSize::Point);
    if (project.page.landscape)
        size.transpose();
    pageSize_ = size;
    if (project.kind == ProjectKind::List)
        table_ = project.table();
}

double Layouter::tableTopPt() const
{
    return table_ ? mmToPt(table_->rectMm.top()) : 0;
}

double Layouter::tableBottomPt() const
{
    return table_ ? mmToPt(table_->rectMm.bottom()) : 0;
}

RunFont Layouter::resolve(const FontSpec &font) const
{
    const FontSpec f = font.over(project_.font.over(defaultProjectFont()));
    RunFont r;
    r.family = f.family.value_or(QStringLiteral("Liberation Sans"));
    r.sizePt = f.sizePt.value_or(9);
    r.bold = f.bold.value_or(false);
    r.italic = f.italic.value_or(false);
    r.underline = f.underline.value_or(false);
    return r;
}

const Expression &Layouter::compiled(const QString &source) const
{
    auto it = expressions_.find(source);
    if (it == expressions_.end())
        it = expressions_.insert(source, Expression::parse(source).value_or(Expression()));
    return *it;
}

QString Layouter::findFile(const QString &name) const
{
    if (name.isEmpty())
        return QString();
    const QFileInfo info(name);
    if (info.isAbsolute())
        return name;
    const QString besideProject = QFileInfo(projectFile_).absoluteDir().filePath(name);
    if (QFile::exists(besideProject))
        return besideProject;
    return QDir::current().filePath(name);
}

void Layouter::drawPageObjects(Page &page, const EvalContext &context) const
{
    for (const auto &object : project_.objects) {
        if (object.type == PageObject::Type::Table)
            continue;
        if (object.layer == Layer::First && page.number != 1)
            continue;
        if (object.layer == Layer::Following && page.number == 1)
            continue;
        if (!compiled(object.condition).holds(context))
            continue;
        const QRectF rect(mmToPt(object.rectMm.x()), mmToPt(object.rectMm.y()), mmToPt(object.rectMm.width()),
                          mmToPt(object.rectMm.height()));
        switch (object.type) {
        case PageObject::Type::Text:
            drawText(page, object, context);
            break;
        case PageObject::Type::Line:
            page.items.push_back(
                line(rect.topLeft(), rect.bottomRight(), object.lineWidthPt, object.lineColor, object.name));
            break;
        case PageObject::Type::Rect:
            page.items.push_back(box(rect, object.frame.isValid() ? object.frame : object.lineColor,
                                     object.frame.isValid() ? object.frameWidthPt : object.lineWidthPt,
                                     object.background, object.name));
            break;
        case PageObject::Type::Image:
            drawImage(page, object, context);
            break;
        case PageObject::Type::Table:
            break;
        }
    }
}

void Layouter::drawText(Page &page, const PageObject &object, const EvalContext &context) const
{
    const QRectF rect(mmToPt(object.rectMm.x()), mmToPt(object.rectMm.y()), mmToPt(object.rectMm.width()),
                      mmToPt(object.rectMm.height()));
    if (object.background.isValid() || object.frame.isValid())
        page.items.push_back(box(rect, object.frame, object.frameWidthPt, object.background, object.name));
    const double pad = object.frame.isValid() ? 1.5 : 0;
    const QRectF inner = rect.adjusted(pad, pad, -pad, -pad);
    const auto &measurer = TextMeasurer::instance();

    struct Laid {
        const Paragraph *paragraph;
        QString text;
        RunFont font;
        std::vector<TextMeasurer::Line> lines;
        bool cut = false;
    };
    std::vector<Laid> laid;
    for (const auto &paragraph : object.paragraphs) {
        QString text = compiled(paragraph.expr).evaluate(context).toText();
        if (text.isEmpty() && paragraph.suppressIfEmpty && options_.spaceOptimization)
            continue;
        laid.push_back({&paragraph, std::move(text), resolve(paragraph.font.over(object.font)), {}, false});
    }
    // A text that is cut at its width or runs out of the frame below is set smaller, all its paragraphs
    // alike, in half points down to the smallest size; only then is it cut.
    for (double shrink = 0;; shrink += 0.5) {
        double height = 0;
        bool cut = false, smaller = false;
        for (Laid &l : laid) {
            RunFont font = resolve(l.paragraph->font.over(object.font));
            if (font.sizePt > kMinFitPt) {
                font.sizePt = std::max(kMinFitPt, font.sizePt - shrink);
                smaller = smaller || font.sizePt > kMinFitPt;
            }
            l.font = font;
            l.lines =
                measurer.breakLines(l.text, font, inner.width(), l.paragraph->wrap, inner.width(), &l.cut);
            const auto metrics = measurer.metrics(font);
            if (!l.lines.empty())
                height +=
                    (l.lines.size() - 1) * metrics.lineSpacingPt + metrics.ascentPt + metrics.descentPt +
                    (&l != &laid.back() ? metrics.lineSpacingPt - metrics.ascentPt - metrics.descentPt : 0);
            cut = cut || l.cut;
        }
        if ((!cut && height <= inner.height() + 0.01) || !smaller)
            break;
    }
    double y = inner.top();
    for (Laid &l : laid) {
        const auto metrics = measurer.metrics(l.font);
        if (l.cut && isNumberText(l.text))
            l.lines = {{overflowMark(), measurer.width(overflowMark(), l.font)}};
        for (const auto &line : l.lines) {
            // Lines that would leave the frame are not drawn (the frame clips its text).
            if (y + metrics.ascentPt + metrics.descentPt > inner.bottom() + 0.01)
                return;
            const double x = alignedX(l.paragraph->align, inner.left(), inner.width(), line.widthPt);
            if (!line.text.isEmpty())
                page.items.push_back(textRun(line.text, l.font, QPointF(x, y + metrics.ascentPt), inner,
                                             object.name, line.widthPt, metrics));
            y += metrics.lineSpacingPt;
        }
    }
}

void Layouter::drawImage(Page &page, const PageObject &object, const EvalContext &context) const
{
    const QRectF rect(mmToPt(object.rectMm.x()), mmToPt(object.rectMm.y()), mmToPt(object.rectMm.width()),
                      mmToPt(object.rectMm.height()));
    if (object.frame.isValid() || object.background.isValid())
        page.items.push_back(box(rect, object.frame, object.frameWidthPt, object.background, object.name));
    QString name = object.file;
    if (!object.fileExpr.isEmpty())
        name = compiled(object.fileExpr).evaluate(context).toText();
    QFile file(findFile(name));
    QByteArray bytes;
    if (!name.isEmpty() && file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    // The picture is known by its content, whatever its name says. A missing one leaves an empty frame
    // with a note, an unreadable one a thin frame with its name; the run goes on.
    if (!pictureReadable(bytes)) {
        if (name.isEmpty())
            return;
        if (!object.frame.isValid())
            page.items.push_back(box(rect, QColor(Qt::gray), 0.3, QColor(), object.name));
        const bool missing = !file.exists();
        RunFont font = resolve(object.font);
        font.sizePt = missing ? 8 : 6;
        font.bold = font.italic = font.underline = false;
        const auto &measurer = TextMeasurer::instance();
        const QRectF inner = rect.adjusted(2, 2, -2, -2);
        const QString shown =
            measurer.fitted(missing ? QStringLiteral("Keine Grafik vorhanden") : QFileInfo(name).fileName(),
                            font, inner.width());
        const auto metrics = measurer.metrics(font);
        const double width = measurer.width(shown, font);
        const QPointF origin = missing
                                   ? QPointF(inner.center().x() - width / 2,
                                             inner.center().y() + (metrics.ascentPt - metrics.descentPt) / 2)
                                   : QPointF(inner.left(), inner.top() + metrics.ascentPt);
        page.items.push_back(textRun(shown, font, origin, inner, object.name, width, metrics));
        return;
    }
    Primitive p;
    p.kind = Primitive::Kind::Image;
    p.rect = rect;
    p.image = bytes;
    p.keepAspect = object.keepAspect;
    p.object = object.name;
    page.items.push_back(std::move(p));
}

std::vector<double> Layouter::cellWidths(const LineDef &lineDef) const
{
    // Fixed widths first; cells without a width share what is left.
    const double tableWidth = mmToPt(table_->rectMm.width());
    double fixed = 0;
    int flexible = 0;
    for (const auto &cell : lineDef.cells) {
        if (cell.widthMm > 0)
            fixed += mmToPt(cell.widthMm);
        else
            ++flexible;
    }
    const double share = flexible > 0 ? std::max(0.0, tableWidth - fixed) / flexible : 0;
    std::vector<double> widths;
    widths.reserve(lineDef.cells.size());
    for (const auto &cell : lineDef.cells)
        widths.push_back(cell.widthMm > 0 ? mmToPt(cell.widthMm) : share);
    return widths;
}

TableCellRecord Layouter::cellRecord(const CellDef &cell, double widthPt, const EvalContext &context) const
{
    const Value value = compiled(cell.expr).evaluate(context);
    const double number = value.isNumeric()                 ? value.number
                          : value.kind == Value::Kind::Bool ? (value.flag ? 1 : 0)
                                                            : 0;
    return {cellText(value, cell.format), value.kind, number, widthPt, cell.format, int(cell.align)};
}

void Layouter::layoutLine(Block &block, const LineDef &lineDef, int lineIndex, LineKind kind,
                          const EvalContext &context, int rowIndex) const
{
    const double left = mmToPt(table_->rectMm.left());
    const double tableWidth = mmToPt(table_->rectMm.width());
    const auto &measurer = TextMeasurer::instance();
    const std::vector<double> widths = cellWidths(lineDef);

    struct CellLayout {
        double x = 0, width = 0;
        RunFont font;
        TextMeasurer::Metrics metrics;
        std::vector<TextMeasurer::Line> lines;
        Align align = Align::Left;
        QColor background;
    };
    std::vector<CellLayout> cells;
    TableLineRecord record;
    record.kind = recordKind(kind);
    double x = left;
    double height = 0;
    const FontSpec lineFont = lineDef.font.over(table_->font);
    for (size_t index = 0; index < lineDef.cells.size(); ++index) {
        const CellDef &cell = lineDef.cells[index];
        CellLayout c;
        c.x = x;
        c.width = widths[index];
        x += c.width;
        TableCellRecord cellRecord = this->cellRecord(cell, c.width, context);
        // Text is clipped half a point inside the cell's edges; what would be cut there is set smaller,
        // and a number that still does not fit shows as overflowing rather than with digits lost.
        FittedText fitted =
            fitToWidth(cellRecord.text, resolve(cell.font.over(lineFont)),
                       std::max(1.0, c.width - 2 * kCellPadH), cell.wrap, c.width - kCellPadH - kCellClip);
        if (fitted.cut && isNumberText(cellRecord.text))
            fitted.lines = {{overflowMark(), measurer.width(overflowMark(), fitted.font)}};
        c.font = fitted.font;
        c.metrics = measurer.metrics(c.font);
        c.lines = std::move(fitted.lines);
        c.align = cell.align;
        c.background = cell.background;
        const double textHeight =
            (c.lines.size() - 1) * c.metrics.lineSpacingPt + c.metrics.ascentPt + c.metrics.descentPt;
        height = std::max(height, textHeight + 2 * kCellPadV);
        record.cells.push_back(std::move(cellRecord));
        cells.push_back(std::move(c));
    }
    if (cells.empty())
        return;

    const double top = block.heightPt;
    const QRectF lineRect(left, top, tableWidth, height);
    const bool zebra = kind == LineKind::Row && rowIndex % 2 == 1;
    Primitive marker = box(lineRect, QColor(), 0, QColor(), table_->name);
    marker.kind = Primitive::Kind::TableLine;
    marker.lineType = int(kind);
    marker.lineIndex = lineIndex;
    marker.zebra = zebra;
    block.items.push_back(marker);
    QColor background = lineDef.background;
    if (!background.isValid() && zebra && table_->table.zebra.isValid())
        background = table_->table.zebra;
    if (background.isValid())
        block.items.push_back(box(lineRect, QColor(), 0, background, table_->name));
    if (lineDef.ruleAbovePt > 0)
        block.items.push_back(
            line(lineRect.topLeft(), lineRect.topRight(), lineDef.ruleAbovePt, Qt::black, table_->name));
    for (size_t index = 0; index < cells.size(); ++index) {
        const CellLayout &c = cells[index];
        const QRectF cellRect(c.x, top, c.width, height);
        marker.kind = Primitive::Kind::TableField;
        marker.rect = cellRect;
        marker.fieldIndex = int(index);
        block.items.push_back(marker);
        if (c.background.isValid())
            block.items.push_back(box(cellRect, QColor(), 0, c.background, table_->name));
        double baseline = top + kCellPadV + c.metrics.ascentPt;
        const QRectF clip = cellRect.adjusted(kCellClip, 0, -kCellClip, 0);
        for (const auto &l : c.lines) {
            const double tx = alignedX(c.align, c.x + kCellPadH, c.width - 2 * kCellPadH, l.widthPt);
            if (!l.text.isEmpty())
                block.items.push_back(
                    textRun(l.text, c.font, QPointF(tx, baseline), clip, table_->name, l.widthPt, c.metrics));
            baseline += c.metrics.lineSpacingPt;
        }
    }
    if (lineDef.ruleBelowPt > 0)
        block.items.push_back(line(lineRect.bottomLeft(), lineRect.bottomRight(), lineDef.ruleBelowPt,
                                   Qt::black, table_->name));
    else if (kind == LineKind::Row && table_->table.separator.isValid())
        block.items.push_back(
            line(lineRect.bottomLeft(), lineRect.bottomRight(), 0.3, table_->table.separator, table_->name));
    record.page = 0;
    block.records.push_back(std::move(record));
    block.heightPt += height;
}

Layouter::Block Layouter::layoutLines(const std::vector<LineDef> &lines, LineKind kind,
                                      const EvalContext &context, int rowIndex) const
{
    Block block;
    if (!table_)
        return block;
    for (size_t index = 0; index < lines.size(); ++index) {
        const LineDef &lineDef = lines[index];
        if (!compiled(lineDef.condition).holds(context))
            continue;
        layoutLine(block, lineDef, int(index), kind, context, rowIndex);
        if (kind == LineKind::Row && !options_.multipleRowDefinitions)
            break;
    }
    if (kind == LineKind::Row && !block.records.empty())
        block.records.front().startsRecord = true;
    return block;
}

std::vector<TableLineRecord> Layouter::records(LineKind kind, const EvalContext &context) const
{
    std::vector<TableLineRecord> out;
    if (!table_)
        return out;
    const std::vector<LineDef> &lines = kind == LineKind::Header   ? table_->table.header
                                        : kind == LineKind::Footer ? table_->table.footer
                                                                   : table_->table.rows;
    for (const LineDef &lineDef : lines) {
        if (!compiled(lineDef.condition).holds(context))
            continue;
        if (!lineDef.cells.empty()) { // a line without cells is no line, as in the layout
            TableLineRecord record;
            record.kind = recordKind(kind);
            const std::vector<double> widths = cellWidths(lineDef);
            for (size_t index = 0; index < lineDef.cells.size(); ++index)
                record.cells.push_back(cellRecord(lineDef.cells[index], widths[index], context));
            out.push_back(std::move(record));
        }
        if (kind == LineKind::Row && !options_.multipleRowDefinitions)
            break;
    }
    if (kind == LineKind::Row && !out.empty())
        out.front().startsRecord = true;
    return out;
}

Layouter::Block Layouter::header(const EvalContext &context) const
{
    return layoutLines(table_ ? table_->table.header : std::vector<LineDef>{}, LineKind::Header, context, 0);
}

Layouter::Block Layouter::rows(const EvalContext &context, int rowIndex) const
{
    return layoutLines(table_ ? table_->table.rows : std::vector<LineDef>{}, LineKind::Row, context,
                       rowIndex);
}

Layouter::Block Layouter::footer(const EvalContext &context) const
{
    return layoutLines(table_ ? table_->table.footer : std::vector<LineDef>{}, LineKind::Footer, context, 0);
}

void Layouter::place(Page &page, const Block &block, double yPt, bool clipToTable) const
{
    const double bottom = tableBottomPt();
    for (Primitive p : block.items) {
        offset(p, yPt);
        p.tableItem = true;
        if (clipToTable) {
            // Whatever lies wholly below the table goes; text that crosses it is clipped there.
            const double top = p.kind == Primitive::Kind::Text   ? p.origin.y() - p.font.sizePt
                               : p.kind == Primitive::Kind::Line ? std::min(p.p1.y(), p.p2.y())
                                                                 : p.rect.top();
            if (top >= bottom)
                continue;
            if (p.kind == Primitive::Kind::Rect || p.kind == Primitive::Kind::TableLine ||
                p.kind == Primitive::Kind::TableField)
                p.rect.setBottom(std::min(p.rect.bottom(), bottom));
            if (p.kind == Primitive::Kind::Text)
                p.clip.setBottom(std::min(p.clip.bottom(), bottom));
        }
        page.items.push_back(std::move(p));
    }
}

double Layouter::firstRowHeightPt(const EvalContext &context) const
{
    if (!table_ || table_->table.rows.empty())
        return 0;
    Block block;
    layoutLine(block, table_->table.rows.front(), 0, LineKind::Row, context, 0);
    return block.heightPt;
}

} // namespace tb
