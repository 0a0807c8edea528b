// How much heap a query's opening takes at its peak against what its result keeps: the result is
// held once, not read into one list and copied into another. The process's allocations are
// counted by wrapping the C library's allocator (not under the sanitizers, which wrap it themselves).
#include <malloc.h>

#include <atomic>
#include <cstddef>

#include <sqlite3.h>

#include <QDir>

#include <gtest/gtest.h>

#include "dbe/Query.h"
#include "fixture.h"

#if defined(__SANITIZE_ADDRESS__)
#define QUERY_MEMORY_COUNTED 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer)
#define QUERY_MEMORY_COUNTED 0
#endif
#endif
#ifndef QUERY_MEMORY_COUNTED
#define QUERY_MEMORY_COUNTED 1
#endif

namespace {

std::atomic<long long> heapNow{0};
std::atomic<long long> heapPeak{0};

#if QUERY_MEMORY_COUNTED
void counted(void *p)
{
    if (!p)
        return;
    const long long now = heapNow += static_cast<long long>(malloc_usable_size(p));
    long long peak = heapPeak.load();
    while (now > peak && !heapPeak.compare_exchange_weak(peak, now)) {
    }
}

void uncounted(void *p)
{
    if (p)
        heapNow -= static_cast<long long>(malloc_usable_size(p));
}
#endif

} // namespace

#if QUERY_MEMORY_COUNTED
extern "C" {
void *__libc_malloc(size_t size);
void *__libc_calloc(size_t count, size_t size);
void *__libc_realloc(void *p, size_t size);
void *__libc_memalign(size_t alignment, size_t size);
void __libc_free(void *p);

void *malloc(size_t size)
{
    void *p = __libc_malloc(size);
    counted(p);
    return p;
}

void *calloc(size_t count, size_t size)
{
    void *p = __libc_calloc(count, size);
    counted(p);
    return p;
}

void *realloc(void *old, size_t size)
{
    uncounted(old);
    void *p = __libc_realloc(old, size);
    // A failed reallocation leaves the old block where it was.
    counted(p ? p : (size ? old : nullptr));
    return p;
}

void free(void *p)
{
    uncounted(p);
    __libc_free(p);
}

void *memalign(size_t alignment, size_t size)
{
    void *p = __libc_memalign(alignment, size);
    counted(p);
    return p;
}

void *aligned_alloc(size_t alignment, size_t size)
{
    return memalign(alignment, size);
}

int posix_memalign(void **out, size_t alignment, size_t size)
{
    void *p = memalign(alignment, size);
    if (!p)
        return 12; // ENOMEM
    *out = p;
    return 0;
}
} // extern "C"
#endif

namespace {

class QueryMemoryTest : public DbeFixture {};

TEST_F(QueryMemoryTest, ResultIsHeldOnce)
{
    if (!QUERY_MEMORY_COUNTED)
        GTEST_SKIP() << "the sanitizer's allocator is not counted";
    // The table is made by the layer, its rows written in one statement of the storage.
    table(QStringLiteral("Kosten.db"))->Open();
    sqlite3 *db = nullptr;
    ASSERT_EQ(
        sqlite3_open(QDir(QString::fromStdString(dir.str())).filePath(QStringLiteral("dbe.sqlite")).toUtf8(),
                     &db),
        SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000) "
                           "INSERT INTO kosten (\"KfzNr\", \"Datum\", \"Betrag\", \"Art\") "
                           "SELECT 'K' || (i % 500), 45000 + i % 365, i * 1.25, 'A' || (i % 7) FROM n",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);

    dbe::TQuery q(session.get());
    q.SetDatabaseName(QStringLiteral("Daten"));
    // Table columns and an expression: both ways of typing a field.
    q.SetSQL(
        {QStringLiteral("SELECT \"KfzNr\", \"Datum\", \"Betrag\", \"Art\", \"Betrag\" * 2 FROM \"kosten\"")});
    // A first opening reads the storage's pages and catalogue, which stay for the second.
    q.Open();
    ASSERT_EQ(q.RecordCount(), 20000);
    q.Close();

    const long long before = heapNow.load();
    heapPeak = before;
    q.Open();
    const long long peak = heapPeak.load() - before;
    const long long kept = heapNow.load() - before;
    ASSERT_EQ(q.RecordCount(), 20000);
    EXPECT_DOUBLE_EQ(q.Fields(4)->AsFloat(), q.Fields(2)->AsFloat() * 2);
    // About 350 bytes a row are kept; a second list of the rows takes the peak to 1.6 times that.
    EXPECT_GT(kept, 20000LL * 100);
    EXPECT_LT(static_cast<double>(peak), 1.3 * static_cast<double>(kept))
        << "peak " << peak << ", kept " << kept;
}

} // namespace
