#pragma once

#include <QIcon>
#include <QString>

namespace nav {

// The image of a navigator button, drawn by name ("FIRST", "SEARCH", ...);
// vertical bars turn the move and scroll images a quarter. The disabled
// appearance comes from the icon itself.
QIcon navGlyph(const QString &name, bool vertical = false);

} // namespace nav
