#pragma once

#include <map>
#include <memory>
#include <optional>
#include <ostream>

#include <QMap>
#include <QString>
#include <QStringList>

#include "base/DateTime.h"
#include "daten/DataModule1.h"
#include "dienste/DetailFensterZugriff.h"
#include "kern_umgebung.h"
#include "ui/DBGrid.h"

// Readable texts in the tests' failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// What the tests of the detail and booking rules share: a Qt application for
// the grids, a main window that answers from its settings and records what
// the rules do to it, and a client's data module with two vehicles.
namespace detailtest {

// The application object the grids need; made once per test program.
void qtAnwendung();

// A main window for the rules: real grids over the data module's sources,
// everything else answered from the settings below and recorded as text
// ("KostenSichtSetzen(0)") in `aufrufe`. In force while it lives.
class FensterAttrappe : public fleet::DetailFensterZugriff {
public:
    explicit FensterAttrappe(fleet::TDataModule1 &dm);
    ~FensterAttrappe() override;

    QStringList aufrufe;
    int kostenSicht = 0;
    QString kostenJahr;
    QMap<QString, QString> beschriftungen;
    QMap<QString, QString> auswahlTexte;
    std::optional<base::TDateTime> ersterTag, letzterTag;
    int dispoAuswahl = 0;
    int dispoSicht = 0;

    // The field of the grid's selected column ("" when none).
    QString gewaehlteSpalte(const QString &grid);

    ui::DBGrid *Grid(const QString &name) override;
    int KostenSicht() const override { return kostenSicht; }
    void KostenSichtSetzen(int sicht) override;
    QString KostenJahr() const override { return kostenJahr; }
    QString Beschriftung(const QString &label) const override { return beschriftungen.value(label); }
    void TerminFortschreiben(const QString &edit) override;
    QString AuswahlText(const QString &auswahl) const override { return auswahlTexte.value(auswahl); }
    std::optional<base::TDateTime> DispoErsterTag() const override { return ersterTag; }
    std::optional<base::TDateTime> DispoLetzterTag() const override { return letzterTag; }
    int DispoFahrzeugAuswahl() const override { return dispoAuswahl; }
    void DispoFahrzeugAuswahlSetzen(int auswahl) override;
    int DispoSicht() const override { return dispoSicht; }
    void DispoSichtSetzen(int sicht) override;
    void DispoKnoepfeFreigeben(bool freigeben) override;
    void DispoAuslastungAnzeigen() override { aufrufe << "DispoAuslastungAnzeigen"; }
    void DispoGrafikZeitraumSetzen() override { aufrufe << "DispoGrafikZeitraumSetzen"; }

private:
    std::map<QString, std::unique_ptr<ui::DBGrid>> grids_;
};

// A client with the vehicles "A-1" (51000 km, driver "Maier", cost centre
// "Nord", FahrerKz "MA", FahrerNr "7") and "B-2", its data module (rules bound
// by the test) on "A-1", and the window.
class Mandant {
public:
    Mandant();
    ~Mandant();
    dbe::TSession &session() { return umgebung.session(); }
    // Rows of a table of the client read on a table of their own.
    int zeilen(const QString &tabelle, const QString &alias = QString());
    // One field of the first stored row whose `schluessel` field holds `wert`.
    QVariant gespeichert(const QString &tabelle, const QString &schluessel, const QString &wert,
                         const QString &feld, const QString &alias = QString());

    kerntest::Umgebung umgebung;
    std::unique_ptr<fleet::TDataModule1> dm;
    std::unique_ptr<FensterAttrappe> fenster;
};

} // namespace detailtest
