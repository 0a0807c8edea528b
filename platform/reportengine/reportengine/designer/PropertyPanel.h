#pragma once

#include <functional>

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QFormLayout;
class QLineEdit;
class QPushButton;

namespace tb {

class ColorEdit;
class DesignerDocument;
struct PageObject;

// The properties of the selected object: name, place and size in mm, font, alignment, frame,
// background, layer, appearance condition, and for pictures the file or expression and the aspect.
// Each edit is one undo step of the document.
class PropertyPanel : public QWidget {
    Q_OBJECT
public:
    explicit PropertyPanel(DesignerDocument &document, QWidget *parent = nullptr);

    // Checks an expression (empty = it may be taken, else why not) and opens the expression editor.
    void setExpressionTools(std::function<QString(const QString &)> check,
                            std::function<bool(QString &source)> edit);

    // Shows the object (-1: nothing selected).
    void showObject(int index);
    int objectIndex() const { return index_; }

    // The editors by their captions, for the window's tests.
    QLineEdit *nameEdit() const { return name_; }
    QDoubleSpinBox *geometryEdit(int part) const; // 0 x, 1 y, 2 width, 3 height
    QDoubleSpinBox *fontSizeEdit() const { return fontSize_; }
    QLineEdit *conditionEdit() const { return condition_; }

signals:
    void refused(const QString &reason);
    void paragraphsRequested(int index);
    void columnsRequested(int index);

private:
    void refresh();
    void commit(const std::function<void(PageObject &)> &change);
    bool takeExpression(QLineEdit *edit, QString PageObject::*member);

    DesignerDocument &document_;
    std::function<QString(const QString &)> check_;
    std::function<bool(QString &)> editExpression_;
    int index_ = -1;
    bool loading_ = false;
    QFormLayout *form_;
    QLineEdit *type_;
    QLineEdit *name_;
    QDoubleSpinBox *geometry_[4];
    QFontComboBox *fontFamily_;
    QDoubleSpinBox *fontSize_;
    QCheckBox *bold_, *italic_, *underline_;
    QComboBox *align_;
    ColorEdit *frame_;
    QDoubleSpinBox *frameWidth_;
    ColorEdit *background_;
    QComboBox *layer_;
    QLineEdit *condition_;
    QLineEdit *file_;
    QLineEdit *fileExpr_;
    QCheckBox *keepAspect_;
    QPushButton *paragraphs_;
    QPushButton *columns_;
};

// A colour as "#RRGGBB" text (empty = none) with a button for the colour dialog.
class ColorEdit : public QWidget {
    Q_OBJECT
public:
    explicit ColorEdit(QWidget *parent = nullptr);
    void setColor(const QColor &color);
    QColor color() const;
    QLineEdit *edit() const { return edit_; }

signals:
    void edited();

private:
    QLineEdit *edit_;
};

} // namespace tb
