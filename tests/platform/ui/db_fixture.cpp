#include "db_fixture.h"

#include "dbe/Field.h"

namespace {

dbe::FieldDef field(const char *name, dbe::FieldType type, int size = 0)
{
    dbe::FieldDef f;
    f.name = QString::fromUtf8(name);
    f.type = type;
    f.size = size;
    return f;
}

} // namespace

DbFixture::DbFixture()
{
    session = std::make_unique<dbe::TSession>(QString::fromStdString((dir / "dbe.cfg").string()));
    session->AddStandardAlias(QStringLiteral("Daten"), QString::fromStdString(dir.str()));
    dbe::TableDef kfz;
    kfz.name = QStringLiteral("Kfz.db");
    kfz.fields = {field("KfzNr", dbe::FieldType::String, 10),  field("Info", dbe::FieldType::String, 30),
                  field("Km", dbe::FieldType::Float),          field("Datum", dbe::FieldType::Date),
                  field("Leasing", dbe::FieldType::String, 6), field("Art", dbe::FieldType::Integer),
                  field("Gruppe", dbe::FieldType::String, 20), field("Bild", dbe::FieldType::Graphic)};
    kfz.primaryKey = {QStringLiteral("KfzNr")};
    dbe::TableDef gruppe;
    gruppe.name = QStringLiteral("Gruppe.db");
    gruppe.fields = {field("Gruppe", dbe::FieldType::String, 20)};
    gruppe.primaryKey = {QStringLiteral("Gruppe")};
    session->RegisterTables({kfz, gruppe});
}

std::unique_ptr<dbe::TTable> DbFixture::table(const QString &name)
{
    auto t = std::make_unique<dbe::TTable>(session.get());
    t->SetDatabaseName(QStringLiteral("Daten"));
    t->SetTableName(name);
    return t;
}

void DbFixture::addVehicles(dbe::TTable &table, const std::vector<std::tuple<QString, QString, double>> &rows)
{
    table.Session().StartTransaction(QStringLiteral("Daten"));
    for (const auto &[nr, info, km] : rows) {
        table.Append();
        table.FieldByName(QStringLiteral("KfzNr"))->SetAsString(nr);
        table.FieldByName(QStringLiteral("Info"))->SetAsString(info);
        table.FieldByName(QStringLiteral("Km"))->SetAsFloat(km);
        table.Post();
    }
    table.Session().Commit(QStringLiteral("Daten"));
    table.First();
}

void DbFixture::addNumberedVehicles(dbe::TTable &table, int count)
{
    std::vector<std::tuple<QString, QString, double>> rows;
    for (int i = 1; i <= count; ++i)
        rows.emplace_back(QStringLiteral("K%1").arg(i, 5, 10, QLatin1Char('0')),
                          QStringLiteral("Fahrzeug %1").arg(i), i * 100.0);
    addVehicles(table, rows);
}

VehicleTable::VehicleTable(DbFixture &db) : table(db.table(QStringLiteral("Kfz.db"))), source(table.get())
{
    table->Open();
}
