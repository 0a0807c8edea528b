#include "formulare/seiten/MonatsuebersichtSeite.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "daten/DataModule1.h"
#include "dienste/HauptfensterDienste.h"
#include "formulare/seiten/Bausteine.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/DBGrid.h"
#include "ui/FormBase.h"
#include "ui/RadioGroup.h"

namespace fleet {

using namespace seiten;

void MonatsuebersichtSeite::aufbauen()
{
    auto *uebersicht = seitenLayout(this);
    auto *uKopf = new QHBoxLayout;
    RadioGrpSicht = auswahl(this, "RadioGrpSicht", QStringLiteral("Sichtb. Zeitraum"),
                            {QStringLiteral("Alle"), QStringLiteral("Jahr")}, 2);
    ComboBoxJahr = liste(this, "ComboBoxJahr", jahre());
    ComboBoxJahr->setEnabled(false);
    CheckBoxGrafik = ui::make<ui::CheckBox>(this, "CheckBoxGrafik", QStringLiteral("Grafik"));
    uKopf->addWidget(RadioGrpSicht);
    uKopf->addWidget(ComboBoxJahr);
    uKopf->addWidget(CheckBoxGrafik);
    uKopf->addWidget(label(this, QStringLiteral("LblMonatsuebersichtSchadstoff"),
                           QStringLiteral("Schadstoff/Gef.Km.(g)")));
    uKopf->addStretch(1);
    uebersicht->addLayout(uKopf);
    DBGridMonatsuebersicht = raster(this, "DBGridMonatsuebersicht", DataModule1->TDataSrcMonatKosten);
    DBGridMonatsuebersicht->setReadOnly(true);
    DBGridMonatsuebersicht->setRowSelect(true);
    uebersicht->addWidget(DBGridMonatsuebersicht, 1);
}

void MonatsuebersichtSeite::anfangen()
{
    RadioGrpSicht->setItemIndex(0);
    CheckBoxGrafik->setChecked(false);
    JahrAufHeute(ComboBoxJahr);
}

void MonatsuebersichtSeite::betreten()
{
    if (Dienst<Seitendienste>::vorhanden())
        Dienst<Seitendienste>::aktuell().MonatsuebersichtAnzeigen();
    DBGridMonatsuebersicht->setFocus();
}

} // namespace fleet
