#pragma once

#include <functional>
#include <vector>

#include <QGraphicsItem>

#include "reportengine/PageModel.h"
#include "reportengine/Project.h"

namespace tb {

// One project object on the design canvas, in points of the page. It paints what printing draws,
// snaps to the millimetre grid while dragged, and offers resize handles and, for the table, column
// borders to drag. What it changes it hands to the canvas through the callbacks.
class CanvasItem : public QGraphicsItem {
public:
    struct Callbacks {
        std::function<void(int index, const QRectF &rectMm)> resized;
        std::function<void(int index, int column, double widthMm)> columnResized;
    };

    CanvasItem(int index, const Callbacks &callbacks);

    int index() const { return index_; }
    // Takes the object's current state (after every change of the document).
    void update(const PageObject &object, Page primitives, bool locked);
    QPointF modelTopLeftPt() const { return modelRectPt_.topLeft(); }
    bool isLocked() const { return locked_; }

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
    void hoverMoveEvent(QGraphicsSceneHoverEvent *event) override;

private:
    enum class Drag { None, Handle, Column };
    QRectF localRect() const; // the object's rectangle in item coordinates (the live one while resizing)
    std::vector<QRectF> handles() const;
    int handleAt(const QPointF &local) const;
    int columnBorderAt(const QPointF &local) const;

    int index_;
    Callbacks callbacks_;
    PageObject object_;
    Page primitives_;
    bool locked_ = false;
    QRectF modelRectPt_;
    std::vector<double> columnWidthsPt_;

    bool placing_ = false; // the document sets the place: no snapping
    Drag drag_ = Drag::None;
    int dragHandle_ = -1;
    int dragColumn_ = -1;
    QRectF liveRectPt_; // while resizing, in scene points
    double liveColumnWidthPt_ = 0;
};

// Points per millimetre: the canvas works in points of the page, the model in millimetres.
constexpr double kPointsPerMm = 72.0 / 25.4;

} // namespace tb
