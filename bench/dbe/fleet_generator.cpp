#include "fleet_generator.h"

#include <sqlite3.h>

#include <algorithm>
#include <functional>

#include <QDir>

#include "base/DateTime.h"
#include "base/GermanFormat.h"
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

namespace {

// One prepared INSERT of named columns into a table of the directory's
// database; each row binds its values in the order of the columns.
class RowWriter {
public:
    RowWriter(sqlite3 *db, const char *table, std::initializer_list<const char *> columns) : db_(db)
    {
        QByteArray cols, marks;
        for (const char *c : columns) {
            if (!cols.isEmpty()) {
                cols += ", ";
                marks += ",";
            }
            cols += '"' + QByteArray(c) + '"';
            marks += '?';
        }
        const QByteArray sql = "INSERT INTO " + QByteArray(table) + " (" + cols + ") VALUES (" + marks + ")";
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt_, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "%s: %s\n", sql.constData(), sqlite3_errmsg(db));
            std::abort();
        }
    }
    ~RowWriter() { sqlite3_finalize(stmt_); }
    RowWriter(const RowWriter &) = delete;
    RowWriter &operator=(const RowWriter &) = delete;

    RowWriter &text(const QString &v)
    {
        const QByteArray u = v.toUtf8();
        sqlite3_bind_text(stmt_, ++column_, u.constData(), static_cast<int>(u.size()), SQLITE_TRANSIENT);
        return *this;
    }
    RowWriter &number(double v)
    {
        sqlite3_bind_double(stmt_, ++column_, v);
        return *this;
    }
    RowWriter &integer(long long v)
    {
        sqlite3_bind_int64(stmt_, ++column_, v);
        return *this;
    }
    RowWriter &blank()
    {
        sqlite3_bind_null(stmt_, ++column_);
        return *this;
    }
    void write()
    {
        if (sqlite3_step(stmt_) != SQLITE_DONE) {
            std::fprintf(stderr, "%s: %s\n", sqlite3_sql(stmt_), sqlite3_errmsg(db_));
            std::abort();
        }
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        column_ = 0;
        ++rows_;
    }
    long long rows() const { return rows_; }

private:
    sqlite3 *db_;
    sqlite3_stmt *stmt_ = nullptr;
    int column_ = 0;
    long long rows_ = 0;
};

QString dateText(double day)
{
    int y = 0, m = 0, d = 0;
    base::decodeDate(day, y, m, d);
    return QString::asprintf("%02d.%02d.%04d", d, m, y);
}

const QStringList kGroups = {QStringLiteral("Außendienst"),  QStringLiteral("Werkstatt"),
                             QStringLiteral("Lieferdienst"), QStringLiteral("Geschäftsleitung"),
                             QStringLiteral("Kundendienst"), QStringLiteral("Fernverkehr"),
                             QStringLiteral("Nahverkehr"),   QStringLiteral("Baustelle"),
                             QStringLiteral("Pool München"), QStringLiteral("Pool Düsseldorf")};
const QStringList kLocations = {
    QStringLiteral("Köln-Süd"),    QStringLiteral("Köln-Nord"), QStringLiteral("Düsseldorf"),
    QStringLiteral("München-Ost"), QStringLiteral("Nürnberg"),  QStringLiteral("Würzburg"),
    QStringLiteral("Lüneburg"),    QStringLiteral("Göttingen"), QStringLiteral("Saarbrücken"),
    QStringLiteral("Osnabrück"),   QStringLiteral("Münster"),   QStringLiteral("Fürth"),
    QStringLiteral("Tübingen"),    QStringLiteral("Lübeck"),    QStringLiteral("Zweibrücken"),
    QStringLiteral("Gießen"),      QStringLiteral("Jülich"),    QStringLiteral("Bückeburg"),
    QStringLiteral("Völklingen"),  QStringLiteral("Überlingen")};
const QStringList kLeasing = {QStringLiteral("Süddeutsche Leasing GmbH"),
                              QStringLiteral("Nordlicht Flottenleasing AG"),
                              QStringLiteral("Rhein-Ruhr Mobilität KG"),
                              QStringLiteral("Allgäuer Fuhrparkdienste"), QStringLiteral("Börde Leasing eG")};
const QStringList kBrands = {QStringLiteral("Kastenwagen"), QStringLiteral("Kombi"),
                             QStringLiteral("Pritsche"), QStringLiteral("Limousine"),
                             QStringLiteral("Kühlwagen")};
const QStringList kSurnames = {
    QStringLiteral("Müller"),   QStringLiteral("Schäfer"), QStringLiteral("Größ"), QStringLiteral("Bäcker"),
    QStringLiteral("Jäger"),    QStringLiteral("Köhler"),  QStringLiteral("Weiß"), QStringLiteral("Krüger"),
    QStringLiteral("Schröder"), QStringLiteral("Hofmann")};
const QStringList kFirstNames = {QStringLiteral("Jürgen"), QStringLiteral("Sören"),
                                 QStringLiteral("Jörg"),   QStringLiteral("Käthe"),
                                 QStringLiteral("Zoë"),    QStringLiteral("Günther"),
                                 QStringLiteral("Björn"),  QStringLiteral("Anneliese")};
const QStringList kTyreTypes = {QStringLiteral("Sommer 205/55 R16"), QStringLiteral("Winter 205/55 R16"),
                                QStringLiteral("Ganzjahr 215/65 R16"), QStringLiteral("Winter 225/75 R16C")};
// Appointment kinds of the notes, by the names the notes are stored under.
const char *const kNotedAppointments[] = {"TTblTermineTUEVTermin", "TTblTermineASUTermin",
                                          "TTblTermineInspektionTermin"};

QString driverName(int i)
{
    return QStringLiteral("%1, %2 %3")
        .arg(kSurnames[i % kSurnames.size()], kFirstNames[i / kSurnames.size() % kFirstNames.size()])
        .arg(i);
}

// The vehicle's due date of an appointment kind: spread over 2024 and 2025.
double dueDate(int vehicle, int kind)
{
    return base::encodeDate(2024, 1, 1) + (vehicle * 37 + kind * 53) % 700;
}

} // namespace

FleetDirectorySize FleetDirectorySize::scaled(double factor)
{
    FleetDirectorySize s;
    s.vehicles = std::max(20, static_cast<int>(s.vehicles * factor));
    return s;
}

long long generateFleetDirectory(const QString &directory, const FleetDirectorySize &size,
                                 const QList<dbe::TableDef> &catalogue)
{
    {
        dbe::TSession session(QDir(directory).filePath(QStringLiteral("dbe.cfg")));
        for (const dbe::TableDef &d : catalogue) {
            dbe::TTable t(&session);
            t.SetDatabaseName(directory);
            t.SetTableName(d.name);
            if (!t.Exists())
                t.CreateTable(&d);
        }
        session.Close();
    }
    sqlite3 *db = nullptr;
    sqlite3_open(QDir(directory).filePath(QStringLiteral("dbe.sqlite")).toUtf8().constData(), &db);
    sqlite3_busy_timeout(db, 5000);
    exec(db, "BEGIN");
    long long rows = 0;
    const double day0 = base::encodeDate(2022, 1, 1);
    const double days = base::encodeDate(2025, 1, 1) - day0;
    const int drivers = std::max(10, size.vehicles / 5);

    {
        RowWriter w(db, "kfzgruppe", {"Gruppe"});
        for (const QString &g : kGroups)
            w.text(g).write();
        rows += w.rows();
    }
    {
        RowWriter w(db, "kfzstort", {"Standort"});
        for (const QString &l : kLocations)
            w.text(l).write();
        rows += w.rows();
    }
    {
        RowWriter w(db, "leasges", {"Name1"});
        for (const QString &l : kLeasing)
            w.text(l).write();
        rows += w.rows();
    }
    {
        RowWriter w(db, "reiftyp", {"Reifentyp"});
        for (const QString &t : kTyreTypes)
            w.text(t).write();
        rows += w.rows();
    }
    {
        RowWriter w(db, "kfzfahrer",
                    {"Name", "Nummer", "Vorname", "Strasse", "Plz", "Ort", "Geburtsdatum",
                     "FscheinKlassenAllgemein", "GueltigBis1"});
        for (int i = 0; i < drivers; ++i)
            w.text(driverName(i))
                .text(QStringLiteral("F%1").arg(i, 6, 10, QLatin1Char('0')))
                .text(kFirstNames[i % kFirstNames.size()])
                .text(QStringLiteral("Hauptstraße %1").arg(i % 200 + 1))
                .text(QStringLiteral("%1").arg(10000 + i * 7 % 89999))
                .text(kLocations[i % kLocations.size()])
                .number(base::encodeDate(1960, 1, 1) + i * 97 % 14000)
                .text(QStringLiteral("B, BE, C1"))
                .number(base::encodeDate(2024, 1, 1) + i * 13 % 1500)
                .write();
        rows += w.rows();
    }
    {
        RowWriter w(db, "kfzstamm",
                    {"KfzNr",
                     "Info",
                     "Gruppe",
                     "FahrerName",
                     "Kostenstelle",
                     "KfzMarke",
                     "KfzBaujahr",
                     "KfzZulassung",
                     "KfzKmStand",
                     "KfzTUEVTermin",
                     "KfzASUTermin",
                     "KfzInspektTermin",
                     "KfzKlInspektionTermin",
                     "KfzGrInspektionTermin",
                     "Anschaffungswert",
                     "HaftpflNettoBetrag",
                     "KaskoNettoBetrag",
                     "Steuer",
                     "KfzSonstiges",
                     "AFA",
                     "Zinsen",
                     "Vermoegenssteuer",
                     "GewKapSteuer",
                     "Restbuchwert",
                     "NameLeasingges",
                     "Schadstoff"});
        for (int v = 0; v < size.vehicles; ++v) {
            const double km = 12000 + (v * 7919) % 180000;
            w.text(vehicleNumber(v))
                .text(QStringLiteral("%1 Nr. %2").arg(kBrands[v % kBrands.size()]).arg(v + 1))
                .text(kGroups[v % kGroups.size()])
                .text(driverName(v % drivers))
                .text(kLocations[v % kLocations.size()])
                .text(kBrands[v % kBrands.size()])
                .text(QString::number(2015 + v % 9))
                .number(base::encodeDate(2015 + v % 9, v % 12 + 1, v % 28 + 1))
                .number(km);
            for (int kind = 0; kind < 3; ++kind)
                w.number(dueDate(v, kind));
            w.number(km + 5000 + v % 10000)
                .number(km + 30000 + v % 10000)
                .number(35000 + v % 5000)
                .number(1200 + v % 300)
                .number(900)
                .number(480)
                .number(0)
                .number(6000)
                .number(240)
                .number(0)
                .number(0)
                .number(0);
            if (v % 3 == 0)
                w.text(kLeasing[v / 3 % kLeasing.size()]);
            else
                w.blank();
            w.number(120 + v % 80).write();
        }
        rows += w.rows();
    }
    if (size.toursPerVehicle > 0) {
        RowWriter w(db, "kfztour",
                    {"KfzNr", "Datum", "DatumBis", "Tour", "FahrerName", "Kostenstelle", "AbfahrtKm",
                     "AnkunftKm", "GefahrenKm", "Ertrag", "Bemerkungen"});
        const double step = days / size.toursPerVehicle;
        for (int v = 0; v < size.vehicles; ++v)
            for (int j = 0; j < size.toursPerVehicle; ++j) {
                const double day = day0 + static_cast<int>(j * step) + v % 3;
                const double from = 10000 + j * 400.0 + v % 100, driven = 120 + (v + j) % 200;
                w.text(vehicleNumber(v))
                    .number(day)
                    .number(day)
                    .text(QStringLiteral("T%1").arg(v * size.toursPerVehicle + j))
                    .text(driverName((v + j) % drivers))
                    .text(kLocations[(v + j) % kLocations.size()])
                    .number(from)
                    .number(from + driven)
                    .number(driven)
                    .number(180 + (v * 7 + j) % 90)
                    .text(QStringLiteral("Auslieferung über Fürth und Würzburg"))
                    .write();
            }
        rows += w.rows();
    }
    if (size.costsPerVehicle > 0) {
        RowWriter w(db, "kfzvar",
                    {"KfzNr", "BelegDatum", "BelegNummer", "Mwst", "Benzin/Liter", "Benzin/Preis",
                     "ReparaturKosten", "WartungKosten", "PflegeKosten", "Monat", "Jahr", "Bemerkungen"});
        const double step = days / size.costsPerVehicle;
        for (int v = 0; v < size.vehicles; ++v)
            for (int j = 0; j < size.costsPerVehicle; ++j) {
                const double day = day0 + static_cast<int>(j * step);
                int y = 0, m = 0, d = 0;
                base::decodeDate(day, y, m, d);
                const double litres = 40 + (v + j) % 20;
                w.text(vehicleNumber(v))
                    .number(day)
                    .text(QStringLiteral("B%1").arg(j, 6, 10, QLatin1Char('0')))
                    .number(10000 + j * 250.0 + v % 100)
                    .number(litres)
                    .number(std::round(litres * 175) / 100)
                    .number((j % 7) * 35.5)
                    .number((j % 11) * 12.25)
                    .number((j % 5) * 9.9)
                    .text(base::de::monthName(m))
                    .text(QString::number(y))
                    .text(QStringLiteral("Tankstelle Königsallee"))
                    .write();
            }
        rows += w.rows();
    }
    if (size.monthsPerVehicle > 0) {
        RowWriter w(db, "kfzmonat", {"KfzNr",
                                     "AuswJahr",
                                     "AuswMonatNum",
                                     "AuswMonatText",
                                     "GefKilometer",
                                     "GesamtKosten",
                                     "GesamtKostenProKm",
                                     "VerbrauchLiter",
                                     "VerbrauchKosten",
                                     "VerbrauchLiterPro100Km",
                                     "ReparaturKosten",
                                     "WartungKosten",
                                     "UntersuchungKosten",
                                     "ReifenKosten",
                                     "PflegeKosten",
                                     "SonstigeKosten",
                                     "Sonstige2Kosten",
                                     "Sonstige3Kosten",
                                     "Sonstige4Kosten",
                                     "Ertrag"});
        for (int v = 0; v < size.vehicles; ++v)
            for (int j = 0; j < size.monthsPerVehicle; ++j) {
                const int month = j % 12 + 1;
                const double km = 1500 + (v * 13 + j * 7) % 900, litres = std::round(km * 8.5) / 100;
                const double fuel = std::round(litres * 175) / 100, repair = (j % 7) * 35.5,
                             service = (j % 11) * 12.25, care = (v + j) % 5 * 9.9;
                const double total = fuel + repair + service + care + 1234.56;
                w.text(vehicleNumber(v))
                    .text(QString::number(2022 + j / 12))
                    .number(month)
                    .text(base::de::monthName(month))
                    .number(km)
                    .number(total)
                    .number(std::round(total / km * 100) / 100)
                    .number(litres)
                    .number(fuel)
                    .number(std::round(litres / km * 10000) / 100)
                    .number(repair)
                    .number(service)
                    .number(0)
                    .number(0)
                    .number(care)
                    .number(1234.56)
                    .number(0)
                    .number(0)
                    .number(0)
                    .number(2500 + (v + j) % 700)
                    .write();
            }
        rows += w.rows();
    }
    if (size.bookingsPerVehicle > 0) {
        RowWriter w(db, "kfzdispo", {"AngelegtVon", "Kfznr",           "DatumVon",
                                     "DatumBis",    "UhrzeitVon",      "UhrzeitBis",
                                     "Tour",        "FahrerName",      "Kostenstelle",
                                     "Bemerkung1",  "TagdesMonatsVon", "MonatVon",
                                     "JahrVon",     "TagdesMonatsBis", "MonatBis",
                                     "JahrBis",     "DatumUhrzeitVon", "DatumUhrzeitBis",
                                     "KfzIndex=0",  "KfzIndex"});
        // The bookings of a vehicle follow each other through 2024 without overlapping.
        const double jan1 = base::encodeDate(2024, 1, 1);
        const int period = std::max(1, 366 / size.bookingsPerVehicle);
        for (int v = 0; v < size.vehicles; ++v)
            for (int j = 0; j < size.bookingsPerVehicle; ++j) {
                const double from = jan1 + j * period + (period > 3 ? v % 3 : 0);
                const double to = from + (period > 4 ? j % 3 : 0);
                const double timeFrom = (6 + j % 4) / 24.0, timeTo = (14 + j % 6) / 24.0;
                int yf = 0, mf = 0, df = 0, yt = 0, mt = 0, dt = 0;
                base::decodeDate(from, yf, mf, df);
                base::decodeDate(to, yt, mt, dt);
                w.text(QStringLiteral("Disposition Köln"))
                    .text(vehicleNumber(v))
                    .number(from)
                    .number(to)
                    .number(timeFrom)
                    .number(timeTo)
                    .text(QStringLiteral("D%1").arg(v * size.bookingsPerVehicle + j))
                    .text(driverName((v + j) % drivers))
                    .text(kLocations[(v + j) % kLocations.size()])
                    .text(QStringLiteral("Übergabe an der Pforte"))
                    .text(QString::number(df))
                    .text(base::de::monthName(mf))
                    .text(QString::number(yf))
                    .text(QString::number(dt))
                    .text(base::de::monthName(mt))
                    .text(QString::number(yt))
                    .number(from + timeFrom)
                    .number(to + timeTo)
                    .integer(0)
                    .integer(v + 1)
                    .write();
            }
        rows += w.rows();
    }
    if (size.notesPerVehicle > 0) {
        RowWriter w(db, "kfztermininfo",
                    {"Kfznr", "TerminName", "TerminWert", "TerminInfo", "TerminStatus", "TerminVereinbart",
                     "UhrzeitVereinbart"});
        const int kinds = static_cast<int>(std::size(kNotedAppointments));
        for (int v = 0; v < size.vehicles; ++v)
            for (int j = 0; j < size.notesPerVehicle; ++j) {
                const int kind = j % kinds;
                const double due = dueDate(v, kind);
                w.text(vehicleNumber(v))
                    .text(QString::fromLatin1(kNotedAppointments[kind]))
                    .text(j < kinds ? dateText(due) : dateText(due + 365 * (j / kinds)))
                    .text(QStringLiteral("Werkstatt Größ in Lüdenscheid, Termin bestätigt"))
                    .integer(j % 2)
                    .number(due - 7)
                    .text(QStringLiteral("08:30"))
                    .write();
            }
        rows += w.rows();
    }
    {
        RowWriter tyres(db, "kfzreif",
                        {"KfzNr", "ZurZeitMontiert", "Achse1ReifentypSo", "Achse1ReifentypWi",
                         "Reifengroesse", "Reifenpreis"});
        RowWriter history(db, "kfzhisto", {"KfzNr", "Datum", "Kosten", "Info"});
        RowWriter damages(db, "kfzschad",
                          {"KfzNr", "Bearbeitungsnummer", "Datum", "KmStand", "Kosten", "Info1"});
        for (int v = 0; v < size.vehicles; ++v) {
            tyres.text(vehicleNumber(v))
                .text(QStringLiteral("S"))
                .text(kTyreTypes[0])
                .text(kTyreTypes[1])
                .text(QStringLiteral("205/55 R16"))
                .number(89.9)
                .write();
            history.text(vehicleNumber(v))
                .number(day0 + v % 365)
                .number(0)
                .text(QStringLiteral("Fahrzeug übernommen"))
                .write();
            if (v % 10 == 0)
                damages.text(vehicleNumber(v))
                    .text(QStringLiteral("S-%1").arg(v))
                    .number(day0 + 400 + v % 300)
                    .number(45000)
                    .number(1234.5)
                    .text(QStringLiteral("Blechschaden hinten rechts"))
                    .write();
        }
        rows += tyres.rows() + history.rows() + damages.rows();
    }
    exec(db, "COMMIT");
    sqlite3_close(db);
    return rows;
}
