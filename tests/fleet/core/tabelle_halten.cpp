// A second workstation for the tests: works on one table of the configured
// aliases (KARVENFP_CONFIG_DIR) and holds it until its standard input closes.
//   tabelle_halten offen|exklusiv|sperren <alias> <table>   holds, prints "bereit"
//   tabelle_halten bearbeiten <alias> <table>                holds the first row in edit, prints "bereit"
//   tabelle_halten sperrversuch <alias> <table>             prints "ja" or "nein"
//   tabelle_halten zaehlen <alias> <table>                   prints the row count
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

#include "daten/schema/Katalog.h"
#include "dbe/Session.h"
#include "dbe/Table.h"

int main(int argc, char *argv[])
{
    if (argc != 4)
        return 2;
    const std::string modus = argv[1];
    try {
        dbe::TSession session;
        session.RegisterTables(fleet::SchemaKatalog());
        dbe::TTable t(&session);
        t.SetDatabaseName(QString::fromLocal8Bit(argv[2]));
        t.SetTableName(QString::fromLocal8Bit(argv[3]));
        if (modus == "exklusiv")
            t.SetExclusive(true);
        t.Open();
        if (modus == "zaehlen") {
            std::cout << t.RecordCount() << std::endl;
            return 0;
        }
        if (modus == "sperrversuch") {
            try {
                t.LockTable();
                std::cout << "ja" << std::endl;
            } catch (const std::exception &) {
                std::cout << "nein" << std::endl;
            }
            return 0;
        }
        if (modus == "sperren")
            t.LockTable();
        if (modus == "bearbeiten")
            t.Edit();
        std::cout << "bereit" << std::endl;
        std::string zeile;
        std::getline(std::cin, zeile);
        return 0;
    } catch (const std::exception &e) {
        std::cout << "fehler " << e.what() << std::endl;
        return 1;
    }
}
