#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QWidget>

#include "regeln/NurLeseModus.h"
#include "ui/RadioGroup.h"

namespace {

const char *const kHauptKnoepfe[] = {
    "TBtnLoeschen",
    "TBtnVarKostenNeu",
    "TBtnVarKostenSpeichern",
    "TBtnVarKostenLoeschen",
    "BtnKosteninHistorie",
    "BtnTourenNeu",
    "TBtnTourenLoeschen",
    "BtnTourenSpeichern",
    "TBtnMonatsauswertungSpeichern",
    "TBtnReifenSpeichern",
    "BtnHistorieNeu",
    "BtnHistorieSpeichern",
    "BtnHistorieLoeschen",
    "BtnDispoNeu",
    "BtnDispoSpeichern",
    "BtnDispoLoeschen",
    "BtnInTourenKopieren",
    "BtnMonatsauswertungAlleFahrzeuge",
    "BtnSchadenDokumentNeu",
    "BtnSchadenNeu",
    "BtnSchadenSpeichern",
    "BtnSchadenLoeschen",
    "BtnBildTabelleAenderungenSpeichern",
    "BtnBildTabelleLoeschen",
    "BtnBildDokumentNeu",
    "BtnBildNeu",
};

TEST(NurLeseModusSetzen, SwitchesTheEditingCommandsOfBothWindows)
{
    int argc = 1;
    char name[] = "test";
    char *argv[] = {name, nullptr};
    QApplication app(argc, argv);

    QWidget haupt;
    haupt.setObjectName("HauptFormular");
    QList<QPushButton *> knoepfe;
    for (const char *n : kHauptKnoepfe) {
        auto *b = new QPushButton(&haupt);
        b->setObjectName(QString::fromLatin1(n));
        knoepfe << b;
    }
    auto *kopieren = new QPushButton(&haupt);
    kopieren->setObjectName("BtnDispoKopieren");
    auto *import = new QAction(&haupt);
    import->setObjectName("TankdatenImport1");
    auto *sicht = new ui::RadioGroup(&haupt);
    sicht->setObjectName("RadioGrpDispoFahrzeuge");
    sicht->setItems({"Aktuelles", "Alle", "Filter"});
    sicht->setItemIndex(1);
    auto *fremd = new QPushButton(&haupt);
    fremd->setObjectName("BtnAndererKnopf");

    QWidget termine;
    termine.setObjectName("TerminFormular");
    auto *fortschreiben = new QPushButton(&termine);
    fortschreiben->setObjectName("BtnMarkierteTermineFortschreiben");

    fleet::NurLeseModusSetzen(true);
    for (QPushButton *b : knoepfe)
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_FALSE(kopieren->isEnabled());
    EXPECT_FALSE(import->isEnabled());
    EXPECT_FALSE(fortschreiben->isEnabled());
    EXPECT_TRUE(fremd->isEnabled());

    // Enabling: copying a booking only while the dispatch page shows the current vehicle.
    fleet::NurLeseModusSetzen(false);
    for (QPushButton *b : knoepfe)
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_FALSE(kopieren->isEnabled());
    EXPECT_TRUE(import->isEnabled());
    EXPECT_TRUE(fortschreiben->isEnabled());
    sicht->setItemIndex(0);
    fleet::NurLeseModusSetzen(false);
    EXPECT_TRUE(kopieren->isEnabled());
}

} // namespace
