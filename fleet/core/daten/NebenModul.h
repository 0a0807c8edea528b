#pragma once

#include "daten/DataModule1.h"

namespace fleet {

// The smaller data modules made on first use: one instance in a global, over
// the session of the central module, freed at program end before the session.
template <class Modul> Modul &NebenModulErzeugen(Modul *&global)
{
    if (!global)
        global = new Modul(DataModule1 ? &DataModule1->TTblMain.Session() : nullptr);
    return *global;
}

template <class Modul> void NebenModulFreigeben(Modul *&global)
{
    Modul *weg = global;
    global = nullptr;
    delete weg;
}

} // namespace fleet
