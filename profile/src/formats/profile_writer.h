#pragma once
// Writers of the three save formats over one recursive framework, their
// headers and footers, and the size estimate used to pre-size streams.
#include "core/item_list.h"
#include "formats/output_buffer.h"

#include <cstdint>
#include <string>

namespace tbpr {

enum class SaveFormat { Text = 0, Xml = 1, Xfdf = 2 };

// Every format number other than 0 and 2 saves as XML.
SaveFormat saveFormatFromNumber(int number);

// depth / 4 tabs and depth % 4 spaces.
std::string makeIndent(int depth);

// The fixed 389-unit header of the UTF-16 XML form (without BOM).
const std::u16string &xmlHeader();

void writeHeader(OutputBuffer &out, SaveFormat format);
void writeFooter(OutputBuffer &out, SaveFormat format);
// The list with its own opening and closing lines (text, or a root with
// another name than "/").
void writeList(OutputBuffer &out, const ItemList &list, int depth, SaveFormat format);
// Only the items, as the XML forms write the root "/".
void writeItems(OutputBuffer &out, const ItemList &list, int depth, SaveFormat format);
// The tree of a job at a start depth, as the save operations write it.
void writeTree(OutputBuffer &out, const ItemList &root, int depth, SaveFormat format);

// Bytes the tree will take (exact for the text form).
uint64_t estimateListSize(const ItemList &root, int depth, SaveFormat format);

// The first item the text form cannot hold without changing its meaning on
// reload (line breaks; names that start a comment, list or level, start with
// a blank or contain "="), or nullptr.
const Item *findUnrepresentableInText(const ItemList &list);
// Whether a list name can be written in the text form.
bool listNameRepresentableInText(const std::string &name);

} // namespace tbpr
