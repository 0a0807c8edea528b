#pragma once

#include <memory>

#include <QList>
#include <QString>

#include "dbe/DataSource.h"
#include "dbe/Errors.h"
#include "dbe/Table.h"

namespace fleet {

class FahrzeugFilter;

// A table of the data module could not be opened: names the table and the
// engine's reason.
class EDateiOeffnen : public dbe::EDatabaseError {
public:
    EDateiOeffnen(const QString &tabelle, const QString &grund);
    const QString &Tabelle() const { return tabelle_; }
    const QString &Grund() const { return grund_; }

private:
    QString tabelle_;
    QString grund_;
};

// The central data module: one table component per table of the program, the
// data sources the windows show, the open and close order, and the places where
// the table rules are bound. Created before any window; its creation opens the
// current client's tables, its destruction closes them.
class TDataModule1 {
public:
    explicit TDataModule1(dbe::TSession *session = nullptr);
    ~TDataModule1();
    TDataModule1(const TDataModule1 &) = delete;
    TDataModule1 &operator=(const TDataModule1 &) = delete;

    // The tables, in declaration order.
    dbe::TTable TTblMain;
    dbe::TTable TTblTouren;
    dbe::TTable TTblVarKosten;
    dbe::TTable TTblMonatKosten;
    dbe::TTable TTblEinstellungenPriv;
    dbe::TTable TTblEinstellungenAllgem;
    dbe::TTable TTblAlleFahrzeuge;
    dbe::TTable TTblHilfe;
    dbe::TTable TTblTerminKz;
    dbe::TTable TTblTermine;
    dbe::TTable TTblGruppe;
    dbe::TTable TTblStandort;
    dbe::TTable TTblFuhrparkKosten;
    dbe::TTable TTblReifen;
    dbe::TTable TTblVar1;
    dbe::TTable TTblVar;
    dbe::TTable TTblHistorie;
    dbe::TTable TTblReifentyp;
    dbe::TTable TTblDispo;
    dbe::TTable TTblFahrer;
    dbe::TTable TblBild;
    dbe::TTable TblSchadensmanagement;
    dbe::TTable TblMandanten;
    dbe::TTable TblLeasinggesellschaft;

    // The data sources.
    dbe::TDataSource TDataSrcMain;
    dbe::TDataSource DataSrcTouren;
    dbe::TDataSource TDataSrcVarKosten;
    dbe::TDataSource TDataSrcMonatKosten;
    dbe::TDataSource TDataSrcEinstellungenPriv;
    dbe::TDataSource TDataSrcEinstellungenAllgem;
    dbe::TDataSource TDataSrcAlleFahrzeuge;
    dbe::TDataSource TDataSrcHilfe;
    dbe::TDataSource TDataSrcTermine;
    dbe::TDataSource DataSrcGruppe;
    dbe::TDataSource TDataSrcStandort;
    dbe::TDataSource TDataSrcFuhrparkKosten;
    dbe::TDataSource TDataSrcReifen;
    dbe::TDataSource TDataSrcVar;
    dbe::TDataSource DataSrcHistorie;
    dbe::TDataSource DataSrcReifentyp;
    dbe::TDataSource DataSrcDispo;
    dbe::TDataSource DataSrcFahrer;
    dbe::TDataSource DataSrcBild;
    dbe::TDataSource DataSrcSchadensmanagement;
    dbe::TDataSource DataSrcMandanten;
    dbe::TDataSource DataSrcLeasinggesellschaft;

    // Opens the 19 main tables, the vehicle master first. A table that cannot be
    // opened raises EDateiOeffnen; the tables after it stay closed.
    void DateienOeffnen();
    // Closes those 19 tables, the vehicle master last.
    void DateienSchliessen();
    // The tables DateienOeffnen opens, in its order.
    QList<dbe::TTable *> HauptTabellen();
    // All 24 tables in declaration order.
    QList<dbe::TTable *> AlleTabellen();

    // Membership in the vehicle filter in force on TTblMain, without moving it.
    FahrzeugFilter &Fahrzeugfilter();

    // The rule places. Each is bound to its table's event when the module is
    // created; the rules of the vehicle master, the detail tables, the dispatch
    // bookings and the client list fill them. An empty place does nothing.
    using Regel = dbe::TDataSet::Event;
    using FehlerRegel = dbe::TDataSet::ErrorEvent;
    using FilterRegel = dbe::TDataSet::FilterEvent;

    Regel TTblMainBeforeInsert, TTblMainAfterInsert, TTblMainBeforePost, TTblMainAfterPost,
        TTblMainAfterCancel, TTblMainBeforeDelete, TTblMainAfterDelete, TTblMainAfterScroll;
    Regel TTblTourenAfterInsert, TTblTourenBeforePost, TTblTourenAfterPost;
    FehlerRegel TTblTourenPostError;
    Regel TTblVarKostenBeforeInsert, TTblVarKostenBeforePost, TTblVarKostenAfterPost;
    FehlerRegel TTblVarKostenPostError;
    Regel TTblReifenBeforePost, TTblReifenAfterPost;
    Regel TTblHistorieBeforePost, TTblHistorieAfterPost;
    Regel TTblDispoBeforeInsert, TTblDispoAfterInsert, TTblDispoBeforeEdit, TTblDispoBeforePost,
        TTblDispoAfterPost, TTblDispoAfterCancel, TTblDispoBeforeDelete, TTblDispoAfterDelete,
        TTblDispoAfterScroll, TTblDispoAfterRefresh;
    FehlerRegel TTblDispoPostError;
    FilterRegel TTblDispoFilterRecord;
    Regel TblBildBeforePost;
    Regel TblSchadensmanagementBeforePost, TblSchadensmanagementAfterPost;
    Regel TblMandantenNewRecord;

private:
    std::unique_ptr<FahrzeugFilter> fahrzeugfilter_;
    void DataModuleCreate();
    void DataModule1Destroy();
    void tabellenEinrichten();
    void felderEinrichten();
    void regelnBinden();
};

// The one instance, created first by the program body and freed last.
extern TDataModule1 *DataModule1;

} // namespace fleet
