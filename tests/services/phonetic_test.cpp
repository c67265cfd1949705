#include "services/phonetic.h"
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
