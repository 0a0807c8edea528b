#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ui {

// The small non-modal find dialog: a search text, whole-word and match-case
// options, the direction; "Weitersuchen" emits find() and leaves it open.
// Its options are offered; what a search makes of them is the caller's choice.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(QWidget *parent = nullptr);

    QString findText() const;
    void setFindText(const QString &text);
    bool wholeWord() const;
    bool matchCase() const;
    bool down() const;
    // Shows the dialog non-modally (again) with the search text selected.
    void execute();

    QLineEdit *textEdit() const { return text_; }
    QPushButton *findButton() const { return find_; }

signals:
    void find();

private:
    QLineEdit *text_;
    QCheckBox *wholeWord_;
    QCheckBox *matchCase_;
    QRadioButton *down_;
    QPushButton *find_;
};

} // namespace ui
