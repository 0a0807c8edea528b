// Key handling of the extender: the shortcut table, the digits after the
// bookmark shortcuts, Enter as a move to the next control, and incremental
// search while it is on.
#include <QAbstractItemView>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextEdit>
#include <QWidget>

#include "navigation/daten/DataSetHelpers.h"
#include "navigation/erweiterung/DBVexarion.h"
#include "navigation/erweiterung/ShortCutRules.h"
#include "navigation/erweiterung/TableDefs.h"
#include "navigation/gemeinsam/NavExceptions.h"
#include "navigation/leiste/DBVNavigator.h"
#include "navigation/suche/RecordSearch.h"
#include "ui/DBGrid.h"
#include "ui/Guard.h"

namespace nav {

namespace {

// Controls in which the move keys keep their own meaning.
bool keepsMoveKeys(QWidget *control, bool dataGrid)
{
    return dataGrid || qobject_cast<QListView *>(control) || qobject_cast<QTextEdit *>(control) ||
           qobject_cast<QPlainTextEdit *>(control);
}

} // namespace

bool TDBVexarion::isDataGrid(QWidget *control) const
{
    if (!control)
        return false;
    if (qobject_cast<ui::DBGrid *>(control))
        return true;
    const QString className = QString::fromLatin1(control->metaObject()->className());
    for (const QString &entry : DBGridComponents) {
        const QString name = entry.section(QLatin1Char(' '), 0, 0).section(QLatin1Char('('), 0, 0);
        if (!name.isEmpty() && className.contains(name, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

void TDBVexarion::AppMessageHook(const ui::KeyMessage &message, bool &handled)
{
    handled = false;
    if (destroying_)
        return;
    if (isFormActive() && message.target &&
        (message.target == form_ || form_->isAncestorOf(message.target))) {
        if (!(currentInterfaces_ & ieShortCuts) || searchDepth_ > 0) {
            handled = true;
            return;
        }
        ui::guard(this, [&] {
            const int key = virtualKeyFromQt(static_cast<Qt::Key>(message.key));
            const TShiftState shift = shiftStateFromQt(message.modifiers);
            if (FormOnKeyPhysical)
                FormOnKeyPhysical(key, shift, handled);
            if (!handled)
                HandleKey(key, shift, message.text, handled);
        });
    }
    if (!handled && AppOnMessage)
        AppOnMessage(message, handled);
}

void TDBVexarion::HandleKey(int key, TShiftState shift, const QString &text, bool &handled)
{
    handled = false;
    ui::guard(this, [&] {
        QWidget *control = activeControl();
        Target t;
        t.dataAware = control && IsDataAwareControl(control);
        if (t.dataAware) {
            if (!GetControlField(control, t.control))
                return;
            t.defs = TableDefsOf(t.control.source);
        }
        if (!t.control.source && MasterSource() && MasterSource()->DataSet()) {
            t.control.source = MasterSource();
            t.defs = TableDefsOf(MasterSource());
            t.control.dataSet = MasterSource()->DataSet();
        }
        shortCutKey(key, shift, t, handled);
        if (!handled && incSearchOn_)
            incSearchKey(key, text, t, handled);
    });
}

void TDBVexarion::shortCutKey(int key, TShiftState shift, Target &t, bool &handled)
{
    const auto digit = [&](bool &flag, TDBVNavigateBtn command) {
        flag = false;
        if (key < '0' || key > '9' || !hasKey(allowKeys_, akBookmark))
            return false;
        handled = true;
        HandleNBBtn(command, shift, key - '0');
        return true;
    };
    if (waitSetBookmark_) {
        digit(waitSetBookmark_, nbSetBookmark);
        return;
    }
    if (waitGotoBookmark_) {
        digit(waitGotoBookmark_, nbGotoBookmark);
        return;
    }
    QWidget *control = activeControl();
    dbe::TDataSet *ds = t.control.dataSet;

    if (key == vk::Return && hasKey(allowKeys_, akSelectNext) && control && shift != ssCtrl) {
        const QString className = QString::fromLatin1(control->metaObject()->className());
        bool listed = false;
        for (const QString &name : NoSelectNext)
            listed = listed || className.compare(name, Qt::CaseInsensitive) == 0 ||
                     (name.compare(QLatin1String("TMemo"), Qt::CaseInsensitive) == 0 &&
                      (qobject_cast<QTextEdit *>(control) || qobject_cast<QPlainTextEdit *>(control)));
        if (!listed) {
            if (isDataGrid(control)) {
                moveWithinGrid(control, shift == 0);
            } else if (control->parentWidget() && isDataGrid(control->parentWidget()->parentWidget())) {
                QWidget *grid = control->parentWidget()->parentWidget();
                grid->setFocus();
                moveWithinGrid(grid, shift == 0);
            } else {
                moveFocus(control, shift == 0);
            }
            handled = true;
            return;
        }
    }

    if (key == vk::Down && ds && isDataGrid(control) && manageGlobalEdit_ && !globalEdit_) {
        const bool atEnd = ExactBOF_EOF && t.defs ? t.defs->ExactAtEnd() : ds->Eof();
        if (atEnd) {
            handled = true;
            return;
        }
    }

    TDBVNavigateBtn command{};
    if (!shortCuts_.FindKeyCommand(key, shift, command) || static_cast<int>(command) > nbGlobalEdit)
        return;
    ShortCutContext c;
    c.dataAwareControl = t.dataAware;
    c.hasDataSet = ds != nullptr;
    c.hasField = t.control.field != nullptr;
    c.hasTableDefs = t.defs != nullptr;
    c.allowKeys = allowKeys_;
    c.possible = possible_;
    c.incSearchOn = incSearchOn_;
    c.shift = shift;
    c.filterState = t.defs ? t.defs->FilterState() : 0;
    c.isTable = dynamic_cast<dbe::TTable *>(ds) != nullptr;
    c.isTableClass = c.isTable;
    c.controlKeepsMoveKeys = control && keepsMoveKeys(control, isDataGrid(control));
    c.canModify = ds && ds->CanModify();
    c.readOnly = t.control.readOnly;
    c.editing = ds && IsEditingState(ds->State());
    c.manageGlobalEdit = manageGlobalEdit_;
    c.globalEdit = globalEdit_;
    c.fieldIsViewableBlob = t.control.field && (t.control.field->DataType() == dbe::TFieldType::ftMemo ||
                                                t.control.field->DataType() == dbe::TFieldType::ftGraphic);
    if (!shortCutApplies(command, c))
        return;
    handled = true;
    if (command == nbSetBookmark) {
        waitSetBookmark_ = true;
        return;
    }
    if (command == nbGotoBookmark) {
        waitGotoBookmark_ = true;
        return;
    }
    HandleNBBtn(command, shift, 0);
}

void TDBVexarion::moveFocus(QWidget *from, bool forward)
{
    QWidget *w = from;
    do {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
    } while (w && w != from &&
             !(form_->isAncestorOf(w) && w->isEnabled() && w->isVisible() &&
               (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy()));
    if (w && w != from)
        w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

void TDBVexarion::moveWithinGrid(QWidget *control, bool forward)
{
    auto *grid = qobject_cast<ui::DBGrid *>(control);
    if (!grid)
        return;
    const int count = grid->columnCount();
    const int column = grid->selectedIndex();
    const TStayOnMasterSource saved = stayOnMasterSource_;
    auto runMove = [&](TDBVNavigateBtn move) {
        stayOnMasterSource_ = TStayOnMasterSource::somNo;
        try {
            HandleNBBtn(move, 0, 0);
        } catch (...) {
            stayOnMasterSource_ = saved;
            throw;
        }
        stayOnMasterSource_ = saved;
    };
    if (forward) {
        if (column < count - 1) {
            grid->setSelectedIndex(column + 1);
        } else {
            grid->setSelectedIndex(0);
            runMove(nbNext);
        }
    } else {
        if (column > 0) {
            grid->setSelectedIndex(column - 1);
        } else {
            grid->setSelectedIndex(count - 1);
            runMove(nbPrior);
        }
    }
}

void TDBVexarion::incSearchKey(int key, const QString &typed, Target &t, bool &handled)
{
    handled = true;
    QString text = incSearchText_;
    bool changed = false;
    bool continueSearch = false;
    dbe::TField *field = t.control.field;
    switch (key) {
    case vk::Tab:
        handled = false;
        return;
    case vk::Back:
        if (!text.isEmpty()) {
            text.chop(1);
            changed = true;
        }
        break;
    case vk::Delete:
        text.clear();
        changed = true;
        break;
    case vk::Escape:
        incSearchOn_ = false;
        CheckPossibilities();
        ShowStatus(CurrentDataSource());
        refreshNavigators();
        if (OnChangePoss)
            OnChangePoss(*this);
        return;
    default: {
        QString chars = typed;
        chars.remove(QRegularExpression(QStringLiteral("[\\x00-\\x1f\\x7f]")));
        if (chars.isEmpty()) {
            handled = false;
            return;
        }
        if (field && field->DataType() == dbe::TFieldType::ftString && field->Size() > 0 &&
            text.size() >= field->Size())
            break;
        if (IncSrchCharCase == TEditCharCase::ecLowerCase)
            chars = chars.toLower();
        else if (IncSrchCharCase == TEditCharCase::ecUpperCase)
            chars = chars.toUpper();
        continueSearch =
            t.defs && field && t.defs->SearchField() == field->FieldName() && !incSearchText_.isEmpty();
        text += chars;
        changed = true;
        break;
    }
    }
    if (!changed || !t.control.dataSet || !field || !IsSearchableFieldType(field->DataType()))
        return;
    // The typed text as a prefix; only a text that finds a record is taken over.
    if (SearchInDataSet(t.control.dataSet, field->FieldName(), !continueSearch, true, true,
                        text + QStringLiteral(".."))) {
        incSearchText_ = text;
        for (auto &nav : navigators_)
            if (nav)
                nav->ShowIncSearchText(text);
        ShowStatus(CurrentDataSource());
    }
}

namespace {

// Counts a running search for the key hook while it lives.
struct SearchDepthScope {
    explicit SearchDepthScope(int &depth) : depth_(depth) { ++depth_; }
    ~SearchDepthScope() { --depth_; }
    SearchDepthScope(const SearchDepthScope &) = delete;
    SearchDepthScope &operator=(const SearchDepthScope &) = delete;

private:
    int &depth_;
};

} // namespace

bool TDBVexarion::SearchInDataSet(dbe::TDataSet *dataSet, const QString &fieldName, bool restart,
                                  bool forward, bool ignoreCase, const QString &text)
{
    if (!dataSet)
        return false;
    SearchDepthScope depth(searchDepth_);
    return TableDefsOf(dataSet)->SearchValue(fieldName, text, false, restart, true, forward, ignoreCase);
}

bool TDBVexarion::SearchNext(dbe::TDataSet *dataSet)
{
    if (!dataSet)
        return false;
    SearchDepthScope depth(searchDepth_);
    return TableDefsOf(dataSet)->SearchNext();
}

bool TDBVexarion::SearchNextReverse(dbe::TDataSet *dataSet)
{
    if (!dataSet)
        return false;
    SearchDepthScope depth(searchDepth_);
    TTableDefs *defs = TableDefsOf(dataSet);
    return defs->SearchNextReverse(!defs->SearchDown());
}

} // namespace nav
