#include <gtest/gtest.h>

#include "Tb14Interf.h"

using namespace reporting;

namespace {

// A list item that offers (or refuses) the element interface.
class Item : public TbXRefCounted {
public:
    explicit Item(bool offers) : offers_(offers) {}
    int32_t QueryInterface(const Guid &iid, void **out) override
    {
        if (offers_ && (iid == IID_TbXObject || iid == IID_IUnknown)) {
            AddRef();
            *out = static_cast<TbXUnknown *>(this);
            return TBX_S_OK;
        }
        *out = nullptr;
        return TBX_E_NOINTERFACE;
    }

private:
    bool offers_;
};

TbXEnumerator *enumeratorOf(TbXInterface &entry, const Guid &iid)
{
    void *out = nullptr;
    EXPECT_EQ(entry.QueryInterface(iid, &out), TBX_S_OK);
    return static_cast<TbXEnumerator *>(static_cast<TbXUnknown *>(out));
}

TEST(TbXInterface, EmptyListsEnumerateNothing)
{
    const int32_t start = tbxLiveReferences();
    {
        TbXList objects, functions;
        auto *entry = new TbXInterface(&objects, &functions);
        entry->AddRef();
        for (const Guid *iid : {&IID_TbXEnumObjects, &IID_TbXEnumFunctions}) {
            TbXEnumerator *e = enumeratorOf(*entry, *iid);
            TbXUnknown *element = reinterpret_cast<TbXUnknown *>(1);
            uint32_t fetched = 9;
            EXPECT_EQ(e->Next(5, &element, &fetched), TBX_S_OK);
            EXPECT_EQ(fetched, 0u);
            EXPECT_EQ(element, nullptr);
            EXPECT_EQ(e->Skip(1), TBX_E_FAIL);
            EXPECT_EQ(e->position(), 0);
            EXPECT_EQ(e->Skip(-5), TBX_E_FAIL);
            EXPECT_EQ(e->position(), 0);
            EXPECT_EQ(e->Skip(0), TBX_S_OK);
            TbXEnumerator *clone = reinterpret_cast<TbXEnumerator *>(1);
            EXPECT_EQ(e->Clone(&clone), TBX_E_NOTIMPL);
            EXPECT_EQ(clone, nullptr);
            e->Release();
        }
        entry->Release();
    }
    EXPECT_EQ(tbxLiveReferences(), start);
}

TEST(TbXInterface, QueryInterfaceByIdentifier)
{
    TbXList objects, functions;
    auto *entry = new TbXInterface(&objects, &functions);
    EXPECT_EQ(entry->AddRef(), 1u);
    void *out = reinterpret_cast<void *>(1);
    const Guid unknown = {0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    EXPECT_EQ(entry->QueryInterface(unknown, &out), TBX_E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(entry->QueryInterface(IID_TbXObject, &out), TBX_E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);

    void *a = nullptr;
    void *b = nullptr;
    EXPECT_EQ(entry->QueryInterface(IID_IUnknown, &a), TBX_S_OK);
    EXPECT_EQ(entry->QueryInterface(IID_TbXInterface, &b), TBX_S_OK);
    EXPECT_EQ(a, b);
    EXPECT_EQ(a, static_cast<TbXUnknown *>(entry));
    EXPECT_EQ(entry->AddRef(), 4u); // 1 + two queries + this one
    EXPECT_EQ(entry->Release(), 3u);

    // An enumerator answers for itself and IUnknown only.
    TbXEnumerator *e = enumeratorOf(*entry, IID_TbXEnumObjects);
    void *self = nullptr;
    EXPECT_EQ(e->QueryInterface(IID_IUnknown, &self), TBX_S_OK);
    EXPECT_EQ(self, static_cast<TbXUnknown *>(e));
    EXPECT_EQ(e->QueryInterface(IID_TbXEnumFunctions, &out), TBX_E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(e->Release(), 1u);
    EXPECT_EQ(e->Release(), 0u);
    for (int i = 0; i < 3; ++i)
        entry->Release();
}

TEST(TbXInterface, LastReleaseDestroysAndTheModuleCountReturns)
{
    const int32_t start = tbxLiveReferences();
    static int destroyed = 0;
    struct Counted : TbXInterface {
        using TbXInterface::TbXInterface;
        ~Counted() override { ++destroyed; }
    };
    destroyed = 0;
    auto *entry = new Counted(nullptr, nullptr);
    entry->AddRef();
    entry->AddRef();
    EXPECT_EQ(tbxLiveReferences(), start + 2);
    EXPECT_EQ(entry->Release(), 1u);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(entry->Release(), 0u);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(tbxLiveReferences(), start);
}

TEST(TbXInterface, NextHandsOutItemsThatOfferTheElement)
{
    const int32_t start = tbxLiveReferences();
    Item *good = new Item(true);
    Item *bad = new Item(false);
    good->AddRef();
    bad->AddRef();
    {
        TbXList objects{good, bad};
        TbXList functions;
        auto *entry = new TbXInterface(&objects, &functions);
        entry->AddRef();
        TbXEnumerator *e = enumeratorOf(*entry, IID_TbXEnumObjects);
        TbXUnknown *element = nullptr;
        uint32_t fetched = 0;
        EXPECT_EQ(e->Next(1, &element, &fetched), TBX_S_OK);
        EXPECT_EQ(fetched, 1u);
        EXPECT_EQ(element, good);
        element->Release();
        EXPECT_EQ(e->Next(1, &element, &fetched), TBX_E_FAIL);
        EXPECT_EQ(fetched, 0u);
        EXPECT_EQ(e->position(), 1);
        EXPECT_EQ(e->Skip(1), TBX_S_OK);
        EXPECT_EQ(e->Next(1, &element, &fetched), TBX_S_OK);
        EXPECT_EQ(fetched, 0u);
        EXPECT_EQ(e->Skip(1), TBX_E_FAIL);
        EXPECT_EQ(e->position(), 2);
        EXPECT_EQ(e->Reset(), TBX_S_OK);
        EXPECT_EQ(e->position(), 0);
        e->Release();
        entry->Release();
    }
    good->Release();
    bad->Release();
    EXPECT_EQ(tbxLiveReferences(), start);
}

} // namespace
