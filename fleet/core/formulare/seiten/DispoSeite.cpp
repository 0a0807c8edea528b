#include "formulare/seiten/DispoSeite.h"

#include <cmath>

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "daten/DataModule1.h"
#include "dienste/HauptfensterDienste.h"
#include "dienste/Protokoll.h"
#include "dienste/TerminDienste.h"
#include "formulare/HauptFormular.h"
#include "formulare/seiten/Bausteine.h"
#include "ui/Clock.h"
#include "ui/ComboBox.h"
#include "ui/Connect.h"
#include "ui/DBGrid.h"
#include "ui/DatePicker.h"
#include "ui/RadioGroup.h"

namespace fleet {

using namespace seiten;

void DispoSeite::aufbauen()
{
    auto *seite = seitenLayout(this);
    auto *sicht = new QHBoxLayout;
    RadioGrpDispositionSicht =
        auswahl(this, "RadioGrpDispositionSicht", QStringLiteral("Sichtbarer Zeitraum/Dispositionen"),
                {QStringLiteral("Alle"), QStringLiteral("Zeitraum"), QStringLiteral("Monat"),
                 QStringLiteral("Tag"), QStringLiteral("Heute"), QStringLiteral("Ab heute")},
                6);
    CmbBoxDispositionMonat = liste(this, "CmbBoxDispositionMonat", monate());
    CmbBoxDispositionJahr = liste(this, "CmbBoxDispositionJahr", jahre());
    DateTimePckDisposition = ui::make<ui::DatePicker>(this, "DateTimePckDisposition");
    DateTimePckDisposition->setToolTip(
        QStringLiteral("Wählen Sie den ersten Tag des anzuzeigenden  Zeitraums"));
    DateTimePckDispositionBis = ui::make<ui::DatePicker>(this, "DateTimePckDispositionBis");
    DateTimePckDispositionBis->setToolTip(
        QStringLiteral("Wählen Sie den letzten Tag des anzuzeigenden Zeitraumes"));
    for (QWidget *w :
         {static_cast<QWidget *>(CmbBoxDispositionMonat), static_cast<QWidget *>(CmbBoxDispositionJahr),
          static_cast<QWidget *>(DateTimePckDisposition), static_cast<QWidget *>(DateTimePckDispositionBis)})
        w->setEnabled(false);
    sicht->addWidget(RadioGrpDispositionSicht, 1);
    sicht->addWidget(CmbBoxDispositionMonat);
    sicht->addWidget(CmbBoxDispositionJahr);
    sicht->addWidget(DateTimePckDisposition);
    sicht->addWidget(DateTimePckDispositionBis);
    seite->addLayout(sicht);

    auto *fahrzeuge = new QHBoxLayout;
    RadioGrpDispoFahrzeuge =
        auswahl(this, "RadioGrpDispoFahrzeuge", QStringLiteral("Welche(s) Fahrzeug(e) anzeigen"),
                {QStringLiteral("Aktuelles"), QStringLiteral("Alle"), QStringLiteral("Filter")}, 3);
    LblSichtFilter =
        label(this, QStringLiteral("LblSichtFilter"), QStringLiteral("Sichtbarer Zeitraum: eingeschränkt"));
    LblDispositionWelcheFahrzeuge = label(this, QStringLiteral("LblDispositionWelcheFahrzeuge"),
                                          QStringLiteral("Fahrzeug-Disposition: Alle Fahrzeuge"));
    LblAuslastung = label(this, QStringLiteral("LblAuslastung"), QStringLiteral("Auslastung ca.: n.v."));
    LblAuslastung->setToolTip(
        QStringLiteral("Zeigt die ungefähre zeitliche Auslastung des Fahrzeugs bezogen auf den Zeitraum"));
    auto *texte = new QVBoxLayout;
    texte->addWidget(LblSichtFilter);
    texte->addWidget(LblDispositionWelcheFahrzeuge);
    texte->addWidget(LblAuslastung);
    fahrzeuge->addWidget(RadioGrpDispoFahrzeuge);
    fahrzeuge->addLayout(texte, 1);
    seite->addLayout(fahrzeuge);
    DBGridDispo = raster(this, "DBGridDispo", DataModule1->DataSrcDispo);
    seite->addWidget(DBGridDispo, 1);
    ui::on(DBGridDispo, &ui::DBGrid::onColumnMoved, this,
           [] { SpaltenVerschoben.insert(QStringLiteral("Dispo")); });
}

void DispoSeite::anfangen()
{
    RadioGrpDispositionSicht->setItemIndex(0);
    RadioGrpDispoFahrzeuge->setItemIndex(0);
    JahrAufHeute(CmbBoxDispositionJahr);
    MonatAufHeute(CmbBoxDispositionMonat);
    const base::TDateTime heute = ui::today();
    DateTimePckDisposition->setValue(heute);
    DateTimePckDispositionBis->setValue(heute);
}

void DispoSeite::betreten()
{
    if (RadioGrpDispoFahrzeuge->itemIndex() != 0)
        RadioGrpDispoFahrzeuge->setItemIndex(0);
    if (!SpaltenpositionenGeladen.contains(QStringLiteral("Dispo"))) {
        SpaltenordnungEinmalLaden(QStringLiteral("Dispo"));
        DBGridDispo->setSelectedIndex(1);
        DBGridDispo->setSelectedIndex(0);
    }
    AuslastungAnzeigen();
    DBGridDispo->setFocus();
    DBGridDispo->setSelectedIndex(0);
}

void DispoSeite::verlassen()
{
    if (!Dienst<TerminDienste>::vorhanden())
        return;
    // The dispatch forms live only with their page; failures to close are of no concern.
    try {
        if (DispoFFFormularErzeugt)
            terminDienste().FreieFahrzeugeSchliessen();
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
    }
    try {
        if (GrafikFormularErzeugt)
            terminDienste().GrafikSchliessen();
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
    }
}

ui::DBGrid *DispoSeite::rasterFinden(const QString &name)
{
    return DBGridDispo->objectName() == name ? DBGridDispo : nullptr;
}

std::optional<base::TDateTime> DispoSeite::ErsterTag() const
{
    if (DateTimePckDisposition->isHidden())
        return std::nullopt;
    return std::floor(DateTimePckDisposition->value());
}

std::optional<base::TDateTime> DispoSeite::LetzterTag() const
{
    if (DateTimePckDispositionBis->isHidden())
        return std::nullopt;
    return std::floor(DateTimePckDispositionBis->value());
}

int DispoSeite::FahrzeugAuswahl() const
{
    return RadioGrpDispoFahrzeuge->itemIndex();
}

void DispoSeite::FahrzeugAuswahlSetzen(int auswahl)
{
    RadioGrpDispoFahrzeuge->setItemIndex(auswahl);
}

int DispoSeite::Sicht() const
{
    return RadioGrpDispositionSicht->itemIndex();
}

void DispoSeite::SichtSetzen(int sicht)
{
    RadioGrpDispositionSicht->setItemIndex(sicht);
}

void DispoSeite::AuslastungAnzeigen()
{
    if (Dienst<Seitendienste>::vorhanden())
        Dienst<Seitendienste>::aktuell().DispoAuslastungBerechnen();
    LblAuslastung->setText(QStringLiteral("Auslastung (ca.): ") + DispoAuslastungText + QLatin1Char('%'));
}

void DispoSeite::AufAktuellesFahrzeugAlleZeitraeume()
{
    RadioGrpDispoFahrzeuge->setItemIndex(0);
    RadioGrpDispositionSicht->setItemIndex(0);
}

} // namespace fleet
