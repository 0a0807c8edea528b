#include "dienste/Formularzugriff.h"

#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace fleet {

namespace {

// What was found last time under a name. Looking through every window and
// every component by name is slow (the settings form does it hundreds of
// times at start); a hit is used again while it still bears the name and sits
// where it was found.
QHash<QString, QPointer<QWidget>> &gefundeneFormulare()
{
    static QHash<QString, QPointer<QWidget>> gefunden;
    return gefunden;
}

QHash<QPair<const QWidget *, QString>, QPointer<QObject>> &gefundeneKomponenten()
{
    static QHash<QPair<const QWidget *, QString>, QPointer<QObject>> gefunden;
    return gefunden;
}

bool liegtIn(const QObject *komponente, const QWidget *form)
{
    for (const QObject *o = komponente->parent(); o; o = o->parent())
        if (o == form)
            return true;
    return false;
}

} // namespace

QWidget *FormularFinden(const QString &name)
{
    if (!qApp)
        return nullptr;
    QPointer<QWidget> &bekannt = gefundeneFormulare()[name];
    if (bekannt && bekannt->isWindow() && bekannt->objectName() == name)
        return bekannt;
    bekannt = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name) {
            bekannt = w;
            return w;
        }
    }
    return nullptr;
}

QObject *KomponenteFinden(const QString &formular, const QString &komponente)
{
    QWidget *form = FormularFinden(formular);
    if (!form)
        return nullptr;
    QPointer<QObject> &bekannt = gefundeneKomponenten()[qMakePair(form, komponente)];
    if (bekannt && bekannt->objectName() == komponente && liegtIn(bekannt, form))
        return bekannt;
    bekannt = form->findChild<QObject *>(komponente);
    return bekannt;
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
