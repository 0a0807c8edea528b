#pragma once

#include <array>
#include <functional>
#include <vector>

#include <QPointer>
#include <QStringList>
#include <QToolButton>
#include <QWidget>

#include "dbe/DataSource.h"
#include "navigation/leiste/NavBarLayout.h"
#include "navigation/leiste/NavButtonStates.h"
#include "navigation/leiste/NavHints.h"
#include "navigation/leiste/NavigatorHost.h"

class QAction;
class QMenu;
class QTimer;

namespace nav {

// A button of the bar. Auto-repeat buttons click on press, again after
// 400 ms and then every 100 ms while held.
class TDBVNavButton : public QToolButton {
    Q_OBJECT
public:
    TDBVNavButton(int command, QWidget *parent);
    int Command() const { return command_; }
    bool AutoRepeat = false;
    QTimer *RepeatTimer() const { return repeatTimer_; }
    // One tick of the repeat timer.
    void RepeatTick();

signals:
    void navClick(int command);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int command_;
    QTimer *repeatTimer_ = nullptr;
    bool repeating_ = false;
};

// The incremental-search command shown as a box with the search text.
class TDBVNavIncSrch : public TDBVNavButton {
    Q_OBJECT
public:
    explicit TDBVNavIncSrch(QWidget *parent) : TDBVNavButton(nbSearchInc, parent) {}
    QString Text;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// The navigator bar: one button per navigator command in four groups. It
// shows the state of its extender's current data source and runs each
// click through the extender's command dispatch.
class TDBVNavigator : public QWidget {
    Q_OBJECT
public:
    explicit TDBVNavigator(QWidget *parent = nullptr);
    ~TDBVNavigator() override;

    // The extender the bar shows and drives; none once it is destroyed.
    NavigatorHost *DBVexarion() const { return hostObject_ ? host_ : nullptr; }
    void SetDBVexarion(NavigatorHost *extender);
    void ForgetExtender()
    {
        host_ = nullptr;
        hostObject_ = nullptr;
    }

    // Visibility, as a whole and per group (bit k = element k of the group).
    NavButtonSet VisibleButtons() const { return geometry_.visible; }
    void SetVisibleButtons(const NavButtonSet &visible);
    void SetVisBtnsSearch(unsigned bits)
    {
        SetVisibleButtons(withGroup(geometry_.visible, NavGroup::Search, bits));
    }
    void SetVisBtnsMove(unsigned bits)
    {
        SetVisibleButtons(withGroup(geometry_.visible, NavGroup::Move, bits));
    }
    void SetVisBtnsRecord(unsigned bits)
    {
        SetVisibleButtons(withGroup(geometry_.visible, NavGroup::Record, bits));
    }
    void SetVisBtnsExtend(unsigned bits)
    {
        SetVisibleButtons(withGroup(geometry_.visible, NavGroup::Extend, bits));
    }
    void SetGroupSpace(int group, int pixels);
    void SetHorizOrientation(bool horizontal);
    bool HorizOrientation() const { return geometry_.horizontal; }
    void SetButtonWidth(int width);
    void SetButtonHeight(int height);
    int ButtonWidth() const { return geometry_.buttonWidth; }
    int ButtonHeight() const { return geometry_.buttonHeight; }
    void SetIncSrchWidth(int width);
    bool UseNISBtn() const { return geometry_.incSearchBox; }
    void SetUseNISBtn(bool use);
    TAddSCHint AddSCHint() const { return addSCHint_; }
    void SetAddSCHint(TAddSCHint where);
    TNavStyle NavStyle() const { return geometry_.style; }
    void SetNavStyle(TNavStyle style);
    void SetScrollBtnWidth(int width);
    void SetAlwaysShowSB(bool show);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    // alNone: the bar takes the size of its buttons; otherwise the buttons share the bar.
    void SetAlignNone(bool alignNone);
    int ScrollOffset() const { return scrollOffset_; }
    void ScrollBy(int entries);

    void SetUserBtnGlyph(const QIcon &glyph);
    void SetUserBtnHint(const QString &hint);
    void SetUserBtnEnabled(bool enabled);
    void SetUserBtnPopupMenu(QMenu *menu);
    void SetHints(const QStringList &hints);
    const QStringList &Hints() const { return hints_; }

    std::function<void(TDBVNavigator &)> OnUserBtnClick;
    std::function<void(TDBVNavigator &, TDBVNavigateBtn &button, TShiftState &shift)> OnClick;

    // Runs one command as if its button had been clicked.
    void ClickNavButton(TDBVNavigateBtn button);

    // State updates from the extender.
    void UpdateAllButtons(dbe::TDataSource *source);
    void UpdateMoveAndSearchButtons(dbe::TDataSource *source);
    void UpdateRecordButtons(dbe::TDataSource *source);
    void RefreshButtons();
    void UpdateHints();
    void ShowIncSearchText(const QString &text);

    virtual void SaveFilter();
    virtual void LoadFilter();

    TDBVNavButton *Button(TDBVNavigateBtn command) const { return buttons_[command]; }
    QToolButton *ScrollButton(bool right) const { return right ? rightScroll_ : leftScroll_; }
    QMenu *FilterPopup() const { return filterPopup_; }
    QAction *FilterClearItem() const { return clearItem_; }
    const NavBarStates &States() const { return states_; }
    const NavBarGeometry &Geometry() const { return geometry_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    TDBVNavButton *makeButton(int command);
    void relayout();
    void refreshLayout();
    void applyStates();
    NavStateInput stateInput(dbe::TDataSource *source) const;
    bool hasOpenCurrentSource() const;
    void runFilterItem(int item);

    NavigatorHost *host_ = nullptr;
    QPointer<QObject> hostObject_;
    std::array<TDBVNavButton *, kNavigateBtnCount> buttons_{};
    QToolButton *leftScroll_ = nullptr;
    QToolButton *rightScroll_ = nullptr;
    QMenu *filterPopup_ = nullptr;
    QAction *clearItem_ = nullptr;
    NavBarGeometry geometry_;
    std::vector<int> scrollList_;
    int scrollOffset_ = 0;
    TAddSCHint addSCHint_ = TAddSCHint::ahBoth;
    bool flat_ = false;
    QStringList hints_;
    QString userBtnHint_;
    QIcon userBtnGlyph_;
    bool userBtnEnabled_ = true;
    NavBarStates states_;
    bool inLayout_ = false;
};

} // namespace nav
