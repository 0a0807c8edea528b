#include "ExportFormular.h"

#include <exception>

#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ExportDatensatz.h"
#include "ExportEntscheidungen.h"
#include "Tb14.h"
#include "daten/DataModule1.h"
#include "dbe/Errors.h"
#include "dbe/Field.h"
#include "dbe/ReadScope.h"
#include "formulare/HauptFormular.h"
#include "navigation/erweiterung/DBVexarion.h"
#include "navigation/erweiterung/StatusText.h"
#include "navigation/leiste/DBVNavigator.h"
#include "navigation/leiste/ExtenderTypes.h"
#include "reportengine/EngineTypes.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Connect.h"
#include "ui/Dialogs.h"
#include "ui/Messages.h"
#include "ui/RadioGroup.h"

namespace reporting {

namespace {

constexpr int kObjektListe = 2;
constexpr int kExportOption = 2048;
constexpr int kBoxArt = 2;
constexpr int kZielOption = 2; // print option string: the export target

dbe::TSession *sitzung()
{
    return fleet::DataModule1 ? &fleet::DataModule1->TTblMain.Session() : nullptr;
}

// Switching, opening and closing the export table may fail (a table in use elsewhere): the form
// keeps its state and the user can try again.
template <class F> void still(F &&schritt)
{
    try {
        schritt();
    } catch (const std::exception &) {
    }
}

} // namespace

TExportFormular::TExportFormular(QWidget *parent)
    : ui::FormBase(QStringLiteral("ExportFormular"), parent), TblExport(sitzung()), DataSrcExport(&TblExport)
{
    setWindowTitle(QStringLiteral("Datenexport"));
    TblExport.SetDatabaseName(QStringLiteral("Fuhrpark"));

    RadioGrpDaten = ui::make<ui::RadioGroup>(this, "RadioGrpDaten");
    RadioGrpDaten->setTitle(QStringLiteral("Welche Daten exportieren"));
    RadioGrpDaten->setItems(ExportDatenNamen());
    RadioGrpDaten->setToolTip(QStringLiteral("Welche Daten des Programms möchtern Sie exportieren"));
    RadioGrpFahrzeuge = ui::make<ui::RadioGroup>(this, "RadioGrpFahrzeuge");
    RadioGrpFahrzeuge->setTitle(QStringLiteral("Welche(s) Fahrzeug(e)"));
    RadioGrpFahrzeuge->setItems(
        {QStringLiteral("Aktuelles Fahrzg."), QStringLiteral("Alle Fahrzeuge"), QStringLiteral("Filter")});
    RadioGrpFahrzeuge->setToolTip(QStringLiteral(
        "Möchten Sie die Daten des aktuellen Fahrzeugs, aller Fahrzeuge oder gefilterte Daten exportieren"));

    CmbBoxFormat = ui::make<ui::ComboBox>(this, "CmbBoxFormat");
    CmbBoxFormat->addItems(ExportFormatNamen());
    CmbBoxFormat->setToolTip(QStringLiteral("Wählen Sie das gewünschte Format der Exportdatei"));
    EditExportdateiName = ui::make<QLineEdit>(this, "EditExportdateiName");
    BtnFileSelect = ui::make<QPushButton>(this, "BtnFileSelect", QStringLiteral("Datei&name ändern..."));
    BtnFileSelect->setToolTip(QStringLiteral("Wählen Sie Name und Pfad der Exportdatei"));
    CheckShowFile = ui::make<ui::CheckBox>(
        this, "CheckShowFile",
        QStringLiteral("D&aten anschließend in externem Programm zeigen (wenn möglich)"));
    CheckShowFile->setToolTip(QStringLiteral(
        "Versucht das zum Exportdatenformat gehörige Programm zu starten und die Daten zu zeigen"));
    BtnExportieren = ui::make<QPushButton>(this, "BtnExportieren", QStringLiteral("&Exportieren"));
    BtnExportieren->setToolTip(QStringLiteral("Exportvorgang starten"));
    BitBtnExportDesigner = ui::make<QPushButton>(this, "BitBtnExportDesigner", QStringLiteral("&Designer"));
    BitBtnExportDesigner->setToolTip(
        QStringLiteral("Der Designer ermöglicht die Änderung der Export-Reportvorlagen"));
    BitBtnSchliessen = ui::make<QPushButton>(this, "BitBtnSchliessen", QStringLiteral("&Schließen"));
    BitBtnSchliessen->setToolTip(QStringLiteral("Formular schließen"));
    setCancelButton(BitBtnSchliessen);

    // The extender stays on the export data for all its functions (bound when the
    // form shows, see FormShow) and shows their count and table.
    DBVexdExport = new nav::TDBVexarion(this);
    DBVexdExport->setObjectName(QStringLiteral("DBVexdExport"));
    DBVexdExport->SetShowStatusOptions(nav::ssRecCount | nav::ssTblName);
    DBVexdExport->SetFlatNavBtns(true);
    DBVexdExport->OnSpecialForm = [this](nav::TDBVexarion &sender, nav::TFormEventRec &record) {
        DBVexdExportSpecialForm(sender, record);
    };
    DBVNavExport = ui::make<nav::TDBVNavigator>(this, "DBVNavExport");
    DBVNavExport->SetDBVexarion(DBVexdExport);
    nav::NavButtonSet sichtbar;
    sichtbar.set(nav::nbTblFilter).set(nav::nbActiveFilter).set(nav::nbTableView);
    DBVNavExport->SetVisibleButtons(sichtbar);
    QStringList hinweise(nav::kNavigateBtnCount);
    hinweise[nav::nbTblFilter] = QStringLiteral("Einen Filter für die Exportdaten erstellen bzw. bearbeiten");
    hinweise[nav::nbActiveFilter] = QStringLiteral("Filter ein/ausschalten");
    hinweise[nav::nbTableView] = QStringLiteral("Tabellarische Sicht der Exportdaten");
    DBVNavExport->SetHints(hinweise);
    DBVNavExport->SetButtonWidth(30);
    DBVNavExport->SetButtonHeight(30);
    DBVNavExport->SetFlat(true);
    DBVNavExport->setEnabled(false);
    DBVNavExport->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    TB = new TTb14_(this);
    TB->setObjectName(QStringLiteral("TB"));
    TB->SetSortVariables(TPropYesNo::Yes);
    TB->SetCompressStorage(TPropYesNo::Yes);
    TB->SetButtons3D(TPropYesNo::No);
    TB->SetButtonsWithBitmaps(TPropYesNo::No);
    TB->OnDefineFields = [this](QObject *s, int u, bool d, int &p, bool &l, intptr_t &r) {
        TBDefineFields(s, u, d, p, l, r);
    };
    TB->OnSetPrintOptions = [this](QObject *s, int &flags) { TBSetPrintOptions(s, flags); };

    // Layout: the two choices side by side, the format and file below, the buttons at the foot.
    auto *wahl = new QHBoxLayout;
    wahl->addWidget(RadioGrpDaten);
    auto *rechts = new QVBoxLayout;
    rechts->addWidget(RadioGrpFahrzeuge);
    auto *filter = new QHBoxLayout;
    filter->addWidget(DBVNavExport);
    filter->addWidget(new QLabel(QStringLiteral("Filter und tab. Sicht..."), this));
    filter->addStretch(1);
    rechts->addLayout(filter);
    rechts->addStretch(1);
    wahl->addLayout(rechts);
    auto *datei = new QGridLayout;
    datei->addWidget(new QLabel(QStringLiteral("Export-Datenformat"), this), 0, 0);
    datei->addWidget(CmbBoxFormat, 1, 0);
    datei->addWidget(new QLabel(QStringLiteral("Exportdatei"), this), 2, 0);
    datei->addWidget(EditExportdateiName, 3, 0);
    datei->addWidget(BtnFileSelect, 3, 1);
    datei->addWidget(CheckShowFile, 4, 0, 1, 2);
    datei->setColumnStretch(0, 1);
    auto *knoepfe = new QHBoxLayout;
    knoepfe->addWidget(BtnExportieren);
    knoepfe->addWidget(BitBtnExportDesigner);
    knoepfe->addStretch(1);
    knoepfe->addWidget(BitBtnSchliessen);
    auto *haupt = new QVBoxLayout(this);
    haupt->addLayout(wahl);
    haupt->addLayout(datei);
    haupt->addLayout(knoepfe);
    setMinimumWidth(520);

    ui::on(this, &ui::FormBase::formShow, this, &TExportFormular::FormShow);
    ui::on(this, &ui::FormBase::formClose, this, &TExportFormular::FormClose);
    ui::on(RadioGrpDaten, &ui::RadioGroup::onClick, this, &TExportFormular::RadioGrpDatenClick);
    ui::on(RadioGrpFahrzeuge, &ui::RadioGroup::onClick, this, &TExportFormular::RadioGrpFahrzeugeClick);
    ui::on(CmbBoxFormat, &ui::ComboBox::onChange, this, &TExportFormular::CmbBoxFormatChange);
    ui::on(BtnFileSelect, &QPushButton::clicked, this, &TExportFormular::BtnFileSelectClick);
    ui::on(BtnExportieren, &QPushButton::clicked, this, &TExportFormular::BtnExportierenClick);
    ui::on(BitBtnExportDesigner, &QPushButton::clicked, this, &TExportFormular::BitBtnExportDesignerClick);
    ui::on(BitBtnSchliessen, &QPushButton::clicked, this, [this] { close(); });
    FormCreate();
}

TExportFormular::~TExportFormular()
{
    still([this] {
        DBVexdExport->SetMasterSource(nullptr);
        TblExport.Close();
    });
}

void TExportFormular::FormCreate()
{
    // The export projects are installed in the program directory, and the export files go there
    // unless the user chooses another place.
    const QString verzeichnis =
        fleet::ProgrammVerzeichnis.isEmpty() ? QDir::currentPath() : fleet::ProgrammVerzeichnis;
    ProgrammPfad = QDir(verzeichnis).absolutePath() + QLatin1Char('/');
    RadioGrpDaten->setItemIndex(4);
    RadioGrpFahrzeuge->setItemIndex(1);
    CmbBoxFormat->setItemIndex(0);
    CmbBoxFormatChange();
}

void TExportFormular::FormShow()
{
    // The choice of data made with the form may have opened the table already;
    // a table name cannot change on an open table, and a failure here would
    // leave the extender without its master: the navigator's filter and table
    // view dead on the form's first opening.
    still([this] {
        TblExport.Close();
        TblExport.SetTableName(ExportTabelle(RadioGrpDaten->itemIndex()));
        DBVexdExport->SetMasterSource(&DataSrcExport);
        // The binding needs its master: asked without one (in the constructor,
        // or after the last closing took the master away) it is stored as none.
        DBVexdExport->SetStayOnMasterSource(nav::TStayOnMasterSource::somAllFuncs);
        TblExport.Open();
    });
}

void TExportFormular::FormClose(ui::CloseAction &)
{
    still([this] {
        DBVexdExport->SetMasterSource(nullptr);
        TblExport.Close();
    });
}

void TExportFormular::RadioGrpDatenClick()
{
    still([this] {
        TblExport.Close();
        TblExport.SetTableName(ExportTabelle(RadioGrpDaten->itemIndex()));
        TblExport.Open();
    });
}

void TExportFormular::RadioGrpFahrzeugeClick()
{
    const bool filter = RadioGrpFahrzeuge->itemIndex() == 2;
    DBVNavExport->setEnabled(filter);
    if (!filter && DBVexdExport->FilterState() == 3)
        still([this] { DBVexdExport->SetTableFilterActive(&TblExport, 0); });
}

void TExportFormular::CmbBoxFormatChange()
{
    const int format = CmbBoxFormat->itemIndex();
    DateiFilter = ExportDateiFilter(format);
    ExportZiel = ExportZielZu(format);
    DateiName = ProgrammPfad + ExportStandardDatei(format);
    EditExportdateiName->setText(DateiName);
}

void TExportFormular::BtnFileSelectClick()
{
    ui::FileDialogOptions optionen;
    optionen.filter = DateiFilter;
    optionen.fileName = DateiName;
    const std::optional<QString> gewaehlt = ui::dialogs().saveFile(optionen);
    if (gewaehlt) {
        DateiName = *gewaehlt;
        EditExportdateiName->setText(DateiName);
    }
    // The engine finds its projects in the current directory.
    if (!fleet::ProgrammVerzeichnis.isEmpty())
        QDir::setCurrent(fleet::ProgrammVerzeichnis);
}

void TExportFormular::BtnExportierenClick()
{
    ExportAusfuehren(false);
}

void TExportFormular::BitBtnExportDesignerClick()
{
    ExportAusfuehren(true);
}

void TExportFormular::TBDefineFields(QObject *, int, bool isDesignMode, int &percentage, bool &isLastRecord,
                                     intptr_t &)
{
    ExportDatensatzDefinieren(*TB, TblExport, isDesignMode, percentage, isLastRecord);
}

void TExportFormular::TBSetPrintOptions(QObject *, int &)
{
    TB->PrintSetOptionString(kZielOption, ExportZiel);
    const ExportParameter p = ExportParameterZu(EditExportdateiName->text(), CheckShowFile->isChecked());
    TB->XSetParameter(1, ExportZiel, QStringLiteral("Export.Path"), p.pfad);
    TB->XSetParameter(1, ExportZiel, QStringLiteral("Export.File"), p.datei);
    TB->XSetParameter(1, ExportZiel, QStringLiteral("Export.Quiet"), p.still);
    TB->XSetParameter(1, ExportZiel, QStringLiteral("Export.ShowResult"), p.anzeigen);
}

void TExportFormular::DBVexdExportSpecialForm(nav::TDBVexarion &, nav::TFormEventRec &record)
{
    if (record.FormType != nav::sfTableView)
        return;
    record.VisBtnsSearch = 5;
    record.VisBtnsMove = 45;
    record.VisBtnsExtend = 2;
}

void TExportFormular::ExportFilterLoesen()
{
    TblExport.SetFilter(QString());
    TblExport.SetFiltered(false);
    TblExport.SetMasterSource(nullptr);
    TblExport.SetMasterFields(QString());
}

void TExportFormular::ExportAusfuehren(bool designer)
{
    if (!ui::messages().question(designer ? QStringLiteral("Möchten Sie jetzt den Export-Designer aufrufen")
                                          : QStringLiteral("Möchten Sie die Daten jetzt exportieren")))
        return;
    // The run's own filter or link never outlives it, whichever way it ends.
    struct Loesen {
        TExportFormular &form;
        ~Loesen()
        {
            try {
                form.ExportFilterLoesen();
            } catch (const std::exception &) {
            }
        }
    } loesen{*this};
    try {
        const int daten = RadioGrpDaten->itemIndex();
        const QString projekt = ExportProjekt(daten, ExportZiel);
        if (RadioGrpFahrzeuge->itemIndex() == 0) {
            const dbe::TField *kfzNr = fleet::DataModule1->TTblMain.FindField(QStringLiteral("KfzNr"));
            if (ExportMitFahrzeugFilter(daten)) {
                TblExport.SetFilter(ExportFahrzeugFilter(kfzNr ? kfzNr->AsString() : QString()));
                TblExport.SetFiltered(true);
            } else {
                TblExport.SetMasterSource(&fleet::DataModule1->TDataSrcMain);
                TblExport.SetMasterFields(QStringLiteral("KfzNr"));
            }
        }
        if (TblExport.IsEmpty() && !designer) {
            ui::messages().information(
                QStringLiteral("Mit diesen Einstellungen sind zur Zeit keine Daten zu exportieren.."));
            return;
        }
        TblExport.First();
        int ergebnis = 0;
        if (designer) {
            ergebnis = TB->Design(0, this, QStringLiteral("Title"), kObjektListe, projekt, false, false);
        } else {
            // The run reads every record: through one read transaction instead of a lock of the
            // storage for every record's count and number.
            const dbe::TReadScope lesen(TblExport);
            ergebnis = TB->Print(0, kObjektListe, ProgrammPfad + projekt, false, kExportOption, kBoxArt, this,
                                 QStringLiteral("Exportiere..."), false, QString());
        }
        ExportFilterLoesen();
        if (ergebnis < 0)
            ui::messages().error(QStringLiteral("Datenexport nicht erfolgreich, Fehler im Report.."));
    } catch (const dbe::EDatabaseError &) {
        ExportFilterLoesen();
        ui::messages().error(QStringLiteral("Datenexport nicht erfolgreich.."));
    }
}

} // namespace reporting
