#include "navigation/suche/LookupFields.h"

#include <algorithm>

#include "dbe/Field.h"
#include "navigation/gemeinsam/TextHelpers.h"

namespace nav {

QString PairFieldLists(const QString &first, const QString &second)
{
    const QStringList a = SplitFieldList(first, false);
    const QStringList b = SplitFieldList(second, false);
    QStringList pairs;
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i)
        pairs << a[i] << b[i];
    return pairs.join(QLatin1Char(';'));
}

void ApplyShowFields(dbe::TDataSet &dataSet, const QString &showFields, const QString &displayLabels)
{
    const QStringList names = SplitFieldList(showFields, true);
    if (names.isEmpty())
        return;
    const QStringList labels = displayLabels.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (int i = 0; i < dataSet.FieldCount(); ++i) {
        dbe::TField *f = dataSet.Fields(i);
        f->SetVisible(names.contains(f->FieldName().toUpper()));
    }
    int position = 0;
    for (qsizetype i = 0; i < names.size(); ++i) {
        dbe::TField *f = dataSet.FindField(names[i]);
        if (!f)
            continue;
        if (labels.size() == names.size())
            f->SetDisplayLabel(labels[i]);
        f->SetIndex(position++);
    }
}

bool LocateByFieldPairs(dbe::TDataSet &source, const dbe::TDataSet &target, const QString &pairs)
{
    const QStringList names = SplitFieldList(pairs, false);
    QStringList sourceFields;
    QVariantList values;
    for (qsizetype i = 0; i + 1 < names.size(); i += 2) {
        sourceFields << names[i];
        values << target.FieldByName(names[i + 1])->Value();
    }
    if (sourceFields.isEmpty())
        return false;
    return source.Locate(sourceFields.join(QLatin1Char(';')), values);
}

FieldLayoutSnapshot::FieldLayoutSnapshot(dbe::TDataSet &dataSet) : dataSet_(dataSet)
{
    for (int i = 0; i < dataSet.FieldCount(); ++i) {
        dbe::TField *f = dataSet.Fields(i);
        entries_.push_back({f, f->Visible(), f->DisplayLabel()});
    }
}

void FieldLayoutSnapshot::Restore()
{
    for (size_t i = 0; i < entries_.size(); ++i) {
        const Entry &e = entries_[i];
        e.field->SetVisible(e.visible);
        e.field->SetDisplayLabel(e.label);
        if (e.field->Index() != static_cast<int>(i) && static_cast<int>(i) < dataSet_.FieldCount())
            e.field->SetIndex(static_cast<int>(i));
    }
}

} // namespace nav
