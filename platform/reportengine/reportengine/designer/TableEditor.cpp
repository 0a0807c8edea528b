#include "reportengine/designer/TableEditor.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "reportengine/designer/PropertyPanel.h"

#include "reportengine/designer/DialogParts.h"

namespace tb {

namespace {

const char *kGroupCaptions[3] = {"Kopfzeilen", "Datenzeilen", "Fußzeilen"};
const char *kAlignNames[3] = {"Links", "Zentriert", "Rechts"};

QString number(double value)
{
    return value > 0 ? QString::number(value, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(',')) : QString();
}

std::optional<double> parseNumber(const QString &text)
{
    if (text.trimmed().isEmpty())
        return 0.0;
    bool ok = false;
    const double value = QString(text).trimmed().replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (!ok || value < 0 || value > 2000)
        return std::nullopt;
    return value;
}

} // namespace

TableEditor::TableEditor(TableDef table, bool multipleRows, Checker check, ExpressionDialog edit,
                         QWidget *parent)
    : QDialog(parent), table_(std::move(table)), multipleRows_(multipleRows), check_(std::move(check)),
      edit_(std::move(edit))
{
    setWindowTitle(QStringLiteral("Tabelle bearbeiten"));
    auto *outer = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    tree_ = new QTreeWidget(this);
    tree_->setHeaderLabels({QStringLiteral("Zeile"), QStringLiteral("Bedingung")});
    left->addWidget(tree_);
    auto *lineButtons = new QHBoxLayout;
    auto *addHeader = new QPushButton(QStringLiteral("Kopfzeile +"), this);
    auto *addRow = new QPushButton(QStringLiteral("Datenzeile +"), this);
    auto *addFooter = new QPushButton(QStringLiteral("Fußzeile +"), this);
    auto *remove = new QPushButton(QStringLiteral("Zeile entfernen"), this);
    for (auto *b : {addHeader, addRow, addFooter, remove})
        lineButtons->addWidget(b);
    left->addLayout(lineButtons);
    top->addLayout(left, 2);

    auto *right = new QVBoxLayout;
    auto *form = new QFormLayout;
    auto *conditionRow = new QHBoxLayout;
    condition_ = new QLineEdit(this);
    auto *conditionButton = new QToolButton(this);
    conditionButton->setText(QStringLiteral("…"));
    conditionRow->addWidget(condition_);
    conditionRow->addWidget(conditionButton);
    form->addRow(QStringLiteral("Darstellungsbedingung"), conditionRow);
    ruleAbove_ = new QLineEdit(this);
    ruleBelow_ = new QLineEdit(this);
    form->addRow(QStringLiteral("Linie oben (pt)"), ruleAbove_);
    form->addRow(QStringLiteral("Linie unten (pt)"), ruleBelow_);
    lineBackground_ = new ColorEdit(this);
    form->addRow(QStringLiteral("Zeilenhintergrund"), lineBackground_);
    zebra_ = new ColorEdit(this);
    zebra_->setColor(table_.zebra);
    form->addRow(QStringLiteral("Zebrafarbe"), zebra_);
    right->addLayout(form);
    cells_ = new QTableWidget(0, CellFieldCount, this);
    cells_->setHorizontalHeaderLabels({QStringLiteral("Formel"), QStringLiteral("Breite (mm)"),
                                       QStringLiteral("Ausrichtung"), QStringLiteral("Format"),
                                       QStringLiteral("Umbruch"), QStringLiteral("Fett"),
                                       QStringLiteral("Größe (pt)"), QStringLiteral("Hintergrund")});
    cells_->setColumnWidth(Expr, 260);
    right->addWidget(cells_, 1);
    auto *cellButtons = new QHBoxLayout;
    auto *addCellButton = new QPushButton(QStringLiteral("Zelle hinzufügen"), this);
    auto *removeCellButton = new QPushButton(QStringLiteral("Zelle entfernen"), this);
    auto *formulaButton = new QPushButton(QStringLiteral("Formel…"), this);
    for (auto *b : {addCellButton, removeCellButton, formulaButton})
        cellButtons->addWidget(b);
    cellButtons->addStretch();
    right->addLayout(cellButtons);
    top->addLayout(right, 5);
    outer->addLayout(top, 1);
    message_ = refusalLabel(this);
    outer->addWidget(message_);
    auto *box = okCancelButtons(this);
    outer->addWidget(box);

    connect(addHeader, &QPushButton::clicked, this, [this] { addLine(Header); });
    connect(addRow, &QPushButton::clicked, this, [this] { addLine(Rows); });
    connect(addFooter, &QPushButton::clicked, this, [this] { addLine(Footer); });
    connect(remove, &QPushButton::clicked, this, [this] { removeLine(); });
    connect(addCellButton, &QPushButton::clicked, this, [this] { addCell(); });
    connect(removeCellButton, &QPushButton::clicked, this, [this] { removeCell(cells_->currentRow()); });
    connect(formulaButton, &QPushButton::clicked, this, [this] {
        const int row = cells_->currentRow();
        LineDef *line = current();
        if (!line || row < 0 || row >= int(line->cells.size()) || !edit_)
            return;
        QString source = line->cells[size_t(row)].expr;
        if (edit_(source))
            setCell(row, Expr, source);
    });
    connect(conditionButton, &QToolButton::clicked, this, [this] {
        LineDef *line = current();
        if (!line || !edit_)
            return;
        QString source = line->condition;
        if (edit_(source))
            setCondition(source);
    });
    connect(condition_, &QLineEdit::editingFinished, this, [this] {
        if (!loading_)
            setCondition(condition_->text());
    });
    const auto rule = [this](QLineEdit *edit, double LineDef::*member) {
        connect(edit, &QLineEdit::editingFinished, this, [this, edit, member] {
            LineDef *line = current();
            if (loading_ || !line)
                return;
            if (const auto value = parseNumber(edit->text()))
                line->*member = *value;
            fillLine();
        });
    };
    rule(ruleAbove_, &LineDef::ruleAbovePt);
    rule(ruleBelow_, &LineDef::ruleBelowPt);
    connect(lineBackground_, &ColorEdit::edited, this, [this] {
        if (LineDef *line = current())
            line->background = lineBackground_->color();
    });
    connect(zebra_, &ColorEdit::edited, this, [this] { table_.zebra = zebra_->color(); });
    connect(cells_, &QTableWidget::cellChanged, this, [this](int row, int column) {
        if (loading_)
            return;
        QTableWidgetItem *item = cells_->item(row, column);
        if (!item)
            return;
        const QString text = column == Wrap || column == Bold
                                 ? QString::number(item->checkState() == Qt::Checked ? 1 : 0)
                                 : item->text();
        setCell(row, CellField(column), text);
    });
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (loading_ || !item || !item->parent())
            return;
        selectLine(Group(tree_->indexOfTopLevelItem(item->parent())), item->parent()->indexOfChild(item));
    });
    fillTree();
    if (!selectLine(Rows, 0))
        selectLine(Header, 0);
    resize(1000, 560);
}

std::vector<LineDef> &TableEditor::lines(Group group)
{
    return group == Header ? table_.header : group == Rows ? table_.rows : table_.footer;
}

LineDef *TableEditor::current()
{
    auto &group = lines(group_);
    return line_ >= 0 && line_ < int(group.size()) ? &group[size_t(line_)] : nullptr;
}

void TableEditor::refuse(const QString &why)
{
    refusal_ = why;
    message_->setText(why);
}

void TableEditor::fillTree()
{
    loading_ = true;
    tree_->clear();
    for (int g = 0; g < 3; ++g) {
        auto *branch = new QTreeWidgetItem(tree_, {QString::fromUtf8(kGroupCaptions[g])});
        const auto &group = lines(Group(g));
        for (size_t i = 0; i < group.size(); ++i)
            new QTreeWidgetItem(branch, {QStringLiteral("Zeile %1").arg(i + 1), group[i].condition});
    }
    tree_->expandAll();
    if (QTreeWidgetItem *branch = tree_->topLevelItem(group_))
        if (QTreeWidgetItem *item = branch->child(line_))
            tree_->setCurrentItem(item);
    loading_ = false;
}

void TableEditor::fillLine()
{
    loading_ = true;
    LineDef *line = current();
    condition_->setText(line ? line->condition : QString());
    ruleAbove_->setText(line ? number(line->ruleAbovePt) : QString());
    ruleBelow_->setText(line ? number(line->ruleBelowPt) : QString());
    lineBackground_->setColor(line ? line->background : QColor());
    const int count = line ? int(line->cells.size()) : 0;
    cells_->setRowCount(count);
    for (int row = 0; row < count; ++row) {
        const CellDef &cell = line->cells[size_t(row)];
        cells_->setItem(row, Expr, new QTableWidgetItem(cell.expr));
        cells_->setItem(row, Width, new QTableWidgetItem(number(cell.widthMm)));
        cells_->setItem(row, Alignment,
                        new QTableWidgetItem(QString::fromUtf8(kAlignNames[int(cell.align)])));
        cells_->setItem(row, Format, new QTableWidgetItem(cell.format));
        auto *wrap = new QTableWidgetItem;
        wrap->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        wrap->setCheckState(cell.wrap ? Qt::Checked : Qt::Unchecked);
        cells_->setItem(row, Wrap, wrap);
        auto *bold = new QTableWidgetItem;
        bold->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        bold->setCheckState(cell.font.bold.value_or(false) ? Qt::Checked : Qt::Unchecked);
        cells_->setItem(row, Bold, bold);
        cells_->setItem(row, FontSize, new QTableWidgetItem(number(cell.font.sizePt.value_or(0))));
        cells_->setItem(
            row, Background,
            new QTableWidgetItem(cell.background.isValid() ? cell.background.name().toUpper() : QString()));
    }
    for (QWidget *w :
         std::initializer_list<QWidget *>{condition_, ruleAbove_, ruleBelow_, lineBackground_, cells_})
        w->setEnabled(line != nullptr);
    loading_ = false;
}

bool TableEditor::selectLine(Group group, int line)
{
    if (line < 0 || line >= int(lines(group).size()))
        return false;
    group_ = group;
    line_ = line;
    fillTree();
    fillLine();
    return true;
}

bool TableEditor::addLine(Group group)
{
    if (group == Rows && !multipleRows_ && !table_.rows.empty()) {
        refuse(QStringLiteral("Mehrere Datenzeilen sind in diesem Programm nicht vorgesehen."));
        return false;
    }
    auto &target = lines(group);
    LineDef line;
    // A new line takes the columns of the lines beside it, so that it lines up with them.
    const LineDef *model = !target.empty()        ? &target.back()
                           : !table_.rows.empty() ? &table_.rows.front()
                                                  : nullptr;
    if (model)
        for (const CellDef &cell : model->cells) {
            CellDef c;
            c.widthMm = cell.widthMm;
            c.align = cell.align;
            line.cells.push_back(c);
        }
    const int at = group == group_ && line_ >= 0 ? line_ + 1 : int(target.size());
    target.insert(target.begin() + at, line);
    return selectLine(group, at);
}

void TableEditor::removeLine()
{
    auto &group = lines(group_);
    if (!current())
        return;
    group.erase(group.begin() + line_);
    if (!selectLine(group_, std::min(line_, int(group.size()) - 1))) {
        line_ = -1;
        fillTree();
        fillLine();
    }
}

bool TableEditor::setCondition(const QString &source)
{
    LineDef *line = current();
    if (!line)
        return false;
    const QString why = check_ ? check_(source.trimmed()) : QString();
    if (!why.isEmpty()) {
        refuse(why);
        fillLine();
        return false;
    }
    line->condition = source.trimmed();
    refuse(QString());
    fillTree();
    fillLine();
    return true;
}

bool TableEditor::setCell(int row, CellField field, const QString &text)
{
    LineDef *line = current();
    if (!line || row < 0 || row >= int(line->cells.size()))
        return false;
    CellDef &cell = line->cells[size_t(row)];
    bool ok = true;
    switch (field) {
    case Expr: {
        const QString why = check_ ? check_(text.trimmed()) : QString();
        if (!why.isEmpty()) {
            refuse(why);
            ok = false;
        } else {
            cell.expr = text.trimmed();
        }
        break;
    }
    case Width:
        if (const auto value = parseNumber(text))
            cell.widthMm = *value;
        else
            ok = false;
        break;
    case Alignment: {
        const QString t = text.trimmed().toLower();
        cell.align = t.startsWith(QLatin1Char('z')) || t.startsWith(QLatin1Char('c')) ? Align::Center
                     : t.startsWith(QLatin1Char('r'))                                 ? Align::Right
                                                                                      : Align::Left;
        break;
    }
    case Format:
        cell.format = text.trimmed();
        break;
    case Wrap:
        cell.wrap = text == QLatin1String("1");
        break;
    case Bold:
        cell.font.bold = text == QLatin1String("1");
        break;
    case FontSize:
        if (const auto value = parseNumber(text))
            cell.font.sizePt = *value > 0 ? std::optional<double>(*value) : std::nullopt;
        else
            ok = false;
        break;
    case Background:
        cell.background = text.trimmed().isEmpty() ? QColor() : QColor::fromString(text.trimmed());
        break;
    case CellFieldCount:
        ok = false;
        break;
    }
    if (ok)
        refuse(QString());
    fillLine();
    return ok;
}

void TableEditor::addCell()
{
    LineDef *line = current();
    if (!line)
        return;
    CellDef cell;
    cell.widthMm = 20;
    line->cells.push_back(cell);
    fillLine();
}

void TableEditor::removeCell(int cell)
{
    LineDef *line = current();
    if (!line || cell < 0 || cell >= int(line->cells.size()))
        return;
    line->cells.erase(line->cells.begin() + cell);
    fillLine();
}

} // namespace tb
