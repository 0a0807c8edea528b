#include "logik/ErgebnisTransaktion.h"

#include <exception>

#include "dbe/Session.h"
#include "dbe/Table.h"

namespace fleet {

ErgebnisTransaktion::ErgebnisTransaktion(dbe::TTable &ergebnis)
    : session_(ergebnis.Session()), datenbank_(ergebnis.DatabaseName())
{
    if (!session_.InTransaction(datenbank_)) {
        session_.StartTransaction(datenbank_);
        offen_ = true;
    }
}

ErgebnisTransaktion::~ErgebnisTransaktion()
{
    if (!offen_)
        return;
    try {
        session_.Commit(datenbank_);
    } catch (const std::exception &) {
        // The run's own failure is reported; the rows of a failed commit are gone with it.
        try {
            session_.Rollback(datenbank_);
        } catch (const std::exception &) {
        }
    }
}

void ErgebnisTransaktion::Abschliessen()
{
    if (!offen_)
        return;
    offen_ = false;
    session_.Commit(datenbank_);
}

} // namespace fleet
