#pragma once

#include <QString>
#include <QWidget>

namespace ui {
class DBGrid;
class TabSheet;
} // namespace ui

namespace fleet {

// One page of the main window: it lays out and owns its controls inside its
// tab sheet, sets them to their start state when the window is created, and
// answers the page change (entering, whether it may be left, leaving). Object
// names of the controls are the system's, so the window and the read-only
// switch find them by name.
class HauptSeite : public QWidget {
public:
    explicit HauptSeite(ui::TabSheet *tab);

    ui::TabSheet *tab() const { return tab_; }

    // Lays out the controls; called once, right after construction.
    virtual void aufbauen() = 0;
    // The controls' state when the window is created.
    virtual void anfangen() {}
    // The page became the active one.
    virtual void betreten() {}
    // Whether the page may be left: not while its table holds a new, unsaved
    // row; the user is told why.
    virtual bool verlassenErlaubt();
    // The page is being left.
    virtual void verlassen() {}
    // The page's grid with that object name, if it has one the rules may use.
    virtual ui::DBGrid *rasterFinden(const QString &name);

private:
    ui::TabSheet *tab_;
};

} // namespace fleet
