#include "formulare/HauptNavigationsLeiste.h"

#include <QHBoxLayout>
#include <QToolButton>

#include "base/Abort.h"
#include "dbe/DataSet.h"
#include "dbe/Table.h"
#include "ui/Connect.h"

namespace fleet {

namespace {

struct Knopf {
    nav::TDBVNavigateBtn befehl;
    const char *text;
    const char *hinweis;
};

const Knopf kKnoepfe[] = {
    {nav::nbFirst, "|◀", "Erstes Fahrzeug zeigen"},
    {nav::nbPrior, "◀", "Vorheriges Fahrzeug zeigen"},
    {nav::nbNext, "▶", "Nächstes Fahrzeug zeigen"},
    {nav::nbLast, "▶|", "Letztes Fahrzeug zeigen"},
    {nav::nbInsert, "+", "Neues Fahrzeug anlegen"},
    {nav::nbDelete, "−", "Aktuelles Fahrzeug löschen"},
    {nav::nbPost, "✓", "Neues Fahrzeug/Änderungen speichern"},
    {nav::nbCancel, "✗", "Neues Fahrzeug/Änderungen wiederrufen"},
    {nav::nbGlobalEdit, "✎", "Fahrzeugdaten ändern möglich/nicht möglich"},
};

} // namespace

HauptNavigationsLeiste::HauptNavigationsLeiste(dbe::TDataSource &quelle, Ereignisse ereignisse,
                                               QWidget *parent)
    : QWidget(parent), quelle_(quelle), ereignisse_(std::move(ereignisse))
{
    setObjectName(QStringLiteral("TDBVNavMain"));
    auto *zeile = new QHBoxLayout(this);
    zeile->setContentsMargins(0, 0, 0, 0);
    zeile->setSpacing(1);
    for (const Knopf &k : kKnoepfe) {
        auto *b = new QToolButton(this);
        b->setObjectName(nav::navigateBtnName(k.befehl));
        b->setText(QString::fromUtf8(k.text));
        b->setToolTip(QString::fromUtf8(k.hinweis));
        b->setAutoRaise(true);
        b->setMinimumSize(33, 25);
        zeile->addWidget(b);
        knoepfe_[k.befehl] = b;
        const nav::TDBVNavigateBtn befehl = k.befehl;
        ui::on(b, &QToolButton::clicked, this, [this, befehl] { ClickNavButton(befehl); });
    }
    knoepfe_[nav::nbGlobalEdit]->setCheckable(true);
    quelle_.SetAutoEdit(false);
    knoepfeAktualisieren();
}

bool HauptNavigationsLeiste::FilterAktiv() const
{
    const dbe::TDataSet *d = quelle_.DataSet();
    return d && d->Active() && d->Filtered() && !d->Filter().isEmpty();
}

void HauptNavigationsLeiste::SetTableIndex(dbe::TTable &table, const QString &indexName)
{
    table.SetIndexName(indexName);
}

void HauptNavigationsLeiste::ClickNavButton(nav::TDBVNavigateBtn button)
{
    if (ereignisse_.vorher)
        ereignisse_.vorher(button); // may cancel with the silent abort
    try {
        ausfuehren(button);
    } catch (const dbe::EDatabaseError &e) {
        bool erledigt = false;
        if (ereignisse_.meldung)
            ereignisse_.meldung(e.Message(), ui::MsgType::Error, erledigt);
        if (!erledigt)
            ui::messages().error(e.Message());
        knoepfeAktualisieren();
        base::abortSilently();
    }
    knoepfeAktualisieren();
    if (ereignisse_.nachher)
        ereignisse_.nachher(button);
}

void HauptNavigationsLeiste::ausfuehren(nav::TDBVNavigateBtn button)
{
    dbe::TDataSet *d = quelle_.DataSet();
    if (!d || !d->Active())
        return;
    switch (button) {
    case nav::nbFirst:
        d->First();
        break;
    case nav::nbPrior:
        d->Prior();
        break;
    case nav::nbNext:
        d->Next();
        break;
    case nav::nbLast:
        d->Last();
        break;
    case nav::nbInsert:
        if (globalEdit_)
            d->Insert();
        break;
    case nav::nbDelete:
        if (globalEdit_ && !d->IsEmpty() &&
            ui::messages().question(QStringLiteral("Möchten Sie dieses Fahrzeug wirklich löschen.")))
            d->Delete();
        break;
    case nav::nbPost:
        d->Post();
        break;
    case nav::nbCancel:
        d->Cancel();
        break;
    case nav::nbGlobalEdit:
        if (manageGlobalEdit_) {
            if (globalEdit_)
                d->CheckBrowseMode();
            globalEdit_ = !globalEdit_;
            quelle_.SetAutoEdit(globalEdit_);
        }
        break;
    default:
        break;
    }
}

void HauptNavigationsLeiste::knoepfeAktualisieren()
{
    knoepfe_[nav::nbGlobalEdit]->setChecked(globalEdit_);
    for (nav::TDBVNavigateBtn b : {nav::nbInsert, nav::nbDelete, nav::nbPost, nav::nbCancel})
        knoepfe_[b]->setEnabled(globalEdit_);
}

} // namespace fleet
