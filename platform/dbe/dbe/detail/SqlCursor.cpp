#include <algorithm>
#include <utility>

#include <sqlite3.h>

#include <QHash>

#include "dbe/Errors.h"
#include "dbe/detail/Cursor.h"
#include "dbe/detail/Database.h"
#include "dbe/filter/SqlFilter.h"
#include "dbe/lock/TableLocks.h"

namespace dbe::detail {

namespace {

struct Bind {
    QVariant value;
    FieldType type;
};

enum class Cmp { Gt, Ge, Lt, Le };

// The row a statement stands on, read column by column only as far as a
// filter asks (column 0 is the row identity, field n is column n).
class StatementView : public filter::RecordAccessor {
public:
    // columns: statement column of each field (index fieldNo - 1), -1 when the
    // statement does not select it; null: field n is column n.
    StatementView(const TableDef &def, sqlite3_stmt *stmt, const std::vector<int> *columns = nullptr)
        : def_(def), stmt_(stmt), columns_(columns)
    {
    }
    int fieldCount() const override { return static_cast<int>(def_.fields.size()); }
    int fieldNumber(const QString &name) const override
    {
        for (int i = 0; i < def_.fields.size(); ++i)
            if (sameName(def_.fields[i].name, name))
                return i + 1;
        return 0;
    }
    QString fieldName(int fieldNo) const override
    {
        return fieldNo >= 1 && fieldNo <= def_.fields.size() ? def_.fields[fieldNo - 1].name : QString();
    }
    FieldType fieldType(int fieldNo) const override
    {
        return fieldNo >= 1 && fieldNo <= def_.fields.size() ? def_.fields[fieldNo - 1].type
                                                             : FieldType::String;
    }
    QVariant value(int fieldNo) const override
    {
        const int c = column(fieldNo);
        return c < 0 ? QVariant() : columnValue(stmt_, c, fieldType(fieldNo));
    }
    bool isBlank(int fieldNo) const override
    {
        const int c = column(fieldNo);
        if (c < 0)
            return true;
        const int t = sqlite3_column_type(stmt_, c);
        return t == SQLITE_NULL || (t == SQLITE_TEXT && sqlite3_column_bytes(stmt_, c) == 0);
    }
    // The first field a filter asked for that the statement does not select.
    mutable int missing = 0;

private:
    int column(int fieldNo) const
    {
        if (!columns_)
            return fieldNo;
        if (fieldNo < 1 || fieldNo > static_cast<int>(columns_->size()))
            return -1;
        const int c = (*columns_)[fieldNo - 1];
        if (c < 0 && missing == 0)
            missing = fieldNo;
        return c;
    }

    const TableDef &def_;
    sqlite3_stmt *stmt_;
    const std::vector<int> *columns_;
};

class SqlCursor : public Cursor {
public:
    SqlCursor(Database &db, std::shared_ptr<TableInfo> info, QString lockTable)
        : db_(db), info_(std::move(info)), lockTable_(std::move(lockTable)), columns_(info_->quotedColumns)
    {
        setOrder(QStringList());
    }

    const TableDef &def() const override { return info_->def; }
    QString driverName() const override { return QStringLiteral("PARADOX"); }
    bool readOnly() const override { return db_.readOnly(); }
    QString readOnlyText() const override { return db_.readOnlyText(info_->def.name); }
    quint64 version() override
    {
        db_.checkExternalChanges();
        return localVersion();
    }
    quint64 localVersion() const override { return db_.changeCount() * 1000003ULL + filterEpoch_; }

    std::unique_ptr<Cursor> clone() const override
    {
        auto c = std::make_unique<SqlCursor>(db_, info_, lockTable_);
        c->setOrder(orderFields_);
        c->setRange(range_);
        c->predicate_ = predicate_;
        c->filterText_ = filterText_;
        c->trees_ = trees_;
        return c;
    }

    void setOrder(const QStringList &fields) override
    {
        // A master move sets the same order again: nothing to rebuild.
        if (orderBuilt_ && fields == orderAskedFor_)
            return;
        if (orderBuilt_ && fields.size() == orderFields_.size()) {
            bool same = true;
            for (int i = 0; i < fields.size() && same; ++i)
                same = fields[i].compare(orderFields_[i], Qt::CaseInsensitive) == 0;
            if (same) {
                orderAskedFor_ = fields;
                return;
            }
        }
        orderBuilt_ = false; // until it is built
        const QString key = fields.join(QLatin1Char(';')).toLower();
        auto built = info_->orders.value(key);
        if (!built)
            built = buildOrder(fields);
        orderFields_ = built->fields;
        keyColumns_ = built->keyColumns;
        orderAsc_ = built->asc;
        orderDesc_ = built->desc;
        info_->orders.insert(key, built);
        orderBuilt_ = true;
        orderAskedFor_ = fields;
        rebuildBase();
    }

    std::shared_ptr<const TableInfo::Order> buildOrder(const QStringList &fields)
    {
        orderFields_.clear();
        keyColumns_.clear();
        for (const QString &f : fields) {
            const int i = info_->fieldIndex(f);
            if (i < 0)
                engineError(ErrorCode::FieldNotFound, QStringLiteral("Feld '%1' nicht gefunden").arg(f));
            orderFields_ << info_->def.fields[i].name;
            keyColumns_.push_back(i);
        }
        QStringList indexCols = orderFields_;
        for (const QString &p : info_->def.primaryKey) {
            const int i = info_->fieldIndex(p);
            if (i >= 0 && std::find(keyColumns_.begin(), keyColumns_.end(), i) == keyColumns_.end()) {
                keyColumns_.push_back(i);
                indexCols << info_->def.fields[i].name;
            }
        }
        if (!indexCols.isEmpty())
            db_.ensureIndex(*info_, indexCols);
        QStringList asc, desc;
        for (int c : keyColumns_) {
            asc << quoteIdent(info_->def.fields[c].name);
            desc << quoteIdent(info_->def.fields[c].name) + QStringLiteral(" DESC");
        }
        asc << QStringLiteral("rowid");
        desc << QStringLiteral("rowid DESC");
        auto order = std::make_shared<TableInfo::Order>();
        order->fields = orderFields_;
        order->keyColumns = keyColumns_;
        order->asc = asc.join(QStringLiteral(", "));
        order->desc = desc.join(QStringLiteral(", "));
        return order;
    }

    void setRange(const KeyRange &range) override
    {
        if (range.active == range_.active && range.low == range_.low && range.high == range_.high &&
            range.lowExclusive == range_.lowExclusive && range.highExclusive == range_.highExclusive)
            return; // the view stays as it is
        // A master move: the same condition with other values, so only the values bound change.
        if (baseEpoch_ == filterEpoch_ && samePointShape(range_, range)) {
            range_ = range;
            const int n = std::min<int>(range.low.size(), static_cast<int>(keyColumns_.size()));
            size_t b = 0;
            for (int i = 0; i < n; ++i)
                if (!isBlank(range.low[i]))
                    baseBinds_[b++].value = range.low[i];
            rebuildBase();
            baseEpoch_ = filterEpoch_;
            return;
        }
        range_ = range;
        rebuildBase();
    }

    // Two point ranges whose condition reads the same (blank values say IS NULL, others bind).
    bool samePointShape(const KeyRange &a, const KeyRange &b) const
    {
        auto point = [](const KeyRange &r) {
            return r.active && r.low == r.high && !r.lowExclusive && !r.highExclusive;
        };
        if (!point(a) || !point(b) || a.low.size() != b.low.size())
            return false;
        const int n = std::min<int>(a.low.size(), static_cast<int>(keyColumns_.size()));
        for (int i = 0; i < n; ++i)
            if (isBlank(a.low[i]) != isBlank(b.low[i]))
                return false;
        return true;
    }

    bool first(Record &out) override
    {
        if (std::exchange(prefetched_, false) && pageChange_ == db_.changeCount() &&
            pageEpoch_ == filterEpoch_) {
            if (page_.empty())
                return false;
            hint_ = 0;
            out = page_[0];
            return true;
        }
        return fillPage(true, nullptr, QString(), {}, out);
    }

    // A table just opened reads only the row it shows (most are not walked, and a grid reads its
    // rows itself); the page a walk needs follows at its first step.
    bool openFirst(Record &out) override { return fillPage(true, nullptr, QString(), {}, out, 1); }

    void prefetchFirst(std::vector<Database *> &held) override
    {
        if (std::find(held.begin(), held.end(), &db_) == held.end()) {
            db_.enterReads();
            held.push_back(&db_);
        }
        // A detail nobody walked past its first row since the last move reads only that row; the
        // page a walk needs follows at its first step.
        Record r;
        fillPage(true, nullptr, QString(), {}, r, walked_ ? kPage : 1);
        prefetched_ = true;
        walked_ = false;
    }

    bool last(Record &out) override { return fillPage(false, nullptr, QString(), {}, out); }

    bool next(const Record &from, Record &out) override
    {
        walked_ = true;
        const int i = pageIndex(from);
        if (i >= 0 && i + 1 < static_cast<int>(page_.size())) {
            hint_ = i + 1;
            out = page_[hint_];
            return true;
        }
        if (i >= 0 && i + 1 == static_cast<int>(page_.size()) && pageAtEnd_ && pageForward_)
            return false;
        return fillPage(true, &from, QString(), {}, out);
    }

    bool prior(const Record &from, Record &out) override
    {
        const int i = pageIndex(from);
        if (i > 0) {
            hint_ = i - 1;
            out = page_[hint_];
            return true;
        }
        if (i == 0 && pageAtEnd_ && !pageForward_)
            return false;
        return fillPage(false, &from, QString(), {}, out);
    }

    bool seek(const QVariantList &key, bool nearest, Record &out) override
    {
        QString cond;
        std::vector<Bind> binds;
        const int n = std::min<int>(key.size(), static_cast<int>(orderFields_.size()));
        if (nearest) {
            cond = tupleCond(n, key, Cmp::Ge, binds, true);
        } else {
            QStringList parts;
            for (int i = 0; i < n; ++i)
                parts << eqCond(i, key[i], binds);
            cond = parts.join(QStringLiteral(" AND "));
        }
        return fillPage(true, nullptr, cond, binds, out);
    }

    bool fetch(qint64 rowId, Record &out) override
    {
        if (fetchSql_.isEmpty())
            fetchSql_ =
                QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(info_->selectList, info_->sqlName);
        sqlite3_stmt *s = db_.prepare(fetchSql_);
        sqlite3_bind_int64(s, 1, rowId);
        const bool found = sqlite3_step(s) == SQLITE_ROW;
        if (found)
            read(s, out);
        sqlite3_reset(s);
        return found;
    }

    bool visible(const Record &record) override
    {
        if (range_.active) {
            const QVariantList key = keyOf(record);
            if (!inBound(key, range_.low, range_.lowExclusive, true) ||
                !inBound(key, range_.high, range_.highExclusive, false))
                return false;
        }
        return accepts(record);
    }

    int count() override
    {
        db_.checkExternalChanges();
        if (!checkInCpp()) {
            sqlite3_stmt *s = db_.prepare(
                QStringLiteral("SELECT count(*) FROM %1%2").arg(info_->sqlName, where(QString())));
            bindAll(s, baseBinds_, 1);
            int n = 0;
            if (sqlite3_step(s) == SQLITE_ROW)
                n = sqlite3_column_int(s, 0);
            sqlite3_reset(s);
            return n;
        }
        if (!predicate_)
            return countSelected();
        int n = 0;
        scanAll(
            [&](sqlite3_stmt *s) {
                if (rowAccepted(s))
                    ++n;
                return true;
            },
            false); // counting needs no order: the storage may read the table straight
        return n;
    }

    // Counting under filter texts and trees reads only the fields they use:
    // the fields are learnt as the filters ask for them (a field not read yet
    // restarts the count with it), and the storage reads the table straight.
    int countSelected()
    {
        if (usedFieldsEpoch_ != filterEpoch_) {
            usedFields_.clear();
            usedFieldsEpoch_ = filterEpoch_;
        }
        for (;;) {
            QStringList cols{QStringLiteral("rowid")};
            std::vector<int> columnOf(info_->def.fields.size(), -1);
            for (int f : usedFields_) {
                columnOf[f - 1] = static_cast<int>(cols.size());
                cols << quoteIdent(info_->def.fields[f - 1].name);
            }
            sqlite3_stmt *s =
                db_.prepare(QStringLiteral("SELECT %1 FROM %2%3")
                                .arg(cols.join(QStringLiteral(", ")), info_->sqlName, where(QString())));
            bindAll(s, baseBinds_, 1);
            const StatementView view(info_->def, s, &columnOf);
            int n = 0;
            try {
                while (sqlite3_step(s) == SQLITE_ROW) {
                    const bool ok = acceptsView(view);
                    if (view.missing)
                        break;
                    n += ok ? 1 : 0;
                }
            } catch (...) {
                sqlite3_reset(s);
                throw;
            }
            sqlite3_reset(s);
            if (!view.missing)
                return n;
            usedFields_.push_back(view.missing);
        }
    }

    int position(const Record &record) override
    {
        if (!checkInCpp()) {
            std::vector<Bind> binds = baseBinds_;
            const QString cond =
                tupleCond(static_cast<int>(keyColumns_.size()) + 1, fullKey(record), Cmp::Lt, binds);
            sqlite3_stmt *s =
                db_.prepare(QStringLiteral("SELECT count(*) FROM %1%2").arg(info_->sqlName, where(cond)));
            bindAll(s, binds, 1);
            int n = 0;
            if (sqlite3_step(s) == SQLITE_ROW)
                n = sqlite3_column_int(s, 0);
            sqlite3_reset(s);
            return n + 1;
        }
        int n = 0, found = 0;
        scanAll([&](sqlite3_stmt *s) {
            if (rowAccepted(s))
                ++n;
            if (sqlite3_column_int64(s, 0) == record.rowId) {
                found = n;
                return false;
            }
            return true;
        });
        return found;
    }

    void rowsAt(int recNo, int n, std::vector<Record> &out) override
    {
        out.clear();
        if (recNo < 1 || n <= 0)
            return;
        if (!checkInCpp()) {
            sqlite3_stmt *s =
                db_.prepare(QStringLiteral("SELECT %1 FROM %2%3 ORDER BY %4 LIMIT ? OFFSET ?")
                                .arg(info_->selectList, info_->sqlName, where(QString()), orderAsc_));
            int i = bindAll(s, baseBinds_, 1);
            sqlite3_bind_int(s, i++, n);
            sqlite3_bind_int(s, i, recNo - 1);
            while (sqlite3_step(s) == SQLITE_ROW) {
                out.emplace_back();
                read(s, out.back());
            }
            sqlite3_reset(s);
            return;
        }
        int k = 0;
        scanAll([&](sqlite3_stmt *s) {
            if (!rowAccepted(s))
                return true;
            if (++k >= recNo) {
                out.emplace_back();
                read(s, out.back());
            }
            return static_cast<int>(out.size()) < n;
        });
    }

    bool locate(const std::vector<int> &fields, const QVariantList &values,
                const std::function<bool(const Record &)> &compare, Record &out) override
    {
        const bool inCpp = checkInCpp();
        QString cond;
        std::vector<Bind> binds = baseBinds_;
        if (!compare) {
            QStringList parts;
            for (size_t i = 0; i < fields.size(); ++i) {
                const FieldDef &f = info_->def.fields[fields[i]];
                if (isBlank(values.value(static_cast<int>(i)))) {
                    parts << quoteIdent(f.name) + QStringLiteral(" IS NULL");
                } else {
                    parts << quoteIdent(f.name) + QStringLiteral(" = ?");
                    binds.push_back({values.value(static_cast<int>(i)), f.type});
                }
            }
            cond = parts.join(QStringLiteral(" AND "));
        }
        sqlite3_stmt *s = db_.prepare(QStringLiteral("SELECT %1 FROM %2%3 ORDER BY %4")
                                          .arg(info_->selectList, info_->sqlName, where(cond), orderAsc_));
        bindAll(s, binds, 1);
        bool found = false;
        Record r;
        while (sqlite3_step(s) == SQLITE_ROW) {
            read(s, r);
            if ((!compare || compare(r)) && (!inCpp || accepts(r))) {
                out = r;
                found = true;
                break;
            }
        }
        sqlite3_reset(s);
        return found;
    }

    void insert(Record &record) override
    {
        WriteScope w(*this);
        for (int i = 0; i < info_->def.fields.size(); ++i) {
            if (info_->def.fields[i].type == FieldType::AutoInc && isBlank(record.values.value(i))) {
                // The next number is the highest plus one: an index makes that a probe, not a scan.
                db_.ensureIndex(*info_, {info_->def.fields[i].name});
                sqlite3_stmt *s =
                    db_.prepare(QStringLiteral("SELECT coalesce(max(%1), 0) + 1 FROM %2")
                                    .arg(quoteIdent(info_->def.fields[i].name), info_->sqlName));
                if (sqlite3_step(s) == SQLITE_ROW)
                    record.values[i] = sqlite3_column_int(s, 0);
                sqlite3_reset(s);
            }
        }
        checkUnique(record, 0);
        sqlite3_stmt *s = insertStatement_;
        if (s) {
            sqlite3_reset(s); // every field is bound below
        } else {
            QStringList marks;
            for (int i = 0; i < columns_.size(); ++i)
                marks << QStringLiteral("?");
            s = insertStatement_ = db_.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                                   .arg(info_->sqlName, columns_.join(QStringLiteral(", ")),
                                                        marks.join(QStringLiteral(", "))));
        }
        for (int i = 0; i < info_->def.fields.size(); ++i)
            bindValue(s, i + 1, record.values.value(i), info_->def.fields[i].type);
        if (sqlite3_step(s) != SQLITE_DONE) {
            sqlite3_reset(s);
            db_.raise(info_->def.name);
        }
        sqlite3_reset(s);
        record.rowId = sqlite3_last_insert_rowid(db_.handle());
        w.done();
    }

    void update(const Record &record) override
    {
        WriteScope w(*this);
        writeUpdate(record);
        w.done();
    }

    RowClaim claimRow(qint64 rowId) override
    {
        if (db_.readOnly())
            return {};
        RowClaim claim;
        claim.lock = lockRow(rowId);
        // Asked after the lock is had: a commit from then on shows, one before it is in what Edit reads.
        claim.externalCommits = db_.externalCommits();
        claim.claimed = true;
        return claim;
    }

    void updateClaimed(const Record &record, const Record &readAtClaim, const RowClaim &claim) override
    {
        if (!claim.claimed) {
            update(record);
            return;
        }
        WriteScope w(*this);
        // Only another workstation can have changed the row behind the claim (this process's own
        // cursors share it): when none has committed since, nothing needs comparing.
        if (db_.externalCommits() != claim.externalCommits) {
            Record stored;
            if (!fetch(record.rowId, stored))
                engineError(ErrorCode::RecordNotFound,
                            QStringLiteral("Tabelle %1: Der Datensatz wurde inzwischen an einem anderen "
                                           "Arbeitsplatz gelöscht. Ihre Eingaben sind nicht gespeichert; mit "
                                           "Abbrechen werden sie verworfen.")
                                .arg(info_->def.name));
            for (int i = 0; i < info_->def.fields.size(); ++i)
                if (stored.values.value(i) != readAtClaim.values.value(i))
                    engineError(
                        ErrorCode::RecordChanged,
                        QStringLiteral("Tabelle %1: Der Datensatz wurde inzwischen an einem anderen "
                                       "Arbeitsplatz geändert. Ihre Eingaben sind nicht gespeichert; mit "
                                       "Abbrechen wird der gespeicherte Stand neu gelesen.")
                            .arg(info_->def.name));
        }
        writeUpdate(record);
        w.done();
    }

    void remove(qint64 rowId) override
    {
        lock::LockHandle claim = lockRow(rowId);
        WriteScope w(*this);
        sqlite3_stmt *s = db_.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(info_->sqlName));
        sqlite3_bind_int64(s, 1, rowId);
        if (sqlite3_step(s) != SQLITE_DONE) {
            sqlite3_reset(s);
            db_.raise(info_->def.name);
        }
        sqlite3_reset(s);
        w.done();
        db_.keepForTransaction(claim);
    }

    void empty() override
    {
        WriteScope w(*this);
        db_.exec(QStringLiteral("DELETE FROM %1").arg(info_->sqlName));
        w.done();
    }

private:
    // The record lock of a row, or the refusal naming the table.
    lock::LockHandle lockRow(qint64 rowId)
    {
        try {
            return db_.locks()->lockRecord(info_->def.name, rowId);
        } catch (const lock::LockError &e) {
            engineError(e.reason() == lock::LockError::Reason::ReadOnly   ? ErrorCode::ReadOnly
                        : e.reason() == lock::LockError::Reason::LockFile ? ErrorCode::General
                                                                          : ErrorCode::Locked,
                        e.message());
        }
    }

    // The UPDATE of a stored row, inside a write scope.
    void writeUpdate(const Record &record)
    {
        checkUnique(record, record.rowId);
        if (updateSql_.isEmpty()) {
            QStringList sets;
            for (const QString &c : std::as_const(columns_))
                sets << c + QStringLiteral(" = ?");
            updateSql_ = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                             .arg(info_->sqlName, sets.join(QStringLiteral(", ")));
        }
        sqlite3_stmt *s = db_.prepare(updateSql_);
        int i = 0;
        for (; i < info_->def.fields.size(); ++i)
            bindValue(s, i + 1, record.values.value(i), info_->def.fields[i].type);
        sqlite3_bind_int64(s, i + 1, record.rowId);
        if (sqlite3_step(s) != SQLITE_DONE) {
            sqlite3_reset(s);
            db_.raise(info_->def.name);
        }
        const bool changed = sqlite3_changes(db_.handle()) > 0;
        sqlite3_reset(s);
        if (!changed)
            engineError(ErrorCode::RecordNotFound, Msg::RecordNotFound);
    }

    // A write: the lock between processes, then one storage transaction
    // (inside an explicit transaction when one is open), committed at the end.
    struct WriteScope {
        SqlCursor &c;
        lock::LockHandle handle;
        bool ok = false;
        explicit WriteScope(SqlCursor &cursor) : c(cursor)
        {
            if (c.db_.readOnly())
                engineError(ErrorCode::ReadOnly, c.readOnlyText());
            if (!c.db_.holdsTransactionWrite(c.lockTable_)) {
                try {
                    handle = c.db_.locks()->beginWrite(c.lockTable_);
                } catch (const lock::LockError &e) {
                    engineError(ErrorCode::Locked, e.message());
                }
                if (c.db_.inTransaction())
                    c.db_.keepTransactionWrite(c.lockTable_, std::move(handle));
            }
            c.db_.beginWrite(c.info_->def.name);
        }
        void done()
        {
            c.db_.endWrite(true, c.info_->def.name);
            ok = true;
            c.db_.noteChange();
        }
        ~WriteScope()
        {
            if (!ok) {
                try {
                    c.db_.endWrite(false);
                } catch (...) {
                }
            }
        }
    };

    // Adds up the fields over the visible rows, reading only them (and the row identity, when
    // lastRowId asks for the last row's) unless the filters must see the rows in C++.
    void addUp(const std::vector<int> &fields, bool inOrder, TFieldTotals &out, qint64 *lastRowId)
    {
        out = TFieldTotals();
        out.sums.assign(fields.size(), 0.0);
        out.amounts.assign(fields.size(), base::Currency());
        // column: the statement column of the first field; byField: field n is column n + 1.
        auto add = [&](sqlite3_stmt *s, int column, bool byField) {
            ++out.count;
            for (size_t i = 0; i < fields.size(); ++i) {
                const int c = byField ? fields[i] + 1 : column + static_cast<int>(i);
                const double v = numberAt(s, c, info_->def.fields[fields[i]].type);
                out.sums[i] += v;
                out.amounts[i] += v;
            }
            if (lastRowId)
                *lastRowId = sqlite3_column_int64(s, 0);
        };
        db_.checkExternalChanges();
        if (checkInCpp()) {
            scanAll(
                [&](sqlite3_stmt *s) {
                    if (rowAccepted(s))
                        add(s, 1, true);
                    return true;
                },
                inOrder);
            return;
        }
        // Only the fields asked for leave the storage. A walk asks the same at every record: the
        // statement's text is kept while the view stays.
        TotalsSql &kept = totalsSql_;
        if (kept.sql.isEmpty() || kept.where != baseWhere_ || kept.order != orderAsc_ ||
            kept.fields != fields || kept.inOrder != inOrder || kept.rowId != (lastRowId != nullptr)) {
            QStringList cols;
            if (lastRowId)
                cols << QStringLiteral("rowid");
            for (int f : fields)
                cols << quoteIdent(info_->def.fields[f].name);
            if (cols.isEmpty())
                cols << QStringLiteral("1");
            kept = {baseWhere_,
                    orderAsc_,
                    fields,
                    inOrder,
                    lastRowId != nullptr,
                    QStringLiteral("SELECT %1 FROM %2%3%4")
                        .arg(cols.join(QStringLiteral(", ")), info_->sqlName, where(QString()),
                             inOrder ? QStringLiteral(" ORDER BY ") + orderAsc_ : QString())};
        }
        sqlite3_stmt *s = db_.prepare(kept.sql);
        bindAll(s, baseBinds_, 1);
        while (sqlite3_step(s) == SQLITE_ROW)
            add(s, lastRowId ? 1 : 0, false);
        sqlite3_reset(s);
    }

    static bool isBlank(const QVariant &v)
    {
        return !v.isValid() || v.isNull() ||
               (v.typeId() == QMetaType::QString && static_cast<const QString *>(v.constData())->isEmpty());
    }

    int removeRange(const KeyRange &range) override
    {
        std::vector<Bind> binds;
        const QString cond = rangeWhere(range, binds);
        if (cond.isEmpty())
            engineError(
                ErrorCode::General,
                QStringLiteral("Tabelle %1: kein Bereich zum Löschen angegeben").arg(info_->def.name));
        WriteScope w(*this);
        // Every row that goes is claimed first: none another workstation edits goes.
        std::vector<lock::LockHandle> claims;
        sqlite3_stmt *rows =
            db_.prepare(QStringLiteral("SELECT rowid FROM %1 WHERE %2").arg(info_->sqlName, cond));
        bindAll(rows, binds, 1);
        int rc;
        while ((rc = sqlite3_step(rows)) == SQLITE_ROW) {
            const qint64 rowId = sqlite3_column_int64(rows, 0);
            try {
                claims.push_back(lockRow(rowId));
            } catch (...) {
                sqlite3_reset(rows);
                throw;
            }
        }
        sqlite3_reset(rows);
        if (rc != SQLITE_DONE)
            db_.raise(info_->def.name);
        sqlite3_stmt *s = db_.prepare(QStringLiteral("DELETE FROM %1 WHERE %2").arg(info_->sqlName, cond));
        bindAll(s, binds, 1);
        if (sqlite3_step(s) != SQLITE_DONE) {
            sqlite3_reset(s);
            db_.raise(info_->def.name);
        }
        sqlite3_reset(s);
        const int n = sqlite3_changes(db_.handle());
        w.done();
        for (lock::LockHandle &claim : claims)
            db_.keepForTransaction(claim);
        return n;
    }

    void totals(const std::vector<int> &fields, bool inOrder, TFieldTotals &out) override
    {
        addUp(fields, inOrder, out, nullptr);
    }

    // The totals as totals() reads them, with the identity of the last row, then that row in full.
    bool totalsToLast(const std::vector<int> &fields, TFieldTotals &out, Record &lastRow) override
    {
        // Both reads in one read transaction, unless a record filter (a caller's code) runs.
        struct Reads {
            Database *db;
            ~Reads()
            {
                if (db)
                    db->leaveReads();
            }
        } reads{predicate_ ? nullptr : &db_};
        if (reads.db)
            reads.db->enterReads();
        qint64 lastRowId = 0;
        addUp(fields, true, out, &lastRowId);
        if (out.count == 0)
            return false;
        if (!fetch(lastRowId, lastRow))
            return last(lastRow); // gone meanwhile (another workstation): the last row there is now
        // The cursor stands on the last row: nothing after it, the rows before it read when asked.
        page_.assign(1, lastRow);
        prefetched_ = false;
        pageForward_ = true;
        pageAtEnd_ = true;
        pageChange_ = db_.changeCount();
        pageEpoch_ = filterEpoch_;
        hint_ = 0;
        return true;
    }

    // Unique keys where blank equals blank (the storage's own unique indexes
    // would let blanks repeat): one query per key, its text kept per pattern
    // of blank key fields.
    void buildUniqueKeys()
    {
        if (!uniqueKeysBuilt_) {
            QList<QStringList> keys;
            if (!info_->def.primaryKey.isEmpty())
                keys << info_->def.primaryKey;
            for (const IndexDef &ix : info_->def.indexes)
                if (ix.options & (ixUnique | ixPrimary))
                    keys << ix.fields;
            for (const QStringList &k : keys) {
                std::vector<int> cols;
                for (const QString &f : k)
                    if (const int i = info_->fieldIndex(f); i >= 0)
                        cols.push_back(i);
                if (!cols.empty() && cols.size() <= 32)
                    uniqueKeys_.push_back(std::move(cols));
            }
            uniqueKeysBuilt_ = true;
        }
    }

    static quint64 blankMask(const Record &record, const std::vector<int> &cols)
    {
        quint64 blanks = 0;
        for (size_t j = 0; j < cols.size(); ++j)
            if (isBlank(record.values.value(cols[j])))
                blanks |= 1ULL << j;
        return blanks;
    }

    void checkUnique(const Record &record, qint64 self)
    {
        buildUniqueKeys();
        for (size_t k = 0; k < uniqueKeys_.size(); ++k) {
            const std::vector<int> &cols = uniqueKeys_[k];
            const quint64 blanks = blankMask(record, cols);
            // Every parameter is bound below: a reset is all a kept statement needs.
            sqlite3_stmt *&s = uniqueStatements_[(static_cast<quint64>(k) << 32) | blanks];
            if (s) {
                sqlite3_reset(s);
            } else {
                QStringList parts;
                for (size_t j = 0; j < cols.size(); ++j)
                    parts << quoteIdent(info_->def.fields[cols[j]].name) +
                                 (blanks & (1ULL << j) ? QStringLiteral(" IS NULL") : QStringLiteral(" = ?"));
                s = db_.prepare(QStringLiteral("SELECT 1 FROM %1 WHERE %2 AND rowid <> ? LIMIT 1")
                                    .arg(info_->sqlName, parts.join(QStringLiteral(" AND "))));
            }
            int n = 1;
            for (size_t j = 0; j < cols.size(); ++j)
                if (!(blanks & (1ULL << j)))
                    bindValue(s, n++, record.values.value(cols[j]), info_->def.fields[cols[j]].type);
            sqlite3_bind_int64(s, n, self);
            const bool dup = sqlite3_step(s) == SQLITE_ROW;
            sqlite3_reset(s);
            if (dup)
                engineError(ErrorCode::KeyViolation, Msg::KeyViolation);
        }
    }

    // A field's value as a total counts it, read straight from the statement (totalValue of
    // columnValue without the variant): the storage reads blank as 0.
    static double numberAt(sqlite3_stmt *s, int column, FieldType type)
    {
        switch (type) {
        case FieldType::SmallInt:
        case FieldType::Integer:
        case FieldType::AutoInc:
            return sqlite3_column_int(s, column);
        case FieldType::Boolean:
            return sqlite3_column_int(s, column) != 0 ? 1.0 : 0.0;
        default:
            return sqlite3_column_double(s, column);
        }
    }

    QString colName(int keyIndex) const
    {
        if (keyIndex >= static_cast<int>(keyColumns_.size()))
            return QStringLiteral("rowid");
        return quoteIdent(info_->def.fields[keyColumns_[keyIndex]].name);
    }
    FieldType colType(int keyIndex) const
    {
        if (keyIndex >= static_cast<int>(keyColumns_.size()))
            return FieldType::Integer;
        return info_->def.fields[keyColumns_[keyIndex]].type;
    }

    QString eqCond(int k, const QVariant &v, std::vector<Bind> &binds) const
    {
        if (isBlank(v))
            return colName(k) + QStringLiteral(" IS NULL");
        binds.push_back({v, colType(k)});
        return colName(k) + QStringLiteral(" = ?");
    }

    // Tuple comparison of the first n key columns with values (blank
    // smallest). With hint (Gt/Ge, Le/Lt), a redundant bound on the first
    // column lets the storage seek in its index; a Lt/Le hint leaves out the
    // rows whose first column is blank, which the caller reads separately.
    QString tupleCond(int n, const QVariantList &vals, Cmp op, std::vector<Bind> &binds,
                      bool hint = false) const
    {
        QStringList terms;
        std::vector<Bind> all;
        for (int i = 0; i < n; ++i) {
            QStringList t;
            std::vector<Bind> tb;
            for (int j = 0; j < i; ++j)
                t << eqCond(j, vals.value(j), tb);
            const QVariant v = vals.value(i);
            if (op == Cmp::Gt || op == Cmp::Ge) {
                if (isBlank(v)) {
                    t << colName(i) + QStringLiteral(" IS NOT NULL");
                } else {
                    t << colName(i) + QStringLiteral(" > ?");
                    tb.push_back({v, colType(i)});
                }
            } else {
                if (isBlank(v))
                    continue; // nothing lies below blank
                t << QStringLiteral("(%1 < ? OR %1 IS NULL)").arg(colName(i));
                tb.push_back({v, colType(i)});
            }
            terms << QLatin1Char('(') + t.join(QStringLiteral(" AND ")) + QLatin1Char(')');
            all.insert(all.end(), tb.begin(), tb.end());
        }
        if (op == Cmp::Ge || op == Cmp::Le) {
            QStringList t;
            for (int j = 0; j < n; ++j)
                t << eqCond(j, vals.value(j), all);
            terms << QLatin1Char('(') +
                         (t.isEmpty() ? QStringLiteral("1") : t.join(QStringLiteral(" AND "))) +
                         QLatin1Char(')');
        }
        QString cond = terms.isEmpty()
                           ? QStringLiteral("0")
                           : QLatin1Char('(') + terms.join(QStringLiteral(" OR ")) + QLatin1Char(')');
        if (hint && n > 0 && !isBlank(vals.value(0))) {
            const bool up = op == Cmp::Gt || op == Cmp::Ge;
            cond = colName(0) + (up ? QStringLiteral(" >= ? AND ") : QStringLiteral(" <= ? AND ")) + cond;
            binds.push_back({vals.value(0), colType(0)});
        }
        binds.insert(binds.end(), all.begin(), all.end());
        return cond;
    }

    QVariantList fullKey(const Record &r) const
    {
        QVariantList k = keyOf(r);
        k << r.rowId;
        return k;
    }

    // The condition of a key range on the order's leading fields (empty: no range).
    QString rangeWhere(const KeyRange &range, std::vector<Bind> &binds) const
    {
        QStringList parts;
        if (range.active) {
            const bool point = range.low == range.high && !range.lowExclusive && !range.highExclusive;
            const int nl = std::min<int>(range.low.size(), static_cast<int>(keyColumns_.size()));
            const int nh = std::min<int>(range.high.size(), static_cast<int>(keyColumns_.size()));
            if (point) {
                for (int i = 0; i < nl; ++i)
                    parts << eqCond(i, range.low[i], binds);
            } else {
                if (nl > 0)
                    parts << tupleCond(nl, range.low, range.lowExclusive ? Cmp::Gt : Cmp::Ge, binds);
                if (nh > 0)
                    parts << tupleCond(nh, range.high, range.highExclusive ? Cmp::Lt : Cmp::Le, binds);
            }
        }
        return parts.join(QStringLiteral(" AND "));
    }

    void rebuildBase()
    {
        filtersChanged();
        page_.clear();
    }

    // The condition every statement of the view carries: the range, and the filter texts and trees
    // said in SQL. What SQL cannot say exactly, and a record filter, the rows still pass in C++.
    void syncBase()
    {
        if (baseEpoch_ == filterEpoch_)
            return;
        baseBinds_.clear();
        QStringList parts;
        if (const QString range = rangeWhere(range_, baseBinds_); !range.isEmpty())
            parts << range;
        filter::SqlCondition filters;
        if (filterText_)
            filter::conjoin(filters, filter::toSql(*filterText_, info_->def, columns_));
        for (const TreeFilter &t : trees_)
            if (t.active)
                filter::conjoin(filters, filter::toSql(t.tree, info_->def, columns_));
        if (!filters.sql.isEmpty()) {
            parts << filters.sql;
            for (const QVariant &v : std::as_const(filters.values))
                baseBinds_.push_back(
                    {v, v.typeId() == QMetaType::QString ? FieldType::String : FieldType::Float});
        }
        checkInCpp_ = predicate_ || !filters.exact;
        baseWhere_ = parts.join(QStringLiteral(" AND "));
        baseEpoch_ = filterEpoch_;
    }

    // Whether the rows the storage selects must still pass the filters in C++.
    bool checkInCpp()
    {
        syncBase();
        return checkInCpp_;
    }

    QString where(const QString &extra) const
    {
        QStringList p;
        if (!baseWhere_.isEmpty())
            p << baseWhere_;
        if (!extra.isEmpty())
            p << extra;
        return p.isEmpty() ? QString() : QStringLiteral(" WHERE ") + p.join(QStringLiteral(" AND "));
    }

    int bindAll(sqlite3_stmt *s, const std::vector<Bind> &binds, int first) const
    {
        int i = first;
        for (const Bind &b : binds)
            bindValue(s, i++, b.value, b.type);
        return i;
    }

    void read(sqlite3_stmt *s, Record &r) const
    {
        const int n = static_cast<int>(info_->def.fields.size());
        r.rowId = sqlite3_column_int64(s, 0);
        r.values.resize(n);
        for (int i = 0; i < n; ++i)
            r.values[i] = columnValue(s, i + 1, info_->def.fields[i].type);
    }

    bool inBound(const QVariantList &key, const QVariantList &bound, bool exclusive, bool low) const
    {
        const int n = std::min<int>(bound.size(), key.size());
        int c = 0;
        for (int i = 0; i < n && c == 0; ++i)
            c = compareValues(key[i], bound[i]);
        if (low)
            return exclusive ? c > 0 : c >= 0;
        return exclusive ? c < 0 : c <= 0;
    }

    // Whether the statement's row passes every filter; the row is read in
    // full only when a record filter has to see it.
    bool rowAccepted(sqlite3_stmt *s)
    {
        const StatementView view(info_->def, s);
        if (!acceptsView(view))
            return false;
        if (!predicate_)
            return true;
        read(s, scratch_);
        return predicate_(scratch_);
    }

    void scanAll(const std::function<bool(sqlite3_stmt *)> &fn, bool ordered = true)
    {
        syncBase();
        sqlite3_stmt *s =
            db_.prepare(QStringLiteral("SELECT %1 FROM %2%3%4")
                            .arg(info_->selectList, info_->sqlName, where(QString()),
                                 ordered ? QStringLiteral(" ORDER BY ") + orderAsc_ : QString()));
        bindAll(s, baseBinds_, 1);
        try {
            while (sqlite3_step(s) == SQLITE_ROW) {
                if (!fn(s))
                    break;
            }
        } catch (...) {
            sqlite3_reset(s);
            throw;
        }
        sqlite3_reset(s);
    }

    // The rows of the view from its start or its end, a page at a time: asked at every move of a
    // master, so the text is kept while the view's condition and order stay.
    sqlite3_stmt *endStatement(bool forward)
    {
        EndSql &kept = forward ? firstSql_ : lastSql_;
        const QString &order = forward ? orderAsc_ : orderDesc_;
        if (kept.stmt && kept.where == baseWhere_ && kept.order == order)
            return db_.again(kept.stmt);
        kept = {baseWhere_, order, nullptr};
        kept.stmt = db_.prepare(QStringLiteral("SELECT %1 FROM %2%3 ORDER BY %4 LIMIT ?")
                                    .arg(info_->selectList, info_->sqlName, where(QString()), order));
        return kept.stmt;
    }

    int pageIndex(const Record &from)
    {
        if (page_.empty() || pageChange_ != db_.changeCount() || pageEpoch_ != filterEpoch_)
            return -1;
        if (hint_ >= 0 && hint_ < static_cast<int>(page_.size()) && page_[hint_].rowId == from.rowId)
            return hint_;
        for (int i = 0; i < static_cast<int>(page_.size()); ++i)
            if (page_[i].rowId == from.rowId)
                return i;
        return -1;
    }

    // Reads the next page of visible rows after (forward) or before `from`
    // (or from the start/end), with an extra condition on the first query.
    bool fillPage(bool forward, const Record *from, const QString &extra, std::vector<Bind> extraBinds,
                  Record &out, int firstPage = kPage)
    {
        prefetched_ = false;
        const bool inCpp = checkInCpp();
        const bool sameRun = from && pageForward_ == forward && pageIndex(*from) >= 0;
        pageSize_ = sameRun ? std::clamp(pageSize_ * 2, kPage, 512) : firstPage;
        std::vector<Record> rows;
        rows.reserve(static_cast<size_t>(pageSize_));
        Record cursorKey;
        bool haveKey = false;
        if (from) {
            cursorKey = *from;
            haveKey = true;
        }
        bool atEnd = false;
        const bool nullPhaseNeeded = !forward;
        bool nullPhase = false;
        while (static_cast<int>(rows.size()) < pageSize_) {
            std::vector<Bind> binds; // after the view's own
            QStringList conds;
            if (!extra.isEmpty()) {
                conds << extra;
                binds.insert(binds.end(), extraBinds.begin(), extraBinds.end());
            }
            if (haveKey) {
                const QVariantList key = fullKey(cursorKey);
                const int n = static_cast<int>(key.size());
                if (forward)
                    conds << tupleCond(n, key, Cmp::Gt, binds, !keyColumns_.empty());
                else if (!nullPhase)
                    conds << tupleCond(n, key, Cmp::Lt, binds, !keyColumns_.empty());
                else
                    conds << colName(0) + QStringLiteral(" IS NULL") << tupleCond(n, key, Cmp::Lt, binds);
            }
            const int want = pageSize_ - static_cast<int>(rows.size());
            const int limit = inCpp ? std::max(want, 64) : want;
            sqlite3_stmt *s = conds.isEmpty()
                                  ? endStatement(forward)
                                  : db_.prepare(QStringLiteral("SELECT %1 FROM %2%3 ORDER BY %4 LIMIT ?")
                                                    .arg(info_->selectList, info_->sqlName,
                                                         where(conds.join(QStringLiteral(" AND "))),
                                                         forward ? orderAsc_ : orderDesc_));
            const int li = bindAll(s, binds, bindAll(s, baseBinds_, 1));
            sqlite3_bind_int(s, li, limit);
            int got = 0;
            try {
                while (sqlite3_step(s) == SQLITE_ROW) {
                    Record r; // a row of its own: the page keeps it, the next is read anew
                    read(s, r);
                    ++got;
                    cursorKey = r;
                    haveKey = true;
                    if (!inCpp || accepts(r))
                        rows.push_back(std::move(r));
                    // A full page ends on its last row: the rows read past it
                    // belong to the next page, and they say nothing of the end.
                    if (static_cast<int>(rows.size()) >= pageSize_)
                        break;
                }
            } catch (...) {
                sqlite3_reset(s);
                throw;
            }
            sqlite3_reset(s);
            if (static_cast<int>(rows.size()) >= pageSize_)
                break;
            if (got < limit) {
                const bool canNullPhase = nullPhaseNeeded && !nullPhase && haveKey && !keyColumns_.empty() &&
                                          !isBlank(fullKey(cursorKey).value(0));
                if (canNullPhase) {
                    nullPhase = true;
                    continue;
                }
                atEnd = true;
                break;
            }
        }
        if (!forward)
            std::reverse(rows.begin(), rows.end());
        page_ = std::move(rows);
        pageForward_ = forward;
        pageAtEnd_ = atEnd;
        pageChange_ = db_.changeCount();
        pageEpoch_ = filterEpoch_;
        if (page_.empty())
            return false;
        hint_ = forward ? 0 : static_cast<int>(page_.size()) - 1;
        out = page_[hint_];
        return true;
    }

    Database &db_;
    std::shared_ptr<TableInfo> info_;
    QString lockTable_;
    QString orderAsc_, orderDesc_;
    QStringList columns_; // quoted column of each field
    QString baseWhere_;
    std::vector<Bind> baseBinds_;
    quint64 baseEpoch_ = ~0ULL;
    bool checkInCpp_ = false;
    std::vector<Record> page_;
    Record scratch_;
    QString fetchSql_; // a row by its identity
    struct EndSql {
        QString where, order;
        sqlite3_stmt *stmt = nullptr; // the connection's, kept while it lives
    } firstSql_, lastSql_;
    struct TotalsSql {
        QString where, order; // the view's condition and order it was made for
        std::vector<int> fields;
        bool inOrder = false, rowId = false;
        QString sql;
    } totalsSql_;
    std::vector<int> usedFields_; // fields the filters read (1-based)
    quint64 usedFieldsEpoch_ = 0;
    // Statements of the connection (it keeps them while it lives, as long as the cursor).
    sqlite3_stmt *insertStatement_ = nullptr;
    QString updateSql_;
    bool uniqueKeysBuilt_ = false;
    std::vector<std::vector<int>> uniqueKeys_;
    QHash<quint64, sqlite3_stmt *> uniqueStatements_; // by unique key and its blank fields
    bool orderBuilt_ = false;
    QStringList orderAskedFor_; // the fields setOrder was last given
    bool prefetched_ = false;   // page_ holds the first page read ahead
    bool pageForward_ = true;
    bool pageAtEnd_ = false;
    quint64 pageChange_ = 0;
    quint64 pageEpoch_ = 0;
    int hint_ = -1;
    static constexpr int kPage = 16; // rows of a first page; a run of steps doubles it
    int pageSize_ = kPage;
    bool walked_ = true; // a step went past the first row since the last read-ahead for a master
};

} // namespace

std::unique_ptr<Cursor> makeSqlCursor(Database &db, std::shared_ptr<TableInfo> info, const QString &lockTable)
{
    return std::make_unique<SqlCursor>(db, std::move(info), lockTable);
}

} // namespace dbe::detail
