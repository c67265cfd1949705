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
    return v ? QString::fromUtf8(v) : def;
}

int TIniFile::ReadInteger(const QString &section, const QString &key, int def) const
{
    const char *v = d->ini.GetValue(u8(section).c_str(), u8(key).c_str(), nullptr);
    int out = def;
    if (!v || !parseIniInteger(QString::fromUtf8(v), out))
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
    const QString old = ReadString(section, key, QString());
    const bool existed = ValueExists(section, key);
    // Windows write their keys on every activation; a value the file already holds costs no disk sync.
    if (existed && old == value && QFileInfo::exists(m_fileName))
        return true;
    d->ini.SetValue(u8(section).c_str(), u8(key).c_str(), u8(value).c_str());
    if (save())
        return true;
    if (existed)
        d->ini.SetValue(u8(section).c_str(), u8(key).c_str(), u8(old).c_str());
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
