#include "reportengine/designer/ColumnEditor.h"

#include <algorithm>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "reportengine/designer/DesignRules.h"

#include "reportengine/designer/DialogParts.h"

namespace tb {

namespace {

const QStringList kAlignCaptions = {QStringLiteral("Links"), QStringLiteral("Zentriert"),
                                    QStringLiteral("Rechts")};

QString widthText(double mm)
{
    return mm > 0 ? QString::number(mm, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(',')) : QString();
}

} // namespace

ColumnEditor::ColumnEditor(TableDef table, QWidget *parent) : QDialog(parent), table_(std::move(table))
{
    setWindowTitle(QStringLiteral("Spalten bearbeiten"));
    grid_ = new QTableWidget(0, FieldCount, this);
    grid_->setHorizontalHeaderLabels({QStringLiteral("Überschrift"), QStringLiteral("Inhalt"),
                                      QStringLiteral("Breite (mm)"), QStringLiteral("Ausrichtung"),
                                      QStringLiteral("Format")});
    grid_->horizontalHeader()->setSectionResizeMode(Cell, QHeaderView::Stretch);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    auto *buttons = new QHBoxLayout;
    const auto button = [&](const QString &text, auto slot) {
        auto *b = new QPushButton(text, this);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
    };
    button(QStringLiteral("Spalte hinzufügen"), [this] { addColumn(); });
    button(QStringLiteral("Spalte entfernen"), [this] { removeColumn(); });
    button(QStringLiteral("Nach oben"), [this] { moveColumn(-1); });
    button(QStringLiteral("Nach unten"), [this] { moveColumn(1); });
    buttons->addStretch();
    layout->addLayout(buttons);
    auto *box = okCancelButtons(this);
    layout->addWidget(box);
    connect(grid_, &QTableWidget::cellChanged, this, &ColumnEditor::take);
    fill();
    resize(820, 420);
}

void ColumnEditor::fill()
{
    loading_ = true;
    const int current = grid_->currentRow();
    const int count = designer::columnCount(table_);
    grid_->setRowCount(count);
    for (int row = 0; row < count; ++row) {
        const designer::Column column = designer::columnAt(table_, row);
        grid_->setItem(row, Header, new QTableWidgetItem(column.header.expr));
        grid_->setItem(row, Cell, new QTableWidgetItem(column.cell.expr));
        grid_->setItem(row, Width, new QTableWidgetItem(widthText(column.cell.widthMm)));
        auto *align = new QComboBox(grid_);
        align->addItems(kAlignCaptions);
        align->setCurrentIndex(int(column.cell.align));
        connect(align, &QComboBox::currentIndexChanged, this, [this, row](int index) {
            designer::Column c = designer::columnAt(table_, row);
            c.cell.align = Align(index);
            c.header.align = Align(index);
            designer::setColumn(table_, row, c);
        });
        grid_->setCellWidget(row, Alignment, align);
        grid_->setItem(row, Format, new QTableWidgetItem(column.cell.format));
    }
    if (count > 0)
        grid_->setCurrentCell(std::clamp(current, 0, count - 1), Header);
    loading_ = false;
}

void ColumnEditor::take(int row, int column)
{
    if (loading_)
        return;
    designer::Column c = designer::columnAt(table_, row);
    const QString text = grid_->item(row, column) ? grid_->item(row, column)->text().trimmed() : QString();
    switch (column) {
    case Header:
        c.header.expr = text;
        break;
    case Cell:
        c.cell.expr = text;
        break;
    case Width: {
        bool ok = false;
        const double mm = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
        c.cell.widthMm = ok && mm > 0 && mm < 2000 ? mm : 0;
        c.header.widthMm = c.cell.widthMm;
        break;
    }
    case Format:
        c.cell.format = text;
        break;
    default:
        return;
    }
    designer::setColumn(table_, row, c);
    if (column == Width) {
        loading_ = true;
        grid_->item(row, Width)->setText(widthText(c.cell.widthMm));
        loading_ = false;
    }
}

void ColumnEditor::addColumn()
{
    designer::Column column;
    column.header.expr = QStringLiteral("\"Spalte\"");
    column.header.font.bold = true;
    column.cell.widthMm = 20;
    column.header.widthMm = 20;
    const int at = grid_->currentRow() < 0 ? designer::columnCount(table_) : grid_->currentRow() + 1;
    designer::insertColumn(table_, at, column);
    fill();
    grid_->setCurrentCell(at, Header);
}

void ColumnEditor::removeColumn()
{
    const int row = grid_->currentRow();
    if (row < 0)
        return;
    designer::removeColumn(table_, row);
    fill();
}

void ColumnEditor::moveColumn(int delta)
{
    const int row = grid_->currentRow();
    const int to = row + delta;
    if (row < 0 || to < 0 || to >= designer::columnCount(table_))
        return;
    designer::moveColumn(table_, row, to);
    fill();
    grid_->setCurrentCell(to, Header);
}

} // namespace tb
