#include "platform/filestat.h"

#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

TPFileStamp PFileStampOf(const QString &Path)
{
    TPFileStamp s;
    struct stat st {};
    if (Path.isEmpty() || ::stat(QFile::encodeName(Path).constData(), &st) != 0)
        return s;
    s.exists = true;
    s.regular = S_ISREG(st.st_mode);
    s.device = quint64(st.st_dev);
    s.inode = quint64(st.st_ino);
    s.size = qint64(st.st_size);
    s.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    s.changedNs = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return s;
}

bool PIsEngineFileOf(const QString &Path, const QString &DatabasePath)
{
    const TPFileStamp chosen = PFileStampOf(Path);
    if (!chosen.exists || DatabasePath.isEmpty())
        return false;
    // The engine names its companions after the path it was given or after the file a link
    // leads to; both are asked.
    QStringList bases{DatabasePath};
    const QString real = QFileInfo(DatabasePath).canonicalFilePath();
    if (!real.isEmpty() && real != DatabasePath)
        bases << real;
    for (const QString &base : bases)
        for (const char *suffix : {"", "-wal", "-shm", "-journal"}) {
            const TPFileStamp f = PFileStampOf(base + QLatin1String(suffix));
            if (f.exists && f.device == chosen.device && f.inode == chosen.inode)
                return true;
        }
    return false;
}
