#include "regeln/NumerischePruefung.h"

#include <QRegularExpression>

#include "base/GermanFormat.h"
#include "ui/Messages.h"

namespace fleet {

bool PruefeNumerisch(const QString &text)
{
    if (base::de::parseFloat(text))
        return true;
    ui::messages().error(QStringLiteral("Bitte geben Sie einen numerischen Wert ein"));
    return false;
}

bool KannZahlWerden(const QString &text)
{
    static const QRegularExpression anfang(
        QStringLiteral("^\\s*[+-]?(\\d{1,3}(\\.\\d{0,3})+|\\d*)(,\\d*)?\\s*$"));
    // A complete number in any form the check takes (also "1E3") is fine.
    return anfang.match(text).hasMatch() || base::de::parseFloat(text).has_value();
}

} // namespace fleet
