#pragma once

#include <memory>

#include <gtest/gtest.h>

#include "dbe/DataSource.h"
#include "dbe/Session.h"
#include "dbe/Table.h"
#include "temp_dir.h"

// A session over a temporary directory (alias "Daten") with
//   Stamm.db  KfzNr (primary key), Gruppe, Achsen, Km, Aktiv ("Ja;Nein"),
//             Preis, Datum, Zeit, Stempel, Bemerkung, Bild; index "ByGruppe"
//   Tour.db   KfzNr, Datum, Tour, Fahrer; primary key of the first three
//   TourPos.db KfzNr, Datum, Tour, Pos; primary key of all four
// and five vehicles A1, A2, A3, A4 (all blank but Km 0), B5.
class NavDbFixture : public ::testing::Test {
protected:
    NavDbFixture();

    std::unique_ptr<dbe::TTable> table(const char *name, bool open = true);
    // KfzNr of the visible rows, from the first; the position is kept.
    static QStringList vehicles(dbe::TDataSet &t);
    static QString current(dbe::TDataSet &t);
    void addTour(dbe::TTable &tours, const char *kfzNr, const char *datum, int tour);

    testsupport::TempDir dir;
    std::unique_ptr<dbe::TSession> session;
};
