#include "platform/sound.h"
#include "platform/speech.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {
const QString En = QStringLiteral("<LANG LANGID=\"409\">");
}

TEST(SpeechVoice, RendersAWordToMemory)
{
    TSpVoice voice;
    ASSERT_TRUE(voice.Available()) << "espeak-ng and its data (espeak-ng-data) are needed";
    EXPECT_GE(voice.SampleRate(), 8000);
    const QVector<qint16> s = voice.Render(En + QStringLiteral("pronunciation"));
    // Several syllables: well over a quarter of a second, and not silence.
    EXPECT_GT(s.size(), voice.SampleRate() / 4);
    const int loudest = std::abs(int(*std::max_element(s.begin(), s.end(), [](qint16 a, qint16 b) {
        return std::abs(int(a)) < std::abs(int(b));
    })));
    EXPECT_GT(loudest, 1000);
    EXPECT_LT(s.size(), voice.SampleRate() * 5);
}

TEST(SpeechVoice, TheLanguageTagIsNeverSpoken)
{
    TSpVoice voice;
    ASSERT_TRUE(voice.Available());
    // The synthesiser varies a little from run to run: compare lengths. Spoken, the tag would
    // take seconds.
    const int plain = voice.Render(QStringLiteral("ok")).size();
    const int tagged = voice.Render(En + QStringLiteral("ok")).size();
    ASSERT_GT(plain, 0);
    EXPECT_LT(std::abs(tagged - plain), plain / 10);
    EXPECT_GT(voice.Render(QStringLiteral("LANG LANGID 409 ok")).size(), plain * 2);
    EXPECT_TRUE(voice.Render(En).isEmpty());
    EXPECT_TRUE(voice.Render(QStringLiteral("  ")).isEmpty());

    EXPECT_EQ(TSpVoice::PlainText(En + QStringLiteral("apple")), QStringLiteral("apple"));
    EXPECT_EQ(TSpVoice::PlainText(QStringLiteral("<lang langid=409>apple</LANG>")), QStringLiteral("apple"));
    EXPECT_EQ(TSpVoice::PlainText(QStringLiteral("apple pie")), QStringLiteral("apple pie"));
    // Only a leading tag is a tag.
    EXPECT_EQ(TSpVoice::PlainText(QStringLiteral("a <LANG LANGID=\"409\">b")), QStringLiteral("a <LANG LANGID=\"409\">b"));
}

TEST(SpeechVoice, SpeakReturnsAtOnceWithTheWordPlaying)
{
    Sound::stopAll();
    Sound::clearRequests();
    TSpVoice voice;
    voice.Speak(En + QStringLiteral("apple"), TSpVoice::SVSFlagsAsync);
    const QList<Sound::Request> r = Sound::requests();
    ASSERT_EQ(r.size(), 1);
    EXPECT_EQ(r[0].kind, Sound::Request::Speech);
    EXPECT_EQ(r[0].what, QStringLiteral("apple"));
    EXPECT_TRUE(r[0].played);
    EXPECT_TRUE(Sound::isSpeaking());
    Sound::stopAll();
}
