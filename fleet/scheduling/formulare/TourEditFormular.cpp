#include "formulare/TourEditFormular.h"

#include <exception>

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "base/GermanFormat.h"
#include "daten/DataModule1.h"
#include "dienste/Formularzugriff.h"
#include "regeln/NumerischePruefung.h"
#include "regeln/TourZwischenablage.h"
#include "ui/Connect.h"
#include "ui/DatePicker.h"
#include "ui/Messages.h"

namespace fleet {

TTourEditFormular *TourEditFormular = nullptr;

TTourEditFormular *TourEditFormularBereitstellen()
{
    return FormularBereitstellen(TourEditFormular, QStringLiteral("TourEditFormular"));
}

namespace {

const QString kDatumHinweis = QStringLiteral("Bestimmen Sie hier das Anfangsdatum der Tour");
const QString kFehlerhaft =
    QStringLiteral("Diese Tour enthält noch fehlerhafte Datenfelder und kann so nicht eingefügt werden - "
                   "bite rufen Sie dieses Formular noch einmal auf und beseitgen Sie die Fehler");

QLineEdit *zeile(QWidget *form, const char *name, int laenge = 32767)
{
    auto *e = ui::make<QLineEdit>(form, name);
    e->setMaxLength(laenge);
    return e;
}

} // namespace

TTourEditFormular::TTourEditFormular(QWidget *parent)
    : ui::FormBase(QStringLiteral("TourEditFormular"), parent)
{
    setWindowTitle(QStringLiteral("Tour bearbeiten"));
    // A fixed dialog frame without title-bar buttons.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint);
    DateTimePckTourDatumVon =
        ui::make<ui::DatePicker>(this, "DateTimePckTourDatumVon", ui::DatePicker::Kind::Date);
    DateTimePckTourDatumBis =
        ui::make<ui::DatePicker>(this, "DateTimePckTourDatumBis", ui::DatePicker::Kind::Date);
    DateTimePckTourDatumVon->setToolTip(kDatumHinweis);
    DateTimePckTourDatumBis->setToolTip(kDatumHinweis);
    EditTourTour = zeile(this, "EditTourTour", 10);
    CmbBoxTourFahrerName = ui::make<QComboBox>(this, "CmbBoxTourFahrerName");
    CmbBoxTourFahrerName->setEditable(false);
    EditTourKostenstelle = zeile(this, "EditTourKostenstelle", 30);
    EditTourAbfahrtKm = zeile(this, "EditTourAbfahrtKm");
    EditTourAnkunftKm = zeile(this, "EditTourAnkunftKm");
    EditTourGefahrenKm = zeile(this, "EditTourGefahrenKm");
    EditTourPalettenPlus = zeile(this, "EditTourPalettenPlus");
    EditTourPalettenMinus = zeile(this, "EditTourPalettenMinus");
    EditTourErtrag = zeile(this, "EditTourErtrag");
    EditTourBemerkungen = zeile(this, "EditTourBemerkungen", 255);
    EditTourBemerkung2 = zeile(this, "EditTourBemerkung2", 50);
    EditTourBemerkung3 = zeile(this, "EditTourBemerkung3", 50);
    BitBtnTourEditOk = ui::make<QPushButton>(this, "BitBtnTourEditOk", QStringLiteral("OK"));
    BitBtnTourEditOk->setDefault(true);
    BitBtnTourEditAbbruch = ui::make<QPushButton>(this, "BitBtnTourEditAbbruch", QStringLiteral("Abbruch"));
    setButtonResult(BitBtnTourEditAbbruch, ui::mrCancel);
    setCancelButton(BitBtnTourEditAbbruch);

    LblTourDatumVon = ui::make<QLabel>(this, "LblTourDatumVon", QStringLiteral("Datum/Von:"));
    LblGefahrenKm = ui::make<QLabel>(this, "LblGefahrenKm", QStringLiteral("Gefahren Km.:"));
    for (QLabel *l : {LblTourDatumVon, LblGefahrenKm})
        l->setAutoFillBackground(true);
    auto *felder = new QGridLayout;
    const auto zeileEinfuegen = [this, felder](QLabel *label, QWidget *feld) {
        const int z = felder->rowCount();
        label->setBuddy(feld);
        felder->addWidget(label, z, 0);
        felder->addWidget(feld, z, 1);
    };
    const auto beschriftet = [this](const char *text) { return new QLabel(QString::fromUtf8(text), this); };
    zeileEinfuegen(LblTourDatumVon, DateTimePckTourDatumVon);
    zeileEinfuegen(beschriftet("Datum/Bis:"), DateTimePckTourDatumBis);
    zeileEinfuegen(beschriftet("Tour:"), EditTourTour);
    zeileEinfuegen(beschriftet("FahrerName:"), CmbBoxTourFahrerName);
    zeileEinfuegen(beschriftet("Kostenstelle:"), EditTourKostenstelle);
    zeileEinfuegen(beschriftet("Abfahrt Km.:"), EditTourAbfahrtKm);
    zeileEinfuegen(beschriftet("Ankunft Km.:"), EditTourAnkunftKm);
    zeileEinfuegen(LblGefahrenKm, EditTourGefahrenKm);
    zeileEinfuegen(beschriftet("Paletten/Plus:"), EditTourPalettenPlus);
    zeileEinfuegen(beschriftet("Paletten/Minus:"), EditTourPalettenMinus);
    zeileEinfuegen(beschriftet("Ertrag:"), EditTourErtrag);
    zeileEinfuegen(beschriftet("Bemerkung1:"), EditTourBemerkungen);
    zeileEinfuegen(beschriftet("Bemerkung2:"), EditTourBemerkung2);
    zeileEinfuegen(beschriftet("Bemerkung3:"), EditTourBemerkung3);
    felder->setColumnMinimumWidth(1, 320);
    auto *knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(BitBtnTourEditOk);
    knoepfe->addWidget(BitBtnTourEditAbbruch);
    auto *haupt = new QVBoxLayout(this);
    haupt->addLayout(felder);
    haupt->addLayout(knoepfe);
    setFixedSize(sizeHint());

    ui::on(this, &ui::FormBase::formShow, this, &TTourEditFormular::FormShow);
    ui::on(this, &ui::FormBase::formClose, this, &TTourEditFormular::FormClose);
    ui::on(BitBtnTourEditOk, &QPushButton::clicked, this, &TTourEditFormular::BitBtnTourEditOkClick);
    ui::on(DateTimePckTourDatumVon, &ui::DatePicker::onChange, this,
           &TTourEditFormular::DateTimePckTourDatumVonChange);
    for (QLineEdit *e : {EditTourAbfahrtKm, EditTourAnkunftKm, EditTourGefahrenKm, EditTourPalettenPlus,
                         EditTourPalettenMinus, EditTourErtrag})
        ui::on(e, &QLineEdit::textChanged, this, [this, e] { NumerischPruefen(e); });
    DateTimePckTourDatumBis->installEventFilter(this);
    EditTourErtrag->installEventFilter(this);
}

bool TTourEditFormular::eventFilter(QObject *watched, QEvent *event)
{
    // Focus taken by a message box or popup is no leaving of the field.
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent *>(event)->reason() != Qt::ActiveWindowFocusReason &&
        static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason) {
        if (watched == DateTimePckTourDatumBis)
            ui::guard(this, [this] { DateTimePckTourDatumBisExit(); });
        else if (watched == EditTourErtrag)
            ui::guard(this, [this] { EditTourErtragExit(); });
    }
    return ui::FormBase::eventFilter(watched, event);
}

void TTourEditFormular::labelFarbe(QLabel *label, bool rot)
{
    QPalette p = label->palette();
    p.setColor(QPalette::Window, rot ? QColor(Qt::red) : palette().color(QPalette::Button));
    label->setPalette(p);
}

void TTourEditFormular::FormShow()
{
    if (!TourZwischenspeicherLaden())
        ui::messages().error(QStringLiteral("Zwischengespeicherte Daten konnten nicht gelesen werden"));
    labelFarbe(LblTourDatumVon, FehlerCode & 1);
    labelFarbe(LblGefahrenKm, FehlerCode & 2);
}

void TTourEditFormular::FormClose()
{
    labelFarbe(LblTourDatumVon, false);
    labelFarbe(LblGefahrenKm, false);
}

void TTourEditFormular::TourFahrerListeFuellen()
{
    CmbBoxTourFahrerName->clear();
    CmbBoxTourFahrerName->addItems(TourFahrerListe(&DataModule1->TTblMain.Session()));
}

bool TTourEditFormular::TourZwischenspeicherLaden()
{
    try {
        TourFahrerListeFuellen();
        const TourDialogTexte t = fleet::TourZwischenspeicherLaden(TourZwischenablage);
        DateTimePckTourDatumVon->setValue(t.DatumVon);
        DateTimePckTourDatumBis->setValue(t.DatumBis);
        EditTourTour->setText(t.Tour);
        QStringList fahrer;
        for (int i = 0; i < CmbBoxTourFahrerName->count(); ++i)
            fahrer << CmbBoxTourFahrerName->itemText(i);
        CmbBoxTourFahrerName->setCurrentIndex(TourFahrerIndex(fahrer, t.FahrerName));
        EditTourKostenstelle->setText(t.Kostenstelle);
        for (QLineEdit *e :
             {EditTourAbfahrtKm, EditTourAnkunftKm, EditTourPalettenPlus, EditTourPalettenMinus})
            e->clear();
        EditTourGefahrenKm->setText(t.GefahrenKm);
        EditTourErtrag->setText(t.Ertrag);
        EditTourBemerkungen->setText(t.Bemerkungen);
        EditTourBemerkung2->setText(t.Bemerkung2);
        EditTourBemerkung3->setText(t.Bemerkung3);
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

TourDialogTexte TTourEditFormular::texte() const
{
    TourDialogTexte t;
    t.DatumVon = DateTimePckTourDatumVon->value();
    t.DatumBis = DateTimePckTourDatumBis->value();
    t.Tour = EditTourTour->text();
    t.FahrerName = CmbBoxTourFahrerName->currentText();
    t.Kostenstelle = EditTourKostenstelle->text();
    t.AbfahrtKm = EditTourAbfahrtKm->text();
    t.AnkunftKm = EditTourAnkunftKm->text();
    t.GefahrenKm = EditTourGefahrenKm->text();
    t.PalettenPlus = EditTourPalettenPlus->text();
    t.PalettenMinus = EditTourPalettenMinus->text();
    t.Ertrag = EditTourErtrag->text();
    t.Bemerkungen = EditTourBemerkungen->text();
    t.Bemerkung2 = EditTourBemerkung2->text();
    t.Bemerkung3 = EditTourBemerkung3->text();
    return t;
}

bool TTourEditFormular::TourZwischenspeicherSchreiben()
{
    try {
        fleet::TourZwischenspeicherSchreiben(texte(), TourZwischenablage);
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

void TTourEditFormular::BitBtnTourEditOkClick()
{
    TourZwischenspeicherSchreiben();
    if (TourZwischenablagePruefen(FehlerCode)) {
        if (auto *einfuegen = qobject_cast<QAction *>(
                KomponenteFinden(QStringLiteral("HauptFormular"), QStringLiteral("Toureinfgen1"))))
            einfuegen->setEnabled(true);
    } else {
        ui::messages().warning(kFehlerhaft);
    }
    setModalResult(ui::mrOk);
}

void TTourEditFormular::DateTimePckTourDatumVonChange()
{
    if (DateTimePckTourDatumBis->value() < DateTimePckTourDatumVon->value())
        DateTimePckTourDatumBis->setValue(DateTimePckTourDatumVon->value());
}

void TTourEditFormular::DateTimePckTourDatumBisExit()
{
    if (DateTimePckTourDatumBis->value() >= DateTimePckTourDatumVon->value())
        return;
    ui::messages().information(QStringLiteral("\"Datum/Bis\" kann nicht kleiner sein als \"Datum/Von\""));
    DateTimePckTourDatumBis->setValue(DateTimePckTourDatumVon->value());
}

void TTourEditFormular::NumerischPruefen(QLineEdit *edit)
{
    // Checked on every key: a German number is taken as it grows ("1.", "1.234,5");
    // a key that can make none is refused with one message, and the text typed
    // before it stays.
    const QString text = edit->text();
    if (KannZahlWerden(text)) {
        gueltigerText_[edit] = text;
        return;
    }
    ui::messages().error(QStringLiteral("Bitte geben Sie einen numerischen Wert ein"));
    const QSignalBlocker still(edit);
    edit->setText(gueltigerText_.value(edit));
}

void TTourEditFormular::EditTourErtragExit()
{
    // A number left unfinished ("1.") is named once and kept for mending.
    const QString text = EditTourErtrag->text();
    if (!text.isEmpty() && PruefeNumerisch(text))
        EditTourErtrag->setText(base::de::formatFixed(*base::de::parseFloat(text), 2));
}

} // namespace fleet
