#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace nav {

// The image of a navigator button, drawn by name ("FIRST", "SEARCH", ...);
// vertical bars turn the move and scroll images a quarter. The disabled
// appearance comes from the icon itself.
QIcon navGlyph(const QString &name, bool vertical = false);
// The search clock's picture for a phase 0..12: a face whose hand has gone
// round phase twelfths (32 x 32, transparent around the face).
QPixmap clockGlyph(int phase);

} // namespace nav
