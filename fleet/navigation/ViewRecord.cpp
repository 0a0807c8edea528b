#include "navigation/ViewRecord.h"

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

TFormEventRec TableViewRecord(const TDBVexarion &ext, dbe::TDataSet *dataSet, bool synchronous,
                              bool fromOtherView)
{
    TFormEventRec record;
    record.FormType = sfTableView;
    record.DataSet = dataSet;
    record.BorderStyle = ext.BorderStyleTblView;
    record.Synchronous = synchronous;
    record.ManageGlobalEdit = ext.TVManageGlobalEdit;
    record.ReadOnly = ext.TVReadonly;
    record.AutoEdit = ext.TVAutoEdit;
    SetTableViewButtons(record, ext.TVReadonly, ext.TVManageGlobalEdit, ext.TVShowSRVBtn && !fromOtherView);
    return record;
}

TFormEventRec SingleRecViewRecord(const TDBVexarion &ext, dbe::TDataSet *dataSet, bool synchronous,
                                  bool fromOtherView)
{
    TFormEventRec record;
    record.FormType = sfSingleRecord;
    record.DataSet = dataSet;
    record.BorderStyle = ext.BorderStyleSingleRec;
    record.Layout = ext.SRVLayout;
    record.UseCBOnBoolean = ext.SRVUseCBOnBoolean;
    record.UseDBLUComboBox = ext.SRVUseDBLUComboBox;
    record.RebuildOnResize = ext.SRVRebuildOnResize;
    record.MemoMaxWidth = ext.SRVMemoMaxWidth;
    record.GenAccelChars = ext.SRVGenAccelChars;
    record.Synchronous = synchronous;
    record.ManageGlobalEdit = ext.SRVManageGlobalEdit;
    record.ReadOnly = ext.SRVReadOnly;
    record.AutoEdit = ext.SRVAutoEdit;
    SetSingleRecViewButtons(record, ext.SRVReadOnly, ext.SRVManageGlobalEdit, !fromOtherView);
    return record;
}

} // namespace nav
