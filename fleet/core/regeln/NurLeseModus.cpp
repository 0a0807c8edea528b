#include "regeln/NurLeseModus.h"

#include <QObject>
#include <QVariant>

#include "dienste/Formularzugriff.h"

namespace fleet {

namespace {

const char *const kBearbeitungsKnoepfe[] = {
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
    "BtnHistorieBildNeu",
    "BtnHistorieDokumentNeu",
    "BtnDispoNeu",
    "BtnDispoSpeichern",
    "BtnDispoLoeschen",
    "BtnDispoKopieren",
    "BtnInTourenKopieren",
    "TankdatenImport1",
    "BtnMonatsauswertungAlleFahrzeuge",
    "BtnSchadenBildNeu",
    "BtnSchadenDokumentNeu",
    "BtnSchadenNeu",
    "BtnSchadenSpeichern",
    "BtnSchadenLoeschen",
    "BtnBildTabelleAenderungenSpeichern",
    "BtnBildTabelleLoeschen",
    "BtnBildDokumentNeu",
    "BtnBildNeu",
};

void freigeben(QObject *komponente, bool an)
{
    // Buttons and menu actions both carry the "enabled" property.
    if (komponente)
        komponente->setProperty("enabled", an);
}

bool nurLeseModusAn = false;

} // namespace

bool NurLeseModusAn()
{
    return nurLeseModusAn;
}

bool IstBearbeitungsBefehl(const QString &name)
{
    for (const char *knopf : kBearbeitungsKnoepfe)
        if (name == QLatin1String(knopf))
            return true;
    return false;
}

void NurLeseModusSetzen(bool nurLesen)
{
    nurLeseModusAn = nurLesen;
    const QString haupt = QStringLiteral("HauptFormular");
    const QString enabled = QStringLiteral("enabled");
    for (const char *name : kBearbeitungsKnoepfe) {
        const bool an = !nurLesen;
        // Copying a booking needs the dispatch page on the current vehicle;
        // the page's choice is read when the button is set.
        const bool kopieren = an && qstrcmp(name, "BtnDispoKopieren") == 0;
        KomponenteEinstellen(
            haupt, QString::fromLatin1(name), enabled, [haupt, an, kopieren](QObject &knopf) {
                freigeben(&knopf,
                          kopieren ? AuswahlIndex(haupt, QStringLiteral("RadioGrpDispoFahrzeuge")) == 0 : an);
            });
    }
    if (QWidget *termine = GemachtesFormular(QStringLiteral("TerminFormular")))
        freigeben(KomponenteImFormular(termine, QStringLiteral("BtnMarkierteTermineFortschreiben")),
                  !nurLesen);
}

} // namespace fleet
