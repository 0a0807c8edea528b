#include "ui/DBGrid.h"

#include <functional>

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMetaProperty>
#include <QMouseEvent>
#include <QStyledItemDelegate>

#include "dbe/DataSet.h"
#include "dbe/Field.h"
#include "ui/DataSetModel.h"
#include "ui/FieldLink.h"
#include "ui/Guard.h"

namespace ui {

namespace {

// Writes the in-place editor's text into the field inside the guard: a text
// the field refuses ends in the exception handling, not in Qt, and is
// reported to the grid. Cells take the grid's marks and its cell painter's
// colours.
class GuardedDelegate : public QStyledItemDelegate {
public:
    GuardedDelegate(DBGrid *grid, std::function<void()> refused)
        : QStyledItemDelegate(grid), grid_(grid), refused_(std::move(refused))
    {
    }
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (grid_->isRowMarked(index.row()))
            option->state |= QStyle::State_Selected;
        DBGrid::CellStyle style;
        style.row = index.row();
        style.column = index.column();
        style.field = grid_->columnField(index.column());
        style.text = option->text;
        style.selected = option->state & QStyle::State_Selected;
        grid_->styleCell(style);
        if (style.background.isValid()) {
            option->backgroundBrush = style.background;
            // The chosen colour shows also on a selected cell.
            if (style.selected) {
                option->state &= ~QStyle::State_Selected;
                option->palette.setColor(QPalette::Text, option->palette.color(QPalette::HighlightedText));
            }
        }
        option->font.setUnderline(style.underline);
    }
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        // The user sees the field's limit while typing instead of losing the rest on posting.
        if (auto *line = qobject_cast<QLineEdit *>(editor))
            if (const dbe::TField *field = grid_->columnField(index.column()))
                line->setMaxLength(maxTextLength(*field));
        return editor;
    }
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        bool written = false;
        guard(editor, [&] {
            QStyledItemDelegate::setModelData(editor, model, index);
            written = true;
        });
        if (!written)
            refused_();
    }

private:
    DBGrid *grid_;
    std::function<void()> refused_;
};

} // namespace

DBGrid::DBGrid(QWidget *parent) : QTableView(parent), model_(new DataSetModel(this))
{
    setModel(model_);
    setItemDelegate(new GuardedDelegate(this, [this] { commitRefused_ = true; }));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::DoubleClicked);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("\u25B6")) + 8);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setHighlightSections(false);
    connect(horizontalHeader(), &QHeaderView::sectionMoved, this, &DBGrid::sectionMoved);
    connect(model_, &DataSetModel::cursorMoved, this, &DBGrid::followCursor);
    connect(model_, &QAbstractItemModel::modelReset, this, &DBGrid::applyColumnWidths);
    // Marks name rows as they were read; reading them anew drops them. A new
    // order of the same rows does not: whoever sorts drops the marks.
    connect(model_, &QAbstractItemModel::modelReset, this, &DBGrid::clearMarks);
    connect(model_, &QAbstractItemModel::layoutChanged, this, &DBGrid::clearMarks);
    horizontalHeader()->setSectionsClickable(true);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int logical) { guard(this, [&] { emit onTitleClick(logical); }); });
}

QString DBGrid::columnTitle(int column) const
{
    dbe::TField *field = model_->fieldAt(column);
    return field ? field->DisplayLabel() : QString();
}

void DBGrid::setColumnTitle(int column, const QString &title)
{
    dbe::TField *field = model_->fieldAt(column);
    if (!field)
        return;
    field->SetDisplayLabel(title);
    emit model_->headerDataChanged(Qt::Horizontal, column, column);
}

void DBGrid::setMultiSelect(bool multiSelect)
{
    multiSelect_ = multiSelect;
    if (!multiSelect)
        clearMarks();
}

bool DBGrid::isRowMarked(int row) const
{
    for (const Mark &m : marks_)
        if (m.row == row)
            return true;
    return false;
}

void DBGrid::gotoMark(int i)
{
    dbe::TDataSet *dataSet = dataSource() ? dataSource()->DataSet() : nullptr;
    if (dataSet && i >= 0 && i < marks_.size())
        dataSet->GotoBookmark(marks_[i].bookmark);
}

void DBGrid::clearMarks()
{
    if (marks_.isEmpty())
        return;
    marks_.clear();
    viewport()->update();
}

void DBGrid::styleCell(CellStyle &style) const
{
    if (cellPainter_)
        cellPainter_(style);
}

QVariant DBGrid::rowValue(int row, const QString &fieldName) const
{
    dbe::TDataSet *dataSet = dataSource() ? dataSource()->DataSet() : nullptr;
    if (!dataSet || !dataSet->Active())
        return QVariant();
    dbe::TField *field = dataSet->FindField(fieldName);
    if (!field)
        return QVariant();
    if (row == model_->currentRow())
        return field->Value();
    return dataSet->RecordValue(row + 1, field);
}

void DBGrid::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    QTableView::mousePressEvent(event);
    if (!multiSelect_ || event->button() != Qt::LeftButton || !index.isValid())
        return;
    if (!(event->modifiers() & Qt::ControlModifier)) {
        clearMarks();
        return;
    }
    dbe::TDataSet *dataSet = dataSource() ? dataSource()->DataSet() : nullptr;
    if (!dataSet || model_->currentRow() != index.row())
        return; // the cursor did not go there
    guard(this, [&] {
        const dbe::TBookmark mark = dataSet->GetBookmark();
        for (int i = 0; i < marks_.size(); ++i)
            if (marks_[i].bookmark == mark) {
                marks_.removeAt(i);
                viewport()->update();
                return;
            }
        marks_.append({mark, index.row()});
        viewport()->update();
    });
}

void DBGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (indexAt(event->position().toPoint()).isValid())
        guard(this, [this] { emit onDblClick(); });
}

dbe::TDataSource *DBGrid::dataSource() const
{
    return model_->dataSource();
}

void DBGrid::setDataSource(dbe::TDataSource *source)
{
    model_->setDataSource(source);
}

bool DBGrid::readOnly() const
{
    return model_->readOnly();
}

void DBGrid::setReadOnly(bool readOnly)
{
    model_->setReadOnly(readOnly);
}

void DBGrid::setColumnReadOnly(const QString &fieldName, bool readOnly)
{
    model_->setColumnReadOnly(fieldName, readOnly);
}

void DBGrid::setRowSelect(bool rowSelect)
{
    rowSelect_ = rowSelect;
    setSelectionBehavior(rowSelect ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

int DBGrid::columnCount() const
{
    return model_->columnCount();
}

dbe::TField *DBGrid::columnField(int column) const
{
    return model_->fieldAt(column);
}

int DBGrid::selectedIndex() const
{
    return qMax(0, currentIndex().column());
}

void DBGrid::setSelectedIndex(int column)
{
    if (column < 0 || column >= model_->columnCount())
        return;
    const int row = qMax(0, model_->currentRow());
    if (model_->rowCount() == 0) {
        // No row to stand on: the column is remembered all the same.
        if (column != lastColumn_) {
            lastColumn_ = column;
            guard(this, [this] { emit onColEnter(); });
        }
        return;
    }
    following_ = true;
    setCurrentIndex(model_->index(row, column));
    following_ = false;
}

dbe::TField *DBGrid::selectedField() const
{
    return model_->fieldAt(selectedIndex());
}

void DBGrid::setSelectedField(dbe::TField *field)
{
    const int column = model_->columnOf(field);
    if (column >= 0)
        setSelectedIndex(column);
}

void DBGrid::followCursor(int row)
{
    if (userMoving_ || row < 0 || row >= model_->rowCount())
        return;
    const int column = lastColumn_ >= 0 && lastColumn_ < model_->columnCount() ? lastColumn_ : 0;
    following_ = true;
    setCurrentIndex(model_->index(row, column));
    scrollTo(currentIndex());
    following_ = false;
}

void DBGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // A refused text not changed since (a click refused it already as the
    // editor lost the focus) is not written again.
    QWidget *editor = previous.isValid() && !following_ ? indexWidget(previous) : nullptr;
    const bool refusedAlready = editor && commitRefused_ && editorValue(editor) == refusedValue_;
    if (!refusedAlready)
        QTableView::currentChanged(current, previous);
    if (editor && commitRefused_) {
        // The refused text stays where it was typed, and the selection with it.
        following_ = true;
        setCurrentIndex(previous);
        following_ = false;
        editor->setFocus();
        return;
    }
    if (!current.isValid())
        return;
    if (!following_ && current.row() != model_->currentRow()) {
        dbe::TDataSet *dataSet = dataSource() ? dataSource()->DataSet() : nullptr;
        bool moved = false;
        userMoving_ = true; // the grid already stands where the cursor goes
        guard(this, [&] {
            if (dataSet)
                dataSet->MoveBy(current.row() - model_->currentRow());
            moved = true;
        });
        userMoving_ = false;
        if (!moved || model_->currentRow() != current.row()) {
            // The cursor did not go there (a rule refused to leave the record).
            followCursor(model_->currentRow());
            return;
        }
    }
    if (current.column() != lastColumn_) {
        lastColumn_ = current.column();
        guard(this, [this] { emit onColEnter(); });
    }
}

void DBGrid::commitData(QWidget *editor)
{
    // While the refusal is shown its box takes the focus, and the editor
    // would be written (and refused) once more.
    if (committing_)
        return;
    committing_ = true;
    commitRefused_ = false;
    QTableView::commitData(editor);
    committing_ = false;
    if (commitRefused_)
        refusedValue_ = editorValue(editor);
}

QVariant DBGrid::editorValue(const QWidget *editor)
{
    return editor->metaObject()->userProperty().read(editor);
}

void DBGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (committing_)
        return;
    // Where the cursor moved by code the typed text cannot stay.
    if (commitRefused_ && !following_ && hint != QAbstractItemDelegate::RevertModelCache) {
        editor->setFocus();
        return;
    }
    commitRefused_ = false;
    QTableView::closeEditor(editor, hint);
}

bool DBGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    if (rowSelect_ || !model_->canEdit(index.column()))
        return false;
    const EditTriggers byUser = AnyKeyPressed | EditKeyPressed | DoubleClicked | SelectedClicked;
    if ((byUser & trigger) && index.row() == model_->currentRow()) {
        // The record goes into edit state before the editor opens, as typing does in an edit.
        dbe::TDataSource *source = dataSource();
        bool editing = false;
        guard(this, [&] {
            source->Edit();
            const dbe::TDataSetState state = source->State();
            editing = state == dbe::TDataSetState::dsEdit || state == dbe::TDataSetState::dsInsert;
        });
        if (!editing)
            return false;
    }
    return QTableView::edit(index, trigger, event);
}

void DBGrid::keyPressEvent(QKeyEvent *event)
{
    int key = event->key();
    guard(this, [&] { emit onKeyDown(key, event->modifiers()); });
    if (key == 0) {
        event->accept();
        return;
    }
    dbe::TDataSet *dataSet = dataSource() ? dataSource()->DataSet() : nullptr;
    if (key == Qt::Key_Down && event->modifiers() == Qt::NoModifier && dataSet && dataSet->Active() &&
        model_->currentRow() == model_->rowCount() - 1 && !readOnly() && !rowSelect_ &&
        dataSet->CanModify() && dataSet->State() != dbe::TDataSetState::dsInsert) {
        model_->expectAppend();
        guard(this, [&] { dataSet->Append(); });
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void DBGrid::sectionMoved(int, int oldVisual, int newVisual)
{
    QHeaderView *header = horizontalHeader();
    dbe::TField *moved = model_->fieldAt(header->logicalIndex(newVisual));
    dbe::TField *target = model_->fieldAt(newVisual); // the field whose place it takes
    {
        // The model takes the new order; the header shows it without moved sections.
        QSignalBlocker quiet(header);
        header->moveSection(newVisual, oldVisual);
    }
    if (!moved || !target || moved == target)
        return;
    dbe::TDataSet *dataSet = moved->DataSet();
    const int column = selectedIndex() == oldVisual ? newVisual : selectedIndex();
    guard(this, [&] {
        dataSet->MoveField(moved, target->Index());
        lastColumn_ = column;
        followCursor(model_->currentRow());
        emit onColumnMoved(oldVisual, newVisual);
    });
}

void DBGrid::applyColumnWidths()
{
    // Each new layout of the rows sets the widths again; the texts measured
    // repeat, and measuring a text is dear.
    if (font() != widthFont_ || horizontalHeader()->font() != widthTitleFont_) {
        widthFont_ = font();
        widthTitleFont_ = horizontalHeader()->font();
        digitWidths_.clear();
        titleWidths_.clear();
    }
    for (int column = 0; column < model_->columnCount(); ++column) {
        dbe::TField *field = model_->fieldAt(column);
        const int chars = qBound(3, field->DisplayWidth(), 40);
        auto digits = digitWidths_.constFind(chars);
        if (digits == digitWidths_.constEnd())
            digits =
                digitWidths_.insert(chars, fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0'))));
        const QString title = field->DisplayLabel();
        auto titleWidth = titleWidths_.constFind(title);
        if (titleWidth == titleWidths_.constEnd())
            titleWidth =
                titleWidths_.insert(title, horizontalHeader()->fontMetrics().horizontalAdvance(title));
        setColumnWidth(column, qMax(*digits, *titleWidth) + 14);
    }
}

} // namespace ui
