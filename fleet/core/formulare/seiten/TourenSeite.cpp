#include "formulare/seiten/TourenSeite.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "daten/DataModule1.h"
#include "daten/Einstellungswerte.h"
#include "dbe/Table.h"
#include "dienste/TerminDienste.h"
#include "formulare/seiten/Bausteine.h"
#include "formulare/seiten/DetailKnoepfe.h"
#include "formulare/seiten/DruckKnoepfe.h"
#include "regeln/DetailVorgaben.h"
#include "regeln/TourZwischenablage.h"
#include "ui/Clock.h"
#include "ui/Connect.h"
#include "ui/DBGrid.h"
#include "ui/FormBase.h"
#include "ui/Messages.h"
#include "ui/PopupMenu.h"

namespace fleet {

TourenSeite::TourenSeite(ui::TabSheet *tab)
    : RasterSeite(tab, "TDBGridTouren", DataModule1->DataSrcTouren, QStringLiteral("Touren"))
{
}

void TourenSeite::fussAufbauen(QVBoxLayout *seite)
{
    using seiten::knopf;
    auto *fuss = new QHBoxLayout;
    BtnTourenNeu = knopf(this, "BtnTourenNeu", QStringLiteral("&Neu"));
    BtnTourenSpeichern = knopf(this, "BtnTourenSpeichern", QStringLiteral("&Speichern"));
    TBtnTourenLoeschen = knopf(this, "TBtnTourenLoeschen", QStringLiteral("&Löschen"));
    BtnTourenAendern = knopf(this, "BtnTourenAendern", QStringLiteral("&Kopieren"));
    for (QPushButton *k : {BtnTourenNeu, BtnTourenSpeichern, TBtnTourenLoeschen, BtnTourenAendern})
        fuss->addWidget(k);
    fuss->addStretch(1);
    const seiten::DruckKnoepfe druck = seiten::druckKnoepfe(
        this, "TBitBtnTourenDrucken", "TBitBtnTourenVorschau", [this](int modus) { TourenDrucken(modus); });
    TBitBtnTourenDrucken = druck.drucken;
    TBitBtnTourenVorschau = druck.vorschau;
    fuss->addWidget(TBitBtnTourenDrucken);
    fuss->addWidget(TBitBtnTourenVorschau);
    seite->addLayout(fuss);

    PopupMenuTouren = ui::make<ui::PopupMenu>(this, "PopupMenuTouren");
    Tourkopieren1 = PopupMenuTouren->addItem("Tourkopieren1", QStringLiteral("Tour kopieren"));
    Tourverschieben1 = PopupMenuTouren->addItem("Tourverschieben1", QStringLiteral("Tour verschieben"));
    PopupMenuTouren->addSeparator();
    Tourndern1 = PopupMenuTouren->addItem("Tourndern1", QStringLiteral("Tour bearbeiten"));
    PopupMenuTouren->addSeparator();
    Toureinfgen1 = PopupMenuTouren->addItem("Toureinfgen1", QStringLiteral("Tour einfügen"));
    PopupMenuTouren->addItem("Abbrechen1", QStringLiteral("Abbrechen"));
    Tourndern1->setEnabled(false);
    Toureinfgen1->setEnabled(false);

    ui::on(BtnTourenNeu, &QPushButton::clicked, this, [this] { BtnTourenNeuClick(); });
    ui::on(BtnTourenSpeichern, &QPushButton::clicked, this, [this] { BtnTourenSpeichernClick(); });
    ui::on(TBtnTourenLoeschen, &QPushButton::clicked, this, [this] { TBtnTourenLoeschenClick(); });
    ui::on(BtnTourenAendern, &QPushButton::clicked, this, [this] { BtnTourenAendernClick(); });
    ui::on(Tourkopieren1, &QAction::triggered, this, [this] { Tourkopieren1Click(); });
    ui::on(Tourverschieben1, &QAction::triggered, this, [this] { Tourverschieben1Click(); });
    ui::on(Tourndern1, &QAction::triggered, this, [this] { Tourndern1Click(); });
    ui::on(Toureinfgen1, &QAction::triggered, this, [this] { Toureinfgen1Click(); });
}

void TourenSeite::TourenDrucken(int modus)
{
    seiten::ReportAnfordern(modus, 3, DataModule1->TTblTouren.IsEmpty(),
                            QStringLiteral("Sie haben noch keine Touren für dieses Fahrzeug eingegeben"));
}

void TourenSeite::betreten()
{
    seiten::SpaltenordnungEinmalLaden(TabKz());
    if (!TourenModus)
        ui::messages().warning(QStringLiteral(
            "Eingaben in die Tourentabelle werden zur Zeit nicht zur Kilometerberechnung in der "
            "Monatsauswertung "
            "benutzt.\rÄndern Sie hierzu erst wieder im Einstellungen-Formular (Menü Optionen -> "
            "Einstellungen) "
            "auf der Seite \"Allgemeine Vorgaben\" das Schaltfeld \"Mon. Km-Berechnung anhand\" auf "
            "\"Touren\".\rStarten Sie bitte anschließend das Programm neu ! !"));
    Raster()->setFocus();
}

void TourenSeite::BtnTourenNeuClick()
{
    try {
        int km = 0;
        base::TDateTime datum = ui::today();
        LetzteTourDaten(km, datum);
        dbe::TTable &touren = DataModule1->TTblTouren;
        touren.Append();
        touren.FieldByName(QStringLiteral("AbfahrtKm"))->SetAsInteger(km);
        touren.FieldByName(QStringLiteral("Datum"))->SetAsDateTime(datum);
        seiten::ZeileBeginnen(*Raster(), QStringLiteral("Datum"));
    } catch (...) {
        ui::messages().error(QStringLiteral("Einfügen eines Tourendatensatzes nicht möglich"));
    }
}

void TourenSeite::BtnTourenSpeichernClick()
{
    seiten::Speichern(DataModule1->TTblTouren);
}

void TourenSeite::TBtnTourenLoeschenClick()
{
    seiten::Loeschen(DataModule1->TTblTouren,
                     QStringLiteral("Möchten Sie den markierten Tourendatensatz wirklich löschen"),
                     QStringLiteral("Löschen des Tourendatensatzes nicht möglich"));
}

void TourenSeite::BtnTourenAendernClick()
{
    const QPoint mitte(BtnTourenAendern->width() / 2, BtnTourenAendern->height() / 2);
    PopupMenuTouren->popupAt(BtnTourenAendern->mapToGlobal(mitte));
}

void TourenSeite::Tourkopieren1Click()
{
    if (DataModule1->TTblTouren.IsEmpty()) {
        ui::messages().information(QStringLiteral(
            "Es ist bei diesem Fahrzeug noch keine Tour gespeichert, die Sie kopieren könnten"));
        return;
    }
    TourZwischenablage.modus = TTourZwischenablage::Modus::Kopieren;
    if (!TourInZwischenablage(DataModule1->TTblTouren)) {
        Toureinfgen1->setEnabled(false);
        Tourndern1->setEnabled(false);
        return;
    }
    Tourndern1->setEnabled(true);
    int code = 0;
    if (TourZwischenablagePruefen(code)) {
        Toureinfgen1->setEnabled(true);
        return;
    }
    // The dialog enables "Tour einfügen" once the user confirms a complete tour.
    terminDienste().TourBearbeiten(code);
}

void TourenSeite::Tourverschieben1Click()
{
    if (DataModule1->TTblTouren.IsEmpty()) {
        ui::messages().information(QStringLiteral(
            "Es ist bei diesem Fahrzeug noch keine Tour gespeichert, die Sie verschieben könnten"));
        return;
    }
    TourZwischenablage.modus = TTourZwischenablage::Modus::Verschieben;
    Toureinfgen1->setEnabled(TourInZwischenablage(DataModule1->TTblTouren));
    Tourndern1->setEnabled(false);
}

void TourenSeite::Tourndern1Click()
{
    int code = 0;
    TourZwischenablagePruefen(code);
    terminDienste().TourBearbeiten(code);
}

void TourenSeite::Toureinfgen1Click()
{
    if (!TourZwischenablageEinfuegen())
        return;
    Toureinfgen1->setEnabled(false);
    Tourndern1->setEnabled(false);
}

} // namespace fleet
