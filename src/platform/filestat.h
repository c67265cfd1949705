#pragma once
// What the file system says of a file, asked without opening it. The database engine's locks
// belong to the whole process, and closing any other handle on one of its files drops them all:
// a file about to be opened for something else is compared with the engine's files first.

#include <QString>
#include <QtGlobal>

struct TPFileStamp {
    bool exists = false;
    bool regular = false;   // a plain file, not a folder or a device
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;  // content last written
    qint64 changedNs = 0;   // content or entry last changed; no program can set it back

    bool operator==(const TPFileStamp &o) const
    {
        return exists == o.exists && regular == o.regular && device == o.device && inode == o.inode && size == o.size &&
               modifiedNs == o.modifiedNs && changedNs == o.changedNs;
    }
    bool operator!=(const TPFileStamp &o) const { return !(*this == o); }
};

// Follows links; exists is false when there is no such file.
TPFileStamp PFileStampOf(const QString &Path);

// True when Path is the database file at DatabasePath or one of the files the engine keeps
// beside it (its log "-wal", the log's index "-shm", its journal "-journal"), by device and
// inode: a link or another spelling of the path is the same file.
bool PIsEngineFileOf(const QString &Path, const QString &DatabasePath);
