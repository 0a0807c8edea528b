#include "formulare/GrafikFormular.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageLayout>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "daten/DataModule1.h"
#include "daten/Hilfstabellen.h"
#include "dbe/Field.h"
#include "dienste/DetailFensterZugriff.h"
#include "dienste/Formularzugriff.h"
#include "dienste/HauptFormularZugriff.h"
#include "logik/DispoGrafikDaten.h"
#include "logik/DispoZeitraumRegeln.h"
#include "regeln/FahrzeugFilter.h"
#include "ui/Clock.h"
#include "ui/Connect.h"
#include "ui/DatePicker.h"
#include "ui/GanttChart.h"
#include "ui/Hourglass.h"
#include "ui/Messages.h"
#include "ui/Printer.h"

namespace fleet {

namespace {

const QString kZuViele = QStringLiteral("Fehler bei der Initialisierung der Grafik - zu viele "
                                        "Fahrzeug-Dispositionen.\rBitte schliessen Sie diese Grafik "
                                        "wieder, da nicht alle Dispositionen dargestellt werden konnten.");

base::TDateTime pickerWert(const char *name)
{
    if (auto *p = qobject_cast<ui::DatePicker *>(
            KomponenteFinden(QStringLiteral("HauptFormular"), QString::fromLatin1(name))))
        return p->value();
    return ui::today();
}

} // namespace

TGrafikFormular::TGrafikFormular(QWidget *parent) : ui::FormBase(QStringLiteral("GrafikFormular"), parent)
{
    setWindowFlags(Qt::Window);
    resize(1000, 680);
    DispoChart = ui::make<ui::GanttChart>(this, "DispoChart");
    DispoChart->setTitle(QStringLiteral("Fahrzeug-Disposition (alle Fahrzeuge)"));
    DispoChart->setAxisTitles(QStringLiteral("Datum"), QStringLiteral("Uhrzeit"),
                              QStringLiteral("Kennzeichen"));
    PanStatus = ui::make<QLabel>(this, "PanStatus");
    PanMessages = ui::make<QLabel>(this, "PanMessages");
    PanMessages->setToolTip(QStringLiteral("Informationszeile für Zeitbalken"));
    for (QLabel *l : {PanStatus, PanMessages}) {
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumHeight(l->fontMetrics().height() + 8);
    }
    PanMessages->installEventFilter(this);
    ProgBarGrafik = ui::make<QProgressBar>(this, "ProgBarGrafik");
    ProgBarGrafik->hide();
    BitBtnDispoGrafikDrucken =
        ui::make<QPushButton>(this, "BitBtnDispoGrafikDrucken", QStringLiteral("D&rucken"));
    BitBtnDispoGrafikDrucken->setToolTip(QStringLiteral("Druckt die Dispositionsgrafik"));
    SpeedBtnHilfe = ui::make<QPushButton>(this, "SpeedBtnHilfe", QStringLiteral("?"));
    SpeedBtnHilfe->setToolTip(QStringLiteral("Hilfe"));
    BitBtnSchliessen = ui::make<QPushButton>(this, "BitBtnSchliessen", QStringLiteral("&Schließen"));
    TimerGrafik = ui::make<QTimer>(this, "TimerGrafik");
    TimerGrafik->setInterval(200);

    auto *unten = new QHBoxLayout;
    unten->addWidget(PanStatus);
    unten->addWidget(PanMessages, 1);
    auto *knoepfe = new QHBoxLayout;
    knoepfe->addWidget(SpeedBtnHilfe);
    knoepfe->addStretch();
    knoepfe->addWidget(BitBtnDispoGrafikDrucken);
    knoepfe->addWidget(BitBtnSchliessen);
    auto *haupt = new QVBoxLayout(this);
    haupt->addWidget(DispoChart, 1);
    haupt->addWidget(ProgBarGrafik);
    haupt->addLayout(unten);
    haupt->addLayout(knoepfe);

    ui::on(this, &ui::FormBase::formActivate, this, &TGrafikFormular::FormActivate);
    ui::on(this, &ui::FormBase::formClose, this, &TGrafikFormular::FormClose);
    ui::on(DispoChart, &ui::GanttChart::zoomed, this, &TGrafikFormular::DispoChartZoom);
    ui::on(DispoChart, &ui::GanttChart::zoomUndone, this, &TGrafikFormular::DispoChartUndoZoom);
    ui::on(DispoChart, &ui::GanttChart::barClicked, this, &TGrafikFormular::Series1Click);
    ui::on(TimerGrafik, &QTimer::timeout, this, &TGrafikFormular::TimerGrafikTimer);
    ui::on(SpeedBtnHilfe, &QPushButton::clicked, this, &TGrafikFormular::SpeedBtnHilfeClick);
    ui::on(BitBtnDispoGrafikDrucken, &QPushButton::clicked, this,
           &TGrafikFormular::BitBtnDispoGrafikDruckenClick);
    connect(BitBtnSchliessen, &QPushButton::clicked, this, &QWidget::close);
}

bool TGrafikFormular::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == PanMessages && event->type() == QEvent::MouseButtonDblClick)
        ui::guard(this, [this] { PanMessagesDblClick(); });
    return ui::FormBase::eventFilter(watched, event);
}

void TGrafikFormular::titelZeile(const QString &erste)
{
    DispoChart->setTitle(erste);
}

void TGrafikFormular::DispoChartZoom()
{
    titelZeile(QStringLiteral("Fahrzeug Disposition (Zoom an)"));
}

void TGrafikFormular::DispoChartUndoZoom()
{
    titelZeile(QStringLiteral("Fahrzeug Disposition (Zoom aus)"));
}

void TGrafikFormular::FormActivate()
{
    DispoChart->clear();
    ProgBarGrafik->hide();
    repaint();
    ui::pushHourglass();
    struct Ende {
        ~Ende() { ui::popHourglass(); }
    } ende;
    DispoGrafikAufbauen();
}

void TGrafikFormular::FormClose(ui::CloseAction &)
{
    GrafikFahrzeugListe.clear();
    TimerGrafik->stop();
    if (DetailFensterZugriff *fenster = Detailfenster())
        fenster->DispoKnoepfeFreigeben(true);
    if (QObject *gruppe =
            KomponenteFinden(QStringLiteral("HauptFormular"), QStringLiteral("RadioGrpDispoFahrzeuge")))
        gruppe->setProperty("enabled", true);
}

bool TGrafikFormular::DispoGrafikAufbauen()
{
    DispoChart->undoZoom();
    bool ergebnis = false;
    dbe::TTable &kopie = DataModule1->TTblVar1;
    dbe::TTable &dispo = DataModule1->TTblDispo;
    const auto aufraeumen = [this] {
        ProgBarGrafik->hide();
        HilfstabellenZuruecksetzen();
    };
    if (kopie.Active()) {
        ui::messages().error(
            QStringLiteral("Die Zugriffsmöglichkeiten auf die Datenbank sind zur Zeit erschöpft - "
                           "Grafik kann nicht angezeigt werden"));
    } else {
        try {
            kopie.SetDatabaseName(dispo.DatabaseName());
            kopie.SetTableName(dispo.TableName());
            setWindowTitle(QString());
            DetailFensterZugriff *fenster = Detailfenster();
            const int auswahl = fenster ? fenster->DispoFahrzeugAuswahl() : 1;
            const bool filterAn = Hauptfenster() && Hauptfenster()->FahrzeugFilterAktiv();
            if (auswahl == 0) {
                DispoChart->setRowsAutomatic(true);
                kopie.SetMasterSource(dispo.MasterSource());
                kopie.SetMasterFields(dispo.MasterFields());
            } else if (auswahl == 1 || filterAn) {
                DispoChart->setRowsAutomatic(false);
                DispoChart->setVisibleRows(15);
                if (auswahl == 2) {
                    kopie.OnFilterRecord = [](dbe::TDataSet &d, bool &accept) {
                        FahrzeugFilterRecord(d, accept);
                    };
                    kopie.SetFiltered(true);
                }
            }
            const QString aktuelles = dispo.Active() && !dispo.IsEmpty()
                                          ? dispo.FieldByName(QStringLiteral("Kfznr"))->AsString()
                                          : QString();
            if (const auto titel =
                    dispo::GrafikTitel(auswahl, filterAn, aktuelles, dispo.Filtered(), dispo.Filter()))
                setWindowTitle(*titel);
            if (dispo.Filtered() && !dispo.Filter().isEmpty()) {
                kopie.SetFilter(dispo.Filter());
                kopie.SetFiltered(true);
            }
            kopie.Open();
            GrafikFahrzeugListe.clear();
            ProgBarGrafik->setRange(0, qMax(1, kopie.RecordCount()));
            ProgBarGrafik->setValue(0);
            ProgBarGrafik->show();
            const dispo::GrafikFuellung f =
                dispo::GrafikFuellen(kopie, [this] { ProgBarGrafik->setValue(ProgBarGrafik->value() + 1); });
            GrafikFahrzeugListe = f.fahrzeuge;
            DispoChart->setRowLabels(f.fahrzeuge);
            for (const dispo::GrafikBalken &b : f.balken)
                DispoChart->addBar(
                    {b.von, b.bis, b.zeile, QColor::fromHsv((b.zeile * 47) % 360, 160, 230), b.kfzNr});
            if (f.zuViele) {
                aufraeumen();
                ui::messages().error(kZuViele);
                return false;
            }
            ProgBarGrafik->hide();
            ergebnis = true;
            PanStatus->setText(dispo::GrafikStatus(f.zeilen(), int(f.balken.size())));
        } catch (const std::exception &e) {
            aufraeumen();
            ui::messages().error(QStringLiteral("Fehler bei der Initialisierung der Grafik\r") +
                                 QString::fromUtf8(e.what()));
        }
    }
    DispoGrafikAchsenSetzen();
    HilfstabellenZuruecksetzen();
    PanMessages->clear();
    return ergebnis;
}

bool TGrafikFormular::DispoGrafikAchsenSetzen()
{
    dispo::AchsenVorgaben v;
    DetailFensterZugriff *fenster = Detailfenster();
    v.sicht = fenster ? fenster->DispoSicht() : 0;
    v.ersterTag = pickerWert("DateTimePckDisposition");
    v.letzterTag = pickerWert("DateTimePckDispositionBis");
    if (fenster) {
        v.monat = fenster->AuswahlText(QStringLiteral("CmbBoxDispositionMonat"));
        v.jahr = fenster->AuswahlText(QStringLiteral("CmbBoxDispositionJahr"));
    }
    v.heute = ui::today();
    for (const ui::GanttChart::Bar &b : DispoChart->bars())
        v.spaetestesEnde = std::max(v.spaetestesEnde, b.end);
    bool fehler = false;
    if (const auto achse = dispo::GrafikZeitachse(v, fehler))
        DispoChart->setTimeRange(achse->von, achse->bis);
    else
        DispoChart->setTimeAutomatic();
    return !fehler;
}

void TGrafikFormular::Series1Click(int balken, Qt::MouseButton knopf)
{
    // Other buttons belong to the chart (the right one pans it).
    if (knopf != Qt::LeftButton || balken < 0 || balken >= DispoChart->bars().size())
        return;
    const ui::GanttChart::Bar &b = DispoChart->bars()[balken];
    const QString kfzNr = GrafikFahrzeugListe.value(b.row, b.label);
    QString fahrer;
    try {
        dbe::TTable &dispo = DataModule1->TTblDispo;
        const QVariantList schluessel{kfzNr, std::floor(b.start), std::floor(b.end),
                                      dispo::Tageszeit(b.start), dispo::Tageszeit(b.end)};
        if (dispo.Locate(QStringLiteral("Kfznr;DatumVon;DatumBis;UhrzeitVon;UhrzeitBis"), schluessel))
            fahrer = dispo.FieldByName(QStringLiteral("FahrerNameDummy"))->AsString();
    } catch (const std::exception &) {
        fahrer.clear();
    }
    GrafikInfoZeile = dispo::GrafikInfoZeile(kfzNr, b.start, b.end, fahrer);
    PanMessages->setText(GrafikInfoZeile);
}

void TGrafikFormular::PanMessagesDblClick()
{
    if (!TimerGrafik->isActive()) {
        TimerGrafik->start();
        return;
    }
    TimerGrafik->stop();
    PanMessages->setText(GrafikInfoZeile);
}

void TGrafikFormular::TimerGrafikTimer()
{
    const QString text = PanMessages->text();
    const QString neu = dispo::TickerSchritt(text);
    if (neu == text)
        return;
    PanMessages->setText(neu);
    QApplication::processEvents();
}

void TGrafikFormular::SpeedBtnHilfeClick()
{
    ui::messages().information(QStringLiteral(
        "Grafik scrollen:  den Mauscursor über die Grafik halten, die rechte !! Maustaste gedrückt halten, "
        "die Maus "
        "bewegen..\r\rBereich zoomen:  in den gewünschten Grafik-Bereich oben links klicken, Mausrechteck "
        "nach unten "
        "rechts um den gewünschten Zoombereich ziehen..\r\rZeitbalken Info:  mit der linken Maustaste in den "
        "Zeitbalken klicken (evtl. vorher Bereich zoomen - s.o.)..\r\rInfozeile scrollen/fester Text:  "
        "Doppelklick "
        "in die Informationszeile unten..\r\rGrafik Reset nach scrollen/zoomen:  beliebig in die Grafik "
        "klicken, "
        "Mausrechteck beliebig nach unten links aufziehen.."));
}

void TGrafikFormular::BitBtnDispoGrafikDruckenClick()
{
    ui::printer().print(
        QStringLiteral("Dispositionsgrafik"),
        [this](QPrinter &drucker) {
            const QPageLayout::Orientation vorher = drucker.pageLayout().orientation();
            drucker.setPageOrientation(QPageLayout::Landscape);
            DispoChart->print(drucker);
            drucker.setPageOrientation(vorher);
        },
        true);
    DispoChart->update();
}

} // namespace fleet
