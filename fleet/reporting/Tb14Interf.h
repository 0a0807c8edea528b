#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

namespace reporting {

// Interface identifier, compared field by field.
struct Guid {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
    friend bool operator==(const Guid &, const Guid &) = default;
};

extern const Guid IID_IUnknown;
extern const Guid IID_TbXInterface;     // the extension entry interface
extern const Guid IID_TbXEnumObjects;   // enumerator of extension objects
extern const Guid IID_TbXEnumFunctions; // enumerator of extension functions
extern const Guid IID_TbXObject;        // one extension object
extern const Guid IID_TbXFunction;      // one extension function

// Result codes of the extension interfaces.
constexpr int32_t TBX_S_OK = 0;
constexpr int32_t TBX_E_NOINTERFACE = int32_t(0x80004002u);
constexpr int32_t TBX_E_OUTOFMEMORY = int32_t(0x8007000Eu);
constexpr int32_t TBX_E_FAIL = int32_t(0x80004005u);
constexpr int32_t TBX_E_NOTIMPL = int32_t(0x80004001u);

// The reference-counted base of every extension interface: queried by identifier, alive until the
// last Release.
class TbXUnknown {
public:
    virtual int32_t QueryInterface(const Guid &iid, void **out) = 0;
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;

protected:
    virtual ~TbXUnknown() = default;
};

// The items of the component's extension object and function lists (borrowed, never freed here).
using TbXList = std::vector<TbXUnknown *>;

// Number of references held on all extension objects of the module.
int32_t tbxLiveReferences();

// Shared reference counting: each object's own count and the module-wide count move together.
class TbXRefCounted : public TbXUnknown {
public:
    uint32_t AddRef() override;
    uint32_t Release() override;

private:
    std::atomic<int32_t> count_{0};
};

// Walks one of the lists; at most one element per Next.
class TbXEnumerator : public TbXRefCounted {
public:
    TbXEnumerator(const TbXList *list, const Guid &ownIid, const Guid &elementIid);

    int32_t QueryInterface(const Guid &iid, void **out) override;
    // The count is ignored; at the end the result is 0 with nothing fetched.
    int32_t Next(uint32_t count, TbXUnknown **element, uint32_t *fetched);
    int32_t Skip(int32_t n);
    int32_t Reset();
    int32_t Clone(TbXEnumerator **out);
    int32_t position() const { return position_; }

private:
    const TbXList *list_;
    Guid ownIid_;
    Guid elementIid_;
    int32_t position_ = 0;
};

class TbXEnumObjects : public TbXEnumerator {
public:
    explicit TbXEnumObjects(const TbXList *objects)
        : TbXEnumerator(objects, IID_TbXEnumObjects, IID_TbXObject)
    {
    }
};

class TbXEnumFunctions : public TbXEnumerator {
public:
    explicit TbXEnumFunctions(const TbXList *functions)
        : TbXEnumerator(functions, IID_TbXEnumFunctions, IID_TbXFunction)
    {
    }
};

// The entry point the engine receives in job option 53: hands out enumerators over the two lists.
class TbXInterface : public TbXRefCounted {
public:
    TbXInterface(const TbXList *objects, const TbXList *functions) : objects_(objects), functions_(functions)
    {
    }

    int32_t QueryInterface(const Guid &iid, void **out) override;

private:
    template <class Enumerator> int32_t enumerator(const TbXList *list, const Guid &iid, void **out);

    const TbXList *objects_;
    const TbXList *functions_;
};

} // namespace reporting
