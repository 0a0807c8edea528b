#include "regeln/DispoZeitleiste.h"

#include <algorithm>
#include <cmath>

#include "base/GermanFormat.h"
#include "dbe/Table.h"
#include "regeln/DispoAuslastung.h"

namespace fleet {

const QString DispoSchluesselFelder = QStringLiteral("Kfznr;DatumVon;DatumBis;UhrzeitVon;UhrzeitBis");

namespace {

QString zitiert(double tag)
{
    return QLatin1Char('\'') + base::de::formatDate(std::floor(tag)) + QLatin1Char('\'');
}

// The bookings that touch the days; one without an end lasts its first day,
// as the booking rules complete it when it is saved.
QString tageFilter(const DispoTage &t)
{
    QStringList teile;
    if (std::isfinite(t.von))
        teile << QStringLiteral("((DatumBis >= ") + zitiert(t.von) +
                     QStringLiteral(") or ((DatumBis = '') and (DatumVon >= ") + zitiert(t.von) +
                     QStringLiteral(")))");
    if (std::isfinite(t.bis))
        teile << QStringLiteral("(DatumVon <= ") + zitiert(t.bis) + QLatin1Char(')');
    return teile.join(QStringLiteral(" and "));
}

double zeit(const dbe::TField *f)
{
    return f->IsNull() ? 0.0 : f->AsDateTime();
}

} // namespace

DispoTage DispoSichtTage(const DispoSichtDaten &sicht)
{
    if (sicht.modus == 5)
        return {std::floor(sicht.heute), DispoTage{}.bis};
    const DispoPeriode p = DispoZeitraum(sicht);
    if (p.stunden < 0)
        return {};
    return {p.von, p.bis};
}

DispoBalkenLesung DispoBalkenLesen(const dbe::TTable &dispo, const DispoTage &tage, int hoechstens)
{
    DispoBalkenLesung lesung;
    if (!dispo.Active())
        return lesung;
    dbe::TTable t(&dispo.Session());
    t.SetDatabaseName(dispo.DatabaseName());
    t.SetTableName(dispo.TableName());
    t.SetMasterSource(dispo.MasterSource());
    t.SetMasterFields(dispo.MasterFields());
    QString filter = tageFilter(tage);
    if (dispo.Filtered()) {
        if (!dispo.Filter().isEmpty())
            filter = filter.isEmpty() ? dispo.Filter()
                                      : QLatin1Char('(') + dispo.Filter() + QStringLiteral(") and ") + filter;
        t.OnFilterRecord = dispo.OnFilterRecord;
    }
    t.SetFilter(filter);
    t.SetFiltered(true);
    t.Open();
    const auto feld = [&t](const char *name) { return t.FieldByName(QString::fromLatin1(name)); };
    const dbe::TField *kfz = feld("Kfznr"), *von = feld("DatumVon"), *bis = feld("DatumBis"),
                      *uhrVon = feld("UhrzeitVon"), *uhrBis = feld("UhrzeitBis"),
                      *beginn = feld("DatumUhrzeitVon"), *ende = feld("DatumUhrzeitBis");
    for (t.First(); !t.Eof(); t.Next()) {
        ++lesung.gelesen;
        if (lesung.balken.size() >= hoechstens) {
            lesung.vollstaendig = false;
            break;
        }
        DispoBalken b;
        b.schluessel = {kfz->Value(), von->Value(), bis->Value(), uhrVon->Value(), uhrBis->Value()};
        b.kfzNr = kfz->AsString();
        // The derived begin and end, or the key's date and time when a row lacks them.
        const double ersterTag = std::floor(zeit(von));
        const double letzterTag = bis->IsNull() ? ersterTag : std::floor(zeit(bis));
        b.beginn = beginn->IsNull() ? ersterTag + zeit(uhrVon) : zeit(beginn);
        b.ende = ende->IsNull() ? letzterTag + zeit(uhrBis) : zeit(ende);
        lesung.balken.append(b);
    }
    return lesung;
}

DispoTage DispoFenster(const DispoTage &sicht, const std::optional<DispoTage> &bisher,
                       const std::optional<DispoTage> &markiert, base::TDateTime heute, int laenge)
{
    const auto beruehrt = [](const DispoTage &a, const DispoTage &b) {
        return a.von <= b.bis && b.von <= a.bis;
    };
    const auto innerhalb = [&sicht](const DispoTage &f) { return f.von >= sicht.von && f.bis <= sicht.bis; };
    if (bisher && innerhalb(*bisher) && (!markiert || beruehrt(*bisher, *markiert)))
        return *bisher;
    double anfang = markiert                   ? std::floor(markiert->von)
                    : std::isfinite(sicht.von) ? sicht.von
                                               : std::floor(heute);
    if (std::isfinite(sicht.bis))
        anfang = std::min(anfang, sicht.bis - laenge + 1);
    anfang = std::max(anfang, sicht.von);
    return {anfang, std::min(anfang + laenge - 1, sicht.bis)};
}

} // namespace fleet
