/* A stand-in for the maker's sibling libraries: every function appends one
 * line "<library> <function> <arguments>" to the file named by
 * FAKE_SIBLING_LOG, so that tests can check what the profile library called. */
#include "support/sibling_abi.h"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>

#define EXPORT __attribute__((visibility("default")))

static void logLine(const char *format, ...)
{
    const char *path = getenv("FAKE_SIBLING_LOG");
    if (!path || !*path)
        return;
    FILE *file = fopen(path, "a");
    if (!file)
        return;
    fprintf(file, "%s ", FAKE_NAME);
    va_list args;
    va_start(args, format);
    vfprintf(file, format, args);
    va_end(args);
    fputc('\n', file);
    fclose(file);
}

/* UTF-16 to ASCII for the log; other characters become '?'. */
static const char *ascii(const char16_t *text, char *buffer, size_t size)
{
    size_t i = 0;
    if (!text)
        return "(null)";
    for (; text[i] && i + 1 < size; ++i)
        buffer[i] = text[i] < 128 ? (char)text[i] : '?';
    buffer[i] = 0;
    return buffer;
}

EXPORT intptr_t UtilExHandlerJobOpen(void)
{
    logLine("UtilExHandlerJobOpen");
    return 7;
}
EXPORT void UtilExHandlerJobClose(intptr_t job)
{
    logLine("UtilExHandlerJobClose %ld", (long)job);
}
EXPORT void UtilExHandlerStartProtection(intptr_t job)
{
    logLine("UtilExHandlerStartProtection %ld", (long)job);
}
EXPORT void UtilExHandlerEndProtection(intptr_t job)
{
    logLine("UtilExHandlerEndProtection %ld", (long)job);
}

EXPORT int CtlJobOpen(void)
{
    logLine("CtlJobOpen");
    return 1;
}
EXPORT void CtlJobClose(void)
{
    logLine("CtlJobClose");
}
EXPORT intptr_t CtlAbortDlgStartW(intptr_t reserved, const char16_t *title, const char16_t *text,
                                  intptr_t flags)
{
    char a[256], b[256];
    logLine("CtlAbortDlgStartW %ld|%s|%s|%ld", (long)reserved, ascii(title, a, sizeof a),
            ascii(text, b, sizeof b), (long)flags);
    return 42;
}
EXPORT void CtlAbortDlgEnd(intptr_t dialog)
{
    logLine("CtlAbortDlgEnd %ld", (long)dialog);
}
EXPORT void CtlAbortDlgSetTextW(intptr_t dialog, const char16_t *text, int32_t percent)
{
    char a[512];
    logLine("CtlAbortDlgSetTextW %ld|%s|%d", (long)dialog, ascii(text, a, sizeof a), (int)percent);
}
EXPORT int CtlAbortDlgCheckAbort(intptr_t dialog)
{
    (void)dialog;
    return 0;
}
EXPORT void *CtlAbortDlgHWnd(intptr_t dialog)
{
    (void)dialog;
    return NULL;
}
