#pragma once
/* The C functions the library calls in its maker's optional sibling libraries
 * (libtbutNN.so, libtbctNN.so). Each may be missing. Plain C, so that a
 * sibling can include it. */
#include <stdint.h>
#ifndef __cplusplus
#include <uchar.h>
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Utility library: the crash-handler job and its protection bracket. */
typedef intptr_t (*UtilExHandlerJobOpenFn)(void);
typedef void (*UtilExHandlerJobCloseFn)(intptr_t job);
typedef void (*UtilExHandlerStartProtectionFn)(intptr_t job);
typedef void (*UtilExHandlerEndProtectionFn)(intptr_t job);

/* Control library: its job and the progress/abort dialog (UTF-16 texts). */
typedef int (*CtlJobOpenFn)(void);
typedef void (*CtlJobCloseFn)(void);
typedef intptr_t (*CtlAbortDlgStartWFn)(intptr_t reserved, const char16_t *title, const char16_t *text,
                                        intptr_t flags);
typedef void (*CtlAbortDlgEndFn)(intptr_t dialog);
typedef void (*CtlAbortDlgSetTextWFn)(intptr_t dialog, const char16_t *text, int32_t percent);
typedef int (*CtlAbortDlgCheckAbortFn)(intptr_t dialog);
typedef void *(*CtlAbortDlgHWndFn)(intptr_t dialog);

#ifdef __cplusplus
}
#endif
