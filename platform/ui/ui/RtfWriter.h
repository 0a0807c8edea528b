#pragma once

#include <QByteArray>

class QTextDocument;

namespace ui {

// The document as rich text (RTF) in Windows 1252 with Unicode escapes:
// a font and a colour table of what the runs use, per paragraph alignment,
// indents and bullet, per run font, size, bold, italic, underline,
// strike-out and colour.
QByteArray writeRtf(const QTextDocument &document);

} // namespace ui
