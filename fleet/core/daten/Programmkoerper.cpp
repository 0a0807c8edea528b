#include "daten/Programmkoerper.h"

namespace fleet {

Programmkoerper::~Programmkoerper()
{
    freigeben();
}

void Programmkoerper::eintragen(const QString &klasse, std::function<void()> erzeugen,
                                std::function<void()> freigeben)
{
    schritte_.append({klasse, std::move(erzeugen), std::move(freigeben)});
}

QStringList Programmkoerper::Reihenfolge() const
{
    QStringList namen;
    for (const Schritt &s : schritte_)
        namen << s.klasse;
    return namen;
}

void Programmkoerper::erzeugen()
{
    try {
        while (erzeugt_ < schritte_.size()) {
            schritte_[erzeugt_].erzeugen();
            ++erzeugt_;
        }
    } catch (...) {
        freigeben();
        throw;
    }
}

void Programmkoerper::freigeben()
{
    while (erzeugt_ > 0) {
        --erzeugt_;
        schritte_[erzeugt_].freigeben();
    }
}

} // namespace fleet
