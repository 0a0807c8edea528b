#pragma once
// Path operations on the profile tree. A path is a narrow text of segments
// separated by "/" (a "/" inside a multibyte character does not split); the
// caller decides the start list. Segments compare whole and exactly.
#include "core/code_page.h"
#include "core/item_list.h"

#include <functional>
#include <string>
#include <string_view>

namespace tbpr {

inline constexpr int kNotFound = -6;

// The value item at the path, or nullptr.
const Item *findValueItem(const ItemList &list, const char *path, const CodePage &page = currentCodePage());
// The same walk for a path cache: the value item found is marked as remembered.
Item *findValueItemMarked(const ItemList &list, const char *path, const CodePage &page = currentCodePage());
// Copies the value of the item (whole characters, terminated) and returns
// the bytes copied; kNotFound for no item; 0 (nothing copied) for a size below 1.
int copyItemValue(const Item *item, char *buffer, int size, const CodePage &page = currentCodePage());
// copyItemValue of the value item at the path.
int findItemValue(const ItemList &list, const char *path, char *buffer, int size,
                  const CodePage &page = currentCodePage());
std::string getItemValueString(const ItemList &list, const char *path,
                               const CodePage &page = currentCodePage());
int getItemValueLength(const ItemList &list, const char *path, const CodePage &page = currentCodePage());
// The sublist at the path; the list itself for a null path; nullptr when missing.
ItemList *findList(ItemList &list, const char *path, const CodePage &page = currentCodePage());

ItemList &createList(ItemList &list, const char *path, const CodePage &page = currentCodePage());
ItemList &appendList(ItemList &list, const char *path, const CodePage &page = currentCodePage());
// The list that is to hold the last segment (inner lists created as needed);
// name receives the last segment (a view into path).
ItemList &findOrCreateParent(ItemList &list, const char *path, std::string_view &name,
                             const CodePage &page = currentCodePage());
void setValue(ItemList &list, const char *path, std::string value, const CodePage &page = currentCodePage());
void appendValue(ItemList &list, const char *path, std::string value,
                 const CodePage &page = currentCodePage());
void deleteItems(ItemList &list, const char *path, const CodePage &page = currentCodePage());
void deleteLists(ItemList &list, const char *path, const CodePage &page = currentCodePage());
// Removes the list item holding target anywhere below list; true when found.
bool deleteListByHandle(ItemList &list, const ItemList *target);

// Calls visit for each item in order; 0 from visit stops: result 0, else 1.
// Items appended or removed by visit are handled safely.
int enumList(const ItemList &list, const std::function<int(const Item &)> &visit);
// Writes the list as indented lines to the diagnostic channel.
void dumpList(const ItemList &list, int depth);

} // namespace tbpr
