#pragma once

#include <functional>

#include <QDialog>

#include "reportengine/designer/DesignerSession.h"
#include "reportengine/designer/ExpressionCheck.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tb {

class NameBrowser;

// Every expression, condition and filter is edited here: the text, the functions this run allows,
// the defined names, a syntax check with the position of the fault and the value with the sample
// values. An expression that does not pass cannot be accepted.
class ExpressionEditor : public QDialog {
    Q_OBJECT
public:
    ExpressionEditor(const QString &source, const DesignerSettings &settings, const Project &project,
                     const QString &projectFile, std::function<intptr_t(unsigned, intptr_t)> raise,
                     QWidget *parent = nullptr);

    QString source() const;
    void setSource(const QString &source);
    const designer::ExpressionCheck &check() const { return check_; }
    // Inserts at the cursor (a name or a function from the lists).
    void insert(const QString &text);
    QLineEdit *edit() const { return edit_; }
    QLabel *result() const { return result_; }
    QListWidget *functionList() const { return functions_; }
    NameBrowser *names() const { return names_; }
    QPushButton *okButton() const { return ok_; }

private:
    void recheck();

    const DesignerSettings &settings_;
    const Project &project_;
    QString projectFile_;
    designer::ExpressionCheck check_;
    QLineEdit *edit_;
    QListWidget *functions_;
    NameBrowser *names_;
    QLabel *result_;
    QPushButton *ok_;
};

} // namespace tb
