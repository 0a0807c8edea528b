#include "dienste/Formularzugriff.h"

#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QSet>
#include <QVariant>
#include <QWidget>

namespace fleet {

namespace {

// Looking through every window and every component by name is slow (the
// settings form asks for hundreds of components at start). A window found is
// used again while it still bears the name; the components of a form are
// read into a directory of names in one pass when the first one is asked
// for, and an entry is used while it still bears the name and sits in the
// form. Names that several components bear, and names not in the directory,
// are searched for as before.
QHash<QString, QPointer<QWidget>> &gefundeneFormulare()
{
    static QHash<QString, QPointer<QWidget>> gefunden;
    return gefunden;
}

struct Verzeichnis {
    QPointer<QWidget> form;
    QHash<QString, QPointer<QObject>> namen;
    QSet<QString> mehrfach;
};

QHash<const QWidget *, Verzeichnis> &verzeichnisse()
{
    static QHash<const QWidget *, Verzeichnis> v;
    return v;
}

Verzeichnis &verzeichnisVon(QWidget *form)
{
    Verzeichnis &v = verzeichnisse()[form];
    if (v.form != form) {
        v = Verzeichnis();
        v.form = form;
        for (QObject *o : form->findChildren<QObject *>()) {
            const QString name = o->objectName();
            if (name.isEmpty() || v.mehrfach.contains(name))
                continue;
            if (v.namen.contains(name)) {
                v.namen.remove(name);
                v.mehrfach.insert(name);
            } else {
                v.namen.insert(name, o);
            }
        }
    }
    return v;
}

std::function<bool(const QString &)> &erzeuger()
{
    static std::function<bool(const QString &)> e;
    return e;
}

// Looks through the top-level windows and keeps what it found (or nothing).
QWidget *fensterSuchen(const QString &name)
{
    QPointer<QWidget> &bekannt = gefundeneFormulare()[name];
    bekannt = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name) {
            bekannt = w;
            return w;
        }
    }
    return nullptr;
}

bool liegtIn(const QObject *komponente, const QWidget *form)
{
    for (const QObject *o = komponente->parent(); o; o = o->parent())
        if (o == form)
            return true;
    return false;
}

} // namespace

QWidget *GemachtesFormular(const QString &name)
{
    if (!qApp)
        return nullptr;
    const QPointer<QWidget> &bekannt = gefundeneFormulare()[name];
    if (bekannt && bekannt->isWindow() && bekannt->objectName() == name)
        return bekannt;
    return fensterSuchen(name);
}

QWidget *FormularFinden(const QString &name)
{
    if (QWidget *w = GemachtesFormular(name))
        return w;
    return qApp && FormularErzeugen(name) ? fensterSuchen(name) : nullptr;
}

void FormularErzeugerSetzen(std::function<bool(const QString &name)> e)
{
    erzeuger() = std::move(e);
}

bool FormularErzeugen(const QString &name)
{
    // A copy: making the form may set another maker.
    const std::function<bool(const QString &)> e = erzeuger();
    return e && e(name);
}

QObject *KomponenteImFormular(QWidget *form, const QString &komponente)
{
    Verzeichnis &v = verzeichnisVon(form);
    if (v.mehrfach.contains(komponente))
        return form->findChild<QObject *>(komponente);
    QPointer<QObject> &bekannt = v.namen[komponente];
    if (bekannt && bekannt->objectName() == komponente && liegtIn(bekannt, form))
        return bekannt;
    bekannt = form->findChild<QObject *>(komponente);
    return bekannt;
}

QObject *KomponenteFinden(const QString &formular, const QString &komponente)
{
    QWidget *form = FormularFinden(formular);
    if (!form)
        return nullptr;
    if (QObject *o = KomponenteImFormular(form, komponente))
        return o;
    // Perhaps on a part of the form not made yet.
    return FormularVervollstaendigen(form) ? KomponenteImFormular(form, komponente) : nullptr;
}

bool FormularVervollstaendigen(QWidget *form)
{
    auto *teile = dynamic_cast<TeileBeiBedarf *>(form);
    return teile && teile->AlleTeileMachen();
}

void KomponentenNeuErfassen(QWidget *form)
{
    verzeichnisse().remove(form);
}

void KomponenteEinstellen(const QString &formular, const QString &komponente, const QString &eigenschaft,
                          const std::function<void(QObject &)> &einstellen)
{
    QWidget *form = FormularFinden(formular);
    if (!form)
        return;
    auto *teile = dynamic_cast<TeileBeiBedarf *>(form);
    if (QObject *o = teile ? teile->GemachteKomponente(komponente) : KomponenteImFormular(form, komponente))
        einstellen(*o);
    else if (teile)
        teile->Vormerken(komponente, eigenschaft, einstellen);
}

int AuswahlIndex(const QString &formular, const QString &radioGruppe)
{
    QObject *gruppe = KomponenteFinden(formular, radioGruppe);
    if (!gruppe)
        return -1;
    const QVariant index = gruppe->property("itemIndex");
    return index.isValid() ? index.toInt() : -1;
}

} // namespace fleet
