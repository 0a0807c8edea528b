// Windows and components by object name: what was found before is found again
// only while it still bears the name and sits in that window.
#include <memory>

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QVBoxLayout>

#include "dienste/Formularzugriff.h"

using fleet::FormularFinden;
using fleet::KomponenteFinden;

class FormularzugriffTest : public QObject {
    Q_OBJECT

    static QLabel *label(QWidget *parent, const QString &name)
    {
        auto *l = new QLabel(parent);
        l->setObjectName(name);
        return l;
    }

private slots:
    void foundAgainOnlyWhileNameAndPlaceStillHold()
    {
        auto form = std::make_unique<QWidget>();
        form->setObjectName("HauptFormular");
        auto *seite = new QWidget(form.get());
        QLabel *gruppe = label(seite, "LblGruppe");
        QLabel *zweiter = label(seite, "LblDoppelt");
        QLabel *erster = label(form.get(), "LblDoppelt");
        auto *aktion = new QAction(form.get());
        aktion->setObjectName("Gruppe1");
        QCOMPARE(FormularFinden("HauptFormular"), form.get());
        QCOMPARE(KomponenteFinden("HauptFormular", "LblGruppe"), gruppe);
        QCOMPARE(KomponenteFinden("HauptFormular", "Gruppe1"), aktion);
        QCOMPARE(KomponenteFinden("HauptFormular", "LblFehlt"), nullptr);
        QCOMPARE(KomponenteFinden("Fehlt", "LblGruppe"), nullptr);

        // Renamed: gone under the old name, there under the new one.
        gruppe->setObjectName("LblGruppeAlt");
        QCOMPARE(KomponenteFinden("HauptFormular", "LblGruppe"), nullptr);
        QCOMPARE(KomponenteFinden("HauptFormular", "LblGruppeAlt"), gruppe);
        // Deleted, and another one made under the name elsewhere in the window.
        delete gruppe;
        QCOMPARE(KomponenteFinden("HauptFormular", "LblGruppeAlt"), nullptr);
        QLabel *neu = label(form.get(), "LblGruppeAlt");
        QCOMPARE(KomponenteFinden("HauptFormular", "LblGruppeAlt"), neu);
        // Moved to another window: not this window's any more.
        QWidget anderes;
        anderes.setObjectName("EinstellungenFormular");
        neu->setParent(&anderes);
        QCOMPARE(KomponenteFinden("HauptFormular", "LblGruppeAlt"), nullptr);
        QCOMPARE(KomponenteFinden("EinstellungenFormular", "LblGruppeAlt"), neu);

        // Two of one name: the search decides.
        QCOMPARE(KomponenteFinden("HauptFormular", "LblDoppelt"), erster);
        delete erster;
        QCOMPARE(KomponenteFinden("HauptFormular", "LblDoppelt"), zweiter);

        // A window that is no window any more, renamed or gone.
        seite->setParent(nullptr);
        seite->setObjectName("Seite");
        QCOMPARE(FormularFinden("Seite"), seite);
        seite->setParent(form.get());
        QCOMPARE(FormularFinden("Seite"), nullptr);
        form->setObjectName("Anders");
        QCOMPARE(FormularFinden("HauptFormular"), nullptr);
        QCOMPARE(FormularFinden("Anders"), form.get());
        form.reset();
        QCOMPARE(FormularFinden("Anders"), nullptr);
        QCOMPARE(KomponenteFinden("Anders", "Gruppe1"), nullptr);
    }
};

QTEST_MAIN(FormularzugriffTest)
#include "formularzugriff_test.moc"
