#pragma once

#include <functional>
#include <optional>

#include <QList>
#include <QMap>
#include <QString>

namespace fleet {

// The user-defined names of cost kinds, fixed costs, vehicle fields,
// appointments and free fields, by the name of their settings field
// ("NameGruppe"), each already cut to the length used and with its default in
// place of an empty text. Appointment names have no default: empty stays empty.
class TFeldBezeichnungen {
public:
    QString operator[](const QString &settingsFeld) const { return namen_.value(settingsFeld.toLower()); }
    void setzen(const QString &settingsFeld, const QString &text)
    {
        namen_.insert(settingsFeld.toLower(), text);
    }

private:
    QMap<QString, QString> namen_;
};

// Read at the main window's creation; used as captions and report variables.
extern TFeldBezeichnungen FeldBezeichnungen;

// Reads the names from the settings record; `wert` gives the stored text of a
// settings field (empty when the field is missing).
TFeldBezeichnungen FeldBezeichnungenLesen(const std::function<QString(const QString &)> &wert);

// The header label of group and location: the name and ":" while it is
// shorter than 20 characters, else its first 18 characters and ".:".
QString KopfzeilenText(const QString &name);

// One caption of the main window: the component's object name and its text;
// no text keeps the designed caption.
struct Beschriftung {
    QString komponente;
    std::optional<QString> text;
};

// Every caption the names give, in the order they are applied.
QList<Beschriftung> Beschriftungen(const TFeldBezeichnungen &namen);

} // namespace fleet
