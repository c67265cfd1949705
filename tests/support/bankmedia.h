#pragma once
// Faulty places for a word bank, for tests: a disk that fills up, a folder on read-only media.
// Each holds while its guard lives, for every SQLite connection opened meanwhile.

#include <QString>
#include <QtGlobal>

// Writes that make a file longer fail as on a full disk (SQLITE_FULL) once room more bytes were
// added; writes inside a file's present length still land.
class PFullDisk {
public:
    explicit PFullDisk(qint64 room);
    ~PFullDisk();
    PFullDisk(const PFullDisk &) = delete;
    PFullDisk &operator=(const PFullDisk &) = delete;
    // Whether some write was refused.
    bool refusedAny() const;
};

// No file can be made in folder (EROFS), as on read-only media; the files there can be read, and
// written too when filesWritable (a folder the learner may not add files to).
class PReadOnlyFolder {
public:
    explicit PReadOnlyFolder(const QString &folder, bool filesWritable = false);
    ~PReadOnlyFolder();
    PReadOnlyFolder(const PReadOnlyFolder &) = delete;
    PReadOnlyFolder &operator=(const PReadOnlyFolder &) = delete;
};
