#include "formulare/DruckKnoepfe.h"

#include <QPushButton>

#include "dienste/ReportDienste.h"
#include "ui/Connect.h"
#include "ui/FormBase.h"

namespace fleet {

DruckKnoepfe DruckKnoepfeAnlegen(ui::FormBase *form, const QString &druckHinweis,
                                 const QString &vorschauHinweis, std::function<void()> beimDrucken,
                                 std::function<void()> beiVorschau)
{
    DruckKnoepfe k{
        ui::make<QPushButton>(form, "TBitBtnAlleFahrzeugeAuswertungDrucken", QStringLiteral("D&rucken")),
        ui::make<QPushButton>(form, "TBitBtnDurchschnittVorschau", QStringLiteral("&Vorschau"))};
    k.drucken->setToolTip(druckHinweis);
    k.vorschau->setToolTip(vorschauHinweis);
    ui::on(k.drucken, &QPushButton::clicked, form, std::move(beimDrucken));
    ui::on(k.vorschau, &QPushButton::clicked, form, std::move(beiVorschau));
    ui::on(form, &ui::FormBase::formShow, form, [k] {
        const bool berichte = Dienst<ReportDienste>::vorhanden();
        k.drucken->setEnabled(berichte);
        k.vorschau->setEnabled(berichte);
    });
    return k;
}

} // namespace fleet
