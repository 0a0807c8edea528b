#pragma once

#include <functional>

#include <QList>
#include <QString>
#include <QStringList>

namespace fleet {

// The singletons of the program (data module and forms) in their fixed
// creation order, each kept in its global instance variable. They are freed in
// the reverse order, so the data module, created first, goes last.
class Programmkoerper {
public:
    Programmkoerper() = default;
    ~Programmkoerper();
    Programmkoerper(const Programmkoerper &) = delete;
    Programmkoerper &operator=(const Programmkoerper &) = delete;

    void eintragen(const QString &klasse, std::function<void()> erzeugen, std::function<void()> freigeben);

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
    // Creates every singleton in order. When one fails, those already created
    // are freed in reverse order and the error goes on to the caller.
    void erzeugen();
    // Frees the created singletons in reverse order; nothing when none is left.
    void freigeben();

private:
    struct Schritt {
        QString klasse;
        std::function<void()> erzeugen;
        std::function<void()> freigeben;
    };
    QList<Schritt> schritte_;
    int erzeugt_ = 0;
};

} // namespace fleet
