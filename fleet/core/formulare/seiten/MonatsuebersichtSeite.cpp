#include "formulare/seiten/MonatsuebersichtSeite.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/GermanFormat.h"
#include "daten/DataModule1.h"
#include "daten/Einstellungswerte.h"
#include "dbe/Field.h"
#include "formulare/HauptFormular.h"
#include "formulare/seiten/Bausteine.h"
#include "formulare/seiten/DiagrammBild.h"
#include "formulare/seiten/DruckKnoepfe.h"
#include "formulare/seiten/KostenSeite.h"
#include "formulare/seiten/MonatsuebersichtGrafik.h"
#include "regeln/MonatsSummen.h"
#include "regeln/MonatsuebersichtReihen.h"
#include "ui/CheckBox.h"
#include "ui/Clipboard.h"
#include "ui/ComboBox.h"
#include "ui/Connect.h"
#include "ui/DBGrid.h"
#include "ui/DataSetModel.h"
#include "ui/FormBase.h"
#include "ui/Messages.h"
#include "ui/Printer.h"
#include "ui/RadioGroup.h"

namespace fleet {

using namespace seiten;

namespace {

// Columns of the two column sets; the others stay as they are.
const char *const kStandardSpalten[] = {"GesamtKostenProKm", "VerbrauchLiter", "VerbrauchLiterPro100Km"};
const char *const kKostenSpalten[] = {
    "VerbrauchKosten", "ReparaturKosten", "WartungKosten",   "UntersuchungKosten", "ReifenKosten",
    "SonstigeKosten",  "PflegeKosten",    "Sonstige2Kosten", "Sonstige3Kosten",    "Sonstige4Kosten"};

QLabel *wert(QWidget *parent, const QString &name)
{
    auto *l = label(parent, name, QString());
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(70);
    return l;
}

QString geld(base::Currency c)
{
    return c.toString(2);
}

} // namespace

MonatsuebersichtSeite::MonatsuebersichtSeite(ui::TabSheet *tab, KostenSeite &kosten,
                                             std::function<void()> kostenSeiteZeigen)
    : HauptSeite(tab), kosten_(kosten), kostenSeiteZeigen_(std::move(kostenSeiteZeigen))
{
}

void MonatsuebersichtSeite::aufbauen()
{
    auto *uebersicht = seitenLayout(this);
    auto *uKopf = new QHBoxLayout;
    RadioGrpSicht = auswahl(this, "RadioGrpSicht", QStringLiteral("Sichtb. Zeitraum"),
                            {QStringLiteral("Alle"), QStringLiteral("Jahr")}, 2);
    ComboBoxJahr = liste(this, "ComboBoxJahr", jahre());
    ComboBoxJahr->setEnabled(false);
    RadioGrpMonatsuebersichtTabelle =
        auswahl(this, "RadioGrpMonatsuebersichtTabelle", QStringLiteral("Sichtb. Tabellenspalten"),
                {QStringLiteral("Standard"), QStringLiteral("Kosten")}, 2);
    CheckBoxGrafik = ui::make<ui::CheckBox>(this, "CheckBoxGrafik", QStringLiteral("Grafik"));
    uKopf->addWidget(RadioGrpSicht);
    uKopf->addWidget(ComboBoxJahr);
    uKopf->addWidget(RadioGrpMonatsuebersichtTabelle);
    uKopf->addWidget(CheckBoxGrafik);
    uKopf->addWidget(label(this, QStringLiteral("LblMonatsuebersichtSchadstoff"),
                           QStringLiteral("Schadstoff/Gef.Km.(g)")));
    LblSummeSchadstoff = wert(this, QStringLiteral("LblSummeSchadstoff"));
    uKopf->addWidget(LblSummeSchadstoff);
    uKopf->addStretch(1);
    const DruckKnoepfe druck =
        druckKnoepfe(this, "TBitBtnMonatsuebersichtDrucken", "TBitBtnMonatsuebersichtVorschau",
                     [this](int modus) { MonatsuebersichtDrucken(modus); });
    TBitBtnMonatsuebersichtDrucken = druck.drucken;
    TBitBtnMonatsuebersichtVorschau = druck.vorschau;
    uebersicht->addLayout(uKopf);
    auto *mitte = new QHBoxLayout;
    DBGridMonatsuebersicht = raster(this, "DBGridMonatsuebersicht", DataModule1->TDataSrcMonatKosten);
    DBGridMonatsuebersicht->setReadOnly(true);
    DBGridMonatsuebersicht->setRowSelect(true);
    mitte->addWidget(DBGridMonatsuebersicht);
    panelsAufbauen(mitte);
    uebersicht->addLayout(mitte, 1);
    auto *knoepfe = new QHBoxLayout;
    TBtnLoeschen = ui::make<QPushButton>(this, "TBtnLoeschen", QStringLiteral("&Löschen"));
    TBtnZeigMonatsauswertung =
        ui::make<QPushButton>(this, "TBtnZeigMonatsauswertung", QStringLiteral("&Zeige Kosten"));
    knoepfe->addWidget(TBtnLoeschen);
    knoepfe->addWidget(TBtnZeigMonatsauswertung);
    knoepfe->addStretch(1);
    // Printing below the list, as on the other pages: the row above keeps its captions whole.
    knoepfe->addWidget(TBitBtnMonatsuebersichtDrucken);
    knoepfe->addWidget(TBitBtnMonatsuebersichtVorschau);
    uebersicht->addLayout(knoepfe);
    grafikAufbauen(uebersicht);

    ui::on(TBtnLoeschen, &QPushButton::clicked, this, [this] { TBtnLoeschenClick(); });
    ui::on(TBtnZeigMonatsauswertung, &QPushButton::clicked, this,
           [this] { TBtnZeigMonatsauswertungClick(); });
    ui::on(CheckBoxGrafik, &ui::CheckBox::onClick, this, [this] { CheckBoxGrafikClick(); });
    ui::on(RadioGrpSicht, &ui::RadioGroup::onClick, this, [this] { RadioGrpSichtClick(); });
    ui::on(ComboBoxJahr, &ui::ComboBox::onChange, this, [this] { ComboBoxJahrChange(); });
    ui::on(RadioGrpMonatsuebersichtTabelle, &ui::RadioGroup::onClick, this,
           [this] { RadioGrpMonatsuebersichtTabelleClick(); });
}

void MonatsuebersichtSeite::grafikAufbauen(QVBoxLayout *seite)
{
    auto *zeile = new QHBoxLayout;
    DBChartMonatsuebersicht = new MonatsuebersichtGrafik(this);
    DBChartMonatsuebersicht->setMinimumHeight(260);
    DBChartMonatsuebersicht->hide();
    Panel4 = ui::make<QWidget>(this, "Panel4");
    auto *panel = new QVBoxLayout(Panel4);
    panel->setContentsMargins(0, 0, 0, 0);
    BitBtnMonatsuebersichtGrafikDrucken =
        ui::make<QPushButton>(Panel4, "BitBtnMonatsuebersichtGrafikDrucken", QStringLiteral("Dr&ucken"));
    BitBtnMonatsuebersichtGrafikKopieren =
        ui::make<QPushButton>(Panel4, "BitBtnMonatsuebersichtGrafikKopieren", QStringLiteral("Z&wAblage"));
    panel->addWidget(BitBtnMonatsuebersichtGrafikDrucken);
    panel->addWidget(BitBtnMonatsuebersichtGrafikKopieren);
    panel->addStretch(1);
    Panel4->hide();
    zeile->addWidget(DBChartMonatsuebersicht, 1);
    zeile->addWidget(Panel4);
    seite->addLayout(zeile);
    ui::on(BitBtnMonatsuebersichtGrafikDrucken, &QPushButton::clicked, this,
           [this] { BitBtnMonatsuebersichtGrafikDruckenClick(); });
    ui::on(BitBtnMonatsuebersichtGrafikKopieren, &QPushButton::clicked, this,
           [this] { BitBtnMonatsuebersichtGrafikKopierenClick(); });
}

void MonatsuebersichtSeite::panelsAufbauen(QHBoxLayout *zeile)
{
    Formularblock standard(this, QStringLiteral("Summen und Durchschnitte"));
    PanMonatsuebersichtStandard = standard.box();
    PanMonatsuebersichtStandard->setObjectName(QStringLiteral("PanMonatsuebersichtStandard"));
    const std::pair<const char *, const char *> standardZeilen[] = {
        {"Gefahrene Km:", "TLblSummeGefKm"},
        {"Gesamtkosten:", "TLblSummeGesKosten"},
        {"Verbrauch / Liter:", "TLblSummeVerbrauchLiter"},
        {"Ø Km/Monat:", "TLblDGefKmMonat"},
        {"Ø Kosten/Monat:", "TLblDGesKostenMonat"},
        {"Ø Kosten/Km:", "TLBlDGesKostenProKmMonat"},
        {"Ø Liter/Monat:", "TLblDVerbrauchLiterMonat"},
        {"Ø Liter/100 Km:", "TLblDVerbrauchLiterPro100KmMonat"},
    };
    for (const auto &[text, name] : standardZeilen)
        standard.zeile(
            label(this, QString::fromLatin1(name) + QStringLiteral("Text"), QString::fromUtf8(text)),
            wert(this, QString::fromLatin1(name)));
    TLblErtragMonatsuebersichtUeberschrift = label(
        this, QStringLiteral("TLblErtragMonatsuebersichtUeberschrift"), QStringLiteral("Ertrag / Ø Monat:"));
    TLblSummeErtragMonat = wert(this, QStringLiteral("TLblSummeErtragMonat"));
    TLblDErtragMonat = wert(this, QStringLiteral("TLblDErtragMonat"));
    standard.zeile(TLblErtragMonatsuebersichtUeberschrift, TLblSummeErtragMonat, TLblDErtragMonat);
    standard.ende();

    Formularblock kosten(this, QStringLiteral("Summe / Ø Monat"));
    PanMonatsuebersichtKosten = kosten.box();
    PanMonatsuebersichtKosten->setObjectName(QStringLiteral("PanMonatsuebersichtKosten"));
    const char *const kostenZeilen[][3] = {
        {"Gefahrene Km:", "TLblSummeGefKm1", "TLblDgefKmMonat1"},
        {"Gesamtkosten:", "TLblSummeGesKosten1", "TLblDgesKostenMonat1"},
        {"Verbrauch:", "TLBLSummeVerbrauchKosten", "TLBLDVerbrauchKostenMonat"},
        {"Reparatur:", "TLblSummeReparaturKosten", "TLblDReparaturKostenMonat"},
        {"Wartung:", "TLblSummeWartungKosten", "TLblDWartungKostenMonat"},
        {"Untersuchung:", "TLblSummeUntersuchungKosten", "TLblDUntersuchungKostenMonat"},
        {"Reifen:", "TLblSummeReifenKosten", "TLblDReifenKostenMonat"},
        {"Sonstige:", "TLblSummeSonstigeKosten", "TLblDSonstigeKostenMonat"},
        {"Sonstige2:", "TLblSummeSonstige2Kosten", "TLblDSonstige2KostenMonat"},
        {"Sonstige3:", "TLblSummeSonstige3Kosten", "TLblDSonstige3KostenMonat"},
        {"Sonstige4:", "TLblSummeSonstige4Kosten", "TLblDSonstige4KostenMonat"},
        {"Pflege:", "TLblSummePflegeKosten", "TLblDPflegeKostenMonat"},
    };
    const QString sonstige[] = {QString(), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")};
    int n = 0;
    for (const auto &z : kostenZeilen) {
        // The other kinds' captions take the user-defined names at start-up.
        const bool andere = n >= 7 && n <= 10;
        const QString name = andere ? QStringLiteral("TLblSonstige%1KostenUeberschrift").arg(sonstige[n - 7])
                                    : QString::fromLatin1(z[1]) + QStringLiteral("Text");
        QLabel *beschriftung = label(this, name, QString::fromUtf8(z[0]));
        kosten.zeile(beschriftung, wert(this, QString::fromLatin1(z[1])),
                     wert(this, QString::fromLatin1(z[2])));
        ++n;
    }
    kosten.ende();
    PanMonatsuebersichtKosten->hide();

    auto *rechts = new QVBoxLayout;
    rechts->addWidget(PanMonatsuebersichtStandard);
    rechts->addWidget(PanMonatsuebersichtKosten);
    rechts->addStretch(1);
    zeile->addLayout(rechts);
    zeile->addStretch(1);
}

void MonatsuebersichtSeite::anfangen()
{
    RadioGrpSicht->setItemIndex(0);
    RadioGrpMonatsuebersichtTabelle->setItemIndex(0);
    CheckBoxGrafik->setChecked(false);
    JahrAufHeute(ComboBoxJahr);
}

void MonatsuebersichtSeite::betreten()
{
    MonatsuebersichtAnzeigen();
    sichtbareGrafikAktualisieren();
    DBGridMonatsuebersicht->setFocus();
}

void MonatsuebersichtSeite::MonatsuebersichtAnzeigen()
{
    // The radio groups fire while the window is made, before the tables open.
    if (!DataModule1 || !DataModule1->TTblMonatKosten.Active())
        return;
    MonatsSummenBerechnen();
    const TMonatsSummen &s = MonatsSummen;
    auto setze = [this](const char *name, const QString &text) {
        if (auto *l = findChild<QLabel *>(QString::fromLatin1(name)))
            l->setText(text);
    };
    const QString km = s.SummeGefKilometer.toString(0);
    const QString kmSchnitt = base::de::formatFixed(s.SchnittGefKilometer, 0);
    setze("TLblSummeGefKm", km);
    setze("TLblSummeGesKosten", geld(s.SummeGesamtKosten));
    setze("TLblSummeVerbrauchLiter", geld(s.SummeVerbrauchLiter));
    setze("TLblDGefKmMonat", kmSchnitt);
    setze("TLblDGesKostenMonat", geld(s.SchnittGesamtKosten));
    setze("TLBlDGesKostenProKmMonat", geld(s.SchnittGesamtKostenProKm));
    setze("TLblDVerbrauchLiterMonat", base::de::formatFixed(s.SchnittVerbrauchLiter, 2));
    setze("TLblDVerbrauchLiterPro100KmMonat", base::de::formatFixed(s.SchnittVerbrauchLiterPro100Km, 2));
    setze("TLblSummeErtragMonat", geld(s.SummeErtrag));
    setze("TLblDErtragMonat", geld(s.SchnittErtrag));
    setze("TLblSummeGefKm1", km);
    setze("TLblDgefKmMonat1", kmSchnitt);
    setze("TLblSummeGesKosten1", geld(s.SummeGesamtKosten));
    setze("TLblDgesKostenMonat1", geld(s.SchnittGesamtKosten));
    const std::tuple<const char *, const char *, base::Currency, base::Currency> kosten[] = {
        {"TLBLSummeVerbrauchKosten", "TLBLDVerbrauchKostenMonat", s.SummeVerbrauchKosten,
         s.SchnittVerbrauchKosten},
        {"TLblSummeReparaturKosten", "TLblDReparaturKostenMonat", s.SummeReparaturKosten,
         s.SchnittReparaturKosten},
        {"TLblSummeWartungKosten", "TLblDWartungKostenMonat", s.SummeWartungKosten, s.SchnittWartungKosten},
        {"TLblSummeUntersuchungKosten", "TLblDUntersuchungKostenMonat", s.SummeUntersuchungKosten,
         s.SchnittUntersuchungKosten},
        {"TLblSummeReifenKosten", "TLblDReifenKostenMonat", s.SummeReifenKosten, s.SchnittReifenKosten},
        {"TLblSummeSonstigeKosten", "TLblDSonstigeKostenMonat", s.SummeSonstigeKosten,
         s.SchnittSonstigeKosten},
        {"TLblSummeSonstige2Kosten", "TLblDSonstige2KostenMonat", s.SummeSonstige2Kosten,
         s.SchnittSonstige2Kosten},
        {"TLblSummeSonstige3Kosten", "TLblDSonstige3KostenMonat", s.SummeSonstige3Kosten,
         s.SchnittSonstige3Kosten},
        {"TLblSummeSonstige4Kosten", "TLblDSonstige4KostenMonat", s.SummeSonstige4Kosten,
         s.SchnittSonstige4Kosten},
        {"TLblSummePflegeKosten", "TLblDPflegeKostenMonat", s.SummePflegeKosten, s.SchnittPflegeKosten},
    };
    for (const auto &[summe, schnitt, wertSumme, wertSchnitt] : kosten) {
        setze(summe, geld(wertSumme));
        setze(schnitt, geld(wertSchnitt));
    }
    // Pollutant of the period: an empty field cannot be multiplied.
    const dbe::TField *schadstoff = DataModule1->TTblMain.FindField(QStringLiteral("Schadstoff"));
    LblSummeSchadstoff->setText(
        !schadstoff || schadstoff->IsNull()
            ? QStringLiteral("Fehler")
            : base::de::formatFixed(schadstoff->AsFloat() * s.SummeGefKilometer.toDouble(), 0));
}

void MonatsuebersichtSeite::jahrFilter(bool jahr)
{
    dbe::TTable &monate = DataModule1->TTblMonatKosten;
    if (jahr) {
        monate.SetFilter(QStringLiteral("AuswJahr = ") + ComboBoxJahr->text());
        monate.SetFiltered(true);
    } else {
        monate.SetFilter(QString());
        monate.SetFiltered(false);
    }
    MonatsuebersichtAnzeigen();
    sichtbareGrafikAktualisieren();
}

void MonatsuebersichtSeite::RadioGrpSichtClick()
{
    if (!DataModule1)
        return;
    const bool jahr = RadioGrpSicht->itemIndex() == 1;
    ComboBoxJahr->setEnabled(jahr);
    jahrFilter(jahr);
}

void MonatsuebersichtSeite::ComboBoxJahrChange()
{
    if (!DataModule1)
        return;
    jahrFilter(RadioGrpSicht->itemIndex() == 1);
}

void MonatsuebersichtSeite::RadioGrpMonatsuebersichtTabelleClick()
{
    dbe::TTable &monate = DataModule1->TTblMonatKosten;
    const bool kosten = RadioGrpMonatsuebersichtTabelle->itemIndex() == 1;
    auto sichtbar = [&monate](const char *feld, bool an) {
        if (dbe::TField *f = monate.FindField(QString::fromLatin1(feld)))
            f->SetVisible(an);
    };
    const bool ertrag = !kosten && TourenModus;
    // The grid takes its new columns once, not at each field.
    DBGridMonatsuebersicht->dataModel()->changeFields([&] {
        for (const char *f : kStandardSpalten)
            sichtbar(f, !kosten);
        for (const char *f : kKostenSpalten)
            sichtbar(f, kosten);
        sichtbar("Ertrag", ertrag);
    });
    TLblSummeErtragMonat->setVisible(ertrag);
    TLblDErtragMonat->setVisible(ertrag);
    TLblErtragMonatsuebersichtUeberschrift->setVisible(ertrag);
    PanMonatsuebersichtKosten->setVisible(kosten);
    PanMonatsuebersichtStandard->setVisible(!kosten);
    DBGridMonatsuebersicht->setFixedWidth(kosten ? 975 : ertrag ? 560 : 495);
}

void MonatsuebersichtSeite::GrafikAktualisieren()
{
    if (!DataModule1)
        return;
    DBChartMonatsuebersicht->fuellen(MonatsuebersichtPunkteLesen(DataModule1->TTblMonatKosten));
}

void MonatsuebersichtSeite::sichtbareGrafikAktualisieren()
{
    // A chart switched off gets its data when it is switched on or pictured.
    if (!DBChartMonatsuebersicht->isHidden())
        GrafikAktualisieren();
}

void MonatsuebersichtSeite::TBtnLoeschenClick()
{
    if (ui::messages().question(
            QStringLiteral("Möchten Sie die markierte Monatsauswertung wirklich löschen"))) {
        try {
            DataModule1->TTblMonatKosten.Delete();
        } catch (const std::exception &) {
            ui::messages().error(QStringLiteral("Löschen der Monatsauswertung nicht möglich"));
        }
    }
    MonatsuebersichtAnzeigen();
    sichtbareGrafikAktualisieren();
}

void MonatsuebersichtSeite::TBtnZeigMonatsauswertungClick()
{
    TDataModule1 &dm = *DataModule1;
    dbe::TTable &monate = dm.TTblMonatKosten;
    if (monate.IsEmpty()) {
        ui::messages().information(QStringLiteral("Sie haben noch keine Monatsauswertung gespeichert"));
        return;
    }
    const QString jahr = monate.FieldByName(QStringLiteral("AuswJahr"))->AsString();
    const double monatNum = monate.FieldByName(QStringLiteral("AuswMonatNum"))->AsFloat();
    // The view first: its click sets the cost filter, which ours then replaces.
    kosten_.KostenSichtSetzen(1);
    kosten_.CmbBoxKostenMonat->setItemIndex(monatNum >= 1 && monatNum <= 12 ? static_cast<int>(monatNum) - 1
                                                                            : -1);
    kosten_.CmbBoxKostenJahr->setItemIndex(kosten_.CmbBoxKostenJahr->findText(jahr, Qt::MatchExactly));
    dm.TTblVarKosten.SetFilter(QStringLiteral("(Jahr = '") + kosten_.CmbBoxKostenJahr->text() +
                               QStringLiteral("') and (Monat = '") + kosten_.CmbBoxKostenMonat->text() +
                               QStringLiteral("')"));
    dm.TTblVarKosten.SetFiltered(true);
    kostenSeiteZeigen_();
}

void MonatsuebersichtSeite::CheckBoxGrafikClick()
{
    const bool an = CheckBoxGrafik->isChecked();
    if (an)
        GrafikAktualisieren();
    DBChartMonatsuebersicht->setVisible(an);
    // The shown chart takes two thirds of the height, the grid gets it all back.
    if (auto *seite = qobject_cast<QVBoxLayout *>(layout()))
        seite->setStretch(seite->count() - 1, an ? 2 : 0);
    Panel4->setVisible(an);
    BitBtnMonatsuebersichtGrafikDrucken->setVisible(an);
    BitBtnMonatsuebersichtGrafikKopieren->setVisible(an);
    TBtnZeigMonatsauswertung->setEnabled(!an);
    TBtnLoeschen->setEnabled(!an && !LeseModus && !NurLesen);
}

void MonatsuebersichtSeite::DBChartMonatsuebersichtClickSeries(QAbstractSeries *reihe)
{
    DBChartMonatsuebersicht->ReiheUmschalten(reihe);
}

void MonatsuebersichtSeite::DBChartMonatsuebersichtDblClick()
{
    DBChartMonatsuebersicht->AlleZeigen();
}

void MonatsuebersichtSeite::BitBtnMonatsuebersichtGrafikDruckenClick()
{
    if (!ui::messages().question(QStringLiteral("Möchten Sie die Grafik jetzt drucken?")))
        return;
    ui::printer().print(
        QStringLiteral("Monatliche Kostenentwicklung"),
        [this](QPrinter &drucker) {
            const QPageLayout::Orientation vorher = drucker.pageLayout().orientation();
            drucker.setPageOrientation(QPageLayout::Landscape);
            const QImage bild =
                DiagrammBitmap(DBChartMonatsuebersicht, MonatsuebersichtGrafik::bildGroesse() * 2);
            QPainter maler(&drucker);
            const QRect seite = maler.viewport();
            const QSize ziel = bild.size().scaled(seite.size(), Qt::KeepAspectRatio);
            maler.drawImage(QRect(seite.topLeft(), ziel), bild);
            maler.end();
            drucker.setPageOrientation(vorher);
        },
        true);
}

void MonatsuebersichtSeite::BitBtnMonatsuebersichtGrafikKopierenClick()
{
    if (!ui::messages().question(QStringLiteral("Möchten Sie die Grafik in die Zwischenablage kopieren?")))
        return;
    ui::clipboard().setImage(DiagrammBitmap(DBChartMonatsuebersicht, MonatsuebersichtGrafik::bildGroesse()));
}

void MonatsuebersichtSeite::MonatsuebersichtDrucken(int modus)
{
    // The chart is pictured whether shown or not, at the shape of the report's frame (273 × 70 mm).
    ReportAnfordern(modus, RadioGrpMonatsuebersichtTabelle->itemIndex() == 1 ? 10 : 0,
                    DataModule1->TTblMonatKosten.IsEmpty(),
                    QStringLiteral("Sie haben noch keine Monatsauswertung gespeichert"), [this] {
                        GrafikAktualisieren();
                        DiagrammBildSchreiben(DBChartMonatsuebersicht, QStringLiteral("MonUeb~.wmf"),
                                              QSize(1365, 350));
                    });
}

} // namespace fleet
