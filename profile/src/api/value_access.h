#pragma once
// Storing and reading the text of one value for the string and typed exports.
#include "core/job.h"

#include <optional>
#include <string>

namespace tbpr::api {

enum class Store { Set, Append };

// Set: the first value of that name gets the text, else one is appended;
// Append: always a new value. Missing inner lists are created. Nothing for
// the invalid job.
void storeValue(ProfJob *job, ProfList *list, const char *path, std::string text, Store how);

// The value text at the path (owned by the tree); nullptr when missing or empty.
const std::string *nonEmptyValue(ProfJob &job, ProfList *list, const char *path);

// The typed getter rule: invalid job or missing/empty value: the default is
// stored and -6 returned; a text the parser refuses: -9 and out untouched;
// else the parsed value is stored and 0 returned.
template <typename T, typename Parse>
int getTyped(ProfJob *job, ProfList *list, const char *path, T *out, const T &defaultValue, Parse parse)
{
    const std::string *text = nullptr;
    if (job)
        text = nonEmptyValue(*job, list, path);
    if (!text) {
        if (out)
            *out = defaultValue;
        return -6;
    }
    const std::optional<T> value = parse(text->c_str());
    if (!value)
        return -9;
    if (out)
        *out = *value;
    return 0;
}

} // namespace tbpr::api
