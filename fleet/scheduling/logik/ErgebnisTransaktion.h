#pragma once

#include <QString>

namespace dbe {
class TTable;
class TSession;
} // namespace dbe

namespace fleet {

// An evaluation writes its result rows in one transaction of the result
// table's database instead of one commit per row. The rows posted are
// committed when the run ends in any way, as each row's own commit would have
// kept them; inside a caller's transaction nothing is started or committed.
class ErgebnisTransaktion {
public:
    explicit ErgebnisTransaktion(dbe::TTable &ergebnis);
    ~ErgebnisTransaktion();
    ErgebnisTransaktion(const ErgebnisTransaktion &) = delete;
    ErgebnisTransaktion &operator=(const ErgebnisTransaktion &) = delete;

    // Commits now; a failure is raised to the caller.
    void Abschliessen();

private:
    dbe::TSession &session_;
    QString datenbank_;
    bool offen_ = false;
};

} // namespace fleet
