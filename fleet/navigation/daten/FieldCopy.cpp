#include "navigation/daten/FieldCopy.h"

#include "navigation/daten/DataSetHelpers.h"

namespace nav {

dbe::TField *CloneField(const dbe::TField &field, dbe::TDataSet &dataSet)
{
    switch (field.FieldKind()) {
    case dbe::TFieldKind::fkCalculated:
        return dataSet.AddCalculatedField(field.FieldName(), field.DataType(), field.Size());
    case dbe::TFieldKind::fkLookup:
        return dataSet.AddLookupField(field.FieldName(), field.KeyFields(), field.LookupDataSet(),
                                      field.LookupKeyFields(), field.LookupResultField(), field.DataType(),
                                      field.Size());
    case dbe::TFieldKind::fkData:
        break;
    }
    return dataSet.AddField(field.FieldName());
}

void CopyFieldProperties(const dbe::TField &source, dbe::TField &target)
{
    target.SetKeyFields(source.KeyFields());
    target.SetLookupDataSet(source.LookupDataSet());
    target.SetLookupKeyFields(source.LookupKeyFields());
    target.SetLookupResultField(source.LookupResultField());
    target.SetIndex(source.Index());
    target.SetAlignment(source.Alignment());
    target.SetDisplayLabel(source.DisplayLabel());
    target.SetDisplayWidth(source.DisplayWidth());
    target.SetEditMask(source.EditMask());
    target.SetReadOnly(source.ReadOnly());
    target.SetRequired(source.Required());
    target.SetVisible(source.Visible());
    switch (source.DataType()) {
    case dbe::TFieldType::ftSmallint:
    case dbe::TFieldType::ftInteger:
    case dbe::TFieldType::ftWord:
    case dbe::TFieldType::ftAutoInc:
    case dbe::TFieldType::ftFloat:
    case dbe::TFieldType::ftCurrency:
    case dbe::TFieldType::ftBCD:
        target.SetDisplayFormat(source.DisplayFormat());
        target.SetEditFormat(source.EditFormat());
        target.SetMinValue(source.MinValue());
        target.SetMaxValue(source.MaxValue());
        target.SetCurrency(source.Currency());
        break;
    case dbe::TFieldType::ftBoolean:
        target.SetDisplayValues(source.DisplayValues());
        break;
    case dbe::TFieldType::ftDate:
    case dbe::TFieldType::ftTime:
    case dbe::TFieldType::ftDateTime:
        target.SetDisplayFormat(source.DisplayFormat());
        break;
    default:
        break;
    }
}

void CopyFieldDefs(const dbe::TDataSet &source, dbe::TDataSet &target, bool fromDefs)
{
    if (fromDefs) {
        for (const dbe::FieldDef &def : FieldDefsOf(target))
            if (!target.FindField(def.name))
                target.AddField(def.name);
        for (int i = 0; i < source.FieldCount(); ++i) {
            const dbe::TField *f = source.Fields(i);
            if (!f->Calculated() && !target.FindField(f->FieldName()))
                CloneField(*f, target);
        }
    } else {
        for (int i = 0; i < source.FieldCount(); ++i)
            if (!source.Fields(i)->Calculated())
                CloneField(*source.Fields(i), target);
    }
    for (int i = 0; i < source.FieldCount(); ++i) {
        const dbe::TField *f = source.Fields(i);
        if (dbe::TField *t = target.FindField(f->FieldName())) {
            CopyFieldProperties(*f, *t);
            if (fromDefs)
                t->SetVisible(true);
        }
    }
}

} // namespace nav
