#include "full_disk_vfs.h"

#include <atomic>
#include <cstring>

#include <sqlite3.h>

namespace testsupport {

namespace {

std::atomic<bool> full{false};
sqlite3_vfs *real = nullptr;
sqlite3_vfs shim;
sqlite3_io_methods methods;

// A file of the shim: its own header, the real file right behind it.
struct File {
    sqlite3_file base;
    sqlite3_file *inner() { return reinterpret_cast<sqlite3_file *>(this + 1); }
};

File *of(sqlite3_file *f)
{
    return reinterpret_cast<File *>(f);
}

int shimOpen(sqlite3_vfs *, sqlite3_filename name, sqlite3_file *f, int flags, int *outFlags)
{
    File *file = of(f);
    file->base.pMethods = nullptr;
    const int rc = real->xOpen(real, name, file->inner(), flags, outFlags);
    if (rc == SQLITE_OK && file->inner()->pMethods) {
        if (methods.iVersion == 0) {
            methods = *file->inner()->pMethods;
            methods.xClose = [](sqlite3_file *g) { return of(g)->inner()->pMethods->xClose(of(g)->inner()); };
            methods.xRead = [](sqlite3_file *g, void *b, int n, sqlite3_int64 o) {
                return of(g)->inner()->pMethods->xRead(of(g)->inner(), b, n, o);
            };
            methods.xWrite = [](sqlite3_file *g, const void *b, int n, sqlite3_int64 o) {
                return full ? SQLITE_FULL : of(g)->inner()->pMethods->xWrite(of(g)->inner(), b, n, o);
            };
            methods.xTruncate = [](sqlite3_file *g, sqlite3_int64 n) {
                return of(g)->inner()->pMethods->xTruncate(of(g)->inner(), n);
            };
            methods.xSync = [](sqlite3_file *g, int fl) {
                return of(g)->inner()->pMethods->xSync(of(g)->inner(), fl);
            };
            methods.xFileSize = [](sqlite3_file *g, sqlite3_int64 *n) {
                return of(g)->inner()->pMethods->xFileSize(of(g)->inner(), n);
            };
            methods.xLock = [](sqlite3_file *g, int l) {
                return of(g)->inner()->pMethods->xLock(of(g)->inner(), l);
            };
            methods.xUnlock = [](sqlite3_file *g, int l) {
                return of(g)->inner()->pMethods->xUnlock(of(g)->inner(), l);
            };
            methods.xCheckReservedLock = [](sqlite3_file *g, int *r) {
                return of(g)->inner()->pMethods->xCheckReservedLock(of(g)->inner(), r);
            };
            methods.xFileControl = [](sqlite3_file *g, int op, void *a) {
                return of(g)->inner()->pMethods->xFileControl(of(g)->inner(), op, a);
            };
            methods.xSectorSize = [](sqlite3_file *g) {
                return of(g)->inner()->pMethods->xSectorSize(of(g)->inner());
            };
            methods.xDeviceCharacteristics = [](sqlite3_file *g) {
                return of(g)->inner()->pMethods->xDeviceCharacteristics(of(g)->inner());
            };
            // No shared memory or memory mapping: the storage runs with a rollback journal.
            methods.iVersion = 1;
        }
        file->base.pMethods = &methods;
    }
    return rc;
}

} // namespace

void FullDisk::install()
{
    if (real)
        return;
    real = sqlite3_vfs_find(nullptr);
    shim = *real;
    shim.iVersion = 1;
    shim.zName = "full-disk";
    shim.szOsFile = static_cast<int>(sizeof(File)) + real->szOsFile;
    shim.xOpen = shimOpen;
    sqlite3_vfs_register(&shim, 1);
}

void FullDisk::fill()
{
    full = true;
}

void FullDisk::empty()
{
    full = false;
}

} // namespace testsupport
