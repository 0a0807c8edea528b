#pragma once

#include <QPixmap>

namespace nav {

// The search clock's picture for a phase 0..12: a face whose hand has gone
// round phase twelfths (32 x 32, transparent around the face).
QPixmap clockGlyph(int phase);

} // namespace nav
