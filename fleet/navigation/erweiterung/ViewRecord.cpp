#include "navigation/erweiterung/ViewRecord.h"

namespace nav {

namespace {

constexpr TAllowKeys kViewKeys = allowKey(akSelectNext) | allowKey(akDBMove) | allowKey(akLookUp) |
                                 allowKey(akSearch) | allowKey(akIncSearch) | allowKey(akBookmark) |
                                 allowKey(akFilter) | allowKey(akIndexSelect);

TSrchNavBtns searchButtons(TSrchNavBtn from, TSrchNavBtn to)
{
    TSrchNavBtns bits = 0;
    for (int b = from; b <= to; ++b)
        bits |= static_cast<TSrchNavBtns>(navBit(b));
    return bits;
}

void setViewButtons(TFormEventRec &record, TAllowKey viewKey, TSrchNavBtn viewButton, bool offerView,
                    bool readOnly, bool manageGlobalEdit)
{
    record.AllowKeys = kViewKeys;
    record.VisBtnsSearch = searchButtons(snbSearch, snbIndexSelect);
    if (offerView) {
        record.AllowKeys |= allowKey(viewKey);
        record.VisBtnsSearch |= static_cast<TSrchNavBtns>(navBit(viewButton));
    }
    record.VisBtnsMove = 0x3F;
    record.VisBtnsExtend = navBit(enbMemoView) | navBit(enbLookUp);
    AddEditingButtons(record, readOnly, manageGlobalEdit);
}

} // namespace

void AddEditingButtons(TFormEventRec &record, bool readOnly, bool manageGlobalEdit)
{
    record.VisBtnsRecord = 0;
    if (!readOnly) {
        record.VisBtnsRecord =
            navBit(rnbInsert) | navBit(rnbDelete) | navBit(rnbEdit) | navBit(rnbPost) | navBit(rnbCancel);
        record.AllowKeys |=
            allowKey(akDuplicate) | allowKey(akCancel) | allowKey(akDelete) | allowKey(akInsert);
    }
    if (manageGlobalEdit) {
        record.AllowKeys |= allowKey(akGlobalEdit);
        record.VisBtnsExtend |= navBit(enbGlobalEdit);
    }
}

void SetTableViewButtons(TFormEventRec &record, bool readOnly, bool manageGlobalEdit, bool offerSingleRecView)
{
    setViewButtons(record, akSingleRecView, snbSingleRecView, offerSingleRecView, readOnly, manageGlobalEdit);
}

void SetSingleRecViewButtons(TFormEventRec &record, bool readOnly, bool manageGlobalEdit, bool offerTableView)
{
    setViewButtons(record, akTableView, snbTableView, offerTableView, readOnly, manageGlobalEdit);
}

namespace {

TFormEventRec viewRecord(TSpecialFormType type, dbe::TDataSet *dataSet, TFormBorderStyle border,
                         bool synchronous, bool manageGlobalEdit, bool readOnly, bool autoEdit)
{
    TFormEventRec record;
    record.FormType = type;
    record.DataSet = dataSet;
    record.BorderStyle = border;
    record.Synchronous = synchronous;
    record.ManageGlobalEdit = manageGlobalEdit;
    record.ReadOnly = readOnly;
    record.AutoEdit = autoEdit;
    return record;
}

} // namespace

TFormEventRec TableViewRecord(const TDBVexarion &ext, dbe::TDataSet *dataSet, bool synchronous,
                              bool fromOtherView)
{
    TFormEventRec record = viewRecord(sfTableView, dataSet, ext.BorderStyleTblView, synchronous,
                                      ext.TVManageGlobalEdit, ext.TVReadonly, ext.TVAutoEdit);
    SetTableViewButtons(record, ext.TVReadonly, ext.TVManageGlobalEdit, ext.TVShowSRVBtn && !fromOtherView);
    return record;
}

TFormEventRec SingleRecViewRecord(const TDBVexarion &ext, dbe::TDataSet *dataSet, bool synchronous,
                                  bool fromOtherView)
{
    TFormEventRec record = viewRecord(sfSingleRecord, dataSet, ext.BorderStyleSingleRec, synchronous,
                                      ext.SRVManageGlobalEdit, ext.SRVReadOnly, ext.SRVAutoEdit);
    record.Layout = ext.SRVLayout;
    record.UseCBOnBoolean = ext.SRVUseCBOnBoolean;
    record.UseDBLUComboBox = ext.SRVUseDBLUComboBox;
    record.RebuildOnResize = ext.SRVRebuildOnResize;
    record.MemoMaxWidth = ext.SRVMemoMaxWidth;
    record.GenAccelChars = ext.SRVGenAccelChars;
    SetSingleRecViewButtons(record, ext.SRVReadOnly, ext.SRVManageGlobalEdit, !fromOtherView);
    return record;
}

} // namespace nav
