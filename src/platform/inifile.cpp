#include "platform/inifile.h"

#include <QFile>
#include <climits>
#include <QFileInfo>
#include <QSaveFile>
#include <SimpleIni.h>
#include <list>
#include <string>

struct TIniFile::Impl {
    CSimpleIniA ini{true /*UTF-8*/, false /*multi key*/, false /*multi line*/};
};

namespace {
std::string u8(const QString &s) { return s.toUtf8().toStdString(); }

// A line break in a value would start a new line of the file, and with it a new key or section;
// blanks at either end would be trimmed away on reading.
bool needsQuotes(const QString &value)
{
    if (value.isEmpty())
        return false;
    if (value.front().isSpace() || value.back().isSpace() || value.front() == QLatin1Char('"'))
        return true;
    for (const QChar c : value) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return true;
    }
    return false;
}

// Such a value is written in double quotes, with backslash escapes inside; any other value as it is.
QString encodeValue(const QString &value)
{
    if (!needsQuotes(value))
        return value;
    QString out = QStringLiteral("\"");
    for (const QChar c : value) {
        const ushort u = c.unicode();
        if (c == QLatin1Char('\\') || c == QLatin1Char('"'))
            out += QStringLiteral("\\") + c;
        else if (u == '\n')
            out += QStringLiteral("\\n");
        else if (u == '\r')
            out += QStringLiteral("\\r");
        else if (u == '\t')
            out += QStringLiteral("\\t");
        else if (u < 0x20 || u == 0x7F)
            out += QStringLiteral("\\x") + QString::number(u, 16).rightJustified(2, QLatin1Char('0'));
        else
            out += c;
    }
    return out + QLatin1Char('"');
}

// Reverses encodeValue. A value in double quotes loses them, also one written into the file by hand.
QString decodeValue(const QString &raw)
{
    if (raw.size() < 2 || raw.front() != QLatin1Char('"') || raw.back() != QLatin1Char('"'))
        return raw;
    const QString inner = raw.mid(1, raw.size() - 2);
    QString out;
    for (int i = 0; i < inner.size(); ++i) {
        const QChar c = inner.at(i);
        if (c != QLatin1Char('\\') || i + 1 == inner.size()) {
            out += c;
            continue;
        }
        const QChar e = inner.at(++i);
        bool ok = false;
        const ushort code = e == QLatin1Char('x') ? inner.mid(i + 1, 2).toUShort(&ok, 16) : 0;
        if (e == QLatin1Char('n'))
            out += QLatin1Char('\n');
        else if (e == QLatin1Char('r'))
            out += QLatin1Char('\r');
        else if (e == QLatin1Char('t'))
            out += QLatin1Char('\t');
        else if (ok) {
            out += QChar(code);
            i += 2;
        } else
            out += e;
    }
    return out;
}

// Section and key names are the program's own; one that could break the file's lines is refused.
bool isSafeName(const QString &name)
{
    if (name.isEmpty() || name.contains(QLatin1Char('=')) || name.contains(QLatin1Char('[')) ||
        name.contains(QLatin1Char(']')) || name.trimmed() != name)
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    }
    return true;
}
}  // namespace

bool parseIniInteger(const QString &text, int &out)
{
    const QString t = text.trimmed();
    bool ok = false;
    qint64 v = 0;
    if (t.startsWith(QLatin1Char('$')))
        v = t.mid(1).toLongLong(&ok, 16);
    else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        v = t.mid(2).toLongLong(&ok, 16);
    else
        v = t.toLongLong(&ok, 10);
    if (!ok || v < INT_MIN || v > UINT_MAX)
        return false;
    out = int(qint64(v) > INT_MAX ? qint64(v) - (qint64(1) << 32) : v);
    return true;
}

TIniFile::TIniFile(const QString &fileName) : m_fileName(fileName), d(new Impl)
{
    Reload();
}

TIniFile::~TIniFile() = default;

void TIniFile::Reload()
{
    d->ini.Reset();
    QFile f(m_fileName);
    if (!f.open(QIODevice::ReadOnly))
        return;
    const QByteArray data = f.readAll();
    d->ini.LoadData(data.constData(), size_t(data.size()));
}

QString TIniFile::ReadString(const QString &section, const QString &key, const QString &def) const
{
    const char *v = d->ini.GetValue(u8(section).c_str(), u8(key).c_str(), nullptr);
    return v ? decodeValue(QString::fromUtf8(v)) : def;
}

int TIniFile::ReadInteger(const QString &section, const QString &key, int def) const
{
    const char *v = d->ini.GetValue(u8(section).c_str(), u8(key).c_str(), nullptr);
    int out = def;
    if (!v || !parseIniInteger(decodeValue(QString::fromUtf8(v)), out))
        return def;
    return out;
}

bool TIniFile::ReadBool(const QString &section, const QString &key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool TIniFile::ValueExists(const QString &section, const QString &key) const
{
    return d->ini.GetValue(u8(section).c_str(), u8(key).c_str(), nullptr) != nullptr;
}

QStringList TIniFile::ReadSection(const QString &section) const
{
    CSimpleIniA::TNamesDepend keys;
    d->ini.GetAllKeys(u8(section).c_str(), keys);
    keys.sort(CSimpleIniA::Entry::LoadOrder());
    QStringList out;
    for (const auto &k : keys)
        out << QString::fromUtf8(k.pItem);
    return out;
}

bool TIniFile::save()
{
    std::string data;
    if (d->ini.Save(data) < 0)
        return false;
    QSaveFile f(m_fileName);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(data.data(), qint64(data.size()));
    return f.commit();
}

bool TIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    if (!isSafeName(section) || !isSafeName(key))
        return false;
    const char *oldRaw = d->ini.GetValue(u8(section).c_str(), u8(key).c_str(), nullptr);
    const bool existed = oldRaw != nullptr;
    const std::string old = existed ? std::string(oldRaw) : std::string();
    // Windows write their keys on every activation; a value the file already holds costs no disk sync.
    if (existed && decodeValue(QString::fromUtf8(oldRaw)) == value && QFileInfo::exists(m_fileName))
        return true;
    d->ini.SetValue(u8(section).c_str(), u8(key).c_str(), u8(encodeValue(value)).c_str());
    if (save())
        return true;
    if (existed)
        d->ini.SetValue(u8(section).c_str(), u8(key).c_str(), old.c_str());
    else
        d->ini.Delete(u8(section).c_str(), u8(key).c_str(), true);
    return false;
}

bool TIniFile::WriteInteger(const QString &section, const QString &key, int value)
{
    return WriteString(section, key, QString::number(value));
}

bool TIniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    return WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TIniFile::DeleteKey(const QString &section, const QString &key)
{
    if (!d->ini.Delete(u8(section).c_str(), u8(key).c_str(), true))
        return true;
    return save();
}
