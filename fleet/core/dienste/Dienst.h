#pragma once

#include <stdexcept>

namespace fleet {

// The one implementation of a service that another part of the program
// provides (scheduling, reporting). That part puts its implementation in force
// at start; tests put a fake in its place. The contracts the program depends
// on are listed in Dienstvertraege.h, checked at start, and the commands that
// need a missing one stay disabled.
template <class Schnittstelle> class Dienst {
public:
    static Schnittstelle &aktuell()
    {
        if (!aktuell_)
            // Commands needing a missing service are disabled at start
            // (Dienstvertraege.h); should one slip through, the user reads German.
            throw std::logic_error("Diese Funktion ist in diesem Programm nicht verfügbar.");
        return *aktuell_;
    }
    static bool vorhanden() { return aktuell_ != nullptr; }
    // Returns the previous implementation.
    static Schnittstelle *setzen(Schnittstelle *implementierung)
    {
        Schnittstelle *vorher = aktuell_;
        aktuell_ = implementierung;
        return vorher;
    }

private:
    static inline Schnittstelle *aktuell_ = nullptr;
};

// Puts an implementation in force for its lifetime.
template <class Schnittstelle> class DienstInKraft {
public:
    explicit DienstInKraft(Schnittstelle &implementierung)
        : vorher_(Dienst<Schnittstelle>::setzen(&implementierung))
    {
    }
    ~DienstInKraft() { Dienst<Schnittstelle>::setzen(vorher_); }
    DienstInKraft(const DienstInKraft &) = delete;
    DienstInKraft &operator=(const DienstInKraft &) = delete;

private:
    Schnittstelle *vorher_;
};

} // namespace fleet
