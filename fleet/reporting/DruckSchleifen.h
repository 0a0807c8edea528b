#pragma once

#include <functional>

#include <QString>

class QWidget;

namespace dbe {
class TDataSet;
}

namespace reporting {

class TTb6_;

// One print or preview run on the main window's engine component: the project (a name relative to
// the program directory) and the parent window of the engine's dialogs.
struct DruckLauf {
    TTb6_ &tb;
    QString projektDatei;
    QWidget *fenster = nullptr;
    bool vorschau = false;
};

// Defines the fields of the current record (row mode).
using ZeilenDefinierer = std::function<void()>;
// Skips records that are not to be printed, starting at the current one (report 24).
using Ueberspringen = std::function<void()>;

// One table row per record of `daten`, from its first record on. A row that does not fit on the page
// is printed again on the next page; the run stops after the last page the user chose.
void PrintListReport(const DruckLauf &lauf, dbe::TDataSet &daten, const ZeilenDefinierer &zeile,
                     const Ueberspringen &ueberspringen = {});

// The same loop over `anzahl` rows that are not records of one table (the selected rows of a grid);
// `zeile` defines the fields of row i (0-based).
void PrintSelectedRows(const DruckLauf &lauf, int anzahl, const std::function<void(int)> &zeile);

// One page of variables; `variablen` defines them again right before the page (may be empty).
void PrintCardReport(const DruckLauf &lauf, const std::function<void()> &variablen);

} // namespace reporting
