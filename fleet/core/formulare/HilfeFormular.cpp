#include "formulare/HilfeFormular.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "daten/DataModule1.h"
#include "dienste/Formularzugriff.h"
#include "ui/Connect.h"
#include "ui/DBMemo.h"

namespace fleet {

int HilfeThema = 1;
THilfeFormular *HilfeFormular = nullptr;

THilfeFormular *HilfeFormularBereitstellen()
{
    return FormularBereitstellen(HilfeFormular, QStringLiteral("HilfeFormular"));
}

THilfeFormular::THilfeFormular(QWidget *parent) : ui::FormBase(QStringLiteral("HilfeFormular"), parent)
{
    setWindowTitle(QStringLiteral("KARVEN Fuhrpark Hilfe - Erste Schritte"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMinMaxButtonsHint);
    auto *spalte = new QVBoxLayout(this);
    TDBMemo1 = ui::make<ui::DBMemo>(this, "TDBMemo1");
    TDBMemo1->setDataSource(&DataModule1->TDataSrcHilfe);
    TDBMemo1->setDataField(QStringLiteral("Hilfe"));
    TDBMemo1->setDataReadOnly(true);
    TDBMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    spalte->addWidget(TDBMemo1, 1);
    BitBtnSchliessen = ui::make<QPushButton>(this, "BitBtnSchliessen", QStringLiteral("&Schließen"));
    BitBtnSchliessen->setToolTip(QStringLiteral("Hilfe schließen"));
    auto *unten = new QHBoxLayout;
    unten->addStretch(1);
    unten->addWidget(BitBtnSchliessen);
    spalte->addLayout(unten);
    resize(560, 420);

    ui::on(BitBtnSchliessen, &QPushButton::clicked, this, [this] { close(); });
    ui::on(this, &ui::FormBase::formShow, this, &THilfeFormular::FormShow);
}

void THilfeFormular::FormShow()
{
    dbe::TTable &hilfe = DataModule1->TTblHilfe;
    if (hilfe.Active())
        hilfe.FindKey({HilfeThema});
}

} // namespace fleet
