#include "reportengine/designer/DesignRules.h"

#include <algorithm>
#include <cmath>

#include "reportengine/Layouter.h"

namespace tb::designer {

namespace {

constexpr double kPtPerMm = 72.0 / 25.4;

std::vector<LineDef *> linesShapedLikeRows(TableDef &table)
{
    std::vector<LineDef *> lines;
    const size_t width = table.rows.empty() ? 0 : table.rows.front().cells.size();
    for (auto *group : {&table.header, &table.rows, &table.footer})
        for (auto &line : *group)
            if (line.cells.size() == width)
                lines.push_back(&line);
    return lines;
}

// The lines a column edit touches: those of the row shape and the first header line.
std::vector<LineDef *> columnLines(TableDef &table)
{
    std::vector<LineDef *> lines = linesShapedLikeRows(table);
    if (!table.header.empty() && std::find(lines.begin(), lines.end(), &table.header.front()) == lines.end())
        lines.push_back(&table.header.front());
    return lines;
}

} // namespace

double snapMm(double mm)
{
    return std::round(mm);
}

QRectF snapRect(const QRectF &rectMm)
{
    return QRectF(snapMm(rectMm.x()), snapMm(rectMm.y()), snapMm(rectMm.width()), snapMm(rectMm.height()));
}

QSizeF paperSizeMm(const PageSetup &page)
{
    Project probe;
    probe.page = page;
    const QSizeF pt = Layouter(probe, QString(), {}).pageSizePt();
    return QSizeF(pt.width() / kPtPerMm, pt.height() / kPtPerMm);
}

QRectF printableAreaMm(const PageSetup &page)
{
    const QSizeF paper = paperSizeMm(page);
    const double *m = page.marginsMm;
    return QRectF(m[0], m[1], std::max(0.0, paper.width() - m[0] - m[2]),
                  std::max(0.0, paper.height() - m[1] - m[3]));
}

Project newProject(ProjectKind kind)
{
    Project project;
    project.kind = kind;
    project.font = defaultProjectFont();
    if (kind == ProjectKind::List) {
        PageObject table = newObject(project, PageObject::Type::Table, printableAreaMm(project.page));
        project.objects.push_back(std::move(table));
    }
    return project;
}

bool canInsert(const Project &project, PageObject::Type type, QString *reason)
{
    if (type != PageObject::Type::Table)
        return true;
    if (project.kind != ProjectKind::List) {
        *reason = QStringLiteral("Eine Karte kann keine Tabelle enthalten.");
        return false;
    }
    if (project.table()) {
        *reason = QStringLiteral("Das Projekt hat schon eine Tabelle; eine Liste hat genau eine.");
        return false;
    }
    return true;
}

QString uniqueName(const Project &project, const QString &base)
{
    for (int n = 1;; ++n) {
        const QString name = base + QString::number(n);
        const bool taken = std::any_of(project.objects.begin(), project.objects.end(),
                                       [&](const PageObject &o) { return o.name == name; });
        if (!taken)
            return name;
    }
}

QString typeCaption(PageObject::Type type)
{
    switch (type) {
    case PageObject::Type::Text:
        return QStringLiteral("Text");
    case PageObject::Type::Line:
        return QStringLiteral("Linie");
    case PageObject::Type::Rect:
        return QStringLiteral("Rechteck");
    case PageObject::Type::Image:
        return QStringLiteral("Bild");
    case PageObject::Type::Table:
        return QStringLiteral("Tabelle");
    }
    return QString();
}

QString layerCaption(Layer layer)
{
    switch (layer) {
    case Layer::All:
        return QStringLiteral("Alle Seiten");
    case Layer::First:
        return QStringLiteral("Erste Seite");
    case Layer::Following:
        return QStringLiteral("Folgeseiten");
    }
    return QString();
}

PageObject newObject(const Project &project, PageObject::Type type, const QRectF &rectMm)
{
    PageObject object;
    object.type = type;
    object.name = uniqueName(project, typeCaption(type));
    object.rectMm = snapRect(rectMm);
    switch (type) {
    case PageObject::Type::Text: {
        Paragraph paragraph;
        paragraph.expr = QStringLiteral("\"Text\"");
        object.paragraphs.push_back(paragraph);
        break;
    }
    case PageObject::Type::Line:
        object.rectMm.setHeight(0);
        break;
    case PageObject::Type::Rect:
        object.frame = Qt::black;
        break;
    case PageObject::Type::Image:
    case PageObject::Type::Table:
        break;
    }
    if (type == PageObject::Type::Table) {
        LineDef header, row;
        object.table.header.push_back(header);
        object.table.rows.push_back(row);
    }
    return object;
}

QString asLiteral(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

PageObject showingExpressions(const PageObject &object)
{
    PageObject shown = object;
    shown.condition.clear();
    shown.layer = Layer::All;
    for (auto &paragraph : shown.paragraphs) {
        paragraph.expr = asLiteral(paragraph.expr);
        paragraph.suppressIfEmpty = false;
    }
    if (!shown.fileExpr.isEmpty()) {
        // The picture comes only at print time; the frame shows where.
        shown.fileExpr.clear();
        shown.file.clear();
    }
    for (auto *group : {&shown.table.header, &shown.table.rows, &shown.table.footer}) {
        for (auto &line : *group) {
            line.condition.clear();
            for (auto &cell : line.cells) {
                cell.expr = asLiteral(cell.expr);
                cell.format.clear();
            }
        }
    }
    return shown;
}

int columnCount(const TableDef &table)
{
    const size_t header = table.header.empty() ? 0 : table.header.front().cells.size();
    const size_t rows = table.rows.empty() ? 0 : table.rows.front().cells.size();
    return int(std::max(header, rows));
}

Column columnAt(const TableDef &table, int index)
{
    Column column;
    if (!table.header.empty() && index >= 0 && index < int(table.header.front().cells.size()))
        column.header = table.header.front().cells[size_t(index)];
    if (!table.rows.empty() && index >= 0 && index < int(table.rows.front().cells.size()))
        column.cell = table.rows.front().cells[size_t(index)];
    return column;
}

void setColumn(TableDef &table, int index, const Column &column)
{
    if (index < 0 || index >= columnCount(table))
        return;
    if (table.header.empty())
        table.header.emplace_back();
    if (table.rows.empty())
        table.rows.emplace_back();
    auto &header = table.header.front().cells;
    auto &cells = table.rows.front().cells;
    header.resize(std::max(header.size(), size_t(index) + 1));
    cells.resize(std::max(cells.size(), size_t(index) + 1));
    header[size_t(index)] = column.header;
    cells[size_t(index)] = column.cell;
    setColumnWidth(table, index, column.cell.widthMm);
}

void insertColumn(TableDef &table, int at, const Column &column)
{
    if (table.header.empty())
        table.header.emplace_back();
    if (table.rows.empty())
        table.rows.emplace_back();
    const int count = columnCount(table);
    at = std::clamp(at, 0, count);
    // Lines of the row shape get a cell; the first header line gets its own.
    const std::vector<LineDef *> lines = columnLines(table);
    const LineDef *firstHeader = &table.header.front();
    for (LineDef *line : lines) {
        CellDef cell;
        if (line == firstHeader)
            cell = column.header;
        else if (line == &table.rows.front())
            cell = column.cell;
        else
            cell.widthMm = column.cell.widthMm;
        const size_t pos = std::min(size_t(at), line->cells.size());
        line->cells.insert(line->cells.begin() + qsizetype(pos), cell);
    }
}

void removeColumn(TableDef &table, int index)
{
    if (index < 0 || index >= columnCount(table))
        return;
    const std::vector<LineDef *> lines = columnLines(table);
    for (LineDef *line : lines)
        if (index < int(line->cells.size()))
            line->cells.erase(line->cells.begin() + index);
}

void moveColumn(TableDef &table, int from, int to)
{
    const int count = columnCount(table);
    if (from < 0 || from >= count || to < 0 || to >= count || from == to)
        return;
    const std::vector<LineDef *> lines = columnLines(table);
    for (LineDef *line : lines) {
        if (from >= int(line->cells.size()) || to >= int(line->cells.size()))
            continue;
        CellDef cell = line->cells[size_t(from)];
        line->cells.erase(line->cells.begin() + from);
        line->cells.insert(line->cells.begin() + to, cell);
    }
}

void setColumnWidth(TableDef &table, int index, double widthMm)
{
    widthMm = std::max(0.0, widthMm);
    const std::vector<LineDef *> lines = columnLines(table);
    for (LineDef *line : lines)
        if (index >= 0 && index < int(line->cells.size()))
            line->cells[size_t(index)].widthMm = widthMm;
}

std::vector<double> resolvedColumnWidthsMm(const PageObject &table)
{
    const TableDef &def = table.table;
    const std::vector<CellDef> &cells =
        !def.rows.empty() && !def.rows.front().cells.empty()
            ? def.rows.front().cells
            : (def.header.empty() ? std::vector<CellDef>{} : def.header.front().cells);
    double fixed = 0;
    int flexible = 0;
    for (const auto &cell : cells) {
        if (cell.widthMm > 0)
            fixed += cell.widthMm;
        else
            ++flexible;
    }
    const double share = flexible > 0 ? std::max(0.0, table.rectMm.width() - fixed) / flexible : 0;
    std::vector<double> widths;
    for (const auto &cell : cells)
        widths.push_back(cell.widthMm > 0 ? cell.widthMm : share);
    return widths;
}

} // namespace tb::designer
