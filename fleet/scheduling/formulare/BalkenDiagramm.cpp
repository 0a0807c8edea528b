#include "formulare/BalkenDiagramm.h"

#include <cmath>

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QGraphicsSimpleTextItem>
#include <QMouseEvent>
#include <QPainter>
#include <QStackedBarSeries>
#include <QSvgGenerator>
#include <QValueAxis>

#include "base/GermanFormat.h"
#include "formulare/seiten/GanzzahlAchse.h"
#include "ui/Guard.h"

namespace fleet {

namespace {

QColor balkenFarbe(int i)
{
    static const QList<QColor> farben{QColor(220, 40, 40),  QColor(40, 110, 200),  QColor(240, 170, 20),
                                      QColor(60, 160, 70),  QColor(150, 70, 170),  QColor(30, 170, 170),
                                      QColor(230, 110, 30), QColor(120, 120, 120), QColor(200, 60, 140),
                                      QColor(110, 150, 30)};
    return farben[i % farben.size()];
}

} // namespace

TBalkenDiagramm::TBalkenDiagramm(QWidget *parent) : QChartView(new QChart, parent)
{
    chart()->legend()->hide();
    chart()->setTitle(QStringLiteral("Gesamt"));
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::RectangleRubberBand);
    connect(chart(), &QChart::plotAreaChanged, this, [this] { markenSetzen(); });
}

void TBalkenDiagramm::setTitel(const QString &titel)
{
    chart()->setTitle(titel);
}

QString TBalkenDiagramm::titel() const
{
    return chart()->title();
}

void TBalkenDiagramm::setDaten(const QStringList &namen, const QList<double> &werte)
{
    namen_ = namen;
    werte_ = werte;
    chart()->removeAllSeries();
    for (QAbstractAxis *achse : chart()->axes())
        chart()->removeAxis(achse);
    auto *reihe = new QStackedBarSeries;
    // One set per bar, so that each bar has its own colour.
    for (int i = 0; i < werte.size(); ++i) {
        auto *satz = new QBarSet(namen.value(i));
        for (int j = 0; j < werte.size(); ++j)
            *satz << (i == j ? werte[i] : 0.0);
        satz->setColor(balkenFarbe(i));
        satz->setBorderColor(balkenFarbe(i).darker(130));
        reihe->append(satz);
    }
    reihe->setBarWidth(0.7);
    chart()->addSeries(reihe);
    auto *x = new QBarCategoryAxis;
    x->append(namen.isEmpty() ? QStringList{QString()} : namen);
    x->setLabelsAngle(-90);
    chart()->addAxis(x, Qt::AlignBottom);
    reihe->attachAxis(x);
    auto *y = new QValueAxis;
    double hoechster = 0, niedrigster = 0;
    for (double w : werte) {
        hoechster = std::max(hoechster, w);
        niedrigster = std::min(niedrigster, w);
    }
    // Room above the highest bar for its upright mark.
    y->setRange(niedrigster, hoechster > niedrigster ? hoechster * 1.45 : 1.0);
    y->setLabelFormat(QStringLiteral("%.0f"));
    GanzzahligTeilen(*y);
    chart()->addAxis(y, Qt::AlignLeft);
    reihe->attachAxis(y);
    connect(x, &QBarCategoryAxis::rangeChanged, this, [this] { markenSetzen(); });
    connect(y, &QValueAxis::rangeChanged, this, [this] { markenSetzen(); });
    qDeleteAll(markenTexte_);
    markenTexte_.clear();
    double summe = 0;
    for (double w : werte)
        summe += std::abs(w);
    for (int i = 0; i < werte.size(); ++i) {
        const double anteil = summe > 0 ? std::abs(werte[i]) / summe * 100.0 : 0.0;
        auto *text = new QGraphicsSimpleTextItem(namen.value(i) + QLatin1Char(' ') +
                                                     base::de::formatFixed(anteil, 0) + QStringLiteral(" %"),
                                                 chart());
        QFont f = text->font();
        f.setPointSizeF(f.pointSizeF() * 0.85);
        text->setFont(f);
        text->setRotation(-90); // upright marks stay apart over narrow bars
        markenTexte_ << text;
    }
    markenSetzen();
}

QStringList TBalkenDiagramm::marken() const
{
    QStringList l;
    for (const QGraphicsSimpleTextItem *t : markenTexte_)
        l << t->text();
    return l;
}

void TBalkenDiagramm::markenSetzen()
{
    if (chart()->series().isEmpty())
        return;
    QAbstractSeries *reihe = chart()->series().first();
    const QRectF flaeche = chart()->plotArea();
    for (int i = 0; i < markenTexte_.size(); ++i) {
        const QPointF oben = chart()->mapToPosition(QPointF(i, werte_.value(i)), reihe);
        QGraphicsSimpleTextItem *t = markenTexte_[i];
        // Turned by -90 degrees: the text runs upwards from just above the bar.
        const QRectF r = t->boundingRect();
        t->setPos(oben.x() - r.height() / 2, oben.y() - 4);
        t->setVisible(flaeche.adjusted(-r.height(), -1, r.height(), 1).contains(oben));
    }
}

void TBalkenDiagramm::zoomZuruecksetzen()
{
    chart()->zoomReset();
    markenSetzen();
}

bool TBalkenDiagramm::bildSpeichern(const QString &datei)
{
    QSvgGenerator svg;
    svg.setFileName(datei);
    svg.setSize(size());
    svg.setViewBox(rect());
    svg.setTitle(titel());
    QPainter maler;
    if (!maler.begin(&svg))
        return false;
    render(&maler);
    return maler.end();
}

void TBalkenDiagramm::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        verschieben_ = true;
        letztePosition_ = event->position().toPoint();
        event->accept();
        return;
    }
    QChartView::mousePressEvent(event);
}

void TBalkenDiagramm::mouseMoveEvent(QMouseEvent *event)
{
    if (verschieben_) {
        const QPoint p = event->position().toPoint();
        chart()->scroll(letztePosition_.x() - p.x(), 0);
        letztePosition_ = p;
        markenSetzen();
        event->accept();
        return;
    }
    QChartView::mouseMoveEvent(event);
}

void TBalkenDiagramm::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        // The right button pans; it does not zoom out as the view would.
        verschieben_ = false;
        event->accept();
        return;
    }
    QChartView::mouseReleaseEvent(event);
    markenSetzen();
}

void TBalkenDiagramm::mouseDoubleClickEvent(QMouseEvent *event)
{
    QChartView::mouseDoubleClickEvent(event);
    if (beimDoppelklick)
        ui::guard(this, [this] { beimDoppelklick(); });
}

} // namespace fleet
