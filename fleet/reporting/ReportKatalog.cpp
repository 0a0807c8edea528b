#include "ReportKatalog.h"

#include <iterator>

#include "reportengine/EngineTypes.h"

namespace reporting {

namespace {

// Report 8 is designed and printed under one name: on a file system that tells case apart a
// designer name differing in case would edit a project that printing never reads.
constexpr ReportEintrag kKatalog[] = {
    {0, "Monatsübersicht-Stand.", "Mon_Ueb.lst", false},
    {1, "Monatsauswertung", "Mon_Aus.crd", true},
    {2, "Var. Kosten", "VarKost.lst", false},
    {3, "Touren", "Touren.lst", false},
    {4, "Stammdaten", "Stammdat.crd", true},
    {5, "Fahrzeugvergleich", "DuFahrz.lst", false},
    {6, "Termine", "Termine.lst", false},
    {7, "StammdatenListe", "StammLis.lst", false},
    {8, "Fuhrpark-Kosten", "Fuhrkst.lst", false},
    {9, "Touren-Auswertung", "TourAusw.lst", false},
    {10, "Monatsübersicht-Kosten", "Mon_UebK.lst", false},
    {11, "Reifen", "Reifen.lst", false},
    {12, "Historie", "Historie.lst", false},
    {13, "Disposition", "Dispo.lst", false},
    {14, "Tankdatenimport", "Tankdat.lst", false},
    {15, "Fahrer-Historie", "FaHist.lst", false},
    {16, "Fahrer-StammdatenListe", "FaStaLis.lst", false},
    {17, "Fahrer-Stammdaten", "FaStamm.crd", true},
    {18, "Fahrer-Touren", "FaTour.lst", false},
    {19, "Monatsauswertungen-a.F.", "MonAusAF.lst", false},
    {20, "Schadensmanagement", "Schadensm.lst", false},
    {21, "Mandanten-Liste", "MandLst.lst", false},
    {22, "Mandant", "Mandant.crd", true},
    {23, "TerminInfo", "TermInfo.crd", true},
    {24, "Werkstatt-Termine", "WerkTerm.lst", false},
};
static_assert(std::size(kKatalog) == kReportAnzahl);

} // namespace

const ReportEintrag *ReportEintragZu(int nummer)
{
    return nummer >= 0 && nummer < kReportAnzahl ? &kKatalog[nummer] : nullptr;
}

int ReportNummerZuDesignerText(const QString &text)
{
    for (const ReportEintrag &e : kKatalog)
        if (text == QString::fromUtf8(e.designerText))
            return e.nummer;
    return -1;
}

int DesignerObjektArt(const ReportEintrag &eintrag)
{
    return (eintrag.karte ? tb::TB_OBJECT_CARD : tb::TB_OBJECT_LIST) | tb::TB_OBJECT_MAY_BE_NEW;
}

} // namespace reporting
