#include "formulare/seiten/SchadenSeite.h"

#include <QVBoxLayout>

#include "daten/DataModule1.h"
#include "ui/CheckBox.h"
#include "ui/FormBase.h"

namespace fleet {

SchadenSeite::SchadenSeite(ui::TabSheet *tab)
    : RasterSeite(tab, "DBGridSchadensmanagement", DataModule1->DataSrcSchadensmanagement,
                  QStringLiteral("Schaden"))
{
}

void SchadenSeite::kopfAufbauen(QVBoxLayout *seite)
{
    ChkBoxSchadenFilter =
        ui::make<ui::CheckBox>(this, "ChkBoxSchadenFilter", QStringLiteral("Filter auf Bearbeitungsnr."));
    seite->addWidget(ChkBoxSchadenFilter);
}

void SchadenSeite::anfangen()
{
    ChkBoxSchadenFilter->setChecked(false);
}

void SchadenSeite::SchadenFilterAusschalten()
{
    if (ChkBoxSchadenFilter->isChecked())
        ChkBoxSchadenFilter->setChecked(false);
}

} // namespace fleet
