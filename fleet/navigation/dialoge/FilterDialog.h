#pragma once

#include <array>

#include <QComboBox>
#include <QLineEdit>

#include "dbe/DataSet.h"
#include "navigation/dialoge/NavDialogBase.h"
#include "navigation/filter/FilterRecords.h"

namespace nav {

constexpr int kFilterDialogRows = 10;

// The filter of one data set as up to ten rows of field, operator and
// operand, linked row to row by "Und" or "Oder". OK checks every row and
// keeps the dialog open on the first that does not fit.
class TFilterForm : public NavDialogBase {
    Q_OBJECT
public:
    TFilterForm(QWidget *owner, const TUserButton &userButton, dbe::TDataSet *dataSet);

    // The choosable fields: display label and field name.
    void SetFields(const QStringList &labels, const QStringList &names);
    // Shows a definition (field names, operator codes, operand texts with "..").
    void ShowDefinition(const TFilterDefinition &rows, int count);
    // Picks a field in a row as the user would.
    void ChooseField(int row, const QString &label);
    void DeleteRow(int row);
    // The rows taken on OK.
    const TFilterDefinition &Rows() const { return rows_; }
    int RowCount() const { return rowCount_; }

    std::array<QComboBox *, kFilterDialogRows> Feld{};
    std::array<QComboBox *, kFilterDialogRows> Operator{};
    std::array<QLineEdit *, kFilterDialogRows> Operant{};
    std::array<QComboBox *, kFilterDialogRows - 1> Verkn{};
    QPushButton *OKBtn;

protected:
    bool CheckClose(int result) override;

private:
    void fieldChanged(int row);
    void operatorChanged(int row);
    bool checkText(QWidget *control, const QString &text);

    dbe::TDataSet *dataSet_;
    QStringList labels_, names_;
    TFilterDefinition rows_{};
    int rowCount_ = 0;
};

// The operator texts by code (1..8) and back (0 when unknown).
QString filterOperatorName(int code);
int filterOperatorCode(const QString &name);

} // namespace nav
