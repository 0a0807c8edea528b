#pragma once

#include "dbe/DataSource.h"
#include "dbe/Errors.h"
#include "dbe/Table.h"

namespace fleet {

// The tables of the fuel-card import, made on first use together with the
// import form and kept until the program ends. The import form opens them.
class TDataModuleImport {
public:
    explicit TDataModuleImport(dbe::TSession *session = nullptr);
    ~TDataModuleImport();
    TDataModuleImport(const TDataModuleImport &) = delete;
    TDataModuleImport &operator=(const TDataModuleImport &) = delete;

    dbe::TTable TTblImport;   // TImport.db, the staged lines
    dbe::TTable TTblTankDisk; // the delivered text file; the import sets directory and file name
    dbe::TTable TTblKonfig;   // TKonfig.DB, one row per fuel-file type
    dbe::TDataSource DataSrcImport;
    dbe::TDataSource DataSrcKonfig;

    // A second row of a type is refused with its message and the engine's
    // error; any other refusal is a cost category out of range: its message,
    // and the post is abandoned.
    void TTblKonfigPostError(dbe::TDataSet &konfig, dbe::EDatabaseError &fehler, dbe::TDataAction &aktion);
};

extern TDataModuleImport *DataModuleImport;
TDataModuleImport &DataModuleImportErzeugen();
// At program end, before the session goes.
void DataModuleImportFreigeben();

} // namespace fleet
