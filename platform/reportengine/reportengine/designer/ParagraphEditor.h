#pragma once

#include <functional>
#include <vector>

#include <QDialog>

#include "reportengine/Project.h"

class QCheckBox;
class QLabel;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QLineEdit;
class QListWidget;

namespace tb {

// The paragraphs of a text object: each an expression with font, alignment, word wrap and
// "suppress if empty". Works on a copy; the caller takes `paragraphs()` when it is accepted.
// A paragraph shows the font a print will use: what it sets itself, the rest from `inherited`
// (the object's font over the project's); only what the user changes becomes its own.
class ParagraphEditor : public QDialog {
    Q_OBJECT
public:
    ParagraphEditor(std::vector<Paragraph> paragraphs, FontSpec inherited, QWidget *parent = nullptr);

    // Checks an expression (empty = it may be taken, else why not) and opens the expression editor.
    void setExpressionTools(std::function<QString(const QString &)> check,
                            std::function<bool(QString &source)> edit);
    const std::vector<Paragraph> &paragraphs() const { return paragraphs_; }
    QString lastRefusal() const { return refusal_; }
    void setCurrent(int row);
    int current() const { return current_; }
    QLineEdit *expressionEdit() const { return expr_; }
    void addParagraph();
    void removeParagraph();
    void moveParagraph(int delta);

private:
    void load();
    void store();
    void fillList();

    std::vector<Paragraph> paragraphs_;
    FontSpec inherited_;
    std::function<QString(const QString &)> check_;
    std::function<bool(QString &)> editExpression_;
    QString refusal_;
    QLabel *message_;
    int current_ = -1;
    bool loading_ = false;
    QListWidget *list_;
    QLineEdit *expr_;
    QFontComboBox *family_;
    QDoubleSpinBox *size_;
    QCheckBox *bold_, *italic_;
    QComboBox *align_;
    QCheckBox *wrap_;
    QCheckBox *suppress_;
};

} // namespace tb
