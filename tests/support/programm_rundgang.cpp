#include "programm_rundgang.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>

#include "ui/FormBase.h"

namespace rundgang {

ui::Answer VorsichtigeMeldungen::show(ui::MsgType, const QString &text, ui::MsgButtons knoepfe)
{
    texte << text;
    switch (knoepfe) {
    case ui::MsgButtons::Ok:
        return ui::Answer::Ok;
    case ui::MsgButtons::YesNo:
        return ui::Answer::No;
    default:
        return ui::Answer::Cancel;
    }
}

namespace {

void menueSammeln(const QMenu &menue, const QString &pfad, QList<QPair<QString, QAction *>> &befehle)
{
    for (QAction *a : menue.actions()) {
        if (a->isSeparator())
            continue;
        const QString hier = pfad + QStringLiteral(" > ") + a->text().remove(QLatin1Char('&'));
        if (a->menu())
            menueSammeln(*a->menu(), hier, befehle);
        else
            befehle << qMakePair(hier, a);
    }
}

} // namespace

QList<QPair<QString, QAction *>> MenueBefehle(const QMenuBar &leiste)
{
    QList<QPair<QString, QAction *>> befehle;
    for (QAction *a : leiste.actions()) {
        if (a->menu())
            menueSammeln(*a->menu(), a->text().remove(QLatin1Char('&')), befehle);
        else if (!a->isSeparator())
            befehle << qMakePair(a->text().remove(QLatin1Char('&')), a);
    }
    return befehle;
}

QWidgetList SichtbareFenster(const QWidget *ausser)
{
    QWidgetList liste;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && !qobject_cast<QMenu *>(w) && w != ausser && !w->inherits("QTipLabel"))
            liste << w;
    return liste;
}

void FensterSchliessen(QWidget *w)
{
    if (auto *form = qobject_cast<ui::FormBase *>(w)) {
        if (form->isModal() || QApplication::activeModalWidget() == form)
            form->setModalResult(ui::mrCancel);
        else
            form->close();
    } else if (auto *dialog = qobject_cast<QDialog *>(w)) {
        dialog->reject();
    } else {
        w->close();
    }
}

} // namespace rundgang
