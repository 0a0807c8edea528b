#include "Tb14Interf.h"

#include <new>

namespace reporting {

const Guid IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const Guid IID_TbXInterface = {0x3CBAE4E1, 0x8880, 0x11D2, {0x96, 0xA3, 0x00, 0x60, 0x08, 0x6F, 0xEF, 0xCE}};
const Guid IID_TbXEnumObjects = {
    0x3CBAE4E8, 0x8880, 0x11D2, {0x96, 0xA3, 0x00, 0x60, 0x08, 0x6F, 0xEF, 0xCE}};
const Guid IID_TbXEnumFunctions = {
    0x3CBAE4E6, 0x8880, 0x11D2, {0x96, 0xA3, 0x00, 0x60, 0x08, 0x6F, 0xEF, 0xCE}};
const Guid IID_TbXObject = {0x3CBAE4E9, 0x8880, 0x11D2, {0x96, 0xA3, 0x00, 0x60, 0x08, 0x6F, 0xEF, 0xCE}};
const Guid IID_TbXFunction = {0x3CBAE4E7, 0x8880, 0x11D2, {0x96, 0xA3, 0x00, 0x60, 0x08, 0x6F, 0xEF, 0xCE}};

namespace {
std::atomic<int32_t> liveReferences{0};
}

int32_t tbxLiveReferences()
{
    return liveReferences.load();
}

uint32_t TbXRefCounted::AddRef()
{
    ++liveReferences;
    return uint32_t(++count_);
}

uint32_t TbXRefCounted::Release()
{
    --liveReferences;
    const int32_t count = --count_;
    if (count == 0)
        delete this;
    return uint32_t(count);
}

TbXEnumerator::TbXEnumerator(const TbXList *list, const Guid &ownIid, const Guid &elementIid)
    : list_(list), ownIid_(ownIid), elementIid_(elementIid)
{
}

int32_t TbXEnumerator::QueryInterface(const Guid &iid, void **out)
{
    if (iid == IID_IUnknown || iid == ownIid_) {
        AddRef();
        *out = static_cast<TbXUnknown *>(this);
        return TBX_S_OK;
    }
    *out = nullptr;
    return TBX_E_NOINTERFACE;
}

int32_t TbXEnumerator::Next(uint32_t, TbXUnknown **element, uint32_t *fetched)
{
    if (element)
        *element = nullptr;
    if (fetched)
        *fetched = 0;
    const int32_t size = list_ ? int32_t(list_->size()) : 0;
    if (position_ >= size)
        return TBX_S_OK;
    void *item = nullptr;
    TbXUnknown *candidate = (*list_)[size_t(position_)];
    if (!candidate || candidate->QueryInterface(elementIid_, &item) != TBX_S_OK || !item)
        return TBX_E_FAIL;
    if (element)
        *element = static_cast<TbXUnknown *>(item);
    ++position_;
    if (fetched)
        *fetched = 1;
    return TBX_S_OK;
}

int32_t TbXEnumerator::Skip(int32_t n)
{
    const int32_t size = list_ ? int32_t(list_->size()) : 0;
    const int64_t target = int64_t(position_) + n;
    if (target >= 0 && target <= size) {
        position_ = int32_t(target);
        return TBX_S_OK;
    }
    position_ = target < 0 ? 0 : size;
    return TBX_E_FAIL;
}

int32_t TbXEnumerator::Reset()
{
    position_ = 0;
    return TBX_S_OK;
}

int32_t TbXEnumerator::Clone(TbXEnumerator **out)
{
    if (out)
        *out = nullptr;
    return TBX_E_NOTIMPL;
}

template <class Enumerator> int32_t TbXInterface::enumerator(const TbXList *list, const Guid &iid, void **out)
{
    auto *created = new (std::nothrow) Enumerator(list);
    if (!created)
        return TBX_E_OUTOFMEMORY;
    if (created->QueryInterface(iid, out) != TBX_S_OK) {
        delete created;
        *out = nullptr;
        return TBX_E_NOINTERFACE;
    }
    return TBX_S_OK;
}

int32_t TbXInterface::QueryInterface(const Guid &iid, void **out)
{
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_TbXInterface) {
        AddRef();
        *out = static_cast<TbXUnknown *>(this);
        return TBX_S_OK;
    }
    if (iid == IID_TbXEnumObjects)
        return enumerator<TbXEnumObjects>(objects_, iid, out);
    if (iid == IID_TbXEnumFunctions)
        return enumerator<TbXEnumFunctions>(functions_, iid, out);
    return TBX_E_NOINTERFACE;
}

} // namespace reporting
