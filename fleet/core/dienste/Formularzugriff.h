#pragma once

#include <QString>

class QObject;
class QWidget;

// The core reaches the windows that other parts build by their object names:
// each form bears its global instance's name ("HauptFormular",
// "TerminFormular"), each component its own name.
namespace fleet {

// The top-level window with that object name; nullptr when it does not exist.
QWidget *FormularFinden(const QString &name);

// A component (control or menu action) of a form by object name; nullptr when none.
QObject *KomponenteFinden(const QString &formular, const QString &komponente);

// The chosen item of a radio group ("itemIndex"); -1 when it is not there.
int AuswahlIndex(const QString &formular, const QString &radioGruppe);

} // namespace fleet
