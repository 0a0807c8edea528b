#pragma once

#include <functional>

namespace dbe {
class TSession;
}

namespace fleet {

class Programmkoerper;

// What the program body does once its application object exists: the engine
// configuration (set up on an empty machine), the program directory made
// current, the singletons in their order, the message loop, and the singletons
// freed in reverse. A table that cannot be opened at start is reported with one
// message naming it and its reason, and the program ends. Returns the exit code.
int ProgrammStarten(Programmkoerper &koerper, const std::function<int()> &nachrichtenschleife,
                    dbe::TSession &session);

} // namespace fleet
