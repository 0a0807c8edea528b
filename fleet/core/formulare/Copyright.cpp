#include "formulare/Copyright.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "dienste/Formularzugriff.h"

namespace fleet {

TCopyright *Copyright = nullptr;

TCopyright *CopyrightBereitstellen()
{
    return FormularBereitstellen(Copyright, QStringLiteral("Copyright"));
}

TCopyright::TCopyright(QWidget *parent) : ui::FormBase(QStringLiteral("Copyright"), parent)
{
    setWindowTitle(QStringLiteral("Copyright"));
    // Dialog border without border icons, always on top.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
    auto *spalte = new QVBoxLayout(this);

    auto *oben = new QHBoxLayout;
    Image1 = ui::make<QLabel>(this, "Image1");
    LblHersteller = ui::make<QLabel>(this, "LblHersteller", QStringLiteral("KARVEN Software"));
    oben->addWidget(Image1);
    oben->addWidget(LblHersteller, 1);
    spalte->addLayout(oben);

    PanTitel = ui::make<QLabel>(this, "PanTitel", QStringLiteral("KARVEN Fuhrpark"));
    PanTitel->setFrameShape(QFrame::Panel);
    PanTitel->setFrameShadow(QFrame::Raised);
    PanTitel->setAlignment(Qt::AlignCenter);
    QFont titel = PanTitel->font();
    titel.setPointSizeF(titel.pointSizeF() * 1.6);
    titel.setBold(true);
    PanTitel->setFont(titel);
    PanTitel->setMinimumHeight(48);
    spalte->addWidget(PanTitel);

    LblVersion = ui::make<QLabel>(this, "LblVersion", QStringLiteral("Vers. 7.02a"));
    LblVersion->setAlignment(Qt::AlignCenter);
    spalte->addWidget(LblVersion);

    BitBtnSchliessen = ui::make<QPushButton>(this, "BitBtnSchliessen", QStringLiteral("&Schließen"));
    BitBtnSchliessen->setToolTip(QStringLiteral("Formular schließen"));
    setButtonResult(BitBtnSchliessen, ui::mrOk);
    setCancelButton(BitBtnSchliessen);
    auto *unten = new QHBoxLayout;
    unten->addStretch(1);
    unten->addWidget(BitBtnSchliessen);
    unten->addStretch(1);
    spalte->addLayout(unten);
    setMinimumWidth(320);
}

void TCopyright::setVisible(bool visible)
{
    if (visible && Image1->pixmap().isNull())
        Image1->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
    ui::FormBase::setVisible(visible);
}

} // namespace fleet
