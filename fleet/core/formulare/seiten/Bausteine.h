#pragma once

#include <QString>
#include <QStringList>

class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace dbe {
class TDataSource;
}

namespace ui {
class ComboBox;
class DBEdit;
class DBGrid;
class DBLookupComboBox;
class RadioGroup;
} // namespace ui

// The small builders the pages of the main window lay out their controls with,
// and the grid column order each page loads once per run.
namespace fleet::seiten {

QLabel *label(QWidget *parent, const QString &name, const QString &text);
ui::DBEdit *edit(QWidget *parent, const QString &name, dbe::TDataSource &quelle, const QString &feld);
ui::DBLookupComboBox *nachschlag(QWidget *parent, const char *name, dbe::TDataSource &quelle,
                                 const char *feld, dbe::TDataSource &liste, const char *listenFeld);
ui::ComboBox *liste(QWidget *parent, const char *name, const QStringList &eintraege);
ui::DBGrid *raster(QWidget *parent, const char *name, dbe::TDataSource &quelle);
ui::RadioGroup *auswahl(QWidget *parent, const char *name, const QString &titel, const QStringList &eintraege,
                        int spalten);
QVBoxLayout *seitenLayout(QWidget *seite);
QPushButton *knopf(QWidget *parent, const char *name, const QString &text);

// The years 1990 to 2030 and the German month names, as the period boxes list them.
QStringList jahre();
QStringList monate();

// A titled box whose rows are label, field and (optionally) a unit label.
class Formularblock {
public:
    Formularblock(QWidget *parent, const QString &titel);
    QGroupBox *box() const { return box_; }
    void zeile(QLabel *l, QWidget *feld, QLabel *einheit = nullptr);
    void ende();

private:
    QGroupBox *box_;
    QGridLayout *raster_;
    int zeile_ = 0;
};

// A year box on today's year (none when the year is not listed), a month box on today's month.
void JahrAufHeute(ui::ComboBox *jahr);
void MonatAufHeute(ui::ComboBox *monat);

// Loads the stored column order of a grid (by TabKz) the first time in this run.
void SpaltenordnungEinmalLaden(const QString &tabKz);
// Stores the column order of a grid (by TabKz).
void SpaltenordnungSpeichern(const QString &tabKz);

} // namespace fleet::seiten
