#include "support/bankmedia.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <cerrno>
#include <map>
#include <mutex>
#include <sqlite3.h>

namespace {

sqlite3_vfs *disk = nullptr;  // the default before any guard
sqlite3_vfs faultyDisk;
std::mutex methodsLock;
// Our file methods, each with the disk's own behind it (map nodes never move).
std::map<const sqlite3_io_methods *, sqlite3_io_methods> wrapped;
std::map<const sqlite3_io_methods *, const sqlite3_io_methods *> diskMethods;

std::atomic<bool> fullDisk{false};
std::atomic<qint64> room{0};
std::atomic<bool> refused{false};
QString readOnlyFolder;  // ends with "/"; empty when no folder is read-only
bool readOnlyFiles = true;
std::atomic<int> lastErrno{0};

const sqlite3_io_methods *diskMethodsOf(sqlite3_file *file)
{
    std::lock_guard<std::mutex> hold(methodsLock);
    return diskMethods.at(file->pMethods);
}

int writeFile(sqlite3_file *file, const void *data, int amount, sqlite3_int64 offset)
{
    const sqlite3_io_methods *m = diskMethodsOf(file);
    if (fullDisk) {
        sqlite3_int64 size = 0;
        m->xFileSize(file, &size);
        const qint64 growth = offset + amount - size;
        if (growth > 0 && room.fetch_sub(growth) < growth) {
            room = 0;
            refused = true;
            return SQLITE_FULL;
        }
    }
    return m->xWrite(file, data, amount, offset);
}

// The disk's own methods for a kind of file with the write replaced, made once per kind.
const sqlite3_io_methods *faultyMethods(const sqlite3_io_methods *own)
{
    std::lock_guard<std::mutex> hold(methodsLock);
    sqlite3_io_methods &m = wrapped[own];
    if (!m.xWrite) {
        m = *own;
        m.xWrite = writeFile;
        diskMethods[&m] = own;
    }
    return &m;
}

bool inReadOnlyFolder(const char *name)
{
    return name && !readOnlyFolder.isEmpty() &&
           QFileInfo(QFile::decodeName(name)).absoluteFilePath().startsWith(readOnlyFolder);
}

int openFile(sqlite3_vfs *, const char *name, sqlite3_file *file, int flags, int *outFlags)
{
    if ((flags & SQLITE_OPEN_READWRITE) && inReadOnlyFolder(name)) {
        if (!QFileInfo::exists(QFile::decodeName(name))) {
            lastErrno = EROFS;
            file->pMethods = nullptr;
            return SQLITE_CANTOPEN;
        }
        // What the disk's own open does where a file cannot be opened for writing.
        if (readOnlyFiles)
            flags = (flags & ~(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) | SQLITE_OPEN_READONLY;
    }
    lastErrno = 0;
    const int rc = disk->xOpen(disk, name, file, flags, outFlags);
    if (file->pMethods)
        file->pMethods = faultyMethods(file->pMethods);
    return rc;
}

int lastError(sqlite3_vfs *, int size, char *text)
{
    const int e = lastErrno;
    return e ? e : disk->xGetLastError(disk, size, text);
}

sqlite3_vfs faultyOver(const sqlite3_vfs &below)
{
    sqlite3_vfs v = below;
    v.zName = "faulty";
    v.xOpen = openFile;
    v.xGetLastError = lastError;
    return v;
}

void useFaultyDisk()
{
    // Made over the disk in use before the first guard.
    if (!disk)
        faultyDisk = faultyOver(*(disk = sqlite3_vfs_find(nullptr)));
    sqlite3_vfs_register(&faultyDisk, 1);
}

void useDisk()
{
    // Connections opened meanwhile keep the faulty disk, which passes everything through now.
    sqlite3_vfs_register(disk, 1);
}

}  // namespace

PFullDisk::PFullDisk(qint64 bytes)
{
    useFaultyDisk();
    room = bytes;
    refused = false;
    fullDisk = true;
}

PFullDisk::~PFullDisk()
{
    fullDisk = false;
    useDisk();
}

bool PFullDisk::refusedAny() const { return refused; }

PReadOnlyFolder::PReadOnlyFolder(const QString &folder, bool filesWritable)
{
    useFaultyDisk();
    readOnlyFiles = !filesWritable;
    readOnlyFolder = QDir(folder).absolutePath() + QLatin1Char('/');
}

PReadOnlyFolder::~PReadOnlyFolder()
{
    readOnlyFolder.clear();
    lastErrno = 0;
    useDisk();
}
