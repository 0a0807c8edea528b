#include "formulare/TerminFormular.h"

#include <algorithm>

#include <QAbstractButton>
#include <QCalendarWidget>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QWindow>

#include "base/GermanFormat.h"
#include "daten/DataModule1.h"
#include "daten/Hilfstabellen.h"
#include "dbe/Field.h"
#include "dienste/DetailFensterZugriff.h"
#include "dienste/Formularzugriff.h"
#include "dienste/ReportDienste.h"
#include "formulare/HauptFormular.h"
#include "formulare/TerminInfoDlg.h"
#include "logik/FaelligeTermine.h"
#include "logik/TerminFortschreibung.h"
#include "logik/TerminInfoDaten.h"
#include "regeln/NurLeseModus.h"
#include "regeln/TerminNotizen.h"
#include "regeln/Terminarten.h"
#include "ui/CheckBox.h"
#include "ui/Clock.h"
#include "ui/Colors.h"
#include "ui/Connect.h"
#include "ui/DatePicker.h"
#include "ui/Hourglass.h"
#include "ui/Messages.h"
#include "ui/PageControl.h"
#include "ui/PopupMenu.h"

namespace fleet {

TTerminFormular *TerminFormular = nullptr;

TTerminFormular *TerminFormularBereitstellen()
{
    return FormularBereitstellen(TerminFormular, QStringLiteral("TerminFormular"));
}

namespace {

bool festesFeld(const dbe::TField *feld)
{
    if (!feld)
        return true;
    for (const char *f : {"KfzNr", "Info", "KfzKmStand"})
        if (feld->FieldName().compare(QLatin1String(f), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

int artIndex(const dbe::TField *feld)
{
    if (!feld)
        return -1;
    const QList<Terminart> &arten = Terminarten();
    for (int i = 0; i < arten.size(); ++i)
        if (arten[i].feld.compare(feld->FieldName(), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QPushButton *knopf(QWidget *form, const char *name, const QString &text)
{
    return ui::make<QPushButton>(form, name, text);
}

QGroupBox *gruppe(QWidget *form, const QString &titel, std::initializer_list<QWidget *> inhalt)
{
    auto *g = new QGroupBox(titel, form);
    auto *l = new QHBoxLayout(g);
    for (QWidget *w : inhalt)
        l->addWidget(w);
    return g;
}

} // namespace

template <class F> void TTerminFormular::alsHandler(F &&handler)
{
    ++handlerTiefe_;
    struct Ende {
        int &tiefe;
        ~Ende() { --tiefe; }
    } ende{handlerTiefe_};
    handler();
}

TTerminFormular::TTerminFormular(QWidget *parent) : ui::FormBase(QStringLiteral("TerminFormular"), parent)
{
    aufbauen();
    FormCreate();
}

void TTerminFormular::aufbauen()
{
    setWindowTitle(QStringLiteral("Terminverwaltung"));
    setWindowFlags(Qt::Window);

    TLblTerminAnzahl = ui::make<QLabel>(this, "TLblTerminAnzahl");
    TLblTerminAnzahl->setFrameShape(QFrame::Panel);
    TLblTerminAnzahl->setFrameShadow(QFrame::Sunken);
    LblVorwarnzeitTage = ui::make<QLabel>(this, "LblVorwarnzeitTage");
    LblVorwarnzeitKm = ui::make<QLabel>(this, "LblVorwarnzeitKm");
    LblWarnzeitTage = ui::make<QLabel>(this, "LblWarnzeitTage");
    LblWarnzeitKm = ui::make<QLabel>(this, "LblWarnzeitKm");
    for (QLabel *l : {LblVorwarnzeitTage, LblVorwarnzeitKm, LblWarnzeitTage, LblWarnzeitKm})
        l->setAutoFillBackground(true);
    TLblTerminart = ui::make<QLabel>(this, "TLblTerminart");
    QFont fett = TLblTerminart->font();
    fett.setBold(true);
    fett.setPointSizeF(fett.pointSizeF() * 1.2);
    TLblTerminart->setFont(fett);
    ProgBarTermine = ui::make<QProgressBar>(this, "ProgBarTermine");
    ProgBarTermine->hide();
    LblAktuellesDatumVon = ui::make<QLabel>(this, "LblAktuellesDatumVon", QStringLiteral("Stichtag von:"));
    TLblAktuellesDatum = ui::make<QLabel>(this, "TLblAktuellesDatum", QStringLiteral("Stichtag bis:"));
    for (QLabel *l : {LblAktuellesDatumVon, TLblAktuellesDatum})
        l->setAutoFillBackground(true);
    DateTimePckTermineVon = ui::make<ui::DatePicker>(this, "DateTimePckTermineVon");
    DateTimePckTermine = ui::make<ui::DatePicker>(this, "DateTimePckTermine");

    DBGrid1 = ui::make<ui::DBGrid>(this, "DBGrid1");
    DBGrid1->setReadOnly(true);
    DBGrid1->horizontalHeader()->setSectionsMovable(false);
    DBGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    PopupMenuTerminverwaltung = ui::make<ui::PopupMenu>(this, "PopupMenuTerminverwaltung");
    Bemerkung1 = PopupMenuTerminverwaltung->addItem("Bemerkung1", QStringLiteral("TerminInfo"));
    Abbrechen1 = PopupMenuTerminverwaltung->addItem("Abbrechen1", QStringLiteral("Abbrechen"));
    PopupMenuTerminverwaltung->attachTo(DBGrid1);

    ChkBoxAlle = ui::make<ui::CheckBox>(this, "ChkBoxAlle", QStringLiteral("Alle Termine zeigen"));
    BtnWelcheTermineZeigen = knopf(this, "BtnWelcheTermineZeigen", QStringLiteral("Termine selektieren.."));
    GrpBoxTerminwahl = ui::make<QGroupBox>(this, "GrpBoxTerminwahl");
    GrpBoxTerminwahl->setTitle(QStringLiteral("Terminsicht"));
    auto *wahl = new QHBoxLayout(GrpBoxTerminwahl);
    wahl->addWidget(ChkBoxAlle);
    wahl->addWidget(BtnWelcheTermineZeigen);

    GrpBoxTermine = ui::make<QGroupBox>(this, "GrpBoxTermine");
    GrpBoxTermine->setTitle(QStringLiteral("Welche Termine zeigen.."));
    auto *arten = new QGridLayout(GrpBoxTermine);
    arten->setVerticalSpacing(0);
    for (int i = 0; i < Terminarten().size(); ++i) {
        const Terminart &a = Terminarten()[i];
        auto *box = new ui::CheckBox(a.bezeichnung, GrpBoxTermine);
        box->setObjectName(a.checkBox);
        box->setChecked(true);
        ChkBoxArten[static_cast<size_t>(i)] = box;
        arten->addWidget(box, i % 4, i / 4);
    }
    BitBtnTerminSelektion = knopf(this, "BitBtnTerminSelektion", QStringLiteral("OK"));
    arten->addWidget(BitBtnTerminSelektion, 0, 6, 4, 1);
    GrpBoxTermine->hide();

    BtnEinzelterminFortschreiben =
        knopf(this, "BtnEinzelterminFortschreiben", QStringLiteral("Einzeltermin"));
    BtnMarkierteTermineFortschreiben =
        knopf(this, "BtnMarkierteTermineFortschreiben", QStringLiteral("Alle Kfz.Termine"));
    ChkBoxTermineMarkieren =
        ui::make<ui::CheckBox>(this, "ChkBoxTermineMarkieren", QStringLiteral("Kfz. markieren"));
    BtnTermineZeigeStammdaten = knopf(this, "BtnTermineZeigeStammdaten", QStringLiteral("Zeigen"));
    BtnTermineGehezuStammdaten = knopf(this, "BtnTermineGehezuStammdaten", QStringLiteral("GeheZu"));
    Label4 = ui::make<QLabel>(this, "Label4", QStringLiteral("Termin-Info"));
    Label4->setAutoFillBackground(true);
    BtnTerminInfo = knopf(this, "BtnTerminInfo", QStringLiteral("Termin-&Info"));
    SpeedBtnKalender = knopf(this, "SpeedBtnKalender", QStringLiteral("Kal."));
    SpeedBtnKalender->setToolTip(QStringLiteral("Kalender"));
    MonthCalendarTermine = ui::make<QCalendarWidget>(this, "MonthCalendarTermine");
    MonthCalendarTermine->setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
    MonthCalendarTermine->hide();
    TBitBtnTermineDrucken = knopf(this, "TBitBtnTermineDrucken", QStringLiteral("D&rucken"));
    TBitBtnTermineVorschau = knopf(this, "TBitBtnTermineVorschau", QStringLiteral("&Vorschau"));
    BitBtnTermineWerkstatt = knopf(this, "BitBtnTermineWerkstatt", QStringLiteral("&We.-Termin."));
    TBitBtnOk = knopf(this, "TBitBtnOk", QStringLiteral("&Schließen"));

    // Top: count over the thresholds, title and progress, period.
    for (QLabel *l : {TLblTerminAnzahl, LblVorwarnzeitTage, LblVorwarnzeitKm, LblWarnzeitTage, LblWarnzeitKm})
        l->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    auto *zahlen = new QGridLayout;
    zahlen->addWidget(TLblTerminAnzahl, 0, 0, 1, 2);
    zahlen->addWidget(LblVorwarnzeitTage, 1, 0);
    zahlen->addWidget(LblVorwarnzeitKm, 2, 0);
    zahlen->addWidget(LblWarnzeitTage, 1, 1);
    zahlen->addWidget(LblWarnzeitKm, 2, 1);
    auto *zeitraum = new QGridLayout;
    zeitraum->addWidget(LblAktuellesDatumVon, 0, 0);
    zeitraum->addWidget(DateTimePckTermineVon, 0, 1);
    zeitraum->addWidget(TLblAktuellesDatum, 1, 0);
    zeitraum->addWidget(DateTimePckTermine, 1, 1);
    auto *titel = new QVBoxLayout;
    titel->addWidget(TLblTerminart, 0, Qt::AlignCenter);
    titel->addWidget(ProgBarTermine);
    auto *kopf = new QHBoxLayout;
    kopf->addLayout(zahlen);
    kopf->addStretch();
    kopf->addLayout(titel);
    kopf->addStretch();
    kopf->addLayout(zeitraum);

    auto *mitte = new QHBoxLayout;
    mitte->addWidget(DBGrid1, 1);
    mitte->addWidget(MonthCalendarTermine);

    // Bottom: kind selection and commands, under them print and close.
    auto *fortschreiben =
        gruppe(this, QStringLiteral("Termine fortschreiben"),
               {BtnEinzelterminFortschreiben, BtnMarkierteTermineFortschreiben, ChkBoxTermineMarkieren});
    auto *stamm = gruppe(this, QStringLiteral("Kfz. Stammdaten"),
                         {BtnTermineZeigeStammdaten, BtnTermineGehezuStammdaten});
    auto *info = gruppe(this, QStringLiteral("Termin-Info"), {Label4, BtnTerminInfo});
    auto *befehle = new QHBoxLayout;
    befehle->addWidget(GrpBoxTerminwahl);
    befehle->addWidget(fortschreiben);
    befehle->addWidget(stamm);
    befehle->addWidget(info);
    befehle->addStretch();
    auto *drucken = new QHBoxLayout;
    drucken->addWidget(SpeedBtnKalender);
    drucken->addStretch();
    drucken->addWidget(TBitBtnTermineDrucken);
    drucken->addWidget(TBitBtnTermineVorschau);
    drucken->addWidget(BitBtnTermineWerkstatt);
    drucken->addSpacing(20);
    drucken->addWidget(TBitBtnOk);
    for (QWidget *w : {static_cast<QWidget *>(GrpBoxTerminwahl), static_cast<QWidget *>(fortschreiben),
                       static_cast<QWidget *>(stamm), static_cast<QWidget *>(info)})
        w->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);

    auto *haupt = new QVBoxLayout(this);
    haupt->addLayout(kopf);
    haupt->addLayout(mitte, 1);
    haupt->addWidget(GrpBoxTermine);
    haupt->addLayout(befehle);
    haupt->addLayout(drucken);
    // The command groups show their captions whole: the window is never
    // narrower than they need side by side.
    const int breite = haupt->minimumSize().width();
    setMinimumSize(std::max(860, breite), 250);
    resize(std::max(1000, breite), 740);

    DBGrid1->setCellPainter([this](ui::DBGrid::CellStyle &stil) { zelleMalen(stil); });

    const auto h = [this](auto methode) {
        return [this, methode] { alsHandler([&] { (this->*methode)(); }); };
    };
    ui::on(this, &ui::FormBase::formActivate, this, &TTerminFormular::FormActivate);
    ui::on(this, &ui::FormBase::formDeactivate, this, &TTerminFormular::FormDeactivate);
    // A handler that closes the list leaves no return behind: shown again, it reads the list.
    ui::on(this, &ui::FormBase::formShow, this, &TTerminFormular::beimZeigen);
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow *fenster) {
        if (fenster && fenster != windowHandle())
            aktivierungVorweg_ = false;
    });
    ui::on(this, &ui::FormBase::formClose, this, &TTerminFormular::FormClose);
    ui::on(DateTimePckTermine, &ui::DatePicker::onChange, this,
           h(&TTerminFormular::DateTimePckTermineChange));
    ui::on(DateTimePckTermineVon, &ui::DatePicker::onChange, this,
           h(&TTerminFormular::DateTimePckTermineVonChange));
    ui::on(DateTimePckTermineVon, &ui::DatePicker::onCloseUp, this,
           h(&TTerminFormular::DateTimePckTermineVonCloseUp));
    ui::on(BtnWelcheTermineZeigen, &QPushButton::clicked, this,
           h(&TTerminFormular::BtnWelcheTermineZeigenClick));
    ui::on(BitBtnTerminSelektion, &QPushButton::clicked, this,
           h(&TTerminFormular::BitBtnTerminSelektionClick));
    ui::on(ChkBoxAlle, &ui::CheckBox::onClick, this, h(&TTerminFormular::ChkBoxAlleClick));
    ui::on(DBGrid1, &ui::DBGrid::onTitleClick, this,
           [this](int spalte) { alsHandler([&] { DBGrid1TitleClick(spalte); }); });
    ui::on(SpeedBtnKalender, &QPushButton::clicked, this, h(&TTerminFormular::SpeedBtnKalenderClick));
    ui::on(BtnEinzelterminFortschreiben, &QPushButton::clicked, this,
           h(&TTerminFormular::BtnEinzelterminFortschreibenClick));
    ui::on(BtnMarkierteTermineFortschreiben, &QPushButton::clicked, this,
           h(&TTerminFormular::BtnMarkierteTermineFortschreibenClick));
    ui::on(ChkBoxTermineMarkieren, &ui::CheckBox::onClick, this,
           h(&TTerminFormular::ChkBoxTermineMarkierenClick));
    ui::on(BtnTermineZeigeStammdaten, &QPushButton::clicked, this,
           h(&TTerminFormular::BtnTermineZeigeStammdatenClick));
    ui::on(BtnTermineGehezuStammdaten, &QPushButton::clicked, this,
           h(&TTerminFormular::BtnTermineGehezuStammdatenClick));
    ui::on(TBitBtnTermineDrucken, &QPushButton::clicked, this,
           h(&TTerminFormular::TBitBtnTermineDruckenClick));
    ui::on(TBitBtnTermineVorschau, &QPushButton::clicked, this,
           h(&TTerminFormular::TBitBtnTermineVorschauClick));
    ui::on(BitBtnTermineWerkstatt, &QPushButton::clicked, this,
           h(&TTerminFormular::BitBtnTermineWerkstattClick));
    ui::on(BtnTerminInfo, &QPushButton::clicked, this, h(&TTerminFormular::Bemerkung1Click));
    ui::on(Bemerkung1, &QAction::triggered, this, h(&TTerminFormular::Bemerkung1Click));
    connect(TBitBtnOk, &QPushButton::clicked, this, &QWidget::close);
}

void TTerminFormular::FormCreate()
{
    alsHandler([&] {
        try {
            Schwellen = termine::SchwellenLesen(*DataModule1);
        } catch (const std::exception &) {
        }
        StichtagBis = ui::today();
        StichtagVon = StichtagBis - 365;
        DateTimePckTermine->setValue(StichtagBis);
        DateTimePckTermineVon->setValue(StichtagVon);
        MonthCalendarTermine->setSelectedDate(base::toQDate(StichtagBis));
        {
            QSignalBlocker still(ChkBoxTermineMarkieren);
            ChkBoxTermineMarkieren->setChecked(false);
        }
        ChkBoxTermineMarkierenClick();
        bool gelesen = true;
        try {
            dbe::TTable &e = DataModule1->TTblEinstellungenPriv;
            if (!e.Active())
                e.Open();
            for (int i = 0; i < Terminarten().size(); ++i)
                ChkBoxArten[static_cast<size_t>(i)]->setChecked(
                    e.FieldByName(Terminarten()[i].einstellung)->AsBoolean());
        } catch (const std::exception &) {
            gelesen = false;
            ui::messages().error(QStringLiteral(
                "Terminselektion nicht erfolgreich übertragen - es werden alle Termine angezeigt"));
        }
        if (gelesen)
            kartenSelektionAnwenden(true);
    });
    // Made after the editing commands were switched off, it starts with them off.
    BtnMarkierteTermineFortschreiben->setEnabled(!NurLeseModusAn());
}

void TTerminFormular::beimZeigen()
{
    rueckkehrOhneAufbau_ = false;
    if (!listeAusstehend_)
        return;
    // First shown: the list is built before the window is painted, as the
    // activation that follows would build it.
    FormActivate();
    aktivierungVorweg_ = true;
}

void TTerminFormular::ListeBereitstellen()
{
    if (listeAusstehend_)
        FaelligeTermineEinlesen();
}

void TTerminFormular::FormActivate()
{
    if (aktivierungVorweg_) {
        aktivierungVorweg_ = false;
        return;
    }
    if (rueckkehrOhneAufbau_) {
        // Back from a box or dialog of this form's own handler: nothing changed
        // that the handler did not rebuild for already.
        rueckkehrOhneAufbau_ = false;
        return;
    }
    alsHandler([&] {
        FarbigeTerminfelder = false;
        if (auto *box = qobject_cast<QAbstractButton *>(KomponenteFinden(
                QStringLiteral("EinstellungenFormular"), QStringLiteral("DBChkBoxFarblicheInfos"))))
            FarbigeTerminfelder = box->isChecked();
        ueberschriftenSetzen();
        // Printing needs the report catalogue; until it is in force the buttons stay off.
        for (QPushButton *b : {TBitBtnTermineDrucken, TBitBtnTermineVorschau, BitBtnTermineWerkstatt})
            b->setEnabled(Dienst<ReportDienste>::vorhanden());
        repaint();
        FaelligeTermineEinlesen();
    });
}

void TTerminFormular::FormDeactivate()
{
    // A box or dialog opened while a handler runs takes the activation.
    if (handlerTiefe_ > 0)
        rueckkehrOhneAufbau_ = true;
}

void TTerminFormular::FormClose(ui::CloseAction &)
{
    alsHandler([&] {
        termine::TerminInfosBereinigen(*DataModule1);
        try {
            DataModule1->TTblTermine.SetIndexName(QString());
            DataModule1->TTblTermine.Close();
        } catch (const std::exception &) {
        }
    });
}

void TTerminFormular::ueberschriftenSetzen()
{
    DetailFensterZugriff *fenster = Detailfenster();
    for (int i = 0; i < Terminarten().size(); ++i) {
        const Terminart &a = Terminarten()[i];
        if (a.label.isEmpty() || !fenster)
            continue;
        const QString titel = fenster->Beschriftung(a.label);
        if (titel.isEmpty())
            continue;
        if (dbe::TField *f = DataModule1->TTblTermine.FindField(a.feld))
            f->SetDisplayLabel(titel);
        ChkBoxArten[static_cast<size_t>(i)]->setText(titel.left(15));
    }
    DBGrid1->horizontalHeader()->viewport()->update();
}

void TTerminFormular::labelsFaerben()
{
    ui::setBackgroundColor(LblVorwarnzeitTage,
                           Schwellen.vorwarnTage > 0 ? ui::color::Lime : ui::color::BtnFace);
    ui::setBackgroundColor(LblVorwarnzeitKm, Schwellen.vorwarnKm > 0 ? ui::color::Lime : ui::color::BtnFace);
    LblWarnzeitTage->setVisible(FarbigeTerminfelder);
    LblWarnzeitKm->setVisible(FarbigeTerminfelder);
    ui::setBackgroundColor(LblWarnzeitTage,
                           Schwellen.ueberzogenTage > 0 ? ui::color::Yellow : ui::color::BtnFace);
    ui::setBackgroundColor(LblWarnzeitKm,
                           Schwellen.ueberzogenKm > 0 ? ui::color::Yellow : ui::color::BtnFace);
}

void TTerminFormular::FaelligeTermineEinlesen()
{
    listeAusstehend_ = false;
    alsHandler([&] {
        DBGrid1->hide();
        SortIndexNamen = QStringList(24, QString());
        labelsFaerben();
        TLblTerminart->setText(ChkBoxAlle->isChecked()
                                   ? QStringLiteral("Fällige Termine (Sicht: Alle Termine)")
                                   : QStringLiteral("Fällige Termine (Sicht: Selekt. Termine)"));
        termine::ListenVorgaben v;
        v.stichtagVon = StichtagVon;
        v.stichtagBis = StichtagBis;
        v.schwellen = Schwellen;
        for (size_t i = 0; i < v.beobachtet.size(); ++i)
            v.beobachtet[i] = ChkBoxArten[i]->isChecked();
        termine::FaelligeTermine aufbau(*DataModule1);
        aufbau.fortschrittBeginn = [this](int anzahl) {
            ProgBarTermine->setRange(0, qMax(1, anzahl));
            ProgBarTermine->setValue(0);
            ProgBarTermine->show();
        };
        aufbau.fortschrittSchritt = [this] { ProgBarTermine->setValue(ProgBarTermine->value() + 1); };
        ui::pushHourglass();
        const termine::ListenStand stand = aufbau.einlesen(v);
        ui::popHourglass();
        ProgBarTermine->hide();
        if (stand.loeschFehler) {
            DBGrid1->show();
            ui::messages().error(QStringLiteral("Fehler beim Löschen der Termin-Tabelle"));
            return;
        }
        SortIndexNamen = stand.sortIndexNamen;
        if (stand.notizFehler)
            ui::messages().error(
                QStringLiteral("Fehler beim Ermitteln des TerminInfo-Kennzeichen-Datenfeld"));
        if (!stand.einleseFehler) {
            TLblTerminAnzahl->setText(QStringLiteral("Anzahl Fahrzeuge mit fälligen Terminen: ") +
                                      QString::number(stand.zeilen));
            LblVorwarnzeitTage->setText(QStringLiteral("Terminvorwarnung/Tage: ") +
                                        QString::number(Schwellen.vorwarnTage));
            LblVorwarnzeitKm->setText(QStringLiteral("Terminvorwarnung/Km.: ") +
                                      QString::number(Schwellen.vorwarnKm));
            LblWarnzeitTage->setText(QStringLiteral("Termin überzogen/Tage: ") +
                                     QString::number(Schwellen.ueberzogenTage));
            LblWarnzeitKm->setText(QStringLiteral("Termin überzogen/Km.: ") +
                                   QString::number(Schwellen.ueberzogenKm));
        }
        DBGrid1->setDataSource(&DataModule1->TDataSrcTermine);
        DBGrid1->show();
        ui::setBackgroundColor(Label4, termine::WerkstattTerminBald(*DataModule1, ui::today())
                                           ? ui::color::Red
                                           : ui::color::BtnFace);
        if (stand.einleseFehler)
            ui::messages().error(QStringLiteral("Fehler beim Einlesen der Termine"));
    });
}

void TTerminFormular::zelleMalen(ui::DBGrid::CellStyle &stil) const
{
    if (!FarbigeTerminfelder || stil.text.isEmpty())
        return;
    const int art = artIndex(stil.field);
    termine::Zellzustand zustand = termine::Zellzustand::Normal;
    bool mitInfo = false;
    if (art >= 0) {
        const Terminart &a = Terminarten()[art];
        const double wert = DBGrid1->rowValue(stil.row, a.feld).toDouble();
        zustand = a.km ? termine::KmZustand(
                             wert, DBGrid1->rowValue(stil.row, QStringLiteral("KfzKmStand")).toDouble(),
                             Schwellen.ueberzogenKm)
                       : termine::DatumZustand(wert, StichtagBis, Schwellen.ueberzogenTage);
        mitInfo = DBGrid1->rowValue(stil.row, a.infoFeld()).toBool();
    }
    if (zustand == termine::Zellzustand::Vorwarnzeit)
        stil.background = ui::toQColor(ui::color::Lime);
    else if (zustand == termine::Zellzustand::Warnung)
        stil.background = ui::toQColor(ui::color::Yellow);
    else
        stil.background = palette().color(QPalette::Base);
    stil.underline = mitInfo;
    if (stil.selected)
        stil.background = ui::toQColor(ui::color::ActiveCaption, palette());
}

void TTerminFormular::DateTimePckTermineChange()
{
    StichtagBis = std::floor(DateTimePckTermine->value());
    ui::setBackgroundColor(TLblAktuellesDatum,
                           base::de::formatDate(StichtagBis) != base::de::formatDate(ui::today())
                               ? ui::color::Red
                               : ui::color::BtnFace);
    FaelligeTermineEinlesen();
}

void TTerminFormular::DateTimePckTermineVonChange()
{
    if (DateTimePckTermine->value() < DateTimePckTermineVon->value())
        DateTimePckTermineVon->setValue(DateTimePckTermine->value());
    StichtagVon = std::floor(DateTimePckTermineVon->value());
    ui::setBackgroundColor(LblAktuellesDatumVon,
                           base::de::formatDate(StichtagVon) != base::de::formatDate(ui::today() - 365)
                               ? ui::color::Red
                               : ui::color::BtnFace);
    FaelligeTermineEinlesen();
}

void TTerminFormular::DateTimePckTermineVonCloseUp()
{
    if (DateTimePckTermine->value() < DateTimePckTermineVon->value())
        DateTimePckTermineVon->setValue(DateTimePckTermine->value());
}

void TTerminFormular::BtnWelcheTermineZeigenClick()
{
    if (ChkBoxAlle->isChecked())
        for (ui::CheckBox *box : ChkBoxArten)
            box->setChecked(true);
    GrpBoxTerminwahl->hide();
    GrpBoxTermine->show();
}

bool TTerminFormular::alleTermineGewaehlt() const
{
    for (const ui::CheckBox *box : ChkBoxArten)
        if (!box->isChecked())
            return false;
    return true;
}

bool TTerminFormular::keinTerminGewaehlt() const
{
    for (const ui::CheckBox *box : ChkBoxArten)
        if (box->isChecked())
            return false;
    return true;
}

void TTerminFormular::BitBtnTerminSelektionClick()
{
    kartenSelektionAnwenden(false);
}

void TTerminFormular::kartenSelektionAnwenden(bool vonErzeugung)
{
    DBGrid1->setSelectedIndex(0);
    {
        // Set by code, the box would run its own handler with a rebuild and a
        // question of its own before this one asks.
        QSignalBlocker still(ChkBoxAlle);
        if (alleTermineGewaehlt()) {
            ChkBoxAlle->setChecked(true);
            ChkBoxAlle->setEnabled(false);
        } else if (keinTerminGewaehlt()) {
            ui::messages().warning(
                QStringLiteral("Sie haben alle Termine abgeschaltet - bitte aktivieren Sie mindestens einen "
                               "Termin zur Überwachung "
                               "und Anzeige. Es werden zunächst wieder alle Termine eingeschaltet"));
            for (ui::CheckBox *box : ChkBoxArten)
                box->setChecked(true);
            ChkBoxAlle->setChecked(true);
            ChkBoxAlle->setEnabled(false);
        } else {
            ChkBoxAlle->setChecked(false);
            ChkBoxAlle->setEnabled(true);
        }
    }
    if (!vonErzeugung &&
        ui::messages().question(QStringLiteral("Möchten Sie diese Terminselektion dauerhaft speichern")))
        terminselektionSpeichern();
    GrpBoxTerminwahl->show();
    GrpBoxTermine->hide();
    if (vonErzeugung) {
        // Nobody has seen the list yet; it is built when it is first needed.
        listeAusstehend_ = true;
        return;
    }
    repaint();
    FaelligeTermineEinlesen();
}

void TTerminFormular::ChkBoxAlleClick()
{
    if (!ChkBoxAlle->isChecked())
        return;
    ChkBoxAlle->setEnabled(false);
    for (ui::CheckBox *box : ChkBoxArten)
        box->setChecked(true);
    FaelligeTermineEinlesen();
    if (ui::messages().question(QStringLiteral("Möchten Sie diese Terminselektion dauerhaft speichern")))
        terminselektionSpeichern();
}

void TTerminFormular::terminselektionSpeichern()
{
    dbe::TTable &e = DataModule1->TTblEinstellungenPriv;
    try {
        if (!e.Active())
            e.Open();
        e.Edit();
        for (int i = 0; i < Terminarten().size(); ++i)
            e.FieldByName(Terminarten()[i].einstellung)
                ->SetAsBoolean(ChkBoxArten[static_cast<size_t>(i)]->isChecked());
        e.Post();
        // The main window shows only the selected kinds, once it can.
        if (QObject *f = FormularFinden(QStringLiteral("HauptFormular")))
            QMetaObject::invokeMethod(f, "TerminFelderZeigen");
    } catch (const std::exception &) {
        try {
            e.Cancel();
        } catch (const std::exception &) {
        }
    }
}

QString TTerminFormular::spaltenTitel(int spalte) const
{
    return termine::TitelOhneMarke(DBGrid1->columnTitle(spalte));
}

void TTerminFormular::DBGrid1TitleClick(int spalte)
{
    DBGrid1->setSelectedIndex(spalte);
    dbe::TField *feld = DBGrid1->columnField(spalte);
    if (!feld)
        return;
    const int art = artIndex(feld);
    const auto index =
        termine::SortIndexFuerFeld(feld->FieldName(), art >= 0 ? SortIndexNamen.value(3 + art) : QString());
    if (!index)
        return;
    try {
        for (int c = 0; c < DBGrid1->columnCount(); ++c)
            if (DBGrid1->columnTitle(c).startsWith(QLatin1Char('*'))) {
                DBGrid1->setColumnTitle(c, termine::TitelOhneMarke(DBGrid1->columnTitle(c)));
                break;
            }
        DBGrid1->clearMarks();
        DataModule1->TTblTermine.SetIndexName(*index);
        DBGrid1->setColumnTitle(spalte, termine::TitelMitMarke(DBGrid1->columnTitle(spalte)));
    } catch (const std::exception &) {
    }
}

void TTerminFormular::SpeedBtnKalenderClick()
{
    MonthCalendarTermine->setVisible(!MonthCalendarTermine->isVisible());
}

bool TTerminFormular::listeLeer() const
{
    const dbe::TTable &liste = DataModule1->TTblTermine;
    return !liste.Active() || liste.IsEmpty();
}

void TTerminFormular::BtnEinzelterminFortschreibenClick()
{
    termine::FortschreibZelle zelle;
    const bool leer = listeLeer();
    if (!leer) {
        dbe::TField *feld = DBGrid1->selectedField();
        zelle.kfzNr = DataModule1->TTblTermine.FieldByName(QStringLiteral("KfzNr"))->AsString();
        if (feld) {
            zelle.feld = feld->FieldName();
            zelle.titel = spaltenTitel(DBGrid1->selectedIndex());
            zelle.wert = feld->DisplayText();
        }
    }
    termine::TerminFortschreibung(*DataModule1, [this] {
        FaelligeTermineEinlesen();
    }).Einzeltermin(leer, zelle);
}

void TTerminFormular::BtnMarkierteTermineFortschreibenClick()
{
    const auto zeilen = [this] {
        dbe::TTable &liste = DataModule1->TTblTermine;
        const auto zeile = [&liste] {
            termine::FortschreibZeile z;
            z.kfzNr = liste.FieldByName(QStringLiteral("KfzNr"))->AsString();
            for (const Terminart &a : Terminarten())
                if (!liste.FieldByName(a.feld)->IsNull())
                    z.felder << a.feld;
            return z;
        };
        QList<termine::FortschreibZeile> l;
        if (DBGrid1->markedCount() == 0) {
            l << zeile();
        } else {
            for (int i = 0; i < DBGrid1->markedCount(); ++i) {
                DBGrid1->gotoMark(i);
                l << zeile();
            }
        }
        return l;
    };
    termine::TerminFortschreibung(*DataModule1, [this] {
        FaelligeTermineEinlesen();
    }).MarkierteFahrzeuge(listeLeer(), zeilen);
}

void TTerminFormular::ChkBoxTermineMarkierenClick()
{
    const bool markieren = ChkBoxTermineMarkieren->isChecked();
    DBGrid1->setMultiSelect(markieren);
    BtnEinzelterminFortschreiben->setEnabled(!markieren);
}

bool TTerminFormular::fahrzeugZeigen()
{
    const QString kfzNr =
        listeLeer() ? QString() : DataModule1->TTblTermine.FieldByName(QStringLiteral("KfzNr"))->AsString();
    if (kfzNr.isEmpty()) {
        ui::messages().information(QStringLiteral("Zur Zeit ist kein Fahrzeug markiert"));
        return false;
    }
    if (!DataModule1->TTblMain.Locate(QStringLiteral("KfzNr"), kfzNr)) {
        ui::messages().information(QStringLiteral("Das Fahrzeug ") + kfzNr +
                                   QStringLiteral(" wurde nicht gefunden"));
        return false;
    }
    if (HauptFormular) {
        HauptFormular->PageCtrlMain->setActivePage(HauptFormular->TabStammDaten);
        HauptFormular->PageCtrlMainChange();
    }
    return true;
}

void TTerminFormular::BtnTermineZeigeStammdatenClick()
{
    fahrzeugZeigen();
}

void TTerminFormular::BtnTermineGehezuStammdatenClick()
{
    if (fahrzeugZeigen())
        close();
}

void TTerminFormular::TBitBtnTermineDruckenClick()
{
    if (listeLeer())
        ui::messages().information(QStringLiteral("Zur Zeit keine Termine zu drucken"));
    else
        reportDienste().PrintReport(6, kDrucken);
}

void TTerminFormular::TBitBtnTermineVorschauClick()
{
    if (listeLeer())
        ui::messages().information(QStringLiteral("Zur Zeit keine Termine zu drucken"));
    else
        reportDienste().PrintReport(6, kVorschau);
}

void TTerminFormular::BitBtnTermineWerkstattClick()
{
    if (listeLeer())
        ui::messages().information(QStringLiteral("Zur Zeit sind keine Werkstatt-Termine zu drucken"));
    else
        reportDienste().PrintReport(24, kVorschau);
}

bool TTerminFormular::TerminInfoLoeschen(const QString &kfzNr, const QString &terminName,
                                         const QString &terminWert)
{
    return fleet::TerminInfoLoeschen(kfzNr, terminName, terminWert, &DataModule1->TTblVar.Session());
}

void TTerminFormular::Bemerkung1Click()
{
    dbe::TTable &liste = DataModule1->TTblTermine;
    dbe::TField *feld = listeLeer() ? nullptr : DBGrid1->selectedField();
    if (festesFeld(feld) || artIndex(feld) < 0 || feld->IsNull()) {
        ui::messages().information(QStringLiteral(
            "Zur Zeit ist kein Termin markiert - klicken Sie bitte auf den gewünschten Termin"));
        return;
    }
    const Terminart &art = Terminarten()[artIndex(feld)];
    const QString kfzNr = liste.FieldByName(QStringLiteral("KfzNr"))->AsString();
    const QString info = liste.FieldByName(QStringLiteral("Info"))->AsString();
    const QString wert = feld->DisplayText();
    const QString titel = spaltenTitel(DBGrid1->selectedIndex());
    const QString ueberschrift = QStringLiteral("Fahrzeug: ") + kfzNr + QStringLiteral("   ") + titel +
                                 QStringLiteral("-Termin: ") + wert;

    TTerminInfoDlg *dialog = TerminInfoDlgBereitstellen();
    if (!dialog)
        return;
    dbe::TTable &notizen = DataModule1->TTblVar1;
    bool neuAufbauen = false;
    try {
        notizen.SetTableName(QStringLiteral("KfzTerminInfo.db"));
        notizen.Open();
        const bool vorhanden =
            notizen.Locate(QStringLiteral("Kfznr;TerminName;Terminwert"), {kfzNr, art.terminName(), wert});
        termine::TerminNotiz notiz;
        base::TDateTime kalender = ui::today();
        if (vorhanden) {
            notiz = termine::NotizLesen(notizen);
            if (const auto d = base::de::parseDate(notiz.vereinbart))
                kalender = *d;
        } else {
            notiz.freifelder[0] = titel + QStringLiteral("-Termin");
        }
        dialog->Vorbereiten(ueberschrift, info, notiz, kalender);
        const int ergebnis = dialog->showModal();
        if (ergebnis != ui::mrAbort) {
            const termine::TerminNotiz neu = dialog->Notiz();
            neuAufbauen = true;
            if (vorhanden && dialog->LoeschenGewaehlt()) {
                try {
                    notizen.Delete();
                } catch (const std::exception &e) {
                    ui::messages().error(QStringLiteral("Termin-Info konnte nicht gelöscht werden\r") +
                                         QString::fromUtf8(e.what()));
                }
            } else if (vorhanden || !neu.leer()) {
                try {
                    if (vorhanden) {
                        notizen.Edit();
                    } else {
                        notizen.Append();
                        notizen.FieldByName(QStringLiteral("Kfznr"))->SetAsString(kfzNr);
                        notizen.FieldByName(QStringLiteral("TerminName"))->SetAsString(art.terminName());
                        notizen.FieldByName(QStringLiteral("TerminWert"))->SetAsString(wert);
                    }
                    termine::NotizSchreiben(notizen, neu);
                    notizen.Post();
                } catch (const std::exception &e) {
                    try {
                        notizen.Cancel();
                    } catch (const std::exception &) {
                    }
                    ui::messages().error(QStringLiteral("Termin-Info konnte nicht gespeichert werden\r") +
                                         QString::fromUtf8(e.what()));
                }
            }
        }
    } catch (const std::exception &) {
        neuAufbauen = true;
    }
    Hilfstabelle1Zuruecksetzen();
    if (neuAufbauen)
        FaelligeTermineEinlesen();
}

} // namespace fleet
