/* libtbpr14: hierarchical text-valued profiles with a flat C interface.
 *
 * Narrow texts ("A" functions) are in the configured code page (option 1,
 * by default the code page of the process locale; UTF-8 is 65001). Wide
 * texts ("W" functions) are UTF-16 (char16_t); their buffer sizes count
 * UTF-16 units. Every function is safe to call with a null job handle.
 */
#ifndef TBPR14_H
#define TBPR14_H

#include <stdint.h>
#ifdef __cplusplus
#include <cstdint>
#else
#include <uchar.h>
#endif

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define TBPR14_API __attribute__((visibility("default")))
#else
#define TBPR14_API
#endif

/* Results */
enum {
    PROF_OK = 0,
    PROF_ERR_LOCKED = -1,   /* file in use (retried for 10 s) or clipboard unavailable */
    PROF_ERR_CREATE = -3,   /* target cannot be created or opened */
    PROF_ERR_WRITE = -4,    /* write or lock failure */
    PROF_ERR_INVALID = -5,  /* invalid (null) job */
    PROF_ERR_NOTFOUND = -6, /* not found or empty; getters return the default */
    PROF_ERR_PARSE = -7,    /* parse error while loading */
    PROF_ERR_MEMORY = -8,   /* allocation or copy failure */
    PROF_ERR_VALUE = -9,    /* value text does not have the requested form; also: unrepresentable item */
    PROF_ERR_OPEN = -10     /* file could not be opened or loaded */
};

/* Save formats: 0 text, 2 XFDF, every other number UTF-16 XML. */
enum { PROF_FORMAT_TEXT = 0, PROF_FORMAT_XML = 1, PROF_FORMAT_XFDF = 2 };

/* Options of ProfSetOption / ProfGetOption. */
enum { PROF_OPTION_CODEPAGE = 1 };

typedef struct ProfJob ProfJob;   /* a job: one profile tree and its source */
typedef struct ProfList ProfList; /* a list inside a job's tree; null means the root */

typedef struct ProfPoint {
    int32_t x;
    int32_t y;
} ProfPoint;

typedef struct ProfRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
} ProfRect;

typedef uint32_t ProfColorref; /* 0x00bbggrr */

/* A caller's stream. Embed ProfStream as the first member of your own object.
 * Functions return PROF_STREAM_OK or an error; PROF_STREAM_E_INVALIDFUNCTION
 * from the lock functions means "locking not supported" and counts as success.
 * A null function pointer counts as PROF_STREAM_E_INVALIDFUNCTION. */
enum { PROF_STREAM_OK = 0, PROF_STREAM_E_FAIL = 1, PROF_STREAM_E_INVALIDFUNCTION = 2 };
enum { PROF_SEEK_SET = 0, PROF_SEEK_CUR = 1, PROF_SEEK_END = 2 };
enum { PROF_LOCK_EXCLUSIVE = 2 };

typedef struct ProfStream ProfStream;
typedef struct ProfStreamVtbl {
    int (*read)(ProfStream *self, void *buffer, uint32_t size, uint32_t *done);
    int (*write)(ProfStream *self, const void *buffer, uint32_t size, uint32_t *done);
    int (*seek)(ProfStream *self, int64_t offset, int origin, uint64_t *position);
    int (*setSize)(ProfStream *self, uint64_t size);
    int (*lockRegion)(ProfStream *self, uint64_t offset, uint64_t length, int lockType);
    int (*unlockRegion)(ProfStream *self, uint64_t offset, uint64_t length, int lockType);
    int (*stat)(ProfStream *self, uint64_t *size);
    uint32_t (*addRef)(ProfStream *self);
    uint32_t (*release)(ProfStream *self);
} ProfStreamVtbl;
struct ProfStream {
    const ProfStreamVtbl *vtbl;
};

/* Enumeration: return 0 to stop. A list item comes with an empty value and
 * its sublist, a value item with a null sublist. */
typedef int (*ProfEnumCallbackA)(ProfJob *job, const char *name, const char *value, ProfList *sublist,
                                 void *userData);
typedef int (*ProfEnumCallbackW)(ProfJob *job, const char16_t *name, const char16_t *value, ProfList *sublist,
                                 void *userData);

/* Jobs */
TBPR14_API ProfJob *ProfJobOpenA(const char *path);
TBPR14_API ProfJob *ProfJobOpenW(const char16_t *path);
TBPR14_API ProfJob *ProfJobOpenExclusiveA(const char *path);
TBPR14_API ProfJob *ProfJobOpenExclusiveW(const char16_t *path);
TBPR14_API ProfJob *ProfJobOpenStreamObjectA(ProfStream *stream, const char *rootName, int depth);
TBPR14_API ProfJob *ProfJobOpenStreamObjectW(ProfStream *stream, const char16_t *rootName, int depth);
TBPR14_API ProfJob *ProfJobOpenStream(ProfStream *stream);
TBPR14_API ProfJob *ProfJobOpenClipboard(void *owner);
TBPR14_API void ProfJobAddRef(ProfJob *job);
TBPR14_API void ProfJobClose(ProfJob *job);
TBPR14_API int ProfGetError(ProfJob *job);

/* Saving and the clipboard */
TBPR14_API int ProfSaveA(ProfJob *job, const char *path, int format);
TBPR14_API int ProfSaveW(ProfJob *job, const char16_t *path, int format);
TBPR14_API int ProfSaveToStream(ProfJob *job, ProfStream *stream, int format);
TBPR14_API int ProfSaveToClipboard(ProfJob *job, void *owner, int format);
TBPR14_API int ProfIsClipboardDataAvailable(void);

/* Options, version, debug */
TBPR14_API int ProfSetOption(int option, int value);
TBPR14_API int ProfGetOption(int option);
TBPR14_API int ProfGetVersion(int selector);
TBPR14_API void ProfSetDebug(int value);
TBPR14_API int ProfDebugList(ProfJob *job, ProfList *list);

/* Lists */
TBPR14_API ProfList *ProfGetListA(ProfJob *job, ProfList *list, const char *path);
TBPR14_API ProfList *ProfGetListW(ProfJob *job, ProfList *list, const char16_t *path);
TBPR14_API ProfList *ProfCreateListA(ProfJob *job, ProfList *list, const char *path);
TBPR14_API ProfList *ProfCreateListW(ProfJob *job, ProfList *list, const char16_t *path);
TBPR14_API ProfList *ProfAppendListA(ProfJob *job, ProfList *list, const char *path);
TBPR14_API ProfList *ProfAppendListW(ProfJob *job, ProfList *list, const char16_t *path);
TBPR14_API int ProfEmptyList(ProfJob *job, ProfList *list);
TBPR14_API void ProfDeleteListA(ProfJob *job, ProfList *list, const char *path);
TBPR14_API void ProfDeleteListW(ProfJob *job, ProfList *list, const char16_t *path);
TBPR14_API void ProfDeleteItemA(ProfJob *job, ProfList *list, const char *path);
TBPR14_API void ProfDeleteItemW(ProfJob *job, ProfList *list, const char16_t *path);
TBPR14_API int ProfEnumA(ProfJob *job, ProfList *list, ProfEnumCallbackA callback, void *userData);
TBPR14_API int ProfEnumW(ProfJob *job, ProfList *list, ProfEnumCallbackW callback, void *userData);
TBPR14_API int ProfCopyList(ProfJob *targetJob, ProfList *targetList, ProfJob *sourceJob,
                            ProfList *sourceList);

/* Strings. Sizes of W buffers count UTF-16 units; lengths are narrow bytes. */
TBPR14_API int ProfGetStringA(ProfJob *job, ProfList *list, const char *path, char *buffer, int size,
                              const char *defaultText);
TBPR14_API int ProfGetStringW(ProfJob *job, ProfList *list, const char16_t *path, char16_t *buffer, int size,
                              const char16_t *defaultText);
TBPR14_API int ProfGetStringLengthA(ProfJob *job, ProfList *list, const char *path);
TBPR14_API int ProfGetStringLengthW(ProfJob *job, ProfList *list, const char16_t *path);
TBPR14_API void ProfSetStringA(ProfJob *job, ProfList *list, const char *path, const char *value);
TBPR14_API void ProfSetStringW(ProfJob *job, ProfList *list, const char16_t *path, const char16_t *value);
TBPR14_API void ProfAppendStringA(ProfJob *job, ProfList *list, const char *path, const char *value);
TBPR14_API void ProfAppendStringW(ProfJob *job, ProfList *list, const char16_t *path, const char16_t *value);

/* Typed values, stored as text: Bool "TRUE"/"FALSE", Int and Long decimal,
 * IntHex "x%04X", LongHex "x%08X", Double six decimals ("1.500000"), Point
 * "(x,y)", Rect "(l,t,r,b)", RectLTWH "(l,t,w,h)", Colorref "(r,g,b)".
 * Set replaces the first value of that name, Append always adds one. */
TBPR14_API void ProfSetBoolA(ProfJob *job, ProfList *list, const char *path, int value);
TBPR14_API void ProfSetBoolW(ProfJob *job, ProfList *list, const char16_t *path, int value);
TBPR14_API void ProfSetIntA(ProfJob *job, ProfList *list, const char *path, int value);
TBPR14_API void ProfSetIntW(ProfJob *job, ProfList *list, const char16_t *path, int value);
TBPR14_API void ProfSetIntHexA(ProfJob *job, ProfList *list, const char *path, int value);
TBPR14_API void ProfSetIntHexW(ProfJob *job, ProfList *list, const char16_t *path, int value);
TBPR14_API void ProfSetLongA(ProfJob *job, ProfList *list, const char *path, int32_t value);
TBPR14_API void ProfSetLongW(ProfJob *job, ProfList *list, const char16_t *path, int32_t value);
TBPR14_API void ProfSetLongHexA(ProfJob *job, ProfList *list, const char *path, int32_t value);
TBPR14_API void ProfSetLongHexW(ProfJob *job, ProfList *list, const char16_t *path, int32_t value);
TBPR14_API void ProfSetDoubleA(ProfJob *job, ProfList *list, const char *path, double value);
TBPR14_API void ProfSetDoubleW(ProfJob *job, ProfList *list, const char16_t *path, double value);
TBPR14_API void ProfSetPointA(ProfJob *job, ProfList *list, const char *path, const ProfPoint *value);
TBPR14_API void ProfSetPointW(ProfJob *job, ProfList *list, const char16_t *path, const ProfPoint *value);
TBPR14_API void ProfSetRectA(ProfJob *job, ProfList *list, const char *path, const ProfRect *value);
TBPR14_API void ProfSetRectW(ProfJob *job, ProfList *list, const char16_t *path, const ProfRect *value);
TBPR14_API void ProfSetRectLTWHA(ProfJob *job, ProfList *list, const char *path, const ProfRect *value);
TBPR14_API void ProfSetRectLTWHW(ProfJob *job, ProfList *list, const char16_t *path, const ProfRect *value);
TBPR14_API void ProfSetColorrefA(ProfJob *job, ProfList *list, const char *path, ProfColorref value);
TBPR14_API void ProfSetColorrefW(ProfJob *job, ProfList *list, const char16_t *path, ProfColorref value);
TBPR14_API void ProfAppendBoolA(ProfJob *job, ProfList *list, const char *path, int value);
TBPR14_API void ProfAppendBoolW(ProfJob *job, ProfList *list, const char16_t *path, int value);
TBPR14_API void ProfAppendIntA(ProfJob *job, ProfList *list, const char *path, int value);
TBPR14_API void ProfAppendIntW(ProfJob *job, ProfList *list, const char16_t *path, int value);
TBPR14_API void ProfAppendIntHexA(ProfJob *job, ProfList *list, const char *path, int value);
TBPR14_API void ProfAppendIntHexW(ProfJob *job, ProfList *list, const char16_t *path, int value);
TBPR14_API void ProfAppendLongA(ProfJob *job, ProfList *list, const char *path, int32_t value);
TBPR14_API void ProfAppendLongW(ProfJob *job, ProfList *list, const char16_t *path, int32_t value);
TBPR14_API void ProfAppendLongHexA(ProfJob *job, ProfList *list, const char *path, int32_t value);
TBPR14_API void ProfAppendLongHexW(ProfJob *job, ProfList *list, const char16_t *path, int32_t value);
TBPR14_API void ProfAppendDoubleA(ProfJob *job, ProfList *list, const char *path, double value);
TBPR14_API void ProfAppendDoubleW(ProfJob *job, ProfList *list, const char16_t *path, double value);
TBPR14_API void ProfAppendPointA(ProfJob *job, ProfList *list, const char *path, const ProfPoint *value);
TBPR14_API void ProfAppendPointW(ProfJob *job, ProfList *list, const char16_t *path, const ProfPoint *value);
TBPR14_API void ProfAppendRectA(ProfJob *job, ProfList *list, const char *path, const ProfRect *value);
TBPR14_API void ProfAppendRectW(ProfJob *job, ProfList *list, const char16_t *path, const ProfRect *value);
TBPR14_API void ProfAppendRectLTWHA(ProfJob *job, ProfList *list, const char *path, const ProfRect *value);
TBPR14_API void ProfAppendRectLTWHW(ProfJob *job, ProfList *list, const char16_t *path,
                                    const ProfRect *value);
TBPR14_API void ProfAppendColorrefA(ProfJob *job, ProfList *list, const char *path, ProfColorref value);
TBPR14_API void ProfAppendColorrefW(ProfJob *job, ProfList *list, const char16_t *path, ProfColorref value);

/* Typed getters: 0, PROF_ERR_NOTFOUND (default stored) or PROF_ERR_VALUE (out untouched). */
TBPR14_API int ProfGetBoolA(ProfJob *job, ProfList *list, const char *path, int *value, int defaultValue);
TBPR14_API int ProfGetBoolW(ProfJob *job, ProfList *list, const char16_t *path, int *value, int defaultValue);
TBPR14_API int ProfGetIntA(ProfJob *job, ProfList *list, const char *path, int *value, int defaultValue);
TBPR14_API int ProfGetIntW(ProfJob *job, ProfList *list, const char16_t *path, int *value, int defaultValue);
TBPR14_API int ProfGetLongA(ProfJob *job, ProfList *list, const char *path, int32_t *value,
                            int32_t defaultValue);
TBPR14_API int ProfGetLongW(ProfJob *job, ProfList *list, const char16_t *path, int32_t *value,
                            int32_t defaultValue);
TBPR14_API int ProfGetDoubleA(ProfJob *job, ProfList *list, const char *path, double *value,
                              double defaultValue);
TBPR14_API int ProfGetDoubleW(ProfJob *job, ProfList *list, const char16_t *path, double *value,
                              double defaultValue);
TBPR14_API int ProfGetPointA(ProfJob *job, ProfList *list, const char *path, ProfPoint *value,
                             const ProfPoint *defaultValue);
TBPR14_API int ProfGetPointW(ProfJob *job, ProfList *list, const char16_t *path, ProfPoint *value,
                             const ProfPoint *defaultValue);
TBPR14_API int ProfGetRectA(ProfJob *job, ProfList *list, const char *path, ProfRect *value,
                            const ProfRect *defaultValue);
TBPR14_API int ProfGetRectW(ProfJob *job, ProfList *list, const char16_t *path, ProfRect *value,
                            const ProfRect *defaultValue);
TBPR14_API int ProfGetRectLTWHA(ProfJob *job, ProfList *list, const char *path, ProfRect *value,
                                const ProfRect *defaultValue);
TBPR14_API int ProfGetRectLTWHW(ProfJob *job, ProfList *list, const char16_t *path, ProfRect *value,
                                const ProfRect *defaultValue);
TBPR14_API int ProfGetColorrefA(ProfJob *job, ProfList *list, const char *path, ProfColorref *value,
                                ProfColorref defaultValue);
TBPR14_API int ProfGetColorrefW(ProfJob *job, ProfList *list, const char16_t *path, ProfColorref *value,
                                ProfColorref defaultValue);

/* Value texts to types, without a job; a null or unreadable text stores the default. */
TBPR14_API void ProfLPSTRtoBOOLA(const char *text, int *value, int defaultValue);
TBPR14_API void ProfLPSTRtoBOOLW(const char16_t *text, int *value, int defaultValue);
TBPR14_API void ProfLPSTRtoINTA(const char *text, int *value, int defaultValue);
TBPR14_API void ProfLPSTRtoINTW(const char16_t *text, int *value, int defaultValue);
TBPR14_API void ProfLPSTRtoLONGA(const char *text, int32_t *value, int32_t defaultValue);
TBPR14_API void ProfLPSTRtoLONGW(const char16_t *text, int32_t *value, int32_t defaultValue);
TBPR14_API void ProfLPSTRtoRECTA(const char *text, ProfRect *value, const ProfRect *defaultValue);
TBPR14_API void ProfLPSTRtoRECTW(const char16_t *text, ProfRect *value, const ProfRect *defaultValue);
TBPR14_API void ProfLPSTRtoCOLORREFA(const char *text, ProfColorref *value, ProfColorref defaultValue);
TBPR14_API void ProfLPSTRtoCOLORREFW(const char16_t *text, ProfColorref *value, ProfColorref defaultValue);

/* Embedded files and streams: a file descriptor (not owned) or a caller stream
 * is stored in a value as text (optionally enciphered with a password) and
 * written back. */
TBPR14_API void ProfAppendFileA(ProfJob *job, ProfList *list, const char *path, const char *password, int fd);
TBPR14_API void ProfAppendFileW(ProfJob *job, ProfList *list, const char16_t *path, const char16_t *password,
                                int fd);
TBPR14_API int ProfGetFileA(ProfJob *job, ProfList *list, const char *path, const char *password, int fd);
TBPR14_API int ProfGetFileW(ProfJob *job, ProfList *list, const char16_t *path, const char16_t *password,
                            int fd);
TBPR14_API void ProfAppendStreamA(ProfJob *job, ProfList *list, const char *path, const char *password,
                                  ProfStream *stream);
TBPR14_API void ProfAppendStreamW(ProfJob *job, ProfList *list, const char16_t *path,
                                  const char16_t *password, ProfStream *stream);
TBPR14_API int ProfGetStreamA(ProfJob *job, ProfList *list, const char *path, const char *password,
                              ProfStream *stream);
TBPR14_API int ProfGetStreamW(ProfJob *job, ProfList *list, const char16_t *path, const char16_t *password,
                              ProfStream *stream);
TBPR14_API int ProfAppendFilesA(ProfJob *job, ProfList *list, const char *pattern, const char *password,
                                void *reserved);
TBPR14_API int ProfAppendFilesW(ProfJob *job, ProfList *list, const char16_t *pattern,
                                const char16_t *password, void *reserved);
TBPR14_API int ProfExtractFilesA(ProfJob *job, ProfList *list, const char *directory, const char *password,
                                 void *reserved);
TBPR14_API int ProfExtractFilesW(ProfJob *job, ProfList *list, const char16_t *directory,
                                 const char16_t *password, void *reserved);

#ifdef __cplusplus
}
#endif

#endif /* TBPR14_H */
