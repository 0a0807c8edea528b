#include "ui/FormBase.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>

#include "ui/Guard.h"

namespace ui {

FormBase::FormBase(const QString &name, QWidget *parent) : QDialog(parent)
{
    setObjectName(name);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
}

int FormBase::showModal()
{
    modalResult_ = mrNone;
    inModalLoop_ = true;
    setModal(true);
    exec();
    inModalLoop_ = false;
    setModal(false);
    if (modalResult_ == mrNone)
        modalResult_ = mrCancel;
    return modalResult_;
}

void FormBase::setModalResult(int result)
{
    modalResult_ = result;
    if (result != mrNone && inModalLoop_ && isVisible())
        done(result == mrOk ? Accepted : Rejected);
}

void FormBase::setButtonResult(QAbstractButton *button, int result)
{
    connect(button, &QAbstractButton::clicked, this, [this, result] { setModalResult(result); });
}

void FormBase::done(int result)
{
    if (closing_)
        return;
    closing_ = true;
    bool canClose = true;
    guard(this, [&] { emit formCloseQuery(canClose); });
    CloseAction action = CloseAction::Hide;
    if (canClose)
        guard(this, [&] { emit formClose(action); });
    closing_ = false;
    if (!canClose || action == CloseAction::None) {
        modalResult_ = mrNone;
        return;
    }
    if (action == CloseAction::Minimize) {
        modalResult_ = mrNone;
        showMinimized();
        return;
    }
    if (modalResult_ == mrNone)
        modalResult_ = result == Accepted ? mrOk : mrCancel;
    QDialog::done(result);
    if (action == CloseAction::Free)
        deleteLater();
}

namespace {
// The form whose formActivate ran last and whose formDeactivate has not.
QPointer<FormBase> activeForm;
} // namespace

bool FormBase::ownWindowActive() const
{
    // A message box or a file dialog of this form is no form of its own: the
    // form stays the active one meanwhile, and taking the activation back
    // when it closes is no new activation. (A form that shows a message from
    // its formActivate would otherwise show it again and again.)
    QWidget *aktiv = QApplication::activeWindow();
    if (!aktiv || aktiv == this || qobject_cast<FormBase *>(aktiv))
        return false;
    for (QWidget *w = aktiv->parentWidget(); w; w = w->parentWidget())
        if (w == this)
            return true;
    return false;
}

bool FormBase::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && activeForm != this) {
        // Qt activates the new window before it deactivates the old one; the
        // forms see it the other way round, so hooks taken over on activation
        // are given back first.
        if (FormBase *previous = activeForm) {
            activeForm = nullptr;
            guard(previous, [&] { emit previous->formDeactivate(); });
        }
        activeForm = this;
        guard(this, [&] { emit formActivate(); });
    } else if (event->type() == QEvent::WindowDeactivate && activeForm == this && !ownWindowActive()) {
        activeForm = nullptr;
        guard(this, [&] { emit formDeactivate(); });
    }
    return QDialog::event(event);
}

void FormBase::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    shown_ = true;
    enterBelongsToControls(this);
    guard(this, [&] { emit formShow(); });
}

void FormBase::enterBelongsToControls(QWidget *root)
{
    // Enter belongs to the controls (the navigation set moves on with it); only
    // a button made default on purpose takes it.
    for (QPushButton *button : root->findChildren<QPushButton *>())
        if (!button->isDefault())
            button->setAutoDefault(false);
}

void FormBase::controlsAdded(QWidget *root)
{
    if (shown_ && root)
        enterBelongsToControls(root);
}

void FormBase::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        guard(this, [&] { emit formHide(); });
}

void FormBase::closeEvent(QCloseEvent *event)
{
    if (isVisible())
        done(Rejected);
    if (isVisible())
        event->ignore();
    else
        event->accept();
}

void FormBase::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (cancelButton_ && cancelButton_->isEnabled())
            cancelButton_->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace ui
