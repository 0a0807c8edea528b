#include "formulare/seiten/DetailKnoepfe.h"

#include <exception>

#include "dbe/Table.h"
#include "dienste/Protokoll.h"
#include "regeln/FeldPositionen.h"
#include "ui/DBGrid.h"
#include "ui/Messages.h"

namespace fleet::seiten {

namespace {

bool offen(const dbe::TTable &tabelle)
{
    return tabelle.State() == dbe::TDataSetState::dsEdit || tabelle.State() == dbe::TDataSetState::dsInsert;
}

} // namespace

void ZeileBeginnen(ui::DBGrid &grid, const QString &feld)
{
    grid.setFocus();
    GridSpalteWaehlen(grid, feld);
}

void Speichern(dbe::TTable &tabelle)
{
    if (!offen(tabelle))
        return;
    // A refusing rule has shown its message.
    try {
        tabelle.Post();
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
    }
}

void Loeschen(dbe::TTable &tabelle, const QString &frage, const QString &fehler)
{
    if (tabelle.State() == dbe::TDataSetState::dsInsert) {
        tabelle.Cancel();
        return;
    }
    if (!ui::messages().question(frage))
        return;
    try {
        tabelle.Delete();
    } catch (...) {
        ui::messages().error(fehler);
    }
}

} // namespace fleet::seiten
