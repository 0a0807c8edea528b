#pragma once

class QPrinter;
class QTextDocument;

namespace ui {

// Prints a text document as the screen shows it: its paragraph indents, kept
// in screen pixels (96 dpi), are scaled to the printer's resolution first
// (Qt scales fonts, tab stops and list indents itself, not these).
void printTextDocument(const QTextDocument &document, QPrinter &printer);

} // namespace ui
