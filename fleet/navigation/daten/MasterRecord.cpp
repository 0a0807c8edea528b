#include "navigation/daten/MasterRecord.h"

#include "dbe/Table.h"
#include "navigation/daten/DataSetHelpers.h"
#include "navigation/gemeinsam/TextHelpers.h"
#include "navigation/gemeinsam/UserFeedback.h"
#include "ui/Messages.h"

namespace nav {

bool FindRecordByValues(dbe::TDataSet &table, const QString &keyFields, const QString &valueFields,
                        bool allowAbort, const dbe::TDataSet &source)
{
    const QStringList keys = SplitFieldList(keyFields, false);
    const QStringList valueNames = SplitFieldList(valueFields, false);
    if (keys.size() != valueNames.size())
        return false;
    QStringList values;
    std::vector<dbe::TField *> keyColumns;
    for (int i = 0; i < keys.size(); ++i) {
        values << source.FieldByName(valueNames[i])->AsString();
        keyColumns.push_back(table.FieldByName(keys[i]));
    }
    for (table.First(); !table.Eof(); table.Next()) {
        bool match = true;
        for (std::size_t i = 0; i < keyColumns.size() && match; ++i)
            match = keyColumns[i]->AsString() == values[static_cast<qsizetype>(i)];
        if (match)
            return true;
        if (allowAbort)
            CheckUserAbort();
    }
    return false;
}

namespace {
// The detail's first N index fields, N the number of master fields: a link
// pairs the leading index fields with the master's fields.
QString linkedIndexFields(const dbe::TTable &detail)
{
    const int count = static_cast<int>(SplitFieldList(detail.MasterFields(), false).size());
    return detail.IndexFields().mid(0, count).join(QLatin1Char(';'));
}

struct AfterScrollOnExit {
    dbe::TDataSet &dataSet;
    ~AfterScrollOnExit()
    {
        if (dataSet.AfterScroll)
            dataSet.AfterScroll(dataSet);
    }
};
} // namespace

bool FindMasterRecord(dbe::TDataSet *detail, dbe::TDataSet *source, bool allowAbort)
{
    if (!detail || !source)
        return false;
    if (detail->BeforeScroll)
        detail->BeforeScroll(*detail);
    AfterScrollOnExit afterScroll{*detail};
    if (SyncToRecord(*detail, *source))
        return true;
    auto *detailTable = dynamic_cast<dbe::TTable *>(detail);
    if (!detailTable || !detailTable->MasterSource() || !detailTable->MasterSource()->DataSet())
        return false;
    auto *master = dynamic_cast<dbe::TTable *>(detailTable->MasterSource()->DataSet());
    if (!master)
        return false;
    std::unique_ptr<dbe::TTable> clone = CloneTable(*master, true, true, true);
    if (!FindRecordByValues(*clone, detailTable->MasterFields(), linkedIndexFields(*detailTable), allowAbort,
                            *source)) {
        ui::messages().error(
            QStringLiteral("Fehler in Referentieller Integrität!\nSchlüsselwerte in Haupttabelle "
                           "%1 nicht gefunden.")
                .arg(clone->TableName()));
        return false;
    }
    if (!FindMasterRecord(master, clone.get(), allowAbort))
        return false;
    return SyncToRecord(*detail, *source);
}

} // namespace nav
