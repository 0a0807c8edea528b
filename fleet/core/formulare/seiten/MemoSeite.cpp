#include "formulare/seiten/MemoSeite.h"

#include <QFrame>
#include <QLabel>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>

#include "daten/DataModule1.h"
#include "formulare/seiten/Bausteine.h"
#include "ui/DBGrid.h"
#include "ui/DBMemo.h"
#include "ui/FormBase.h"
#include "ui/PageControl.h"

namespace fleet {

using namespace seiten;

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
    seitenLayout(TabMemoMemo)->addWidget(EditDBMemo);

    auto *teiler = new QSplitter(Qt::Horizontal, TabMemoBild);
    DBGridBildinformationen = raster(teiler, "DBGridBildinformationen", DataModule1->DataSrcBild);
    auto *bild = new QWidget(teiler);
    auto *bildLayout = seitenLayout(bild);
    auto *rollen = new QScrollArea(bild);
    rollen->setObjectName(QStringLiteral("ScrollBoxBild"));
    rollen->setAlignment(Qt::AlignCenter);
    ImgBild = ui::make<QLabel>(rollen, "ImgBild");
    ImgBild->setAlignment(Qt::AlignCenter);
    rollen->setWidget(ImgBild);
    rollen->setWidgetResizable(true);
    PanBild = ui::make<QLabel>(bild, "PanBild");
    PanBild->setFrameShape(QFrame::Panel);
    PanBild->setAlignment(Qt::AlignCenter);
    bildLayout->addWidget(rollen, 1);
    bildLayout->addWidget(PanBild);
    teiler->setStretchFactor(0, 1);
    teiler->setStretchFactor(1, 1);
    seitenLayout(TabMemoBild)->addWidget(teiler);
}

void MemoSeite::betreten()
{
    PageCtrlMemoBild->setActivePage(TabMemoMemo);
    EditDBMemo->setFocus();
}

void MemoSeite::BildLeeren()
{
    ImgBild->clear();
    PanBild->clear();
}

} // namespace fleet
