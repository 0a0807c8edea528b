#include "daten/ErsterStart.h"

#include <optional>

#include <QDir>
#include <QStandardPaths>

#include "daten/Aliase.h"
#include "daten/StartDaten.h"
#include "daten/schema/Katalog.h"
#include "dbe/Session.h"
#include "dbe/Table.h"

namespace fleet {

namespace {

const QString kVerzeichnisArbeitsplatz = QStringLiteral("Arbeitsplatz");
const QString kVerzeichnisMandanten = QStringLiteral("Mandanten");

void verzeichnisAnlegen(const QString &pfad)
{
    if (!QDir().mkpath(pfad))
        throw std::runtime_error("cannot create " + pfad.toStdString());
}

// A missing table is created from the catalogue, without opening it; a table
// that is already there keeps its rows.
void tabelleAnlegen(dbe::TSession &session, const dbe::TableDef &def)
{
    dbe::TTable t(&session);
    t.SetDatabaseName(def.alias);
    t.SetTableName(def.name);
    if (!t.Exists())
        t.CreateTable(&def);
}

void zeileSchreiben(dbe::TTable &t, const startdaten::Zeile &zeile)
{
    t.Append();
    for (const auto &[feld, wert] : zeile)
        t.FieldByName(feld)->SetValue(wert);
    t.Post();
}

// Rows go only into an empty table, so that data found in the directories stays.
// `datenbank` is an alias or a client's directory. The rows go in with one
// commit: their own, or that of the caller's transaction.
enum class Commit { Eigener, DesAufrufers };
void zeilenEinfuegen(dbe::TSession &session, const QString &datenbank, const QString &tabelle,
                     const QList<startdaten::Zeile> &zeilen, Commit commit)
{
    dbe::TTable t(&session);
    t.SetDatabaseName(datenbank);
    t.SetTableName(tabelle);
    if (!t.Exists())
        t.CreateTable(KatalogTabelle(tabelle));
    t.Open();
    if (t.IsEmpty()) {
        std::optional<dbe::TTransaction> transaktion;
        if (commit == Commit::Eigener)
            transaktion.emplace(session, datenbank);
        for (const startdaten::Zeile &z : zeilen)
            zeileSchreiben(t, z);
        if (transaktion)
            transaktion->Commit();
    }
    t.Close();
}

void mandantZeilenEinfuegen(dbe::TSession &session, const QString &datenbank, Commit commit)
{
    zeilenEinfuegen(session, datenbank, QStringLiteral("TerminKz.DB"), startdaten::TerminKennzeichen(),
                    commit);
    zeilenEinfuegen(session, datenbank, QStringLiteral("HILFE.DB"), startdaten::HilfeThemen(), commit);
}

} // namespace

QString DatenWurzel()
{
    QString basis = qEnvironmentVariable("XDG_DATA_HOME");
    if (basis.isEmpty())
        basis = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(basis + QStringLiteral("/karvenfp"));
}

QString ProgrammVerzeichnisPfad()
{
    return DatenWurzel() + QStringLiteral("/Programm");
}

void MandantVerzeichnisEinrichten(dbe::TSession &session, const QString &datenbank)
{
    mandantZeilenEinfuegen(session, datenbank, Commit::Eigener);
}

bool ErsterStartEinrichten(dbe::TSession &session)
{
    session.RegisterTables(SchemaKatalog());
    if (session.ConfigFileFound())
        return false;

    const QString wurzel = DatenWurzel();
    for (int i = 1; i <= 20; ++i)
        verzeichnisAnlegen(wurzel + QLatin1Char('/') + startdaten::MandantVerzeichnis(i));
    verzeichnisAnlegen(wurzel + QLatin1Char('/') + kVerzeichnisArbeitsplatz);
    verzeichnisAnlegen(wurzel + QLatin1Char('/') + kVerzeichnisMandanten);
    verzeichnisAnlegen(ProgrammVerzeichnisPfad());

    session.AddStandardAlias(kAliasFuhrpark, wurzel + QLatin1Char('/') + startdaten::MandantVerzeichnis(1));
    session.AddStandardAlias(kAliasFuhrparkPriv, wurzel + QLatin1Char('/') + kVerzeichnisArbeitsplatz);
    session.AddStandardAlias(kAliasFuhrpkMand, wurzel + QLatin1Char('/') + kVerzeichnisMandanten);

    // One commit per alias for all its tables and their start rows.
    for (const QString &alias : {kAliasFuhrpark, kAliasFuhrparkPriv, kAliasFuhrpkMand}) {
        dbe::TTransaction transaktion(session, alias);
        for (const dbe::TableDef &def : KatalogDesAlias(alias))
            tabelleAnlegen(session, def);
        if (alias == kAliasFuhrpkMand) {
            zeilenEinfuegen(session, alias, QStringLiteral("Kfzsyste.DB"),
                            {startdaten::EinstellungenAllgemein()}, Commit::DesAufrufers);
            zeilenEinfuegen(session, alias, QStringLiteral("Mandant.db"), startdaten::Mandanten(),
                            Commit::DesAufrufers);
        } else if (alias == kAliasFuhrparkPriv) {
            zeilenEinfuegen(session, alias, QStringLiteral("Kfzsyspr.DB"),
                            {startdaten::EinstellungenArbeitsplatz()}, Commit::DesAufrufers);
        } else {
            mandantZeilenEinfuegen(session, alias, Commit::DesAufrufers);
        }
        transaktion.Commit();
    }

    // Saved last: a start that failed half-way is set up again at the next one.
    session.SaveConfigFile();
    return true;
}

} // namespace fleet
