#pragma once

#include <functional>

#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

namespace ui {
class FormBase;
}

namespace fleet {

// The print and preview buttons of an evaluation form, "D&rucken" and
// "&Vorschau" with their hints. They are enabled at each showing while the
// report catalogue is in force, and call their handlers when clicked.
struct DruckKnoepfe {
    QPushButton *drucken;
    QPushButton *vorschau;
};
DruckKnoepfe DruckKnoepfeAnlegen(ui::FormBase *form, const QString &druckHinweis,
                                 const QString &vorschauHinweis, std::function<void()> beimDrucken,
                                 std::function<void()> beiVorschau,
                                 const char *druckName = "TBitBtnAlleFahrzeugeAuswertungDrucken",
                                 const char *vorschauName = "TBitBtnDurchschnittVorschau");

// A total of an evaluation: right-aligned in a sunken panel.
QLabel *SummenLabel(QWidget *form, const char *name, const QString &text, int breite = 100);

// The step of an evaluation's progress bar: advances the bar by one. Once the
// run has taken a quarter of a second, every tenth of a second the window is
// painted (the bar with it) and the input waiting is taken: Escape ends the run
// quietly (base::SilentAbort), other input is dropped.
std::function<void()> FortschrittSchritt(QProgressBar *balken);

} // namespace fleet
