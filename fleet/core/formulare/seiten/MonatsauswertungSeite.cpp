#include "formulare/seiten/MonatsauswertungSeite.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dienste/HauptfensterDienste.h"
#include "formulare/seiten/Bausteine.h"
#include "formulare/seiten/KostenSeite.h"
#include "ui/ComboBox.h"
#include "ui/FormBase.h"
#include "ui/RadioGroup.h"

namespace fleet {

using namespace seiten;

MonatsauswertungSeite::MonatsauswertungSeite(ui::TabSheet *tab, KostenSeite &kosten)
    : HauptSeite(tab), kosten_(kosten)
{
}

void MonatsauswertungSeite::aufbauen()
{
    auto *seite = seitenLayout(this);
    auto *kopf = new QHBoxLayout;
    CmbBoxMonatsauswertungMonat = liste(this, "CmbBoxMonatsauswertungMonat", monate());
    CmbBoxMonatsauswertungJahr = liste(this, "CmbBoxMonatsauswertungJahr", jahre());
    TBtnMonatsauswertungBerechnen =
        ui::make<QPushButton>(this, "TBtnMonatsauswertungBerechnen", QStringLiteral("&Berechnen"));
    kopf->addWidget(label(this, QStringLiteral("LblAuswertungsMonat"), QStringLiteral("Monat:")));
    kopf->addWidget(CmbBoxMonatsauswertungMonat);
    kopf->addWidget(label(this, QStringLiteral("LblAuswertungsJahr"), QStringLiteral("Jahr:")));
    kopf->addWidget(CmbBoxMonatsauswertungJahr);
    kopf->addWidget(TBtnMonatsauswertungBerechnen);
    kopf->addStretch(1);
    seite->addLayout(kopf);

    // The captions of the cost kinds; the values come with the evaluation.
    auto *kostenarten = new QHBoxLayout;
    Formularblock variabel(this, QStringLiteral("Var. Kosten"));
    const QString sonstige[] = {QString(), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")};
    for (const QString &s : sonstige) {
        auto *wert = label(this, QStringLiteral("TLblSonstige%1KostenUeberschrift").arg(s),
                           QStringLiteral("Sonstige") + s);
        variabel.zeile(label(this, QStringLiteral("TLblSonstige") + s, QStringLiteral("Sonstige%1:").arg(s)),
                       wert);
    }
    variabel.ende();
    Formularblock fix(this, QStringLiteral("Fixkosten/Monat"));
    for (const char *n :
         {"Kasko", "Haftpflicht", "Steuer", "Sonstige", "AFA", "Zinsen", "Leasing", "GewKapSt"}) {
        const QString name = QString::fromLatin1(n);
        fix.zeile(label(this, QStringLiteral("LblMU") + name, name + QLatin1Char(':')),
                  label(this, QStringLiteral("LblMUWert") + name, QString()));
    }
    fix.ende();
    kostenarten->addWidget(variabel.box());
    kostenarten->addWidget(fix.box());
    kostenarten->addStretch(1);
    seite->addLayout(kostenarten);
    LblWarnmeldung2 = label(this, QStringLiteral("LblWarnmeldung2"), QString());
    LblWarnmeldung2->setWordWrap(true);
    LblWarnmeldung2->setStyleSheet(QStringLiteral("color: red; font-style: italic;"));
    LblWarnmeldung2->hide();
    seite->addWidget(LblWarnmeldung2);
    seite->addStretch(1);
}

void MonatsauswertungSeite::anfangen()
{
    JahrAufHeute(CmbBoxMonatsauswertungJahr);
    MonatAufHeute(CmbBoxMonatsauswertungMonat);
}

void MonatsauswertungSeite::betreten()
{
    if (kosten_.KostenSicht() != 0)
        kosten_.KostenSichtSetzen(0);
    LblWarnmeldung2->hide();
    Berechnen();
}

void MonatsauswertungSeite::Berechnen()
{
    if (!Dienst<Seitendienste>::vorhanden())
        return;
    const int code = Dienst<Seitendienste>::aktuell().MonatsauswertungBerechnen();
    if (code > 0)
        Dienst<Seitendienste>::aktuell().MonatsauswertungWarnung(code);
}

} // namespace fleet
