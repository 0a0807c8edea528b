#include "regeln/Mandant.h"

#include <algorithm>
#include <vector>

#include <QFileInfo>
#include <QStringList>

#include "base/Abort.h"
#include "daten/DataModule1.h"
#include "daten/ErsterStart.h"
#include "daten/StartDaten.h"
#include "dbe/Session.h"
#include "dbe/Table.h"
#include "dienste/HauptFormularZugriff.h"
#include "dienste/Protokoll.h"
#include "regeln/FahrzeugRegeln.h"
#include "ui/Messages.h"

namespace fleet {

namespace {

constexpr int kMandantenAnzahl = 20;

std::vector<dbe::TTable *> &wiederzuoeffnen()
{
    static std::vector<dbe::TTable *> tabellen;
    return tabellen;
}

bool istTrenner(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

// The tables outside the main ones that were open before the switch; they are
// opened again after it, masters first.
QList<dbe::TTable *> offeneNebentabellen(TDataModule1 &dm)
{
    QList<dbe::TTable *> offen;
    for (dbe::TTable *t : {&dm.TTblTermine, &dm.TblBild})
        if (t->Active())
            offen << t;
    for (dbe::TTable *t : wiederzuoeffnen())
        if (t->Active())
            offen << t;
    return offen;
}

// Session closed, alias path set, configuration saved, session and tables open again.
// On the way back a configuration that cannot be saved must not keep the old
// client's tables closed.
enum class Speichern { Pflicht, WennMoeglich };

void umstellen(TDataModule1 &dm, dbe::TSession &session, const QString &alias, const QString &pfadZeile,
               const QList<dbe::TTable *> &nebentabellen, Speichern speichern)
{
    session.Close();
    // Only the path changes; the alias keeps its other parameters.
    session.ModifyAlias(alias, {pfadZeile});
    try {
        session.SaveConfigFile();
    } catch (...) {
        if (speichern == Speichern::Pflicht)
            throw;
        Verschluckt(Q_FUNC_INFO);
    }
    session.Open();
    // A client's directory used for the first time gets its appointment codes
    // and help topics.
    MandantVerzeichnisEinrichten(session, alias);
    AfterScrollUeberspringen = true;
    dm.DateienOeffnen();
    for (dbe::TTable *t : nebentabellen)
        t->Open();
}

} // namespace

MandantZiel MandantZielBestimmen(const QString &mandant)
{
    const QString praefix = QStringLiteral("Mandant");
    if (!mandant.startsWith(praefix))
        return {MandantFehler::FalscherName, {}};
    for (int nummer = 1; nummer <= kMandantenAnzahl; ++nummer)
        if (mandant == praefix + QString::number(nummer))
            return {MandantFehler::Keiner, startdaten::MandantVerzeichnis(nummer)};
    return {MandantFehler::AusserhalbBereich, {}};
}

QString AliasPfad(const dbe::TSession &session, const QString &alias)
{
    const QStringList parameter = session.GetAliasParams(alias);
    if (parameter.isEmpty())
        return {};
    QString pfad = parameter.first().mid(5);
    while (!pfad.isEmpty() && istTrenner(pfad.back()))
        pfad.chop(1);
    return pfad;
}

QString GeschwisterPfad(const QString &pfad, const QString &verzeichnis)
{
    int ende = static_cast<int>(pfad.size());
    while (ende > 0 && !istTrenner(pfad[ende - 1]))
        --ende;
    return pfad.left(ende) + verzeichnis;
}

QString MandantTitel(const QString &basisTitel, const QString &mandant, const QString &name1)
{
    return basisTitel + QStringLiteral(" / ") + mandant + QStringLiteral(" - ") +
           (name1.isEmpty() ? QStringLiteral("Unbekannt") : name1);
}

bool MandantUmschalten(const QString &alias, const QString &mandant)
{
    TDataModule1 &dm = *DataModule1;
    dbe::TSession &session = dm.TTblMain.Session();
    if (!session.IsAlias(alias)) {
        ui::messages().information(
            QStringLiteral("Alias ") + alias +
            QStringLiteral(" ist nicht vorhanden - Mandantenwechsel ist nicht möglich"));
        return false;
    }
    const MandantZiel ziel = MandantZielBestimmen(mandant);
    if (ziel.fehler == MandantFehler::FalscherName) {
        ui::messages().error(
            QStringLiteral("Fehlerhafter Mandantenname - der gewünschte Mandantenwechsel ist nicht möglich"));
        return false;
    }
    if (ziel.fehler == MandantFehler::AusserhalbBereich) {
        ui::messages().error(QStringLiteral("Mandantenname nicht im erwarteten Bereich - der gewünschte "
                                            "Mandantenwechsel ist nicht möglich"));
        return false;
    }
    const QString neuerPfad = GeschwisterPfad(AliasPfad(session, alias), ziel.verzeichnis);
    if (!QFileInfo(neuerPfad).isDir()) {
        ui::messages().error(QStringLiteral("Das zugehörige Datenbankverzeichnis existiert nicht - der "
                                            "gewünschte Mandantenwechsel ist nicht möglich"));
        return false;
    }

    const QString alterPfad = session.GetAliasParams(alias).first();
    const QList<dbe::TTable *> nebentabellen = offeneNebentabellen(dm);
    try {
        dm.DateienSchliessen();
        umstellen(dm, session, alias, QStringLiteral("PATH=") + neuerPfad, nebentabellen, Speichern::Pflicht);
    } catch (...) {
        // Back to the old client, so that neither this run nor the next start
        // is left on a directory that does not work; then the error is reported.
        try {
            umstellen(dm, session, alias, alterPfad, nebentabellen, Speichern::WennMoeglich);
        } catch (...) {
            Verschluckt(Q_FUNC_INFO);
        }
        throw;
    }
    if (HauptFormularZugriff *fenster = Hauptfenster())
        fenster->BildLeeren();
    AktuellesBild.clear();
    return true;
}

void MandantRegelnBinden(TDataModule1 &dm)
{
    dm.TblMandantenNewRecord = [](dbe::TDataSet &) { base::abortSilently(); };
}

void BeimUmschaltenWiederOeffnen(dbe::TTable &tabelle)
{
    wiederzuoeffnen().push_back(&tabelle);
}

void NichtMehrWiederOeffnen(dbe::TTable &tabelle)
{
    auto &tabellen = wiederzuoeffnen();
    tabellen.erase(std::remove(tabellen.begin(), tabellen.end(), &tabelle), tabellen.end());
}

} // namespace fleet
