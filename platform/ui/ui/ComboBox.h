#pragma once

#include <QComboBox>
#include <QPointer>

class QLineEdit;

namespace ui {

// A list box that drops down. onChange fires when the user picks an item or
// types into the box; setting the item or the text in code fires nothing.
class ComboBox : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(int itemIndex READ itemIndex WRITE setItemIndex)
public:
    explicit ComboBox(QWidget *parent = nullptr);

    int itemIndex() const { return currentIndex(); }
    void setItemIndex(int index) { setCurrentIndex(index); }
    QString text() const { return currentText(); }
    void setText(const QString &text);
    // Editable boxes take typed text (their typing fires onChange too).
    void setEditable(bool editable);

signals:
    void onChange();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The completion of typed text from the list, made when the user first
    // comes to the box or types into it.
    void makeCompleter();

    QLineEdit *connectedEditor_ = nullptr;
    QPointer<QLineEdit> editorWithoutCompleter_; // gone when the box stops being editable
};

} // namespace ui
