#include "formulare/ImportFormular.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "daten/DataModuleImport.h"
#include "dbe/Field.h"
#include "dienste/ReportDienste.h"
#include "logik/TankdatenDruck.h"
#include "ui/Colors.h"
#include "ui/Connect.h"
#include "ui/DBGrid.h"
#include "ui/Dialogs.h"
#include "ui/Messages.h"

namespace fleet {

namespace {

// Columns the import and the check fill: not for typing into.
const char *const kNurLesen[] = {"Importdatum", "KennzNichtGefunden", "NichtZugeordnet", "Fehlerhaft",
                                 "Gebucht",     "NichtBuchbar"};

bool istEditiert(const dbe::TDataSet &d)
{
    return d.State() == dbe::TDataSetState::dsEdit || d.State() == dbe::TDataSetState::dsInsert;
}

} // namespace

TImportFormular::TImportFormular(TDataModuleImport &imp, TDataModule1 &dm, QWidget *parent)
    : ui::FormBase(QStringLiteral("ImportFormular"), parent), imp_(imp), dm_(dm),
      import_(std::make_unique<tank::TankImport>(imp, dm))
{
    setWindowTitle(QStringLiteral("(Tank)daten-Import"));
    setWindowFlags(Qt::Window);
    resize(1000, 600);

    LblTabelleUeberschrift =
        ui::make<QLabel>(this, "LblTabelleUeberschrift", QStringLiteral("Import-Tabelle"));
    QFont titel = LblTabelleUeberschrift->font();
    titel.setBold(true);
    LblTabelleUeberschrift->setFont(titel);
    LblTankdateiTyp = ui::make<QLabel>(this, "LblTankdateiTyp", QStringLiteral("Keiner"));
    LblTankdateiTyp->setFont(titel);
    DBGridImport = ui::make<ui::DBGrid>(this, "DBGridImport");
    DBGridImport->setDataSource(&imp.DataSrcImport);
    PanMessage = ui::make<QLabel>(this, "PanMessage");
    PanMessage->setWordWrap(true);
    PanMessage->setFrameShape(QFrame::Panel);
    PanMessage->setFrameShadow(QFrame::Sunken);
    PanMessage->setMinimumHeight(2 * PanMessage->fontMetrics().height() + 8);

    BtnImport = ui::make<QPushButton>(this, "BtnImport", QStringLiteral("&Importieren"));
    BtnBuchen = ui::make<QPushButton>(this, "BtnBuchen", QStringLiteral("&Buchen"));
    BtnKonfiguration = ui::make<QPushButton>(this, "BtnKonfiguration", QStringLiteral("&Konfiguration"));
    BtnImportKonfigNeu = ui::make<QPushButton>(this, "BtnImportKonfigNeu", QStringLiteral("&Neu"));
    BtnImportKonfigSpeichern =
        ui::make<QPushButton>(this, "BtnImportKonfigSpeichern", QStringLiteral("&Speichern"));
    BtnImportKonfigLoeschen =
        ui::make<QPushButton>(this, "BtnImportKonfigLoeschen", QStringLiteral("&Löschen"));
    BitBtnImportDrucken = ui::make<QPushButton>(this, "BitBtnImportDrucken", QStringLiteral("D&rucken"));
    BitBtnImportVorschau = ui::make<QPushButton>(this, "BitBtnImportVorschau", QStringLiteral("&Vorschau"));
    BitBtnSchliessen = ui::make<QPushButton>(this, "BitBtnSchliessen", QStringLiteral("&Schließen"));
    setButtonResult(BitBtnSchliessen, ui::mrCancel);
    setCancelButton(BitBtnSchliessen);
    BtnImportKonfigNeu->hide();
    BtnImportKonfigSpeichern->hide();

    auto *seite = new QVBoxLayout(this);
    auto *kopf = new QHBoxLayout;
    kopf->addWidget(LblTabelleUeberschrift);
    kopf->addStretch(1);
    kopf->addWidget(ui::make<QLabel>(this, "LblTankdateiTypText", QStringLiteral("Tankdatei-Typ:")));
    kopf->addWidget(LblTankdateiTyp);
    seite->addLayout(kopf);
    seite->addWidget(DBGridImport, 1);
    seite->addWidget(PanMessage);
    auto *knoepfe = new QHBoxLayout;
    for (QPushButton *b :
         {BtnImport, BtnBuchen, BtnImportKonfigNeu, BtnImportKonfigSpeichern, BtnImportKonfigLoeschen,
          BtnKonfiguration, BitBtnImportDrucken, BitBtnImportVorschau})
        knoepfe->addWidget(b);
    knoepfe->addStretch(1);
    knoepfe->addWidget(BitBtnSchliessen);
    seite->addLayout(knoepfe);

    import_->TypAnzeigen = [this](const QString &typ) { LblTankdateiTyp->setText(typ); };
    import_->LegendeZeigen = [this](bool farben) {
        PanMessage->setText(farben ? tank::kFarbLegende : QString());
    };
    zellenFaerben();
    PanMessage->setText(tank::kFarbLegende);

    ui::on(this, &ui::FormBase::formActivate, this, [this] { FormActivate(); });
    ui::on(BtnImport, &QPushButton::clicked, this, [this] { BtnImportClick(); });
    ui::on(BtnBuchen, &QPushButton::clicked, this, [this] { BtnBuchenClick(); });
    ui::on(BtnKonfiguration, &QPushButton::clicked, this, [this] { BtnKonfigurationClick(); });
    ui::on(BtnImportKonfigNeu, &QPushButton::clicked, this, [this] { BtnImportKonfigNeuClick(); });
    ui::on(BtnImportKonfigSpeichern, &QPushButton::clicked, this,
           [this] { BtnImportKonfigSpeichernClick(); });
    ui::on(BtnImportKonfigLoeschen, &QPushButton::clicked, this, [this] { BtnImportKonfigLoeschenClick(); });
    ui::on(DBGridImport, &ui::DBGrid::onColEnter, this, [this] { DBGridImportColEnter(); });
    ui::on(BitBtnImportDrucken, &QPushButton::clicked, this, [this] { BitBtnImportDruckenClick(); });
    ui::on(BitBtnImportVorschau, &QPushButton::clicked, this, [this] { BitBtnImportVorschauClick(); });
}

TImportFormular::~TImportFormular() = default;

bool TImportFormular::KonfigurationSichtbar() const
{
    return DBGridImport->dataSource() == &imp_.DataSrcKonfig;
}

void TImportFormular::zellenFaerben()
{
    DBGridImport->setCellPainter([this](ui::DBGrid::CellStyle &zelle) {
        if (KonfigurationSichtbar())
            return;
        if (zelle.selected) {
            zelle.background = ui::toQColor(ui::color::ActiveCaption);
            return;
        }
        auto an = [this, &zelle](const char *feld) {
            const QVariant v = DBGridImport->rowValue(zelle.row, QString::fromLatin1(feld));
            return v.isValid() && !v.isNull() && v.toBool();
        };
        if (an("KennzNichtGefunden"))
            zelle.background = ui::toQColor(ui::color::Red);
        else if (an("NichtZugeordnet"))
            zelle.background = QColor(128, 128, 128);
        else if (an("Fehlerhaft"))
            zelle.background = ui::toQColor(ui::color::Yellow);
        else if (an("Gebucht"))
            zelle.background = ui::toQColor(ui::color::Lime);
        else if (an("NichtBuchbar"))
            zelle.background = QColor(0, 128, 128);
    });
}

void TImportFormular::FormActivate()
{
    try {
        import_->Aktivieren();
    } catch (const std::exception &e) {
        ui::messages().error(QString::fromUtf8(e.what()));
    }
}

void TImportFormular::BtnImportClick()
{
    import_->Importieren([] {
        ui::FileDialogOptions o;
        o.filter = QStringLiteral("Textdateien (*.txt)|*.txt");
        return ui::dialogs().openFile(o);
    });
    DBGridImport->setFocus();
}

void TImportFormular::BtnBuchenClick()
{
    import_->Buchen();
    DBGridImport->setFocus();
}

void TImportFormular::stagingZeigen(bool legende)
{
    DBGridImport->setDataSource(&imp_.DataSrcImport);
    LblTabelleUeberschrift->setText(QStringLiteral("Import-Tabelle"));
    BtnKonfiguration->setText(QStringLiteral("&Konfiguration"));
    for (QPushButton *b : {BtnImport, BtnBuchen, BitBtnImportDrucken, BitBtnImportVorschau})
        b->show();
    BtnImportKonfigNeu->hide();
    BtnImportKonfigSpeichern->hide();
    PanMessage->setText(legende ? tank::kFarbLegende : QString());
}

void TImportFormular::BtnKonfigurationClick()
{
    dbe::TTable &konfig = imp_.TTblKonfig;
    if (!KonfigurationSichtbar()) {
        try {
            if (!konfig.Active())
                konfig.Open();
            LblTabelleUeberschrift->setText(QStringLiteral("Konfigurations-Tabelle"));
            BtnKonfiguration->setText(QStringLiteral("&Import"));
            BtnImportKonfigNeu->show();
            BtnImportKonfigSpeichern->show();
            for (QPushButton *b : {BtnImport, BtnBuchen, BitBtnImportDrucken, BitBtnImportVorschau})
                b->hide();
            DBGridImport->setDataSource(&imp_.DataSrcKonfig);
            import_->KonfigSatzSuchen();
            DBGridImport->setFocus();
            PanMessage->setText(tank::kKategorieLegende);
        } catch (const std::exception &) {
            konfig.Close();
            stagingZeigen(false);
        }
        return;
    }
    try {
        if (istEditiert(konfig))
            konfig.Post();
        stagingZeigen(true);
        DBGridImport->setFocus();
    } catch (const std::exception &) {
        ui::messages().error(
            QStringLiteral("Kann Import-Tabelle jetzt nicht finden - schliessen Sie das Programm "
                           "und starten Sie erneut, um Daten zu importieren"));
    }
}

void TImportFormular::BtnImportKonfigNeuClick()
{
    try {
        imp_.TTblKonfig.Append();
        DBGridImport->setFocus();
    } catch (const std::exception &) {
        ui::messages().information(QStringLiteral("Einfügen eines Konfigurationsdatensatzes abgebrochen"));
    }
}

void TImportFormular::BtnImportKonfigSpeichernClick()
{
    dbe::TTable &konfig = imp_.TTblKonfig;
    if (!istEditiert(konfig))
        return;
    try {
        konfig.Post();
    } catch (const std::exception &) {
        // The table's post-error handler has told the user.
    }
}

void TImportFormular::BtnImportKonfigLoeschenClick()
{
    dbe::TTable &tabelle = KonfigurationSichtbar() ? imp_.TTblKonfig : imp_.TTblImport;
    if (tabelle.State() == dbe::TDataSetState::dsInsert) {
        tabelle.Cancel();
        return;
    }
    if (!ui::messages().question(QStringLiteral("Möchten Sie den markierten Datensatz wirklich löschen")))
        return;
    try {
        tabelle.Delete();
    } catch (const std::exception &) {
        ui::messages().error(QStringLiteral("Löschen des Datensatzes nicht möglich"));
    }
}

void TImportFormular::DBGridImportColEnter()
{
    const dbe::TField *f = DBGridImport->selectedField();
    bool nurLesen = false;
    if (f && !KonfigurationSichtbar())
        for (const char *name : kNurLesen)
            nurLesen =
                nurLesen || f->FieldName().compare(QString::fromLatin1(name), Qt::CaseInsensitive) == 0;
    DBGridImport->setReadOnly(nurLesen);
}

void TImportFormular::BitBtnImportDruckenClick()
{
    dbe::TTable &staging = imp_.TTblImport;
    if (!staging.Active() || staging.RecordCount() == 0) {
        ui::messages().information(QStringLiteral("Sie haben noch keine Tankdaten importiert"));
        return;
    }
    TankdatenDrucken(14, kDrucken);
}

void TImportFormular::BitBtnImportVorschauClick()
{
    // The preview shows the empty list too.
    TankdatenDrucken(14, kVorschau);
}

void TImportFormular::TankdatenDrucken(int reportNummer, int modus)
{
    reporting::TTb6_ *tb = tank::HauptfensterKomponente();
    if (!tb) {
        ui::messages().error(QStringLiteral("Die Tankdaten können nicht gedruckt werden: "
                                            "das Hauptfenster ist nicht geöffnet"));
        return;
    }
    tank::TankdatenDrucken(*tb, dm_, this, reportNummer, modus);
}

} // namespace fleet
