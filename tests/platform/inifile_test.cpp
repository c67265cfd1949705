#include "platform/inifile.h"

#include <QFile>
#include <QTemporaryDir>
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

TEST(IniFile, AnUnchangedValueLeavesTheFileAloneUnlessTheFileIsGone)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("config.ini"));
    TIniFile ini(path);
    ASSERT_TRUE(ini.WriteString(QStringLiteral("浏览"), QStringLiteral("浏览模式"), QStringLiteral("词义回想")));
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(ini.WriteString(QStringLiteral("浏览"), QStringLiteral("浏览模式"), QStringLiteral("词义回想")));
    ASSERT_TRUE(QFile::exists(path));

    auto text = [&] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    };
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write("; untouched\n");
    }
    EXPECT_TRUE(ini.WriteString(QStringLiteral("浏览"), QStringLiteral("浏览模式"), QStringLiteral("词义回想")));
    EXPECT_TRUE(text().contains(QStringLiteral("; untouched")));
    EXPECT_TRUE(ini.WriteString(QStringLiteral("浏览"), QStringLiteral("浏览模式"), QStringLiteral("单词回想")));
    EXPECT_FALSE(text().contains(QStringLiteral("; untouched")));
    EXPECT_TRUE(text().contains(QStringLiteral("单词回想")));
}
