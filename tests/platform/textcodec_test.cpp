#include "platform/textcodec.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

TEST(TextCodec, ReadsByMarkThenUtf8ThenGb18030)
{
    const QString text = QStringLiteral("+apple\r\n\\苹果\\\r\n");
    QStringEncoder u16(QStringConverter::Utf16LE, QStringEncoder::Flag::WriteBom);
    EXPECT_EQ(PDecodeText(u16.encode(text)), text);
    EXPECT_EQ(PDecodeText(QByteArray("\xEF\xBB\xBF") + text.toUtf8()), text);
    EXPECT_EQ(PDecodeText(text.toUtf8()), text);
    QStringEncoder gb("GB18030");
    const QByteArray gbBytes = gb.encode(text);
    ASSERT_NE(gbBytes, text.toUtf8());
    EXPECT_EQ(PDecodeText(gbBytes), text);
}

TEST(TextCodec, SplitsCrLfAndLfLines)
{
    EXPECT_EQ(PSplitLines(QStringLiteral("a\r\nb\nc")), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(PSplitLines(QStringLiteral("a\n\nb\n")), (QStringList{"a", "", "b"}));
    EXPECT_TRUE(PSplitLines(QString()).isEmpty());
}
