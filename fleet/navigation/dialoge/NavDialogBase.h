#pragma once

#include <functional>
#include <initializer_list>

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QString>

#include "ui/FormBase.h"

namespace nav {

// Which dialog an extender announces (TFormEventRec::FormType).
enum TSpecialFormType : int {
    sfTableView = 0,
    sfMemo = 1,
    sfBookmarks = 2,
    sfLookUp = 3,
    sfFilter = 4,
    sfSearch = 5,
    sfGraphic = 6,
    sfIndex = 7,
    sfSingleRecord = 8,
};

// The optional extra button of a dialog.
struct TUserButton {
    QString Caption; // empty: no extra button
    QString Hint;
    std::function<void(QWidget *dialog)> OnClick;
};

// What every dialog of the set shares: its form type, the user button, the
// relays of show and close-query to the extender, and a cancel button with
// the caption "Abbruch".
class NavDialogBase : public ui::FormBase {
    Q_OBJECT
public:
    NavDialogBase(const QString &name, TSpecialFormType formType, const TUserButton &userButton,
                  QWidget *owner);

    TSpecialFormType FormType() const { return formType_; }
    std::function<void(QWidget *form, int formType)> ShowRelay;
    std::function<void(QWidget *form, int formType, bool &canClose)> CloseQueryRelay;
    // Buttons without images (the extender's HideBtnGlyphs).
    virtual void SetPlainButtons();

protected:
    // The bottom row: the user button at the left, the given buttons and
    // Cancel at the right.
    void addButtonRow(QBoxLayout *layout, std::initializer_list<QPushButton *> right);
    // The user button in a panel of its own (UserBtnPanel), hidden without a caption.
    QWidget *makeUserButtonPanel();
    // A sunken panel for status and messages.
    QLabel *makePanelLabel(const char *name);
    // Checks before the dialog closes with the given result; false keeps it open.
    virtual bool CheckClose(int /*result*/) { return true; }

public:
    QPushButton *UserBtn = nullptr;
    QPushButton *CancelBtn = nullptr;

    bool OwnerStaysOnTop() const { return ownerStaysOnTop_; }

private:
    TSpecialFormType formType_;
    bool ownerStaysOnTop_ = false;
};

} // namespace nav
