#include "fleet_generator.h"

#include <sqlite3.h>

#include <algorithm>

#include <QDir>

#include "dbe/Session.h"
#include "dbe/Table.h"

namespace {

dbe::FieldDef field(const char *name, dbe::FieldType type, int size = 0)
{
    dbe::FieldDef f;
    f.name = QString::fromLatin1(name);
    f.type = type;
    f.size = size;
    return f;
}

void exec(sqlite3 *db, const char *sql)
{
    char *err = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, err);
        std::abort();
    }
}

} // namespace

FleetSize FleetSize::scaled(double factor)
{
    FleetSize s;
    s.vehicles = std::max(20, static_cast<int>(s.vehicles * factor));
    s.costs = std::max(200, static_cast<int>(s.costs * factor));
    s.tours = std::max(40, static_cast<int>(s.tours * factor));
    return s;
}

QString vehicleNumber(int i)
{
    return QStringLiteral("K-%1").arg(i, 5, 10, QLatin1Char('0'));
}

void generateFleet(const QString &directory, const FleetSize &size, const QList<dbe::TableDef> &catalogue)
{
    using dbe::FieldType;
    dbe::TSession session(QDir(directory).filePath(QStringLiteral("dbe.cfg")));
    dbe::TableDef kfz;
    kfz.name = QStringLiteral("KfzStamm.db");
    kfz.fields = {field("KfzNr", FieldType::String, 10),         field("Info", FieldType::String, 30),
                  field("Gruppe", FieldType::String, 30),        field("FahrerName", FieldType::String, 30),
                  field("KfzKmStand", FieldType::Float),         field("KfzTUEVTermin", FieldType::Date),
                  field("Anschaffungswert", FieldType::Currency)};
    kfz.primaryKey = {QStringLiteral("KfzNr")};
    kfz.indexes = {{QStringLiteral("ByGruppe"), {QStringLiteral("Gruppe")}, 0}};
    dbe::TableDef var;
    var.name = QStringLiteral("KfzVar.db");
    var.fields = {field("KfzNr", FieldType::String, 10),       field("BelegDatum", FieldType::Date),
                  field("BelegNummer", FieldType::String, 10), field("Mwst", FieldType::Float),
                  field("Benzin/Liter", FieldType::Float),     field("Benzin/Preis", FieldType::Float),
                  field("Bemerkungen", FieldType::String, 255)};
    var.primaryKey = {QStringLiteral("KfzNr"), QStringLiteral("BelegDatum"), QStringLiteral("BelegNummer")};
    var.indexes = {{QStringLiteral("ByBeleg"), {QStringLiteral("BelegNummer")}, 0}};
    dbe::TableDef tour;
    tour.name = QStringLiteral("KfzTour.db");
    tour.fields = {field("KfzNr", FieldType::String, 10), field("Datum", FieldType::Date),
                   field("Tour", FieldType::String, 10),  field("FahrerName", FieldType::String, 30),
                   field("GefahrenKm", FieldType::Float), field("Ertrag", FieldType::Float)};
    tour.primaryKey = {QStringLiteral("KfzNr"), QStringLiteral("Datum"), QStringLiteral("Tour")};
    QList<dbe::TableDef> defs = {kfz, var, tour};
    for (int d = 1; d <= 8; ++d) {
        dbe::TableDef det;
        det.name = QStringLiteral("Detail%1.db").arg(d);
        det.fields = {field("KfzNr", FieldType::String, 10), field("Datum", FieldType::Date),
                      field("Info", FieldType::String, 50), field("Betrag", FieldType::Float)};
        det.primaryKey = {QStringLiteral("KfzNr"), QStringLiteral("Datum")};
        defs << det;
    }
    for (const dbe::TableDef &c : catalogue) {
        auto same = std::find_if(defs.begin(), defs.end(), [&c](const dbe::TableDef &d) {
            return d.name.compare(c.name, Qt::CaseInsensitive) == 0;
        });
        if (same != defs.end())
            *same = c;
        else
            defs << c;
    }
    for (const dbe::TableDef &d : defs) {
        dbe::TTable t(&session);
        t.SetDatabaseName(directory);
        t.SetTableName(d.name);
        t.CreateTable(&d);
    }
    session.Close();

    sqlite3 *db = nullptr;
    sqlite3_open(QDir(directory).filePath(QStringLiteral("dbe.sqlite")).toUtf8().constData(), &db);
    exec(db, "PRAGMA journal_mode=DELETE");
    exec(db, "BEGIN");
    auto fill = [&](const char *sql, int rows, const std::function<void(sqlite3_stmt *, int)> &bind) {
        sqlite3_stmt *s = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
        for (int i = 0; i < rows; ++i) {
            bind(s, i);
            sqlite3_step(s);
            sqlite3_reset(s);
        }
        sqlite3_finalize(s);
    };
    auto text = [](sqlite3_stmt *s, int col, const QString &v) {
        const QByteArray u = v.toUtf8();
        sqlite3_bind_text(s, col, u.constData(), static_cast<int>(u.size()), SQLITE_TRANSIENT);
    };
    const double day0 = 45000; // early 2023
    fill(
        "INSERT INTO kfzstamm (KfzNr, Info, Gruppe, FahrerName, KfzKmStand, KfzTUEVTermin, Anschaffungswert) "
        "VALUES (?,?,?,?,?,?,?)",
        size.vehicles, [&](sqlite3_stmt *s, int i) {
            text(s, 1, vehicleNumber(i));
            text(s, 2, QStringLiteral("Fahrzeug %1").arg(i));
            text(s, 3, QStringLiteral("G%1").arg(i % 10));
            text(s, 4, QStringLiteral("Fahrer %1").arg(i % 300));
            sqlite3_bind_double(s, 5, 10000 + i);
            sqlite3_bind_double(s, 6, day0 + i % 700);
            sqlite3_bind_double(s, 7, 20000 + i);
        });
    const int costsPerVehicle = std::max(1, size.costs / size.vehicles);
    fill("INSERT INTO kfzvar (KfzNr, BelegDatum, BelegNummer, Mwst, \"Benzin/Liter\", \"Benzin/Preis\", "
         "Bemerkungen) VALUES (?,?,?,?,?,?,?)",
         size.costs, [&](sqlite3_stmt *s, int i) {
             const int v = (i * 7919) % size.vehicles; // rows of a vehicle are spread over the file
             text(s, 1, vehicleNumber(v));
             sqlite3_bind_double(s, 2, day0 + (i / size.vehicles) % 700);
             text(s, 3, QStringLiteral("B%1").arg(i));
             sqlite3_bind_double(s, 4, 1000.0 * (i % costsPerVehicle));
             sqlite3_bind_double(s, 5, 40 + i % 20);
             sqlite3_bind_double(s, 6, 70 + i % 30);
             text(s, 7, QStringLiteral("Beleg"));
         });
    fill("INSERT INTO kfztour (KfzNr, Datum, Tour, FahrerName, GefahrenKm, Ertrag) VALUES (?,?,?,?,?,?)",
         size.tours, [&](sqlite3_stmt *s, int i) {
             text(s, 1, vehicleNumber(i % size.vehicles));
             sqlite3_bind_double(s, 2, day0 + i / size.vehicles);
             text(s, 3, QStringLiteral("T%1").arg(i));
             text(s, 4, QStringLiteral("Fahrer %1").arg(i % 300));
             sqlite3_bind_double(s, 5, 100 + i % 400);
             sqlite3_bind_double(s, 6, 250.5);
         });
    for (int d = 1; d <= 8; ++d) {
        const QByteArray sql = QStringLiteral("INSERT INTO detail%1 VALUES (?,?,?,?)").arg(d).toUtf8();
        fill(sql.constData(), 2 * size.vehicles, [&](sqlite3_stmt *s, int i) {
            text(s, 1, vehicleNumber(i / 2));
            sqlite3_bind_double(s, 2, day0 + i % 2);
            text(s, 3, QStringLiteral("Eintrag"));
            sqlite3_bind_double(s, 4, i);
        });
    }
    if (!catalogue.isEmpty()) {
        exec(db,
             "UPDATE kfzvar SET ReparaturKosten = (rowid % 7) * 35.5, WartungKosten = (rowid % 11) * 12.25");
        exec(db, "UPDATE kfzstamm SET HaftpflNettoBetrag = 1200 + rowid % 300, KaskoNettoBetrag = 900, "
                 "Steuer = 480, KfzSonstiges = 0, AFA = 6000, Zinsen = 240, Vermoegenssteuer = 0, "
                 "GewKapSteuer = 0, Restbuchwert = 0");
        exec(db, "UPDATE kfztour SET Ertrag = 180 + rowid % 90");
    }
    exec(db, "COMMIT");
    sqlite3_close(db);
}

void fillDispatch(const QString &directory, int vehicles, int bookings)
{
    sqlite3 *db = nullptr;
    sqlite3_open(QDir(directory).filePath(QStringLiteral("dbe.sqlite")).toUtf8().constData(), &db);
    exec(db, "BEGIN");
    auto prepare = [db](const char *sql) {
        sqlite3_stmt *s = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(db));
            std::abort();
        }
        return s;
    };
    auto text = [](sqlite3_stmt *s, int col, const QString &v) {
        const QByteArray u = v.toUtf8();
        sqlite3_bind_text(s, col, u.constData(), static_cast<int>(u.size()), SQLITE_TRANSIENT);
    };
    sqlite3_stmt *kfz = prepare("INSERT INTO kfzstamm (KfzNr) VALUES (?)");
    for (int i = 0; i < vehicles; ++i) {
        text(kfz, 1, vehicleNumber(i));
        sqlite3_step(kfz);
        sqlite3_reset(kfz);
    }
    sqlite3_finalize(kfz);
    sqlite3_stmt *b =
        prepare("INSERT INTO kfzdispo (Kfznr, DatumVon, DatumBis, UhrzeitVon, UhrzeitBis, Tour, "
                "MonatVon, JahrVon, MonatBis, JahrBis, DatumUhrzeitVon, DatumUhrzeitBis, "
                "\"KfzIndex=0\", KfzIndex) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,0,?)");
    const double jan1 = 45292; // 01.01.2024
    const int perVehicle = std::max(1, bookings / std::max(1, vehicles));
    for (int i = 0; i < bookings; ++i) {
        const int v = i % vehicles;
        const int n = i / vehicles;
        // The bookings of a vehicle follow each other through the year.
        const double von = jan1 + (n * 366 / perVehicle) + v % 3;
        const double bis = von + i % 3;
        const double uhrVon = (6 + i % 4) / 24.0, uhrBis = (14 + i % 6) / 24.0;
        text(b, 1, vehicleNumber(v));
        sqlite3_bind_double(b, 2, von);
        sqlite3_bind_double(b, 3, bis);
        sqlite3_bind_double(b, 4, uhrVon);
        sqlite3_bind_double(b, 5, uhrBis);
        text(b, 6, QStringLiteral("T%1").arg(i));
        text(b, 7, QStringLiteral("Monat"));
        text(b, 8, QStringLiteral("2024"));
        text(b, 9, QStringLiteral("Monat"));
        text(b, 10, QStringLiteral("2024"));
        sqlite3_bind_double(b, 11, von + uhrVon);
        sqlite3_bind_double(b, 12, bis + uhrBis);
        sqlite3_bind_int(b, 13, v + 1);
        if (sqlite3_step(b) != SQLITE_DONE) {
            std::fprintf(stderr, "kfzdispo: %s\n", sqlite3_errmsg(db));
            std::abort();
        }
        sqlite3_reset(b);
    }
    sqlite3_finalize(b);
    exec(db, "COMMIT");
    sqlite3_close(db);
}
