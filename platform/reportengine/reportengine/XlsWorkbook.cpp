#include "reportengine/XlsWorkbook.h"

#include <algorithm>

#include <QBuffer>
#include <QtEndian>

#include "reportengine/CompoundFile.h"
#include "reportengine/Spool.h"

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

XlsWorkbook::XlsWorkbook(QString sheetName) : spool_(std::make_unique<Spool>())
{
    addSheet(std::move(sheetName));
}

XlsWorkbook::~XlsWorkbook() = default;

void XlsWorkbook::addSheet(QString sheetName)
{
    if (!sheets_.empty()) {
        flushRow();
        sheets_.back().cellsEnd = spool_->size();
    }
    row_ = -1;
    const qint64 at = spool_->size();
    sheets_.push_back(Sheet{std::move(sheetName), at, at, 0, {}, -1});
}

void XlsWorkbook::flushRow()
{
    QByteArray records;
    for (const auto &[column, cell] : rowCells_) {
        switch (cell.kind) {
        case Cell::Kind::Number:
            record(records, rNUMBER, Bytes().u16(row_).u16(column).u16(cell.xf).f64(cell.number).data);
            break;
        case Cell::Kind::Bool:
            record(records, rBOOLERR,
                   Bytes().u16(row_).u16(column).u16(cell.xf).u8(cell.number != 0).u8(0).data);
            break;
        case Cell::Kind::Text:
            record(records, rLABELSST,
                   Bytes().u16(row_).u16(column).u16(cell.xf).u32(quint32(cell.sst)).data);
            break;
        }
    }
    spool_->write(records);
    rowCells_.clear();
}

void XlsWorkbook::put(int row, int column, Cell cell)
{
    if (row < 0 || column < 0 || row >= kMaxRows || column >= kMaxColumns || row < row_) {
        overflow_ = true;
        return;
    }
    Sheet &sheet = sheets_.back();
    if (row > row_) {
        flushRow();
        row_ = row;
    }
    sheet.rows = std::max(sheet.rows, row + 1);
    sheet.maxColumn = std::max(sheet.maxColumn, column);
    auto &cells = rowCells_;
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
    auto it = stringIndex_.constFind(cut);
    if (it == stringIndex_.constEnd()) {
        it = stringIndex_.insert(cut, int(strings_.size()));
        strings_.push_back(cut);
    }
    put(row, column, {Cell::Kind::Text, 0, *it, xfFor(QString(), bold)});
}

void XlsWorkbook::setColumnWidth(int column, double characters)
{
    if (column >= 0 && column < kMaxColumns)
        sheets_.back().widths[column] = characters;
}

QByteArray XlsWorkbook::globals(const std::vector<qint64> &sheetOffsets) const
{
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
    for (size_t i = 0; i < sheets_.size(); ++i) {
        // The sheets follow the globals; their offsets count from the stream's start.
        Bytes sheetEntry;
        sheetEntry.u32(quint32(sheetOffsets.empty() ? 0 : sheetOffsets[i]))
            .u8(0)
            .u8(0)
            .u8(int(sheets_[i].name.size()))
            .u8(1)
            .utf16(sheets_[i].name);
        record(globals, rBOUNDSHEET, sheetEntry.data);
    }
    writeSst(globals, strings_, int(std::min<qint64>(textCells_, 0x7FFFFFFF)));
    record(globals, rEOF, {});
    return globals;
}

QByteArray XlsWorkbook::sheetHead(const Sheet &source) const
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
           Bytes().u32(0).u32(quint32(source.rows)).u16(0).u16(source.maxColumn + 1).u16(0).data);
    return sheet;
}

QByteArray XlsWorkbook::sheetTail(bool selected) const
{
    // Only the first sheet is selected and shown.
    QByteArray sheet;
    record(sheet, rWINDOW2,
           Bytes().u16(selected ? 0x06B6 : 0x00B6).u16(0).u16(0).u32(64).u16(0).u16(0).u32(0).data);
    record(sheet, rEOF, {});
    return sheet;
}

bool XlsWorkbook::write(QIODevice &out)
{
    flushRow();
    sheets_.back().cellsEnd = spool_->size();
    if (overflow_ || !spool_->ok())
        return false;
    // The sizes first: the globals name each sheet's offset, the container the stream's length.
    std::vector<QByteArray> heads, tails;
    qint64 sheetBytes = 0;
    for (size_t i = 0; i < sheets_.size(); ++i) {
        heads.push_back(sheetHead(sheets_[i]));
        tails.push_back(sheetTail(i == 0));
        sheetBytes +=
            heads.back().size() + (sheets_[i].cellsEnd - sheets_[i].cellsBegin) + tails.back().size();
    }
    const qint64 globalsSize = globals({}).size();
    std::vector<qint64> offsets;
    qint64 at = globalsSize;
    for (size_t i = 0; i < sheets_.size(); ++i) {
        offsets.push_back(at);
        at += heads[i].size() + (sheets_[i].cellsEnd - sheets_[i].cellsBegin) + tails[i].size();
    }
    const QByteArray head = globals(offsets);
    return writeCompoundFile(
        out, QStringLiteral("Workbook"), globalsSize + sheetBytes, [&](QIODevice &stream) {
            if (stream.write(head) != head.size())
                return false;
            for (size_t i = 0; i < sheets_.size(); ++i)
                if (stream.write(heads[i]) != heads[i].size() ||
                    !spool_->copyTo(stream, sheets_[i].cellsBegin, sheets_[i].cellsEnd) ||
                    stream.write(tails[i]) != tails[i].size())
                    return false;
            return true;
        });
}

QByteArray XlsWorkbook::bytes()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return write(buffer) ? bytes : QByteArray();
}

} // namespace tb
