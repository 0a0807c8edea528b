#include "formulare/seiten/ReifenSeite.h"

#include <algorithm>

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/Abort.h"
#include "base/GermanFormat.h"
#include "daten/DataModule1.h"
#include "dbe/Table.h"
#include "dienste/ReportDienste.h"
#include "formulare/seiten/Bausteine.h"
#include "formulare/seiten/DruckKnoepfe.h"
#include "ui/Connect.h"
#include "ui/DBEdit.h"
#include "ui/DBLookupComboBox.h"
#include "ui/DBRadioGroup.h"
#include "ui/FormBase.h"
#include "ui/Messages.h"
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
    TBtnReifenSpeichern = ui::make<QPushButton>(this, "TBtnReifenSpeichern", QStringLiteral("&Speichern"));
    BitBtnReifenDrucken = ui::make<QPushButton>(this, "BitBtnReifenDrucken", QStringLiteral("D&rucken"));
    BitBtnReifenVorschau = ui::make<QPushButton>(this, "BitBtnReifenVorschau", QStringLiteral("&Vorschau"));
    ui::on(TBtnReifenSpeichern, &QPushButton::clicked, this, [this] { TBtnReifenSpeichernClick(); });
    ui::on(BitBtnReifenDrucken, &QPushButton::clicked, this, [this] { BitBtnReifenDruckenClick(); });
    ui::on(BitBtnReifenVorschau, &QPushButton::clicked, this, [this] { BitBtnReifenVorschauClick(); });
    for (QPushButton *k : {TBtnReifenSpeichern, BitBtnReifenDrucken, BitBtnReifenVorschau})
        rKopf->addWidget(k, 0, Qt::AlignBottom);
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
        // The tyre type is chosen from the tyre-type list; a type typed in
        // that the list lacks is added by the tyre rule on saving.
        const QString typ = achse + QStringLiteral("Reifentyp") + saison;
        const QByteArray typName = (QStringLiteral("DBLookupCmb") + typ).toLatin1();
        auto *typWahl = nachschlag(seite, typName.constData(), r, typ.toLatin1().constData(),
                                   DataModule1->DataSrcReifentyp, "Reifentyp");
        typWahl->setMinimumWidth(160); // "Sommer 195/65 R15 91H" fits
        gitter->addWidget(typWahl, n, 1);
        int spalte = 2;
        for (const char *teil : {"ReifenProfilMM", "ReifenBemerkung", "ReifenKm", "ReifenLinksDatum"}) {
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

void ReifenSeite::anfangen()
{
    DruckFreigabe(BitBtnReifenDrucken);
    DruckFreigabe(BitBtnReifenVorschau);
}

void ReifenSeite::TBtnReifenSpeichernClick()
{
    dbe::TTable &reifen = DataModule1->TTblReifen;
    try {
        if (reifen.State() == dbe::TDataSetState::dsBrowse) {
            // The layer fills the vehicle key of a new detail row.
            if (reifen.IsEmpty())
                reifen.Append();
            else
                reifen.Edit();
        }
        reifen.Post();
    } catch (const base::SilentAbort &) {
        throw;
    } catch (...) {
        ui::messages().error(QStringLiteral("Speichern des Reifendatensatzes nicht möglich"));
    }
}

// The tyre report checks for no data: an empty record prints empty.
void ReifenSeite::BitBtnReifenDruckenClick()
{
    reportDienste().PrintReport(11, kDrucken);
}

void ReifenSeite::BitBtnReifenVorschauClick()
{
    reportDienste().PrintReport(11, kVorschau);
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
