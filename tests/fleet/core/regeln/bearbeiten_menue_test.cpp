// The edit menu's enabled items as a truth table of what the menu sees when it opens.
#include <gtest/gtest.h>

#include "regeln/BearbeitenMenue.h"

using fleet::BearbeitenMenueAktualisieren;
using fleet::BearbeitenMenueFreigabe;
using fleet::BearbeitenMenueZustand;

namespace {

struct Fall {
    const char *name;
    BearbeitenMenueZustand zustand;
    BearbeitenMenueFreigabe erwartet;
};

BearbeitenMenueZustand z(bool daten, bool auswahl, bool edit, bool ablage)
{
    BearbeitenMenueZustand s;
    s.datenEingabe = daten;
    s.auswahl = auswahl;
    s.globalEdit = edit;
    s.zwischenablageText = ablage;
    return s;
}

BearbeitenMenueFreigabe f(bool aus, bool kop, bool ein)
{
    BearbeitenMenueFreigabe r;
    r.ausschneiden = aus;
    r.kopieren = kop;
    r.einfuegen = ein;
    return r;
}

} // namespace

TEST(BearbeitenMenue, ClipboardItemsFollowFocusSelectionAndEditMode)
{
    const Fall faelle[] = {
        {"nichts", z(false, false, false, false), f(false, false, false)},
        {"Lesemodus mit Auswahl und Ablage", z(true, true, false, true), f(false, true, false)},
        {"Lesemodus, Text in der Ablage", z(true, false, false, true), f(false, false, false)},
        {"Ändern mit Auswahl", z(true, true, true, false), f(true, true, false)},
        {"Ändern mit Ablage", z(true, false, true, true), f(false, false, true)},
        {"Ändern mit allem", z(true, true, true, true), f(true, true, true)},
        // A selection in any other control does not count.
        {"anderes Steuerelement", z(false, true, true, true), f(false, false, false)},
    };
    for (const Fall &fall : faelle) {
        const BearbeitenMenueFreigabe r = BearbeitenMenueAktualisieren(fall.zustand);
        EXPECT_EQ(r.ausschneiden, fall.erwartet.ausschneiden) << fall.name;
        EXPECT_EQ(r.kopieren, fall.erwartet.kopieren) << fall.name;
        EXPECT_EQ(r.einfuegen, fall.erwartet.einfuegen) << fall.name;
    }
}

TEST(BearbeitenMenue, NavigatorItemsFollowTheExtender)
{
    BearbeitenMenueZustand s;
    s.inkrSucheMoeglich = s.weitersuchenMoeglich = s.lesezeichenMoeglich = s.filterAktiv = true;
    BearbeitenMenueFreigabe r = BearbeitenMenueAktualisieren(s);
    EXPECT_TRUE(r.inkrSuchen);
    EXPECT_TRUE(r.weitersuchen);
    EXPECT_TRUE(r.lesezeichenverwaltung);
    EXPECT_TRUE(r.filterAus);
    // The two monthly pages have no incremental search, whatever the extender says.
    s.monatsSeite = true;
    r = BearbeitenMenueAktualisieren(s);
    EXPECT_FALSE(r.inkrSuchen);
    EXPECT_TRUE(r.weitersuchen);
    r = BearbeitenMenueAktualisieren(BearbeitenMenueZustand{});
    EXPECT_FALSE(r.inkrSuchen || r.weitersuchen || r.lesezeichenverwaltung || r.filterAus);
}
