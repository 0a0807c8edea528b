#pragma once

#include "navigation/erweiterung/DBVexarion.h"

// The keys and buttons the extender proposes for the bars of its dialogs
// and views, before OnSpecialForm may change them.
namespace nav {

// Record buttons and editing keys unless read-only; the global-edit key and
// button when the dialog manages global edit.
void AddEditingButtons(TFormEventRec &record, bool readOnly, bool manageGlobalEdit);

// The table view: every search button up to the index choice, the
// single-record view's key and button only when offered.
void SetTableViewButtons(TFormEventRec &record, bool readOnly, bool manageGlobalEdit,
                         bool offerSingleRecView);
// The single-record view: the table view's key and button only when offered.
void SetSingleRecViewButtons(TFormEventRec &record, bool readOnly, bool manageGlobalEdit,
                             bool offerTableView);

// The records the extender fills for its two views (FormType 0 and 8).
// fromOtherView: the extender's form is itself the other kind of view.
TFormEventRec TableViewRecord(const TDBVexarion &ext, dbe::TDataSet *dataSet, bool synchronous,
                              bool fromOtherView);
TFormEventRec SingleRecViewRecord(const TDBVexarion &ext, dbe::TDataSet *dataSet, bool synchronous,
                                  bool fromOtherView);

} // namespace nav
