#pragma once
// Readers of the text, XML and XFDF forms and of INI files, over a line reader.
#include "core/code_page.h"
#include "core/item_list.h"
#include "formats/line_reader.h"

namespace tbpr {

enum class ParseMode { Text, Xml, Xfdf };

// Reads lines into target starting at depth (-1: a file job, which first
// looks for its root marker). Throws LoadException on a structural fault;
// items read before it stay in the tree. The line counter counts every line
// handed out by the reader.
void parseProfileLines(ParseMode mode, int depth, ItemList &target, LineReader &reader, int &lineCounter,
                       const CodePage &page = currentCodePage());

// INI: keys before the second section land in the root, every later
// section becomes a list under the root; blanks around "=" are trimmed.
void readIniFile(ItemList &root, LineReader &reader, const CodePage &page = currentCodePage());

} // namespace tbpr
