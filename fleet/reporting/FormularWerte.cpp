#include "FormularWerte.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QVariant>

#include "dienste/Formularzugriff.h"

namespace reporting {

EFormularFehlt::EFormularFehlt(const QString &text) : std::runtime_error(text.toStdString()) {}

QWidget &Formular(const QString &formular)
{
    QWidget *form = fleet::FormularFinden(formular);
    if (!form)
        throw EFormularFehlt(QStringLiteral("Das Formular „%1“ ist nicht vorhanden.").arg(formular));
    return *form;
}

QObject &Steuerelement(const QString &formular, const QString &komponente)
{
    Formular(formular); // a missing form is told as such
    // (The lookup makes a part of the form made when first needed.)
    QObject *o = fleet::KomponenteFinden(formular, komponente);
    if (!o)
        throw EFormularFehlt(
            QStringLiteral("Das Formular „%1“ hat kein Element „%2“.").arg(formular, komponente));
    return *o;
}

QString SteuerText(const QString &formular, const QString &komponente)
{
    QObject &o = Steuerelement(formular, komponente);
    if (auto *l = qobject_cast<QLabel *>(&o))
        return l->text();
    if (auto *e = qobject_cast<QLineEdit *>(&o))
        return e->text();
    if (auto *c = qobject_cast<QComboBox *>(&o))
        return c->currentText();
    if (auto *m = qobject_cast<QPlainTextEdit *>(&o))
        return m->toPlainText();
    if (auto *m = qobject_cast<QTextEdit *>(&o))
        return m->toPlainText();
    if (auto *d = qobject_cast<QDateTimeEdit *>(&o))
        return d->text();
    if (auto *b = qobject_cast<QAbstractButton *>(&o))
        return b->text();
    const QVariant text = o.property("text");
    return text.isValid() ? text.toString() : QString();
}

bool SteuerAktiv(const QString &formular, const QString &komponente)
{
    QObject &o = Steuerelement(formular, komponente);
    auto *w = qobject_cast<QWidget *>(&o);
    return w ? w->isEnabled() : true;
}

int SteuerIndex(const QString &formular, const QString &komponente)
{
    QObject &o = Steuerelement(formular, komponente);
    if (auto *c = qobject_cast<QComboBox *>(&o))
        return c->currentIndex();
    const QVariant index = o.property("itemIndex");
    return index.isValid() ? index.toInt() : -1;
}

} // namespace reporting
