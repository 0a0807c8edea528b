#pragma once

#include <functional>

#include <QString>

class QObject;
class QWidget;

// The core reaches the windows that other parts build by their object names:
// each form bears its global instance's name ("HauptFormular",
// "TerminFormular"), each component its own name.
namespace fleet {

// The top-level window with that object name; nullptr when it does not exist.
// A form that the program makes on first use is made by the lookup.
QWidget *FormularFinden(const QString &name);

// The program body makes some forms on first use rather than at start. While
// it runs, `erzeuger` makes the form of a name when it is one of them and not
// made yet, and says whether it made it; empty: no form is made on demand.
void FormularErzeugerSetzen(std::function<bool(const QString &name)> erzeuger);

// Makes the form of that name when it is made on first use and not made yet;
// true when it was made now.
bool FormularErzeugen(const QString &name);

// The form kept in `global`, made on first use; nullptr when the program does
// not make it (no program body runs, as for a form tested alone).
template <class Form> Form *FormularBereitstellen(Form *&global, const QString &name)
{
    if (!global)
        FormularErzeugen(name);
    return global;
}

// A component (control or menu action) of a form by object name; nullptr when none.
QObject *KomponenteFinden(const QString &formular, const QString &komponente);

// The chosen item of a radio group ("itemIndex"); -1 when it is not there.
int AuswahlIndex(const QString &formular, const QString &radioGruppe);

} // namespace fleet
