#pragma once

#include <cstdio>
#include <string>

#include "temp_dir.h"

// The fixed-column fuel file of the tests: type TANKFIX, code page 850, six
// lines of kind "20" between a header and a trailer.
namespace tanktest {

inline std::string fest(const std::string &text, std::size_t breite)
{
    std::string s = text.substr(0, breite);
    s.resize(breite, ' ');
    return s;
}

// One line of the fixed layout (amounts in cents, numbers zero-padded).
inline std::string festeZeile(const char *art, const std::string &kennz, const char *datum, const char *beleg,
                              int km, const char *gruppe, int menge, int netto, int mwst, int brutto)
{
    char zahlen[64];
    std::snprintf(zahlen, sizeof zahlen, "%08d%09d%09d%09d", menge, netto, mwst, brutto);
    char kmText[16];
    std::snprintf(kmText, sizeof kmText, "%07d", km);
    return std::string(art) + fest(kennz, 12) + datum + fest(beleg, 10) + kmText + gruppe +
           fest("Artikel " + std::string(gruppe), 30) + zahlen + "\r\n";
}

inline void tankfixSchreiben(const testsupport::TempDir &ablage)
{
    testsupport::writeFile(
        ablage / "tankfix.sch",
        "[TANKFIX]\r\nFILETYPE = FIXED\r\nCHARSET = INTL850\r\n"
        "Field1 = Satzart,CHAR,2,00,00\r\nField2 = Kennzeichen,CHAR,12,00,02\r\n"
        "Field3 = Rechnungsdatum,CHAR,6,00,14\r\nField4 = Belegnummer,CHAR,10,00,20\r\n"
        "Field5 = Kmstand,CHAR,7,00,30\r\nField6 = Warengruppenschluessel,CHAR,3,00,37\r\n"
        "Field7 = Artikelbezeichnung,CHAR,30,00,40\r\nField8 = Menge,CHAR,8,00,70\r\n"
        "Field9 = Nettowarenwert,CHAR,9,00,78\r\nField10 = Umsatzsteuerbetrag,CHAR,9,00,87\r\n"
        "Field11 = Bruttowarenwert,CHAR,9,00,96\r\n");
    testsupport::writeFile(
        ablage / "TANKFIX.txt",
        "10" + fest("KOPF", 103) + "\r\n" +
            festeZeile("20", "AB CD 12", "030105", "4711", 52310, "010", 4523, 4500, 720, 5220) +
            festeZeile("20", "AB CD 12", "030105", "4711", 52310, "030", 100, 1034, 165, 1199) +
            festeZeile("20", "M\x9A-AB 77", "100105", "4720", 18000, "011", 0, 3000, 480, 3480) +
            festeZeile("20", "XY-ZZ 999", "120105", "4721", 1000, "010", 2000, 2000, 320, 2320) +
            festeZeile("20", "B-KL 456", "150105", "4722", 99000, "099", 100, 431, 69, 500) +
            festeZeile("20", "B-KL 456", "320105", "4723", 99100, "050", 100, 862, 138, 1000) + "90" +
            fest("ENDE", 103) + "\r\n");
}

} // namespace tanktest
