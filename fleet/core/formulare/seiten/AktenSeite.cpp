#include "formulare/seiten/AktenSeite.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/Abort.h"
#include "dbe/Table.h"
#include "dienste/ReportDienste.h"
#include "formulare/HauptFormular.h"
#include "formulare/seiten/DruckKnoepfe.h"
#include "regeln/FeldPositionen.h"
#include "ui/Clock.h"
#include "ui/Connect.h"
#include "ui/DBGrid.h"
#include "ui/Dialogs.h"
#include "ui/FormBase.h"
#include "ui/Messages.h"
#include "ui/Shell.h"

namespace fleet {

namespace {

bool bearbeitet(const dbe::TTable &t)
{
    return t.State() == dbe::TDataSetState::dsEdit || t.State() == dbe::TDataSetState::dsInsert;
}

} // namespace

AktenSeite::AktenSeite(ui::TabSheet *tab, const char *rasterName, dbe::TDataSource &quelle,
                       dbe::TTable &tabelle, const QString &tabKz, AktenBeschreibung beschreibung)
    : RasterSeite(tab, rasterName, quelle, tabKz), tabelle_(tabelle), b_(std::move(beschreibung))
{
}

QPushButton *AktenSeite::knopf(const QString &name, const QString &text)
{
    auto *k = new QPushButton(text, this);
    k->setObjectName(name);
    return k;
}

void AktenSeite::kopfAufbauen(QVBoxLayout *seite)
{
    const QString n = b_.knopfName;
    auto *zeile = new QHBoxLayout;
    zeile->setSpacing(4);
    const auto klick = [this](QPushButton *k, auto handler) {
        ui::on(k, &QPushButton::clicked, this, handler);
        return k;
    };
    zeile->addWidget(klick(knopf("Btn" + n + "Neu", QStringLiteral("&Neu")), [this] { NeuClick(); }));
    zeile->addWidget(
        klick(knopf("Btn" + n + "Speichern", QStringLiteral("&Speichern")), [this] { SpeichernClick(); }));
    zeile->addWidget(
        klick(knopf("Btn" + n + "Loeschen", QStringLiteral("&Löschen")), [this] { LoeschenClick(); }));
    zeile->addSpacing(12);
    zeile->addWidget(
        klick(knopf("Btn" + n + "BildNeu", QStringLiteral("&Bild neu")), [this] { BildNeuClick(); }));
    zeile->addWidget(klick(knopf("Btn" + n + "DokumentNeu", QStringLiteral("D&okument neu")),
                           [this] { DokumentNeuClick(); }));
    zeile->addWidget(klick(knopf("Btn" + n + "DokumentOeffnen", QStringLiteral("Dok./Bild &zeigen")),
                           [this] { DokumentOeffnenClick(); }));
    zeile->addStretch(1);
    druckKnoepfe_ = {klick(knopf("BitBtn" + n + "Drucken", QStringLiteral("D&rucken")),
                           [this] { DruckenClick(kDrucken); }),
                     klick(knopf("BitBtn" + n + "Vorschau", QStringLiteral("&Vorschau")),
                           [this] { DruckenClick(kVorschau); })};
    for (QPushButton *k : druckKnoepfe_)
        zeile->addWidget(k);
    seite->addLayout(zeile);
}

void AktenSeite::anfangen()
{
    for (QPushButton *k : druckKnoepfe_)
        seiten::DruckFreigabe(k);
}

void AktenSeite::NeuClick()
{
    try {
        tabelle_.Append();
        tabelle_.FieldByName(QStringLiteral("Datum"))->SetAsDateTime(ui::today());
        Raster()->setFocus();
        GridSpalteWaehlen(*Raster(), b_.ersteSpalte);
    } catch (const base::SilentAbort &) {
        throw;
    } catch (...) {
        ui::messages().error(b_.einfuegenFehler);
    }
}

void AktenSeite::SpeichernClick()
{
    if (!bearbeitet(tabelle_))
        return;
    try {
        tabelle_.Post();
    } catch (const base::SilentAbort &) {
        throw;
    } catch (...) {
        ui::messages().error(b_.speichernFehler);
        if (b_.speichernFehlerVerwirft)
            tabelle_.Cancel();
    }
}

void AktenSeite::LoeschenClick()
{
    if (tabelle_.State() == dbe::TDataSetState::dsInsert) {
        tabelle_.Cancel();
        return;
    }
    if (!ui::messages().question(b_.loeschenFrage))
        return;
    try {
        tabelle_.Delete();
    } catch (const base::SilentAbort &) {
        throw;
    } catch (...) {
        ui::messages().error(b_.loeschenFehler);
    }
}

void AktenSeite::DruckenClick(int modus)
{
    if (tabelle_.IsEmpty()) {
        ui::messages().information(b_.leer);
        return;
    }
    reportDienste().PrintReport(b_.report, modus);
}

void AktenSeite::BildNeuClick()
{
    verknuepfen(Dateiart::Bild);
}

void AktenSeite::DokumentNeuClick()
{
    verknuepfen(Dateiart::Dokument);
}

void AktenSeite::verknuepfen(Dateiart art)
{
    const bool bild = art == Dateiart::Bild;
    if (tabelle_.IsEmpty()) {
        ui::messages().information(bild ? b_.zuerstAnlegenBild : b_.zuerstAnlegenDokument);
        return;
    }
    // Report projects are found by relative names: the program directory is
    // current again after the dialog, whatever happens.
    struct Zurueck {
        ~Zurueck()
        {
            if (!ProgrammVerzeichnis.isEmpty())
                QDir::setCurrent(ProgrammVerzeichnis);
        }
    } zurueck;
    ui::FileDialogOptions optionen;
    optionen.filter = bild ? QStringLiteral("*.jpg|*.jpg") : QStringLiteral("*.pdf|*.pdf");
    const std::optional<QString> datei = ui::dialogs().openFile(optionen);
    if (!datei)
        return;
    const QString alterLink = tabelle_.FieldByName(b_.linkFeld)->AsString();
    if (!alterLink.isEmpty() && !ui::messages().question(VerknuepfungErsetzenFrage(b_.art, alterLink)))
        return;
    try {
        tabelle_.Edit();
        tabelle_.FieldByName(b_.linkFeld)->SetAsString(*datei);
        tabelle_.Post();
    } catch (const base::SilentAbort &) {
        throw;
    } catch (...) {
        // The record keeps its state, as after every failed command here.
        ui::messages().error(bild ? QStringLiteral("Fehler beim Speichern des Bildpfades.")
                                  : QStringLiteral("Fehler beim Speichern des Dokumentenpfades."));
    }
}

void AktenSeite::DokumentOeffnenClick()
{
    try {
        const QString link = tabelle_.IsEmpty() ? QString() : tabelle_.FieldByName(b_.linkFeld)->AsString();
        if (link.isEmpty() || !QFileInfo::exists(link)) {
            ui::messages().information(b_.keinLink);
            return;
        }
        // No viewer for the file is a failure the user must hear of.
        if (!ui::shell().open(link))
            ui::messages().error(QStringLiteral("Fehler beim Öffnen des Bild/Dokuments."));
    } catch (const base::SilentAbort &) {
        throw;
    } catch (...) {
        ui::messages().error(QStringLiteral("Fehler beim Öffnen des Bild/Dokuments."));
    }
}

} // namespace fleet
