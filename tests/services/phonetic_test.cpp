#include "services/phonetic.h"
#include "services/utils.h"
#include "support/bankfixture.h"
#include "support/soundfiles.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QStringEncoder>

using PhoneticLookup = BankFixture;

namespace {
QString lookup(const QString &word, const QString &before = QStringLiteral("keep"))
{
    QString p = before;
    PLookupPhonetic(word, p);
    return p;
}
}  // namespace

TEST_F(PhoneticLookup, FirstExactKeyWinsAndAMissLeavesTheText)
{
    ASSERT_TRUE(writeFile(programDir + QStringLiteral("WordPron.dat"),
                          QStringLiteral("apple|ˈæpl\nbanana|bəˈnɑːnə\napple|second\nor|ɔː|r\n").toUtf8()));
    EXPECT_EQ(lookup(QStringLiteral("apple")), QStringLiteral("ˈæpl"));
    EXPECT_EQ(lookup(QStringLiteral("banana")), QStringLiteral("bəˈnɑːnə"));
    EXPECT_EQ(lookup(QStringLiteral("Apple")), QStringLiteral("keep"));
    EXPECT_EQ(lookup(QStringLiteral("appl")), QStringLiteral("keep"));
    EXPECT_EQ(lookup(QStringLiteral("cherry")), QStringLiteral("keep"));
    // The key ends at the first bar; the rest of the line is the transcription.
    EXPECT_EQ(lookup(QStringLiteral("or")), QStringLiteral("ɔː|r"));
}

TEST_F(PhoneticLookup, MissingFileLeavesTheText)
{
    EXPECT_EQ(lookup(QStringLiteral("apple"), QStringLiteral("[old]")), QStringLiteral("[old]"));
    EXPECT_EQ(lookup(QStringLiteral("apple"), QString()), QString());
}

TEST_F(PhoneticLookup, ReadsWindowsLinesAndTheChineseCodePage)
{
    QStringEncoder gb("GB18030");
    ASSERT_TRUE(gb.isValid());
    QByteArray bytes = "\xEF\xBB\xBFpear|pe\xC9\x99\r\nnoBarHere\r\n";
    bytes += QByteArray(gb.encode(QStringLiteral("苹果|píng guǒ\r\n")));
    bytes += "last|la:st";  // no line end
    ASSERT_TRUE(writeFile(programDir + QStringLiteral("WordPron.dat"), bytes));
    EXPECT_EQ(lookup(QStringLiteral("pear")), QStringLiteral("peə"));
    EXPECT_EQ(lookup(QStringLiteral("苹果")), QStringLiteral("píng guǒ"));
    EXPECT_EQ(lookup(QStringLiteral("last")), QStringLiteral("la:st"));
    EXPECT_EQ(lookup(QStringLiteral("noBarHere")), QStringLiteral("keep"));
}

TEST_F(PhoneticLookup, EveryRewriteIsSeenByTheNextLookUpAlsoOfTheSameSizeAtOnce)
{
    const QString path = programDir + QStringLiteral("WordPron.dat");
    for (int i = 0; i < 20; ++i) {
        const QString phonetic = QStringLiteral("ˈæp%1").arg(i % 10);
        ASSERT_TRUE(writeFile(path, (QStringLiteral("apple|") + phonetic + QStringLiteral("\n")).toUtf8()));
        EXPECT_EQ(lookup(QStringLiteral("apple")), phonetic) << i;
    }
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(lookup(QStringLiteral("apple")), QStringLiteral("keep"));
}

// Links named as the files the program reads by name, leading to the open bank: none is read,
// so the engine keeps its locks, and each says why once.
TEST_F(PhoneticLookup, TheOpenBankInPlaceOfAFileReadByNameIsNotRead)
{
    const QString saved = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(programDir));
    for (const QString &name : {QStringLiteral("WordPron.dat"), QStringLiteral("ksphonet.ttf"), QStringLiteral("back.bmp")})
        ASSERT_TRUE(QFile::link(bankPath, programDir + name));
    dialogs->clear();
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(lookup(QStringLiteral("apple")), QStringLiteral("keep"));
        QLabel label(QStringLiteral("ˈæpl"));
        PApplyPhoneticFont(&label);
        EXPECT_TRUE(label.text().isEmpty());
        QWidget form;
        PLoadFormBackground(&form);
        EXPECT_FALSE(form.autoFillBackground());
    }
    const auto refused = [](const QString &path) {
        return QStringLiteral("“") + path + QStringLiteral("”是正在使用的词库或它的附属文件，不能用于此操作。");
    };
    EXPECT_EQ(dialogs->texts(), (QStringList{refused(programDir + QStringLiteral("WordPron.dat")),
                                             refused(programDir + QStringLiteral("ksphonet.ttf")),
                                             refused(QStringLiteral("back.bmp"))}));
    QDir::setCurrent(saved);
}

using PhoneticFont = BankFixture;

TEST_F(PhoneticFont, WithoutTheFontFileTheFieldIsEmptied)
{
    QLabel label(QStringLiteral("ˈæpl"));
    QLineEdit edit(QStringLiteral("ˈæpl"));
    const QString family = label.font().family();
    PApplyPhoneticFont(&label);
    PApplyPhoneticFont2(&edit);
    EXPECT_TRUE(label.text().isEmpty());
    EXPECT_TRUE(edit.text().isEmpty());
    EXPECT_EQ(label.font().family(), family);
}

TEST_F(PhoneticFont, WithTheFontFileTheFieldGetsItsFace)
{
    ASSERT_TRUE(writeFile(programDir + QStringLiteral("ksphonet.ttf"), "a font file"));
    QLabel label(QStringLiteral("ˈæpl"));
    QLineEdit edit(QStringLiteral("ˈæpl"));
    PApplyPhoneticFont(&label);
    PApplyPhoneticFont2(&edit);
    EXPECT_EQ(label.text(), QStringLiteral("ˈæpl"));
    EXPECT_EQ(edit.text(), QStringLiteral("ˈæpl"));
    EXPECT_EQ(label.font().family(), QStringLiteral("Kingsoft Phonetic Plain"));
    EXPECT_EQ(edit.font().family(), QStringLiteral("Kingsoft Phonetic Plain"));
}

TEST_F(PhoneticFont, AFontFileInItsPlaceGivesTheFamilyItHolds)
{
    const QString dejavu = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    ASSERT_TRUE(QFile::exists(dejavu)) << "fonts-dejavu-core is installed by the project";
    // A file name of its own: fonts registered by earlier tests stay registered for the run.
    QDir(programDir).mkpath(QStringLiteral("."));
    ASSERT_TRUE(QFile::copy(dejavu, programDir + QStringLiteral("ksphonet.ttf")));
    QLabel label(QStringLiteral("ˈæpl"));
    PApplyPhoneticFont(&label);
    EXPECT_EQ(label.text(), QStringLiteral("ˈæpl"));
    EXPECT_EQ(label.font().family(), QStringLiteral("DejaVu Sans"));
}
