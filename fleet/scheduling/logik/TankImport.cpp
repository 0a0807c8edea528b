#include "logik/TankImport.h"

#include <cmath>

#include <QDir>
#include <QFileInfo>

#include "daten/Aliase.h"
#include "daten/ControlsFrei.h"
#include "daten/DataModule1.h"
#include "daten/DataModuleImport.h"
#include "daten/TabellenRoutinen.h"
#include "dbe/Field.h"
#include "dbe/textfile/TextTable.h"
#include "formulare/HauptFormular.h"
#include "regeln/DetailRegeln.h"
#include "ui/Clock.h"
#include "ui/Hourglass.h"
#include "ui/Messages.h"

namespace fleet::tank {

namespace {

// The fields a fuel file's schema must offer.
const char *const kTextFelder[] = {"Satzart",
                                   "Kmstand",
                                   "Rechnungsdatum",
                                   "Artikelbezeichnung",
                                   "Warengruppenschluessel",
                                   "Nettowarenwert",
                                   "Umsatzsteuerbetrag",
                                   "Bruttowarenwert",
                                   "Menge",
                                   "Kennzeichen",
                                   "Belegnummer"};

dbe::TField *feld(dbe::TDataSet &d, const char *name)
{
    return d.FieldByName(QString::fromLatin1(name));
}

QString text(dbe::TDataSet &d, const char *name)
{
    return feld(d, name)->AsString();
}

bool flagge(dbe::TDataSet &d, const char *name)
{
    const dbe::TField *f = feld(d, name);
    return !f->IsNull() && f->AsBoolean();
}

void setzen(dbe::TDataSet &d, const char *name, const QVariant &wert)
{
    feld(d, name)->SetValue(wert);
}

double vierStellen(double wert)
{
    return std::round(wert * 10000) / 10000;
}

// Undoes a pending insert or edit however the step ended.
void abbrechen(dbe::TDataSet &d)
{
    try {
        if (d.State() == dbe::TDataSetState::dsInsert || d.State() == dbe::TDataSetState::dsEdit)
            d.Cancel();
    } catch (const std::exception &) {
        // Nothing pending is left to undo.
    }
}

} // namespace

TankImport::TankImport(TDataModuleImport &imp, TDataModule1 &dm)
    : imp_(imp), dm_(dm), fahrzeuge_(&dm.TTblMain.Session()), kosten_(&dm.TTblMain.Session())
{
    fahrzeuge_.SetDatabaseName(kAliasFuhrpark);
    fahrzeuge_.SetTableName(QStringLiteral("KfzStamm.db"));
    kosten_.SetDatabaseName(kAliasFuhrpark);
    kosten_.SetTableName(QStringLiteral("KfzVar.db"));
}

void TankImport::Aktivieren()
{
    if (!imp_.TTblImport.Active())
        imp_.TTblImport.Open();
    if (imp_.TTblImport.IsEmpty())
        return;
    dbe::TTable &einstellungen = dm_.TTblEinstellungenAllgem;
    if (!einstellungen.Active())
        einstellungen.Open();
    AktuellerTankdateiTyp = einstellungen.FieldByName(QStringLiteral("TankDateiTyp"))->AsString();
    TypAnzeigen(AktuellerTankdateiTyp);
}

bool TankImport::TankdateiKonfigLaden()
{
    TankdateiKonfiguration &k = Konfiguration;
    k.Satzart.clear();
    k.Datumsformat.clear();
    k.NettoKostenZuordnen = false;
    dbe::TTable konfig(&dm_.TTblMain.Session());
    konfig.SetDatabaseName(kAliasFuhrpark);
    konfig.SetTableName(QStringLiteral("TKonfig.DB"));
    try {
        konfig.Open();
        for (konfig.First(); !konfig.Eof(); konfig.Next()) {
            if (text(konfig, "TankdateiTyp").toUpper() != AktuellerTankdateiTyp)
                continue;
            k.Satzart = text(konfig, "Satzart");
            k.Datumsformat = text(konfig, "Datumsformat");
            k.NettoKostenZuordnen = flagge(konfig, "NettoKostenZuordnen");
            for (int i = 0; i < kWarengruppen; ++i) {
                k.Warengruppe[i] = konfig.FieldByName(QStringLiteral("Warengruppe%1").arg(i + 1))->AsString();
                k.Varkosten[i] = konfig.FieldByName(QStringLiteral("Varkosten%1").arg(i + 1))->AsInteger();
            }
            break;
        }
    } catch (const std::exception &) {
        // An unreadable configuration counts as missing below.
    }
    return !k.Satzart.isEmpty();
}

bool TankImport::KonfigSatzSuchen()
{
    return imp_.TTblKonfig.Locate(QStringLiteral("TankdateiTyp"), AktuellerTankdateiTyp, 0);
}

QString TankImport::KennzeichenSuchen(const QString &kennzeichen)
{
    if (!fahrzeuge_.Active())
        fahrzeuge_.Open();
    for (const QString &v : KennzeichenVarianten(kennzeichen))
        if (fahrzeuge_.FindKey({v}) && text(fahrzeuge_, "KfzNr") == v)
            return v;
    return QString();
}

bool TankImport::ImportPruefen(PruefZaehler &z)
{
    z = PruefZaehler();
    bool ergebnis = true;
    dbe::TTable &staging = imp_.TTblImport;
    ui::HourglassScope sanduhr;
    ControlsFrei frei(staging);
    kosten_.Open();
    try {
        for (staging.First(); !staging.Eof(); staging.Next()) {
            staging.Edit();
            setzen(staging, "Fehlerhaft", false);
            const QString kfz = KennzeichenSuchen(text(staging, "Kennzeichen"));
            setzen(staging, "KennzNichtGefunden", kfz.isEmpty());
            if (kfz.isEmpty()) {
                ++z.Rot;
                ergebnis = false;
            }
            const int kategorie = WarengruppeZuordnen(Konfiguration, text(staging, "Warengruppenschluessel"));
            setzen(staging, "NichtZugeordnet", kategorie == 0);
            if (kategorie == 0) {
                ++z.Grau;
                ergebnis = false;
            }
            const dbe::TField *datum = feld(staging, "Rechnungsdatum");
            bool fehler = datum->IsNull() || datum->AsDateTime() == MarkerDatum();
            const dbe::TField *menge = feld(staging, "Menge");
            if (kategorie == 1 && (menge->IsNull() || !(menge->AsFloat() > 0)))
                fehler = true;
            if (feld(staging, Konfiguration.NettoKostenZuordnen ? "Netto" : "Brutto")->AsFloat() == 0)
                fehler = true;
            if (fehler) {
                setzen(staging, "Fehlerhaft", true);
                ergebnis = false;
            } else if (!kfz.isEmpty() && kategorie != 0) {
                const bool vorhanden = kosten_.FindKey({kfz, datum->Value(), text(staging, "Belegnummer")});
                const bool nichtBuchbar = vorhanden && !flagge(staging, "Gebucht");
                setzen(staging, "NichtBuchbar", nichtBuchbar);
                if (nichtBuchbar)
                    ++z.Tuerkis;
            }
            if (fehler)
                ++z.Gelb;
            staging.Post();
        }
    } catch (...) {
        abbrechen(staging);
        kosten_.Close();
        throw;
    }
    kosten_.Close();
    return ergebnis;
}

void TankImport::TankdateiTypMerken()
{
    dbe::TTable &einstellungen = dm_.TTblEinstellungenAllgem;
    try {
        if (!einstellungen.Active())
            einstellungen.Open();
        einstellungen.Edit();
        einstellungen.FieldByName(QStringLiteral("TankDateiTyp"))->SetAsString(AktuellerTankdateiTyp);
        einstellungen.Post();
    } catch (const std::exception &) {
        abbrechen(einstellungen);
        ui::messages().warning(QStringLiteral("Tankdateityp konnte nicht dauerhaft gespeichert werden"));
    }
}

void TankImport::Importieren(const std::function<std::optional<QString>()> &dateiWaehlen)
{
    if (!ui::messages().question(QStringLiteral("Möchten Sie die Tankdaten jetzt importieren")))
        return;
    Importiert = 0;
    NichtGespeichert = 0;
    if (!TabelleLeeren(imp_.TTblImport)) {
        ui::messages().error(QStringLiteral(
            "Die Import-Tabelle konnte nicht geleert werden - der Tankdaten-Import wird abgebrochen"));
        return;
    }
    TypAnzeigen(QString());
    const std::optional<QString> pfad = dateiWaehlen();
    if (!pfad)
        return;
    if (!importLauf(*pfad))
        return;
    PruefZaehler z;
    {
        // The check after the loop: back on the vehicle the user stood on.
        const QString vorher = dm_.TTblMain.Active() && !dm_.TTblMain.IsEmpty()
                                   ? dm_.TTblMain.FieldByName(QStringLiteral("KfzNr"))->AsString()
                                   : QString();
        ImportPruefen(z);
        if (!vorher.isEmpty())
            dm_.TTblMain.Locate(QStringLiteral("KfzNr"), vorher, 0);
    }
    LegendeZeigen(z.irgendeiner());
    ui::messages().information(ImportMeldung(Importiert, z, NichtGespeichert));
}

bool TankImport::importLauf(const QString &pfad)
{
    const QFileInfo datei(pfad);
    const QString verzeichnis = QDir::toNativeSeparators(datei.absolutePath()) + QDir::separator();
    const QString tabelle = datei.fileName();
    const QString basis = datei.completeBaseName();
    dbe::TTable &disk = imp_.TTblTankDisk;
    disk.Close();
    disk.SetDatabaseName(datei.absolutePath());
    disk.SetTableName(tabelle);
    AktuellerTankdateiTyp = basis.toUpper();
    if (!TankdateiKonfigLaden()) {
        ui::messages().error(
            QStringLiteral("Die Steuerdaten für den Tankdatei-Typ ") + basis +
            QStringLiteral(" konnten nicht gelesen werden - der Tankdaten-Import wird abgebrochen"));
        return false;
    }
    const QString schema = dbe::textfile::TextTable::findSchemaFile(datei.absolutePath(), tabelle);
    if (schema.isEmpty()) {
        ui::messages().error(
            QStringLiteral("Die füe den Import der Tankdatei ") + tabelle +
            QStringLiteral(" notwendige Schema-Datei ") + basis + QStringLiteral(".SCH") +
            QStringLiteral(" ist nicht im Import-Verzeichnis: ") + verzeichnis +
            QStringLiteral(
                "\r\rTIP: Vor einem erneuten Versuch kopieren Sie die notwendige Schema-Datei aus dem "
                "MORVIK Lager Datenbankverzeichnis \"Datenbk\" in das oben genannte Import-Verzeichnis"));
        return false;
    }
    TypAnzeigen(AktuellerTankdateiTyp);
    TankdateiTypMerken();
    try {
        disk.Open();
    } catch (const std::exception &) {
        ui::messages().error(QStringLiteral("Importdatei nicht gefunden - ") + verzeichnis + tabelle +
                             QStringLiteral(" - Importvorgang abgebrochen.."));
        return false;
    }
    for (const char *name : kTextFelder) {
        if (!disk.FindField(QString::fromLatin1(name))) {
            disk.Close();
            ui::messages().error(QStringLiteral("Das Feld \"") + QString::fromLatin1(name) +
                                 QStringLiteral("\" fehlt in der Schema-Datei ") +
                                 QFileInfo(schema).fileName() +
                                 QStringLiteral(" - der Tankdaten-Import wird abgebrochen"));
            return false;
        }
    }
    ui::HourglassScope sanduhr;
    ControlsFrei frei(imp_.TTblImport);
    try {
        for (disk.First(); !disk.Eof(); disk.Next())
            if (text(disk, "Satzart") == Konfiguration.Satzart)
                zeileStagen();
    } catch (...) {
        disk.Close();
        throw;
    }
    disk.Close();
    return true;
}

void TankImport::zeileStagen()
{
    dbe::TTable &disk = imp_.TTblTankDisk;
    dbe::TTable &staging = imp_.TTblImport;
    try {
        staging.Append();
        setzen(staging, "Kennzeichen", text(disk, "Kennzeichen"));
        feld(staging, "Rechnungsdatum")
            ->SetAsDateTime(TankDatumLesen(text(disk, "Rechnungsdatum"), Konfiguration.Datumsformat));
        setzen(staging, "Belegnummer", text(disk, "Belegnummer"));
        setzen(staging, "KmStand", KmStandLesen(text(disk, "Kmstand")));
        setzen(staging, "Warenbezeichnung", text(disk, "Artikelbezeichnung"));
        setzen(staging, "Warengruppenschluessel", text(disk, "Warengruppenschluessel"));
        setzen(staging, "Menge", BetragLesen(text(disk, "Menge")));
        setzen(staging, "Netto", vierStellen(BetragLesen(text(disk, "Nettowarenwert"))));
        setzen(staging, "Umsatzsteuerbetrag", vierStellen(BetragLesen(text(disk, "Umsatzsteuerbetrag"))));
        setzen(staging, "Brutto", vierStellen(BetragLesen(text(disk, "Bruttowarenwert"))));
        setzen(staging, "Bemerkungen", text(disk, "Artikelbezeichnung"));
        feld(staging, "Importdatum")->SetAsDateTime(ui::now());
        for (const char *f :
             {"KennzNichtGefunden", "NichtZugeordnet", "Fehlerhaft", "Gebucht", "NichtBuchbar"})
            setzen(staging, f, false);
        staging.Post();
        ++Importiert;
    } catch (const std::exception &) {
        // Counted and told in the result message.
        abbrechen(staging);
        ++NichtGespeichert;
    }
}

bool TankImport::KostensatzBuchen(const QString &kfzNr, int kategorie)
{
    dbe::TTable &staging = imp_.TTblImport;
    dbe::TTable &kosten = dm_.TTblVarKosten;
    const QVariant datum = feld(staging, "Rechnungsdatum")->Value();
    const QString beleg = text(staging, "Belegnummer");
    // The document number that is still free: as delivered, else with a letter.
    QString nummer;
    const bool offen = kosten_.Active();
    if (!offen)
        kosten_.Open();
    for (int n = 0; n <= 10 && nummer.isEmpty(); ++n) {
        const QString kandidat = n == 0 ? beleg : beleg + QLatin1Char('/') + QChar(QLatin1Char('A' + n - 1));
        if (kandidat.size() > kosten_.FieldByName(QStringLiteral("BelegNummer"))->Size())
            break;
        if (!kosten_.FindKey({kfzNr, datum, kandidat}))
            nummer = kandidat;
    }
    if (!offen)
        kosten_.Close();
    if (nummer.isEmpty())
        return false;
    try {
        kosten.Append();
        kosten.FieldByName(QStringLiteral("KfzNr"))->SetAsString(kfzNr);
        kosten.FieldByName(QStringLiteral("BelegDatum"))->SetValue(datum);
        kosten.FieldByName(QStringLiteral("Belegnummer"))->SetAsString(nummer);
        kosten.FieldByName(QStringLiteral("Personalnummer"))->SetAsString(text(staging, "Personalnummer"));
        kosten.FieldByName(QStringLiteral("Bemerkungen"))->SetAsString(text(staging, "Bemerkungen"));
        kosten.FieldByName(QStringLiteral("Mwst"))->SetValue(feld(staging, "KmStand")->Value());
        kosten.FieldByName(BetragsFeld(kategorie))
            ->SetValue(feld(staging, Konfiguration.NettoKostenZuordnen ? "Netto" : "Brutto")->Value());
        if (kategorie == 1)
            kosten.FieldByName(QStringLiteral("Benzin/Liter"))->SetValue(feld(staging, "Menge")->Value());
        ImportKmStand = feld(staging, "KmStand")->AsInteger();
        kosten.Post();
        return true;
    } catch (const std::exception &) {
        abbrechen(kosten);
        return false;
    }
}

void TankImport::kmStandAnheben(const QString &kfzNr, int km)
{
    dbe::TTable &haupt = dm_.TTblMain;
    const bool offen =
        haupt.State() == dbe::TDataSetState::dsEdit || haupt.State() == dbe::TDataSetState::dsInsert;
    // A pending edit of that vehicle in the main window takes the reading.
    dbe::TTable &ziel = offen && text(haupt, "KfzNr") == kfzNr ? haupt : fahrzeuge_;
    try {
        if (&ziel == &fahrzeuge_ && !fahrzeuge_.FindKey({kfzNr}))
            return;
        dbe::TField *stand = feld(ziel, "KfzKmStand");
        if (std::llround(stand->AsFloat()) >= km)
            return;
        if (&ziel == &haupt) {
            stand->SetValue(km);
            return;
        }
        fahrzeuge_.Edit();
        stand->SetValue(km);
        fahrzeuge_.Post();
    } catch (const std::exception &) {
        if (&ziel == &fahrzeuge_)
            abbrechen(fahrzeuge_);
    }
}

void TankImport::Buchen()
{
    dbe::TTable &staging = imp_.TTblImport;
    if (!staging.Active() || staging.IsEmpty()) {
        ui::messages().information(QStringLiteral("Es befinden sich keine Tankdaten in der Tabelle.."));
        return;
    }
    TankdateiKonfigLaden();
    dbe::TTable &haupt = dm_.TTblMain;
    const QString vorher = haupt.Active() && !haupt.IsEmpty() ? text(haupt, "KfzNr") : QString();
    PruefZaehler z;
    if (!ImportPruefen(z))
        ui::messages().information(PruefMeldung(z));
    LegendeZeigen(z.irgendeiner());
    if (!ui::messages().question(QStringLiteral("Möchten Sie die Tankdaten jetzt buchen")))
        return;
    dbe::TTable &kosten = dm_.TTblVarKosten;
    if (!TabelleSperren(haupt) || !TabelleSperren(kosten)) {
        TabelleEntsperren(haupt);
        TabelleEntsperren(kosten);
        ui::messages().information(QStringLiteral(
            "Dateien konnten nicht gesperrt werden - vermutlich werden Sie von anderen Anwendern "
            "benutzt. Versuchen sie es noch einmal.."));
        return;
    }
    Gebucht = 0;
    BuchenFehlgeschlagen = 0;
    ImportBuchungslauf = true;
    auto aufraeumen = [&] {
        TabelleEntsperren(haupt);
        TabelleEntsperren(kosten);
        staging.EnableControls();
        try {
            haupt.Refresh();
            if (!vorher.isEmpty())
                haupt.Locate(QStringLiteral("KfzNr"), vorher, 0);
        } catch (const std::exception &) {
            // The vehicle may be gone meanwhile; the table stays where it is.
        }
        haupt.EnableControls();
        ImportBuchungslauf = false;
        ImportSatzBuchen = false;
        fahrzeuge_.Close();
        kosten_.Close();
        ui::messages().information(BuchungsMeldung(Gebucht, BuchenFehlgeschlagen));
    };
    staging.DisableControls();
    haupt.DisableControls();
    try {
        kosten_.Open();
        for (staging.First(); !staging.Eof(); staging.Next()) {
            if (flagge(staging, "Gebucht") || flagge(staging, "Fehlerhaft") ||
                flagge(staging, "NichtBuchbar"))
                continue;
            const QString kfz = KennzeichenSuchen(text(staging, "Kennzeichen"));
            if (kfz.isEmpty()) {
                staging.Edit();
                setzen(staging, "KennzNichtGefunden", true);
                staging.Post();
                continue;
            }
            const int kategorie = WarengruppeZuordnen(Konfiguration, text(staging, "Warengruppenschluessel"));
            if (kategorie <= 0 || kategorie > 10)
                continue;
            ImportSatzBuchen = true;
            const bool ok = KostensatzBuchen(kfz, kategorie);
            ImportSatzBuchen = false;
            if (!ok) {
                ++BuchenFehlgeschlagen;
                continue;
            }
            kmStandAnheben(kfz, feld(staging, "KmStand")->AsInteger());
            ++Gebucht;
            staging.Edit();
            for (const char *f : {"KennzNichtGefunden", "NichtZugeordnet", "Fehlerhaft", "NichtBuchbar"})
                setzen(staging, f, false);
            setzen(staging, "Gebucht", true);
            staging.Post();
        }
    } catch (...) {
        abbrechen(staging);
        aufraeumen();
        throw;
    }
    aufraeumen();
}

} // namespace fleet::tank
