#include "formulare/seiten/MonatsauswertungSeite.h"

#include <stdexcept>

#include <QChart>
#include <QChartView>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPieSeries>
#include <QPieSlice>
#include <QPushButton>
#include <QVBoxLayout>

#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/Einstellungswerte.h"
#include "dbe/Field.h"
#include "dbe/Table.h"
#include "formulare/seiten/Bausteine.h"
#include "formulare/seiten/DiagrammBild.h"
#include "formulare/seiten/DruckKnoepfe.h"
#include "formulare/seiten/KostenSeite.h"
#include "regeln/FeldBezeichnungen.h"
#include "regeln/Monatsauswertung.h"
#include "regeln/MonatsauswertungDaten.h"
#include "ui/Colors.h"
#include "ui/ComboBox.h"
#include "ui/Connect.h"
#include "ui/FormBase.h"
#include "ui/Messages.h"

namespace fleet {

using namespace seiten;

namespace {

// A value label: right-aligned, with a background that can show a state colour.
QLabel *wert(QWidget *parent, const char *name)
{
    auto *l = label(parent, QString::fromLatin1(name), QString());
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(80);
    l->setAutoFillBackground(true);
    return l;
}

void faerben(QWidget *w, ui::TColor farbe)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, ui::toQColor(farbe, p));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QLabel *beschriftung(QWidget *parent, const char *name, const char *text)
{
    return label(parent, QString::fromLatin1(name), QString::fromUtf8(text));
}

const QString kWarnung2 = QStringLiteral(
    "ACHTUNG:\rFür den auszuwertenen Monat sind keine Var. Kosten (und damit auch keine Kilometerstände..) "
    "gespeichert.\r\rHINWEIS: Um eine aktuelle Monatsauswertung zu erhalten..\r1.) überprüfen Sie den unten "
    "in "
    "diesem Formular gewählten Auswertungsmonat/Jahr oder..\r2.) überprüfen Sie die eingegebenen Var. Kosten "
    "auf "
    "korrektes Datum oder..\r3.) geben Sie jetzt Var. Kosten (mit Km-Ständen, wenn Sie kilometerbasierende "
    "Auswertungen erwarten) für den gewählten Auswertungsmonat/Jahr ein.");
const QString kWarnung4 = QStringLiteral(
    "ACHTUNG:\rFür den auszuwertenen Monat sind keine Touren (und damit keine gef. Kilometer..) gespeichert."
    "\r\rHINWEIS: Wenn Sie für dieses Fahrzeug kilometerbasierende Auswertungen erwarten..\r1.) überprüfen "
    "Sie "
    "den unten in diesem Formular gewählten Auswertungsmonat/Jahr oder..\r2.) überprüfen Sie die "
    "eingegebenen "
    "Touren auf korrektes Datum oder..\r3.) geben Sie jetzt Touren für den gewählten Auswertungsmonat/Jahr "
    "ein.");
const QString kWarnung41 = QStringLiteral(
    "ACHTUNG:\rFür den auszuwertenen Monat sind sowohl keine Touren (und damit keine gef. Kilometer..) als "
    "auch "
    "keine Var. Kosten gespeichert.\r\rHINWEIS: Um eine aktuelle Monatsauswertung zu erhalten..\r1.) "
    "überprüfen "
    "Sie den unten in diesem Formular gewählten Auswertungsmonat/Jahr oder..\r2.) überprüfen Sie die "
    "eingegebenen Var. Kosten auf korrektes Datum oder..\r3.) geben Sie jetzt Touren (mit Km-Ständen) und "
    "Var. "
    "Kosten für den gewählten Auswertungsmonat/Jahr ein.");
const QString kWarnung42 = QStringLiteral(
    "ACHTUNG:\rFür den auszuwertenen Monat sind keine Var. Kosten gespeichert.\r\rHINWEIS: Um eine aktuelle "
    "Monatsauswertung zu erhalten..\r1.) überprüfen Sie den unten in diesem Formular gewählten "
    "Auswertungsmonat/Jahr oder..\r2.) überprüfen Sie die eingegebenen Var. Kosten auf korrektes Datum "
    "oder..\r3.) geben Sie jetzt Var. Kosten für den gewählten Auswertungsmonat/Jahr ein.");
const QString kWarnung1 = QStringLiteral(
    "Da in dem auszuwertenen Monat Var. Kosten ohne Km-Stand vorhanden sind, können die für den gewählten "
    "Monat "
    "errechneten gefahrenen Kilometer verfälscht oder nicht vorhanden sein.\r\rHINWEIS: Wenn Sie für dieses "
    "Fahrzeug kilometerbasierende Auswertungen erwarten, überprüfen Sie die Var. Kosten für den in diesem "
    "Formular gewählten Monat daraufhin, ob versehentlich Km-Stände nicht eingegeben wurden.");

} // namespace

MonatsauswertungSeite::MonatsauswertungSeite(ui::TabSheet *tab, KostenSeite &kosten)
    : HauptSeite(tab), kosten_(kosten)
{
}

void MonatsauswertungSeite::aufbauen()
{
    auto *seite = seitenLayout(this);
    kopfAufbauen();
    LblFormularMonatsauswertung = label(this, QStringLiteral("LblFormularMonatsauswertung"), QString());
    QFont titel = LblFormularMonatsauswertung->font();
    titel.setBold(true);
    titel.setPointSizeF(titel.pointSizeF() * 1.2);
    LblFormularMonatsauswertung->setFont(titel);
    seite->addWidget(LblFormularMonatsauswertung);
    wertSpalten();
    auto *unten = new QHBoxLayout;
    LblWarnmeldung2 = label(this, QStringLiteral("LblWarnmeldung2"), QString());
    LblWarnmeldung2->setWordWrap(true);
    LblWarnmeldung2->setStyleSheet(QStringLiteral("color: red; font-style: italic;"));
    LblWarnmeldung2->hide();
    grafikAufbauen();
    unten->addWidget(LblWarnmeldung2, 1);
    unten->addWidget(ChartMonatsauswertung, 1);
    seite->addLayout(unten, 1);

    ui::on(TBtnMonatsauswertungSpeichern, &QPushButton::clicked, this,
           [this] { TBtnMonatsauswertungSpeichernClick(); });
    ui::on(CmbBoxMonatsauswertungMonat, &ui::ComboBox::onChange, this, [this] { Berechnen(); });
    ui::on(CmbBoxMonatsauswertungJahr, &ui::ComboBox::onChange, this, [this] { Berechnen(); });
}

void MonatsauswertungSeite::kopfAufbauen()
{
    auto *kopf = new QHBoxLayout;
    CmbBoxMonatsauswertungMonat = liste(this, "CmbBoxMonatsauswertungMonat", monate());
    CmbBoxMonatsauswertungJahr = liste(this, "CmbBoxMonatsauswertungJahr", jahre());
    TBtnMonatsauswertungBerechnen =
        ui::make<QPushButton>(this, "TBtnMonatsauswertungBerechnen", QStringLiteral("&Berechnen"));
    TBtnMonatsauswertungSpeichern =
        ui::make<QPushButton>(this, "TBtnMonatsauswertungSpeichern", QStringLiteral("&Speichern"));
    kopf->addWidget(label(this, QStringLiteral("LblAuswertungsMonat"), QStringLiteral("Monat:")));
    kopf->addWidget(CmbBoxMonatsauswertungMonat);
    kopf->addWidget(label(this, QStringLiteral("LblAuswertungsJahr"), QStringLiteral("Jahr:")));
    kopf->addWidget(CmbBoxMonatsauswertungJahr);
    kopf->addWidget(TBtnMonatsauswertungBerechnen);
    kopf->addWidget(TBtnMonatsauswertungSpeichern);
    BtnMonatsauswertungAlleFahrzeuge =
        ui::make<QPushButton>(this, "BtnMonatsauswertungAlleFahrzeuge", QStringLiteral("&Alle Fahrzeuge.."));
    kopf->addWidget(BtnMonatsauswertungAlleFahrzeuge);
    kopf->addStretch(1);
    const DruckKnoepfe druck =
        druckKnoepfe(this, "TBitBtnMonatsauswertungDrucken", "TBitBtnMonatsauswertungVorschau",
                     [this](int modus) { MonatsauswertungDrucken(modus); });
    TBitBtnMonatsauswertungDrucken = druck.drucken;
    TBitBtnMonatsauswertungVorschau = druck.vorschau;
    kopf->addWidget(TBitBtnMonatsauswertungDrucken);
    kopf->addWidget(TBitBtnMonatsauswertungVorschau);
    static_cast<QVBoxLayout *>(layout())->addLayout(kopf);
}

void MonatsauswertungSeite::wertSpalten()
{
    auto *spalten = new QHBoxLayout;

    Formularblock variabel(this, QStringLiteral("Var. Kosten"));
    PanMonatsauswertungVarKosten = variabel.box();
    PanMonatsauswertungVarKosten->setObjectName(QStringLiteral("PanMonatsauswertungVarKosten"));
    variabel.zeile(beschriftung(this, "LblMAVerbrauch", "Verbrauch:"),
                   TLblVerbrauchKostenMonat = wert(this, "TLblVerbrauchKostenMonat"));
    variabel.zeile(beschriftung(this, "LblMAReparatur", "Reparatur:"),
                   TLblReparaturKostenMonat = wert(this, "TLblReparaturKostenMonat"));
    variabel.zeile(beschriftung(this, "LblMAWartung", "Wartung:"),
                   TLblWartungKostenMonat = wert(this, "TLblWartungKostenMonat"));
    variabel.zeile(beschriftung(this, "LblMAUntersuchung", "Untersuchung:"),
                   TLblUntersuchungKostenMonat = wert(this, "TLblUntersuchungKostenMonat"));
    variabel.zeile(beschriftung(this, "LblMAReifen", "Reifen:"),
                   TLblReifenKostenMonat = wert(this, "TLblReifenKostenMonat"));
    variabel.zeile(beschriftung(this, "LblMAPflege", "Pflege:"),
                   TLblPflegeKostenMonat = wert(this, "TLblPflegeKostenMonat"));
    // The captions of the other kinds take the user-defined names at start-up.
    variabel.zeile(beschriftung(this, "TLblSonstige", "Sonstige:"),
                   TLblSonstigeKostenMonat = wert(this, "TLblSonstigeKostenMonat"));
    variabel.zeile(beschriftung(this, "TLblSonstige2", "Sonstige2:"),
                   TlblSonstige2KostenMonat = wert(this, "TlblSonstige2KostenMonat"));
    variabel.zeile(beschriftung(this, "TLblSonstige3", "Sonstige3:"),
                   TLblSonstige3KostenMonat = wert(this, "TLblSonstige3KostenMonat"));
    variabel.zeile(beschriftung(this, "TLblSonstige4", "Sonstige4:"),
                   TLblSonstige4KostenMonat = wert(this, "TLblSonstige4KostenMonat"));
    variabel.zeile(beschriftung(this, "LblMASummeVar", "Summe:"),
                   TLblSummeVarKostenMonat = wert(this, "TLblSummeVarKostenMonat"));
    variabel.ende();

    Formularblock fix(this, QStringLiteral("Fixkosten/Monat"));
    fix.zeile(beschriftung(this, "LblMUHaftpflicht", "Haftpflicht:"),
              TLblHaftpflichtMonat = wert(this, "TLblHaftpflichtMonat"));
    fix.zeile(beschriftung(this, "LblMUKasko", "Kasko:"), TLblKaskoMonat = wert(this, "TLblKaskoMonat"));
    fix.zeile(beschriftung(this, "LblMUSteuer", "Kfz.Steuer:"),
              TLblSteuerMonat = wert(this, "TLblSteuerMonat"));
    fix.zeile(beschriftung(this, "LblMUSonstige", "Sonstige:"),
              TLblSonstigesMonat = wert(this, "TLblSonstigesMonat"));
    fix.zeile(beschriftung(this, "LblMUAFA", "AFA:"), TLblAfaMonat = wert(this, "TLblAfaMonat"));
    fix.zeile(beschriftung(this, "LblMUZinsen", "Zinsen:"), TLblZinsenMonat = wert(this, "TLblZinsenMonat"));
    fix.zeile(beschriftung(this, "LblMULeasing", "Leasing:"),
              TLblVermSteuerMonat = wert(this, "TLblVermSteuerMonat"));
    fix.zeile(beschriftung(this, "LblMUGewKapSt", "Gew.Kap.St.:"),
              TLblGewKapSteuerMonat = wert(this, "TLblGewKapSteuerMonat"));
    fix.zeile(beschriftung(this, "LblMUFahrer", "Fahrer:"),
              TLblFahrerKostenMonat = wert(this, "TLblFahrerKostenMonat"));
    fix.zeile(beschriftung(this, "LblMASummeFix", "Summe:"),
              TLblSummeFixKostenMonat = wert(this, "TLblSummeFixKostenMonat"));
    fix.ende();

    Formularblock summen(this, QStringLiteral("Gesamt"));
    summen.zeile(beschriftung(this, "LblMAGesamtkosten", "Gesamtkosten:"),
                 TLblSummeGesamtKostenMonat = wert(this, "TLblSummeGesamtKostenMonat"));
    summen.zeile(beschriftung(this, "LblMAGesamtkostenKm", "Gesamtkosten/Km:"),
                 TLblSummeGesKostenProKm = wert(this, "TLblSummeGesKostenProKm"));
    summen.zeile(beschriftung(this, "LblMAGefahreneKm", "Gefahrene Km: "),
                 TLblSummeGefKmMonat = wert(this, "TLblSummeGefKmMonat"));
    summen.zeile(beschriftung(this, "LblMAVerbrauchLiter", "Verbrauch / Liter:"),
                 TLblSummeVerbrauchLiterMonat = wert(this, "TLblSummeVerbrauchLiterMonat"));
    summen.zeile(beschriftung(this, "LblMAVerbrauch100", "Verbrauch/100Km/L.:"),
                 TLblSummeVerbrauchPro100Km = wert(this, "TLblSummeVerbrauchPro100Km"));
    summen.ende();

    // Revenue and surplus, shown in tours mode only.
    auto tafel = [this](const char *pan, const char *titel, const char *bev, const char *lbl, QGroupBox *&p,
                        QFrame *&b, QLabel *&l) {
        p = ui::make<QGroupBox>(this, pan);
        p->setTitle(QString::fromUtf8(titel));
        auto *pl = new QVBoxLayout(p);
        b = ui::make<QFrame>(p, bev);
        b->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        auto *bl = new QVBoxLayout(b);
        bl->setContentsMargins(2, 2, 2, 2);
        l = wert(b, lbl);
        bl->addWidget(l);
        pl->addWidget(b);
    };
    tafel("PanMonatsauswertungErtrag", "Ertrag", "BevErtrag", "LblSummeErtragMonat",
          PanMonatsauswertungErtrag, BevErtrag, LblSummeErtragMonat);
    tafel("PanMonatsauswertungUeberschuss", "Überschuss", "BevUeberschuss", "LblSummeUeberschussMonat",
          PanMonatsauswertungUeberschuss, BevUeberschuss, LblSummeUeberschussMonat);
    auto *rechts = new QVBoxLayout;
    rechts->addWidget(summen.box());
    rechts->addWidget(PanMonatsauswertungErtrag);
    rechts->addWidget(PanMonatsauswertungUeberschuss);
    rechts->addStretch(1);

    spalten->addWidget(variabel.box(), 0, Qt::AlignTop);
    spalten->addWidget(fix.box(), 0, Qt::AlignTop);
    spalten->addLayout(rechts);
    spalten->addStretch(1);
    static_cast<QVBoxLayout *>(layout())->addLayout(spalten);
}

void MonatsauswertungSeite::grafikAufbauen()
{
    auto *chart = new QChart;
    chart->setTitle(QStringLiteral("Übersicht Kostenanteile"));
    chart->legend()->setAlignment(Qt::AlignRight);
    Series10 = new QPieSeries(chart);
    Series10->setObjectName(QStringLiteral("Series10"));
    chart->addSeries(Series10);
    ChartMonatsauswertung = new QChartView(chart, this);
    ChartMonatsauswertung->setObjectName(QStringLiteral("ChartMonatsauswertung"));
    ChartMonatsauswertung->setRenderHint(QPainter::Antialiasing);
    ChartMonatsauswertung->setMinimumSize(420, 260);
    ChartMonatsauswertung->hide();
}

void MonatsauswertungSeite::MonatsauswertungDrucken(int modus)
{
    // The report's picture frame is 186 × 115 mm; the pie is drawn at that shape, shown or not.
    ReportAnfordern(modus, 1, false, QString(), [this] {
        DiagrammBildSchreiben(ChartMonatsauswertung, QStringLiteral("Monaus~.wmf"), QSize(744, 460));
    });
}

void MonatsauswertungSeite::anfangen()
{
    JahrAufHeute(CmbBoxMonatsauswertungJahr);
    MonatAufHeute(CmbBoxMonatsauswertungMonat);
    PanMonatsauswertungErtrag->setVisible(TourenModus);
    PanMonatsauswertungUeberschuss->setVisible(TourenModus);
}

void MonatsauswertungSeite::betreten()
{
    if (kosten_.KostenSicht() != 0)
        kosten_.KostenSichtSetzen(0);
    LblWarnmeldung2->hide();
    Berechnen();
}

void MonatsauswertungSeite::Berechnen()
{
    const int code = MonatsauswertungBerechnen();
    if (code > 0)
        MonatsauswertungWarnung(code);
}

int MonatsauswertungSeite::MonatsauswertungBerechnen()
{
    const QString jahrText = CmbBoxMonatsauswertungJahr->text();
    LblFormularMonatsauswertung->setText(QStringLiteral("Fahrzeug-Monatsauswertung: ") +
                                         CmbBoxMonatsauswertungMonat->text() + QLatin1Char(' ') + jahrText);
    LblWarnmeldung2->hide();
    faerben(PanMonatsauswertungVarKosten, ui::color::BtnFace);
    faerben(TLblSummeGefKmMonat, ui::color::Aqua);
    bool zahl = false;
    const int jahr = jahrText.trimmed().toInt(&zahl);
    if (!zahl)
        throw std::invalid_argument(
            QStringLiteral("'%1' ist kein gültiger Ganzzahlwert").arg(jahrText).toStdString());

    TDataModule1 &dm = *DataModule1;
    MonatsauswertungEingabe e;
    e.KfzNr = dm.TTblMain.FieldByName(QStringLiteral("KfzNr"))->AsString();
    e.Jahr = static_cast<std::uint16_t>(jahr);
    e.Monat = static_cast<std::uint16_t>(CmbBoxMonatsauswertungMonat->itemIndex() + 1);
    e.TourenModus = TourenModus;
    e.Stammbetraege = StammbetraegeLesen(dm.TTblMain);
    e.Kosten = KostenZeilenLesen(dm.TTblVarKosten);
    if (e.TourenModus)
        e.Touren = TourZeilenLesen(dm.TTblTouren);
    const MonatsauswertungAusgang aus = fleet::MonatsauswertungBerechnen(e);
    const TMonatsauswertungErgebnis &r = aus.Ergebnis;
    MonatsauswertungErgebnis = r;

    const std::pair<QLabel *, base::Currency> geld[] = {
        {TLblVerbrauchKostenMonat, r.VerbrauchKosten},
        {TLblReparaturKostenMonat, r.ReparaturKosten},
        {TLblWartungKostenMonat, r.WartungKosten},
        {TLblUntersuchungKostenMonat, r.UntersuchungKosten},
        {TLblReifenKostenMonat, r.ReifenKosten},
        {TLblPflegeKostenMonat, r.PflegeKosten},
        {TLblSonstigeKostenMonat, r.SonstigeKosten},
        {TlblSonstige2KostenMonat, r.Sonstige2Kosten},
        {TLblSonstige3KostenMonat, r.Sonstige3Kosten},
        {TLblSonstige4KostenMonat, r.Sonstige4Kosten},
        {TLblSummeVarKostenMonat, r.VarKosten},
        {TLblHaftpflichtMonat, r.HaftPflNettoBetrag},
        {TLblKaskoMonat, r.KaskoNettoBetrag},
        {TLblSteuerMonat, r.Steuer},
        {TLblSonstigesMonat, r.KfzSonstiges},
        {TLblAfaMonat, r.AFA},
        {TLblZinsenMonat, r.Zinsen},
        {TLblVermSteuerMonat, r.VermoegensSteuer},
        {TLblGewKapSteuerMonat, r.GewKapSteuer},
        {TLblFahrerKostenMonat, r.Restbuchwert},
        {TLblSummeFixKostenMonat, r.FixKosten},
        {TLblSummeGesamtKostenMonat, r.GesamtKosten},
        {TLblSummeGesKostenProKm, r.GesamtKostenProKm},
    };
    for (const auto &[l, betrag] : geld)
        l->setText(GeldText(betrag));
    TLblSummeGefKmMonat->setText(KmText(r.GefKilometer));
    TLblSummeVerbrauchLiterMonat->setText(LiterText(r.VerbrauchLiter));
    TLblSummeVerbrauchPro100Km->setText(LiterText(r.VerbrauchLiterPro100Km));
    if (e.TourenModus) {
        const ErtragAnzeige a = ErtragAnzeigeBerechnen(r.Ertrag, r.GesamtKosten);
        LblSummeErtragMonat->setText(a.ErtragText);
        faerben(LblSummeErtragMonat, a.ErtragFarbe);
        LblSummeUeberschussMonat->setText(a.UeberschussText);
        faerben(LblSummeUeberschussMonat, a.UeberschussFarbe);
    }
    tortenstueckeZeigen(aus);
    return aus.Code;
}

void MonatsauswertungSeite::tortenstueckeZeigen(const MonatsauswertungAusgang &aus)
{
    if (!aus.GrafikSichtbar) {
        ChartMonatsauswertung->hide();
        return;
    }
    const QString namen[] = {QStringLiteral("Verbrauch"),
                             QStringLiteral("Reparatur"),
                             QStringLiteral("Wartung"),
                             QStringLiteral("Untersuch."),
                             QStringLiteral("Reifen"),
                             QStringLiteral("Pflege"),
                             FeldBezeichnungen[QStringLiteral("NameSonstigeKosten")],
                             FeldBezeichnungen[QStringLiteral("NameSonstige2Kosten")],
                             FeldBezeichnungen[QStringLiteral("NameSonstige3Kosten")],
                             FeldBezeichnungen[QStringLiteral("NameSonstige4Kosten")],
                             QStringLiteral("FixKosten")};
    const QString vorgabe[] = {{},
                               {},
                               {},
                               {},
                               {},
                               {},
                               QStringLiteral("Sonstige"),
                               QStringLiteral("Sonstige2"),
                               QStringLiteral("Sonstige3"),
                               QStringLiteral("Sonstige4"),
                               {}};
    Series10->clear();
    double summe = 0;
    for (const Tortenstueck &t : aus.Torte)
        summe += static_cast<double>(t.Wert);
    for (const Tortenstueck &t : aus.Torte) {
        const QString name = namen[t.Art].isEmpty() ? vorgabe[t.Art] : namen[t.Art];
        auto *stueck = Series10->append(name, static_cast<double>(t.Wert));
        stueck->setBrush(ui::toQColor(t.Farbe));
        stueck->setPen(QPen(Qt::black, 0.5));
        // The legend names the kind; the mark on the slice tells its share.
        if (summe > 0 && t.Wert > 0) {
            stueck->setLabel(
                name + QStringLiteral(" ") +
                QString::number(static_cast<double>(t.Wert) / summe * 100, 'f', 1).replace('.', ',') +
                QStringLiteral(" %"));
            stueck->setLabelVisible(true);
        }
    }
    ChartMonatsauswertung->show();
}

void MonatsauswertungSeite::MonatsauswertungWarnung(int code)
{
    auto zeigen = [this](const QString &text, bool panel, bool km) {
        LblWarnmeldung2->setText(ui::withLineBreaks(text));
        LblWarnmeldung2->show();
        if (panel)
            faerben(PanMonatsauswertungVarKosten, ui::color::Red);
        if (km)
            faerben(TLblSummeGefKmMonat, ui::color::Red);
    };
    switch (code) {
    case 1:
        ui::messages().information(kWarnung1);
        break;
    case 2:
        ChartMonatsauswertung->hide();
        zeigen(kWarnung2, true, true);
        break;
    case 4:
        zeigen(kWarnung4, false, true);
        break;
    case 41:
        zeigen(kWarnung41, true, true);
        break;
    case 42:
        zeigen(kWarnung42, true, false);
        break;
    default:
        break;
    }
}

void MonatsauswertungSeite::TBtnMonatsauswertungSpeichernClick()
{
    TDataModule1 &dm = *DataModule1;
    bool zahl = false;
    const int jahr = CmbBoxMonatsauswertungJahr->text().trimmed().toInt(&zahl);
    const int monat = CmbBoxMonatsauswertungMonat->itemIndex() + 1;
    // Every stored month of any year, whatever filter the overview set.
    dbe::TTable alle(&dm.TTblMonatKosten.Session());
    alle.SetDatabaseName(kAliasFuhrpark);
    alle.SetTableName(QStringLiteral("KfzMonat.DB"));
    alle.Open();
    MonatsauswertungSpeichern(dm.TTblMonatKosten, alle,
                              dm.TTblMain.FieldByName(QStringLiteral("KfzNr"))->AsString(),
                              static_cast<std::uint16_t>(zahl ? jahr : 0), static_cast<std::uint16_t>(monat),
                              [this] { Berechnen(); });
}

} // namespace fleet
