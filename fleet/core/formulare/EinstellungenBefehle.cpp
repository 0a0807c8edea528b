// The settings form's commands: save, password, designer, lookup deletes,
// grid order reset, page changes and the two appointment options.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/Hilfstabellen.h"
#include "daten/TabellenRoutinen.h"
#include "dbe/Errors.h"
#include "dienste/Protokoll.h"
#include "dienste/ReportDienste.h"
#include "formulare/EinstellungenFormular.h"
#include "formulare/HauptFormular.h"
#include "formulare/Passwort.h"
#include "regeln/EinstellungsBefehle.h"
#include "regeln/FeldBezeichnungen.h"
#include "ui/Colors.h"
#include "ui/DBCheckBox.h"
#include "ui/DBGrid.h"
#include "ui/Hourglass.h"
#include "ui/Messages.h"
#include "ui/PageControl.h"

namespace fleet {

using namespace einstellungen;

namespace {

const QString kFalschesPasswort = QStringLiteral("Falsches Paßwort");
const QString kAbgebrochen = QStringLiteral("Vorgang abgebrochen.");

dbe::TTable &allgemeinTabelle()
{
    return DataModule1->TTblEinstellungenAllgem;
}

QString gespeichertesPasswort()
{
    return allgemeinTabelle().FieldByName(QStringLiteral("MitHeader"))->AsString();
}

// The vehicle master in the scratch table, for the usage checks.
void fahrzeugeOeffnen(dbe::TTable &var)
{
    var.Close();
    var.SetDatabaseName(kAliasFuhrpark);
    var.SetTableName(QStringLiteral("KfzStamm.db"));
    var.Open();
}

// A check box set in code, with its field, as a click would set it.
void ankreuzen(ui::DBCheckBox *box, bool an)
{
    box->setChecked(an);
    dbe::TField *feld = box->field();
    if (!feld)
        return;
    dbe::TDataSet *daten = feld->DataSet();
    if (daten->State() == dbe::TDataSetState::dsBrowse)
        daten->Edit();
    feld->SetAsBoolean(an);
}

} // namespace

struct TEinstellungenFormular::Nachschlag {
    dbe::TTable &tabelle;
    QString feld;         // lookup field
    QString fahrzeugFeld; // vehicle field holding the text
    QString frage, frageVerwendet;
};

void TEinstellungenFormular::TBitBtnSpeichernClick()
{
    dbe::TTable &allg = allgemeinTabelle();
    dbe::TTable &priv = DataModule1->TTblEinstellungenPriv;
    try {
        allg.Edit();
        allg.Post();
        priv.Edit();
        priv.Post();
        priv.Edit();
        for (int i = 0; i < kAnzahlFarben; ++i)
            priv.FieldByName(FarbFeld(static_cast<Farbe>(i)))->SetAsInteger(ProgrammFarben[i]);
        priv.FieldByName(QStringLiteral("FarbenSindDefault"))->SetAsBoolean(FarbenSindStandard());
        priv.Post();
    } catch (const dbe::EDatabaseError &e) {
        Verschluckt(Q_FUNC_INFO, e);
        ui::messages().error(QStringLiteral("Kann Einstellungen nicht speichern."));
        return;
    }
    ui::messages().information(QStringLiteral(
        "Einstellungen gespeichert - bitte beenden Sie das Programm und starten es erneut, damit "
        "die neuen Einstellungen wirksam werden."));
}

void TEinstellungenFormular::rechteTitel(bool aenderbar)
{
    LblArbeitsplatzeinstellungen->setText(aenderbar
                                              ? QStringLiteral("Arbeitsplatzeinstellungen (änderbar)")
                                              : QStringLiteral("Arbeitsplatzeinstellungen (geschützt)"));
    ui::setTextColor(LblArbeitsplatzeinstellungen, aenderbar ? ui::color::Red : ui::color::Black);
}

std::optional<QString> TEinstellungenFormular::passwortErfragen()
{
    // The program's dialog, made on first use; a form made alone (tests) makes its own.
    std::unique_ptr<TPasswordDlg> eigener;
    TPasswordDlg *dlg = PasswordDlgBereitstellen();
    if (!dlg) {
        eigener = std::make_unique<TPasswordDlg>(this);
        dlg = eigener.get();
    }
    if (dlg->showModal() != ui::mrOk)
        return std::nullopt;
    return dlg->EingegebenesPasswort();
}

void TEinstellungenFormular::TBtnPasswordClick()
{
    if (PanRechte->isEnabled()) {
        PanRechte->setEnabled(false);
        rechteTitel(false);
        return;
    }
    const std::optional<QString> eingabe = passwortErfragen();
    if (!eingabe)
        return;
    if (!PasswortGleich(*eingabe, gespeichertesPasswort())) {
        ui::messages().error(kFalschesPasswort);
        return;
    }
    PanRechte->setEnabled(true);
    rechteTitel(true);
}

void TEinstellungenFormular::TBtnNeuesPasswortClick()
{
    ui::messages().information(QStringLiteral("Bitte geben Sie zunächst das bisherige Paßwort ein."));
    const std::optional<QString> alt = passwortErfragen();
    if (!alt) {
        ui::messages().information(kAbgebrochen);
        return;
    }
    if (!PasswortGleich(*alt, gespeichertesPasswort())) {
        ui::messages().error(kFalschesPasswort);
        return;
    }
    ui::messages().information(QStringLiteral("Bitte geben Sie jetzt das neue Paßwort ein."));
    const std::optional<QString> neu = passwortErfragen();
    if (!neu) {
        ui::messages().information(kAbgebrochen);
        return;
    }
    dbe::TTable &allg = allgemeinTabelle();
    allg.Edit();
    allg.FieldByName(QStringLiteral("MitHeader"))->SetAsString(*neu);
    allg.Post();
    ui::messages().information(QStringLiteral("Neues Paßwort gespeichert."));
}

void TEinstellungenFormular::SpeedBtnDesignerMonatsuebersichtClick()
{
    SeitenAufbauen();
    if (const std::optional<int> nummer = DesignerNummer(ComboBoxDesigner->currentText()))
        reportDienste().DesignReport(*nummer);
}

void TEinstellungenFormular::PageCtrlEinstellungenChange()
{
    SeitenAufbauen();
    TBitBtnSpeichern->setEnabled(true);
    ui::TabSheet *seite = PageCtrlEinstellungen->activePage();
    if (seite == TabDesigner) {
        try {
            DataModule1->TTblVar.Close();
        } catch (const std::exception &e) {
            Verschluckt(Q_FUNC_INFO, e);
        }
        HilfstabellenZuruecksetzen();
        TBitBtnSpeichern->setEnabled(false);
        ComboBoxDesigner->setFocus();
    } else if (seite == TabDatenbank) {
        TBitBtnSpeichern->setEnabled(false);
        try {
            fahrzeugeOeffnen(DataModule1->TTblVar);
        } catch (const std::exception &e) {
            Verschluckt(Q_FUNC_INFO, e);
            HilfstabellenZuruecksetzen();
        }
        DBGridGruppe->setFocus();
    } else {
        const QPair<ui::TabSheet *, const char *> fokus[] = {
            {TabFeldnamen, "DBEditHaftpflicht"},
            {TabFeldnamen2, "DBEditGruppe"},
            {TabFeldnamen3, "DBEditFreifeld1"},
            {TabFeldnamen4, "DBEditNameFreifeld1"},
            {TabAllgemeineVorgaben, "DBCheckBoxSchreibschutz"},
            {TabTerminVorgaben, "DBCheckBoxTermine"},
            {TabSicherheit, "TBtnNeuesPasswort"}};
        for (const auto &[s, name] : fokus)
            if (s == seite)
                if (auto *w = findChild<QWidget *>(QString::fromLatin1(name)))
                    w->setFocus();
    }
}

// Groups and cost centres are asked about under the user's name for them.
TEinstellungenFormular::Nachschlag TEinstellungenFormular::benannterNachschlag(dbe::TTable &tabelle,
                                                                               const QString &feld,
                                                                               const QString &fahrzeugFeld,
                                                                               const QString &name)
{
    const QString bezeichnung = FeldBezeichnungen[name];
    return {tabelle, feld, fahrzeugFeld,
            QStringLiteral("Möchten Sie diese ") + bezeichnung +
                QStringLiteral(" wirklich in der Nachschlagetabelle löschen"),
            QStringLiteral("Die markierte ") + bezeichnung +
                QStringLiteral(" ist mindestens einem Fahrzeug zugeordnet - möchten Sie sie trotzdem in der "
                               "Nachschlagetabelle löschen")};
}

void TEinstellungenFormular::nachschlagLoeschen(const Nachschlag &n)
{
    if (!ui::messages().question(n.frage))
        return;
    ui::HourglassScope sanduhr;
    const QString text = n.tabelle.FieldByName(n.feld)->AsString();
    dbe::TTable &var = DataModule1->TTblVar;
    // Closed after a reset or when the form reopened on this page.
    if (!var.Active())
        fahrzeugeOeffnen(var);
    if (NachschlagVerwendet(var, n.fahrzeugFeld, text) && !ui::messages().question(n.frageVerwendet))
        return;
    n.tabelle.Delete();
}

void TEinstellungenFormular::BitBtnGruppeLoeschenClick()
{
    nachschlagLoeschen(benannterNachschlag(DataModule1->TTblGruppe, QStringLiteral("Gruppe"),
                                           QStringLiteral("Gruppe"), QStringLiteral("NameGruppe")));
}

void TEinstellungenFormular::BitBtnKostenstelleLoeschenClick()
{
    nachschlagLoeschen(benannterNachschlag(DataModule1->TTblStandort, QStringLiteral("Standort"),
                                           QStringLiteral("Kostenstelle"),
                                           QStringLiteral("NameKostenstelle")));
}

void TEinstellungenFormular::BitBtnLeasinggesellschaftLoeschenClick()
{
    nachschlagLoeschen(
        {DataModule1->TblLeasinggesellschaft, QStringLiteral("Name1"), QStringLiteral("NameLeasingges"),
         QStringLiteral("Möchten Sie diese Leasinggesellschaft wirklich in der Nachschlagetabelle löschen"),
         QStringLiteral("Die markierte Leasinggesellschaft ist mindestens einem Fahrzeug zugeordnet - "
                        "möchten Sie sie trotzdem in der Nachschlagetabelle löschen")});
}

void TEinstellungenFormular::BitBtnReifentypLoeschenClick()
{
    if (!ui::messages().question(
            QStringLiteral("Möchten Sie diesen Reifentyp wirklich in der Nachschlagetabelle löschen")))
        return;
    ui::HourglassScope sanduhr;
    DataModule1->TTblReifentyp.Delete();
}

void TEinstellungenFormular::BtnTabAnsichtResetClick()
{
    if (ui::messages().question(QStringLiteral(
            "Möchten Sie die Änderungen an den tabellarischen Ansichten (Sortierung) zurücksetzen"))) {
        dbe::TTable &positionen = DataModule1->TTblVar1;
        bool geleert = false;
        try {
            positionen.Close();
            positionen.SetDatabaseName(kAliasFuhrparkPriv);
            positionen.SetTableName(QStringLiteral("Feldpos.db"));
            geleert = TabelleLeeren(positionen);
        } catch (const std::exception &e) {
            Verschluckt(Q_FUNC_INFO, e);
        }
        if (geleert)
            SpaltenpositionenZurueckgesetzt = true;
        else
            ui::messages().error(QStringLiteral("Fehler beim Löschen der Feldpositions-Tabelle"));
    }
    HilfstabellenZuruecksetzen();
}

void TEinstellungenFormular::DBChkBoxTerminverwaltungZeigenClick()
{
    if (!DBChkBoxTerminverwaltungZeigen->isChecked() && DBCheckBoxTermine->isChecked()) {
        ui::messages().warning(kTerminverwaltungNichtAbschalten);
        ankreuzen(DBChkBoxTerminverwaltungZeigen, true);
    }
}

void TEinstellungenFormular::DBCheckBoxTermineClick()
{
    if (!DBChkBoxTerminverwaltungZeigen->isChecked() && DBCheckBoxTermine->isChecked()) {
        ui::messages().warning(kTermineBeiStartNichtEinschalten);
        ankreuzen(DBCheckBoxTermine, false);
    }
}

} // namespace fleet
