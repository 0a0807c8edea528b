#include "formulare/seiten/MemoSeite.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/Abort.h"
#include "daten/DataModule1.h"
#include "daten/Einstellungswerte.h"
#include "dbe/Table.h"
#include "dienste/Protokoll.h"
#include "formulare/HauptFormular.h"
#include "formulare/seiten/Bausteine.h"
#include "formulare/seiten/DetailKnoepfe.h"
#include "regeln/BildReihenfolge.h"
#include "regeln/DetailVerknuepfung.h"
#include "regeln/FahrzeugRegeln.h"
#include "ui/Colors.h"
#include "ui/Connect.h"
#include "ui/DBGrid.h"
#include "ui/DBMemo.h"
#include "ui/Dialogs.h"
#include "ui/FormBase.h"
#include "ui/Messages.h"
#include "ui/PageControl.h"
#include "ui/Shell.h"

namespace fleet {

using namespace seiten;

namespace {

const QString kKeineEintraegeLaden = QStringLiteral(
    "Für das aktuelle Fahrzeug sind noch keine Dok./Bildinformationen gespeichert, es kann also "
    "kein Dok./Bild geladen werden");
const QString kKeineEintraegeLoeschen = QStringLiteral(
    "Für das aktuelle Fahrzeug sind noch keine Dok./Bildinformationen gespeichert, es können also "
    "keine gelöscht werden");
const QString kBildFehlt = QStringLiteral("Das gewünschte Bild konnte nicht geladen werden\r\rTIP: "
                                          "überprüfen Sie, ob das Bild versehentlich gelöscht "
                                          "wurde oder der Datenpfad sich geändert hat.");
const QString kDokumentFehlt = QStringLiteral("Das gewünschte Dokument konnte nicht geladen werden\r\rTIP: "
                                              "überprüfen Sie, ob das Dokument versehentlich "
                                              "gelöscht wurde oder der Datenpfad sich geändert hat.");

// Report projects are found by relative names: after a file dialog the
// program directory is current again, on every path.
struct ProgrammVerzeichnisZurueck {
    ~ProgrammVerzeichnisZurueck()
    {
        if (!ProgrammVerzeichnis.isEmpty())
            QDir::setCurrent(ProgrammVerzeichnis);
    }
};

std::optional<QString> dateiWaehlen(const QString &filter)
{
    ui::FileDialogOptions optionen;
    optionen.filter = filter;
    return ui::dialogs().openFile(optionen);
}

} // namespace

void MemoSeite::aufbauen()
{
    PageCtrlMemoBild = ui::make<ui::PageControl>(this, "PageCtrlMemoBild");
    seitenLayout(this)->addWidget(PageCtrlMemoBild);
    TabMemoMemo = PageCtrlMemoBild->addPage(QStringLiteral("TabMemoMemo"), QStringLiteral("Fahrzeug-Memo"));
    TabMemoBild =
        PageCtrlMemoBild->addPage(QStringLiteral("TabMemoBild"), QStringLiteral("Dok.-/Bildverwaltung"));
    EditDBMemo = ui::make<ui::DBMemo>(TabMemoMemo, "EditDBMemo");
    EditDBMemo->setDataSource(&DataModule1->TDataSrcMain);
    EditDBMemo->setDataField(QStringLiteral("Memo"));
    QVBoxLayout *memoLayout = seitenLayout(TabMemoMemo);
    memoLayout->addWidget(EditDBMemo, 1);
    BtnMemoSpeichern = knopf(TabMemoMemo, "BtnMemoSpeichern", QStringLiteral("&Speichern"));
    auto *memoKnoepfe = new QHBoxLayout;
    memoKnoepfe->addWidget(BtnMemoSpeichern);
    memoKnoepfe->addStretch(1);
    memoLayout->addLayout(memoKnoepfe);
    ui::on(BtnMemoSpeichern, &QPushButton::clicked, this, [this] { BtnMemoSpeichernClick(); });
    ui::on(EditDBMemo, &QPlainTextEdit::textChanged, this, [this] { EditDBMemoChange(); });

    auto *teiler = new QSplitter(Qt::Horizontal, TabMemoBild);
    auto *links = new QWidget(teiler);
    auto *linksLayout = seitenLayout(links);
    const auto knopf = [links](const char *name, const QString &text) {
        return ui::make<QPushButton>(links, name, text);
    };
    BtnBildNeu = knopf("BtnBildNeu", QStringLiteral("Bild &neu"));
    BtnBildDokumentNeu = knopf("BtnBildDokumentNeu", QStringLiteral("Dok&ument neu"));
    BtnBildTabelleLaden = knopf("BtnBildTabelleLaden", QStringLiteral("Dok./Bild &zeigen"));
    BtnBildTabelleLoeschen = knopf("BtnBildTabelleLoeschen", QStringLiteral("&Löschen"));
    BtnBildTabelleAenderungenSpeichern =
        knopf("BtnBildTabelleAenderungenSpeichern", QStringLiteral("&Speichern"));
    SpeedBtnBildab = ui::make<QToolButton>(links, "SpeedBtnBildab");
    SpeedBtnBildab->setArrowType(Qt::UpArrow);
    SpeedBtnBildab->setToolTip(
        QStringLiteral("Markiertes Dok./Bild in der Tabelle eine Zeile nach oben sortieren"));
    SpeedBtnBildauf = ui::make<QToolButton>(links, "SpeedBtnBildauf");
    SpeedBtnBildauf->setArrowType(Qt::DownArrow);
    SpeedBtnBildauf->setToolTip(
        QStringLiteral("Markiertes Dok./Bild in der Tabelle eine Zeile nach unten sortieren"));
    auto *knoepfe = new QHBoxLayout;
    knoepfe->setSpacing(4);
    for (QWidget *k : std::initializer_list<QWidget *>{
             BtnBildNeu, BtnBildDokumentNeu, BtnBildTabelleLaden, BtnBildTabelleLoeschen,
             BtnBildTabelleAenderungenSpeichern, SpeedBtnBildab, SpeedBtnBildauf})
        knoepfe->addWidget(k);
    knoepfe->addStretch(1);
    linksLayout->addLayout(knoepfe);
    DBGridBildinformationen = raster(links, "DBGridBildinformationen", DataModule1->DataSrcBild);
    linksLayout->addWidget(DBGridBildinformationen, 1);

    auto *bild = new QWidget(teiler);
    auto *bildLayout = seitenLayout(bild);
    auto *rollen = new QScrollArea(bild);
    rollen->setObjectName(QStringLiteral("ScrollBoxBild"));
    rollen->setAlignment(Qt::AlignCenter);
    ImgBild = ui::make<QLabel>(rollen, "ImgBild");
    ImgBild->setAlignment(Qt::AlignCenter);
    rollen->setWidget(ImgBild);
    // The picture keeps its own size, centred; large ones scroll.
    rollen->setWidgetResizable(false);
    PanBild = ui::make<QLabel>(bild, "PanBild");
    PanBild->setFrameShape(QFrame::Panel);
    PanBild->setAlignment(Qt::AlignCenter);
    bildLayout->addWidget(rollen, 1);
    bildLayout->addWidget(PanBild);
    teiler->setStretchFactor(0, 1);
    teiler->setStretchFactor(1, 1);
    seitenLayout(TabMemoBild)->addWidget(teiler);

    ui::on(PageCtrlMemoBild, &ui::PageControl::onChange, this, &MemoSeite::PageCtrlMemoBildChange);
    ui::on(BtnBildNeu, &QPushButton::clicked, this, [this] { BtnBildNeuClick(); });
    ui::on(BtnBildDokumentNeu, &QPushButton::clicked, this, [this] { BtnBildDokumentNeuClick(); });
    ui::on(BtnBildTabelleLaden, &QPushButton::clicked, this, [this] { BtnBildTabelleLadenClick(); });
    ui::on(BtnBildTabelleLoeschen, &QPushButton::clicked, this, [this] { BtnBildTabelleLoeschenClick(); });
    ui::on(BtnBildTabelleAenderungenSpeichern, &QPushButton::clicked, this,
           [this] { BtnBildTabelleAenderungenSpeichernClick(); });
    ui::on(SpeedBtnBildab, &QToolButton::clicked, this, [this] { SpeedBtnBildabClick(); });
    ui::on(SpeedBtnBildauf, &QToolButton::clicked, this, [this] { SpeedBtnBildaufClick(); });
    // The list starts closed. The table is not opened at start; a page made
    // later leaves it to whoever opened it meanwhile.
    listeSperren();
}

void MemoSeite::betreten()
{
    PageCtrlMemoBild->setActivePage(TabMemoMemo);
    listeSchliessen();
    EditDBMemo->setFocus();
}

void MemoSeite::verlassen()
{
    listeSchliessen();
}

void MemoSeite::BtnMemoSpeichernClick()
{
    seiten::Speichern(DataModule1->TTblMain);
}

void MemoSeite::EditDBMemoChange()
{
    // An empty document still has one block: ask for emptiness, not lines.
    if (HauptFormular)
        ui::setBackgroundColor(HauptFormular->TPanMemoLED,
                               EditDBMemo->document()->isEmpty() ? ui::color::BtnFace : ui::color::Red);
}

void MemoSeite::BildLeeren()
{
    ImgBild->clear();
    ImgBild->adjustSize();
    PanBild->clear();
}

void MemoSeite::listeSchliessen()
{
    try {
        DataModule1->TblBild.Close();
    } catch (const base::SilentAbort &) {
        throw;
    } catch (...) {
        // A pending entry refused at close stays with the table; the list is
        // disabled all the same.
        Verschluckt(Q_FUNC_INFO);
    }
    listeSperren();
}

void MemoSeite::listeSperren()
{
    for (QWidget *w :
         std::initializer_list<QWidget *>{DBGridBildinformationen, BtnBildTabelleAenderungenSpeichern,
                                          BtnBildTabelleLoeschen, BtnBildTabelleLaden})
        w->setEnabled(false);
}

void MemoSeite::listeOeffnen()
{
    try {
        DataModule1->TblBild.Open();
    } catch (const base::SilentAbort &) {
        throw;
    } catch (...) {
        listeSchliessen();
        ui::messages().error(
            QStringLiteral("Die Verbindung zur Bildinformationsdatenbank konnte nicht hergestellt werden"));
        return;
    }
    DBGridBildinformationen->setEnabled(true);
    BtnBildTabelleLaden->setEnabled(true);
    const bool schreiben = !NurLesen && !LeseModus;
    BtnBildTabelleAenderungenSpeichern->setEnabled(schreiben);
    BtnBildTabelleLoeschen->setEnabled(schreiben);
}

void MemoSeite::PageCtrlMemoBildChange()
{
    if (PageCtrlMemoBild->activePage() == TabMemoBild)
        listeOeffnen();
    else
        listeSchliessen();
}

bool MemoSeite::bildZeigen(const QString &pfad)
{
    QPixmap bild;
    if (!QFileInfo::exists(pfad) || !bild.load(pfad))
        return false;
    ImgBild->setPixmap(bild);
    ImgBild->adjustSize();
    return true;
}

void MemoSeite::BtnBildNeuClick()
{
    ProgrammVerzeichnisZurueck zurueck;
    const std::optional<QString> datei = dateiWaehlen(QStringLiteral("*.jpg|*.jpg"));
    if (!datei) {
        AktuellesBild.clear();
        return;
    }
    if (!bildZeigen(*datei)) {
        ui::messages().error(QStringLiteral("Fehler beim Laden des gewünschten Bildes."));
        return;
    }
    AktuellesBild = *datei;
    BildInfoSpeichern(*datei);
    dbe::TTable &bilder = DataModule1->TblBild;
    if (bilder.Active() && !bilder.IsEmpty())
        PanBild->setText(bilder.FieldByName(QStringLiteral("Bemerkung"))->AsString());
}

void MemoSeite::BtnBildDokumentNeuClick()
{
    ProgrammVerzeichnisZurueck zurueck;
    const std::optional<QString> datei = dateiWaehlen(QStringLiteral("*.pdf|*.pdf"));
    if (!datei) {
        AktuellesBild.clear();
        return;
    }
    AktuellesBild = *datei;
    DokumentInfoSpeichern(*datei);
}

void MemoSeite::BildInfoSpeichern(const QString &pfad)
{
    dbe::TTable &bilder = DataModule1->TblBild;
    try {
        bilder.Insert();
        bilder.FieldByName(QStringLiteral("Bemerkung"))->SetAsString(QFileInfo(pfad).fileName());
        bilder.FieldByName(QStringLiteral("Bildpfad"))->SetAsString(pfad);
        bilder.Post();
    } catch (const base::SilentAbort &) {
        throw;
    } catch (...) {
        if (bilder.State() == dbe::TDataSetState::dsInsert)
            bilder.Cancel();
        ui::messages().error(QStringLiteral("Fehler beim Speichern der Bildinformationen"));
    }
}

// A document's entry is made like a picture's.
void MemoSeite::DokumentInfoSpeichern(const QString &pfad)
{
    BildInfoSpeichern(pfad);
}

void MemoSeite::BtnBildTabelleLadenClick()
{
    dbe::TTable &bilder = DataModule1->TblBild;
    if (!bilder.Active() || bilder.IsEmpty()) {
        ui::messages().information(kKeineEintraegeLaden);
        return;
    }
    const QString pfad = bilder.FieldByName(QStringLiteral("Bildpfad"))->AsString();
    switch (DateiartVon(pfad)) {
    case Dateiart::Bild:
        if (!bildZeigen(pfad)) {
            ui::messages().error(kBildFehlt);
            return;
        }
        PanBild->setText(bilder.FieldByName(QStringLiteral("Bemerkung"))->AsString());
        break;
    case Dateiart::Dokument:
        if (!QFileInfo::exists(pfad)) {
            ui::messages().error(kDokumentFehlt);
            return;
        }
        ui::shell().open(pfad);
        break;
    case Dateiart::Andere:
        break;
    }
}

void MemoSeite::BtnBildTabelleLoeschenClick()
{
    dbe::TTable &bilder = DataModule1->TblBild;
    if (!bilder.Active() || bilder.IsEmpty()) {
        ui::messages().information(kKeineEintraegeLoeschen);
        return;
    }
    if (!ui::messages().question(
            QStringLiteral("Möchten Sie die markierten Dok./Bildinformationen wirklich löschen")))
        return;
    try {
        bilder.Delete();
    } catch (const base::SilentAbort &) {
        throw;
    } catch (...) {
        ui::messages().error(QStringLiteral("Das Löschen der Dok./Bildinformationen ist fehlgeschlagen"));
    }
}

void MemoSeite::BtnBildTabelleAenderungenSpeichernClick()
{
    dbe::TTable &bilder = DataModule1->TblBild;
    if (bilder.State() != dbe::TDataSetState::dsEdit && bilder.State() != dbe::TDataSetState::dsInsert)
        return;
    try {
        bilder.Post();
    } catch (const base::SilentAbort &) {
        throw;
    } catch (...) {
        ui::messages().error(QStringLiteral("Speichern der Änderungen nicht möglich"));
    }
}

void MemoSeite::bildVerschieben(const QString &richtung)
{
    dbe::TTable &bilder = DataModule1->TblBild;
    if (bilder.Active() && !bilder.IsEmpty())
        BildVerschieben(richtung, bilder);
}

// The names are the other way round from their arrows: "ab" moves the entry
// up, towards the start of the list.
void MemoSeite::SpeedBtnBildabClick()
{
    bildVerschieben(QStringLiteral("Anfang"));
}

void MemoSeite::SpeedBtnBildaufClick()
{
    bildVerschieben(QStringLiteral("Ende"));
}

} // namespace fleet
