#pragma once

#include <functional>

#include <QList>
#include <QString>
#include <QStringList>

namespace fleet {

// The singletons of the program (data module and forms) in their fixed
// order, each kept in its global instance variable. The start creates them in
// that order, except those made on first use; all are freed in the reverse
// order, so the data module, created first, goes last.
class Programmkoerper {
public:
    Programmkoerper() = default;
    ~Programmkoerper();
    Programmkoerper(const Programmkoerper &) = delete;
    Programmkoerper &operator=(const Programmkoerper &) = delete;

    void eintragen(const QString &klasse, std::function<void()> erzeugen, std::function<void()> freigeben);
    // A form that nothing needs at start: made on first use, when a caller
    // asks for it by the name `formular` (bereitstellen, or FormularFinden
    // while the program runs); freed in its place of the order.
    void eintragenBeiBedarf(const QString &klasse, const QString &formular, std::function<void()> erzeugen,
                            std::function<void()> freigeben);

    // A singleton made with `new T()` into `global`.
    template <class T> void eintragen(const QString &klasse, T *&global)
    {
        eintragen(
            klasse, [&global] { global = new T(); },
            [&global] {
                T *weg = global;
                global = nullptr;
                delete weg;
            });
    }

    QStringList Reihenfolge() const;
    // Creates every singleton in order, those made on first use left out.
    // When one fails, those already created are freed in reverse order and the
    // error goes on to the caller.
    void erzeugen();
    // Makes the form of that name that is made on first use, when it is not
    // made yet and the start has passed its place in the order (before, it
    // did not exist yet at that moment). True when it was made now; an error
    // of its creation goes on to the caller.
    bool bereitstellen(const QString &formular);
    bool erzeugt(const QString &klasse) const;
    // Frees the created singletons in reverse order; nothing when none is left.
    void freigeben();

private:
    enum class Stand { Offen, ImBau, Erzeugt };
    struct Schritt {
        QString klasse;
        QString formular; // empty: made at start
        std::function<void()> erzeugen;
        std::function<void()> freigeben;
        Stand stand = Stand::Offen;
    };
    QList<Schritt> schritte_;
    // The steps the start has passed; the forms among them may be made on demand.
    int erreicht_ = 0;
    bool erzeugerGesetzt_ = false;
};

} // namespace fleet
