#pragma once

#include <functional>

#include <QMap>
#include <QStringList>

#include "dienste/DetailFensterZugriff.h"

// The main window as the scheduling forms see it: answers from its settings
// and records what it is asked to do ("TerminFortschreiben(EditTUEVTermin)").
// In force for its lifetime.
namespace termintest {

class FensterAttrappe : public fleet::DetailFensterZugriff {
public:
    FensterAttrappe() { fleet::DetailfensterSetzen(this); }
    ~FensterAttrappe() override { fleet::DetailfensterSetzen(nullptr); }

    QStringList aufrufe;
    QMap<QString, QString> beschriftungen;
    std::function<void(const QString &)> beimFortschreiben;
    int fahrzeugAuswahl = 0;
    int sicht = 0;
    std::optional<base::TDateTime> ersterTag, letzterTag;

    ui::DBGrid *Grid(const QString &) override { return nullptr; }
    int KostenSicht() const override { return 0; }
    void KostenSichtSetzen(int s) override { aufrufe << QStringLiteral("KostenSichtSetzen(%1)").arg(s); }
    QString KostenJahr() const override { return {}; }
    QString Beschriftung(const QString &label) const override { return beschriftungen.value(label); }
    void TerminFortschreiben(const QString &edit) override
    {
        aufrufe << QStringLiteral("TerminFortschreiben(%1)").arg(edit);
        if (beimFortschreiben)
            beimFortschreiben(edit);
    }
    QString AuswahlText(const QString &) const override { return {}; }
    std::optional<base::TDateTime> DispoErsterTag() const override { return ersterTag; }
    std::optional<base::TDateTime> DispoLetzterTag() const override { return letzterTag; }
    int DispoFahrzeugAuswahl() const override { return fahrzeugAuswahl; }
    void DispoFahrzeugAuswahlSetzen(int auswahl) override
    {
        fahrzeugAuswahl = auswahl;
        aufrufe << QStringLiteral("DispoFahrzeugAuswahlSetzen(%1)").arg(auswahl);
    }
    int DispoSicht() const override { return sicht; }
    void DispoSichtSetzen(int s) override
    {
        sicht = s;
        aufrufe << QStringLiteral("DispoSichtSetzen(%1)").arg(s);
    }
    void DispoKnoepfeFreigeben(bool f) override
    {
        aufrufe << QStringLiteral("DispoKnoepfeFreigeben(%1)").arg(f);
    }
    void DispoAuslastungAnzeigen() override {}
    void DispoGrafikZeitraumSetzen() override {}
};

} // namespace termintest
