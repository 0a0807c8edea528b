#pragma once

#include <functional>
#include <vector>

namespace dbe {

namespace detail {
class Database;
}
class TDataSet;
class TDataSource;
class TField;

enum class TDataSetState;

// What a dataset tells the links of its data sources.
enum class TDataEvent {
    deFieldChange,   // info: the TField* that changed
    deRecordChange,  // the current record's values changed (info: TField* or null)
    deDataSetChange, // the visible rows or their order changed
    deDataSetScroll, // info: distance moved
    deLayoutChange,  // the field list changed
    deUpdateRecord,  // controls write their values back (before post)
    deUpdateState,   // the dataset's state changed
    deCheckBrowseMode,
};

// A data-aware control's (or a detail's) connection to a data source.
// Derive and override the notifications; the base does nothing.
class TDataLink {
public:
    TDataLink() = default;
    virtual ~TDataLink();
    TDataLink(const TDataLink &) = delete;
    TDataLink &operator=(const TDataLink &) = delete;

    TDataSource *DataSource() const { return dataSource_; }
    void SetDataSource(TDataSource *source);
    TDataSet *DataSet() const;
    // The dataset is open.
    bool Active() const { return active_; }
    // The dataset is in edit or insert state (as far as this link knows).
    bool Editing() const { return editing_; }
    // Puts the dataset into edit state when its data source allows it
    // (AutoEdit) and answers whether it is editing now.
    bool Edit();
    bool ReadOnly() const { return readOnly_; }
    // A read-only link never counts as editing; changing it re-derives the
    // editing state, so a control made writable during an insert can edit.
    void SetReadOnly(bool readOnly);

protected:
    friend class TDataSource;
    virtual void ActiveChanged() {}
    virtual void DataSetChanged() { RecordChanged(nullptr); }
    virtual void DataSetScrolled(int /*distance*/) { DataSetChanged(); }
    virtual void EditingChanged() {}
    virtual void RecordChanged(TField * /*field*/) {}
    virtual void LayoutChanged() { DataSetChanged(); }
    // The dataset is about to post: write the control's value into its field.
    virtual void UpdateData() {}
    // The dataset leaves edit state (post or cancel): finish typing first.
    virtual void CheckBrowseMode() {}
    // The dataset moved: a link may read ahead what it will read when told (no events, no caller's
    // code), in the read transactions listed in held.
    virtual void prefetch(std::vector<detail::Database *> &held) { (void)held; }

private:
    void dataEvent(TDataEvent event, long long info);
    void updateState();
    TDataSource *dataSource_ = nullptr;
    bool active_ = false;
    bool editing_ = false;
    bool readOnly_ = false;
};

// Connects data links to a dataset.
class TDataSource {
public:
    explicit TDataSource(TDataSet *dataSet = nullptr);
    ~TDataSource();
    TDataSource(const TDataSource &) = delete;
    TDataSource &operator=(const TDataSource &) = delete;

    TDataSet *DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet *dataSet);
    bool AutoEdit() const { return autoEdit_; }
    void SetAutoEdit(bool autoEdit) { autoEdit_ = autoEdit; }
    // A disabled source tells its links nothing (they see an inactive dataset).
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    TDataSetState State() const;
    // Edit() of the dataset when AutoEdit is on and it is browsing.
    void Edit();
    bool IsLinkedTo(TDataSet *dataSet) const;

    // Fired on the dataset's state changes and data changes, for forms.
    std::function<void(TDataSource &)> OnStateChange;
    std::function<void(TDataSource &, TField *)> OnDataChange;
    std::function<void(TDataSource &, TField *)> OnUpdateData;

    // Internal.
    void addLink(TDataLink *link);
    void removeLink(TDataLink *link);
    void dataEvent(TDataEvent event, long long info);
    const std::vector<TDataLink *> &links() const { return links_; }

private:
    void prefetch();
    TDataSet *dataSet_ = nullptr;
    bool autoEdit_ = true;
    bool enabled_ = true;
    std::vector<TDataLink *> links_;
};

} // namespace dbe
