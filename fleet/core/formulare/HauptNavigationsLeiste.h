#pragma once

#include <functional>
#include <map>

#include <QWidget>

#include "formulare/HauptNavigation.h"
#include "ui/Messages.h"

class QToolButton;

namespace dbe {
class TDataSource;
}

namespace fleet {

// The main window's navigator bar until the navigation set takes its place:
// moves through the vehicles, inserts, deletes (after its question), posts and
// cancels, and switches global edit. Every command runs between the window's
// before and after events; database errors go to the window's message event
// first.
class HauptNavigationsLeiste : public QWidget, public HauptNavigation {
public:
    struct Ereignisse {
        std::function<void(nav::TDBVNavigateBtn)> vorher, nachher;
        std::function<void(const QString &, ui::MsgType, bool &)> meldung;
    };

    HauptNavigationsLeiste(dbe::TDataSource &quelle, Ereignisse ereignisse, QWidget *parent = nullptr);

    bool GlobalEdit() const override { return globalEdit_; }
    bool FilterAktiv() const override;
    unsigned AllowKeys() const override { return allowKeys_; }
    void SetAllowKeys(unsigned keys) override { allowKeys_ = keys; }
    void SetManageGlobalEdit(bool manage) override { manageGlobalEdit_ = manage; }
    void SetTableIndex(dbe::TTable &table, const QString &indexName) override;
    void ClickNavButton(nav::TDBVNavigateBtn button) override;
    void NavigatorFreigeben(bool freigeben) override { setEnabled(freigeben); }
    // This bar has no search.
    void SetStayOnMasterSource(nav::TStayOnMasterSource) override {}
    bool SuchenMoeglich() const override { return false; }
    void Suchen() override {}

private:
    void ausfuehren(nav::TDBVNavigateBtn button);
    void knoepfeAktualisieren();

    dbe::TDataSource &quelle_;
    Ereignisse ereignisse_;
    bool globalEdit_ = false;
    bool manageGlobalEdit_ = false;
    unsigned allowKeys_ = 0x7FFF;
    std::map<nav::TDBVNavigateBtn, QToolButton *> knoepfe_;
};

} // namespace fleet
