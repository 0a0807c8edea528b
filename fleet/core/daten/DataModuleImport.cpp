#include "daten/DataModuleImport.h"

#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/FeldListen.h"
#include "daten/NebenModul.h"
#include "regeln/Mandant.h"
#include "ui/Messages.h"

namespace fleet {

TDataModuleImport *DataModuleImport = nullptr;

namespace {

using feldlisten::Feld;

QList<Feld> importFelder()
{
    const QString betrag = QStringLiteral("#########0.00");
    QList<Feld> f;
    for (const char *name : {"Kennzeichen", "Rechnungsdatum", "Belegnummer", "Personalnummer", "KmStand",
                             "Warenbezeichnung", "Warengruppenschluessel", "Menge"})
        f.append({QString::fromLatin1(name), {}, {}, true});
    for (const char *name : {"Netto", "Umsatzsteuerbetrag", "Brutto"})
        f.append({QString::fromLatin1(name), {}, betrag, true});
    for (const char *name : {"Bemerkungen", "Importdatum", "KennzNichtGefunden", "NichtZugeordnet",
                             "Fehlerhaft", "Gebucht", "NichtBuchbar"})
        f.append({QString::fromLatin1(name), {}, {}, true});
    return f;
}

} // namespace

TDataModuleImport::TDataModuleImport(dbe::TSession *session)
    : TTblImport(session), TTblTankDisk(session), TTblKonfig(session), DataSrcImport(&TTblImport),
      DataSrcKonfig(&TTblKonfig)
{
    TTblImport.SetName(QStringLiteral("TTblImport"));
    TTblImport.SetDatabaseName(kAliasFuhrparkPriv);
    TTblImport.SetTableName(QStringLiteral("TImport.db"));
    feldlisten::anlegen(TTblImport, importFelder(), [](const Feld &) -> dbe::TField * { return nullptr; });

    TTblTankDisk.SetName(QStringLiteral("TTblTankDisk"));
    TTblTankDisk.SetDatabaseName(kAliasFuhrparkPriv);

    TTblKonfig.SetName(QStringLiteral("TTblKonfig"));
    TTblKonfig.SetDatabaseName(kAliasFuhrpark);
    TTblKonfig.SetTableName(QStringLiteral("TKonfig.DB"));
    TTblKonfig.OnPostError = [this](dbe::TDataSet &d, dbe::EDatabaseError &e, dbe::TDataAction &a) {
        TTblKonfigPostError(d, e, a);
    };

    // The import form leaves the configuration open; after a client switch it
    // is the new client's.
    BeimUmschaltenWiederOeffnen(TTblImport);
    BeimUmschaltenWiederOeffnen(TTblKonfig);
}

TDataModuleImport::~TDataModuleImport()
{
    NichtMehrWiederOeffnen(TTblKonfig);
    NichtMehrWiederOeffnen(TTblImport);
}

void TDataModuleImport::TTblKonfigPostError(dbe::TDataSet &, dbe::EDatabaseError &fehler,
                                            dbe::TDataAction &aktion)
{
    const auto *engine = dynamic_cast<const dbe::EDBEngineError *>(&fehler);
    if (engine && engine->ErrorCode() == dbe::ErrorCode::KeyViolation) {
        ui::messages().error(QStringLiteral(
            "Ein Datensatz mit diesem \"Tankdatei-Typ\" ist schon vorhanden - bitte ändern Sie den "
            "Inhalt des Feldes \"Tankdatei-Typ\", so dass dieser Name noch nicht vorhanden ist "
            "oder klicken Sie auf den Löschen-Knopf, um den neuen Datensatz zu löschen"));
        aktion = dbe::TDataAction::daFail;
        return;
    }
    ui::messages().error(fehler.Message() + QLatin1Char('\r') +
                         QStringLiteral("In den Varkosten-Feldern sind nur Werte zwischen 1 und 10 erlaubt"));
    aktion = dbe::TDataAction::daAbort;
}

TDataModuleImport &DataModuleImportErzeugen()
{
    return NebenModulErzeugen(DataModuleImport);
}

void DataModuleImportFreigeben()
{
    NebenModulFreigeben(DataModuleImport);
}

} // namespace fleet
