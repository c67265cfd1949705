#include "platform/inifile.h"
#include "platform/sound.h"
#include "platform/speech.h"
#include "services/pronunciation.h"
#include "support/envoverride.h"
#include "support/bankfixture.h"
#include "support/soundfiles.h"

#include <QCheckBox>
#include <QTest>
#include <QTimer>

namespace {

// A program folder with a bank, a silent sound device and the music timer off.
class Pronunciation : public BankFixture {
protected:
    void SetUp() override
    {
        BankFixture::SetUp();
        Sound::stopAll();
        Sound::setMusicVolume(0xFFFFFFFFu);
        PSetMusicTimerSwitch(nullptr);
        PStopBackMusic();
        Sound::clearRequests();
    }
    void TearDown() override
    {
        PStopBackMusic();
        PSetMusicTimerSwitch(nullptr);
        Sound::stopAll();
        BankFixture::TearDown();
    }

    QString recording(const QString &relative, int ms = 3000)
    {
        const QString p = programDir + QStringLiteral("sound/") + relative;
        EXPECT_TRUE(writeToneWav(p, ms));
        return p;
    }
    QString piece(const QString &name)
    {
        const QString p = programDir + QStringLiteral("sound/Music/") + name + QStringLiteral(".mid");
        EXPECT_TRUE(writeShortMidi(p));
        return p;
    }
    static QList<Sound::Request> asked() { return Sound::requests(); }
    static QStringList played(Sound::Request::Kind kind)
    {
        QStringList out;
        for (const Sound::Request &r : Sound::requests())
            if (r.kind == kind)
                out << r.what;
        return out;
    }
};

}  // namespace

TEST_F(Pronunciation, DataModuleCreatesTheVoice)
{
    ASSERT_NE(PSpVoice, nullptr);
    EXPECT_TRUE(PSpVoice->Available());
}

TEST_F(Pronunciation, ARecordingIsPlayedWhenPresentAndPreferred)
{
    const QString wav = recording(QStringLiteral("a/apple.wav"));
    PSpeakWord(QStringLiteral("apple"));
    ASSERT_EQ(asked().size(), 1);
    EXPECT_EQ(asked()[0].kind, Sound::Request::Play);
    EXPECT_EQ(asked()[0].what, wav);
    EXPECT_TRUE(asked()[0].played);
    EXPECT_TRUE(Sound::isPlaying(wav));

    // An ".mp3" recording comes before the ".wav".
    const QString mp3 = programDir + QStringLiteral("sound/a/apple.mp3");
    ASSERT_TRUE(writeFile(mp3, "ID3"));
    PSpeakWord(QStringLiteral("apple"));
    EXPECT_EQ(asked().last().what, mp3);
}

TEST_F(Pronunciation, WithoutARecordingTheWordIsSpoken)
{
    recording(QStringLiteral("a/apple.wav"));
    PSpeakWord(QStringLiteral("banana"));
    ASSERT_EQ(asked().size(), 1);
    EXPECT_EQ(asked()[0].kind, Sound::Request::Speech);
    EXPECT_EQ(asked()[0].what, QStringLiteral("banana"));
    EXPECT_TRUE(asked()[0].played);
}

TEST_F(Pronunciation, SpeechRoleFalseAlwaysSpeaks)
{
    recording(QStringLiteral("a/apple.wav"));
    PConfigIni->WriteBool(QStringLiteral("Lexorin"), QStringLiteral("SpeechRole"), false);
    PSpeakWord(QStringLiteral("apple"));
    EXPECT_EQ(played(Sound::Request::Speech), QStringList{QStringLiteral("apple")});
    EXPECT_TRUE(played(Sound::Request::Play).isEmpty());

    PConfigIni->WriteBool(QStringLiteral("Lexorin"), QStringLiteral("SpeechRole"), true);
    PSpeakWord(QStringLiteral("apple"));
    EXPECT_EQ(played(Sound::Request::Play).size(), 1);
}

TEST_F(Pronunciation, RecordingsAreFoundByTheWordAsGivenThenInLowerCase)
{
    const QString lower = recording(QStringLiteral("a/apple.wav"));
    PSpeakWord(QStringLiteral("Apple"));
    PSpeakWord(QStringLiteral("APPLE"));
    EXPECT_EQ(played(Sound::Request::Play), (QStringList{lower, lower}));

    Sound::closeAll();
    Sound::clearRequests();
    const QString given = recording(QStringLiteral("A/Apple.wav"));
    PSpeakWord(QStringLiteral("Apple"));
    EXPECT_EQ(played(Sound::Request::Play), QStringList{given});
}

TEST_F(Pronunciation, AWordWithAPathSeparatorIsSpokenNotLookedUp)
{
    recording(QStringLiteral("a/a/b.wav"));
    recording(QStringLiteral("e/e/x.wav"));
    PSpeakWord(QStringLiteral("a/b"));
    PSpeakWord(QStringLiteral("e\\x"));
    EXPECT_TRUE(played(Sound::Request::Play).isEmpty());
    EXPECT_EQ(played(Sound::Request::Speech).size(), 2);
}

TEST_F(Pronunciation, StopBackMusicCutsOffARecording)
{
    const QString wav = recording(QStringLiteral("w/word.wav"));
    PSpeakWord(QStringLiteral("word"));
    ASSERT_TRUE(Sound::isPlaying(wav));
    PStopBackMusic();
    EXPECT_FALSE(Sound::isPlaying(wav));
    EXPECT_EQ(asked().last().kind, Sound::Request::CloseAll);
}

TEST_F(Pronunciation, SpeakOkSaysOk)
{
    PSpeakOk();
    EXPECT_EQ(played(Sound::Request::Speech), QStringList{QStringLiteral("ok")});
}

TEST_F(Pronunciation, EffectsPlayWhenTheirFileExists)
{
    const QString right = programDir + QStringLiteral("sound/effect/right.wav");
    ASSERT_TRUE(writeToneWav(right, 5));
    PPlayEffect(QStringLiteral("right"));
    PPlayEffect(QStringLiteral("wrong"));
    ASSERT_EQ(asked().size(), 1);
    EXPECT_EQ(asked()[0].kind, Sound::Request::PlaySync);
    EXPECT_EQ(asked()[0].what, right);
    EXPECT_TRUE(asked()[0].played);
}

TEST_F(Pronunciation, BackgroundMusicStartsWithTheTimersFirstTickAndIsReissued)
{
    QTimer timer;
    timer.setInterval(PMusicTimerInterval);
    QList<bool> switched;
    PSetMusicTimerSwitch([&](bool on) {
        switched << on;
        on ? timer.start() : timer.stop();
    });
    QObject::connect(&timer, &QTimer::timeout, PMusicTimerTick);
    const QString study = piece(QStringLiteral("study"));

    PPlayBackMusic(QStringLiteral("study"));
    EXPECT_EQ(PConfigIni->ReadString(QStringLiteral("backmusic"), QStringLiteral("status"), QString()),
              QStringLiteral("study"));
    EXPECT_TRUE(PMusicTimerOn());
    ASSERT_TRUE(timer.isActive());
    EXPECT_EQ(timer.interval(), 9000);
    EXPECT_GT(timer.remainingTime(), 8000);
    EXPECT_TRUE(played(Sound::Request::Play).isEmpty()) << "nothing plays before the first tick";

    PMusicTimerTick();  // the first tick, 9 s later
    EXPECT_EQ(played(Sound::Request::Play), QStringList{study});
    EXPECT_TRUE(asked().last().played);
    EXPECT_TRUE(Sound::isPlaying(study));

    PMusicTimerTick();  // re-issued while it plays: it goes on
    EXPECT_EQ(played(Sound::Request::Play), (QStringList{study, study}));
    EXPECT_FALSE(asked().last().played);
    EXPECT_TRUE(Sound::isPlaying(study));

    // Another piece: the music stops and the countdown starts again.
    switched.clear();
    PPlayBackMusic(QStringLiteral("test"));
    EXPECT_EQ(switched, (QList<bool>{false, true}));
    EXPECT_FALSE(Sound::isPlaying(study));
    EXPECT_TRUE(timer.isActive());

    PStopBackMusic();
    EXPECT_FALSE(PMusicTimerOn());
    EXPECT_FALSE(timer.isActive());
}

TEST_F(Pronunciation, TheTimerPlaysNothingWhenMusicIsUnwantedOrMissing)
{
    piece(QStringLiteral("welcome"));
    PConfigIni->WriteBool(QStringLiteral("backmusic"), QStringLiteral("canplay"), false);
    PMusicTimerTick();  // "status" absent: "welcome"
    EXPECT_TRUE(played(Sound::Request::Play).isEmpty());

    PConfigIni->WriteBool(QStringLiteral("backmusic"), QStringLiteral("canplay"), true);
    PConfigIni->WriteString(QStringLiteral("backmusic"), QStringLiteral("status"), QStringLiteral("nosuchpiece"));
    PMusicTimerTick();
    EXPECT_TRUE(played(Sound::Request::Play).isEmpty());

    PConfigIni->WriteString(QStringLiteral("backmusic"), QStringLiteral("status"), QStringLiteral("welcome"));
    PMusicTimerTick();
    EXPECT_EQ(played(Sound::Request::Play).size(), 1);
}

TEST_F(Pronunciation, TheMusicCheckBoxStoresTheChoiceAndStopsOrStartsTheMusic)
{
    const QString welcome = piece(QStringLiteral("welcome"));
    const QString wav = recording(QStringLiteral("w/word.wav"));
    QCheckBox box;
    PPlayBackMusic(QStringLiteral("welcome"));
    PMusicTimerTick();
    PSpeakWord(QStringLiteral("word"));
    ASSERT_TRUE(Sound::isPlaying(welcome));

    box.setChecked(false);
    PBackMusicCheckClick(&box);
    EXPECT_FALSE(PConfigIni->ReadBool(QStringLiteral("backmusic"), QStringLiteral("canplay"), true));
    EXPECT_FALSE(PMusicTimerOn());
    EXPECT_FALSE(Sound::isPlaying(welcome));
    EXPECT_FALSE(Sound::isPlaying(wav));

    Sound::clearRequests();
    box.setChecked(true);
    PBackMusicCheckClick(&box);
    EXPECT_TRUE(PConfigIni->ReadBool(QStringLiteral("backmusic"), QStringLiteral("canplay"), false));
    EXPECT_TRUE(PMusicTimerOn());
    EXPECT_EQ(played(Sound::Request::Play), QStringList{welcome});  // at once, not after 9 s
    EXPECT_TRUE(Sound::isPlaying(welcome));
}

TEST_F(Pronunciation, OnlyOurOwnMusicIsLoweredAndRestored)
{
    Sound::setMusicVolume(0xC000C000u);
    PLowerMidiVolume();
    EXPECT_EQ(PSavedMidiVolume, 0xC000C000u);
    EXPECT_EQ(Sound::musicVolume(), 0x13331333u);
    ASSERT_TRUE(Sound::available());
    EXPECT_EQ(Sound::appliedMusicLevel(), 10);
    PRestoreMidiVolume();
    EXPECT_EQ(Sound::musicVolume(), 0xC000C000u);
    EXPECT_EQ(Sound::appliedMusicLevel(), 96);
}

TEST_F(Pronunciation, WithoutASoundDeviceTheVoiceIsMadeAndEverythingStaysSilent)
{
    const EnvOverride noDevice("SDL_AUDIODRIVER", "nosuchdriver");
    Sound::shutdown();
    dm.reset();
    dm = std::make_unique<TPdatamodule>(programDir, QStringList());
    ASSERT_NE(PSpVoice, nullptr);
    recording(QStringLiteral("a/apple.wav"));
    piece(QStringLiteral("welcome"));
    PSpeakWord(QStringLiteral("apple"));
    PSpeakWord(QStringLiteral("pear"));
    PPlayBackMusic(QStringLiteral("welcome"));
    PMusicTimerTick();
    const QList<Sound::Request> r = asked();
    ASSERT_EQ(r.size(), 4);  // play, speech, close all, play
    EXPECT_EQ(r[0].kind, Sound::Request::Play);
    EXPECT_FALSE(r[0].played);
    EXPECT_EQ(r[1].kind, Sound::Request::Speech);
    EXPECT_FALSE(r[1].played);
    EXPECT_EQ(r[3].kind, Sound::Request::Play);
    EXPECT_FALSE(r[3].played);
    Sound::shutdown();
}
