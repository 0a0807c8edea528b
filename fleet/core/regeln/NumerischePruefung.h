#pragma once

#include <QString>

namespace fleet {

// True when the text is a number (decimal comma, or a point when there is no
// comma); otherwise the error box "Bitte geben Sie einen numerischen Wert ein"
// and false.
bool PruefeNumerisch(const QString &text);

// True while the text can still become a number as a German user types it:
// digits with dots between thousands and one decimal comma ("1.", "1.234,",
// "-"); no message. Lets a field refuse a wrong key at once without refusing
// the dot of "1.234,50" before its digits are there.
bool KannZahlWerden(const QString &text);

} // namespace fleet
