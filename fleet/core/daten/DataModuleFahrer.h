#pragma once

#include <QString>

#include "dbe/DataSource.h"
#include "dbe/Table.h"

namespace fleet {

// What the driver rules use of the driver form; the form makes itself known
// while it exists.
class FahrerFormularZugriff {
public:
    virtual ~FahrerFormularZugriff() = default;
    // The chosen item of RadioGrpFahrerTourenSicht: 0 "Alle", 1 "Monat", 2 "Jahr".
    virtual int TourenSicht() const = 0;
    virtual void TourenSummenBerechnen() = 0;
};
FahrerFormularZugriff *FahrerFormular();
void FahrerFormularSetzen(FahrerFormularZugriff *formular);

// The tours filter of the current driver and the period clause the driver
// form appends to it for a month or year view.
extern QString FahrerFilterBasis;
extern QString FahrerFilterZeitraum;

// The drivers and their history, made on first use together with the driver
// form and kept until the program ends. The tables are open from creation on.
class TDataModuleFahrer {
public:
    explicit TDataModuleFahrer(dbe::TSession *session = nullptr);
    ~TDataModuleFahrer();
    TDataModuleFahrer(const TDataModuleFahrer &) = delete;
    TDataModuleFahrer &operator=(const TDataModuleFahrer &) = delete;

    dbe::TTable TblFahrerStammdaten;
    dbe::TTable TblFahrerHistorie;
    dbe::TDataSource DataSrcFahrerStammdaten;
    dbe::TDataSource DataSrcFahrerHistorie;

    // A driver became current: the tours the driver form has filtered follow him.
    void TblFahrerStammdatenAfterScroll(dbe::TDataSet &fahrer);
    // A driver without a name is saved only when the user wants it.
    void TblFahrerStammdatenBeforePost(dbe::TDataSet &fahrer);

private:
    void DataModuleCreate();
};

// The one instance; null until first use.
extern TDataModuleFahrer *DataModuleFahrer;
// Makes the module on first use; later calls return the same one.
TDataModuleFahrer &DataModuleFahrerErzeugen();
// At program end, before the session goes.
void DataModuleFahrerFreigeben();

} // namespace fleet
