#include "formulare/seiten/HauptSeite.h"

#include <QVBoxLayout>

#include "daten/DataModule1.h"
#include "dbe/Table.h"
#include "regeln/Seitenwechsel.h"
#include "ui/Messages.h"
#include "ui/PageControl.h"

namespace fleet {

HauptSeite::HauptSeite(ui::TabSheet *tab) : QWidget(tab), tab_(tab)
{
    auto *rahmen = new QVBoxLayout(tab);
    rahmen->setContentsMargins(0, 0, 0, 0);
    rahmen->addWidget(this);
}

bool HauptSeite::verlassenErlaubt()
{
    const QString seite = tab_->objectName();
    const QString name = seitenwechsel::EinfuegeTabelle(seite);
    for (const dbe::TTable *t : DataModule1->AlleTabellen()) {
        if (t->Name() != name)
            continue;
        if (t->State() == dbe::TDataSetState::dsInsert) {
            ui::messages().warning(seitenwechsel::VerlassenMeldung(seite));
            return false;
        }
        break;
    }
    return true;
}

ui::DBGrid *HauptSeite::rasterFinden(const QString &)
{
    return nullptr;
}

} // namespace fleet
