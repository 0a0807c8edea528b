// Exports that store, read and convert typed values (kept as text).
#include "api/export_support.h"
#include "api/value_access.h"
#include "core/typed_values.h"

using namespace tbpr;
using tbpr::api::guarded;
using tbpr::api::guardedVoid;
using tbpr::api::NarrowArg;
using tbpr::api::Store;

namespace {

PointValue toValue(const ProfPoint &p)
{
    return {p.x, p.y};
}
RectValue toValue(const ProfRect &r)
{
    return {r.left, r.top, r.right, r.bottom};
}
ProfPoint toProf(const PointValue &p)
{
    return {p.x, p.y};
}
ProfRect toProf(const RectValue &r)
{
    return {r.left, r.top, r.right, r.bottom};
}

template <typename Format>
void store(ProfJob *job, ProfList *list, const char *path, Store how, Format format)
{
    guardedVoid([&] {
        if (job)
            api::storeValue(job, list, path, format(), how);
    });
}

// A pointer argument: nothing is stored for a null pointer.
template <typename T, typename Format>
void storeByPointer(ProfJob *job, ProfList *list, const char *path, Store how, const T *value, Format format)
{
    guardedVoid([&] {
        if (job && value)
            api::storeValue(job, list, path, format(toValue(*value)), how);
    });
}

template <typename T, typename Parse>
int get(ProfJob *job, ProfList *list, const char *path, T *out, T defaultValue, Parse parse)
{
    return guarded(-8, -8, [&] { return api::getTyped(job, list, path, out, defaultValue, parse); });
}

// Point and rectangle getters take the default by pointer; the out-parameter
// is set only from a complete parse (fields are read into temporaries).
template <typename T, typename Parse>
int getByPointer(ProfJob *job, ProfList *list, const char *path, T *out, const T *defaultValue, Parse parse)
{
    return guarded(-8, -8, [&] {
        T fallback{};
        if (defaultValue)
            fallback = *defaultValue;
        else if (out)
            fallback = *out;
        return api::getTyped(job, list, path, out, fallback, [&](const char *text) -> std::optional<T> {
            const auto value = parse(text);
            if (!value)
                return std::nullopt;
            return toProf(*value);
        });
    });
}

template <typename T, typename Parse> void textTo(const char *text, T *out, T defaultValue, Parse parse)
{
    guardedVoid([&] {
        if (!out)
            return;
        const std::optional<T> value = text ? parse(text) : std::nullopt;
        *out = value ? *value : defaultValue;
    });
}

std::optional<int> parseBoolValue(const char *text)
{
    return parseBool(text) ? 1 : 0;
}

} // namespace

extern "C" {

// Set and Append: the same text form, Set replaces the first value of that name.
#define TBPR14_STORE_FAMILY(Verb, how)                                                                       \
    void Prof##Verb##BoolA(ProfJob *job, ProfList *list, const char *path, int value)                        \
    {                                                                                                        \
        store(job, list, path, how, [&] { return formatBool(value); });                                      \
    }                                                                                                        \
    void Prof##Verb##IntA(ProfJob *job, ProfList *list, const char *path, int value)                         \
    {                                                                                                        \
        store(job, list, path, how, [&] { return formatInt(value); });                                       \
    }                                                                                                        \
    void Prof##Verb##IntHexA(ProfJob *job, ProfList *list, const char *path, int value)                      \
    {                                                                                                        \
        store(job, list, path, how, [&] { return formatIntHex(value); });                                    \
    }                                                                                                        \
    void Prof##Verb##LongA(ProfJob *job, ProfList *list, const char *path, int32_t value)                    \
    {                                                                                                        \
        store(job, list, path, how, [&] { return formatInt(value); });                                       \
    }                                                                                                        \
    void Prof##Verb##LongHexA(ProfJob *job, ProfList *list, const char *path, int32_t value)                 \
    {                                                                                                        \
        store(job, list, path, how, [&] { return formatLongHex(value); });                                   \
    }                                                                                                        \
    void Prof##Verb##DoubleA(ProfJob *job, ProfList *list, const char *path, double value)                   \
    {                                                                                                        \
        store(job, list, path, how, [&] { return formatDouble(value); });                                    \
    }                                                                                                        \
    void Prof##Verb##PointA(ProfJob *job, ProfList *list, const char *path, const ProfPoint *value)          \
    {                                                                                                        \
        storeByPointer(job, list, path, how, value, [](const PointValue &v) { return formatPoint(v); });     \
    }                                                                                                        \
    void Prof##Verb##RectA(ProfJob *job, ProfList *list, const char *path, const ProfRect *value)            \
    {                                                                                                        \
        storeByPointer(job, list, path, how, value, [](const RectValue &v) { return formatRect(v); });       \
    }                                                                                                        \
    void Prof##Verb##RectLTWHA(ProfJob *job, ProfList *list, const char *path, const ProfRect *value)        \
    {                                                                                                        \
        storeByPointer(job, list, path, how, value, [](const RectValue &v) { return formatRectLTWH(v); });   \
    }                                                                                                        \
    void Prof##Verb##ColorrefA(ProfJob *job, ProfList *list, const char *path, ProfColorref value)           \
    {                                                                                                        \
        store(job, list, path, how, [&] { return formatColorref(value); });                                  \
    }                                                                                                        \
    void Prof##Verb##BoolW(ProfJob *job, ProfList *list, const char16_t *path, int value)                    \
    {                                                                                                        \
        guardedVoid([&] { Prof##Verb##BoolA(job, list, NarrowArg(path), value); });                          \
    }                                                                                                        \
    void Prof##Verb##IntW(ProfJob *job, ProfList *list, const char16_t *path, int value)                     \
    {                                                                                                        \
        guardedVoid([&] { Prof##Verb##IntA(job, list, NarrowArg(path), value); });                           \
    }                                                                                                        \
    void Prof##Verb##IntHexW(ProfJob *job, ProfList *list, const char16_t *path, int value)                  \
    {                                                                                                        \
        guardedVoid([&] { Prof##Verb##IntHexA(job, list, NarrowArg(path), value); });                        \
    }                                                                                                        \
    void Prof##Verb##LongW(ProfJob *job, ProfList *list, const char16_t *path, int32_t value)                \
    {                                                                                                        \
        guardedVoid([&] { Prof##Verb##LongA(job, list, NarrowArg(path), value); });                          \
    }                                                                                                        \
    void Prof##Verb##LongHexW(ProfJob *job, ProfList *list, const char16_t *path, int32_t value)             \
    {                                                                                                        \
        guardedVoid([&] { Prof##Verb##LongHexA(job, list, NarrowArg(path), value); });                       \
    }                                                                                                        \
    void Prof##Verb##DoubleW(ProfJob *job, ProfList *list, const char16_t *path, double value)               \
    {                                                                                                        \
        guardedVoid([&] { Prof##Verb##DoubleA(job, list, NarrowArg(path), value); });                        \
    }                                                                                                        \
    void Prof##Verb##PointW(ProfJob *job, ProfList *list, const char16_t *path, const ProfPoint *value)      \
    {                                                                                                        \
        guardedVoid([&] { Prof##Verb##PointA(job, list, NarrowArg(path), value); });                         \
    }                                                                                                        \
    void Prof##Verb##RectW(ProfJob *job, ProfList *list, const char16_t *path, const ProfRect *value)        \
    {                                                                                                        \
        guardedVoid([&] { Prof##Verb##RectA(job, list, NarrowArg(path), value); });                          \
    }                                                                                                        \
    void Prof##Verb##RectLTWHW(ProfJob *job, ProfList *list, const char16_t *path, const ProfRect *value)    \
    {                                                                                                        \
        guardedVoid([&] { Prof##Verb##RectLTWHA(job, list, NarrowArg(path), value); });                      \
    }                                                                                                        \
    void Prof##Verb##ColorrefW(ProfJob *job, ProfList *list, const char16_t *path, ProfColorref value)       \
    {                                                                                                        \
        guardedVoid([&] { Prof##Verb##ColorrefA(job, list, NarrowArg(path), value); });                      \
    }

TBPR14_STORE_FAMILY(Set, Store::Set)
TBPR14_STORE_FAMILY(Append, Store::Append)
#undef TBPR14_STORE_FAMILY

int ProfGetBoolA(ProfJob *job, ProfList *list, const char *path, int *value, int defaultValue)
{
    return get(job, list, path, value, defaultValue, parseBoolValue);
}

int ProfGetIntA(ProfJob *job, ProfList *list, const char *path, int *value, int defaultValue)
{
    return get(job, list, path, value, defaultValue, parseInt);
}

int ProfGetLongA(ProfJob *job, ProfList *list, const char *path, int32_t *value, int32_t defaultValue)
{
    return get(job, list, path, value, defaultValue, parseInt);
}

int ProfGetDoubleA(ProfJob *job, ProfList *list, const char *path, double *value, double defaultValue)
{
    return get(job, list, path, value, defaultValue, parseDouble);
}

int ProfGetColorrefA(ProfJob *job, ProfList *list, const char *path, ProfColorref *value,
                     ProfColorref defaultValue)
{
    return get(job, list, path, value, defaultValue, parseColorref);
}

int ProfGetPointA(ProfJob *job, ProfList *list, const char *path, ProfPoint *value,
                  const ProfPoint *defaultValue)
{
    return getByPointer(job, list, path, value, defaultValue, parsePoint);
}

int ProfGetRectA(ProfJob *job, ProfList *list, const char *path, ProfRect *value,
                 const ProfRect *defaultValue)
{
    return getByPointer(job, list, path, value, defaultValue, parseRect);
}

int ProfGetRectLTWHA(ProfJob *job, ProfList *list, const char *path, ProfRect *value,
                     const ProfRect *defaultValue)
{
    return getByPointer(job, list, path, value, defaultValue, parseRectLTWH);
}

#define TBPR14_WIDE_GETTER(Name, T, D)                                                                       \
    int Prof##Name##W(ProfJob *job, ProfList *list, const char16_t *path, T *value, D defaultValue)          \
    {                                                                                                        \
        return guarded(-8, -8,                                                                               \
                       [&] { return Prof##Name##A(job, list, NarrowArg(path), value, defaultValue); });      \
    }
TBPR14_WIDE_GETTER(GetBool, int, int)
TBPR14_WIDE_GETTER(GetInt, int, int)
TBPR14_WIDE_GETTER(GetLong, int32_t, int32_t)
TBPR14_WIDE_GETTER(GetDouble, double, double)
TBPR14_WIDE_GETTER(GetColorref, ProfColorref, ProfColorref)
TBPR14_WIDE_GETTER(GetPoint, ProfPoint, const ProfPoint *)
TBPR14_WIDE_GETTER(GetRect, ProfRect, const ProfRect *)
TBPR14_WIDE_GETTER(GetRectLTWH, ProfRect, const ProfRect *)
#undef TBPR14_WIDE_GETTER

void ProfLPSTRtoBOOLA(const char *text, int *value, int defaultValue)
{
    textTo(text, value, defaultValue, parseBoolValue);
}

void ProfLPSTRtoINTA(const char *text, int *value, int defaultValue)
{
    textTo(text, value, defaultValue, parseDecimal);
}

void ProfLPSTRtoLONGA(const char *text, int32_t *value, int32_t defaultValue)
{
    textTo(text, value, defaultValue, parseDecimal);
}

void ProfLPSTRtoRECTA(const char *text, ProfRect *value, const ProfRect *defaultValue)
{
    guardedVoid([&] {
        if (!value)
            return;
        const ProfRect fallback = defaultValue ? *defaultValue : *value;
        textTo(text, value, fallback, [](const char *t) -> std::optional<ProfRect> {
            const auto rect = parseRect(t);
            return rect ? std::optional<ProfRect>(toProf(*rect)) : std::nullopt;
        });
    });
}

void ProfLPSTRtoCOLORREFA(const char *text, ProfColorref *value, ProfColorref defaultValue)
{
    textTo(text, value, defaultValue, parseColorref);
}

#define TBPR14_WIDE_TEXT_TO(Name, T, D)                                                                      \
    void ProfLPSTRto##Name##W(const char16_t *text, T *value, D defaultValue)                                \
    {                                                                                                        \
        guardedVoid([&] { ProfLPSTRto##Name##A(NarrowArg(text), value, defaultValue); });                    \
    }
TBPR14_WIDE_TEXT_TO(BOOL, int, int)
TBPR14_WIDE_TEXT_TO(INT, int, int)
TBPR14_WIDE_TEXT_TO(LONG, int32_t, int32_t)
TBPR14_WIDE_TEXT_TO(RECT, ProfRect, const ProfRect *)
TBPR14_WIDE_TEXT_TO(COLORREF, ProfColorref, ProfColorref)
#undef TBPR14_WIDE_TEXT_TO

} // extern "C"
