#include "DruckSchleifen.h"

#include "Tb6.h"
#include "dbe/DataSet.h"
#include "reportengine/EngineTypes.h"
#include "ui/Messages.h"

namespace reporting {

namespace {

// The rows the loop walks: records of a table, or a counted selection.
struct Zeilen {
    int anzahl = 0;
    std::function<bool()> amEnde;
    std::function<void()> erste;
    std::function<void()> naechste;
    std::function<void()> definieren;
};

// Ends the engine's run on every way out after a successful start: an exception from a row
// definer must not leave the job busy for the next report.
class LaufEnde {
public:
    explicit LaufEnde(TTb6_ &tb) : tb_(tb) {}
    ~LaufEnde()
    {
        if (!beendet_)
            tb_.PrintEnd(0);
    }
    // The regular end; the engine's result.
    int beenden()
    {
        beendet_ = true;
        return tb_.PrintEnd(0);
    }
    LaufEnde(const LaufEnde &) = delete;
    LaufEnde &operator=(const LaufEnde &) = delete;

private:
    TTb6_ &tb_;
    bool beendet_ = false;
};

// A result that means the run did not print what it should: negative, but neither "page full" nor
// the user's abort.
bool fehler(int ergebnis)
{
    return ergebnis < 0 && ergebnis != tb::TB_WRN_REPEAT_DATA && ergebnis != tb::TB_ERR_USER_ABORTED;
}

// Starts the run; false (after ending it and telling the user) when the engine refuses.
bool starten(const DruckLauf &lauf, int objektArt)
{
    const int start = lauf.tb.PrintWithBoxStart(
        objektArt, lauf.projektDatei, lauf.vorschau ? tb::TB_PRINT_PREVIEW : tb::TB_PRINT_PRINTER, 1,
        lauf.fenster, lauf.vorschau ? QStringLiteral("Drucke in Vorschau...") : QStringLiteral("Drucke..."));
    if (lauf.vorschau)
        lauf.tb.PreviewSetTempPath(QString());
    if (start == 0)
        return true;
    const QString grund = lauf.tb.ErrorText();
    lauf.tb.PrintEnd(0);
    if (start == tb::TB_ERR_BAD_PROJECT)
        ui::messages().error(grund.isEmpty() ? QStringLiteral("Fehlerhafter Report")
                                             : QStringLiteral("Fehlerhafter Report:\n%1").arg(grund));
    else
        ui::messages().error(QStringLiteral("Fehler beim drucken..."));
    return false;
}

bool optionenBestaetigt(const DruckLauf &lauf, long seiten)
{
    const QString text = (lauf.vorschau ? QStringLiteral("Drucke in Vorschau\nCa. %1 Seite(n)")
                                        : QStringLiteral("Drucke\nCa. %1 Seite(n)"))
                             .arg(seiten);
    return lauf.tb.PrintOptionsDialog(lauf.fenster, text) == 0;
}

// After the end of the run: a failed run is told, a good one shown in the preview.
void abschliessen(const DruckLauf &lauf, bool fehlgeschlagen)
{
    if (fehlgeschlagen) {
        ui::messages().error(QStringLiteral("Fehler beim drucken..."));
        return;
    }
    if (!lauf.vorschau)
        return;
    lauf.tb.PreviewDisplay(lauf.projektDatei, QString(), lauf.fenster);
    lauf.tb.PreviewDeleteFiles(lauf.projektDatei, QString());
}

void listeDrucken(const DruckLauf &lauf, Zeilen &zeilen)
{
    TTb6_ &tb = lauf.tb;
    if (!starten(lauf, tb::TB_OBJECT_LIST))
        return;
    LaufEnde ende(tb);
    const int proTabelle = tb.PrintGetItemsPerTable();
    const long seiten = (proTabelle > 0 ? zeilen.anzahl / proTabelle : 0) + 1;
    if (!optionenBestaetigt(lauf, seiten))
        return; // cancelled: the run ends without a word
    const int letzte = tb.PrintGetOption(tb::popt::LastPage);
    const long gesamt =
        letzte == tb::TB_PAGE_OPEN
            ? zeilen.anzahl
            : long(letzte - tb.PrintGetOption(tb::popt::FirstPage) + 1) * tb.PrintGetItemsPerPage();
    QString drucker, port;
    tb.PrintGetPrinterInfo(drucker, 256, port, 81);

    zeilen.erste();
    long zeile = 1;
    int ergebnis = 0;
    bool fehlgeschlagen = false;
    auto weiter = [&] { return tb.PrintGetOption(tb::popt::LastPage) >= tb.PrintGetCurrentPage(); };
    while (!zeilen.amEnde() && (ergebnis == 0 || ergebnis == tb::TB_WRN_REPEAT_DATA) && weiter()) {
        // A page whose own variables do not fit answers "page full": the next page is tried
        // without rows.
        ergebnis = tb.PrintPage();
        fehlgeschlagen = fehlgeschlagen || fehler(ergebnis);
        while (!zeilen.amEnde() && ergebnis == 0 && weiter()) {
            // With no total (no rows per page, or a page range ending before it starts) show 0 %.
            const int prozent = gesamt > 0 ? int(zeile * 100 / gesamt) : 0;
            tb.PrintSetBoxText(QStringLiteral("Drucke auf %1").arg(drucker), prozent);
            zeilen.definieren();
            ergebnis = tb.PrintFields();
            fehlgeschlagen = fehlgeschlagen || fehler(ergebnis);
            if (ergebnis == 0) {
                zeilen.naechste();
                ++zeile;
            }
        }
    }
    int fuss = tb.PrintFieldsEnd();
    if (fuss == tb::TB_WRN_REPEAT_DATA)
        fuss = tb.PrintFieldsEnd();
    fehlgeschlagen = fehlgeschlagen || fehler(fuss);
    if (fuss == tb::TB_WRN_REPEAT_DATA)
        ui::messages().titled(ui::MsgType::Warning, QStringLiteral("Tabulon Sample App"),
                              QStringLiteral("Error because table is too small for footer!"));
    fehlgeschlagen = fehler(ende.beenden()) || fehlgeschlagen;
    abschliessen(lauf, fehlgeschlagen);
}

} // namespace

void PrintListReport(const DruckLauf &lauf, dbe::TDataSet &daten, const ZeilenDefinierer &zeile,
                     const Ueberspringen &ueberspringen)
{
    Zeilen zeilen;
    zeilen.anzahl = daten.RecordCount();
    zeilen.amEnde = [&] { return daten.Eof(); };
    zeilen.erste = [&] {
        daten.First();
        if (ueberspringen)
            ueberspringen();
    };
    zeilen.naechste = [&] {
        daten.Next();
        if (ueberspringen)
            ueberspringen();
    };
    zeilen.definieren = zeile;
    listeDrucken(lauf, zeilen);
}

void PrintSelectedRows(const DruckLauf &lauf, int anzahl, const std::function<void(int)> &zeile)
{
    int i = 0;
    Zeilen zeilen;
    zeilen.anzahl = anzahl;
    zeilen.amEnde = [&] { return i >= anzahl; };
    zeilen.erste = [&] { i = 0; };
    zeilen.naechste = [&] { ++i; };
    zeilen.definieren = [&] { zeile(i); };
    listeDrucken(lauf, zeilen);
}

void PrintCardReport(const DruckLauf &lauf, const std::function<void()> &variablen)
{
    if (!starten(lauf, tb::TB_OBJECT_CARD))
        return;
    LaufEnde ende(lauf.tb);
    if (!optionenBestaetigt(lauf, 1))
        return;
    if (variablen)
        variablen();
    const bool fehlgeschlagen = fehler(lauf.tb.PrintPage());
    abschliessen(lauf, fehler(ende.beenden()) || fehlgeschlagen);
}

} // namespace reporting
