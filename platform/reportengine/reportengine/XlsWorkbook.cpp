#include "reportengine/XlsWorkbook.h"

#include <algorithm>

#include <QtEndian>

#include "reportengine/CompoundFile.h"

namespace tb {

namespace {

// Record numbers of the format.
constexpr quint16 rBOF = 0x0809, rEOF = 0x000A, rCODEPAGE = 0x0042, rWINDOW1 = 0x003D, rDATEMODE = 0x0022,
                  rFONT = 0x0031, rFORMAT = 0x041E, rXF = 0x00E0, rSTYLE = 0x0293, rBOUNDSHEET = 0x0085,
                  rSST = 0x00FC, rCONTINUE = 0x003C, rDIMENSIONS = 0x0200, rCOLINFO = 0x007D,
                  rWINDOW2 = 0x023E, rNUMBER = 0x0203, rBOOLERR = 0x0205, rLABELSST = 0x00FD;
constexpr int kMaxRecordData = 8224;
constexpr int kFirstCustomFormat = 164;
constexpr int kFirstCellXf = 16;

class Bytes {
public:
    QByteArray data;
    Bytes &u8(int v)
    {
        data.append(char(v & 0xFF));
        return *this;
    }
    Bytes &u16(int v)
    {
        char b[2];
        qToLittleEndian(quint16(v), b);
        data.append(b, 2);
        return *this;
    }
    Bytes &u32(quint32 v)
    {
        char b[4];
        qToLittleEndian(v, b);
        data.append(b, 4);
        return *this;
    }
    Bytes &f64(double v)
    {
        char b[8];
        qToLittleEndian(v, b);
        data.append(b, 8);
        return *this;
    }
    // UTF-16 characters (the "high byte" form of the format's strings).
    Bytes &utf16(const QString &s)
    {
        for (const QChar ch : s)
            u16(ch.unicode());
        return *this;
    }
};

void record(QByteArray &out, quint16 type, const QByteArray &data)
{
    Bytes b;
    b.u16(type).u16(int(data.size()));
    out += b.data + data;
}

QByteArray font(bool bold)
{
    Bytes b;
    const QString name = QStringLiteral("Arial");
    b.u16(200).u16(bold ? 1 : 0).u16(0x7FFF).u16(bold ? 700 : 400).u16(0).u8(0).u8(0).u8(0).u8(0);
    b.u8(int(name.size())).u8(1).utf16(name);
    return b.data;
}

QByteArray xf(int font, int format, bool style)
{
    Bytes b;
    b.u16(font).u16(format);
    b.u16(style ? 0xFFF5 : 0x0001); // style XF (locked, parent none) or cell XF (locked, parent 0)
    b.u8(0x20).u8(0).u8(0);
    b.u8(style ? 0 : 0xF8);
    b.u32(0).u32(0).u16(0x20C0);
    return b.data;
}

// The shared string table, split into CONTINUE records where it outgrows one record. A string cut
// between two records repeats its option byte at the start of the next one.
void writeSst(QByteArray &out, const std::vector<QString> &strings, int references)
{
    std::vector<QByteArray> parts(1);
    Bytes head;
    head.u32(quint32(references)).u32(quint32(strings.size()));
    parts.back() = head.data;
    for (const QString &s : strings) {
        Bytes header;
        header.u16(int(s.size())).u8(1);
        if (parts.back().size() + header.data.size() + 2 > kMaxRecordData)
            parts.emplace_back();
        parts.back() += header.data;
        qsizetype done = 0;
        while (done < s.size()) {
            const qsizetype room = (kMaxRecordData - parts.back().size()) / 2;
            if (room <= 0) {
                parts.emplace_back();
                parts.back().append(char(1));
                continue;
            }
            const qsizetype n = std::min(room, s.size() - done);
            Bytes chars;
            chars.utf16(s.mid(done, n));
            parts.back() += chars.data;
            done += n;
        }
    }
    record(out, rSST, parts.front());
    for (size_t i = 1; i < parts.size(); ++i)
        record(out, rCONTINUE, parts[i]);
}

bool isBuiltinGeneral(const QString &format)
{
    return format.isEmpty() || format.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0;
}

} // namespace

int XlsWorkbook::xfFor(const QString &format, bool bold)
{
    int formatIndex = 0;
    if (!isBuiltinGeneral(format)) {
        const auto it = std::find(formats_.begin(), formats_.end(), format);
        formatIndex = kFirstCustomFormat + int(it - formats_.begin());
        if (it == formats_.end())
            formats_.push_back(format);
    }
    const std::pair<int, bool> key{formatIndex, bold};
    const auto it = std::find(xfs_.begin(), xfs_.end(), key);
    if (it != xfs_.end())
        return kFirstCellXf + int(it - xfs_.begin());
    xfs_.push_back(key);
    return kFirstCellXf + int(xfs_.size()) - 1;
}

XlsWorkbook::XlsWorkbook(QString sheetName)
{
    addSheet(std::move(sheetName));
}

void XlsWorkbook::addSheet(QString sheetName)
{
    sheets_.push_back(Sheet{std::move(sheetName), {}, {}, -1});
}

void XlsWorkbook::put(int row, int column, Cell cell)
{
    if (row < 0 || column < 0 || row >= kMaxRows || column >= kMaxColumns) {
        overflow_ = true;
        return;
    }
    Sheet &sheet = sheets_.back();
    if (sheet.rows.size() <= size_t(row))
        sheet.rows.resize(size_t(row) + 1);
    sheet.maxColumn = std::max(sheet.maxColumn, column);
    auto &cells = sheet.rows[size_t(row)];
    auto it = std::lower_bound(cells.begin(), cells.end(), column,
                               [](const std::pair<int, Cell> &c, int col) { return c.first < col; });
    if (it != cells.end() && it->first == column) {
        textCells_ -= it->second.kind == Cell::Kind::Text;
        it->second = cell;
    } else {
        cells.insert(it, {column, cell});
    }
    textCells_ += cell.kind == Cell::Kind::Text;
}

void XlsWorkbook::setNumber(int row, int column, double value, const QString &format, bool bold)
{
    put(row, column, {Cell::Kind::Number, value, 0, xfFor(format, bold)});
}

void XlsWorkbook::setDate(int row, int column, double serial, const QString &format, bool bold)
{
    put(row, column,
        {Cell::Kind::Number, serial, 0,
         xfFor(format.isEmpty() ? QStringLiteral("DD.MM.YYYY") : format, bold)});
}

void XlsWorkbook::setBool(int row, int column, bool value, bool bold)
{
    put(row, column, {Cell::Kind::Bool, value ? 1.0 : 0.0, 0, xfFor(QString(), bold)});
}

void XlsWorkbook::setText(int row, int column, const QString &text, bool bold)
{
    const QString cut = text.left(32767); // the longest text a cell holds
    auto it = stringIndex_.find(cut);
    if (it == stringIndex_.end()) {
        it = stringIndex_.emplace(cut, int(strings_.size())).first;
        strings_.push_back(cut);
    }
    put(row, column, {Cell::Kind::Text, 0, it->second, xfFor(QString(), bold)});
}

void XlsWorkbook::setColumnWidth(int column, double characters)
{
    if (column >= 0 && column < kMaxColumns)
        sheets_.back().widths[column] = characters;
}

QByteArray XlsWorkbook::workbookStream() const
{
    // Globals.
    QByteArray globals;
    Bytes bof;
    bof.u16(0x0600).u16(0x0005).u16(0x0DBB).u16(0x07CC).u32(0).u32(0x0006);
    record(globals, rBOF, bof.data);
    record(globals, rCODEPAGE, Bytes().u16(1200).data);
    record(globals, rWINDOW1,
           Bytes().u16(0).u16(0).u16(0x3A5C).u16(0x2338).u16(0x0038).u16(0).u16(0).u16(1).u16(0x0258).data);
    record(globals, rDATEMODE, Bytes().u16(0).data);
    for (int i = 0; i < 4; ++i)
        record(globals, rFONT, font(false));
    record(globals, rFONT, font(true)); // font index 5 (index 4 does not exist in the format)
    for (size_t i = 0; i < formats_.size(); ++i) {
        Bytes f;
        f.u16(kFirstCustomFormat + int(i)).u16(int(formats_[i].size())).u8(1).utf16(formats_[i]);
        record(globals, rFORMAT, f.data);
    }
    for (int i = 0; i < kFirstCellXf - 1; ++i)
        record(globals, rXF, xf(0, 0, true));
    record(globals, rXF, xf(0, 0, false)); // 15: the default cell format
    for (const auto &[format, bold] : xfs_)
        record(globals, rXF, xf(bold ? 5 : 0, format, false));
    record(globals, rSTYLE, Bytes().u16(0x8000).u8(0).u8(0xFF).data);
    std::vector<qsizetype> boundSheetAt;
    for (const Sheet &sheet : sheets_) {
        boundSheetAt.push_back(globals.size() + 4);
        Bytes sheetEntry;
        sheetEntry.u32(0).u8(0).u8(0).u8(int(sheet.name.size())).u8(1).utf16(sheet.name);
        record(globals, rBOUNDSHEET, sheetEntry.data);
    }
    writeSst(globals, strings_, int(std::min<qint64>(textCells_, 0x7FFFFFFF)));
    record(globals, rEOF, {});

    QByteArray out = globals;
    for (size_t i = 0; i < sheets_.size(); ++i) {
        qToLittleEndian(quint32(out.size()), out.data() + boundSheetAt[i]);
        out += sheetStream(sheets_[i], i == 0);
    }
    return out;
}

QByteArray XlsWorkbook::sheetStream(const Sheet &source, bool selected) const
{
    QByteArray sheet;
    Bytes sbof;
    sbof.u16(0x0600).u16(0x0010).u16(0x0DBB).u16(0x07CC).u32(0).u32(0x0006);
    record(sheet, rBOF, sbof.data);
    for (const auto &[column, width] : source.widths)
        record(sheet, rCOLINFO,
               Bytes()
                   .u16(column)
                   .u16(column)
                   .u16(std::clamp(int(width * 256), 256, 255 * 256))
                   .u16(15)
                   .u16(0)
                   .u16(0)
                   .data);
    record(sheet, rDIMENSIONS,
           Bytes().u32(0).u32(quint32(source.rows.size())).u16(0).u16(source.maxColumn + 1).u16(0).data);
    for (size_t row = 0; row < source.rows.size(); ++row) {
        for (const auto &[column, cell] : source.rows[row]) {
            switch (cell.kind) {
            case Cell::Kind::Number:
                record(sheet, rNUMBER, Bytes().u16(int(row)).u16(column).u16(cell.xf).f64(cell.number).data);
                break;
            case Cell::Kind::Bool:
                record(sheet, rBOOLERR,
                       Bytes().u16(int(row)).u16(column).u16(cell.xf).u8(cell.number != 0).u8(0).data);
                break;
            case Cell::Kind::Text:
                record(sheet, rLABELSST,
                       Bytes().u16(int(row)).u16(column).u16(cell.xf).u32(quint32(cell.sst)).data);
                break;
            }
        }
    }
    // Only the first sheet is selected and shown.
    record(sheet, rWINDOW2,
           Bytes().u16(selected ? 0x06B6 : 0x00B6).u16(0).u16(0).u32(64).u16(0).u16(0).u32(0).data);
    record(sheet, rEOF, {});
    return sheet;
}

QByteArray XlsWorkbook::bytes() const
{
    if (overflow_)
        return {};
    return compoundFileWithStream(QStringLiteral("Workbook"), workbookStream());
}

} // namespace tb
