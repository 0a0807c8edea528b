#include "ExportEntscheidungen.h"

#include <QFileInfo>

#include "daten/FilterLiteral.h"

namespace reporting {

namespace {

struct Tabelle {
    const char *name;
    const char *tabelle;
    const char *projekt;
    const char *projektZeilen; // one line per record; the plain project where there is none
    bool fahrzeugFilter;
};

const Tabelle kTabellen[kExportTabellen] = {
    {"Disposition", "KfzDispo.db", "ExportDispo.lst", "ExportDispoGr.lst", false},
    {"Historie", "KfzHisto.db", "ExportHisto.lst", "ExportHisto.lst", false},
    {"Monatsübersicht", "KfzMonat.db", "ExportMon_Ueb.lst", "ExportMon_UebGr.lst", false},
    {"Schadensmanag.", "KfzSchad.db", "ExportSchadensm.lst", "ExportSchadensm.lst", false},
    {"Stammdaten", "KfzStamm.db", "ExportStammLis.lst", "ExportStammLisGr.lst", true},
    {"Touren", "KfzTour.db", "ExportTouren.lst", "ExportTourenGr.lst", false},
    {"Var.Kosten", "KfzVar.db", "ExportVarkost.lst", "ExportVarkostGr.lst", false},
};

struct Format {
    const char *eintrag;
    const char *filter;
    const char *datei;
    const char *ziel;
};

const Format kFormate[kExportFormate] = {
    {"Adobe Reader  (pdf)", "*.PDF", "export.pdf", "PDF"},
    {"Microsoft Excel (xls)", "*.XLS", "export.xls", "XLS"},
    {"HTML", "*.HTM", "export.htm", "HTML"},
    {"MHTML", "*.MHT", "export.mht", "MHTML"},
    {"Rich Text Format (rtf)", "*.RTF", "export.rtf", "RTF"},
    {"Text (txt)", "*.TXT", "export.txt", "TXT"},
    {"XML", "*.XML", "export.xml", "XML"},
};

const Tabelle *tabelle(int daten)
{
    return daten >= 0 && daten < kExportTabellen ? &kTabellen[daten] : nullptr;
}

const Format *format(int f)
{
    return f >= 0 && f < kExportFormate ? &kFormate[f] : nullptr;
}

} // namespace

QStringList ExportDatenNamen()
{
    QStringList namen;
    for (const Tabelle &t : kTabellen)
        namen << QString::fromUtf8(t.name);
    return namen;
}

QStringList ExportFormatNamen()
{
    QStringList namen;
    for (const Format &f : kFormate)
        namen << QString::fromUtf8(f.eintrag);
    return namen;
}

QString ExportTabelle(int daten)
{
    const Tabelle *t = tabelle(daten);
    return t ? QString::fromLatin1(t->tabelle) : QString();
}

bool ExportMitFahrzeugFilter(int daten)
{
    const Tabelle *t = tabelle(daten);
    return t && t->fahrzeugFilter;
}

QString ExportZielZu(int f)
{
    const Format *x = format(f);
    return x ? QString::fromLatin1(x->ziel) : QString();
}

QString ExportDateiFilter(int f)
{
    const Format *x = format(f);
    return x ? QString::fromLatin1(x->filter) : QString();
}

QString ExportStandardDatei(int f)
{
    const Format *x = format(f);
    return x ? QString::fromLatin1(x->datei) : QString();
}

QString ExportProjekt(int daten, const QString &ziel)
{
    const Tabelle *t = tabelle(daten);
    if (!t)
        return QString();
    const bool datenformat =
        ziel == QLatin1String("XLS") || ziel == QLatin1String("TXT") || ziel == QLatin1String("XML");
    return QString::fromLatin1(datenformat ? t->projektZeilen : t->projekt);
}

QString ExportFahrzeugFilter(const QString &kfzNr)
{
    return QStringLiteral("KfzNr = ") + fleet::FilterLiteral(kfzNr);
}

ExportParameter ExportParameterZu(const QString &zielDatei, bool anzeigen)
{
    const QFileInfo info(zielDatei);
    return {info.path(), info.fileName(), QStringLiteral("1"),
            anzeigen ? QStringLiteral("1") : QStringLiteral("0")};
}

} // namespace reporting
