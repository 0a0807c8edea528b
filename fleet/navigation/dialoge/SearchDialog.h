#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "navigation/dialoge/NavDialogBase.h"

namespace nav {

// Closes the search dialog for "search again".
constexpr int kSearchNextResult = 25;

// The value search: field, text and options; "Suchen" closes with OK,
// "&Weitersuchen" with 25.
class TSrchForm : public NavDialogBase {
    Q_OBJECT
public:
    TSrchForm(QWidget *owner, const TUserButton &userButton);

    QComboBox *FieldListBox;
    QLineEdit *SrchEdit;
    QCheckBox *RegardCaseCheck;
    QCheckBox *SearchDown;
    QPushButton *SrchBtn;
    QPushButton *SrchNextBtn;
};

} // namespace nav
