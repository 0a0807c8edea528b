#include "formulare/seiten/SchadenSeite.h"

#include <QVBoxLayout>

#include "base/Abort.h"
#include "daten/DataModule1.h"
#include "dbe/Table.h"
#include "ui/CheckBox.h"
#include "ui/Colors.h"
#include "ui/Connect.h"
#include "ui/FormBase.h"
#include "ui/Messages.h"

namespace fleet {

namespace {

AktenBeschreibung schaden()
{
    AktenBeschreibung b;
    b.art = VerknuepfungsSeite::Schaden;
    b.knopfName = QStringLiteral("Schaden");
    b.ersteSpalte = QStringLiteral("Bearbeitungsnummer");
    b.linkFeld = QStringLiteral("Dokumentenpfad");
    b.report = 20;
    b.einfuegenFehler = QStringLiteral("Einfügen eines Schadensdatensatzes ist fehlgeschlagen");
    b.speichernFehler =
        QStringLiteral("Speichern des Schadensdatensatzes ist so nicht möglich -\res ist nicht "
                       "möglich, zwei Schadensdatensätze mit gleichen Feldinhalten zu speichern");
    b.loeschenFrage = QStringLiteral("Möchten Sie den markierten Schadensdatensatz wirklich löschen");
    b.loeschenFehler = QStringLiteral("Löschen des Schadensdatensatzes ist fehlgeschlagen");
    b.leer = QStringLiteral("Sie haben noch keine Schadensdatensätze für dieses Fahrzeug angelegt");
    b.zuerstAnlegenBild =
        QStringLiteral("Bitte legen Sie zunächst mit dem \"Neu\"-Knopf einen Schadensdatensatz "
                       "für dieses Fahrzeuge an, bevor Sie diesem ein Bild zuordnen");
    b.zuerstAnlegenDokument =
        QStringLiteral("Bitte legen Sie zunächst mit dem \"Neu\"-Knopf einen Schadensdatensatz für dieses "
                       "Fahrzeuge an, bevor Sie diesem ein Dokument zuordnen");
    b.keinLink =
        QStringLiteral("Dem markierten Schadensdatensatz wurde noch kein Bild/Dokument zugeordnet bzw. "
                       "das Bild/Dokument wurde nicht gefunden");
    b.speichernFehlerVerwirft = true;
    return b;
}

const QString kFilterUnmoeglich =
    QStringLiteral("Die gewünschte Filterung ist nicht möglich - die gewählte "
                   "Bearbeitungsnummer ist leer oder nicht zur Filterung geeignet");

} // namespace

SchadenSeite::SchadenSeite(ui::TabSheet *tab)
    : AktenSeite(tab, "DBGridSchadensmanagement", DataModule1->DataSrcSchadensmanagement,
                 DataModule1->TblSchadensmanagement, QStringLiteral("Schaden"), schaden())
{
}

void SchadenSeite::kopfAufbauen(QVBoxLayout *seite)
{
    AktenSeite::kopfAufbauen(seite);
    ChkBoxSchadenFilter =
        ui::make<ui::CheckBox>(this, "ChkBoxSchadenFilter", QStringLiteral("Filter auf Bearbeitungsnr."));
    ChkBoxSchadenFilter->setAutoFillBackground(true);
    ui::on(ChkBoxSchadenFilter, &ui::CheckBox::onClick, this, &SchadenSeite::ChkBoxSchadenFilterClick);
    seite->addWidget(ChkBoxSchadenFilter);
}

void SchadenSeite::anfangen()
{
    AktenSeite::anfangen();
    ChkBoxSchadenFilter->setChecked(false);
}

void SchadenSeite::SchadenFilterAusschalten()
{
    if (ChkBoxSchadenFilter->isChecked())
        ChkBoxSchadenFilter->setChecked(false);
}

void SchadenSeite::ChkBoxSchadenFilterClick()
{
    dbe::TTable &t = tabelle();
    if (!ChkBoxSchadenFilter->isChecked()) {
        t.SetFiltered(false);
        t.SetFilter(QString());
        ui::setBackgroundColor(ChkBoxSchadenFilter, ui::color::BtnFace);
        return;
    }
    const std::optional<QString> filter =
        t.IsEmpty() ? std::nullopt
                    : SchadenFilterText(t.FieldByName(QStringLiteral("Bearbeitungsnummer"))->AsString());
    try {
        if (!filter)
            throw std::invalid_argument("leere Bearbeitungsnummer");
        t.SetFilter(*filter);
        t.SetFiltered(true);
        ui::setBackgroundColor(ChkBoxSchadenFilter, ui::color::Red);
    } catch (const base::SilentAbort &) {
        throw;
    } catch (...) {
        // Clearing the box in code runs the branch above and lifts the filter.
        ChkBoxSchadenFilter->setChecked(false);
        ui::messages().error(kFilterUnmoeglich);
    }
}

} // namespace fleet
