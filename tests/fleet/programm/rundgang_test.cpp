// A walk through the whole program as a new user takes it: first start in an
// empty data directory, two vehicles with a tour and a cost each, then every
// command of the menu bar and every button of every page in turn. Each form or
// box it opens is looked at and closed. Fails on a crash, an internal or
// English message, or a window without a title; given a directory it keeps a
// picture of every window and a list of what each command did.
#include <functional>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMenuBar>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

#include "daten/DataModule1.h"
#include "daten/Einstellungswerte.h"
#include "daten/ErsterStart.h"
#include "dbe/Field.h"
#include "formulare/HauptFormular.h"
#include "regeln/NurLeseModus.h"
#include "regeln/StartEinstellungen.h"
#include "ui/Application.h"
#include "ui/PageControl.h"
#include "ui/Seam.h"
#include "ui/StartUp.h"

#include "programm_rundgang.h"

namespace fleet {
// The program's own start (fleet/main.cpp).
int ProgrammAusfuehren(const std::function<int()> &mitHauptfenster);
} // namespace fleet

namespace {

// What one command or button did.
struct Schritt {
    QString wo;
    QStringList fenster;
    QStringList meldungen;
};

class Rundgang {
public:
    explicit Rundgang(QString bilder) : bilderVerzeichnis_(std::move(bilder))
    {
        // Modal forms and dialogs run their own loop; they are looked at and
        // closed from here while the command that opened them waits.
        QObject::connect(&wache_, &QTimer::timeout, [this] {
            // A new form is given a moment to activate and fill itself.
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal) {
                zuletztModal_ = nullptr;
            } else if (modal != zuletztModal_) {
                zuletztModal_ = modal;
                angesehen_ = false;
                seit_.start();
            } else if (!angesehen_ && seit_.elapsed() >= 60) {
                angesehen_ = true;
                ansehenUndSchliessen(modal);
            } else if (angesehen_) {
                rundgang::FensterSchliessen(modal);
            }
        });
        wache_.start(5);
    }

    int fehler = 0;
    QList<Schritt> schritte;

    void ausfuehren(const QString &wo, const std::function<void()> &ausloesen)
    {
        Schritt schritt{wo, {}, {}};
        aktuell_ = &schritt;
        const int vorherMeldungen = meldungen_.texte.size();
        const QWidgetList vorher = rundgang::SichtbareFenster(fleet::HauptFormular);
        ausloesen();
        QTest::qWait(60);
        for (QWidget *w : rundgang::SichtbareFenster(fleet::HauptFormular))
            if (!vorher.contains(w))
                ansehenUndSchliessen(w);
        QTest::qWait(10);
        schritt.meldungen = meldungen_.texte.mid(vorherMeldungen);
        for (const QString &t : schritt.meldungen)
            pruefeText(wo, t);
        aktuell_ = nullptr;
        schritte << schritt;
    }

    rundgang::VorsichtigeMeldungen &meldungen() { return meldungen_; }

    // A caption cut by its own button (its box narrower than the text needs)
    // is named as a hint: how wide a text runs depends on the fonts at hand.
    void beschriftungenPruefen(const QString &wo, QWidget *fenster)
    {
        for (QAbstractButton *b : fenster->findChildren<QAbstractButton *>()) {
            if (!b->isVisible() || b->text().isEmpty() || b->inherits("QToolButton"))
                continue;
            if (b->width() < b->sizeHint().width()) {
                std::fprintf(stderr,
                             "HINWEIS %s: Beschriftung \"%s\" (%s) abgeschnitten, %d statt %d Punkte\n",
                             qPrintable(wo), qPrintable(b->text()), qPrintable(b->objectName()), b->width(),
                             b->sizeHint().width());
                ++abgeschnitten;
            }
        }
    }
    int abgeschnitten = 0;

private:
    void ansehenUndSchliessen(QWidget *w)
    {
        const QString titel = w->windowTitle();
        if (aktuell_)
            aktuell_->fenster << (titel.isEmpty() ? w->metaObject()->className() : titel);
        if (titel.trimmed().isEmpty()) {
            std::fprintf(stderr, "FEHLER %s: Fenster %s ohne Titel\n",
                         qPrintable(aktuell_ ? aktuell_->wo : QString()), w->metaObject()->className());
            ++fehler;
        }
        beschriftungenPruefen(aktuell_ ? aktuell_->wo : titel, w);
        if (!bilderVerzeichnis_.isEmpty())
            w->grab().save(QDir(bilderVerzeichnis_)
                               .filePath(QStringLiteral("%1_%2.png")
                                             .arg(++bildNummer_, 3, 10, QLatin1Char('0'))
                                             .arg(QString(titel).replace(QRegularExpression("[^A-Za-z0-9]"),
                                                                         QStringLiteral("_")))));
        rundgang::FensterSchliessen(w);
    }

    void pruefeText(const QString &wo, const QString &text)
    {
        static const QRegularExpression englisch(
            QStringLiteral("\\b(the|error|failed|cannot|invalid|exception|not found|unknown|std::)\\b"),
            QRegularExpression::CaseInsensitiveOption);
        if (englisch.match(text).hasMatch()) {
            std::fprintf(stderr, "FEHLER %s: Meldung \"%s\"\n", qPrintable(wo), qPrintable(text));
            ++fehler;
        }
    }

    QString bilderVerzeichnis_;
    QTimer wache_;
    QPointer<QWidget> zuletztModal_;
    QElapsedTimer seit_;
    bool angesehen_ = false;
    Schritt *aktuell_ = nullptr;
    rundgang::VorsichtigeMeldungen meldungen_;
    int bildNummer_ = 0;
};

// Two vehicles as a user would enter them, with a tour and a cost each.
void BeispieldatenAnlegen()
{
    using fleet::DataModule1;
    for (dbe::TTable *t : {&DataModule1->TTblMain, &DataModule1->TTblTouren, &DataModule1->TTblVarKosten})
        if (!t->Active())
            t->Open();
    const struct {
        const char *nr, *info, *fahrer;
    } fahrzeuge[] = {{"M-KÖ 1234", "Lieferwagen Süd", "Jürgen Weiß"},
                     {"B-ÄR 567", "Kühlfahrzeug", "Ömer Şahin"}};
    for (const auto &f : fahrzeuge) {
        DataModule1->TTblMain.Append();
        DataModule1->TTblMain.FieldByName(QStringLiteral("KfzNr"))->SetAsString(QString::fromUtf8(f.nr));
        DataModule1->TTblMain.FieldByName(QStringLiteral("Info"))->SetAsString(QString::fromUtf8(f.info));
        DataModule1->TTblMain.FieldByName(QStringLiteral("FahrerName"))
            ->SetAsString(QString::fromUtf8(f.fahrer));
        DataModule1->TTblMain.FieldByName(QStringLiteral("KfzKmStand"))->SetAsString(QStringLiteral("48250"));
        DataModule1->TTblMain.Post();
        DataModule1->TTblTouren.Append();
        DataModule1->TTblTouren.FieldByName(QStringLiteral("Datum"))
            ->SetAsString(QStringLiteral("02.11.2026"));
        DataModule1->TTblTouren.FieldByName(QStringLiteral("Tour"))->SetAsString(QStringLiteral("T-1"));
        DataModule1->TTblTouren.FieldByName(QStringLiteral("GefahrenKm"))
            ->SetAsString(QStringLiteral("1250"));
        DataModule1->TTblTouren.FieldByName(QStringLiteral("Ertrag"))
            ->SetAsString(QStringLiteral("1.480,50"));
        DataModule1->TTblTouren.Post();
        DataModule1->TTblVarKosten.Append();
        DataModule1->TTblVarKosten.FieldByName(QStringLiteral("BelegDatum"))
            ->SetAsString(QStringLiteral("03.11.2026"));
        DataModule1->TTblVarKosten.FieldByName(QStringLiteral("BelegNummer"))
            ->SetAsString(QStringLiteral("R-100"));
        DataModule1->TTblVarKosten.FieldByName(QStringLiteral("ReparaturKosten"))
            ->SetAsString(QStringLiteral("1.234,56"));
        DataModule1->TTblVarKosten.Post();
    }
    DataModule1->TTblMain.First();
}

// What the settings allow for a command: a command that can run is enabled
// unless the kilometre mode or the workstation's flags lock it, or the
// read-only switch turns editing off. The settings name an action by its
// object name or its caption.
bool SollFreiSein(const fleet::THauptFormular &haupt, QAction *aktion)
{
    const QString name = aktion->objectName();
    if (!haupt.Sperrgrund(name).isEmpty())
        return false;
    if (fleet::NurLeseModusAn() && fleet::IstBearbeitungsBefehl(name))
        return false;
    using namespace fleet::starteinstellungen;
    dbe::TTable &priv = fleet::DataModule1->TTblEinstellungenPriv;
    QList<Wirkung> wirkungen = KilometerModusWirkungen(fleet::TourenModus);
    wirkungen +=
        ArbeitsplatzWirkungen([&priv](const QString &feld) { return priv.FieldByName(feld)->Value(); });
    bool frei = true;
    const QString text = aktion->text();
    for (const Wirkung &w : wirkungen)
        if ((w.komponente == name || w.komponente == text) &&
            (w.art == Wirkung::Freigeben || w.art == Wirkung::Sperren))
            frei = w.art == Wirkung::Freigeben;
    return frei;
}

int Rundgehen(const QString &bilder)
{
    fleet::THauptFormular &haupt = *fleet::HauptFormular;
    haupt.show();
    QTest::qWait(50);
    Rundgang rundgang(bilder);
    ui::ScopedSeam<ui::Messages> meldungen(rundgang.meldungen());
    rundgang.ausfuehren(QStringLiteral("Beispieldaten"), BeispieldatenAnlegen);
    if (!bilder.isEmpty())
        haupt.grab().save(QDir(bilder).filePath(QStringLiteral("000_Hauptfenster.png")));

    const QList<QPair<QString, QAction *>> befehle = rundgang::MenueBefehle(*haupt.findChild<QMenuBar *>());
    // First as the program starts (reading), then once more for the commands
    // that only editing enables.
    QSet<QAction *> erledigt;
    const auto menueAbgehen = [&](const QString &modus) {
        // A command the settings allow must be enabled, one they forbid not.
        for (const auto &[wo, aktion] : befehle)
            if (!wo.contains(QStringLiteral("Beenden")) &&
                aktion->isEnabled() != SollFreiSein(haupt, aktion)) {
                ++rundgang.fehler;
                std::printf("%s%s: Befehl %s\n", qPrintable(modus), qPrintable(wo),
                            aktion->isEnabled() ? "frei, sollte gesperrt sein"
                                                : "gesperrt, sollte frei sein");
            }
        for (const auto &[wo, aktion] : befehle) {
            // Ending the program ends the walk.
            if (wo.contains(QStringLiteral("Beenden")) || erledigt.contains(aktion) || !aktion->isEnabled())
                continue;
            erledigt.insert(aktion);
            rundgang.ausfuehren(modus + wo, [aktion] { aktion->trigger(); });
        }
    };
    menueAbgehen(QStringLiteral("[Lesen] "));
    if (auto *aendern = haupt.findChild<QAbstractButton *>(QStringLiteral("nbGlobalEdit")))
        rundgang.ausfuehren(QStringLiteral("Ändern einschalten"), [aendern] { aendern->click(); });
    menueAbgehen(QStringLiteral("[Ändern] "));
    QStringList gesperrt;
    for (const auto &[wo, aktion] : befehle)
        if (!aktion->isEnabled())
            gesperrt << wo + QStringLiteral(": ") + haupt.Sperrgrund(aktion->objectName());

    // Every enabled button of every page, the pages in their order, picked
    // by their tabs as a user does.
    auto *seiten = haupt.findChild<ui::PageControl *>();
    QTabBar *reiter = seiten ? seiten->tabBar() : nullptr;
    for (int i = 0; reiter && i < reiter->count(); ++i) {
        reiter->setCurrentIndex(i);
        QTest::qWait(20);
        QWidget *seite = seiten->activePage();
        const QString name = reiter->tabText(i).remove(QLatin1Char('&'));
        if (!bilder.isEmpty())
            haupt.grab().save(
                QDir(bilder).filePath(QStringLiteral("seite_%1.png").arg(i, 2, 10, QLatin1Char('0'))));
        rundgang.beschriftungenPruefen(QStringLiteral("Seite ") + name, seite);
        for (QAbstractButton *b : seite->findChildren<QAbstractButton *>()) {
            if (!b->isVisible() || !b->isEnabled() || b->inherits("QRadioButton") || b->inherits("QCheckBox"))
                continue;
            rundgang.ausfuehren(name + QStringLiteral(" / ") + b->text().remove(QLatin1Char('&')) +
                                    QStringLiteral(" (") + b->objectName() + QLatin1Char(')'),
                                [b] { b->click(); });
            if (reiter->currentIndex() != i)
                reiter->setCurrentIndex(i);
        }
    }

    QFile liste(bilder.isEmpty() ? QString() : QDir(bilder).filePath(QStringLiteral("rundgang.txt")));
    if (!bilder.isEmpty() && liste.open(QIODevice::WriteOnly | QIODevice::Text)) {
        QTextStream aus(&liste);
        for (const Schritt &s : rundgang.schritte)
            aus << s.wo << " -> "
                << (s.fenster.isEmpty() ? QStringLiteral("(kein Fenster)") : s.fenster.join(", "))
                << (s.meldungen.isEmpty() ? QString()
                                          : QStringLiteral(" | Meldungen: ") + s.meldungen.join(" // "))
                << '\n';
        aus << "\nGesperrt:\n";
        for (const QString &g : gesperrt)
            aus << "  " << g << '\n';
    }
    std::printf("%lld Schritte, %lld gesperrte Befehle, %d abgeschnittene Beschriftungen, %d Fehler\n",
                static_cast<long long>(rundgang.schritte.size()), static_cast<long long>(gesperrt.size()),
                rundgang.abgeschnitten, rundgang.fehler);
    haupt.close();
    return rundgang.fehler == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    // A first start: configuration and data in a directory of their own.
    QTemporaryDir heim;
    qputenv("XDG_CONFIG_HOME", heim.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", heim.filePath(QStringLiteral("daten")).toUtf8());
    qunsetenv("KARVENFP_CONFIG_DIR");
    ui::Application app(argc, argv);
    ui::Application::setApplicationName(QStringLiteral("karvenfp"));
    ui::startGerman();
    const QString bilder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (!bilder.isEmpty())
        QDir().mkpath(bilder);
    return fleet::ProgrammAusfuehren([&bilder] { return fleet::HauptFormular ? Rundgehen(bilder) : 1; });
}
