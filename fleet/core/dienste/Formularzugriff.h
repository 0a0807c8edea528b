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

// The top-level window with that object name if it is made; a form made on
// first use is not made by this lookup.
QWidget *GemachtesFormular(const QString &name);

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

// A form that makes some of its parts when they are first needed (the main
// window its pages). A lookup by name makes the parts to find what it looks
// for; a step that only sets a component's property leaves it to the form,
// which sets it when it makes the part that holds the component.
class TeileBeiBedarf {
public:
    virtual ~TeileBeiBedarf() = default;
    // The component of that name among the parts made; nullptr if none.
    virtual QObject *GemachteKomponente(const QString &name) const = 0;
    // Makes every part not made yet; true when it made one.
    virtual bool AlleTeileMachen() = 0;
    // Keeps `einstellen` for the component of that name, run when the part
    // that holds it is made, after what was kept before; of two kept for one
    // component and property, the later one counts.
    virtual void Vormerken(const QString &name, const QString &eigenschaft,
                           const std::function<void(QObject &)> &einstellen) = 0;
};

// A component (control or menu action) of a form by object name; nullptr when
// none. A part of the form made on demand is made to find it.
QObject *KomponenteFinden(const QString &formular, const QString &komponente);

// A component of `form` by object name among what is made, without making a
// part; nullptr when none.
QObject *KomponenteImFormular(QWidget *form, const QString &komponente);

// Makes the parts of `form` that it makes on demand and has not made yet;
// true when it made one.
bool FormularVervollstaendigen(QWidget *form);

// The form's components changed in a way the lookups by name cannot see (a
// part was made): they are read anew at the next lookup.
void KomponentenNeuErfassen(QWidget *form);

// Sets a property of a form's component by name (`einstellen` does it): now,
// when the component is made, or when the form makes the part that holds it.
// Nothing when there is no such form or component.
void KomponenteEinstellen(const QString &formular, const QString &komponente, const QString &eigenschaft,
                          const std::function<void(QObject &)> &einstellen);

// The chosen item of a radio group ("itemIndex"); -1 when it is not there.
int AuswahlIndex(const QString &formular, const QString &radioGruppe);

} // namespace fleet
