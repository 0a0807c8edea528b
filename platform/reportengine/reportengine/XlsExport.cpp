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

// Sheets named after the project: optionally the page objects' texts ("pageObjects", default false),
// then the table lines from row to row, header and footer lines bold. With "typedCells" (default true)
// numbers, dates and booleans are typed cells, dates with the cell's date pattern or "DD.MM.YYYY"
// ("DD.MM.YYYY hh:mm:ss" with a time of day; before 1 March 1900 as text "dd.MM.yyyy"),
// numbers with the cell's number mask; text and everything else as shown. Null cells stay empty.
// A sheet full at the format's last row continues on a further sheet that repeats the header lines.
// Each column is as wide as its header and its widest value (up to 60 characters).
class XlsExport : public LineExport {
public:
    explicit XlsExport(const ExportSource &head)
        : title_(head.title()), book_(sheetName(title_, 1)), typed_(head.flag("typedCells", true))
    {
        if (head.flag("pageObjects", false)) {
            for (const QString &text : head.pageTexts())
                book_.setText(row_++, 0, text);
            if (row_ > 0)
                ++row_;
        }
    }

    void line(const TableLineRecord &line) override
    {
        if (line.kind == TableLineRecord::Kind::Header)
            headers_.push_back(line);
        if (row_ >= XlsWorkbook::kMaxRows) {
            setWidths();
            book_.addSheet(sheetName(title_, ++sheets_));
            row_ = 0;
            for (const TableLineRecord &header : headers_)
                write(header);
        }
        write(line);
    }

    bool finish(QIODevice &out, const QString &) override
    {
        setWidths();
        return book_.write(out);
    }

private:
    void setWidths()
    {
        for (size_t column = 0; column < widths_.size(); ++column)
            book_.setColumnWidth(int(column), std::min(kMaxColumnCharacters, widths_[column]));
    }

    void write(const TableLineRecord &line)
    {
        const bool bold = line.kind != TableLineRecord::Kind::Row;
        for (size_t column = 0; column < line.cells.size(); ++column) {
            const TableCellRecord &cell = line.cells[column];
            if (widths_.size() <= column)
                widths_.resize(column + 1, 0);
            const int c = int(column);
            if (cell.type == Value::Kind::Null)
                continue;
            widths_[column] = std::max(widths_[column], charactersOf(cell, bold));
            if (typed_ && cell.type == Value::Kind::Number)
                book_.setNumber(row_, c, cell.number, isDatePattern(cell.format) ? QString() : cell.format,
                                bold);
            else if (typed_ && cell.type == Value::Kind::Date)
                writeDate(book_, row_, c, cell, bold);
            else if (typed_ && cell.type == Value::Kind::Bool)
                book_.setBool(row_, c, cell.number != 0, bold);
            else if (!cell.text.isEmpty())
                book_.setText(row_, c, cell.text, bold);
        }
        ++row_;
    }

    const QString title_;
    XlsWorkbook book_;
    const bool typed_;
    int sheets_ = 1;
    int row_ = 0;
    std::vector<double> widths_;
    std::vector<TableLineRecord> headers_;
};

} // namespace

std::unique_ptr<LineExport> makeXlsExport(const ExportSource &head)
{
    return std::make_unique<XlsExport>(head);
}

QByteArray exportXls(const ExportSource &source)
{
    XlsExport writer(source);
    bool ok = false;
    const QByteArray bytes = exportThrough(writer, source, &ok);
    return ok ? bytes : QByteArray();
}

} // namespace tb
