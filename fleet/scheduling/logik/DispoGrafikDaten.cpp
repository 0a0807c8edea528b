#include "logik/DispoGrafikDaten.h"

#include <cmath>

#include "base/GermanFormat.h"
#include "dbe/DataSet.h"
#include "dbe/Field.h"

namespace fleet::dispo {

GrafikFuellung GrafikFuellen(dbe::TDataSet &buchungen, const std::function<void()> &schritt)
{
    GrafikFuellung f;
    dbe::TField *kfz = buchungen.FieldByName(QStringLiteral("Kfznr"));
    dbe::TField *von = buchungen.FieldByName(QStringLiteral("DatumUhrzeitVon"));
    dbe::TField *bis = buchungen.FieldByName(QStringLiteral("DatumUhrzeitBis"));
    int zeile = 0;
    buchungen.First();
    while (!buchungen.Eof()) {
        if (schritt)
            schritt();
        const QString v = kfz->AsString();
        if (f.fahrzeuge.size() <= zeile)
            f.fahrzeuge.append(v);
        f.balken.append({von->AsDateTime(), bis->AsDateTime(), zeile, v});
        buchungen.Next();
        if (buchungen.Eof())
            break;
        // Exact: "ab-1" and "AB-1" are two vehicles with two rows.
        if (kfz->AsString() != v)
            ++zeile;
        if (f.balken.size() >= kGrafikHoechstzahl) {
            f.zuViele = true;
            break;
        }
    }
    return f;
}

QString GrafikStatus(int fahrzeuge, int buchungen)
{
    return QStringLiteral("Fahrzeuge: ") + QString::number(fahrzeuge) + QStringLiteral("   Dispositionen: ") +
           QString::number(buchungen);
}

std::optional<Zeitachse> GrafikZeitachse(const AchsenVorgaben &v, bool &fehler)
{
    fehler = false;
    const auto tag = [](base::TDateTime t) { return std::floor(t); };
    switch (v.sicht) {
    case 1:
        return Zeitachse{tag(v.ersterTag), tag(v.letzterTag) + 1};
    case 2: {
        const int monat = base::de::monthFromName(v.monat);
        const auto jahr = base::de::parseInt(v.jahr);
        if (monat < 1 || !jahr || *jahr < 1 || *jahr > 9999)
            break;
        const int j = int(*jahr);
        return Zeitachse{base::encodeDate(j, monat, 1),
                         base::encodeDate(j, monat, base::daysInMonth(j, monat)) + 1};
    }
    case 3:
        return Zeitachse{tag(v.ersterTag), tag(v.ersterTag) + 1};
    case 4:
        return Zeitachse{tag(v.heute), tag(v.heute) + 1};
    case 5:
        if (v.spaetestesEnde <= tag(v.heute))
            break;
        return Zeitachse{tag(v.heute), v.spaetestesEnde};
    case 0:
        return std::nullopt;
    default:
        break;
    }
    fehler = true;
    return std::nullopt;
}

QString GrafikInfoZeile(const QString &kfzNr, base::TDateTime von, base::TDateTime bis, const QString &fahrer)
{
    const auto teil = [](base::TDateTime t) {
        // Whole seconds first, so 8:04:59.999 reads as 8:05.
        const double sekunden = std::round(t * 86400.0);
        const base::TDateTime gerundet = sekunden / 86400.0;
        int j, m, d, h, mi, s, ms;
        base::decodeDate(gerundet, j, m, d);
        base::decodeTime(gerundet, h, mi, s, ms);
        return QStringLiteral("%1.%2.%3, %4:%5 Uhr").arg(d).arg(m).arg(j).arg(h).arg(mi);
    };
    const QString fahrerTeil =
        fahrer.isEmpty() ? QStringLiteral("?  * * * ") : fahrer + QStringLiteral(" * * * ");
    return QStringLiteral("Kennzeichen: ") + kfzNr + QStringLiteral(", Datum von: ") + teil(von) +
           QStringLiteral(", Datum bis: ") + teil(bis) + QStringLiteral(", Fahrer: ") + fahrerTeil;
}

QString TickerSchritt(const QString &text)
{
    if (text.size() <= 85)
        return text;
    return text.mid(1) + text.left(1);
}

std::optional<QString> GrafikTitel(int auswahl, bool fahrzeugFilterAktiv, const QString &aktuellesKfz,
                                   bool dispoGefiltert, const QString &filterText)
{
    QString titel;
    if (auswahl == 0)
        titel = QStringLiteral("Fuhrpark Fahrzeug-Disposition (Aktuelles Fahrzeug = ") + aktuellesKfz;
    else if (auswahl == 1)
        titel = QStringLiteral("Fuhrpark Fahrzeug-Disposition (Alle Fahrzeuge");
    else if (auswahl == 2 && fahrzeugFilterAktiv)
        titel = QStringLiteral("Fuhrpark Fahrzeug-Disposition (Fahrzg. Stammdaten-Filter");
    else
        return std::nullopt;
    if (dispoGefiltert && !filterText.isEmpty())
        titel += QStringLiteral(" , Sichtb. Zeitraum: eingeschränkt)");
    else if (!dispoGefiltert)
        titel += QStringLiteral(")");
    return titel;
}

} // namespace fleet::dispo
