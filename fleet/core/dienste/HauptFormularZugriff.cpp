#include "dienste/HauptFormularZugriff.h"

namespace fleet {

namespace {
HauptFormularZugriff *hauptfenster = nullptr;
}

HauptFormularZugriff *Hauptfenster()
{
    return hauptfenster;
}

void HauptfensterSetzen(HauptFormularZugriff *fenster)
{
    hauptfenster = fenster;
}

} // namespace fleet
