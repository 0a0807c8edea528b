#include "regeln/BildReihenfolge.h"

#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/Hilfstabellen.h"
#include "dbe/Session.h"
#include "dbe/Table.h"
#include "dienste/Protokoll.h"
#include "ui/Messages.h"

namespace fleet {

namespace {

const QString kReihenfolge = QStringLiteral("Reihenfolge");
// Reihenfolge is part of the unique key Kfznr;Reihenfolge, so the neighbour
// steps aside to a value no entry uses while the two change places.
constexpr int kZwischenwert = 1000000;

void reihenfolgeSetzen(dbe::TTable &tabelle, int wert)
{
    tabelle.Edit();
    tabelle.FieldByName(kReihenfolge)->SetAsInteger(wert);
    tabelle.Post();
}

} // namespace

void BildReihenfolgeTauschen(dbe::TTable &bilder, dbe::TTable &nachbar)
{
    const int s = bilder.FieldByName(kReihenfolge)->AsInteger();
    const int n = nachbar.FieldByName(kReihenfolge)->AsInteger();
    dbe::TTransaction transaktion(bilder.Session(), bilder.DatabaseName());
    try {
        reihenfolgeSetzen(nachbar, kZwischenwert);
        reihenfolgeSetzen(bilder, n);
        reihenfolgeSetzen(nachbar, s);
    } catch (...) {
        // The rollback below restores the stored rows; the cursors must not
        // keep a half-edited record.
        if (bilder.State() != dbe::TDataSetState::dsBrowse)
            bilder.Cancel();
        if (nachbar.State() != dbe::TDataSetState::dsBrowse)
            nachbar.Cancel();
        throw;
    }
    transaktion.Commit();
}

bool BildVerschieben(const QString &richtung, dbe::TTable &bilder)
{
    if (bilder.IsEmpty())
        return true;
    const bool anfang = richtung == QLatin1String("Anfang");
    if (!anfang && richtung != QLatin1String("Ende"))
        return false;

    dbe::TTable &nachbar = DataModule1->TTblVar;
    // Close, reset and re-read on every path, also when a step fails.
    struct Aufraeumen {
        dbe::TTable &nachbar, &bilder;
        ~Aufraeumen()
        {
            try {
                nachbar.Close();
            } catch (...) {
                Verschluckt(Q_FUNC_INFO);
            }
            HilfstabellenZuruecksetzen();
            try {
                bilder.Refresh();
            } catch (...) {
                Verschluckt(Q_FUNC_INFO);
            }
        }
    } aufraeumen{nachbar, bilder};

    nachbar.SetDatabaseName(kAliasFuhrpark);
    nachbar.SetTableName(QStringLiteral("KfzBild.db"));
    nachbar.SetIndexFieldNames(QStringLiteral("Kfznr"));
    nachbar.SetMasterSource(&DataModule1->TDataSrcMain);
    nachbar.SetMasterFields(QStringLiteral("KfzNr"));
    nachbar.Open();
    nachbar.GotoBookmark(bilder.GetBookmark());

    if (anfang) {
        nachbar.Prior();
        if (nachbar.Bof()) {
            ui::messages().information(QStringLiteral("Tabellenanfang - kein Tausch möglich"));
            return true;
        }
    } else {
        nachbar.Next();
        if (nachbar.Eof()) {
            ui::messages().information(QStringLiteral("Tabellenende - kein Tausch möglich"));
            return true;
        }
    }
    BildReihenfolgeTauschen(bilder, nachbar);
    return true;
}

} // namespace fleet
