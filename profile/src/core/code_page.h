#pragma once
// Narrow code pages: the table of supported pages, their lead bytes and the
// process-wide configured page. A descriptor never changes once built, so the
// configured page is an atomic pointer that every thread may read.
#include <cstddef>
#include <cstdint>

namespace tbpr {

struct CodePage {
    struct Range {
        uint8_t first;
        uint8_t last;
    };

    uint16_t number;
    const char *iconvName;
    uint8_t maxCharSize; // 1 single-byte, 2 double-byte, 4 UTF-8
    Range leadRanges[3];
    uint8_t leadRangeCount;

    bool isUtf8() const { return number == 65001; }
    bool multibyte() const { return maxCharSize > 1; }
    bool isLeadByte(uint8_t byte) const;
    // Bytes of the character at p (p points at a nonzero byte): never runs
    // over the terminator; a broken sequence counts byte by byte.
    size_t charLength(const char *p) const;
};

// The descriptor of a code-page number, or nullptr when it is not supported.
const CodePage *findCodePage(uint16_t number);

// The configured page; until set, the page of the process locale.
const CodePage &currentCodePage();
// Replaces the configured page; false (and nothing changed) for an unusable page.
bool setCurrentCodePage(uint16_t number);

// The code page of a locale codeset name (nl_langinfo(CODESET)); 65001 for
// ASCII/C/POSIX and for anything unknown.
uint16_t codePageFromCodeset(const char *codeset);
// The code page of the process locale (LC_ALL / LC_CTYPE / LANG).
uint16_t localeCodePage();

} // namespace tbpr
