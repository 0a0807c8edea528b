#include "formulare/BalkenDiagramm.h"

#include <algorithm>
#include <cmath>

#include <QBarSeries>
#include <QBarSet>
#include <QFontMetricsF>
#include <QGraphicsItem>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgGenerator>
#include <QValueAxis>

#include "base/GermanFormat.h"
#include "formulare/seiten/GanzzahlAchse.h"
#include "ui/Guard.h"

namespace fleet {

namespace {

constexpr double kHalbeBreite = 0.35; // of the room of one bar
constexpr double kTextAbstand = 4;    // between a text and its bar or the axis

QColor balkenFarbe(int i)
{
    static const QList<QColor> farben{QColor(220, 40, 40),  QColor(40, 110, 200),  QColor(240, 170, 20),
                                      QColor(60, 160, 70),  QColor(150, 70, 170),  QColor(30, 170, 170),
                                      QColor(230, 110, 30), QColor(120, 120, 120), QColor(200, 60, 140),
                                      QColor(110, 150, 30)};
    return farben[i % farben.size()];
}

// Draws a text turned upwards, centred on x, from y up.
void hochkantSchreiben(QPainter &maler, const QFontMetricsF &masse, double x, double y, const QString &text)
{
    maler.save();
    maler.translate(x, y);
    maler.rotate(-90);
    maler.drawText(QPointF(0, (masse.ascent() - masse.descent()) / 2), text);
    maler.restore();
}

} // namespace

// The bars' colours, the marks over them and the names under them, drawn for
// the bars in view only. The series' own bars lie beneath in the series
// colour; one colour per bar is more than a bar set offers.
class BalkenZeichnung : public QGraphicsItem {
public:
    explicit BalkenZeichnung(QChart *chart) : QGraphicsItem(chart), chart_(chart)
    {
        setZValue(1000); // over the series and the axes
        QFont f = chart->font();
        namenSchrift_ = f;
        f.setPointSizeF(f.pointSizeF() * 0.85);
        markenSchrift_ = f;
    }

    void setDaten(QAbstractSeries *reihe, const QStringList &namen, const QList<double> &werte,
                  const QStringList &marken)
    {
        reihe_ = reihe;
        namen_ = namen;
        werte_ = werte;
        marken_ = marken;
        neu();
    }
    void neu()
    {
        prepareGeometryChange();
        update();
    }
    const QStringList &marken() const { return marken_; }
    // Room under the plot area that the longest name takes.
    double namenHoehe() const
    {
        const QFontMetricsF m(namenSchrift_);
        double breitester = 0;
        for (const QString &n : namen_)
            breitester = std::max(breitester, m.horizontalAdvance(n));
        return breitester + 2 * kTextAbstand;
    }

    QRectF boundingRect() const override { return chart_->rect(); }

    void paint(QPainter *maler, const QStyleOptionGraphicsItem *, QWidget *) override
    {
        const Sicht s = sicht();
        if (s.bis < s.von)
            return;
        const QRectF flaeche = chart_->plotArea();
        maler->save();
        maler->setClipRect(flaeche);
        for (int i = s.von; i <= s.bis; ++i) {
            const QRectF r =
                QRectF(QPointF(s.x(i - kHalbeBreite), s.y(werte_[i])), QPointF(s.x(i + kHalbeBreite), s.y(0)))
                    .normalized();
            const QColor farbe = balkenFarbe(i);
            maler->setPen(r.width() >= 3 ? QPen(farbe.darker(130)) : QPen(Qt::NoPen));
            maler->setBrush(farbe);
            maler->drawRect(r);
        }
        maler->restore();

        maler->save();
        maler->setPen(Qt::black);
        maler->setFont(markenSchrift_);
        const QFontMetricsF markenMasse(markenSchrift_);
        for (int i : benannt(s))
            if (markeSichtbar(s, i))
                hochkantSchreiben(*maler, markenMasse, s.x(i), s.y(werte_[i]) - kTextAbstand,
                                  marken_.value(i));
        maler->setFont(namenSchrift_);
        const QFontMetricsF namenMasse(namenSchrift_);
        const double unten = flaeche.bottom() + kTextAbstand;
        for (int i : benannt(s)) {
            const QString &name = namen_.value(i);
            hochkantSchreiben(*maler, namenMasse, s.x(i), unten + namenMasse.horizontalAdvance(name), name);
        }
        maler->restore();
    }

    QStringList sichtbareMarken() const
    {
        const Sicht s = sicht();
        QStringList l;
        for (int i : benannt(s))
            if (markeSichtbar(s, i))
                l << marken_.value(i);
        return l;
    }
    QStringList sichtbareNamen() const
    {
        QStringList l;
        for (int i : benannt(sicht()))
            l << namen_.value(i);
        return l;
    }

private:
    // The bars in view, and where value coordinates lie on the chart.
    struct Sicht {
        int von = 0, bis = -1;
        int schritt = 1; // every schritt-th bar is named
        double x0 = 0, xProWert = 0, y0 = 0, yProWert = 0;
        double x(double wert) const { return x0 + wert * xProWert; }
        double y(double wert) const { return y0 + wert * yProWert; }
    };

    Sicht sicht() const
    {
        Sicht s;
        if (!reihe_ || werte_.isEmpty() || !reihe_->chart())
            return s;
        const QPointF null = chart_->mapToPosition(QPointF(0, 0), reihe_);
        const QPointF eins = chart_->mapToPosition(QPointF(1, 1), reihe_);
        s.x0 = null.x();
        s.y0 = null.y();
        s.xProWert = eins.x() - null.x();
        s.yProWert = eins.y() - null.y();
        if (!(s.xProWert > 0) || !std::isfinite(s.yProWert))
            return s;
        const QRectF flaeche = chart_->plotArea();
        const double links = (flaeche.left() - s.x0) / s.xProWert;
        const double rechts = (flaeche.right() - s.x0) / s.xProWert;
        s.von = std::max(0, static_cast<int>(std::ceil(links - kHalbeBreite)));
        s.bis = std::min(static_cast<int>(werte_.size()) - 1,
                         static_cast<int>(std::floor(rechts + kHalbeBreite)));
        // Upright texts need their line height of room each.
        const double platz = QFontMetricsF(namenSchrift_).height() + 2;
        s.schritt = std::max(1, static_cast<int>(std::ceil(platz / s.xProWert)));
        return s;
    }
    // The bars named: counted from the first bar, so that panning keeps the same ones.
    static std::vector<int> benannt(const Sicht &s)
    {
        std::vector<int> l;
        for (int i = (s.von + s.schritt - 1) / s.schritt * s.schritt; i <= s.bis; i += s.schritt)
            l.push_back(i);
        return l;
    }
    bool markeSichtbar(const Sicht &s, int i) const
    {
        const QRectF flaeche = chart_->plotArea();
        const double oben = s.y(werte_[i]);
        return oben >= flaeche.top() - 1 && oben <= flaeche.bottom() + 1;
    }

    QChart *chart_;
    QAbstractSeries *reihe_ = nullptr;
    QStringList namen_, marken_;
    QList<double> werte_;
    QFont namenSchrift_, markenSchrift_;
};

TBalkenDiagramm::TBalkenDiagramm(QWidget *parent) : QChartView(new QChart, parent)
{
    chart()->legend()->hide();
    chart()->setTitle(QStringLiteral("Gesamt"));
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::RectangleRubberBand);
    zeichnung_ = new BalkenZeichnung(chart());
    connect(chart(), &QChart::plotAreaChanged, this, [this] { neuZeichnen(); });
}

TBalkenDiagramm::~TBalkenDiagramm() = default;

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
    zeichnung_->setDaten(nullptr, {}, {}, {});
    chart()->removeAllSeries();
    for (QAbstractAxis *achse : chart()->axes())
        chart()->removeAxis(achse);
    reihe_ = new QBarSeries;
    reihe_->setName(QStringLiteral("Series1"));
    auto *satz = new QBarSet(QString());
    satz->append(werte);
    satz->setColor(Qt::red);
    satz->setPen(Qt::NoPen);
    reihe_->append(satz);
    reihe_->setBarWidth(2 * kHalbeBreite);
    chart()->addSeries(reihe_);

    // Bar i stands at x = i; the names under the bars are drawn with them.
    auto *x = new QValueAxis;
    x->setRange(-0.5, std::max<qsizetype>(werte.size(), 1) - 0.5);
    x->setLabelsVisible(false);
    x->setGridLineVisible(false);
    x->setTickCount(2);
    chart()->addAxis(x, Qt::AlignBottom);
    reihe_->attachAxis(x);
    auto *y = new QValueAxis;
    double hoechster = 0, niedrigster = 0, summe = 0;
    for (double w : werte) {
        hoechster = std::max(hoechster, w);
        niedrigster = std::min(niedrigster, w);
        summe += std::abs(w);
    }
    // Room above the highest bar for its upright mark.
    y->setRange(niedrigster, hoechster > niedrigster ? hoechster * 1.45 : 1.0);
    y->setLabelFormat(QStringLiteral("%.0f"));
    GanzzahligTeilen(*y);
    chart()->addAxis(y, Qt::AlignLeft);
    reihe_->attachAxis(y);
    connect(x, &QValueAxis::rangeChanged, this, [this] { neuZeichnen(); });
    connect(y, &QValueAxis::rangeChanged, this, [this] { neuZeichnen(); });

    QStringList marken;
    marken.reserve(werte.size());
    for (int i = 0; i < werte.size(); ++i) {
        const double anteil = summe > 0 ? std::abs(werte[i]) / summe * 100.0 : 0.0;
        marken << namen.value(i) + QLatin1Char(' ') + base::de::formatFixed(anteil, 0) + QStringLiteral(" %");
    }
    zeichnung_->setDaten(reihe_, namen, werte, marken);
    QMargins rand = chart()->margins();
    rand.setBottom(static_cast<int>(std::ceil(zeichnung_->namenHoehe())));
    chart()->setMargins(rand);
}

QStringList TBalkenDiagramm::marken() const
{
    return zeichnung_->marken();
}

QStringList TBalkenDiagramm::sichtbareMarken() const
{
    return zeichnung_->sichtbareMarken();
}

QStringList TBalkenDiagramm::sichtbareNamen() const
{
    return zeichnung_->sichtbareNamen();
}

void TBalkenDiagramm::neuZeichnen()
{
    zeichnung_->neu();
}

void TBalkenDiagramm::zoomZuruecksetzen()
{
    chart()->zoomReset();
    neuZeichnen();
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
        neuZeichnen();
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
    neuZeichnen();
}

void TBalkenDiagramm::mouseDoubleClickEvent(QMouseEvent *event)
{
    QChartView::mouseDoubleClickEvent(event);
    if (beimDoppelklick)
        ui::guard(this, [this] { beimDoppelklick(); });
}

} // namespace fleet
