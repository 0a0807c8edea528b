#pragma once

#include <cstdint>

#include <QString>

class QWidget;

namespace dbe {
class TDataSource;
class TTable;
} // namespace dbe

namespace nav {

class TTableDefs;

enum class TDefaultIndexLabels { dilIdxName, dilFldNames, dilFldDisplayLabels };

// The settings table definitions read when they are made and when they
// search; the defaults serve definitions that have no host (any more).
struct TTableDefsSettings {
    bool BMKeepOnlyIndex = true;
    bool UseNonVisFields = true;
    bool AllowUserAbort = true;
    bool AllowMasterMove = true;
    bool ShowSearchClock = true;
    bool ExactBOF_EOF = true;
    TDefaultIndexLabels IndexNamesAs = TDefaultIndexLabels::dilIdxName;
};

// What the table definitions of a data set ask of the one who keeps them and
// tell it; they know it only through this.
class TableDefsHost {
public:
    virtual TTableDefsSettings TableDefsSettings() const = 0;
    // The form the definitions' views belong to.
    virtual QWidget *Form() const = 0;
    virtual void GetIndexCaption(dbe::TTable &table, const QString &indexName, const QString &defaultCaption,
                                 QString &caption, bool &show) const = 0;
    virtual void ClearMessage() = 0;

    virtual void TableActiveChanged(dbe::TDataSource *source) = 0;
    virtual void TableDataSetChanged(dbe::TDataSource *source) = 0;
    virtual void TableDataSetScrolled(dbe::TDataSource *source, int distance) = 0;
    virtual void TableEditingChanged(dbe::TDataSource *source) = 0;
    virtual void TableFilterChanged(TTableDefs &defs, dbe::TDataSource *source) = 0;
    // The filter of defs reports a step; 4: it is being switched on.
    virtual void TableFilterProgress(TTableDefs &defs, std::uint8_t kind) = 0;
    // After a search found a record.
    virtual void SelectFoundTextInActiveControl(const QString &text, bool caseSensitive) = 0;

protected:
    ~TableDefsHost() = default;
};

} // namespace nav
