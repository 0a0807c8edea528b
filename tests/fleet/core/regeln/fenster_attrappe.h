#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include "dienste/HauptFormularZugriff.h"

// A main window for the vehicle rules: answers from its settings and records
// every effect as text ("ReifenSeiteZeigen(1)") in `aufrufe`. In force (as
// Hauptfenster()) for its lifetime.
namespace fleettest {

class FensterAttrappe : public fleet::HauptFormularZugriff {
public:
    FensterAttrappe() { fleet::HauptfensterSetzen(this); }
    ~FensterAttrappe() override { fleet::HauptfensterSetzen(nullptr); }

    QStringList aufrufe;
    bool filterAktiv = false;
    QMap<fleet::Nachschlagfeld, QString> texte;
    int reifen = -1;
    bool dispoAktiv = false;

    bool FahrzeugFilterAktiv() const override { return filterAktiv; }
    void Filtereinaus1Click() override { aufrufe << "Filtereinaus1Click"; }
    void KfzNrEingabeFreigeben(bool freigeben) override
    {
        aufrufe << QStringLiteral("KfzNrEingabeFreigeben(%1)").arg(freigeben);
    }
    void KfzNrEingabeZeigen() override { aufrufe << "KfzNrEingabeZeigen"; }
    QString NachschlagText(fleet::Nachschlagfeld feld) const override { return texte.value(feld); }
    int MontierteReifen() const override { return reifen; }
    void ReifenSeiteZeigen(int saison) override
    {
        aufrufe << QStringLiteral("ReifenSeiteZeigen(%1)").arg(saison);
    }
    void ReifenLaufleistungLoeschen() override { aufrufe << "ReifenLaufleistungLoeschen"; }
    void ReifenLaufleistungAnzeigen() override { aufrufe << "ReifenLaufleistungAnzeigen"; }
    bool DispoSeiteAktiv() const override { return dispoAktiv; }
    void DispoAuslastungAnzeigen() override { aufrufe << "DispoAuslastungAnzeigen"; }
    void DispoAufAktuellesFahrzeugAlleZeitraeume() override
    {
        aufrufe << "DispoAufAktuellesFahrzeugAlleZeitraeume";
    }
    void BildLeeren() override { aufrufe << "BildLeeren"; }
    void SchadenFilterAusschalten() override { aufrufe << "SchadenFilterAusschalten"; }
    void LeasingPrognoseAnzeigen(const QString &text) override
    {
        aufrufe << QStringLiteral("LeasingPrognoseAnzeigen(%1)").arg(text);
    }
};

} // namespace fleettest
