#include "core/phoneticfile.h"

#include "core/datamodule.h"
#include "platform/textcodec.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace {

// The look-up file's entries, read again only when the file changes: an import looks up every
// word, and reading the file for each would cost a pass over it per word. Null without a file.
const QHash<QString, QString> *phoneticEntries()
{
    static struct {
        QString path;
        QDateTime modified;
        qint64 size = -1;
        bool present = false;
        QHash<QString, QString> entries;
    } cache;
    const QString path = PProgramDir + QStringLiteral("WordPron.dat");
    const QFileInfo info(path);
    const bool present = info.isFile();
    if (path == cache.path && present == cache.present && info.lastModified() == cache.modified &&
        info.size() == cache.size)
        return present ? &cache.entries : nullptr;
    cache.path = path;
    cache.present = present;
    cache.modified = info.lastModified();
    cache.size = info.size();
    cache.entries.clear();
    QFile file(path);
    if (!present || !file.open(QIODevice::ReadOnly)) {
        cache.present = false;
        return nullptr;
    }
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    for (QByteArray line : bytes.split('\n')) {
        // A line ends at its line feed; the carriage returns before it (one or more) are no part of it.
        while (line.endsWith('\r'))
            line.chop(1);
        // Decoded whole: a byte '|' may be the second half of a Chinese character.
        const QString text = PDecodeText(line);
        const int bar = text.indexOf(QLatin1Char('|'));
        if (bar < 0)
            continue;
        const QString key = text.left(bar);
        if (!cache.entries.contains(key))
            cache.entries.insert(key, text.mid(bar + 1));
    }
    return &cache.entries;
}

}  // namespace

void PLookupPhonetic(const QString &Word, QString &Phonetic)
{
    const QHash<QString, QString> *entries = phoneticEntries();
    if (!entries)
        return;
    const auto it = entries->constFind(Word);
    if (it != entries->constEnd())
        Phonetic = *it;
}
