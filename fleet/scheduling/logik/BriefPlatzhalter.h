#pragma once

#include <optional>

#include <QString>

// The replacement scan of the letter editor's "Ersetzen": every placeholder
// "<Fahrer/Feld>" or "<Fahrzeug/Feld>" of the letter replaced by the value of
// the current driver or vehicle.
namespace fleet::brief {

// The little of a text document the scan needs.
class BriefText {
public:
    virtual ~BriefText() = default;
    virtual int Laenge() const = 0;
    // Position of the first `zeichen` at or behind `ab`; -1 when there is none.
    virtual int Suchen(QChar zeichen, int ab) const = 0;
    virtual void Markieren(int start, int laenge) = 0;
    virtual QString Markierung() const = 0;
    virtual void MarkierungErsetzen(const QString &text) = 0;
};

// A field's value as text; nothing when the table has no such field.
class Feldwerte {
public:
    virtual ~Feldwerte() = default;
    virtual std::optional<QString> Fahrer(const QString &feld) const = 0;
    virtual std::optional<QString> Fahrzeug(const QString &feld) const = 0;
};

struct ErsetzenErgebnis {
    enum class Ende {
        LeererText,    // nothing to do, no message
        Fertig,        // the count message
        OhneAbschluss, // a "<" without ">": the error, no count
        FehlerAmEnde   // the letter ends with a faulty placeholder: no message
    };
    Ende ende = Ende::LeererText;
    int ersetzt = 0;
    int fehlerhaft = 0;
};

ErsetzenErgebnis PlatzhalterErsetzen(BriefText &text, const Feldwerte &werte);

// The messages of the scan.
QString Zaehlmeldung(const ErsetzenErgebnis &ergebnis);
inline const QString kOhneAbschlussMeldung =
    QStringLiteral("Fehlerhafte Variable ohne abschließendes \">\" - Verarbeitung wird abgebrochen");

} // namespace fleet::brief
