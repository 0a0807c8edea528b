// The settings form's start-up: the stored settings applied to the running
// program, once, each step on its own.
#include <QComboBox>
#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QVariant>

#include "daten/DataModule1.h"
#include "daten/Einstellungswerte.h"
#include "dienste/Formularzugriff.h"
#include "dienste/TerminDienste.h"
#include "formulare/EinstellungenFormular.h"
#include "formulare/HauptFormular.h"
#include "formulare/HauptNavigation.h"
#include "regeln/DispoRegeln.h"
#include "regeln/FeldBezeichnungen.h"
#include "regeln/NurLeseModus.h"
#include "regeln/Seitenwechsel.h"
#include "regeln/StartEinstellungen.h"
#include "ui/DBCheckBox.h"
#include "ui/Guard.h"
#include "ui/PageControl.h"

namespace fleet {

using namespace starteinstellungen;

namespace {

Feldleser leser(dbe::TTable &tabelle)
{
    return [&tabelle](const QString &feld) { return tabelle.FieldByName(feld)->Value(); };
}

QString text(dbe::TTable &tabelle, const char *feld)
{
    return Text(tabelle.FieldByName(QString::fromLatin1(feld))->Value());
}

// A component of the main window by name among what is made; a menu item
// also by its caption, a chart's series inside its chart.
QObject *hauptKomponente(const QString &name)
{
    QWidget *haupt = FormularFinden(QStringLiteral("HauptFormular"));
    if (const auto *teile = dynamic_cast<const TeileBeiBedarf *>(haupt))
        return teile->GemachteKomponente(name);
    return haupt ? haupt->findChild<QObject *>(name) : nullptr;
}

void anwenden(const QList<Wirkung> &wirkungen)
{
    const QString haupt = QStringLiteral("HauptFormular");
    for (const Wirkung &w : wirkungen) {
        switch (w.art) {
        case Wirkung::Zeigen:
        case Wirkung::Verbergen: {
            const bool zeigen = w.art == Wirkung::Zeigen;
            KomponenteEinstellen(haupt, w.komponente, QStringLiteral("visible"), [zeigen](QObject &o) {
                if (auto *seite = qobject_cast<ui::TabSheet *>(&o))
                    seite->setTabVisible(zeigen);
                else
                    o.setProperty("visible", zeigen);
            });
            break;
        }
        case Wirkung::Freigeben:
        case Wirkung::Sperren: {
            // An action in the window's group of commands without handler
            // stays disabled all the same.
            const bool an = w.art == Wirkung::Freigeben;
            KomponenteEinstellen(haupt, w.komponente, QStringLiteral("enabled"),
                                 [an](QObject &o) { o.setProperty("enabled", an); });
            break;
        }
        case Wirkung::SerieAktivieren:
            KomponenteEinstellen(haupt, w.komponente, QStringLiteral("visible"),
                                 [](QObject &o) { o.setProperty("visible", true); });
            break;
        case Wirkung::NeueZeilenSperren:
            if (HauptFormular && hauptKomponente(w.komponente)) {
                HauptNavigation &n = HauptFormular->Navigation();
                using namespace seitenwechsel;
                n.SetAllowKeys(n.AllowKeys() & ~(akDuplicate | akDelete | akInsert));
            }
            break;
        }
    }
}

// Tables are the same when their names without extension are, in any case.
QString tabellenName(const QString &dateiname)
{
    return QFileInfo(dateiname).completeBaseName();
}

void anzeigenamenAnwenden(const QList<Anzeigename> &namen)
{
    TDataModule1 &dm = *DataModule1;
    // The scratch tables are lent out and named by their borrower.
    QList<std::pair<dbe::TTable *, QString>> tabellen;
    for (dbe::TTable *t : dm.AlleTabellen())
        if (t != &dm.TTblVar && t != &dm.TTblVar1)
            tabellen.append({t, tabellenName(t->TableName())});
    for (const Anzeigename &a : namen) {
        const QString name = tabellenName(a.tabelle);
        for (const auto &[t, tName] : tabellen)
            if (tName.compare(name, Qt::CaseInsensitive) == 0)
                t->FieldByName(a.feld)->SetDisplayLabel(a.text);
    }
}

} // namespace

void TEinstellungenFormular::schritt(const std::function<void()> &aktion)
{
    try {
        aktion();
    } catch (...) {
        ui::handleException(this, std::current_exception());
    }
}

void TEinstellungenFormular::FormCreate()
{
    dbe::TTable &allg = DataModule1->TTblEinstellungenAllgem;
    dbe::TTable &priv = DataModule1->TTblEinstellungenPriv;

    schritt(
        [&] { AktuellerArbeitsplatz = Arbeitsplatz(text(priv, "Arbeitsplatzname"), AktuellerArbeitsplatz); });
    farbenBeimStart();
    schritt([this] { StammdatenFelderZeigen(); });
    schritt([this] { TerminFelderZeigen(); });
    schritt([this] { rechteAnwenden(); });
    schritt([this] {
        PageCtrlEinstellungen->setActivePage(TabSicherheit);
        // A designer list built later starts on its first entry all the same.
        if (ComboBoxDesigner)
            ComboBoxDesigner->setCurrentIndex(0);
    });
    schritt([&] {
        TourenModus = TourenModusAus(text(allg, "Textfeld1"));
        anwenden(KilometerModusWirkungen(TourenModus));
    });
    schritt([&] {
        const int spalten = UebersichtSpaltenAus(text(allg, "Textfeld2"));
        KomponenteEinstellen(QStringLiteral("HauptFormular"),
                             QStringLiteral("RadioGrpMonatsuebersichtTabelle"), QStringLiteral("itemIndex"),
                             [spalten](QObject &o) { o.setProperty("itemIndex", spalten); });
    });
    schritt([&] { anwenden(ArbeitsplatzWirkungen(leser(priv))); });
    schritt([this] { anzeigenamenSetzen(); });
    schritt([this] {
        nachschlagTitel_ = {NachschlagTitel(FeldBezeichnungen[QStringLiteral("NameGruppe")]),
                            NachschlagTitel(FeldBezeichnungen[QStringLiteral("NameKostenstelle")])};
        if (LblNachschlagetabGruppe) {
            LblNachschlagetabGruppe->setText(nachschlagTitel_->first);
            LblNachschlagetabKostenstelle->setText(nachschlagTitel_->second);
        }
    });
    schritt([&] {
        KollisionsPruefung = KollisionsPruefungAus(text(allg, "Textfeld14"));
        KollisionsAktion = KollisionsAktionAus(text(allg, "Textfeld15"));
    });
    schritt([&] { anzeigenamenAnwenden(BemerkungsAnzeigenamen(leser(allg))); });
    schritt([&] {
        SichtbareFreifelder = Zahl(allg.FieldByName(QStringLiteral("AnzahlSichtbFreifelder"))->Value());
        anwenden(FreifeldWirkungen(SichtbareFreifelder));
    });
    schritt([this] { anwenden(LeasingWirkungen(DBCheckBoxLeasing->isChecked())); });
    schritt([&] {
        DispoNurEigene = Logisch(priv.FieldByName(QStringLiteral("NurEigeneDispoAendern"))->Value());
    });
    schritt([&] {
        if (Logisch(allg.FieldByName(QStringLiteral("Boolfeld1"))->Value()))
            terminDienste().TerminListeModalZeigen();
    });
}

void TEinstellungenFormular::farbenBeimStart()
{
    schritt([this] {
        dbe::TTable &priv = DataModule1->TTblEinstellungenPriv;
        if (Logisch(priv.FieldByName(QStringLiteral("FarbenSindDefault"))->Value())) {
            // The header keeps its design colours.
            FarbenStandardSetzen();
            FarbenVorschauZeigen();
            StammdatenFarbenAnwenden();
            return;
        }
        try {
            FarbenLaden(leser(priv));
            FarbenVorschauZeigen();
            KopfzeileFarbenAnwenden();
            StammdatenFarbenAnwenden();
        } catch (...) {
            FarbenStandardSetzen();
            FarbenVorschauZeigen();
            KopfzeileFarbenAnwenden();
            StammdatenFarbenAnwenden();
        }
    });
}

void TEinstellungenFormular::rechteAnwenden()
{
    const QString rights = text(DataModule1->TTblEinstellungenPriv, "Rights");
    NurLesen = NurLesenAus(rights);
    if (!NurLesen)
        return;
    DBCheckBoxSchreibschutz->setEnabled(false);
    for (const QString &name : NurLesenVerborgeneSeiten())
        if (auto *seite = findChild<ui::TabSheet *>(name))
            seite->setTabVisible(false);
    NurLeseModusSetzen(true);
}

void TEinstellungenFormular::anzeigenamenSetzen()
{
    // Reading the labels changes nothing on the main window: one pass over
    // its components answers them all as the search by each name would.
    std::optional<QHash<QString, QObject *>> erste;
    const auto beschriftung = [&erste](const QString &label) {
        if (!erste) {
            QWidget *haupt = FormularFinden(QStringLiteral("HauptFormular"));
            erste = haupt ? ErsteNachNamen(*haupt) : QHash<QString, QObject *>();
        }
        QObject *l = erste->value(label);
        if (!l)
            l = hauptKomponente(label); // a menu item's caption, a chart's series
        return l ? l->property("text").toString() : QString();
    };
    anzeigenamenAnwenden(
        FeldAnzeigenamen(FeldBezeichnungen, leser(DataModule1->TTblEinstellungenAllgem), beschriftung));
}

} // namespace fleet
