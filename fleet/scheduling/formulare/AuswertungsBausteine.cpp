#include "formulare/AuswertungsBausteine.h"

#include <memory>

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "base/Abort.h"

#include "formulare/seiten/DruckKnoepfe.h"
#include "ui/AbortKey.h"
#include "ui/Connect.h"
#include "ui/FormBase.h"

namespace fleet {

DruckKnoepfe DruckKnoepfeAnlegen(ui::FormBase *form, const QString &druckHinweis,
                                 const QString &vorschauHinweis, std::function<void()> beimDrucken,
                                 std::function<void()> beiVorschau, const char *druckName,
                                 const char *vorschauName)
{
    DruckKnoepfe k{ui::make<QPushButton>(form, druckName, QStringLiteral("D&rucken")),
                   ui::make<QPushButton>(form, vorschauName, QStringLiteral("&Vorschau"))};
    k.drucken->setToolTip(druckHinweis);
    k.vorschau->setToolTip(vorschauHinweis);
    ui::on(k.drucken, &QPushButton::clicked, form, std::move(beimDrucken));
    ui::on(k.vorschau, &QPushButton::clicked, form, std::move(beiVorschau));
    seiten::DruckFreigabe(k.drucken);
    seiten::DruckFreigabe(k.vorschau);
    return k;
}

QLabel *SummenLabel(QWidget *form, const char *name, const QString &text, int breite)
{
    auto *l = ui::make<QLabel>(form, name, text);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumWidth(breite);
    return l;
}

std::function<void()> FortschrittSchritt(QProgressBar *balken)
{
    struct Uhr {
        QElapsedTimer seit;
        qint64 naechsterBlick = 250; // ms: a short run is not held up
    };
    auto uhr = std::make_shared<Uhr>();
    uhr->seit.start();
    return [balken, uhr] {
        balken->setValue(balken->value() + 1);
        const qint64 jetzt = uhr->seit.elapsed();
        if (jetzt < uhr->naechsterBlick)
            return;
        uhr->naechsterBlick = jetzt + 100;
        if (ui::escapePressed())
            throw base::SilentAbort();
    };
}

} // namespace fleet
