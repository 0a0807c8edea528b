#include "logik/TankdatenDruck.h"

#include "DruckSchleifen.h"
#include "ReportDefinierer.h"
#include "ReportFelder.h"
#include "ReportGlobale.h"
#include "Tb6.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/Hilfstabellen.h"
#include "daten/MandantDaten.h"
#include "dienste/Formularzugriff.h"
#include "dienste/ReportDienste.h"
#include "ui/Hourglass.h"

namespace fleet::tank {

namespace {

constexpr int kTankdatenReport = 14;

// Gives the scratch table back on every way out, a thrown definer included.
class Ausleihe {
public:
    explicit Ausleihe(dbe::TTable &var) : var_(var) {}
    ~Ausleihe() { HilfstabelleInRuhe(var_); }
    Ausleihe(const Ausleihe &) = delete;
    Ausleihe &operator=(const Ausleihe &) = delete;

private:
    dbe::TTable &var_;
};

} // namespace

void TankdatenDrucken(reporting::TTb6_ &tb, TDataModule1 &dm, QWidget *fenster, int reportNummer, int modus)
{
    ui::HourglassScope sanduhr;
    dbe::TTable &var = dm.TTblVar;
    Ausleihe ausleihe(var);
    if (reportNummer != kTankdatenReport)
        return;
    reporting::ProjektDatei = QStringLiteral("Tankdat.lst");
    var.SetDatabaseName(kAliasFuhrparkPriv);
    var.SetTableName(QStringLiteral("TImport.db"));
    var.Open();
    // The designer offers the client's data: none of an earlier report's variables may stay.
    reporting::DefineClientVariables(tb, true, MandantDaten);
    reporting::DefineTableFields(tb, var);
    reporting::ReportFenster = fenster;
    const reporting::DruckLauf lauf{tb, reporting::ProjektDatei, fenster, modus == kVorschau};
    reporting::PrintListReport(lauf, var, [&tb, &var] { reporting::DefineUsedRowFields(tb, var, nullptr); });
}

reporting::TTb6_ *HauptfensterKomponente()
{
    return qobject_cast<reporting::TTb6_ *>(
        KomponenteFinden(QStringLiteral("HauptFormular"), QStringLiteral("Tabul5_1")));
}

} // namespace fleet::tank
