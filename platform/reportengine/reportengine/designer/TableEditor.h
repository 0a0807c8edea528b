#pragma once

#include <functional>

#include <QDialog>

#include "reportengine/Project.h"

class QLabel;
class QLineEdit;
class QTableWidget;
class QTreeWidget;

namespace tb {

class ColorEdit;

// The whole table: header lines, row definitions with their appearance conditions, footer lines;
// per cell expression, width, alignment, format, wrap, font and background; per line the rules above
// and below; the zebra colour. Expressions are checked as they are entered. Works on a copy.
class TableEditor : public QDialog {
    Q_OBJECT
public:
    enum Group { Header, Rows, Footer };
    enum CellField { Expr, Width, Alignment, Format, Wrap, Bold, FontSize, Background, CellFieldCount };
    // Checks an expression: empty when it may be taken, else why not.
    using Checker = std::function<QString(const QString &source)>;
    // Opens the expression editor on a source; false when cancelled.
    using ExpressionDialog = std::function<bool(QString &source)>;

    TableEditor(TableDef table, bool multipleRows, Checker check, ExpressionDialog edit,
                QWidget *parent = nullptr);

    const TableDef &table() const { return table_; }
    // The line being edited; false when there is none such.
    bool selectLine(Group group, int line);
    // Adds a line to the group after the selected one and selects it; false when refused (a second
    // row definition without option 20).
    bool addLine(Group group);
    void removeLine();
    bool setCondition(const QString &source);
    bool setCell(int cell, CellField field, const QString &text);
    void addCell();
    void removeCell(int cell);
    QString lastRefusal() const { return refusal_; }
    QTableWidget *cells() const { return cells_; }

private:
    std::vector<LineDef> &lines(Group group);
    LineDef *current();
    void fillTree();
    void fillLine();
    void refuse(const QString &why);

    TableDef table_;
    bool multipleRows_;
    Checker check_;
    ExpressionDialog edit_;
    Group group_ = Rows;
    int line_ = -1;
    bool loading_ = false;
    QString refusal_;
    QTreeWidget *tree_;
    QLineEdit *condition_;
    QTableWidget *cells_;
    QLineEdit *ruleAbove_;
    QLineEdit *ruleBelow_;
    ColorEdit *lineBackground_;
    ColorEdit *zebra_;
    QLabel *message_;
};

} // namespace tb
