#include "api/export_support.h"

#include "core/code_page.h"
#include "core/mb_text.h"

#include <algorithm>
#include <cstring>

namespace tbpr::api {
namespace {

thread_local int t_exportDepth = 0;

} // namespace

ExportScope::ExportScope()
{
    if (t_exportDepth++ == 0)
        protection_.emplace();
}

ExportScope::~ExportScope()
{
    protection_.reset();
    --t_exportDepth;
}

ItemList &baseList(ProfJob &job, ProfList *list, const char *&path)
{
    if (path && path[0] == '/') {
        ++path;
        return job.root;
    }
    return listOrRoot(job, list);
}

NarrowArg::NarrowArg(const char16_t *text)
{
    if (text)
        text_ = narrow(std::u16string_view(text, wideLength(text)));
}

int narrowBytesForUnits(int units)
{
    if (units <= 0)
        return 0;
    const CodePage &page = currentCodePage();
    const int perUnit = page.isUtf8() ? 3 : page.maxCharSize;
    return perUnit * (units - 1) + 1;
}

LentNarrowBuffer::LentNarrowBuffer(char16_t *wideOut, int units, const char *initial)
    : wideOut_(wideOut), units_(units),
      buffer_(static_cast<size_t>(std::max(narrowBytesForUnits(units), 1)), '\0')
{
    if (initial)
        MbStrNCopy(buffer_.size(), initial, buffer_.data());
}

int LentNarrowBuffer::commit()
{
    if (!wideOut_ || units_ <= 0)
        return 0;
    const std::string_view text(buffer_.data(), strnlen(buffer_.data(), buffer_.size()));
    const std::u16string wide = widen(text);
    const size_t count = wideCutLength(wide, static_cast<size_t>(units_ - 1));
    std::memcpy(wideOut_, wide.data(), count * sizeof(char16_t));
    wideOut_[count] = 0;
    if (count == wide.size())
        return static_cast<int>(text.size());
    return static_cast<int>(narrow(std::u16string_view(wide.data(), count)).size());
}

} // namespace tbpr::api
