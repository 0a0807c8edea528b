// The components and layout of the main window.
#include <QAction>
#include <QActionGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "daten/DataModule1.h"
#include "formulare/HauptFormular.h"
#include "formulare/HauptMenue.h"
#include "formulare/seiten/Bausteine.h"
#include "ui/Connect.h"
#include "ui/DBEdit.h"
#include "ui/PageControl.h"

namespace fleet {

using namespace seiten;

void THauptFormular::aufbauen()
{
    setWindowTitle(QStringLiteral("KARVEN Fuhrpark"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setMinimumSize(900, 740);
    auto *haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(4, 0, 4, 4);
    haupt->setSpacing(4);

    MainMenu = ui::make<QMenuBar>(this, "MainMenu");
    haupt->setMenuBar(MainMenu);
    menueAufbauen();

    haupt->addWidget(kopfzeileAufbauen());

    PageCtrlMain = ui::make<ui::PageControl>(this, "PageCtrlMain");
    // The window is given its size, so the hidden pages need not be laid
    // out before the first one shows.
    PageCtrlMain->setSizedByActivePage(true);
    TabStammDaten = PageCtrlMain->addPage(QStringLiteral("TabStammDaten"), QStringLiteral("Stammdaten"));
    TabMemo = PageCtrlMain->addPage(QStringLiteral("TabMemo"), QStringLiteral("Memo/Dok./Bild"));
    TabTouren = PageCtrlMain->addPage(QStringLiteral("TabTouren"), QStringLiteral("Touren"));
    TabKosten = PageCtrlMain->addPage(QStringLiteral("TabKosten"), QStringLiteral(" Var. Kosten"));
    TabMonatsAuswertung =
        PageCtrlMain->addPage(QStringLiteral("TabMonatsAuswertung"), QStringLiteral("Monatsauswertg."));
    TabMonatsuebersicht =
        PageCtrlMain->addPage(QStringLiteral("TabMonatsuebersicht"), QStringLiteral("Monatsübersicht"));
    TabReifen = PageCtrlMain->addPage(QStringLiteral("TabReifen"), QStringLiteral("Reifen"));
    TabHistorie = PageCtrlMain->addPage(QStringLiteral("TabHistorie"), QStringLiteral("Historie"));
    TabSchadensmanagement =
        PageCtrlMain->addPage(QStringLiteral("TabSchadensmanagement"), QStringLiteral("Schadensmanag."));
    TabDispo = PageCtrlMain->addPage(QStringLiteral("TabDispo"), QStringLiteral("Disposition"));
    haupt->addWidget(PageCtrlMain, 1);

    seitenAufbauen();

    // Status line: record position, messages, filter, edit switch, memo, end.
    auto *status = new QHBoxLayout;
    status->setSpacing(4);
    const auto feld = [this](const char *name, int breite) {
        auto *l = ui::make<QLabel>(this, name);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(breite);
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    TPanelStatus = feld("TPanelStatus", 90);
    TPanelMessage = feld("TPanelMessage", 200);
    TPanelMessage->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    TPanelFilter = feld("TPanelFilter", 120);
    TPanelFilter->setToolTip(QStringLiteral("Filter ein/aus"));
    TPanelFilter->setStyleSheet(QStringLiteral("color: red;"));
    filterPanelVerbinden();
    TPaGlobalEdit = feld("TPaGlobalEdit", 70);
    TPanMemoLED = feld("TPanMemoLED", 16);
    TPanMemoLED->setMaximumWidth(16);
    TBitBtnEnde = ui::make<QPushButton>(this, "TBitBtnEnde", QStringLiteral("&Ende"));
    status->addWidget(TPanelStatus);
    status->addWidget(TPanelMessage, 1);
    status->addWidget(TPanelFilter);
    status->addWidget(TPaGlobalEdit);
    status->addWidget(TPanMemoLED);
    status->addWidget(TBitBtnEnde);
    haupt->addLayout(status);
}

void THauptFormular::menueAufbauen()
{
    // Every command starts in the disabled group; FormCreate releases those
    // that can run into the enabled one. An action's own enabled value (set by
    // the settings or the read-only switch) is never overwritten by the
    // groups: Qt keeps it and applies it when the action enters an enabled
    // group, so whatever was decided while it was locked holds once released.
    gesperrt_ = new QActionGroup(this);
    gesperrt_->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    gesperrt_->setEnabled(false);
    freigegeben_ = new QActionGroup(this);
    freigegeben_->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    QMap<QString, QMenu *> menues;
    const auto menue = [&](const QString &pfad) {
        QMenu *&m = menues[pfad];
        if (!m)
            m = MainMenu->addMenu(pfad);
        return m;
    };
    for (const Menuebefehl &b : HauptMenueBefehle()) {
        QMenu *in = b.menue.isEmpty() ? nullptr : menue(b.menue);
        switch (b.art) {
        case Menuebefehl::Trenner:
            in->addSeparator();
            break;
        case Menuebefehl::Untermenue: {
            QMenu *unter = in->addMenu(b.text);
            unter->setObjectName(b.name);
            unter->menuAction()->setObjectName(b.name);
            menues[b.menue + QLatin1Char('/') + b.name] = unter;
            break;
        }
        case Menuebefehl::Befehl: {
            auto *aktion = new QAction(b.text, this);
            aktion->setObjectName(b.name);
            aktion->setActionGroup(gesperrt_);
            if (in)
                in->addAction(aktion);
            else
                MainMenu->addAction(aktion);
            if (const auto ausfuehren = b.ausfuehren)
                ui::on(aktion, &QAction::triggered, this, [this, ausfuehren] { (this->*ausfuehren)(); });
            break;
        }
        }
    }
    Mandanten1 = findChild<QAction *>(QStringLiteral("Mandanten1"));
    Copyright1 = findChild<QAction *>(QStringLiteral("Copyright1"));
    Beenden1 = findChild<QAction *>(QStringLiteral("Beenden1"));
    ErsteSchritte1 = findChild<QAction *>(QStringLiteral("ErsteSchritte1"));
    // The edit menu's items follow the focused control when it opens.
    if (QMenu *bearbeiten = menues.value(QStringLiteral("&Bearbeiten")))
        ui::on(bearbeiten, &QMenu::aboutToShow, this, [this] { BearbeitenMenueAktualisieren(); });
}

QWidget *THauptFormular::kopfzeileAufbauen()
{
    dbe::TDataSource &main = DataModule1->TDataSrcMain;
    auto *oben = new QWidget(this);
    auto *zeilen = new QVBoxLayout(oben);
    zeilen->setContentsMargins(0, 0, 0, 0);
    zeilen->setSpacing(2);

    // The navigator bar's place, above the header line.
    PanNavigator = ui::make<QWidget>(oben, "PanNavigator");
    auto *navi = new QHBoxLayout(PanNavigator);
    navi->setContentsMargins(0, 0, 0, 0);
    auto *naviZeile = new QHBoxLayout;
    naviZeile->addWidget(PanNavigator);
    naviZeile->addStretch(1);
    zeilen->addLayout(naviZeile);

    PanKopfzeile = ui::make<QFrame>(oben, "PanKopfzeile");
    static_cast<QFrame *>(PanKopfzeile)->setFrameShape(QFrame::StyledPanel);
    PanKopfzeile->setAutoFillBackground(true);
    auto *zeile = new QHBoxLayout(PanKopfzeile);
    zeile->setContentsMargins(6, 3, 6, 3);
    const auto kopf = [&](const char *name, const char *feld, int breite) {
        ui::DBEdit *e = edit(PanKopfzeile, QString::fromLatin1(name), main, QString::fromLatin1(feld));
        e->setDataReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setMinimumWidth(breite);
        return e;
    };
    const auto beschriftung = [&](const char *name, const QString &text) {
        QLabel *l = label(PanKopfzeile, QString::fromLatin1(name), text);
        l->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
        return l;
    };
    DBEditKopfzeileKfznr = kopf("DBEditKopfzeileKfznr", "KfzNr", 70);
    DBEditKopfzeileInfo = kopf("DBEditKopfzeileInfo", "Info", 80);
    DBEditKopfzeileGruppe = kopf("DBEditKopfzeileGruppe", "Gruppe", 60);
    DBEditKopfzeileStandort = kopf("DBEditKopfzeileStandort", "Kostenstelle", 60);
    DBEditKopfzeileKm = kopf("DBEditKopfzeileKm", "KfzKmStand", 55);
    LblKopfzeileGruppe = beschriftung("LblKopfzeileGruppe", QStringLiteral("Gruppe:"));
    LblKopfzeileKostenstelle =
        beschriftung("LblKopfzeileKostenstelle", QStringLiteral("Kostenstelle/Standort:"));
    zeile->addWidget(beschriftung("LblKopfzeileKfznr", QStringLiteral("Kennzeichen:")));
    zeile->addWidget(DBEditKopfzeileKfznr, 2);
    zeile->addWidget(beschriftung("LblKopfzeileInfo", QStringLiteral("Info:")));
    zeile->addWidget(DBEditKopfzeileInfo, 3);
    zeile->addWidget(LblKopfzeileGruppe);
    zeile->addWidget(DBEditKopfzeileGruppe, 2);
    zeile->addWidget(LblKopfzeileKostenstelle);
    zeile->addWidget(DBEditKopfzeileStandort, 2);
    zeile->addWidget(beschriftung("LblKopfzeileKm", QStringLiteral("Km.Stand:")));
    zeile->addWidget(DBEditKopfzeileKm, 1);
    zeilen->addWidget(PanKopfzeile);
    return oben;
}

void THauptFormular::seitenAufbauen()
{
    // The other pages are made when first shown or asked for.
    ui::on(PageCtrlMain, &ui::PageControl::pageAboutToShow, this, [this](ui::TabSheet *tab) {
        if (tab)
            seiteMachen(tab);
    });
    seiteMachen(TabStammDaten);
    if (seitenSofort_)
        AlleTeileMachen();
}

} // namespace fleet
