#include "dbe/Table.h"

#include <QDir>
#include <QFileInfo>

#include "dbe/EngineCursor.h"
#include "dbe/Session.h"
#include "dbe/detail/Cursor.h"
#include "dbe/detail/Database.h"
#include "dbe/lock/TableLocks.h"
#include "dbe/textfile/TextTable.h"

namespace dbe {

// The locks a table holds between processes while it is open.
class TableLockHolder {
public:
    std::shared_ptr<lock::TableLocks> locks;
    QString table;
    lock::LockHandle open;
    lock::LockHandle write;
};

// Follows the master's current record. Before the master moves, refreshes,
// changes its view or closes, the detail posts (or cancels) its pending
// record while the master still stands on the record it belongs to; a failed
// post stops the master.
class MasterLink : public TDataLink {
public:
    explicit MasterLink(TTable *detail) : detail_(detail) {}
    TTable *detail() const { return detail_; }

protected:
    void CheckBrowseMode() override
    {
        // A detail rule touching the master while the detail posts needs no second post.
        if (detail_->Active() && detail_->busy_ == 0)
            detail_->CheckBrowseMode();
    }
    void ActiveChanged() override
    {
        if (Active())
            detail_->masterChanged(false);
    }
    void DataSetChanged() override { detail_->masterChanged(false); }
    void prefetch(std::vector<detail::Database *> &held) override
    {
        if (Active())
            detail_->prefetchForMaster(held);
    }
    void DataSetScrolled(int) override { detail_->masterChanged(false); }
    void RecordChanged(TField *field) override
    {
        if (field)
            detail_->masterChanged(false);
    }

private:
    TTable *detail_;
};

namespace {

int physicalSlot(const detail::Cursor &c, const QString &name)
{
    const auto &fields = c.def().fields;
    for (int i = 0; i < fields.size(); ++i)
        if (sameName(fields[i].name, name))
            return i;
    engineError(ErrorCode::FieldNotFound, QStringLiteral("Feld '%1' nicht gefunden").arg(name));
}

// A value in the storage form of the named physical field.
QVariant normalizeFor(const TDataSet &ds, const detail::Cursor &c, const QString &name, const QVariant &value)
{
    if (TField *f = ds.FindField(name); f && f->FieldKind() == TFieldKind::fkData)
        return f->Normalize(value);
    const FieldDef &d = c.def().fields[physicalSlot(c, name)];
    TField temp(const_cast<TDataSet *>(&ds), d.name, fieldTypeOf(d.type), d.size, TFieldKind::fkData);
    return temp.Normalize(value);
}

// A table lies in the directory of its database (alias or path): a name with
// a directory part of its own is refused.
void checkTableName(const QString &name)
{
    const bool pathPart = name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
                          name == QLatin1String(".") || name == QLatin1String("..") ||
                          name.contains(QChar(0));
    if (pathPart)
        engineError(
            ErrorCode::General,
            QStringLiteral("Ungültiger Tabellenname '%1': ein Tabellenname darf keine Pfadangabe enthalten")
                .arg(name));
}

[[noreturn]] void lockFailed(const lock::LockError &e)
{
    const int code = e.reason() == lock::LockError::Reason::TableLocked ? ErrorCode::Locked
                     : e.reason() == lock::LockError::Reason::ReadOnly  ? ErrorCode::ReadOnly
                                                                        : ErrorCode::TableInUse;
    engineError(code, e.message());
}

} // namespace

TTable::TTable(TSession *session) : TDataSet(session) {}

TTable::~TTable()
{
    masterLink_.reset();
    try {
        Close();
    } catch (...) {
    }
}

void TTable::SetDatabaseName(const QString &name)
{
    if (Active())
        databaseError(QStringLiteral("Diese Operation ist bei einer geöffneten Datenmenge nicht zulässig"));
    databaseName_ = name;
}

void TTable::SetTableName(const QString &name)
{
    if (Active())
        databaseError(QStringLiteral("Diese Operation ist bei einer geöffneten Datenmenge nicht zulässig"));
    tableName_ = name;
}

QString TTable::tableKey() const
{
    return detail::tableKeyOf(tableName_);
}

bool TTable::isTextTable() const
{
    checkTableName(tableName_);
    const QString suffix = QFileInfo(tableName_).suffix().toLower();
    if (suffix == QLatin1String("db"))
        return false;
    return !textfile::TextTable::findSchemaFile(Session().DirectoryOf(databaseName_), tableName_).isEmpty();
}

bool TTable::Exists() const
{
    if (isTextTable())
        return true;
    try {
        auto &db = Session().databaseFor(databaseName_);
        return db.table(tableName_) != nullptr;
    } catch (const EDatabaseError &) {
        return false;
    }
}

void TTable::CreateTable(const TableDef *def)
{
    checkTableName(tableName_);
    if (!def)
        def = Session().FindTableDef(databaseName_, tableName_);
    if (!def)
        engineError(ErrorCode::TableNotFound,
                    QStringLiteral("Keine Tabellendefinition für %1").arg(tableName_));
    TableDef d = *def;
    d.name = tableName_.isEmpty() ? def->name : tableName_;
    Session().databaseFor(databaseName_).createTable(d);
}

std::unique_ptr<detail::Cursor> TTable::openCursor()
{
    if (tableName_.isEmpty())
        databaseError(QStringLiteral("Kein Tabellenname angegeben"));
    checkTableName(tableName_);
    const QString dir = Session().DirectoryOf(databaseName_);
    std::unique_ptr<detail::Cursor> cursor;
    if (isTextTable()) {
        cursor = detail::makeTextCursor(dir, tableName_);
    } else {
        auto &db = Session().databaseFor(databaseName_);
        auto info = db.table(tableName_);
        if (!info) {
            const TableDef *def = Session().FindTableDef(databaseName_, tableName_);
            if (!def)
                engineError(ErrorCode::TableNotFound,
                            QStringLiteral("Tabelle nicht gefunden: %1").arg(QDir(dir).filePath(tableName_)));
            db.createTable(*def);
            info = db.table(tableName_);
        }
        auto holder = std::make_unique<TableLockHolder>();
        holder->locks = db.locks();
        holder->table = tableKey();
        try {
            holder->open = exclusive_ ? holder->locks->openExclusive(holder->table)
                                      : holder->locks->openShared(holder->table);
        } catch (const lock::LockError &e) {
            lockFailed(e);
        }
        lockHolder_ = std::move(holder);
        cursor = detail::makeSqlCursor(db, info, tableKey());
    }
    return cursor;
}

void TTable::afterCursorOpened()
{
    linkTyping_ = {};
    readAhead_ = {};
    applyOrder();
    masterValuesSet_ = false;
    if (masterSource_ && masterSource_->DataSet() && masterSource_->DataSet()->Active())
        masterChanged(true);
    engineCursor_ = std::make_unique<TEngineCursor>(this);
}

void TTable::closeCursor()
{
    engineCursor_.reset();
    lockHolder_.reset();
    linkTyping_ = {};
    readAhead_ = {};
    locked_ = false;
    keyBufferInUse_ = -1;
}

QList<IndexDef> TTable::IndexDefs() const
{
    QList<IndexDef> out;
    TableDef def;
    if (cursor_) {
        def = cursor_->def();
    } else {
        try {
            auto info = Session().databaseFor(databaseName_).table(tableName_);
            if (info)
                def = info->def;
            else if (const TableDef *d = Session().FindTableDef(databaseName_, tableName_))
                def = *d;
        } catch (const EDatabaseError &) {
            return out;
        }
    }
    if (!def.primaryKey.isEmpty())
        out << IndexDef{QString(), def.primaryKey, ixPrimary | ixUnique};
    out << def.indexes;
    return out;
}

QStringList TTable::GetIndexNames() const
{
    QStringList names;
    for (const IndexDef &ix : IndexDefs())
        if (!ix.name.isEmpty())
            names << ix.name;
    return names;
}

// The names of a list "A;B" trimmed; asked at every move of a master, so split once per text.
const QStringList &TTable::FieldList::of(const QString &text) const
{
    if (text != from) {
        names.clear();
        for (const QString &f : text.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            names << f.trimmed();
        blank = text.trimmed().isEmpty();
        from = text;
    }
    return names;
}

QStringList TTable::IndexFields() const
{
    if (const QStringList &named = indexFieldList_.of(indexFieldNames_); !indexFieldList_.blank)
        return named;
    const QList<IndexDef> defs = IndexDefs();
    if (!indexName_.isEmpty()) {
        for (const IndexDef &ix : defs)
            if (ix.name.compare(indexName_, Qt::CaseInsensitive) == 0)
                return ix.fields;
        engineError(ErrorCode::IndexNotFound, QStringLiteral("Index nicht gefunden: %1").arg(indexName_));
    }
    if (!defs.isEmpty() && defs.first().name.isEmpty())
        return defs.first().fields;
    return {};
}

void TTable::applyOrder()
{
    if (!cursor_ || cursor_->driverName() != QLatin1String("PARADOX"))
        return;
    cursor_->setOrder(IndexFields());
    detail::KeyRange r;
    if (masterSource_ && masterValuesSet_) {
        r.active = true;
        r.low = r.high = masterValues_;
    } else if (rangeActive_) {
        r.active = true;
        r.low = rangeStart_;
        r.high = rangeEnd_;
        r.lowExclusive = r.highExclusive = keyExclusive_;
    }
    cursor_->setRange(r);
}

void TTable::changeOrder(const std::function<void()> &change)
{
    if (Active())
        CheckBrowseMode();
    const QString oldName = indexName_, oldFields = indexFieldNames_;
    change();
    if (Active()) {
        try {
            applyOrder();
        } catch (...) {
            indexName_ = oldName;
            indexFieldNames_ = oldFields;
            applyOrder();
            throw;
        }
        Resync();
    }
}

void TTable::SetIndexName(const QString &name)
{
    changeOrder([&] {
        indexName_ = name;
        indexFieldNames_.clear();
    });
}

void TTable::SetIndexFieldNames(const QString &names)
{
    changeOrder([&] {
        indexFieldNames_ = names;
        if (!names.isEmpty())
            indexName_.clear();
    });
}

// ---- master-detail

void TTable::SetMasterSource(TDataSource *source)
{
    if (source && source->DataSet() == this)
        databaseError(QStringLiteral("Zirkuläre Datenverbindungen sind nicht erlaubt"));
    masterSource_ = source;
    masterLink_.reset();
    masterValuesSet_ = false;
    masterFieldsFound_ = {};
    readAhead_ = {};
    if (source && !masterFields_.isEmpty()) {
        masterLink_ = std::make_unique<MasterLink>(this);
        masterLink_->SetDataSource(source);
    }
    if (Active()) {
        if (!masterLink_) {
            applyOrder();
            First();
        } else if (!masterValuesSet_) {
            masterChanged(true); // unless linking already followed the master
        }
    }
}

void TTable::SetMasterFields(const QString &fields)
{
    masterFields_ = fields;
    SetMasterSource(masterSource_);
}

std::vector<TTable *> TTable::DetailsOf(const TDataSet &master)
{
    std::vector<TTable *> out;
    for (const TDataSource *source : master.dataSources())
        for (TDataLink *link : source->links())
            if (auto *m = dynamic_cast<MasterLink *>(link))
                out.push_back(m->detail());
    return out;
}

// The master's values of MasterFields as they stand.
void TTable::masterFieldValues(QVariantList &values)
{
    const TDataSet *master = masterSource_->DataSet();
    MasterFieldsFound &found = masterFieldsFound_;
    if (found.master != master || found.epoch != master->fieldsEpoch()) {
        std::vector<TField *> fields;
        for (const QString &f : masterFieldList_.of(masterFields_))
            fields.push_back(master->FieldByName(f));
        found = {master, master->fieldsEpoch(), std::move(fields)};
    }
    values.clear();
    values.reserve(static_cast<qsizetype>(found.fields.size()));
    for (const TField *f : found.fields)
        values << f->Value();
}

// The master's values in this table's key types; false when the index has fewer fields.
bool TTable::typeLinkValues(QVariantList &values)
{
    const QStringList idx = IndexFields();
    if (idx.size() < values.size())
        return false;
    if (linkTyping_.names != idx) {
        linkTyping_.names = idx;
        linkTyping_.fields.clear();
        for (const QString &name : idx) {
            TField *f = FindField(name);
            linkTyping_.fields.push_back(f && f->FieldKind() == TFieldKind::fkData ? f : nullptr);
        }
    }
    QVariantList typed;
    typed.reserve(values.size());
    for (int i = 0; i < values.size(); ++i) {
        TField *f = linkTyping_.fields[static_cast<size_t>(i)];
        typed << (f ? f->Normalize(values[i]) : normalizeFor(*this, *cursor_, idx[i], values[i]));
    }
    values = std::move(typed);
    return true;
}

// Whether the master's fields of MasterFields (as found last) still hold these values, of the same
// types.
bool TTable::masterStillAt(const QVariantList &values) const
{
    const MasterFieldsFound &found = masterFieldsFound_;
    const TDataSet *master = masterSource_->DataSet();
    if (found.master != master || found.epoch != master->fieldsEpoch() ||
        found.fields.size() != static_cast<size_t>(values.size()))
        return false;
    for (size_t i = 0; i < found.fields.size(); ++i) {
        const QVariant v = found.fields[i]->Value();
        const QVariant &w = values[static_cast<qsizetype>(i)];
        if (v.typeId() != w.typeId() || v != w)
            return false;
    }
    return true;
}

// Puts the cursor on the master's new record and reads its first page ahead, unless the detail
// is editing or a record filter (a caller's code) has to see the rows.
void TTable::prefetchForMaster(std::vector<detail::Database *> &held)
{
    readAhead_.set = false;
    if (state_ != TDataSetState::dsBrowse || !masterSource_ || masterFields_.isEmpty() ||
        (filtered_ && OnFilterRecord) || !cursor_ || cursor_->driverName() != QLatin1String("PARADOX"))
        return;
    TDataSet *master = masterSource_->DataSet();
    if (!master || !master->Active() || master->State() != TDataSetState::dsBrowse)
        return;
    QVariantList from, values;
    masterFieldValues(from);
    values = from;
    if (!typeLinkValues(values) || (masterValuesSet_ && values == masterValues_))
        return;
    cursor_->setOrder(IndexFields());
    detail::KeyRange r;
    r.active = true;
    r.low = r.high = values;
    cursor_->setRange(r);
    cursor_->prefetchFirst(held);
    readAhead_ = {true, from, values, cursor_->localVersion()};
}

void TTable::masterChanged(bool force)
{
    if (!Active() || !masterSource_ || masterFields_.isEmpty())
        return;
    TDataSet *master = masterSource_->DataSet();
    if (!master || !master->Active())
        return;
    // The detail's key fields take the master's values in their own types: the read-ahead of this
    // move did so already and set the cursor's view for them, unless the master's values or that
    // view changed since.
    const ReadAhead ahead = std::exchange(readAhead_, {});
    const bool readAhead = ahead.set && cursor_->localVersion() == ahead.version && masterStillAt(ahead.from);
    QVariantList values;
    if (readAhead) {
        if (!force && masterValuesSet_ && ahead.from == masterValues_)
            return;
        values = ahead.typed;
    } else {
        masterFieldValues(values);
        if (!force && masterValuesSet_ && values == masterValues_)
            return;
        if (!typeLinkValues(values))
            databaseError(QStringLiteral("%1: MasterFields passen nicht zum Index").arg(Name()));
    }
    CheckBrowseMode();
    masterValues_ = values;
    masterValuesSet_ = true;
    if (!readAhead)
        applyOrder();
    First();
}

void TTable::initNewRecord()
{
    if (!masterSource_ || !masterValuesSet_)
        return;
    const QStringList idx = IndexFields();
    for (int i = 0; i < masterValues_.size() && i < idx.size(); ++i)
        current_.values[physicalSlot(*cursor_, idx[i])] = masterValues_[i];
}

// ---- key search

QVariantList TTable::keyValues(const Record &keyRecord, int count) const
{
    QVariantList out;
    const QStringList idx = IndexFields();
    for (int i = 0; i < count && i < idx.size(); ++i)
        out << keyRecord.values.value(physicalSlot(*cursor_, idx[i]));
    return out;
}

bool TTable::seekKey(const QVariantList &values, bool nearest, int fieldCount)
{
    CheckBrowseMode();
    const QStringList idx = IndexFields();
    QVariantList key;
    for (int i = 0; i < fieldCount && i < idx.size(); ++i)
        key << normalizeFor(*this, *cursor_, idx[i], values.value(i));
    runEvent(BeforeScroll);
    Record r;
    const bool found = cursor_->seek(key, nearest, r);
    if (found) {
        setCurrentRecord(r);
        positionChanged(0);
    } else if (nearest && cursor_->last(r)) {
        // Nothing at or after the key: the cursor goes to the last row.
        setCurrentRecord(r);
        eof_ = true;
        positionChanged(0);
    }
    runEvent(AfterScroll);
    return found;
}

bool TTable::FindKey(const QVariantList &values)
{
    checkActive();
    return seekKey(values, false, static_cast<int>(values.size()));
}

void TTable::FindNearest(const QVariantList &values)
{
    checkActive();
    seekKey(values, true, static_cast<int>(values.size()));
}

void TTable::setKeyState(int which, bool clear)
{
    checkActive();
    CheckBrowseMode();
    Record &buf = keyBuffers_[which];
    if (clear || buf.values.size() != recordWidth_) {
        buf = Record();
        buf.values.resize(recordWidth_);
        keyFieldsSet_[which] = 0;
    }
    keyBufferInUse_ = which;
    stateRecord_ = &buf;
    state_ = TDataSetState::dsSetKey;
    dataEvent(TDataEvent::deUpdateState);
}

void TTable::SetKey()
{
    setKeyState(0, true);
}
void TTable::EditKey()
{
    setKeyState(0, false);
}
void TTable::SetRangeStart()
{
    setKeyState(1, true);
}
void TTable::SetRangeEnd()
{
    setKeyState(2, true);
}
void TTable::EditRangeStart()
{
    setKeyState(1, false);
}
void TTable::EditRangeEnd()
{
    setKeyState(2, false);
}

namespace {

// Number of leading index fields that hold a value in a key buffer.
int assignedKeyFields(const TTable &t, const Record &buf)
{
    const QStringList idx = t.IndexFields();
    int n = 0;
    for (int i = 0; i < idx.size(); ++i)
        if (buf.values.value(physicalSlot(*t.cursor(), idx[i])).isValid())
            n = i + 1;
    return n;
}

} // namespace

bool TTable::GotoKey()
{
    checkActive();
    const Record key = keyBuffers_[0];
    const int n = keyFieldCount_ > 0 ? keyFieldCount_ : std::max(1, assignedKeyFields(*this, key));
    if (state_ == TDataSetState::dsSetKey) {
        stateRecord_ = nullptr;
        setState(TDataSetState::dsBrowse);
    }
    return seekKey(keyValues(key, n), false, n);
}

void TTable::GotoNearest()
{
    checkActive();
    const Record key = keyBuffers_[0];
    const int n = keyFieldCount_ > 0 ? keyFieldCount_ : std::max(1, assignedKeyFields(*this, key));
    if (state_ == TDataSetState::dsSetKey) {
        stateRecord_ = nullptr;
        setState(TDataSetState::dsBrowse);
    }
    seekKey(keyValues(key, n), true, n);
}

void TTable::ApplyRange()
{
    checkActive();
    CheckBrowseMode();
    rangeStart_ = keyValues(keyBuffers_[1], assignedKeyFields(*this, keyBuffers_[1]));
    rangeEnd_ = keyValues(keyBuffers_[2], assignedKeyFields(*this, keyBuffers_[2]));
    rangeActive_ = true;
    applyOrder();
    First();
}

void TTable::CancelRange()
{
    checkActive();
    CheckBrowseMode();
    rangeActive_ = false;
    rangeStart_.clear();
    rangeEnd_.clear();
    applyOrder();
    First();
}

void TTable::SetRange(const QVariantList &startValues, const QVariantList &endValues)
{
    checkActive();
    CheckBrowseMode();
    const QStringList idx = IndexFields();
    auto fill = [&](int which, const QVariantList &vals) {
        Record &buf = keyBuffers_[which];
        buf = Record();
        buf.values.resize(recordWidth_);
        for (int i = 0; i < vals.size() && i < idx.size(); ++i)
            buf.values[physicalSlot(*cursor_, idx[i])] = normalizeFor(*this, *cursor_, idx[i], vals[i]);
    };
    fill(1, startValues);
    fill(2, endValues);
    rangeStart_ = keyValues(keyBuffers_[1], static_cast<int>(startValues.size()));
    rangeEnd_ = keyValues(keyBuffers_[2], static_cast<int>(endValues.size()));
    rangeActive_ = true;
    applyOrder();
    First();
}

int TTable::DeleteRange(const QVariantList &low, const QVariantList &high)
{
    const int n = DeleteRangeUnread(low, high);
    Resync();
    return n;
}

int TTable::DeleteRangeUnread(const QVariantList &low, const QVariantList &high)
{
    checkActive();
    CheckBrowseMode();
    if (!CanModify())
        engineError(ErrorCode::ReadOnly, cursor_->canWrite()
                                             ? QStringLiteral("Datenmenge kann nicht geändert werden")
                                             : cursor_->readOnlyText());
    const QStringList idx = IndexFields();
    if (low.size() > idx.size() || high.size() > idx.size())
        databaseError(QStringLiteral("%1: mehr Werte als Indexfelder").arg(Name()));
    detail::KeyRange r;
    r.active = true;
    for (int i = 0; i < low.size(); ++i)
        r.low << normalizeFor(*this, *cursor_, idx[i], low[i]);
    for (int i = 0; i < high.size(); ++i)
        r.high << normalizeFor(*this, *cursor_, idx[i], high[i]);
    return cursor_->removeRange(r);
}

void TTable::GotoCurrent(TTable &other)
{
    checkActive();
    other.CheckBrowseMode();
    CheckBrowseMode();
    if (detail::tableKeyOf(other.tableName_) != tableKey() ||
        Session().DirectoryOf(other.databaseName_) != Session().DirectoryOf(databaseName_))
        databaseError(QStringLiteral("Tabellen stimmen nicht überein"));
    runEvent(BeforeScroll);
    Record r;
    if (!other.hasCurrent_ || !cursor_->fetch(other.current_.rowId, r) || !cursor_->visible(r))
        databaseError(Msg::RecordNotFound);
    setCurrentRecord(r);
    positionChanged(0);
    runEvent(AfterScroll);
}

// ---- locks

void TTable::LockTable()
{
    checkActive();
    if (!lockHolder_)
        engineError(ErrorCode::NotSupported, QStringLiteral("Textdateien können nicht gesperrt werden"));
    if (lockHolder_->write.isHeld())
        return;
    try {
        lockHolder_->write = lockHolder_->locks->lockTable(lockHolder_->table);
    } catch (const lock::LockError &e) {
        lockFailed(e);
    }
    locked_ = true;
}

void TTable::UnlockTable()
{
    checkActive();
    if (lockHolder_)
        lockHolder_->write.release();
    locked_ = false;
}

void TTable::SetExclusive(bool exclusive)
{
    if (Active())
        databaseError(QStringLiteral("Diese Operation ist bei einer geöffneten Datenmenge nicht zulässig"));
    exclusive_ = exclusive;
}

void TTable::EmptyTable()
{
    if (isTextTable())
        engineError(ErrorCode::ReadOnly, QStringLiteral("Textdateien können nur gelesen werden"));
    if (Active()) {
        if (!exclusive_)
            engineError(ErrorCode::TableInUse,
                        QStringLiteral("Tabelle %1 ist nicht exklusiv geöffnet").arg(tableName_));
        CheckBrowseMode();
        cursor_->empty();
        Resync();
        return;
    }
    auto &db = Session().databaseFor(databaseName_);
    auto info = db.table(tableName_);
    if (!info)
        engineError(ErrorCode::TableNotFound, QStringLiteral("Tabelle nicht gefunden: %1").arg(tableName_));
    auto locks = db.locks();
    lock::LockHandle excl;
    try {
        excl = locks->openExclusive(tableKey());
    } catch (const lock::LockError &e) {
        lockFailed(e);
    }
    auto cursor = detail::makeSqlCursor(db, info, tableKey());
    cursor->empty();
}

} // namespace dbe
