#include "reportengine/designer/CanvasItem.h"

#include <cmath>

#include <QCursor>
#include <QGraphicsScene>
#include <QGraphicsSceneHoverEvent>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include "reportengine/PagePainter.h"
#include "reportengine/designer/DesignRules.h"

namespace tb {

namespace {

constexpr double kHandlePt = 4.5; // side of a resize handle
constexpr double kGripPt = 2.0;   // how near a column border grips
constexpr double kMinHitPt = 5.0; // thin lines still catch the mouse
constexpr double kMinSizePt = 0.0;

double snapPt(double pt)
{
    return designer::snapMm(pt / kPointsPerMm) * kPointsPerMm;
}

QRectF toPt(const QRectF &mm)
{
    return QRectF(mm.x() * kPointsPerMm, mm.y() * kPointsPerMm, mm.width() * kPointsPerMm,
                  mm.height() * kPointsPerMm);
}

} // namespace

CanvasItem::CanvasItem(int index, const Callbacks &callbacks) : index_(index), callbacks_(callbacks)
{
    setFlags(ItemIsSelectable | ItemSendsGeometryChanges);
    setAcceptHoverEvents(true);
}

void CanvasItem::update(const PageObject &object, Page primitives, bool locked)
{
    prepareGeometryChange();
    object_ = object;
    primitives_ = std::move(primitives);
    locked_ = locked;
    modelRectPt_ = toPt(object.rectMm);
    columnWidthsPt_.clear();
    if (object.type == PageObject::Type::Table)
        for (double mm : designer::resolvedColumnWidthsMm(object))
            columnWidthsPt_.push_back(mm * kPointsPerMm);
    setFlag(ItemIsMovable, !locked);
    placing_ = true;
    setPos(modelRectPt_.topLeft());
    placing_ = false;
    setZValue(object.type == PageObject::Type::Table ? 0 : 1);
    QString tip =
        QStringLiteral("%1 (%2, %3)")
            .arg(object.name, designer::typeCaption(object.type), designer::layerCaption(object.layer));
    if (locked)
        tip += QStringLiteral(" – gesperrt");
    setToolTip(tip);
    QGraphicsItem::update();
}

QRectF CanvasItem::localRect() const
{
    const QRectF rect = drag_ == Drag::Handle ? liveRectPt_ : modelRectPt_;
    return QRectF(QPointF(0, 0), rect.size());
}

QRectF CanvasItem::boundingRect() const
{
    QRectF r = localRect().normalized();
    const double grow = kHandlePt + kMinHitPt;
    return r.adjusted(-grow, -grow - 8, grow, grow);
}

QPainterPath CanvasItem::shape() const
{
    QPainterPath path;
    QRectF r = localRect().normalized();
    if (r.height() < kMinHitPt)
        r.adjust(0, -kMinHitPt / 2, 0, kMinHitPt / 2);
    if (r.width() < kMinHitPt)
        r.adjust(-kMinHitPt / 2, 0, kMinHitPt / 2, 0);
    path.addRect(r);
    if (isSelected())
        for (const QRectF &h : handles())
            path.addRect(h);
    return path;
}

std::vector<QRectF> CanvasItem::handles() const
{
    const QRectF r = localRect();
    std::vector<QRectF> result;
    if (locked_)
        return result;
    const QPointF corners[4] = {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()};
    for (const QPointF &c : corners)
        result.emplace_back(c.x() - kHandlePt / 2, c.y() - kHandlePt / 2, kHandlePt, kHandlePt);
    return result;
}

int CanvasItem::handleAt(const QPointF &local) const
{
    if (!isSelected())
        return -1;
    const auto all = handles();
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i].contains(local))
            return int(i);
    return -1;
}

int CanvasItem::columnBorderAt(const QPointF &local) const
{
    if (object_.type != PageObject::Type::Table || locked_ || local.y() < 0 ||
        local.y() > localRect().height())
        return -1;
    double x = 0;
    for (size_t i = 0; i < columnWidthsPt_.size(); ++i) {
        x += columnWidthsPt_[i];
        if (std::abs(local.x() - x) <= kGripPt)
            return int(i);
    }
    return -1;
}

void CanvasItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const QRectF r = localRect();
    painter->save();
    if (drag_ != Drag::Handle) {
        painter->save();
        painter->translate(-modelRectPt_.topLeft());
        PagePainter::paint(*painter, primitives_, 72.0);
        painter->restore();
    }
    // Where the object lies, so that empty texts and images can be found.
    QPen outline(QColor(120, 140, 200), 0, Qt::DotLine);
    outline.setCosmetic(true);
    painter->setPen(outline);
    painter->setBrush(Qt::NoBrush);
    if (object_.type == PageObject::Type::Line)
        painter->drawLine(r.topLeft(), r.bottomRight());
    else
        painter->drawRect(r);
    if (object_.type == PageObject::Type::Image && primitives_.items.empty()) {
        painter->drawLine(r.topLeft(), r.bottomRight());
        painter->drawLine(r.topRight(), r.bottomLeft());
    }
    if (object_.type == PageObject::Type::Table) {
        QPen border(QColor(120, 140, 200), 0, Qt::DashLine);
        border.setCosmetic(true);
        painter->setPen(border);
        double x = 0;
        for (size_t i = 0; i < columnWidthsPt_.size(); ++i) {
            x += (drag_ == Drag::Column && int(i) == dragColumn_) ? liveColumnWidthPt_ : columnWidthsPt_[i];
            painter->drawLine(QPointF(x, 0), QPointF(x, r.height()));
        }
    }
    // The layer and the lock, above the top left corner.
    QStringList tags;
    if (object_.layer != Layer::All)
        tags << designer::layerCaption(object_.layer);
    if (locked_)
        tags << QStringLiteral("gesperrt");
    if (!tags.isEmpty()) {
        QFont font = painter->font();
        font.setPointSizeF(5.5);
        painter->setFont(font);
        painter->setPen(QColor(60, 90, 170));
        painter->drawText(QPointF(r.left(), r.top() - 1.5), tags.join(QStringLiteral(", ")));
    }
    if (isSelected()) {
        QPen frame(QColor(30, 90, 220), 0, Qt::SolidLine);
        frame.setCosmetic(true);
        painter->setPen(frame);
        painter->drawRect(r.normalized());
        painter->setBrush(locked_ ? QColor(160, 160, 160) : QColor(30, 90, 220));
        for (const QRectF &h : handles())
            painter->drawRect(h);
    }
    painter->restore();
}

QVariant CanvasItem::itemChange(GraphicsItemChange change, const QVariant &value)
{
    if (change == ItemPositionChange && drag_ == Drag::None && !placing_) {
        // Dragged objects land on whole millimetres.
        const QPointF p = value.toPointF();
        return QPointF(snapPt(p.x()), snapPt(p.y()));
    }
    if (change == ItemSelectedHasChanged)
        prepareGeometryChange();
    return QGraphicsItem::itemChange(change, value);
}

void CanvasItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        const int handle = handleAt(event->pos());
        if (handle >= 0) {
            drag_ = Drag::Handle;
            dragHandle_ = handle;
            liveRectPt_ = modelRectPt_;
            event->accept();
            return;
        }
        const int column = columnBorderAt(event->pos());
        if (column >= 0) {
            drag_ = Drag::Column;
            dragColumn_ = column;
            liveColumnWidthPt_ = columnWidthsPt_[size_t(column)];
            event->accept();
            return;
        }
    }
    QGraphicsItem::mousePressEvent(event);
}

void CanvasItem::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    if (drag_ == Drag::Handle) {
        prepareGeometryChange();
        const QPointF p(snapPt(event->scenePos().x()), snapPt(event->scenePos().y()));
        QRectF r = modelRectPt_;
        const bool line = object_.type == PageObject::Type::Line;
        if (dragHandle_ == 0 || dragHandle_ == 2)
            r.setLeft(std::min(p.x(), r.right() - kMinSizePt));
        else
            r.setRight(std::max(p.x(), r.left() + kMinSizePt));
        if (dragHandle_ == 0 || dragHandle_ == 1)
            r.setTop(line ? p.y() : std::min(p.y(), r.bottom() - kMinSizePt));
        else
            r.setBottom(line ? p.y() : std::max(p.y(), r.top() + kMinSizePt));
        liveRectPt_ = r;
        setPos(liveRectPt_.topLeft());
        return;
    }
    if (drag_ == Drag::Column) {
        double left = 0;
        for (int i = 0; i < dragColumn_; ++i)
            left += columnWidthsPt_[size_t(i)];
        liveColumnWidthPt_ = std::max(kPointsPerMm, snapPt(event->pos().x() - left));
        QGraphicsItem::update();
        return;
    }
    QGraphicsItem::mouseMoveEvent(event);
}

void CanvasItem::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    const Drag drag = drag_;
    drag_ = Drag::None;
    if (drag == Drag::Handle) {
        prepareGeometryChange();
        const QRectF r = liveRectPt_;
        placing_ = true;
        setPos(modelRectPt_.topLeft());
        placing_ = false;
        if (callbacks_.resized)
            callbacks_.resized(index_, QRectF(designer::snapMm(r.x() / kPointsPerMm),
                                              designer::snapMm(r.y() / kPointsPerMm),
                                              designer::snapMm(r.width() / kPointsPerMm),
                                              designer::snapMm(r.height() / kPointsPerMm)));
        return;
    }
    if (drag == Drag::Column) {
        QGraphicsItem::update();
        if (callbacks_.columnResized)
            callbacks_.columnResized(index_, dragColumn_,
                                     designer::snapMm(liveColumnWidthPt_ / kPointsPerMm));
        return;
    }
    QGraphicsItem::mouseReleaseEvent(event);
}

void CanvasItem::hoverMoveEvent(QGraphicsSceneHoverEvent *event)
{
    const QPointF local = event->pos();
    const int handle = handleAt(local);
    if (handle == 0 || handle == 3)
        setCursor(Qt::SizeFDiagCursor);
    else if (handle == 1 || handle == 2)
        setCursor(Qt::SizeBDiagCursor);
    else if (columnBorderAt(local) >= 0)
        setCursor(Qt::SplitHCursor);
    else
        unsetCursor();
    QGraphicsItem::hoverMoveEvent(event);
}

} // namespace tb
