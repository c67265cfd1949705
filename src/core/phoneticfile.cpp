#include "core/phoneticfile.h"

#include "core/bankmaint.h"
#include "core/datamodule.h"
#include "platform/filestat.h"
#include "platform/textcodec.h"

#include <QFile>
#include <QHash>
#include <chrono>

namespace {

// File times come from a coarse clock: a rewrite soon after a read may leave the file's stamp as
// it was. Until the file has stood still this long before a read, its content is compared anew.
constexpr qint64 kSettleNs = 2'000'000'000;

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

struct PhoneticCache {
    QString path;
    TPFileStamp stamp;
    qint64 readAtNs = 0;
    bool refused = false;
    QByteArray bytes;
    QHash<QString, QString> entries;
};

void parse(QByteArray bytes, QHash<QString, QString> &entries)
{
    entries.clear();
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
        if (!entries.contains(key))
            entries.insert(key, text.mid(bar + 1));
    }
}

// The look-up file's entries, parsed again only when its content changes: an import looks up
// every word, and a pass over the file per word would cost the import dearly. Null without a
// file.
const QHash<QString, QString> *phoneticEntries()
{
    static PhoneticCache cache;
    const QString path = PProgramDir + QStringLiteral("WordPron.dat");
    const TPFileStamp stamp = PFileStampOf(path);
    if (!stamp.regular) {
        cache = PhoneticCache();
        return nullptr;
    }
    const bool same = path == cache.path && stamp == cache.stamp;
    if (same && stamp.changedNs < cache.readAtNs - kSettleNs)
        return cache.refused ? nullptr : &cache.entries;

    const QString refusal = POpenBankFileRefusal(path);
    if (!refusal.isEmpty()) {
        if (!(same && cache.refused))  // said once, not for every word of an import
            PDialogs().message(refusal, QString(), Dialogs::Critical);
        cache = PhoneticCache();
        cache.path = path;
        cache.stamp = stamp;
        cache.readAtNs = nowNs();
        cache.refused = true;
        return nullptr;
    }
    const qint64 readAt = nowNs();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        cache = PhoneticCache();
        return nullptr;
    }
    const QByteArray bytes = file.readAll();
    if (path != cache.path || cache.refused || bytes != cache.bytes) {
        parse(bytes, cache.entries);
        cache.bytes = bytes;
    }
    cache.path = path;
    cache.stamp = stamp;
    cache.readAtNs = readAt;
    cache.refused = false;
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
