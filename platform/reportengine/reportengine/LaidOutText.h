#pragma once

#include <QGlyphRun>
#include <QList>

class QFont;
class QPaintDevice;
class QString;

namespace tb {

// The glyphs of a line of text as the painter's device places them, laid out once per distinct
// text, font and device resolution: a report repeats its values page after page, and laying a text
// out costs more than painting its glyphs. Positions are relative to the baseline's start.
const QList<QGlyphRun> &laidOutText(const QString &text, const QFont &font, QPaintDevice *device);

} // namespace tb
