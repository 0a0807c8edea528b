#include "daten/MandantDaten.h"

#include <array>

#include "daten/DataModule1.h"
#include "dbe/Session.h"

namespace fleet {

QStringList MandantDaten = QStringList(15);

namespace {

const std::array<const char *, 15> kFelder{"Mandant", "Name1",    "Name2",      "Name3",      "Strasse",
                                           "Land",    "Plz",      "Ort",        "Telefon",    "Fax",
                                           "Mobil",   "Internet", "Bemerkung1", "Bemerkung2", "Bemerkung3"};

// The directory name of an alias: the last component of its "PATH=" line.
QString verzeichnisName(const dbe::TSession &session, const QString &alias)
{
    const QStringList parameter = session.GetAliasParams(alias);
    if (parameter.isEmpty())
        return {};
    QString pfad = parameter.first().mid(5);
    while (pfad.endsWith(QLatin1Char('/')) || pfad.endsWith(QLatin1Char('\\')))
        pfad.chop(1);
    const int trenner = std::max(pfad.lastIndexOf(QLatin1Char('/')), pfad.lastIndexOf(QLatin1Char('\\')));
    return pfad.mid(trenner + 1);
}

} // namespace

bool MandantDatenLesen(const QString &alias, bool offenLassen)
{
    MandantDaten = QStringList(15);
    dbe::TTable &mandanten = DataModule1->TblMandanten;
    const QString verzeichnis = verzeichnisName(mandanten.Session(), alias);
    if (!verzeichnis.startsWith(QStringLiteral("Datenbk")))
        return false;
    bool gefunden = false;
    try {
        mandanten.Open();
        mandanten.First();
        while (!mandanten.Eof()) {
            if (mandanten.FieldByName(QStringLiteral("Verzeichnis"))->AsString() == verzeichnis) {
                for (size_t i = 0; i < kFelder.size(); ++i)
                    MandantDaten[static_cast<int>(i)] =
                        mandanten.FieldByName(QString::fromLatin1(kFelder[i]))->AsString();
                gefunden = true;
                break;
            }
            mandanten.Next();
        }
    } catch (...) {
        if (!offenLassen)
            mandanten.Close();
        throw;
    }
    if (!offenLassen)
        mandanten.Close();
    return gefunden;
}

} // namespace fleet
