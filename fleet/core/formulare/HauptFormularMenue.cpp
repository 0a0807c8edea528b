// The main window's menu commands: the edit menu, the vehicle filters and
// their hand-over to the evaluations, and the openers of other forms.
#include <functional>

#include <QAction>
#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTextCursor>

#include "daten/DataModule1.h"
#include "daten/DataModuleImport.h"
#include "dbe/Table.h"
#include "dienste/Protokoll.h"
#include "dienste/ReportDienste.h"
#include "dienste/TerminDienste.h"
#include "formulare/FahrerStammdatenFormular.h"
#include "formulare/HauptFormular.h"
#include "formulare/HauptNavigation.h"
#include "formulare/seiten/DispoSeite.h"
#include "regeln/AuswertungFilter.h"
#include "regeln/BearbeitenMenue.h"
#include "regeln/FahrzeugMenueFilter.h"
#include "ui/Clipboard.h"
#include "ui/DBEdit.h"
#include "ui/DBMemo.h"
#include "ui/Guard.h"
#include "ui/Messages.h"
#include "ui/PageControl.h"
#include "ui/RadioGroup.h"
#include "ui/Shell.h"

namespace fleet {

namespace {

constexpr int kMaxGrafikDispositionen = 2000;

QString feldWert(const QString &feld)
{
    if (feld.isEmpty())
        return {};
    const dbe::TField *f = DataModule1->TTblMain.FindField(feld);
    return f ? f->AsString() : QString();
}

} // namespace

// ---- edit menu

void THauptFormular::BearbeitenMenueAktualisieren()
{
    QWidget *fokus = QApplication::focusWidget();
    auto *edit = qobject_cast<ui::DBEdit *>(fokus);
    auto *memo = qobject_cast<ui::DBMemo *>(fokus);
    BearbeitenMenueZustand z;
    z.datenEingabe = edit || memo;
    z.auswahl = edit ? !edit->selectedText().isEmpty() : memo && !memo->textCursor().selectedText().isEmpty();
    z.globalEdit = navigation_->GlobalEdit();
    z.zwischenablageText = !ui::clipboard().text().isEmpty();
    z.monatsSeite = PageCtrlMain->activePage() == TabMonatsAuswertung ||
                    PageCtrlMain->activePage() == TabMonatsuebersicht;
    z.inkrSucheMoeglich = navigation_->Moeglich(nav::nbSearchInc);
    z.weitersuchenMoeglich = navigation_->Moeglich(nav::nbSearchNext);
    z.lesezeichenMoeglich = navigation_->Moeglich(nav::nbGotoBookmark);
    z.filterAktiv = navigation_->FilterAktiv();
    const BearbeitenMenueFreigabe f = fleet::BearbeitenMenueAktualisieren(z);
    const auto setze = [this](const char *name, bool an) {
        if (auto *a = findChild<QAction *>(QString::fromLatin1(name)))
            a->setEnabled(an);
    };
    setze("Ausschneiden1", f.ausschneiden);
    setze("Kopieren1", f.kopieren);
    setze("Einfgen1", f.einfuegen);
    setze("Lesezeichenverwaltung1", f.lesezeichenverwaltung);
    setze("InkrSucheneinaus1", f.inkrSuchen);
    setze("Weitersuchen1", f.weitersuchen);
    setze("Filtereinaus1", f.filterAus);
}

// Cut, copy and paste through the program's clipboard, on the focused
// data-aware edit or memo only.
void THauptFormular::Ausschneiden1Click()
{
    QWidget *fokus = QApplication::focusWidget();
    if (auto *edit = qobject_cast<ui::DBEdit *>(fokus)) {
        ui::clipboard().setText(edit->selectedText());
        if (!edit->isReadOnly())
            edit->del();
    } else if (auto *memo = qobject_cast<ui::DBMemo *>(fokus)) {
        QTextCursor c = memo->textCursor();
        ui::clipboard().setText(c.selectedText());
        if (!memo->isReadOnly())
            c.removeSelectedText();
    }
}

void THauptFormular::Kopieren1Click()
{
    QWidget *fokus = QApplication::focusWidget();
    if (auto *edit = qobject_cast<ui::DBEdit *>(fokus))
        ui::clipboard().setText(edit->selectedText());
    else if (auto *memo = qobject_cast<ui::DBMemo *>(fokus))
        ui::clipboard().setText(memo->textCursor().selectedText());
}

void THauptFormular::Einfgen1Click()
{
    QWidget *fokus = QApplication::focusWidget();
    if (auto *edit = qobject_cast<ui::DBEdit *>(fokus); edit && !edit->isReadOnly())
        edit->insert(ui::clipboard().text());
    else if (auto *memo = qobject_cast<ui::DBMemo *>(fokus); memo && !memo->isReadOnly())
        memo->insertPlainText(ui::clipboard().text());
}

void THauptFormular::Suchen1Click()
{
    navigation_->ClickNavButton(nav::nbSearch);
}

void THauptFormular::Weitersuchen1Click()
{
    navigation_->ClickNavButton(nav::nbSearchNext);
}

void THauptFormular::InkrSucheneinaus1Click()
{
    navigation_->ClickNavButton(nav::nbSearchInc);
}

void THauptFormular::Lesezeichensetzen1Click()
{
    navigation_->ClickNavButton(nav::nbSetBookmark);
}

void THauptFormular::Lesezeichenverwaltung1Click()
{
    navigation_->ClickNavButton(nav::nbGotoBookmark);
}

// ---- vehicle filters

void THauptFormular::FahrzeugFilterClick(const QString &aktion)
{
    const FahrzeugMenueFilter *filter = FahrzeugMenueFilterZu(aktion);
    if (!filter)
        return;
    navigation_->FilterLoeschen();
    const QString wert = FahrzeugFilterWert(*filter, feldWert(filter->feldName));
    FilterBedingung[0] = nav::TFilterZeile{filter->feldName, filter->op, wert, 0};
    FilterBezeichnung = filter->bezeichnung;
    if (!FahrzeugFilterAnwenden(1))
        return;
    ui::messages().information(FahrzeugFilterMeldung(*filter, wert, DataModule1->TTblMain.RecordCount()));
}

bool THauptFormular::FahrzeugFilterAnwenden(int anzahl)
{
    navigation_->FilterAnwenden(FilterBedingung, anzahl);
    if (!DataModule1->TTblMain.IsEmpty())
        return true;
    navigation_->FilterLoeschen();
    ui::messages().information(FahrzeugFilterLeerMeldung(FilterBezeichnung));
    return false;
}

void THauptFormular::TDBVexarionMainFilterChanged()
{
    TPanelFilter->setText(navigation_->FilterAktiv() ? FilterBezeichnung : QString());
    if (Dispo().FahrzeugAuswahl() != 2)
        return;
    try {
        // The dispatch page's record filter reads the vehicle filter.
        if (DataModule1->TTblDispo.Active())
            DataModule1->TTblDispo.Refresh();
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
    }
}

namespace {

// A click on a panel, run inside the kit's guard.
class PanelKlick : public QObject {
public:
    PanelKlick(QLabel *panel, std::function<void()> klick) : QObject(panel), klick_(std::move(klick))
    {
        panel->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease)
            ui::guard(watched, klick_);
        return false;
    }

private:
    std::function<void()> klick_;
};

} // namespace

void THauptFormular::filterPanelVerbinden()
{
    new PanelKlick(TPanelFilter, [this] { TPanelFilterClick(); });
}

void THauptFormular::TPanelFilterClick()
{
    if (navigation_->FilterAktiv())
        Filtereinaus1Click();
}

// ---- evaluations

void THauptFormular::AuswertungFilterUebergeben()
{
    AuswertungFilterName.clear();
    AuswertungFilterWert.clear();
    if (!navigation_->FilterAktiv())
        return;
    if (ui::messages().warningQuestion(
            QStringLiteral("ACHTUNG - der eingeschaltete Filter beeinflußt die Daten im folgenden Formular.\r"
                           "Wenn dieses von Ihnen nicht beabsichtigt ist, sollte der Filter ausgeschaltet "
                           "werden.\rMöchten Sie den Filter jetzt ausschalten?"))) {
        Filtereinaus1Click();
        return;
    }
    AuswertungFilterName = TPanelFilter->text();
    AuswertungFilterWert = feldWert(AuswertungFilterFeld(AuswertungFilterName));
}

void THauptFormular::Fahrzeugvergleich1Click()
{
    AuswertungFilterUebergeben();
    terminDienste().FahrzeugvergleichZeigen();
}

void THauptFormular::FuhrparkKostenErtrag1Click()
{
    AuswertungFilterUebergeben();
    terminDienste().FuhrparkKostenZeigen();
}

void THauptFormular::Tourenauswertung2Click()
{
    dbe::TTable &touren = DataModule1->TTblTouren;
    touren.SetMasterSource(nullptr);
    touren.SetMasterFields(QString());
    if (dbe::TField *kfz = touren.FindField(QStringLiteral("KfzNr")))
        kfz->SetVisible(true);
    // Linked back to the current vehicle however the evaluation ends.
    const auto zurueck = qScopeGuard([&touren] {
        if (dbe::TField *kfz = touren.FindField(QStringLiteral("KfzNr")))
            kfz->SetVisible(false);
        touren.SetMasterSource(&DataModule1->TDataSrcMain);
        touren.SetMasterFields(QStringLiteral("KfzNr"));
    });
    terminDienste().TourAuswertungZeigen();
}

void THauptFormular::Terminverwaltung1Click()
{
    if (navigation_->FilterAktiv()) {
        ui::messages().information(
            QStringLiteral("Der Filter wird zum Aufruf der Terminverwaltung ausgeschaltet."));
        Filtereinaus1Click();
    }
    terminDienste().TerminListeZeigen();
}

void THauptFormular::BtnMonatsauswertungAlleFahrzeugeClick()
{
    MonatsauswertungAlleFahrzeugeErzeugt = true;
    terminDienste().MonatsauswertungAlleFahrzeugeZeigen();
    TBtnMonatsauswertungBerechnenClick();
}

// ---- dispatch chart and free vehicles

void THauptFormular::BtnExtGrafikClick()
{
    dbe::TTable &dispo = DataModule1->TTblDispo;
    if (dispo.IsEmpty()) {
        ui::messages().information(QStringLiteral("Es werden zurzeit keine Dispositionen angezeigt"));
        return;
    }
    if (dispo.RecordCount() > kMaxGrafikDispositionen) {
        ui::messages().error(QStringLiteral(
            "Fehler bei der Initialisierung der Grafik - zu viele Fahrzeug-Dispositionen.\rBitte schränken "
            "Sie "
            "die Anzahl der sichbaren Fahrzeug-Dispositionen ein, um die externe Grafik aufzurufen.\r\rTIP: "
            "Löschen Sie, wenn möglich, alte oder überflüssige Fahrzeug-Dispositionen. Schränken Sie die "
            "Anzahl der sichtbaren Dispositionen (weiter) ein, indem Sie über das Schaltfeld \"Sicht\" einen "
            "kleineren Zeitraum definieren."));
        return;
    }
    try {
        GrafikFormularErzeugt = true;
        terminDienste().GrafikZeigen();
    } catch (const std::exception &e) {
        // The chart is an extra; the page stays usable.
        Verschluckt(Q_FUNC_INFO, e);
        Dispo().RadioGrpDispoFahrzeuge->setEnabled(true);
    }
}

void THauptFormular::BtnFreieFahrzeugeClick()
{
    try {
        DispoFFFormularErzeugt = true;
        if (navigation_->FilterAktiv() &&
            ui::messages().warningQuestion(QStringLiteral(
                "ACHTUNG - der eingeschaltete Filter in den Fahrzeug-Stammdaten beeinflußt die Daten im "
                "folgenden Formular.\rWenn dieses von Ihnen nicht beabsichtigt ist, sollte der Filter "
                "ausgeschaltet werden.\rMöchten Sie den Filter jetzt ausschalten?")))
            Filtereinaus1Click();
        terminDienste().FreieFahrzeugeZeigen();
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
    }
}

// ---- drivers

void THauptFormular::Fahrer1Click()
{
    FahrerStammdatenFormularErzeugen().showModal();
    DataModule1->TTblFahrer.Refresh();
    // The tours and bookings show their driver through the driver table: the
    // rows they hold read the names again, so a driver just entered appears.
    for (dbe::TTable *t : {&DataModule1->TTblTouren, &DataModule1->TTblDispo})
        if (t->State() == dbe::TDataSetState::dsBrowse)
            t->Refresh();
}

// ---- manual

void THauptFormular::Handbuch1Click()
{
    // Looked for where the program runs now, not where it started.
    const QString pfad = QDir::current().filePath(QStringLiteral("KARVFHB7.pdf"));
    try {
        if (!QFileInfo::exists(pfad)) {
            ui::messages().information(
                QStringLiteral("Das Handbuch wurde im KARVEN Fuhrpark Hauptverzeichnis nicht gefunden"));
            return;
        }
        if (!ui::shell().open(pfad))
            ui::messages().error(QStringLiteral("Fehler beim öffnen des Handbuches"));
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
        ui::messages().error(QStringLiteral("Fehler beim öffnen des Handbuches"));
    }
}

} // namespace fleet
