#include "regeln/FeldPositionen.h"

#include <algorithm>

#include <QList>

#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/Hilfstabellen.h"
#include "dbe/Table.h"
#include "ui/DBGrid.h"

namespace fleet {

namespace {

struct FeldPosition {
    QString feldName;
    int position = 0;
};

// Borrows TTblVar over the records of one TabKz and gives it back reset, also
// when the work fails. Only TTblVar is borrowed, so only TTblVar is reset: the
// other scratch table may be lent to someone else meanwhile.
class FeldPosAusleihe {
public:
    FeldPosAusleihe(dbe::TTable &tabelle, const QString &tabKz) : tabelle_(tabelle)
    {
        tabelle_.SetDatabaseName(kAliasFuhrparkPriv);
        tabelle_.SetTableName(QStringLiteral("FeldPos.db"));
        tabelle_.Open();
        tabelle_.SetRange({tabKz}, {tabKz});
    }
    ~FeldPosAusleihe() { HilfstabelleInRuhe(tabelle_); }
    FeldPosAusleihe(const FeldPosAusleihe &) = delete;
    FeldPosAusleihe &operator=(const FeldPosAusleihe &) = delete;

private:
    dbe::TTable &tabelle_;
};

dbe::TField *feldMitName(dbe::TDataSet &liste, const QString &name)
{
    for (int i = 0; i < liste.FieldCount(); ++i) {
        if (liste.Fields(i)->FieldName() == name)
            return liste.Fields(i);
    }
    return nullptr;
}

} // namespace

dbe::TDataSet *FeldListeVon(const QString &tabKz)
{
    if (!DataModule1)
        return nullptr;
    TDataModule1 &dm = *DataModule1;
    if (tabKz == QLatin1String("Main"))
        return &dm.TTblMain;
    if (tabKz == QLatin1String("Touren"))
        return &dm.TTblTouren;
    if (tabKz == QLatin1String("Varkost"))
        return &dm.TTblVarKosten;
    if (tabKz == QLatin1String("Dispo"))
        return &dm.TTblDispo;
    if (tabKz == QLatin1String("Histo"))
        return &dm.TTblHistorie;
    if (tabKz == QLatin1String("Schaden"))
        return &dm.TblSchadensmanagement;
    return nullptr;
}

namespace {

// Runs `arbeit` on the stored positions of a TabKz: TTblVar borrowed over
// FeldPos.db and ranged on the TabKz, its name and position fields, and the
// field list. False while TTblVar is lent elsewhere.
template <class Arbeit> bool mitFeldPositionen(const QString &tabKz, Arbeit arbeit)
{
    if (!DataModule1 || DataModule1->TTblVar.Active())
        return false;
    dbe::TDataSet *liste = FeldListeVon(tabKz);
    if (!liste)
        return true;
    dbe::TTable &var = DataModule1->TTblVar;
    FeldPosAusleihe ausleihe(var, tabKz);
    arbeit(var, var.FieldByName(QStringLiteral("FeldName")), var.FieldByName(QStringLiteral("FeldPosNeu")),
           *liste);
    return true;
}

} // namespace

bool FeldPositionenLaden(const QString &tabKz)
{
    return mitFeldPositionen(tabKz, [](dbe::TTable &var, dbe::TField *name, dbe::TField *position,
                                       dbe::TDataSet &liste) {
        QList<FeldPosition> stellen;
        for (var.First(); !var.Eof(); var.Next())
            stellen.append({name->AsString(), position->AsInteger()});
        // Each move shifts the fields between the old and the new place;
        // taken in the order of the target places, no later move disturbs
        // an earlier one.
        std::stable_sort(stellen.begin(), stellen.end(), [](const FeldPosition &a, const FeldPosition &b) {
            return a.position < b.position;
        });
        for (const FeldPosition &s : stellen) {
            if (dbe::TField *feld = feldMitName(liste, s.feldName))
                liste.MoveField(feld, s.position);
        }
    });
}

bool FeldPositionenSpeichern(const QString &tabKz)
{
    return mitFeldPositionen(
        tabKz, [&tabKz](dbe::TTable &var, dbe::TField *name, dbe::TField *position, dbe::TDataSet &liste) {
            if (var.RecordCount() > 0) {
                for (var.First(); !var.Eof(); var.Next()) {
                    if (dbe::TField *feld = feldMitName(liste, name->AsString())) {
                        var.Edit();
                        position->SetAsInteger(feld->Index());
                        var.Post();
                    }
                }
                return;
            }
            var.CancelRange();
            for (int i = 0; i < liste.FieldCount(); ++i) {
                var.Append();
                var.FieldByName(QStringLiteral("TabKz"))->SetAsString(tabKz);
                name->SetAsString(liste.Fields(i)->FieldName());
                position->SetAsInteger(i);
                var.Post();
            }
        });
}

bool GridSpalteWaehlen(ui::DBGrid &grid, const QString &feldName)
{
    for (int spalte = 0; spalte < grid.columnCount(); ++spalte) {
        dbe::TField *feld = grid.columnField(spalte);
        if (feld && feld->FieldName() == feldName) {
            grid.setSelectedIndex(spalte);
            break;
        }
    }
    return true;
}

} // namespace fleet
