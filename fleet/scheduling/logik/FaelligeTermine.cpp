#include "logik/FaelligeTermine.h"

#include <cmath>
#include <exception>
#include <optional>

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

#include "daten/DataModule1.h"
#include "daten/Hilfstabellen.h"
#include "daten/TabellenRoutinen.h"
#include "dbe/Field.h"
#include "dbe/Query.h"
#include "dbe/Session.h"
#include "dbe/WriteBatch.h"
#include "regeln/Terminarten.h"

namespace fleet::termine {

namespace {

// Vehicle, note name and value joined; the parts never hold a line break.
QString notizSchluessel(const QString &kfzNr, const QString &terminName, const QString &wert)
{
    return kfzNr + QLatin1Char('\n') + terminName + QLatin1Char('\n') + wert;
}

QString zahl(double wert)
{
    return QString::number(wert, 'f', 0);
}

// Whether a kind's master value may be due, as a condition of the statement:
// true for every value the list's rule lets through, and for every value the
// storage does not hold as a number (the rule decides those), so the rule
// itself still chooses among the rows read.
QString vielleichtFaellig(const Terminart &art, const ListenVorgaben &v)
{
    const QString wert = dbe::QuotedName(art.stammFeld);
    const QString keineZahl = QStringLiteral("typeof(%1) NOT IN ('integer', 'real')");
    QString bedingung;
    if (art.km) {
        // Whole kilometres on both sides: rounded, the reading can lose at
        // most one kilometre against the due value.
        const QString km = dbe::QuotedName(QStringLiteral("KfzKmStand"));
        bedingung =
            QStringLiteral("%1 OR %2 OR %3 <= coalesce(%4, 0) + %5")
                .arg(keineZahl.arg(wert), keineZahl.arg(km) + QStringLiteral(" AND %1 IS NOT NULL").arg(km),
                     wert, km, zahl(SchwelleLesen(v.schwellen.vorwarnKm) + 1.0));
    } else {
        // The due day less the warning days lies in the period.
        const double tage = SchwelleLesen(v.schwellen.vorwarnTage);
        bedingung = QStringLiteral("%1 OR (%2 >= %3 AND %2 < %4)")
                        .arg(keineZahl.arg(wert), wert, zahl(std::floor(v.stichtagVon) + tage),
                             zahl(std::floor(v.stichtagBis) + tage + 1));
    }
    return QStringLiteral("(%1 IS NOT NULL AND (%2))").arg(wert, bedingung);
}

// The vehicles with at least one watched kind that may be due.
QString kandidaten(const QList<const Terminart *> &arten, const ListenVorgaben &v)
{
    QStringList oder;
    for (const Terminart *a : arten)
        oder << vielleichtFaellig(*a, v);
    return oder.isEmpty() ? QStringLiteral("0") : oder.join(QStringLiteral(" OR "));
}

// A set of texts as one literal of the statement that the storage reads as a
// table ("SELECT value FROM json_each(...)"): however many they are, the
// statement stays short to parse.
QString texte(const QSet<QString> &werte)
{
    QJsonArray liste;
    for (const QString &w : werte)
        liste.append(w);
    return QStringLiteral("(SELECT value FROM json_each(%1))")
        .arg(dbe::QuotedText(QString::fromUtf8(QJsonDocument(liste).toJson(QJsonDocument::Compact))));
}

// The keys of the notes that may belong to listed cells (their vehicle, kind
// and value each occur among the cells), read with only the three fields
// they are made of; the storage seeks by vehicle and tests the rest ("+"
// keeps it from seeking every combination of the three lists). The lookups then match exactly, as a locate on
// the three fields does, without a search per cell.
QSet<QString> notizenLesen(dbe::TSession &session, const QString &datenbank, const QSet<QString> &fahrzeuge,
                           const QSet<QString> &namen, const QSet<QString> &werte)
{
    QSet<QString> schluessel;
    if (fahrzeuge.isEmpty())
        return schluessel;
    dbe::TQuery notizen(&session);
    notizen.SetDatabaseName(datenbank);
    notizen.SetSQL(
        {QStringLiteral("SELECT %1, %2, %3 FROM %4 WHERE %1 IN %5 AND +%2 IN %6 AND +%3 IN %7")
             .arg(dbe::QuotedName(QStringLiteral("Kfznr")), dbe::QuotedName(QStringLiteral("TerminName")),
                  dbe::QuotedName(QStringLiteral("TerminWert")),
                  dbe::QuotedTableName(QStringLiteral("KfzTerminInfo.db")), texte(fahrzeuge), texte(namen),
                  texte(werte))});
    notizen.Open();
    schluessel.reserve(notizen.RecordCount());
    dbe::TField *kfz = notizen.Fields(0);
    dbe::TField *name = notizen.Fields(1);
    dbe::TField *wert = notizen.Fields(2);
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
    {
        // The list is this workstation's own table: emptied and refilled in one commit, one flush
        // to disk however many vehicles it lists. Without the batch the emptying reports the cause.
        std::optional<dbe::TWriteBatch> stapel;
        try {
            stapel.emplace(liste);
        } catch (const std::exception &) {
        }
        if (!TabelleLeeren(liste)) {
            liste.EnableControls();
            stand.loeschFehler = true;
            return stand;
        }
        try {
            scannen(vorgaben, stand);
            if (stapel)
                stapel->Commit();
        } catch (const std::exception &) {
            stand.einleseFehler = true;
            try {
                if (liste.State() != dbe::TDataSetState::dsBrowse)
                    liste.Cancel();
            } catch (const std::exception &) {
            }
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
    const QList<Terminart> &arten = Terminarten();

    for (int i = 0; i < arten.size(); ++i)
        liste.FieldByName(arten[i].feld)->SetVisible(v.beobachtet[static_cast<size_t>(i)]);

    QList<int> geprueft;
    QList<const Terminart *> beobachtet;
    for (int i : TerminartenPruefReihenfolge())
        if (v.beobachtet[static_cast<size_t>(i)]) {
            geprueft << i;
            beobachtet << &arten[i];
        }
    notizen.SetTableName(QStringLiteral("KfzTerminInfo.db"));
    notizen.Open();

    // The vehicle master is read once, in its primary order, with only the
    // fields the list takes (the vehicle, its text and reading, the watched
    // kinds) and only the vehicles that may be due. The progress still counts
    // every vehicle: those passed over are counted at the end.
    const QString tabelle = dbe::QuotedTableName(QStringLiteral("KfzStamm.db"));
    QStringList felder{dbe::QuotedName(QStringLiteral("KfzNr")), dbe::QuotedName(QStringLiteral("Info")),
                       dbe::QuotedName(QStringLiteral("KfzKmStand"))};
    for (const Terminart *a : beobachtet)
        felder << dbe::QuotedName(a->stammFeld);
    dbe::TQuery anzahl(&notizen.Session());
    anzahl.SetDatabaseName(notizen.DatabaseName());
    anzahl.SetSQL({QStringLiteral("SELECT count(*) FROM %1").arg(tabelle)});
    anzahl.Open();
    const int fahrzeuge = anzahl.Fields(0)->AsInteger();
    dbe::TQuery stamm(&notizen.Session());
    stamm.SetDatabaseName(notizen.DatabaseName());
    stamm.SetSQL(
        {QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY %4")
             .arg(felder.join(QStringLiteral(", ")), tabelle, kandidaten(beobachtet, v), felder.first())});
    stamm.Open();
    if (fortschrittBeginn)
        fortschrittBeginn(fahrzeuge);
    int gezaehlt = 0;
    const auto fortschritt = [&](int bis) {
        for (; gezaehlt < bis; ++gezaehlt)
            if (fortschrittSchritt)
                fortschrittSchritt();
    };

    struct Zelle {
        const Terminart *art;
        int slot;
        QString wert; // the master value as text, the same text the notes are keyed by
    };
    struct Zeile {
        QString kfzNr, info;
        double km = 0;
        QList<Zelle> zellen;
    };
    QList<Zeile> zeilen;
    zeilen.reserve(stamm.RecordCount());
    QSet<QString> fahrzeugNummern, terminNamen, werte;
    std::exception_ptr abbruch;
    try {
        struct Spalte {
            const Terminart *art;
            int slot;
            dbe::TField *stamm;
        };
        QList<Spalte> spalten;
        for (int i : geprueft)
            spalten.append({&arten[i], 3 + i, stamm.FieldByName(arten[i].stammFeld)});
        dbe::TField *kfzNr = stamm.FieldByName(QStringLiteral("KfzNr"));
        dbe::TField *info = stamm.FieldByName(QStringLiteral("Info"));
        dbe::TField *kmStand = stamm.FieldByName(QStringLiteral("KfzKmStand"));
        for (stamm.First(); !stamm.Eof(); stamm.Next()) {
            Zeile z;
            z.km = kmStand->AsFloat();
            for (const Spalte &s : spalten) {
                if (s.stamm->IsNull())
                    continue;
                const bool faellig = s.art->km ? KmFaellig(s.stamm->AsFloat(), z.km, v.schwellen.vorwarnKm)
                                               : DatumFaellig(s.stamm->AsDateTime(), v.stichtagVon,
                                                              v.stichtagBis, v.schwellen.vorwarnTage);
                if (faellig)
                    z.zellen.append({s.art, s.slot, s.stamm->AsString()});
            }
            if (z.zellen.isEmpty())
                continue;
            z.kfzNr = kfzNr->AsString();
            z.info = info->AsString();
            fahrzeugNummern.insert(z.kfzNr);
            for (const Zelle &c : std::as_const(z.zellen)) {
                terminNamen.insert(c.art->terminName());
                werte.insert(c.wert);
            }
            zeilen.append(std::move(z));
        }
    } catch (const std::exception &) {
        // The vehicles read before the failure are still listed.
        abbruch = std::current_exception();
    }

    QSet<QString> vorhandeneNotizen;
    try {
        vorhandeneNotizen =
            notizenLesen(notizen.Session(), notizen.DatabaseName(), fahrzeugNummern, terminNamen, werte);
    } catch (const std::exception &) {
        stand.notizFehler = true;
    }

    QList<dbe::TField *> listenFelder, infoFelder;
    for (const Terminart &a : arten) {
        listenFelder << liste.FieldByName(a.feld);
        infoFelder << liste.FieldByName(a.infoFeld());
    }
    dbe::TField *listeKfzNr = liste.FieldByName(QStringLiteral("KfzNr"));
    dbe::TField *listeInfo = liste.FieldByName(QStringLiteral("Info"));
    dbe::TField *listeKm = liste.FieldByName(QStringLiteral("KfzKmStand"));
    for (const Zeile &z : std::as_const(zeilen)) {
        fortschritt(gezaehlt + 1);
        liste.Append();
        listeKfzNr->SetAsString(z.kfzNr);
        listeInfo->SetAsString(z.info);
        listeKm->SetAsFloat(static_cast<double>(KmGanzzahl(z.km)));
        for (const Zelle &c : z.zellen) {
            listenFelder[c.slot - 3]->SetAsString(c.wert);
            stand.sortIndexNamen[c.slot] = c.art->sortIndex;
            infoFelder[c.slot - 3]->SetAsBoolean(
                vorhandeneNotizen.contains(notizSchluessel(z.kfzNr, c.art->terminName(), c.wert)));
        }
        liste.Post();
    }
    if (abbruch)
        std::rethrow_exception(abbruch);
    fortschritt(fahrzeuge);
}

} // namespace fleet::termine
