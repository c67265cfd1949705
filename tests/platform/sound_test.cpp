#include "platform/sound.h"
#include "support/envoverride.h"
#include "support/soundfiles.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Each test starts in silence on the device (the dummy driver), opened once for the run, with an
// empty record.
class SoundLayer : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Sound::stopAll();
        Sound::setMusicVolume(0xFFFFFFFFu);
        ASSERT_TRUE(Sound::available());
        Sound::clearRequests();
    }
    void TearDown() override { Sound::stopAll(); }

    QString tone(const QString &name, int ms)
    {
        const QString p = dir.filePath(name);
        EXPECT_TRUE(writeToneWav(p, ms));
        return p;
    }
    QString midi(const QString &name)
    {
        const QString p = dir.filePath(name);
        EXPECT_TRUE(writeShortMidi(p));
        return p;
    }
    static Sound::Request last() { return Sound::requests().last(); }

    QTemporaryDir dir;
};

QVector<qint16> toneSamples(int ms, int rate = 22050)
{
    QVector<qint16> s(rate * ms / 1000);
    for (int i = 0; i < s.size(); ++i)
        s[i] = qint16((i / 20) % 2 ? 6000 : -6000);
    return s;
}

}  // namespace

TEST_F(SoundLayer, PlayReturnsAtOnceAndMusicAndRecordingsSoundTogether)
{
    const QString a = tone(QStringLiteral("a.wav"), 3000);
    const QString b = tone(QStringLiteral("b.wav"), 3000);
    const QString piece = midi(QStringLiteral("piece.mid"));
    Sound::play(piece);
    Sound::play(a);
    Sound::play(b);
    EXPECT_TRUE(Sound::isPlaying(piece));
    EXPECT_TRUE(Sound::isPlaying(a));
    EXPECT_TRUE(Sound::isPlaying(b));
    const QList<Sound::Request> r = Sound::requests();
    ASSERT_EQ(r.size(), 3);
    for (const Sound::Request &q : r) {
        EXPECT_EQ(q.kind, Sound::Request::Play);
        EXPECT_TRUE(q.played) << q.what.toStdString();
    }
    EXPECT_EQ(r[0].what, piece);
}

TEST_F(SoundLayer, PlayOfASoundStillPlayingLeavesItAndAFinishedOneStartsAgain)
{
    const QString a = tone(QStringLiteral("a.wav"), 120);
    Sound::play(a);
    EXPECT_TRUE(last().played);
    Sound::play(a);
    EXPECT_FALSE(last().played);
    EXPECT_TRUE(Sound::isPlaying(a));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Sound::isPlaying(a); }, 5000));
    Sound::play(a);
    EXPECT_TRUE(last().played);
    EXPECT_TRUE(Sound::isPlaying(a));
}

TEST_F(SoundLayer, PlayOfThePieceStillPlayingDoesNotRestartItAndAnotherPieceReplacesIt)
{
    const QString one = midi(QStringLiteral("one.mid"));
    const QString two = midi(QStringLiteral("two.mid"));
    Sound::play(one);
    ASSERT_TRUE(last().played) << "MIDI needs FluidSynth and a General MIDI sound font";
    Sound::play(one);
    EXPECT_FALSE(last().played);
    EXPECT_TRUE(Sound::isPlaying(one));
    Sound::play(two);
    EXPECT_TRUE(last().played);
    EXPECT_TRUE(Sound::isPlaying(two));
    EXPECT_FALSE(Sound::isPlaying(one));
}

TEST_F(SoundLayer, CloseAllStopsMusicAndRecordingsButNotSpeech)
{
    const QString a = tone(QStringLiteral("a.wav"), 3000);
    const QString piece = midi(QStringLiteral("piece.mid"));
    Sound::play(piece);
    Sound::play(a);
    Sound::playSpeech(toneSamples(3000), 22050, QStringLiteral("word"));
    ASSERT_TRUE(Sound::isPlaying(a));
    Sound::closeAll();
    EXPECT_FALSE(Sound::isPlaying(a));
    EXPECT_FALSE(Sound::isPlaying(piece));
    EXPECT_TRUE(Sound::isSpeaking());
    EXPECT_EQ(last().kind, Sound::Request::CloseAll);
    // Closed files play again from the start.
    Sound::play(a);
    EXPECT_TRUE(last().played);
}

TEST_F(SoundLayer, AnEffectIsHeardToItsEndBeforePlaySyncReturns)
{
    const QString e = tone(QStringLiteral("e.wav"), 200);
    QElapsedTimer t;
    t.start();
    Sound::playSync(e);
    EXPECT_GE(t.elapsed(), 150);
    EXPECT_FALSE(Sound::isPlaying(e));
    EXPECT_EQ(last().kind, Sound::Request::PlaySync);
    EXPECT_TRUE(last().played);
}

TEST_F(SoundLayer, SpeechWaitsForTheSpeechBeforeIt)
{
    Sound::playSpeech(toneSamples(150), 22050, QStringLiteral("first"));
    Sound::playSpeech(toneSamples(450), 22050, QStringLiteral("second"));
    EXPECT_TRUE(last().played);
    EXPECT_EQ(last().what, QStringLiteral("second"));
    // Past the end of the first, the second is still being spoken.
    QTest::qWait(300);
    EXPECT_TRUE(Sound::isSpeaking());
    EXPECT_TRUE(QTest::qWaitFor([] { return !Sound::isSpeaking(); }, 5000));
}

TEST_F(SoundLayer, MissingAndUnreadableFilesStaySilent)
{
    const QString junkWav = dir.filePath(QStringLiteral("junk.wav"));
    const QString junkMid = dir.filePath(QStringLiteral("junk.mid"));
    ASSERT_TRUE(writeFile(junkWav, "not a sound"));
    ASSERT_TRUE(writeFile(junkMid, "not a tune"));
    for (const QString &p : {dir.filePath(QStringLiteral("missing.wav")), junkWav, junkMid}) {
        Sound::play(p);
        EXPECT_FALSE(last().played) << p.toStdString();
        EXPECT_FALSE(Sound::isPlaying(p));
        Sound::playSync(p);
        EXPECT_FALSE(last().played) << p.toStdString();
    }
    Sound::playSpeech({}, 22050, QString());
    EXPECT_FALSE(last().played);
    EXPECT_FALSE(Sound::isSpeaking());
}

TEST_F(SoundLayer, MusicLevelIsOursAndHoldsAcrossReopening)
{
    Sound::shutdown();
    Sound::setMusicVolume(0x13331333u);
    EXPECT_EQ(Sound::appliedMusicLevel(), -1);
    ASSERT_TRUE(Sound::available());
    EXPECT_EQ(Sound::musicVolume(), 0x13331333u);
    EXPECT_EQ(Sound::appliedMusicLevel(), 10);  // 0x1333 of 0xFFFF of the mixer's 128
    Sound::setMusicVolume(0x0000FFFFu);         // the louder channel counts
    EXPECT_EQ(Sound::appliedMusicLevel(), 128);
    Sound::setMusicVolume(0);
    EXPECT_EQ(Sound::appliedMusicLevel(), 0);
}

TEST(SoundWithoutDevice, EverythingIsSilentAndReturns)
{
    Sound::shutdown();
    const EnvOverride noDevice("SDL_AUDIODRIVER", "nosuchdriver");
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.wav"));
    ASSERT_TRUE(writeToneWav(a, 2000));
    EXPECT_FALSE(Sound::available());
    Sound::clearRequests();
    Sound::play(a);
    Sound::playSync(a);
    Sound::playSpeech(QVector<qint16>(1000, 100), 22050, QStringLiteral("word"));
    Sound::closeAll();
    const QList<Sound::Request> r = Sound::requests();
    ASSERT_EQ(r.size(), 4);
    EXPECT_FALSE(r[0].played);
    EXPECT_FALSE(r[1].played);
    EXPECT_FALSE(r[2].played);
    EXPECT_FALSE(Sound::isPlaying(a));
    Sound::shutdown();
}

TEST_F(SoundLayer, StoppingEverythingSilencesSpeechAndKeepsTheDeviceOpen)
{
    const QString a = tone(QStringLiteral("a.wav"), 3000);
    const QString piece = midi(QStringLiteral("piece.mid"));
    Sound::play(piece);
    Sound::play(a);
    Sound::playSpeech(toneSamples(3000), 22050, QStringLiteral("word"));
    Sound::stopAll();
    EXPECT_FALSE(Sound::isPlaying(a));
    EXPECT_FALSE(Sound::isPlaying(piece));
    EXPECT_FALSE(Sound::isSpeaking());
    EXPECT_NE(Sound::appliedMusicLevel(), -1);
    Sound::playSpeech(toneSamples(3000), 22050, QStringLiteral("again"));
    EXPECT_TRUE(last().played);
    EXPECT_TRUE(Sound::isSpeaking());
}
