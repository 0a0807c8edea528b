#include "navigation/dialoge/BookmarkDialog.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "ui/Connect.h"

namespace nav {

BookmarkMove bookmarkRowMove(const std::vector<int> &numbers, int fromRow, int toRow)
{
    BookmarkMove move;
    const auto number = [&](int row) { return numbers.at(static_cast<std::size_t>(row - 1)); };
    move.oldNumber = number(fromRow);
    const int lastRow = static_cast<int>(numbers.size());
    if (fromRow < toRow)
        move.newNumber = toRow == lastRow ? number(toRow) : number(toRow + 1) - 1;
    else
        move.newNumber = toRow > 1 ? number(toRow - 1) + 1 : 1;
    return move;
}

TBMForm::TBMForm(QWidget *owner, const TUserButton &userButton, TBMManager &manager)
    : NavDialogBase(QStringLiteral("BMForm"), sfBookmarks, userButton, owner), manager_(manager)
{
    setWindowTitle(QStringLiteral("Lesezeichen"));
    auto *layout = new QVBoxLayout(this);
    auto *group = new QGroupBox(QStringLiteral("Verfügbare Lesezeichen"), this);
    BMGrid = ui::make<QTableWidget>(this, "BMGrid", group);
    BMGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    BMGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    BMGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    BMGrid->verticalHeader()->setSectionsMovable(true);
    BMGrid->verticalHeader()->hide();
    (new QVBoxLayout(group))->addWidget(BMGrid);
    layout->addWidget(group);

    QStringList names;
    manager.GetFieldNames(names);
    QStringList header{QStringLiteral("Nr")};
    QList<int> widths;
    const QFontMetrics metrics = BMGrid->fontMetrics();
    const int zero = metrics.horizontalAdvance(QLatin1Char('0'));
    widths << std::max(2 * zero + 4, metrics.horizontalAdvance(header.first()) + 12);
    for (const QString &name : names) {
        dbe::TField *field = manager.DataSet() ? manager.DataSet()->FindField(name) : nullptr;
        const QString label = field ? field->DisplayLabel() : name;
        header << label;
        widths << std::max(zero * (field ? field->DisplayWidth() : 10) + 4,
                           metrics.horizontalAdvance(label) + 4);
    }
    BMGrid->setColumnCount(static_cast<int>(header.size()));
    BMGrid->setHorizontalHeaderLabels(header);
    for (int c = 0; c < widths.size(); ++c)
        BMGrid->setColumnWidth(c, widths[c]);

    DelBtn = ui::make<QPushButton>(this, "DelBtn", QStringLiteral("Löschen"), this);
    OKBtn = ui::make<QPushButton>(this, "OKBtn", QStringLiteral("&OK"), this);
    OKBtn->setDefault(true);
    setButtonResult(OKBtn, ui::mrOk);
    ui::on(DelBtn, &QPushButton::clicked, this, [this] { DelBtnClick(); });
    ui::on(BMGrid, &QTableWidget::cellDoubleClicked, this, [this] {
        if (OKBtn->isEnabled())
            OKBtn->click();
    });
    // Rows are dragged by their (hidden) header section; the visual move is
    // undone and replaced by the renumbered list.
    ui::on(BMGrid->verticalHeader(), &QHeaderView::sectionMoved, this, [this](int, int from, int to) {
        QHeaderView *rows = BMGrid->verticalHeader();
        const QSignalBlocker block(rows);
        rows->moveSection(to, from);
        BMGridRowMoved(from + 1, to + 1);
    });
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(DelBtn);
    buttons->addWidget(UserBtn);
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    layout->addLayout(buttons);
    FillGrid();
    resize(592, 314);
}

void TBMForm::FillGrid()
{
    BMGrid->setRowCount(0);
    const int count = manager_.Count();
    BMGrid->setRowCount(count);
    for (int i = 0; i < count; ++i) {
        const TBMItem &item = manager_.Items(i);
        BMGrid->setItem(i, 0, new QTableWidgetItem(QString::number(item.Number)));
        for (int v = 0; v < item.Values.size() && v + 1 < BMGrid->columnCount(); ++v)
            BMGrid->setItem(i, v + 1, new QTableWidgetItem(item.Values[v]));
    }
    if (count > 0 && BMGrid->currentRow() < 0)
        BMGrid->selectRow(0);
    DelBtn->setEnabled(count > 0);
    OKBtn->setEnabled(count > 0);
}

void TBMForm::BMGridRowMoved(int fromRow, int toRow)
{
    if (fromRow == toRow || fromRow < 1 || toRow < 1 || fromRow > manager_.Count() ||
        toRow > manager_.Count())
        return;
    std::vector<int> numbers;
    for (int i = 0; i < manager_.Count(); ++i)
        numbers.push_back(manager_.Items(i).Number);
    const BookmarkMove move = bookmarkRowMove(numbers, fromRow, toRow);
    manager_.Renumber(move.oldNumber, move.newNumber);
    FillGrid();
}

void TBMForm::DelBtnClick()
{
    const int number = SelectedNumber();
    if (number == 0)
        return;
    manager_.DeleteBookmark(number);
    FillGrid();
}

int TBMForm::SelectedNumber() const
{
    const int row = BMGrid->currentRow();
    if (row < 0 || row >= manager_.Count())
        return 0;
    return manager_.Items(row).Number;
}

} // namespace nav
