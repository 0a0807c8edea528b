#pragma once

#include <functional>

#include <QChar>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class QObject;

namespace dbe {
class TDataSource;
}

namespace fleet {

class TFeldBezeichnungen;

// What the stored settings mean for the running program, apart from windows:
// the globals, the switches of pages, controls and menu items of the main
// window, and the display labels of table fields. The settings form applies
// them once at start, each step on its own.
namespace starteinstellungen {

// One field of a settings record; raises the layer's error for a field the
// table does not have.
using Feldleser = std::function<QVariant(const QString &feld)>;

// Stored values as the program reads them: blank logical False, blank number 0.
bool Logisch(const QVariant &wert);
int Zahl(const QVariant &wert);
QString Text(const QVariant &wert);

// The globals, each from its stored text; every compare is exact.
QString Arbeitsplatz(const QString &gespeichert, const QString &bisher);
bool NurLesenAus(const QString &rights);
bool TourenModusAus(const QString &textfeld1);
// Item of the monthly overview's column choice: 0 standard columns, 1 single costs.
int UebersichtSpaltenAus(const QString &textfeld2);
QChar KollisionsPruefungAus(const QString &textfeld14);
QChar KollisionsAktionAus(const QString &textfeld15);

// A change of one component of the main window, by object name. Pages are
// hidden as tabs; a menu item may be named by its caption.
struct Wirkung {
    enum Art {
        Zeigen,
        Verbergen,
        Freigeben,
        Sperren,
        SerieAktivieren,
        // the extender loses insert, delete and duplicate
        NeueZeilenSperren,
    };
    Art art;
    QString komponente;
    bool operator==(const Wirkung &) const = default;
};

// Kilometres from the tours or from the costs' odometer readings.
QList<Wirkung> KilometerModusWirkungen(bool tourenModus);
// The pages and menu items of the workstation's flags, read in their order;
// only a False flag acts.
QList<Wirkung> ArbeitsplatzWirkungen(const Feldleser &arbeitsplatz);
// Free fields 1 to 15 beyond the visible number, and their frame when none shows.
QList<Wirkung> FreifeldWirkungen(int anzahl);
// The leasing box with its fields and the three leasing filters.
QList<Wirkung> LeasingWirkungen(bool sichtbar);

// Pages of the settings form a read-only workstation does not see.
QStringList NurLesenVerborgeneSeiten();

// A display label of a table field ("KfzStamm.db", "Freifeld3").
struct Anzeigename {
    QString tabelle;
    QString feld;
    QString text;
    bool operator==(const Anzeigename &) const = default;
};

// Display labels from the user's names, the main window's appointment labels
// (`beschriftung` gives a label's caption) and the free-field names, which are
// set even when empty.
QList<Anzeigename> FeldAnzeigenamen(const TFeldBezeichnungen &namen, const Feldleser &allgemein,
                                    const std::function<QString(const QString &label)> &beschriftung);
// Captions of the remark fields, only where the user gave one.
QList<Anzeigename> BemerkungsAnzeigenamen(const Feldleser &allgemein);
// Captions of the driver's eight free fields ("Textfeld6" … "Textfeld13"), "FreifeldN" where unnamed.
QStringList FahrerFreifeldNamen(const Feldleser &allgemein);

// Whether a check box over this field of the source (not greyed, ticked at
// one of the ";"-separated texts `angekreuzt`) shows ticked: a logical field
// as it is, another by its text; never while the source is closed or
// disabled, nor for a missing or blank field.
bool KreuzGesetzt(const dbe::TDataSource &quelle, const QString &feld, const QString &angekreuzt);

// Every name among the objects below `oben` with the object findChild finds
// by it (the children of an object before their children), in one pass: for
// many lookups while the objects stay as they are.
QHash<QString, QObject *> ErsteNachNamen(const QObject &oben);

// Title of a lookup table on the settings page "Datenbank".
QString NachschlagTitel(const QString &bezeichnung);

} // namespace starteinstellungen
} // namespace fleet
