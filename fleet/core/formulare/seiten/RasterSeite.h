#pragma once

#include "formulare/seiten/HauptSeite.h"

class QVBoxLayout;

namespace dbe {
class TDataSource;
}

namespace fleet {

// A page that shows one detail table in a grid whose column order is stored
// under its TabKz: loaded the first time the page is entered, stored at the
// end of the run when the user moved a column. Pages with controls above the
// grid add them in kopfAufbauen(), below it in fussAufbauen().
class RasterSeite : public HauptSeite {
public:
    RasterSeite(ui::TabSheet *tab, const char *rasterName, dbe::TDataSource &quelle, const QString &tabKz);
    void aufbauen() override;
    void betreten() override;
    ui::DBGrid *rasterFinden(const QString &name) override;

    ui::DBGrid *Raster() const { return raster_; }
    const QString &TabKz() const { return tabKz_; }

protected:
    virtual void kopfAufbauen(QVBoxLayout *) {}
    // Controls below the grid (a row of buttons).
    virtual void fussAufbauen(QVBoxLayout *) {}

private:
    const char *rasterName_;
    dbe::TDataSource &quelle_;
    QString tabKz_;
    ui::DBGrid *raster_ = nullptr;
};

} // namespace fleet
