#pragma once

#include <QProcessEnvironment>
#include <QString>

// A data root of the fleet program: data under ROOT/daten, configuration
// under ROOT/config, as a started program finds them.

// The environment of a program started on `root`, on the window system `platform`.
QProcessEnvironment fleetRootEnvironment(const QString &root, const QString &platform);

// The program's first start on an empty `root`, then a generated fleet of
// `vehicles` vehicles with the generator's detail counts per vehicle written
// into the first client's directory. Returns that directory.
QString prepareFleetRoot(const QString &root, int vehicles);
