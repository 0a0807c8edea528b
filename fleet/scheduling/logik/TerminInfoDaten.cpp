#include "logik/TerminInfoDaten.h"

#include <cmath>

#include <QHash>

#include "daten/DataModule1.h"
#include "daten/Hilfstabellen.h"
#include "dbe/Field.h"
#include "logik/TerminRegeln.h"
#include "regeln/Terminarten.h"

namespace fleet::termine {

namespace {

const QString kNotizTabelle = QStringLiteral("KfzTerminInfo.db");

void datumSchreiben(dbe::TField *feld, const QString &text)
{
    if (text.trimmed().isEmpty())
        feld->Clear();
    else
        feld->SetAsString(text);
}

} // namespace

bool TerminNotiz::leer() const
{
    if (!text.isEmpty() || !vereinbart.isEmpty() || !uhrzeit.isEmpty() || !bis.isEmpty() ||
        !uhrzeitBis.isEmpty())
        return false;
    for (const QString &f : freifelder)
        if (!f.isEmpty())
            return false;
    return true;
}

TerminNotiz NotizLesen(const dbe::TDataSet &n)
{
    TerminNotiz notiz;
    notiz.text = n.FieldByName(QStringLiteral("TerminInfo"))->AsString();
    notiz.vereinbart = n.FieldByName(QStringLiteral("TerminVereinbart"))->AsString();
    notiz.uhrzeit = n.FieldByName(QStringLiteral("UhrzeitVereinbart"))->AsString();
    notiz.bis = n.FieldByName(QStringLiteral("TerminBis"))->AsString();
    notiz.uhrzeitBis = n.FieldByName(QStringLiteral("UhrzeitBis"))->AsString();
    for (int i = 0; i < 4; ++i)
        notiz.freifelder[static_cast<size_t>(i)] =
            n.FieldByName(QStringLiteral("Freifeld%1").arg(i + 1))->AsString();
    return notiz;
}

void NotizSchreiben(dbe::TDataSet &n, const TerminNotiz &notiz)
{
    n.FieldByName(QStringLiteral("TerminInfo"))->SetAsString(notiz.text);
    n.FieldByName(QStringLiteral("TerminStatus"))->SetAsInteger(0);
    datumSchreiben(n.FieldByName(QStringLiteral("TerminVereinbart")), notiz.vereinbart);
    n.FieldByName(QStringLiteral("UhrzeitVereinbart"))->SetAsString(notiz.uhrzeit);
    datumSchreiben(n.FieldByName(QStringLiteral("TerminBis")), notiz.bis);
    n.FieldByName(QStringLiteral("UhrzeitBis"))->SetAsString(notiz.uhrzeitBis);
    for (int i = 0; i < 4; ++i)
        n.FieldByName(QStringLiteral("Freifeld%1").arg(i + 1))
            ->SetAsString(notiz.freifelder[static_cast<size_t>(i)]);
}

const QStringList &Uhrzeiten()
{
    static const QStringList liste = [] {
        QStringList l{QString()};
        for (int halbe = 12; halbe <= 40; ++halbe)
            l << QStringLiteral("%1:%2").arg(halbe / 2).arg(halbe % 2 ? QStringLiteral("30")
                                                                      : QStringLiteral("00"));
        return l;
    }();
    return liste;
}

int TerminInfosBereinigen(TDataModule1 &dm)
{
    dbe::TTable &liste = dm.TTblTermine;
    dbe::TTable &notizen = dm.TTblVar;
    int geloescht = 0;
    liste.DisableControls();
    try {
        // The listed values by vehicle and note name.
        QHash<QString, QHash<QString, QString>> gelistet;
        if (liste.Active()) {
            const dbe::TBookmark stelle = liste.GetBookmark();
            dbe::TField *kfz = liste.FieldByName(QStringLiteral("KfzNr"));
            for (liste.First(); !liste.Eof(); liste.Next()) {
                QHash<QString, QString> &werte = gelistet[kfz->AsString()];
                for (const Terminart &a : Terminarten())
                    werte.insert(a.terminName(), liste.FieldByName(a.feld)->AsString());
            }
            if (!stelle.IsNull() && liste.BookmarkValid(stelle))
                liste.GotoBookmark(stelle);
        }
        notizen.SetTableName(kNotizTabelle);
        notizen.Open();
        dbe::TField *kfz = notizen.FieldByName(QStringLiteral("Kfznr"));
        dbe::TField *name = notizen.FieldByName(QStringLiteral("TerminName"));
        dbe::TField *wert = notizen.FieldByName(QStringLiteral("TerminWert"));
        notizen.First();
        while (!notizen.Eof()) {
            std::optional<QString> gelisteterWert;
            const auto fahrzeug = gelistet.constFind(kfz->AsString());
            if (fahrzeug != gelistet.constEnd() && fahrzeug->contains(name->AsString()))
                gelisteterWert = fahrzeug->value(name->AsString());
            if (NotizVeraltet(gelisteterWert, wert->AsString())) {
                // Delete leaves the cursor on the next note already.
                notizen.Delete();
                ++geloescht;
            } else {
                notizen.Next();
            }
        }
    } catch (const std::exception &) {
    }
    HilfstabelleZuruecksetzen();
    liste.EnableControls();
    return geloescht;
}

bool WerkstattTerminBald(TDataModule1 &dm, base::TDateTime heute)
{
    dbe::TTable &notizen = dm.TTblVar;
    bool bald = false;
    try {
        notizen.SetTableName(kNotizTabelle);
        // Only the agreed dates from today on are read, through their index;
        // the rule still decides on each of them.
        notizen.SetIndexName(QStringLiteral("Termin_Sort"));
        notizen.Open();
        const double tag = std::floor(heute);
        notizen.SetRange({tag}, {tag + 4});
        dbe::TField *vereinbart = notizen.FieldByName(QStringLiteral("TerminVereinbart"));
        for (notizen.First(); !notizen.Eof() && !bald; notizen.Next()) {
            if (vereinbart->IsNull())
                continue;
            try {
                bald = WerkstattTerminNah(vereinbart->AsDateTime(), heute);
            } catch (const std::exception &) {
            }
        }
    } catch (const std::exception &) {
    }
    HilfstabelleZuruecksetzen();
    return bald;
}

} // namespace fleet::termine
