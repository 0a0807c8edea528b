#include "dbe/Errors.h"
#include "dbe/detail/Cursor.h"

namespace dbe::detail {

namespace {

// Rows held in memory, read-only, in the order they were given (row
// identities 1, 2, ...): the rows of a text file or of a query's result.
class RowsCursor : public Cursor {
public:
    RowsCursor(TableDef def, std::vector<Record> rows, RowsCursorTexts texts)
        : def_(std::move(def)), rows_(std::move(rows)), texts_(std::move(texts))
    {
    }

    const TableDef &def() const override { return def_; }
    QString driverName() const override { return texts_.driverName; }
    bool readOnly() const override { return true; }
    quint64 version() override { return filterEpoch_; }
    quint64 localVersion() const override { return filterEpoch_; }
    std::unique_ptr<Cursor> clone() const override { return std::make_unique<RowsCursor>(*this); }
    void setOrder(const QStringList &fields) override
    {
        if (!fields.isEmpty())
            engineError(ErrorCode::NotSupported, texts_.noIndex);
    }
    void setRange(const KeyRange &range) override
    {
        if (range.active)
            engineError(ErrorCode::NotSupported, texts_.noIndex);
    }
    bool first(Record &out) override { return step(-1, 1, out); }
    bool last(Record &out) override { return step(static_cast<int>(rows_.size()), -1, out); }
    bool next(const Record &from, Record &out) override { return step(indexOf(from.rowId), 1, out); }
    bool prior(const Record &from, Record &out) override { return step(indexOf(from.rowId), -1, out); }
    bool seek(const QVariantList &, bool, Record &) override
    {
        engineError(ErrorCode::NotSupported, texts_.noIndex);
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
    [[noreturn]] void readOnlyError() const { engineError(ErrorCode::ReadOnly, texts_.readOnly); }
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
    RowsCursorTexts texts_;
};

} // namespace

std::unique_ptr<Cursor> makeRowsCursor(TableDef def, std::vector<Record> rows, RowsCursorTexts texts)
{
    return std::make_unique<RowsCursor>(std::move(def), std::move(rows), std::move(texts));
}

} // namespace dbe::detail
