#pragma once

#include <map>
#include <memory>
#include <vector>

#include <QByteArray>
#include <QHash>
#include <QString>

class QIODevice;

namespace tb {

class Spool;

// A spreadsheet workbook in the BIFF8 format, written by our own code: typed cells (numbers, dates as
// serial numbers with a date format, booleans, shared-string texts), bold cells, number formats and
// column widths, on one or more sheets. bytes() gives the whole .xls file (compound document included).
// Rows are written in ascending order: the cells of a row go to a spool file once a later row begins,
// so that only the texts (the shared strings) and the current row are held.
class XlsWorkbook {
public:
    explicit XlsWorkbook(QString sheetName);
    ~XlsWorkbook();
    XlsWorkbook(const XlsWorkbook &) = delete;
    XlsWorkbook &operator=(const XlsWorkbook &) = delete;

    // Starts a further sheet; the cells set from now on go there, from row 0.
    void addSheet(QString sheetName);
    int sheetCount() const { return int(sheets_.size()); }

    // `format` is a spreadsheet number format ("#,##0.00", "DD.MM.YYYY"); empty = general.
    void setNumber(int row, int column, double value, const QString &format = QString(), bool bold = false);
    void setDate(int row, int column, double serial, const QString &format = QStringLiteral("DD.MM.YYYY"),
                 bool bold = false);
    void setBool(int row, int column, bool value, bool bold = false);
    void setText(int row, int column, const QString &text, bool bold = false);
    // Width in characters of the default font (of the current sheet).
    void setColumnWidth(int column, double characters);

    // Empty when a sheet exceeds the format (65536 rows, 256 columns), a row came after a later one or
    // the spool could not be written.
    QByteArray bytes();
    // The same, written to `out`; false where bytes() is empty or `out` refuses the bytes.
    bool write(QIODevice &out);

    static constexpr int kMaxRows = 65536;
    static constexpr int kMaxColumns = 256;

private:
    struct Cell {
        enum class Kind { Number, Bool, Text } kind = Kind::Number;
        double number = 0;
        int sst = 0;
        int xf = 0;
    };
    int xfFor(const QString &format, bool bold);
    struct Sheet {
        QString name;
        qint64 cellsBegin = 0, cellsEnd = 0; // its cell records in the spool
        int rows = 0;
        std::map<int, double> widths;
        int maxColumn = -1;
    };
    void put(int row, int column, Cell cell);
    void flushRow();
    QByteArray sheetHead(const Sheet &sheet) const;
    QByteArray sheetTail(bool selected) const;
    QByteArray globals(const std::vector<qint64> &sheetOffsets) const;

    std::vector<Sheet> sheets_;
    std::unique_ptr<Spool> spool_;
    int row_ = -1;                               // the row being filled
    std::vector<std::pair<int, Cell>> rowCells_; // its cells by column
    std::vector<QString> strings_;
    QHash<QString, int> stringIndex_;
    std::vector<QString> formats_;          // custom formats, numbered from 164
    std::vector<std::pair<int, bool>> xfs_; // cell XFs from 16: (format index, bold)
    qint64 textCells_ = 0;
    bool overflow_ = false;
};

} // namespace tb
