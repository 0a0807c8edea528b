#include "formulare/seiten/MonatsuebersichtSeite.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "base/GermanFormat.h"
#include "daten/DataModule1.h"
#include "daten/Einstellungswerte.h"
#include "dbe/Field.h"
#include "formulare/seiten/Bausteine.h"
#include "regeln/MonatsSummen.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Connect.h"
#include "ui/DBGrid.h"
#include "ui/FormBase.h"
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
    uebersicht->addLayout(uKopf);
    auto *mitte = new QHBoxLayout;
    DBGridMonatsuebersicht = raster(this, "DBGridMonatsuebersicht", DataModule1->TDataSrcMonatKosten);
    DBGridMonatsuebersicht->setReadOnly(true);
    DBGridMonatsuebersicht->setRowSelect(true);
    mitte->addWidget(DBGridMonatsuebersicht);
    panelsAufbauen(mitte);
    uebersicht->addLayout(mitte, 1);

    ui::on(RadioGrpSicht, &ui::RadioGroup::onClick, this, [this] { RadioGrpSichtClick(); });
    ui::on(ComboBoxJahr, &ui::ComboBox::onChange, this, [this] { ComboBoxJahrChange(); });
    ui::on(RadioGrpMonatsuebersichtTabelle, &ui::RadioGroup::onClick, this,
           [this] { RadioGrpMonatsuebersichtTabelleClick(); });
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
    for (const char *f : kStandardSpalten)
        sichtbar(f, !kosten);
    for (const char *f : kKostenSpalten)
        sichtbar(f, kosten);
    const bool ertrag = !kosten && TourenModus;
    sichtbar("Ertrag", ertrag);
    TLblSummeErtragMonat->setVisible(ertrag);
    TLblDErtragMonat->setVisible(ertrag);
    TLblErtragMonatsuebersichtUeberschrift->setVisible(ertrag);
    PanMonatsuebersichtKosten->setVisible(kosten);
    PanMonatsuebersichtStandard->setVisible(!kosten);
    DBGridMonatsuebersicht->setFixedWidth(kosten ? 975 : ertrag ? 560 : 495);
}

} // namespace fleet
