#pragma once

#include <functional>
#include <memory>

#include <QPointer>

#include "Tb14.h"
#include "Tb6.h"
#include "dienste/ReportDienste.h"

class QWidget;

namespace reporting {

class TExportFormular;

// The report catalogue: turns a report number into a print, preview or designer run on the main
// window's engine component. It borrows the scratch tables of the data module for the run, copies
// the filter or link the requesting form shows, defines the report's variables and fields and
// hands over to a print loop; the scratch tables are closed and reset at the end of every run.
class TReportKatalog : public fleet::ReportDienste {
public:
    // Creates the engine components "Tabul5_1" and "Tb11_1" as children of the main window; they
    // live as long as the window.
    explicit TReportKatalog(QWidget *hauptFenster);
    ~TReportKatalog() override;
    TReportKatalog(const TReportKatalog &) = delete;
    TReportKatalog &operator=(const TReportKatalog &) = delete;

    void PrintReport(int reportNummer, int modus) override;
    void DesignReport(int reportNummer) override;
    void ExportFormularZeigen() override;

    TTb6_ *Tabul5_1() const { return tabul5_1_; }
    // The main window's version-14 component: it holds an idle job.
    TTb14_ *Tb11_1() const { return tb11_1_; }

    // The forms the designer needs for the driver and the all-vehicles reports, made on first use
    // behind their flags. Until those forms exist the driver data module alone is made.
    std::function<void()> FahrerFormularErzeugen;
    std::function<void()> MonatsauswertungAlleFahrzeugeFormularErzeugen;

private:
    void ausfuehren(int reportNummer, int modus, bool designer);

    QPointer<TTb6_> tabul5_1_;
    QPointer<TTb14_> tb11_1_;
    std::unique_ptr<TExportFormular> exportFormular_;
};

} // namespace reporting
