#include "support/nosyncdisk.h"

#include <sqlite3.h>

#include <map>
#include <mutex>

namespace {

sqlite3_vfs *disk = nullptr;
sqlite3_vfs noSyncDisk;
std::mutex methodsLock;
// The disk's own file methods, each with its sync left out (map nodes never move).
std::map<const sqlite3_io_methods *, sqlite3_io_methods> withoutSync;

int skipSync(sqlite3_file *, int) { return SQLITE_OK; }

int openFile(sqlite3_vfs *, const char *name, sqlite3_file *file, int flags, int *outFlags)
{
    const int rc = disk->xOpen(disk, name, file, flags, outFlags);
    if (file->pMethods) {
        std::lock_guard<std::mutex> hold(methodsLock);
        auto it = withoutSync.find(file->pMethods);
        if (it == withoutSync.end()) {
            sqlite3_io_methods m = *file->pMethods;
            m.xSync = skipSync;
            it = withoutSync.emplace(file->pMethods, m).first;
        }
        file->pMethods = &it->second;
    }
    return rc;
}

int deleteFile(sqlite3_vfs *, const char *name, int) { return disk->xDelete(disk, name, 0); }

}  // namespace

void PSkipDiskSyncs()
{
    if (disk)
        return;
    disk = sqlite3_vfs_find(nullptr);
    noSyncDisk = *disk;
    noSyncDisk.zName = "nosync";
    noSyncDisk.xOpen = openFile;
    noSyncDisk.xDelete = deleteFile;
    sqlite3_vfs_register(&noSyncDisk, 1);
}
