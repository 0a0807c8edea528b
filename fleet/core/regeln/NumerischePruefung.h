#pragma once

#include <QString>

namespace fleet {

// True when the text is a number (decimal comma, or a point when there is no
// comma); otherwise the error box "Bitte geben Sie einen numerischen Wert ein"
// and false.
bool PruefeNumerisch(const QString &text);

} // namespace fleet
