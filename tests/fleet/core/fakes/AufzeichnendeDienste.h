#pragma once

#include <functional>

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
    // Runs at each call of a form (after it is recorded); may throw.
    std::function<void(const QString &)> beimAufruf;
    // The period dialog's answer: false = aborted; else `zeitraumAntwort` is returned.
    bool zeitraumBestaetigen = true;
    DispoZeitraum zeitraumAntwort;
    DispoZeitraum letzteVorgabe;

    void TerminListeModalZeigen() override { aufrufe << "TerminListeModalZeigen"; }
    void TerminListeZeigen() override { aufrufe << "TerminListeZeigen"; }
    void TerminListeBereitstellen() override { aufrufe << "TerminListeBereitstellen"; }
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
    void FahrzeugvergleichZeigen() override { aufruf("FahrzeugvergleichZeigen"); }
    void FuhrparkKostenZeigen() override { aufruf("FuhrparkKostenZeigen"); }
    void TourAuswertungZeigen() override { aufruf("TourAuswertungZeigen"); }
    void MonatsauswertungAlleFahrzeugeZeigen() override { aufruf("MonatsauswertungAlleFahrzeugeZeigen"); }
    void TankdatenImportZeigen() override { aufruf("TankdatenImportZeigen"); }
    void GrafikZeigen() override { aufruf("GrafikZeigen"); }
    void GrafikSchliessen() override { aufrufe << "GrafikSchliessen"; }
    void FreieFahrzeugeZeigen() override { aufrufe << "FreieFahrzeugeZeigen"; }
    void FreieFahrzeugeSchliessen() override { aufrufe << "FreieFahrzeugeSchliessen"; }
    void TextFormularZeigen() override { aufrufe << "TextFormularZeigen"; }

private:
    void aufruf(const QString &name)
    {
        aufrufe << name;
        if (beimAufruf)
            beimAufruf(name);
    }
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
