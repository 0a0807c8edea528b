/* Names every export of the library from C, and calls a few: the header
 * must compile as C and every name must link. */
#include "tbpr14.h"

#include <stdio.h>

typedef void (*AnyFunction)(void);

static const AnyFunction kExports[] = {
    (AnyFunction)ProfAppendBoolA,
    (AnyFunction)ProfAppendBoolW,
    (AnyFunction)ProfAppendColorrefA,
    (AnyFunction)ProfAppendColorrefW,
    (AnyFunction)ProfAppendDoubleA,
    (AnyFunction)ProfAppendDoubleW,
    (AnyFunction)ProfAppendIntA,
    (AnyFunction)ProfAppendIntHexA,
    (AnyFunction)ProfAppendIntHexW,
    (AnyFunction)ProfAppendIntW,
    (AnyFunction)ProfAppendListA,
    (AnyFunction)ProfAppendListW,
    (AnyFunction)ProfAppendLongA,
    (AnyFunction)ProfAppendLongHexA,
    (AnyFunction)ProfAppendLongHexW,
    (AnyFunction)ProfAppendLongW,
    (AnyFunction)ProfAppendPointA,
    (AnyFunction)ProfAppendPointW,
    (AnyFunction)ProfAppendRectA,
    (AnyFunction)ProfAppendRectLTWHA,
    (AnyFunction)ProfAppendRectLTWHW,
    (AnyFunction)ProfAppendRectW,
    (AnyFunction)ProfAppendStringA,
    (AnyFunction)ProfAppendStringW,
    (AnyFunction)ProfCopyList,
    (AnyFunction)ProfCreateListA,
    (AnyFunction)ProfCreateListW,
    (AnyFunction)ProfDebugList,
    (AnyFunction)ProfDeleteItemA,
    (AnyFunction)ProfDeleteItemW,
    (AnyFunction)ProfDeleteListA,
    (AnyFunction)ProfDeleteListW,
    (AnyFunction)ProfEmptyList,
    (AnyFunction)ProfEnumA,
    (AnyFunction)ProfEnumW,
    (AnyFunction)ProfGetBoolA,
    (AnyFunction)ProfGetBoolW,
    (AnyFunction)ProfGetColorrefA,
    (AnyFunction)ProfGetColorrefW,
    (AnyFunction)ProfGetDoubleA,
    (AnyFunction)ProfGetDoubleW,
    (AnyFunction)ProfGetError,
    (AnyFunction)ProfGetIntA,
    (AnyFunction)ProfGetIntW,
    (AnyFunction)ProfGetListA,
    (AnyFunction)ProfGetListW,
    (AnyFunction)ProfGetLongA,
    (AnyFunction)ProfGetLongW,
    (AnyFunction)ProfGetOption,
    (AnyFunction)ProfGetPointA,
    (AnyFunction)ProfGetPointW,
    (AnyFunction)ProfGetRectA,
    (AnyFunction)ProfGetRectLTWHA,
    (AnyFunction)ProfGetRectLTWHW,
    (AnyFunction)ProfGetRectW,
    (AnyFunction)ProfGetStringA,
    (AnyFunction)ProfGetStringLengthA,
    (AnyFunction)ProfGetStringLengthW,
    (AnyFunction)ProfGetStringW,
    (AnyFunction)ProfGetVersion,
    (AnyFunction)ProfIsClipboardDataAvailable,
    (AnyFunction)ProfJobAddRef,
    (AnyFunction)ProfJobClose,
    (AnyFunction)ProfJobOpenA,
    (AnyFunction)ProfJobOpenClipboard,
    (AnyFunction)ProfJobOpenExclusiveA,
    (AnyFunction)ProfJobOpenExclusiveW,
    (AnyFunction)ProfJobOpenStream,
    (AnyFunction)ProfJobOpenStreamObjectA,
    (AnyFunction)ProfJobOpenStreamObjectW,
    (AnyFunction)ProfJobOpenW,
    (AnyFunction)ProfLPSTRtoBOOLA,
    (AnyFunction)ProfLPSTRtoBOOLW,
    (AnyFunction)ProfLPSTRtoCOLORREFA,
    (AnyFunction)ProfLPSTRtoCOLORREFW,
    (AnyFunction)ProfLPSTRtoINTA,
    (AnyFunction)ProfLPSTRtoINTW,
    (AnyFunction)ProfLPSTRtoLONGA,
    (AnyFunction)ProfLPSTRtoLONGW,
    (AnyFunction)ProfLPSTRtoRECTA,
    (AnyFunction)ProfLPSTRtoRECTW,
    (AnyFunction)ProfSaveA,
    (AnyFunction)ProfSaveToClipboard,
    (AnyFunction)ProfSaveToStream,
    (AnyFunction)ProfSaveW,
    (AnyFunction)ProfSetBoolA,
    (AnyFunction)ProfSetBoolW,
    (AnyFunction)ProfSetColorrefA,
    (AnyFunction)ProfSetColorrefW,
    (AnyFunction)ProfSetDebug,
    (AnyFunction)ProfSetDoubleA,
    (AnyFunction)ProfSetDoubleW,
    (AnyFunction)ProfSetIntA,
    (AnyFunction)ProfSetIntHexA,
    (AnyFunction)ProfSetIntHexW,
    (AnyFunction)ProfSetIntW,
    (AnyFunction)ProfSetLongA,
    (AnyFunction)ProfSetLongHexA,
    (AnyFunction)ProfSetLongHexW,
    (AnyFunction)ProfSetLongW,
    (AnyFunction)ProfSetOption,
    (AnyFunction)ProfSetPointA,
    (AnyFunction)ProfSetPointW,
    (AnyFunction)ProfSetRectA,
    (AnyFunction)ProfSetRectLTWHA,
    (AnyFunction)ProfSetRectLTWHW,
    (AnyFunction)ProfSetRectW,
    (AnyFunction)ProfSetStringA,
    (AnyFunction)ProfSetStringW,
#if !TBPR14_EMBEDDED_PENDING
    (AnyFunction)ProfAppendFileA,
    (AnyFunction)ProfAppendFileW,
    (AnyFunction)ProfAppendFilesA,
    (AnyFunction)ProfAppendFilesW,
    (AnyFunction)ProfAppendStreamA,
    (AnyFunction)ProfAppendStreamW,
    (AnyFunction)ProfExtractFilesA,
    (AnyFunction)ProfExtractFilesW,
    (AnyFunction)ProfGetFileA,
    (AnyFunction)ProfGetFileW,
    (AnyFunction)ProfGetStreamA,
    (AnyFunction)ProfGetStreamW,
#endif
};

static int countItems(ProfJob *job, const char *name, const char *value, ProfList *sublist, void *userData)
{
    (void)job;
    (void)name;
    (void)value;
    (void)sublist;
    ++*(int *)userData;
    return 1;
}

int main(void)
{
    const size_t expected = TBPR14_EMBEDDED_PENDING ? 109 : 121;
    ProfJob *job = ProfJobOpenA(NULL);
    ProfRect rect = {1, 2, 3, 4};
    ProfRect back = {0, 0, 0, 0};
    char text[16];
    int count = 0;
    if (sizeof kExports / sizeof kExports[0] != expected) {
        fprintf(stderr, "export list has %u entries\n", (unsigned)(sizeof kExports / sizeof kExports[0]));
        return 1;
    }
    ProfSetRectA(job, NULL, "a/r", &rect);
    ProfSetStringA(job, NULL, "a/s", "text");
    if (ProfGetRectA(job, NULL, "/a/r", &back, NULL) != PROF_OK || back.bottom != 4)
        return 2;
    if (ProfGetStringA(job, NULL, "a/s", text, (int)sizeof text, "") != 4)
        return 3;
    if (ProfEnumA(job, ProfGetListA(job, NULL, "a"), countItems, &count) != 1 || count != 2)
        return 4;
    ProfJobClose(job);
    return ProfGetError(NULL) == PROF_ERR_INVALID ? 0 : 5;
}
