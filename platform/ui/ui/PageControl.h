#pragma once

#include <QWidget>

class QStackedWidget;
class QTabBar;

namespace ui {

// One page of a page control; its caption is the tab text. A disabled page
// can still be chosen, its controls are disabled.
class TabSheet : public QWidget {
    Q_OBJECT
public:
    explicit TabSheet(QWidget *parent = nullptr) : QWidget(parent) {}
    QString caption() const { return caption_; }
    bool tabVisible() const { return tabVisible_; }
    // Set through the page control, which owns the tabs.
    void setTabVisible(bool visible);
    void setCaption(const QString &caption);

private:
    friend class PageControl;
    QString caption_;
    bool tabVisible_ = true;
    class PageControl *owner_ = nullptr;
};

// Pages with tabs. When the user picks another tab, onChanging(allowChange)
// runs while the old page is still the active page and may refuse (the page
// stays); then the new page becomes active and onChange runs (also for
// Ctrl+Tab and Ctrl+Shift+Tab). Changing the page in code (setActivePage)
// runs neither.
class PageControl : public QWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget *parent = nullptr);

    TabSheet *addPage(const QString &name, const QString &caption);
    int pageCount() const;
    TabSheet *page(int index) const;
    int indexOf(const TabSheet *page) const;
    TabSheet *activePage() const;
    int activePageIndex() const;
    void setActivePage(TabSheet *page);
    void setActivePageIndex(int index);
    QTabBar *tabBar() const { return tabs_; }
    // Whether the pages take the room of the active page alone instead of
    // that of the largest (Qt's way, which lays out every page at the first
    // show); then the room is asked for anew whenever another page becomes
    // active. For a window whose size is set, not taken from its contents.
    void setSizedByActivePage(bool byActivePage);

signals:
    void onChanging(bool &allowChange);
    void onChange();
    // A page is about to become the one shown, in code or by the user (before
    // onChange): a page whose controls are made when first needed makes them.
    void pageAboutToShow(ui::TabSheet *page);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    friend class TabSheet;
    void tabPicked(int index);
    void showPage(int index);
    void updateTab(TabSheet *page);

    QTabBar *tabs_;
    QStackedWidget *stack_;
    bool inCode_ = false;
};

} // namespace ui
