#include "services/phonetic.h"

#include "core/datamodule.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QHash>
#include <QStringDecoder>
#include <QTextEdit>

const QString PPhoneticFontName = QStringLiteral("Kingsoft Phonetic Plain");

namespace {

// The file may be UTF-8 or in the Chinese code page it was once written in; each line is
// taken as UTF-8 when it is valid UTF-8.
QString decodeLine(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder gb("GB18030");
    if (gb.isValid()) {
        const QString t = gb.decode(bytes);
        if (!gb.hasError())
            return t;
    }
    return QString::fromLatin1(bytes);
}

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
        const QString text = decodeLine(line);
        const int bar = text.indexOf(QLatin1Char('|'));
        if (bar < 0)
            continue;
        const QString key = text.left(bar);
        if (!cache.entries.contains(key))
            cache.entries.insert(key, text.mid(bar + 1));
    }
    return &cache.entries;
}

void emptyControl(QWidget *c)
{
    if (auto *w = qobject_cast<QLabel *>(c))
        w->clear();
    else if (auto *w = qobject_cast<QLineEdit *>(c))
        w->clear();
    else if (auto *w = qobject_cast<QTextEdit *>(c))
        w->clear();
    else if (auto *w = qobject_cast<QPlainTextEdit *>(c))
        w->clear();
    else if (auto *w = qobject_cast<QAbstractButton *>(c))
        w->setText(QString());
    else if (auto *w = qobject_cast<QComboBox *>(c))
        w->setEditText(QString());
}

void applyPhoneticFont(QWidget *Control)
{
    const QString path = PProgramDir + QStringLiteral("ksphonet.ttf");
    if (!QFileInfo(path).isFile()) {
        emptyControl(Control);
        return;
    }
    // Registered once per run: the font database would otherwise hold a copy per call. The
    // control gets the family the file really holds, so any IPA font in its place shows.
    static QHash<QString, QString> registered;
    if (!registered.contains(path)) {
        const int id = QFontDatabase::addApplicationFont(path);
        const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
        registered.insert(path, families.isEmpty() ? PPhoneticFontName : families.first());
    }
    QFont f = Control->font();
    f.setFamily(registered.value(path));
    Control->setFont(f);
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

void PApplyPhoneticFont(QWidget *Control) { applyPhoneticFont(Control); }

void PApplyPhoneticFont2(QWidget *Control) { applyPhoneticFont(Control); }
