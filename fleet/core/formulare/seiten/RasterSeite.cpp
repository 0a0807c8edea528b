#include "formulare/seiten/RasterSeite.h"

#include <QVBoxLayout>

#include "formulare/HauptFormular.h"
#include "formulare/seiten/Bausteine.h"
#include "ui/Connect.h"
#include "ui/DBGrid.h"

namespace fleet {

RasterSeite::RasterSeite(ui::TabSheet *tab, const char *rasterName, dbe::TDataSource &quelle,
                         const QString &tabKz)
    : HauptSeite(tab), rasterName_(rasterName), quelle_(quelle), tabKz_(tabKz)
{
}

void RasterSeite::aufbauen()
{
    QVBoxLayout *seite = seiten::seitenLayout(this);
    kopfAufbauen(seite);
    raster_ = seiten::raster(this, rasterName_, quelle_);
    seite->addWidget(raster_, 1);
    fussAufbauen(seite);
    ui::on(raster_, &ui::DBGrid::onColumnMoved, this, [this] { SpaltenVerschoben.insert(tabKz_); });
}

void RasterSeite::betreten()
{
    seiten::SpaltenordnungEinmalLaden(tabKz_);
    raster_->setFocus();
}

ui::DBGrid *RasterSeite::rasterFinden(const QString &name)
{
    return raster_->objectName() == name ? raster_ : nullptr;
}

} // namespace fleet
