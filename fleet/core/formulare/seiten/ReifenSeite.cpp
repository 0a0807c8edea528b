#include "formulare/seiten/ReifenSeite.h"

#include <algorithm>

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "base/GermanFormat.h"
#include "daten/DataModule1.h"
#include "dbe/Table.h"
#include "formulare/seiten/Bausteine.h"
#include "ui/DBEdit.h"
#include "ui/DBRadioGroup.h"
#include "ui/FormBase.h"
#include "ui/PageControl.h"

namespace fleet {

using namespace seiten;

void ReifenSeite::aufbauen()
{
    // Tyres: the mounted season and one inner page per season.
    auto *reifen = seitenLayout(this);
    DBRadioGrpReifen = ui::make<ui::DBRadioGroup>(this, "DBRadioGrpReifen");
    DBRadioGrpReifen->setTitle(QStringLiteral("Zur Zeit montiert.."));
    DBRadioGrpReifen->setItems({QStringLiteral("Sommer-Reifen"), QStringLiteral("Winter-Reifen")});
    DBRadioGrpReifen->setColumns(2);
    DBRadioGrpReifen->setValues({QStringLiteral("S"), QStringLiteral("W")});
    DBRadioGrpReifen->setDataSource(&DataModule1->TDataSrcReifen);
    DBRadioGrpReifen->setDataField(QStringLiteral("ZurZeitMontiert"));
    auto *rKopf = new QHBoxLayout;
    rKopf->addWidget(DBRadioGrpReifen);
    rKopf->addStretch(1);
    reifen->addLayout(rKopf);
    PageCtrlReifen = ui::make<ui::PageControl>(this, "PageCtrlReifen");
    TabSheetSommerReifen =
        PageCtrlReifen->addPage(QStringLiteral("TabSheetSommerReifen"), QStringLiteral("Sommer-Reifen"));
    TabSheetWinterReifen =
        PageCtrlReifen->addPage(QStringLiteral("TabSheetWinterReifen"), QStringLiteral("Winter-Reifen"));
    innenseiteAufbauen(TabSheetSommerReifen, QStringLiteral("So"));
    innenseiteAufbauen(TabSheetWinterReifen, QStringLiteral("Wi"));
    reifen->addWidget(PageCtrlReifen, 1);
}

void ReifenSeite::innenseiteAufbauen(ui::TabSheet *seite, const QString &saison)
{
    dbe::TDataSource &r = DataModule1->TDataSrcReifen;
    auto *gitter = new QGridLayout(seite);
    gitter->setContentsMargins(6, 6, 6, 6);
    gitter->setVerticalSpacing(3);
    const QStringList koepfe{QStringLiteral("Achse"),
                             QStringLiteral("Reifentyp"),
                             QStringLiteral("Profil (mm)"),
                             QStringLiteral("Bemerkung"),
                             QStringLiteral("Mont. Km.:"),
                             QStringLiteral("Mont.-Datum:"),
                             QStringLiteral("Laufleistung Km. (ca.):")};
    for (int s = 0; s < koepfe.size(); ++s)
        gitter->addWidget(new QLabel(koepfe[s], seite), 0, s);
    for (int n = 1; n <= 7; ++n) {
        const QString achse = QStringLiteral("Achse%1").arg(n);
        gitter->addWidget(new QLabel(QString::number(n), seite), n, 0);
        int spalte = 1;
        for (const char *teil :
             {"Reifentyp", "ReifenProfilMM", "ReifenBemerkung", "ReifenKm", "ReifenLinksDatum"}) {
            const QString feld = achse + QString::fromLatin1(teil) + saison;
            gitter->addWidget(edit(seite, QStringLiteral("Edit") + feld, r, feld), n, spalte++);
        }
        auto *gelaufen = label(seite, QStringLiteral("Lbl%1ReifenGelaufen%2").arg(achse, saison), QString());
        gelaufen->setFrameShape(QFrame::StyledPanel);
        gitter->addWidget(gelaufen, n, spalte);
    }
    const bool sommer = saison == QLatin1String("So");
    gitter->addWidget(new QLabel(QStringLiteral("Reifengröße:"), seite), 8, 0, 1, 2);
    gitter->addWidget(edit(seite, QStringLiteral("EditReifengroesse") + saison, r,
                           sommer ? QStringLiteral("Reifengroesse") : QStringLiteral("Reserve1")),
                      8, 2);
    gitter->addWidget(new QLabel(QStringLiteral("Reifenpreis:"), seite), 9, 0, 1, 2);
    gitter->addWidget(edit(seite, QStringLiteral("EditReifenpreis") + saison, r,
                           sommer ? QStringLiteral("Reifenpreis") : QStringLiteral("Reserve2")),
                      9, 2);
    gitter->setColumnStretch(3, 2);
    gitter->setRowStretch(10, 1);
}

void ReifenSeite::betreten()
{
    ReifenLaufleistungLoeschen();
    ReifenLaufleistungAnzeigen();
}

int ReifenSeite::MontierteReifen() const
{
    return DBRadioGrpReifen->itemIndex();
}

void ReifenSeite::ReifenSeiteZeigen(int saison)
{
    PageCtrlReifen->setActivePage(saison == 1 ? TabSheetWinterReifen : TabSheetSommerReifen);
}

void ReifenSeite::ReifenLaufleistungLoeschen()
{
    for (const char *saison : {"So", "Wi"})
        for (int n = 1; n <= 7; ++n)
            if (auto *l = findChild<QLabel *>(
                    QStringLiteral("LblAchse%1ReifenGelaufen%2").arg(n).arg(QLatin1String(saison))))
                l->clear();
}

void ReifenSeite::ReifenLaufleistungAnzeigen()
{
    dbe::TTable &reifen = DataModule1->TTblReifen;
    dbe::TTable &main = DataModule1->TTblMain;
    if (!reifen.Active() || reifen.IsEmpty() || !main.Active() || main.IsEmpty())
        return;
    const double kmStand = main.FieldByName(QStringLiteral("KfzKmStand"))->AsFloat();
    for (const char *saison : {"So", "Wi"}) {
        for (int n = 1; n <= 7; ++n) {
            const QString s = QLatin1String(saison);
            const dbe::TField *montiert = reifen.FindField(QStringLiteral("Achse%1ReifenKm%2").arg(n).arg(s));
            auto *l = findChild<QLabel *>(QStringLiteral("LblAchse%1ReifenGelaufen%2").arg(n).arg(s));
            if (!montiert || !l || montiert->AsFloat() <= 0 || kmStand <= 0)
                continue;
            l->setText(base::de::formatGeneral(std::max(0.0, kmStand - montiert->AsFloat())));
        }
    }
}

} // namespace fleet
