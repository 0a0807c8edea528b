#pragma once

#include <QString>
#include <QStringList>

#include "dienste/ReportDienste.h"
#include "dienste/TerminDienste.h"

// Recording fakes of the services the core asks of scheduling and reporting:
// each call is kept as text ("PrintReport(3,1)") in `aufrufe`, and is in force
// for the fake's lifetime.
namespace fleet::testing {

class AufzeichnendeTerminDienste : public TerminDienste {
public:
    AufzeichnendeTerminDienste() : inKraft_(*this) {}

    QStringList aufrufe;
    // The period dialog's answer: false = aborted; else `zeitraumAntwort` is returned.
    bool zeitraumBestaetigen = true;
    DispoZeitraum zeitraumAntwort;
    DispoZeitraum letzteVorgabe;

    void TerminListeModalZeigen() override { aufrufe << "TerminListeModalZeigen"; }
    void TerminListeZeigen() override { aufrufe << "TerminListeZeigen"; }
    bool DispoZeitraumErfragen(DispoZeitraum &zeitraum) override
    {
        aufrufe << "DispoZeitraumErfragen";
        letzteVorgabe = zeitraum;
        if (zeitraumBestaetigen)
            zeitraum = zeitraumAntwort;
        return zeitraumBestaetigen;
    }
    void TourBearbeiten(int pruefCode) override
    {
        aufrufe << QStringLiteral("TourBearbeiten(%1)").arg(pruefCode);
    }
    void FahrzeugvergleichZeigen() override { aufrufe << "FahrzeugvergleichZeigen"; }
    void FuhrparkKostenZeigen() override { aufrufe << "FuhrparkKostenZeigen"; }
    void TourAuswertungZeigen() override { aufrufe << "TourAuswertungZeigen"; }
    void MonatsauswertungAlleFahrzeugeZeigen() override { aufrufe << "MonatsauswertungAlleFahrzeugeZeigen"; }
    void TankdatenImportZeigen() override { aufrufe << "TankdatenImportZeigen"; }
    void GrafikZeigen() override { aufrufe << "GrafikZeigen"; }
    void GrafikSchliessen() override { aufrufe << "GrafikSchliessen"; }
    void FreieFahrzeugeZeigen() override { aufrufe << "FreieFahrzeugeZeigen"; }
    void FreieFahrzeugeSchliessen() override { aufrufe << "FreieFahrzeugeSchliessen"; }
    void TextFormularZeigen() override { aufrufe << "TextFormularZeigen"; }

private:
    DienstInKraft<TerminDienste> inKraft_;
};

class AufzeichnendeReportDienste : public ReportDienste {
public:
    AufzeichnendeReportDienste() : inKraft_(*this) {}

    QStringList aufrufe;

    void PrintReport(int reportNummer, int modus) override
    {
        aufrufe << QStringLiteral("PrintReport(%1,%2)").arg(reportNummer).arg(modus);
    }
    void DesignReport(int reportNummer) override
    {
        aufrufe << QStringLiteral("DesignReport(%1)").arg(reportNummer);
    }
    void ExportFormularZeigen() override { aufrufe << "ExportFormularZeigen"; }

private:
    DienstInKraft<ReportDienste> inKraft_;
};

} // namespace fleet::testing
