#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace dbe {
class TDataSet;
class TTable;
} // namespace dbe

namespace reporting {

class TTb6_;

// Variable sets of the catalogue that read tables only. Each empties the variable list first.

// Every field of the current vehicle (cut).
void DefineVehicleVariables(TTb6_ &tb, const dbe::TDataSet &fahrzeug);
// The vehicle's fields and "DatabaseName" = the table name of the lent table.
void DefineTourVariables(TTb6_ &tb, const dbe::TDataSet &fahrzeug, const dbe::TTable &var);
// The current driver's fields and "NameFreifeld1" … "NameFreifeld8" (the user's free-field names).
void DefineDriverVariables(TTb6_ &tb, const dbe::TDataSet &fahrer, const QStringList &freifeldNamen);
// "NameInfo1" … "NameInfo3": the labels of the damage info fields; does not clear.
void DefineDamageInfoVariables(TTb6_ &tb, const QStringList &infoNamen);

// The vehicle's fields, "DatabaseName" and "NameSonstigeKosten" … "NameSonstigeKosten4".
void DefineCostVariables(TTb6_ &tb, const dbe::TDataSet &fahrzeug, const dbe::TTable &var,
                         const QStringList &sonstigeKostenNamen);

// The averages of the main window's monthly overview, in the order of their variables.
QStringList MonatsDurchschnittNamen();
// The vehicle's fields, the averages (texts in the order of MonatsDurchschnittNamen) and the other-cost
// names.
void DefineMonthlyOverviewVariables(TTb6_ &tb, const dbe::TDataSet &fahrzeug,
                                    const QStringList &durchschnitte, const QStringList &sonstigeKostenNamen);

// Dispatch view of the main window as the report shows it.
struct DispoAnsicht {
    QString auslastung;
    int fahrzeuge = 0; // 0 one vehicle, 1 all, 2 vehicle filter
    QString kfzNr;
    int sicht = 0;                           // 0 all, 1 period, 2 month, 3 day, 4 today, 5 from today
    QString datumVon, datumBis, monat, jahr; // empty texts for disabled controls are given as they are
    bool datumVonAktiv = true, datumBisAktiv = true, monatAktiv = true, jahrAktiv = true;
};
// "Auslastung", "Fahrzeuge", "Sicht", "Datum von", "Datum bis", "Monat", "Jahr" ("n.v." for a disabled
// control), then the vehicle's fields.
void DefineDispatchVariables(TTb6_ &tb, const DispoAnsicht &ansicht, const dbe::TDataSet &fahrzeug);

// Field sets in definition mode: each empties the field list first.

// Every field of the costs, whole, and the other-cost names as fields.
void DefineCostFields(TTb6_ &tb, const dbe::TDataSet &var, const QStringList &sonstigeKostenNamen);
// Every field of the monthly rows, whole; the averages but "DErtragMonat"; the other-cost names.
void DefineMonthlyOverviewFields(TTb6_ &tb, const dbe::TDataSet &var, const QStringList &durchschnitte,
                                 const QStringList &sonstigeKostenNamen);
// Every vehicle field (cut), "NameFreierTermin1" … 3, and the captions of the vehicle fields by their
// report names ("NameGruppe" …, "NameKaufLeasingDatum").
void DefineVehicleListFields(TTb6_ &tb, const dbe::TDataSet &var, const QStringList &freieTermine,
                             const QMap<QString, QString> &beschriftungen);
// The report names of the vehicle-field captions of the list (report 7).
QStringList FahrzeugBeschriftungsNamenListe();
// Every field of the vehicle master and of its tyre record (cut).
void DefineTyreFields(TTb6_ &tb, const dbe::TDataSet &var, const dbe::TDataSet &var1);
// The report names of the 19 appointment captions.
QStringList TerminBeschriftungsNamen();
// Every vehicle field (cut); every note field as "TerminInfo_" + name (whole); the appointment
// captions by their report names.
void DefineWorkshopAppointmentFields(TTb6_ &tb, const dbe::TDataSet &var1, const dbe::TDataSet &var,
                                     const QMap<QString, QString> &terminBeschriftungen);

// Every field of the lent table, whole.
void DefineTableFields(TTb6_ &tb, const dbe::TDataSet &var);
// Sample values of the fuel-import staging table for the designer.
void DefineFuelImportSampleFields(TTb6_ &tb);

// Sets whose values come from forms: the caller passes the forms' texts by report name; a name
// without a text is defined empty.
using Werte = QMap<QString, QString>;

// "DatabaseName" and "Sortierkriterium" (the comparison's sort choice).
void DefineComparisonVariables(TTb6_ &tb, const dbe::TTable &var, const QString &sortierkriterium);
// Every vehicle field (cut), then every comparison field (whole).
void DefineComparisonFields(TTb6_ &tb, const dbe::TDataSet &var1, const dbe::TDataSet &var);
// "WelcheTermine", "Vorwarnzeit/Tage", "Vorwarnzeit/Km", "Stichtag", "StichtagVon".
void DefineAppointmentListVariables(TTb6_ &tb, const Werte &werte);
// Every vehicle field (cut), every due-list field (whole), the appointment captions.
void DefineAppointmentListFields(TTb6_ &tb, const dbe::TDataSet &var1, const dbe::TDataSet &var,
                                 const Werte &terminBeschriftungen);
// The sums of the fleet-cost form by their report names.
QStringList FuhrparkSummenNamen();
// The first cost row's vehicle (all fields but "Memo", cut; nothing when missing), every cost field
// (whole), the sums, the other-cost names, "Filter" and "Sicht".
void DefineFleetCostFields(TTb6_ &tb, dbe::TTable &fahrzeuge, dbe::TDataSet &var, const Werte &summen,
                           const QStringList &sonstigeKostenNamen, const QString &filter,
                           const QString &sicht);
// Every vehicle field (cut), every tour field (whole), and the sums of the requesting form
// ("AnzTouren", "SummeTourenKm", "SummeKosten", "SummeErtraege" as far as given).
void DefineTourFields(TTb6_ &tb, const dbe::TDataSet &var1, const dbe::TDataSet &var, const Werte &summen);
// Definition mode of the all-vehicles evaluation: the variable "Auswertungsmonat" ("Januar 2000" for an
// empty period), then the fields "Bezeichnung_SonstigeKosten" … 4, every vehicle and every row field.
void DefineMonthlyAllVehiclesFields(TTb6_ &tb, const QString &auswertungsmonat,
                                    const QStringList &sonstigeKostenNamen, const dbe::TDataSet &var1,
                                    const dbe::TDataSet &var);
// The month's values of the evaluation page by their report names.
QStringList MonatsauswertungNamen();
// The vehicle's fields, "DatumMonatsauswertung", the month's values, the other-cost names and the
// fixed-cost names ("NameFixKostenHaftpflicht" …).
void DefineMonthlyEvaluationVariables(TTb6_ &tb, const dbe::TDataSet &fahrzeug, const QString &datum,
                                      const Werte &monatsWerte, const QStringList &sonstigeKostenNamen,
                                      const Werte &beschriftungen);
// The card's vehicle (cut); in definition mode also the vehicle captions with "NameKaufDatum" and
// "NameFarbe" and "LsEndKmStand"; in row mode only the fields the project uses.
void DefineMasterCardVariables(TTb6_ &tb, const dbe::TDataSet &var, bool definition,
                               const Werte &beschriftungen, const QString &lsEndKmStand);
// The note dialog's values by their report names ("Kennzeichen", "TerminInfo_Werkstatt-Termin_von" …);
// does not clear.
QStringList TerminNotizNamen();
void DefineAppointmentNoteVariables(TTb6_ &tb, const Werte &werte);

} // namespace reporting
