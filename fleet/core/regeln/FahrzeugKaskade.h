#pragma once

#include <memory>

#include <QList>
#include <QString>

namespace dbe {
class TTable;
class TTransaction;
} // namespace dbe

namespace fleet {

class TDataModule1;

// The deletion of a vehicle with all its details, all or nothing: the detail
// tables are write-locked, the bookings' delete rule is asked about every
// booking of the vehicle, then the details, the dispatch bookings and the
// appointment notes of the vehicle are deleted, each table's rows with one
// statement, in one transaction that the vehicle row's own deletion joins.
// Abschliessen() commits once the vehicle row is gone; destroying the object
// without it undoes everything. The locks are held until then.
class FahrzeugKaskade {
public:
    explicit FahrzeugKaskade(TDataModule1 &dm);
    ~FahrzeugKaskade();
    FahrzeugKaskade(const FahrzeugKaskade &) = delete;
    FahrzeugKaskade &operator=(const FahrzeugKaskade &) = delete;

    // Locks and deletes the details of the current vehicle. A lock that cannot
    // be had, or a table whose rows cannot be deleted, shows its message, undoes
    // what was done and cancels silently; any other error undoes and goes on.
    void DetailsLoeschen();
    void Abschliessen();

private:
    void sperren();
    void buchungenPruefen(const QString &kfzNr);
    void loeschen(const QString &kfzNr);
    void freigeben();

    TDataModule1 &dm_;
    QList<dbe::TTable *> gesperrt_;
    // The window's tables whose rows the deletion went through; a rollback has them read again.
    QList<dbe::TTable *> geleert_;
    bool bildGeoeffnet_ = false;
    std::unique_ptr<dbe::TTransaction> transaktion_;
};

} // namespace fleet
