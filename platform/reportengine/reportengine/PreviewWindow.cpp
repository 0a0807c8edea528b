#include "reportengine/PreviewWindow.h"

#include <QFileDialog>
#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "reportengine/EngineTypes.h"
#include "reportengine/PagePainter.h"

namespace tb {

namespace {
constexpr int kMinZoom = 10;
constexpr int kMaxZoom = 400;
constexpr double kScreenDpi = 96;
} // namespace

bool PreviewWindow::load(const QString &file, PageModel &model)
{
    return PageModel::readFile(file, model);
}

PreviewWindow::PreviewWindow(QWidget *parent, PageModel model, const PreviewGeometry &geometry,
                             PreviewNotifier notify)
    : PreviewWindow(parent, std::make_unique<ModelPages>(std::move(model)), geometry, std::move(notify))
{
}

PreviewWindow::PreviewWindow(QWidget *parent, std::unique_ptr<PreviewPages> pages,
                             const PreviewGeometry &geometry, PreviewNotifier notify)
    : QDialog(parent), pages_(std::move(pages)), notify_(std::move(notify))
{
    setObjectName(QStringLiteral("TbPreviewWindow"));
    setWindowTitle(QStringLiteral("Vorschau"));
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    // A tool bar folds what does not fit, so the window can take any width the options give it.
    auto *bar = new QToolBar(this);
    layout->setMenuBar(bar);
    auto add = [&](int id, const char *text, const char *name, void (PreviewWindow::*slot)()) {
        addButton(id, QString::fromUtf8(text), QString::fromLatin1(name), slot);
        bar->addWidget(buttons_.back().second);
    };
    addButton(viewer::FirstPage, QStringLiteral("|◀"), QStringLiteral("ErsteSeite"), nullptr);
    bar->addWidget(buttons_.back().second);
    addButton(viewer::PreviousPage, QStringLiteral("◀"), QStringLiteral("VorigeSeite"), nullptr);
    bar->addWidget(buttons_.back().second);
    pageLabel_ = new QLabel(this);
    pageLabel_->setObjectName(QStringLiteral("SeitenAnzeige"));
    bar->addWidget(pageLabel_);
    addButton(viewer::NextPage, QStringLiteral("▶"), QStringLiteral("NaechsteSeite"), nullptr);
    bar->addWidget(buttons_.back().second);
    addButton(viewer::LastPage, QStringLiteral("▶|"), QStringLiteral("LetzteSeite"), nullptr);
    bar->addWidget(buttons_.back().second);
    bar->addSeparator();
    add(viewer::ZoomIn, "Vergrößern", "Vergroessern", nullptr);
    add(viewer::ZoomOut, "Verkleinern", "Verkleinern", nullptr);
    add(viewer::PageWidth, "Seitenbreite", "Seitenbreite", &PreviewWindow::fitWidth);
    add(viewer::WholePage, "Ganze Seite", "GanzeSeite", &PreviewWindow::fitPage);
    bar->addSeparator();
    add(viewer::Print, "Drucken…", "Drucken", &PreviewWindow::printPages);
    add(viewer::SavePdf, "Als PDF speichern…", "AlsPdfSpeichern", &PreviewWindow::saveAsPdf);
    add(viewer::Close, "Schließen", "Schliessen", &PreviewWindow::accept);

    scene_ = new QGraphicsScene(this);
    view_ = new QGraphicsView(scene_, this);
    view_->setObjectName(QStringLiteral("Seitenansicht"));
    view_->setBackgroundBrush(QColor(0x80, 0x80, 0x80));
    view_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    layout->addWidget(view_, 1);

    resize(geometry.width > 0 ? geometry.width : 900, geometry.height > 0 ? geometry.height : 700);
    if (geometry.left >= 0 && geometry.top >= 0)
        move(geometry.left, geometry.top);
    zoom_ = geometry.zoomPercent > 0 ? std::clamp(geometry.zoomPercent, kMinZoom, kMaxZoom) : 100;
    refresh();
}

void PreviewWindow::addButton(int id, const QString &text, const QString &objectName,
                              void (PreviewWindow::*slot)())
{
    auto *button = new QToolButton(this);
    button->setText(text);
    button->setObjectName(objectName);
    buttons_.emplace_back(id, button);
    connect(button, &QToolButton::clicked, this, [this, id, slot] { clicked(id, slot); });
}

void PreviewWindow::clicked(int id, void (PreviewWindow::*slot)())
{
    // The job's callback may take over a button (message 38, result 1 = done).
    if (notify_ && notify_(msg::ViewerButtonClicked, id) == 1)
        return;
    switch (id) {
    case viewer::FirstPage:
        showPage(0);
        return;
    case viewer::PreviousPage:
        showPage(current_ - 1);
        return;
    case viewer::NextPage:
        showPage(current_ + 1);
        return;
    case viewer::LastPage:
        showPage(pageCount() - 1);
        return;
    case viewer::ZoomIn:
        setZoom(zoom_ * 5 / 4);
        return;
    case viewer::ZoomOut:
        setZoom(zoom_ * 4 / 5);
        return;
    default:
        if (slot)
            (this->*slot)();
    }
}

void PreviewWindow::showPage(int index)
{
    if (pageCount() == 0)
        return;
    current_ = std::clamp(index, 0, pageCount() - 1);
    refresh();
}

void PreviewWindow::setZoom(int percent)
{
    zoom_ = std::clamp(percent, kMinZoom, kMaxZoom);
    refresh();
}

void PreviewWindow::fitWidth()
{
    const Page *page = pages_->page(current_);
    if (!page)
        return;
    const double pageWidthPx = page->sizePt.width() * kScreenDpi / 72.0;
    const int available = view_->viewport()->width() - 24;
    setZoom(int(100.0 * available / pageWidthPx));
}

void PreviewWindow::fitPage()
{
    const Page *page = pages_->page(current_);
    if (!page)
        return;
    const QSizeF size = page->sizePt * (kScreenDpi / 72.0);
    const double zx = (view_->viewport()->width() - 24) / size.width();
    const double zy = (view_->viewport()->height() - 24) / size.height();
    setZoom(int(100.0 * std::min(zx, zy)));
}

void PreviewWindow::refresh()
{
    scene_->clear();
    const Page *page = pages_->page(current_);
    if (page) {
        const QImage image = PagePainter::render(*page, kScreenDpi * zoom_ / 100.0);
        auto *shadow =
            scene_->addRect(QRectF(4, 4, image.width(), image.height()), Qt::NoPen, QColor(0x50, 0x50, 0x50));
        shadow->setZValue(-1);
        scene_->addPixmap(QPixmap::fromImage(image));
        scene_->setSceneRect(QRectF(-12, -12, image.width() + 28, image.height() + 28));
        pageLabel_->setText(QStringLiteral("Seite %1 von %2").arg(current_ + 1).arg(pageCount()));
    } else if (pageCount() > 0) {
        pageLabel_->setText(
            QStringLiteral("Seite %1 von %2 kann nicht gelesen werden").arg(current_ + 1).arg(pageCount()));
    } else {
        pageLabel_->setText(QStringLiteral("Keine Seiten"));
    }
    updateButtons();
}

void PreviewWindow::updateButtons()
{
    for (auto &[id, button] : buttons_) {
        bool enabled = true;
        if (id == viewer::FirstPage || id == viewer::PreviousPage)
            enabled = current_ > 0;
        else if (id == viewer::NextPage || id == viewer::LastPage)
            enabled = current_ + 1 < pageCount();
        // Message 34: the job may change a button's state (high word id, low word state).
        if (notify_) {
            const intptr_t answer = notify_(msg::ViewerButtonState, (intptr_t(id) << 16) | (enabled ? 1 : 0));
            if (answer == -1)
                enabled = false;
            else if (answer == 1)
                enabled = true;
        }
        button->setEnabled(enabled);
    }
}

void PreviewWindow::printPages()
{
    if (pageCount() == 0)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PagePainter::paintPages(
        printer, pageCount(), [this](int index) { return pages_->page(index); }, printer.copyCount());
}

void PreviewWindow::saveAsPdf()
{
    const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("Als PDF speichern"), QString(),
                                                      QStringLiteral("PDF-Dateien (*.pdf)"));
    const Page *first = pages_->page(0);
    if (file.isEmpty() || !first)
        return;
    // Titled after the first page, as the run's own PDF is.
    const QString title = PagePainter::documentTitle(first, pages_->projectFile());
    const QString author = PagePainter::documentAuthor(first);
    PagePainter::writePdf(
        file, pageCount(), [this](int index) { return pages_->page(index); }, title, author);
}

} // namespace tb
