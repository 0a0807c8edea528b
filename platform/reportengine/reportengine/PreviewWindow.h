#pragma once

#include <QDialog>

#include <memory>

#include "reportengine/EngineUi.h"
#include "reportengine/PageModel.h"
#include "reportengine/PreviewPages.h"

class QGraphicsScene;
class QGraphicsView;
class QLabel;
class QToolButton;

namespace tb {

// The engine's preview window over a preview file: pages rendered on demand at the zoom, paging,
// zoom steps, page width and whole page, printing and saving as PDF.
class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    PreviewWindow(QWidget *parent, PageModel model, const PreviewGeometry &geometry,
                  PreviewNotifier notify = {});
    // Over pages read when they are shown (a preview file's).
    PreviewWindow(QWidget *parent, std::unique_ptr<PreviewPages> pages, const PreviewGeometry &geometry,
                  PreviewNotifier notify = {});

    // Loads a preview file whole; false when it cannot be read.
    static bool load(const QString &file, PageModel &model);

    int pageCount() const { return pages_->count(); }
    int currentIndex() const { return current_; } // 0-based
    int zoomPercent() const { return zoom_; }
    PreviewPages &pages() { return *pages_; }

    void showPage(int index);
    void setZoom(int percent);
    void fitWidth();
    void fitPage();
    void printPages();
    void saveAsPdf();

private:
    void addButton(int id, const QString &text, const QString &objectName, void (PreviewWindow::*slot)());
    void clicked(int id, void (PreviewWindow::*slot)());
    void refresh();
    void updateButtons();

    std::unique_ptr<PreviewPages> pages_;
    PreviewNotifier notify_;
    QGraphicsScene *scene_ = nullptr;
    QGraphicsView *view_ = nullptr;
    QLabel *pageLabel_ = nullptr;
    std::vector<std::pair<int, QToolButton *>> buttons_;
    int current_ = 0;
    int zoom_ = 100;
};

} // namespace tb
