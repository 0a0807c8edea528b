#include "kern_umgebung.h"

#include <cstdlib>
#include <filesystem>

#include <QDir>

#include "daten/Aliase.h"
#include "daten/ErsterStart.h"
#include "dbe/Table.h"

namespace kerntest {

namespace {

void umgebungSetzen(const std::string &basis)
{
    setenv("XDG_DATA_HOME", (basis + "/daten").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (basis + "/config").c_str(), 1);
    setenv("KARVENFP_CONFIG_DIR", (basis + "/config/karvenfp").c_str(), 1);
}

// A home after its first start, made once per test program; each test copies
// its data, which is much faster than setting up the tables again.
const testsupport::TempDir &vorlage()
{
    static const testsupport::TempDir dir;
    static const bool eingerichtet = [] {
        umgebungSetzen(dir.str());
        dbe::TSession session;
        fleet::ErsterStartEinrichten(session);
        return true;
    }();
    (void)eingerichtet;
    return dir;
}

} // namespace

Umgebung::Umgebung(bool einrichten) : altesVerzeichnis_(QDir::currentPath())
{
    const std::string basis = dir_.str();
    if (einrichten) {
        std::filesystem::copy(vorlage().path() / "daten", dir_.path() / "daten",
                              std::filesystem::copy_options::recursive);
    }
    umgebungSetzen(basis);
    neueSession();
    if (einrichten) {
        const QString wurzel = daten();
        session_->AddStandardAlias(fleet::kAliasFuhrpark, wurzel + "/Datenbk");
        session_->AddStandardAlias(fleet::kAliasFuhrparkPriv, wurzel + "/Arbeitsplatz");
        session_->AddStandardAlias(fleet::kAliasFuhrpkMand, wurzel + "/Mandanten");
        session_->SaveConfigFile();
        neueSession();
        fleet::ErsterStartEinrichten(*session_); // finds the configuration: hands over the catalogue only
    }
}

Umgebung::~Umgebung()
{
    session_.reset();
    QDir::setCurrent(altesVerzeichnis_);
}

QString Umgebung::daten() const
{
    return QString::fromStdString(dir_.str()) + QStringLiteral("/daten/karvenfp");
}

void Umgebung::neueSession()
{
    session_.reset();
    session_ = std::make_unique<dbe::TSession>();
}

void zeileAnfuegen(dbe::TSession &session, const QString &alias, const QString &tabelle,
                   const QStringList &felder, const QVariantList &werte)
{
    dbe::TTable t(&session);
    t.SetDatabaseName(alias);
    t.SetTableName(tabelle);
    t.Open();
    t.Append();
    for (int i = 0; i < felder.size(); ++i)
        t.FieldByName(felder[i])->SetValue(werte[i]);
    t.Post();
    t.Close();
}

void satzSetzen(dbe::TSession &session, const QString &alias, const QString &tabelle, const Werte &werte)
{
    dbe::TTable t(&session);
    t.SetDatabaseName(alias);
    t.SetTableName(tabelle);
    t.Open();
    t.Edit();
    for (const auto &[feld, wert] : werte)
        t.FieldByName(feld)->SetValue(wert);
    t.Post();
}

ZweiterArbeitsplatz::ZweiterArbeitsplatz(const QString &modus, const QString &alias, const QString &tabelle)
{
    prozess_.start(QStringLiteral(TABELLE_HALTEN), {modus, alias, tabelle});
    if (!prozess_.waitForStarted(5000))
        return;
    while (prozess_.waitForReadyRead(5000)) {
        if (prozess_.canReadLine()) {
            bereit_ = prozess_.readLine().trimmed() == "bereit";
            return;
        }
    }
}

ZweiterArbeitsplatz::~ZweiterArbeitsplatz()
{
    prozess_.closeWriteChannel();
    if (!prozess_.waitForFinished(5000))
        prozess_.kill();
}

QString ZweiterArbeitsplatz::einmal(const QString &modus, const QString &alias, const QString &tabelle)
{
    QProcess p;
    p.start(QStringLiteral(TABELLE_HALTEN), {modus, alias, tabelle});
    // A lock attempt waits up to five seconds for its turn before it says "nein".
    p.waitForFinished(20000);
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

MeldungsRekorder::MeldungsRekorder() : vorher_(ui::Seam<ui::Messages>::replace(this)) {}

MeldungsRekorder::~MeldungsRekorder()
{
    ui::Seam<ui::Messages>::replace(vorher_);
}

ui::Answer MeldungsRekorder::show(ui::MsgType, const QString &text, ui::MsgButtons)
{
    texte << text;
    return ui::Answer::Ok;
}

} // namespace kerntest
