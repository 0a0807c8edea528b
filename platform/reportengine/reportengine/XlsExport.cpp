#include "reportengine/Exporters.h"
#include "reportengine/XlsWorkbook.h"

namespace tb {

namespace {

constexpr double kPtPerCharacter = 5.25; // one character of the default font

bool isDatePattern(const QString &format)
{
    return format.contains(u'd') || format.contains(u'y') || format.contains(u'D') || format.contains(u'Y');
}

} // namespace

// One sheet named after the project: optionally the page objects' texts ("pageObjects", default
// false), then the table lines from row to row, header and footer lines bold. With "typedCells"
// (default true) numbers, dates and booleans are typed cells, dates with the cell's date pattern or
// "DD.MM.YYYY", numbers with the cell's number mask; text and everything else as shown. Null cells stay
// empty. Column widths follow the widest table column.
QByteArray exportXls(const ExportSource &source)
{
    // Sheet names: at most 31 characters, none of : \ / ? * [ ].
    QString sheet = source.title().left(31);
    for (QChar &ch : sheet)
        if (QStringLiteral(":\\/?*[]").contains(ch))
            ch = u'_';
    XlsWorkbook book(sheet.isEmpty() ? QStringLiteral("Export") : sheet);
    const bool typed = source.flag("typedCells", true);
    int row = 0;
    if (source.flag("pageObjects", false)) {
        for (const QString &text : source.pageTexts())
            book.setText(row++, 0, text);
        if (row > 0)
            ++row;
    }
    std::vector<double> widths;
    for (const TableLineRecord *line : source.lines()) {
        const bool bold = line->kind != TableLineRecord::Kind::Row;
        for (size_t column = 0; column < line->cells.size(); ++column) {
            const TableCellRecord &cell = line->cells[column];
            if (widths.size() <= column)
                widths.resize(column + 1, 0);
            widths[column] = std::max(widths[column], cell.widthPt);
            const int c = int(column);
            if (cell.type == Value::Kind::Null)
                continue;
            if (typed && cell.type == Value::Kind::Number)
                book.setNumber(row, c, cell.number, isDatePattern(cell.format) ? QString() : cell.format,
                               bold);
            else if (typed && cell.type == Value::Kind::Date)
                book.setDate(row, c, cell.number, isDatePattern(cell.format) ? cell.format : QString(), bold);
            else if (typed && cell.type == Value::Kind::Bool)
                book.setBool(row, c, cell.number != 0, bold);
            else if (!cell.text.isEmpty())
                book.setText(row, c, cell.text, bold);
        }
        ++row;
    }
    for (size_t column = 0; column < widths.size(); ++column)
        book.setColumnWidth(int(column), widths[column] / kPtPerCharacter);
    return book.bytes();
}

} // namespace tb
