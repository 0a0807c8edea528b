#include "sql_floors.h"

#include <algorithm>
#include <cstdio>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include "base/DateTime.h"
#include "process_usage.h"

namespace {

struct Statement {
    const char *step;
    const char *what;
    const char *sql; // ?1, ?2: first day of a period and the day after it
    double from, to;
};

// Steps every row, reading each column as the form would show it. -1 on failure.
long long run(sqlite3 *db, const Statement &s)
{
    sqlite3_stmt *q = nullptr;
    if (sqlite3_prepare_v2(db, s.sql, -1, &q, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "floor \"%s\": %s\n", s.what, sqlite3_errmsg(db));
        return -1;
    }
    const int parameters = sqlite3_bind_parameter_count(q);
    if (parameters >= 1)
        sqlite3_bind_double(q, 1, s.from);
    if (parameters >= 2)
        sqlite3_bind_double(q, 2, s.to);
    long long rows = 0;
    double sink = 0;
    int rc = 0;
    while ((rc = sqlite3_step(q)) == SQLITE_ROW) {
        ++rows;
        for (int c = 0; c < sqlite3_column_count(q); ++c)
            sink += sqlite3_column_type(q, c) == SQLITE_TEXT ? sqlite3_column_bytes(q, c)
                                                             : sqlite3_column_double(q, c);
    }
    if (rc != SQLITE_DONE) {
        std::fprintf(stderr, "floor \"%s\": %s\n", s.what, sqlite3_errmsg(db));
        rows = -1;
    }
    sqlite3_finalize(q);
    benchmark::DoNotOptimize(sink);
    return rows;
}

} // namespace

QList<SqlFloor> MeasureSqlFloors(const QString &database)
{
    const double dec1 = base::encodeDate(2024, 12, 1), jan1 = base::encodeDate(2025, 1, 1);
    const double today = base::encodeDate(2024, 12, 16);
    const Statement statements[] = {
        {"Fuhrpark-Kosten/Ertrag", "Summen je Fahrzeug über alle Monatszeilen",
         "SELECT s.KfzNr, s.Schadstoff, SUM(m.GefKilometer), SUM(m.GesamtKosten), SUM(m.VerbrauchKosten), "
         "SUM(m.ReparaturKosten), SUM(m.WartungKosten), SUM(m.UntersuchungKosten), SUM(m.ReifenKosten), "
         "SUM(m.PflegeKosten), SUM(m.SonstigeKosten), SUM(m.Sonstige2Kosten), SUM(m.Sonstige3Kosten), "
         "SUM(m.Sonstige4Kosten), SUM(m.Ertrag), SUM(m.VerbrauchLiter) "
         "FROM kfzstamm s LEFT JOIN kfzmonat m ON m.KfzNr = s.KfzNr GROUP BY s.KfzNr ORDER BY s.KfzNr",
         0, 0},
        {"Fahrzeugvergleich", "Monatsmittel je Fahrzeug",
         "SELECT s.KfzNr, COUNT(m.KfzNr), AVG(m.GefKilometer), AVG(m.GesamtKosten), "
         "AVG(m.GesamtKostenProKm), "
         "AVG(m.VerbrauchLiter), AVG(m.VerbrauchKosten), SUM(m.VerbrauchLiter), SUM(m.GefKilometer) "
         "FROM kfzstamm s LEFT JOIN kfzmonat m ON m.KfzNr = s.KfzNr GROUP BY s.KfzNr ORDER BY s.KfzNr",
         0, 0},
        {"BtnMonatsauswertungAlleFahrzeuge) → Berechnen",
         "Kosten des Monats je Fahrzeug, Km-Stände davor und darin, Jahresbeträge",
         "WITH monat AS (SELECT KfzNr, SUM(\"Benzin/Liter\") AS liter, "
         "  TOTAL(\"Benzin/Preis\") + TOTAL(ReparaturKosten) + TOTAL(WartungKosten) + "
         "  TOTAL(UntersuchungKosten) + TOTAL(ReifenKosten) + TOTAL(PflegeKosten) + TOTAL(SonstigeKosten) + "
         "  TOTAL(Sonstige2Kosten) + TOTAL(Sonstige3Kosten) + TOTAL(Sonstige4Kosten) AS var, "
         "  MAX(Mwst) AS m FROM kfzvar WHERE BelegDatum >= ?1 AND BelegDatum < ?2 GROUP BY KfzNr), "
         "vorher AS (SELECT KfzNr, MAX(Mwst) AS a FROM kfzvar WHERE BelegDatum < ?1 GROUP BY KfzNr), "
         "erster AS (SELECT KfzNr, Mwst AS f FROM (SELECT KfzNr, Mwst, ROW_NUMBER() OVER "
         "  (PARTITION BY KfzNr ORDER BY BelegDatum, BelegNummer) AS n FROM kfzvar "
         "  WHERE BelegDatum >= ?1 AND BelegDatum < ?2) WHERE n = 1), "
         "touren AS (SELECT KfzNr, COUNT(*) AS n, SUM(GefahrenKm) AS km, SUM(Ertrag) AS ertrag FROM kfztour "
         "  WHERE Datum >= ?1 AND Datum < ?2 GROUP BY KfzNr) "
         "SELECT s.KfzNr, s.HaftpflNettoBetrag, s.KaskoNettoBetrag, s.Steuer, s.KfzSonstiges, s.AFA, "
         "s.Zinsen, "
         "  s.Vermoegenssteuer, s.GewKapSteuer, s.Restbuchwert, monat.var, monat.m, vorher.a, erster.f, "
         "  monat.liter, touren.n, touren.km, touren.ertrag "
         "FROM kfzstamm s LEFT JOIN monat ON monat.KfzNr = s.KfzNr LEFT JOIN vorher ON vorher.KfzNr = "
         "s.KfzNr "
         "LEFT JOIN erster ON erster.KfzNr = s.KfzNr LEFT JOIN touren ON touren.KfzNr = s.KfzNr "
         "ORDER BY s.KfzNr",
         dec1, jan1},
        {"Auswertungen > Touren", "alle Touren mit Summen und Fahrzeugkosten je Km",
         "SELECT t.KfzNr, t.Datum, t.Tour, t.FahrerName, t.GefahrenKm, t.Ertrag, "
         "t.GefahrenKm * COALESCE(s.FreifeldWae1, 0) FROM kfztour t LEFT JOIN kfzstamm s ON s.KfzNr = "
         "t.KfzNr "
         "ORDER BY t.KfzNr, t.Datum",
         0, 0},
        {"Terminverwaltung", "Fahrzeuge mit HU, AU oder Inspektion bis heute + 30 Tage",
         "SELECT KfzNr, Info, KfzKmStand, KfzTUEVTermin, KfzASUTermin, KfzInspektTermin FROM kfzstamm "
         "WHERE KfzTUEVTermin < ?1 OR KfzASUTermin < ?1 OR KfzInspektTermin < ?1 ORDER BY KfzNr",
         today + 30, 0},
        {"(BtnFreieFahrzeuge)", "Fahrzeuge ohne Disposition heute",
         "SELECT s.KfzNr, s.Info FROM kfzstamm s WHERE NOT EXISTS (SELECT 1 FROM kfzdispo d "
         "WHERE d.Kfznr = s.KfzNr AND d.DatumVon <= ?1 AND d.DatumBis >= ?1) ORDER BY s.KfzNr",
         today, 0},
        {"Seite Disposition → Alle Fahrzeuge",
         "Dispositionen des sichtbaren Monats aller Fahrzeuge und ihre Auslastung",
         "SELECT d.*, SUM(MAX(0, MIN(DatumBis + UhrzeitBis, ?2) - MAX(DatumVon + UhrzeitVon, ?1))) "
         "OVER () FROM kfzdispo d WHERE DatumVon < ?2 AND DatumBis >= ?1 ORDER BY Kfznr, DatumVon",
         dec1, jan1},
    };
    QList<SqlFloor> floors;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(database.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "floors: cannot open %s\n", qPrintable(database));
        sqlite3_close(db);
        return floors;
    }
    for (const Statement &s : statements) {
        double best = -1;
        long long rows = -1;
        for (int i = 0; i < 3; ++i) {
            const double start = testsupport::cpuSeconds();
            rows = run(db, s);
            const double used = testsupport::cpuSeconds() - start;
            if (rows < 0)
                break;
            best = best < 0 ? used : std::min(best, used);
        }
        if (rows >= 0)
            floors.push_back({QString::fromUtf8(s.step), QString::fromUtf8(s.what), best, rows});
    }
    sqlite3_close(db);
    return floors;
}
