#pragma once

#include <map>
#include <memory>
#include <vector>

#include <QList>
#include <QString>
#include <QWidget>

#include "GridMarken.h"
#include "ReportKatalogDienst.h"
#include "dbe/DataSet.h"
#include "kern_umgebung.h"

namespace katalogtest {

// A grid of a stand-in form that marks rows of its data set.
class MarkenGrid : public QWidget, public reporting::GridMarken {
public:
    MarkenGrid(QWidget *form, const char *name, dbe::TDataSet &daten);
    int MarkenAnzahl() const override { return int(marken_.size()); }
    void ZuMarke(int i) override { daten_.GotoBookmark(marken_[i]); }
    dbe::TDataSet &MarkenDaten() override { return daten_; }
    // Marks the rows with these values of the field, in this order.
    void markieren(const QString &feld, const QStringList &werte);

private:
    dbe::TDataSet &daten_;
    QList<dbe::TBookmark> marken_;
};

// A fleet of a few vehicles with rows in every table a report lists, the data module over it, the
// forms the reports read (the client form and stand-ins carrying the controls' object names), and
// the catalogue on a stand-in main window.
class KatalogUmgebung {
public:
    KatalogUmgebung();
    ~KatalogUmgebung();

    dbe::TSession &session() { return umgebung_->session(); }
    reporting::TReportKatalog &katalog() { return *katalog_; }
    QWidget *formular(const QString &name) { return formen_.at(name).get(); }
    MarkenGrid &termineGrid() { return *termineGrid_; }
    MarkenGrid &tourenGrid() { return *tourenGrid_; }
    // A stand-in control's text.
    void setzen(const QString &form, const char *steuer, const QString &text);
    void indexSetzen(const QString &form, const char *steuer, int index);

private:
    void datenAnlegen();
    void formenAnlegen();

    std::unique_ptr<kerntest::Umgebung> umgebung_;
    std::map<QString, std::unique_ptr<QWidget>> formen_;
    MarkenGrid *termineGrid_ = nullptr;
    MarkenGrid *tourenGrid_ = nullptr;
    std::unique_ptr<reporting::TReportKatalog> katalog_;
};

} // namespace katalogtest
