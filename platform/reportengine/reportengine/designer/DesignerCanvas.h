#pragma once

#include <vector>

#include <QGraphicsView>

namespace tb {

class CanvasItem;
class DesignerDocument;

// The page of the project at a zoom: paper, margins, the millimetre grid and the objects as printing
// draws them. Objects are selected by click or rubber band, dragged, resized by their handles,
// moved by 1 mm with the arrow keys and deleted with the Delete key; every change goes to the
// document as one undo step.
class DesignerCanvas : public QGraphicsView {
    Q_OBJECT
public:
    DesignerCanvas(DesignerDocument &document, const QString &projectFile, QWidget *parent = nullptr);
    ~DesignerCanvas() override;

    QList<int> selectedIndexes() const;
    void select(const QList<int> &indexes);
    CanvasItem *item(int index) const;
    double zoom() const { return zoom_; }
    void setZoom(double zoom);
    void zoomIn();
    void zoomOut();
    void showWholePage();
    void showPageWidth();
    // Deletes the selected objects; false when nothing was deleted.
    bool deleteSelection();
    // Takes the document's current state.
    void sync();

signals:
    void selectionChanged();
    // An edit was refused (locked object, ...): the reason for the user.
    void refused(const QString &reason);
    void objectActivated(int index);
    // Zoom or scrolling changed what part of the paper is seen.
    void viewChanged();

protected:
    void drawBackground(QPainter *painter, const QRectF &rect) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QRectF paperRectPt() const;

    DesignerDocument &document_;
    QString projectFile_;
    QGraphicsScene *scene_;
    std::vector<CanvasItem *> items_;
    double zoom_ = 1.0;
    bool syncing_ = false;
};

} // namespace tb
