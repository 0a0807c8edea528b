#include "reportengine/designer/DesignerCanvas.h"

#include <algorithm>
#include <cmath>

#include <QGraphicsScene>
#include <QKeyEvent>
#include <QScrollBar>

#include "reportengine/designer/CanvasItem.h"
#include "reportengine/designer/CanvasPrimitives.h"
#include "reportengine/designer/DesignRules.h"
#include "reportengine/designer/DesignerDocument.h"

namespace tb {

namespace {

constexpr double kZoomStep = 1.25;
constexpr double kMinZoom = 0.2;
constexpr double kMaxZoom = 8.0;
// Screen pixels per point at zoom 1: the paper at its real size on a 96-dpi screen.
constexpr double kPixelsPerPoint = 96.0 / 72.0;

} // namespace

DesignerCanvas::DesignerCanvas(DesignerDocument &document, const QString &projectFile, QWidget *parent)
    : QGraphicsView(parent), document_(document), projectFile_(projectFile), scene_(new QGraphicsScene(this))
{
    setScene(scene_);
    setDragMode(RubberBandDrag);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    setBackgroundBrush(QColor(150, 150, 150));
    setFocusPolicy(Qt::StrongFocus);
    setViewportUpdateMode(FullViewportUpdate);
    connect(scene_, &QGraphicsScene::selectionChanged, this, [this] {
        if (!syncing_)
            emit selectionChanged();
    });
    connect(&document_, &DesignerDocument::changed, this, &DesignerCanvas::sync);
    sync();
    setZoom(1.0);
}

DesignerCanvas::~DesignerCanvas()
{
    // The scene deletes its items after this object is gone: nobody may hear of it.
    scene_->disconnect(this);
    items_.clear();
}

QRectF DesignerCanvas::paperRectPt() const
{
    const QSizeF mm = designer::paperSizeMm(document_.project().page);
    return QRectF(0, 0, mm.width() * kPointsPerMm, mm.height() * kPointsPerMm);
}

void DesignerCanvas::sync()
{
    syncing_ = true;
    const QList<int> selected = selectedIndexes();
    const int count = document_.objectCount();
    CanvasItem::Callbacks callbacks;
    callbacks.resized = [this](int index, const QRectF &rectMm) {
        QString reason;
        if (!document_.setObjectRect(index, rectMm, &reason) && !reason.isEmpty())
            emit refused(reason);
    };
    callbacks.columnResized = [this](int index, int column, double widthMm) {
        PageObject object = document_.object(index);
        designer::setColumnWidth(object.table, column, widthMm);
        QString reason;
        if (!document_.replaceObject(index, object, QStringLiteral("Spaltenbreite ändern"), &reason))
            emit refused(reason);
    };
    while (int(items_.size()) > count) {
        delete items_.back();
        items_.pop_back();
    }
    while (int(items_.size()) < count) {
        auto *item = new CanvasItem(int(items_.size()), callbacks);
        scene_->addItem(item);
        items_.push_back(item);
    }
    for (int i = 0; i < count; ++i)
        items_[size_t(i)]->update(document_.object(i),
                                  designer::objectPrimitives(document_.project(), projectFile_, i),
                                  document_.isLocked(i));
    const QRectF paper = paperRectPt();
    scene_->setSceneRect(paper.adjusted(-30, -30, 30, 30));
    for (auto *item : items_)
        item->setSelected(false);
    for (int index : selected)
        if (index < count)
            items_[size_t(index)]->setSelected(true);
    syncing_ = false;
    scene_->update();
    emit selectionChanged();
}

QList<int> DesignerCanvas::selectedIndexes() const
{
    QList<int> result;
    for (auto *item : items_)
        if (item->isSelected())
            result << item->index();
    return result;
}

void DesignerCanvas::select(const QList<int> &indexes)
{
    syncing_ = true;
    for (auto *item : items_)
        item->setSelected(indexes.contains(item->index()));
    syncing_ = false;
    emit selectionChanged();
}

CanvasItem *DesignerCanvas::item(int index) const
{
    return index >= 0 && index < int(items_.size()) ? items_[size_t(index)] : nullptr;
}

void DesignerCanvas::setZoom(double zoom)
{
    zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
    setTransform(QTransform::fromScale(zoom_ * kPixelsPerPoint, zoom_ * kPixelsPerPoint));
    emit viewChanged();
}

void DesignerCanvas::scrollContentsBy(int dx, int dy)
{
    QGraphicsView::scrollContentsBy(dx, dy);
    emit viewChanged();
}

void DesignerCanvas::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    emit viewChanged();
}

void DesignerCanvas::zoomIn()
{
    setZoom(zoom_ * kZoomStep);
}

void DesignerCanvas::zoomOut()
{
    setZoom(zoom_ / kZoomStep);
}

void DesignerCanvas::showWholePage()
{
    const QRectF paper = paperRectPt().adjusted(-10, -10, 10, 10);
    const QSize view = viewport()->size();
    setZoom(std::min(view.width() / paper.width(), view.height() / paper.height()) / kPixelsPerPoint);
    centerOn(paper.center());
}

void DesignerCanvas::showPageWidth()
{
    const QRectF paper = paperRectPt().adjusted(-10, 0, 10, 0);
    setZoom((viewport()->width() - verticalScrollBar()->sizeHint().width()) / paper.width() /
            kPixelsPerPoint);
    centerOn(paper.center().x(), paper.top());
}

bool DesignerCanvas::deleteSelection()
{
    QString reason;
    const QList<int> selected = selectedIndexes();
    if (selected.isEmpty())
        return false;
    if (!document_.removeObjects(selected, &reason)) {
        if (!reason.isEmpty())
            emit refused(reason);
        return false;
    }
    return true;
}

void DesignerCanvas::drawBackground(QPainter *painter, const QRectF &rect)
{
    QGraphicsView::drawBackground(painter, rect);
    const QRectF paper = paperRectPt();
    painter->fillRect(paper.translated(3, 3), QColor(90, 90, 90));
    painter->fillRect(paper, Qt::white);
    // The grid objects snap to: every millimetre when it can be seen, else every 5 or 10.
    const double pixelsPerMm = zoom_ * kPixelsPerPoint * kPointsPerMm;
    const int step = pixelsPerMm >= 6 ? 1 : pixelsPerMm >= 1.5 ? 5 : 10;
    const QRectF visible = rect.intersected(paper);
    QPen minor(QColor(232, 236, 242), 0);
    QPen major(QColor(212, 218, 230), 0);
    const int firstX = int(std::ceil(visible.left() / kPointsPerMm / step)) * step;
    const int firstY = int(std::ceil(visible.top() / kPointsPerMm / step)) * step;
    for (int mm = firstX; mm * kPointsPerMm <= visible.right(); mm += step) {
        painter->setPen(mm % 10 == 0 ? major : minor);
        painter->drawLine(QPointF(mm * kPointsPerMm, visible.top()),
                          QPointF(mm * kPointsPerMm, visible.bottom()));
    }
    for (int mm = firstY; mm * kPointsPerMm <= visible.bottom(); mm += step) {
        painter->setPen(mm % 10 == 0 ? major : minor);
        painter->drawLine(QPointF(visible.left(), mm * kPointsPerMm),
                          QPointF(visible.right(), mm * kPointsPerMm));
    }
    // The printable area inside the margins.
    const QRectF area = designer::printableAreaMm(document_.project().page);
    QPen margin(QColor(200, 80, 80), 0, Qt::DashLine);
    painter->setPen(margin);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRectF(area.x() * kPointsPerMm, area.y() * kPointsPerMm, area.width() * kPointsPerMm,
                             area.height() * kPointsPerMm));
}

void DesignerCanvas::keyPressEvent(QKeyEvent *event)
{
    QPointF delta;
    switch (event->key()) {
    case Qt::Key_Left:
        delta = QPointF(-1, 0);
        break;
    case Qt::Key_Right:
        delta = QPointF(1, 0);
        break;
    case Qt::Key_Up:
        delta = QPointF(0, -1);
        break;
    case Qt::Key_Down:
        delta = QPointF(0, 1);
        break;
    case Qt::Key_Delete:
        deleteSelection();
        event->accept();
        return;
    default:
        QGraphicsView::keyPressEvent(event);
        return;
    }
    const QList<int> selected = selectedIndexes();
    if (selected.isEmpty()) {
        QGraphicsView::keyPressEvent(event);
        return;
    }
    QString reason;
    if (!document_.moveObjects(selected, delta, event->isAutoRepeat(), &reason) && !reason.isEmpty())
        emit refused(reason);
    event->accept();
}

void DesignerCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    QGraphicsView::mouseReleaseEvent(event);
    // Dragged objects: their new places go to the document as one step.
    QList<int> moved;
    QList<QPointF> places;
    for (auto *item : items_) {
        if (item->pos() == item->modelTopLeftPt())
            continue;
        moved << item->index();
        places << QPointF(designer::snapMm(item->pos().x() / kPointsPerMm),
                          designer::snapMm(item->pos().y() / kPointsPerMm));
    }
    if (moved.isEmpty())
        return;
    QString reason;
    if (!document_.placeObjects(moved, places, &reason)) {
        sync();
        if (!reason.isEmpty())
            emit refused(reason);
    }
}

void DesignerCanvas::mouseDoubleClickEvent(QMouseEvent *event)
{
    for (QGraphicsItem *hit : items(event->pos())) {
        if (auto *item = dynamic_cast<CanvasItem *>(hit)) {
            emit objectActivated(item->index());
            return;
        }
    }
    QGraphicsView::mouseDoubleClickEvent(event);
}

} // namespace tb
