#pragma once

#include <stdexcept>

#include <QString>

class QObject;
class QWidget;

namespace reporting {

// A form or one of its controls that a report reads is not there: a fault of the program, named
// so that the first run of that report shows which name is wrong.
class EFormularFehlt : public std::runtime_error {
public:
    explicit EFormularFehlt(const QString &text);
};

// The requesting forms' controls, read by their object names. Every reader throws EFormularFehlt
// when the form or the control does not exist.
QWidget &Formular(const QString &formular);
QObject &Steuerelement(const QString &formular, const QString &komponente);
// What the control shows: caption of a label or button, text of an edit, memo or combo box, the
// date text of a date picker.
QString SteuerText(const QString &formular, const QString &komponente);
bool SteuerAktiv(const QString &formular, const QString &komponente);
// The chosen item of a radio group or combo box.
int SteuerIndex(const QString &formular, const QString &komponente);

} // namespace reporting
