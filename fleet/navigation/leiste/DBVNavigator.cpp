#include "navigation/leiste/DBVNavigator.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionToolButton>
#include <QTimer>

#include "navigation/daten/DataSetHelpers.h"
#include "navigation/leiste/NavGlyphs.h"
#include "ui/Dialogs.h"
#include "ui/Guard.h"

namespace nav {

// ---------------------------------------------------------------- buttons

TDBVNavButton::TDBVNavButton(int command, QWidget *parent) : QToolButton(parent), command_(command)
{
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(false);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    connect(this, &QToolButton::clicked, this, [this] {
        if (!repeating_)
            emit navClick(command_);
    });
}

void TDBVNavButton::mousePressEvent(QMouseEvent *event)
{
    QToolButton::mousePressEvent(event);
    if (!AutoRepeat || event->button() != Qt::LeftButton || !isEnabled())
        return;
    if (!repeatTimer_) {
        repeatTimer_ = new QTimer(this);
        connect(repeatTimer_, &QTimer::timeout, this, &TDBVNavButton::RepeatTick);
    }
    repeating_ = true;
    repeatTimer_->start(400);
    emit navClick(command_);
}

void TDBVNavButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (repeatTimer_)
        repeatTimer_->stop();
    QToolButton::mouseReleaseEvent(event);
    repeating_ = false;
}

void TDBVNavButton::RepeatTick()
{
    repeatTimer_->setInterval(100);
    if (isDown() && isEnabled())
        emit navClick(command_);
    else
        repeatTimer_->stop();
}

void TDBVNavIncSrch::paintEvent(QPaintEvent *event)
{
    TDBVNavButton::paintEvent(event);
    QPainter p(this);
    QFont font = p.font();
    font.setPointSize(8);
    p.setFont(font);
    const int textHeight = p.fontMetrics().height() + 1;
    const int h = std::min(textHeight, height() - 4);
    const int top = (height() - h) / 2;
    QRect rect(4, top, width() - 10, h);
    if (isDown() || isChecked())
        p.fillRect(rect.translated(2, 2), QColor(0, 128, 0));
    p.setPen(Qt::black);
    p.setBrush(isEnabled() ? Qt::white : QColor(192, 192, 192));
    p.drawRect(rect.adjusted(-1, -1, 0, 0));
    p.setClipRect(rect);
    const int textWidth = p.fontMetrics().horizontalAdvance(Text);
    const int x = textWidth > rect.width() ? rect.right() - 2 - textWidth : rect.left();
    p.drawText(QRect(x, rect.top(), std::max(textWidth, rect.width()), rect.height()),
               Qt::AlignLeft | Qt::AlignVCenter, Text);
}

// ---------------------------------------------------------------- the bar

TDBVNavigator::TDBVNavigator(QWidget *parent) : QWidget(parent)
{
    geometry_.visible = defaultVisibleButtons();
    geometry_.style = TNavStyle::nsScrollLeftRight;
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    leftScroll_ = new QToolButton(this);
    rightScroll_ = new QToolButton(this);
    for (QToolButton *b : {leftScroll_, rightScroll_}) {
        b->setAutoRepeat(true);
        b->setAutoRepeatDelay(400);
        b->setAutoRepeatInterval(100);
        b->setFocusPolicy(Qt::NoFocus);
        b->hide();
    }
    leftScroll_->setIcon(navGlyph(QStringLiteral("LSCROLL")));
    rightScroll_->setIcon(navGlyph(QStringLiteral("RSCROLL")));
    connect(leftScroll_, &QToolButton::clicked, this, [this] { ScrollBy(-1); });
    connect(rightScroll_, &QToolButton::clicked, this, [this] { ScrollBy(1); });
    for (int c = 0; c < kNavigateBtnCount; ++c)
        buttons_[static_cast<std::size_t>(c)] = makeButton(c);

    filterPopup_ = new QMenu(this);
    filterPopup_->setObjectName(QStringLiteral("DBVFilterPopUp"));
    const char *names[] = {"DBVFEditItem", "DBVFClearItem", "DBVFLoadItem", "DBVFSaveItem"};
    const char *texts[] = {"Bearbeiten", "Zurücksetzen", "Laden", "Speichern"};
    for (int i = 0; i < 4; ++i) {
        QAction *item = filterPopup_->addAction(QString::fromUtf8(texts[i]));
        item->setObjectName(QString::fromLatin1(names[i]));
        connect(item, &QAction::triggered, this, [this, i] { ui::guard(this, [&] { runFilterItem(i); }); });
        if (i == 1)
            clearItem_ = item;
    }
    clearItem_->setEnabled(false);
    TDBVNavButton *filterButton = buttons_[nbTblFilter];
    filterButton->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(filterButton, &QWidget::customContextMenuRequested, this,
            [this, filterButton](const QPoint &pos) { filterPopup_->popup(filterButton->mapToGlobal(pos)); });

    UpdateHints();
    for (int c : {nbPGroup, nbPrior, nbNext, nbNGroup})
        buttons_[static_cast<std::size_t>(c)]->AutoRepeat = true;
    refreshLayout();
    resize(320, 25);
    UpdateAllButtons(nullptr);
}

TDBVNavigator::~TDBVNavigator()
{
    if (DBVexarion())
        DBVexarion()->RemoveNavigator(this);
}

TDBVNavButton *TDBVNavigator::makeButton(int command)
{
    TDBVNavButton *button = command == nbSearchInc && geometry_.incSearchBox
                                ? new TDBVNavIncSrch(this)
                                : new TDBVNavButton(command, this);
    const NavCommandInfo &info = commandInfo(command);
    button->setObjectName(navigateBtnName(static_cast<TDBVNavigateBtn>(command)));
    if (command == nbUserBtn && !userBtnGlyph_.isNull())
        button->setIcon(userBtnGlyph_);
    else
        button->setIcon(navGlyph(QString::fromLatin1(info.glyph), !geometry_.horizontal));
    button->setCheckable(info.groupIndex != 0);
    button->setAutoRaise(flat_);
    button->setVisible(geometry_.visible.test(static_cast<std::size_t>(command)));
    connect(button, &TDBVNavButton::navClick, this,
            [this](int c) { ui::guard(this, [&] { ClickNavButton(static_cast<TDBVNavigateBtn>(c)); }); });
    return button;
}

void TDBVNavigator::SetDBVexarion(NavigatorHost *extender)
{
    if (extender == DBVexarion())
        return;
    if (NavigatorHost *old = DBVexarion())
        old->RemoveNavigator(this);
    ForgetExtender();
    if (extender) {
        host_ = extender;
        hostObject_ = extender->HostObject();
        extender->AddNavigator(this);
    }
    UpdateHints();
    RefreshButtons();
}

void TDBVNavigator::ClickNavButton(TDBVNavigateBtn button)
{
    if (button == nbUserBtn && OnUserBtnClick)
        OnUserBtnClick(*this);
    const Qt::KeyboardModifiers mods = QApplication::keyboardModifiers();
    TShiftState shift = 0;
    if (mods & Qt::ShiftModifier)
        shift |= ssShift;
    if (mods & Qt::ControlModifier)
        shift |= ssCtrl;
    if (OnClick)
        OnClick(*this, button, shift);
    if (hasOpenCurrentSource())
        DBVexarion()->HandleNBBtn(button, shift, 0);
    // A toggle button shows the state, not the click.
    applyStates();
}

bool TDBVNavigator::hasOpenCurrentSource() const
{
    NavigatorHost *host = DBVexarion();
    if (!host)
        return false;
    dbe::TDataSource *source = host->CurrentDataSource();
    return source && source->DataSet() && source->DataSet()->Active();
}

// ---------------------------------------------------------------- states

NavStateInput TDBVNavigator::stateInput(dbe::TDataSource *source) const
{
    NavStateInput in;
    in.barEnabled = isEnabled();
    in.userBtnEnabled = userBtnEnabled_;
    in.dataSetOpen = source && source->DataSet() && source->DataSet()->Active();
    NavigatorHost *host = DBVexarion();
    if (!host)
        return in;
    dbe::TDataSource *current = host->CurrentDataSource();
    in.isCurrentSource = source == current;
    in.onlyMoveOnMaster =
        host->StayOnMasterSource() == TStayOnMasterSource::somOnlyMove && source == host->MasterSource();
    in.navbarsEnabled = (host->CurrentInterfaces() & ieNavbars) != 0;
    in.possible = host->Possible();
    in.incSearchOn = host->IncSearchOn();
    in.manageGlobalEdit = host->ManageGlobalEdit();
    in.globalEdit = host->GlobalEdit();
    in.filterState = host->FilterState();
    in.allowKeys = host->AllowKeys();
    return in;
}

void TDBVNavigator::UpdateAllButtons(dbe::TDataSource *source)
{
    if (DBVexarion() && source != DBVexarion()->CurrentDataSource())
        return;
    updateAllButtons(states_, stateInput(source));
    applyStates();
}

void TDBVNavigator::UpdateMoveAndSearchButtons(dbe::TDataSource *source)
{
    const NavStateInput in = stateInput(source);
    if (!in.dataSetOpen || !in.barEnabled) {
        UpdateAllButtons(source);
        return;
    }
    updateMoveAndSearchButtons(states_, in);
    applyStates();
}

void TDBVNavigator::UpdateRecordButtons(dbe::TDataSource *source)
{
    const NavStateInput in = stateInput(source);
    if (!in.dataSetOpen || !in.barEnabled) {
        UpdateAllButtons(source);
        return;
    }
    updateRecordButtons(states_, in);
    applyStates();
}

void TDBVNavigator::RefreshButtons()
{
    UpdateAllButtons(DBVexarion() ? DBVexarion()->CurrentDataSource() : nullptr);
}

void TDBVNavigator::applyStates()
{
    for (int c = 0; c < kNavigateBtnCount; ++c) {
        TDBVNavButton *b = buttons_[static_cast<std::size_t>(c)];
        const NavButtonState &s = states_.buttons[static_cast<std::size_t>(c)];
        b->setEnabled(s.enabled);
        if (b->isCheckable())
            b->setChecked(s.enabled && s.down);
    }
    clearItem_->setEnabled(states_.clearFilterItemEnabled);
}

void TDBVNavigator::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        RefreshButtons();
}

// ---------------------------------------------------------------- hints

void TDBVNavigator::UpdateHints()
{
    NavigatorHost *host = DBVexarion();
    const bool shortCutsOn = host && (host->CurrentInterfaces() & ieShortCuts);
    const QStringList hints =
        buildHints(hints_, userBtnHint_, host ? &host->ShortCuts() : nullptr, shortCutsOn, addSCHint_);
    for (int c = 0; c < kNavigateBtnCount; ++c) {
        const QString &hint = hints[c];
        const qsizetype bar = hint.indexOf(QLatin1Char('|'));
        buttons_[static_cast<std::size_t>(c)]->setToolTip(bar < 0 ? hint : hint.left(bar));
        buttons_[static_cast<std::size_t>(c)]->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
    }
}

void TDBVNavigator::SetHints(const QStringList &hints)
{
    hints_ = hints;
    UpdateHints();
}

void TDBVNavigator::SetAddSCHint(TAddSCHint where)
{
    addSCHint_ = where;
    UpdateHints();
}

void TDBVNavigator::SetUserBtnGlyph(const QIcon &glyph)
{
    userBtnGlyph_ = glyph;
    buttons_[nbUserBtn]->setIcon(glyph.isNull() ? navGlyph(QStringLiteral("USERBTN")) : glyph);
}

void TDBVNavigator::SetUserBtnHint(const QString &hint)
{
    userBtnHint_ = hint;
    buttons_[nbUserBtn]->setToolTip(hint);
}

void TDBVNavigator::SetUserBtnEnabled(bool enabled)
{
    userBtnEnabled_ = enabled;
    RefreshButtons();
}

void TDBVNavigator::SetUserBtnPopupMenu(QMenu *menu)
{
    buttons_[nbUserBtn]->setMenu(menu);
}

void TDBVNavigator::ShowIncSearchText(const QString &text)
{
    if (auto *box = dynamic_cast<TDBVNavIncSrch *>(buttons_[nbSearchInc]); box && box->Text != text) {
        box->Text = text;
        box->update();
    }
}

// ---------------------------------------------------------------- layout

void TDBVNavigator::SetVisibleButtons(const NavButtonSet &visible)
{
    if (visible == geometry_.visible)
        return;
    geometry_.visible = visible;
    scrollOffset_ = 0;
    refreshLayout();
}

void TDBVNavigator::SetGroupSpace(int group, int pixels)
{
    geometry_.groupSpace.at(static_cast<std::size_t>(group)) = pixels;
    refreshLayout();
}

void TDBVNavigator::SetHorizOrientation(bool horizontal)
{
    if (horizontal == geometry_.horizontal)
        return;
    geometry_.horizontal = horizontal;
    for (int c = nbFirst; c <= nbLast; ++c)
        buttons_[static_cast<std::size_t>(c)]->setIcon(
            navGlyph(QString::fromLatin1(commandInfo(c).glyph), !horizontal));
    leftScroll_->setIcon(navGlyph(QStringLiteral("LSCROLL"), !horizontal));
    rightScroll_->setIcon(navGlyph(QStringLiteral("RSCROLL"), !horizontal));
    refreshLayout();
}

void TDBVNavigator::SetButtonWidth(int width)
{
    geometry_.buttonWidth = width;
    refreshLayout();
}

void TDBVNavigator::SetButtonHeight(int height)
{
    geometry_.buttonHeight = height;
    refreshLayout();
}

void TDBVNavigator::SetIncSrchWidth(int width)
{
    geometry_.incSrchWidth = width;
    refreshLayout();
}

void TDBVNavigator::SetUseNISBtn(bool use)
{
    if (use == geometry_.incSearchBox || (use && geometry_.style != TNavStyle::nsStatic))
        return;
    geometry_.incSearchBox = use;
    delete buttons_[nbSearchInc];
    buttons_[nbSearchInc] = makeButton(nbSearchInc);
    UpdateHints();
    refreshLayout();
    applyStates();
}

void TDBVNavigator::SetNavStyle(TNavStyle style)
{
    if (style == geometry_.style)
        return;
    if (style != TNavStyle::nsStatic) {
        scrollOffset_ = 0;
        SetUseNISBtn(false);
    }
    geometry_.style = style;
    refreshLayout();
}

void TDBVNavigator::SetScrollBtnWidth(int width)
{
    geometry_.scrollBtnWidth = std::max(14, width);
    relayout();
}

void TDBVNavigator::SetAlwaysShowSB(bool show)
{
    geometry_.alwaysShowSB = show;
    relayout();
}

void TDBVNavigator::SetFlat(bool flat)
{
    flat_ = flat;
    for (TDBVNavButton *b : buttons_)
        b->setAutoRaise(flat);
    leftScroll_->setAutoRaise(flat);
    rightScroll_->setAutoRaise(flat);
}

void TDBVNavigator::SetAlignNone(bool alignNone)
{
    geometry_.alignNone = alignNone;
    // A bar sized to its buttons keeps that size in a layout too.
    setSizePolicy(alignNone ? QSizePolicy::Fixed : QSizePolicy::Preferred, QSizePolicy::Fixed);
    relayout();
}

void TDBVNavigator::ScrollBy(int entries)
{
    scrollOffset_ =
        std::clamp(scrollOffset_ + entries, 0, std::max(0, static_cast<int>(scrollList_.size()) - 1));
    relayout();
}

QSize TDBVNavigator::sizeHint() const
{
    if (geometry_.style == TNavStyle::nsStatic)
        return staticBarSize(geometry_);
    return {320, geometry_.buttonHeight};
}

QSize TDBVNavigator::minimumSizeHint() const
{
    if (geometry_.style == TNavStyle::nsStatic)
        return staticBarSize(geometry_);
    return {geometry_.buttonWidth + 2 * geometry_.scrollBtnWidth, geometry_.buttonHeight};
}

void TDBVNavigator::refreshLayout()
{
    for (int c = 0; c < kNavigateBtnCount; ++c)
        buttons_[static_cast<std::size_t>(c)]->setVisible(
            geometry_.visible.test(static_cast<std::size_t>(c)));
    if (geometry_.style == TNavStyle::nsStatic) {
        leftScroll_->hide();
        rightScroll_->hide();
        if (geometry_.alignNone)
            resize(staticBarSize(geometry_));
    } else {
        scrollList_ = buildScrollList(geometry_.visible);
    }
    updateGeometry();
    relayout();
}

void TDBVNavigator::relayout()
{
    if (inLayout_)
        return;
    inLayout_ = true;
    if (geometry_.style == TNavStyle::nsStatic) {
        const StaticLayout l = calcStaticLayout(geometry_, width(), height());
        for (int c = 0; c < kNavigateBtnCount; ++c)
            buttons_[static_cast<std::size_t>(c)]->setGeometry(l.bounds[static_cast<std::size_t>(c)]);
        if (geometry_.alignNone && (l.width != width() || l.height != height()))
            resize(l.width, l.height);
    } else {
        const ScrollLayout l = calcScrollLayout(geometry_, scrollList_, scrollOffset_, width(), height());
        scrollOffset_ = l.scrollOffset;
        for (int c = 0; c < kNavigateBtnCount; ++c) {
            TDBVNavButton *b = buttons_[static_cast<std::size_t>(c)];
            const auto &r = l.bounds[static_cast<std::size_t>(c)];
            b->setVisible(r.has_value());
            if (r)
                b->setGeometry(*r);
        }
        leftScroll_->setVisible(l.scrollButtonsShown);
        rightScroll_->setVisible(l.scrollButtonsShown);
        if (l.scrollButtonsShown) {
            leftScroll_->setGeometry(l.leftButton);
            rightScroll_->setGeometry(l.rightButton);
            leftScroll_->raise();
            rightScroll_->raise();
        }
        leftScroll_->setEnabled(l.leftEnabled);
        rightScroll_->setEnabled(l.rightEnabled);
        if (l.width != width() || l.height != height())
            resize(l.width, l.height);
    }
    inLayout_ = false;
}

void TDBVNavigator::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    relayout();
}

// ---------------------------------------------------------------- filter popup

void TDBVNavigator::runFilterItem(int item)
{
    if (!hasOpenCurrentSource())
        return;
    dbe::TDataSet *dataSet = DBVexarion()->CurrentDataSource()->DataSet();
    switch (item) {
    case 0:
        DBVexarion()->HandleNBBtn(nbTblFilter, 0, 0);
        break;
    case 1:
        DBVexarion()->ClearTableFilter(dataSet);
        break;
    case 2:
        LoadFilter();
        break;
    case 3:
        SaveFilter();
        break;
    default:
        break;
    }
}

namespace {

ui::FileDialogOptions filterFileOptions(const char *title, dbe::TDataSet *dataSet)
{
    ui::FileDialogOptions options;
    options.title = QString::fromUtf8(title).arg(DataSetCaption(dataSet));
    options.filter = QStringLiteral("Filterdefinitionen (*.TFD)|*.TFD");
    options.defaultExtension = QStringLiteral("TFD");
    return options;
}

} // namespace

void TDBVNavigator::SaveFilter()
{
    if (!hasOpenCurrentSource())
        return;
    dbe::TDataSet *dataSet = DBVexarion()->CurrentDataSource()->DataSet();
    if (const auto file = ui::dialogs().saveFile(filterFileOptions("Speichere Filter für [%1]", dataSet)))
        DBVexarion()->SaveTableFilter(dataSet, *file);
}

void TDBVNavigator::LoadFilter()
{
    if (!hasOpenCurrentSource())
        return;
    dbe::TDataSet *dataSet = DBVexarion()->CurrentDataSource()->DataSet();
    if (const auto file = ui::dialogs().openFile(filterFileOptions("Lade Filter für [%1]", dataSet)))
        DBVexarion()->LoadTableFilter(dataSet, *file);
}

} // namespace nav
