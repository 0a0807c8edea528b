#pragma once

#include "dienste/TerminDienste.h"

namespace fleet {

// The scheduling part's answer to what the core asks of it. Each member hands
// over to its form, made on first use; a member whose form the program does
// not make does nothing.
class TerminDiensteImpl : public TerminDienste {
public:
    void TerminListeModalZeigen() override;
    void TerminListeZeigen() override;
    void TerminListeBereitstellen() override;
    bool DispoZeitraumErfragen(DispoZeitraum &zeitraum) override;
    void TourBearbeiten(int pruefCode) override;
    void FahrzeugvergleichZeigen() override;
    void FuhrparkKostenZeigen() override;
    void TourAuswertungZeigen() override;
    void MonatsauswertungAlleFahrzeugeZeigen() override;
    void TankdatenImportZeigen() override;
    void GrafikZeigen() override;
    void GrafikSchliessen() override;
    void FreieFahrzeugeZeigen() override;
    void FreieFahrzeugeSchliessen() override;
    void TextFormularZeigen() override;

    // Frees the forms made on first use (before the application goes).
    void Freigeben();
};

} // namespace fleet
