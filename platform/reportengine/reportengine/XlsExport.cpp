#include <cmath>

#include <QDate>

#include "reportengine/Exporters.h"
#include "reportengine/XlsWorkbook.h"

namespace tb {

namespace {

bool isDatePattern(const QString &format)
{
    return format.contains(u'd') || format.contains(u'y') || format.contains(u'D') || format.contains(u'Y');
}

constexpr double kMaxColumnCharacters = 60;

// Sheet names: at most 31 characters, none of : \ / ? * [ ]; further sheets get " (2)", " (3)", ...
QString sheetName(const QString &title, int number)
{
    const QString suffix = number > 1 ? QStringLiteral(" (%1)").arg(number) : QString();
    QString sheet = (title.isEmpty() ? QStringLiteral("Export") : title).left(31 - suffix.size());
    for (QChar &ch : sheet)
        if (QStringLiteral(":\\/?*[]").contains(ch))
            ch = u'_';
    return sheet + suffix;
}

// Characters a cell needs to show its value: the text as shown, a date in its pattern.
double charactersOf(const TableCellRecord &cell, bool bold)
{
    qsizetype longest = 0;
    for (const QStringView line : QStringView(cell.text).split(u'\n'))
        longest = std::max(longest, line.size());
    const double length = cell.type == Value::Kind::Date && cell.text.isEmpty() ? 10 : double(longest);
    return (bold ? 1.1 : 1.0) * length + 1.5;
}

// The spreadsheet's day numbers count a 29 February 1900 that never was: they equal ours (days
// since 30.12.1899) from 1 March 1900 on. An earlier date goes in as text; a date with a time of
// day shows the time.
void writeDate(XlsWorkbook &book, int row, int column, const TableCellRecord &cell, bool bold)
{
    constexpr double kFirstMarch1900 = 61;
    if (cell.number < kFirstMarch1900) {
        const QDate date = QDate(1899, 12, 30).addDays(qint64(std::floor(cell.number)));
        book.setText(row, column, date.toString(QStringLiteral("dd.MM.yyyy")), bold);
        return;
    }
    QString format = isDatePattern(cell.format) ? cell.format : QString();
    if (format.isEmpty() && cell.number != std::floor(cell.number))
        format = QStringLiteral("DD.MM.YYYY hh:mm:ss");
    book.setDate(row, column, cell.number, format, bold);
}

} // namespace

// Sheets named after the project: optionally the page objects' texts ("pageObjects", default false),
// then the table lines from row to row, header and footer lines bold. With "typedCells" (default true)
// numbers, dates and booleans are typed cells, dates with the cell's date pattern or "DD.MM.YYYY"
// ("DD.MM.YYYY hh:mm:ss" with a time of day; before 1 March 1900 as text "dd.MM.yyyy"),
// numbers with the cell's number mask; text and everything else as shown. Null cells stay empty.
// A sheet full at the format's last row continues on a further sheet that repeats the header lines.
// Each column is as wide as its header and its widest value (up to 60 characters).
QByteArray exportXls(const ExportSource &source)
{
    int sheets = 1;
    XlsWorkbook book(sheetName(source.title(), sheets));
    const bool typed = source.flag("typedCells", true);
    int row = 0;
    if (source.flag("pageObjects", false)) {
        for (const QString &text : source.pageTexts())
            book.setText(row++, 0, text);
        if (row > 0)
            ++row;
    }
    std::vector<double> widths;
    auto setWidths = [&] {
        for (size_t column = 0; column < widths.size(); ++column)
            book.setColumnWidth(int(column), std::min(kMaxColumnCharacters, widths[column]));
    };
    std::vector<const TableLineRecord *> headers;
    auto write = [&](const TableLineRecord *line) {
        const bool bold = line->kind != TableLineRecord::Kind::Row;
        for (size_t column = 0; column < line->cells.size(); ++column) {
            const TableCellRecord &cell = line->cells[column];
            if (widths.size() <= column)
                widths.resize(column + 1, 0);
            const int c = int(column);
            if (cell.type == Value::Kind::Null)
                continue;
            widths[column] = std::max(widths[column], charactersOf(cell, bold));
            if (typed && cell.type == Value::Kind::Number)
                book.setNumber(row, c, cell.number, isDatePattern(cell.format) ? QString() : cell.format,
                               bold);
            else if (typed && cell.type == Value::Kind::Date)
                writeDate(book, row, c, cell, bold);
            else if (typed && cell.type == Value::Kind::Bool)
                book.setBool(row, c, cell.number != 0, bold);
            else if (!cell.text.isEmpty())
                book.setText(row, c, cell.text, bold);
        }
        ++row;
    };
    for (const TableLineRecord *line : source.lines()) {
        if (line->kind == TableLineRecord::Kind::Header)
            headers.push_back(line);
        if (row >= XlsWorkbook::kMaxRows) {
            setWidths();
            book.addSheet(sheetName(source.title(), ++sheets));
            row = 0;
            for (const TableLineRecord *header : headers)
                write(header);
        }
        write(line);
    }
    setWidths();
    return book.bytes();
}

} // namespace tb
