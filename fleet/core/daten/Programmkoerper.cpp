#include "daten/Programmkoerper.h"

#include "dienste/Formularzugriff.h"

namespace fleet {

Programmkoerper::~Programmkoerper()
{
    freigeben();
}

void Programmkoerper::eintragen(const QString &klasse, std::function<void()> erzeugen,
                                std::function<void()> freigeben)
{
    schritte_.append({klasse, QString(), std::move(erzeugen), std::move(freigeben)});
}

void Programmkoerper::eintragenBeiBedarf(const QString &klasse, const QString &formular,
                                         std::function<void()> erzeugen, std::function<void()> freigeben)
{
    schritte_.append({klasse, formular, std::move(erzeugen), std::move(freigeben)});
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
    // A form looked up by name while the program runs is made if it is not made yet.
    FormularErzeugerSetzen([this](const QString &formular) { return bereitstellen(formular); });
    erzeugerGesetzt_ = true;
    try {
        for (; erreicht_ < schritte_.size(); ++erreicht_) {
            Schritt &s = schritte_[erreicht_];
            if (!s.formular.isEmpty() || s.stand != Stand::Offen)
                continue;
            s.erzeugen();
            s.stand = Stand::Erzeugt;
        }
    } catch (...) {
        freigeben();
        throw;
    }
}

bool Programmkoerper::bereitstellen(const QString &formular)
{
    for (int i = 0; i < erreicht_; ++i) {
        Schritt &s = schritte_[i];
        if (s.formular != formular || formular.isEmpty())
            continue;
        // A form asking for itself while it is being made gets nothing.
        if (s.stand != Stand::Offen)
            return false;
        s.stand = Stand::ImBau;
        try {
            s.erzeugen();
        } catch (...) {
            s.stand = Stand::Offen;
            throw;
        }
        s.stand = Stand::Erzeugt;
        return true;
    }
    return false;
}

bool Programmkoerper::erzeugt(const QString &klasse) const
{
    for (const Schritt &s : schritte_)
        if (s.klasse == klasse)
            return s.stand == Stand::Erzeugt;
    return false;
}

void Programmkoerper::freigeben()
{
    // Nothing is made on demand from here on.
    erreicht_ = 0;
    for (qsizetype i = schritte_.size() - 1; i >= 0; --i) {
        Schritt &s = schritte_[i];
        if (s.stand != Stand::Erzeugt)
            continue;
        s.stand = Stand::Offen;
        s.freigeben();
    }
    if (erzeugerGesetzt_) {
        FormularErzeugerSetzen(nullptr);
        erzeugerGesetzt_ = false;
    }
}

} // namespace fleet
