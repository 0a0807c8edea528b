#pragma once

#include <memory>

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "dbe/DataSource.h"
#include "navigation/dialoge/NavDialogBase.h"
#include "navigation/gemeinsam/ShortCut.h"

namespace nav {

class TDBVexarion;
class TDBVNavigator;
class TTableDefs;

// The frame the table view and the single-record view share: a data source,
// the view's own extender and navigator bar at the top, the status panel,
// OK, Cancel and the user button at the bottom. It moves the opening form's
// data set to the record shown (OK, and the back key of a modeless view).
class NavViewForm : public NavDialogBase {
    Q_OBJECT
public:
    struct Names {
        const char *form, *source, *extender, *status, *navigator;
    };
    NavViewForm(const Names &names, TSpecialFormType formType, const TUserButton &userButton, QWidget *owner,
                TTableDefs *tableDefs);
    ~NavViewForm() override;

    TTableDefs *TableDefs() const { return tableDefs_; }
    dbe::TDataSource *Source() const { return source_.get(); }
    TDBVexarion *Extender() const { return extender_; }
    TDBVNavigator *Navigator() const { return navigator_; }
    QLabel *StatusPanel() const { return status_; }

    // The view works on the form's data set itself: no Cancel, OK in its place.
    void SetSynchronised();
    bool Synchronised() const { return synchronised_; }
    // Shown modeless: Cancel and OK close it, closing frees it.
    void SetModeless(bool modeless) { modeless_ = modeless; }
    bool Modeless() const { return modeless_; }
    // The table definitions are gone or about to free the view: nothing to tell them.
    void ForgetTableDefs() { tableDefs_ = nullptr; }

    QString FocusFieldName;
    QPushButton *OKBtn = nullptr;
    QWidget *UserBtnPanel = nullptr;

    void OKBtnClick();
    void CancelBtnClick();
    // Puts the form's data set on the record shown; false when it is not found.
    bool MoveFormDataSet();

protected:
    // The view's own part goes between the bar and the buttons.
    QVBoxLayout *Body() const { return body_; }
    // Whether Escape may close the view now.
    virtual bool EscapeAllowed() const;

private:
    void formOnKeyPhysical(int key, TShiftState shift, bool &handled);

    TTableDefs *tableDefs_;
    std::unique_ptr<dbe::TDataSource> source_;
    TDBVexarion *extender_ = nullptr;
    TDBVNavigator *navigator_ = nullptr;
    QLabel *status_ = nullptr;
    QVBoxLayout *body_ = nullptr;
    bool synchronised_ = false;
    bool modeless_ = false;
};

} // namespace nav
