#include "formulare/seiten/Bausteine.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/GermanFormat.h"
#include "daten/Einstellungswerte.h"
#include "dbe/DataSource.h"
#include "dienste/Dienst.h"
#include "dienste/HauptfensterDienste.h"
#include "formulare/HauptFormular.h"
#include "regeln/FeldPositionen.h"
#include "ui/ComboBox.h"
#include "ui/DBEdit.h"
#include "ui/DBGrid.h"
#include "ui/DBLookupComboBox.h"
#include "ui/RadioGroup.h"

namespace fleet::seiten {

namespace {

// The stored column orders of FeldPos.db, unless another keeper is in force.
class GespeicherteSpalten : public Spaltenordnung {
public:
    bool FeldPositionenLaden(const QString &tabKz) override { return fleet::FeldPositionenLaden(tabKz); }
    bool FeldPositionenSpeichern(const QString &tabKz) override
    {
        return fleet::FeldPositionenSpeichern(tabKz);
    }
};

Spaltenordnung &spaltenordnung()
{
    static GespeicherteSpalten gespeichert;
    return Dienst<Spaltenordnung>::vorhanden() ? Dienst<Spaltenordnung>::aktuell() : gespeichert;
}

} // namespace

void SpaltenordnungEinmalLaden(const QString &tabKz)
{
    if (SpaltenpositionenGeladen.contains(tabKz))
        return;
    spaltenordnung().FeldPositionenLaden(tabKz);
    SpaltenpositionenGeladen.insert(tabKz);
}

void JahrAufHeute(ui::ComboBox *jahr)
{
    // An index past the list selects nothing.
    jahr->setItemIndex(HeuteJahrIndex < jahr->count() ? HeuteJahrIndex : -1);
}

void MonatAufHeute(ui::ComboBox *monat)
{
    monat->setItemIndex(HeuteMonat - 1);
}

void SpaltenordnungSpeichern(const QString &tabKz)
{
    spaltenordnung().FeldPositionenSpeichern(tabKz);
}

QLabel *label(QWidget *parent, const QString &name, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

ui::DBEdit *edit(QWidget *parent, const QString &name, dbe::TDataSource &quelle, const QString &feld)
{
    auto *e = new ui::DBEdit(parent);
    e->setObjectName(name);
    e->setDataBinding(&quelle, feld);
    return e;
}

ui::DBLookupComboBox *nachschlag(QWidget *parent, const char *name, dbe::TDataSource &quelle,
                                 const char *feld, dbe::TDataSource &liste, const char *listenFeld)
{
    auto *c = ui::make<ui::DBLookupComboBox>(parent, name);
    c->setEditable(true);
    // The list first: setting it empties the shown text.
    c->setListSource(&liste);
    c->setKeyField(QString::fromLatin1(listenFeld));
    c->setListField(QString::fromLatin1(listenFeld));
    c->setDataBinding(&quelle, QString::fromLatin1(feld));
    return c;
}

Formularblock::Formularblock(QWidget *parent, const QString &titel)
    : box_(new QGroupBox(titel, parent)), raster_(new QGridLayout(box_))
{
    raster_->setContentsMargins(6, 4, 6, 4);
    raster_->setHorizontalSpacing(6);
    raster_->setVerticalSpacing(2);
    raster_->setColumnStretch(1, 1);
}

void Formularblock::zeile(QLabel *l, QWidget *feld, QLabel *einheit)
{
    raster_->addWidget(l, zeile_, 0);
    raster_->addWidget(feld, zeile_, 1);
    if (einheit)
        raster_->addWidget(einheit, zeile_, 2);
    l->setBuddy(feld);
    ++zeile_;
}

void Formularblock::ende()
{
    raster_->setRowStretch(zeile_, 1);
}

QStringList jahre()
{
    QStringList j;
    for (int i = 1990; i <= 2030; ++i)
        j << QString::number(i);
    return j;
}

QStringList monate()
{
    QStringList m;
    for (int i = 1; i <= 12; ++i)
        m << base::de::monthName(i);
    return m;
}

ui::ComboBox *liste(QWidget *parent, const char *name, const QStringList &eintraege)
{
    auto *c = ui::make<ui::ComboBox>(parent, name);
    c->addItems(eintraege);
    c->setMaxVisibleItems(12);
    return c;
}

ui::DBGrid *raster(QWidget *parent, const char *name, dbe::TDataSource &quelle)
{
    auto *g = ui::make<ui::DBGrid>(parent, name);
    g->setDataSource(&quelle);
    return g;
}

ui::RadioGroup *auswahl(QWidget *parent, const char *name, const QString &titel, const QStringList &eintraege,
                        int spalten)
{
    auto *r = ui::make<ui::RadioGroup>(parent, name);
    r->setTitle(titel);
    r->setItems(eintraege);
    r->setColumns(spalten);
    return r;
}

QPushButton *knopf(QWidget *parent, const char *name, const QString &text)
{
    return ui::make<QPushButton>(parent, name, text);
}

QVBoxLayout *seitenLayout(QWidget *seite)
{
    auto *l = new QVBoxLayout(seite);
    l->setContentsMargins(4, 4, 4, 4);
    l->setSpacing(4);
    return l;
}

} // namespace fleet::seiten
