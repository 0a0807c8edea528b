#include "core/code_page.h"

#include <atomic>
#include <cstring>
#include <langinfo.h>
#include <locale.h>
#include <strings.h>

namespace tbpr {
namespace {

constexpr CodePage single(uint16_t number, const char *name)
{
    return CodePage{number, name, 1, {}, 0};
}

const CodePage kPages[] = {
    single(437, "CP437"),
    single(850, "CP850"),
    single(874, "CP874"),
    {932, "CP932", 2, {{0x81, 0x9F}, {0xE0, 0xFC}}, 2},
    {936, "CP936", 2, {{0x81, 0xFE}}, 1},
    {949, "CP949", 2, {{0x81, 0xFE}}, 1},
    {950, "CP950", 2, {{0x81, 0xFE}}, 1},
    single(1250, "CP1250"),
    single(1251, "CP1251"),
    single(1252, "CP1252"),
    single(1253, "CP1253"),
    single(1254, "CP1254"),
    single(1255, "CP1255"),
    single(1256, "CP1256"),
    single(1257, "CP1257"),
    single(1258, "CP1258"),
    {1361, "CP1361", 2, {{0x84, 0xD3}, {0xD8, 0xDE}, {0xE0, 0xF9}}, 3},
    single(20127, "ASCII"),
    single(28591, "ISO-8859-1"),
    single(28592, "ISO-8859-2"),
    single(28593, "ISO-8859-3"),
    single(28594, "ISO-8859-4"),
    single(28595, "ISO-8859-5"),
    single(28596, "ISO-8859-6"),
    single(28597, "ISO-8859-7"),
    single(28598, "ISO-8859-8"),
    single(28599, "ISO-8859-9"),
    single(28600, "ISO-8859-10"),
    single(28601, "ISO-8859-11"),
    single(28603, "ISO-8859-13"),
    single(28604, "ISO-8859-14"),
    single(28605, "ISO-8859-15"),
    {65001, "UTF-8", 4, {}, 0},
};

const CodePage *initialCodePage()
{
    const CodePage *page = findCodePage(localeCodePage());
    return page ? page : findCodePage(65001);
}

std::atomic<const CodePage *> &configured()
{
    static std::atomic<const CodePage *> page{initialCodePage()};
    return page;
}

bool isContinuation(char c)
{
    return (static_cast<uint8_t>(c) & 0xC0) == 0x80;
}

} // namespace

bool CodePage::isLeadByte(uint8_t byte) const
{
    for (uint8_t i = 0; i < leadRangeCount; ++i) {
        if (byte >= leadRanges[i].first && byte <= leadRanges[i].last)
            return true;
    }
    return false;
}

size_t CodePage::charLength(const char *p) const
{
    const auto lead = static_cast<uint8_t>(*p);
    if (lead < 0x80 || maxCharSize == 1)
        return 1;
    if (!isUtf8())
        return (isLeadByte(lead) && p[1] != '\0') ? 2 : 1;
    size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    for (size_t i = 1; i < length; ++i) {
        if (!isContinuation(p[i]))
            return 1;
    }
    return length;
}

const CodePage *findCodePage(uint16_t number)
{
    for (const CodePage &page : kPages) {
        if (page.number == number)
            return &page;
    }
    return nullptr;
}

const CodePage &currentCodePage()
{
    return *configured().load(std::memory_order_acquire);
}

bool setCurrentCodePage(uint16_t number)
{
    const CodePage *page = findCodePage(number);
    if (!page)
        return false;
    configured().store(page, std::memory_order_release);
    return true;
}

uint16_t codePageFromCodeset(const char *codeset)
{
    struct Alias {
        const char *name;
        uint16_t page;
    };
    static const Alias kAliases[] = {
        {"UTF-8", 65001},       {"UTF8", 65001},       {"ISO-8859-1", 28591}, {"ISO8859-1", 28591},
        {"ISO-8859-15", 28605}, {"ISO8859-15", 28605}, {"CP1252", 1252},      {"WINDOWS-1252", 1252},
        {"SHIFT_JIS", 932},     {"SJIS", 932},         {"CP932", 932},        {"GBK", 936},
        {"GB2312", 936},        {"CP936", 936},        {"EUC-KR", 949},       {"UHC", 949},
        {"CP949", 949},         {"BIG5", 950},         {"BIG5-HKSCS", 950},   {"CP950", 950},
        {"ISO-8859-2", 28592},  {"ISO8859-2", 28592},  {"CP1251", 1251},
    };
    if (!codeset)
        return 65001;
    for (const Alias &alias : kAliases) {
        if (strcasecmp(codeset, alias.name) == 0)
            return alias.page;
    }
    return 65001;
}

uint16_t localeCodePage()
{
    locale_t locale = newlocale(LC_ALL_MASK, "", static_cast<locale_t>(nullptr));
    if (!locale)
        return 65001;
    const uint16_t page = codePageFromCodeset(nl_langinfo_l(CODESET, locale));
    freelocale(locale);
    return page;
}

} // namespace tbpr
