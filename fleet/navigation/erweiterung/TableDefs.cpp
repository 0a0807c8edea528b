#include "navigation/erweiterung/TableDefs.h"

#include "dbe/EngineCursor.h"
#include "dbe/Errors.h"
#include "dbe/Field.h"
#include "dbe/Table.h"
#include "navigation/ansichten/SingleRecViewForm.h"
#include "navigation/daten/DataSetHelpers.h"
#include "navigation/daten/EngineRecordValues.h"
#include "navigation/gemeinsam/NavExceptions.h"
#include "navigation/gemeinsam/UserFeedback.h"
#include "navigation/suche/RecordSearch.h"
#include "navigation/suche/SearchClock.h"

namespace nav {

namespace {

const QString kWildcard = QStringLiteral("..");

bool isTextDriver(const dbe::TDataSet &dataSet)
{
    return EngineCursorText(dataSet, CursorText::DriverName) == QLatin1String("ASCIIDRV");
}

quint32 handleOf(const dbe::TDataSet *dataSet)
{
    const auto *table = dynamic_cast<const dbe::TTable *>(dataSet);
    return table && table->Active() && table->Handle() ? table->Handle()->HandleId() : 0;
}

bool isUmlaut(QChar c)
{
    return QStringView(u"ÄÖÜäöüß").contains(c);
}

// Field types the indexed seek handles without "..": the numbers an index
// orders as the text would.
bool isSeekableNumber(dbe::TFieldType type)
{
    switch (type) {
    case dbe::TFieldType::ftSmallint:
    case dbe::TFieldType::ftInteger:
    case dbe::TFieldType::ftWord:
    case dbe::TFieldType::ftFloat:
    case dbe::TFieldType::ftCurrency:
    case dbe::TFieldType::ftAutoInc:
        return true;
    default:
        return false;
    }
}

// Whether the indexed seek finds what the pattern would: the index orders
// text by code point and case-sensitively, so a seek that ignores case can
// only be trusted when the text holds no letter.
bool seekFitsCase(const QString &seekText, bool ignoreCase)
{
    if (!ignoreCase)
        return true;
    for (QChar c : seekText)
        if (c.isLetter())
            return false;
    return true;
}

// The text a search compares: a memo's first 64000 bytes, else the field's text.
QString searchText(const dbe::TField &field)
{
    if (field.DataType() == dbe::TFieldType::ftMemo)
        return BlobSearchText(field.AsString());
    return field.AsString();
}

} // namespace

class TTableDefs::Link : public dbe::TDataLink {
public:
    explicit Link(TTableDefs &owner) : owner_(owner) {}

protected:
    void ActiveChanged() override
    {
        if (ignored())
            return;
        const bool notify = owner_.notifyActive_;
        // Also when the source or its data set goes away: nothing dangles.
        owner_.bindDataSet(DataSet());
        if (owner_.host_ && notify)
            owner_.host_->TableActiveChanged(DataSource());
    }
    void DataSetChanged() override
    {
        if (!ignored() && owner_.host_)
            owner_.host_->TableDataSetChanged(DataSource());
    }
    void DataSetScrolled(int distance) override
    {
        if (!ignored() && owner_.host_)
            owner_.host_->TableDataSetScrolled(DataSource(), distance);
    }
    void EditingChanged() override
    {
        if (!ignored() && owner_.host_)
            owner_.host_->TableEditingChanged(DataSource());
    }

private:
    bool ignored() const { return owner_.creating_ || owner_.ignoreEvents_; }
    TTableDefs &owner_;
};

TTableDefs::TTableDefs(TableDefsHost *host, dbe::TDataSource *source, dbe::TDataSet *dataSet)
    : host_(host), link_(std::make_unique<Link>(*this))
{
    const TTableDefsSettings given = settings();
    bookmarks_ = std::make_shared<TBMManager>(nullptr, given.AllowUserAbort, given.AllowMasterMove,
                                              given.UseNonVisFields, given.BMKeepOnlyIndex);
    filter_ = std::make_shared<TDBVFilter>();
    bindFilterEvents();
    if (source) {
        link_->SetDataSource(source);
        bindDataSet(source->DataSet());
    } else {
        bindDataSet(dataSet);
    }
    creating_ = false;
}

TTableDefs::~TTableDefs()
{
    host_ = nullptr;
    FreeView(tableView_);
    FreeView(singleRecView_);
    link_->SetDataSource(nullptr);
    if (!shared_) {
        filter_->OnStatus = nullptr;
        filter_->BindFilterDataSet(static_cast<dbe::TDataSet *>(nullptr));
    }
}

TTableDefsSettings TTableDefs::settings() const
{
    return host_ ? host_->TableDefsSettings() : TTableDefsSettings();
}

dbe::TDataSource *TTableDefs::DataSource() const
{
    return link_->DataSource();
}

void TTableDefs::bindFilterEvents()
{
    filter_->OnStatus = [this](TDBVFilter &, std::uint8_t kind) {
        if (host_)
            host_->TableFilterProgress(*this, kind);
    };
}

void TTableDefs::SetSource(dbe::TDataSource *source)
{
    const bool saved = notifyActive_;
    notifyActive_ = !(source && source->DataSet() && source->DataSet() == dataSet_);
    try {
        link_->SetDataSource(source);
    } catch (...) {
        notifyActive_ = saved;
        throw;
    }
    notifyActive_ = saved;
    if (source && source->DataSet() != dataSet_)
        bindDataSet(source->DataSet());
}

void TTableDefs::ShareWith(TTableDefs &other)
{
    if (shared_ || &other == this)
        return;
    filter_->OnStatus = nullptr;
    filter_->BindFilterDataSet(static_cast<dbe::TDataSet *>(nullptr));
    bookmarks_ = other.bookmarks_;
    filter_ = other.filter_;
    shared_ = true;
}

void TTableDefs::TakeOverState(TTableDefs &old)
{
    if (&old == this)
        return;
    if (!shared_) {
        filter_->OnStatus = nullptr;
        filter_->BindFilterDataSet(static_cast<dbe::TDataSet *>(nullptr));
    }
    bookmarks_ = old.bookmarks_;
    filter_ = old.filter_;
    shared_ = old.shared_;
    if (!shared_)
        bindFilterEvents();
    old.shared_ = true; // the state lives on here
    searchField_ = old.searchField_;
    pattern_ = old.pattern_;
    searchDown_ = old.searchDown_;
}

void TTableDefs::bindDataSet(dbe::TDataSet *dataSet)
{
    const bool same = dataSet == dataSet_;
    // A closed or reopened table has lost the filter installed on its old
    // cursor; an index change keeps the cursor and so the filter.
    const quint32 handle = handleOf(dataSet);
    const bool reopened = same && handle != cursorHandle_;
    dataSet_ = dataSet;
    cursorHandle_ = handle;
    if (!same)
        bookmarks_->SetDataSet(dataSet);
    ReadDefinitions();
    ClearSearch();
    if ((!same || reopened) && !shared_) {
        filter_->BindFilterDataSet(static_cast<dbe::TDataSet *>(nullptr));
        filter_->BindFilterDataSet(dataSet);
    }
    reportFilter();
    // A view on the data set itself rebuilds its controls for the new fields.
    if (TSingleRecViewForm *view = SingleRecView(); view && view->Synchronised())
        view->ResyncControls();
}

void TTableDefs::reportFilter()
{
    if (host_ && !creating_)
        host_->TableFilterChanged(*this, DataSource());
}

bool TTableDefs::ExactAtBegin() const
{
    if (!dataSet_ || !dataSet_->Active() || dataSet_->IsEmpty())
        return true;
    return dataSet_->RecNo() <= 1;
}

bool TTableDefs::ExactAtEnd() const
{
    if (!dataSet_ || !dataSet_->Active() || dataSet_->IsEmpty())
        return true;
    const int recNo = dataSet_->RecNo();
    return recNo >= 1 && recNo >= dataSet_->RecordCount();
}

void TTableDefs::ReadDefinitions()
{
    indexCaptions_.clear();
    indexNames_.clear();
    lookupDefs_.clear();
    auto *table = dynamic_cast<dbe::TTable *>(dataSet_);
    if (!table || table->TableName().isEmpty() || !table->Active())
        return;
    const QString driver = EngineCursorText(*table, CursorText::DriverName);
    if (driver == QLatin1String("ASCIIDRV"))
        return;
    const TDefaultIndexLabels labels = settings().IndexNamesAs;
    auto offer = [&](const QString &indexName, const QString &caption) {
        QString text = caption;
        bool show = true;
        if (host_)
            host_->GetIndexCaption(*table, indexName, caption, text, show);
        if (show && !text.isEmpty()) {
            indexCaptions_ << text;
            indexNames_ << indexName;
        }
    };
    if (driver != QLatin1String("PARADOX"))
        offer(QString(), QStringLiteral("Kein Index"));
    else if (labels == TDefaultIndexLabels::dilIdxName)
        offer(QString(), QStringLiteral("*Primär"));
    QList<dbe::IndexDef> defs;
    try {
        defs = table->IndexDefs();
    } catch (const std::exception &) {
        defs.clear();
    }
    for (const auto &def : defs) {
        QString caption;
        switch (labels) {
        case TDefaultIndexLabels::dilIdxName:
            caption = def.name;
            break;
        case TDefaultIndexLabels::dilFldNames:
            caption = def.fields.join(QLatin1Char(';'));
            break;
        case TDefaultIndexLabels::dilFldDisplayLabels: {
            QStringList shown;
            FillDisplayLabels(*table, def.fields, shown);
            caption = shown.join(QLatin1Char(';'));
            break;
        }
        }
        offer(def.name, caption);
    }
    if (driver != QLatin1String("PARADOX") || !table->Handle())
        return;
    // The engine lists the fields with validity checks until it reports an error.
    for (int ordinal = 1;; ++ordinal) {
        dbe::TValidityCheck check;
        try {
            check = table->Handle()->ValidityCheck(ordinal);
        } catch (const dbe::EDBEngineError &) {
            break;
        }
        if (check.lookupType != 0)
            lookupDefs_.prepend({check.fieldNo, check.lookupType, check.lookupTable});
    }
}

bool TTableDefs::LookupDef(int fieldNo, int &type, QString &tableName) const
{
    type = 0;
    tableName.clear();
    for (const TLookupDefEntry &entry : lookupDefs_)
        if (entry.fieldNo == fieldNo) {
            type = entry.type;
            tableName = entry.tableName;
            return true;
        }
    return false;
}

int TTableDefs::CurrentIndexEntry() const
{
    auto *table = dynamic_cast<dbe::TTable *>(dataSet_);
    if (!table)
        return -1;
    return static_cast<int>(indexNames_.indexOf(table->IndexName()));
}

void TTableDefs::SetIndex(const QString &indexName)
{
    auto *table = dynamic_cast<dbe::TTable *>(dataSet_);
    if (!table)
        return;
    auto afterwards = [&] {
        ignoreEvents_ = false;
        cursorHandle_ = handleOf(table);
        bookmarks_->SetDataSet(table);
        if (host_)
            host_->TableDataSetChanged(DataSource());
    };
    ignoreEvents_ = true;
    try {
        table->SetIndexName(indexName);
    } catch (...) {
        afterwards();
        throw;
    }
    afterwards();
}

void TTableDefs::ClearSearch()
{
    searchField_.clear();
    pattern_ = SearchPattern();
}

bool TTableDefs::SearchValue(const QString &fieldName, const QString &text, bool skipCurrent, bool fromStart,
                             bool incremental, bool down, bool ignoreCase)
{
    searchField_ = fieldName;
    searchDown_ = down;
    pattern_ = SearchPattern(text, ignoreCase);
    if (!dataSet_ || !dataSet_->Active())
        return false;
    const qsizetype wildcard = text.indexOf(kWildcard);
    auto *table = dynamic_cast<dbe::TTable *>(dataSet_);
    const dbe::TField *field = dataSet_->FindField(fieldName);
    const bool leads = table && field && !isTextDriver(*table) && StartsWithIndexFields(*table, fieldName);

    if (leads && down && fromStart && (text.isEmpty() || (!ignoreCase && !incremental && wildcard < 0))) {
        const bool found = exactSeek(*table, text);
        afterSearch(found);
        return found;
    }
    if (leads && down && (fromStart || incremental)) {
        const QString seek = text.endsWith(kWildcard) ? text.chopped(2) : text;
        const bool onePiece = pattern_.pieceCount() == 1 && !text.startsWith(kWildcard);
        const bool noUmlaut = wildcard <= 0 || !isUmlaut(text.at(wildcard - 1));
        const bool fieldFits = field->DataType() == dbe::TFieldType::ftString ||
                               (isSeekableNumber(field->DataType()) && wildcard < 0);
        if (text == kWildcard || (onePiece && noUmlaut && fieldFits && seekFitsCase(seek, ignoreCase))) {
            const bool found = indexedSeek(*table, *field, text == kWildcard ? QString() : seek);
            afterSearch(found);
            return found;
        }
    }
    return scanForValue(fromStart, skipCurrent);
}

bool TTableDefs::exactSeek(dbe::TTable &table, const QString &text)
{
    PostOrCancelEdit(table);
    if (text.isEmpty()) {
        table.First();
        return true;
    }
    return table.FindKey({text});
}

bool TTableDefs::indexedSeek(dbe::TTable &table, const dbe::TField &field, QString text)
{
    PostOrCancelEdit(table);
    if (table.BeforeScroll)
        table.BeforeScroll(table);
    if (text.isEmpty()) {
        table.First();
        if (table.AfterScroll)
            table.AfterScroll(table);
        return true;
    }
    const dbe::TBookmark mark = table.GetBookmark();
    table.DisableControls();
    bool found = false;
    try {
        table.FindNearest({text});
        found = !table.IsEmpty() && pattern_.matches(field.AsString());
        if (!found && !mark.IsNull())
            table.GotoBookmark(mark);
        else if (found && table.AfterScroll)
            table.AfterScroll(table);
    } catch (...) {
        table.EnableControls();
        throw;
    }
    table.EnableControls();
    return found;
}

bool TTableDefs::SearchNext()
{
    if (searchField_.isEmpty())
        return false;
    return scanForValue(false, true);
}

bool TTableDefs::SearchNextReverse(bool down)
{
    const bool saved = searchDown_;
    searchDown_ = down;
    bool found = false;
    try {
        found = SearchNext();
    } catch (...) {
        searchDown_ = saved;
        throw;
    }
    searchDown_ = saved;
    return found;
}

bool TTableDefs::scanForValue(bool fromStart, bool skipCurrent)
{
    if (!dataSet_ || !dataSet_->Active())
        return false;
    PostOrCancelEdit(*dataSet_);
    const dbe::TField *field = dataSet_->FindField(searchField_);
    if (!field || !IsSearchableFieldType(field->DataType()))
        return false;

    const TTableDefsSettings given = settings();
    const bool allowAbort = given.AllowUserAbort;
    const bool showClock = given.ShowSearchClock;
    auto *table = dynamic_cast<dbe::TTable *>(dataSet_);
    const bool exact = given.ExactBOF_EOF;
    if (field->FieldKind() == dbe::TFieldKind::fkData && exact && table && table->Handle() &&
        !isTextDriver(*table)) {
        // A clone that cannot be made is an engine error and raises.
        std::unique_ptr<dbe::TEngineCursor> clone = table->Handle()->Clone();
        const SearchPattern pattern = pattern_;
        const SearchMatcher matcher{pattern.text(),
                                    [&pattern](const QString &t) { return pattern.matches(t); }};
        try {
            const bool found = SearchRecords(*dataSet_, *clone, allowAbort, showClock, skipCurrent, fromStart,
                                             !searchDown_, matcher, searchField_);
            afterSearch(found);
            return found;
        } catch (const EUserAbort &) {
            afterSearch(false);
            return false;
        } catch (const std::exception &) {
            // The data set's own walk below.
        }
    }
    const bool found = scanDataSet(*field, fromStart, skipCurrent);
    afterSearch(found);
    return found;
}

bool TTableDefs::scanDataSet(const dbe::TField &field, bool fromStart, bool skipCurrent)
{
    const TTableDefsSettings given = settings();
    const bool allowAbort = given.AllowUserAbort;
    const bool showClock = given.ShowSearchClock;
    const int total = showClock ? EngineRecordTotal(dataSet_) : 0;
    const bool down = searchDown_;
    const dbe::TBookmark start = dataSet_->IsEmpty() ? dbe::TBookmark() : dataSet_->GetBookmark();
    PushHourglass();
    dataSet_->DisableControls();
    auto restore = [&] {
        dataSet_->EnableControls();
        PopHourglass();
    };
    bool found = false;
    try {
        auto atEnd = [&] { return down ? dataSet_->Eof() : dataSet_->Bof(); };
        auto step = [&] { down ? dataSet_->Next() : dataSet_->Prior(); };
        if (fromStart)
            down ? dataSet_->First() : dataSet_->Last();
        else if (!atEnd() && skipCurrent)
            step();
        int visited = 0;
        int shownPhase = -1;
        while (!atEnd()) {
            if (total > 0) {
                const int phase = DataSetClockPhase(EngineRecordNumber(dataSet_), visited, total);
                if (phase != shownPhase) {
                    shownPhase = phase;
                    ShowClockCursor(phase);
                }
            }
            ++visited;
            if (pattern_.matches(searchText(field))) {
                found = true;
                break;
            }
            step();
            if (allowAbort)
                CheckUserAbort();
        }
        // A miss returns to where the search began; an abort stays where it stopped.
        if (!found && !start.IsNull())
            dataSet_->GotoBookmark(start);
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return found;
}

void TTableDefs::afterSearch(bool found)
{
    if (!host_)
        return;
    host_->TableDataSetScrolled(DataSource(), 0);
    if (found)
        host_->SelectFoundTextInActiveControl(pattern_.text(), !pattern_.ignoreCase());
}

void TTableDefs::SetFilterActive(bool active)
{
    filter_->SetActive(active);
    if (dataSet_ && dataSet_->Active())
        dataSet_->Resync();
    reportFilter();
}

void TTableDefs::ClearFilter()
{
    if (!filter_->Added())
        return;
    filter_->SetAdded(false);
    if (dataSet_ && dataSet_->Active())
        dataSet_->Resync();
    reportFilter();
}

void TTableDefs::ReadFilterDef(TFilterDefinition &rows, int &count) const
{
    count = 0;
    filter_->GetFilterDefinition(&rows, count);
}

void TTableDefs::InstallFilterDef(const TFilterDefinition &rows, int count, bool activate)
{
    filter_->ApplyFilterDef(&rows, count, activate);
    reportFilter();
}

void TTableDefs::SaveFilterToFile(const QString &name) const
{
    filter_->SaveToFile(name);
}

void TTableDefs::LoadFilterFromFile(const QString &name)
{
    try {
        filter_->LoadFromFile(name);
    } catch (...) {
        reportFilter();
        throw;
    }
    reportFilter();
}

void TTableDefs::PostIfEditing()
{
    if (dataSet_ && (dataSet_->State() == dbe::TDataSetState::dsEdit ||
                     dataSet_->State() == dbe::TDataSetState::dsInsert))
        dataSet_->Post();
}

void TTableDefs::SetBookmarkOptions(bool keepOnlyIndex, bool useNonVisFields, bool allowMasterMove,
                                    bool allowUserAbort)
{
    bookmarks_->SetKeepOnlyIndex(keepOnlyIndex);
    bookmarks_->SetUseNonVisFields(useNonVisFields);
    bookmarks_->AllowMasterMove = allowMasterMove;
    bookmarks_->AllowUserAbort = allowUserAbort;
}

} // namespace nav
