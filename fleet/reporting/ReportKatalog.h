#pragma once

#include <QString>

namespace reporting {

// One report of the catalogue: its number, the text the settings form's designer combo shows, and
// its project, a name relative to the program directory.
struct ReportEintrag {
    int nummer;
    const char *designerText;
    const char *projekt;
    bool karte; // card project (".crd"), else list project (".lst")
};

constexpr int kReportAnzahl = 25;

// The entry of a report number, or null outside 0..24.
const ReportEintrag *ReportEintragZu(int nummer);

// The number behind a text of the designer combo, or -1.
int ReportNummerZuDesignerText(const QString &text);

// Object kind for the designer: list or card, marked "may be new" (32770 / 32771).
int DesignerObjektArt(const ReportEintrag &eintrag);

} // namespace reporting
