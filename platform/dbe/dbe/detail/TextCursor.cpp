#include <QDate>
#include <QDateTime>
#include <QTime>

#include "base/DateTime.h"
#include "dbe/Errors.h"
#include "dbe/detail/Cursor.h"
#include "dbe/textfile/TextTable.h"

namespace dbe::detail {

namespace {

// A text file read through its schema: read-only, in file order. The file is
// read once when the cursor opens (these files are small import files).
class TextCursor : public Cursor {
public:
    TextCursor(const QString &directory, const QString &fileName)
    {
        try {
            textfile::TextTable table(directory, fileName);
            def_.name = fileName;
            for (const textfile::TextFieldDef &f : table.schema().fields) {
                FieldDef d;
                d.name = f.name;
                d.type = f.type;
                d.size = f.type == FieldType::String ? f.width : 0;
                def_.fields << d;
            }
            const int n = table.fieldCount();
            while (table.next()) {
                Record r;
                r.rowId = table.recordNumber();
                r.values.resize(n);
                for (int i = 0; i < n; ++i)
                    r.values[i] = convert(table.value(i + 1));
                rows_.push_back(std::move(r));
            }
        } catch (const textfile::TextTableError &e) {
            engineError(ErrorCode::Schema, e.message());
        }
    }

    const TableDef &def() const override { return def_; }
    QString driverName() const override { return QStringLiteral("ASCIIDRV"); }
    bool readOnly() const override { return true; }
    quint64 version() override { return filterEpoch_; }
    quint64 localVersion() const override { return filterEpoch_; }
    std::unique_ptr<Cursor> clone() const override
    {
        auto c = std::make_unique<TextCursor>(*this);
        return c;
    }
    void setOrder(const QStringList &fields) override
    {
        if (!fields.isEmpty())
            engineError(ErrorCode::NotSupported, QStringLiteral("Textdateien haben keinen Index"));
    }
    void setRange(const KeyRange &range) override
    {
        if (range.active)
            engineError(ErrorCode::NotSupported, QStringLiteral("Textdateien haben keinen Index"));
    }
    bool first(Record &out) override { return step(-1, 1, out); }
    bool last(Record &out) override { return step(static_cast<int>(rows_.size()), -1, out); }
    bool next(const Record &from, Record &out) override { return step(indexOf(from.rowId), 1, out); }
    bool prior(const Record &from, Record &out) override { return step(indexOf(from.rowId), -1, out); }
    bool seek(const QVariantList &, bool, Record &) override
    {
        engineError(ErrorCode::NotSupported, QStringLiteral("Textdateien haben keinen Index"));
    }
    bool fetch(qint64 rowId, Record &out) override
    {
        const int i = indexOf(rowId);
        if (i < 0)
            return false;
        out = rows_[i];
        return true;
    }
    bool visible(const Record &record) override { return accepts(record); }
    int count() override
    {
        int n = 0;
        for (const Record &r : rows_)
            n += accepts(r) ? 1 : 0;
        return n;
    }
    int position(const Record &record) override
    {
        int n = 0;
        for (const Record &r : rows_) {
            n += accepts(r) ? 1 : 0;
            if (r.rowId == record.rowId)
                return n;
        }
        return 0;
    }
    void rowsAt(int recNo, int n, std::vector<Record> &out) override
    {
        out.clear();
        int k = 0;
        for (const Record &r : rows_) {
            if (!accepts(r))
                continue;
            if (++k >= recNo && static_cast<int>(out.size()) < n)
                out.push_back(r);
        }
    }
    bool locate(const std::vector<int> &fields, const QVariantList &values,
                const std::function<bool(const Record &)> &compare, Record &out) override
    {
        for (const Record &r : rows_) {
            bool match = true;
            if (compare) {
                match = compare(r);
            } else {
                for (size_t i = 0; i < fields.size() && match; ++i)
                    match = compareValues(r.values.value(fields[i]), values.value(static_cast<int>(i))) == 0;
            }
            if (match && accepts(r)) {
                out = r;
                return true;
            }
        }
        return false;
    }
    void insert(Record &) override { readOnlyError(); }
    void update(const Record &) override { readOnlyError(); }
    void remove(qint64) override { readOnlyError(); }
    void empty() override { readOnlyError(); }

private:
    [[noreturn]] static void readOnlyError()
    {
        engineError(ErrorCode::ReadOnly, QStringLiteral("Textdateien können nur gelesen werden"));
    }
    static QVariant convert(const QVariant &v)
    {
        switch (v.typeId()) {
        case QMetaType::QDate:
            return base::fromQDate(v.toDate());
        case QMetaType::QTime:
            return base::fromQTime(v.toTime());
        case QMetaType::QDateTime:
            return base::fromQDateTime(v.toDateTime());
        default:
            return v;
        }
    }
    int indexOf(qint64 rowId) const
    {
        const int i = static_cast<int>(rowId) - 1;
        return i >= 0 && i < static_cast<int>(rows_.size()) ? i : -1;
    }
    bool step(int from, int dir, Record &out)
    {
        for (int i = from + dir; i >= 0 && i < static_cast<int>(rows_.size()); i += dir) {
            if (accepts(rows_[i])) {
                out = rows_[i];
                return true;
            }
        }
        return false;
    }

    TableDef def_;
    std::vector<Record> rows_;
};

} // namespace

std::unique_ptr<Cursor> makeTextCursor(const QString &directory, const QString &fileName)
{
    return std::make_unique<TextCursor>(directory, fileName);
}

} // namespace dbe::detail
