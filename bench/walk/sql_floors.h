#pragma once

#include <QList>
#include <QString>

// The floors of the evaluations: plain SQLite statements on the client's
// database computing the same figures the program's forms show, for the
// walk's fixed day (16.12.2024). Each is run three times, the least CPU kept.
struct SqlFloor {
    QString step;   // a part of the walk step's text it belongs to
    QString what;   // what the statements compute
    double cpu = 0; // seconds
    long long rows = 0;
};

// Every floor on the database file `database`; a statement that fails is
// reported on stderr and its floor left out.
QList<SqlFloor> MeasureSqlFloors(const QString &database);
