#include "formulare/seiten/MonatsuebersichtGrafik.h"

#include <algorithm>

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QMouseEvent>
#include <QValueAxis>

#include "formulare/seiten/GanzzahlAchse.h"
#include "ui/Colors.h"

namespace fleet {

namespace {

struct Reihenart {
    const char *titel;
    const char *objektName;
    bool flaeche;
    ui::TColor farbe;
    bool oben;  // on the top (month) axis
    bool aktiv; // at design time
};

constexpr ui::TColor kSonstige2Farbe = 4194432; // RGB(0x80, 0x00, 0x40)

const Reihenart kReihen[kMonatsuebersichtReihen] = {
    {"Ertrag", "Series14", true, ui::color::White, false, false},
    {"Mittelwert", "Series5", true, ui::color::White, false, false},
    {"Gesamt", "Series1", true, ui::color::Red, true, true},
    {"Verbrauch", "Series2", false, ui::color::Blue, true, true},
    {"Reparatur", "Series3", false, ui::color::Navy, false, true},
    {"Wartung", "Series4", false, ui::color::Green, false, true},
    {"Untersuchung", "Series6", false, ui::color::Gray, false, true},
    {"Reifen", "Series7", false, ui::color::Yellow, false, true},
    {"Pflege", "Series8", false, ui::color::Teal, false, true},
    {"Sonstige", "Series9", false, ui::color::Fuchsia, true, true},
    {"Sonstige2", "Series11", false, kSonstige2Farbe, false, true},
    {"Sonstige3", "Series12", false, ui::color::Purple, false, true},
    {"Sonstige4", "Series13", false, ui::color::Black, false, true},
};

QLineSeries *linie(QAbstractSeries *reihe)
{
    if (auto *f = qobject_cast<QAreaSeries *>(reihe))
        return f->upperSeries();
    return qobject_cast<QLineSeries *>(reihe);
}

} // namespace

MonatsuebersichtGrafik::MonatsuebersichtGrafik(QWidget *parent) : QChartView(parent)
{
    setObjectName(QStringLiteral("DBChartMonatsuebersicht"));
    setRenderHint(QPainter::Antialiasing);
    setToolTip(QStringLiteral(
        "Kostenart entfernen - Klick auf entsprechende Datenreihe, alle Kosten - Doppelklick auf Legende "));
    setRubberBand(QChartView::NoRubberBand);
    auto *c = new QChart;
    c->setTitle(QStringLiteral("Monatliche Kostenentwicklung"));
    c->legend()->setAlignment(Qt::AlignRight);
    c->setMargins(QMargins(4, 4, 4, 4));
    // Thousands separated, as "#,##0.##" in German.
    c->setLocalizeNumbers(true);
    c->setLocale(QLocale(QLocale::German, QLocale::Germany));
    setChart(c);

    links_ = new QValueAxis(c);
    links_->setTitleText(QStringLiteral("Kosten/Monat"));
    links_->setLabelFormat(QStringLiteral("%.0f"));
    unten_ = new QCategoryAxis(c);
    unten_->setTitleText(QStringLiteral("Jahr"));
    oben_ = new QCategoryAxis(c);
    oben_->setTitleText(QStringLiteral("Monat"));
    for (QCategoryAxis *a : {unten_, oben_}) {
        a->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        a->setGridLineVisible(false);
    }
    for (int i = 0; i < kMonatsuebersichtReihen; ++i) {
        const Reihenart &art = kReihen[i];
        const QColor farbe = ui::toQColor(art.farbe);
        QAbstractSeries *reihe = nullptr;
        if (art.flaeche) {
            auto *oberkante = new QLineSeries(c);
            auto *flaeche = new QAreaSeries(oberkante); // no lower series: the zero line
            flaeche->setColor(farbe);
            flaeche->setBorderColor(farbe == Qt::white ? QColor(Qt::darkGray) : farbe.darker(130));
            if (farbe != Qt::white) {
                QColor fuellung = farbe;
                fuellung.setAlpha(90);
                flaeche->setBrush(fuellung);
            }
            connect(flaeche, &QAreaSeries::clicked, this, [this, flaeche] { ReiheUmschalten(flaeche); });
            reihe = flaeche;
        } else {
            auto *l = new QLineSeries(c);
            QPen stift(farbe);
            stift.setWidthF(2);
            l->setPen(stift);
            connect(l, &QLineSeries::clicked, this, [this, l] { ReiheUmschalten(l); });
            reihe = l;
        }
        reihe->setName(QString::fromUtf8(art.titel));
        reihe->setObjectName(QString::fromLatin1(art.objektName));
        reihe->setVisible(art.aktiv);
        reihen_[i] = reihe;
    }
    // Point marks of "Pflege" as the series table asks.
    if (auto *pflege = qobject_cast<QLineSeries *>(reihen_[ReihePflege]))
        pflege->setPointsVisible(true);
}

void MonatsuebersichtGrafik::einhaengen()
{
    if (eingehaengt_)
        return;
    eingehaengt_ = true;
    QChart *c = chart();
    c->addAxis(links_, Qt::AlignLeft);
    c->addAxis(unten_, Qt::AlignBottom);
    c->addAxis(oben_, Qt::AlignTop);
    for (int i = 0; i < kMonatsuebersichtReihen; ++i) {
        c->addSeries(reihen_[i]);
        reihen_[i]->attachAxis(links_);
        reihen_[i]->attachAxis(kReihen[i].oben ? oben_ : unten_);
    }
    for (QLegendMarker *m : c->legend()->markers())
        connect(m, &QLegendMarker::clicked, this, [this, m] { ReiheUmschalten(m->series()); });
}

void MonatsuebersichtGrafik::showEvent(QShowEvent *event)
{
    einhaengen();
    QChartView::showEvent(event);
}

QAbstractSeries *MonatsuebersichtGrafik::reihe(const QString &objectName) const
{
    for (QAbstractSeries *r : reihen_)
        if (r->objectName() == objectName)
            return r;
    return nullptr;
}

void MonatsuebersichtGrafik::fuellen(const std::vector<MonatsuebersichtPunkt> &punkte)
{
    einhaengen();
    double hoch = 0, tief = 0;
    for (int i = 0; i < kMonatsuebersichtReihen; ++i) {
        QList<QPointF> werte;
        werte.reserve(static_cast<qsizetype>(punkte.size()));
        for (std::size_t x = 0; x < punkte.size(); ++x) {
            const double y = punkte[x].Werte[i];
            werte << QPointF(static_cast<double>(x), y);
            hoch = std::max(hoch, y);
            tief = std::min(tief, y);
        }
        linie(reihen_[i])->replace(werte);
    }
    // Bottom the year, top the month number. Category labels must differ: a
    // repeated one gets invisible trailing blanks.
    for (QCategoryAxis *a : {unten_, oben_})
        for (const QString &l : a->categoriesLabels())
            a->remove(l);
    auto eindeutig = [](QStringList &gesehen, QString text) {
        while (gesehen.contains(text))
            text += QLatin1Char(' ');
        gesehen << text;
        return text;
    };
    QStringList jahre, monate;
    for (std::size_t x = 0; x < punkte.size(); ++x) {
        unten_->append(eindeutig(jahre, punkte[x].AuswJahr), static_cast<double>(x));
        oben_->append(eindeutig(monate, punkte[x].AuswMonatNum), static_cast<double>(x));
    }
    const double rechts = punkte.size() > 1 ? static_cast<double>(punkte.size() - 1) : 1;
    unten_->setRange(0, rechts);
    oben_->setRange(0, rechts);
    links_->setRange(tief, hoch > tief ? hoch * 1.05 : tief + 1);
    GanzzahligTeilen(*links_);
}

void MonatsuebersichtGrafik::ReiheUmschalten(QAbstractSeries *reihe)
{
    if (!reihe)
        return;
    reihe->setVisible(!reihe->isVisible());
}

void MonatsuebersichtGrafik::AlleZeigen()
{
    for (QAbstractSeries *r : reihen_)
        r->setVisible(true);
}

void MonatsuebersichtGrafik::mouseDoubleClickEvent(QMouseEvent *event)
{
    AlleZeigen();
    event->accept();
}

} // namespace fleet
