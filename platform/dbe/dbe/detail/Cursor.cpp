#include "dbe/detail/Cursor.h"
#include "dbe/Errors.h"
#include "dbe/detail/RecordView.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace dbe::detail {

void Cursor::setPredicate(std::function<bool(const Record &)> predicate)
{
    predicate_ = std::move(predicate);
    filtersChanged();
}

void Cursor::setFilterText(std::shared_ptr<const filter::FilterText> text)
{
    filterText_ = std::move(text);
    filtersChanged();
}

void Cursor::filtersChanged()
{
    ++filterEpoch_;
}

bool Cursor::filtered() const
{
    if (predicate_ || filterText_)
        return true;
    for (const TreeFilter &t : trees_)
        if (t.active)
            return true;
    return false;
}

QVariantList Cursor::keyOf(const Record &record) const
{
    QVariantList key;
    key.reserve(static_cast<int>(keyColumns_.size()));
    for (int c : keyColumns_)
        key << record.values.value(c);
    return key;
}

namespace {

int typeRank(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::QString:
        return 2;
    case QMetaType::QByteArray:
        return 3;
    default:
        return 1;
    }
}

double asNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::QDate:
        return v.toDate().toJulianDay();
    case QMetaType::QDateTime:
        return static_cast<double>(v.toDateTime().toMSecsSinceEpoch());
    case QMetaType::QTime:
        return v.toTime().msecsSinceStartOfDay();
    default:
        return v.toDouble();
    }
}

} // namespace

int compareValues(const QVariant &a, const QVariant &b)
{
    const bool an = !a.isValid() || a.isNull();
    const bool bn = !b.isValid() || b.isNull();
    if (an || bn)
        return an == bn ? 0 : (an ? -1 : 1);
    const int ra = typeRank(a), rb = typeRank(b);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    if (ra == 2) {
        const int c = QString::compare(a.toString(), b.toString(), Qt::CaseSensitive);
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    if (ra == 3) {
        const QByteArray x = a.toByteArray(), y = b.toByteArray();
        return x < y ? -1 : (y < x ? 1 : 0);
    }
    const double x = asNumber(a), y = asNumber(b);
    return x < y ? -1 : (y < x ? 1 : 0);
}

int Cursor::removeRange(const KeyRange &)
{
    engineError(ErrorCode::ReadOnly, readOnlyText());
}

double totalValue(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return 0.0;
    return value.toDouble();
}

void Cursor::totals(const std::vector<int> &fields, bool, TFieldTotals &out)
{
    out = TFieldTotals();
    out.sums.assign(fields.size(), 0.0);
    out.amounts.assign(fields.size(), base::Currency());
    Record r;
    bool more = first(r);
    while (more) {
        ++out.count;
        for (size_t i = 0; i < fields.size(); ++i) {
            const double v = totalValue(r.values.value(fields[i]));
            out.sums[i] += v;
            out.amounts[i] += v;
        }
        Record n;
        more = next(r, n);
        r = std::move(n);
    }
}

bool Cursor::totalsToLast(const std::vector<int> &fields, TFieldTotals &out, Record &lastRow)
{
    totals(fields, true, out);
    return out.count > 0 && last(lastRow);
}

bool Cursor::acceptsView(const filter::RecordAccessor &row) const
{
    for (const TreeFilter &t : trees_)
        if (t.active && !t.tree.matches(row))
            return false;
    return !filterText_ || filterText_->matches(row);
}

bool Cursor::accepts(const Record &record) const
{
    if (!trees_.empty() || filterText_) {
        const RecordView view(def(), &record);
        if (!acceptsView(view))
            return false;
    }
    return !predicate_ || predicate_(record);
}

} // namespace dbe::detail
