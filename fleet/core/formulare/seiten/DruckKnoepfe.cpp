#include "formulare/seiten/DruckKnoepfe.h"

#include <QEvent>
#include <QPushButton>

#include "dienste/ReportDienste.h"
#include "ui/Connect.h"
#include "ui/FormBase.h"
#include "ui/Messages.h"

namespace fleet::seiten {

namespace {

void freigeben(QPushButton *knopf)
{
    knopf->setEnabled(Dienst<ReportDienste>::vorhanden());
}

// Enables its button each time the button is shown.
class FreigabeBeimZeigen : public QObject {
public:
    explicit FreigabeBeimZeigen(QPushButton *knopf) : QObject(knopf), knopf_(knopf)
    {
        knopf->installEventFilter(this);
    }
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (o == knopf_ && e->type() == QEvent::Show)
            freigeben(knopf_);
        return false;
    }

private:
    QPushButton *knopf_;
};

QPushButton *knopf(QWidget *parent, const char *name, const QString &text, std::function<void()> klick)
{
    auto *k = ui::make<QPushButton>(parent, name, text);
    ui::on(k, &QPushButton::clicked, parent, std::move(klick));
    DruckFreigabe(k);
    return k;
}

} // namespace

void DruckFreigabe(QPushButton *knopf)
{
    new FreigabeBeimZeigen(knopf);
    freigeben(knopf);
}

DruckKnoepfe druckKnoepfe(QWidget *parent, const char *druckName, const char *vorschauName,
                          std::function<void(int modus)> anfordern)
{
    DruckKnoepfe k;
    k.drucken = knopf(parent, druckName, QStringLiteral("D&rucken"), [anfordern] { anfordern(kDrucken); });
    k.vorschau =
        knopf(parent, vorschauName, QStringLiteral("&Vorschau"), [anfordern] { anfordern(kVorschau); });
    return k;
}

void ReportAnfordern(int modus, int report, bool leer, const QString &leerMeldung,
                     const std::function<void()> &bild)
{
    if (leer) {
        ui::messages().information(leerMeldung);
        return;
    }
    if (bild)
        bild();
    reportDienste().PrintReport(report, modus);
}

} // namespace fleet::seiten
