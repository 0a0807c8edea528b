#include "logik/FaelligeTermine.h"

#include <QSet>

#include "daten/DataModule1.h"
#include "daten/Hilfstabellen.h"
#include "daten/TabellenRoutinen.h"
#include "dbe/Field.h"
#include "dbe/Session.h"
#include "regeln/Terminarten.h"

namespace fleet::termine {

namespace {

// Vehicle, note name and value joined; the parts never hold a line break.
QString notizSchluessel(const QString &kfzNr, const QString &terminName, const QString &wert)
{
    return kfzNr + QLatin1Char('\n') + terminName + QLatin1Char('\n') + wert;
}

// Every note's key, read once; the lookups then match exactly, as a locate on
// the three fields does, without a search per cell.
QSet<QString> notizenLesen(dbe::TTable &notizen)
{
    QSet<QString> schluessel;
    dbe::TField *kfz = notizen.FieldByName(QStringLiteral("Kfznr"));
    dbe::TField *name = notizen.FieldByName(QStringLiteral("TerminName"));
    dbe::TField *wert = notizen.FieldByName(QStringLiteral("TerminWert"));
    for (notizen.First(); !notizen.Eof(); notizen.Next())
        schluessel.insert(notizSchluessel(kfz->AsString(), name->AsString(), wert->AsString()));
    return schluessel;
}

} // namespace

Schwellen SchwellenLesen(TDataModule1 &dm)
{
    dbe::TTable &e = dm.TTblEinstellungenAllgem;
    if (!e.Active())
        e.Open();
    Schwellen s;
    s.vorwarnTage = SchwelleLesen(e.FieldByName(QStringLiteral("Numfeld1"))->AsInteger());
    s.vorwarnKm = SchwelleLesen(e.FieldByName(QStringLiteral("Numfeld2"))->AsInteger());
    s.ueberzogenTage = SchwelleLesen(e.FieldByName(QStringLiteral("Numfeld4"))->AsInteger());
    s.ueberzogenKm = SchwelleLesen(e.FieldByName(QStringLiteral("Numfeld5"))->AsInteger());
    return s;
}

FaelligeTermine::FaelligeTermine(TDataModule1 &dm) : dm_(dm) {}

ListenStand FaelligeTermine::einlesen(const ListenVorgaben &vorgaben)
{
    ListenStand stand;
    dbe::TTable &liste = dm_.TTblTermine;
    liste.DisableControls();
    if (!TabelleLeeren(liste)) {
        liste.EnableControls();
        stand.loeschFehler = true;
        return stand;
    }
    try {
        scannen(vorgaben, stand);
    } catch (const std::exception &) {
        stand.einleseFehler = true;
        try {
            if (liste.State() != dbe::TDataSetState::dsBrowse)
                liste.Cancel();
        } catch (const std::exception &) {
        }
    }
    HilfstabellenZuruecksetzen();
    try {
        stand.zeilen = liste.RecordCount();
        liste.First();
    } catch (const std::exception &) {
    }
    liste.EnableControls();
    return stand;
}

void FaelligeTermine::scannen(const ListenVorgaben &v, ListenStand &stand)
{
    dbe::TTable &liste = dm_.TTblTermine;
    dbe::TTable &notizen = dm_.TTblVar1;
    dbe::TTable &stamm = dm_.TTblVar;
    const QList<Terminart> &arten = Terminarten();

    for (int i = 0; i < arten.size(); ++i)
        liste.FieldByName(arten[i].feld)->SetVisible(v.beobachtet[static_cast<size_t>(i)]);

    QSet<QString> vorhandeneNotizen;
    notizen.SetTableName(QStringLiteral("KfzTerminInfo.db"));
    notizen.Open();
    try {
        vorhandeneNotizen = notizenLesen(notizen);
    } catch (const std::exception &) {
        stand.notizFehler = true;
    }
    stamm.SetTableName(QStringLiteral("KfzStamm.db"));
    stamm.Open();
    if (fortschrittBeginn)
        fortschrittBeginn(stamm.RecordCount());

    struct Spalte {
        const Terminart *art;
        int slot;
        dbe::TField *stamm;
        dbe::TField *liste;
        dbe::TField *info;
    };
    QList<Spalte> spalten;
    for (int i : TerminartenPruefReihenfolge()) {
        if (!v.beobachtet[static_cast<size_t>(i)])
            continue;
        const Terminart &a = arten[i];
        spalten.append({&a, 3 + i, stamm.FieldByName(a.stammFeld), liste.FieldByName(a.feld),
                        liste.FieldByName(a.infoFeld())});
    }
    dbe::TField *kfzNr = stamm.FieldByName(QStringLiteral("KfzNr"));
    dbe::TField *info = stamm.FieldByName(QStringLiteral("Info"));
    dbe::TField *kmStand = stamm.FieldByName(QStringLiteral("KfzKmStand"));
    dbe::TField *listeKfzNr = liste.FieldByName(QStringLiteral("KfzNr"));
    dbe::TField *listeInfo = liste.FieldByName(QStringLiteral("Info"));
    dbe::TField *listeKm = liste.FieldByName(QStringLiteral("KfzKmStand"));

    // The rows go in as one commit: the list is this workstation's own table.
    dbe::TTransaction transaktion(liste.Session(), liste.DatabaseName());
    try {
        for (stamm.First(); !stamm.Eof(); stamm.Next()) {
            if (fortschrittSchritt)
                fortschrittSchritt();
            bool angelegt = false;
            const double km = kmStand->AsFloat();
            for (const Spalte &s : spalten) {
                if (s.stamm->IsNull())
                    continue;
                const bool faellig = s.art->km ? KmFaellig(s.stamm->AsFloat(), km, v.schwellen.vorwarnKm)
                                               : DatumFaellig(s.stamm->AsDateTime(), v.stichtagVon,
                                                              v.stichtagBis, v.schwellen.vorwarnTage);
                if (!faellig)
                    continue;
                if (!angelegt) {
                    liste.Append();
                    listeKfzNr->SetAsString(kfzNr->AsString());
                    listeInfo->SetAsString(info->AsString());
                    listeKm->SetAsFloat(static_cast<double>(KmGanzzahl(km)));
                    angelegt = true;
                }
                // The value as text, the same text the notes are keyed by.
                const QString wert = s.stamm->AsString();
                s.liste->SetAsString(wert);
                stand.sortIndexNamen[s.slot] = s.art->sortIndex;
                s.info->SetAsBoolean(vorhandeneNotizen.contains(
                    notizSchluessel(kfzNr->AsString(), s.art->terminName(), wert)));
            }
            if (angelegt)
                liste.Post();
        }
    } catch (const std::exception &) {
        transaktion.Commit();
        throw;
    }
    transaktion.Commit();
    stamm.Close();
    stamm.SetTableName(QString());
}

} // namespace fleet::termine
