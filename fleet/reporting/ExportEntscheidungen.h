#pragma once

#include <QString>
#include <QStringList>

// What the data export decides, apart from its form: which table and project, which file, which
// part of the table, and what the engine is told.
namespace reporting {

constexpr int kExportTabellen = 7;
constexpr int kExportFormate = 7;

// The items of the table choice and of the format choice, in their order.
QStringList ExportDatenNamen();
QStringList ExportFormatNamen();

// The table of a data choice ("KfzStamm.db" …); empty outside 0..6.
QString ExportTabelle(int daten);
// The master table is narrowed by a filter on its key, the detail tables follow the main window's
// vehicle through a master link.
bool ExportMitFahrzeugFilter(int daten);

// The engine's target of a format ("PDF", "XLS" …), its file mask ("*.PDF") and default file name.
QString ExportZielZu(int format);
QString ExportDateiFilter(int format);
QString ExportStandardDatei(int format);

// The project for a table and target: the data formats (spreadsheet, text, XML) take the project
// with one line per record where there is one, every other target the page layout.
QString ExportProjekt(int daten, const QString &ziel);

// The filter on the current vehicle of the master table.
QString ExportFahrzeugFilter(const QString &kfzNr);

// The export parameters the engine reads for a target file as the user typed it.
struct ExportParameter {
    QString pfad;     // "Export.Path": the directory
    QString datei;    // "Export.File": the file name
    QString still;    // "Export.Quiet"
    QString anzeigen; // "Export.ShowResult"
};
ExportParameter ExportParameterZu(const QString &zielDatei, bool anzeigen);

} // namespace reporting
