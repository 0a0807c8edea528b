#pragma once

#include <QString>
#include <QStringList>

#include "ReportDefinierer.h"

namespace reporting {

// The values the reports take from the requesting forms, read from their controls by object name
// (a missing form or control throws EFormularFehlt), and from the user-defined captions.

namespace formular {
inline const QString kHaupt = QStringLiteral("HauptFormular");
inline const QString kTermine = QStringLiteral("TerminFormular");
inline const QString kTerminInfo = QStringLiteral("TerminInfoDlg");
inline const QString kTourAuswertung = QStringLiteral("TourAuswertungFormular");
inline const QString kFuhrparkKosten = QStringLiteral("FuhrparkKostenFormular");
inline const QString kAlleFahrzeuge = QStringLiteral("AlleFahrzeugeFormular");
inline const QString kMonatAlleFahrzeuge = QStringLiteral("MonatsauswertungAlleFahrzeugeFormular");
inline const QString kFahrer = QStringLiteral("FahrerStammdatenFormular");
inline const QString kMandanten = QStringLiteral("MandantenFormular");
inline const QString kEinstellungen = QStringLiteral("EinstellungenFormular");
} // namespace formular

// The user's names of the four other cost kinds.
QStringList SonstigeKostenNamen();
// The user's captions of the vehicle fields by their report names ("NameGruppe" …), for the list
// (with "NameKaufLeasingDatum") and the card ("NameKaufDatum", "NameFarbe").
Werte FahrzeugBeschriftungen();
// The captions of the main window's appointment labels by their report names.
Werte TerminBeschriftungen();
// "NameFreierTermin1" … 3 of the vehicle list.
QStringList FreieTerminNamen();

// The main window's monthly overview averages, in the order of MonatsDurchschnittNamen.
QStringList MonatsDurchschnitte();
// The main window's monthly evaluation: the date of the month's first day, and the month's values.
QString MonatsauswertungDatum();
Werte MonatsauswertungWerte();
// The main window's dispatch view.
DispoAnsicht DispoAnsichtLesen();

Werte TerminListenWerte();
Werte TerminNotizWerte(const QStringList &freifeldNamen);
QString VergleichSortierung();
Werte FuhrparkSummen();
QString FuhrparkFilter();
QString FuhrparkSicht();
Werte TourAuswertungSummen();
Werte FahrerTourSummen();
QString AuswertungsZeitraum();

} // namespace reporting
