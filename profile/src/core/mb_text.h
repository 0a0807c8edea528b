#pragma once
// String routines that never cut a multibyte character of the code page in
// use (double-byte pages and UTF-8 alike).
#include "core/code_page.h"

#include <cstdarg>
#include <cstddef>

namespace tbpr {

inline constexpr size_t kMbCatBufferSize = 4096;

// First occurrence of ch at a character start, or nullptr.
const char *MbStrChr(const char *text, char ch, const CodePage &page = currentCodePage());
// Case-insensitive (ASCII) comparison: -1, 0 or 1.
int MbStrICmp(const char *a, const char *b);
// Appends source to a buffer of kMbCatBufferSize bytes, whole characters only.
char *MbStrNCat(const char *source, char *buffer, const CodePage &page = currentCodePage());
// Copies at most size - 1 bytes of whole characters and terminates (size 0: nothing).
char *MbStrNCopy(size_t size, const char *source, char *buffer, const CodePage &page = currentCodePage());
// Bytes of source that MbStrNCopy would copy into a buffer of the given size.
size_t MbCopyLength(const char *source, size_t length, size_t size, const CodePage &page = currentCodePage());
int MbStrNCmp(const char *a, const char *b, size_t n, const CodePage &page = currentCodePage());
int MbStrNICmp(size_t n, const char *a, const char *b, const CodePage &page = currentCodePage());
const char *MbCharNext(const char *position, const CodePage &page = currentCodePage());
const char *MbCharPrev(const char *position, const char *start, const CodePage &page = currentCodePage());
// Formats into a buffer of the given size; the text is cut (whole characters) and terminated.
void FormatBounded(size_t size, char *buffer, const char *fmt, ...) __attribute__((format(printf, 3, 4)));

} // namespace tbpr
