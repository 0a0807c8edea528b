#include "ui/PageControl.h"

#include <QKeyEvent>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "ui/Guard.h"

namespace ui {

namespace {

// Qt sizes a page stack by its largest page, which lays out every page,
// hidden ones too, before the first one is shown. Sized by the active page,
// the stack is asked again when another page shows (its layout request).
class PageStack : public QStackedWidget {
public:
    using QStackedWidget::QStackedWidget;

    QSize sizeHint() const override
    {
        const QWidget *page = byActivePage ? currentWidget() : nullptr;
        return page ? framed(page->sizeHint()) : QStackedWidget::sizeHint();
    }
    QSize minimumSizeHint() const override
    {
        const QWidget *page = byActivePage ? currentWidget() : nullptr;
        return page ? framed(page->minimumSizeHint().expandedTo(page->minimumSize()))
                    : QStackedWidget::minimumSizeHint();
    }

    bool byActivePage = false;

private:
    QSize framed(QSize size) const
    {
        const int frame = 2 * frameWidth();
        return size.expandedTo(QSize(0, 0)) + QSize(frame, frame);
    }
};

} // namespace

void TabSheet::setTabVisible(bool visible)
{
    tabVisible_ = visible;
    if (owner_)
        owner_->updateTab(this);
}

void TabSheet::setCaption(const QString &caption)
{
    caption_ = caption;
    if (owner_)
        owner_->updateTab(this);
}

PageControl::PageControl(QWidget *parent)
    : QWidget(parent), tabs_(new QTabBar(this)), stack_(new PageStack(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tabs_);
    layout->addWidget(stack_, 1);
    tabs_->setExpanding(false);
    tabs_->setDrawBase(true);
    stack_->setFrameShape(QFrame::StyledPanel);
    connect(tabs_, &QTabBar::currentChanged, this, &PageControl::tabPicked);
}

TabSheet *PageControl::addPage(const QString &name, const QString &caption)
{
    auto *page = new TabSheet(stack_);
    page->setObjectName(name);
    page->caption_ = caption;
    page->owner_ = this;
    inCode_ = true;
    stack_->addWidget(page);
    tabs_->addTab(caption);
    inCode_ = false;
    return page;
}

void PageControl::setSizedByActivePage(bool byActivePage)
{
    static_cast<PageStack *>(stack_)->byActivePage = byActivePage;
    stack_->updateGeometry();
}

int PageControl::pageCount() const
{
    return stack_->count();
}

TabSheet *PageControl::page(int index) const
{
    return qobject_cast<TabSheet *>(stack_->widget(index));
}

int PageControl::indexOf(const TabSheet *page) const
{
    return stack_->indexOf(const_cast<TabSheet *>(page));
}

TabSheet *PageControl::activePage() const
{
    return page(stack_->currentIndex());
}

int PageControl::activePageIndex() const
{
    return stack_->currentIndex();
}

void PageControl::setActivePage(TabSheet *page)
{
    setActivePageIndex(indexOf(page));
}

void PageControl::setActivePageIndex(int index)
{
    if (index < 0 || index >= pageCount())
        return;
    if (!page(index)->tabVisible())
        return; // a page without tab cannot be shown
    inCode_ = true;
    tabs_->setCurrentIndex(index);
    showPage(index);
    inCode_ = false;
}

void PageControl::updateTab(TabSheet *page)
{
    const int index = indexOf(page);
    if (index < 0)
        return;
    inCode_ = true;
    tabs_->setTabText(index, page->caption());
    tabs_->setTabVisible(index, page->tabVisible());
    // Hiding the active page's tab shows the page of the tab Qt moves to.
    if (tabs_->currentIndex() >= 0)
        showPage(tabs_->currentIndex());
    inCode_ = false;
}

void PageControl::keyPressEvent(QKeyEvent *event)
{
    const bool ctrlTab = event->modifiers() & Qt::ControlModifier &&
                         (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab);
    if (!ctrlTab || pageCount() == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int step = (event->key() == Qt::Key_Backtab || event->modifiers() & Qt::ShiftModifier) ? -1 : 1;
    int index = activePageIndex();
    for (int tried = 0; tried < pageCount(); ++tried) {
        index = (index + step + pageCount()) % pageCount();
        if (page(index)->tabVisible())
            break;
    }
    tabs_->setCurrentIndex(index); // as if the user picked the tab
    event->accept();
}

void PageControl::tabPicked(int index)
{
    if (inCode_ || index == stack_->currentIndex())
        return;
    bool allowChange = true;
    guard(this, [&] { emit onChanging(allowChange); });
    if (!allowChange) {
        inCode_ = true;
        tabs_->setCurrentIndex(stack_->currentIndex());
        inCode_ = false;
        return;
    }
    showPage(index);
    guard(this, [&] { emit onChange(); });
}

void PageControl::showPage(int index)
{
    if (index != stack_->currentIndex())
        guard(this, [&] { emit pageAboutToShow(page(index)); });
    stack_->setCurrentIndex(index);
}

} // namespace ui
