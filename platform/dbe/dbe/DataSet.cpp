#include "dbe/DataSet.h"

#include <algorithm>
#include <atomic>

#include "base/Abort.h"
#include "dbe/Session.h"
#include "dbe/detail/Cursor.h"
#include "dbe/detail/RecordView.h"
#include "dbe/filter/FilterError.h"
#include "dbe/filter/FilterText.h"

namespace dbe {

namespace {

// A read-only storage says why (its directory cannot be written); else the dataset's own text.
[[noreturn]] void refuseModify(const detail::Cursor *storage)
{
    engineError(ErrorCode::ReadOnly, storage && !storage->canWrite()
                                         ? storage->readOnlyText()
                                         : QStringLiteral("Datenmenge kann nicht geändert werden"));
}

// Marks the dataset busy for the core of an operation so that a handler
// cannot re-enter it; released before the After events run.
struct BusyGuard {
    int &busy;
    explicit BusyGuard(int &b, const QString &name) : busy(b)
    {
        if (busy > 0)
            databaseError(QStringLiteral("Datenmenge %1 ist gerade in Bearbeitung").arg(name));
        ++busy;
    }
    ~BusyGuard() { --busy; }
};

quint64 newFieldsEpoch()
{
    static std::atomic<quint64> epochs{0};
    return ++epochs;
}

bool isBlankValue(const QVariant &v)
{
    return !v.isValid() || v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
}

} // namespace

TDataSet::TDataSet(TSession *session)
    : session_(session ? session : &TSession::Default()), fieldsEpoch_(newFieldsEpoch())
{
}

TDataSet::~TDataSet()
{
    for (TDataSource *s : std::vector<TDataSource *>(dataSources_))
        s->SetDataSet(nullptr);
    if (Active()) {
        try {
            state_ = TDataSetState::dsInactive;
            claim_.reset();
            cursor_.reset();
            closeCursor();
        } catch (...) {
        }
    }
    if (session_)
        session_->unregisterDataSet(this);
}

void TDataSet::SetSession(TSession *session)
{
    if (Active())
        databaseError(QStringLiteral("Die Sitzung einer geöffneten Datenmenge kann nicht geändert werden"));
    if (session_)
        session_->unregisterDataSet(this);
    session_ = session ? session : &TSession::Default();
}

void TDataSet::checkActive() const
{
    if (!Active())
        databaseError(Msg::DataSetClosed);
}

void TDataSet::runEvent(const Event &event)
{
    if (event)
        event(*this);
}

Record &TDataSet::activeRecord()
{
    if (override_)
        return *override_;
    if (state_ == TDataSetState::dsSetKey && stateRecord_)
        return *stateRecord_;
    return current_;
}

const Record &TDataSet::activeRecord() const
{
    return const_cast<TDataSet *>(this)->activeRecord();
}

bool TDataSet::hasCurrentRecord() const
{
    return override_ || (state_ == TDataSetState::dsSetKey && stateRecord_) || hasCurrent_ ||
           state_ == TDataSetState::dsInsert;
}

int TDataSet::physicalFieldCount() const
{
    return cursor_ ? static_cast<int>(cursor_->def().fields.size()) : 0;
}

void TDataSet::setState(TDataSetState state)
{
    if (state_ == state)
        return;
    state_ = state;
    modified_ = false;
    dataEvent(TDataEvent::deUpdateState);
}

void TDataSet::dataEvent(TDataEvent event, long long info)
{
    if (disableCount_ > 0 && event != TDataEvent::deUpdateRecord && event != TDataEvent::deCheckBrowseMode) {
        pendingChange_ = true;
        return;
    }
    for (TDataSource *s : std::vector<TDataSource *>(dataSources_))
        s->dataEvent(event, info);
}

void TDataSet::addDataSource(TDataSource *source)
{
    dataSources_.push_back(source);
}

void TDataSet::removeDataSource(TDataSource *source)
{
    dataSources_.erase(std::remove(dataSources_.begin(), dataSources_.end(), source), dataSources_.end());
}

void TDataSet::DisableControls()
{
    ++disableCount_;
}

void TDataSet::EnableControls()
{
    if (disableCount_ == 0)
        return;
    if (--disableCount_ == 0 && pendingChange_) {
        pendingChange_ = false;
        dataEvent(TDataEvent::deUpdateState);
        dataEvent(TDataEvent::deDataSetChange);
    }
}

// ---- fields

TField *TDataSet::FindField(const QString &name) const
{
    for (TField *f : fields_)
        if (sameName(f->FieldName(), name))
            return f;
    return nullptr;
}

TField *TDataSet::FieldByName(const QString &name) const
{
    TField *f = FindField(name);
    if (!f)
        databaseError(QStringLiteral("%1: Feld '%2' nicht gefunden")
                          .arg(name_.isEmpty() ? QStringLiteral("Datenmenge") : name_, name));
    return f;
}

TField *TDataSet::FieldByNumber(int fieldNo) const
{
    for (TField *f : fields_)
        if (f->FieldNo() == fieldNo && f->FieldKind() == TFieldKind::fkData)
            return f;
    return nullptr;
}

TField *TDataSet::addPersistentField(std::unique_ptr<TField> field)
{
    if (Active())
        databaseError(QStringLiteral("Felder können nur bei geschlossener Datenmenge angelegt werden"));
    field->setPersistent(true);
    fieldsEpoch_ = newFieldsEpoch();
    fields_.push_back(field.get());
    ownedFields_.push_back(std::move(field));
    return fields_.back();
}

TField *TDataSet::AddField(const QString &name)
{
    return addPersistentField(
        std::make_unique<TField>(this, name, TFieldType::ftUnknown, 0, TFieldKind::fkData));
}

TField *TDataSet::AddCalculatedField(const QString &name, TFieldType type, int size)
{
    return addPersistentField(std::make_unique<TField>(this, name, type, size, TFieldKind::fkCalculated));
}

TField *TDataSet::AddLookupField(const QString &name, const QString &keyFields, TDataSet *lookupDataSet,
                                 const QString &lookupKeyFields, const QString &lookupResultField,
                                 TFieldType type, int size)
{
    auto f = std::make_unique<TField>(this, name, type, size, TFieldKind::fkLookup);
    f->SetKeyFields(keyFields);
    f->SetLookupDataSet(lookupDataSet);
    f->SetLookupKeyFields(lookupKeyFields);
    f->SetLookupResultField(lookupResultField);
    return addPersistentField(std::move(f));
}

void TDataSet::ClearFields()
{
    if (Active())
        databaseError(QStringLiteral("Felder können nur bei geschlossener Datenmenge entfernt werden"));
    fieldsEpoch_ = newFieldsEpoch();
    fields_.clear();
    ownedFields_.clear();
}

QList<FieldDef> TDataSet::FieldDefs() const
{
    return cursor_ ? cursor_->def().fields : QList<FieldDef>();
}

void TDataSet::MoveField(TField *field, int newIndex)
{
    auto it = std::find(fields_.begin(), fields_.end(), field);
    if (it == fields_.end())
        return;
    fields_.erase(it);
    newIndex = std::clamp(newIndex, 0, static_cast<int>(fields_.size()));
    fields_.insert(fields_.begin() + newIndex, field);
    if (Active())
        dataEvent(TDataEvent::deLayoutChange);
}

void TDataSet::bindFields()
{
    const TableDef &def = cursor_->def();
    const int n = static_cast<int>(def.fields.size());
    bool anyPersistent = false;
    for (TField *f : fields_)
        anyPersistent = anyPersistent || f->persistent();
    if (!anyPersistent) {
        fields_.clear();
        ownedFields_.clear();
        for (int i = 0; i < n; ++i) {
            const FieldDef &d = def.fields[i];
            auto f = std::make_unique<TField>(this, d.name, fieldTypeOf(d.type), d.size, TFieldKind::fkData);
            f->applyDef(d);
            fields_.push_back(f.get());
            ownedFields_.push_back(std::move(f));
        }
    }
    int extra = n;
    int next = 0; // declared fields mostly follow the table's order: the field after the last one first
    for (TField *f : fields_) {
        if (f->FieldKind() == TFieldKind::fkData) {
            int idx = next < n && sameName(def.fields[next].name, f->FieldName()) ? next : -1;
            for (int i = 0; i < n && idx < 0; ++i)
                if (sameName(def.fields[i].name, f->FieldName()))
                    idx = i;
            if (idx < 0)
                databaseError(QStringLiteral("%1: Feld '%2' nicht gefunden").arg(name_, f->FieldName()));
            f->setTypeAndSize(fieldTypeOf(def.fields[idx].type), def.fields[idx].size);
            f->bind(idx, idx + 1);
            f->applyDef(def.fields[idx]);
            next = idx + 1;
        } else {
            f->bind(extra++, 0);
        }
    }
    recordWidth_ = extra;
    hasComputedFields_ = extra > n;
    fieldOfSlot_.assign(static_cast<size_t>(n), nullptr);
    for (TField *f : fields_)
        if (f->FieldKind() == TFieldKind::fkData)
            fieldOfSlot_[static_cast<size_t>(f->slot())] = f;
}

void TDataSet::calculateFields(Record &record) const
{
    if (record.values.size() < recordWidth_)
        record.values.resize(recordWidth_);
    if (!hasComputedFields_)
        return;
    bool anyCalc = false;
    for (TField *f : fields_) {
        if (f->FieldKind() == TFieldKind::fkLookup) {
            QVariant v;
            TDataSet *ld = f->LookupDataSet();
            if (ld && ld->Active()) {
                QVariantList keys;
                bool blank = true;
                for (const QString &k : f->KeyFields().split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
                    TField *kf = FindField(k);
                    const QVariant kv = kf ? record.values.value(kf->slot()) : QVariant();
                    blank = blank && isBlankValue(kv);
                    keys << kv;
                }
                if (!blank)
                    v = ld->Lookup(f->LookupKeyFields(), keys, f->LookupResultField());
            }
            record.values[f->slot()] = v;
        } else if (f->FieldKind() == TFieldKind::fkCalculated) {
            record.values[f->slot()] = QVariant();
            anyCalc = true;
        }
    }
    if (anyCalc && OnCalcFields) {
        auto *self = const_cast<TDataSet *>(this);
        const TDataSetState saved = state_;
        Record *savedOverride = override_;
        self->state_ = TDataSetState::dsCalcFields;
        override_ = &record;
        try {
            self->OnCalcFields(*self);
        } catch (...) {
            self->state_ = saved;
            override_ = savedOverride;
            throw;
        }
        self->state_ = saved;
        override_ = savedOverride;
    }
}

void TDataSet::withRecord(const Record &record, const std::function<void()> &fn) const
{
    Record *saved = override_;
    override_ = const_cast<Record *>(&record);
    try {
        fn();
    } catch (...) {
        override_ = saved;
        throw;
    }
    override_ = saved;
}

void TDataSet::fieldChanged(TField *field)
{
    if (state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert) {
        modified_ = true;
        // Lookup and calculated values follow the fields they depend on.
        if (field->FieldKind() == TFieldKind::fkData && hasComputedFields_)
            calculateFields(current_);
    }
    if (field->OnChange)
        field->OnChange(*field);
    dataEvent(TDataEvent::deFieldChange, reinterpret_cast<long long>(field));
}

// ---- filters

void TDataSet::SetFilter(const QString &text)
{
    if (text == filterText_ && (filterProgram_ || text.trimmed().isEmpty() || !filtered_))
        return;
    const QString old = filterText_;
    filterText_ = text;
    filterProgram_.reset();
    if (filtered_)
        applyFilterChange(
            [&] { filterText_ = old; }); // a text that does not parse leaves the filter as it was
}

void TDataSet::SetFiltered(bool filtered)
{
    if (filtered == filtered_)
        return;
    filtered_ = filtered;
    applyFilterChange([&] { filtered_ = false; });
}

void TDataSet::applyFilterChange(const std::function<void()> &undo)
{
    if (!Active())
        return;
    CheckBrowseMode();
    try {
        rebuildFilter();
    } catch (...) {
        undo();
        rebuildFilter();
        throw;
    }
    First();
}

void TDataSet::rebuildFilter()
{
    if (!cursor_)
        return;
    filterProgram_.reset();
    if (filtered_ && !filterText_.trimmed().isEmpty()) {
        try {
            auto program = std::make_shared<filter::FilterText>(filter::FilterText::parse(filterText_));
            detail::RecordView fields(cursor_->def());
            program->bind(fields);
            filterProgram_ = program;
        } catch (const filter::FilterError &e) {
            cursor_->setFilterText(nullptr);
            cursor_->setPredicate(nullptr);
            engineError(ErrorCode::InvalidFilter, e.message());
        }
    }
    cursor_->setFilterText(filterProgram_);
    if (filtered_ && OnFilterRecord)
        cursor_->setPredicate([this](const Record &r) { return acceptsRecord(r); });
    else
        cursor_->setPredicate(nullptr);
    count_ = -1;
    recNo_ = 0;
}

bool TDataSet::acceptsRecord(const Record &record) const
{
    if (!filtered_ || !OnFilterRecord)
        return true;
    bool accept = true;
    Record full = record;
    calculateFields(full);
    auto *self = const_cast<TDataSet *>(this);
    const TDataSetState saved = state_;
    self->state_ = TDataSetState::dsFilter;
    try {
        withRecord(full, [&] { self->OnFilterRecord(*self, accept); });
    } catch (...) {
        self->state_ = saved;
        throw;
    }
    self->state_ = saved;
    return accept;
}

// ---- open / close

void TDataSet::SetActive(bool active)
{
    if (active)
        Open();
    else
        Close();
}

void TDataSet::Open()
{
    if (Active())
        return;
    runEvent(BeforeOpen);
    if (!session_)
        session_ = &TSession::Default();
    session_->registerDataSet(this);
    totalsCursor_ = nullptr; // a new cursor may be at the old one's address
    cursor_ = openCursor();
    try {
        bindFields();
        rebuildFilter();
    } catch (...) {
        cursor_.reset();
        closeCursor();
        throw;
    }
    state_ = TDataSetState::dsBrowse;
    firstRead_ = FirstRead();
    afterCursorOpened();
    Record r;
    if (standsOnFirstRead()) {
        // A detail went to the first of its master's rows (with the events of First) as it opened:
        // that row is the one opening reads, nothing moved or changed since.
        r = current_;
    } else {
        hasCurrent_ = cursor_->openFirst(r);
    }
    if (hasCurrent_) {
        current_ = r;
        calculateFields(current_);
    } else {
        current_ = Record();
    }
    bof_ = true;
    eof_ = !hasCurrent_;
    recNo_ = hasCurrent_ ? 1 : 0;
    recNoVersion_ = cursor_->localVersion();
    dataEvent(TDataEvent::deUpdateState);
    runEvent(AfterOpen);
    if (hasCurrent_)
        runEvent(AfterScroll);
}

void TDataSet::Close()
{
    if (!Active())
        return;
    // Linked details post their pending rows while this record is still current.
    dataEvent(TDataEvent::deCheckBrowseMode);
    runEvent(BeforeClose);
    state_ = TDataSetState::dsInactive;
    stateRecord_ = nullptr;
    claim_.reset();
    cursor_.reset();
    closeCursor();
    hasCurrent_ = false;
    current_ = Record();
    saved_ = Record();
    filterProgram_.reset();
    bof_ = eof_ = true;
    window_.clear();
    count_ = -1;
    bool anyPersistent = false;
    for (TField *f : fields_)
        anyPersistent = anyPersistent || f->persistent();
    if (!anyPersistent) {
        fieldsEpoch_ = newFieldsEpoch();
        fields_.clear();
        ownedFields_.clear();
    }
    dataEvent(TDataEvent::deUpdateState);
    runEvent(AfterClose);
}

// ---- navigation

bool TDataSet::standsOnFirstRead() const
{
    // Any move since leaves another row, position or view version behind (or Bof cleared).
    return firstRead_.version != 0 && firstRead_.version == cursor_->localVersion() &&
           state_ == TDataSetState::dsBrowse && bof_ && recNoVersion_ == firstRead_.version &&
           (hasCurrent_ ? recNo_ == 1 && current_.rowId == firstRead_.rowId
                        : eof_ && recNo_ == 0 && firstRead_.rowId == 0);
}

void TDataSet::checkBrowseModeForMove()
{
    checkActive();
    CheckBrowseMode();
}

void TDataSet::setCurrentRecord(const Record &record)
{
    current_ = record;
    calculateFields(current_);
    hasCurrent_ = true;
    bof_ = eof_ = false;
    recNo_ = 0;
}

void TDataSet::positionChanged(int distance)
{
    window_.clear();
    if (distance == 0)
        dataEvent(TDataEvent::deDataSetChange);
    else
        dataEvent(TDataEvent::deDataSetScroll, distance);
}

void TDataSet::moveToEnd(bool last)
{
    checkBrowseModeForMove();
    runEvent(BeforeScroll);
    {
        BusyGuard g(busy_, name_);
        Record r;
        hasCurrent_ = last ? cursor_->last(r) : cursor_->first(r);
        if (hasCurrent_) {
            current_ = r;
            calculateFields(current_);
        }
        // The class library sets Bof after First and Eof after Last.
        bof_ = !last || !hasCurrent_;
        eof_ = last || !hasCurrent_;
        recNo_ = hasCurrent_ && !last ? 1 : 0;
        recNoVersion_ = cursor_->localVersion();
        firstRead_ = last ? FirstRead() : FirstRead{recNoVersion_, hasCurrent_ ? r.rowId : 0};
    }
    positionChanged(0);
    runEvent(AfterScroll);
}

void TDataSet::First()
{
    moveToEnd(false);
}

void TDataSet::Last()
{
    moveToEnd(true);
}

void TDataSet::Next()
{
    MoveBy(1);
}

void TDataSet::Prior()
{
    MoveBy(-1);
}

int TDataSet::MoveBy(int distance)
{
    checkBrowseModeForMove();
    runEvent(BeforeScroll);
    int moved = 0;
    {
        BusyGuard g(busy_, name_);
        const quint64 version = cursor_->localVersion();
        const bool recKnown = recNo_ > 0 && recNoVersion_ == version;
        if (!hasCurrent_) {
            bof_ = eof_ = true;
        } else {
            bof_ = eof_ = false;
            Record r;
            while (moved != distance) {
                const bool ok = distance > 0 ? cursor_->next(current_, r) : cursor_->prior(current_, r);
                if (!ok) {
                    if (distance > 0)
                        eof_ = true;
                    else
                        bof_ = true;
                    break;
                }
                current_ = std::move(r);
                moved += distance > 0 ? 1 : -1;
            }
            if (moved != 0)
                calculateFields(current_);
        }
        if (recKnown) {
            recNo_ += moved;
            recNoVersion_ = version;
        } else {
            recNo_ = 0;
        }
    }
    if (moved != 0)
        positionChanged(moved);
    runEvent(AfterScroll);
    return moved;
}

bool TDataSet::IsEmpty() const
{
    checkActive();
    return !hasCurrent_ && state_ != TDataSetState::dsInsert;
}

int TDataSet::RecNo() const
{
    checkActive();
    if (!hasCurrent_ || state_ == TDataSetState::dsInsert)
        return state_ == TDataSetState::dsInsert ? -1 : 0;
    const quint64 version = cursor_->version();
    if (recNo_ > 0 && recNoVersion_ == version)
        return recNo_;
    recNo_ = cursor_->position(current_);
    recNoVersion_ = version;
    return recNo_;
}

void TDataSet::SetRecNo(int recNo)
{
    checkActive();
    const int current = RecNo();
    if (recNo < 1 || recNo == current)
        return;
    if (current > 0 && std::abs(recNo - current) <= 64) {
        MoveBy(recNo - current);
        return;
    }
    CheckBrowseMode();
    runEvent(BeforeScroll);
    {
        BusyGuard g(busy_, name_);
        std::vector<Record> rows;
        cursor_->rowsAt(recNo, 1, rows);
        if (!rows.empty()) {
            current_ = rows.front();
            calculateFields(current_);
            hasCurrent_ = true;
            bof_ = eof_ = false;
            recNo_ = recNo;
            recNoVersion_ = cursor_->localVersion();
        }
    }
    positionChanged(0);
    runEvent(AfterScroll);
}

int TDataSet::RecordCount() const
{
    checkActive();
    const quint64 version = cursor_->version();
    if (count_ >= 0 && countVersion_ == version)
        return count_;
    count_ = cursor_->count();
    countVersion_ = version;
    return count_;
}

std::vector<int> TDataSet::totalSlots(const QStringList &fields) const
{
    const TableDef &def = cursor_->def();
    // A walk asks for the same list at every record.
    if (totalsCursor_ == cursor_.get() && fields == totalNames_)
        return totalSlots_;
    std::vector<int> columns;
    for (const QString &name : fields) {
        int slot = -1;
        for (int i = 0; i < def.fields.size() && slot < 0; ++i)
            if (sameName(def.fields[i].name, name))
                slot = i;
        if (slot < 0)
            engineError(ErrorCode::FieldNotFound, QStringLiteral("Feld '%1' nicht gefunden").arg(name));
        switch (def.fields[slot].type) {
        case FieldType::String:
        case FieldType::Memo:
        case FieldType::Graphic:
        case FieldType::Blob:
            engineError(ErrorCode::General,
                        QStringLiteral("Feld '%1' ist kein Zahlenfeld und kann nicht summiert werden")
                            .arg(def.fields[slot].name));
        default:
            break;
        }
        columns.push_back(slot);
    }
    totalsCursor_ = cursor_.get();
    totalNames_ = fields;
    totalSlots_ = columns;
    return columns;
}

TFieldTotals TDataSet::SumFields(const QStringList &fields, bool inOrder) const
{
    checkActive();
    const std::vector<int> columns = totalSlots(fields);
    TFieldTotals totals;
    cursor_->totals(columns, inOrder, totals);
    return totals;
}

TFieldTotals TDataSet::SumFieldsToLast(const QStringList &fields)
{
    checkActive();
    const std::vector<int> columns = totalSlots(fields);
    checkBrowseModeForMove();
    // A handler before the move may change rows: then the sums and the move one after the other.
    if (BeforeScroll) {
        TFieldTotals totals = SumFields(fields);
        if (totals.count > 0)
            Last();
        return totals;
    }
    TFieldTotals totals;
    Record r;
    {
        BusyGuard g(busy_, name_);
        if (!cursor_->totalsToLast(columns, totals, r))
            return totals;
        current_ = std::move(r);
        calculateFields(current_);
        hasCurrent_ = true;
        bof_ = false;
        eof_ = true;
        recNo_ = 0;
        recNoVersion_ = cursor_->localVersion();
    }
    positionChanged(0);
    runEvent(AfterScroll);
    return totals;
}

// ---- editing

bool TDataSet::CanModify() const
{
    return Active() && !readOnly_ && cursor_ && cursor_->canWrite();
}

void TDataSet::SetReadOnly(bool readOnly)
{
    if (Active())
        databaseError(
            QStringLiteral("Diese Eigenschaft kann nur bei geschlossener Datenmenge geändert werden"));
    readOnly_ = readOnly;
}

void TDataSet::UpdateRecord()
{
    if (state_ != TDataSetState::dsEdit && state_ != TDataSetState::dsInsert &&
        state_ != TDataSetState::dsSetKey)
        databaseError(QStringLiteral("Datenmenge ist nicht im Bearbeitungs- oder Einfügemodus"));
    dataEvent(TDataEvent::deUpdateRecord);
}

void TDataSet::CheckBrowseMode()
{
    checkActive();
    dataEvent(TDataEvent::deCheckBrowseMode);
    switch (state_) {
    case TDataSetState::dsEdit:
    case TDataSetState::dsInsert:
        UpdateRecord();
        if (modified_)
            Post();
        else
            Cancel();
        break;
    case TDataSetState::dsSetKey:
        Post();
        break;
    default:
        break;
    }
}

// Runs a storage operation; on a database error the handler decides: fail
// (the error goes on), abort (silently) or retry.
void TDataSet::checkOperation(const std::function<void()> &operation, const ErrorEvent &handler)
{
    for (;;) {
        try {
            operation();
            return;
        } catch (EDatabaseError &e) {
            TDataAction action = TDataAction::daFail;
            if (handler)
                handler(*this, e, action);
            if (action == TDataAction::daFail)
                throw;
            if (action == TDataAction::daAbort)
                base::abortSilently();
        }
    }
}

void TDataSet::Insert()
{
    checkActive();
    CheckBrowseMode();
    if (!CanModify())
        refuseModify(readOnly_ ? nullptr : cursor_.get());
    runEvent(BeforeInsert);
    runEvent(BeforeScroll);
    saved_ = current_;
    savedHasCurrent_ = hasCurrent_;
    current_ = Record();
    current_.values.resize(recordWidth_);
    for (TField *f : fields_) {
        if (f->FieldKind() != TFieldKind::fkData)
            continue;
        const QList<FieldDef> &defs = cursor_->def().fields;
        const QVariant d =
            f->slot() >= 0 && f->slot() < defs.size() ? defs[f->slot()].defaultValue : QVariant();
        if (d.isValid())
            current_.values[f->slot()] = f->Normalize(d);
    }
    state_ = TDataSetState::dsInsert;
    try {
        initNewRecord();
        calculateFields(current_);
        runEvent(OnNewRecord);
    } catch (...) {
        current_ = saved_;
        hasCurrent_ = savedHasCurrent_;
        state_ = TDataSetState::dsBrowse;
        throw;
    }
    modified_ = false;
    window_.clear();
    dataEvent(TDataEvent::deUpdateState);
    dataEvent(TDataEvent::deDataSetChange);
    runEvent(AfterInsert);
    runEvent(AfterScroll);
}

void TDataSet::Append()
{
    insertAppend_ = true;
    Insert();
}

void TDataSet::Edit()
{
    checkActive();
    if (state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert)
        return;
    if (!hasCurrent_) {
        Insert();
        return;
    }
    CheckBrowseMode();
    if (!CanModify())
        refuseModify(readOnly_ ? nullptr : cursor_.get());
    runEvent(BeforeEdit);
    {
        BusyGuard g(busy_, name_);
        checkOperation(
            [this] {
                // Claimed before it is read: what Edit reads is what the Post compares.
                auto claim = std::make_unique<detail::RowClaim>(cursor_->claimRow(current_.rowId));
                Record r;
                if (!cursor_->fetch(current_.rowId, r))
                    engineError(ErrorCode::RecordNotFound, Msg::RecordNotFound);
                current_ = r;
                calculateFields(current_);
                claim_ = std::move(claim);
            },
            OnEditError);
        saved_ = current_;
        rereadOnCancel_ = false;
        state_ = TDataSetState::dsEdit;
        modified_ = false;
    }
    dataEvent(TDataEvent::deUpdateState);
    dataEvent(TDataEvent::deRecordChange);
    runEvent(AfterEdit);
}

void TDataSet::doPost()
{
    const TableDef &def = cursor_->def();
    Record rec;
    rec.rowId = current_.rowId;
    rec.values = current_.values.mid(0, static_cast<int>(def.fields.size()));
    rec.values.resize(def.fields.size());
    for (int i = 0; i < def.fields.size(); ++i) {
        const FieldDef &fd = def.fields[i];
        TField *f = fieldOfSlot_[static_cast<size_t>(i)];
        const bool required = fd.required || (f && f->Required());
        if (required && isBlankValue(rec.values[i]) && fd.type != FieldType::AutoInc)
            engineError(
                ErrorCode::RequiredField,
                QStringLiteral("Feld '%1' muss einen Wert haben").arg(f ? f->DisplayLabel() : fd.name));
        if (f)
            f->checkValue(rec.values[i]);
    }
    if (state_ == TDataSetState::dsInsert) {
        cursor_->insert(rec);
        current_.rowId = rec.rowId;
        for (int i = 0; i < def.fields.size(); ++i)
            current_.values[i] = rec.values[i];
    } else if (claim_) {
        try {
            cursor_->updateClaimed(rec, saved_, *claim_);
        } catch (const EDBEngineError &e) {
            if (e.ErrorCode() == ErrorCode::RecordChanged || e.ErrorCode() == ErrorCode::RecordNotFound)
                rereadOnCancel_ = true;
            throw;
        }
    } else {
        cursor_->update(rec);
    }
}

void TDataSet::Post()
{
    checkActive();
    if (state_ == TDataSetState::dsSetKey) {
        stateRecord_ = nullptr;
        setState(TDataSetState::dsBrowse);
        return;
    }
    if (state_ != TDataSetState::dsEdit && state_ != TDataSetState::dsInsert)
        return;
    UpdateRecord();
    {
        BusyGuard g(busy_, name_);
        runEvent(BeforePost);
        checkOperation([this] { doPost(); }, OnPostError);
        claim_.reset();
        state_ = TDataSetState::dsBrowse;
        hasCurrent_ = true;
        modified_ = false;
        insertAppend_ = false;
        calculateFields(current_);
        recNo_ = 0;
        count_ = -1;
        window_.clear();
    }
    dataEvent(TDataEvent::deUpdateState);
    dataEvent(TDataEvent::deDataSetChange);
    runEvent(AfterPost);
}

void TDataSet::Cancel()
{
    checkActive();
    if (state_ == TDataSetState::dsSetKey) {
        stateRecord_ = nullptr;
        setState(TDataSetState::dsBrowse);
        return;
    }
    if (state_ != TDataSetState::dsEdit && state_ != TDataSetState::dsInsert)
        return;
    runEvent(BeforeCancel);
    if (state_ == TDataSetState::dsInsert)
        hasCurrent_ = savedHasCurrent_;
    current_ = saved_;
    state_ = TDataSetState::dsBrowse;
    claim_.reset();
    modified_ = false;
    insertAppend_ = false;
    // A post refused as another workstation changed or deleted the row: show what is stored now.
    if (std::exchange(rereadOnCancel_, false))
        resyncAfterChange();
    window_.clear();
    dataEvent(TDataEvent::deUpdateState);
    dataEvent(TDataEvent::deDataSetChange);
    runEvent(AfterCancel);
}

void TDataSet::Delete()
{
    checkActive();
    if (state_ == TDataSetState::dsInsert || state_ == TDataSetState::dsSetKey) {
        Cancel();
        return;
    }
    if (!hasCurrent_)
        databaseError(QStringLiteral("Operation bei leerer Datenmenge nicht möglich"));
    if (!CanModify())
        refuseModify(readOnly_ ? nullptr : cursor_.get());
    dataEvent(TDataEvent::deCheckBrowseMode);
    {
        BusyGuard g(busy_, name_);
        runEvent(BeforeDelete);
        runEvent(BeforeScroll);
        checkOperation([this] { cursor_->remove(current_.rowId); }, OnDeleteError);
        state_ = TDataSetState::dsBrowse;
        claim_.reset();
        const Record gone = current_;
        Record r;
        if (cursor_->next(gone, r)) {
            current_ = r;
            bof_ = eof_ = false;
        } else if (cursor_->prior(gone, r)) {
            current_ = r;
            bof_ = false;
            eof_ = true;
        } else {
            hasCurrent_ = false;
            current_ = Record();
            bof_ = eof_ = true;
        }
        if (hasCurrent_)
            calculateFields(current_);
        recNo_ = 0;
        count_ = -1;
        window_.clear();
    }
    dataEvent(TDataEvent::deUpdateState);
    dataEvent(TDataEvent::deDataSetChange);
    runEvent(AfterDelete);
    runEvent(AfterScroll);
}

void TDataSet::resyncAfterChange()
{
    Record r;
    if (hasCurrent_ && cursor_->fetch(current_.rowId, r) && cursor_->visible(r)) {
        current_ = r;
    } else if (hasCurrent_ && cursor_->next(current_, r)) {
        current_ = r;
    } else if (hasCurrent_ && cursor_->prior(current_, r)) {
        current_ = r;
    } else {
        hasCurrent_ = cursor_->first(r);
        current_ = hasCurrent_ ? r : Record();
        bof_ = true;
        eof_ = !hasCurrent_;
    }
    if (hasCurrent_)
        calculateFields(current_);
    recNo_ = 0;
    count_ = -1;
    window_.clear();
}

void TDataSet::Refresh()
{
    checkActive();
    runEvent(BeforeRefresh);
    CheckBrowseMode();
    {
        BusyGuard g(busy_, name_);
        rebuildFilter();
        resyncAfterChange();
    }
    dataEvent(TDataEvent::deDataSetChange);
    runEvent(AfterRefresh);
}

void TDataSet::Resync()
{
    checkActive();
    {
        BusyGuard g(busy_, name_);
        resyncAfterChange();
    }
    dataEvent(TDataEvent::deDataSetChange);
}

// ---- bookmarks

TBookmark TDataSet::GetBookmark() const
{
    if (!Active() || !hasCurrent_ || state_ == TDataSetState::dsInsert)
        return TBookmark();
    return TBookmark{current_.rowId};
}

bool TDataSet::BookmarkValid(const TBookmark &bookmark) const
{
    if (!Active() || bookmark.IsNull())
        return false;
    Record r;
    return cursor_->fetch(bookmark.rowId, r) && cursor_->visible(r);
}

void TDataSet::GotoBookmark(const TBookmark &bookmark)
{
    checkBrowseModeForMove();
    runEvent(BeforeScroll);
    {
        BusyGuard g(busy_, name_);
        Record r;
        if (bookmark.IsNull() || !cursor_->fetch(bookmark.rowId, r) || !cursor_->visible(r))
            engineError(ErrorCode::RecordNotFound, Msg::RecordNotFound);
        setCurrentRecord(r);
    }
    positionChanged(0);
    runEvent(AfterScroll);
}

void TDataSet::syncToRow(qint64 rowId)
{
    checkBrowseModeForMove();
    {
        BusyGuard g(busy_, name_);
        Record r;
        if (!cursor_->fetch(rowId, r) || !cursor_->visible(r))
            engineError(ErrorCode::RecordNotFound, Msg::RecordNotFound);
        setCurrentRecord(r);
    }
    positionChanged(0);
}

int TDataSet::CompareBookmarks(const TBookmark &a, const TBookmark &b) const
{
    if (a.rowId == b.rowId)
        return 0;
    if (a.IsNull())
        return -1;
    if (b.IsNull())
        return 1;
    Record ra, rb;
    if (!cursor_->fetch(a.rowId, ra) || !cursor_->fetch(b.rowId, rb))
        return a.rowId < b.rowId ? -1 : 1;
    const QVariantList ka = cursor_->keyOf(ra), kb = cursor_->keyOf(rb);
    for (int i = 0; i < ka.size(); ++i) {
        const int c = detail::compareValues(ka[i], kb[i]);
        if (c != 0)
            return c;
    }
    return a.rowId < b.rowId ? -1 : 1;
}

// ---- search

bool TDataSet::Locate(const QString &keyField, const QVariant &value, unsigned options)
{
    return Locate(keyField, QVariantList{value}, options);
}

bool TDataSet::Locate(const QString &keyFields, const QVariantList &values, unsigned options)
{
    checkBrowseModeForMove();
    const QStringList names = keyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    std::vector<int> cols;
    QVariantList vals;
    for (int i = 0; i < names.size(); ++i) {
        TField *f = FieldByName(names[i].trimmed());
        if (f->FieldKind() != TFieldKind::fkData)
            databaseError(QStringLiteral("Feld '%1' kann nicht gesucht werden").arg(f->FieldName()));
        cols.push_back(f->slot());
        vals << f->Normalize(values.value(i));
    }
    std::function<bool(const Record &)> compare;
    if (options & (loCaseInsensitive | loPartialKey)) {
        compare = [&](const Record &r) {
            for (size_t i = 0; i < cols.size(); ++i) {
                const QVariant v = r.values.value(cols[i]);
                const QVariant want = vals.value(static_cast<int>(i));
                if (v.typeId() == QMetaType::QString || want.typeId() == QMetaType::QString) {
                    const QString a = v.toString(), b = want.toString();
                    const Qt::CaseSensitivity cs =
                        options & loCaseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
                    if (options & loPartialKey ? !a.startsWith(b, cs) : a.compare(b, cs) != 0)
                        return false;
                } else if (detail::compareValues(v, want) != 0) {
                    return false;
                }
            }
            return true;
        };
    }
    Record r;
    bool found;
    {
        BusyGuard g(busy_, name_);
        found = cursor_->locate(cols, vals, compare, r);
    }
    if (found) {
        runEvent(BeforeScroll);
        setCurrentRecord(r);
        positionChanged(0);
        runEvent(AfterScroll);
    }
    return found;
}

QVariant TDataSet::Lookup(const QString &keyFields, const QVariantList &values,
                          const QString &resultFields) const
{
    checkActive();
    const QStringList names = keyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    std::vector<int> cols;
    QVariantList vals;
    for (int i = 0; i < names.size(); ++i) {
        TField *f = FieldByName(names[i].trimmed());
        cols.push_back(f->slot());
        vals << f->Normalize(values.value(i));
    }
    Record r;
    if (!cursor_->locate(cols, vals, nullptr, r))
        return QVariant();
    calculateFields(r);
    const QStringList results = resultFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (results.size() == 1)
        return r.values.value(FieldByName(results[0].trimmed())->slot());
    QVariantList out;
    for (const QString &n : results)
        out << r.values.value(FieldByName(n.trimmed())->slot());
    return out;
}

// ---- rows for grids

bool TDataSet::ReadRecord(int recNo, QVariantList &values) const
{
    values.clear();
    if (!Active() || recNo < 1)
        return false;
    // Per cell a grid asks only this process's change count; other processes'
    // rows show after the next refresh or move.
    const quint64 version = cursor_->localVersion();
    if (windowVersion_ != version || recNo < windowStart_ ||
        recNo >= windowStart_ + static_cast<int>(window_.size())) {
        const int start = std::max(1, recNo - 16);
        cursor_->rowsAt(start, 64, window_);
        windowStart_ = start;
        windowVersion_ = version;
        for (Record &r : window_)
            calculateFields(r);
    }
    const int i = recNo - windowStart_;
    if (i < 0 || i >= static_cast<int>(window_.size()))
        return false;
    const Record &r = window_[i];
    for (TField *f : fields_)
        values << r.values.value(f->slot());
    return true;
}

QVariant TDataSet::RecordValue(int recNo, const TField *field) const
{
    QVariantList values;
    if (!ReadRecord(recNo, values))
        return QVariant();
    for (int i = 0; i < FieldCount(); ++i)
        if (fields_[i] == field)
            return values.value(i);
    return QVariant();
}

QString TDataSet::RecordText(int recNo, const TField *field, bool display) const
{
    return field->TextOf(RecordValue(recNo, field), display);
}

} // namespace dbe
