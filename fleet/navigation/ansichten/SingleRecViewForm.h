#pragma once

#include <memory>
#include <vector>

#include <QAction>
#include <QList>
#include <QMenu>
#include <QScrollArea>
#include <QSize>

#include "navigation/ansichten/NavViewForm.h"
#include "navigation/ansichten/SingleRecLayout.h"
#include "navigation/erweiterung/DBVexarion.h"

namespace nav {

// The single-record view: one labelled data-aware control per field, built
// at run time and laid out side by side or one below the other; the layout
// menu switches between the four layouts.
class TSingleRecViewForm : public NavViewForm {
    Q_OBJECT
public:
    TSingleRecViewForm(QWidget *owner, const TFormEventRec &options, TTableDefs *tableDefs);
    ~TSingleRecViewForm() override;

    dbe::TDataSource *SRSource = nullptr;
    TDBVexarion *SRDBVexarion = nullptr;
    TDBVNavigator *SRNav = nullptr;
    QLabel *ORStatusPanel = nullptr;
    QScrollArea *ScrollBox = nullptr;
    QWidget *ScrollContent = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *piHoriz = nullptr, *piVert = nullptr, *piVertTop = nullptr, *piVertLeftLeft = nullptr,
            *piVertLeftRight = nullptr;

    TFormEventRec Options;
    bool Ready = false;
    bool ControlsBuilt = false;
    bool Rebuilding = false;
    bool Resizing = false;
    int LastWidth = 0;
    int ContentHeight = 0;
    QList<dbe::TField *> Fields;
    QList<QWidget *> Controls;
    QList<QLabel *> Labels;

    void Rebuild();
    void BuildControls();
    // Drops labels and controls; the next Rebuild builds them again.
    void DropControls();
    // A synchronised view after its data set changed under it.
    void ResyncControls();
    void FocusField(dbe::TField *field);
    void LayoutItemClick(QAction *item);
    // How often Rebuild ran (the resize rule's effect).
    int RebuildCount() const { return rebuildCount_; }

    // The control class of a field; none for fields the view does not show.
    const QMetaObject *ControlClassForField(dbe::TField *field) const;

protected:
    bool EscapeAllowed() const override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void formShow();
    void postRebuild();
    QWidget *createControl(const QMetaObject *cls, dbe::TField *field);
    void InitControl(QWidget *control, dbe::TField *field);
    void AssignAccelerators();
    void measureReferences();
    void layoutControls();
    QAction *itemOfLayout(TSingleRecLayout layout) const;

    QAction *LayoutItem = nullptr;
    std::vector<std::unique_ptr<dbe::TDataSource>> lookupSources_;
    srv::Metrics metrics_;
    QSize memoSize_, imageSize_, checkSize_;
    int rebuildCount_ = 0;
};

} // namespace nav
