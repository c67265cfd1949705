#include "services/pronunciation.h"

#include "vocab/bankvocab.h"
#include "core/datamodule.h"
#include "platform/inifile.h"
#include "platform/sound.h"
#include "platform/speech.h"

#include <QCheckBox>
#include <QFileInfo>

quint32 PSavedMidiVolume = 0;

namespace {

const QString LangPrefix = QStringLiteral("<LANG LANGID=\"409\">");
constexpr quint32 LoweredMidiVolume = 0x13331333u;

bool musicTimerOn = false;
std::function<void(bool)> musicTimerSwitch;

// Switching the music timer on while it runs does not restart it: its nine-second rhythm goes on.
void switchMusicTimer(bool on)
{
    if (on == musicTimerOn)
        return;
    musicTimerOn = on;
    if (musicTimerSwitch)
        musicTimerSwitch(on);
}

bool readBool(const QString &section, const QString &key, bool def)
{
    return PConfigIni ? PConfigIni->ReadBool(section, key, def) : def;
}

QString currentPiece()
{
    const QString def = QStringLiteral("welcome");
    return PConfigIni ? PConfigIni->ReadString(Ini::BackMusic, Ini::Status, def) : def;
}

bool isFile(const QString &path) { return QFileInfo(path).isFile(); }

void speak(const QString &text)
{
    if (PSpVoice)
        PSpVoice->Speak(LangPrefix + text, TSpVoice::SVSFlagsAsync);
}

// The ".mp3", else the ".wav" recording of Word. File names are case-sensitive here, so the word
// as given is tried before its lower-case form.
QString recordingPath(const QString &Word)
{
    // A word with a path separator could reach outside the sound folder: it is spoken instead.
    if (Word.isEmpty() || Word.contains(QLatin1Char('/')) || Word.contains(QLatin1Char('\\')))
        return QString();
    QStringList names{Word};
    if (Word.toLower() != Word)
        names << Word.toLower();
    for (const char *ext : {".mp3", ".wav"}) {
        for (const QString &name : names) {
            // The first character, not the first UTF-16 unit: a surrogate pair stays whole.
            const int firstLength = name.at(0).isHighSurrogate() && name.size() > 1 ? 2 : 1;
            const QString path = PProgramDir + QStringLiteral("sound/") + name.left(firstLength) + QLatin1Char('/') +
                                 name + QLatin1String(ext);
            if (isFile(path))
                return path;
        }
    }
    return QString();
}

}  // namespace

bool PSpeechRoleWanted() { return readBool(Ini::Main, Ini::SpeechRole, true); }

bool PBackMusicWanted() { return readBool(Ini::BackMusic, Ini::CanPlay, true); }

void PSpeakWord(const QString &Word)
{
    if (PSpeechRoleWanted()) {
        const QString recording = recordingPath(Word);
        if (!recording.isEmpty()) {
            Sound::play(recording);
            return;
        }
    }
    speak(Word);
}

void PSpeakOk() { speak(QStringLiteral("ok")); }

void PPlayEffect(const QString &Name)
{
    const QString path = PProgramDir + QStringLiteral("sound/effect/") + Name + QStringLiteral(".wav");
    if (isFile(path))
        Sound::playSync(path);
}

void PPlayMusicFile(const QString &Name)
{
    const QString path = PProgramDir + QStringLiteral("sound/Music/") + Name + QStringLiteral(".mid");
    if (isFile(path) && PBackMusicWanted())
        Sound::play(path);
}

void PPlayBackMusic(const QString &Name)
{
    PStopBackMusic();
    if (PConfigIni)
        PConfigIni->WriteString(Ini::BackMusic, Ini::Status, Name);
    switchMusicTimer(true);
}

void PStopBackMusic()
{
    switchMusicTimer(false);
    Sound::closeAll();
}

void PBackMusicCheckClick(QCheckBox *CheckBox)
{
    const bool checked = CheckBox->isChecked();
    if (PConfigIni)
        PConfigIni->WriteBool(Ini::BackMusic, Ini::CanPlay, checked);
    if (!checked) {
        PStopBackMusic();
    } else {
        PPlayMusicFile(currentPiece());
        switchMusicTimer(true);
    }
}

void PLowerMidiVolume()
{
    // Only our own music's level: the machine's mixer is never touched, so nothing is left
    // quieter if the program ends without restoring it.
    PSavedMidiVolume = Sound::musicVolume();
    Sound::setMusicVolume(LoweredMidiVolume);
}

void PRestoreMidiVolume() { Sound::setMusicVolume(PSavedMidiVolume); }

void PSetMusicTimerSwitch(std::function<void(bool)> onOff)
{
    musicTimerSwitch = std::move(onOff);
    if (musicTimerSwitch)
        musicTimerSwitch(musicTimerOn);
}

bool PMusicTimerOn() { return musicTimerOn; }

void PMusicTimerTick() { PPlayMusicFile(currentPiece()); }
