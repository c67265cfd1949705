#include "platform/inifile.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

TEST(IniFile, WritesReachTheFileAtOnceInReadableUtf8)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("config.ini"));
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString(QStringLiteral("Lexorin"), QStringLiteral("默认词库"), QStringLiteral("dflt")),
              QStringLiteral("dflt"));
    ASSERT_TRUE(ini.WriteString(QStringLiteral("Lexorin"), QStringLiteral("默认词库"), QStringLiteral("/tmp/我的.lxb")));
    ASSERT_TRUE(ini.WriteBool(QStringLiteral("MiniBrowser"), QStringLiteral("显示音标"), true));
    ASSERT_TRUE(ini.WriteInteger(QStringLiteral("MiniBrowser"), QStringLiteral("透明度"), 200));

    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("[Lexorin]")));
    EXPECT_TRUE(text.contains(QStringLiteral("默认词库")));
    EXPECT_TRUE(text.contains(QStringLiteral("/tmp/我的.lxb")));
    EXPECT_TRUE(text.contains(QStringLiteral("显示音标")));

    TIniFile again(path);
    EXPECT_EQ(again.ReadString(QStringLiteral("Lexorin"), QStringLiteral("默认词库"), {}), QStringLiteral("/tmp/我的.lxb"));
    EXPECT_TRUE(again.ReadBool(QStringLiteral("MiniBrowser"), QStringLiteral("显示音标"), false));
    EXPECT_EQ(again.ReadString(QStringLiteral("MiniBrowser"), QStringLiteral("显示音标"), {}), QStringLiteral("1"));
    EXPECT_EQ(again.ReadInteger(QStringLiteral("MiniBrowser"), QStringLiteral("透明度"), 0), 200);
}

TEST(IniFile, IntegersAndBooleansFallBackToTheDefault)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("config.ini"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[S]\nnum=abc\nhex=$FF\nhex2=0x00FF0000\nflag=2\noff=0\n");
    f.close();
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("S"), QStringLiteral("num"), 7), 7);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("S"), QStringLiteral("hex"), 0), 255);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("S"), QStringLiteral("hex2"), 0), 0x00FF0000);
    EXPECT_TRUE(ini.ReadBool(QStringLiteral("S"), QStringLiteral("flag"), false));
    EXPECT_FALSE(ini.ReadBool(QStringLiteral("S"), QStringLiteral("off"), true));
    EXPECT_TRUE(ini.ReadBool(QStringLiteral("S"), QStringLiteral("num"), true));
    EXPECT_FALSE(ini.ReadBool(QStringLiteral("S"), QStringLiteral("missing"), false));
}

TEST(IniFile, AFailedWriteKeepsTheOldValue)
{
    QTemporaryDir dir;
    // The file's folder does not exist: nothing can be saved.
    TIniFile ini(dir.filePath(QStringLiteral("no/such/folder/config.ini")));
    EXPECT_FALSE(ini.WriteString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v")));
    EXPECT_FALSE(ini.ValueExists(QStringLiteral("S"), QStringLiteral("k")));
}

namespace {
QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

// A value can never add or change another key: what goes in comes back, and the rest of the
// file stays exactly as it was.
class IniValueRoundTrip : public ::testing::TestWithParam<const char *> {};

TEST_P(IniValueRoundTrip, ReadsBackAsWrittenAndTouchesNoOtherKey)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("config.ini"));
    QString value = QString::fromUtf8(GetParam());
    value.replace(QStringLiteral("<NUL>"), QString(QChar(0)));
    {
        TIniFile ini(path);
        ASSERT_TRUE(ini.WriteString(QStringLiteral("DBTool"), QStringLiteral("新词入库"), QStringLiteral("金山词霸")));
        ASSERT_TRUE(ini.WriteString(QStringLiteral("Lexorin"), QStringLiteral("默认词库"), value));
        ASSERT_EQ(ini.ReadString(QStringLiteral("Lexorin"), QStringLiteral("默认词库"), {}), value);
    }
    TIniFile again(path);
    EXPECT_EQ(again.ReadString(QStringLiteral("Lexorin"), QStringLiteral("默认词库"), {}), value);
    EXPECT_EQ(again.ReadString(QStringLiteral("DBTool"), QStringLiteral("新词入库"), {}), QStringLiteral("金山词霸"));
    EXPECT_EQ(again.ReadSection(QStringLiteral("Lexorin")), QStringList{QStringLiteral("默认词库")});
    EXPECT_EQ(again.ReadSection(QStringLiteral("DBTool")), QStringList{QStringLiteral("新词入库")});
    const QList<QByteArray> lines = fileBytes(path).split('\n');
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const QByteArray &l) { return !l.trimmed().isEmpty(); }), 4)
        << fileBytes(path).constData();
}

INSTANTIATE_TEST_SUITE_P(
    Values, IniValueRoundTrip,
    ::testing::Values("/home/学生/词库.lxb", "", "/tmp/a\n[DBTool]\n新词入库=谷歌金山词霸", "a\r\n[X]\r\nk=v",
                      "tab\there", "bell\a<NUL>end", " blank at both ends ", "\"in quotes\"", "\"",
                      "back\\slash\\n and \\x41 as typed", "=[]; not a comment"));

TEST(IniFile, ANameThatCouldBreakTheFileIsRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("config.ini"));
    TIniFile ini(path);
    ASSERT_TRUE(ini.WriteString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v")));
    const QByteArray before = fileBytes(path);
    for (const QString &bad : {QStringLiteral("a\nb"), QStringLiteral("a=b"), QStringLiteral("[x]"), QString()}) {
        EXPECT_FALSE(ini.WriteString(QStringLiteral("S"), bad, QStringLiteral("v")));
        EXPECT_FALSE(ini.WriteString(bad, QStringLiteral("k"), QStringLiteral("v")));
    }
    EXPECT_EQ(fileBytes(path), before);
}

TEST(IniFile, QuotedNumbersAndHandWrittenQuotesRead)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("config.ini"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[S]\nnum=\"42\"\npath=\"/srv/my words.lxb\"\nhalf=\"open\n");
    f.close();
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("S"), QStringLiteral("num"), 0), 42);
    EXPECT_EQ(ini.ReadString(QStringLiteral("S"), QStringLiteral("path"), {}), QStringLiteral("/srv/my words.lxb"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("S"), QStringLiteral("half"), {}), QStringLiteral("\"open"));
}
