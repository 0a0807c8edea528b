#include "walk_child.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>

#include "base/DateTime.h"
#include "daten/DataModule1.h"
#include "formulare/HauptFormular.h"
#include "pdf_floor.h"
#include "process_usage.h"
#include "programm_rundgang.h"
#include "reportengine/PagePainter.h"
#include "reportengine/PreviewWindow.h"
#include "ui/Application.h"
#include "ui/Clock.h"
#include "ui/FormBase.h"
#include "ui/Hourglass.h"
#include "ui/PageControl.h"
#include "ui/RadioGroup.h"
#include "ui/Seam.h"
#include "ui/StartUp.h"

namespace fleet {
// The program's own start (fleet/main.cpp).
int ProgrammAusfuehren(const std::function<int()> &mitHauptfenster);
} // namespace fleet

namespace {

long peakKb()
{
    return static_cast<long>(testsupport::peakMegabytes() * 1024);
}

[[noreturn]] void leave()
{
    std::fflush(stdout);
    std::_Exit(0);
}

// Mid-December of the generated data's last year: every evaluation's default
// period (this month, this year) holds data.
class FixedClock : public ui::Clock {
public:
    base::TDateTime now() const override { return base::encodeDate(2024, 12, 16) + 10.0 / 24; }
};

fleet::THauptFormular &haupt()
{
    return *fleet::HauptFormular;
}

// Buttons and choices inside an opened window or page that lead to its
// result; pressed after the window is there, each timed as a step of its own.
struct Folgeschritt {
    const char *ziel; // object name
    int eintrag;      // the item of a radio group, -1 for a button
    const char *text;
};
constexpr Folgeschritt kFolgeschritte[] = {
    {"TBtnMonatsauswertungBerechnen", -1, "Berechnen"},
    {"BtnBerechnen", -1, "Berechnen"},
    {"RadioGrpDispoFahrzeuge", 1, "Alle Fahrzeuge"},
};

QString schnitt(const QString &text)
{
    return QString(text).remove(QLatin1Char('&')).simplified();
}

// Times one step: from its trigger to the first moment the program is idle
// (two polls in a row with nothing run between them) with no hourglass, no
// running progress bar and, where the step opened windows, those painted.
class Schritt : public QObject {
public:
    using Weiter = std::function<void(const QWidgetList &geoeffnet)>;

    static void messen(const QString &text, std::function<void()> ausloesen, Weiter weiter,
                       bool melden = true)
    {
        if (melden) {
            std::printf("beginne\t%s\n", qPrintable(text));
            std::fflush(stdout);
        }
        new Schritt(text, std::move(ausloesen), std::move(weiter), melden);
    }

    double wand = 0, cpu = 0;

private:
    Schritt(QString text, std::function<void()> ausloesen, Weiter weiter, bool melden)
        : text_(std::move(text)), weiter_(std::move(weiter)), melden_(melden)
    {
        vorher_ = rundgang::SichtbareFenster(&haupt());
        connect(&takt_, &QTimer::timeout, this, [this] { pruefen(); });
        takt_.start(2);
        uhr_.start();
        cpu0_ = testsupport::cpuSeconds();
        QTimer::singleShot(0, this, [this, ausloesen = std::move(ausloesen)] {
            ausloesen();
            zurueck_ = true;
        });
    }

    QWidgetList geoeffnet() const
    {
        QWidgetList neu;
        for (QWidget *w : rundgang::SichtbareFenster(&haupt()))
            if (!vorher_.contains(w))
                neu << w;
        return neu;
    }

    static bool laeuft(const QWidget *fenster)
    {
        for (const QProgressBar *p : fenster->findChildren<QProgressBar *>())
            if (p->isVisible() && p->value() > p->minimum() && p->value() < p->maximum())
                return true;
        return false;
    }

    // A dialog of its own (not a form) the step opened waits for the user,
    // whatever hourglass the step holds while it asks.
    static bool wartetAufNutzer(const QWidgetList &neu)
    {
        QWidget *modal = QApplication::activeModalWidget();
        return modal && neu.contains(modal) && !qobject_cast<ui::FormBase *>(modal) && !laeuft(modal);
    }

    bool bereit() const
    {
        const QWidgetList neu = geoeffnet();
        if ((ui::hourglassDepth() > 0 || QApplication::overrideCursor()) && !wartetAufNutzer(neu))
            return false;
        if (!zurueck_ && neu.isEmpty())
            return false;
        if (laeuft(&haupt()))
            return false;
        for (const QWidget *w : neu)
            if (laeuft(w))
                return false;
        return true;
    }

    void pruefen()
    {
        if (fertig_)
            return;
        const qint64 jetzt = uhr_.nsecsElapsed();
        if (!bereit()) {
            ruhig_ = false;
            if (qEnvironmentVariableIsSet("FLEET_WALK_TRACE"))
                std::fprintf(stderr, "busy: hourglass %d, cursor %d, new windows %lld, modal %s\n",
                             ui::hourglassDepth(), QApplication::overrideCursor() != nullptr,
                             static_cast<long long>(geoeffnet().size()),
                             QApplication::activeModalWidget()
                                 ? QApplication::activeModalWidget()->metaObject()->className()
                                 : "-");
            return;
        }
        if (ruhig_ && jetzt - letzte_ < 20'000'000) {
            fertig_ = true;
            takt_.stop();
            abschliessen();
            return;
        }
        // Paints and other posted work belong to the step.
        QCoreApplication::sendPostedEvents();
        wand = uhr_.nsecsElapsed() / 1e9;
        cpu = testsupport::cpuSeconds() - cpu0_;
        ruhig_ = true;
        letzte_ = uhr_.nsecsElapsed();
    }

    void abschliessen()
    {
        const QWidgetList neu = geoeffnet();
        if (melden_) {
            QStringList titel;
            for (const QWidget *w : neu)
                titel << (w->windowTitle().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                     : w->windowTitle());
            std::printf("ergebnis\t%s\t%.6f\t%.6f\t%ld\t%s\n", qPrintable(text_), wand, cpu, peakKb(),
                        qPrintable(titel.join(QStringLiteral(", "))));
            std::fflush(stdout);
        }
        // What follows runs outside this poll (it may open a loop of its own).
        QTimer::singleShot(0, [weiter = weiter_, neu, wand = wand, cpu = cpu] {
            zuletzt() = {wand, cpu};
            weiter(neu);
        });
        deleteLater();
    }

public:
    struct Zeiten {
        double wand = 0, cpu = 0;
    };
    // The times of the step finished last.
    static Zeiten &zuletzt()
    {
        static Zeiten z;
        return z;
    }

private:
    QString text_;
    Weiter weiter_;
    bool melden_;
    QWidgetList vorher_;
    QTimer takt_;
    QElapsedTimer uhr_;
    double cpu0_ = 0;
    bool zurueck_ = false, fertig_ = false, ruhig_ = false;
    qint64 letzte_ = 0;
};

// The engine's PDF of a preview's pages, as its own "save as PDF" writes it,
// and the plain floor of the same pages (read beforehand, not timed).
void vorschauDrucken(const QString &text, tb::PreviewWindow &vorschau)
{
    QTemporaryDir ordner;
    const QString pdfText = text + QStringLiteral(" → PDF");
    std::printf("beginne\t%s\n", qPrintable(pdfText));
    std::fflush(stdout);
    tb::PreviewPages &seiten = vorschau.pages();
    QElapsedTimer uhr;
    uhr.start();
    const double cpu0 = testsupport::cpuSeconds();
    if (const tb::Page *erste = seiten.page(0))
        tb::PagePainter::writePdf(
            ordner.filePath(QStringLiteral("vorschau.pdf")), seiten.count(),
            [&seiten](int i) { return seiten.page(i); },
            tb::PagePainter::documentTitle(erste, seiten.projectFile()),
            tb::PagePainter::documentAuthor(erste));
    const double cpu = testsupport::cpuSeconds() - cpu0, wand = uhr.nsecsElapsed() / 1e9;
    std::printf("ergebnis\t%s\t%.6f\t%.6f\t%ld\t%d Seiten\n", qPrintable(pdfText), wand, cpu, peakKb(),
                seiten.count());
    std::vector<tb::Page> kopie;
    for (int i = 0; i < seiten.count(); ++i)
        if (const tb::Page *seite = seiten.page(i))
            kopie.push_back(*seite);
    const double boden = PdfFloorCpuSeconds(kopie, ordner.filePath(QStringLiteral("boden.pdf")));
    std::printf("boden\t%s\t%.6f\tdieselben %d Seiten, QPdfWriter mit drawText\n", qPrintable(pdfText), boden,
                seiten.count());
    std::fflush(stdout);
}

// Where a print asks for its options, the print goes on: to a PDF file where
// the dialog offers the printers, else (a preview) as it stands.
bool druckoptionenBestaetigen(QWidget *dialog)
{
    static QTemporaryDir ordner;
    if (auto *drucker = dialog->findChild<QComboBox *>(QStringLiteral("Drucker"))) {
        drucker->setCurrentIndex(drucker->findText(QStringLiteral("PDF-Datei")));
        if (auto *datei = dialog->findChild<QLineEdit *>(QStringLiteral("PdfDatei")))
            datei->setText(ordner.filePath(QStringLiteral("ausdruck.pdf")));
    }
    auto *ok = dialog->findChild<QAbstractButton *>(QStringLiteral("OK"));
    if (ok)
        ok->click();
    return ok != nullptr;
}

// The steps that follow one in the windows it opened (or, a page's choices,
// on the page it shows).
void folgen(const QString &text, const QWidgetList &geoeffnet, QWidget *seite)
{
    for (QWidget *ort : geoeffnet)
        if (auto *vorschau = qobject_cast<tb::PreviewWindow *>(ort)) {
            vorschauDrucken(text, *vorschau);
            leave();
        }
    for (QWidget *ort : geoeffnet)
        if (ort->objectName() == QLatin1String("TbPrintOptionsDialog")) {
            const QString folgeText = text + QStringLiteral(" → OK");
            Schritt::messen(
                folgeText, [ort] { druckoptionenBestaetigen(ort); },
                [folgeText](const QWidgetList &neu) { folgen(folgeText, neu, nullptr); });
            return;
        }
    QWidgetList orte = geoeffnet;
    if (seite)
        orte << seite;
    for (const Folgeschritt &f : kFolgeschritte)
        for (QWidget *ort : orte) {
            QWidget *ziel = ort->findChild<QWidget *>(QString::fromLatin1(f.ziel));
            // On a page only its choices follow; its buttons are steps of their own.
            if (!ziel || !ziel->isVisible() || !ziel->isEnabled() || (ort == seite && f.eintrag < 0))
                continue;
            const QString folgeText = text + QStringLiteral(" → ") + QString::fromUtf8(f.text);
            Schritt::messen(
                folgeText,
                [ziel, f] {
                    if (auto *gruppe = qobject_cast<ui::RadioGroup *>(ziel))
                        gruppe->setItemIndex(f.eintrag);
                    else if (auto *knopf = qobject_cast<QAbstractButton *>(ziel))
                        knopf->click();
                },
                [folgeText](const QWidgetList &neu) { folgen(folgeText, neu, nullptr); });
            return;
        }
    leave();
}

// One step of the walk, by its id.
struct Punkt {
    QString id, text;
    bool aendern = false; // taken with editing switched on
    int seite = -1;       // the page it is taken on
    std::function<void()> ausloesen;
};

ui::PageControl *seiten()
{
    return haupt().findChild<ui::PageControl *>();
}

QAbstractButton *aendernKnopf()
{
    return haupt().findChild<QAbstractButton *>(QStringLiteral("nbGlobalEdit"));
}

bool beendet(const QString &pfad)
{
    return pfad.contains(QStringLiteral("Beenden"));
}

QList<QAbstractButton *> seitenKnoepfe(QWidget *seite)
{
    QList<QAbstractButton *> knoepfe;
    for (QAbstractButton *b : seite->findChildren<QAbstractButton *>())
        if (b->isVisible() && b->isEnabled() && !b->inherits("QRadioButton") && !b->inherits("QCheckBox") &&
            !b->objectName().isEmpty())
            knoepfe << b;
    return knoepfe;
}

// Every step as the walk test takes them: the menu commands reading, editing
// switched on, the commands only editing enables, then every page with its
// buttons; and the vehicle move. Listing switches editing on and makes every
// page (a box that comes up is closed).
void auflisten()
{
    QTimer schliesser;
    QObject::connect(&schliesser, &QTimer::timeout, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            rundgang::FensterSchliessen(modal);
    });
    schliesser.start(5);
    const auto punkt = [](const QString &id, const QString &text) {
        std::printf("punkt\t%s\t%s\n", qPrintable(id), qPrintable(text));
    };
    const auto befehle = rundgang::MenueBefehle(*haupt().findChild<QMenuBar *>());
    QList<bool> genommen(befehle.size(), false);
    for (int i = 0; i < befehle.size(); ++i)
        if (!beendet(befehle[i].first) && befehle[i].second->isEnabled()) {
            genommen[i] = true;
            punkt(QStringLiteral("m:l:%1").arg(i), QStringLiteral("[Lesen] ") + befehle[i].first);
        }
    punkt(QStringLiteral("wechsel"), QStringLiteral("Fahrzeugwechsel mit Details (je Wechsel)"));
    if (QAbstractButton *aendern = aendernKnopf()) {
        punkt(QStringLiteral("aendern"), QStringLiteral("Ändern einschalten"));
        aendern->click();
        QApplication::processEvents();
    }
    for (int i = 0; i < befehle.size(); ++i)
        if (!genommen[i] && !beendet(befehle[i].first) && befehle[i].second->isEnabled())
            punkt(QStringLiteral("m:e:%1").arg(i), QStringLiteral("[Ändern] ") + befehle[i].first);
    ui::PageControl *pc = seiten();
    QTabBar *reiter = pc ? pc->tabBar() : nullptr;
    for (int i = 0; reiter && i < reiter->count(); ++i) {
        const QString name = schnitt(reiter->tabText(i));
        punkt(QStringLiteral("s:%1").arg(i), QStringLiteral("Seite ") + name);
        reiter->setCurrentIndex(i);
        QApplication::processEvents();
        for (QAbstractButton *b : seitenKnoepfe(pc->activePage()))
            punkt(QStringLiteral("k:%1:%2").arg(i).arg(b->objectName()),
                  name + QStringLiteral(" / ") + schnitt(b->text()) + QStringLiteral(" (") + b->objectName() +
                      QLatin1Char(')'));
    }
    leave();
}

// The step an id names, with what must be done before it.
bool punktFinden(const QString &id, Punkt &p)
{
    const QStringList teile = id.split(QLatin1Char(':'));
    p.id = id;
    if (teile[0] == QLatin1String("m") && teile.size() == 3) {
        const auto befehle = rundgang::MenueBefehle(*haupt().findChild<QMenuBar *>());
        const int i = teile[2].toInt();
        if (i < 0 || i >= befehle.size())
            return false;
        p.aendern = teile[1] == QLatin1String("e");
        p.text = (p.aendern ? QStringLiteral("[Ändern] ") : QStringLiteral("[Lesen] ")) + befehle[i].first;
        QAction *aktion = befehle[i].second;
        p.ausloesen = [aktion] { aktion->trigger(); };
        return true;
    }
    if (teile[0] == QLatin1String("aendern")) {
        p.text = QStringLiteral("Ändern einschalten");
        p.ausloesen = [] { aendernKnopf()->click(); };
        return aendernKnopf() != nullptr;
    }
    ui::PageControl *pc = seiten();
    if (!pc || (teile[0] != QLatin1String("s") && teile[0] != QLatin1String("k")) || teile.size() < 2)
        return false;
    p.aendern = aendernKnopf() != nullptr;
    const int i = teile[1].toInt();
    if (i < 0 || i >= pc->tabBar()->count())
        return false;
    const QString name = schnitt(pc->tabBar()->tabText(i));
    if (teile[0] == QLatin1String("s")) {
        p.text = QStringLiteral("Seite ") + name;
        p.ausloesen = [pc, i] { pc->tabBar()->setCurrentIndex(i); };
        return true;
    }
    p.seite = i;
    const QString objekt = teile.mid(2).join(QLatin1Char(':'));
    p.text = name + QStringLiteral(" / ") + objekt;
    p.ausloesen = [pc, objekt] {
        if (auto *b = pc->activePage()->findChild<QAbstractButton *>(objekt))
            b->click();
    };
    return true;
}

// The vehicle move: the main table one vehicle on, with every detail the
// main window follows it with, timed to idle; the mean of a series.
void wechseln(int rest, int anzahl, double wand, double cpu)
{
    if (rest == 0) {
        std::printf("ergebnis\tFahrzeugwechsel mit Details (je Wechsel)\t%.6f\t%.6f\t%ld\t%d Wechsel\n",
                    wand / anzahl, cpu / anzahl, peakKb(), anzahl);
        leave();
    }
    Schritt::messen(
        QString(), [] { fleet::DataModule1->TTblMain.Next(); },
        [rest, anzahl, wand, cpu](const QWidgetList &) {
            const Schritt::Zeiten z = Schritt::zuletzt();
            wechseln(rest - 1, anzahl, wand + z.wand, cpu + z.cpu);
        },
        false);
}

void ausfuehren(const QString &id, const QString &text)
{
    if (id == QLatin1String("wechsel")) {
        std::printf("beginne\tFahrzeugwechsel mit Details (je Wechsel)\n");
        std::fflush(stdout);
        wechseln(30, 30, 0, 0);
        return;
    }
    Punkt p;
    if (!punktFinden(id, p)) {
        std::fprintf(stderr, "unknown step %s\n", qPrintable(id));
        std::_Exit(3);
    }
    if (!text.isEmpty())
        p.text = text;
    // Editing and the page are set up first, untimed, each let settle.
    const auto danach = [p] {
        Schritt::messen(p.text, p.ausloesen, [p](const QWidgetList &neu) {
            ui::PageControl *pc = seiten();
            // A page's own choices follow the page, not each of its buttons.
            const bool seite = p.id.startsWith(QLatin1String("s:"));
            folgen(p.text, neu, seite && pc ? pc->activePage() : nullptr);
        });
    };
    const auto seiteWaehlen = [p, danach] {
        if (p.seite < 0)
            return danach();
        Schritt::messen(
            QString(), [p] { seiten()->tabBar()->setCurrentIndex(p.seite); },
            [danach](const QWidgetList &) { danach(); }, false);
    };
    if (p.aendern)
        Schritt::messen(
            QString(), [] { aendernKnopf()->click(); },
            [seiteWaehlen](const QWidgetList &) { seiteWaehlen(); }, false);
    else
        seiteWaehlen();
}

} // namespace

int WalkChildMain(int argc, char **argv, const QString &step, const QString &text)
{
    QElapsedTimer seitStart;
    seitStart.start();
    ui::Application app(argc, argv);
    ui::Application::setApplicationName(QStringLiteral("karvenfp"));
    ui::startGerman();
    FixedClock uhr;
    ui::ScopedSeam<ui::Clock> uhrSeam(uhr);
    rundgang::VorsichtigeMeldungen meldungen;
    ui::ScopedSeam<ui::Messages> meldungenSeam(meldungen);
    return fleet::ProgrammAusfuehren([&] {
        if (!fleet::HauptFormular)
            return 1;
        // The start counts to the main window's first paint with the program idle.
        Schritt::messen(
            QString(), [] { haupt().show(); },
            [&](const QWidgetList &) {
                std::printf("start\t%.6f\t%.6f\t%ld\n", seitStart.nsecsElapsed() / 1e9,
                            testsupport::cpuSeconds(), peakKb());
                std::fflush(stdout);
                if (step == QLatin1String("liste"))
                    auflisten();
                else
                    ausfuehren(step, text);
            },
            false);
        return ui::Application::exec();
    });
}
