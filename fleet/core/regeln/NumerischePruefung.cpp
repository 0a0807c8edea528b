#include "regeln/NumerischePruefung.h"

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

} // namespace fleet
