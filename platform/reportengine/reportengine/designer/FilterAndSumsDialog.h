#pragma once

#include <functional>

#include <QDialog>

#include "reportengine/Project.h"

class QLabel;
class QLineEdit;
class QTableWidget;

namespace tb {

// The project's row filter and its sum variables (name, expression, reset per page or never).
// Expressions are checked as they are entered. Works on a copy.
class FilterAndSumsDialog : public QDialog {
    Q_OBJECT
public:
    using Checker = std::function<QString(const QString &source)>;
    using ExpressionDialog = std::function<bool(QString &source)>;

    FilterAndSumsDialog(QString filter, std::vector<SumDef> sums, Checker check, ExpressionDialog edit,
                        QWidget *parent = nullptr);

    const QString &filter() const { return filter_; }
    const std::vector<SumDef> &sums() const { return sums_; }
    bool setFilter(const QString &source);
    // Adds a sum; false when the name is empty or taken or the expression is refused.
    bool addSum(const QString &name, const QString &expr, bool resetPerPage);
    void removeSum(int index);
    QString lastRefusal() const { return refusal_; }

private:
    void fill();
    void refuse(const QString &why);

    QString filter_;
    std::vector<SumDef> sums_;
    Checker check_;
    ExpressionDialog edit_;
    QString refusal_;
    bool loading_ = false;
    QLineEdit *filterEdit_;
    QTableWidget *grid_;
    QLabel *message_;
};

} // namespace tb
