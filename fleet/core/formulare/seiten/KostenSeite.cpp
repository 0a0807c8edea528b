#include "formulare/seiten/KostenSeite.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "daten/DataModule1.h"
#include "formulare/seiten/Bausteine.h"
#include "ui/ComboBox.h"
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
}

void KostenSeite::anfangen()
{
    RadioGrpKostenSicht->setItemIndex(0);
    JahrAufHeute(CmbBoxKostenJahr);
    MonatAufHeute(CmbBoxKostenMonat);
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
