#include "formulare/TerminInfoDlg.h"

#include <QCalendarWidget>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/GermanFormat.h"
#include "daten/DataModule1.h"
#include "dbe/Field.h"
#include "dienste/Formularzugriff.h"
#include "dienste/ReportDienste.h"
#include "ui/Clock.h"
#include "ui/ComboBox.h"
#include "ui/Connect.h"
#include "ui/RadioGroup.h"

namespace fleet {

TTerminInfoDlg *TerminInfoDlg = nullptr;

TTerminInfoDlg *TerminInfoDlgBereitstellen()
{
    return FormularBereitstellen(TerminInfoDlg, QStringLiteral("TerminInfoDlg"));
}

namespace {

constexpr int kMemoLaenge = 1000;

void zeitWaehlen(ui::ComboBox *liste, const QString &zeit)
{
    // A stored time that is no entry selects none.
    liste->setCurrentIndex(termine::Uhrzeiten().indexOf(zeit));
}

} // namespace

TTerminInfoDlg::TTerminInfoDlg(QWidget *parent) : ui::FormBase(QStringLiteral("TerminInfoDlg"), parent)
{
    setWindowTitle(QStringLiteral("Termin-Informationen"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint |
                   Qt::WindowTitleHint);

    LblTerminInfo = ui::make<QLabel>(this, "LblTerminInfo");
    QFont fett = LblTerminInfo->font();
    fett.setBold(true);
    LblTerminInfo->setFont(fett);
    LblTerminInfo_Info = ui::make<QLabel>(this, "LblTerminInfo_Info");

    MonthCalendarTerminInfo = ui::make<QCalendarWidget>(this, "MonthCalendarTerminInfo");
    MonthCalendarTerminInfo->setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
    MonthCalendarTerminInfo->setGridVisible(true);
    RadioGrpTerminVonBis = ui::make<ui::RadioGroup>(this, "RadioGrpTerminVonBis");
    RadioGrpTerminVonBis->setTitle(QStringLiteral("Termin von/bis"));
    RadioGrpTerminVonBis->setItems({QStringLiteral("von"), QStringLiteral("bis")});
    RadioGrpTerminVonBis->setColumns(2);

    EditTerminInfoServiceTermin = ui::make<QLineEdit>(this, "EditTerminInfoServiceTermin");
    EditTerminInfoServiceTermin->setReadOnly(true);
    EditTerminInfoTerminBis = ui::make<QLineEdit>(this, "EditTerminInfoTerminBis");
    EditTerminInfoTerminBis->setReadOnly(true);
    CmbBoxTerminInfoUhrzeit = ui::make<ui::ComboBox>(this, "CmbBoxTerminInfoUhrzeit");
    CmbBoxTerminInfoUhrzeitBis = ui::make<ui::ComboBox>(this, "CmbBoxTerminInfoUhrzeitBis");
    for (ui::ComboBox *liste : {CmbBoxTerminInfoUhrzeit, CmbBoxTerminInfoUhrzeitBis}) {
        liste->addItems(termine::Uhrzeiten());
        liste->setMaxVisibleItems(16);
    }
    BtnWerkstattTerminLoeschen =
        ui::make<QPushButton>(this, "BtnWerkstattTerminLoeschen", QStringLiteral("Datum/Uhrzeit l&öschen"));

    EditTerminInfoFreifeld1 = ui::make<QLineEdit>(this, "EditTerminInfoFreifeld1");
    EditTerminInfoFreifeld2 = ui::make<QLineEdit>(this, "EditTerminInfoFreifeld2");
    EditTerminInfoFreifeld3 = ui::make<QLineEdit>(this, "EditTerminInfoFreifeld3");
    EditTerminInfoFreifeld4 = ui::make<QLineEdit>(this, "EditTerminInfoFreifeld4");
    LblTerminInfoFreifeld1 = ui::make<QLabel>(this, "LblTerminInfoFreifeld1");
    LblTerminInfoFreifeld2 = ui::make<QLabel>(this, "LblTerminInfoFreifeld2");
    LblTerminInfoFreifeld3 = ui::make<QLabel>(this, "LblTerminInfoFreifeld3");
    LblTerminInfoFreifeld4 = ui::make<QLabel>(this, "LblTerminInfoFreifeld4");
    for (int i = 1; i <= 4; ++i)
        freifeld(i)->setMaxLength(50);

    MemoTerminInfo = ui::make<QPlainTextEdit>(this, "MemoTerminInfo");
    MemoTerminInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoTerminInfo->setTabChangesFocus(false);
    RadioGrpTerminInfoStatus = ui::make<ui::RadioGroup>(this, "RadioGrpTerminInfoStatus");
    RadioGrpTerminInfoStatus->setTitle(QStringLiteral("Status"));
    RadioGrpTerminInfoStatus->setItems({QStringLiteral("Ok"), QStringLiteral("Löschen")});

    BitBtnTerminInfoOk = ui::make<QPushButton>(this, "BitBtnTerminInfoOk", QStringLiteral("S&chließen"));
    BitBtnTerminInfoAbbruch =
        ui::make<QPushButton>(this, "BitBtnTerminInfoAbbruch", QStringLiteral("&Abbrechen"));
    BitBtnTerminInfoDrucken =
        ui::make<QPushButton>(this, "BitBtnTerminInfoDrucken", QStringLiteral("D&rucken"));
    setButtonResult(BitBtnTerminInfoOk, ui::mrOk);
    setButtonResult(BitBtnTerminInfoAbbruch, ui::mrAbort);
    setCancelButton(BitBtnTerminInfoAbbruch);

    // Layout: heading across; calendar with the workshop dates on the left,
    // free fields, note and status on the right; buttons along the bottom.
    auto *termin = new QGroupBox(QStringLiteral("Werkstatt-Termin"), this);
    auto *terminForm = new QFormLayout(termin);
    terminForm->addRow(MonthCalendarTerminInfo);
    terminForm->addRow(RadioGrpTerminVonBis);
    terminForm->addRow(QStringLiteral("Werkstatt-Termin"), EditTerminInfoServiceTermin);
    terminForm->addRow(QStringLiteral("Uhrzeit"), CmbBoxTerminInfoUhrzeit);
    terminForm->addRow(QStringLiteral("Werkstatt-Termin/bis"), EditTerminInfoTerminBis);
    terminForm->addRow(QStringLiteral("Uhrzeit/bis"), CmbBoxTerminInfoUhrzeitBis);
    terminForm->addRow(BtnWerkstattTerminLoeschen);

    auto *rechts = new QVBoxLayout;
    auto *frei = new QFormLayout;
    for (int i = 1; i <= 4; ++i)
        frei->addRow(freifeldLabel(i), freifeld(i));
    rechts->addLayout(frei);
    rechts->addWidget(new QLabel(QStringLiteral("Termin-Info"), this));
    rechts->addWidget(MemoTerminInfo, 1);
    rechts->addWidget(RadioGrpTerminInfoStatus);

    auto *mitte = new QHBoxLayout;
    mitte->addWidget(termin);
    mitte->addLayout(rechts, 1);

    auto *knoepfe = new QHBoxLayout;
    knoepfe->addWidget(BitBtnTerminInfoDrucken);
    knoepfe->addStretch();
    knoepfe->addWidget(BitBtnTerminInfoOk);
    knoepfe->addWidget(BitBtnTerminInfoAbbruch);

    auto *haupt = new QVBoxLayout(this);
    haupt->addWidget(LblTerminInfo);
    haupt->addWidget(LblTerminInfo_Info);
    haupt->addLayout(mitte, 1);
    haupt->addLayout(knoepfe);
    resize(760, 520);

    ui::on(MonthCalendarTerminInfo, &QCalendarWidget::activated, this,
           &TTerminInfoDlg::MonthCalendarTerminInfoDblClick);
    ui::on(BtnWerkstattTerminLoeschen, &QPushButton::clicked, this,
           &TTerminInfoDlg::BtnWerkstattTerminLoeschenClick);
    ui::on(BitBtnTerminInfoDrucken, &QPushButton::clicked, this,
           &TTerminInfoDlg::BitBtnTerminInfoDruckenClick);
    connect(MemoTerminInfo, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = MemoTerminInfo->toPlainText();
        if (text.size() > kMemoLaenge) {
            MemoTerminInfo->setPlainText(text.left(kMemoLaenge));
            MemoTerminInfo->moveCursor(QTextCursor::End);
        }
    });
    FormCreate();
}

QLineEdit *TTerminInfoDlg::freifeld(int i) const
{
    QLineEdit *const felder[] = {EditTerminInfoFreifeld1, EditTerminInfoFreifeld2, EditTerminInfoFreifeld3,
                                 EditTerminInfoFreifeld4};
    return felder[i - 1];
}

QLabel *TTerminInfoDlg::freifeldLabel(int i) const
{
    QLabel *const labels[] = {LblTerminInfoFreifeld1, LblTerminInfoFreifeld2, LblTerminInfoFreifeld3,
                              LblTerminInfoFreifeld4};
    return labels[i - 1];
}

void TTerminInfoDlg::FormCreate()
{
    for (int i = 1; i <= 4; ++i) {
        QString name;
        try {
            if (DataModule1) {
                dbe::TTable &e = DataModule1->TTblEinstellungenAllgem;
                if (e.Active())
                    name = e.FieldByName(QStringLiteral("NameTInfoFreifeld%1").arg(i))->AsString();
            }
        } catch (const std::exception &) {
        }
        freifeldLabel(i)->setText(name.isEmpty() ? QStringLiteral("Freifeld%1").arg(i) : name);
    }
    MonthCalendarTerminInfo->setSelectedDate(base::toQDate(ui::today()));
    RadioGrpTerminVonBis->setItemIndex(0);
}

void TTerminInfoDlg::Vorbereiten(const QString &ueberschrift, const QString &info,
                                 const termine::TerminNotiz &n, base::TDateTime kalender)
{
    BitBtnTerminInfoDrucken->setEnabled(Dienst<ReportDienste>::vorhanden());
    LblTerminInfo->setText(ueberschrift);
    LblTerminInfo_Info->setText(info);
    MemoTerminInfo->setPlainText(n.text);
    RadioGrpTerminInfoStatus->setItemIndex(0);
    EditTerminInfoServiceTermin->setText(n.vereinbart);
    EditTerminInfoTerminBis->setText(n.bis);
    zeitWaehlen(CmbBoxTerminInfoUhrzeit, n.uhrzeit);
    zeitWaehlen(CmbBoxTerminInfoUhrzeitBis, n.uhrzeitBis);
    for (int i = 1; i <= 4; ++i)
        freifeld(i)->setText(n.freifelder[static_cast<size_t>(i - 1)]);
    MonthCalendarTerminInfo->setSelectedDate(base::toQDate(kalender));
}

termine::TerminNotiz TTerminInfoDlg::Notiz() const
{
    termine::TerminNotiz n;
    n.text = MemoTerminInfo->toPlainText();
    n.vereinbart = EditTerminInfoServiceTermin->text();
    n.uhrzeit = CmbBoxTerminInfoUhrzeit->currentText();
    n.bis = EditTerminInfoTerminBis->text();
    n.uhrzeitBis = CmbBoxTerminInfoUhrzeitBis->currentText();
    for (int i = 1; i <= 4; ++i)
        n.freifelder[static_cast<size_t>(i - 1)] = freifeld(i)->text();
    return n;
}

bool TTerminInfoDlg::LoeschenGewaehlt() const
{
    return RadioGrpTerminInfoStatus->itemIndex() == 1;
}

void TTerminInfoDlg::MonthCalendarTerminInfoDblClick()
{
    const QString text = base::de::formatDate(base::fromQDate(MonthCalendarTerminInfo->selectedDate()));
    if (RadioGrpTerminVonBis->itemIndex() == 1)
        EditTerminInfoTerminBis->setText(text);
    else
        EditTerminInfoServiceTermin->setText(text);
}

void TTerminInfoDlg::BtnWerkstattTerminLoeschenClick()
{
    EditTerminInfoServiceTermin->clear();
    EditTerminInfoTerminBis->clear();
    CmbBoxTerminInfoUhrzeit->setCurrentIndex(0);
    CmbBoxTerminInfoUhrzeitBis->setCurrentIndex(0);
}

void TTerminInfoDlg::BitBtnTerminInfoDruckenClick()
{
    // The catalogue reads this dialog's controls by their names.
    if (Dienst<ReportDienste>::vorhanden())
        reportDienste().PrintReport(23, kVorschau);
}

} // namespace fleet
