#pragma once

#include <QByteArrayView>

class QTextDocument;

namespace ui {

// Reads rich-text (RTF) bytes into the document, replacing its contents:
// paragraphs with alignment, indents and bullets, runs with font, size, bold,
// italic, underline, strike-out and colour. What it does not understand it
// skips, never the text around it; any bytes are safe to read, and a cut or
// unbalanced file gives the text read up to there.
void readRtf(QByteArrayView bytes, QTextDocument &document);

// Default tab stops of a letter, every 36 pt.
void setLetterTabStops(QTextDocument &document);

} // namespace ui
