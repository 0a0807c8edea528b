#pragma once

#include <memory>

#include <gtest/gtest.h>

#include "dbe/Session.h"
#include "dbe/Table.h"
#include "temp_dir.h"

// A session over a temporary directory (alias "Daten") with a small catalogue:
//   Kfz.db    KfzNr text 10 (primary key), Info text 30, Km float, Datum date;
//             index "ByInfo" on Info
//   Kosten.db KfzNr text 10, Datum date, Betrag money, Art text 4; no primary key
//   Codes.db  Code text 4 (unique index "ByCode"), Name text 20
inline dbe::FieldDef fd(const char *name, dbe::FieldType type, int size = 0)
{
    dbe::FieldDef f;
    f.name = QString::fromUtf8(name);
    f.type = type;
    f.size = size;
    return f;
}

class DbeFixture : public ::testing::Test {
protected:
    DbeFixture()
    {
        session = std::make_unique<dbe::TSession>(QString::fromStdString((dir / "dbe.cfg").string()));
        session->AddStandardAlias(QStringLiteral("Daten"), QString::fromStdString(dir.str()));
        dbe::TableDef kfz;
        kfz.name = QStringLiteral("Kfz.db");
        kfz.fields = {fd("KfzNr", dbe::FieldType::String, 10), fd("Info", dbe::FieldType::String, 30),
                      fd("Km", dbe::FieldType::Float), fd("Datum", dbe::FieldType::Date)};
        kfz.primaryKey = {QStringLiteral("KfzNr")};
        kfz.indexes = {{QStringLiteral("ByInfo"), {QStringLiteral("Info")}, 0}};
        dbe::TableDef kosten;
        kosten.name = QStringLiteral("Kosten.db");
        kosten.fields = {fd("KfzNr", dbe::FieldType::String, 10), fd("Datum", dbe::FieldType::Date),
                         fd("Betrag", dbe::FieldType::Currency), fd("Art", dbe::FieldType::String, 4)};
        dbe::TableDef codes;
        codes.name = QStringLiteral("Codes.db");
        codes.fields = {fd("Code", dbe::FieldType::String, 4), fd("Name", dbe::FieldType::String, 20)};
        codes.indexes = {{QStringLiteral("ByCode"), {QStringLiteral("Code")}, dbe::ixUnique}};
        session->RegisterTables({kfz, kosten, codes});
    }

    std::unique_ptr<dbe::TTable> table(const QString &name)
    {
        auto t = std::make_unique<dbe::TTable>(session.get());
        t->SetDatabaseName(QStringLiteral("Daten"));
        t->SetTableName(name);
        return t;
    }

    // Appends rows of (KfzNr, Info) to an open table; an empty text is blank.
    static void addVehicles(dbe::TTable &t, const std::vector<std::pair<QString, QString>> &rows)
    {
        for (const auto &[nr, info] : rows) {
            t.Append();
            t.FieldByName(QStringLiteral("KfzNr"))->SetAsString(nr);
            t.FieldByName(QStringLiteral("Info"))->SetAsString(info);
            t.Post();
        }
    }

    // Values of one field over the visible rows, from the first.
    static QStringList column(dbe::TDataSet &t, const QString &field)
    {
        QStringList out;
        t.First();
        while (!t.Eof()) {
            out << t.FieldByName(field)->AsString();
            t.Next();
        }
        return out;
    }

    testsupport::TempDir dir;
    std::unique_ptr<dbe::TSession> session;
};
