#include "example_form.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/Abort.h"
#include "dbe/Field.h"
#include "dbe/Table.h"
#include "ui/Connect.h"
#include "ui/DBCheckBox.h"
#include "ui/DBDatePicker.h"
#include "ui/DBEdit.h"
#include "ui/DBGrid.h"
#include "ui/DBImage.h"
#include "ui/DBLookupComboBox.h"
#include "ui/DBRadioGroup.h"
#include "ui/DBText.h"
#include "ui/Messages.h"
#include "ui/PageControl.h"
#include "ui/PopupMenu.h"

using namespace ui;

TFahrzeugFormular::TFahrzeugFormular(dbe::TTable &vehicles, dbe::TDataSource &vehicleSource,
                                     dbe::TDataSource &groupSource)
    : FormBase(QStringLiteral("FahrzeugFormular")), TTblFahrzeug(vehicles), TDataSrcFahrzeug(vehicleSource)
{
    setWindowTitle(QStringLiteral("Fahrzeuge"));
    auto *layout = new QVBoxLayout(this);

    MainMenu = make<QMenuBar>(this, "MainMenu");
    QMenu *datei = MainMenu->addMenu(QStringLiteral("&Datei"));
    QAction *neu = datei->addAction(QStringLiteral("&Neu"));
    neu->setObjectName(QStringLiteral("Neu1"));
    QAction *beenden = datei->addAction(QStringLiteral("B&eenden"));
    beenden->setObjectName(QStringLiteral("Beenden1"));
    layout->setMenuBar(MainMenu);

    auto *header = new QHBoxLayout;
    header->addWidget(new QLabel(QStringLiteral("Kfz.-Nr.:")));
    LblKopfzeileKfzNr = make<DBText>(this, "LblKopfzeileKfzNr");
    LblKopfzeileKfzNr->setDataSource(&vehicleSource);
    LblKopfzeileKfzNr->setDataField(QStringLiteral("KfzNr"));
    header->addWidget(LblKopfzeileKfzNr, 1);
    TPanelStatus = make<QLabel>(this, "TPanelStatus");
    header->addWidget(TPanelStatus);
    layout->addLayout(header);

    PageCtrlFahrzeug = make<PageControl>(this, "PageCtrlFahrzeug");
    TabStammDaten = PageCtrlFahrzeug->addPage(QStringLiteral("TabStammDaten"), QStringLiteral("Stammdaten"));
    TabListe = PageCtrlFahrzeug->addPage(QStringLiteral("TabListe"), QStringLiteral("Liste"));
    layout->addWidget(PageCtrlFahrzeug, 1);

    auto *master = new QHBoxLayout(TabStammDaten);
    auto *fields = new QFormLayout;
    master->addLayout(fields, 2);
    auto edit = [&](const char *name, const char *field) {
        auto *e = make<DBEdit>(TabStammDaten, name);
        e->setDataSource(&vehicleSource);
        e->setDataField(QString::fromLatin1(field));
        return e;
    };
    EditKfzNr = edit("EditKfzNr", "KfzNr");
    EditInfo = edit("EditInfo", "Info");
    EditKmStand = edit("EditKmStand", "Km");
    DBLkpCmbBoxGruppe = make<DBLookupComboBox>(TabStammDaten, "DBLkpCmbBoxGruppe");
    DBLkpCmbBoxGruppe->setListSource(&groupSource);
    DBLkpCmbBoxGruppe->setKeyField(QStringLiteral("Gruppe"));
    DBLkpCmbBoxGruppe->setListField(QStringLiteral("Gruppe"));
    DBLkpCmbBoxGruppe->setDataSource(&vehicleSource);
    DBLkpCmbBoxGruppe->setDataField(QStringLiteral("Gruppe"));
    DateTimePckZulassung = make<DBDatePicker>(TabStammDaten, "DateTimePckZulassung");
    DateTimePckZulassung->setDataSource(&vehicleSource);
    DateTimePckZulassung->setDataField(QStringLiteral("Datum"));
    DBCheckBoxLeasing =
        make<DBCheckBox>(TabStammDaten, "DBCheckBoxLeasing", QStringLiteral("Leasingfahrzeug"));
    DBCheckBoxLeasing->setValueChecked(QStringLiteral("Wahr"));
    DBCheckBoxLeasing->setValueUnchecked(QStringLiteral("Falsch"));
    DBCheckBoxLeasing->setDataSource(&vehicleSource);
    DBCheckBoxLeasing->setDataField(QStringLiteral("Leasing"));
    fields->addRow(QStringLiteral("Kfz.-Nr./Kennzeichen:"), EditKfzNr);
    fields->addRow(QStringLiteral("Info:"), EditInfo);
    fields->addRow(QStringLiteral("Km.Stand:"), EditKmStand);
    fields->addRow(QStringLiteral("Gruppe:"), DBLkpCmbBoxGruppe);
    fields->addRow(QStringLiteral("Zulassung:"), DateTimePckZulassung);
    fields->addRow(QString(), DBCheckBoxLeasing);

    auto *side = new QVBoxLayout;
    master->addLayout(side, 1);
    RadioGrpArt = make<DBRadioGroup>(TabStammDaten, "RadioGrpArt");
    RadioGrpArt->setTitle(QStringLiteral("Fahrzeugart"));
    RadioGrpArt->setItems({QStringLiteral("Pkw"), QStringLiteral("Lkw"), QStringLiteral("Bus")});
    RadioGrpArt->setValues({QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("30")});
    RadioGrpArt->setDataSource(&vehicleSource);
    RadioGrpArt->setDataField(QStringLiteral("Art"));
    side->addWidget(RadioGrpArt);
    ImgBild = make<DBImage>(TabStammDaten, "ImgBild");
    ImgBild->setDataSource(&vehicleSource);
    ImgBild->setDataField(QStringLiteral("Bild"));
    ImgBild->setMinimumSize(120, 90);
    ImgBild->setFrameShape(QFrame::StyledPanel);
    side->addWidget(ImgBild, 1);

    auto *list = new QVBoxLayout(TabListe);
    DBGridFahrzeuge = make<DBGrid>(TabListe, "DBGridFahrzeuge");
    DBGridFahrzeuge->setDataSource(&vehicleSource);
    list->addWidget(DBGridFahrzeuge);

    PopupMenuInfo = make<PopupMenu>(this, "PopupMenuInfo");
    QAction *loeschen = PopupMenuInfo->addItem("InfoLoeschen1", QStringLiteral("Info &löschen"));
    PopupMenuInfo->addItem("Abbrechen1", QStringLiteral("Abbrechen"));
    PopupMenuInfo->attachTo(EditInfo);

    auto *buttons = new QHBoxLayout;
    TBitBtnNeu = make<QPushButton>(this, "TBitBtnNeu", QStringLiteral("&Neu"));
    TBitBtnSpeichern = make<QPushButton>(this, "TBitBtnSpeichern", QStringLiteral("&Speichern"));
    TBitBtnAbbrechen = make<QPushButton>(this, "TBitBtnAbbrechen", QStringLiteral("Ab&brechen"));
    TBitBtnEnde = make<QPushButton>(this, "TBitBtnEnde", QStringLiteral("&Ende"));
    for (QPushButton *b : {TBitBtnNeu, TBitBtnSpeichern, TBitBtnAbbrechen})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(TBitBtnEnde);
    layout->addLayout(buttons);

    on(TBitBtnNeu, &QPushButton::clicked, this, &TFahrzeugFormular::TBitBtnNeuClick);
    on(neu, &QAction::triggered, this, &TFahrzeugFormular::TBitBtnNeuClick);
    on(TBitBtnSpeichern, &QPushButton::clicked, this, &TFahrzeugFormular::TBitBtnSpeichernClick);
    on(TBitBtnAbbrechen, &QPushButton::clicked, this, &TFahrzeugFormular::TBitBtnAbbrechenClick);
    on(TBitBtnEnde, &QPushButton::clicked, this, &TFahrzeugFormular::TBitBtnEndeClick);
    on(beenden, &QAction::triggered, this, &TFahrzeugFormular::TBitBtnEndeClick);
    on(PageCtrlFahrzeug, &PageControl::onChanging, this, &TFahrzeugFormular::PageCtrlFahrzeugChanging);
    on(PageCtrlFahrzeug, &PageControl::onChange, this, &TFahrzeugFormular::PageCtrlFahrzeugChange);
    on(loeschen, &QAction::triggered, this, &TFahrzeugFormular::InfoLoeschenClick);
    TTblFahrzeug.BeforePost = [this](dbe::TDataSet &) { TTblFahrzeugBeforePost(); };
    vehicleSource.OnStateChange = [this](dbe::TDataSource &) { StatusZeigen(); };
    vehicleSource.OnDataChange = [this](dbe::TDataSource &, dbe::TField *) { StatusZeigen(); };
    StatusZeigen();
    resize(720, 420);
}

TFahrzeugFormular::~TFahrzeugFormular()
{
    // The table and its source outlive the form.
    TTblFahrzeug.BeforePost = nullptr;
    TDataSrcFahrzeug.OnStateChange = nullptr;
    TDataSrcFahrzeug.OnDataChange = nullptr;
}

void TFahrzeugFormular::TBitBtnNeuClick()
{
    TTblFahrzeug.Insert();
    EditKfzNr->setFocus();
}

void TFahrzeugFormular::TBitBtnSpeichernClick()
{
    TTblFahrzeug.Post();
}

void TFahrzeugFormular::TBitBtnAbbrechenClick()
{
    TTblFahrzeug.Cancel();
}

void TFahrzeugFormular::TBitBtnEndeClick()
{
    if (messages().question(QStringLiteral("Möchten Sie das Programm beenden")))
        close();
}

void TFahrzeugFormular::PageCtrlFahrzeugChanging(bool &allowChange)
{
    if (PageCtrlFahrzeug->activePage() == TabStammDaten &&
        TTblFahrzeug.State() == dbe::TDataSetState::dsInsert) {
        messages().warning(
            QStringLiteral("Bitte speichern Sie zunächst das neue Fahrzeug ab (Haken-Symboltaste) "
                           "oder verwerfen Sie die Daten (X-Symboltaste)."));
        allowChange = false;
    }
}

void TFahrzeugFormular::PageCtrlFahrzeugChange()
{
    if (PageCtrlFahrzeug->activePage() == TabListe) {
        DBGridFahrzeuge->setFocus();
        DBGridFahrzeuge->setSelectedIndex(0);
    }
}

void TFahrzeugFormular::InfoLoeschenClick()
{
    TTblFahrzeug.Edit();
    TTblFahrzeug.FieldByName(QStringLiteral("Info"))->Clear();
}

void TFahrzeugFormular::TTblFahrzeugBeforePost()
{
    if (TTblFahrzeug.FieldByName(QStringLiteral("KfzNr"))->AsString().trimmed().isEmpty()) {
        messages().error(QStringLiteral("Bitte geben Sie ein Kennzeichen ein."));
        EditKfzNr->setFocus();
        base::abortSilently();
    }
}

void TFahrzeugFormular::StatusZeigen()
{
    if (!TTblFahrzeug.Active()) {
        TPanelStatus->clear();
        return;
    }
    if (TTblFahrzeug.State() == dbe::TDataSetState::dsInsert) {
        TPanelStatus->setText(QStringLiteral("Neuer Datensatz"));
        return;
    }
    QString text = QStringLiteral("%1 von %2").arg(TTblFahrzeug.RecNo()).arg(TTblFahrzeug.RecordCount());
    if (TTblFahrzeug.State() == dbe::TDataSetState::dsEdit)
        text += QStringLiteral(" Editieren");
    TPanelStatus->setText(text);
}
