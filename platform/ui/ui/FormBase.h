#pragma once

#include <memory>
#include <utility>

#include <QDialog>

class QAbstractButton;

namespace ui {

// The modal results of the platform; Cancel is what the close box gives,
// Abort is a result of its own.
enum ModalResult {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
};

// What closing does with the form (decided by the formClose handlers).
enum class CloseAction { None, Hide, Free, Minimize };

// Base of every form: a top-level window named as the system names the form
// (objectName), shown modal or modeless. Its events are signals that the
// form's handlers connect to (with ui::on); each is emitted inside the guard.
//  - formShow / formHide: every time the form is shown or hidden;
//  - formActivate / formDeactivate: the form becomes / stops being the active
//    window; the form that loses the activation hears of it first;
//  - formCloseQuery(canClose): any way of closing asks first;
//  - formClose(action): the form closes; action None keeps it open, Free deletes it.
// A modal form ends when its modal result is set (a button's result, or
// setModalResult); the close box ends it with mrCancel.
class FormBase : public QDialog {
    Q_OBJECT
public:
    explicit FormBase(const QString &name, QWidget *parent = nullptr);

    int showModal();
    int modalResult() const { return modalResult_; }
    void setModalResult(int result);
    // A button that ends the modal form with this result when clicked.
    void setButtonResult(QAbstractButton *button, int result);
    // The button that Escape clicks (none: Escape does nothing).
    void setCancelButton(QAbstractButton *button) { cancelButton_ = button; }
    // Controls made below `root` after the form was shown get what showing
    // gave the others (Enter stays with the controls).
    void controlsAdded(QWidget *root);

signals:
    void formShow();
    void formHide();
    void formActivate();
    void formDeactivate();
    void formCloseQuery(bool &canClose);
    void formClose(ui::CloseAction &action);

public slots:
    void done(int result) override;

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Whether the active window is a window of this form that is no form
    // (a message box, a file dialog).
    bool ownWindowActive() const;
    static void enterBelongsToControls(QWidget *root);

    int modalResult_ = mrNone;
    bool shown_ = false;
    bool inModalLoop_ = false;
    bool closing_ = false;
    QAbstractButton *cancelButton_ = nullptr;
};

// Creates a component of a form with its system name as objectName.
template <class Widget, class... Args> Widget *make(QObject *parent, const char *name, Args &&...args)
{
    auto *widget = new Widget(std::forward<Args>(args)...);
    if constexpr (std::is_base_of_v<QWidget, Widget>) {
        // A popup menu stays a popup; everything else becomes a child control.
        Qt::WindowFlags flags = widget->windowFlags();
        if ((flags & Qt::WindowType_Mask) == Qt::Window)
            flags = Qt::Widget;
        widget->setParent(qobject_cast<QWidget *>(parent), flags);
    } else {
        widget->setParent(parent);
    }
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A form made on first use, with the created flag the system keeps beside it.
template <class Form> class FormOnFirstUse {
public:
    bool created() const { return form_ != nullptr; }
    Form *instance() const { return form_.get(); }
    template <class... Args> Form &get(Args &&...args)
    {
        if (!form_)
            form_ = std::make_unique<Form>(std::forward<Args>(args)...);
        return *form_;
    }
    void destroy() { form_.reset(); }

private:
    std::unique_ptr<Form> form_;
};

} // namespace ui
