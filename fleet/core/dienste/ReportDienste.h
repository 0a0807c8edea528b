#pragma once

#include "dienste/Dienst.h"

namespace fleet {

// Print modes of a report request.
constexpr int kDrucken = 1;
constexpr int kVorschau = 2;

// What the core asks of the report catalogue and the export form. Report
// numbers run from 0 to 24; the catalogue borrows and resets the scratch tables
// itself and reports its own failures.
class ReportDienste {
public:
    virtual ~ReportDienste() = default;
    virtual void PrintReport(int reportNummer, int modus) = 0;
    virtual void DesignReport(int reportNummer) = 0;
    // The data export form, created on first use and shown modally.
    virtual void ExportFormularZeigen() = 0;
};

inline ReportDienste &reportDienste()
{
    return Dienst<ReportDienste>::aktuell();
}

} // namespace fleet
