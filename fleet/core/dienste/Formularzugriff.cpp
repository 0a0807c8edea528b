#include "dienste/Formularzugriff.h"

#include <QApplication>
#include <QVariant>
#include <QWidget>

namespace fleet {

QWidget *FormularFinden(const QString &name)
{
    if (!qApp)
        return nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name)
            return w;
    }
    return nullptr;
}

QObject *KomponenteFinden(const QString &formular, const QString &komponente)
{
    QWidget *form = FormularFinden(formular);
    return form ? form->findChild<QObject *>(komponente) : nullptr;
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
