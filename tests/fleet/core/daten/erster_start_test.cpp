#include <gtest/gtest.h>

#include <map>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/ErsterStart.h"
#include "daten/Programmkoerper.h"
#include "daten/Programmstart.h"
#include "daten/schema/Katalog.h"
#include "dbe/Table.h"
#include "kern_umgebung.h"

namespace fleet {
void SingletonsEintragen(Programmkoerper &koerper, dbe::TSession &session);
}

namespace {

using kerntest::Umgebung;

// Every file under the home directory with a hash of its content; lock files
// of open tables are left out.
std::map<QString, QByteArray> abbild(const QString &wurzel)
{
    std::map<QString, QByteArray> dateien;
    QDirIterator it(wurzel, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString pfad = it.next();
        if (pfad.contains(QLatin1String("/.locks/")))
            continue;
        QFile f(pfad);
        f.open(QIODevice::ReadOnly);
        dateien[pfad] = QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1);
    }
    return dateien;
}

int zeilen(dbe::TSession &s, const QString &alias, const QString &tabelle)
{
    dbe::TTable t(&s);
    t.SetDatabaseName(alias);
    t.SetTableName(tabelle);
    t.Open();
    return t.RecordCount();
}

int starten(dbe::TSession &session, bool &tabellenOffen)
{
    fleet::Programmkoerper koerper;
    fleet::SingletonsEintragen(koerper, session);
    return fleet::ProgrammStarten(
        koerper,
        [&] {
            tabellenOffen = fleet::DataModule1 && fleet::DataModule1->TTblMain.Active();
            return 0;
        },
        session);
}

TEST(ErsterStart, EmptyHomeGetsConfigurationDirectoriesTablesAndStartRows)
{
    Umgebung u(false);
    kerntest::MeldungsRekorder meldungen;
    ASSERT_FALSE(u.session().ConfigFileFound());
    bool offen = false;
    EXPECT_EQ(starten(u.session(), offen), 0);
    EXPECT_TRUE(offen);
    EXPECT_TRUE(meldungen.texte.isEmpty()) << meldungen.texte.join("|").toStdString();

    EXPECT_TRUE(QFileInfo::exists(u.session().ConfigFile()));
    EXPECT_TRUE(u.session().ConfigFile().startsWith(QString::fromStdString(u.verzeichnis().str()) +
                                                    "/config/karvenfp"));
    EXPECT_EQ(QDir::cleanPath(u.session().DirectoryOf(fleet::kAliasFuhrpark)), u.daten() + "/Datenbk");
    for (int i = 2; i <= 20; ++i)
        EXPECT_TRUE(QFileInfo(u.daten() + QStringLiteral("/Datenbk%1").arg(i)).isDir()) << i;
    EXPECT_EQ(QDir::currentPath(), fleet::ProgrammVerzeichnisPfad());

    // A second session reads the aliases back from the configuration.
    u.neueSession();
    ASSERT_TRUE(u.session().ConfigFileFound());
    EXPECT_FALSE(fleet::ErsterStartEinrichten(u.session()));
    for (const dbe::TableDef &def : fleet::SchemaKatalog()) {
        dbe::TTable t(&u.session());
        t.SetDatabaseName(def.alias);
        t.SetTableName(def.name);
        EXPECT_TRUE(t.Exists()) << def.name.toStdString();
        EXPECT_NO_THROW(t.Open()) << def.name.toStdString();
    }
    EXPECT_EQ(zeilen(u.session(), fleet::kAliasFuhrpkMand, "Kfzsyste.DB"), 1);
    EXPECT_EQ(zeilen(u.session(), fleet::kAliasFuhrparkPriv, "Kfzsyspr.DB"), 1);
    EXPECT_EQ(zeilen(u.session(), fleet::kAliasFuhrpkMand, "Mandant.db"), 20);
    EXPECT_EQ(zeilen(u.session(), fleet::kAliasFuhrpark, "TerminKz.DB"), 21);
    EXPECT_EQ(zeilen(u.session(), fleet::kAliasFuhrpark, "HILFE.DB"), 2);
    EXPECT_EQ(zeilen(u.session(), fleet::kAliasFuhrpark, "KfzStamm.db"), 0);
}

TEST(ErsterStart, StartRowsCarryTheDefaults)
{
    Umgebung u;
    dbe::TTable allgemein(&u.session());
    allgemein.SetDatabaseName(fleet::kAliasFuhrpkMand);
    allgemein.SetTableName("Kfzsyste.DB");
    allgemein.Open();
    EXPECT_EQ(allgemein.FieldByName("Textfeld1")->AsString(), "Touren");
    EXPECT_EQ(allgemein.FieldByName("Textfeld2")->AsString(), "Standard");
    EXPECT_EQ(allgemein.FieldByName("Textfeld14")->AsString(), "D");
    EXPECT_EQ(allgemein.FieldByName("Textfeld15")->AsString(), "W");
    EXPECT_FALSE(allgemein.FieldByName("Boolfeld1")->AsBoolean());
    EXPECT_TRUE(allgemein.FieldByName("PkwNummerSichtbar")->AsBoolean());
    EXPECT_EQ(allgemein.FieldByName("NameKostenHaftpflicht")->AsString(), "Haftplicht");

    dbe::TTable privat(&u.session());
    privat.SetDatabaseName(fleet::kAliasFuhrparkPriv);
    privat.SetTableName("Kfzsyspr.DB");
    privat.Open();
    EXPECT_EQ(privat.FieldByName("Rights")->AsString(), "S");
    EXPECT_TRUE(privat.FieldByName("FarbenSindDefault")->AsBoolean());
    EXPECT_TRUE(privat.FieldByName("Fahrer-StammdatenZeigen")->AsBoolean());
    EXPECT_TRUE(privat.FieldByName("Freitermin14Zeigen")->AsBoolean());
    EXPECT_EQ(privat.FieldByName("FarbeKopfzeileFeldHinterg")->AsInteger(), static_cast<qint32>(0x80000014u));
    EXPECT_EQ(privat.FieldByName("FarbeKopfzeilePanel")->AsInteger(), 0x00C0C0C0);

    dbe::TTable mandanten(&u.session());
    mandanten.SetDatabaseName(fleet::kAliasFuhrpkMand);
    mandanten.SetTableName("Mandant.db");
    mandanten.Open();
    mandanten.First();
    EXPECT_EQ(mandanten.FieldByName("Mandant")->AsString(), "Mandant1");
    EXPECT_EQ(mandanten.FieldByName("Verzeichnis")->AsString(), "Datenbk");
    mandanten.Last();
    EXPECT_EQ(mandanten.FieldByName("Mandant")->AsString(), "Mandant20");
    EXPECT_EQ(mandanten.FieldByName("Verzeichnis")->AsString(), "Datenbk20");

    dbe::TTable codes(&u.session());
    codes.SetDatabaseName(fleet::kAliasFuhrpark);
    codes.SetTableName("TerminKz.DB");
    codes.Open();
    for (const char *code : {"TUV", "ASU", "I", "KLI", "GRI", "VI1", "VI2", "FT1", "FT14"})
        EXPECT_TRUE(codes.Locate("TerminKennzeichen", QString::fromLatin1(code))) << code;

    dbe::TTable hilfe(&u.session());
    hilfe.SetDatabaseName(fleet::kAliasFuhrpark);
    hilfe.SetTableName("HILFE.DB");
    hilfe.Open();
    for (int thema : {1, 2}) {
        ASSERT_TRUE(hilfe.Locate("Thema", thema)) << thema;
        EXPECT_GT(hilfe.FieldByName("Hilfe")->AsString().size(), 100) << thema;
    }
}

TEST(ErsterStart, SecondStartFindsEverythingAndChangesNothing)
{
    Umgebung u(false);
    kerntest::MeldungsRekorder meldungen;
    bool offen = false;
    ASSERT_EQ(starten(u.session(), offen), 0);
    const auto vorher = abbild(QString::fromStdString(u.verzeichnis().str()));
    ASSERT_GT(vorher.size(), 2u);

    u.neueSession();
    offen = false;
    EXPECT_EQ(starten(u.session(), offen), 0);
    EXPECT_TRUE(offen);
    EXPECT_TRUE(meldungen.texte.isEmpty());
    EXPECT_EQ(abbild(QString::fromStdString(u.verzeichnis().str())), vorher);
}

} // namespace

namespace {

TEST(ErsterStart, ClientDirectoryGetsCodesAndHelpTopicsOnce)
{
    Umgebung u;
    const QString mandant3 = u.daten() + "/Datenbk3";
    ASSERT_TRUE(QFileInfo(mandant3).isDir());
    fleet::MandantVerzeichnisEinrichten(u.session(), mandant3);
    fleet::MandantVerzeichnisEinrichten(u.session(), mandant3);
    EXPECT_EQ(zeilen(u.session(), mandant3, "TerminKz.DB"), 21);
    EXPECT_EQ(zeilen(u.session(), mandant3, "HILFE.DB"), 2);
}

} // namespace
