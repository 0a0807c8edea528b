#include "regeln/ProgrammFarben.h"

#include <exception>

#include "dienste/Protokoll.h"

namespace fleet {

const Farbsatz StandardFarben{ui::color::Black,   ui::color::BtnHighlight, ui::color::Silver,
                              ui::color::BtnFace, ui::color::WindowText,   ui::color::Window,
                              ui::color::Aqua};

Farbsatz ProgrammFarben = StandardFarben;

QString FarbFeld(Farbe f)
{
    static const char *const felder[kAnzahlFarben] = {
        "FarbeKopfzeileFeldSchrift", "FarbeKopfzeileFeldHinterg", "FarbeKopfzeilePanel",
        "FarbeStammdatenFormular",   "FarbeStammdatenSchrift",    "FarbeStammdatenFeld",
        "FarbeStammdatenMarkiert"};
    return QString::fromLatin1(felder[static_cast<int>(f)]);
}

void FarbenStandardSetzen()
{
    ProgrammFarben = StandardFarben;
}

bool FarbenSindStandard()
{
    return ProgrammFarben == StandardFarben;
}

void FarbenLaden(const std::function<QVariant(const QString &feld)> &lesen)
{
    static const Farbe reihenfolge[kAnzahlFarben] = {Farbe::KopfzeileFeldSchrift, Farbe::KopfzeileFeldHinterg,
                                                     Farbe::KopfzeilePanel,       Farbe::StammdatenFormular,
                                                     Farbe::StammdatenFeld,       Farbe::StammdatenSchrift,
                                                     Farbe::StammdatenMarkiert};
    try {
        for (Farbe f : reihenfolge) {
            const QVariant wert = lesen(FarbFeld(f));
            // A blank field would read as black; the default keeps fields readable.
            if (!wert.isValid() || wert.isNull()) {
                ProgrammFarbe(f) = StandardFarben[static_cast<int>(f)];
                continue;
            }
            bool ok = false;
            const qlonglong zahl = wert.toLongLong(&ok);
            if (!ok)
                throw std::runtime_error("Farbwert ist keine Zahl");
            // System colours are stored as their negative 32-bit value.
            ProgrammFarbe(f) = static_cast<ui::TColor>(static_cast<quint32>(zahl));
        }
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
    }
}

} // namespace fleet
