#pragma once

#include <functional>

#include <QString>

class QPushButton;
class QWidget;

namespace fleet::seiten {

// "D&rucken" and "&Vorschau" under their object names; a click hands kDrucken or kVorschau to
// `anfordern`. They are enabled only while a report service is in force, checked when they are
// made and each time they are shown: the catalogue comes into force after the main window.
struct DruckKnoepfe {
    QPushButton *drucken = nullptr;
    QPushButton *vorschau = nullptr;
};
DruckKnoepfe druckKnoepfe(QWidget *parent, const char *druckName, const char *vorschauName,
                          std::function<void(int modus)> anfordern);

// A print or preview button made elsewhere gets the same enabling.
void DruckFreigabe(QPushButton *knopf);

// One request of a page in `modus`: when there is nothing to print (`leer`), `leerMeldung` is
// shown and nothing requested; else the page's picture is written (the report is requested all the
// same when that fails) and then the report.
void ReportAnfordern(int modus, int report, bool leer = false, const QString &leerMeldung = QString(),
                     const std::function<void()> &bild = {});

} // namespace fleet::seiten
