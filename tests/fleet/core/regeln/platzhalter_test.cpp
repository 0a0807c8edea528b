#include <gtest/gtest.h>

#include "regeln/Platzhalter.h"

namespace {

struct Fall {
    const char *platzhalter;
    const char *kategorie;
    const char *feld;
    bool ergebnis;
};

TEST(PlatzhalterZerlegen, SplitsAtTheFirstSlashAndAcceptsOnlyDriverAndVehicle)
{
    const Fall faelle[] = {
        {"<Fahrer/Name>", "Fahrer", "Name", true},
        {"<Fahrzeug/KfzNr>", "Fahrzeug", "KfzNr", true},
        {"<Kunde/Name>", "Kunde", "Name", false},
        {"<fahrer/Name>", "fahrer", "Name", false}, // exact comparison
        {"<Fahrzeug/Benzin/Preis>", "Fahrzeug", "Benzin/Preis", true},
        {"<FahrerName>", "", "", false},
        {"", "", "", false},
        {"</>", "", "", false},
        {"<Fahrer/>", "Fahrer", "", true},
        {"/x", "", "", false},
    };
    for (const Fall &f : faelle) {
        QString kategorie = QStringLiteral("alt"), feld = QStringLiteral("alt");
        const bool ergebnis = fleet::PlatzhalterZerlegen(QString::fromUtf8(f.platzhalter), kategorie, feld);
        EXPECT_EQ(ergebnis, f.ergebnis) << f.platzhalter;
        EXPECT_EQ(kategorie, QString::fromUtf8(f.kategorie)) << f.platzhalter;
        EXPECT_EQ(feld, QString::fromUtf8(f.feld)) << f.platzhalter;
    }
}

} // namespace
