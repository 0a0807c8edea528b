#pragma once

// What a walk through the running fleet program needs, shared by the walk
// test and the fleet-size walk bench: cautious answers to every box, the
// commands of the menu bar, the windows a command opened, and closing them.
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QWidgetList>

#include "ui/Messages.h"

class QAction;
class QMenuBar;
class QWidget;

namespace rundgang {

// Every box the program shows, answered as a cautious user would: OK where
// there is nothing else, otherwise No or Cancel. The texts are kept.
class VorsichtigeMeldungen : public ui::Messages {
public:
    QStringList texte;
    ui::Answer show(ui::MsgType, const QString &text, ui::MsgButtons knoepfe) override;
};

// Every command of the menu bar with its path ("Datei > Stammdaten > Fahrer"),
// in menu order; submenus are walked, separators left out.
QList<QPair<QString, QAction *>> MenueBefehle(const QMenuBar &leiste);

// The visible top-level windows but `ausser` (the main window), menus and tool tips.
QWidgetList SichtbareFenster(const QWidget *ausser);

// Closes a window as its own close or cancel button would; a modal form
// ends its loop with Cancel.
void FensterSchliessen(QWidget *fenster);

} // namespace rundgang
