#include "formulare/seiten/KostenSeite.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include <QPushButton>

#include "daten/DataModule1.h"
#include "dbe/Table.h"
#include "formulare/seiten/Bausteine.h"
#include "formulare/seiten/DetailKnoepfe.h"
#include "formulare/seiten/DruckKnoepfe.h"
#include "regeln/DetailVorgaben.h"
#include "ui/ComboBox.h"
#include "ui/Connect.h"
#include "ui/DBGrid.h"
#include "ui/Messages.h"
#include "ui/RadioGroup.h"

namespace fleet {

using namespace seiten;

KostenSeite::KostenSeite(ui::TabSheet *tab)
    : RasterSeite(tab, "TDBGridVarKosten", DataModule1->TDataSrcVarKosten, QStringLiteral("Varkost"))
{
}

void KostenSeite::kopfAufbauen(QVBoxLayout *seite)
{
    auto *kopf = new QHBoxLayout;
    RadioGrpKostenSicht =
        auswahl(this, "RadioGrpKostenSicht", QStringLiteral("Sichtb. Zeitraum"),
                {QStringLiteral("Alle"), QStringLiteral("Monat"), QStringLiteral("Jahr")}, 3);
    CmbBoxKostenMonat = liste(this, "CmbBoxKostenMonat", monate());
    CmbBoxKostenJahr = liste(this, "CmbBoxKostenJahr", jahre());
    CmbBoxKostenMonat->setEnabled(false);
    CmbBoxKostenJahr->setEnabled(false);
    kopf->addWidget(RadioGrpKostenSicht);
    kopf->addWidget(CmbBoxKostenMonat);
    kopf->addWidget(CmbBoxKostenJahr);
    kopf->addStretch(1);
    historieUndSucheAufbauen(kopf);
    seite->addLayout(kopf);
    ui::on(RadioGrpKostenSicht, &ui::RadioGroup::onClick, this, [this] { RadioGrpKostenSichtClick(); });
    ui::on(CmbBoxKostenMonat, &ui::ComboBox::onChange, this, [this] { CmbBoxKostenMonatChange(); });
    ui::on(CmbBoxKostenJahr, &ui::ComboBox::onChange, this, [this] { CmbBoxKostenJahrChange(); });
}

void KostenSeite::fussAufbauen(QVBoxLayout *seite)
{
    auto *fuss = new QHBoxLayout;
    TBtnVarKostenNeu = knopf(this, "TBtnVarKostenNeu", QStringLiteral("&Neu"));
    TBtnVarKostenSpeichern = knopf(this, "TBtnVarKostenSpeichern", QStringLiteral("&Speichern"));
    TBtnVarKostenLoeschen = knopf(this, "TBtnVarKostenLoeschen", QStringLiteral("&Löschen"));
    for (QPushButton *k : {TBtnVarKostenNeu, TBtnVarKostenSpeichern, TBtnVarKostenLoeschen})
        fuss->addWidget(k);
    fuss->addStretch(1);
    const DruckKnoepfe druck = druckKnoepfe(this, "TBitBtnVarKostenDrucken", "TBitBtnVarKostenVorschau",
                                            [this](int modus) { VarKostenDrucken(modus); });
    TBitBtnVarKostenDrucken = druck.drucken;
    TBitBtnVarKostenVorschau = druck.vorschau;
    fuss->addWidget(TBitBtnVarKostenDrucken);
    fuss->addWidget(TBitBtnVarKostenVorschau);
    seite->addLayout(fuss);
    ui::on(TBtnVarKostenNeu, &QPushButton::clicked, this, [this] { TBtnVarKostenNeuClick(); });
    ui::on(TBtnVarKostenSpeichern, &QPushButton::clicked, this, [this] { TBtnVarKostenSpeichernClick(); });
    ui::on(TBtnVarKostenLoeschen, &QPushButton::clicked, this, [this] { TBtnVarKostenLoeschenClick(); });
}

void KostenSeite::TBtnVarKostenNeuClick()
{
    try {
        base::TDateTime datum = 0;
        LetztesBelegDatum(datum);
        dbe::TTable &kosten = DataModule1->TTblVarKosten;
        kosten.Append();
        kosten.FieldByName(QStringLiteral("BelegDatum"))->SetAsDateTime(datum);
        ZeileBeginnen(*Raster(), QStringLiteral("BelegDatum"));
    } catch (...) {
        ui::messages().error(QStringLiteral("Einfügen eines Kostendatensatzes nicht möglich"));
    }
}

void KostenSeite::TBtnVarKostenSpeichernClick()
{
    Speichern(DataModule1->TTblVarKosten);
}

void KostenSeite::TBtnVarKostenLoeschenClick()
{
    Loeschen(DataModule1->TTblVarKosten,
             QStringLiteral("Möchten Sie den markierten Kostendatensatz wirklich löschen"),
             QStringLiteral("Löschen des Kostendatensatzes nicht möglich"));
}

void KostenSeite::RadioGrpKostenSichtClick()
{
    if (!DataModule1)
        return;
    dbe::TTable &kosten = DataModule1->TTblVarKosten;
    switch (RadioGrpKostenSicht->itemIndex()) {
    case 2:
        CmbBoxKostenJahr->setEnabled(true);
        CmbBoxKostenMonat->setEnabled(false);
        jahresFilter();
        break;
    case 1:
        CmbBoxKostenJahr->setEnabled(true);
        CmbBoxKostenMonat->setEnabled(true);
        monatsFilter();
        break;
    default:
        CmbBoxKostenJahr->setEnabled(false);
        CmbBoxKostenMonat->setEnabled(false);
        kosten.SetFilter(QString());
        kosten.SetFiltered(false);
        break;
    }
}

// The year list's text compared unquoted with the text field Jahr.
void KostenSeite::jahresFilter()
{
    dbe::TTable &kosten = DataModule1->TTblVarKosten;
    kosten.SetFilter(QStringLiteral("Jahr = ") + CmbBoxKostenJahr->currentText());
    kosten.SetFiltered(true);
}

void KostenSeite::monatsFilter()
{
    dbe::TTable &kosten = DataModule1->TTblVarKosten;
    kosten.SetFilter(QStringLiteral("(Jahr = '") + CmbBoxKostenJahr->currentText() +
                     QStringLiteral("') and (Monat = '") + CmbBoxKostenMonat->currentText() +
                     QStringLiteral("')"));
    kosten.SetFiltered(true);
}

void KostenSeite::CmbBoxKostenMonatChange()
{
    if (DataModule1 && RadioGrpKostenSicht->itemIndex() == 1)
        monatsFilter();
}

void KostenSeite::CmbBoxKostenJahrChange()
{
    if (!DataModule1)
        return;
    const int sicht = RadioGrpKostenSicht->itemIndex();
    if (sicht == 2)
        jahresFilter();
    else if (sicht == 1)
        monatsFilter();
}

void KostenSeite::anfangen()
{
    RadioGrpKostenSicht->setItemIndex(0);
    JahrAufHeute(CmbBoxKostenJahr);
    MonatAufHeute(CmbBoxKostenMonat);
}

void KostenSeite::VarKostenDrucken(int modus)
{
    ReportAnfordern(modus, 2, DataModule1->TTblVarKosten.IsEmpty(),
                    QStringLiteral("Sie haben noch keine var. Kosten für dieses Fahrzeug eingegeben"));
}

int KostenSeite::KostenSicht() const
{
    return RadioGrpKostenSicht->itemIndex();
}

void KostenSeite::KostenSichtSetzen(int sicht)
{
    RadioGrpKostenSicht->setItemIndex(sicht);
}

QString KostenSeite::KostenJahr() const
{
    return CmbBoxKostenJahr->currentText();
}

} // namespace fleet
