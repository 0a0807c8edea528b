#pragma once

#include "formulare/seiten/RasterSeite.h"
#include "dienste/ReportDienste.h"
#include "regeln/DetailVerknuepfung.h"

class QPushButton;

namespace dbe {
class TTable;
}

namespace fleet {

// What tells the history page and the damage page apart: the table, the
// names of the buttons, the column a new row starts in, the link field, the
// report and every message.
struct AktenBeschreibung {
    VerknuepfungsSeite art;
    QString knopfName;   // "Historie" gives "BtnHistorieNeu", "BitBtnHistorieDrucken", ...
    QString ersteSpalte; // selected after "&Neu"
    QString linkFeld;    // holds the path of the linked picture or document
    int report;
    QString einfuegenFehler, speichernFehler, loeschenFrage, loeschenFehler, leer;
    QString zuerstAnlegenBild, zuerstAnlegenDokument, keinLink;
    bool speichernFehlerVerwirft; // a failed save cancels the changes
};

// A page of detail records that may each link one picture or document: new,
// save, delete, print and preview, and the three link commands.
class AktenSeite : public RasterSeite {
public:
    AktenSeite(ui::TabSheet *tab, const char *rasterName, dbe::TDataSource &quelle, dbe::TTable &tabelle,
               const QString &tabKz, AktenBeschreibung beschreibung);
    void anfangen() override;

    void NeuClick();
    void SpeichernClick();
    void LoeschenClick();
    void DruckenClick(int modus);
    void BildNeuClick();
    void DokumentNeuClick();
    void DokumentOeffnenClick();

protected:
    void kopfAufbauen(QVBoxLayout *seite) override;
    dbe::TTable &tabelle() const { return tabelle_; }

private:
    void verknuepfen(Dateiart art);
    QPushButton *knopf(const QString &name, const QString &text);

    dbe::TTable &tabelle_;
    AktenBeschreibung b_;
    QList<QPushButton *> druckKnoepfe_;
};

} // namespace fleet
