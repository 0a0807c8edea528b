#include "reportengine/designer/FilterAndSumsDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "reportengine/designer/DialogParts.h"

namespace tb {

FilterAndSumsDialog::FilterAndSumsDialog(QString filter, std::vector<SumDef> sums, Checker check,
                                         ExpressionDialog edit, QWidget *parent)
    : QDialog(parent), filter_(std::move(filter)), sums_(std::move(sums)), check_(std::move(check)),
      edit_(std::move(edit))
{
    setWindowTitle(QStringLiteral("Filter und Summen"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    auto *filterRow = new QHBoxLayout;
    filterEdit_ = new QLineEdit(filter_, this);
    auto *filterButton = new QToolButton(this);
    filterButton->setText(QStringLiteral("…"));
    filterRow->addWidget(filterEdit_);
    filterRow->addWidget(filterButton);
    form->addRow(QStringLiteral("Zeilenfilter"), filterRow);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("Summenvariablen"), this));
    grid_ = new QTableWidget(0, 3, this);
    grid_->setHorizontalHeaderLabels(
        {QStringLiteral("Name"), QStringLiteral("Formel"), QStringLiteral("Je Seite zurücksetzen")});
    grid_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    layout->addWidget(grid_, 1);
    auto *buttons = new QHBoxLayout;
    auto *add = new QPushButton(QStringLiteral("Summe hinzufügen"), this);
    auto *remove = new QPushButton(QStringLiteral("Summe entfernen"), this);
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();
    layout->addLayout(buttons);
    message_ = refusalLabel(this);
    layout->addWidget(message_);
    auto *box = okCancelButtons(this);
    layout->addWidget(box);

    connect(filterEdit_, &QLineEdit::editingFinished, this, [this] { setFilter(filterEdit_->text()); });
    connect(filterButton, &QToolButton::clicked, this, [this] {
        QString source = filter_;
        if (edit_ && edit_(source))
            setFilter(source);
    });
    connect(add, &QPushButton::clicked, this, [this] {
        int n = int(sums_.size()) + 1;
        while (!addSum(QStringLiteral("Summe%1").arg(n), QStringLiteral("0"), false) && n < 1000)
            ++n;
    });
    connect(remove, &QPushButton::clicked, this, [this] { removeSum(grid_->currentRow()); });
    connect(grid_, &QTableWidget::cellChanged, this, [this](int row, int column) {
        if (loading_ || row < 0 || row >= int(sums_.size()))
            return;
        SumDef &sum = sums_[size_t(row)];
        QTableWidgetItem *item = grid_->item(row, column);
        if (column == 0 && !item->text().trimmed().isEmpty())
            sum.name = item->text().trimmed();
        else if (column == 1) {
            const QString why = check_ ? check_(item->text().trimmed()) : QString();
            if (why.isEmpty())
                sum.expr = item->text().trimmed();
            else
                refuse(why);
        } else if (column == 2)
            sum.resetPerPage = item->checkState() == Qt::Checked;
        fill();
    });
    fill();
    resize(720, 420);
}

void FilterAndSumsDialog::refuse(const QString &why)
{
    refusal_ = why;
    message_->setText(why);
}

void FilterAndSumsDialog::fill()
{
    loading_ = true;
    filterEdit_->setText(filter_);
    grid_->setRowCount(int(sums_.size()));
    for (int row = 0; row < int(sums_.size()); ++row) {
        const SumDef &sum = sums_[size_t(row)];
        grid_->setItem(row, 0, new QTableWidgetItem(sum.name));
        grid_->setItem(row, 1, new QTableWidgetItem(sum.expr));
        auto *reset = new QTableWidgetItem;
        reset->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        reset->setCheckState(sum.resetPerPage ? Qt::Checked : Qt::Unchecked);
        grid_->setItem(row, 2, reset);
    }
    loading_ = false;
}

bool FilterAndSumsDialog::setFilter(const QString &source)
{
    const QString why = check_ ? check_(source.trimmed()) : QString();
    if (!why.isEmpty()) {
        refuse(why);
        fill();
        return false;
    }
    filter_ = source.trimmed();
    refuse(QString());
    fill();
    return true;
}

bool FilterAndSumsDialog::addSum(const QString &name, const QString &expr, bool resetPerPage)
{
    const bool taken = std::any_of(sums_.begin(), sums_.end(), [&](const SumDef &s) {
        return s.name.compare(name, Qt::CaseInsensitive) == 0;
    });
    if (name.trimmed().isEmpty() || taken) {
        refuse(QStringLiteral("Eine Summe braucht einen eigenen Namen."));
        return false;
    }
    const QString why = check_ ? check_(expr.trimmed()) : QString();
    if (!why.isEmpty()) {
        refuse(why);
        return false;
    }
    SumDef sum;
    sum.name = name.trimmed();
    sum.expr = expr.trimmed();
    sum.resetPerPage = resetPerPage;
    sums_.push_back(sum);
    refuse(QString());
    fill();
    return true;
}

void FilterAndSumsDialog::removeSum(int index)
{
    if (index < 0 || index >= int(sums_.size()))
        return;
    sums_.erase(sums_.begin() + index);
    fill();
}

} // namespace tb
