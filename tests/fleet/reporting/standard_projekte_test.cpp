#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "ReportKatalog.h"
#include "StandardProjekte.h"
#include "reportengine/Expression.h"
#include "reportengine/ProjectStore.h"
#include "temp_dir.h"

namespace {

QByteArray ressource(const QString &name)
{
    QFile f(QStringLiteral(":/reports/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString pfad(const testsupport::TempDir &dir, const QString &name = {})
{
    return QDir(QString::fromStdString(dir.path().string())).filePath(name);
}

} // namespace

TEST(StandardProjekte, ShipsEveryReportAndExportProject)
{
    const QStringList reports = {
        "Mon_Ueb.lst",   "Mon_Aus.crd",  "VarKost.lst",  "Touren.lst",   "Stammdat.crd",
        "DuFahrz.lst",   "Termine.lst",  "StammLis.lst", "Fuhrkst.lst",  "TourAusw.lst",
        "Mon_UebK.lst",  "Reifen.lst",   "Historie.lst", "Dispo.lst",    "Tankdat.lst",
        "FaHist.lst",    "FaStaLis.lst", "FaStamm.crd",  "FaTour.lst",   "MonAusAF.lst",
        "Schadensm.lst", "MandLst.lst",  "Mandant.crd",  "TermInfo.crd", "WerkTerm.lst"};
    const QStringList exports = {"ExportDispo.lst",    "ExportDispoGr.lst",    "ExportHisto.lst",
                                 "ExportMon_Ueb.lst",  "ExportMon_UebGr.lst",  "ExportSchadensm.lst",
                                 "ExportStammLis.lst", "ExportStammLisGr.lst", "ExportTouren.lst",
                                 "ExportTourenGr.lst", "ExportVarkost.lst",    "ExportVarkostGr.lst"};
    const QStringList shipped = reporting::StandardProjektNamen();
    EXPECT_EQ(shipped.size(), reports.size() + exports.size());
    for (const QString &name : reports + exports)
        EXPECT_TRUE(shipped.contains(name)) << name.toStdString();
}

// Each project loads as the engine loads it: the right kind, A4, the shipped font, every expression
// valid, a list with exactly one table, and every name it refers to is a name and not a typo of a
// function (an unknown function is a syntax error of the whole project).
TEST(StandardProjekte, EveryProjectLoadsWithValidExpressions)
{
    for (const QString &name : reporting::StandardProjektNamen()) {
        SCOPED_TRACE(name.toStdString());
        tb::Project project;
        QString error;
        ASSERT_TRUE(tb::JsonProjectStore::fromJson(ressource(name), project, &error)) << error.toStdString();
        const bool liste = name.endsWith(QLatin1String(".lst"));
        EXPECT_EQ(project.kind, liste ? tb::ProjectKind::List : tb::ProjectKind::Card);
        EXPECT_EQ(project.page.paper, QStringLiteral("A4"));
        EXPECT_EQ(project.font.family.value_or(QString()), QStringLiteral("Liberation Sans"));
        int tabellen = 0;
        for (const tb::PageObject &o : project.objects)
            tabellen += o.type == tb::PageObject::Type::Table ? 1 : 0;
        EXPECT_EQ(tabellen, liste ? 1 : 0);
        for (const QString &source : project.expressions()) {
            const auto parsed = tb::Expression::parse(source, &error);
            EXPECT_TRUE(parsed.has_value()) << source.toStdString() << ": " << error.toStdString();
        }
    }
}

TEST(StandardProjekte, FirstStartCopiesMissingProjectsAndKeepsTheUsersOwn)
{
    testsupport::TempDir dir;
    const QString eigenes = QStringLiteral("{\"vom\": \"Benutzer\"}");
    testsupport::writeFile(dir.path() / "Touren.lst", eigenes.toStdString());

    EXPECT_TRUE(reporting::StandardProjekteKopieren(pfad(dir)).isEmpty());

    for (const QString &name : reporting::StandardProjektNamen()) {
        SCOPED_TRACE(name.toStdString());
        const QFileInfo info(pfad(dir, name));
        ASSERT_TRUE(info.exists());
        EXPECT_TRUE(info.isWritable()); // the designer saves over it
        if (name != QLatin1String("Touren.lst")) {
            EXPECT_EQ(testsupport::readFile(dir.path() / name.toStdString()), ressource(name).toStdString());
        }
    }
    EXPECT_EQ(testsupport::readFile(dir.path() / "Touren.lst"), eigenes.toStdString());

    // A second start copies nothing and changes nothing.
    EXPECT_TRUE(reporting::StandardProjekteKopieren(pfad(dir)).isEmpty());
    EXPECT_EQ(testsupport::readFile(dir.path() / "Touren.lst"), eigenes.toStdString());
}

TEST(StandardProjekte, UnwritableDirectoryReportsEveryProject)
{
    testsupport::TempDir dir;
    testsupport::writeFile(dir.path() / "datei", "kein Verzeichnis");
    const QStringList fehler = reporting::StandardProjekteKopieren(pfad(dir, QStringLiteral("datei/unter")));
    EXPECT_EQ(fehler, reporting::StandardProjektNamen());
}

// Every report of the catalogue names a shipped project of its kind; designer texts lead back to it.
TEST(StandardProjekte, CatalogueNamesShippedProjectsOfTheRightKind)
{
    const QStringList shipped = reporting::StandardProjektNamen();
    for (int nr = 0; nr < reporting::kReportAnzahl; ++nr) {
        SCOPED_TRACE(nr);
        const reporting::ReportEintrag *e = reporting::ReportEintragZu(nr);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->nummer, nr);
        const QString projekt = QString::fromLatin1(e->projekt);
        EXPECT_TRUE(shipped.contains(projekt)) << e->projekt;
        tb::Project project;
        ASSERT_TRUE(tb::JsonProjectStore::fromJson(ressource(projekt), project, nullptr));
        EXPECT_EQ(project.kind == tb::ProjectKind::Card, e->karte);
        EXPECT_EQ(reporting::DesignerObjektArt(*e), e->karte ? 32771 : 32770);
        EXPECT_EQ(reporting::ReportNummerZuDesignerText(QString::fromUtf8(e->designerText)), nr);
    }
    EXPECT_EQ(reporting::ReportEintragZu(-1), nullptr);
    EXPECT_EQ(reporting::ReportEintragZu(25), nullptr);
    EXPECT_EQ(reporting::ReportNummerZuDesignerText(QStringLiteral("Unbekannt")), -1);
}
