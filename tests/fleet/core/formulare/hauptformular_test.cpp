// The main window on the form kit, over a real data module in a fresh home.
#include <cmath>
#include <memory>
#include <optional>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "AufzeichnendeDienste.h"
#include "base/Abort.h"
#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/Einstellungswerte.h"
#include "dbe/Table.h"
#include "dienste/DetailFensterZugriff.h"
#include "dienste/Formularzugriff.h"
#include "dienste/HauptfensterDienste.h"
#include "formulare/Copyright.h"
#include "formulare/HauptFormular.h"
#include "formulare/HauptNavigation.h"
#include "formulare/HilfeFormular.h"
#include "formulare/Passwort.h"
#include "formulare/seiten/DispoSeite.h"
#include "formulare/seiten/KostenSeite.h"
#include "formulare/seiten/MemoSeite.h"
#include "formulare/seiten/MonatsuebersichtSeite.h"
#include "formulare/seiten/ReifenSeite.h"
#include "formulare/seiten/SchadenSeite.h"
#include "formulare/seiten/StammdatenSeite.h"
#include "kern_umgebung.h"
#include "regeln/FahrzeugRegeln.h"
#include "regeln/FeldBezeichnungen.h"
#include "ui/Application.h"
#include "ui/CheckBox.h"
#include "ui/DBEdit.h"
#include "ui/DBGrid.h"
#include "ui/DBLookupComboBox.h"
#include "ui/DBMemo.h"
#include "ui/DatePicker.h"
#include "ui/PageControl.h"
#include "ui/RadioGroup.h"
#include "ui/StartUp.h"
#include "ui/testing/ScriptedMessages.h"

using fleet::THauptFormular;

namespace {

// The extender and navigator of the window, recording what the window asks.
class NavigationsAttrappe : public fleet::HauptNavigation {
public:
    bool globalEdit = false;
    bool filter = false;
    unsigned keys = 0x7FFF;
    bool freigegeben = true;
    QStringList aufrufe;

    bool GlobalEdit() const override { return globalEdit; }
    bool FilterAktiv() const override { return filter; }
    unsigned AllowKeys() const override { return keys; }
    void SetAllowKeys(unsigned k) override { keys = k; }
    void SetManageGlobalEdit(bool m) override { aufrufe << QStringLiteral("SetManageGlobalEdit(%1)").arg(m); }
    void SetTableIndex(dbe::TTable &, const QString &i) override { aufrufe << "SetTableIndex(" + i + ")"; }
    void ClickNavButton(nav::TDBVNavigateBtn b) override
    {
        aufrufe << "ClickNavButton(" + nav::navigateBtnName(b) + ")";
    }
    void NavigatorFreigeben(bool f) override { freigegeben = f; }
    bool Moeglich(nav::TDBVNavigateBtn) const override { return false; }
    void FilterAnwenden(const nav::TFilterDefinition &, int) override
    {
        aufrufe << QStringLiteral("FilterAnwenden");
    }
    void FilterLoeschen() override { aufrufe << QStringLiteral("FilterLoeschen"); }
    void SetStayOnMasterSource(nav::TStayOnMasterSource m) override
    {
        aufrufe << QStringLiteral("SetStayOnMasterSource(%1)").arg(static_cast<int>(m));
    }
    bool SuchenMoeglich() const override { return suchenMoeglich; }
    void Suchen() override
    {
        aufrufe << QStringLiteral("Suchen");
        if (suche)
            suche();
    }
    bool suchenMoeglich = false;
    std::function<void()> suche;
};

class SpaltenAttrappe : public fleet::Spaltenordnung {
public:
    SpaltenAttrappe() : inKraft_(*this) {}
    QStringList geladen, gespeichert;
    bool FeldPositionenLaden(const QString &k) override
    {
        geladen << k;
        return true;
    }
    bool FeldPositionenSpeichern(const QString &k) override
    {
        gespeichert << k;
        return true;
    }

private:
    fleet::DienstInKraft<fleet::Spaltenordnung> inKraft_;
};

void einstellung(dbe::TSession &s, const QString &feld, const QString &wert)
{
    dbe::TTable t(&s);
    t.SetDatabaseName(fleet::kAliasFuhrpkMand);
    t.SetTableName("Kfzsyste.DB");
    t.Open();
    t.Edit();
    t.FieldByName(feld)->SetAsString(wert);
    t.Post();
}

QString text(QWidget *fenster, const char *name)
{
    auto *l = fenster->findChild<QLabel *>(QString::fromLatin1(name));
    // On a page not made yet: made now, with the captions of the start.
    if (!l && fleet::FormularVervollstaendigen(fenster))
        l = fenster->findChild<QLabel *>(QString::fromLatin1(name));
    return l ? l->text() : QStringLiteral("<fehlt>");
}

} // namespace

class HauptFormularTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<kerntest::Umgebung> umgebung;
    std::unique_ptr<fleet::TDataModule1> dm;
    std::unique_ptr<THauptFormular> fenster;

    void starten()
    {
        dm = std::make_unique<fleet::TDataModule1>(&umgebung->session());
        fleet::DataModule1 = dm.get();
        fenster = std::make_unique<THauptFormular>();
    }
    void beenden()
    {
        fenster.reset();
        fleet::DataModule1 = nullptr;
        dm.reset();
    }
    void fahrzeug(const QString &kfzNr)
    {
        kerntest::zeileAnfuegen(umgebung->session(), fleet::kAliasFuhrpark, "KfzStamm.db", {"KfzNr"},
                                {kfzNr});
    }
    // The user picks a tab: the page control's veto and change run.
    void seiteWaehlen(ui::TabSheet *seite)
    {
        fenster->PageCtrlMain->tabBar()->setCurrentIndex(fenster->PageCtrlMain->indexOf(seite));
    }

private slots:
    void init()
    {
        umgebung = std::make_unique<kerntest::Umgebung>();
        fleet::SpaltenVerschoben.clear();
        fleet::SpaltenpositionenGeladen.clear();
        fleet::SpaltenpositionenZurueckgesetzt = false;
        fleet::TourenModus = true;
    }
    void cleanup()
    {
        beenden();
        umgebung.reset();
    }

    void leavingAPageIsRefusedOnlyWhileItsTableInserts_data()
    {
        QTest::addColumn<QString>("seite");
        QTest::addColumn<QString>("tabelle");
        QTest::addColumn<QString>("meldung");
        // With the period dialog in force a new booking's insert ends silently
        // once the dialog has filled it; without it the booking is typed in.
        QTest::addColumn<bool>("zeitraumDialog");
        QTest::newRow("Stammdaten")
            << "TabStammDaten"
            << "TTblMain"
            << "Bitte speichern Sie zunächst das neue Fahrzeug ab (Haken-Symboltaste) oder "
               "verwerfen Sie die Daten (X-Symboltaste)."
            << false;
        QTest::newRow("Kosten")
            << "TabKosten"
            << "TTblVarKosten"
            << "Bitte speichern Sie zunächst den neuen Kostendatensatz ab (Speichern-Taste) oder "
               "verwerfen Sie die Daten (Löschen-Taste)."
            << false;
        QTest::newRow("Touren")
            << "TabTouren"
            << "TTblTouren"
            << "Bitte speichern Sie zunächst den neuen Tourendatensatz ab (Speichern-Taste) oder "
               "verwerfen Sie die Daten (Löschen-Taste)."
            << false;
        const QString dispo =
            "Bitte speichern Sie zunächst den neuen Dispositionsdatensatz ab (Speichern-Taste) "
            "oder verwerfen Sie die Daten (Löschen-Taste).";
        QTest::newRow("Dispo ohne Zeitraumdialog") << "TabDispo"
                                                   << "TTblDispo" << dispo << false;
        QTest::newRow("Dispo mit Zeitraumdialog") << "TabDispo"
                                                  << "TTblDispo" << dispo << true;
    }
    void leavingAPageIsRefusedOnlyWhileItsTableInserts()
    {
        QFETCH(QString, seite);
        QFETCH(QString, tabelle);
        QFETCH(QString, meldung);
        QFETCH(bool, zeitraumDialog);
        std::optional<fleet::testing::AufzeichnendeTerminDienste> termine;
        if (zeitraumDialog)
            termine.emplace();
        fahrzeug("A-1");
        starten();
        ui::testing::ScriptedMessages meldungen;
        NavigationsAttrappe navigation;
        fenster->NavigationSetzen(&navigation);
        auto *page = fenster->findChild<ui::TabSheet *>(seite);
        QVERIFY(page);
        fenster->PageCtrlMain->setActivePage(page);
        dbe::TTable *t = nullptr;
        for (dbe::TTable *x : dm->AlleTabellen())
            if (x->Name() == tabelle)
                t = x;
        QVERIFY(t);

        // In edit state the page may be left.
        if (!t->IsEmpty() || t == &dm->TTblMain) {
            t->Edit();
            seiteWaehlen(fenster->TabHistorie);
            QCOMPARE(fenster->PageCtrlMain->activePage(), fenster->TabHistorie);
            t->Cancel();
            fenster->PageCtrlMain->setActivePage(page);
        }
        if (zeitraumDialog) {
            termine->zeitraumAntwort = {base::encodeDate(2024, 3, 4), base::encodeDate(2024, 3, 5),
                                        base::encodeTime(8, 0), base::encodeTime(9, 0)};
            termine->aufrufe.clear();
            QVERIFY_THROWS_EXCEPTION(base::SilentAbort, t->Insert());
            QCOMPARE(termine->aufrufe, QStringList{"DispoZeitraumErfragen"});
            // The dialog was preset with the window's visible period.
            QCOMPARE(termine->letzteVorgabe.DatumVon,
                     std::floor(fenster->Dispo().DateTimePckDisposition->value()));
            QCOMPARE(t->FieldByName("DatumBis")->AsDateTime(), base::encodeDate(2024, 3, 5));
            QCOMPARE(t->FieldByName("Kfznr")->AsString(), QStringLiteral("A-1"));
        } else {
            t->Insert();
        }
        QCOMPARE(t->State(), dbe::TDataSetState::dsInsert);
        meldungen.expectWarning(meldung);
        seiteWaehlen(fenster->TabHistorie);
        QVERIFY(meldungen.verifyDone());
        QCOMPARE(fenster->PageCtrlMain->activePage(), page);
        QCOMPARE(fenster->PageCtrlMain->tabBar()->currentIndex(), fenster->PageCtrlMain->indexOf(page));
        t->Cancel();
    }

    // A vehicle another workstation has in edit: typing into it here shows the refusal in the
    // usual message box and leaves the vehicle as it is; once the other lets go, typing edits it.
    void aVehicleInEditAtAnotherWorkstationIsRefusedInAMessageBox()
    {
        fahrzeug("A-1");
        starten();
        ui::testing::ScriptedMessages meldungen;
        fenster->Stammdaten();
        auto *info = fenster->findChild<ui::DBEdit *>("EditInfo");
        QVERIFY(info);
        {
            kerntest::ZweiterArbeitsplatz anderer("bearbeiten", fleet::kAliasFuhrpark, "KfzStamm.db");
            QVERIFY(anderer.bereit());
            meldungen.expectError(
                "Tabelle KfzStamm.db: Der Datensatz wird gerade an einem anderen Arbeitsplatz bearbeitet.");
            QTest::keyClicks(info, "X");
            QVERIFY(meldungen.verifyDone());
            QCOMPARE(dm->TTblMain.State(), dbe::TDataSetState::dsBrowse);
        }
        QTest::keyClicks(info, "X");
        QCOMPARE(dm->TTblMain.State(), dbe::TDataSetState::dsEdit);
        dm->TTblMain.Cancel();
        QVERIFY(meldungen.verifyDone());
    }

    // The window serves the detail and dispatch rules while it lives.
    void windowServesTheDetailRules()
    {
        fahrzeug("A-1");
        QVERIFY(!fleet::Detailfenster());
        starten();
        ui::testing::ScriptedMessages meldungen;
        QCOMPARE(fleet::Detailfenster(), static_cast<fleet::DetailFensterZugriff *>(fenster.get()));
        fleet::DetailFensterZugriff &f = *fenster;
        QCOMPARE(f.Grid("DBGridDispo"), fenster->Dispo().DBGridDispo);
        QCOMPARE(f.Grid("TDBGridVarKosten"), fenster->Kosten().Raster());
        QVERIFY(!f.Grid("DBGridMonatsuebersicht"));

        // A tyre type typed on the tyre page grows the list when the tyres are saved.
        const int typen = dm->TTblReifentyp.RecordCount();
        dm->TTblReifen.Append();
        auto *typ = fenster->findChild<ui::DBLookupComboBox *>("DBLookupCmbAchse2ReifentypWi");
        QVERIFY(typ);
        typ->setEditText("Winter 205");
        QCOMPARE(f.AuswahlText("DBLookupCmbAchse2ReifentypWi"), QStringLiteral("Winter 205"));
        QCOMPARE(f.AuswahlText("DBLookupCmbUnbekannt"), QString());
        dm->TTblReifen.Post();
        dm->TTblReifentyp.Refresh();
        QCOMPARE(dm->TTblReifentyp.RecordCount(), typen + 1);

        // The visible period counts only while its pickers are shown.
        fenster->Dispo().DateTimePckDisposition->setValue(base::encodeDate(2024, 7, 1) +
                                                          base::encodeTime(10, 0));
        QCOMPARE(f.DispoErsterTag(), std::optional<base::TDateTime>(base::encodeDate(2024, 7, 1)));
        fenster->Dispo().DateTimePckDispositionBis->hide();
        QCOMPARE(f.DispoLetzterTag(), std::optional<base::TDateTime>());

        // Setting a view runs the group's click handler.
        int klicks = 0;
        QObject::connect(fenster->Dispo().RadioGrpDispositionSicht, &ui::RadioGroup::onClick,
                         [&klicks] { ++klicks; });
        f.DispoSichtSetzen(3);
        QCOMPARE(f.DispoSicht(), 3);
        QCOMPARE(klicks, 1);
        QVERIFY(meldungen.verifyDone());

        beenden();
        QVERIFY(!fleet::Detailfenster());
    }

    void allowKeysAfterEnteringEachPage()
    {
        fahrzeug("A-1");
        starten();
        ui::testing::ScriptedMessages meldungen;
        SpaltenAttrappe spalten;
        NavigationsAttrappe navigation;
        fenster->NavigationSetzen(&navigation);
        // Page, keys after entering it from the full set and from a reduced
        // set, and whether its navigator is enabled.
        const struct {
            const char *seite;
            unsigned voll, wenig;
            bool navigator;
        } faelle[] = {
            {"TabStammDaten", 0x7FFF, 0x0693, true},
            {"TabMemo", 0x797F, 0x0013, true},
            {"TabTouren", 0x796F, 0x0003, true},
            {"TabKosten", 0x796F, 0x0003, true},
            {"TabMonatsAuswertung", 0x7FFF, 0x0003, false},
            {"TabMonatsuebersicht", 0x7FFF, 0x0003, false},
            {"TabReifen", 0x797F, 0x0013, true},
            {"TabHistorie", 0x797F, 0x0013, true},
            {"TabSchadensmanagement", 0x797F, 0x0013, true},
            {"TabDispo", 0x797F, 0x0013, true},
        };
        for (const auto &f : faelle) {
            auto *page = fenster->findChild<ui::TabSheet *>(QString::fromLatin1(f.seite));
            QVERIFY(page);
            for (const auto &[vorher, nachher] : {std::pair{0x7FFFu, f.voll}, std::pair{0x0003u, f.wenig}}) {
                fenster->PageCtrlMain->setActivePage(page == fenster->TabHistorie ? fenster->TabReifen
                                                                                  : fenster->TabHistorie);
                navigation.keys = vorher;
                seiteWaehlen(page);
                QCOMPARE(fenster->PageCtrlMain->activePage(), page);
                QVERIFY2(navigation.keys == nachher, f.seite);
                QVERIFY2(navigation.freigegeben == f.navigator, f.seite);
            }
        }
        // Each stored column order is applied once per run.
        QCOMPARE(spalten.geladen, QStringList({"Touren", "Varkost", "Histo", "Schaden", "Dispo"}));
    }

    void aDisabledMasterPageLosesTheNewRowKeys()
    {
        fahrzeug("A-1");
        starten();
        NavigationsAttrappe navigation;
        fenster->NavigationSetzen(&navigation);
        fenster->PageCtrlMain->setActivePage(fenster->TabHistorie);
        fenster->TabStammDaten->setEnabled(false);
        navigation.keys = 0x7FFF;
        seiteWaehlen(fenster->TabStammDaten);
        QCOMPARE(navigation.keys, 0x797Fu);
    }

    void captionsFollowTheUserDefinedNames()
    {
        einstellung(umgebung->session(), "NameGruppe", "Fahrzeuggruppe-Lang");        // 19 characters
        einstellung(umgebung->session(), "NameKostenstelle", "Kostenstelle/Standor"); // 20 characters
        einstellung(umgebung->session(), "NameKostenKasko", "Vollkaskoversicherung");
        einstellung(umgebung->session(), "NameFreifeld100", "Tankkarte");
        einstellung(umgebung->session(), "NameFreitermin4", "Tacho");
        starten();
        QCOMPARE(text(fenster.get(), "LblKopfzeileGruppe"), QString("Fahrzeuggruppe-Lang:"));
        QCOMPARE(text(fenster.get(), "LblGruppe"), QString("Fahrzeuggruppe-Lang"));
        QCOMPARE(text(fenster.get(), "LblKopfzeileKostenstelle"), QString("Kostenstelle/Stand.:"));
        QCOMPARE(text(fenster.get(), "LblKasko"), QString("Vollkaskover"));
        QCOMPARE(text(fenster.get(), "LblMUKasko"), QString("Vollkaskover:"));
        QCOMPARE(text(fenster.get(), "LblHaftpflicht"), QString("Haftplicht"));
        QCOMPARE(text(fenster.get(), "TLblSonstige2"), QString("Sonstige2:"));
        QCOMPARE(text(fenster.get(), "LblFreifeld10"), QString("Tankkarte"));
        QCOMPARE(text(fenster.get(), "LblFreierTermin4"), QString("Tacho"));
        QCOMPARE(fleet::FeldBezeichnungen["NameGruppe"], QString("Fahrzeuggruppe-Lang"));

        // An empty free-field name empties its label; an empty appointment name
        // keeps the designed caption.
        fenster->findChild<QLabel *>("LblFreifeld5")->setText("vorher");
        fenster->FormCreate();
        QCOMPARE(text(fenster.get(), "LblFreifeld5"), QString());
        QCOMPARE(text(fenster.get(), "LblFreierTermin5"), QString("Freier Termin5"));
        QCOMPARE(text(fenster.get(), "LblSchadstoff"), QString("Schadstoff/Km.(g)"));
    }

    void todaySelectsTheYearAndMonthLists()
    {
        starten();
        QCOMPARE(fenster->Monatsuebersicht().ComboBoxJahr->currentText(), fleet::HeuteJahrText);
        QCOMPARE(fenster->Dispo().CmbBoxDispositionJahr->itemIndex(), fleet::HeuteJahrIndex);
        QCOMPARE(fenster->Kosten().CmbBoxKostenMonat->itemIndex(), fleet::HeuteMonat - 1);
        QCOMPARE(fenster->Kosten().CmbBoxKostenMonat->currentText(), fleet::HeuteMonatName);
        QCOMPARE(fenster->PageCtrlMain->activePage(), fenster->TabStammDaten);
        QVERIFY(fenster->Mandanten1->isEnabled());
        QCOMPARE(fenster->windowTitle(), QString("KARVEN Fuhrpark / Mandant1 - Unbekannt"));
        QCOMPARE(fenster->minimumSize(), QSize(900, 740));
        QVERIFY(fenster->windowState() & Qt::WindowMaximized);
        // Not maximised, the window has a size of its own, within the screen unless below its minimum.
        const QSize normal = fenster->normalGeometry().size();
        const QSize bildschirm = fenster->screen()->availableGeometry().size();
        QCOMPARE(normal, QSize(1024, 768).boundedTo(bildschirm).expandedTo(QSize(900, 740)));
    }

    void closingSavesTheColumnOrders_data()
    {
        QTest::addColumn<bool>("zurueckgesetzt");
        QTest::addColumn<bool>("tourenModus");
        QTest::addColumn<QStringList>("verschoben");
        QTest::addColumn<QStringList>("gespeichert");
        QTest::newRow("nichts verschoben") << false << true << QStringList() << QStringList{"Main"};
        QTest::newRow("zurueckgesetzt") << true << true << QStringList{"Touren", "Dispo"} << QStringList();
        QTest::newRow("alle") << false << true
                              << QStringList{"Schaden", "Histo", "Dispo", "Varkost", "Touren"}
                              << QStringList{"Main", "Touren", "Varkost", "Dispo", "Histo", "Schaden"};
        QTest::newRow("Touren im Kostenmodus")
            << false << false << QStringList{"Touren", "Histo"} << QStringList{"Main", "Histo"};
    }
    void closingSavesTheColumnOrders()
    {
        QFETCH(bool, zurueckgesetzt);
        QFETCH(bool, tourenModus);
        QFETCH(QStringList, verschoben);
        QFETCH(QStringList, gespeichert);
        starten();
        SpaltenAttrappe spalten;
        fleet::SpaltenpositionenZurueckgesetzt = zurueckgesetzt;
        fleet::TourenModus = tourenModus;
        fleet::SpaltenVerschoben = QSet<QString>(verschoben.begin(), verschoben.end());
        fenster->show();
        fenster->close(); // the close box: no question
        QCOMPARE(spalten.gespeichert, gespeichert);
    }

    void endeAsksBeforeClosing()
    {
        starten();
        fenster->show();
        ui::testing::ScriptedMessages meldungen;
        meldungen.expectQuestion("Möchten Sie das Programm beenden", false);
        fenster->TBitBtnEnde->click();
        QVERIFY(fenster->isVisible());
        meldungen.expectQuestion("Möchten Sie das Programm beenden", true);
        fenster->TBitBtnEnde->click();
        QVERIFY(!fenster->isVisible());
        QVERIFY(meldungen.verifyDone());

        // Without another keeper the order of the vehicles is stored in FeldPos.db.
        dbe::TTable feldPos(&umgebung->session());
        feldPos.SetDatabaseName(fleet::kAliasFuhrparkPriv);
        feldPos.SetTableName("FeldPos.db");
        feldPos.Open();
        QCOMPARE(feldPos.RecordCount(), dm->TTblMain.FieldCount());
        QCOMPARE(feldPos.FieldByName("TabKz")->AsString(), QString("Main"));
    }

    void anIndexErrorIsExplainedOtherTextsPass()
    {
        starten();
        ui::testing::ScriptedMessages meldungen;
        meldungen.expectError(
            "Bitte ändern Sie das Kennzeichen dieses Fahrzeugs oder brechen Sie die Eingabe ab "
            "(X-Symboltaste) - ein Fahrzeug mit diesem Kennzeichen ist schon vorhanden..");
        meldungen.expectError("Feld 'KfzNr' muss einen Wert haben");
        bool erledigt = false;
        fenster->TDBVexarionMainShowMessage("Indexfehler", ui::MsgType::Error, erledigt);
        QVERIFY(erledigt);
        erledigt = false;
        fenster->TDBVexarionMainShowMessage("Feld 'KfzNr' muss einen Wert haben", ui::MsgType::Error,
                                            erledigt);
        QVERIFY(erledigt);
        erledigt = false;
        fenster->TDBVexarionMainShowMessage("Indexfehler", ui::MsgType::Information, erledigt);
        QVERIFY(!erledigt);
        QVERIFY(meldungen.verifyDone());
    }

    void readOnlyWorkstationsNeverSwitchToEdit()
    {
        starten();
        ui::testing::ScriptedMessages meldungen;
        fleet::NurLesen = true;
        meldungen.expectInformation("Sie haben nur Leserechte!");
        bool abgebrochen = false;
        try {
            fenster->TDBVexarionMainBeforeHandleNBBtn(nav::nbGlobalEdit);
        } catch (const base::SilentAbort &) {
            abgebrochen = true;
        }
        fleet::NurLesen = false;
        QVERIFY(abgebrochen);
        QVERIFY(meldungen.verifyDone());
    }

    void aVehicleAddedThroughTheWindowIsThereAfterARestart()
    {
        starten();
        ui::testing::ScriptedMessages meldungen;
        fenster->show();
        fenster->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fenster.get()));
        QVERIFY(dm->TTblMain.IsEmpty());
        auto knopf = [this](const char *name) {
            auto *b = fenster->findChild<QToolButton *>(QString::fromLatin1(name));
            QVERIFY2(b, name);
            b->click();
        };
        knopf("nbGlobalEdit");
        QCOMPARE(fenster->TPaGlobalEdit->text(), QString("Ändern"));
        knopf("nbInsert");
        QCOMPARE(dm->TTblMain.State(), dbe::TDataSetState::dsInsert);
        QVERIFY(!fenster->Stammdaten().EditKfzNr->isReadOnly());
        QTest::keyClicks(fenster->Stammdaten().EditKfzNr, "M-KV 100");
        auto *marke = fenster->findChild<ui::DBEdit *>("EditKfzMarke");
        QTest::keyClicks(marke, "Transit");
        QTest::keyClicks(fenster->Stammdaten().DBLkpCmbBoxGruppe->lineEdit(), "Transporter");
        knopf("nbPost");
        QCOMPARE(dm->TTblMain.State(), dbe::TDataSetState::dsBrowse);
        QVERIFY(fenster->Stammdaten().EditKfzNr->isReadOnly());
        QCOMPARE(fenster->DBEditKopfzeileKfznr->text(), QString("M-KV 100"));

        // The same number again is refused with the explained index error.
        knopf("nbInsert");
        QTest::keyClicks(fenster->Stammdaten().EditKfzNr, "M-KV 100");
        meldungen.expectError(
            "Bitte ändern Sie das Kennzeichen dieses Fahrzeugs oder brechen Sie die Eingabe ab "
            "(X-Symboltaste) - ein Fahrzeug mit diesem Kennzeichen ist schon vorhanden..");
        knopf("nbPost");
        QVERIFY(meldungen.verifyDone());
        QCOMPARE(dm->TTblMain.State(), dbe::TDataSetState::dsInsert);
        knopf("nbCancel");

        beenden();
        umgebung->neueSession();
        starten();
        QCOMPARE(dm->TTblMain.RecordCount(), 1);
        QCOMPARE(dm->TTblMain.FieldByName("KfzNr")->AsString(), QString("M-KV 100"));
        QCOMPARE(fenster->Stammdaten().EditKfzNr->text(), QString("M-KV 100"));
        QCOMPARE(fenster->findChild<ui::DBEdit *>("EditKfzMarke")->text(), QString("Transit"));
        QCOMPARE(dm->TTblMain.FieldByName("Gruppe")->AsString(), QString("Transporter"));
        QVERIFY(dm->TTblGruppe.FindKey({QString("Transporter")}));
    }

    // A cost row still being typed for vehicle B is posted for B before the
    // navigator moves to the first vehicle: B's reading rises, A's stays.
    void aPendingCostRowIsPostedBeforeTheNavigatorMoves()
    {
        kerntest::zeileAnfuegen(umgebung->session(), fleet::kAliasFuhrpark, "KfzStamm.db",
                                {"KfzNr", "KfzKmStand"}, {"A-1", 50000.0});
        kerntest::zeileAnfuegen(umgebung->session(), fleet::kAliasFuhrpark, "KfzStamm.db",
                                {"KfzNr", "KfzKmStand"}, {"B-2", 40000.0});
        starten();
        ui::testing::ScriptedMessages meldungen;
        fenster->show();
        fenster->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fenster.get()));
        auto knopf = [this](const char *name) {
            auto *b = fenster->findChild<QToolButton *>(QString::fromLatin1(name));
            QVERIFY2(b, name);
            b->click();
        };
        knopf("nbGlobalEdit");
        knopf("nbLast");
        QCOMPARE(dm->TTblMain.FieldByName("KfzNr")->AsString(), QString("B-2"));
        seiteWaehlen(fenster->TabKosten);
        QCOMPARE(fenster->PageCtrlMain->activePage(), fenster->TabKosten);
        auto *raster = fenster->findChild<ui::DBGrid *>("TDBGridVarKosten");
        QVERIFY(raster);
        dbe::TTable &kosten = dm->TTblVarKosten;
        kosten.Append();
        kosten.FieldByName("BelegDatum")->SetAsDateTime(base::encodeDate(2024, 3, 5));
        kosten.FieldByName("Benzin/Preis")->SetAsFloat(78.5);
        // The reading typed into its cell, the row not left.
        raster->setFocus();
        raster->setSelectedField(kosten.FieldByName("Mwst"));
        QTest::keyClicks(raster, "6");
        QWidget *editor = QApplication::focusWidget();
        QVERIFY(editor && editor != raster);
        QTest::keyClicks(editor, "0.000");
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(kosten.State(), dbe::TDataSetState::dsInsert);

        knopf("nbFirst");
        QCOMPARE(kosten.State(), dbe::TDataSetState::dsBrowse);
        QCOMPARE(dm->TTblMain.FieldByName("KfzNr")->AsString(), QString("A-1"));
        QCOMPARE(dm->TTblMain.FieldByName("KfzKmStand")->AsFloat(), 50000.0);
        QVERIFY(dm->TTblMain.Locate("KfzNr", QString("B-2")));
        QCOMPARE(dm->TTblMain.FieldByName("KfzKmStand")->AsFloat(), 60000.0);
        QCOMPARE(kosten.RecordCount(), 1);
        QCOMPARE(kosten.FieldByName("Mwst")->AsFloat(), 60000.0);
        QVERIFY(meldungen.verifyDone());
    }

    void aVehicleBecomingCurrentRefreshesTheWindow()
    {
        kerntest::zeileAnfuegen(umgebung->session(), fleet::kAliasFuhrpark, "KfzStamm.db",
                                {"KfzNr", "KfzKmStand"}, {"A-1", 50000.0});
        fahrzeug("B-2");
        kerntest::zeileAnfuegen(umgebung->session(), fleet::kAliasFuhrpark, "KfzReif.db",
                                {"KfzNr", "ZurZeitMontiert", "Achse1ReifenKmSo", "Achse2ReifenKmWi"},
                                {"A-1", "W", 42000.0, 51000.0});
        kerntest::zeileAnfuegen(umgebung->session(), fleet::kAliasFuhrpark, "KfzSchad.db",
                                {"KfzNr", "Bearbeitungsnummer", "Datum"}, {"A-1", "S-1", 45000.0});
        starten();
        fenster->Schaden().ChkBoxSchadenFilter->setChecked(true);
        QVERIFY(dm->TblSchadensmanagement.Filtered());
        fenster->Memo().PanBild->setText("Bild 1");
        dm->TTblMain.Last();
        dm->TTblMain.First();
        QCOMPARE(fenster->Reifen().PageCtrlReifen->activePage(), fenster->Reifen().TabSheetWinterReifen);
        QCOMPARE(text(fenster.get(), "LblAchse1ReifenGelaufenSo"), QString("8000"));
        QCOMPARE(text(fenster.get(), "LblAchse2ReifenGelaufenWi"), QString("0")); // mounted above the reading
        QCOMPARE(text(fenster.get(), "LblAchse3ReifenGelaufenSo"), QString());
        QVERIFY(!fenster->Schaden().ChkBoxSchadenFilter->isChecked());
        QVERIFY(fenster->Memo().PanBild->text().isEmpty());
        QCOMPARE(fenster->Stammdaten().LblVorausLsEndKmStand->text(), QString("n.v."));
        QCOMPARE(fenster->DBEditKopfzeileKfznr->text(), QString("A-1"));
    }

    void aboutBoxShowsTheVersion()
    {
        fleet::TCopyright box;
        QCOMPARE(box.windowTitle(), QString("Copyright"));
        QCOMPARE(box.LblVersion->text(), QString("Vers. 7.02a"));
        QCOMPARE(box.PanTitel->text(), QString("KARVEN Fuhrpark"));
        QTimer::singleShot(0, &box, [&box] { box.BitBtnSchliessen->click(); });
        QCOMPARE(box.showModal(), int(ui::mrOk));
    }

    void thePasswordDialogStartsEmptyEveryTime()
    {
        fleet::TPasswordDlg dlg;
        QCOMPARE(dlg.Password->echoMode(), QLineEdit::Password);
        QString erstes, zweites;
        bool fokus = false;
        QTimer::singleShot(0, &dlg, [&] {
            (void)QTest::qWaitForWindowActive(&dlg);
            QTest::keyClicks(dlg.Password, "Geheimnis12345");
            erstes = dlg.Password->text();
            dlg.OKBtn->click();
        });
        QCOMPARE(dlg.showModal(), int(ui::mrOk));
        QCOMPARE(erstes, QString("Geheimnis1"));
        QCOMPARE(dlg.EingegebenesPasswort(), QString("Geheimnis1")); // read by the caller afterwards
        QTimer::singleShot(0, &dlg, [&] {
            (void)QTest::qWaitForWindowActive(&dlg);
            zweites = dlg.Password->text();
            fokus = dlg.Password->hasFocus();
            dlg.CancelBtn->click();
        });
        QCOMPARE(dlg.showModal(), int(ui::mrCancel));
        QVERIFY(zweites.isEmpty());
        QVERIFY(fokus);
    }

    void theHelpFormShowsItsTopicAndKeepsItWhenTheTopicIsMissing()
    {
        starten();
        fleet::THilfeFormular hilfe;
        dbe::TTable &t = dm->TTblHilfe;
        const auto thema = [&t](int nr) {
            t.FindKey({nr});
            return t.FieldByName("Hilfe")->AsString();
        };
        const QString eins = thema(1), zwei = thema(2);
        QVERIFY(!eins.isEmpty() && eins != zwei);
        fleet::HilfeThema = 2;
        hilfe.show();
        QCOMPARE(hilfe.TDBMemo1->toPlainText(), QString(zwei).replace("\r\n", "\n"));
        hilfe.hide();
        fleet::HilfeThema = 9;
        hilfe.show();
        QCOMPARE(hilfe.TDBMemo1->toPlainText(), QString(zwei).replace("\r\n", "\n"));
        hilfe.hide();
        fleet::HilfeThema = 1;
        hilfe.show();
        QCOMPARE(hilfe.TDBMemo1->toPlainText(), QString(eins).replace("\r\n", "\n"));
        QVERIFY(hilfe.TDBMemo1->isReadOnly());
    }
};

int main(int argc, char **argv)
{
    ui::Application app(argc, argv);
    ui::startGerman();
    HauptFormularTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "hauptformular_test.moc"
