#pragma once
// The machinery every exported function uses: the guard (protection bracket,
// no exception leaves an export), the path rules, and the conversions of
// the wide twins (UTF-16 in, narrow text in the configured code page out).
#include "core/conversion.h"
#include "core/hooks.h"
#include "core/item_list.h"
#include "core/job.h"
#include "tbpr14.h"

#include <new>
#include <optional>
#include <string>
#include <vector>

namespace tbpr::api {

// Opens the protection bracket once per outermost export call, so a wide
// twin that calls its narrow export is bracketed once.
class ExportScope {
public:
    ExportScope();
    ~ExportScope();
    ExportScope(const ExportScope &) = delete;
    ExportScope &operator=(const ExportScope &) = delete;

private:
    std::optional<hooks::ProtectionScope> protection_;
};

// Runs body inside the bracket; bad_alloc gives onBadAlloc, any other
// exception onFailure.
template <typename R, typename Body> R guarded(R onFailure, R onBadAlloc, Body &&body) noexcept
{
    ExportScope scope;
    try {
        return body();
    } catch (const std::bad_alloc &) {
        return onBadAlloc;
    } catch (...) {
        return onFailure;
    }
}

template <typename Body> void guardedVoid(Body &&body) noexcept
{
    ExportScope scope;
    try {
        body();
    } catch (...) {
    }
}

// The job behind a handle, or nullptr for the invalid (null) job.
inline ProfJob *jobFromHandle(ProfJob *handle)
{
    return handle;
}

// Where a path starts: a leading "/" means the root (and is skipped),
// otherwise the list handle, and a null handle means the root.
ItemList &baseList(ProfJob &job, ProfList *list, const char *&path);
inline ItemList &listOrRoot(ProfJob &job, ProfList *list)
{
    return list ? *asList(list) : job.root;
}

// A wide text argument in narrow form; a null text stays null.
class NarrowArg {
public:
    explicit NarrowArg(const char16_t *text);
    const char *get() const { return text_ ? text_->c_str() : nullptr; }
    operator const char *() const { return get(); }

private:
    std::optional<std::string> text_;
};

// Narrow bytes lent for a wide output buffer of n units: room for n - 1 units
// of the widest character of the code page (3 bytes per unit for UTF-8), plus
// the terminator. commit() converts the narrow result back, cut to n - 1
// units without splitting a surrogate pair, and terminates it.
class LentNarrowBuffer {
public:
    // initial: the narrow text the buffer starts with (cut to fit), or nullptr.
    LentNarrowBuffer(char16_t *wideOut, int units, const char *initial = nullptr);
    char *data() { return buffer_.data(); }
    int size() const { return static_cast<int>(buffer_.size()); }
    // Returns the narrow bytes of what was delivered.
    int commit();

private:
    char16_t *wideOut_;
    int units_;
    std::vector<char> buffer_;
};

// Bytes a narrow buffer needs for n UTF-16 units of the configured code page.
int narrowBytesForUnits(int units);

// The wide twin of a string getter: converts the path and default, lends a
// narrow buffer (started with the default only when the caller's buffer is
// the default itself), calls the narrow getter and converts the result back.
// A byte count is reported for what reached the caller's buffer.
template <typename NarrowGetter>
int wideStringGetter(const char16_t *path, char16_t *out, int size, const char16_t *defaultText,
                     NarrowGetter getter)
{
    const NarrowArg narrowPath(path);
    const NarrowArg narrowDefault(defaultText);
    if (!out)
        return getter(narrowPath.get(), nullptr, size, narrowDefault.get());
    const bool outIsDefault = out == defaultText;
    LentNarrowBuffer lent(out, size, outIsDefault ? narrowDefault.get() : nullptr);
    const int result =
        getter(narrowPath.get(), lent.data(), lent.size(), outIsDefault ? lent.data() : narrowDefault.get());
    const int delivered = lent.commit();
    return result > delivered ? delivered : result;
}

} // namespace tbpr::api
