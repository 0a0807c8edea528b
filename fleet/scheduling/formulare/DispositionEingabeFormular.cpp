#include "formulare/DispositionEingabeFormular.h"

#include <cmath>

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "daten/DataModule1.h"
#include "dienste/DetailFensterZugriff.h"
#include "dienste/Formularzugriff.h"
#include "ui/Connect.h"
#include "ui/DatePicker.h"
#include "ui/Messages.h"
#include "ui/RadioGroup.h"

namespace fleet {

TDispositionEingabeFormular *DispositionEingabeFormular = nullptr;

TDispositionEingabeFormular *DispositionEingabeFormularBereitstellen()
{
    return FormularBereitstellen(DispositionEingabeFormular, QStringLiteral("DispositionEingabeFormular"));
}

namespace {

void hauptPickerSetzen(const char *name, base::TDateTime datum)
{
    if (auto *p = qobject_cast<ui::DatePicker *>(
            KomponenteFinden(QStringLiteral("HauptFormular"), QString::fromLatin1(name))))
        p->setValue(datum);
}

} // namespace

TDispositionEingabeFormular::TDispositionEingabeFormular(QWidget *parent)
    : ui::FormBase(QStringLiteral("DispositionEingabeFormular"), parent)
{
    setWindowTitle(QStringLiteral("Fahrzeugdisposition/Zeitraum"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    LblUeberschrift =
        ui::make<QLabel>(this, "LblUeberschrift",
                         QStringLiteral("Bitte wählen Sie den Zeitraum der neuen Fahrzeugdisposition.."));
    QFont fett = LblUeberschrift->font();
    fett.setBold(true);
    LblUeberschrift->setFont(fett);
    DateTimePckDatumVon = ui::make<ui::DatePicker>(this, "DateTimePckDatumVon", ui::DatePicker::Kind::Date);
    DateTimePckUhrzeitAnfang =
        ui::make<ui::DatePicker>(this, "DateTimePckUhrzeitAnfang", ui::DatePicker::Kind::Time);
    DateTimePckDatumBis = ui::make<ui::DatePicker>(this, "DateTimePckDatumBis", ui::DatePicker::Kind::Date);
    DateTimePckUhrzeitEnde =
        ui::make<ui::DatePicker>(this, "DateTimePckUhrzeitEnde", ui::DatePicker::Kind::Time);
    RadioGrpModus = ui::make<ui::RadioGroup>(this, "RadioGrpModus");
    RadioGrpModus->setTitle(QStringLiteral("Modus - Datum erhöhen"));
    RadioGrpModus->setItems(
        {QStringLiteral("Beide"), QStringLiteral("Anfangsdatum"), QStringLiteral("Enddatum")});
    BtnEinTagPlus = ui::make<QPushButton>(this, "BtnEinTagPlus", QStringLiteral("1 Tag +"));
    BtnEineWochePlus = ui::make<QPushButton>(this, "BtnEineWochePlus", QStringLiteral("1 Woche +"));
    BtnEinenMonatPlus = ui::make<QPushButton>(this, "BtnEinenMonatPlus", QStringLiteral("1 Monat +"));
    BtnEinJahrPlus = ui::make<QPushButton>(this, "BtnEinJahrPlus", QStringLiteral("1 Jahr +"));
    BtnReset = ui::make<QPushButton>(this, "BtnReset", QStringLiteral("Reset"));
    BitBtnOk = ui::make<QPushButton>(this, "BitBtnOk", QStringLiteral("OK"));
    BitBtnOk->setDefault(true);
    BitBtnAbbruch = ui::make<QPushButton>(this, "BitBtnAbbruch", QStringLiteral("Abbruch"));
    setButtonResult(BitBtnAbbruch, ui::mrAbort);
    setCancelButton(BitBtnAbbruch);

    auto *zeitraum = new QGridLayout;
    zeitraum->addWidget(new QLabel(QStringLiteral("Anfangsdatum"), this), 0, 0);
    zeitraum->addWidget(DateTimePckDatumVon, 0, 1);
    zeitraum->addWidget(new QLabel(QStringLiteral("Uhrzeit"), this), 0, 2);
    zeitraum->addWidget(DateTimePckUhrzeitAnfang, 0, 3);
    zeitraum->addWidget(new QLabel(QStringLiteral("Enddatum"), this), 1, 0);
    zeitraum->addWidget(DateTimePckDatumBis, 1, 1);
    zeitraum->addWidget(new QLabel(QStringLiteral("Uhrzeit"), this), 1, 2);
    zeitraum->addWidget(DateTimePckUhrzeitEnde, 1, 3);
    auto *schritte = new QGroupBox(QStringLiteral("Datum erhöhen"), this);
    auto *s = new QHBoxLayout(schritte);
    for (QPushButton *b : {BtnEinTagPlus, BtnEineWochePlus, BtnEinenMonatPlus, BtnEinJahrPlus})
        s->addWidget(b);
    auto *mitte = new QHBoxLayout;
    mitte->addWidget(RadioGrpModus);
    mitte->addWidget(schritte, 1);
    auto *knoepfe = new QHBoxLayout;
    knoepfe->addWidget(BtnReset);
    knoepfe->addStretch();
    knoepfe->addWidget(BitBtnOk);
    knoepfe->addWidget(BitBtnAbbruch);
    auto *haupt = new QVBoxLayout(this);
    haupt->addWidget(LblUeberschrift);
    haupt->addLayout(zeitraum);
    haupt->addLayout(mitte);
    haupt->addLayout(knoepfe);

    ui::on(this, &ui::FormBase::formActivate, this, &TDispositionEingabeFormular::FormActivate);
    ui::on(BitBtnOk, &QPushButton::clicked, this, &TDispositionEingabeFormular::BitBtnOkClick);
    ui::on(DateTimePckDatumVon, &ui::DatePicker::onChange, this,
           &TDispositionEingabeFormular::DateTimePckDatumVonChange);
    ui::on(DateTimePckUhrzeitAnfang, &ui::DatePicker::onChange, this,
           &TDispositionEingabeFormular::DateTimePckUhrzeitChange);
    ui::on(DateTimePckUhrzeitEnde, &ui::DatePicker::onChange, this,
           &TDispositionEingabeFormular::DateTimePckUhrzeitChange);
    ui::on(BtnEinTagPlus, &QPushButton::clicked, this, [this] { Erhoehen(dispo::Schritt::Tag); });
    ui::on(BtnEineWochePlus, &QPushButton::clicked, this, [this] { Erhoehen(dispo::Schritt::Woche); });
    ui::on(BtnEinenMonatPlus, &QPushButton::clicked, this, [this] { Erhoehen(dispo::Schritt::Monat); });
    ui::on(BtnEinJahrPlus, &QPushButton::clicked, this, [this] { Erhoehen(dispo::Schritt::Jahr); });
    ui::on(BtnReset, &QPushButton::clicked, this, &TDispositionEingabeFormular::BtnResetClick);
    DateTimePckDatumBis->installEventFilter(this);
    FormCreate();
}

void TDispositionEingabeFormular::FormCreate()
{
    RadioGrpModus->setItemIndex(0);
    DateTimePckUhrzeitAnfang->setValue(base::encodeTime(12, 0));
    DateTimePckUhrzeitEnde->setValue(base::encodeTime(13, 0));
}

bool TDispositionEingabeFormular::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == DateTimePckDatumBis && event->type() == QEvent::FocusOut)
        ui::guard(this, [this] { DateTimePckDatumBisExit(); });
    return ui::FormBase::eventFilter(watched, event);
}

DispoZeitraum TDispositionEingabeFormular::werte() const
{
    return {std::floor(DateTimePckDatumVon->value()), std::floor(DateTimePckDatumBis->value()),
            dispo::Tageszeit(DateTimePckUhrzeitAnfang->value()),
            dispo::Tageszeit(DateTimePckUhrzeitEnde->value())};
}

void TDispositionEingabeFormular::setzen(const DispoZeitraum &z)
{
    DateTimePckDatumVon->setValue(z.DatumVon);
    DateTimePckDatumBis->setValue(z.DatumBis);
    DateTimePckUhrzeitAnfang->setValue(z.UhrzeitVon);
    DateTimePckUhrzeitEnde->setValue(z.UhrzeitBis);
}

bool TDispositionEingabeFormular::Erfragen(DispoZeitraum &zeitraum)
{
    setzen(zeitraum);
    const int ergebnis = showModal();
    zeitraum = werte();
    return ergebnis != ui::mrAbort;
}

void TDispositionEingabeFormular::FormActivate()
{
    DispoStartwerte = werte();
}

void TDispositionEingabeFormular::DateTimePckDatumVonChange()
{
    if (std::floor(DateTimePckDatumBis->value()) < std::floor(DateTimePckDatumVon->value()))
        DateTimePckDatumBis->setValue(DateTimePckDatumVon->value());
}

void TDispositionEingabeFormular::DateTimePckDatumBisExit()
{
    if (std::floor(DateTimePckDatumBis->value()) < std::floor(DateTimePckDatumVon->value())) {
        ui::messages().information(
            QStringLiteral("\"Enddatum\" kann nicht kleiner sein als \"Anfangsdatum\""));
        DateTimePckDatumBis->setValue(DateTimePckDatumVon->value());
    }
}

void TDispositionEingabeFormular::DateTimePckUhrzeitChange()
{
    const DispoZeitraum z = werte();
    const auto ende = dispo::GleicherTagKorrektur(z.DatumVon, z.DatumBis, z.UhrzeitVon, z.UhrzeitBis);
    if (!ende)
        return;
    ui::messages().information(QStringLiteral(
        "\"Uhzeit/Anfangsdatum\" kann für einen Tag nicht größer oder gleich \"Uhrzeit/Enddatum\" sein"));
    DateTimePckDatumBis->setValue(ende->datum);
    DateTimePckUhrzeitEnde->setValue(ende->uhrzeit);
}

void TDispositionEingabeFormular::Erhoehen(dispo::Schritt schritt)
{
    const dispo::Daten neu =
        dispo::Erhoehen(static_cast<dispo::Modus>(qMax(0, RadioGrpModus->itemIndex())), schritt,
                        {DateTimePckDatumVon->value(), DateTimePckDatumBis->value()});
    DateTimePckDatumVon->setValue(neu.von);
    DateTimePckDatumBis->setValue(neu.bis);
}

void TDispositionEingabeFormular::BtnResetClick()
{
    setzen(DispoStartwerte);
}

void TDispositionEingabeFormular::BitBtnOkClick()
{
    if (std::floor(DateTimePckDatumBis->value()) < std::floor(DateTimePckDatumVon->value())) {
        ui::messages().information(QStringLiteral("\"Datum Bis\" kann nicht kleiner sein als \"Datum Von\""));
        DateTimePckDatumBis->setValue(DateTimePckDatumVon->value());
    }
    hauptPickerSetzen("DateTimePckDispositionBis", std::floor(DateTimePckDatumBis->value()));
    hauptPickerSetzen("DateTimePckDisposition", std::floor(DateTimePckDatumVon->value()));
    if (DetailFensterZugriff *fenster = Detailfenster()) {
        // Set while already on 1, the group would not run its handler.
        if (fenster->DispoSicht() == 1)
            fenster->DispoSichtSetzen(0);
        fenster->DispoSichtSetzen(1);
    }
    if (DataModule1 && DataModule1->TTblDispo.Active() && !DataModule1->TTblDispo.IsEmpty() &&
        !ui::messages().warningQuestion(
            QStringLiteral("Für diesen Zeitraum liegen schon Fahrzeugdispositionen vor - beachten Sie die "
                           "Tabelle im HauptFormular - "
                           "möchten Sie diese Disposition trotzdem anlegen")))
        return;
    setModalResult(ui::mrOk);
}

} // namespace fleet
